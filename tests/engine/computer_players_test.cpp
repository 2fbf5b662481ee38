// Tests of the computer players: one table row per step of each choice list,
// the thresholds on the points taken, the beating-card table of the second
// hand, the trump table of the third hand, and a property check over many
// random positions that every choice is a card of the hand and legal.
#include "computer_players.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cards.h"
#include "match_state.h"
#include "rules.h"
#include "test_hands.h"

namespace tarvel {
namespace {

using testing::C;
using testing::Name;
using testing::SetHand;

// ---------------------------------------------------------------------------
// Writing positions concisely.
//
// Cards are written in the engine tests' short notation (rank 9, 10, J, Q, K,
// A and suit h, d, c, s: "As", "10h") or with the game's own letters ("Тп",
// "1ч", "Вк"), blank-separated.

// The list with the game's own letters (UTF-8 in this source) replaced by the
// short notation.
std::string ShortNotation(std::string_view list) {
  static constexpr std::pair<std::string_view, std::string_view> kLetters[] = {
      {"Т", "A"}, {"К", "K"}, {"Д", "Q"}, {"В", "J"},
      {"ч", "h"}, {"б", "d"}, {"к", "c"}, {"п", "s"}};
  std::string out;
  for (std::size_t i = 0; i < list.size();) {
    bool replaced = false;
    for (const auto& [letter, alias] : kLetters) {
      if (list.substr(i, letter.size()) == letter) {
        out += alias;
        i += letter.size();
        replaced = true;
        break;
      }
    }
    if (replaced) continue;
    // The game writes the ten as a lone "1".
    const bool word_start = i == 0 || list[i - 1] == ' ';
    if (list[i] == '1' && word_start && (i + 1 == list.size() || list[i + 1] != '0')) {
      out += "10";
    } else {
      out += list[i];
    }
    ++i;
  }
  return out;
}

std::vector<CardCode> Cards(std::string_view list) {
  std::vector<CardCode> cards;
  std::istringstream words{ShortNotation(list)};
  std::string word;
  while (words >> word) cards.push_back(C(word));
  return cards;
}

CardCode Card(std::string_view text) { return C(ShortNotation(text)); }

// Lays `table` on the table in trick order, with `seat` to play next.
void PutTable(MatchState& state, int seat, const std::vector<CardCode>& table) {
  state.Trick.fill(NoCard);
  state.TrickRanks.fill(EmptyValue);
  state.TrickPoints.fill(EmptyValue);
  for (std::size_t p = 0; p < table.size(); ++p) {
    state.Trick[p + 1] = table[p];
    state.TrickRanks[p + 1] = table[p].Order();
    state.TrickPoints[p + 1] = table[p].Points();
  }
  state.LedSuit = table.empty() ? NoSuit : table[0].suit;
  state.TrickPos = static_cast<std::uint8_t>(table.size() + 1);
  // The seat to move plays position TrickPos of a trick led by Leader.
  const int leader = (seat - 1 + 3 - static_cast<int>(table.size())) % 3 + 1;
  state.Leader = static_cast<std::uint8_t>(leader);
  state.Turn = static_cast<std::uint8_t>(seat);
}

void PutPlayed(MatchState& state, const std::vector<CardCode>& played) {
  state.PlayedLog.fill(NoCard);
  for (std::size_t i = 0; i < played.size(); ++i) state.PlayedLog[i + 1] = played[i];
  state.PlayedCount = static_cast<std::uint8_t>(played.size() + 1);
}

std::string Names(const std::vector<CardCode>& cards) {
  std::string out;
  for (CardCode card : cards) out += Name(card) + " ";
  return out;
}

struct Setup {
  Suit trump = SuitSpades;
  std::string_view hand;    // the seat's own cards, in any order
  std::string_view table;   // cards on the table in trick order
  std::string_view played;  // cards of the collected tricks
};

// The match state of a running deal in which `seat` is to move.
MatchState Position(const Setup& setup, int seat = 1) {
  MatchState state;
  state.Trump = setup.trump;
  state.DealStage = StagePlaying;
  state.DealActive = true;
  const std::vector<CardCode> hand = Cards(setup.hand);
  const std::vector<CardCode> table = Cards(setup.table);
  const std::vector<CardCode> played = Cards(setup.played);
  // A card is in exactly one place; a table row that breaks this is a typo.
  std::vector<int> numbers;
  for (const auto* list : {&hand, &table, &played}) {
    for (CardCode card : *list) numbers.push_back(DeckNumber(card));
  }
  std::sort(numbers.begin(), numbers.end());
  if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) {
    ADD_FAILURE() << "a card stands twice in the position";
  }
  if (hand.size() > 8) ADD_FAILURE() << "more than eight cards in hand";
  for (int s = 1; s <= 3; ++s) SetHand(state, s, "");
  SetHand(state, seat, Names(hand));
  PutTable(state, seat, table);
  PutPlayed(state, played);
  return state;
}

// The card in the chosen slot, or NoCard when the slot is not one of the
// seat's occupied slots.
CardCode CardAt(const MatchState& state, int seat, int slot) {
  const auto s = static_cast<std::size_t>(seat);
  if (slot < 1 || slot > state.HandCount[s]) return NoCard;
  return state.Hands[s][static_cast<std::size_t>(slot)];
}

std::string Lead(const Setup& setup, std::int32_t taken, int seat = 1) {
  const MatchState state = Position(setup, seat);
  return Name(CardAt(state, seat, ChooseLead(state, seat, taken)));
}

std::string Second(const Setup& setup, int seat = 1) {
  const MatchState state = Position(setup, seat);
  return Name(CardAt(state, seat, ChooseSecond(state, seat)));
}

std::string Third(const Setup& setup, int seat = 1) {
  const MatchState state = Position(setup, seat);
  return Name(CardAt(state, seat, ChooseThird(state, seat)));
}

std::string Norm(std::string_view card) { return Name(Card(card)); }

// ---------------------------------------------------------------------------
// The position helper itself.

TEST(PositionHelper, ReadsGameLettersAndAliasesAlike) {
  EXPECT_EQ(Card("Тп"), Card("As"));
  EXPECT_EQ(Card("1ч"), Card("10h"));
  EXPECT_EQ(Card("Вк"), Card("Jc"));
  EXPECT_EQ(Card("Дб"), Card("Qd"));
  EXPECT_EQ(Card("Кп"), MakeCard(RankKing, SuitSpades));
  EXPECT_EQ(Card("9ч"), MakeCard(RankNine, SuitHearts));
  EXPECT_EQ(Cards("Тч 10ч 1б"), Cards("Ah 10h 10d"));
}

TEST(PositionHelper, PacksTheHandAsInPlay) {
  const MatchState state = Position({SuitHearts, "10h 9h Kc Ad", "", ""}, 2);
  EXPECT_EQ(state.HandCount[2], 4);
  EXPECT_EQ(Name(state.Hands[2][1]), "Kc");
  EXPECT_EQ(Name(state.Hands[2][2]), "Ad");
  EXPECT_EQ(Name(state.Hands[2][3]), "9h");
  EXPECT_EQ(Name(state.Hands[2][4]), "10h");
  EXPECT_EQ(state.Hands[2][5], NoCard);
}

// ---------------------------------------------------------------------------
// ChooseLead.

struct LeadRow {
  const char* name;
  Setup setup;
  std::int32_t taken;
  const char* expected;
};

void CheckLeadRows(const std::vector<LeadRow>& rows) {
  for (const LeadRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Lead(row.setup, row.taken), Norm(row.expected));
  }
}

// Every spade is accounted for in these rows: the ones not in hand are played,
// so the opponents hold no trump and list A applies.
TEST(ChooseLead, ListAUnbeatableSideCards) {
  CheckLeadRows({
      {"A1 side ace", {SuitSpades, "Ac 9d As", "", "9s 10s Js Qs Ks"}, 0, "Ac"},
      {"A1 game letters", {SuitSpades, "Тк 9б Тп", "", "9п 1п Вп Дп Кп"}, 0, "Тк"},
      {"A1 diamonds before clubs, whatever the packing",
       {SuitSpades, "Ac Ad Js", "", "9s 10s Qs Ks As"}, 0, "Ad"},
      {"A1 hearts before diamonds",
       {SuitSpades, "Ad Ah Js", "", "9s 10s Qs Ks As"}, 0, "Ah"},
      {"A1 clubs before spades when hearts are trump",
       {SuitHearts, "As Ac 9d", "", "9h 10h Jh Qh Kh Ah"}, 0, "Ac"},
      {"A2 ten once its ace is played",
       {SuitSpades, "10c 9d Js", "", "9s 10s Qs Ks As Ac"}, 0, "10c"},
      {"A2 not while the ace is out",
       {SuitSpades, "10c 9d", "", "9s 10s Js Qs Ks As"}, 0, "9d"},
      {"A2 in any side suit before a master king",
       {SuitSpades, "Kh 10c Qs", "", "9s 10s Js Ks As Ah 10h Ac"}, 0, "10c"},
      {"A3 king once ace and ten are played",
       {SuitSpades, "Kc 9d Js", "", "9s 10s Qs Ks As Ac 10c"}, 0, "Kc"},
      {"A3 not while the ten is out",
       {SuitSpades, "Kc 9d", "", "9s 10s Js Qs Ks As Ac"}, 0, "9d"},
      {"A4 queen once ace, ten and king are played",
       {SuitSpades, "Qd 9h", "", "9s 10s Js Qs Ks As Ad 10d Kd"}, 0, "Qd"},
      {"A4 not while the king is out",
       {SuitSpades, "Qd 9h", "", "9s 10s Js Qs Ks As Ad 10d"}, 0, "9h"},
      {"A5 jack once the four above are played",
       {SuitSpades, "Jh 9d", "", "9s 10s Js Qs Ks As Ah 10h Kh Qh"}, 0, "Jh"},
      {"A6 nine once all above are played",
       {SuitSpades, "9c Jd 9h", "", "9s 10s Js Qs Ks As Ac 10c Kc Qc Jc"}, 0, "9c"},
      {"A6 not while the jack is out",
       {SuitSpades, "9c Jd 9h", "", "9s 10s Js Qs Ks As Ac 10c Kc Qc"}, 0, "9h"},
  });
}

TEST(ChooseLead, ListAMarriagesAndTrumps) {
  CheckLeadRows({
      {"A7 trump marriage leads the king",
       {SuitSpades, "Ks Qs 9h Kd Qd", "", "9s 10s Js As"}, 0, "Ks"},
      {"A8 taken 46 leads the side king",
       {SuitSpades, "Kd Qd 9h", "", "9s 10s Js Qs Ks As"}, 46, "Kd"},
      {"A8 taken 45 goes on to A10e, the queen",
       {SuitSpades, "Kd Qd 9h", "", "9s 10s Js Qs Ks As"}, 45, "Qd"},
      {"A8 first side suit decides",
       {SuitSpades, "Kc Qc Kd Qd", "", "9s 10s Js Qs Ks As"}, 60, "Kd"},
      {"A9 taken 53 leads the only trump",
       {SuitSpades, "10s 9h Jd", "", "9s Js Qs Ks As"}, 53, "10s"},
      {"A9 taken 52 goes on to the fallback",
       {SuitSpades, "10s 9h Jd", "", "9s Js Qs Ks As"}, 52, "9h"},
      {"A10a taken 33 with a trump and a side marriage",
       {SuitSpades, "9s Kh Qh 9d", "", "10s Js Qs Ks As"}, 33, "9s"},
      {"A10a taken 32 goes on to A10e",
       {SuitSpades, "9s Kh Qh 9d", "", "10s Js Qs Ks As"}, 32, "Qh"},
      {"A10b taken 40 with two trumps",
       {SuitSpades, "9s Js 9h 9d", "", "10s Qs Ks As"}, 40, "Js"},
      {"A10b taken 39 goes on to the fallback",
       {SuitSpades, "9s Js 9h 9d", "", "10s Qs Ks As"}, 39, "9h"},
      {"A10c side marriage and two trumps",
       {SuitSpades, "9s Js Kd Qd", "", "10s Qs Ks As"}, 0, "Js"},
      {"A10d three trumps",
       {SuitSpades, "9s Js Qs 9h", "", "10s Ks As"}, 0, "Qs"},
      {"A10e side marriage, queen of the first side suit",
       {SuitSpades, "Kc Qc Kd Qd", "", "9s 10s Js Qs Ks As"}, 0, "Qd"},
      {"A10f fallback discards",
       {SuitSpades, "Kc 9c Jd 10s", "", "9s Js Qs Ks As"}, 0, "Jd"},
      {"A10f only trumps: the highest",
       {SuitSpades, "9s Js", "", "10s Qs Ks As"}, 0, "Js"},
  });
}

TEST(ChooseLead, ListBMasterTrumps) {
  CheckLeadRows({
      {"B1 trump ace", {SuitHearts, "9c Ah Kh Qh", "", ""}, 0, "Ah"},
      {"B2 trump ten once the ace is played",
       {SuitHearts, "10h 9c", "", "Ah 9d Jd"}, 0, "10h"},
      {"B2 not while the ace is out", {SuitHearts, "10h 9c", "", ""}, 0, "9c"},
      {"B3 trump king once ace and ten are played",
       {SuitHearts, "Kh 9c", "", "Ah 10h 9d"}, 0, "Kh"},
      {"B4 trump queen once ace, ten, king are played",
       {SuitHearts, "Qh 9c", "", "Ah 10h Kh"}, 0, "Qh"},
      {"B5 trump jack once the four above are played",
       {SuitHearts, "Jh 9c", "", "Ah 10h Kh Qh 9d Jd"}, 0, "Jh"},
      {"B7 trump marriage leads the queen",
       {SuitHearts, "Kh Qh 9c Ac", "", ""}, 0, "Qh"},
      {"B8 side marriage leads the queen",
       {SuitHearts, "Kd Qd Ac 9s", "", ""}, 0, "Qd"},
      {"B8 first side suit decides",
       {SuitHearts, "Kc Qc Ks Qs", "", ""}, 0, "Qc"},
  });
}

TEST(ChooseLead, ListBAcesAndFallback) {
  CheckLeadRows({
      {"B9 bare ace before an accompanied one",
       {SuitSpades, "Ah 9h Ac 9d", "", ""}, 0, "Ac"},
      {"B9 diamonds searched before spades",
       {SuitClubs, "Ad As 9h", "", ""}, 0, "Ad"},
      {"B9 does not see a bare ace in slot 8",
       {SuitClubs, "9h Jh Ah 9s Js Qs 10s Ad", "", ""}, 0, "Ah"},
      {"B10 side ace in side-suit order",
       {SuitSpades, "Ah 9h Ac 9c", "", ""}, 0, "Ah"},
      {"B10 trump left out",
       {SuitHearts, "Ac 9c As 9s Ad 9d", "", ""}, 0, "Ad"},
      {"B11 fallback discards",
       {SuitHearts, "9c Kc 10d", "", ""}, 0, "9c"},
      {"B11 only trumps without master or marriage",
       {SuitHearts, "9h Jh 10h", "", ""}, 0, "10h"},
  });
}

// List A applies only when every trump is in hand or played: one trump out
// of sight switches the same hand to list B.
TEST(ChooseLead, TrumpCountChoosesTheList) {
  CheckLeadRows({
      {"six trumps known: A1, the side ace",
       {SuitSpades, "As Ac 9d", "", "9s 10s Js Qs Ks"}, 0, "Ac"},
      {"five trumps known: B1, the trump ace",
       {SuitSpades, "As Ac 9d", "", "9s 10s Js Qs"}, 0, "As"},
  });
  // A trump on another hand is not known to the seat.
  MatchState state = Position({SuitSpades, "As Ac 9d", "", "9s 10s Js Qs"}, 1);
  SetHand(state, 2, "Ks");
  EXPECT_EQ(Name(CardAt(state, 1, ChooseLead(state, 1, 0))), "As");
}

TEST(ChooseLead, ReadsOnlyTheGivenSeat) {
  MatchState state = Position({SuitHearts, "Kd Qd 9c", "", ""}, 2);
  SetHand(state, 1, "Ah 10h");
  SetHand(state, 3, "Ac Kh Qh");
  EXPECT_EQ(Name(CardAt(state, 2, ChooseLead(state, 2, 0))), "Qd");
}

// ---------------------------------------------------------------------------
// ChooseSecond.

struct FollowRow {
  const char* name;
  Setup setup;
  const char* expected;
};

TEST(ChooseSecond, TrumpLed) {
  const std::vector<FollowRow> rows = {
      {"master ace led: lowest trump", {SuitHearts, "9h Kh 10c", "Ah", ""}, "9h"},
      {"master ace led, no trump: weakest card",
       {SuitHearts, "Kc 10d Jc", "Ah", ""}, "Jc"},
      {"master king led: lowest trump",
       {SuitHearts, "Qh 9h Ac", "Kh", "Ah 10h 9c"}, "9h"},
      {"ten led, ace in hand beats it", {SuitHearts, "9h Ah 9c", "10h", ""}, "Ah"},
      {"king led, ace played: the ten beats it",
       {SuitHearts, "9h 10h 9c", "Kh", "Ah 9d Jd"}, "10h"},
      {"king led, ace out: no safe beat", {SuitHearts, "9h 10h 9c", "Kh", ""}, "9h"},
      {"queen led, ace and ten played: the king",
       {SuitHearts, "Jh Kh", "Qh", "Ah 10h 9c"}, "Kh"},
      {"nine led, no trump: weakest card", {SuitHearts, "Kc Qd", "9h", ""}, "Qd"},
  };
  for (const FollowRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Second(row.setup), Norm(row.expected));
  }
}

TEST(ChooseSecond, SideSuitLed) {
  const std::vector<FollowRow> rows = {
      {"void in both: weakest card", {SuitHearts, "Ad 10s Jd", "Kc", ""}, "Jd"},
      {"void, trump marriage: 10 before jack",
       {SuitHearts, "Kh Qh 10h 9h 9d", "Kc", ""}, "10h"},
      {"void, no marriage: 10 before king",
       {SuitHearts, "Kh 10h 9h 9d", "Kc", ""}, "10h"},
      {"void, marriage, no ten: the jack", {SuitHearts, "Kh Qh Jh 9h", "Kc", ""}, "Jh"},
      {"void, no marriage, no ten: the king", {SuitHearts, "Kh Jh 9h", "Kc", ""}, "Kh"},
      {"void, marriage with ace: ace before king and queen",
       {SuitHearts, "Kh Qh Ah", "Kc", ""}, "Ah"},
      {"void, no marriage: queen before ace", {SuitHearts, "Qh Ah 9d", "Kc", ""}, "Qh"},
      {"cannot reach the led rank: lowest", {SuitHearts, "Qc Jc Ah", "Kc", ""}, "Jc"},
      {"led ace: lowest of the suit", {SuitHearts, "10c 9c", "Ac", ""}, "9c"},
      {"led king, ace out: the nine, not the ten",
       {SuitHearts, "10c 9c Ah", "Kc", ""}, "9c"},
      {"led king, ace played: the ten",
       {SuitHearts, "10c 9c Ah", "Kc", "Ac 9d Jd"}, "10c"},
      {"follows although it could trump", {SuitHearts, "9c Ah", "Ac", ""}, "9c"},
  };
  for (const FollowRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Second(row.setup), Norm(row.expected));
  }
}

// The beating-card table, row by row and entry by entry, for a led side suit
// and for a led trump. For every led rank and every stronger rank c the hand
// holds c and a card weaker than c that does not beat the led card (the 9, or
// the jack when a 9 was led): with every card above c played the seat beats
// with c; with the ace still out only the ace itself may beat.
TEST(ChooseSecond, BeatingCardTable) {
  const auto card = [](int order, Suit suit) {
    return Name(MakeCard(RankByOrder[static_cast<std::size_t>(order)], suit));
  };
  for (const Suit trump : {SuitSpades, SuitClubs}) {
    const Suit suit = SuitClubs;  // the led suit: a side suit, then the trump
    for (int led = OrderNine; led <= OrderTen; ++led) {
      const int low = led == OrderNine ? OrderJack : OrderNine;
      for (int beat = std::max(led, low) + 1; beat <= OrderAce; ++beat) {
        std::string played;
        for (int above = OrderAce; above > beat; --above) played += card(above, suit) + " ";
        const std::string hand = card(beat, suit) + " " + card(low, suit) + " 9d";
        const std::string table = card(led, suit);
        SCOPED_TRACE(table + " led, " + hand + " held, played: " + played);
        EXPECT_EQ(Second({trump, hand, table, played}), card(beat, suit));
        if (beat == OrderAce) continue;
        // The ace still out: the stronger card is not safe.
        const std::string played_without_ace = played.substr(card(OrderAce, suit).size() + 1);
        EXPECT_EQ(Second({trump, hand, table, played_without_ace}), card(low, suit));
      }
    }
  }
}

// The jack entry of a led 9: with ace, 10, king and queen gone the jack is
// safe, and it is then the seat's only card of the suit.
TEST(ChooseSecond, BeatingCardTableJackOverNine) {
  EXPECT_EQ(Second({SuitSpades, "Jc 9d", "9c", "Ac 10c Kc Qc"}), "Jc");
  EXPECT_EQ(Second({SuitClubs, "Jc 9d", "9c", "Ac 10c Kc Qc"}), "Jc");
}

// ---------------------------------------------------------------------------
// ChooseThird.

TEST(ChooseThird, WinsOrUndercuts) {
  const std::vector<FollowRow> rows = {
      {"follows with the winning highest", {SuitHearts, "Ac 10c 9d", "9c Jc", ""}, "Ac"},
      {"cannot beat the second card: lowest of suit",
       {SuitHearts, "10c Jc", "9c Ac", ""}, "Jc"},
      {"cannot beat a trump on the table: lowest of suit",
       {SuitHearts, "Ac 9c Ah", "Kc 9h", ""}, "9c"},
      {"a discard on the table does not win", {SuitHearts, "Kc 9c", "Qc Ad", ""}, "Kc"},
      {"void, trump on table too high: lowest trump",
       {SuitHearts, "9h Qh 9d", "Kc Kh", ""}, "9h"},
      {"void, over-trumps a trump with its highest",
       {SuitHearts, "Jh Ah 9h 9d", "Kc 10h", ""}, "Ah"},
      {"void, no trump: weakest card", {SuitHearts, "Ad 10s Jd", "Kc 9c", ""}, "Jd"},
      {"trump led, hand wins with highest trump",
       {SuitHearts, "9h Ah 9c", "Jh Qh", ""}, "Ah"},
      {"trump led, cannot win: lowest trump", {SuitHearts, "9h Jh 9c", "Qh Ah", ""}, "9h"},
      {"trump led, no trump: weakest card", {SuitHearts, "Kc Qd", "Qh 10h", ""}, "Qd"},
  };
  for (const FollowRow& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Third(row.setup), Norm(row.expected));
  }
}

// Void in the led side suit with no trump on the table: the trumps seen in
// slots 1..6 choose the trump to spend.
TEST(ChooseThird, TrumpPatternTable) {
  struct Row {
    int pattern;
    const char* trumps;
    const char* played;
    const char* expected;
  };
  const std::vector<Row> rows = {
      {2, "9h Jh Qh Kh 10h", "", "10h"},
      {8, "9h Jh Qh Kh", "", "Jh"},
      {9, "9h Jh Qh Ah", "", "Qh"},
      {12, "Qh Kh 10h Ah", "", "10h"},
      {13, "9h Jh Qh 10h", "", "Qh"},
      {27, "Qh Kh Ah", "", "Ah"},
      {33, "Qh Kh 10h", "", "10h"},
      {48, "Kh 10h", "", "10h"},
      {49, "Qh 10h", "", "10h"},
      {49, "Qh 10h", "Ah 9d Jd", "Qh"},
      {50, "Jh 10h", "", "10h"},
      {50, "Jh 10h", "Ah 9d Jd", "Jh"},
      {51, "9h 10h", "", "10h"},
      {51, "9h 10h", "Ah 9d Jd", "9h"},
      {55, "Jh Qh", "", "Qh"},
      {57, "9h Jh", "", "Jh"},
      // Other sets: the lowest trump.
      {1, "9h Jh Qh Kh 10h Ah", "", "9h"},
      {23, "Kh 10h Ah", "", "Kh"},
      {52, "Qh Kh", "", "Qh"},
      {58, "Ah", "", "Ah"},
      {63, "9h", "", "9h"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("pattern " + std::to_string(row.pattern) + ": " + row.trumps);
    const MatchState state = Position({SuitHearts, row.trumps, "Kc 9c", row.played});
    ASSERT_EQ(SuitPattern(state.Hands[1], SuitHearts), row.pattern);
    EXPECT_EQ(Name(CardAt(state, 1, ChooseThird(state, 1))), Norm(row.expected));
  }
}

TEST(ChooseThird, TrumpPatternSeesSlotsOneToSixOnly) {
  // 9h 10h stand in slots 7 and 8: pattern 64, the lowest trump, not the 10.
  EXPECT_EQ(Third({SuitHearts, "9d Jd Qd 9s Js Qs 9h 10h", "Kc 9c", ""}), "9h");
  // Qh Kh seen, 10h Ah in slots 7 and 8: pattern 52, the lowest trump.
  EXPECT_EQ(Third({SuitHearts, "9d Jd 9s Js Qh Kh 10h Ah", "Kc 9c", ""}), "Qh");
  // The same trumps seen in slots 1..4: pattern 12, the 10.
  EXPECT_EQ(Third({SuitHearts, "Qh Kh 10h Ah 9s", "Kc 9c", ""}), "10h");
}

// ---------------------------------------------------------------------------
// Seats and hands that give nothing to choose.

TEST(ComputerPlayers, SeatOutsideOneToThreeChoosesNothing) {
  const MatchState lead = Position({SuitHearts, "Ac 9d", "", ""});
  const MatchState second = Position({SuitHearts, "Ac 9d", "Kc", ""});
  const MatchState third = Position({SuitHearts, "Ac 9d", "Kc Qc", ""});
  for (const int seat : {-1, 0, 4, 200}) {
    SCOPED_TRACE(seat);
    EXPECT_EQ(ChooseLead(lead, seat, 0), 0);
    EXPECT_EQ(ChooseSecond(second, seat), 0);
    EXPECT_EQ(ChooseThird(third, seat), 0);
  }
}

TEST(ComputerPlayers, EmptyHandChoosesNothing) {
  const MatchState lead = Position({SuitHearts, "", "", ""});
  const MatchState second = Position({SuitHearts, "", "Kc", ""});
  const MatchState third = Position({SuitHearts, "", "Kc Qc", ""});
  EXPECT_EQ(ChooseLead(lead, 1, 0), 0);
  EXPECT_EQ(ChooseSecond(second, 1), 0);
  EXPECT_EQ(ChooseThird(third, 1), 0);
}

// ---------------------------------------------------------------------------
// Property: over many random positions every choice is a card of the seat's
// hand and obeys the rules of play; the other seats' hands never matter.

TEST(ComputerPlayers, RandomPositionsGiveLegalCardsOfTheHand) {
  std::mt19937 random(20240611);
  std::array<CardCode, 24> deck{};
  for (int n = 1; n <= 24; ++n) deck[static_cast<std::size_t>(n - 1)] = CardFromDeckNumber(n);

  for (int round = 0; round < 20000; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::shuffle(deck.begin(), deck.end(), random);
    std::size_t next = 0;
    const auto take = [&](std::size_t count) {
      count = std::min(count, deck.size() - next);
      std::vector<CardCode> cards(deck.begin() + static_cast<std::ptrdiff_t>(next),
                                  deck.begin() + static_cast<std::ptrdiff_t>(next + count));
      next += count;
      return cards;
    };
    const std::size_t tricks = random() % 8;  // collected so far
    const std::size_t on_table = random() % 3;
    const int seat = static_cast<int>(random() % 3) + 1;
    const auto taken = static_cast<std::int32_t>(random() % 121);

    MatchState state;
    state.Trump = DeckSuits[random() % 4];
    state.DealStage = StagePlaying;
    PutPlayed(state, take(3 * tricks));
    for (int s = 1; s <= 3; ++s) SetHand(state, s, "");
    SetHand(state, seat, Names(take(8 - tricks)));
    PutTable(state, seat, take(on_table));

    const auto choose = [&](const MatchState& position) {
      switch (on_table) {
        case 0: return ChooseLead(position, seat, taken);
        case 1: return ChooseSecond(position, seat);
        default: return ChooseThird(position, seat);
      }
    };
    const int slot = choose(state);
    const CardCode card = CardAt(state, seat, slot);
    ASSERT_TRUE(card.IsCard()) << "slot " << slot;
    ASSERT_FALSE(IsIllegalCardOf(state, seat, slot))
        << Name(card) << " after " << on_table << " cards";

    // The rest of the deck dealt to the other seats changes nothing.
    SetHand(state, NextSeat(seat), Names(take(8 - tricks)));
    SetHand(state, NextSeat(NextSeat(seat)), Names(take(8)));
    ASSERT_EQ(choose(state), slot);
  }
}

}  // namespace
}  // namespace tarvel
