// The checks of the network fields of the name dialog: what may be typed
// into the address and port boxes, and what is accepted on "Ok".
// Plain C++, no Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tarvel::lan {

// Longest texts of the address and port boxes.
inline constexpr int kAddressBoxLength = 20;
inline constexpr int kPortBoxLength = 5;

// Typing: the address box holds only digits and dots, the port box only
// digits; any other text is set back to the last accepted one.
bool AddressTypingAccepted(std::string_view text);
bool PortTypingAccepted(std::string_view text);

// "Ok": exactly three dots, no dot at the end, and every part between dots
// one to three characters long (so no empty part and no leading dot). The
// parts are not checked for values up to 255.
bool HostAddressValid(std::string_view text);

// "Ok": the port box names a TCP port, 1..65535; nothing for an empty box
// or a number out of that range.
std::optional<std::uint16_t> PortOf(std::string_view text);

}  // namespace tarvel::lan
