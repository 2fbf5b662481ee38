// Card codes, deck numbering and the hand operations.
#include "cards.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "test_hands.h"

namespace tarvel {
namespace {

using testing::C;
using testing::H;
using testing::Show;

TEST(CardCodes, LettersAreTheWindows1251Bytes) {
  EXPECT_EQ(RankNine, 0x39);
  EXPECT_EQ(RankTen, 0x31);
  EXPECT_EQ(RankJack, 0xC2);
  EXPECT_EQ(RankQueen, 0xC4);
  EXPECT_EQ(RankKing, 0xCA);
  EXPECT_EQ(RankAce, 0xD2);
  EXPECT_EQ(SuitHearts, 0xF7);
  EXPECT_EQ(SuitDiamonds, 0xE1);
  EXPECT_EQ(SuitClubs, 0xEA);
  EXPECT_EQ(SuitSpades, 0xEF);
  EXPECT_EQ(NoCard.rank, '#');
  EXPECT_EQ(NoCard.suit, '#');
  EXPECT_EQ(NoSuit, '#');
  EXPECT_TRUE(NoCard.IsEmpty());
  EXPECT_FALSE(NoCard.IsCard());
  EXPECT_EQ(CardCode{}, NoCard);
}

TEST(CardCodes, DeckNumbering) {
  struct Row {
    int number;
    const char* card;
  };
  const Row rows[] = {{1, "9h"},  {2, "9d"},  {3, "9c"},  {4, "9s"},  {5, "10h"}, {8, "10s"},
                      {9, "Jh"},  {12, "Js"}, {13, "Qh"}, {16, "Qs"}, {17, "Kh"}, {20, "Ks"},
                      {21, "Ah"}, {22, "Ad"}, {23, "Ac"}, {24, "As"}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.number);
    EXPECT_EQ(CardFromDeckNumber(row.number), C(row.card));
    EXPECT_EQ(DeckNumber(C(row.card)), row.number);
  }
  for (int outside : {-1, 0, 25, 1000}) EXPECT_EQ(CardFromDeckNumber(outside), NoCard);
  EXPECT_EQ(DeckNumber(NoCard), 0);
  EXPECT_EQ(DeckNumber(CardCode{RankAce, NoSuit}), 0);
  EXPECT_EQ(DeckNumber(CardCode{'X', SuitHearts}), 0);
}

TEST(CardCodes, RankOrderAndPointsOverTheWholeDeck) {
  int total = 0;
  std::set<int> seen;
  for (int n = 1; n <= 24; ++n) {
    const CardCode card = CardFromDeckNumber(n);
    ASSERT_TRUE(card.IsCard());
    seen.insert(DeckNumber(card));
    total += card.Points();
  }
  EXPECT_EQ(total, 120);
  EXPECT_EQ(seen.size(), 24u);
  struct Row {
    RankLetter rank;
    int order;
    int points;
  };
  const Row rows[] = {{RankNine, 1, 0}, {RankJack, 2, 2}, {RankQueen, 3, 3},
                      {RankKing, 4, 4}, {RankTen, 5, 10}, {RankAce, 6, 11},
                      {NoRank, 99, 99}, {'A', 99, 99}};
  for (const Row& row : rows) {
    EXPECT_EQ(RankOrder(row.rank), row.order);
    EXPECT_EQ(CardPoints(row.rank), row.points);
  }
}

TEST(HandOperations, PackHandWithTrumpHearts) {
  Hand hand = H("10h 9h Kc Ad");
  HandBytes ranks{};
  HandBytes points{};
  std::uint8_t count = 0;
  PackHand(hand, ranks, points, count, SuitHearts);
  EXPECT_EQ(Show(hand), "Kc Ad 9h 10h -- -- -- --");
  EXPECT_EQ(count, 4);
  EXPECT_EQ(ranks[1], OrderKing);
  EXPECT_EQ(points[4], 10);
  for (std::size_t slot = 5; slot <= 24; ++slot) {
    EXPECT_EQ(hand[slot], NoCard);
    EXPECT_EQ(ranks[slot], EmptyValue);
    EXPECT_EQ(points[slot], EmptyValue);
  }
}

TEST(HandOperations, PackHandSuitOrderFollowsTheTrump) {
  struct Row {
    Suit trump;
    const char* packed;
  };
  // The same eight cards, two of each suit, packed for each trump.
  const Row rows[] = {
      {NoSuit, "9h Ah Qc Kc 9d 10d Js As"},
      {SuitSpades, "9h Ah Qc Kc 9d 10d Js As"},
      {SuitClubs, "9h Ah Js As 9d 10d Qc Kc"},
      {SuitDiamonds, "Qc Kc 9h Ah Js As 9d 10d"},
      {SuitHearts, "Qc Kc 9d 10d Js As 9h Ah"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.packed);
    Hand hand = H("As Kc 10d Ah Js 9d Qc 9h");
    HandBytes ranks{};
    HandBytes points{};
    std::uint8_t count = 0;
    PackHand(hand, ranks, points, count, row.trump);
    EXPECT_EQ(Show(hand), row.packed);
    EXPECT_EQ(count, 8);
  }
}

TEST(HandOperations, PackHandClosesGapsAndIgnoresSlotsAfterEight) {
  Hand hand = H("-- Qs -- 9s -- Ah -- --");
  hand[9] = C("Kh");  // never occupied in play; packing leaves it out
  HandBytes ranks{};
  HandBytes points{};
  std::uint8_t count = 7;
  PackHand(hand, ranks, points, count, SuitSpades);
  EXPECT_EQ(Show(hand), "Ah 9s Qs -- -- -- -- --");
  EXPECT_EQ(hand[9], NoCard);
  EXPECT_EQ(count, 3);
}

TEST(HandOperations, SearchOrders) {
  //                 1  2  3  4  5  6   7  8
  const Hand hand = H("Ah 9c Kd 9s Jh 10d Qc As");
  struct Row {
    const char* what;
    int got;
    int want;
  };
  const Row rows[] = {
      {"LowestSlot: first 9, lowest slot", LowestSlot(hand), 2},
      {"HighestSlot: first ace", HighestSlot(hand), 1},
      {"LowestOfSuit hearts: no 9, the jack", LowestOfSuit(hand, SuitHearts), 5},
      {"HighestOfSuit hearts", HighestOfSuit(hand, SuitHearts), 1},
      {"HighestOfSuit diamonds: no ace, the 10", HighestOfSuit(hand, SuitDiamonds), 6},
      {"LowestOfSuit diamonds: the king", LowestOfSuit(hand, SuitDiamonds), 3},
      {"PreferTenJack clubs: no 10, no J, the 9", PreferTenJack(hand, SuitClubs), 2},
      {"PreferTenKing clubs: no 10, no K, the Q", PreferTenKing(hand, SuitClubs), 7},
      {"PreferTenJack diamonds: the 10", PreferTenJack(hand, SuitDiamonds), 6},
      {"PreferTenJack spades: 9 before A", PreferTenJack(hand, SuitSpades), 4},
      {"PreferTenKing spades: 9 before A", PreferTenKing(hand, SuitSpades), 4},
      {"TopRankOfSuit diamonds", TopRankOfSuit(hand, SuitDiamonds), OrderTen},
      {"TopRankOfSuit spades", TopRankOfSuit(hand, SuitSpades), OrderAce},
      {"CountSuit spades", CountSuit(hand, SuitSpades), 2},
      {"SlotOf Qc", SlotOf(C("Qc"), hand), 7},
      {"SlotOf absent Kh", SlotOf(C("Kh"), hand), 0},
  };
  for (const Row& row : rows) EXPECT_EQ(row.got, row.want) << row.what;

  // The order of each preference list, card by card.
  const Hand hearts = H("Qh Kh Ah 9h Jh 10h");
  EXPECT_EQ(PreferTenJack(hearts, SuitHearts), 6);
  EXPECT_EQ(PreferTenJack(H("Qh Kh Ah 9h Jh"), SuitHearts), 5);
  EXPECT_EQ(PreferTenJack(H("Qh Kh Ah 9h"), SuitHearts), 4);
  EXPECT_EQ(PreferTenJack(H("Qh Kh Ah"), SuitHearts), 3);
  EXPECT_EQ(PreferTenJack(H("Qh Kh"), SuitHearts), 2);
  EXPECT_EQ(PreferTenKing(H("Ah 9h Jh Qh Kh"), SuitHearts), 5);
  EXPECT_EQ(PreferTenKing(H("Ah 9h Jh Qh"), SuitHearts), 4);
  EXPECT_EQ(PreferTenKing(H("Ah 9h Jh"), SuitHearts), 3);
  EXPECT_EQ(PreferTenKing(H("Ah 9h"), SuitHearts), 2);
  EXPECT_EQ(LowestSlot(H("Ah 10s Kd Qc Jh")), 5);
  EXPECT_EQ(HighestSlot(H("9h Jc Qd Kc 10s")), 5);
}

TEST(HandOperations, AbsentSuitGivesNone) {
  const Hand hand = H("9h 10h Kc Ad");
  EXPECT_EQ(LowestOfSuit(hand, SuitSpades), 0);
  EXPECT_EQ(HighestOfSuit(hand, SuitSpades), 0);
  EXPECT_EQ(TopRankOfSuit(hand, SuitSpades), 0);
  EXPECT_EQ(PreferTenJack(hand, SuitSpades), 0);
  EXPECT_EQ(PreferTenKing(hand, SuitSpades), 0);
  EXPECT_FALSE(HasSuit(hand, SuitSpades));
  EXPECT_EQ(LowestSlot(H("")), 0);
  EXPECT_EQ(HighestSlot(H("")), 0);
}

TEST(HandOperations, NoCardNeverMatches) {
  const Hand hand = H("9h -- Kc");
  PlayedCards log;
  log.fill(NoCard);
  EXPECT_FALSE(HasSuit(hand, NoSuit));
  EXPECT_EQ(CountSuit(hand, NoSuit), 0);
  EXPECT_EQ(SlotOf(NoCard, hand), 0);
  EXPECT_FALSE(HasCard(NoCard, hand));
  EXPECT_FALSE(IsPlayed(NoCard, log));
  EXPECT_EQ(CountPlayedSuit(log, NoSuit), 0);
  EXPECT_EQ(LowestOfSuit(hand, NoSuit), 0);
  EXPECT_EQ(HighestOfSuit(hand, NoSuit), 0);
  EXPECT_EQ(SuitPattern(hand, NoSuit), 64);
  EXPECT_FALSE(HasMarriage(hand, NoSuit));
  EXPECT_EQ(LowestSlot(hand), 1);
  EXPECT_EQ(HighestSlot(hand), 3);
}

TEST(HandOperations, PlayedLogOperations) {
  PlayedCards log;
  log.fill(NoCard);
  log[1] = C("Ah");
  log[24] = C("9h");
  log[12] = C("Ks");
  EXPECT_TRUE(IsPlayed(C("Ah"), log));
  EXPECT_TRUE(IsPlayed(C("9h"), log));
  EXPECT_FALSE(IsPlayed(C("Ad"), log));
  EXPECT_EQ(CountPlayedSuit(log, SuitHearts), 2);
  EXPECT_EQ(CountPlayedSuit(log, SuitSpades), 1);
  EXPECT_EQ(CountPlayedSuit(log, SuitClubs), 0);
  log[0] = C("Ac");  // index 0 is outside the log
  EXPECT_FALSE(IsPlayed(C("Ac"), log));
}

TEST(HandOperations, HasMarriage) {
  EXPECT_TRUE(HasMarriage(H("9h Kc Ad Qc"), SuitClubs));
  EXPECT_FALSE(HasMarriage(H("9h Kc Ad Qd"), SuitClubs));
  EXPECT_FALSE(HasMarriage(H("Qs Ks"), SuitClubs));
  Hand late = H("9h 9d 9c 9s 10h 10d 10c Qs");
  late[9] = C("Ks");  // slot 9 is never part of a hand
  EXPECT_FALSE(HasMarriage(late, SuitSpades));
}

TEST(HandOperations, SuitPatternNumbers) {
  struct Row {
    const char* hand;
    Suit suit;
    int pattern;
  };
  const Row rows[] = {
      {"Ah", SuitHearts, 58},
      {"9c Ah Kd", SuitHearts, 58},
      {"9s Js Qs Ks 10s As", SuitSpades, 1},
      {"9s Js Qs Ks 10s", SuitSpades, 2},
      {"Qd Kd 10d Ad", SuitDiamonds, 12},
      {"Kc 10c", SuitClubs, 48},
      {"9h Jh", SuitHearts, 57},
      {"Jh Qh", SuitHearts, 55},
      {"Qh Kh Ah", SuitHearts, 27},
      {"9h 10h Kc", SuitHearts, 51},
      {"9h", SuitHearts, 63},
      {"9c", SuitHearts, 64},
      // Slots 7 and 8 are not seen.
      {"9h 9d 9c Jh Jd Jc Ah As", SuitSpades, 64},
      {"9h 9d 9c Jh Jd Jc Ah As", SuitHearts, 57},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.hand);
    EXPECT_EQ(SuitPattern(H(row.hand), row.suit), row.pattern);
  }
}

TEST(HandOperations, SuitPatternWithTrumpInTheLastSlots) {
  // Trump spades, eight cards, exactly two spades: packing puts them in
  // slots 7 and 8, where the pattern does not look.
  Hand hand = H("As 9h Kd Qc 10s Jh Ad 9c");
  HandBytes ranks{};
  HandBytes points{};
  std::uint8_t count = 0;
  PackHand(hand, ranks, points, count, SuitSpades);
  EXPECT_EQ(hand[7], C("10s"));
  EXPECT_EQ(hand[8], C("As"));
  EXPECT_EQ(SuitPattern(hand, SuitSpades), 64);
}

TEST(HandOperations, SuitPatternIsABijectionOverAllRankSets) {
  const RankLetter ranks[] = {RankNine, RankJack, RankQueen, RankKing, RankTen, RankAce};
  std::set<int> numbers;
  for (unsigned set = 0; set < 64; ++set) {
    Hand hand;
    hand.fill(NoCard);
    std::size_t slot = 1;
    for (unsigned bit = 0; bit < 6; ++bit) {
      if (set & (1u << bit)) hand[slot++] = MakeCard(ranks[bit], SuitClubs);
    }
    const int number = SuitPattern(hand, SuitClubs);
    EXPECT_GE(number, 1);
    EXPECT_LE(number, 64);
    numbers.insert(number);
  }
  EXPECT_EQ(numbers.size(), 64u);
}

TEST(HandOperations, DiscardSlot) {
  struct Row {
    const char* why;
    const char* hand;
    Suit trump;
    int slot;
  };
  const Row rows[] = {
      {"lone queen before a 9 with a partner", "9c Kc Qh As", SuitSpades, 3},
      {"lone 9 first", "Qh 9c Ad", SuitSpades, 2},
      {"lone jack before lone queen", "Qh Jc Ad", SuitSpades, 2},
      {"lone king", "Kh 9d Ad", SuitSpades, 1},
      {"a lone trump 9 is kept", "9s Qh Kh", SuitSpades, 2},
      {"9 of a two-card suit without its 10", "9h Ah Jc 10c Kd Qd", SuitSpades, 1},
      {"jack of a two-card suit without its 10", "9h 10h Jc Ac", SuitSpades, 3},
      {"any 9", "10h 9d Jd Qd", SuitSpades, 2},
      {"any jack", "Jd Qd Kd 10d", SuitSpades, 1},
      {"any queen", "Ad Qd Kd 10d", SuitSpades, 2},
      {"any king", "Ad Kd 10d", SuitSpades, 2},
      {"any 10", "10h Ah 10d Ad", SuitSpades, 1},
      {"only trumps and side aces", "Ah Ad As 9c Jc", SuitClubs, 0},
      {"only trumps", "9c Jc Ac", SuitClubs, 0},
      {"empty hand", "", SuitClubs, 0},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(DiscardSlot(H(row.hand), row.trump), row.slot) << row.why;
  }
}

}  // namespace
}  // namespace tarvel
