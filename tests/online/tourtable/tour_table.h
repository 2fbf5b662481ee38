// Copies of the game at a tournament table joined by a small relay that
// deals and passes the frames on as the table server does: each copy is the
// real engine, game driver and table session; only the socket is replaced.
// Whole frames are queued; delivery joins everything queued into one chunk
// or hands it over byte by byte.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/autoplay.h"
#include "online/tour_frames.h"
#include "online/tourtable/tour_session.h"

namespace tarvel::tour::tourtest {

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
inline std::string DealFrame(DeckRandom& random) {
  MatchState deck;
  ShuffleDeck(deck, random);
  return BuildDealFrame(deck);
}

// The table server as the players see it: relays moves and chat to the
// other places, "hsl" from place 1, deals at the start and on "bnext", "e"
// on the results.
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

}  // namespace tarvel::tour::tourtest
