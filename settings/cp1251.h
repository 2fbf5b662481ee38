// Windows-1251, the 8-bit code page of every local file and wire text of the
// game, and UTF-8, the encoding of texts in memory. Pure C++, no Qt, so the
// file and wire formats can use it without a window system.
#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Windows-1251 bytes to UTF-8. Every byte has a character (0x98, unassigned in
// the code page, stands for U+0098 as in the Windows and WHATWG tables), so
// the conversion never fails and Cp1251ToUtf8 followed by Utf8ToCp1251 gives
// the same bytes back.
std::string Cp1251ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1251 bytes. A character that the code page lacks becomes
// '?', and so does every byte of a malformed UTF-8 sequence.
std::string Utf8ToCp1251(std::string_view utf8);

}  // namespace tarvel
