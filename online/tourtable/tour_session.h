// The game at a tournament table on one copy: what is done with every frame
// the table server sends, what is sent when the local player acts, and the
// move clock.
//
// The server deals and relays; the rules run here as on every other place.
// The session changes the match state only through the rule operations
// (StartDeal, PlayCard, CollectTrick, EndGame) and only while the game
// driver is idle, so frames act in the order they arrived. What the server
// relays is checked like a LAN peer's move: a card must be legal for the
// seat whose turn it is, a collect is taken only on a complete trick, a deal
// only when one is due. Anything else is dropped; a malformed deal or a
// flood ends the game as a lost connection.
//
// Places are the server's numbers 1..3; each copy shows itself as seat 3,
// so place q is seat ((q - TourSeat - 1) mod 3) + 1.
//
// Sockets and windows are not known here: the session sends through
// TourSender and shows through TourFront. Plain C++, no Qt.
#pragma once

#include <string>
#include <string_view>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "online/tour_frames.h"
#include "online/tour_state.h"

namespace tarvel::tour {

// Seconds on a move clock when it is (re)started.
inline constexpr int kMoveClockSeconds = 26;

// The table connection as the session uses it.
class TourSender {
 public:
  virtual ~TourSender() = default;
  virtual void SendFrame(std::string_view frame) = 0;
  // Deactivates the connection (one event later, never inside its own events).
  virtual void Deactivate() = 0;
};

// How a game at the table ended early.
enum class TableEnd {
  OpponentLeft,     // "a": a place left; this player wins
  OpponentTimeOut,  // "T": a place's clock ran out; this player wins
  OwnTimeOut,       // the own clock ran out: this player loses
  LostConnection,   // the connection closed or the server sent garbage
};

// What the player sees of the session.
class TourFront {
 public:
  virtual ~TourFront() = default;
  // A chat line in the box on the table, in the colour of a place (1..3).
  virtual void ShowTableChat(int colour, const std::string& utf8Text) = 0;
  virtual void ClearTableChat() = 0;
  virtual void EnableTableChat(bool enabled) = 0;
  // The first deal of the game arrived: the lobby closes, the table's
  // settings are taken over (the session then sets the tournament's rules).
  virtual void TableGameStarts() = 0;
  // The name shown at the seat of a place (the nick from the lobby).
  virtual std::string NickOfPlace(int place) = 0;
  // The move clock of a seat; -1 clears it.
  virtual void DrawMoveClock(int seat, int seconds) = 0;
  // The modal message of an early end; `seat` is the leaving or late seat.
  virtual void ShowTableEnd(TableEnd end, int seat) = 0;
};

class TourSession {
 public:
  TourSession(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
              TourState& tour, TourSender& sender, TourFront& front);

  TourSession(const TourSession&) = delete;
  TourSession& operator=(const TourSession&) = delete;

  // The lobby took `place` of `table`: TourLink 1 until the connection is up.
  void Open(int table, int place);
  // The connection is up: the join frame, TourLink 2.
  void OnConnected();
  // Bytes from the table server, any split.
  void OnBytes(std::string_view bytes);
  // The connection closed.
  void OnDisconnected();
  // The connection failed before a game (NoGameSeen for the lobby).
  void OnConnectionError();
  // Gives up the place in the lobby: "disA".
  void Leave();
  // Back to no table (the game was left or stored).
  void Close();

  // Local acts, called by the engine's port at a tournament table.
  void SendMove(int slot);
  void SendTrickCollected();
  void RequestNextDeal();
  void SendGameResults(const SeatResults& results);
  void SendChat(const std::string& utf8Line);

  // The move clock: the engine's calls and the 1000 ms tick.
  void PassMoveClock(int seat);
  void RestartMoveClock();
  void StopTableClocks();
  void Tick();

  int MoveClockSeat() const { return clockSeat_; }
  int MoveClockLeft() const { return clockLeft_; }
  bool MoveClockRunning() const { return clockRunning_; }

 private:
  void Handle(const TourMessage& message);
  void Chat(const TourMessage& message);
  void Deal(const lan::DealData& deal);
  void Move(const TourMessage& message);
  void ServerEnded();
  void OpponentGone(TableEnd end, int place);
  // The own clock ran out; `tellServer` sends "TOut".
  void OwnTimeOut(bool tellServer);
  // Ends the running game early: the message, the connection closed, only
  // "Exit to menu" left.
  void EndEarly(TableEnd end, int seat);
  void StartClock(int seat);
  void HideClocks();
  void Send(const std::string& frame);
  bool Running() const;

  MatchState& state_;
  TableEvents& events_;
  GameDriver& driver_;
  DeckRandom& random_;
  TourState& tour_;
  TourSender& sender_;
  TourFront& front_;
  TourFrameReader reader_;

  bool dealSeen_ = false;  // a deal of this game arrived
  bool nextDealAsked_ = false;  // place 1 sent "bnext" for the scored deal
  int clockSeat_ = 0;
  int clockLeft_ = 0;
  bool clockRunning_ = false;
};

}  // namespace tarvel::tour
