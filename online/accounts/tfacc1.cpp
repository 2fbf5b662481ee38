#include "online/accounts/tfacc1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "online/account_session.h"
#include "online/accounts/account_host.h"
#include "online/accounts/account_pictures.h"
#include "online/accounts/profile_card.h"
#include "online/accounts/tfacc2.h"
#include "records/records_host.h"
#include "settings/settings_file.h"
#include "widgets/dialog_design.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kContinents = 6;
constexpr int kResultRows = 9;

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

// Continent digit and country number of a code "d-nnn"; nothing for anything else.
std::optional<std::pair<int, int>> SplitCountry(const std::string& code) {
  if (code.size() != 5 || code[0] < '1' || code[0] > '6' || code[1] != '-') return std::nullopt;
  bool ok = false;
  const int number = QString::fromLatin1(code.c_str() + 2, 3).toInt(&ok);
  const auto list = CountryList(code[0] - '0');
  if (!ok || !list || number < 0 || number >= WordRows(*list)) return std::nullopt;
  return std::pair{code[0] - '0', number};
}

QTableWidget* NewTable(int rows, int columns, QWidget* parent) {
  auto* table = new QTableWidget(rows, columns, parent);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setAlternatingRowColors(true);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text, const QColor& colour = Qt::black) {
  auto* item = new QTableWidgetItem(text);
  item->setForeground(colour);
  table->setItem(row, column, item);
}

}  // namespace

QImage LoadAccountPhoto(AccountSession& session, const std::string& nick) {
  std::string jpeg;
  if (!session.Requests().ReadPhoto(nick, jpeg)) return {};
  return QImage::fromData(reinterpret_cast<const uchar*>(jpeg.data()), static_cast<int>(jpeg.size()), "JPEG");
}

TFAcc1::TFAcc1(AccountSession& session, RecordsHost& records, AccountHost& host, QWidget* parent)
    : QDialog(parent), session_(session), records_(records), host_(host), language_(host.AccountSettings().Language) {
  setObjectName(QStringLiteral("TFAcc1"));
  setWindowTitle(Text(WordId::AccountClubName));
  auto* layout = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  layout->addWidget(pages_);
  CreateAccountPage();
  CreateResultsPage();
  CreateTopTenPage();
  ownCard_ = new ProfileCard;
  auto* own = new QWidget;
  auto* ownLayout = new QVBoxLayout(own);
  ownLayout->addWidget(ownCard_, 1);
  auto* ownButtons = new QHBoxLayout;
  auto* ava = new TQorCardsButton(own);
  ava->setObjectName(QStringLiteral("ButtonAva1"));
  ava->setText(Text(WordId::Refresh));
  connect(ava, &QPushButton::clicked, this, &TFAcc1::ButtonAva1Click);
  profileButton_ = new TQorCardsButton(own);
  profileButton_->setObjectName(QStringLiteral("ButtonProfile"));
  profileButton_->setText(Text(WordId::MyProfile));
  connect(profileButton_, &QPushButton::clicked, this, &TFAcc1::ButtonProfileClick);
  ownButtons->addWidget(ava);
  ownButtons->addWidget(profileButton_);
  ownLayout->addLayout(ownButtons);
  pages_->addTab(own, Text(WordId::AccountPages, 3));
  presidentCard_ = new ProfileCard;
  pages_->addTab(presidentCard_, Text(WordId::AccountPages, 4));

  auto* ok = new TQorCardsButton(this);
  ok->setObjectName(QStringLiteral("ButtonOk"));
  ok->setText(Text(WordId::DialogOk));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  ApplyDialogDesign(this, host_.AccountSettings());
  FormCreate();
}

QString TFAcc1::Text(WordId id, int row) const { return WordText(id, language_, row); }

QLineEdit* TFAcc1::Edit(int number) const {
  return number >= 1 && number <= 6 ? edits_[static_cast<std::size_t>(number) - 1] : nullptr;
}

QPushButton* TFAcc1::Button(int number) const {
  return number >= 1 && number <= 4 ? buttons_[static_cast<std::size_t>(number) - 1] : nullptr;
}

void TFAcc1::CreateAccountPage() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  auto* heading = new QLabel(Text(WordId::YourAccountInformation), page);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  grid->addWidget(heading, 0, 0, 1, 6);
  const std::array<WordId, 6> captions{WordId::Nick, WordId::City, WordId::Password,
                                       WordId::EMail, WordId::Country, WordId::Registration};
  // Edit1 nick, Edit4 city on row 1; Edit2 password, Edit5 e-mail on row 2;
  // Edit3 the country name, Edit6 the date on row 4.
  const std::array<int, 6> editOf{1, 4, 2, 5, 3, 6};
  const std::array<std::pair<int, int>, 6> places{{{1, 0}, {1, 3}, {2, 0}, {2, 3}, {4, 0}, {4, 3}}};
  for (std::size_t i = 0; i < captions.size(); ++i) {
    auto* edit = new QLineEdit(page);
    const int number = editOf[i];
    edit->setObjectName(QStringLiteral("Edit%1").arg(number));
    edits_[static_cast<std::size_t>(number) - 1] = edit;
    grid->addWidget(new QLabel(Text(captions[i]), page), places[i].first, places[i].second);
    grid->addWidget(edit, places[i].first, places[i].second + 1);
    if (i < 4) {
      auto* lamp = new QLabel(page);
      lamp->setFixedSize(24, 24);
      lampLabels_[i] = lamp;
      grid->addWidget(lamp, places[i].first, places[i].second + 2);
    }
  }
  // The field checks hold the lengths (a text too long shows a red lamp).
  edits_[2]->setReadOnly(true);
  edits_[5]->setReadOnly(true);
  for (int number : {1, 2, 4, 5}) connect(Edit(number), &QLineEdit::textChanged, this, &TFAcc1::EditChange);

  comboBox1_ = new QComboBox(page);
  comboBox1_->setObjectName(QStringLiteral("ComboBox1"));
  for (int c = 0; c < kContinents; ++c) comboBox1_->addItem(Text(WordId::Continents, c));
  comboBox2_ = new QComboBox(page);
  comboBox2_->setObjectName(QStringLiteral("ComboBox2"));
  comboBox3_ = new QComboBox(page);
  comboBox3_->setObjectName(QStringLiteral("ComboBox3"));
  comboBox3_->addItems({Text(WordId::Man), Text(WordId::Woman)});
  grid->addWidget(new QLabel(Text(WordId::Continent), page), 3, 0);
  grid->addWidget(comboBox1_, 3, 1);
  grid->addWidget(comboBox2_, 3, 4);
  grid->addWidget(new QLabel(Text(WordId::Sex), page), 5, 0);
  grid->addWidget(comboBox3_, 5, 1);
  connect(comboBox1_, &QComboBox::currentIndexChanged, this, &TFAcc1::ComboBox1Change);
  connect(comboBox2_, &QComboBox::currentIndexChanged, this, &TFAcc1::ComboBox2Change);

  checkBox1_ = new QCheckBox(Text(WordId::HidePassword), page);
  checkBox1_->setObjectName(QStringLiteral("CheckBox1"));
  checkBox1_->setChecked(true);
  connect(checkBox1_, &QCheckBox::toggled, this, [this](bool hide) {
    Edit(2)->setEchoMode(hide ? QLineEdit::Password : QLineEdit::Normal);
  });
  Edit(2)->setEchoMode(QLineEdit::Password);
  Edit(2)->setStyleSheet(QStringLiteral("lineedit-password-character: 35"));  // '#'

  checkBox2_ = new QCheckBox(Text(WordId::PlayGlobalRating), page);
  checkBox2_->setObjectName(QStringLiteral("CheckBox2"));
  connect(checkBox2_, &QCheckBox::clicked, this, &TFAcc1::CheckBox2Click);
  grid->addWidget(checkBox1_, 6, 0, 1, 2);
  grid->addWidget(checkBox2_, 6, 3, 1, 3);

  const std::array<WordId, 4> buttonWords{WordId::CreateAccount, WordId::LoginToAccount, WordId::RememberLogin,
                                          WordId::Delete};
  const std::array<void (TFAcc1::*)(), 4> handlers{&TFAcc1::Button1Click, &TFAcc1::Button2Click,
                                                   &TFAcc1::Button3Click, &TFAcc1::Button4Click};
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    auto* button = new TQorCardsButton(page);
    button->setObjectName(QStringLiteral("Button%1").arg(i + 1));
    button->setText(Text(buttonWords[i]));
    button->setMinimumWidth(150);
    connect(button, &QPushButton::clicked, this, handlers[i]);
    buttons_[i] = button;
    grid->addWidget(button, 7 + static_cast<int>(i) / 2, static_cast<int>(i % 2) * 3, 1, 2);
  }
  members_ = new QLabel(page);
  members_->setObjectName(QStringLiteral("LabelMembers"));
  grid->addWidget(members_, 9, 0, 1, 6);
  grid->setRowStretch(10, 1);
  pages_->addTab(page, Text(WordId::AccountPages, 0));
}

void TFAcc1::CreateResultsPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  results_ = NewTable(kResultRows, 2, page);
  results_->setObjectName(QStringLiteral("Results"));
  results_->horizontalHeader()->hide();
  results_->setColumnWidth(0, 220);
  for (int row = 0; row < kResultRows; ++row) SetCell(results_, row, 0, Text(WordId::MyResultsRows, row) + ':');
  layout->addWidget(results_);
  auto* refresh = new TQorCardsButton(page);
  refresh->setObjectName(QStringLiteral("ButtonRef2"));
  refresh->setText(Text(WordId::Refresh));
  connect(refresh, &QPushButton::clicked, this, &TFAcc1::ButtonRef2Click);
  layout->addWidget(refresh, 0, Qt::AlignHCenter);
  pages_->addTab(page, Text(WordId::AccountPages, 1));
}

void TFAcc1::CreateTopTenPage() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* title = new QLabel(Text(WordId::Top10BestRated), page);
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  layout->addWidget(title, 0, Qt::AlignHCenter);
  topTen_ = NewTable(10, 5, page);
  topTen_->setObjectName(QStringLiteral("TopTen"));
  topTen_->setHorizontalHeaderLabels(
      {QString(), Text(WordId::Nick), Text(WordId::City), Text(WordId::Sex), Text(WordId::MyResultsRows, 2)});
  topTen_->setColumnWidth(0, 40);
  topTen_->setColumnWidth(1, 140);
  topTen_->setColumnWidth(2, 140);
  topTen_->setColumnWidth(3, 80);
  layout->addWidget(topTen_);
  auto* refresh = new TQorCardsButton(page);
  refresh->setObjectName(QStringLiteral("ButtonRef3"));
  refresh->setText(Text(WordId::Refresh));
  connect(refresh, &QPushButton::clicked, this, &TFAcc1::ButtonRef3Click);
  layout->addWidget(refresh, 0, Qt::AlignHCenter);
  pages_->addTab(page, Text(WordId::AccountPages, 2));
}

void TFAcc1::FormCreate() {
  ReadTopTen();
  // Without the service the other reads would each wait for their own
  // time-out: their places show "No Connect" at once instead.
  const bool reachable = topRead_;
  if (session_.LoggedIn() && reachable) ReadAfterLogin();
  if (session_.LoggedIn() && !reachable) session_.RefreshGame();
  if (reachable) {
    ReadAccountCount();
    presidentRead_ = session_.Requests().ReadProfile(kPresidentNick, president_);
    presidentPhoto_ = presidentRead_ ? LoadAccountPhoto(session_, kPresidentNick) : QImage();
  } else {
    membersText_ = Text(WordId::ClubMembers) + Text(WordId::NoConnect);
    members_->setText(membersText_);
  }
  if (!session_.LoggedIn()) {
    // A new account starts in Russia, the first country of Europe.
    for (int number : {1, 2, 4, 5}) Edit(number)->clear();
    comboBox1_->setCurrentIndex(0);
    ComboBox1Change(0);
    comboBox2_->setCurrentIndex(1);
  }
  RefreshAccountPage();
  ShowResults();
  ShowOwnCard();
  ShowPresidentCard();
}

void TFAcc1::ReadAfterLogin() {
  session_.RefreshGame();
  TQorUser& user = session_.User();
  ownProfileRead_ = session_.Requests().ReadProfile(user.Nick, user.Info);
  ownPhoto_ = LoadAccountPhoto(session_, user.Nick);
}

void TFAcc1::ReadAccountCount() {
  std::int32_t count = 0;
  membersText_ = Text(WordId::ClubMembers) +
                 (session_.Requests().ReadAccountCount(count) ? QString::number(count) : Text(WordId::NoConnect));
  members_->setText(membersText_);
}

void TFAcc1::ReadTopTen() {
  topRead_ = session_.Requests().ReadRatingList(topRows_);
  for (int row = 0; row < 10; ++row) {
    const TQorTop10& entry = topRows_[static_cast<std::size_t>(row)];
    const bool shown = topRead_ && !entry.Nick.empty();
    const QColor colour = row < 3 ? QColor(200, 0, 0) : QColor(0, 0, 128);
    SetCell(topTen_, row, 0, QString::number(row + 1) + '.', colour);
    SetCell(topTen_, row, 1, shown ? Utf8(entry.Nick) : QString(), colour);
    SetCell(topTen_, row, 2, shown ? Utf8(entry.City) : QString(), colour);
    SetCell(topTen_, row, 3, shown ? Text(entry.Sex == 'W' ? WordId::Woman : WordId::Man) : QString(), colour);
    SetCell(topTen_, row, 4, shown ? Utf8(ShownRating(entry.Rating)) : QString(), colour);
  }
  if (!topRead_) SetCell(topTen_, 0, 1, Text(WordId::NoConnect), Qt::red);
}

void TFAcc1::ShowResults() {
  const bool logged = session_.LoggedIn();
  if (logged && !session_.GameRead()) {
    for (int row = 0; row < kResultRows; ++row) SetCell(results_, row, 1, Text(WordId::NoConnect), Qt::red);
    return;
  }
  const TQorGame& game = session_.Game();
  const std::array<QString, kResultRows> values{
      Text(WordId::Tarvel),
      Utf8(session_.User().Nick),
      Utf8(ShownRating(game.Rating)),
      game.Place < 0 ? QStringLiteral("-") : QString::number(game.Place),
      QString::number(game.Kon),
      QString::number(game.Best),
      QString::number(game.Sessions),
      QString::number(game.KonL),
      QString::number(game.Score)};
  for (int row = 0; row < kResultRows; ++row)
    SetCell(results_, row, 1, logged ? values[static_cast<std::size_t>(row)] : QString(), QColor(0, 0, 128));
}

void TFAcc1::ShowOwnCard() {
  ProfileCardData data;
  data.title = Text(WordId::AccountPages, 3);
  if (session_.LoggedIn()) {
    const TQorUser& user = session_.User();
    data.nick = Utf8(user.Nick);
    data.city = Utf8(user.City);
    data.country = Utf8(user.Country1);
    data.date = Utf8(user.DateR);
    data.sex = user.Sex;
    data.info = user.Info;
    data.photo = ownPhoto_;
  }
  profileButton_->setEnabled(session_.LoggedIn());
  ownCard_->SetData(data, Text(WordId::NoConnect));
}

void TFAcc1::ShowPresidentCard() {
  ProfileCardData data;
  data.title = Text(WordId::PresidentOfOrder) + QStringLiteral(" - ") + Text(WordId::Tarvel);
  data.nick = QString::fromLatin1(kPresidentNick);
  data.info = president_;
  data.photo = presidentPhoto_;
  data.connected = presidentRead_;
  presidentCard_->SetData(data, Text(WordId::NoConnect));
}

void TFAcc1::EditChange() {
  const std::array<std::pair<int, AccountField>, 4> checks{
      {{1, AccountField::Nick}, {4, AccountField::City}, {2, AccountField::Password}, {5, AccountField::EMail}}};
  for (std::size_t i = 0; i < checks.size(); ++i) {
    const FieldLamp lamp = CheckAccountField(Edit(checks[i].first)->text().toStdString(), checks[i].second);
    lamps_[static_cast<std::size_t>(checks[i].second) - 1] = lamp;
    lampLabels_[i]->setPixmap(QPixmap::fromImage(AccountPicture(LampName(lamp))));
  }
  const bool logged = session_.LoggedIn();
  const auto atLeast = [this](AccountField field, FieldLamp lamp) {
    return static_cast<int>(Lamp(field)) >= static_cast<int>(lamp);
  };
  buttons_[0]->setEnabled(!logged && atLeast(AccountField::Nick, FieldLamp::Yellow) &&
                          atLeast(AccountField::City, FieldLamp::Yellow) &&
                          Lamp(AccountField::Password) == FieldLamp::Green &&
                          Lamp(AccountField::EMail) == FieldLamp::Green);
  buttons_[1]->setEnabled(logged || (Lamp(AccountField::Nick) == FieldLamp::Green &&
                                     Lamp(AccountField::Password) == FieldLamp::Green));
}

void TFAcc1::ComboBox1Change(int index) {
  const auto list = CountryList(index + 1);
  const QSignalBlocker blocker(comboBox2_);
  comboBox2_->clear();
  if (list)
    for (int row = 0; row < WordRows(*list); ++row) comboBox2_->addItem(Text(*list, row));
  comboBox2_->setCurrentIndex(0);
  ComboBox2Change(0);
}

void TFAcc1::ComboBox2Change(int index) { Edit(3)->setText(comboBox2_->itemText(index)); }

void TFAcc1::RefreshAccountPage() {
  const bool logged = session_.LoggedIn();
  const TQorUser& user = session_.User();
  if (logged) {
    const QSignalBlocker blockers[] = {QSignalBlocker(Edit(1)), QSignalBlocker(Edit(2)), QSignalBlocker(Edit(4)),
                                       QSignalBlocker(Edit(5))};
    Edit(1)->setText(Utf8(user.Nick));
    Edit(2)->setText(Utf8(user.Pw));
    Edit(4)->setText(Utf8(user.City));
    Edit(5)->setText(Utf8(user.EMail));
    if (const auto country = SplitCountry(user.Country2)) {
      comboBox1_->setCurrentIndex(country->first - 1);
      comboBox2_->setCurrentIndex(country->second);
    }
    Edit(3)->setText(Utf8(user.Country1));
    comboBox3_->setCurrentIndex(user.Sex == 'M' ? 0 : 1);
  }
  Edit(6)->setText(logged ? Utf8(user.DateR) : QString::fromLatin1(kNoDate.data(), kNoDate.size()));
  for (QWidget* field : {static_cast<QWidget*>(Edit(1)), static_cast<QWidget*>(Edit(2)),
                         static_cast<QWidget*>(Edit(4)), static_cast<QWidget*>(Edit(5)),
                         static_cast<QWidget*>(comboBox1_), static_cast<QWidget*>(comboBox2_),
                         static_cast<QWidget*>(comboBox3_)})
    field->setEnabled(!logged);
  checkBox2_->setEnabled(logged);
  checkBox2_->setChecked(session_.State() == AccountState::RatingGame);
  buttons_[1]->setText(Text(logged ? WordId::SignOut : WordId::LoginToAccount));
  const bool stored = session_.UserFileStored();
  buttons_[2]->setEnabled(!stored && logged);
  buttons_[3]->setEnabled(stored);
  EditChange();
}

void TFAcc1::Button1Click() {
  TQorUser user;
  user.Nick = Edit(1)->text().toStdString();
  user.Pw = Edit(2)->text().toStdString();
  user.Country1 = Edit(3)->text().toStdString();
  user.City = Edit(4)->text().toStdString();
  user.EMail = Edit(5)->text().toStdString();
  user.Country2 = QStringLiteral("%1-%2")
                      .arg(comboBox1_->currentIndex() + 1)
                      .arg(std::max(0, comboBox2_->currentIndex()), 3, 10, QLatin1Char('0'))
                      .toStdString();
  user.Sex = comboBox3_->currentIndex() == 1 ? 'W' : 'M';
  const std::string today = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
  const int outcome = session_.Register(user, today, checkBox2_->isChecked());
  static constexpr WordId kMessages[] = {WordId::AccountCreated, WordId::NickTaken, WordId::CouldNotCreateAccount};
  records_.Inform(Text(kMessages[outcome]));
  if (outcome == 0) {
    ReadAfterLogin();
    ReadAccountCount();
  }
  RefreshAccountPage();
  ShowResults();
  ShowOwnCard();
  host_.AccountChanged();
}

void TFAcc1::Button2Click() {
  if (session_.LoggedIn()) {
    session_.SignOut();
  } else if (session_.Login(Edit(1)->text().toStdString(), Edit(2)->text().toStdString())) {
    ReadAfterLogin();
    ReadAccountCount();
  } else {
    records_.Inform(Text(WordId::LoginFailed));
  }
  RefreshAccountPage();
  ShowResults();
  ShowOwnCard();
  host_.AccountChanged();
}

void TFAcc1::Button3Click() {
  if (!session_.SaveUserFile()) records_.Inform(Text(WordId::DiskWriteError));
  RefreshAccountPage();
}

void TFAcc1::Button4Click() {
  if (!session_.DeleteUserFile()) records_.Inform(Text(WordId::DiskWriteError));
  RefreshAccountPage();
}

void TFAcc1::CheckBox2Click() {
  session_.SetRatingPlay(checkBox2_->isChecked());
  host_.AccountChanged();
}

void TFAcc1::ButtonRef2Click() {
  if (session_.LoggedIn()) session_.RefreshGame();
  ShowResults();
}

void TFAcc1::ButtonRef3Click() { ReadTopTen(); }

void TFAcc1::ButtonAva1Click() {
  if (session_.LoggedIn()) ownPhoto_ = LoadAccountPhoto(session_, session_.User().Nick);
  presidentPhoto_ = LoadAccountPhoto(session_, kPresidentNick);
  ShowOwnCard();
  ShowPresidentCard();
}

void TFAcc1::ButtonProfileClick() {
  if (!session_.LoggedIn()) return;
  TFAcc2 editor(session_, records_, host_.AccountSettings(), ownPhoto_, this);
  records_.RunModal(editor);
  ownPhoto_ = editor.Photo();
  ShowOwnCard();
}

}  // namespace tarvel
