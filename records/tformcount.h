// The game information window: the figures of a game (games played, the
// game in the cycle, scores and ratings before and after), with OK.
#pragma once

#include <QDialog>

#include <array>

#include "records/game_record.h"

class QLabel;
class QPushButton;

namespace tarvel {

class TFormCount : public QDialog {
  Q_OBJECT

 public:
  TFormCount(int language, const QString& playerName, const TCount& count, QWidget* parent = nullptr);

  // Label1b..Label7b: the values, in the order of the captions.
  QString Value(int row) const;
  QPushButton* Button1() const { return button1_; }

 private:
  std::array<QLabel*, 7> values_{};
  QPushButton* button1_ = nullptr;
};

}  // namespace tarvel
