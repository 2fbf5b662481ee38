// Copies of the game joined by in-memory connections: each copy is the real
// engine, game driver and network session; only the sockets are replaced by
// byte queues, which can hand over what was sent whole, byte by byte, or
// cut and joined at random places, as TCP may.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "engine/autoplay.h"
#include "engine/game_driver.h"
#include "engine/rules.h"
#include "lan/lan_session.h"

namespace tarvel::lan::lantest {

enum class Framing { Whole, ByteByByte, Random };

class Network;

// One copy: index 0 is the host, 1 and 2 the clients (connection 0 and 1).
class Copy : public NullTableEvents, public LanLink, public LanFront {
 public:
  Copy(Network& network, int index, std::uint64_t seed)
      : random(seed), network_(network), index_(index) {}

  MatchState state;
  DeckRandom random;
  GameDriver driver{state, *this, random};
  LanSession session{state, *this, driver, random, *this, *this};

  std::vector<std::string> plays;                   // "place:rank suit" in order
  std::vector<std::pair<int, std::string>> chat;    // colour, line
  std::vector<std::string> sounds;
  int broken = 0;
  int joinedSignals = 0;

  // The engine's port: the network calls go to the session.
  void SendMove(int, int slot) override { session.SendMove(slot); }
  void SendDeal(const MatchState&, int first) override { session.SendDeal(first); }
  void SendTrickCollected() override { session.SendTrickCollected(); }
  void PlaySound(std::string_view name, bool) override { sounds.emplace_back(name); }
  void PlaceCardOnTable(int seat, int, int, CardCode card, bool) override {
    plays.push_back(std::to_string(PlaceOfSeat(seat, state.NetRole)) + ":" +
                    std::string{static_cast<char>(card.rank), static_cast<char>(card.suit)});
  }

  // The link.
  void SendToConnection(int connection, std::string_view bytes) override;
  void SendToHost(std::string_view bytes) override;

  // The front.
  void ShowChatLine(int colour, const std::string& text) override { chat.emplace_back(colour, text); }
  void ClearChat() override {}
  void EnableChat(bool) override {}
  void ClientJoined(int) override { ++joinedSignals; }
  void JoinAccepted() override { driver.startNewGame(); }
  void GameBroken() override {
    ++broken;
    session.Close();
  }

  bool Act() { return AutoplayAct(driver, state); }

  // The results of the finished game by place 1..3 (index 0 unused).
  std::array<std::int32_t, 4> ResultsByPlace() const {
    const SeatResults bySeat = SumUpGame(state);
    std::array<std::int32_t, 4> byPlace{};
    for (int seat = 1; seat <= 3; ++seat)
      byPlace[static_cast<std::size_t>(PlaceOfSeat(seat, state.NetRole))] =
          bySeat[static_cast<std::size_t>(seat)] * 100;
    return byPlace;
  }

 private:
  Network& network_;
  int index_;
};

class Network {
 public:
  Network(int clients, Framing framing, std::uint64_t seed = 1) : framing_(framing), cut_(seed) {
    for (int i = 0; i <= clients; ++i) copies.push_back(std::make_unique<Copy>(*this, i, 2024 + i));
    toHost_.resize(static_cast<std::size_t>(clients));
    toClient_.resize(static_cast<std::size_t>(clients));
  }

  std::vector<std::unique_ptr<Copy>> copies;
  Copy& Host() { return *copies[0]; }
  Copy& Client(int k) { return *copies[static_cast<std::size_t>(k + 1)]; }
  int Clients() const { return static_cast<int>(toHost_.size()); }

  void ToHost(int connection, std::string_view bytes) { Queue(toHost_, connection, bytes); }
  void ToClient(int connection, std::string_view bytes) { Queue(toClient_, connection, bytes); }
  // Bytes sent on a connection so far, for counting messages.
  std::string sentToClient[2];

  // The host opens, every client joins in turn, the host starts.
  void OpenAndJoin() {
    Host().session.OpenHost("Hostess");
    const char* names[2] = {"Анна", "Boris the Great"};
    for (int k = 0; k < Clients(); ++k) {
      Client(k).session.OpenClient(names[k]);
      Client(k).session.OnConnected();
      Deliver();
    }
    Host().driver.startNewGame();
  }

  // Hands every queued byte over, in pieces by the framing. True when
  // anything moved.
  bool Deliver() {
    bool moved = false;
    for (int k = 0; k < Clients(); ++k) {
      moved |= Flush(toHost_, k, [&](std::string_view piece) { Host().session.OnClientBytes(k, piece); });
      moved |= Flush(toClient_, k, [&](std::string_view piece) { Client(k).session.OnHostBytes(piece); });
    }
    return moved;
  }

  // Delivers and lets every copy act until all have summed up their game
  // or nothing moves any more. Returns the number of rounds.
  int PlayToEnd(int maxRounds = 20000) {
    int rounds = 0;
    for (; rounds < maxRounds; ++rounds) {
      bool moved = Deliver();
      for (auto& copy : copies) moved |= copy->Act();
      if (!moved) break;
    }
    return rounds;
  }

 private:
  using Pipes = std::vector<std::deque<std::string>>;

  void Queue(Pipes& pipes, int connection, std::string_view bytes) {
    if (connection < 0 || connection >= Clients()) return;
    pipes[static_cast<std::size_t>(connection)].emplace_back(bytes);
    if (&pipes == &toClient_) sentToClient[connection] += bytes;
  }

  template <typename Receive>
  bool Flush(Pipes& pipes, int connection, Receive receive) {
    auto& queue = pipes[static_cast<std::size_t>(connection)];
    if (queue.empty()) return false;
    std::vector<std::string> pieces;
    if (framing_ == Framing::Whole) {
      pieces.assign(queue.begin(), queue.end());
    } else {
      std::string all;
      for (const std::string& chunk : queue) all += chunk;
      for (std::size_t at = 0; at < all.size();) {
        const std::size_t length =
            framing_ == Framing::ByteByByte ? 1 : std::uniform_int_distribution<std::size_t>(1, 40)(cut_);
        pieces.push_back(all.substr(at, length));
        at += length;
      }
    }
    queue.clear();
    for (const std::string& piece : pieces) receive(piece);
    return true;
  }

  Framing framing_;
  std::mt19937_64 cut_;
  Pipes toHost_;
  Pipes toClient_;
};

inline void Copy::SendToConnection(int connection, std::string_view bytes) {
  network_.ToClient(connection, bytes);
}

inline void Copy::SendToHost(std::string_view bytes) { network_.ToHost(index_ - 1, bytes); }

}  // namespace tarvel::lan::lantest
