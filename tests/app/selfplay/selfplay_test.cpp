// tarvel-selfplay end to end: the real program on deal files, its summary of
// whole games, and every kind of malformed input.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "club_file.h"
#include "history_file.h"

namespace {

namespace fs = std::filesystem;

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quote(const std::string& arg) {
  std::string quoted = "'";
  for (char c : arg) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class SelfplayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "tarvel-selfplay-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(dir_, ignored);
  }

  fs::path Write(const std::string& name, const std::string& text) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  // Runs the program with the arguments and `input` on standard input.
  Result Run(const std::vector<std::string>& args, const std::string& input = "") {
    const fs::path in = Write("stdin", input);
    std::string command = Quote(TARVEL_SELFPLAY);
    for (const std::string& arg : args) command += " " + Quote(arg);
    command += " < " + Quote(in.string()) + " > " + Quote((dir_ / "stdout").string()) +
               " 2> " + Quote((dir_ / "stderr").string());
    const int raw = std::system(command.c_str());
    Result result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadFile(dir_ / "stdout");
    result.err = ReadFile(dir_ / "stderr");
    return result;
  }

  fs::path dir_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) lines.push_back(line);
  return lines;
}

const std::string kData = TARVEL_SELFPLAY_DATA;

// The three deals of data/hand_worked.deals, played by hand from the rules:
//  1. Seat 1 leads holding all six spades (trump) and the red aces: with
//     every trump in its own hand it cashes the aces (14 each, the others
//     throwing their lowest hearts and diamonds), then leads the trump king
//     with the queen: 28 + 40 = 68 ends the deal with one card on the table,
//     three game points against two seats without points.
//  2. Seat 3 leads with the trump ace and 10 of hearts and the other three
//     aces: ace and 10 of trumps draw the last hearts, then the side aces;
//     after the ace of spades it has 73 and the others nothing.
//  3. Seat 2 leads the queen of its club marriage (20 pending, nothing
//     taken), seat 3 takes with the ace, seat 1 trumps with its lowest seen
//     trump; seat 1 draws trumps, cashes the heart ace and closes with the
//     heart marriage at 56 + 20 = 76; seat 2's 20 stays pending.
TEST_F(SelfplayTest, HandWorkedDeals) {
  const std::string expected = ReadFile(kData + "/hand_worked.expected");
  ASSERT_FALSE(expected.empty());
  const Result fromFile = Run({"--deals", kData + "/hand_worked.deals"});
  EXPECT_EQ(fromFile.status, 0);
  EXPECT_EQ(fromFile.out, expected);
  EXPECT_EQ(fromFile.err, "");
  const Result fromStdin = Run({"--deals", "-"}, ReadFile(kData + "/hand_worked.deals"));
  EXPECT_EQ(fromStdin.status, 0);
  EXPECT_EQ(fromStdin.out, expected);
}

TEST_F(SelfplayTest, EachLineIsAFreshDealAndWindowsLineEndsAreRead) {
  const std::vector<std::string> deals = Lines(ReadFile(kData + "/hand_worked.deals"));
  const std::vector<std::string> expected = Lines(ReadFile(kData + "/hand_worked.expected"));
  ASSERT_EQ(deals.size(), 3u);
  const std::string reversed = deals[2] + "\r\n" + deals[1] + "\r\n" + deals[0] + "\r\n";
  const Result result = Run({"--deals", "-"}, reversed);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(Lines(result.out), (std::vector<std::string>{expected[2], expected[1], expected[0]}));
  // The last line may lack its line end.
  const Result unterminated = Run({"--deals", "-"}, deals[0]);
  EXPECT_EQ(Lines(unterminated.out), (std::vector<std::string>{expected[0]}));
}

// A parsed transcript line.
struct Transcript {
  std::vector<std::pair<int, int>> cards;  // seat, deck number
  std::array<int, 3> taken{};
  std::array<int, 3> results{};
};

Transcript Parse(const std::string& line) {
  Transcript t;
  std::istringstream in(line);
  std::string word;
  while (in >> word && word != "|") {
    const auto colon = word.find(':');
    t.cards.emplace_back(std::stoi(word.substr(0, colon)), std::stoi(word.substr(colon + 1)));
  }
  for (int& v : t.taken) in >> v;
  in >> word;
  for (int& v : t.results) in >> v;
  return t;
}

TEST_F(SelfplayTest, GeneratedDealsFollowTheRulesAndDeadHeat) {
  std::mt19937 random(31);
  std::string input;
  std::vector<std::array<int, 25>> deals;
  for (int i = 0; i < 300; ++i) {
    std::array<int, 25> deal{};
    deal[0] = i % 3 + 1;
    for (int n = 1; n <= 24; ++n) deal[static_cast<std::size_t>(n)] = n;
    std::shuffle(deal.begin() + 1, deal.end(), random);
    deals.push_back(deal);
    for (std::size_t k = 0; k < 25; ++k) input += (k ? " " : "") + std::to_string(deal[k]);
    input += "\n";
  }
  const Result plain = Run({"--deals", "-"}, input);
  const Result deadHeat = Run({"--deals", "-", "--dead-heat"}, input);
  ASSERT_EQ(plain.status, 0);
  ASSERT_EQ(deadHeat.status, 0);
  const std::vector<std::string> a = Lines(plain.out);
  const std::vector<std::string> b = Lines(deadHeat.out);
  ASSERT_EQ(a.size(), deals.size());
  ASSERT_EQ(b.size(), deals.size());
  int withoutCloser = 0;
  for (std::size_t i = 0; i < deals.size(); ++i) {
    SCOPED_TRACE(a[i]);
    const Transcript p = Parse(a[i]);
    const Transcript d = Parse(b[i]);
    // The convention changes only the scoring.
    EXPECT_EQ(p.cards, d.cards);
    EXPECT_EQ(p.taken, d.taken);
    // Each card once, from the hand it was dealt to, the first player first.
    std::set<int> seen;
    for (const auto& [seat, card] : p.cards) {
      EXPECT_TRUE(seen.insert(card).second);
      const auto at = std::find(deals[i].begin() + 1, deals[i].end(), card) - deals[i].begin();
      EXPECT_EQ((at - 1) / 8 + 1, seat);
    }
    ASSERT_FALSE(p.cards.empty());
    EXPECT_EQ(p.cards.front().first, deals[i][0]);
    const int top = *std::max_element(p.taken.begin(), p.taken.end());
    // The closer's points: 1 when an opponent has 33, 2 when both have at
    // most 32, 3 when both have nothing.
    std::array<int, 3> closer{};
    for (std::size_t s = 0; s < 3; ++s) {
      if (p.taken[s] < 66) continue;
      const int o1 = p.taken[(s + 1) % 3];
      const int o2 = p.taken[(s + 2) % 3];
      closer[s] = o1 == 0 && o2 == 0 ? 3 : (o1 <= 32 && o2 <= 32 ? 2 : 1);
    }
    if (p.cards.size() < 24) {
      EXPECT_GE(top, 66);  // only 66 ends a deal early
      EXPECT_EQ(p.results, closer);
      EXPECT_EQ(d.results, closer);
      continue;
    }
    // All cards played: without the convention the most points win 1 (both
    // of two equal leaders; nobody when all three are equal), also over a
    // closer's 2 or 3; with it only a closer scores.
    std::array<int, 3> most{};
    const bool allEqual = p.taken[0] == p.taken[1] && p.taken[1] == p.taken[2];
    for (std::size_t s = 0; s < 3; ++s) most[s] = !allEqual && p.taken[s] == top ? 1 : 0;
    EXPECT_EQ(p.results, most);
    EXPECT_EQ(d.results, closer);
    if (top < 66) ++withoutCloser;
  }
  EXPECT_GT(withoutCloser, 0);
}

TEST_F(SelfplayTest, MalformedLinesStopWithTheLineNumber) {
  const std::vector<std::string> deals = Lines(ReadFile(kData + "/hand_worked.deals"));
  const std::vector<std::string> expected = Lines(ReadFile(kData + "/hand_worked.expected"));
  const std::string good = deals[0];
  const std::string cards = good.substr(2);  // the 24 deck numbers
  struct Row {
    const char* why;
    std::string line;
  };
  const Row rows[] = {
      {"24 numbers", "1 " + cards.substr(0, cards.rfind(' '))},
      {"26 numbers", good + " 5"},
      {"empty line", ""},
      {"blanks only", "   \t "},
      {"card 0", "1 0" + cards.substr(cards.find(' '))},
      {"card 25", "1 25" + cards.substr(cards.find(' '))},
      {"negative card", "1 -1" + cards.substr(cards.find(' '))},
      {"not a number", "1 x" + cards.substr(cards.find(' '))},
      {"a fraction", "1 1.5" + cards.substr(cards.find(' '))},
      {"a huge number", "1 99999999999999999999" + cards.substr(cards.find(' '))},
      {"repeated card", "1 22 " + cards.substr(cards.find(' ') + 1)},
      {"first player 0", "0 " + cards},
      {"first player 4", "4 " + cards},
      {"first player a letter", "a " + cards},
      {"NUL bytes", std::string("1 2\0 3", 6)},
      {"binary junk", std::string(4000, '\xFF')},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    const Result result = Run({"--deals", "-"}, good + "\n" + row.line + "\n" + deals[1] + "\n");
    EXPECT_NE(result.status, 0);
    EXPECT_EQ(Lines(result.out), (std::vector<std::string>{expected[0]}));
    EXPECT_NE(result.err.find("line 2"), std::string::npos) << result.err;
    // A malformed first line prints nothing.
    const Result first = Run({"--deals", "-"}, row.line + "\n" + good + "\n");
    EXPECT_NE(first.status, 0);
    EXPECT_EQ(first.out, "");
    EXPECT_NE(first.err.find("line 1"), std::string::npos) << first.err;
  }
}

TEST_F(SelfplayTest, UnreadableFiles) {
  const Result missing = Run({"--deals", (dir_ / "no-such-file").string()});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("no-such-file"), std::string::npos);
  const Result directory = Run({"--deals", dir_.string()});
  EXPECT_NE(directory.status, 0);
  EXPECT_EQ(directory.out, "");
  const Result empty = Run({"--deals", Write("empty", "").string()});
  EXPECT_EQ(empty.status, 0);
  EXPECT_EQ(empty.out, "");
}

TEST_F(SelfplayTest, UsageErrors) {
  const std::vector<std::vector<std::string>> rows = {
      {},
      {"--deals"},
      {"--games"},
      {"--games", "0"},
      {"--games", "-5"},
      {"--games", "abc"},
      {"--games", "10x"},
      {"--games", "5", "--seed", "x"},
      {"--games", "5", "--seed", "-1"},
      {"--games", "5", "--deals", "-"},
      {"--deals", "-", "--seed", "3"},
      {"--deals", "-", "--game-to-8"},
      {"--frobnicate"},
      {"--games", "5", "extra"},
      {"--games", "5", "--store", "/tmp"},
      {"--games", "5", "--player", "X"},
      {"--games", "5", "--store", "/tmp", "--player", "   "},
      {"--games", "5", "--store", "/tmp", "--player", "\xe4\xb8\xad"},
      {"--deals", "-", "--store", "/tmp", "--player", "X"},
  };
  for (const auto& args : rows) {
    std::string joined;
    for (const auto& a : args) joined += a + " ";
    SCOPED_TRACE(joined);
    const Result result = Run(args);
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
    EXPECT_NE(result.err.find("usage:"), std::string::npos);
  }
  const Result help = Run({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage:"), std::string::npos);
}

// The summary without its last line (the speed, which varies).
std::vector<std::string> Summary(const std::string& out) {
  std::vector<std::string> lines = Lines(out);
  EXPECT_FALSE(lines.empty());
  if (!lines.empty()) {
    EXPECT_EQ(lines.back().rfind("deals per second", 0), 0u) << lines.back();
    lines.pop_back();
  }
  return lines;
}

TEST_F(SelfplayTest, GamesSummaryIsRepeatableBySeed) {
  const Result a = Run({"--games", "200", "--seed", "9"});
  const Result b = Run({"--games", "200", "--seed", "9"});
  const Result c = Run({"--games", "200", "--seed", "10"});
  ASSERT_EQ(a.status, 0);
  const std::vector<std::string> summary = Summary(a.out);
  EXPECT_EQ(summary, Summary(b.out));
  EXPECT_NE(summary, Summary(c.out));
  ASSERT_EQ(summary.size(), 5u);
  EXPECT_EQ(summary[0], "games 200");
  EXPECT_EQ(summary[1].rfind("deals ", 0), 0u);
  EXPECT_EQ(summary[2].rfind("game points ", 0), 0u);
  EXPECT_EQ(summary[3].rfind("mean game results ", 0), 0u);
  EXPECT_EQ(summary[4].rfind("deals won with 1 2 3 game points ", 0), 0u);

  // Every game ends with a seat at the target; the results sum to zero.
  std::istringstream points(summary[2].substr(12));
  long p1 = 0, p2 = 0, p3 = 0;
  points >> p1 >> p2 >> p3;
  EXPECT_GE(p1 + p2 + p3, 200 * 10);
  std::istringstream results(summary[3].substr(18));
  double r1 = 0, r2 = 0, r3 = 0;
  results >> r1 >> r2 >> r3;
  EXPECT_NEAR(r1 + r2 + r3, 0.0, 0.02);
  const long deals = std::stol(summary[1].substr(6));
  EXPECT_GE(deals, 200);

  // Games to 8 are shorter.
  const Result to8 = Run({"--games", "200", "--seed", "9", "--game-to-8"});
  ASSERT_EQ(to8.status, 0);
  EXPECT_LT(std::stol(Summary(to8.out)[1].substr(6)), deals);
  const Result deadHeat = Run({"--games", "200", "--seed", "9", "--dead-heat"});
  ASSERT_EQ(deadHeat.status, 0);
  EXPECT_NE(Summary(deadHeat.out), summary);
}

// Every stored game leaves a history line and the member in the club, and
// the files pass their own checks; the summary stays what it was without
// storing. A damaged club file stops the run before any game.
TEST_F(SelfplayTest, StoredGamesLeaveValidRecords) {
  const fs::path store = dir_ / "data";
  const Result plain = Run({"--games", "61", "--seed", "5"});
  const Result stored = Run({"--games", "61", "--seed", "5", "--store", store.string(), "--player", "Tester"});
  ASSERT_EQ(stored.status, 0) << stored.err;
  EXPECT_EQ(Summary(stored.out), Summary(plain.out));
  const tarvel::ClubRead club = tarvel::ReadClubFile(store / "Tarvel.clb");
  ASSERT_EQ(club.state, tarvel::ClubState::Valid);
  EXPECT_EQ(club.lines[0].substr(0, 20), "Tester              ");
  EXPECT_EQ(tarvel::MemberTotalGames(club.lines[0]), 61);
  const tarvel::HistoryFileInfo history = tarvel::CheckHistoryFile(store, 1);
  EXPECT_TRUE(history.valid);
  EXPECT_EQ(history.records, 61);
  // Two cycles ended: their scores stand in the top ten unless negative.
  int entered = 0;
  for (std::size_t line = 5; line < 15; ++line) entered += club.lines[line].substr(0, 6) == "Tester";
  EXPECT_GE(entered, 0);
  EXPECT_LE(entered, 2);
  EXPECT_EQ(tarvel::ReadClubFile(store / "Tarvel.net").state, tarvel::ClubState::Valid);

  // A second run goes on with the same member.
  ASSERT_EQ(Run({"--games", "1", "--store", store.string(), "--player", "Tester"}).status, 0);
  EXPECT_EQ(tarvel::MemberTotalGames(tarvel::ReadClubFile(store / "Tarvel.clb").lines[0]), 62);

  {
    std::fstream edit(store / "Tarvel.clb", std::ios::binary | std::ios::in | std::ios::out);
    edit.seekp(3);
    edit.put('x');
  }
  const Result damaged = Run({"--games", "1", "--store", store.string(), "--player", "Tester"});
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("Tarvel.clb"), std::string::npos);
  EXPECT_EQ(tarvel::CheckHistoryFile(store, 1).records, 62);
}

}  // namespace
