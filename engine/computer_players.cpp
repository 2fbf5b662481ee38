// The computer players. Each choice is a fixed list of tests tried in a fixed
// order; the first test that applies names the card. The players know only
// their own hand, the trump, the cards on the table and the collected tricks
// (PlayedLog); they keep no memory between calls.
//
// Every slot returned is a slot of the seat's packed hand that holds a card
// and obeys the rules of play (follow suit, else trump, else any card). A seat
// outside 1..3 or an empty hand yields 0, the "none" of the hand operations.
#include "computer_players.h"

#include <array>

namespace tarvel {
namespace {

// Side suits: hearts, diamonds, clubs, spades with the trump left out. Every
// "for each side suit" test walks them in this order and the first suit that
// satisfies it decides.
struct SideSuits {
  std::array<Suit, 4> suits{};
  int count = 0;

  const Suit* begin() const { return suits.data(); }
  const Suit* end() const { return suits.data() + count; }
};

SideSuits SideSuitsOf(Suit trump) {
  SideSuits side;
  for (Suit suit : DeckSuits) {
    if (suit != trump) side.suits[static_cast<std::size_t>(side.count++)] = suit;
  }
  return side;
}

CardCode CardOfOrder(int order, Suit suit) {
  return MakeCard(RankByOrder[static_cast<std::size_t>(order)], suit);
}

// True when every card of `suit` stronger than rank order `order` lies in the
// log, so that a card of that order is the highest of its suit still out.
bool StrongerAllPlayed(const PlayedCards& log, Suit suit, int order) {
  for (int stronger = OrderAce; stronger > order; --stronger) {
    if (!IsPlayed(CardOfOrder(stronger, suit), log)) return false;
  }
  return true;
}

// Rank order of the strongest card of `suit` still out (not in the log); 0
// when all six are played. A held card is the highest of its suit still out
// exactly when its rank order is this one: a stronger card is in the log, and
// a weaker one has this card above it.
int HighestOut(const PlayedCards& log, Suit suit) {
  for (int order = OrderAce; order >= OrderNine; --order) {
    if (!IsPlayed(CardOfOrder(order, suit), log)) return order;
  }
  return 0;
}

// Slot of the held card of `suit` that is the highest of its suit still out;
// 0 when the hand lacks it. Its rank order goes to `order`.
int MasterSlot(const Hand& hand, const PlayedCards& log, Suit suit, int& order) {
  order = HighestOut(log, suit);
  return order == 0 ? 0 : SlotOf(CardOfOrder(order, suit), hand);
}

// True when the hand holds a card of `suit` that beats a card of rank order
// `led_order` of the same suit and is the highest card of the suit still out.
// The candidates are tried from the ace down, each one needing every stronger
// card of the suit played.
bool HoldsBeatingMaster(const Hand& hand, const PlayedCards& log, Suit suit,
                        int led_order) {
  int order = 0;
  return MasterSlot(hand, log, suit, order) != 0 && order > led_order;
}

bool HoldsSideSuit(const Hand& hand, const SideSuits& side) {
  for (Suit suit : side) {
    if (HasSuit(hand, suit)) return true;
  }
  return false;
}

// First side suit (in side-suit order) holding both king and queen; NoSuit
// when there is none.
Suit FirstSideMarriage(const Hand& hand, const SideSuits& side) {
  for (Suit suit : side) {
    if (HasMarriage(hand, suit)) return suit;
  }
  return NoSuit;
}

// The last resort of a lead: throw away a side card, or lead the highest
// trump when only trumps are left. Both lead lists have led every side ace
// before they come here, so DiscardSlot finds a card whenever a side suit is
// held.
int LeadFallback(const Hand& hand, Suit trump, const SideSuits& side) {
  if (HoldsSideSuit(hand, side)) return DiscardSlot(hand, trump);
  return HighestOfSuit(hand, trump);
}

// List A, the opponents hold no trump any more: cash the side cards that
// cannot be beaten, then marriages and trumps by how close the seat is to 66.
// A side marriage is the same test for every side suit in steps 8 and 10a..e,
// so the first side suit holding one decides them all.
int LeadWithoutOutsideTrumps(const Hand& hand, const PlayedCards& log,
                             Suit trump, std::int32_t taken) {
  const SideSuits side = SideSuitsOf(trump);
  // A1..A6: the side ace, then the 10 once the ace is gone, and so on down
  // to the 9. Every step tries all side suits before the next one, so the
  // strongest held master wins, and among equal ranks the first side suit.
  int lead = 0;
  int lead_order = 0;
  for (Suit suit : side) {
    int order = 0;
    const int slot = MasterSlot(hand, log, suit, order);
    if (slot != 0 && order > lead_order) {
      lead = slot;
      lead_order = order;
    }
  }
  if (lead != 0) return lead;
  // A7: the trump marriage, led with the king.
  if (HasMarriage(hand, trump)) return SlotOf(MakeCard(RankKing, trump), hand);
  // A8: a side marriage led with the king once 46 points are taken.
  const Suit marriage = FirstSideMarriage(hand, side);
  if (marriage != NoSuit && taken > 45) {
    return SlotOf(MakeCard(RankKing, marriage), hand);
  }
  const int trumps = CountSuit(hand, trump);
  const int highest_trump = HighestOfSuit(hand, trump);
  if (taken > 52 && trumps > 0) return highest_trump;                        // A9
  if (taken > 32 && trumps > 0 && marriage != NoSuit) return highest_trump;  // A10a
  if (taken > 39 && trumps > 1) return highest_trump;                        // A10b
  if (marriage != NoSuit && trumps > 1) return highest_trump;                // A10c
  if (trumps >= 3) return highest_trump;                                     // A10d
  if (marriage != NoSuit) return SlotOf(MakeCard(RankQueen, marriage), hand);  // A10e
  return LeadFallback(hand, trump, side);                                    // A10f
}

// List B, an opponent may still hold a trump: draw it with the master trump,
// announce marriages, then cash bare and other side aces.
int LeadWithOutsideTrumps(const Hand& hand, const PlayedCards& log, Suit trump) {
  const SideSuits side = SideSuitsOf(trump);
  // B1..B6: the highest trump still out, when the hand holds it. (The trump
  // 9 of B6 never leads here: with the five above played and the 9 in hand
  // all six trumps are known and list A applies.)
  int order = 0;
  if (const int slot = MasterSlot(hand, log, trump, order)) return slot;
  // B7, B8: marriages, led with the queen.
  if (HasMarriage(hand, trump)) return SlotOf(MakeCard(RankQueen, trump), hand);
  const Suit marriage = FirstSideMarriage(hand, side);
  if (marriage != NoSuit) return SlotOf(MakeCard(RankQueen, marriage), hand);
  // B9: a bare ace, the only card of its suit among slots 1..6. All four
  // suits are searched, the trump in its place too.
  constexpr int kBareAcePattern = 58;
  for (Suit suit : DeckSuits) {
    if (SuitPattern(hand, suit) == kBareAcePattern) {
      return SlotOf(MakeCard(RankAce, suit), hand);
    }
  }
  // B10: any side ace.
  for (Suit suit : side) {
    if (const int slot = SlotOf(MakeCard(RankAce, suit), hand)) return slot;
  }
  return LeadFallback(hand, trump, side);  // B11
}

bool IsSeat(int seat) { return seat >= 1 && seat <= 3; }

int LowestTrumpOrAny(const Hand& hand, Suit trump) {
  return HasSuit(hand, trump) ? LowestOfSuit(hand, trump) : LowestSlot(hand);
}

// What the third hand plays when it can win by trumping and no trump lies on
// the table, by the set of trumps seen in hand slots 1..6.
enum class TrumpPick { Card, TenUnlessAcePlayed };

struct TrumpPatternRow {
  int pattern;
  TrumpPick pick;
  RankLetter rank;
};

constexpr std::array<TrumpPatternRow, 13> kTrumpPatternRows = {{
    {2, TrumpPick::Card, RankTen},               // 9 J Q K 10
    {8, TrumpPick::Card, RankJack},              // 9 J Q K
    {9, TrumpPick::Card, RankQueen},             // 9 J Q A
    {12, TrumpPick::Card, RankTen},              // Q K 10 A
    {13, TrumpPick::Card, RankQueen},            // 9 J Q 10
    {27, TrumpPick::Card, RankAce},              // Q K A
    {33, TrumpPick::Card, RankTen},              // Q K 10
    {48, TrumpPick::Card, RankTen},              // K 10
    {49, TrumpPick::TenUnlessAcePlayed, RankTen},  // Q 10
    {50, TrumpPick::TenUnlessAcePlayed, RankTen},  // J 10
    {51, TrumpPick::TenUnlessAcePlayed, RankTen},  // 9 10
    {55, TrumpPick::Card, RankQueen},            // J Q
    {57, TrumpPick::Card, RankJack},             // 9 J
}};

int ChooseWinningTrump(const Hand& hand, const PlayedCards& log, Suit trump) {
  const int pattern = SuitPattern(hand, trump);
  for (const TrumpPatternRow& row : kTrumpPatternRows) {
    if (row.pattern != pattern) continue;
    if (row.pick == TrumpPick::TenUnlessAcePlayed &&
        IsPlayed(MakeCard(RankAce, trump), log)) {
      break;
    }
    // Every card a row names belongs to its pattern, so the hand holds it.
    return SlotOf(MakeCard(row.rank, trump), hand);
  }
  return LowestOfSuit(hand, trump);
}

}  // namespace

int ChooseLead(const MatchState& state, int seat, std::int32_t taken) {
  if (!IsSeat(seat)) return 0;
  const Hand& hand = state.Hands[static_cast<std::size_t>(seat)];
  const Suit trump = state.Trump;
  const int trumps_known =
      CountPlayedSuit(state.PlayedLog, trump) + CountSuit(hand, trump);
  if (trumps_known == 6) {
    return LeadWithoutOutsideTrumps(hand, state.PlayedLog, trump, taken);
  }
  return LeadWithOutsideTrumps(hand, state.PlayedLog, trump);
}

int ChooseSecond(const MatchState& state, int seat) {
  if (!IsSeat(seat)) return 0;
  const Hand& hand = state.Hands[static_cast<std::size_t>(seat)];
  const PlayedCards& log = state.PlayedLog;
  const Suit led = state.LedSuit;
  const Suit trump = state.Trump;
  const int led_order = state.TrickRanks[1];

  if (led == trump) {
    // Nothing can beat a led master trump: keep the strong trumps.
    if (StrongerAllPlayed(log, trump, led_order)) {
      return LowestTrumpOrAny(hand, trump);
    }
    if (HoldsBeatingMaster(hand, log, trump, led_order)) {
      return HighestOfSuit(hand, trump);
    }
    return LowestTrumpOrAny(hand, trump);
  }

  if (!HasSuit(hand, led)) {
    if (!HasSuit(hand, trump)) return LowestSlot(hand);
    // Must trump. With the trump marriage in hand, spare its king and queen.
    if (HasMarriage(hand, trump)) return PreferTenJack(hand, trump);
    return PreferTenKing(hand, trump);
  }
  // Beat only with a card that no later card of the led suit can beat.
  if (TopRankOfSuit(hand, led) < led_order) return LowestOfSuit(hand, led);
  if (HoldsBeatingMaster(hand, log, led, led_order)) {
    return HighestOfSuit(hand, led);
  }
  return LowestOfSuit(hand, led);
}

int ChooseThird(const MatchState& state, int seat) {
  if (!IsSeat(seat)) return 0;
  const Hand& hand = state.Hands[static_cast<std::size_t>(seat)];
  const Suit led = state.LedSuit;
  const Suit trump = state.Trump;
  const bool holds_led = HasSuit(hand, led);
  const bool holds_trump = HasSuit(hand, trump);

  // Try the strongest card the seat may play: its highest of the led suit,
  // else its highest trump.
  bool can_win = false;
  if (holds_led || holds_trump) {
    const Suit trial_suit = holds_led ? led : trump;
    const int trial_slot = HighestOfSuit(hand, trial_suit);
    const std::array<CardCode, 4> cards = {
        NoCard, state.Trick[1], state.Trick[2],
        hand[static_cast<std::size_t>(trial_slot)]};
    const std::array<std::uint8_t, 4> orders = {
        0, state.TrickRanks[1], state.TrickRanks[2],
        static_cast<std::uint8_t>(TopRankOfSuit(hand, trial_suit))};
    can_win = TrickWinnerPosition(cards, orders, led, trump) == 3;
  }

  if (!can_win) {
    if (holds_led) return LowestOfSuit(hand, led);
    return LowestTrumpOrAny(hand, trump);
  }
  if (holds_led) return HighestOfSuit(hand, led);
  if (state.Trick[2].suit == trump) return HighestOfSuit(hand, trump);
  // No trump on the table: any trump wins, so pick which one to spend.
  return ChooseWinningTrump(hand, state.PlayedLog, trump);
}

}  // namespace tarvel
