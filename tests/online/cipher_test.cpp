#include "cipher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

bool IsCipherCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::vector<std::string> Samples() {
  std::string allBytes;
  for (int b = 0; b < 256; ++b) allBytes += static_cast<char>(b);
  std::string printable;
  for (char c = ' '; c <= '~'; ++c) printable += c;
  std::string thousand;
  for (int i = 0; i < 1000; ++i) thousand += static_cast<char>('a' + i % 26);
  return {
      "a",
      "ab",
      "abc",
      "http://127.0.0.1:25680/",
      "wtop10",
      "Пароль-123",
      "Добро пожаловать в Тарвел",
      "中文 日本 한국인",
      "#$ ~*&=+% \r\n\t",
      std::string(3, '\0'),
      printable,
      allBytes,
      thousand,
      std::string(1000, 'x'),
      std::string(1000, '\xFF'),
  };
}

TEST(Cipher, RoundTrip) {
  EXPECT_EQ(Encipher(""), "");
  EXPECT_EQ(Decipher(""), std::string{});
  for (const std::string& plain : Samples()) {
    const std::string text = Encipher(plain);
    EXPECT_EQ(Decipher(text), plain) << plain;
    EXPECT_EQ(Encipher(plain), text) << "the same text always gives the same cipher";
  }
}

TEST(Cipher, OutputIsOneLineOfPlainCharactersThatDiffersFromTheInput) {
  for (const std::string& plain : Samples()) {
    const std::string text = Encipher(plain);
    EXPECT_NE(text, plain);
    EXPECT_EQ(text.find(plain), std::string::npos) << "plain text shows through: " << plain;
    for (const char c : text) {
      ASSERT_TRUE(IsCipherCharacter(c)) << "character " << int(c) << " in the cipher of " << plain;
    }
  }
}

TEST(Cipher, SimilarTextsLookDifferent) {
  const std::string a = Encipher("password1");
  const std::string b = Encipher("password2");
  const std::string c = Encipher("password12");
  EXPECT_NE(a, b);
  EXPECT_NE(a.substr(0, 4), c.substr(0, 4)) << "a longer text must not share the start";
}

// The enciphered form is stored in files and in the program's constants;
// a change of the cipher would make them unreadable.
TEST(Cipher, KnownForms) {
  EXPECT_EQ(Encipher("abc"), "aDpMXj");
  EXPECT_EQ(Encipher("a"), "-X3");
  EXPECT_EQ(Decipher("7Q9R13IOaj"), "wtop10");
}

TEST(Cipher, MalformedTextsAreRefused) {
  const std::string valid = Encipher("account secret");
  struct Case {
    const char* name;
    std::string text;
  };
  const Case cases[] = {
      {"one character", "A"},
      {"a length that leaves one character", valid + "L"},
      {"a character outside the alphabet", valid.substr(0, valid.size() - 1) + "#"},
      {"a blank", " " + valid.substr(1)},
      {"a line end", valid + "\r\n"},
      {"two characters: the check byte alone", "LL"},
      {"a truncated text", valid.substr(0, valid.size() - 2)},
      {"a non-UTF-8 byte", valid.substr(0, 3) + "\xE8" + valid.substr(4)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Decipher(c.text), std::nullopt) << c.name;
  }
}

TEST(Cipher, DamagedTextsAreAlmostAlwaysNoticed) {
  const std::string plain = "http://example.org/services/";
  const std::string text = Encipher(plain);
  const std::string alphabet = "ABCxyz019-_";
  int changes = 0;
  int noticed = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    for (const char c : alphabet) {
      if (c == text[i]) continue;
      std::string damaged = text;
      damaged[i] = c;
      ++changes;
      const auto result = Decipher(damaged);
      EXPECT_NE(result, plain) << "position " << i;
      if (!result) ++noticed;
    }
  }
  EXPECT_GE(noticed * 100, changes * 95) << noticed << " of " << changes;
}

}  // namespace
}  // namespace tarvel
