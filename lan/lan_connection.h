// The connections of a network game: the host's listening server and its
// client connections, or a client's one connection to the host; the waiting
// window; the chat entry; the dialog of a game broken off.
//
// Socket events feed the session (lan_session.h), which holds the rules; this
// class only moves bytes and shows windows. Sockets are never closed from
// inside their own events: a close asked for there happens one turn of the
// event loop later.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "lan/chat_entry.h"
#include "lan/lan_session.h"
#include "lan/tform_wait.h"

class QWidget;

namespace tarvel::lan {

// What a network game needs of the main window; the window implements it.
class LanWindow {
 public:
  virtual ~LanWindow() = default;
  // Parent of the waiting window, the dialogs and the chat entry.
  virtual QWidget* LanParent() = 0;
  // Language of the texts.
  virtual int LanLanguage() const = 0;
  // A line in the chat box, in the colour of place `colour`.
  virtual void ShowChatLine(int colour, const QString& text) = 0;
  virtual void ClearChatBox() = 0;
  // An error dialog with one OK button; returns when it is closed.
  virtual void ShowLanError(const QString& text) = 0;
  // Hide the table and return to the main menu (timer, music) after a game
  // was broken off.
  virtual void LeaveTableToMenu() = 0;
  // The hidden view: the opponents' hands face up, or down again.
  virtual void ToggleOpenHands() = 0;
};

class LanConnection : public QObject, private LanLink, private LanFront {
  Q_OBJECT

 public:
  LanConnection(MatchState& state, TableEvents& events, GameDriver& driver, DeckRandom& random,
                LanWindow& window);
  ~LanConnection() override;

  // Opens the game and shows the waiting window (modal, without a nested
  // event loop); `done(confirmed)` is called when it closes. The host listens
  // on `port` on every interface; false, after the error dialog, when it
  // cannot. A client connects to `address`:`port`.
  bool OpenHost(quint16 port, const std::string& ownName, std::function<void(bool)> done);
  void OpenClient(const QString& address, quint16 port, const std::string& ownName,
                  std::function<void(bool)> done);
  // Closes the server or the client connection (leaving the table, the end
  // of a game). The peers see the connection closed.
  void CloseNetwork();

  // The engine's network calls.
  void SendMove(int slot) { session_.SendMove(slot); }
  void SendDeal(int firstPlayer) { session_.SendDeal(firstPlayer); }
  void SendTrickCollected() { session_.SendTrickCollected(); }
  void EnableChat(bool enabled) override;

  ChatEntry& Chat();
  TFormWait& WaitWindow() { return *wait_; }
  const LanSession& Session() const { return session_; }
  // The port the host listens on (the one chosen when 0 was asked for).
  quint16 ListeningPort() const { return server_.serverPort(); }
  // Client: no game was seen yet (not accepted, or the connection failed).
  bool NoGameSeen() const { return noGameSeen_; }

 private:
  // LanLink.
  void SendToConnection(int connection, std::string_view bytes) override;
  void SendToHost(std::string_view bytes) override;
  // LanFront.
  void ShowChatLine(int colour, const std::string& utf8Text) override;
  void ClearChat() override;
  void ClientJoined(int netClients2) override;
  void JoinAccepted() override;
  void GameBroken() override;

  void ShowWaitWindow(bool host, std::function<void(bool)> done);
  void AcceptClients();
  void CloseSockets();
  void WaitCancelled();

  MatchState& state_;
  LanWindow& window_;
  LanSession session_;
  QTcpServer server_;
  std::map<int, QPointer<QTcpSocket>> clients_;  // host: by connection id
  int nextConnection_ = 0;
  QTcpSocket host_;  // client: the connection to the host
  bool noGameSeen_ = false;
  bool closeDue_ = false;  // CloseNetwork asked; the sockets close one event later
  TFormWait* wait_ = nullptr;  // owned by the window's widget tree
  ChatEntry* chat_ = nullptr;
  std::function<void(bool)> done_;
};

}  // namespace tarvel::lan
