// The game at a tournament table: three copies of the real engine, game
// driver and table session, joined by a small relay that deals and passes
// the frames on as the table server does; and a single copy fed with
// hostile or unexpected frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "engine/autoplay.h"
#include "online/tour_frames.h"
#include "online/tourtable/tour_session.h"

namespace tarvel::tour {
namespace {

class Relay;

// One copy at place `place`: the engine's port records and sends to the session.
class Copy : public NullTableEvents, public TourSender, public TourFront {
 public:
  Copy(int place, std::uint64_t seed) : random(seed) {
    session.Open(1, place);
    session.OnConnected();
  }

  MatchState state;
  DeckRandom random;
  TourState tour;
  GameDriver driver{state, *this, random};
  TourSession session{state, *this, driver, random, tour, *this, *this};

  std::vector<std::string> sent;  // frames to the server
  std::vector<std::string> sounds;
  std::vector<std::pair<int, std::string>> chat;
  std::vector<std::pair<TableEnd, int>> ends;
  std::array<int, 4> clocks{-1, -1, -1, -1};  // per seat as drawn
  int deactivated = 0;
  int gameStarts = 0;

  // The engine's calls at a tournament table.
  void SendMove(int, int slot) override { session.SendMove(slot); }
  void SendTrickCollected() override { session.SendTrickCollected(); }
  void RequestNextDeal() override { session.RequestNextDeal(); }
  void SendGameResults(const SeatResults& results) override { session.SendGameResults(results); }
  void PassMoveClock(int seat) override { session.PassMoveClock(seat); }
  void RestartMoveClock() override { session.RestartMoveClock(); }
  void StopTableClocks() override { session.StopTableClocks(); }
  void PlaySound(std::string_view name, bool) override { sounds.emplace_back(name); }

  void SendFrame(std::string_view frame) override { sent.emplace_back(frame); }
  void Deactivate() override { ++deactivated; }

  void ShowTableChat(int colour, const std::string& text) override { chat.emplace_back(colour, text); }
  void ClearTableChat() override {}
  void EnableTableChat(bool) override {}
  void TableGameStarts() override { ++gameStarts; }
  std::string NickOfPlace(int place) override { return "P" + std::to_string(place); }
  void DrawMoveClock(int seat, int seconds) override { clocks[static_cast<std::size_t>(seat)] = seconds; }
  void ShowTableEnd(TableEnd end, int seat) override { ends.emplace_back(end, seat); }

  int Place() const { return state.TourSeat; }
  bool Act() { return AutoplayAct(driver, state); }
};

// A deck for the relay's deals.
std::string DealFrame(DeckRandom& random) {
  MatchState deck;
  ShuffleDeck(deck, random);
  return BuildDealFrame(deck);
}

// The table server as the players see it: relays moves and chat to the
// other places, "hsl" from place 1, deals at the start and on "bnext", "e"
// on the results. Whole frames are queued; delivery cuts them or joins
// everything queued into one chunk.
class Relay {
 public:
  enum class Cut { Joined, ByteByByte };
  explicit Relay(Cut cut) : cut_(cut), deck_(77) {
    for (int place = 1; place <= 3; ++place) copies.push_back(std::make_unique<Copy>(place, 100 + place));
    for (auto& copy : copies) copy->sent.clear();  // the join frames
    ToAll(DealFrame(deck_));
  }

  std::vector<std::unique_ptr<Copy>> copies;
  std::string results;  // the "o" frame
  int nextDeals = 0;    // "bnext" frames

  Copy& At(int place) { return *copies[static_cast<std::size_t>(place - 1)]; }

  void ToAll(const std::string& frame, int except = 0) {
    for (int place = 1; place <= 3; ++place)
      if (place != except) queued_[static_cast<std::size_t>(place - 1)] += frame;
  }

  bool Deliver() {
    bool moved = false;
    for (int place = 1; place <= 3; ++place) {
      for (const std::string& frame : At(place).sent) {
        moved = true;
        switch (frame[0]) {
          case 's':
          case 'h': ToAll(frame, place); break;
          case 'b':
            ++nextDeals;
            ToAll(DealFrame(deck_));
            break;
          case 'o':
            results = frame;
            ToAll(BuildEndFrame());
            break;
          default: break;
        }
      }
      At(place).sent.clear();
    }
    for (int place = 1; place <= 3; ++place) {
      std::string& bytes = queued_[static_cast<std::size_t>(place - 1)];
      if (bytes.empty()) continue;
      moved = true;
      const std::string chunk = std::move(bytes);
      bytes.clear();
      if (cut_ == Cut::Joined) {
        At(place).session.OnBytes(chunk);
      } else {
        for (char byte : chunk) At(place).session.OnBytes(std::string_view(&byte, 1));
      }
    }
    return moved;
  }

  void PlayToEnd() {
    for (int round = 0; round < 20000; ++round) {
      bool moved = Deliver();
      // Each copy presses twice, as a player may before the server answers.
      for (auto& copy : copies) moved |= copy->Act() | copy->Act();
      if (!moved) return;
    }
  }

 private:
  Cut cut_;
  DeckRandom deck_;
  std::array<std::string, 3> queued_;
};

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
    const bool ownTimeOut = !row.ends.empty() && row.ends[0].first == TableEnd::OwnTimeOut;
    EXPECT_EQ(!copy->sent.empty() && copy->sent.back() == BuildTimeOutFrame(1), ownTimeOut);
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
