#include "passport_name.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "chat_board.h"
#include "notices.h"
#include "settings_file.h"

namespace tarvel {
namespace {

TEST(NameCheck, NicksAndCities) {
  struct Case {
    std::string text;
    std::size_t limit;
    int result;
  } const cases[] = {
      {"Ann", kNickLimit, kNameLatin},
      {"Анна", kNickLimit, kNameCyrillic},
      {"Ёлка_1", kNickLimit, kNameCyrillic},
      {"Pa(u)l!,-.@_", kNickLimit, kNameLatin},
      {"A", kNickLimit, kNameRefused},              // one character
      {"", kNickLimit, kNameRefused},
      {"Ann Lee", kNickLimit, kNameRefused},        // a blank
      {"ABCDEFGHIJKLM", kNickLimit, kNameRefused},  // 13 characters
      {"АБВГДЕЖЗИЙКЛ", kNickLimit, kNameCyrillic},  // 12 letters in 24 bytes
      {"ABCDEFGHIJKLMNO", kCityLimit, kNameLatin},
      {"<b>x</b>", kNickLimit, kNameRefused},
      {"Jos\xC3\xA9", kNickLimit, kNameRefused},    // é is not in the alphabet
      {"Ann\xFF", kNickLimit, kNameRefused},        // malformed UTF-8
      {"\xC0\xC1", kNickLimit, kNameRefused},       // overlong forms
      {"Ann\r\n", kNickLimit, kNameRefused},
      {std::string(10000, 'a'), kNickLimit, kNameRefused},
      {"ABCDEFGHIJKL", kNickLimit, kNameLatin},         // 12
      {"ABCDEFGHIJKLMNOP", kCityLimit, kNameRefused},   // 16
      {"東京", kCityLimit, kNameRefused},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CheckPassportName(c.text, c.limit), c.result) << c.text;
    EXPECT_EQ(ShownName(c.text, c.limit), c.result == kNameRefused ? "#" : c.text) << c.text;
  }
}

TEST(NameCheck, ChatTextsKeepOnlyTheAlphabet) {
  struct Case {
    const char* typed;
    const char* sent;
    const char* shown;
  } const cases[] = {
      {"hello world", "hello_world", "hello world"},
      {"a_b", "a_b", "a b"},  // the author's own '_' shows as a blank too
      {"Привет, мир!", "Привет,_мир!", "Привет, мир!"},
      {"<a href=x>", "_a_href_x_", " a href x "},
      {"x\xFFy", "x_y", "x y"},         // every malformed byte
      {"caf\xC3\xA9", "caf_", "caf "},  // é: one character, one '_'
      {"", "", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameAlphabetOnly(c.typed), c.sent) << c.typed;
    EXPECT_EQ(ShownChatText(NameAlphabetOnly(c.typed)), c.shown) << c.typed;
  }
  EXPECT_EQ(ChatTimeField("14:03", "09.12.26", "Tarvel"), "14_03_09.12.26_Tarvel");
}

TEST(NameCheck, ChatNeedsAPassport) {
  Settings settings;
  EXPECT_TRUE(MayChat(settings));  // "Incognito" from "Moscow"
  settings.City = "X";
  EXPECT_FALSE(MayChat(settings));
  settings.City = "Roma";
  settings.Nick = "Ann Lee";
  EXPECT_FALSE(MayChat(settings));
}

// The two notice files as other programs or a damaged disk may leave them.
TEST(NoticeFiles, MalformedFiles) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("tarvel-notices-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  struct Case {
    std::string bytes;
    ChatNotice chat;
    std::int32_t news;
  } const cases[] = {
      {"7\r\n1\r\n1\r\n", {7, true, true}, 7},
      {"7\n0\n1", {7, false, true}, 7},             // LF only, no last line break
      {"", {1, false, false}, 0},                    // empty
      {"x\r\n", {1, false, false}, 0},               // not a number
      {"99999999999\r\n", {1, false, false}, 0},     // does not fit
      {"-3\r\n2\r\n", {-3, false, false}, -3},
      {std::string("5\0\r\n1", 5), {1, true, false}, 0},
      {std::string(100000, '9'), {1, false, false}, 0},
      {"\xFF\xFE" "1\r\n", {1, false, false}, 0},    // a byte order mark
  };
  for (const Case& c : cases) {
    for (const char* name : {kChatFileName, kNewsFileName})
      std::ofstream(folder / name, std::ios::binary) << c.bytes;
    EXPECT_EQ(ReadChatNotice(folder), c.chat) << c.bytes.substr(0, 20);
    EXPECT_EQ(ReadOpenedNews(folder), c.news) << c.bytes.substr(0, 20);
  }
  // A missing chat file is created with "1", "0", "0".
  std::filesystem::remove(folder / kChatFileName);
  EXPECT_EQ(ReadChatNotice(folder), ChatNotice{});
  std::ifstream created(folder / kChatFileName, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(created), {}), "1\r\n0\r\n0\r\n");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarvel
