// The main window's part of the online tournament: the lobby opened from the
// main menu, the table connection's view (move clocks, chat, the messages of
// an early end), the engine's tournament calls, and the end of a tournament
// game ("Exit to menu": the own standing read again, the history entry, the
// lobby again).
#include <QTimer>

#include "online/tour_requests.h"
#include "online/tournament/tform_tour.h"
#include "table/fonts.h"
#include "widgets/balloon_hint.h"
#include "table/window/tform1.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

// Reading another place's nick waits for a running request this often.
constexpr int kNickAttempts = 50;
constexpr int kNickRetryMs = 100;

}  // namespace

void TForm1::CreateTournament() {
  tourLink_ = std::make_unique<tour::TourConnection>(state_, *this, driver_, random_, tour_, *this);
  moveClock_.setInterval(1000);
  connect(&moveClock_, &QTimer::timeout, this, [this] { tourLink_->Session().Tick(); });
  menu_->SetServiceHandler(MenuService::Tournament, [this] { OpenTournament(); });
}

void TForm1::OpenTournament() {
  if (lobby_ != nullptr) {
    lobby_->raise();
    return;
  }
  PlaySound("WOpenFo", false);
  if (!account_->Session().LoggedIn()) {
    Inform(Text(WordId::LogInToAccount));
    return;
  }
  TourLobbyContext context{*this, online_->Requests(), tour_, *tourLink_};
  context.refreshMs = tourRefreshMs_;
  lobby_ = new TFormTour(context, this);
  lobby_->setAttribute(Qt::WA_DeleteOnClose);
  // Modal for the user without a nested event loop: the table connection
  // and the timers go on while the lobby waits for the third player.
  lobby_->open();
  if (autoTable_ != 0) lobby_->AutoTake(autoTable_, autoPlace_);
}

void TForm1::AutoTournament(int table, int place, int refreshMs) {
  autoTable_ = table;
  autoPlace_ = place;
  tourRefreshMs_ = refreshMs;
  OpenTournament();
}

TFormTour* TForm1::TourLobby() const { return lobby_; }

SeatResults TForm1::ResultsInOrder() const {
  SeatResults bySeat = SumUpGame(state_);
  for (int& result : bySeat) result *= 100;
  if (!state_.TourGame) return bySeat;
  SeatResults byPlace{};
  for (int seat = 1; seat <= 3; ++seat)
    byPlace[static_cast<std::size_t>(lan::PlaceOfSeat(seat, state_.TourSeat))] = bySeat[static_cast<std::size_t>(seat)];
  return byPlace;
}

// ---------------------------------------------------------------------------
// TourLobbyHost

TourAccount TForm1::TourPlayer() const {
  const TQorUser& user = account_->Session().User();
  return TourAccount{user.Nick, user.Country2, user.City, user.Sex == 'W' ? 'W' : 'M'};
}

QFont TForm1::TourSerifFont(int size, bool bold) const {
  return RoleFont(settings_, FontRole::Serif, FontHeight(settings_, size, FontRole::Serif), bold);
}

void TForm1::PlayTourSound(const char* name) { PlaySound(name, false); }

void TForm1::InformTour(const QString& text) { Inform(text); }

bool TForm1::OpenWorldTopTenAtTournament() {
  if (!settings_.DialogDesignPurple) return false;
  // View 5: "WINDOWS. ONLINE TOURNAMENT".
  worldTop_->OpenReadWindow(5);
  return true;
}

// ---------------------------------------------------------------------------
// tour::TourFront

void TForm1::ShowTableChat(int colour, const std::string& utf8Text) {
  ShowChatLine(colour, QString::fromStdString(utf8Text));
}

void TForm1::ClearTableChat() {
  ClearChatBox();
  lan_->Chat().Clear();
}

void TForm1::EnableTableChat(bool enabled) { lan_->Chat().SetEnabled(enabled); }

void TForm1::TableGameStarts() {
  if (!tourChatWired_) {
    tourChatWired_ = true;
    // The table's chat entry is the network game's; at a tournament table
    // its lines go to the table server.
    connect(&lan_->Chat(), &lan::ChatEntry::LineEntered, this, [this](const QString& line) {
      if (state_.TourGame) tourLink_->Session().SendChat(line.toStdString());
    });
  }
  if (lobby_ != nullptr) lobby_->CloseLobby();
  BalloonHint::CloseCurrent();
  SyncStateWithSettings();
  timer1_.stop();
  member_ = NewMember(ToRecordBytes(QString::fromStdString(tour_.TourClient.Nick)), "");
  moveClock_.start();
}

std::string TForm1::NickOfPlace(int place) {
  if (place == state_.TourSeat) return tour_.TourClient.Nick;
  // The deal may arrive while the lobby's refresh waits for its reply, when
  // no other request may run: the nick is read one event later.
  QTimer::singleShot(0, this, [this, place] { ReadTourNick(place, kNickAttempts); });
  return Text(WordId::Player).toStdString() + ' ' + std::to_string(place);
}

void TForm1::ReadTourNick(int place, int attempts) {
  if (!state_.TourGame) return;
  if (online_->Requests().Busy()) {
    if (attempts > 0) QTimer::singleShot(kNickRetryMs, this, [this, place, attempts] { ReadTourNick(place, attempts - 1); });
    return;
  }
  TQorClient client;
  if (!ReadTourClient(online_->Requests(), tour_.TourTable, place, client) || PlaceFree(client)) return;
  const int seat = lan::SeatOfPlace(place, state_.TourSeat);
  if (seat == 0 || !state_.TourGame) return;
  state_.SeatNames[static_cast<std::size_t>(seat)] = client.Nick;
  ShowBubbleName(seat);
}

void TForm1::DrawMoveClock(int seat, int seconds) { view_.DrawMoveTimer(seat, seconds); }

void TForm1::ShowTableEnd(tour::TableEnd end, int seat) {
  const QString name =
      seat >= 1 && seat <= 3 ? QString::fromStdString(state_.SeatNames[static_cast<std::size_t>(seat)]) : QString();
  QString text;
  switch (end) {
    case tour::TableEnd::OpponentLeft:
    case tour::TableEnd::OpponentTimeOut:
      text = Text(WordId::Player);
      text += QLatin1Char(' ');
      text += name;
      text += QLatin1Char(' ');
      text += Text(end == tour::TableEnd::OpponentLeft ? WordId::InterruptedTheGame : WordId::TimeIsUp);
      text += QLatin1Char('\n');
      text += Text(WordId::YouWon);
      break;
    case tour::TableEnd::OwnTimeOut:
      text = Text(WordId::YourTimeIsUp);
      text += QLatin1Char('\n');
      text += Text(WordId::YouLose);
      break;
    case tour::TableEnd::LostConnection: text = Text(WordId::LostConnection); break;
  }
  Inform(text);
}

// ---------------------------------------------------------------------------
// TableEvents: the network calls of both kinds of table

void TForm1::SendMove(int, int slot) {
  if (state_.TourGame) {
    tourLink_->Session().SendMove(slot);
  } else {
    lan_->SendMove(slot);
  }
}

void TForm1::SendTrickCollected() {
  if (state_.TourGame) {
    tourLink_->Session().SendTrickCollected();
  } else {
    lan_->SendTrickCollected();
  }
}

void TForm1::RequestNextDeal() { tourLink_->Session().RequestNextDeal(); }

void TForm1::SendGameResults(const SeatResults& results) { tourLink_->Session().SendGameResults(results); }

void TForm1::PassMoveClock(int seat) { tourLink_->Session().PassMoveClock(seat); }

void TForm1::RestartMoveClock() { tourLink_->Session().RestartMoveClock(); }

void TForm1::StopTableClocks() { tourLink_->Session().StopTableClocks(); }

void TForm1::LeaveTournamentTable(bool showStatistics) {
  moveClock_.stop();
  // Leaving a running game gives the place up: the others win.
  if (tour_.TourLink == kTourLinkOver) {
    tourLink_->Close();
  } else {
    tourLink_->Leave();
  }
  state_.TourGame = false;
  autoTable_ = 0;
  // The lobby again once the main menu is back.
  if (showStatistics) QTimer::singleShot(0, this, [this] { OpenTournament(); });
}

void TForm1::StoreTournamentGame() {
  // The table server stored the game; the service tells what it gave.
  TQorClient standing = tour_.TourClient;
  const bool read = ReadTourStanding(online_->Requests(), standing);
  const std::int32_t gained = read ? standing.Score - tour_.TourClient.Score : 0;
  FinishTournamentGame(*this, settings_.Language, DataPath(), state_, member_, gained, standing.Rating);
  if (read) tour_.TourClient = standing;
}

}  // namespace tarvel
