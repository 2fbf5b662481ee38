// The rules of a network game on one copy: what the host and the clients do
// with every message they receive, and what they send when the local player
// (or the host's computer player) acts.
//
// The session changes the match state only through the rule operations
// (StartDeal, PlayCard, CollectTrick) and only while the game driver is idle:
// a message that arrives while a card flies waits until the running handler
// ends, so messages always act in the order they arrived. Every move a peer
// sends is checked against the state first: it must come from the place
// whose turn it is and be a legal card of that seat. A move that is not is
// dropped and never relayed.
//
// Sockets, windows and dialogs are not known here: the session sends through
// LanLink and shows through LanFront. Plain C++, no Qt.
#pragma once

#include <array>
#include <map>
#include <string>
#include <string_view>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "lan/lan_messages.h"

namespace tarvel::lan {

// The connections. On the host a connection is an id given by the socket
// layer; the session learns its place from the join request.
class LanLink {
 public:
  virtual ~LanLink() = default;
  virtual void SendToConnection(int connection, std::string_view bytes) = 0;
  virtual void SendToHost(std::string_view bytes) = 0;
};

// What the player sees of the session.
class LanFront {
 public:
  virtual ~LanFront() = default;
  // A chat line in the box on the table, in the colour of a place (1..4).
  virtual void ShowChatLine(int colour, const std::string& utf8Text) = 0;
  virtual void ClearChat() = 0;
  virtual void EnableChat(bool enabled) = 0;
  // Host: a client joined; netClients2 is 0 after the first, 1 after the second.
  virtual void ClientJoined(int netClients2) = 0;
  // Client: the host accepted; the waiting window and the name dialog close
  // and the game starts.
  virtual void JoinAccepted() = 0;
  // The game was broken off by a lost peer or the host's "abort" (or, on the
  // host, a player left the waiting window): the error dialog, then the main
  // menu. The waiting window closes unconfirmed; the own sockets are to be
  // closed (one event later, never from inside their own events).
  virtual void GameBroken() = 0;
};

class LanSession {
 public:
  LanSession(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
             LanLink& link, LanFront& front);

  LanSession(const LanSession&) = delete;
  LanSession& operator=(const LanSession&) = delete;

  // Opens the game as host (place 1) or client: NetGame on, NetJoin 1.
  // `ownName` is the local player's name (UTF-8).
  void OpenHost(const std::string& ownName);
  void OpenClient(const std::string& ownName);
  // The waiting window was cancelled, or the game is over: NetJoin 0 and
  // every connection forgotten.
  void Close();

  // Host: bytes from a client connection; the connection has closed.
  void OnClientBytes(int connection, std::string_view bytes);
  void OnClientLost(int connection);
  // Client: the connection to the host is up (sends the join request while
  // waiting); bytes from the host; the connection has closed.
  void OnConnected();
  void OnHostBytes(std::string_view bytes);
  void OnHostLost();

  // Local acts, called by the table's port.
  void SendMove(int slot);
  void SendDeal(int firstPlayer);
  void SendTrickCollected();
  // The local player's chat line; an empty line sends nothing.
  void SendChat(const std::string& utf8Line);

  int NetJoin() const { return netJoin_; }
  // Host: client connections that joined (0..2).
  int JoinedClients() const { return state_.NetClients2 + 1; }

 private:
  struct HostConnection {
    MessageReader reader{MessageReader::Side::Host};
    int place = 0;  // 2 or 3 once joined
  };

  void Open(int place, const std::string& ownName);
  void HostMessage(int place, int connection, const Message& message);
  void HostJoin(int connection, const Message& message);
  void HostMove(const Message& message, int fromPlace);
  void HostChat(const Message& message, int fromPlace);
  void ClientMessage(const Message& message);
  void ClientAccepted(const Message& message);
  void ClientDeal(const Message& message);
  void ClientMove(const Message& message);
  void ClientContinue();
  void Broken(bool sendAbort);
  // Host: sends `bytes` to the clients by the routing rule.
  void SendFromHost(int originPlace, std::string_view bytes);
  int ConnectionOfPlace(int place) const;
  // The move of `slot` for the seat whose turn it is may be applied: the
  // deal is running, that seat is a remote one and the card is legal.
  bool PeerMoveLegal(int slot) const;
  void BeforeRemoteCard();

  MatchState& state_;
  TableEvents& events_;
  GameDriver& driver_;
  DeckRandom& random_;
  LanLink& link_;
  LanFront& front_;

  int netJoin_ = 0;
  std::string ownName_;
  std::map<int, HostConnection> connections_;  // host
  MessageReader hostReader_{MessageReader::Side::Client};  // client
};

}  // namespace tarvel::lan
