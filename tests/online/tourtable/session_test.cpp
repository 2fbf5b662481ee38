// The game at a tournament table: three copies through the relay of
// tour_table.h, and a single copy fed with hostile or unexpected frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "tour_table.h"

namespace tarvel::tour {
namespace {

using tourtest::Copy;
using tourtest::Relay;

std::array<int, 4> ResultsByPlace(const Copy& copy) {
  const SeatResults bySeat = SumUpGame(copy.state);
  std::array<int, 4> byPlace{};
  for (int seat = 1; seat <= 3; ++seat)
    byPlace[static_cast<std::size_t>(lan::PlaceOfSeat(seat, copy.Place()))] = bySeat[static_cast<std::size_t>(seat)] * 100;
  return byPlace;
}

TEST(TourSessionTest, ThreeCopiesPlayAGameToTheSameEnd) {
  for (Relay::Cut cut : {Relay::Cut::Joined, Relay::Cut::ByteByByte}) {
    Relay relay(cut);
    relay.Deliver();
    relay.At(2).session.SendChat("Привет всем, удачной игры!");
    relay.PlayToEnd();
    const std::array<int, 4> expected = ResultsByPlace(relay.At(1));
    char frame[21];
    std::snprintf(frame, sizeof frame, "o%5d%5d%5d", expected[1], expected[2], expected[3]);
    EXPECT_EQ(relay.results.substr(0, 16), std::string(frame));
    EXPECT_EQ(relay.nextDeals + 1, relay.At(1).state.DealNo);
    for (int place = 1; place <= 3; ++place) {
      const Copy& copy = relay.At(place);
      SCOPED_TRACE(place);
      EXPECT_TRUE(copy.state.GameSummed);
      EXPECT_TRUE(copy.state.TourGame);
      EXPECT_EQ(copy.state.GameTarget, 8);
      EXPECT_EQ(copy.tour.TourLink, kTourLinkOver);
      EXPECT_EQ(ResultsByPlace(copy), expected);
      EXPECT_EQ(copy.gameStarts, 1);
      EXPECT_EQ(copy.state.DealNo, relay.At(1).state.DealNo);
      EXPECT_GE(copy.state.DealNo, 3);  // a game to 8 takes three deals at least
      EXPECT_TRUE(copy.ends.empty());
      // The seat names follow the places.
      EXPECT_EQ(copy.state.SeatNames[3], "P" + std::to_string(place));
      EXPECT_EQ(copy.state.SeatNames[static_cast<std::size_t>(lan::SeatOfPlace(1, place))], "P1");
    }
    // The chat line goes out in frames of at most 18 bytes and arrives whole.
    std::string line;
    for (const auto& [colour, text] : relay.At(1).chat) {
      EXPECT_EQ(colour, 2);
      line += text;
    }
    EXPECT_EQ(line, "Привет всем, удачной игры!");
  }
}

// A copy at `place` that holds the first deal.
std::unique_ptr<Copy> Dealt(int place, const std::string& deal) {
  auto copy = std::make_unique<Copy>(place, 5);
  copy->session.OnBytes(deal);
  return copy;
}

TEST(TourSessionTest, DealBlocksGoToTheSeatsOfTheirPlaces) {
  DeckRandom random(9);
  MatchState deck;
  ShuffleDeck(deck, random);
  const std::string deal = BuildDealFrame(deck);
  // Own place -> the seats of the deck blocks 1..3 (block b = place b).
  const std::array<std::array<int, 3>, 3> seats{{{3, 1, 2}, {2, 3, 1}, {1, 2, 3}}};
  for (int place = 1; place <= 3; ++place) {
    auto copy = Dealt(place, deal);
    for (int block = 1; block <= 3; ++block) {
      const int seat = seats[static_cast<std::size_t>(place - 1)][static_cast<std::size_t>(block - 1)];
      std::vector<std::string> inHand, inBlock;
      for (int k = 1; k <= 8; ++k) {
        const CardCode held = copy->state.Hands[static_cast<std::size_t>(seat)][static_cast<std::size_t>(k)];
        const CardCode dealt = deck.Deck[static_cast<std::size_t>((block - 1) * 8 + k)];
        inHand.push_back({static_cast<char>(held.rank), static_cast<char>(held.suit)});
        inBlock.push_back({static_cast<char>(dealt.rank), static_cast<char>(dealt.suit)});
      }
      std::sort(inHand.begin(), inHand.end());
      std::sort(inBlock.begin(), inBlock.end());
      EXPECT_EQ(inHand, inBlock) << "place " << place << " block " << block;
    }
    // The first deal is led by place 2, which every copy sees at its own seat.
    EXPECT_EQ(copy->state.Turn, lan::SeatOfPlace(2, place));
    EXPECT_EQ(copy->session.MoveClockSeat(), copy->state.Turn);
    EXPECT_EQ(copy->session.MoveClockLeft(), kMoveClockSeconds);
  }
}

TEST(TourSessionTest, FramesOutOfTurnOrHostileAreDroppedOrEndTheGame) {
  DeckRandom random(3);
  MatchState deck;
  ShuffleDeck(deck, random);
  const std::string deal = BuildDealFrame(deck);
  // Place 1, first deal: place 2 (seat 1) leads.
  const auto legalLead = [](const Copy& c) { return BuildMoveFrame(ChooseComputerSlot(c.state, 1), 2); };
  struct Row {
    const char* name;
    std::function<std::string(const Copy&)> frames;
    int cardsOnTable;
    std::vector<std::pair<TableEnd, int>> ends;
  };
  const std::vector<Row> rows{
      {"legal lead, joined to the deal's chunk", legalLead, 1, {}},
      {"a card of an empty slot", [](const Copy&) { return BuildMoveFrame(24, 2); }, 0, {}},
      {"a card for the own seat", [](const Copy&) { return BuildMoveFrame(1, 1); }, 0, {}},
      {"a collect on an open trick", [](const Copy&) { return BuildContinueFrame(1); }, 0, {}},
      {"a second deal in the middle", [deal](const Copy&) { return deal; }, 0, {}},
      {"a deal with a card twice",
       [deal](const Copy&) { std::string bad = deal; bad[3] = bad[1]; bad[4] = bad[2]; return bad; },
       0, {{TableEnd::LostConnection, 0}}},
      {"a flood", [](const Copy&) { return "b" + std::string(kMaxPending + 10, 'x'); }, 0,
       {{TableEnd::LostConnection, 0}}},
      {"place 2 left", [](const Copy&) { return BuildLeftFrame(2); }, 0, {{TableEnd::OpponentLeft, 1}}},
      {"place 3's clock ran out", [](const Copy&) { return BuildTimedOutFrame(3); }, 0,
       {{TableEnd::OpponentTimeOut, 2}}},
      {"the own clock ran out on the server", [](const Copy&) { return BuildTimedOutFrame(1); }, 0,
       {{TableEnd::OwnTimeOut, 3}}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    auto copy = std::make_unique<Copy>(1, 5);
    copy->sent.clear();
    // The deal and the frame in one chunk (a flood after it): both are handled.
    const std::string frames = row.frames(*Dealt(1, deal));
    if (frames.size() > kMaxPending) {
      copy->session.OnBytes(deal);
      copy->session.OnBytes(frames);
    } else {
      copy->session.OnBytes(deal + frames);
    }
    int cards = 0;
    for (int pos = 1; pos <= 3; ++pos) cards += copy->state.Trick[static_cast<std::size_t>(pos)].IsCard() ? 1 : 0;
    EXPECT_EQ(cards, row.cardsOnTable);
    EXPECT_EQ(copy->ends, row.ends);
    EXPECT_EQ(copy->state.DealNo, 1);
    if (!row.ends.empty()) {
      EXPECT_TRUE(copy->state.GameSummed);
      EXPECT_EQ(copy->state.Turn, TurnGameOver);
      EXPECT_EQ(copy->tour.TourLink, kTourLinkOver);
      EXPECT_GE(copy->deactivated, 1);
      EXPECT_FALSE(copy->session.MoveClockRunning());
    }
    // The server's own "T" needs no answer.
    EXPECT_TRUE(copy->sent.empty());
  }
}

TEST(TourSessionTest, OwnClockRunsOutAsALoss) {
  DeckRandom random(4);
  MatchState deck;
  ShuffleDeck(deck, random);
  // Place 2 leads the first deal itself.
  auto copy = Dealt(2, BuildDealFrame(deck));
  ASSERT_EQ(copy->state.Turn, 3);
  copy->sent.clear();
  for (int tick = 0; tick < kMoveClockSeconds; ++tick) copy->session.Tick();
  EXPECT_EQ(copy->sounds.back(), "WWrongs");
  std::vector<std::string> ticks(copy->sounds.end() - 1 - (kMoveClockSeconds - 1), copy->sounds.end() - 1);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), "STimerA"), kMoveClockSeconds - 8);
  EXPECT_EQ(std::count(ticks.begin(), ticks.end(), "STimerB"), 7);
  EXPECT_EQ(copy->sent, std::vector<std::string>{BuildTimeOutFrame(2)});
  EXPECT_EQ(copy->ends, (std::vector<std::pair<TableEnd, int>>{{TableEnd::OwnTimeOut, 3}}));
  EXPECT_EQ(copy->clocks, (std::array<int, 4>{-1, -1, -1, -1}));
  // The server's "T" for the same place and a late "a" change nothing more.
  copy->session.OnBytes(BuildTimedOutFrame(2) + BuildLeftFrame(1));
  EXPECT_EQ(copy->ends.size(), 1u);
}

}  // namespace
}  // namespace tarvel::tour
