// Fuzz target of tarvel-selfplay's input: a deal line is taken only when it
// names a first player and a whole deck, and every rejection says why; the
// number parser takes only what names a number exactly.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "deal_line.h"
#include "fuzz_check.h"

namespace {

using namespace tarvel;

std::string FormatDealLine(const DealLine& deal) {
  std::string line = std::to_string(deal.firstPlayer);
  for (const int card : deal.deck) line += ' ' + std::to_string(card);
  return line;
}

void CheckDealLine(std::string_view line) {
  std::string error;
  const std::optional<DealLine> deal = ParseDealLine(line, error);
  if (!deal) {
    TARVEL_FUZZ_CHECK(!error.empty());
    return;
  }
  TARVEL_FUZZ_CHECK(deal->firstPlayer >= 1 && deal->firstPlayer <= 3);
  std::array<bool, 25> seen{};
  for (const int card : deal->deck) {
    TARVEL_FUZZ_CHECK(card >= 1 && card <= 24);
    TARVEL_FUZZ_CHECK(!seen[static_cast<std::size_t>(card)]);
    seen[static_cast<std::size_t>(card)] = true;
  }
  // The deal written out plainly reads back the same, with a CR LF end too.
  const std::string plain = FormatDealLine(*deal);
  for (const std::string& again : {plain, plain + "\r", "\t" + plain + "  "}) {
    std::string againError;
    const std::optional<DealLine> reread = ParseDealLine(again, againError);
    TARVEL_FUZZ_CHECK(reread && reread->firstPlayer == deal->firstPlayer && reread->deck == deal->deck);
  }
}

// A number is taken only when the whole text is an optional '-' and digits,
// and it then reads back from its own decimal form.
template <typename Number>
void CheckNumber(std::string_view text) {
  const std::optional<Number> value = ParseNumber<Number>(text);
  if (!value) return;
  std::string_view digits = text;
  if (!digits.empty() && digits.front() == '-') digits.remove_prefix(1);
  TARVEL_FUZZ_CHECK(!digits.empty() && digits.find_first_not_of("0123456789") == std::string_view::npos);
  TARVEL_FUZZ_CHECK(ParseNumber<Number>(std::to_string(*value)) == value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  // The program reads a deal file line by line; a line holds no LF.
  std::size_t start = 0;
  while (true) {
    const std::size_t end = input.find('\n', start);
    const std::string_view line = input.substr(start, end == std::string_view::npos ? end : end - start);
    CheckDealLine(line);
    CheckNumber<int>(line);
    CheckNumber<std::int64_t>(line);
    CheckNumber<std::uint64_t>(line);
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return 0;
}
