// The game information window: the figures of a game (games played, the
// game in the cycle, scores and ratings before and after), with OK.
#pragma once

#include <QDialog>

#include <array>

#include "records/game_record.h"
#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QLabel;

namespace tarvel {

class TFormCount : public QDialog {
  Q_OBJECT

 public:
  TFormCount(const Settings& settings, const QString& playerName, const TCount& count, QWidget* parent = nullptr);

  // Label1b..Label7b: the values, in the order of the captions.
  QString Value(int row) const;
  TQorCardsButton* Button1() const { return button1_; }

 private:
  std::array<QLabel*, 7> values_{};
  TQorCardsButton* button1_ = nullptr;
};

}  // namespace tarvel
