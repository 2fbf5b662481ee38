// The end-of-deal line for every way a deal ends, checked against what the
// engine itself scored; the game's outcome line and why a card is refused.
// The engine tests' card notation comes before any Qt header: it names a
// parameter "slots", which Qt defines as a macro.
#include "../engine/test_hands.h"

#include "table/deal_explanation.h"

#include <gtest/gtest.h>

#include "engine/rules.h"
#include "engine/table_events.h"
#include "settings/words/words.h"

namespace tarvel {
namespace {

using testing::C;
using testing::ReadyState;
using testing::SetHand;
using testing::TrickWaiting;

int SlotOf(const MatchState& s, int seat, const char* card) {
  return SlotOf(C(card), s.Hands[static_cast<std::size_t>(seat)]);
}

TEST(DealExplanation, EveryWayADealEndsAsTheEngineScoredIt) {
  struct Row {
    const char* why;
    PerSeat<std::int32_t> taken;  // before the last trick (or the marriage)
    bool handsEmpty;              // the trick collected is the last one
    bool deadHeat;
    const char* marriageLead;     // seat 1 leads this card with its partner in hand
    DealEnd end;
    const char* line;
  };
  // The trick collected: Ah Kh Qh, 18 points to seat 1 (it leads).
  const Row rows[] = {
      {"66 reached by play, the others took nothing", {0, 51, 0, 0}, false, false, nullptr, DealEnd::Closed,
       "The left player reached 69 and closed the game: 3 game points; you took nothing."},
      {"66 reached by play, the others below 33", {0, 48, 20, 10}, false, false, nullptr, DealEnd::Closed,
       "The left player reached 66 and closed the game: 2 game points; you took 10."},
      {"by a marriage of forty", {0, 30, 20, 40}, false, false, "Ks", DealEnd::ClosedMarriage,
       "The left player reached 70 with a marriage and closed the game: 1 game point; you took 40."},
      {"last trick: the most points", {0, 32, 40, 30}, true, false, nullptr, DealEnd::MostPoints,
       "All cards are played: the left player took the most (50): 1 game point; you took 30."},
      {"last trick lifts to 70, still only one point", {0, 52, 30, 20}, true, false, nullptr, DealEnd::MostPoints,
       "All cards are played: the left player took the most (70): 1 game point; you took 20."},
      {"last trick: two seats level at the top", {0, 27, 30, 45}, true, false, nullptr, DealEnd::MostPoints,
       "All cards are played: the left player and you took the most (45 each): 1 game point each."},
      {"last trick: all equal", {0, 22, 40, 40}, true, false, nullptr, DealEnd::AllEqual,
       "All cards are played and everybody took 40: nobody scores."},
      {"dead heat convention", {0, 32, 40, 30}, true, true, nullptr, DealEnd::DeadHeat,
       "All cards are played and nobody reached 66: dead heat, no game points."},
      {"dead heat convention, 66 reached with the last trick", {0, 50, 30, 20}, true, true, nullptr, DealEnd::Closed,
       "The left player reached 68 and closed the game: 2 game points; you took 20."},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    NullTableEvents events;
    MatchState s;
    if (row.marriageLead != nullptr) {
      s = ReadyState(SuitSpades, "Ks Qs 9h", "9d 10d", "9c 10c");
      s.Taken = row.taken;
      ASSERT_TRUE(PlayCard(s, events, 1, SlotOf(s, 1, row.marriageLead), false));
    } else {
      s = TrickWaiting(row.taken, row.handsEmpty);
      s.DeadHeat = row.deadHeat;
      FinishTrick(s, events);
      CollectTrick(s, events, true);
    }
    ASSERT_GE(s.Turn, TurnScoring) << "the engine did not end the deal";
    const DealFigures figures = DealFiguresOf(s);
    EXPECT_EQ(DealEndOf(figures), row.end);
    EXPECT_EQ(DealEndLine(figures, kLanguageEnglish).toStdString(), row.line);
    // The line's game points are the engine's.
    for (int seat = 1; seat <= 3; ++seat) EXPECT_EQ(figures.result[static_cast<std::size_t>(seat)], s.DealResult[static_cast<std::size_t>(seat)]);
    for (int language = 0; language < kLanguageCount; ++language) {
      const QString line = DealEndLine(figures, language);
      EXPECT_FALSE(line.contains(QLatin1Char('%'))) << language << ": " << line.toStdString();
    }
  }
}

TEST(DealExplanation, TheGameLineAndTheRefusals) {
  EXPECT_EQ(GameEndLine(-900, kLanguageEnglish).toStdString(), "You lost: -900");
  EXPECT_EQ(GameEndLine(1200, kLanguageEnglish).toStdString(), "You won: +1200");
  EXPECT_EQ(GameEndLine(0, kLanguageEnglish).toStdString(), "A draw: 0");
  // Hearts led, trump spades.
  MatchState s = ReadyState(SuitSpades, "9d", "9c", "10h Qc Ks");
  s.Trick[1] = C("Ah");
  s.LedSuit = SuitHearts;
  s.TrickPos = 2;
  EXPECT_EQ(RefusalLine(s, SlotOf(s, 3, "Qc"), kLanguageEnglish).toStdString(), "You must follow the suit led.");
  EXPECT_TRUE(RefusalLine(s, SlotOf(s, 3, "10h"), kLanguageEnglish).isEmpty());
  SetHand(s, 3, "Qc Ks");
  EXPECT_EQ(RefusalLine(s, SlotOf(s, 3, "Qc"), kLanguageEnglish).toStdString(),
            "You have none of the suit led: you must play a trump.");
  EXPECT_TRUE(RefusalLine(s, SlotOf(s, 3, "Ks"), kLanguageEnglish).isEmpty());
}

}  // namespace
}  // namespace tarvel
