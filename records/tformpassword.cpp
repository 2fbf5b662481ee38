#include "records/tformpassword.h"

#include <QLabel>
#include <QLineEdit>
#include <QValidator>
#include <QVBoxLayout>

#include "records/records_host.h"
#include "settings/cp1251.h"
#include "widgets/dialog_design.h"

namespace tarvel {

namespace {

constexpr int kNameLength = 20;
constexpr int kPasswordLength = 5;

// Accepts only characters that Windows-1251 holds and that are not control
// characters; remembers a refusal so that the dialog can say why.
class Cp1251Validator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int&) const override {
    const std::string utf8 = input.toStdString();
    bool fits = Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8;
    for (const QChar c : input) fits = fits && c.unicode() >= 0x20 && c.unicode() != 0x7F;
    refused_ = !fits;
    return fits ? Acceptable : Invalid;
  }
  bool Refused() const { return refused_; }

 private:
  mutable bool refused_ = false;
};

}  // namespace

TFormPassword::TFormPassword(const Settings& settings, std::function<void(const QString&)> inform, QWidget* parent)
    : QDialog(parent), language_(settings.Language), inform_(std::move(inform)) {
  setWindowTitle(RecordsWord(WordId::Tarvel, language_));
  layout_ = new QVBoxLayout(this);
  edit1_ = new QLineEdit(this);
  edit2_ = new QLineEdit(this);
  edit3_ = new QLineEdit(this);
  edit1_->setObjectName(QStringLiteral("Edit1"));
  edit2_->setObjectName(QStringLiteral("Edit2"));
  edit3_->setObjectName(QStringLiteral("Edit3"));
  edit1_->setMaxLength(kNameLength);
  const QList<std::pair<WordId, QLineEdit*>> rows = {{WordId::EnterYourName, edit1_},
                                                     {WordId::EnterYourPassword, edit2_},
                                                     {WordId::RepeatPassword, edit3_}};
  for (const auto& [word, edit] : rows) {
    auto* label = new QLabel(RecordsWord(word, language_), this);
    label->setBuddy(edit);
    layout_->addWidget(label);
    layout_->addWidget(edit);
    if (edit == edit3_) label3_ = label;
    auto* validator = new Cp1251Validator(edit);
    edit->setValidator(validator);
    connect(edit, &QLineEdit::inputRejected, this, [this, validator] {
      if (validator->Refused()) Refused();
    });
  }
  for (QLineEdit* secret : {edit2_, edit3_}) {
    secret->setMaxLength(kPasswordLength);
    secret->setEchoMode(QLineEdit::Password);
    secret->setStyleSheet(QStringLiteral("lineedit-password-character: 35"));  // '#'
  }
  button1_ = new TQorCardsButton(RecordsWord(WordId::DialogOk, language_), this);
  button1_->setObjectName(QStringLiteral("Button1"));
  button1_->setDefault(true);
  layout_->addWidget(button1_);
  connect(button1_, &QPushButton::clicked, this, [this] { Button1Click(); });
  ApplyDialogDesign(this, settings);
}

void TFormPassword::Refused() {
  if (inform_) inform_(RecordsWord(WordId::CharacterNotAllowed, language_));
}

void TFormPassword::PrepareNewPlayer(const QString& lastName) {
  existing_ = false;
  member_ = ClubMember{};
  const QString name = lastName.trimmed();
  edit1_->setText(!name.isEmpty() && name.size() <= kNameLength ? name : RecordsWord(WordId::MrX, language_));
  edit1_->setEnabled(true);
  edit2_->clear();
  edit3_->clear();
  edit3_->setVisible(true);
  label3_->setVisible(true);
  edit1_->setFocus();
  edit1_->selectAll();
}

void TFormPassword::PrepareMember(const ClubMember& member) {
  existing_ = true;
  member_ = member;
  edit1_->setText(FromRecordBytes(member.MemberName).trimmed());
  edit1_->setEnabled(false);
  edit2_->clear();
  edit3_->clear();
  edit3_->setVisible(false);
  label3_->setVisible(false);
  edit2_->setFocus();
}

void TFormPassword::SetExtraWidget(QWidget* widget) {
  widget->setParent(this);
  layout_->insertWidget(layout_->indexOf(button1_), widget);
}

QString TFormPassword::TypedName() const { return edit1_->text().trimmed(); }

bool TFormPassword::Button1Click() {
  const std::string name = ToRecordBytes(TypedName());
  const std::string password = ToRecordBytes(edit2_->text());
  if (name.empty()) {
    inform_(RecordsWord(WordId::IncorrectName, language_));
    edit1_->setFocus();
    return false;
  }
  if (existing_) {
    if (DecodePassword(member_.MemberCode) != PaddedPassword(password)) {
      inform_(RecordsWord(WordId::IncorrectPassword, language_));
      edit2_->setFocus();
      return false;
    }
    member_.MemberCode = EncodePassword(password);
  } else {
    if (edit2_->text() != edit3_->text()) {
      inform_(RecordsWord(WordId::PasswordsDoNotCoincide, language_));
      edit2_->setFocus();
      return false;
    }
    member_ = NewMember(name, password);
  }
  if (gate_) return gate_([this] { accept(); });
  accept();
  return true;
}

}  // namespace tarvel
