#include "cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace tarvel {
namespace {

std::string Byte(int b) { return std::string(1, static_cast<char>(b)); }

TEST(Cp1251, EveryByteRoundTrips) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const std::string utf8 = Cp1251ToUtf8(Byte(b));
    EXPECT_EQ(Utf8ToCp1251(utf8), Byte(b)) << "byte " << b;
    all += Byte(b);
  }
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

// The system's own converter is an independent reference for every byte that
// the code page assigns (it refuses the unassigned 0x98).
TEST(Cp1251, AgreesWithTheSystemConverter) {
  iconv_t converter = iconv_open("UTF-8", "CP1251");
  ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1)) << "glibc lacks CP1251";
  for (int b = 0; b < 256; ++b) {
    if (b == 0x98) continue;
    std::string in = Byte(b);
    char out[8] = {};
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    ASSERT_NE(iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1))
        << "byte " << b;
    EXPECT_EQ(Cp1251ToUtf8(Byte(b)), std::string(out, outPtr)) << "byte " << b;
  }
  iconv_close(converter);
}

TEST(Cp1251, Cyrillic) {
  struct Case {
    std::string utf8;
    std::string bytes;
  };
  const Case cases[] = {
      {"Привет, мир!", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!"},
      {"АЯаяЁё", "\xC0\xDF\xE0\xFF\xA8\xB8"},
      {"№ 5 — «Тарвел»", "\xB9 5 \x97 \xAB\xD2\xE0\xF0\xE2\xE5\xEB\xBB"},
      {"Ґґ Її Єє Ўў", "\xA5\xB4 \xAF\xBF \xAA\xBA \xA1\xA2"},
      {"€ ™ …", "\x88 \x99 \x85"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.bytes) << c.utf8;
    EXPECT_EQ(Cp1251ToUtf8(c.bytes), c.utf8) << c.utf8;
  }
}

TEST(Cp1251, UnmappableAndMalformedBecomeQuestionMarks) {
  struct Case {
    const char* name;
    std::string utf8;
    std::string bytes;
  };
  const Case cases[] = {
      {"Chinese", "中文", "??"},
      {"Latin accent", "café", "caf?"},
      {"Czech", "Čeština", "?e?tina"},
      {"four-byte emoji", "a\xF0\x9F\x83\x8F" "b", "a?b"},
      {"stray continuation", "a\x80z", "a?z"},
      {"invalid lead byte", "\xFF\xFE", "??"},
      {"truncated sequence", "x\xD0", "x?"},
      {"truncated three-byte sequence", "\xE2\x82", "??"},
      {"overlong slash", "\xC0\xAF", "??"},
      {"surrogate", "\xED\xA0\x80", "???"},
      {"beyond U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"zero byte kept", std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.bytes) << c.name;
  }
}

}  // namespace
}  // namespace tarvel
