// Card codes, rank order, card points and the small pure operations on hands
// and on the played-card log that the rules and the computer players share.
//
// A card is two Windows-1251 bytes, rank letter then suit letter. Slots,
// seats and log entries keep their 1-based numbers: every array here has one
// spare element at index 0 that is never read.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvel {

// Suit letters (Windows-1251 bytes). NoSuit is the "#" of a suit variable
// that holds no suit.
using Suit = std::uint8_t;
inline constexpr Suit SuitHearts = 0xF7;    // "ч"
inline constexpr Suit SuitDiamonds = 0xE1;  // "б"
inline constexpr Suit SuitClubs = 0xEA;     // "к"
inline constexpr Suit SuitSpades = 0xEF;    // "п"
inline constexpr Suit NoSuit = 0x23;        // "#"

// The four suits in deck order: hearts, diamonds, clubs, spades.
inline constexpr std::array<Suit, 4> DeckSuits = {SuitHearts, SuitDiamonds,
                                                  SuitClubs, SuitSpades};

// Rank letters (Windows-1251 bytes). The ten is the single letter "1".
using RankLetter = std::uint8_t;
inline constexpr RankLetter RankNine = 0x39;   // "9"
inline constexpr RankLetter RankJack = 0xC2;   // "В"
inline constexpr RankLetter RankQueen = 0xC4;  // "Д"
inline constexpr RankLetter RankKing = 0xCA;   // "К"
inline constexpr RankLetter RankTen = 0x31;    // "1"
inline constexpr RankLetter RankAce = 0xD2;    // "Т"
inline constexpr RankLetter NoRank = 0x23;     // "#"

// Rank orders 1..6 (strength within a suit) and the value stored in the rank
// and point arrays beside an empty slot.
inline constexpr std::uint8_t OrderNine = 1;
inline constexpr std::uint8_t OrderJack = 2;
inline constexpr std::uint8_t OrderQueen = 3;
inline constexpr std::uint8_t OrderKing = 4;
inline constexpr std::uint8_t OrderTen = 5;
inline constexpr std::uint8_t OrderAce = 6;
inline constexpr std::uint8_t EmptyValue = 99;

// Rank letters indexed by rank order 1..6 (index 0 is NoRank).
inline constexpr std::array<RankLetter, 7> RankByOrder = {
    NoRank, RankNine, RankJack, RankQueen, RankKing, RankTen, RankAce};

namespace detail {
// Byte-indexed tables: rank order and card points of a rank letter, and
// whether a byte is a suit letter. Everything else maps to EmptyValue/false.
struct LetterTables {
  std::array<std::uint8_t, 256> order{};
  std::array<std::uint8_t, 256> points{};
  std::array<bool, 256> suit{};
};
constexpr LetterTables MakeLetterTables() {
  LetterTables t;
  for (auto& v : t.order) v = EmptyValue;
  for (auto& v : t.points) v = EmptyValue;
  constexpr std::array<std::uint8_t, 7> points = {EmptyValue, 0, 2, 3, 4, 10, 11};
  for (std::uint8_t order = OrderNine; order <= OrderAce; ++order) {
    t.order[RankByOrder[order]] = order;
    t.points[RankByOrder[order]] = points[order];
  }
  for (Suit s : DeckSuits) t.suit[s] = true;
  return t;
}
inline constexpr LetterTables kLetters = MakeLetterTables();
}  // namespace detail

// Rank order 1..6 of a rank letter; EmptyValue for anything else.
constexpr std::uint8_t RankOrder(RankLetter rank) { return detail::kLetters.order[rank]; }

// Card points 0, 2, 3, 4, 10, 11 of a rank letter; EmptyValue for anything else.
constexpr std::uint8_t CardPoints(RankLetter rank) { return detail::kLetters.points[rank]; }

// True for the four suit letters.
constexpr bool IsSuit(Suit suit) { return detail::kLetters.suit[suit]; }

// A card code: the two Windows-1251 letters. Default-constructed it is NoCard.
struct CardCode {
  RankLetter rank = NoRank;
  Suit suit = NoSuit;

  constexpr bool operator==(const CardCode&) const = default;
  // True for "##".
  constexpr bool IsEmpty() const { return rank == NoRank && suit == NoSuit; }
  // True when both letters are valid card letters.
  constexpr bool IsCard() const {
    return RankOrder(rank) != EmptyValue && IsSuit(suit);
  }
  constexpr std::uint8_t Order() const { return RankOrder(rank); }
  constexpr std::uint8_t Points() const { return CardPoints(rank); }
};

inline constexpr CardCode NoCard{NoRank, NoSuit};

constexpr CardCode MakeCard(RankLetter rank, Suit suit) {
  return CardCode{rank, suit};
}

// Deck numbering 1..24: 1..4 the nines of hearts, diamonds, clubs, spades,
// 5..8 the tens, 9..12 the jacks, 13..16 the queens, 17..20 the kings,
// 21..24 the aces. NoCard for a number outside 1..24.
constexpr CardCode CardFromDeckNumber(int number) {
  constexpr std::array<RankLetter, 6> ranks = {RankNine, RankTen,  RankJack,
                                               RankQueen, RankKing, RankAce};
  if (number < 1 || number > 24) return NoCard;
  return CardCode{ranks[static_cast<std::size_t>((number - 1) / 4)],
                  DeckSuits[static_cast<std::size_t>((number - 1) % 4)]};
}

// The deck number 1..24 of a card; 0 for NoCard or anything else.
constexpr int DeckNumber(CardCode card) {
  int group = 0;
  switch (card.rank) {
    case RankNine: group = 0; break;
    case RankTen: group = 1; break;
    case RankJack: group = 2; break;
    case RankQueen: group = 3; break;
    case RankKing: group = 4; break;
    case RankAce: group = 5; break;
    default: return 0;
  }
  for (int s = 0; s < 4; ++s) {
    if (DeckSuits[static_cast<std::size_t>(s)] == card.suit) return group * 4 + s + 1;
  }
  return 0;
}

// Slots 1..24 of a hand (only 1..8 are ever occupied), or entries 1..24 of the
// played-card log. Index 0 is unused.
using Hand = std::array<CardCode, 25>;
using PlayedCards = std::array<CardCode, 25>;
// Rank orders or card points beside a hand, same indexing; 99 when empty.
using HandBytes = std::array<std::uint8_t, 25>;

// Hand and log operations. Unless stated otherwise they look at slots 1..8,
// return the lowest qualifying slot, and return 0 for "none". NoCard never
// matches a suit or a rank.

// The short scans below are defined here so that the computer players'
// many calls inline.

// Slot holding the card, 0 if absent.
inline int SlotOf(CardCode card, const Hand& hand) {
  if (!card.IsCard()) return 0;
  for (std::size_t slot = 1; slot <= 8; ++slot) {
    if (hand[slot] == card) return static_cast<int>(slot);
  }
  return 0;
}
// True when one of slots 1..8 holds the card.
inline bool HasCard(CardCode card, const Hand& hand) { return SlotOf(card, hand) != 0; }
// True when one of entries 1..24 of the log holds the card.
inline bool IsPlayed(CardCode card, const PlayedCards& log) {
  if (!card.IsCard()) return false;
  for (std::size_t entry = 1; entry <= 24; ++entry) {
    if (log[entry] == card) return true;
  }
  return false;
}
// Number of cards of the suit in slots 1..8.
inline int CountSuit(const Hand& hand, Suit suit) {
  if (!IsSuit(suit)) return 0;
  int count = 0;
  for (std::size_t slot = 1; slot <= 8; ++slot) count += hand[slot].suit == suit;
  return count;
}
// True when a card of the suit is in slots 1..8.
inline bool HasSuit(const Hand& hand, Suit suit) {
  if (!IsSuit(suit)) return false;
  for (std::size_t slot = 1; slot <= 8; ++slot) {
    if (hand[slot].suit == suit) return true;
  }
  return false;
}
// Number of cards of the suit among log entries 1..24.
inline int CountPlayedSuit(const PlayedCards& log, Suit suit) {
  if (!IsSuit(suit)) return 0;
  int count = 0;
  for (std::size_t entry = 1; entry <= 24; ++entry) count += log[entry].suit == suit;
  return count;
}
// True when the hand holds both king and queen of the suit.
inline bool HasMarriage(const Hand& hand, Suit suit) {
  return HasCard(MakeCard(RankKing, suit), hand) && HasCard(MakeCard(RankQueen, suit), hand);
}
// Slot of the first card found in rank order 9, J, Q, K, 10, A (any suit).
int LowestSlot(const Hand& hand);
// Slot of the first card found in rank order A, 10, K, Q, J, 9 (any suit).
int HighestSlot(const Hand& hand);
// Slot of the weakest card of the suit (9, J, Q, K, 10, A); 0 if none.
int LowestOfSuit(const Hand& hand, Suit suit);
// Slot of the strongest card of the suit (A, 10, K, Q, J, 9); 0 if none.
int HighestOfSuit(const Hand& hand, Suit suit);
// Rank order 1..6 of the strongest card of the suit held; 0 if none.
int TopRankOfSuit(const Hand& hand, Suit suit);
// Slot of the first card of the suit in the order 10, J, 9, A, K, Q.
int PreferTenJack(const Hand& hand, Suit suit);
// Slot of the first card of the suit in the order 10, K, Q, J, 9, A.
int PreferTenKing(const Hand& hand, Suit suit);
// Number 1..64 of the set of ranks of the suit in slots 1..6 (64 = none).
int SuitPattern(const Hand& hand, Suit suit);
// Slot of the card to throw away, never a trump nor a non-trump ace; 0 when
// the hand holds only trumps and non-trump aces.
int DiscardSlot(const Hand& hand, Suit trump);
// Sorts and packs the hand in place: suits in the order fixed by the trump
// (trump last), weakest first within a suit; the cards fill slots 1..count,
// slots count+1..24 get NoCard with rank and points 99. Rank and point arrays
// are rebuilt from the cards.
void PackHand(Hand& hand, HandBytes& ranks, HandBytes& points,
              std::uint8_t& count, Suit trump);

// The suit order of a packed hand for the given trump (trump last).
std::array<Suit, 4> PackOrder(Suit trump);

// Position 1..3 that wins a trick of three cards (index 0 unused): the highest
// trump, else the highest card of the led suit. Positions are examined 1..3
// and only a strictly greater rank order replaces the best so far. 0 when no
// card is a trump or of the led suit (only a malformed trick).
int TrickWinnerPosition(const std::array<CardCode, 4>& cards,
                        const std::array<std::uint8_t, 4>& orders, Suit led,
                        Suit trump);

// The card's part of a resource name: the suit "Ch", "Bu", "Kr" or "Pi",
// then the rank "09", "10", "2J", "3Q", "4K" or "5A" (the nine of diamonds
// is "Bu09"). Empty for anything that is not a card.
std::string CardNameStem(CardCode card);

}  // namespace tarvel
