// Fuzz target of the Windows-1251 conversions: every byte string survives
// the way to UTF-8 and back, and any text, well-formed UTF-8 or not, comes
// out as one code page byte per character.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cp1251.h"
#include "fuzz_check.h"

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The input as Windows-1251 bytes: each byte is one character of one to
  // three UTF-8 bytes, and the way back restores every byte.
  const std::string utf8 = Cp1251ToUtf8(bytes);
  TARVEL_FUZZ_CHECK(utf8.size() >= bytes.size() && utf8.size() <= 3 * bytes.size());
  TARVEL_FUZZ_CHECK(Utf8ToCp1251(utf8) == bytes);

  // The input as UTF-8: at most one byte per input byte. When neither side
  // holds a '?', every character was well-formed and in the code page, so
  // the way back gives the input.
  const std::string cp1251 = Utf8ToCp1251(bytes);
  TARVEL_FUZZ_CHECK(cp1251.size() <= bytes.size());
  TARVEL_FUZZ_CHECK(Utf8ToCp1251(Cp1251ToUtf8(cp1251)) == cp1251);
  if (cp1251.find('?') == std::string::npos && bytes.find('?') == std::string_view::npos) {
    TARVEL_FUZZ_CHECK(Cp1251ToUtf8(cp1251) == bytes);
  }

  // ASCII is the same in both.
  if (IsAscii(bytes)) {
    TARVEL_FUZZ_CHECK(utf8 == bytes);
    TARVEL_FUZZ_CHECK(cp1251 == bytes);
  }
  return 0;
}
