// The newcomer's guide at the table: the local hand's keyboard focus and
// cues, the turn marker kept on the seat to move, the balloons that explain
// the table, and the note box with a line about the game ("Your turn...",
// why a card was refused, why a deal ended and what it gave, the game's
// outcome). Nothing here blocks play or changes the match state: a card is
// played only through the same path as a click.
#pragma once

#include <QWidget>
#include <QObject>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "settings/settings_file.h"
#include "table/hand_cues.h"
#include "table/table_hints.h"
#include "table/table_view.h"

namespace tarvel {

// Where the note box lies on the reference table: right of the table centre,
// between the right score board and the message area.
ReferenceRect NoteBoxRect();

// The note box: a cream card with a gold edge and one wrapped line of text,
// drawn in the largest font (up to the size's own) at which it fits.
class NoteBox : public QWidget {
 public:
  NoteBox(QWidget* parent, const Settings& settings);
  void SetText(const QString& text);
  const QString& Text() const { return text_; }
  // Places the box; `preferredHeight` is the font height it starts from.
  void Place(const QRect& rect, int preferredHeight);
  const QFont& TextFont() const { return font_; }
  // The area the text wraps in, box pixels.
  QRect TextArea() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Fit();

  const Settings& settings_;
  QString text_;
  QFont font_;
  int preferredHeight_ = 15;
};

class TableGuide : public QObject {
  Q_OBJECT

 public:
  // `handClick` acts on a slot of the local hand exactly as a click with that
  // button does, and says what became of it.
  TableGuide(QWidget* window, const MatchState& state, const Settings& settings, TableView& view,
             const GameDriver& driver, std::function<HandClickResult(int slot, MouseButton button)> handClick);

  // A key on the table: true when the guide took it. During a card flight
  // the key waits and acts when the flight is over.
  bool KeyPressed(int key);
  // The pointer is over slot `slot` of the local hand (0: elsewhere).
  void Hover(int slot);
  // A click on the local hand did `result` to slot `slot`.
  void HandClicked(int slot, HandClickResult result);

  // The table changed: the cues and the turn marker follow once the running
  // handler is over.
  void Changed() { refresh_.start(0); }
  // Runs the pending refresh now (tests and screenshots).
  void RefreshNow();

  // The window drew a board with or without the turn marker.
  void BoardDrawn(int seat, bool showTurn) { marked_[static_cast<std::size_t>(seat)] = showTurn; }
  // A computer's hand shows the trump card face up at `slot`; seat 0 or a
  // redraw of that hand ends it.
  void TrumpShown(int seat, int slot) { trump_ = {seat, slot}; }
  void HandDrawn(int seat);

  // A new deal: the note is cleared, the focus starts over.
  void DealStarted();
  // The deal has been scored: its line goes into the note.
  void DealScored();
  // The game has been summed up: the outcome line goes into the note.
  void GameSummed(std::int32_t result);
  // The table is left or laid out anew.
  void Hide();
  void Place(const TableLayout& layout);

  std::optional<TableHint> HintAt(QPoint at, const CounterHint& counter) const;

  NoteBox* Note() const { return note_; }
  int Focus() const { return focus_; }
  // The cues the local hand shows now.
  const HandCues& Cues() const { return painted_; }

 protected:
  // The hand's keys reach the hand even while a button of the window has
  // the focus (a focused button would move the focus on Left and Right).
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum class NoteKind { None, Turn, Refusal, DealEnd, GameEnd };
  void Refresh();
  void ShowNote(NoteKind kind, const QString& text);
  void PaintCues(QPainter& painter, const CardPositions& positions, int count);
  HandCues CurrentCues() const;
  int FirstPlayable() const;

  QWidget* window_;
  const MatchState& state_;
  const Settings& settings_;
  TableView& view_;
  const GameDriver& driver_;
  std::function<HandClickResult(int, MouseButton)> handClick_;

  int hover_ = 0;
  int focus_ = 0;
  bool keyboardUsed_ = false;  // the focus frame shows once a key moved it
  int refused_ = 0;
  int pendingKey_ = 0;          // a key pressed during a flight
  HandCues painted_;
  std::array<bool, 4> marked_{};  // seats whose board shows the turn marker
  ShownTrump trump_;
  NoteKind noteKind_ = NoteKind::None;
  NoteBox* note_ = nullptr;  // a child of the window
  QTimer refresh_;
  QTimer refusedTimer_;
};

}  // namespace tarvel
