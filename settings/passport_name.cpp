#include "passport_name.h"

#include <string>

#include "cp1251.h"

namespace tarvel {
namespace {

bool IsCyrillic(unsigned char byte) { return byte >= 0xC0 || byte == 0xA8 || byte == 0xB8; }

}  // namespace

bool InNameAlphabet(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
         std::string_view("!(),-.@_").find(static_cast<char>(byte)) != std::string_view::npos ||
         IsCyrillic(byte);
}

bool NameCharAllowed(std::string_view utf8Character) {
  // A character the code page lacks becomes '?', which the alphabet refuses.
  const std::string bytes = Utf8ToCp1251(utf8Character);
  return bytes.size() == 1 && InNameAlphabet(static_cast<unsigned char>(bytes[0]));
}

int CheckPassportName(std::string_view utf8, std::size_t limit) {
  // A text far longer than any limit is refused before it is converted.
  if (utf8.size() > 4 * limit) return kNameRefused;
  const std::string bytes = Utf8ToCp1251(utf8);
  if (bytes.size() <= 1 || bytes.size() > limit) return kNameRefused;
  bool cyrillic = false;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (!InNameAlphabet(byte)) return kNameRefused;
    cyrillic = cyrillic || IsCyrillic(byte);
  }
  return cyrillic ? kNameCyrillic : kNameLatin;
}

std::string ShownName(std::string_view utf8, std::size_t limit) {
  return CheckPassportName(utf8, limit) == kNameRefused ? std::string("#") : std::string(utf8);
}

std::string NameAlphabetOnly(std::string_view utf8) {
  // A character the code page lacks, or a malformed byte, arrives as '?',
  // which the alphabet refuses like any other outsider.
  std::string bytes = Utf8ToCp1251(utf8);
  for (char& c : bytes)
    if (!InNameAlphabet(static_cast<unsigned char>(c))) c = '_';
  return Cp1251ToUtf8(bytes);
}

}  // namespace tarvel
