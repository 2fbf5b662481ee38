// The waiting window of a network game: shown modally while the host waits
// for its players or a client for the host's acceptance. Its first line says
// what is awaited; the host sees a line for each player that joined. The
// host's "Ok" starts the game once someone joined; "Cancel" gives up while
// nobody has.
#pragma once

#include <QDialog>
#include <QTimer>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvel::lan {

class TFormWait : public QDialog {
  Q_OBJECT

 public:
  explicit TFormWait(QWidget* parent = nullptr);

  // Texts in `language`. `host` picks the first line ("Expectation of
  // connection of other players..." or "Expectation of game..."); the
  // player lines are hidden, "Ok" disabled and "Cancel" enabled.
  void Prepare(bool host, int language);
  // Each tick (1 s) asks this; true shows "There are no accessible games".
  void SetNoGameSeen(std::function<bool()> noGameSeen) { noGameSeen_ = std::move(noGameSeen); }
  // Host: a player joined (netClients2 0 or 1): its line shows, "Ok" is
  // enabled and "Cancel" disabled.
  void PlayerJoined(int netClients2);

  // The window was left by the acceptance or the host's "Ok".
  bool Confirmed() const { return confirmed_; }
  // The client's acceptance: confirmed, closed.
  void Confirm();
  // "Cancel", Escape, closing the window.
  void reject() override;

  QLabel* FirstLine() const { return firstLine_; }
  QLabel* PlayerLine(int index) const { return players_[index]; }  // 0..2
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }

 signals:
  void Cancelled();

 private:
  void Tick();

  QProgressBar* animation_ = nullptr;
  QLabel* firstLine_ = nullptr;
  std::array<QLabel*, 3> players_{};  // second, third, fourth player
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTimer timer_;
  int language_ = 0;
  bool confirmed_ = false;
  std::function<bool()> noGameSeen_;
};

}  // namespace tarvel::lan
