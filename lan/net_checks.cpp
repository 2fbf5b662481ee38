#include "lan/net_checks.h"

#include <algorithm>

namespace tarvel::lan {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool AddressTypingAccepted(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return IsDigit(c) || c == '.'; });
}

bool PortTypingAccepted(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

bool HostAddressValid(std::string_view text) {
  if (std::count(text.begin(), text.end(), '.') != 3 || text.ends_with('.')) return false;
  std::size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t end = std::min(text.find('.', start), text.size());
    const std::size_t length = end - start;
    if (length < 1 || length > 3) return false;
    start = end + 1;
  }
  return true;
}

std::optional<std::uint16_t> PortOf(std::string_view text) {
  if (text.empty() || text.size() > static_cast<std::size_t>(kPortBoxLength) ||
      !PortTypingAccepted(text))
    return std::nullopt;
  int value = 0;
  for (const char c : text) value = value * 10 + (c - '0');
  if (value < 1 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

}  // namespace tarvel::lan
