// The end-of-game window after a cycle of 30 games: the club place of the
// cycle's score, drawn as four centred lines.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvel {

// The four lines and the sound of a place; the colours go with them.
struct EndGameText {
  std::array<QString, 4> lines;
  std::array<int, 4> heights{};
  QColor colour;           // lines 1, 2 and 4
  std::string_view sound;  // "WFiBest", "WFiGood" or "WFiBads"
};
EndGameText EndGameTextFor(int language, int place, std::int64_t cycleScore, bool network);

class TFormEndGame : public QDialog {
  Q_OBJECT

 public:
  TFormEndGame(int language, int place, std::int64_t cycleScore, bool network, QWidget* parent = nullptr);

  const EndGameText& Text() const { return text_; }
  // The end of an account's cycle: the first place makes the player the
  // Vice-President of the order.
  void SetAccountGame();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  EndGameText text_;
  int language_ = 0;
  int place_ = 0;
};

}  // namespace tarvel
