// Damaged history and club files: never a crash, the damaged bytes kept as
// ".bad", nothing else lost.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "club_file.h"
#include "game_record.h"
#include "history_file.h"
#include "settings_test_support.h"

namespace tarvel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const HistoryStamp kStamp{"09:00", "01.02.2025"};

struct Damage {
  std::string what;
  std::function<std::string(const std::string&)> apply;
};

std::vector<Damage> Damages() {
  return {
      {"truncated", [](const std::string& good) { return good.substr(0, good.size() / 2); }},
      {"wrong sums",
       [](const std::string& good) {
         std::string bad = good;
         bad[3] = bad[3] == '9' ? '8' : '9';
         return bad;
       }},
      {"a line of 200 characters", [](const std::string& good) { return std::string(200, 'x') + "\r\n" + good; }},
      {"binary junk",
       [](const std::string&) {
         std::string junk;
         for (int i = 0; i < 3000; ++i) junk += static_cast<char>((i * 7919) % 256);
         return junk;
       }},
      {"empty", [](const std::string&) { return std::string(); }},
      {"no line ends",
       [](const std::string& good) {
         std::string flat;
         for (const char c : good)
           if (c != '\r' && c != '\n') flat += c;
         return flat;
       }},
  };
}

FinishedGame NewPlayerGame() {
  FinishedGame game;
  game.member.MemberName = "Tester              ";
  game.member.MemberCode = EncodePassword("");
  game.gameResult = 100;
  game.newScore = 100;
  return game;
}

TEST(DamagedFiles, HistoryAndClubAreKeptAsBadAndReplaced) {
  for (const Damage& damage : Damages()) {
    SCOPED_TRACE(damage.what);
    TempDir dir;
    ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
    StoreFinishedGame(dir.path(), NewPlayerGame(), kStamp);
    const auto history = dir.path() / "History" / HistoryFileName(1);
    const auto club = dir.path() / "Tarvel.clb";
    const std::string badHistory = damage.apply(ReadBytes(history));
    const std::string badClub = damage.apply(ReadBytes(club));
    WriteBytes(history, badHistory);
    WriteBytes(club, badClub);
    EXPECT_FALSE(CheckHistoryFile(dir.path(), 1).valid);
    EXPECT_EQ(ReadClubFile(club).state, ClubState::Damaged);

    const StoredGame stored = StoreFinishedGame(dir.path(), NewPlayerGame(), kStamp);
    EXPECT_TRUE(stored.historyWritten);
    EXPECT_EQ(stored.club, ClubWrite::Written);
    EXPECT_EQ(ReadBytes(dir.path() / "History" / (HistoryFileName(1) + ".bad")), badHistory);
    EXPECT_EQ(ReadBytes(dir.path() / "Tarvel.clb.bad"), badClub);
    EXPECT_EQ(CheckHistoryFile(dir.path(), 1).records, 1);
    EXPECT_EQ(ReadClubFile(club).state, ClubState::Valid);
  }
}

TEST(DamagedFiles, FoldersInTheFilesPlaces) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
  const auto history = dir.path() / "History" / HistoryFileName(1);
  std::filesystem::create_directories(history);
  WriteBytes(history / "inside", "i");
  const auto club = dir.path() / "Tarvel.clb";
  std::filesystem::remove(club);
  std::filesystem::create_directory(club);
  WriteBytes(club / "inside", "c");
  EXPECT_EQ(ReadClubFile(club).state, ClubState::Damaged);
  EXPECT_FALSE(CheckHistoryFile(dir.path(), 1).valid);

  const StoredGame stored = StoreFinishedGame(dir.path(), NewPlayerGame(), kStamp);
  EXPECT_TRUE(stored.historyWritten);
  EXPECT_EQ(stored.club, ClubWrite::Written);
  EXPECT_EQ(ReadBytes(history.string() + ".bad/inside"), "i");
  EXPECT_EQ(ReadBytes(club.string() + ".bad/inside"), "c");

  // A folder at the ".bad" place too: nothing can be replaced, and nothing
  // is lost.
  std::filesystem::remove(history);
  std::filesystem::create_directory(history);
  WriteBytes(history / "again", "a");
  EXPECT_FALSE(AppendHistory(dir.path(), {HisStr{}}, kStamp));
  EXPECT_EQ(ReadBytes(history / "again"), "a");
  EXPECT_EQ(ReadBytes(history.string() + ".bad/inside"), "i");
}

TEST(DamagedFiles, ReadOnlyClubAndFolder) {
  TempDir dir;
  ASSERT_TRUE(InstallClubFiles(dir.path(), dir.path()));
  const auto club = dir.path() / "Tarvel.clb";
  const std::string before = ReadBytes(club);
  std::filesystem::permissions(club, std::filesystem::perms::owner_read);
  if (::geteuid() != 0) {
    EXPECT_TRUE(ReadClubFile(club).writeProtected);
    EXPECT_EQ(StoreFinishedGame(dir.path(), NewPlayerGame(), kStamp).club, ClubWrite::WriteProtected);
    EXPECT_EQ(ReadBytes(club), before);

    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const StoredGame stored = StoreFinishedGame(dir.path(), NewPlayerGame(), kStamp);
    EXPECT_FALSE(stored.historyWritten);
    EXPECT_EQ(ReadBytes(club), before);
  } else {
    // Root writes through permission bits; the file is still read whole.
    EXPECT_EQ(ReadClubFile(club).state, ClubState::Valid);
  }
}

}  // namespace
}  // namespace tarvel
