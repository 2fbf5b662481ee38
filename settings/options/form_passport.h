// The passport window "My Passport": the player's public nick, country
// (chosen by continent, drawn with flags), city and sex. A nick or city is
// stored as soon as it checks (passport_name.h); "Ok" is enabled, and the
// window can be closed, only while both check.
#pragma once

#include <QDialog>

#include "settings/settings_file.h"
#include "widgets/qor_cards_button.h"

class QComboBox;
class QLineEdit;

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
  QComboBox* ComboBoxSex() const { return sex_; }
  TQorCardsButton* ButtonOk() const { return ok_; }

  // Both the nick and the city check to 2 or 3.
  bool PassportValid() const;

 public slots:
  // Refused while the passport does not check: the focus goes to the first
  // refused box instead.
  void reject() override;

 private:
  void FillCountries(int continent);
  void NamesEdited();
  void StoreCountry();

  Settings& settings_;
  QLineEdit* nick_ = nullptr;
  QComboBox* continent_ = nullptr;
  QComboBox* country_ = nullptr;
  QLineEdit* city_ = nullptr;
  QComboBox* sex_ = nullptr;
  TQorCardsButton* ok_ = nullptr;
};

}  // namespace tarvel
