// The record file formats: texts, sums, history files, the club file and
// the storing of a finished game, in real temporary folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "club_file.h"
#include "game_record.h"
#include "history_file.h"
#include "record_text.h"
#include "settings_test_support.h"

namespace tarvel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const HistoryStamp kStamp{"14:05", "17.05.2024"};

TEST(RecordText, NumbersAsTheFilesWriteThem) {
  struct Case {
    std::string got;
    std::string want;
  };
  const std::vector<Case> cases = {
      {Fixed2(0.0, 0), "0,00"},          {Fixed2(0.05, 0), "0,05"},
      {Fixed2(-8.2, 0), "-8,20"},        {Fixed2(8.22, 10), "      8,22"},
      {Fixed2(-0.05, 10), "     -0,05"}, {Fixed2(0.004, 6), "  0,00"},
      {Fixed2(12.345, 6), " 12,35"},     {Fixed6(0.0), "  0,000000"},
      {Fixed6(1.0), "  1,000000"},       {Fixed6(-12.5), "-12,500000"},
      {Fixed6(0.000001), "  0,000001"},  {Fixed6(-0.25), " -0,250000"},
      {PadLeft(7, 4, '0'), "0007"},      {PadLeft(-12345, 3), "-12345"},
      {PadLeft(5, 3), "  5"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.got, c.want);

  struct Parse {
    std::string text;
    double value;
  };
  for (const Parse& p : std::vector<Parse>{{"  1,000000", 1.0},
                                          {"-12,500000", -12.5},
                                          {" -0,05", -0.05},
                                          {"######", 0.0},
                                          {"", 0.0},
                                          {"  3x25", 3.25}})
    EXPECT_DOUBLE_EQ(ParseRating(p.text), p.value) << p.text;
}

TEST(RecordText, SumsCountAllEvenAndThirdPositions) {
  // Positions 1..6 hold 1..6: all 21, even 2+4+6, thirds 3+6.
  const std::string bytes = {1, 2, 3, 4, 5, 6};
  EXPECT_EQ(SumBytes(bytes), (ByteSums{21, 12, 9}));
  // Bytes above 127 count as unsigned.
  EXPECT_EQ(SumBytes(std::string(1, static_cast<char>(187))), (ByteSums{187, 0, 0}));
}

TEST(RatingAfter, MeanOfTheResultsRoundedAndLimited) {
  struct Case {
    std::int64_t games, result;
    double rating, want;
  };
  for (const Case& c : std::vector<Case>{
           {1, 200, 0.0, 1.0},            // first game of a new player
           {2, -300, 1.0, -0.25},         // (1 x 1.0 - 1.5) / 2
           {3, 100, 0.5, 0.5},            // (2 x 0.5 + 0.5) / 3
           {3, 0, 1.0, 0.666667},         // rounded to six decimals
           {1, 40000, 0.0, 99.99},        // held at the top
           {1, -40000, 0.0, -99.99},
       })
    EXPECT_DOUBLE_EQ(RatingAfter(c.games, c.result, c.rating), c.want) << c.games << " " << c.result;

  const TCount count = FillGameInfo(30, 30, 1.0, 200, 500);
  EXPECT_EQ(count.Count_KonAll, "30");
  EXPECT_EQ(count.Count_KonCur, "30");
  EXPECT_EQ(count.Count_ScoBeg, "500");
  EXPECT_EQ(count.Count_ScoCur, "200");
  EXPECT_EQ(count.Count_ScoAll, "700");
  EXPECT_EQ(count.Count_ReiBeg, "  1,00");
  EXPECT_EQ(count.Count_ReiCur, "  1,00");
  EXPECT_EQ(FillGameInfo(31, 30, 0, 0, 0).Count_KonCur, "1");
  // An account game: the service's rating, rounded, and "?" until it has the result.
  const TCount account = FillAccountGameInfo(31, 30, -12.6, 200, 0);
  EXPECT_EQ(account.Count_ReiBeg, "-13");
  EXPECT_EQ(account.Count_ReiCur, "?");
  EXPECT_EQ(account.Count_KonCur, "1");
}

HisStr Entry(std::string name, std::int32_t result = 200, double rating = 1.0, std::uint8_t ac = 0) {
  HisStr entry;
  entry.HName = std::move(name);
  entry.HRes = result;
  entry.HRei = rating;
  entry.Ac = ac;
  return entry;
}

TEST(HistoryFile, RecordLineFields) {
  const std::string sixty(60, 'n');
  struct Case {
    HisStr entry;
    std::string name51, rating10;
    char kind;
  };
  for (const Case& c : std::vector<Case>{
           {Entry(sixty), std::string(51, 'n'), "      1,00", 'L'},
           {Entry("Abc", 0, 0.0, 3), "Abc" + std::string(48, ' '), "      0,00", 'N'},
           {Entry("X", -5, -8.2, 1), "X" + std::string(50, ' '), "     -8,20", 'A'},
           {Entry("X", 5, 0.05, 2), "X" + std::string(50, ' '), "      0,05", 'T'},
       }) {
    const std::string line = HistoryRecordLine(c.entry, kStamp);
    ASSERT_EQ(line.size(), 114u);
    EXPECT_EQ(line.substr(0, 15), "14:0517.05.2024");
    EXPECT_EQ(line.substr(15, 51), c.name51);
    EXPECT_EQ(line.substr(66, 3), "  1");
    EXPECT_EQ(line.substr(79, 10), c.rating10);
    EXPECT_EQ(line.substr(89, 10), std::string(1, c.kind) + "#########");
  }
  // Values beyond their fields keep the line's shape.
  HisStr wide = Entry("W", -2147483647 - 1, 1e300);
  wide.HKon = 123456;
  EXPECT_EQ(HistoryRecordLine(wide, {"123456", "12345678901"}).size(), 114u);
}

std::filesystem::path HistoryPath(const TempDir& dir, int number) {
  return dir.path() / "History" / HistoryFileName(number);
}

TEST(HistoryFile, FirstGameFileThenCheckAndEdits) {
  TempDir dir;
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("Anna")}, kStamp));
  const HistoryFileInfo info = CheckHistoryFile(dir.path(), 1);
  EXPECT_TRUE(info.valid);
  EXPECT_EQ(info.records, 1);
  EXPECT_EQ(info.date.size(), 10u);
  const std::string bytes = ReadBytes(HistoryPath(dir, 1));
  EXPECT_EQ(bytes.size(), 2 * 116u + 32u);  // two lines of 114, totals of 30, CR LF each

  // One changed byte in the body of any line makes the file invalid; the
  // next entry then starts a new file in its place, the old bytes kept.
  for (std::size_t at : {0u, 20u, 98u, 116u + 5u}) {
    std::string edited = bytes;
    edited[at] = edited[at] == 'x' ? 'y' : 'x';
    EXPECT_FALSE(CheckHistoryBytes(edited).valid) << at;
  }
  // The stored check fields are not what the check reads; the totals are.
  std::string edited = bytes;
  edited[105] = edited[105] == '1' ? '2' : '1';
  EXPECT_TRUE(CheckHistoryBytes(edited).valid);
  edited[20] = 'x';
  WriteBytes(HistoryPath(dir, 1), edited);
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("Boris")}, kStamp));
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 1);
  EXPECT_EQ(ReadBytes(dir.path() / "History" / "Tarvel_I0001.hst.bad"), edited);
}

TEST(HistoryFile, NumberingSkipsFullFilesAndFillsGaps) {
  TempDir dir;
  // Files 1 and 3 present, 2 missing: the entry goes into file 1.
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("One")}, kStamp));
  std::filesystem::copy_file(HistoryPath(dir, 1), HistoryPath(dir, 3));
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("Two")}, kStamp));
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 2);
  EXPECT_EQ(CheckHistoryFile(dir.path(), 3).records, 1);

  // File 1 full at 840 lines: the next entry takes file 2.
  std::vector<std::string> full;
  for (int i = 0; i < kHistoryLinesPerFile; ++i) full.push_back(HistoryRecordLine(Entry("F"), kStamp));
  WriteBytes(HistoryPath(dir, 1), FormatHistoryFile(full, {}, kStamp));
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 840);
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("Three")}, kStamp));
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 840);
  EXPECT_EQ(CheckHistoryFile(dir.path(), 2).records, 1);
  EXPECT_EQ(ReadHistoryRecords(dir.path(), 2).at(0).substr(15, 5), "Three");
  // 839 lines take one more.
  full.pop_back();
  WriteBytes(HistoryPath(dir, 1), FormatHistoryFile(full, {}, kStamp));
  ASSERT_TRUE(AppendHistory(dir.path(), {Entry("Four")}, kStamp));
  EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 840);
}

TEST(ClubFile, EmptyClubPassesItsCheckAndOneChangedByteFailsIt) {
  const std::string bytes = FormatClub(EmptyClub("std"));
  ASSERT_TRUE(ParseClub(bytes).has_value());
  EXPECT_EQ(ClubTag(*ParseClub(bytes)), "std");
  // Any byte of lines 1 to 16 (583 bytes plus 16 CR LF).
  for (std::size_t at = 0; at < 583 + 32; at += 7) {
    if (bytes[at] == '\r' || bytes[at] == '\n') continue;
    std::string edited = bytes;
    edited[at] = edited[at] == 'x' ? 'y' : 'x';
    EXPECT_FALSE(ParseClub(edited).has_value()) << at;
  }
}

TEST(ClubFile, PasswordCodes) {
  EXPECT_EQ(EncodePassword("abc"), "414415416349349");
  EXPECT_EQ(EncodePassword(""), "349349349349349");
  EXPECT_EQ(DecodePassword(EncodePassword("abc")), "abc  ");
  EXPECT_EQ(DecodePassword(EncodePassword("")), PaddedPassword(""));
  EXPECT_NE(DecodePassword(EncodePassword("abc")), PaddedPassword("abcd"));
  EXPECT_EQ(DecodePassword(EncodePassword("\xff\xe0zz!")), "\xff\xe0zz!");
  for (const char* bad : {"", "41441541634934", "41441541634934x", "999349349349349", "000349349349349"})
    EXPECT_FALSE(DecodePassword(bad).has_value()) << bad;
}

std::string Line(const std::string& name, double rating, std::int64_t games = 1, std::int64_t score = 0) {
  return MemberLine(name, rating, games, score, EncodePassword(""));
}

std::vector<std::string> Names(const ClubLines& club, std::size_t from, std::size_t to) {
  std::vector<std::string> names;
  for (std::size_t i = from; i < to; ++i) names.emplace_back(TrimRight(club[i].substr(0, 20)));
  return names;
}

TEST(ClubFile, MembersByRatingTiesAboveAndTheSixthPlayer) {
  ClubLines club = EmptyClub("std");
  for (const auto& [name, rating] : std::vector<std::pair<std::string, double>>{
           {"C", 0.5}, {"A", 2.0}, {"B", 1.0}, {"D", 0.1}, {"E", -1.0}})
    StoreMember(club, Line(name, rating), false);
  EXPECT_EQ(Names(club, 0, 5), (std::vector<std::string>{"A", "B", "C", "D", "E"}));
  // A tie goes above the member it ties with.
  StoreMember(club, Line("Tie", 1.0), false);
  EXPECT_EQ(Names(club, 0, 5), (std::vector<std::string>{"A", "Tie", "B", "C", "D"}));
  // A sixth player below all five is not kept.
  StoreMember(club, Line("Low", -5.0), false);
  EXPECT_EQ(Names(club, 0, 5), (std::vector<std::string>{"A", "Tie", "B", "C", "D"}));
  // Removing a member moves the lines below up and empties line 5.
  RemoveMember(club, 2);
  EXPECT_EQ(Names(club, 0, 4), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_TRUE(IsEmptyMember(club[4]));
  RemoveMember(club, 6);
  EXPECT_EQ(Names(club, 0, 4), (std::vector<std::string>{"A", "B", "C", "D"}));
  EXPECT_TRUE(ParseClub(FormatClub(club)).has_value());
}

TEST(ClubFile, CycleScoresEnterTheTopTen) {
  ClubLines club = EmptyClub("std");
  struct Step {
    std::string name;
    std::int64_t score;
    int place;
  };
  for (const Step& s : std::vector<Step>{{"First", 500, 1}, {"Second", 300, 2}, {"Tie", 500, 1},
                                         {"Negative", -100, 0}, {"Zero", 0, 4}}) {
    std::string line = Line(s.name, 0.0, 30, s.score);
    EXPECT_EQ(StoreMember(club, line, true), s.place) << s.name;
  }
  EXPECT_EQ(Names(club, 5, 9), (std::vector<std::string>{"Tie", "First", "Second", "Zero"}));
  EXPECT_EQ(club[5].substr(20), "   500");
  // The stored member starts the next cycle at 0.
  EXPECT_EQ(MemberCycleScore(club[0]), 0);
  // Without a completed cycle the top ten stays.
  EXPECT_EQ(StoreMember(club, Line("Later", 0.0, 29, 900), false), 0);
  EXPECT_EQ(Names(club, 5, 6), std::vector<std::string>{"Tie"});
}

FinishedGame Game(const std::string& name, const std::string& password, int slot, std::int64_t kon,
                  std::int64_t result, std::int64_t scoreBefore, double rating) {
  FinishedGame game;
  game.member.MemberSlot = slot;
  game.member.MemberName = PadRight(name, 20);
  game.member.MemberCode = EncodePassword(password);
  game.member.MemberRating = rating;
  game.playerKon = kon;
  game.gameResult = result;
  game.newScore = scoreBefore + result;
  return game;
}

// Three games stored one after the other leave exactly the files worked out
// by hand in data/ (see data/make_expected.py).
TEST(StoreFinishedGame, ScriptedGamesGiveTheHandWorkedFiles) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path() / "nowhere"));
  const StoredGame first = StoreFinishedGame(dir.path(), Game("Anna", "abc", 6, 1, 200, 0, 0.0), kStamp);
  EXPECT_DOUBLE_EQ(first.newRating, 1.0);
  EXPECT_EQ(first.memberLine.substr(20, 10), "  1,000000");
  EXPECT_EQ(first.memberLine.substr(30, 7), "      1");
  StoreFinishedGame(dir.path(), Game("Boris", "", 6, 1, -100, 0, 0.0), kStamp);
  const StoredGame third = StoreFinishedGame(dir.path(), Game("Anna", "abc", 1, 2, -300, 200, 1.0), kStamp);
  EXPECT_TRUE(third.historyWritten);
  EXPECT_EQ(third.club, ClubWrite::Written);
  EXPECT_FALSE(third.cycleEnded);
  const std::string data = TARVEL_RECORDS_TEST_DATA;
  EXPECT_EQ(ReadBytes(HistoryPath(dir, 1)), ReadBytes(data + "/scripted.hst"));
  EXPECT_EQ(ReadBytes(dir.path() / "Tarvel.clb"), ReadBytes(data + "/scripted.clb"));
  // The network club is untouched.
  EXPECT_EQ(ReadBytes(dir.path() / "Tarvel.net"), FormatClub(EmptyClub("std")));
}

TEST(StoreFinishedGame, NetworkGamesAndTheThirtiethGame) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
  FinishedGame net = Game("C", "", 6, 1, 100, 0, 0.0);
  net.netGame = true;
  net.seatNames = {"", "A  ", "B", "C "};
  EXPECT_EQ(HistoryNameOf(net), "C/B/A");
  StoreFinishedGame(dir.path(), net, kStamp);
  EXPECT_EQ(ReadHistoryRecords(dir.path(), 1).at(0).substr(15, 6), "C/B/A ");
  EXPECT_EQ(ReadHistoryRecords(dir.path(), 1).at(0)[89], 'N');
  EXPECT_EQ(ReadClubFile(dir.path() / "Tarvel.net").lines[0].substr(0, 1), "C");
  EXPECT_TRUE(IsEmptyMember(ReadClubFile(dir.path() / "Tarvel.clb").lines[0]));

  // A tournament game: the names cut to the field, the points gained, the
  // service's rating, kind T, and no club touched.
  FinishedGame tour = Game("C", "", 6, 1, 0, 0, 0.0);
  tour.tourGame = true;
  tour.gameResult = -37;
  tour.seatNames = {"", std::string(30, 'a'), std::string(30, 'b'), "Carla"};
  ASSERT_TRUE(StoreTournamentHistory(dir.path(), tour, 12.5, kStamp));
  const std::string line = ReadHistoryRecords(dir.path(), 1).back();
  EXPECT_EQ(line.substr(15, 51), "Carla/" + std::string(30, 'b') + "/" + std::string(14, 'a'));
  EXPECT_EQ(line.substr(69, 10), "       -37");
  EXPECT_EQ(line.substr(79, 10), "     12,50");
  EXPECT_EQ(line[89], 'T');
  EXPECT_EQ(ReadClubFile(dir.path() / "Tarvel.net").lines[0].substr(0, 1), "C");

  for (const auto& [kon, ends] : std::vector<std::pair<int, bool>>{{29, false}, {30, true}, {31, false}}) {
    const StoredGame stored = StoreFinishedGame(dir.path(), Game("M", "", 6, kon, 50, 1000, 0.0), kStamp);
    EXPECT_EQ(stored.cycleEnded, ends) << kon;
    EXPECT_EQ(stored.clubPlace, ends ? 1 : 0) << kon;
  }
}

}  // namespace
}  // namespace tarvel
