// Shuffle and deal start, legality, playing a card, tricks, marriages, the
// end of a deal and the game's results.
#include "rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "recording_events.h"
#include "test_hands.h"

namespace tarvel {
namespace {

using testing::C;
using testing::ReadyState;
using testing::TrickWaiting;
using testing::H;
using testing::RecordingEvents;
using testing::SetHand;
using testing::Show;

// Plays the card named `card` from the hand of the seat whose turn it is.
bool Play(MatchState& s, TableEvents& events, const char* card, bool send = false) {
  const int seat = s.Turn;
  const int slot = SlotOf(C(card), s.Hands[static_cast<std::size_t>(seat)]);
  EXPECT_NE(slot, 0) << card << " not in the hand of seat " << seat;
  return PlayCard(s, events, seat, slot, send);
}

// ---------------------------------------------------------------------------
// Shuffle

TEST(Shuffle, EveryShuffleIsAPermutationWithRanksAndPoints) {
  DeckRandom random(42);
  MatchState s;
  std::set<std::string> decks;
  for (int round = 0; round < 1000; ++round) {
    ShuffleDeck(s, random);
    std::set<int> numbers;
    std::string key;
    for (std::size_t pos = 1; pos <= 24; ++pos) {
      numbers.insert(DeckNumber(s.Deck[pos]));
      EXPECT_EQ(s.DeckRanks[pos], s.Deck[pos].Order());
      EXPECT_EQ(s.DeckPoints[pos], s.Deck[pos].Points());
      key += static_cast<char>(DeckNumber(s.Deck[pos]));
    }
    ASSERT_EQ(numbers.size(), 24u);
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 24);
    decks.insert(key);
  }
  // Consecutive shuffles from one generator never repeat a deck here.
  EXPECT_EQ(decks.size(), 1000u);
}

TEST(Shuffle, SameSeedSameDeckAndUnseededGeneratorsDiffer) {
  MatchState a;
  MatchState b;
  DeckRandom ra(7);
  DeckRandom rb(7);
  ShuffleDeck(a, ra);
  ShuffleDeck(b, rb);
  EXPECT_EQ(a.Deck, b.Deck);
  // Two generators seeded from the clock at once still differ (the old
  // program reseeded from the clock and dealt twice the same deck).
  DeckRandom c1;
  DeckRandom c2;
  MatchState x;
  MatchState y;
  ShuffleDeck(x, c1);
  ShuffleDeck(y, c2);
  EXPECT_NE(x.Deck, y.Deck);
}

TEST(Shuffle, PermutationIsDrawThenRedrawOnRepeats) {
  // The deck order is defined by drawing uniform numbers and redrawing the
  // repeats; the fast permutation must give exactly that sequence.
  DeckRandom byDraws(123);
  DeckRandom byPermutation(123);
  for (int round = 0; round < 500; ++round) {
    std::array<int, 24> expected{};
    std::array<bool, 25> seen{};
    for (int& number : expected) {
      int n = byDraws.Draw();
      while (seen[static_cast<std::size_t>(n)]) n = byDraws.Draw();
      seen[static_cast<std::size_t>(n)] = true;
      number = n;
    }
    std::array<int, 24> numbers{};
    byPermutation.DrawPermutation(numbers);
    ASSERT_EQ(numbers, expected) << "round " << round;
  }
}

TEST(Shuffle, DrawIsUniformOverOneToTwentyFour) {
  DeckRandom random(3);
  std::array<int, 25> counts{};
  const int draws = 240000;
  for (int i = 0; i < draws; ++i) {
    const int n = random.Draw();
    ASSERT_GE(n, 1);
    ASSERT_LE(n, 24);
    ++counts[static_cast<std::size_t>(n)];
  }
  for (int n = 1; n <= 24; ++n) {
    EXPECT_NEAR(counts[static_cast<std::size_t>(n)], draws / 24, draws / 24 / 10) << n;
  }
}

// ---------------------------------------------------------------------------
// Deal start

TEST(DealStart, StateRightAfterTheDeal) {
  RecordingEvents events;
  events.record = PlayerRecord{1, 250, 1.5, "Anna"};
  DeckRandom random(11);
  MatchState s;
  StartDeal(s, events, random, false);
  for (int seat = 1; seat <= 3; ++seat) {
    const auto i = static_cast<std::size_t>(seat);
    EXPECT_EQ(s.HandCount[i], 8);
    for (std::size_t slot = 9; slot <= 24; ++slot) EXPECT_EQ(s.Hands[i][slot], NoCard);
    EXPECT_EQ(s.Taken[i], 0);
    EXPECT_EQ(s.PendingMarriage[i], 0);
    EXPECT_EQ(s.DealResult[i], 0);
    EXPECT_EQ(s.GamePoints[i], 0);
  }
  for (std::size_t pos = 1; pos <= 3; ++pos) EXPECT_EQ(s.Trick[pos], NoCard);
  EXPECT_EQ(s.LedSuit, NoSuit);
  EXPECT_EQ(s.TrickPos, 1);
  EXPECT_EQ(s.PlayedCount, 1);
  EXPECT_EQ(s.DealStage, StageDealt);
  EXPECT_TRUE(s.DealActive);
  EXPECT_EQ(s.DealNo, 1);
  EXPECT_EQ(s.Turn, 1);  // PlayerKon 1 leads the first deal from seat 1
  EXPECT_EQ(s.Leader, 1);
  EXPECT_EQ(s.PrevLeader, 1);
  EXPECT_EQ(s.PlayerKon, 1);
  EXPECT_EQ(s.PlayerScore, 250);
  EXPECT_EQ(s.PlayerName, "Anna");
  EXPECT_EQ(s.SeatNames[1], "PC");
  EXPECT_EQ(s.SeatNames[2], "PC");
  EXPECT_EQ(s.SeatNames[3], "Anna");
  EXPECT_EQ(s.GameTarget, 10);

  // The table is set up and the deal waits for "To Begin".
  EXPECT_EQ(events.calls.front(), "ChooseBack");
  EXPECT_TRUE(events.Has("LoadPlayerRecord"));
  EXPECT_TRUE(events.Has("SetButtonCaption Continue ToBegin"));
  EXPECT_TRUE(events.Has("SetButtonCaption Exit ExitToMenu"));
  EXPECT_TRUE(events.Has("SetButtonEnabled Continue on"));
  EXPECT_TRUE(events.Has("SetButtonEnabled Exit off"));
  EXPECT_TRUE(events.Has("SetMenuCommandEnabled Quit on"));
  EXPECT_TRUE(events.Has("SetMenuCommandEnabled GenCount on"));
  EXPECT_TRUE(events.Has("DrawHand 1 down"));
  EXPECT_TRUE(events.Has("DrawHand 2 down"));
  EXPECT_TRUE(events.Has("DrawHand 3 up"));
  EXPECT_TRUE(events.Has("PlaySound WTasoKo"));
  EXPECT_LT(events.IndexOf("SetTimerInterval 200"), events.IndexOf("StopTimer"));
  EXPECT_TRUE(events.Has("ShowGameCounter 1 30"));
  EXPECT_EQ(events.Count("StartTimer"), 0);
  EXPECT_EQ(events.Count("SendDeal"), 0);
}

TEST(DealStart, FirstPlayerRotation) {
  struct Row {
    std::int32_t kon;
    int first[4];
  };
  const Row rows[] = {{1, {1, 2, 3, 1}}, {2, {2, 3, 1, 2}}, {3, {3, 1, 2, 3}}, {30, {3, 1, 2, 3}}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.kon);
    RecordingEvents events;
    events.record.kon = row.kon;
    DeckRandom random(5);
    MatchState s;
    for (int deal = 0; deal < 4; ++deal) {
      StartDeal(s, events, random, deal > 0);
      EXPECT_EQ(s.DealNo, deal + 1);
      EXPECT_EQ(s.Turn, row.first[deal]);
      EXPECT_EQ(RotationFirstPlayer(row.kon, deal + 1), row.first[deal]);
    }
  }
  // The rotation never leaves 1..3, whatever the counters hold.
  for (std::int32_t kon : {-7, 0, 2147483647}) {
    for (std::int32_t deal : {0, 1, 2147483647}) {
      const int first = RotationFirstPlayer(kon, deal);
      EXPECT_GE(first, 1);
      EXPECT_LE(first, 3);
    }
  }
}

TEST(DealStart, TrumpIsTheSuitOfTheFirstPlayersLastDealtCard) {
  RecordingEvents events;
  DeckRandom random(99);
  MatchState s;
  for (int deal = 0; deal < 300; ++deal) {
    events.record.kon = deal % 7 + 1;
    StartDeal(s, events, random, false);
    const int first = s.Turn;
    const CardCode trumpCard = s.Deck[static_cast<std::size_t>(first * 8)];
    ASSERT_EQ(s.Trump, trumpCard.suit);
    const int slot = SlotOf(trumpCard, s.Hands[static_cast<std::size_t>(first)]);
    ASSERT_NE(slot, 0);
    EXPECT_TRUE(events.Has("ShowTrumpCard " + std::to_string(first) + " " + std::to_string(slot)));
    EXPECT_TRUE(events.Has("DrawDeck " + std::to_string(s.Trump)));
    events.Clear();
  }
}

TEST(DealStart, HandsAreDealtInDeckOrderAndPacked) {
  RecordingEvents events;
  MatchState s;
  for (std::size_t pos = 1; pos <= 24; ++pos) {
    s.Deck[pos] = CardFromDeckNumber(static_cast<int>(pos));
    s.DeckRanks[pos] = s.Deck[pos].Order();
    s.DeckPoints[pos] = s.Deck[pos].Points();
  }
  StartGivenDeal(s, events, false, 2);
  // Seat 2 got deck positions 9..16 (jacks and queens); its eighth card,
  // the queen of spades, makes spades trump.
  EXPECT_EQ(s.Trump, SuitSpades);
  EXPECT_EQ(Show(s.Hands[1]), "9h 10h 9c 10c 9d 10d 9s 10s");
  EXPECT_EQ(Show(s.Hands[2]), "Jh Qh Jc Qc Jd Qd Js Qs");
  EXPECT_EQ(Show(s.Hands[3]), "Kh Ah Kc Ac Kd Ad Ks As");
  EXPECT_EQ(s.HandRanks[3][2], OrderAce);
  EXPECT_EQ(s.HandPoints[1][2], 10);
  EXPECT_EQ(s.Turn, 2);
  EXPECT_TRUE(events.Has("ShowTrumpCard 2 8"));
}

TEST(DealStart, NextDealKeepsGamePointsAndResetsTheDeal) {
  RecordingEvents events;
  DeckRandom random(8);
  MatchState s;
  StartDeal(s, events, random, false);
  s.GamePoints = {0, 3, 1, 4};
  s.Taken = {0, 50, 40, 30};
  s.PendingMarriage = {0, 20, 0, 0};
  s.DealResult = {0, 1, 0, 0};
  s.PlayedCount = 25;
  s.GameOver = true;
  s.GameSummed = true;
  s.Turn = TurnNextDeal;
  s.Trick[2] = C("Ah");
  events.Clear();
  StartDeal(s, events, random, true);
  EXPECT_EQ(s.GamePoints, (PerSeat<std::int32_t>{0, 3, 1, 4}));
  EXPECT_EQ(s.DealNo, 2);
  EXPECT_EQ(s.Taken, (PerSeat<std::int32_t>{}));
  EXPECT_EQ(s.PendingMarriage, (PerSeat<std::uint8_t>{}));
  EXPECT_EQ(s.DealResult, (PerSeat<std::int32_t>{}));
  EXPECT_EQ(s.PlayedCount, 1);
  EXPECT_EQ(s.Trick[2], NoCard);
  EXPECT_FALSE(s.GameOver);
  EXPECT_FALSE(s.GameSummed);
  EXPECT_EQ(s.Turn, 2);
  EXPECT_FALSE(events.Has("LoadPlayerRecord"));
}

TEST(DealStart, GameTargetFollowsTheConvention) {
  for (bool to8 : {false, true}) {
    RecordingEvents events;
    DeckRandom random(1);
    MatchState s;
    s.GameTo8 = to8;
    StartDeal(s, events, random, false);
    EXPECT_EQ(s.GameTarget, to8 ? 8 : 10);
  }
}

TEST(DealStart, MayStartDealByMode) {
  struct Row {
    const char* mode;
    bool net;
    int role;
    int clients2;
    bool waiting;
    bool tour;
    int tourSeat;
    int first;
    bool may;
  };
  const Row rows[] = {
      {"local, computer first", false, 0, -1, false, false, 0, 1, true},
      {"local, human first", false, 0, -1, false, false, 0, 3, true},
      {"host, human first", true, 1, 0, false, false, 0, 3, true},
      {"host, remote first", true, 1, 0, false, false, 0, 1, false},
      {"host, own computer first", true, 1, 0, false, false, 0, 2, true},
      {"host with two clients, seat 2 first", true, 1, 1, false, false, 0, 2, false},
      {"client, human first", true, 2, 0, false, false, 0, 3, true},
      {"client still waiting", true, 2, 0, true, false, 0, 3, false},
      {"client, seat 2 first", true, 3, 1, false, false, 0, 2, false},
      {"tournament, human first", false, 0, -1, false, true, 2, 3, true},
      {"tournament, other first", false, 0, -1, false, true, 1, 1, false},
      {"nobody to move", false, 0, -1, false, false, 0, 0, false},
  };
  for (const Row& row : rows) {
    MatchState s;
    s.NetGame = row.net;
    s.NetRole = static_cast<std::uint8_t>(row.role);
    s.NetClients2 = row.clients2;
    s.NetWaitDeal = row.waiting;
    s.TourGame = row.tour;
    s.TourSeat = static_cast<std::uint8_t>(row.tourSeat);
    s.Turn = static_cast<std::uint8_t>(row.first);
    EXPECT_EQ(MayStartDeal(s), row.may) << row.mode;
  }
}

TEST(DealStart, LanHostSendsTheDealWithTheFirstPlayer) {
  RecordingEvents events;
  DeckRandom random(4);
  MatchState s;
  s.NetGame = true;
  s.NetRole = 1;
  s.NetClients2 = 0;
  StartDeal(s, events, random, false);
  EXPECT_TRUE(events.Has("SendDeal 1 " + std::to_string(DeckNumber(s.Deck[1]))));
  EXPECT_EQ(s.SeatNames[1], "");  // names come from the join messages
  EXPECT_TRUE(events.Has("SetButtonEnabled Continue off"));  // seat 1 is remote
}

// A LAN client: joins (waiting), then receives its deals as messages that
// place the cards and the first player before StartDeal runs.
TEST(DealStart, LanClientJoinsThenPlaysTheHostsDeals) {
  RecordingEvents events;
  DeckRandom random(4);
  MatchState s;
  s.NetGame = true;
  s.NetRole = 2;
  s.NetWaitDeal = true;
  StartDeal(s, events, random, false);
  EXPECT_TRUE(events.Has("ShowWaitingForDeal"));
  EXPECT_FALSE(s.NetWaitDeal);
  EXPECT_EQ(s.DealNo, 1);
  EXPECT_EQ(events.Count("DrawHand"), 0);
  EXPECT_EQ(events.Count("PlaySound"), 0);
  EXPECT_EQ(s.Turn, 0);  // nobody may move before the deal arrives
  EXPECT_TRUE(events.Has("SetButtonEnabled Continue off"));

  // The first deal: the message handler places the cards (unpacked, in
  // dealing order) and the first player.
  auto placeDeal = [&](const char* h1, const char* h2, const char* h3, int first) {
    s.Hands[1] = H(h1);
    s.Hands[2] = H(h2);
    s.Hands[3] = H(h3);
    for (std::size_t seat = 1; seat <= 3; ++seat) {
      for (std::size_t slot = 1; slot <= 24; ++slot) {
        s.HandRanks[seat][slot] = s.Hands[seat][slot].Order();
        s.HandPoints[seat][slot] = s.Hands[seat][slot].Points();
      }
      s.HandCount[seat] = 8;
    }
    s.Turn = static_cast<std::uint8_t>(first);
  };
  placeDeal("9h 10h 9c 10c 9d 10d 9s 10s", "Jh Qh Jc Qc Jd Qd Js Qs",
            "Kh Ah Kc Ac Kd Ad Ks As", 3);
  events.Clear();
  StartDeal(s, events, random, true);
  EXPECT_EQ(s.DealNo, 1);  // the deal after joining is the first deal
  EXPECT_EQ(s.Trump, SuitSpades);
  EXPECT_EQ(s.Turn, 3);
  EXPECT_EQ(Show(s.Hands[3]), "Kh Ah Kc Ac Kd Ad Ks As");
  EXPECT_EQ(events.Count("SendDeal"), 0);
  EXPECT_TRUE(events.Has("SetButtonEnabled Continue on"));
  EXPECT_TRUE(events.Has("DrawHand 3 up"));

  // After a played deal the next deal message counts.
  s.PlayedCount = 25;
  placeDeal("Kh Ah Kc Ac Kd Ad Ks As", "9h 10h 9c 10c 9d 10d 9s 10s",
            "Jh Qh Jc Qc Jd Qd Js Qs", 1);
  StartDeal(s, events, random, true);
  EXPECT_EQ(s.DealNo, 2);
  EXPECT_EQ(s.Trump, SuitSpades);
  EXPECT_EQ(s.Turn, 1);
}

TEST(DealStart, TournamentFirstPlayerFollowsDealCountAndPlace) {
  // Rows: deal count mod 3 = 1, 2, 0; columns: own place 1, 2, 3.
  const int table[3][3] = {{1, 3, 2}, {2, 1, 3}, {3, 2, 1}};
  for (int place = 1; place <= 3; ++place) {
    for (int deal = 1; deal <= 6; ++deal) {
      RecordingEvents events;
      DeckRandom random(1);
      MatchState s;
      s.TourGame = true;
      s.TourSeat = static_cast<std::uint8_t>(place);
      s.GameTo8 = true;
      SetHand(s, 1, "9h 10h 9c 10c 9d 10d 9s 10s");
      SetHand(s, 2, "Jh Qh Jc Qc Jd Qd Js Qs");
      SetHand(s, 3, "Kh Ah Kc Ac Kd Ad Ks As");
      s.DealNo = deal - 1;
      StartDeal(s, events, random, true);
      SCOPED_TRACE("place " + std::to_string(place) + " deal " + std::to_string(deal));
      const int want = table[(deal - 1) % 3][place - 1];
      EXPECT_EQ(s.Turn, want);
      EXPECT_EQ(s.HandCount[1], 8);  // the table's cards are kept
      EXPECT_EQ(s.GameTarget, 8);
      EXPECT_TRUE(events.Has("ShowGameCounter 1 1"));
      EXPECT_TRUE(events.Has(std::string("SetButtonEnabled Continue ") + (want == 3 ? "on" : "off")));
    }
  }
}

// ---------------------------------------------------------------------------
// Legality of the human's cards

TEST(Legality, FollowSuitElseTrumpElseAny) {
  struct Row {
    const char* why;
    Suit trump;
    const char* led;
    const char* hand;
    const char* card;
    bool illegal;
  };
  const Row rows[] = {
      {"no club: the spade is illegal", SuitHearts, "9c", "Kh As", "As", true},
      {"no club: the heart is legal", SuitHearts, "9c", "Kh As", "Kh", false},
      {"trump led, holds trump: other suit illegal", SuitHearts, "Ah", "9h Ks", "Ks", true},
      {"trump led, holds trump: the trump", SuitHearts, "Ah", "9h Ks", "9h", false},
      {"trump led, no trump: any card", SuitHearts, "Ah", "9c Ks", "Ks", false},
      {"holds the led suit: a trump is illegal", SuitHearts, "9c", "Kc 9h", "9h", true},
      {"holds the led suit: no duty to beat", SuitHearts, "Ac", "9c Ah", "9c", false},
      {"neither led suit nor trump: any card", SuitHearts, "9c", "Kd As", "Kd", false},
  };
  for (const Row& row : rows) {
    MatchState s = ReadyState(row.trump, "", "", row.hand, 1);
    s.Trick[1] = C(row.led);
    s.LedSuit = C(row.led).suit;
    s.TrickPos = 2;
    const int slot = SlotOf(C(row.card), s.Hands[3]);
    ASSERT_NE(slot, 0) << row.why;
    EXPECT_EQ(IsIllegalCard(s, slot), row.illegal) << row.why;
  }
}

TEST(Legality, LeadIsAlwaysLegalAndEmptySlotsNever) {
  MatchState s = ReadyState(SuitHearts, "", "", "9c Kh As", 3);
  for (int slot = 1; slot <= 3; ++slot) EXPECT_FALSE(IsIllegalCard(s, slot));
  for (int slot : {-1, 0, 4, 8, 9, 24, 25, 1000}) EXPECT_TRUE(IsIllegalCard(s, slot)) << slot;
  EXPECT_TRUE(IsIllegalCardOf(s, 0, 1));
  EXPECT_TRUE(IsIllegalCardOf(s, 4, 1));
}

// ---------------------------------------------------------------------------
// Playing a card

TEST(PlayCard, MovesTheCardAndPassesTheTurn) {
  MatchState s = ReadyState(SuitSpades, "9h Jh Kc", "Ah 9c 9s", "10h Qc As");
  s.FlyCards = true;
  RecordingEvents events;
  ASSERT_TRUE(Play(s, events, "Jh"));
  EXPECT_EQ(s.Trick[1], C("Jh"));
  EXPECT_EQ(s.TrickRanks[1], OrderJack);
  EXPECT_EQ(s.TrickPoints[1], 2);
  EXPECT_EQ(s.LedSuit, SuitHearts);
  EXPECT_EQ(Show(s.Hands[1], 4), "9h Kc -- --");
  EXPECT_EQ(s.HandCount[1], 2);
  EXPECT_EQ(s.HandRanks[1][3], EmptyValue);
  EXPECT_EQ(s.Turn, 2);
  EXPECT_EQ(s.TrickPos, 2);
  EXPECT_EQ(events.calls, (std::vector<std::string>{"DrawHand 1 down",
                                                    "PlaceCardOnTable 1 2 1 9 fly",
                                                    "PlaySound WHodsDo wait"}));
  s.FlyCards = false;
  events.Clear();
  ASSERT_TRUE(Play(s, events, "Ah"));
  EXPECT_TRUE(events.Has("PlaceCardOnTable 2 1 2 21 put"));
  EXPECT_EQ(s.LedSuit, SuitHearts);  // only the lead sets the led suit
  EXPECT_EQ(s.Turn, 3);
}

TEST(PlayCard, ThirdCardCompletesTheTrickAndWaitsForOk) {
  MatchState s = ReadyState(SuitSpades, "9h Jh Kc", "Ah 9c 9s", "10h Qc As", 1);
  RecordingEvents events;
  Play(s, events, "9h");
  Play(s, events, "Ah");
  events.Clear();
  Play(s, events, "10h");
  EXPECT_EQ(s.Turn, TurnTrickComplete);
  EXPECT_EQ(s.TrickPos, 4);
  EXPECT_EQ(s.Leader, 2);  // the ace won
  EXPECT_EQ(s.PrevLeader, 1);
  EXPECT_EQ(s.Taken[2], 21);
  EXPECT_TRUE(events.Has("DrawBoard 2 hi keep keep 21"));
  EXPECT_TRUE(events.Has("DrawBoard 1 lo keep keep 0"));
  EXPECT_TRUE(events.Has("SetButtonEnabled Continue on"));
  EXPECT_EQ(SeatOfTrickPosition(s, 1), 1);
  EXPECT_EQ(SeatOfTrickPosition(s, 3), 3);
}

TEST(PlayCard, OnlyTheCollectingMachineEnablesOk) {
  struct Row {
    const char* mode;
    bool net;
    int role;
    bool tour;
    int tourSeat;
    bool enabled;
  };
  const Row rows[] = {{"local", false, 0, false, 0, true},
                      {"LAN host", true, 1, false, 0, true},
                      {"LAN client", true, 2, false, 0, false},
                      {"tournament place 1", false, 0, true, 1, true},
                      {"tournament place 2", false, 0, true, 2, false}};
  for (const Row& row : rows) {
    MatchState s = ReadyState(SuitSpades, "9h", "Ah", "10h", 1);
    s.NetGame = row.net;
    s.NetRole = static_cast<std::uint8_t>(row.role);
    s.TourGame = row.tour;
    s.TourSeat = static_cast<std::uint8_t>(row.tourSeat);
    RecordingEvents events;
    Play(s, events, "9h");
    Play(s, events, "Ah");
    Play(s, events, "10h");
    EXPECT_EQ(events.Has("SetButtonEnabled Continue on"), row.enabled) << row.mode;
    EXPECT_EQ(s.Turn, TurnTrickComplete) << row.mode;
  }
}

TEST(PlayCard, SendsOnlyLocallyChosenMovesOfNetworkGames) {
  struct Row {
    bool net;
    bool tour;
    bool send;
    bool sent;
  };
  const Row rows[] = {{false, false, true, false}, {true, false, true, true},
                      {true, false, false, false}, {false, true, true, true},
                      {false, true, false, false}};
  for (const Row& row : rows) {
    MatchState s = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
    s.NetGame = row.net;
    s.NetRole = 1;
    s.TourGame = row.tour;
    RecordingEvents events;
    Play(s, events, "Jh", row.send);
    EXPECT_EQ(events.Has("SendMove 1 2"), row.sent);
    EXPECT_EQ(events.Has("PassMoveClock 2"), row.tour);
  }
}

TEST(PlayCard, Marriages) {
  struct Row {
    const char* why;
    Suit trump;
    std::int32_t taken;
    std::uint8_t pendingBefore;
    const char* hand;
    const char* lead;
    std::int32_t takenAfter;
    int pendingAfter;
    const char* bubble;  // nullptr: no announcement
    const char* sound;
  };
  const Row rows[] = {
      {"trump marriage with points: 40 at once", SuitHearts, 20, 0, "Kh Qh 9c", "Kh", 60, 0,
       "ShowBubbleWord 1 Forty", "PlaySound WSays40 wait"},
      {"trump marriage, queen led", SuitHearts, 20, 0, "Kh Qh 9c", "Qh", 60, 0,
       "ShowBubbleWord 1 Forty", "PlaySound WSays40 wait"},
      {"trump marriage without points: pending", SuitHearts, 0, 0, "Kh Qh 9c", "Kh", 0, 40,
       "ShowBubbleWord 1 Forty", "PlaySound WSays40 wait"},
      {"side marriage: 20", SuitHearts, 11, 0, "Kc Qc 9h", "Qc", 31, 0,
       "ShowBubbleWord 1 Twenty", "PlaySound WSays20 wait"},
      {"a later marriage replaces a pending one", SuitHearts, 0, 40, "Kc Qc 9h", "Kc", 0, 20,
       "ShowBubbleWord 1 Twenty", "PlaySound WSays20 wait"},
      {"king without queen", SuitHearts, 20, 0, "Kh Qc 9c", "Kh", 20, 0, nullptr,
       "PlaySound WHodsDo wait"},
      {"a jack is no marriage", SuitHearts, 20, 0, "Kh Qh Jh", "Jh", 20, 0, nullptr,
       "PlaySound WHodsDo wait"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    MatchState s = ReadyState(row.trump, row.hand, "9d", "10d", 1);
    s.Taken[1] = row.taken;
    s.PendingMarriage[1] = row.pendingBefore;
    RecordingEvents events;
    ASSERT_TRUE(Play(s, events, row.lead));
    EXPECT_EQ(s.Taken[1], row.takenAfter);
    EXPECT_EQ(s.PendingMarriage[1], row.pendingAfter);
    EXPECT_TRUE(events.Has(row.sound));
    if (row.bubble != nullptr) {
      EXPECT_TRUE(events.Has(row.bubble));
      // The bubble shows the seat's name before the announcement.
      EXPECT_LT(events.IndexOf("ShowBubbleName 1"), events.IndexOf(row.bubble));
      EXPECT_TRUE(events.Has("DrawBoard 1 lo keep keep " + std::to_string(row.takenAfter)));
      EXPECT_EQ(events.Count("PlaySound WHodsDo"), 0);
    } else {
      EXPECT_EQ(events.Count("ShowBubbleWord"), 0);
    }
    EXPECT_EQ(s.Turn, 2);  // nobody reached 66: play goes on
  }
}

TEST(PlayCard, NoMarriageWhenTheKingIsNotLed) {
  MatchState s = ReadyState(SuitHearts, "9c", "Kc Qc", "10d", 1);
  s.Taken[2] = 30;
  RecordingEvents events;
  Play(s, events, "9c");
  Play(s, events, "Kc");
  EXPECT_EQ(s.Taken[2], 30);
  EXPECT_EQ(s.PendingMarriage[2], 0);
}

TEST(PlayCard, PendingMarriageIsCreditedAfterTheFirstTrickWithPoints) {
  // Seat 1 announces 40 with nothing taken; it wins the trick of three 9s
  // first (still 0: the marriage keeps waiting), then a trick with points.
  MatchState s = ReadyState(SuitHearts, "Kh Qh 9d Ad", "9c 9s Jd", "9h 10s 10d", 1);
  RecordingEvents events;
  Play(s, events, "Qh");  // 40 pending
  EXPECT_EQ(s.PendingMarriage[1], 40);
  Play(s, events, "9c");
  Play(s, events, "9h");
  EXPECT_EQ(s.Leader, 1);  // the trump queen beats the trump 9
  EXPECT_EQ(s.PendingMarriage[1], 0);
  EXPECT_EQ(s.Taken[1], 43);  // 3 for the trick, then the 40
}

TEST(PlayCard, PendingMarriageWaitsThroughATrickOfNines) {
  // Seat 1 has 20 pending and wins a trick of three nines: still nothing
  // taken, so the marriage keeps waiting; the next trick with points
  // credits it.
  MatchState s = ReadyState(SuitSpades, "9d Ad", "9h Kh", "9c Kc", 1);
  s.PendingMarriage[1] = 20;
  RecordingEvents events;
  Play(s, events, "9d");
  Play(s, events, "9h");
  Play(s, events, "9c");
  EXPECT_EQ(s.Leader, 1);
  EXPECT_EQ(s.Taken[1], 0);
  EXPECT_EQ(s.PendingMarriage[1], 20);
  CollectTrick(s, events, true);
  Play(s, events, "Ad");
  Play(s, events, "Kh");
  Play(s, events, "Kc");
  EXPECT_EQ(s.Taken[1], 39);
  EXPECT_EQ(s.PendingMarriage[1], 0);
}

TEST(PlayCard, MarriageReachingSixtySixEndsTheDealAtOnce) {
  MatchState s = ReadyState(SuitHearts, "Kh Qh 9c", "9d Jd", "10d Ad", 1);
  s.Taken = {0, 30, 10, 0};
  s.FlyCards = true;
  RecordingEvents events;
  ASSERT_TRUE(Play(s, events, "Kh"));
  EXPECT_EQ(s.Taken[1], 70);
  EXPECT_TRUE(events.Has("ShowBubbleWord 1 Forty closing"));
  EXPECT_TRUE(events.Has("PlaySound WSays40 wait"));
  // Collected without animation, the led card still on the table.
  EXPECT_EQ(events.Count("FlyTrickTo"), 0);
  EXPECT_EQ(events.Count("ClearTable"), 0);
  EXPECT_EQ(s.PlayedLog[1], C("Kh"));
  EXPECT_EQ(s.PlayedLog[2], NoCard);
  EXPECT_EQ(s.PlayedCount, 4);
  EXPECT_EQ(s.DealResult[1], 2);  // 10 and 0: both at most 32
  EXPECT_EQ(s.GamePoints[1], 2);
  EXPECT_EQ(s.Turn, TurnNextDeal);
  EXPECT_TRUE(events.Has("ShowBubbleWord 1 ICloseGame"));
  EXPECT_TRUE(events.Has("PlaySound WKoBadX"));
}

TEST(PlayCard, TrickWinners) {
  struct Row {
    const char* why;
    Suit trump;
    const char* cards[3];
    int leader;
    int winner;
    int points;
  };
  const Row rows[] = {
      {"highest of the led suit", SuitDiamonds, {"9c", "As", "10c"}, 1, 3, 21},
      {"higher trump beats the led ace", SuitDiamonds, {"Ac", "9d", "Jd"}, 2, 1, 13},
      {"single trump wins", SuitDiamonds, {"Ac", "10c", "9d"}, 3, 2, 21},
      {"led card holds", SuitDiamonds, {"Kc", "Qc", "Ah"}, 2, 2, 18},
      {"trump lead, higher trump", SuitDiamonds, {"Kd", "Ad", "9c"}, 1, 2, 15},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    MatchState s = ReadyState(row.trump, "", "", "", row.leader);
    for (int p = 0; p < 3; ++p) {
      const int seat = SeatOfPosition(row.leader, p + 1);
      SetHand(s, seat, row.cards[p]);
    }
    RecordingEvents events;
    for (int p = 0; p < 3; ++p) ASSERT_TRUE(Play(s, events, row.cards[p]));
    EXPECT_EQ(s.Leader, row.winner);
    EXPECT_EQ(s.PrevLeader, row.leader);
    EXPECT_EQ(s.Taken[static_cast<std::size_t>(row.winner)], row.points);
  }
}

TEST(PlayCard, RemovingACardKeepsTheHandPacked) {
  // Closing the gap must give exactly what a full repack gives.
  std::mt19937 random(17);
  for (int round = 0; round < 2000; ++round) {
    std::array<int, 24> deck{};
    for (int i = 0; i < 24; ++i) deck[static_cast<std::size_t>(i)] = i + 1;
    std::shuffle(deck.begin(), deck.end(), random);
    const Suit trump = DeckSuits[static_cast<std::size_t>(round % 4)];
    const int count = round % 8 + 1;
    MatchState s = ReadyState(trump, "", "", "", 1);
    for (int i = 0; i < count; ++i) {
      s.Hands[1][static_cast<std::size_t>(i + 1)] = CardFromDeckNumber(deck[static_cast<std::size_t>(i)]);
    }
    PackHand(s.Hands[1], s.HandRanks[1], s.HandPoints[1], s.HandCount[1], trump);
    const int slot = round % count + 1;
    Hand expected = s.Hands[1];
    HandBytes ranks{};
    HandBytes points{};
    std::uint8_t left = 0;
    expected[static_cast<std::size_t>(slot)] = NoCard;
    PackHand(expected, ranks, points, left, trump);
    NullTableEvents events;
    ASSERT_TRUE(PlayCard(s, events, 1, slot, false));
    ASSERT_EQ(s.Hands[1], expected);
    ASSERT_EQ(s.HandRanks[1], ranks);
    ASSERT_EQ(s.HandPoints[1], points);
    ASSERT_EQ(s.HandCount[1], left);
  }
}

TEST(PlayCard, MoveAllowed) {
  MatchState s = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
  struct Row {
    int seat;
    int slot;
    bool allowed;
  };
  const Row rows[] = {{1, 1, true}, {1, 2, true}, {1, 3, false}, {1, 0, false}, {1, -1, false},
                      {1, 9, false}, {2, 1, false}, {3, 1, false}, {0, 1, false}, {7, 1, false}};
  for (const Row& row : rows) {
    EXPECT_EQ(MoveAllowed(s, row.seat, row.slot), row.allowed) << row.seat << " " << row.slot;
  }
  s.DealStage = StageDealt;
  EXPECT_FALSE(MoveAllowed(s, 1, 1));
  s.DealStage = StagePlaying;
  s.Turn = TurnTrickComplete;
  EXPECT_FALSE(MoveAllowed(s, 1, 1));
}

#ifdef NDEBUG
TEST(PlayCard, RefusesMovesOutsideItsPreconditions) {
  struct Row {
    const char* why;
    int seat;
    int slot;
    int stage;
  };
  const Row rows[] = {
      {"seat whose turn it is not", 2, 1, StagePlaying},
      {"seat 0", 0, 1, StagePlaying},
      {"seat 4", 4, 1, StagePlaying},
      {"slot 0", 1, 0, StagePlaying},
      {"negative slot", 1, -5, StagePlaying},
      {"slot beyond HandCount", 1, 3, StagePlaying},
      {"slot 9", 1, 9, StagePlaying},
      {"slot 25", 1, 25, StagePlaying},
      {"huge slot", 1, 1 << 30, StagePlaying},
      {"before To Begin", 1, 1, StageDealt},
  };
  for (const Row& row : rows) {
    MatchState s = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
    s.DealStage = static_cast<std::uint8_t>(row.stage);
    const MatchState before = s;
    RecordingEvents events;
    EXPECT_FALSE(PlayCard(s, events, row.seat, row.slot, true)) << row.why;
    EXPECT_TRUE(s == before) << row.why;
    EXPECT_TRUE(events.calls.empty()) << row.why;
  }
  // An empty slot inside HandCount (a corrupted hand) is refused too.
  MatchState s = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
  s.Hands[1][1] = NoCard;
  RecordingEvents events;
  EXPECT_FALSE(PlayCard(s, events, 1, 1, false));
  // And so is any card while the trick waits for collection.
  MatchState full = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
  Play(full, events, "9h");
  Play(full, events, "Ah");
  Play(full, events, "10h");
  full.Turn = 1;  // a wrong phase byte must not write past the trick
  EXPECT_FALSE(PlayCard(full, events, 1, 1, false));
}
#else
TEST(PlayCardDeathTest, AssertsOnMovesOutsideItsPreconditions) {
  MatchState s = ReadyState(SuitSpades, "9h Jh", "Ah", "10h", 1);
  NullTableEvents events;
  EXPECT_DEATH(PlayCard(s, events, 2, 1, false), "PlayCard");
  EXPECT_DEATH(PlayCard(s, events, 1, 9, false), "PlayCard");
}
#endif

// ---------------------------------------------------------------------------
// Collecting tricks and scoring deals

TEST(CollectTrick, DealScoring) {
  struct Row {
    const char* why;
    PerSeat<std::int32_t> taken;
    bool allPlayed;
    bool deadHeat;
    PerSeat<std::int32_t> result;
    const char* sounds;
  };
  const Row rows[] = {
      {"66/33/10 with cards left", {0, 66, 33, 10}, false, false, {0, 1, 0, 0}, "WKoBadX"},
      {"66/32/10 with cards left", {0, 66, 32, 10}, false, false, {0, 2, 0, 0}, "WKoBadX"},
      {"70/0/0 with cards left", {0, 70, 0, 0}, false, false, {0, 3, 0, 0}, "WKoBadX"},
      {"human closes 20/30/70", {0, 20, 30, 70}, false, false, {0, 0, 0, 2}, "WKoGutX"},
      {"50/40/30 all played", {0, 50, 40, 30}, true, false, {0, 1, 0, 0}, "WKoBadX"},
      {"50/40/30 all played, dead heat", {0, 50, 40, 30}, true, true, {0, 0, 0, 0}, "WNichya"},
      {"45/45/30 all played", {0, 45, 45, 30}, true, false, {0, 1, 1, 0}, "WKoBadX"},
      {"45/30/45 both sides", {0, 45, 30, 45}, true, false, {0, 1, 0, 1}, "WKoBadX WKoGutX"},
      {"40/40/40 all played", {0, 40, 40, 40}, true, false, {0, 0, 0, 0}, "WNichya"},
      {"last trick to 70 against 30/20", {0, 70, 30, 20}, true, false, {0, 1, 0, 0}, "WKoBadX"},
      {"last trick to 70, dead heat", {0, 70, 30, 20}, true, true, {0, 2, 0, 0}, "WKoBadX"},
      {"last trick to 86 against 0/34", {0, 86, 0, 34}, true, true, {0, 1, 0, 0}, "WKoBadX"},
      {"cards left, nobody at 66", {0, 65, 30, 10}, false, false, {0, 0, 0, 0}, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.why);
    MatchState s = TrickWaiting(row.taken, row.allPlayed);
    s.DeadHeat = row.deadHeat;
    s.GamePoints = {0, 1, 2, 3};
    RecordingEvents events;
    CollectTrick(s, events, true);
    EXPECT_EQ(s.DealResult, row.result);
    std::string sounds;
    for (const std::string& call : events.calls) {
      if (call.rfind("PlaySound ", 0) == 0) sounds += (sounds.empty() ? "" : " ") + call.substr(10);
    }
    EXPECT_EQ(sounds, row.sounds);
    const bool over = std::string(row.sounds) != "";
    if (over) {
      for (std::size_t seat = 1; seat <= 3; ++seat) {
        EXPECT_EQ(s.GamePoints[seat], static_cast<std::int32_t>(seat) + row.result[seat]);
      }
      EXPECT_EQ(s.Turn, TurnNextDeal);
      EXPECT_TRUE(events.Has("DrawHand 1 up"));
      EXPECT_TRUE(events.Has("DrawHand 2 up"));
      EXPECT_TRUE(events.Has("DrawBoard 1 lo " + std::to_string(row.result[1]) + " " +
                             std::to_string(s.GamePoints[1]) + " " + std::to_string(row.taken[1])));
      EXPECT_TRUE(events.Has("SetButtonCaption Continue NextRound"));
      for (int seat = 1; seat <= 3; ++seat) {
        EXPECT_EQ(events.Has("ShowBubbleWord " + std::to_string(seat) + " ICloseGame"),
                  row.result[static_cast<std::size_t>(seat)] >= 1);
      }
    } else {
      EXPECT_EQ(s.Turn, 1);
      EXPECT_EQ(s.GamePoints, (PerSeat<std::int32_t>{0, 1, 2, 3}));
    }
  }
}

TEST(CollectTrick, ClearsTheTableAndLogsTheTrick) {
  for (bool fly : {true, false}) {
    MatchState s = TrickWaiting({0, 0, 21, 0}, false, 2);
    s.FlyCards = fly;
    RecordingEvents events;
    CollectTrick(s, events, true);
    EXPECT_EQ(s.Turn, 2);
    EXPECT_EQ(s.TrickPos, 1);
    EXPECT_EQ(s.LedSuit, NoSuit);
    for (std::size_t pos = 1; pos <= 3; ++pos) EXPECT_EQ(s.Trick[pos], NoCard);
    EXPECT_EQ(s.PlayedLog[1], C("Ah"));
    EXPECT_EQ(s.PlayedLog[3], C("Qh"));
    EXPECT_EQ(s.PlayedCount, 4);
    EXPECT_EQ(events.Has("FlyTrickTo 2"), fly);
    EXPECT_EQ(events.Has("Pause 200"), fly);
    EXPECT_EQ(events.Has("ClearTable"), !fly);
    EXPECT_TRUE(events.Has("ShowBubbleName 3"));
    EXPECT_TRUE(events.Has("SetButtonEnabled Continue off"));
  }
}

TEST(CollectTrick, GameOverOrNextDealByMode) {
  struct Row {
    const char* mode;
    bool net;
    int role;
    bool tour;
    int tourSeat;
    PerSeat<std::int32_t> gamePoints;
    int turn;
    bool enabled;
    bool chatOff;
    bool clockRestart;
  };
  const Row rows[] = {
      {"local, game over", false, 0, false, 0, {0, 9, 0, 0}, TurnGameOver, true, false, false},
      {"local, next deal", false, 0, false, 0, {0, 8, 0, 0}, TurnNextDeal, true, false, false},
      {"LAN client, game over", true, 2, false, 0, {0, 9, 0, 0}, TurnGameOver, true, true, false},
      {"LAN client, next deal", true, 2, false, 0, {0, 0, 0, 0}, TurnNextDeal, false, false, false},
      {"LAN host, next deal", true, 1, false, 0, {0, 0, 0, 0}, TurnNextDeal, true, false, false},
      {"tournament place 2, game over", false, 0, true, 2, {0, 9, 0, 0}, TurnGameOver, false,
       false, true},
      {"tournament place 1, next deal", false, 0, true, 1, {0, 0, 0, 0}, TurnNextDeal, true,
       false, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    MatchState s = TrickWaiting({0, 70, 40, 10}, false, 1);
    s.NetGame = row.net;
    s.NetRole = static_cast<std::uint8_t>(row.role);
    s.TourGame = row.tour;
    s.TourSeat = static_cast<std::uint8_t>(row.tourSeat);
    s.GamePoints = row.gamePoints;
    RecordingEvents events;
    CollectTrick(s, events, true);
    EXPECT_EQ(s.Turn, row.turn);
    EXPECT_EQ(s.GameOver, row.turn == TurnGameOver);
    EXPECT_TRUE(events.Has(row.turn == TurnGameOver ? "SetButtonCaption Continue ToSumUpOfGame"
                                                    : "SetButtonCaption Continue NextRound"));
    EXPECT_EQ(events.Has("SetButtonEnabled Continue on"), row.enabled);
    EXPECT_EQ(events.Has("SetChatEnabled off"), row.chatOff);
    EXPECT_EQ(events.Has("RestartMoveClock"), row.clockRestart);
  }
}

TEST(CollectTrick, EighthTrickEmptiesEverything) {
  // A whole deal played card by card with the first legal card each time.
  RecordingEvents events;
  DeckRandom random(21);
  MatchState s;
  StartDeal(s, events, random, false);
  s.DealStage = StagePlaying;
  int cards = 0;
  while (s.Turn <= TurnTrickComplete) {
    if (s.Turn == TurnTrickComplete) {
      CollectTrick(s, events, true);
      continue;
    }
    int slot = 1;
    while (IsIllegalCardOf(s, s.Turn, slot)) ++slot;
    ASSERT_TRUE(PlayCard(s, events, s.Turn, slot, false));
    ++cards;
  }
  if (cards == 24) {
    EXPECT_EQ(s.PlayedCount, 25);
    for (std::size_t seat = 1; seat <= 3; ++seat) {
      EXPECT_EQ(s.HandCount[seat], 0);
      for (std::size_t slot = 1; slot <= 24; ++slot) EXPECT_EQ(s.Hands[seat][slot], NoCard);
    }
    std::set<int> logged;
    for (std::size_t entry = 1; entry <= 24; ++entry) logged.insert(DeckNumber(s.PlayedLog[entry]));
    EXPECT_EQ(logged.size(), 24u);
  }
  EXPECT_TRUE(s.Turn == TurnNextDeal || s.Turn == TurnGameOver);
}

// ---------------------------------------------------------------------------
// Game results

TEST(GameResults, SumUpGame) {
  struct Row {
    PerSeat<std::int32_t> gamePoints;
    SeatResults results;
  };
  const Row rows[] = {
      {{0, 8, 5, 3}, {0, 8, -1, -7}},
      {{0, 0, 0, 10}, {0, -10, -10, 20}},
      {{0, 4, 4, 4}, {0, 0, 0, 0}},
      {{0, 10, 9, 9}, {0, 2, -1, -1}},
  };
  for (const Row& row : rows) {
    MatchState s;
    s.GamePoints = row.gamePoints;
    const MatchState before = s;
    EXPECT_EQ(SumUpGame(s), row.results);
    EXPECT_TRUE(s == before);
  }
  std::mt19937 random(5);
  for (int i = 0; i < 1000; ++i) {
    MatchState s;
    for (std::size_t seat = 1; seat <= 3; ++seat) {
      s.GamePoints[seat] = static_cast<std::int32_t>(random() % 40);
    }
    const SeatResults r = SumUpGame(s);
    EXPECT_EQ(r[1] + r[2] + r[3], 0);
  }
}

TEST(GameResults, EndGame) {
  struct Row {
    const char* mode;
    bool tour;
    int tourSeat;
    PerSeat<std::int32_t> gamePoints;
    std::int32_t gameResult;
    const char* sound;
  };
  const Row rows[] = {
      {"local, human loses", false, 0, {0, 8, 5, 3}, -700, "PlaySound WKoBads"},
      {"local, human wins", false, 0, {0, 2, 3, 8}, 1100, "PlaySound WKoGood"},
      {"local, level", false, 0, {0, 8, 0, 8}, 800, "PlaySound WKoGood"},
      {"tournament place 1", true, 1, {0, 8, 5, 3}, -700, "PlaySound WKoBads"},
      {"tournament place 3", true, 3, {0, 8, 5, 3}, -700, "PlaySound WKoBads"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.mode);
    MatchState s;
    s.GamePoints = row.gamePoints;
    s.PlayerKon = 4;
    s.PlayerScore = 1000;
    s.Turn = TurnGameOver;
    s.TourGame = row.tour;
    s.TourSeat = static_cast<std::uint8_t>(row.tourSeat);
    RecordingEvents events;
    EndGame(s, events);
    EXPECT_EQ(s.GameResult, row.gameResult);
    EXPECT_EQ(s.NewScore, 1000 + row.gameResult);
    EXPECT_TRUE(s.GameSummed);
    EXPECT_TRUE(s.GameOver);
    EXPECT_TRUE(events.Has(row.sound));
    const SeatResults r = SumUpGame(s);
    EXPECT_TRUE(events.Has("DrawBoard 1 lo keep " + std::to_string(row.gamePoints[1]) + " " +
                           std::to_string(100 * r[1])));
    EXPECT_EQ(events.Has("ShowResults 4 30 " + std::to_string(row.gameResult) + " 1000"), !row.tour);
    EXPECT_EQ(events.Count("SendGameResults"), row.tour && row.tourSeat == 1 ? 1 : 0);
    EXPECT_EQ(events.Has("StopTableClocks"), row.tour);
    EXPECT_TRUE(events.Has("SetButtonEnabled Continue off"));
    EXPECT_TRUE(events.Has("SetButtonEnabled Exit on"));
  }
}

TEST(TrickOwners, SeatOfTrickPosition) {
  MatchState s;
  s.Leader = 2;
  s.PrevLeader = 3;
  s.TrickPos = 2;
  EXPECT_EQ(SeatOfTrickPosition(s, 1), 2);
  EXPECT_EQ(SeatOfTrickPosition(s, 2), 3);
  EXPECT_EQ(SeatOfTrickPosition(s, 3), 1);
  s.TrickPos = 4;
  EXPECT_EQ(SeatOfTrickPosition(s, 1), 3);
  EXPECT_EQ(SeatOfTrickPosition(s, 3), 2);
  EXPECT_EQ(SeatOfTrickPosition(s, 0), 0);
  EXPECT_EQ(SeatOfTrickPosition(s, 4), 0);
}

}  // namespace
}  // namespace tarvel
