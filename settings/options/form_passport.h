// The passport window: the player's public nick, country (chosen by
// continent), city and sex, stored in the settings on "Ok".
#pragma once

#include <QDialog>

#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tarvel {

class TFormPassport : public QDialog {
  Q_OBJECT

 public:
  explicit TFormPassport(Settings& settings, QWidget* parent = nullptr);

  void ComboBoxContinentChange();
  void ButtonOkClick();

  QLineEdit* EditNick() const { return nick_; }
  QComboBox* ComboBoxContinent() const { return continent_; }
  QComboBox* ComboBoxCountry() const { return country_; }
  QLineEdit* EditCity() const { return city_; }
  QRadioButton* RadioMan() const { return man_; }
  QRadioButton* RadioWoman() const { return woman_; }
  TQorCardsButton* ButtonOk() const { return ok_; }

 private:
  void FillCountries(int continent);

  Settings& settings_;
  QLineEdit* nick_ = nullptr;
  QComboBox* continent_ = nullptr;
  QComboBox* country_ = nullptr;
  QLineEdit* city_ = nullptr;
  QRadioButton* man_ = nullptr;
  QRadioButton* woman_ = nullptr;
  TQorCardsButton* ok_ = nullptr;
};

}  // namespace tarvel
