#include "name_check.h"

#include <vector>

namespace tarvel {
namespace {

// A character of a UTF-8 text and how many bytes it took; a byte of a
// malformed sequence is one character of its own that no check accepts.
struct Point {
  char32_t c;
  std::size_t bytes;
};
constexpr char32_t kMalformed = 0xFFFFFFFF;

std::vector<Point> CodePoints(std::string_view text) {
  std::vector<Point> points;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    char32_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    bool ok = length != 0 && i + length <= text.size();
    for (std::size_t k = 1; ok && k < length; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      ok = (next & 0xC0) == 0x80;
      point = (point << 6) | (next & 0x3F);
    }
    // Overlong forms and surrogates are malformed too.
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    ok = ok && point >= kLeast[length] && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
    if (!ok) {
      points.push_back({kMalformed, 1});
      ++i;
      continue;
    }
    points.push_back({point, length});
    i += length;
  }
  return points;
}

bool IsCyrillic(char32_t c) { return (c >= 0x410 && c <= 0x44F) || c == 0x401 || c == 0x451; }

}  // namespace

bool IsNameCharacter(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  if (IsCyrillic(c)) return true;
  return std::u32string_view(U"!(),-.@_").find(c) != std::u32string_view::npos;
}

int CheckName(std::string_view text, std::size_t limit) {
  // A text far longer than any limit is refused before it is decoded.
  if (text.size() > 4 * limit) return kNameRefused;
  const std::vector<Point> points = CodePoints(text);
  if (points.size() < 2 || points.size() > limit) return kNameRefused;
  bool cyrillic = false;
  for (const Point& p : points) {
    if (!IsNameCharacter(p.c)) return kNameRefused;
    cyrillic = cyrillic || IsCyrillic(p.c);
  }
  return cyrillic ? kNameCyrillic : kNameLatin;
}

std::string NameAlphabetOnly(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  for (const Point& p : CodePoints(text)) {
    if (IsNameCharacter(p.c)) {
      out.append(text.substr(at, p.bytes));
    } else {
      out += '_';
    }
    at += p.bytes;
  }
  return out;
}

std::string ShownName(std::string_view text, std::size_t limit) {
  return CheckName(text, limit) == kNameRefused ? std::string("#") : std::string(text);
}

}  // namespace tarvel
