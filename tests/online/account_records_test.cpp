#include "account_records.h"

#include <gtest/gtest.h>

#include <cmath>

#include "cipher.h"
#include "service_requests.h"
#include "settings_file.h"

namespace tarvel {
namespace {

TEST(AccountRating, FirstGameAdvanceWriteAndResult) {
  const TQorGame fresh;  // K = 0, R = 0
  const TQorGame advance = AdvanceRecord(fresh);
  EXPECT_EQ(advance.Kon, 1);
  EXPECT_EQ(advance.KonL, 0);
  EXPECT_EQ(advance.Score, 0);
  EXPECT_NEAR(advance.Rating, -2000.0 + 1.0 / 30, 1e-9);
  // The service hands the advance record back; the result 200 replaces the loss.
  const TQorGame finished = FinishedRecord(advance, fresh.KonL, 200, 200);
  EXPECT_NEAR(finished.Rating, 200.0 + 1.0 / 30, 1e-9);
  EXPECT_EQ(finished.Kon, 1);
  EXPECT_EQ(finished.KonL, 1);
  EXPECT_EQ(finished.Score, 200);
  EXPECT_EQ(finished.Sessions, 0);
}

TEST(AccountRating, MeanResultPlusOneThirtiethPerGame) {
  // Games of 200, -100 and 300 played one after the other: R = K / 30 + mean.
  TQorGame record;
  std::int32_t score = 0;
  const std::int32_t results[] = {200, -100, 300};
  for (const std::int32_t result : results) {
    const TQorGame advance = AdvanceRecord(record);
    score += result;
    record = FinishedRecord(advance, record.KonL, result, score);
  }
  EXPECT_NEAR(record.Rating, 3.0 / 30 + 400.0 / 3, 1e-9);
  EXPECT_EQ(record.KonL, 3);
}

TEST(AccountRating, CycleEnds) {
  struct Case {
    std::int32_t cycleGames, best, newScore;
    std::int32_t konL, score, sessions, bestAfter;
  } const cases[] = {
      {29, 500, 900, 0, 0, 3, 900},    // the 30th game: a higher score becomes Best
      {29, 1200, 900, 0, 0, 3, 1200},  // a lower one leaves it
      {28, 500, 900, 29, 900, 2, 500}, // the 29th game goes on
      {0, 500, -200, 1, -200, 2, 500},
  };
  for (const Case& c : cases) {
    TQorGame read;
    read.Kon = 90;
    read.Best = c.best;
    read.Sessions = 2;
    const TQorGame record = FinishedRecord(read, c.cycleGames, 100, c.newScore);
    EXPECT_EQ(record.KonL, c.konL) << c.cycleGames;
    EXPECT_EQ(record.Score, c.score) << c.cycleGames;
    EXPECT_EQ(record.Sessions, c.sessions) << c.cycleGames;
    EXPECT_EQ(record.Best, c.bestAfter) << c.cycleGames;
  }
}

TEST(AccountRating, WireAndShownForms) {
  EXPECT_EQ(WireRating(0.000001), "0");
  EXPECT_EQ(WireRating(-0.000009), "0");
  EXPECT_EQ(WireRating(-1999.5), "-1999.5");
  const double rating = 200.0 + 1.0 / 30;
  EXPECT_EQ(ParseAccountRating(WireRating(rating)), rating);  // exact round trip
  EXPECT_EQ(ShownRating(rating), "200,033");
  EXPECT_EQ(ShownRating(-3.5), "-3,500");
  struct Case {
    const char* text;
    std::optional<double> value;
  } const cases[] = {{"12,5", 12.5}, {"12.5", 12.5}, {"-0;25", -0.25}, {"7", 7.0},
                     {"", std::nullopt}, {"1.2.3", std::nullopt}, {"abc", std::nullopt}, {"--1", std::nullopt}};
  for (const Case& c : cases) EXPECT_EQ(ParseAccountRating(c.text), c.value) << c.text;
}

TEST(UserFile, Lines) {
  const StoredLogin login{"Alex", Encipher("pa ss#$")};
  EXPECT_EQ(UserFileText(login), "Qor User File\r\nAlex\r\n" + login.PwC + "\r\n");
  const auto read = ParseUserFile(UserFileText(login));
  ASSERT_TRUE(read);
  EXPECT_EQ(read->nick, "Alex");
  // The automatic login sends blanks, '#' and '$' as '-'.
  EXPECT_EQ(StoredPassword(read->PwC), "pa-ss--");
  EXPECT_EQ(StoredPassword("not*enciphered"), std::nullopt);
  for (const char* text : {"Qor User file\r\nAlex\r\nXYZ\r\n", "\r\nQor User File\r\nAlex\r\nXYZ",
                           "Qor User File\r\n\r\nXYZ\r\n", "Qor User File\r\nAlex\r\n", ""})
    EXPECT_FALSE(ParseUserFile(text)) << text;
  EXPECT_TRUE(ParseUserFile("Qor User File\nAlex\nXYZ"));  // LF alone and no final break
}

TEST(AccountFields, Lamps) {
  using F = AccountField;
  using L = FieldLamp;
  struct Case {
    const char* text;
    F kind;
    L lamp;
  } const cases[] = {
      {"A", F::Nick, L::Red},                  // one character
      {"Abcdefghijkl", F::Nick, L::Green},     // 12
      {"Abcdefghijklm", F::Nick, L::Red},      // 13
      {"", F::City, L::Red},
      {"Москва", F::City, L::Yellow},
      {"Ёлкино", F::City, L::Yellow},
      {"Саша", F::Nick, L::Red},
      {"Sasha_(1)!", F::Nick, L::Green},
      {"Sa sha", F::Nick, L::Red},            // blank
      {"Sa#sha", F::Nick, L::Red},
      {"Ünal", F::Nick, L::Red},              // not in the code page's letters
      {"abc", F::Password, L::Red},           // shorter than 4
      {"abcd", F::Password, L::Green},
      {"абвг", F::Password, L::Red},
      {"a@", F::EMail, L::Red},
      {"@ab", F::EMail, L::Red},
      {"ab@c", F::EMail, L::Green},
      {"a@b", F::EMail, L::Green},
      {"abc", F::EMail, L::Red},
      {"abcdefghijklmnopqrstuvw@yz.com", F::EMail, L::Green},   // 30
      {"abcdefghijklmnopqrstuvwx@yz.com", F::EMail, L::Red},    // 31
  };
  for (const Case& c : cases) EXPECT_EQ(CheckAccountField(c.text, c.kind), c.lamp) << c.text;
}

TEST(AccountReplies, Login) {
  TQorUser user;
  user.Nick = "Alex";
  user.Pw = "secret";
  ASSERT_TRUE(ParseLoginReply("$Genoa Italia 1-036 M a@b.it 01.02.2026 xxx xxx xxx 0 0 7$", user));
  EXPECT_EQ(user.City, "Genoa");  // "no" inside a field is no refusal
  EXPECT_EQ(user.Country2, "1-036");
  EXPECT_EQ(user.Sex, 'M');
  EXPECT_EQ(user.DateR, "01.02.2026");
  EXPECT_EQ(user.R06, 7);
  EXPECT_EQ(user.Nick, "Alex");
  EXPECT_EQ(user.Pw, "secret");
  // Refusals and replies that hold no login: the defaults stay.
  for (const char* reply : {"no", "no$", "$no$", "$+no#\n", "$+no wait$30\n", "", "garbage",
                            "$A B C D E F G H I x 0 0$"}) {
    EXPECT_FALSE(ParseLoginReply(reply, user)) << reply;
  }
  ASSERT_TRUE(ParseLoginReply("$Paris$", user));  // a short record keeps the rest at defaults
  EXPECT_EQ(user.DateR, "00.00.0000");
  EXPECT_EQ(user.EMail, "#");
  EXPECT_EQ(user.Sex, '#');
  ASSERT_TRUE(ParseLoginReply("$\xcc\xee\xf1\xea\xe2\xe0 x$", user));  // Windows-1251 "Москва"
  EXPECT_EQ(user.City, "Москва");
}

TEST(AccountReplies, GameRecord) {
  TQorGame game;
  ASSERT_TRUE(ParseGameRecordReply("$31 900 12,345 1 1 200 0 #$", game));
  EXPECT_EQ(game.Kon, 31);
  EXPECT_EQ(game.Best, 900);
  EXPECT_DOUBLE_EQ(game.Rating, 12.345);
  EXPECT_EQ(game.Sessions, 1);
  EXPECT_EQ(game.KonL, 1);
  EXPECT_EQ(game.Score, 200);
  EXPECT_EQ(game.R2, "#");
  for (const char* reply : {"", "ok", "$31 900 12.3 1 1$", "$x 900 1 1 1 1$", "$1 2 3.3.3 4 5 6$",
                            "$1 2 3 4 30 6$", "$-1 2 3 4 5 6$"}) {
    EXPECT_FALSE(ParseGameRecordReply(reply, game)) << reply;
    EXPECT_EQ(game.Kon, 0) << reply;  // a failed read leaves the defaults
  }
}

TEST(AccountReplies, RatingListAndProfile) {
  AccountTopTen rows;
  ASSERT_TRUE(ParseRatingListReply("$1 Alex Genoa X Italia M 210,5*$2 Bea Rome X Italia W 9.25*", rows));
  EXPECT_EQ(rows[0].Nick, "Alex");
  EXPECT_EQ(rows[0].Country, "Italia");  // field 5 over field 4
  EXPECT_DOUBLE_EQ(rows[0].Rating, 210.5);
  EXPECT_EQ(rows[1].Sex, 'W');
  EXPECT_EQ(rows[2], TQorTop10{});
  EXPECT_FALSE(ParseRatingListReply("$1 A B C D M x", rows));
  ASSERT_TRUE(ParseRatingListReply("", rows));

  TInfo14 info;
  ASSERT_TRUE(ParseProfileReply("$Alex~Smith~I know cards~~a@b.c~~~~~~~~~yt\n", info));
  EXPECT_EQ(info.About, "I know cards");
  EXPECT_EQ(info.EMailO, "a@b.c");
  EXPECT_EQ(info.YouTube, "yt");
  for (const char* reply : {"no", "$no$", "$+no#\n", "", "$Alex$"}) EXPECT_FALSE(ParseProfileReply(reply, info)) << reply;
  EXPECT_EQ(info, TInfo14{});
}

TEST(AccountReplies, MarkersAndWire) {
  EXPECT_EQ(RegisterOutcome("$ok$"), 0);
  EXPECT_EQ(RegisterOutcome("$is$"), 1);
  EXPECT_EQ(RegisterOutcome("ok is"), 1);  // "is" wins
  EXPECT_EQ(RegisterOutcome("$error$"), 2);
  EXPECT_EQ(ProfileWireValue("+7 (900) a&b~c\n"), "%2B7%20%28900%29%20a%26bc");
  EXPECT_EQ(ProfileWireValue("Ян"), "%DF%ED");
}

}  // namespace
}  // namespace tarvel

namespace tarvel {
namespace {

TEST(AccountDirectory, PhotoUploadAddress) {
  const std::string upload = "ftp://127.0.0.1:2121/photos/";
  struct Case {
    std::string document;
    bool replaced;
  } const cases[] = {
      {"FtpPath=" + Encipher(upload) + "#\n", true},
      {"FtpPath=not*enciphered#\n", false},
      {"FtpPath=#\n", false},
      {"", false},
  };
  for (const Case& c : cases) {
    ServiceEndpoints endpoints("http://127.0.0.1:8080/");
    const std::string before = endpoints.Address(Endpoint::PhotoUpload);
    Settings settings;
    ApplyServiceDirectory(c.document, settings, endpoints);
    EXPECT_EQ(endpoints.Address(Endpoint::PhotoUpload), c.replaced ? upload : before) << c.document;
  }
}

}  // namespace
}  // namespace tarvel
