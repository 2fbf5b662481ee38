#include "online/accounts/account_controller.h"

#include <QEventLoop>
#include <QLabel>
#include <QTimer>

#include <cmath>

#include "online/accounts/account_pictures.h"
#include "online/accounts/tfacc1.h"
#include "settings/settings_file.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

QString Padded(const QString& text, int width) { return text.leftJustified(width, QLatin1Char(' '), true); }
QString Right(long long value, int width) { return QString::number(value).rightJustified(width, QLatin1Char(' ')); }

}  // namespace

AccountController::AccountController(AccountHost& host, RecordsHost& records, ServiceRequests& requests,
                                     std::filesystem::path userFile)
    : host_(host),
      records_(records),
      requests_(requests),
      accountRequests_(requests),
      session_(accountRequests_, std::move(userFile)) {}

QString AccountController::Text(WordId id, int row) const {
  return WordText(id, host_.AccountSettings().Language, row);
}

void AccountController::AutoLogin() {
  if (session_.AutoLogin()) host_.AccountChanged();
}

void AccountController::OpenAccountWindow() {
  const AccountState before = session_.State();
  const std::string nick = session_.User().Nick;
  {
    TFAcc1 window(session_, records_, host_, records_.HostWindow());
    records_.RunModal(window);
  }
  if (session_.State() == AccountState::RatingGame) {
    StartGameIfChosen();
    return;
  }
  if (session_.State() != before || session_.User().Nick != nick) host_.AccountChanged();
}

void AccountController::PlayFromMemberRow() {
  if (!session_.LoggedIn()) return;
  session_.SetRatingPlay(true);
  StartGameIfChosen();
}

void AccountController::StartGameIfChosen() {
  if (session_.StartAccountGame(*this)) {
    host_.AccountChanged();
    host_.StartAccountTableGame();
    return;
  }
  records_.Inform(Text(WordId::CouldNotConnect));
  host_.AccountChanged();
}

QString AccountController::MemberRowText(int mode) const {
  const TQorGame& game = session_.Game();
  const QString nick = Padded(QString::fromStdString(session_.User().Nick), 20);
  const QString rating = Right(std::llround(game.Rating), 6);
  if (mode == 2) return nick + QStringLiteral("  ") + Right(game.Kon, 7) + QStringLiteral("  ") + rating;
  return nick + QStringLiteral("    ") + Right(game.KonL, 3) + QStringLiteral("    ") + rating;
}

PlayerRecord AccountController::PlayerRecordForGame() const {
  const TQorGame& game = session_.Game();
  PlayerRecord record;
  record.kon = game.Kon + 1;
  record.score = game.Score;
  record.rating = game.Rating;
  record.name = session_.User().Nick;
  return record;
}

AccountGameEnd AccountController::FinishGame(const FinishedGame& game) {
  const AccountFinish finish = session_.FinishAccountGame(static_cast<std::int32_t>(game.gameResult),
                                                         static_cast<std::int32_t>(game.newScore), *this);
  host_.AccountChanged();
  return {session_.Game().Rating, finish.cycleCompleted};
}

std::optional<int> AccountController::EnterAccountTopTen(std::int64_t cycleScore) {
  const TQorUser& user = session_.User();
  TopTenEntry entry;
  entry.list = kAccountList;
  entry.nick = user.Nick;
  entry.city = user.City;
  entry.country = user.Country2;
  entry.score = static_cast<std::int32_t>(cycleScore);
  entry.r7 = std::string(1, user.Sex);
  const QString question = Text(WordId::CantWriteResult) + QLatin1Char(' ') + Text(WordId::Repeat);
  for (;;) {
    std::int32_t place = -1;
    if (requests_.WriteTopTen(entry, place)) return place < 0 ? 0 : place;
    if (!host_.AskAccount(question)) return std::nullopt;
  }
}

bool AccountController::ReadRatingRows(std::vector<TQorTop10>& rows) {
  rows.clear();
  AccountTopTen list;
  if (!accountRequests_.ReadRatingList(list)) return false;
  for (const TQorTop10& row : list)
    if (!row.Nick.empty()) rows.push_back(row);
  return true;
}

bool AccountController::Passport(std::string& nick, std::string& city) const {
  if (!session_.LoggedIn()) return false;
  nick = session_.User().Nick;
  city = session_.User().City;
  return true;
}

void AccountController::AttachIcon(QWidget* picture) {
  if (picture == nullptr) return;
  lamp_ = new QLabel(picture);
  lamp_->setObjectName(QStringLiteral("ImAcLamp"));
  lamp_->setAttribute(Qt::WA_TransparentForMouseEvents);
  RefreshIcon();
}

QString AccountController::IconHint() const {
  switch (session_.State()) {
    case AccountState::LoggedOut: return Text(WordId::NotLoggedIn);
    case AccountState::LoggedIn: return Text(WordId::LoggedIn);
    case AccountState::RatingGame: return Text(WordId::RatingGameOn);
  }
  return {};
}

void AccountController::RefreshIcon() {
  if (!lamp_) return;
  QWidget* picture = lamp_->parentWidget();
  // As over the 48-pixel account figure: half-way across, at the bottom.
  const int size = std::max(12, picture->width() / 4);
  lamp_->setPixmap(QPixmap::fromImage(AccountPicture(LampName(session_.State())))
                       .scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  lamp_->setGeometry(picture->width() / 2, picture->height() - size, size, size);
  lamp_->show();
  picture->setToolTip(IconHint());
}

void AccountController::PlayAccountSound(std::string_view name) { records_.PlayRecordsSound(name); }

void AccountController::PauseBeforeRetry(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(static_cast<int>(milliseconds * pauseScale_), &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

bool AccountController::AskRepeatAccountWrite() {
  return host_.AskAccount(Text(WordId::CouldNotConnect) + QLatin1Char(' ') + Text(WordId::Repeat));
}

}  // namespace tarvel
