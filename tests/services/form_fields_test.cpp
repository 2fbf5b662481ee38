#include "form_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel::services {
namespace {

TEST(FormFields, ParsesBothStylesAndRefusesMalformedBodies) {
  struct Case {
    std::string body;
    const char* shape;  // nullptr: refused
  } const cases[] = {
      {"gid=807", "gid"},
      {"gid=807\n\r&\n\rnick=a%20b", "gid,nick"},  // list style with empty lines
      {"gid=1&R10=#*", "R10,gid"},                  // the closing '*'
      {"", ""},
      {"&&", ""},
      {"gid", nullptr},
      {"=5", nullptr},
      {"gid=1&gid=2", nullptr},  // a forged second field
      {"a=%2", nullptr},
      {"a=%zz", nullptr},
      {std::string(kMaxBody + 1, 'a'), nullptr},
  };
  for (const Case& c : cases) {
    const auto form = FormFields::Parse(c.body);
    if (c.shape == nullptr) {
      EXPECT_FALSE(form.has_value()) << c.body.substr(0, 40);
    } else {
      ASSERT_TRUE(form.has_value()) << c.body;
      EXPECT_EQ(form->Shape(), c.shape);
    }
  }
}

TEST(FormFields, NumbersAndTextsAreChecked) {
  const auto form = FormFields::Parse("n=42&neg=-7&big=99999999999999999999&word=abc&sp=a+b&"
                                      "dollar=a$b&long=abcdefghijklm&ctl=a%01b&hash=#");
  ASSERT_TRUE(form.has_value());
  EXPECT_EQ(form->Number("n", 0, 100), 42);
  EXPECT_EQ(form->Number("n", 0, 10), std::nullopt);
  EXPECT_EQ(form->Number("neg", -10, 0), -7);
  EXPECT_EQ(form->Number("big", 0, 100), std::nullopt);
  EXPECT_EQ(form->Number("word", 0, 100), std::nullopt);
  EXPECT_EQ(form->Number("missing", 0, 100), std::nullopt);
  EXPECT_EQ(form->Text("word", 12), "abc");
  EXPECT_EQ(form->Text("long", 12), std::nullopt);
  for (const char* name : {"sp", "dollar", "ctl", "missing"})
    EXPECT_EQ(form->Text(name, 12), std::nullopt) << name;
  EXPECT_EQ(form->Text("hash", 12), "#");
}

TEST(FormFields, NamesAndCountries) {
  struct Case {
    const char* value;
    bool name;     // a nick of 2..12
    bool country;
  } const cases[] = {
      {"Ann", true, false},        {"A", false, false},         {"Ann_(1).x@y!", true, false},
      {"\xC8\xE2\xE0\xED", true, false},  // Windows-1251 Cyrillic
      {"\xA8\xB8", true, false},   // Ё ё
      {"a:b", false, false},       {"a%3Bb", false, false},     {"#", false, false},
      {"1-001", true, true},       {"6-999", true, true},       {"7-001", true, false},
      {"1-01", true, false},       {"1_001", true, false},      {"ThirteenChars", false, false},
  };
  for (const Case& c : cases) {
    const auto form = FormFields::Parse(std::string("v=") + c.value);
    ASSERT_TRUE(form.has_value()) << c.value;
    EXPECT_EQ(form->Name("v", 2, 12).has_value(), c.name) << c.value;
    EXPECT_EQ(form->Country("v").has_value(), c.country) << c.value;
  }
  EXPECT_EQ(FormFields::Parse("v=#")->Name("v", 2, 12, true), "#");
}

TEST(ReplyText, FieldsNeverCarryBlanks) {
  EXPECT_EQ(ReplyRecord({"1", "", "a b", "c$d", "e\nf"}), "$1 # a_b c_d e_f");
  EXPECT_EQ(NumberReply(12), "$12$\n");
}

}  // namespace
}  // namespace tarvel::services
