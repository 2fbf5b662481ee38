// The text input of tarvel-selfplay: numbers on the command line and the
// lines of a deal file. Kept apart from the program so the fuzz targets can
// feed it arbitrary bytes.
#pragma once

#include <array>
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tarvel {

// A decimal number that fills the whole text; nothing for anything else
// (blanks, signs the type cannot hold, trailing characters, overflow).
template <typename Number>
std::optional<Number> ParseNumber(std::string_view text) {
  Number value{};
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// One deal line: the first player and the deck in dealing order.
struct DealLine {
  int firstPlayer = 0;
  std::array<int, 24> deck{};
};

// Parses a deal line: 25 numbers separated by blanks or tabs, the first
// player 1..3 and the 24 deck numbers 1..24, each once. A CR before the end
// of the line is ignored. Sets `error` and gives nothing when it is malformed.
std::optional<DealLine> ParseDealLine(std::string_view line, std::string& error);

}  // namespace tarvel
