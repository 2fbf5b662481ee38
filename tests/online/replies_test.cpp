#include "replies.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cipher.h"
#include "endpoints.h"
#include "service_requests.h"
#include "settings_file.h"

namespace tarvel {
namespace {

TEST(NumberReply, EdgeCases) {
  struct Case {
    const char* reply;
    std::optional<std::int32_t> number;
  } const cases[] = {
      {"$12$", 12},              // the closing '$' is passed over
      {"$12", 12},               // digits to the end are kept whole
      {"$12$\r\n", 12},          // a closing line break is not part of it
      {"$x12", std::nullopt},    // a letter before the digits
      {"$7$x12", std::nullopt},  // an earlier '$' is not tried
      {"12", std::nullopt},      // no '$'
      {"$", std::nullopt},
      {"", std::nullopt},
      {"$$", std::nullopt},
      {"$-1$", std::nullopt},
      {"$99999999999$", std::nullopt},  // does not fit
      {"ab$3 place$", 3},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseNumberReply(c.reply), c.number) << c.reply;
}

TEST(Records, SplitAndFields) {
  struct Case {
    const char* reply;
    bool starEnds;
    std::vector<std::vector<std::string>> records;
  } const cases[] = {
      {"no dollar at all", false, {}},
      {"$a b$c", false, {{"a", "b"}, {"c"}}},
      {"$a  b\n", false, {{"a", "", "b"}}},  // two blanks: an empty field
      {"head$1 x*tail$2 y", true, {{"1", "x"}, {"2", "y"}}},
      {"$1 x*tail", false, {{"1", "x*tail"}}},
      {"$", false, {{""}}},
  };
  for (const Case& c : cases) {
    const auto records = ReplyRecords(c.reply, 10, c.starEnds);
    ASSERT_EQ(records.size(), c.records.size()) << c.reply;
    for (std::size_t i = 0; i < records.size(); ++i) {
      ASSERT_EQ(records[i].size(), c.records[i].size()) << c.reply;
      for (std::size_t f = 0; f < records[i].size(); ++f)
        EXPECT_EQ(records[i][f], c.records[i][f]) << c.reply;
    }
  }
  EXPECT_EQ(ReplyRecords("$1$2$3$4", 2).size(), 2u);
}

TEST(TopTenReply, FillsInOrderAndKeepsDefaults) {
  TopTenList list = EmptyTopTenList(807);
  // Field 2 is skipped; texts arrive in Windows-1251 ("\xC8\xE2\xE0\xED" Иван).
  ASSERT_TRUE(ParseTopTenReply("$1 99 500 \xC8\xE2\xE0\xED 1-001 Moscow M 5.7f # #"
                               "$2 98 400 Bob 3-005 Boston M 5.7f x y$3 1 300 Ann\n",
                               list));
  EXPECT_EQ(list[0].Place, 1);
  EXPECT_EQ(list[0].Score, 500);
  EXPECT_EQ(list[0].Nick, "Иван");
  EXPECT_EQ(list[1].R10, "y");
  EXPECT_EQ(list[2].Nick, "Ann");
  EXPECT_EQ(list[2].City, "#");  // a short record leaves the rest alone
  for (std::size_t i = 3; i < list.size(); ++i) EXPECT_EQ(list[i], EmptyTopTenList(807)[i]);

  struct Bad {
    const char* reply;
  } const bad[] = {{"$x 1 2 Bob"}, {"$1 1 two Bob"}, {"$1 x  Bob"}, {"$ 1 2"}};
  for (const Bad& b : bad) {
    TopTenList entries = EmptyTopTenList(807);
    EXPECT_FALSE(ParseTopTenReply(b.reply, entries)) << b.reply;
  }
  TopTenList none = EmptyTopTenList(807);
  EXPECT_TRUE(ParseTopTenReply("nothing here", none));
  EXPECT_EQ(none, EmptyTopTenList(807));
}

TEST(OnlineTopTenReply, OwnFieldOrder) {
  TopTenList list = EmptyTopTenList(87);
  ASSERT_TRUE(ParseOnlineTopTenReply("$1 Bob Boston 3-005 M 1500$2 Ann Oslo\r\n", list));
  EXPECT_EQ(list[0].Nick, "Bob");
  EXPECT_EQ(list[0].City, "Boston");
  EXPECT_EQ(list[0].Country, "3-005");
  EXPECT_EQ(list[0].R07, "M");
  EXPECT_EQ(list[0].Score, 1500);
  EXPECT_EQ(list[1].Place, 2);
  EXPECT_EQ(list[1].Score, 0);  // a short record keeps the default
  EXPECT_EQ(list[2], EmptyTopTenList(87)[2]);
  TopTenList bad = EmptyTopTenList(87);
  EXPECT_FALSE(ParseOnlineTopTenReply("$1 Bob Boston 3-005 M many", bad));
}

TEST(StatReply, EighteenFields) {
  TQorStat stat;
  ASSERT_TRUE(ParseStatReply("$10 4 2 Bob 1 2 3 4 5 6 7 8 9 10 11 12 13 #\n", stat));
  EXPECT_EQ(stat.Stat1, 10);
  EXPECT_EQ(stat.Stat2, 4);
  EXPECT_EQ(stat.Stat3, 2);
  EXPECT_EQ(stat.Stat4, "Bob");
  EXPECT_EQ(stat.StatX[11], 12);
  EXPECT_EQ(stat.StatY, 13);
  EXPECT_EQ(stat.StatZ, "#");
  TQorStat broken;
  EXPECT_FALSE(ParseStatReply("$10 4 2 Bob 1 2 x", broken));
}

TEST(Markers, OkAfterLastDollar) {
  struct Case {
    const char* reply;
    bool ok;
  } const cases[] = {
      {"$+ok#", true}, {"$1ok", true}, {"$ok", false}, {"ok", false},
      {"$+ok#$+no#", false}, {"$+no#ok", false}, {"", false}, {"$+o", false},
  };
  for (const Case& c : cases) EXPECT_EQ(OkAfterLastDollar(c.reply), c.ok) << c.reply;
}

TEST(Directory, KeysPausesAndAddresses) {
  struct Case {
    const char* document;
    const char* key;
    std::optional<std::string> value;
  } const cases[] = {
      {"StatPath=abc#AccPath=def#", "StatPath", "abc"},
      {"x StatPath:abc", "StatPath", "abc"},  // no '#': to the end
      {"StatPath", "StatPath", ""},
      {"StatPath=a#StatPath=b#", "StatPath", "a"},  // the first occurrence
      {"AccPath=x#", "StatPath", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(DirectoryValue(c.document, c.key), c.value) << c.document;

  Settings settings;
  settings.TopTenServicePath = DefaultTopTenServiceLine();
  ServiceEndpoints endpoints("http://h:1/");
  const std::string stat = Encipher("other/stat");
  DirectoryState state = ApplyServiceDirectory(
      "WTGamesPause=1#CTGamesPause=1#StatPath=" + stat + "#AccPath=%%bad#", settings, endpoints);
  EXPECT_TRUE(state.topTenPaused);
  EXPECT_TRUE(state.chatPaused);
  EXPECT_EQ(settings.StatServicePath, stat);
  EXPECT_EQ(endpoints.Address(Endpoint::StatService), "http://h:1/other/stat");
  EXPECT_EQ(endpoints.Address(Endpoint::AccountService), "http://h:1/account");  // kept
  state = ApplyServiceDirectory("nothing", settings, endpoints);
  EXPECT_FALSE(state.topTenPaused || state.chatPaused);
}

TEST(News, NumberAfterMarker) {
  struct Case {
    const char* document;
    std::int32_t number;
  } const cases[] = {
      {"<!-- QorNews00012 -->", 12}, {"no marker", 0}, {"QorNews12a45", 0},
      {"QorNews", 0}, {"QorNews7", 7}, {"QorNews 1234", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(NewsNumber(c.document), c.number) << c.document;
}

TEST(WireSafe, ReplacesWhatWouldSplitFields) {
  EXPECT_EQ(WireSafe("Big Bob&x=1$2*3#4+5%6\t7"), "Big_Bob_x_1_2_3_4_5_6_7");
  EXPECT_EQ(WireSafe("Иван-1.(ok)"), "Иван-1.(ok)");
}

}  // namespace
}  // namespace tarvel
