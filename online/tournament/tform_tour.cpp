#include "online/tournament/tform_tour.h"

#include <QPainter>
#include <QPixmap>

#include "online/tournament/tform_tour_top_ten.h"
#include "online/worldtop/top_rows.h"
#include "online/worldtop/worldtop_paint.h"
#include "settings/passport_name.h"
#include "widgets/dialog_design.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

constexpr int kWidth = 840;
constexpr int kHeight = 530;
constexpr int kPanelTop = 60;
constexpr int kLeftWidth = 228;
constexpr int kTablesLeft = 250;
constexpr int kTablePitch = 40;
constexpr int kPlaceLeft = kTablesLeft + 82;
constexpr int kPlaceWidth = 156;
constexpr int kPlacePitch = 164;
constexpr int kStandingTop = 140;
constexpr int kStandingPitch = 28;
constexpr int kButtonsTop = 482;

const std::array<WordId, 6> kStandingWords = {WordId::Nick, WordId::YourScore, WordId::YourPlace,
                                              WordId::Rating, WordId::StandingGames, WordId::City};

QString Decimal(std::int32_t value) { return QString::number(value); }

}  // namespace

TFormTour::TFormTour(TourLobbyContext context, QWidget* parent)
    : QDialog(parent), context_(context), language_(context.host.TourSettings().Language) {
  setObjectName(QStringLiteral("FormTour"));
  setWindowTitle(Word(WordId::WorldOnlineTournament));
  setFixedSize(kWidth, kHeight);

  welcome_ = new QLabel(this);
  welcome_->setObjectName(QStringLiteral("LabelWelcome"));
  welcome_->setGeometry(16, 6, kWidth - 32, 50);
  welcome_->setAlignment(Qt::AlignCenter);
  welcome_->setTextFormat(Qt::PlainText);

  serverPicture_ = new QLabel(this);
  serverPicture_->setObjectName(QStringLiteral("ImageServer"));
  serverPicture_->setGeometry(12 + (kLeftWidth - 48) / 2, kPanelTop + 12, 48, 48);

  for (std::size_t row = 0; row < kStandingWords.size(); ++row) {
    const int top = kStandingTop + static_cast<int>(row) * kStandingPitch;
    auto* name = new QLabel(Word(kStandingWords[row]) + QLatin1Char(':'), this);
    name->setGeometry(22, top, 104, 24);
    auto* value = new QLabel(this);
    value->setObjectName(QStringLiteral("LabelStanding%1").arg(row + 1));
    value->setGeometry(128, top, 106, 24);
    value->setTextFormat(Qt::PlainText);
    QFont bold = value->font();
    bold.setBold(true);
    value->setFont(bold);
    standingValues_[row] = value;
  }

  for (int table = 1; table <= kTourTables; ++table) {
    const int top = kPanelTop + 8 + (table - 1) * kTablePitch;
    auto* label = new QLabel(Word(WordId::Table) + QLatin1Char(' ') + QString::number(table), this);
    label->setGeometry(kTablesLeft + 8, top, 74, 30);
    for (int place = 1; place <= kTourPlaces; ++place) {
      auto* button = new TQorCardsButton(this);
      button->setObjectName(QStringLiteral("ButtonPlace%1_%2").arg(table).arg(place));
      button->setGeometry(kPlaceLeft + (place - 1) * kPlacePitch, top, kPlaceWidth, 30);
      connect(button, &QPushButton::clicked, this, [this, table, place] { PressPlace(table, place); });
      places_[static_cast<std::size_t>(table - 1)][static_cast<std::size_t>(place - 1)] = button;
    }
  }

  refresh_ = new TQorCardsButton(Word(WordId::Refresh), this);
  refresh_->setObjectName(QStringLiteral("ButtonRefresh"));
  refresh_->setGeometry(kTablesLeft, kButtonsTop, 140, 30);
  connect(refresh_, &QPushButton::clicked, this, &TFormTour::RefreshLobby);
  topTen_ = new TQorCardsButton(Word(WordId::Top10), this);
  topTen_->setObjectName(QStringLiteral("ButtonTop10"));
  topTen_->setGeometry(kTablesLeft + 160, kButtonsTop, 140, 30);
  connect(topTen_, &QPushButton::clicked, this, &TFormTour::OpenTopTen);
  close_ = new TQorCardsButton(Word(WordId::Close), this);
  close_->setObjectName(QStringLiteral("ButtonClose"));
  close_->setGeometry(kWidth - 156, kButtonsTop, 140, 30);
  connect(close_, &QPushButton::clicked, this, &TFormTour::reject);

  ApplyDialogDesign(this, context_.host.TourSettings());

  // Opening: no place held yet, the own player as the account and the
  // tournament know it.
  TourState& state = context_.state;
  state.OwnTable = state.OwnPlace = 0;
  state.TourLink = kTourLinkNone;
  state.NoGameSeen = false;
  const TourAccount account = context_.host.TourPlayer();
  TQorClient& own = state.TourClient;
  own = TQorClient{};
  own.Nick = account.nick;
  own.Country = account.country;
  own.City = account.city;
  own.Sex = account.sex;
  std::string address;
  if (context_.requests.ReadExternalAddress(address)) own.IP = ExternalAddressOf(address);
  RefreshLobby();

  connect(&refreshTimer_, &QTimer::timeout, this, &TFormTour::RefreshTick);
  connect(&errorTimer_, &QTimer::timeout, this, &TFormTour::ErrorTick);
  refreshTimer_.start(context_.refreshMs);
  errorTimer_.start(context_.errorMs);
}

QString TFormTour::Word(WordId id) const { return WordText(id, language_); }

LobbyHold TFormTour::Hold() const { return {context_.state.OwnTable, context_.state.OwnPlace}; }

void TFormTour::SetHold(LobbyHold hold) {
  context_.state.OwnTable = hold.table;
  context_.state.OwnPlace = hold.place;
}

TQorCardsButton* TFormTour::PlaceButton(int table, int place) const {
  if (table < 1 || table > kTourTables || place < 1 || place > kTourPlaces) return nullptr;
  return places_[static_cast<std::size_t>(table - 1)][static_cast<std::size_t>(place - 1)];
}

QStringList TFormTour::StandingTexts() const {
  QStringList rows;
  for (std::size_t row = 0; row < kStandingWords.size(); ++row)
    rows << Word(kStandingWords[row]) + QStringLiteral(": ") + standingValues_[row]->text();
  return rows;
}

void TFormTour::ReadStanding() {
  TQorClient& own = context_.state.TourClient;
  ReadTourStanding(context_.requests, own);
  std::int32_t place = -1;
  const bool placeRead = ReadTourOwnPlace(context_.requests, 's', own, place);
  const std::array<QString, 6> values = {
      ShownPassportName(own.Nick, kNickLimit),
      Decimal(own.Score),
      placeRead ? (place > 0 ? Decimal(place) : QStringLiteral("-")) : Word(WordId::NoConnect),
      Decimal(own.Rating),
      Decimal(own.Kon),
      ShownPassportName(own.City, kCityLimit)};
  for (std::size_t row = 0; row < values.size(); ++row) standingValues_[row]->setText(values[row]);
}

void TFormTour::RefreshLobby() {
  if (busy_) return;
  busy_ = true;
  ReadStanding();
  const bool tablesRead = ReadTourTables(context_.requests, tables_);
  TourServerInfo info;
  const bool infoRead = ReadTourServerInfo(context_.requests, info);
  const QString text = infoRead ? FromUtf8(info.text) : Word(WordId::NoConnect);
  welcome_->setFont(context_.host.TourSerifFont(WelcomeFontSize(static_cast<std::size_t>(text.size())), true));
  welcome_->setText(text);
  context_.state.ServerOn = info.state;
  context_.state.TourServerIP = tables_[0].IP;
  context_.state.TourBasePort = tables_[0].Port - 1;
  ShowTables(tablesRead && infoRead);
  busy_ = false;
  TryAutoTake();
}

void TFormTour::ShowTables(bool ok) {
  serverOn_ = ok && context_.state.ServerOn == 'Y';
  TourState& state = context_.state;
  if (!serverOn_ && Hold().Holds()) {
    // The server went off (or cannot be read): the place is of no use.
    Release(state.OwnTable, state.OwnPlace, state.OwnPlace);
    context_.link.Close();
    state.TourLink = kTourLinkNone;
    SetHold({});
  }
  if (serverOn_) {
    const LobbyHold before = Hold();
    const LobbyHold after = HoldAfterTables(tables_, before);
    if (after.table != before.table) {
      // The holder of place 1 gave it up (or the table was cleared): the
      // table connection has nobody to wait for.
      context_.link.Close();
      state.TourLink = kTourLinkNone;
      SetHold(after);
    }
  }
  const LobbyHold hold = Hold();
  for (int table = 1; table <= kTourTables; ++table) {
    const TQorTable_3& record = tables_[static_cast<std::size_t>(table - 1)];
    const TablePlaceButtons buttons = TableButtons(record, table, hold, serverOn_);
    for (int place = 1; place <= kTourPlaces; ++place) {
      const PlaceRule& rule = buttons[static_cast<std::size_t>(place - 1)];
      TQorCardsButton* button = PlaceButton(table, place);
      QString caption;
      switch (rule.caption) {
        case PlaceCaption::TakeThePlace: caption = Word(WordId::TakeThePlace); break;
        case PlaceCaption::LogOff: caption = Word(WordId::LogOff); break;
        case PlaceCaption::Free: caption = Word(WordId::Free); break;
        case PlaceCaption::ServerOff: caption = Word(WordId::ServerOff); break;
        case PlaceCaption::Occupant: {
          const TQorClient& occupant = PlaceFree(record.Place(place)) ? state.TourClient : record.Place(place);
          caption = ShownPassportName(occupant.Nick, kNickLimit) + QStringLiteral(" : ") + Decimal(occupant.Score);
          break;
        }
      }
      button->setText(caption);
      button->setEnabled(rule.enabled);
    }
  }
  serverPicture_->setPixmap(QPixmap(serverOn_ ? QStringLiteral(":/tarvel/GTourOn.png")
                                              : QStringLiteral(":/tarvel/GTourOff.png")));
  serverPicture_->setToolTip(Word(serverOn_ ? WordId::ServerOn : WordId::ServerOff));
  const bool free = LobbyButtonsEnabled(hold, serverOn_);
  for (TQorCardsButton* button : {refresh_, close_, topTen_}) button->setEnabled(free);
}

void TFormTour::Release(int table, int firstPlace, int lastPlace) {
  for (int place = firstPlace; place <= lastPlace; ++place)
    WriteTourPlace(context_.requests, table, place, PlaceAction::Clear, EmptyPlaceRecord());
}

void TFormTour::PressPlace(int table, int place) {
  const TQorCardsButton* button = PlaceButton(table, place);
  if (busy_ || button == nullptr || !button->isEnabled()) return;
  switch (PressOf(table, place, Hold())) {
    case PlacePress::GiveUp: GiveUpPlace(table, place); break;
    case PlacePress::Take: TakePlace(table, place); break;
    case PlacePress::Nothing: break;
  }
}

void TFormTour::GiveUpPlace(int table, int place) {
  busy_ = true;
  const PlaceReply reply =
      WriteTourPlace(context_.requests, table, place, PlaceAction::GiveUp, EmptyPlaceRecord());
  // Place 2 cannot play without place 1: it goes with it.
  if (reply == PlaceReply::Done && place == 1) Release(table, 2, 2);
  busy_ = false;
  if (reply != PlaceReply::Done) {
    context_.host.PlayTourSound("WWrongs");
    return;
  }
  SetHold({});
  context_.link.Leave();
  context_.state.TourLink = kTourLinkNone;
  RefreshLobby();
}

void TFormTour::TakePlace(int table, int place) {
  busy_ = true;
  TourState& state = context_.state;
  for (int earlier = 1; earlier < place; ++earlier) {
    TQorClient occupant;
    if (ReadTourClient(context_.requests, table, earlier, occupant) &&
        SameAddressRefused(occupant.IP, state.TourClient.IP, state.TourServerIP)) {
      context_.host.InformTour(Word(WordId::SameIpAtTable));
      busy_ = false;
      return;
    }
  }
  const PlaceReply reply = WriteTourPlace(context_.requests, table, place, PlaceAction::Take, state.TourClient);
  busy_ = false;
  if (reply != PlaceReply::Done) {
    context_.host.PlayTourSound("WWrongs");
    return;
  }
  SetHold({table, place});
  state.TourLink = kTourLinkConnecting;
  state.TourTable = table;
  context_.link.Open(state.TourServerIP, state.TourBasePort + table, table, place);
  RefreshLobby();
}

void TFormTour::RefreshTick() {
  if (busy_ || context_.requests.Busy()) return;
  RefreshLobby();
}

void TFormTour::ErrorTick() {
  TourState& state = context_.state;
  if (!state.NoGameSeen || busy_ || context_.requests.Busy()) return;
  state.NoGameSeen = false;
  busy_ = true;
  context_.host.InformTour(Word(WordId::ServerConnectionError));
  const PlaceRange released = PlacesReleasedOnError(state.OwnPlace);
  if (Hold().Holds()) Release(state.OwnTable, released.first, released.last);
  state.TourLink = kTourLinkNone;
  SetHold({});
  busy_ = false;
  RefreshLobby();
}

void TFormTour::AutoTake(int table, int place) {
  autoTable_ = table;
  autoPlace_ = place;
  TryAutoTake();
}

void TFormTour::TryAutoTake() {
  if (autoTable_ == 0 || Hold().Holds() || busy_) return;
  TQorCardsButton* button = PlaceButton(autoTable_, autoPlace_);
  if (button != nullptr && button->isEnabled() && button->text() == Word(WordId::TakeThePlace))
    PressPlace(autoTable_, autoPlace_);
}

void TFormTour::OpenTopTen() {
  if (context_.host.OpenWorldTopTenAtTournament()) return;
  auto* window = new TFormTourTopTen(context_.requests, context_.host.TourSettings(), context_.state.TourClient, this);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->open();
}

void TFormTour::CloseLobby() {
  refreshTimer_.stop();
  errorTimer_.stop();
  autoTable_ = 0;
  done(QDialog::Accepted);
}

void TFormTour::reject() {
  if (context_.state.OwnTable != 0) return;
  refreshTimer_.stop();
  errorTimer_.stop();
  QDialog::reject();
}

void TFormTour::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintListPanel(painter, QRect(12, kPanelTop, kLeftWidth, kTourTables * kTablePitch + 8));
  PaintListPanel(painter, QRect(kTablesLeft - 6, kPanelTop, kWidth - kTablesLeft - 6, kTourTables * kTablePitch + 8));
}

}  // namespace tarvel
