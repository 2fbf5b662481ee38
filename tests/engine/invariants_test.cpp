// Invariants of the match state over many random deals, played by a random
// legal player and by the computer players: every card in exactly one place
// after every card, HandCount matching the packed hand, every computer
// choice legal, the trick points accounted for, the game results zero-sum.
#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "autoplay.h"
#include "cards.h"
#include "match_state.h"
#include "rules.h"

namespace tarvel {
namespace {

constexpr int kDeals = 10000;

// An empty text when the state keeps its invariants, else what broke.
std::string Broken(const MatchState& s) {
  std::array<int, 25> places{};
  auto count = [&](CardCode card) {
    if (card.IsCard()) ++places[static_cast<std::size_t>(DeckNumber(card))];
  };
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    const int n = s.HandCount[seat];
    if (n > 8) return "HandCount above 8";
    for (std::size_t slot = 1; slot <= 24; ++slot) {
      const CardCode card = s.Hands[seat][slot];
      const bool filled = static_cast<int>(slot) <= n;
      if (filled != card.IsCard()) return "seat " + std::to_string(seat) + " not packed";
      if (s.HandRanks[seat][slot] != card.Order() || s.HandPoints[seat][slot] != card.Points()) {
        return "rank or points beside a card are wrong";
      }
      count(card);
    }
    // Sorted: suit places ascending in pack order, rank orders ascending.
    const std::array<Suit, 4> order = PackOrder(s.Trump);
    int lastKey = -1;
    for (std::size_t slot = 1; slot <= static_cast<std::size_t>(n); ++slot) {
      int place = 0;
      while (order[static_cast<std::size_t>(place)] != s.Hands[seat][slot].suit) ++place;
      const int key = place * 8 + s.Hands[seat][slot].Order();
      if (key < lastKey) return "hand not sorted";
      lastKey = key;
    }
  }
  for (std::size_t pos = 1; pos <= 3; ++pos) count(s.Trick[pos]);
  for (std::size_t entry = 1; entry <= 24; ++entry) {
    const bool logged = static_cast<int>(entry) < s.PlayedCount;
    if (!logged && s.PlayedLog[entry] != NoCard) return "log entry beyond PlayedCount";
    count(s.PlayedLog[entry]);
  }
  for (int n = 1; n <= 24; ++n) {
    if (places[static_cast<std::size_t>(n)] != 1) {
      return "card " + std::to_string(n) + " in " +
             std::to_string(places[static_cast<std::size_t>(n)]) + " places";
    }
  }
  if (s.Turn >= 1 && s.Turn <= 3) {
    if (s.TrickPos < 1 || s.TrickPos > 3) return "TrickPos outside 1..3 during play";
    if (s.Turn != SeatOfPosition(s.Leader, s.TrickPos)) return "Turn is not the seat to play";
    for (std::size_t pos = s.TrickPos; pos <= 3; ++pos) {
      if (s.Trick[pos] != NoCard) return "card beyond TrickPos";
    }
  }
  if (s.Turn == TurnTrickComplete && s.TrickPos != 4) return "complete trick without TrickPos 4";
  // Taken less the card points of completed tricks is what the marriages
  // credited: a multiple of 20, at most 40 + 3 x 20.
  int tricks = 0;
  for (std::size_t first = 1; first + 2 < static_cast<std::size_t>(s.PlayedCount); first += 3) {
    if (!s.PlayedLog[first + 1].IsCard()) continue;  // a deal ended by a marriage
    for (std::size_t i = first; i < first + 3; ++i) tricks += s.PlayedLog[i].Points();
  }
  if (s.TrickPos == 4) {
    for (std::size_t pos = 1; pos <= 3; ++pos) tricks += s.Trick[pos].Points();
  }
  const int marriages = s.Taken[1] + s.Taken[2] + s.Taken[3] - tricks;
  if (marriages < 0 || marriages % 20 != 0 || marriages > 100) {
    return "Taken does not match the tricks: marriages " + std::to_string(marriages);
  }
  return {};
}

// The harness of a whole deal: plays until the deal is scored, checking the
// invariants after every card and every collection.
template <typename Chooser>
void PlayCheckedDeal(MatchState& s, TableEvents& events, Chooser choose, bool& ok) {
  s.DealStage = StagePlaying;
  std::string broken = Broken(s);
  if (!broken.empty()) {
    ADD_FAILURE() << "after the deal: " << broken;
    ok = false;
    return;
  }
  int cards = 0;
  while (s.Turn >= 1 && s.Turn <= TurnTrickComplete) {
    if (s.Turn == TurnTrickComplete) {
      CollectTrick(s, events, true);
    } else {
      const int seat = s.Turn;
      const int slot = choose(s, seat);
      if (slot < 1 || slot > s.HandCount[static_cast<std::size_t>(seat)] ||
          IsIllegalCardOf(s, seat, slot)) {
        ADD_FAILURE() << "seat " << seat << " chose illegal slot " << slot;
        ok = false;
        return;
      }
      if (!PlayCard(s, events, seat, slot, false)) {
        ADD_FAILURE() << "a legal card was refused";
        ok = false;
        return;
      }
      ++cards;
    }
    broken = Broken(s);
    if (!broken.empty()) {
      ADD_FAILURE() << "after card " << cards << ": " << broken;
      ok = false;
      return;
    }
  }
  const bool allPlayed = s.HandCount[1] == 0 && s.HandCount[2] == 0 && s.HandCount[3] == 0;
  if (s.Turn != TurnNextDeal && s.Turn != TurnGameOver) {
    ADD_FAILURE() << "deal ended in phase " << int{s.Turn};
    ok = false;
  }
  if (allPlayed && (cards != 24 || s.PlayedCount != 25)) {
    ADD_FAILURE() << "all cards played but PlayedCount " << int{s.PlayedCount};
    ok = false;
  }
  const bool closed = s.Taken[1] >= 66 || s.Taken[2] >= 66 || s.Taken[3] >= 66;
  if (!allPlayed && !closed) {
    ADD_FAILURE() << "deal ended with cards left and nobody at 66";
    ok = false;
  }
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    if (s.DealResult[seat] < 0 || s.DealResult[seat] > 3) {
      ADD_FAILURE() << "DealResult out of range";
      ok = false;
    }
  }
}

int RandomLegalSlot(const MatchState& s, int seat, std::mt19937& random) {
  int legal[8];
  int n = 0;
  for (int slot = 1; slot <= s.HandCount[static_cast<std::size_t>(seat)]; ++slot) {
    if (!IsIllegalCardOf(s, seat, slot)) legal[n++] = slot;
  }
  if (n == 0) return 0;
  return legal[random() % static_cast<unsigned>(n)];
}

struct Conventions {
  bool deadHeat;
  bool gameTo8;
};

class InvariantsTest : public ::testing::TestWithParam<Conventions> {};

TEST_P(InvariantsTest, RandomLegalPlayer) {
  NullTableEvents events;
  DeckRandom deck(1234);
  std::mt19937 random(99);
  MatchState s;
  s.DeadHeat = GetParam().deadHeat;
  s.GameTo8 = GetParam().gameTo8;
  bool ok = true;
  for (int deal = 0; deal < kDeals && ok; ++deal) {
    events.record.kon = deal % 30 + 1;
    StartDeal(s, events, deck, s.Turn == TurnNextDeal);
    PlayCheckedDeal(
        s, events, [&](const MatchState& st, int seat) { return RandomLegalSlot(st, seat, random); },
        ok);
    if (s.Turn == TurnGameOver) {
      const SeatResults r = SumUpGame(s);
      ASSERT_EQ(r[1] + r[2] + r[3], 0);
    }
  }
}

TEST_P(InvariantsTest, ComputerPlayers) {
  NullTableEvents events;
  DeckRandom deck(4321);
  MatchState s;
  s.DeadHeat = GetParam().deadHeat;
  s.GameTo8 = GetParam().gameTo8;
  bool ok = true;
  int games = 0;
  for (int deal = 0; deal < kDeals && ok; ++deal) {
    events.record.kon = games + 1;
    StartDeal(s, events, deck, s.Turn == TurnNextDeal);
    PlayCheckedDeal(s, events, ChooseComputerSlot, ok);
    if (s.Turn == TurnGameOver) {
      ++games;
      const SeatResults r = SumUpGame(s);
      ASSERT_EQ(r[1] + r[2] + r[3], 0);
      const int target = GetParam().gameTo8 ? 8 : 10;
      ASSERT_TRUE(s.GamePoints[1] >= target || s.GamePoints[2] >= target ||
                  s.GamePoints[3] >= target);
    }
  }
  EXPECT_GT(games, 0);
}

INSTANTIATE_TEST_SUITE_P(Conventions, InvariantsTest,
                         ::testing::Values(Conventions{false, false}, Conventions{true, true}),
                         [](const ::testing::TestParamInfo<Conventions>& info) {
                           return std::string(info.param.deadHeat ? "DeadHeat" : "NoDeadHeat") +
                                  (info.param.gameTo8 ? "To8" : "To10");
                         });

TEST(Autoplay, WholeGamesAreTalliedAndRepeatable) {
  auto run = [](std::uint64_t seed) {
    NullTableEvents events;
    DeckRandom deck(seed);
    MatchState s;
    GameTally tally;
    for (int game = 0; game < 200; ++game) {
      events.record.kon = game + 1;
      EXPECT_TRUE(PlayOutGame(s, events, deck, tally));
    }
    return tally;
  };
  const GameTally a = run(5);
  const GameTally b = run(5);
  EXPECT_EQ(a.games, 200);
  EXPECT_EQ(a.deals, b.deals);
  EXPECT_EQ(a.gamePoints, b.gamePoints);
  EXPECT_EQ(a.gameResults[1] + a.gameResults[2] + a.gameResults[3], 0);
  EXPECT_GE(a.deals, 200);
  EXPECT_LE(a.dealsWonWith[1] + a.dealsWonWith[2] + a.dealsWonWith[3], a.deals);
  std::int64_t points = a.gamePoints[1] + a.gamePoints[2] + a.gamePoints[3];
  EXPECT_GE(points, 200 * 10);
}

TEST(Autoplay, TranscriptRecordsEveryCardInOrder) {
  NullTableEvents events;
  DeckRandom deck(77);
  MatchState s;
  for (int deal = 0; deal < 500; ++deal) {
    StartDeal(s, events, deck, false);
    const MatchState dealt = s;
    DealTranscript transcript;
    ASSERT_TRUE(PlayOutDeal(s, events, &transcript));
    // Each card came from the hand of the seat recorded with it.
    for (int i = 0; i < transcript.count; ++i) {
      const PlayedMove& move = transcript.moves[static_cast<std::size_t>(i)];
      ASSERT_TRUE(HasCard(move.card, dealt.Hands[move.seat]));
    }
    // The log holds the same cards in the same order.
    for (int i = 0; i < transcript.count; ++i) {
      if (static_cast<int>(i) + 1 < s.PlayedCount) {
        ASSERT_EQ(s.PlayedLog[static_cast<std::size_t>(i + 1)],
                  transcript.moves[static_cast<std::size_t>(i)].card);
      }
    }
  }
}

}  // namespace
}  // namespace tarvel
