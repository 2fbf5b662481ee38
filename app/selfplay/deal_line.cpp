#include "deal_line.h"

#include <cstddef>
#include <vector>

namespace tarvel {

std::optional<DealLine> ParseDealLine(std::string_view line, std::string& error) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  std::vector<std::string_view> fields;
  std::size_t pos = 0;
  while (pos < line.size()) {
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
    if (pos == line.size()) break;
    std::size_t end = pos;
    while (end < line.size() && line[end] != ' ' && line[end] != '\t') ++end;
    fields.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  if (fields.size() != 25) {
    error = "expected 25 numbers (first player and 24 cards), found " +
            std::to_string(fields.size());
    return std::nullopt;
  }
  DealLine deal;
  const std::optional<int> first = ParseNumber<int>(fields[0]);
  if (!first || *first < 1 || *first > 3) {
    error = "first player \"" + std::string(fields[0]) + "\" is not 1, 2 or 3";
    return std::nullopt;
  }
  deal.firstPlayer = *first;
  std::array<bool, 25> seen{};
  for (std::size_t i = 0; i < 24; ++i) {
    const std::optional<int> number = ParseNumber<int>(fields[i + 1]);
    if (!number || *number < 1 || *number > 24) {
      error = "card " + std::to_string(i + 1) + " \"" + std::string(fields[i + 1]) +
              "\" is not a deck number 1..24";
      return std::nullopt;
    }
    if (seen[static_cast<std::size_t>(*number)]) {
      error = "card " + std::to_string(*number) + " is dealt twice";
      return std::nullopt;
    }
    seen[static_cast<std::size_t>(*number)] = true;
    deal.deck[i] = *number;
  }
  return deal;
}

}  // namespace tarvel
