#include "settings/options/form_passport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

#include "widgets/dialog_design.h"
#include "settings/words/words.h"

namespace tarvel {

namespace {

constexpr int kContinents = 6;

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Continent digit and country number of a code "d-nnn"; Europe's first
// country for anything else.
std::pair<int, int> SplitCountry(const std::string& code) {
  if (code.size() == 5 && code[0] >= '1' && code[0] <= '6' && code[1] == '-') {
    const int number = std::atoi(code.c_str() + 2);
    const auto list = CountryList(code[0] - '0');
    if (list && number >= 0 && number < WordRows(*list)) return {code[0] - '0', number};
  }
  return {1, 1};
}

}  // namespace

TFormPassport::TFormPassport(Settings& settings, QWidget* parent) : QDialog(parent), settings_(settings) {
  setObjectName(QStringLiteral("FormPassport"));
  setModal(true);
  setFixedSize(360, 250);
  const int language = settings_.Language;
  const auto text = [language](WordId id, int row = 0) { return FromUtf8(Word(id, language, row)); };
  setWindowTitle(text(WordId::MyPassport));

  const auto label = [this](const QString& caption, int top) {
    auto* l = new QLabel(caption, this);
    l->setGeometry(10, top, 110, 26);
    return l;
  };
  label(text(WordId::Nick), 10);
  nick_ = new QLineEdit(QString::fromStdString(settings_.Nick), this);
  nick_->setObjectName(QStringLiteral("EditNick"));
  nick_->setMaxLength(static_cast<int>(kNickLength));
  nick_->setGeometry(125, 10, 225, 26);

  label(text(WordId::Continent), 44);
  continent_ = new QComboBox(this);
  continent_->setObjectName(QStringLiteral("ComboBoxContinent"));
  continent_->setGeometry(125, 44, 225, 26);
  for (int c = 1; c <= kContinents; ++c) continent_->addItem(text(WordId::Continents, c - 1));

  label(text(WordId::Country), 78);
  country_ = new QComboBox(this);
  country_->setObjectName(QStringLiteral("ComboBoxCountry"));
  country_->setGeometry(125, 78, 225, 26);
  country_->setMaxVisibleItems(20);

  label(text(WordId::City), 112);
  city_ = new QLineEdit(QString::fromStdString(settings_.City), this);
  city_->setObjectName(QStringLiteral("EditCity"));
  city_->setMaxLength(static_cast<int>(kCityLength));
  city_->setGeometry(125, 112, 225, 26);

  label(text(WordId::Sex), 146);
  man_ = new QRadioButton(text(WordId::Man), this);
  man_->setGeometry(125, 146, 110, 26);
  woman_ = new QRadioButton(text(WordId::Woman), this);
  woman_->setGeometry(240, 146, 110, 26);
  (settings_.Sex == "W" ? woman_ : man_)->setChecked(true);

  ok_ = new TQorCardsButton(FromUtf8(Word(WordId::DialogOk, language)), this);
  ok_->setGeometry(240, 206, 110, 32);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TFormPassport::ButtonOkClick);

  const auto [continent, number] = SplitCountry(settings_.Country);
  continent_->setCurrentIndex(continent - 1);
  FillCountries(continent);
  country_->setCurrentIndex(number);
  connect(continent_, &QComboBox::currentIndexChanged, this, &TFormPassport::ComboBoxContinentChange);
  ApplyDialogDesign(this, settings_);
}

void TFormPassport::FillCountries(int continent) {
  country_->clear();
  const auto list = CountryList(continent);
  if (!list) return;
  for (int row = 0; row < WordRows(*list); ++row) country_->addItem(FromUtf8(Word(*list, settings_.Language, row)));
}

void TFormPassport::ComboBoxContinentChange() {
  FillCountries(continent_->currentIndex() + 1);
  country_->setCurrentIndex(0);
}

void TFormPassport::ButtonOkClick() {
  // An empty nick or city would be refused by the services and cannot be
  // stored; the previous value stays.
  const QString nick = nick_->text().trimmed();
  if (!nick.isEmpty()) settings_.Nick = nick.left(static_cast<int>(kNickLength)).toStdString();
  const QString city = city_->text().trimmed();
  if (!city.isEmpty()) settings_.City = city.left(static_cast<int>(kCityLength)).toStdString();
  const int continent = continent_->currentIndex() + 1;
  const int number = std::max(country_->currentIndex(), 0);
  settings_.Country = QStringLiteral("%1-%2").arg(continent).arg(number, 3, 10, QLatin1Char('0')).toStdString();
  settings_.Sex = std::string(1, woman_->isChecked() ? 'W' : 'M');
  accept();
}

}  // namespace tarvel
