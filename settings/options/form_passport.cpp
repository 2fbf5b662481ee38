#include "settings/options/form_passport.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>

#include "settings/passport_name.h"
#include "settings/words/words.h"
#include "widgets/dialog_design.h"
#include "widgets/passport_pictures.h"

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

QString CountryCode(int continent, int number) {
  return QStringLiteral("%1-%2").arg(continent).arg(number, 3, 10, QLatin1Char('0'));
}

// Typed or pasted text passes only when every character is of the name
// alphabet; deleting always passes.
class NameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    for (const char32_t c : input.toUcs4()) {
      if (!NameCharAllowed(QString::fromUcs4(&c, 1).toStdString())) return Invalid;
    }
    return Acceptable;
  }
};

int Check(const QLineEdit* edit, std::size_t limit) { return CheckPassportName(edit->text().toStdString(), limit); }

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
  auto* validator = new NameValidator(this);
  label(text(WordId::Nick), 10);
  nick_ = new QLineEdit(QString::fromStdString(settings_.Nick), this);
  nick_->setObjectName(QStringLiteral("EditNick"));
  nick_->setMaxLength(static_cast<int>(kNickLimit));
  nick_->setValidator(validator);
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
  city_->setMaxLength(static_cast<int>(kCityLimit));
  city_->setValidator(validator);
  city_->setGeometry(125, 112, 225, 26);

  label(text(WordId::Sex), 146);
  sex_ = new QComboBox(this);
  sex_->setObjectName(QStringLiteral("ComboBoxSex"));
  sex_->setGeometry(125, 146, 225, 26);
  sex_->addItem(QPixmap::fromImage(SexPicture("M")), text(WordId::Man));
  sex_->addItem(QPixmap::fromImage(SexPicture("W")), text(WordId::Woman));
  sex_->setCurrentIndex(settings_.Sex == "W" ? 1 : 0);

  ok_ = new TQorCardsButton(FromUtf8(Word(WordId::DialogOk, language)), this);
  ok_->setObjectName(QStringLiteral("ButtonOk"));
  ok_->setGeometry(240, 206, 110, 32);
  ok_->setDefault(true);
  connect(ok_, &QPushButton::clicked, this, &TFormPassport::ButtonOkClick);

  const auto [continent, number] = SplitCountry(settings_.Country);
  continent_->setCurrentIndex(continent - 1);
  FillCountries(continent);
  country_->setCurrentIndex(number);
  connect(continent_, &QComboBox::currentIndexChanged, this, &TFormPassport::ComboBoxContinentChange);
  connect(country_, &QComboBox::currentIndexChanged, this, &TFormPassport::StoreCountry);
  connect(sex_, &QComboBox::currentIndexChanged, this,
          [this](int index) { settings_.Sex = std::string(1, index == 1 ? 'W' : 'M'); });
  connect(nick_, &QLineEdit::textChanged, this, &TFormPassport::NamesEdited);
  connect(city_, &QLineEdit::textChanged, this, &TFormPassport::NamesEdited);
  ApplyDialogDesign(this, settings_);
  NamesEdited();
}

void TFormPassport::FillCountries(int continent) {
  const QSignalBlocker quiet(country_);
  country_->clear();
  const auto list = CountryList(continent);
  if (!list) return;
  for (int row = 0; row < WordRows(*list); ++row) {
    const QImage flag = CountryFlag(CountryCode(continent, row).toStdString());
    country_->addItem(QPixmap::fromImage(flag), FromUtf8(Word(*list, settings_.Language, row)));
  }
}

void TFormPassport::ComboBoxContinentChange() {
  FillCountries(continent_->currentIndex() + 1);
  country_->setCurrentIndex(0);
  StoreCountry();
}

void TFormPassport::StoreCountry() {
  settings_.Country = CountryCode(continent_->currentIndex() + 1, std::max(country_->currentIndex(), 0)).toStdString();
}

bool TFormPassport::PassportValid() const {
  return Check(nick_, kNickLimit) != kNameRefused && Check(city_, kCityLimit) != kNameRefused;
}

void TFormPassport::NamesEdited() {
  // Each name is kept the moment it checks; a refused one leaves the stored
  // name as it was.
  if (Check(nick_, kNickLimit) != kNameRefused) settings_.Nick = nick_->text().toStdString();
  if (Check(city_, kCityLimit) != kNameRefused) settings_.City = city_->text().toStdString();
  ok_->setEnabled(PassportValid());
}

void TFormPassport::ButtonOkClick() {
  if (PassportValid()) accept();
}

void TFormPassport::reject() {
  if (PassportValid()) {
    QDialog::reject();
    return;
  }
  (Check(nick_, kNickLimit) == kNameRefused ? nick_ : city_)->setFocus();
}

}  // namespace tarvel
