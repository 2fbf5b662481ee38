#include "cards.h"

#include <algorithm>
#include <cstddef>

namespace tarvel {
namespace {

constexpr int kLastDealtSlot = 8;
constexpr int kPatternSlots = 6;  // SuitPattern sees slots 1..6 only

constexpr std::array<RankLetter, 6> kLowToHigh = {
    RankNine, RankJack, RankQueen, RankKing, RankTen, RankAce};
constexpr std::array<RankLetter, 6> kHighToLow = {
    RankAce, RankTen, RankKing, RankQueen, RankJack, RankNine};
constexpr std::array<RankLetter, 6> kTenJackOrder = {
    RankTen, RankJack, RankNine, RankAce, RankKing, RankQueen};
constexpr std::array<RankLetter, 6> kTenKingOrder = {
    RankTen, RankKing, RankQueen, RankJack, RankNine, RankAce};

// The first slot found by walking `order` rank by rank and, within a rank,
// slots 1..8; AnySuit ignores the suit. 0 when nothing matches. Done in one
// pass over the slots: the slot whose rank stands earliest in `order` wins,
// the lower slot on a tie.
template <std::size_t N>
struct RankPriority {
  std::array<std::uint8_t, 256> of{};  // place of a rank letter in the order
  constexpr explicit RankPriority(const std::array<RankLetter, N>& order) {
    for (auto& v : of) v = 0xFF;
    for (std::size_t i = 0; i < N; ++i) of[order[i]] = static_cast<std::uint8_t>(i);
  }
};

template <bool AnySuit, std::size_t N>
int FirstFound(const Hand& hand, const RankPriority<N>& priority, Suit suit) {
  if (!AnySuit && !IsSuit(suit)) return 0;
  // Written without data-dependent branches: the cards of a hand are as
  // good as random to the branch predictor.
  int best = 0;
  unsigned bestPriority = 0xFF;
  for (int slot = 1; slot <= kLastDealtSlot; ++slot) {
    const CardCode card = hand[static_cast<std::size_t>(slot)];
    const bool match = AnySuit ? IsSuit(card.suit) : card.suit == suit;
    const unsigned p = match ? priority.of[card.rank] : 0xFFu;
    const bool better = p < bestPriority;
    best = better ? slot : best;
    bestPriority = better ? p : bestPriority;
  }
  return best;
}

constexpr RankPriority<6> kLowFirst(kLowToHigh);
constexpr RankPriority<6> kHighFirst(kHighToLow);
constexpr RankPriority<6> kTenJackFirst(kTenJackOrder);
constexpr RankPriority<6> kTenKingFirst(kTenKingOrder);

// Rank set bits: bit (order - 1), so 9 = 1, J = 2, Q = 4, K = 8, 10 = 16,
// A = 32.
constexpr unsigned Bit(std::uint8_t order) { return 1u << (order - 1); }
constexpr unsigned N9 = Bit(OrderNine), NJ = Bit(OrderJack),
                   NQ = Bit(OrderQueen), NK = Bit(OrderKing),
                   N10 = Bit(OrderTen), NA = Bit(OrderAce);

// The 64 rank sets in their fixed numbering 1..64 (index 0 unused).
constexpr std::array<unsigned, 65> kPatternSets = {
    0,
    N9 | NJ | NQ | NK | N10 | NA,  // 1
    N9 | NJ | NQ | NK | N10,       // 2
    N9 | NJ | NQ | NK | NA,        // 3
    N9 | NJ | NQ | N10 | NA,       // 4
    N9 | NJ | NK | N10 | NA,       // 5
    N9 | NQ | NK | N10 | NA,       // 6
    NJ | NQ | NK | N10 | NA,       // 7
    N9 | NJ | NQ | NK,             // 8
    N9 | NJ | NQ | NA,             // 9
    N9 | NJ | N10 | NA,            // 10
    N9 | NK | N10 | NA,            // 11
    NQ | NK | N10 | NA,            // 12
    N9 | NJ | NQ | N10,            // 13
    N9 | NJ | NK | N10,            // 14
    N9 | NQ | NK | N10,            // 15
    NJ | NQ | NK | N10,            // 16
    N9 | NJ | NK | NA,             // 17
    N9 | NQ | NK | NA,             // 18
    NJ | NQ | NK | NA,             // 19
    N9 | NQ | N10 | NA,            // 20
    NJ | NQ | N10 | NA,            // 21
    NJ | NK | N10 | NA,            // 22
    NK | N10 | NA,                 // 23
    NQ | N10 | NA,                 // 24
    NJ | N10 | NA,                 // 25
    N9 | N10 | NA,                 // 26
    NQ | NK | NA,                  // 27
    NJ | NK | NA,                  // 28
    N9 | NK | NA,                  // 29
    NJ | NQ | NA,                  // 30
    N9 | NQ | NA,                  // 31
    N9 | NJ | NA,                  // 32
    NQ | NK | N10,                 // 33
    NJ | NK | N10,                 // 34
    N9 | NK | N10,                 // 35
    NJ | NQ | N10,                 // 36
    N9 | NQ | N10,                 // 37
    N9 | NJ | N10,                 // 38
    NJ | NQ | NK,                  // 39
    N9 | NQ | NK,                  // 40
    N9 | NJ | NK,                  // 41
    N9 | NJ | NQ,                  // 42
    N9 | NA,                       // 43
    NJ | NA,                       // 44
    NQ | NA,                       // 45
    NK | NA,                       // 46
    N10 | NA,                      // 47
    NK | N10,                      // 48
    NQ | N10,                      // 49
    NJ | N10,                      // 50
    N9 | N10,                      // 51
    NQ | NK,                       // 52
    NJ | NK,                       // 53
    N9 | NK,                       // 54
    NJ | NQ,                       // 55
    N9 | NQ,                       // 56
    N9 | NJ,                       // 57
    NA,                            // 58
    N10,                           // 59
    NK,                            // 60
    NQ,                            // 61
    NJ,                            // 62
    N9,                            // 63
    0,                             // 64
};

// Inverse of kPatternSets: rank set -> pattern number.
constexpr std::array<std::uint8_t, 64> MakePatternNumbers() {
  std::array<std::uint8_t, 64> numbers{};
  for (std::size_t n = 1; n <= 64; ++n) {
    numbers[kPatternSets[n]] = static_cast<std::uint8_t>(n);
  }
  return numbers;
}
constexpr std::array<std::uint8_t, 64> kPatternNumbers = MakePatternNumbers();

// Every subset of the six ranks must stand in the table exactly once.
constexpr bool PatternTableIsComplete() {
  for (std::uint8_t number : kPatternNumbers) {
    if (number == 0) return false;
  }
  return true;
}
static_assert(PatternTableIsComplete());

}  // namespace

int LowestSlot(const Hand& hand) { return FirstFound<true>(hand, kLowFirst, NoSuit); }

int HighestSlot(const Hand& hand) { return FirstFound<true>(hand, kHighFirst, NoSuit); }

int LowestOfSuit(const Hand& hand, Suit suit) {
  return FirstFound<false>(hand, kLowFirst, suit);
}

int HighestOfSuit(const Hand& hand, Suit suit) {
  return FirstFound<false>(hand, kHighFirst, suit);
}

int TopRankOfSuit(const Hand& hand, Suit suit) {
  const int slot = HighestOfSuit(hand, suit);
  return slot == 0 ? 0 : hand[static_cast<std::size_t>(slot)].Order();
}

int PreferTenJack(const Hand& hand, Suit suit) {
  return FirstFound<false>(hand, kTenJackFirst, suit);
}

int PreferTenKing(const Hand& hand, Suit suit) {
  return FirstFound<false>(hand, kTenKingFirst, suit);
}

int SuitPattern(const Hand& hand, Suit suit) {
  unsigned set = 0;
  for (int slot = 1; slot <= kPatternSlots; ++slot) {
    const CardCode card = hand[static_cast<std::size_t>(slot)];
    if (card.suit == suit && card.Order() != EmptyValue) set |= Bit(card.Order());
  }
  return kPatternNumbers[set];
}

int DiscardSlot(const Hand& hand, Suit trump) {
  // Searches in order of preference; the first one that finds a card wins.
  enum class Need { Lone, PairWithoutTen, Any };
  struct Search {
    RankLetter rank;
    Need need;
  };
  static constexpr std::array<Search, 11> kSearches = {{
      {RankNine, Need::Lone},
      {RankJack, Need::Lone},
      {RankQueen, Need::Lone},
      {RankKing, Need::Lone},
      {RankNine, Need::PairWithoutTen},
      {RankJack, Need::PairWithoutTen},
      {RankNine, Need::Any},
      {RankJack, Need::Any},
      {RankQueen, Need::Any},
      {RankKing, Need::Any},
      {RankTen, Need::Any},
  }};
  for (const Search& search : kSearches) {
    for (int slot = 1; slot <= kLastDealtSlot; ++slot) {
      const CardCode card = hand[static_cast<std::size_t>(slot)];
      if (card.rank != search.rank || !IsSuit(card.suit) || card.suit == trump) {
        continue;
      }
      const int inSuit = CountSuit(hand, card.suit);
      bool fits = false;
      switch (search.need) {
        case Need::Lone: fits = inSuit == 1; break;
        case Need::PairWithoutTen:
          fits = inSuit == 2 && !HasCard(MakeCard(RankTen, card.suit), hand);
          break;
        case Need::Any: fits = true; break;
      }
      if (fits) return slot;
    }
  }
  return 0;
}

std::array<Suit, 4> PackOrder(Suit trump) {
  switch (trump) {
    case SuitClubs: return {SuitHearts, SuitSpades, SuitDiamonds, SuitClubs};
    case SuitDiamonds: return {SuitClubs, SuitHearts, SuitSpades, SuitDiamonds};
    case SuitHearts: return {SuitClubs, SuitDiamonds, SuitSpades, SuitHearts};
    default: return {SuitHearts, SuitClubs, SuitDiamonds, SuitSpades};
  }
}

void PackHand(Hand& hand, HandBytes& ranks, HandBytes& points,
              std::uint8_t& count, Suit trump) {
  // Walking the suits in pack order, the ranks upwards and the slots 1..8 is
  // the same as a stable sort of slots 1..8 by (suit place, rank order); an
  // insertion sort of at most eight cards does it without 192 probes.
  const std::array<Suit, 4> order = PackOrder(trump);
  std::array<CardCode, kLastDealtSlot> packed{};
  std::array<int, kLastDealtSlot> keys{};
  std::size_t n = 0;
  for (int slot = 1; slot <= kLastDealtSlot; ++slot) {
    const CardCode card = hand[static_cast<std::size_t>(slot)];
    if (!card.IsCard()) continue;
    int place = 0;
    while (order[static_cast<std::size_t>(place)] != card.suit) ++place;
    const int key = place * 8 + card.Order();
    std::size_t at = n;
    while (at > 0 && keys[at - 1] > key) {
      keys[at] = keys[at - 1];
      packed[at] = packed[at - 1];
      --at;
    }
    keys[at] = key;
    packed[at] = card;
    ++n;
  }
  for (std::size_t slot = 1; slot <= n; ++slot) {
    const CardCode card = packed[slot - 1];
    hand[slot] = card;
    ranks[slot] = card.Order();
    points[slot] = card.Points();
  }
  std::fill(hand.begin() + static_cast<std::ptrdiff_t>(n + 1), hand.end(), NoCard);
  std::fill(ranks.begin() + static_cast<std::ptrdiff_t>(n + 1), ranks.end(), EmptyValue);
  std::fill(points.begin() + static_cast<std::ptrdiff_t>(n + 1), points.end(), EmptyValue);
  count = static_cast<std::uint8_t>(n);
}

int TrickWinnerPosition(const std::array<CardCode, 4>& cards,
                        const std::array<std::uint8_t, 4>& orders, Suit led,
                        Suit trump) {
  for (const Suit wanted : {trump, led}) {
    if (!IsSuit(wanted)) continue;
    int best = 0;
    for (std::size_t pos = 1; pos <= 3; ++pos) {
      if (cards[pos].suit != wanted) continue;
      if (best == 0 || orders[pos] > orders[static_cast<std::size_t>(best)]) {
        best = static_cast<int>(pos);
      }
    }
    if (best != 0) return best;
  }
  return 0;
}

std::string CardNameStem(CardCode card) {
  if (!card.IsCard()) return {};
  constexpr std::array<const char*, 4> suits = {"Ch", "Bu", "Kr", "Pi"};  // DeckSuits order
  constexpr std::array<const char*, 6> ranks = {"09", "10", "2J", "3Q", "4K", "5A"};
  const int number = DeckNumber(card) - 1;  // ranks in groups of four suits
  return std::string(suits[static_cast<std::size_t>(number % 4)]) + ranks[static_cast<std::size_t>(number / 4)];
}

}  // namespace tarvel
