// The music player's three buttons in the lower left corner of the main
// menu (play/pause, another song, volume), drawn at run time, and the timer
// that moves on to another song when one ends.
#pragma once

#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

#include "media/music_player.h"

namespace tarvel {

class MusicButton : public QWidget {
  Q_OBJECT

 public:
  enum class Kind { PlayPause = 1, Next = 2, Volume = 3 };
  static constexpr int kSize = 61;

  MusicButton(Kind kind, const MusicPlayer& player, QWidget* parent);

  Kind Which() const { return kind_; }
  bool Pressed() const { return pressed_; }
  void SetHint(QString hint) { hint_ = std::move(hint); }

 signals:
  // The mouse went up over the button, at x inside it.
  void Released(int x);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;

 private:
  Kind kind_;
  const MusicPlayer& player_;
  bool pressed_ = false;
  QString hint_;
};

class MusicButtons : public QObject {
  Q_OBJECT

 public:
  // The window's language for the hints (0..9).
  using Language = std::function<int()>;

  // The buttons are children of `window`; this object is owned by the caller.
  MusicButtons(MusicPlayer& player, QWidget* window, Language language);

  // Shows the buttons when the player has its songs and `allowed` (the main
  // menu shows in a window of scale 1.5 or more), else hides them; placed at
  // x = 10, 75, 140 and 70 pixels above the client area's bottom.
  void Show(bool allowed, int clientHeight);
  bool Visible() const;
  std::array<MusicButton*, 3> Buttons() const { return buttons_; }
  MusicButton* Button(MusicButton::Kind kind) const { return buttons_[static_cast<std::size_t>(kind) - 1]; }
  QTimer& Timer() { return timer_; }

 private:
  void Refresh();

  MusicPlayer& player_;
  Language language_;
  std::array<MusicButton*, 3> buttons_{};
  QTimer timer_;
  bool allowed_ = false;
  int clientHeight_ = 0;
};

}  // namespace tarvel
