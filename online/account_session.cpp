#include "account_session.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "atomic_file.h"
#include "cipher.h"

namespace tarvel {
namespace {

constexpr int kAdvanceTries = 3;
constexpr int kRetryPauseMs[kAdvanceTries - 1] = {2000, 3000};

}  // namespace

AccountSession::AccountSession(AccountRequests& requests, std::filesystem::path userFile)
    : requests_(requests), userFile_(std::move(userFile)) {}

void AccountSession::SetRatingPlay(bool on) {
  if (!LoggedIn()) return;
  state_ = on ? AccountState::RatingGame : AccountState::LoggedIn;
}

std::optional<StoredLogin> AccountSession::LoadUserFile() const {
  std::ifstream file(userFile_, std::ios::binary);
  if (!file) return std::nullopt;
  std::string text;
  // The file holds three short lines; anything longer is not ours.
  constexpr std::size_t kMaxSize = 4096;
  text.resize(kMaxSize);
  file.read(text.data(), static_cast<std::streamsize>(kMaxSize));
  text.resize(static_cast<std::size_t>(file.gcount()));
  return ParseUserFile(text);
}

bool AccountSession::SaveUserFile() const {
  if (!LoggedIn() || user_.PwC.empty()) return false;
  return ReplaceFileContents(userFile_, UserFileText({user_.Nick, user_.PwC}));
}

bool AccountSession::DeleteUserFile() const {
  std::error_code error;
  std::filesystem::remove(userFile_, error);
  return !error;
}

void AccountSession::TakeLogin(const TQorUser& user) {
  user_ = user;
  user_.PwC = Encipher(user_.Pw);
  state_ = AccountState::LoggedIn;
  RefreshGame();
}

bool AccountSession::RefreshGame() {
  gameRead_ = requests_.ReadGame(user_, game_);
  if (gameRead_) requests_.ReadPlace(game_.Rating, game_.Place);
  return gameRead_;
}

bool AccountSession::AutoLogin() {
  const std::optional<StoredLogin> stored = LoadUserFile();
  if (!stored) return false;
  const std::optional<std::string> password = StoredPassword(stored->PwC);
  if (!password) return false;
  return Login(stored->nick, *password);
}

bool AccountSession::Login(const std::string& nick, const std::string& password) {
  TQorUser user;
  user.Nick = nick;
  user.Pw = password;
  if (!requests_.Login(user)) return false;
  user.Info = user_.Nick == nick ? user_.Info : TInfo14{};
  TakeLogin(user);
  return true;
}

int AccountSession::Register(TQorUser user, const std::string& today, bool ratingPlay) {
  user.DateR = today;
  user.R01 = user.R02 = user.R03 = "xxx";
  user.R04 = user.R05 = user.R06 = 0;
  const int outcome = requests_.Register(user);
  if (outcome != 0) {
    state_ = AccountState::LoggedOut;
    user_.DateR = std::string(kNoDate);
    return outcome;
  }
  // The login record is the service's word on what was stored.
  TQorUser stored = user;
  if (!requests_.Login(stored)) stored = user;
  TakeLogin(stored);
  SetRatingPlay(ratingPlay);
  return 0;
}

void AccountSession::SignOut() {
  state_ = AccountState::LoggedOut;
  user_.R04 = user_.R05 = user_.R06 = 0;
  gameRead_ = false;
}

bool AccountSession::StartAccountGame(AccountEvents& events) {
  for (int attempt = 0; attempt < kAdvanceTries; ++attempt) {
    if (attempt > 0) events.PauseBeforeRetry(kRetryPauseMs[attempt - 1]);
    TQorGame read;
    if (requests_.ReadGame(user_, read) && requests_.WriteGame(user_, AdvanceRecord(read))) {
      // Memory keeps the record as before the game: the game's figures and
      // its cycle position come from it.
      game_ = read;
      gameRead_ = true;
      return true;
    }
    events.PlayAccountSound("WWrongs");
  }
  state_ = AccountState::LoggedOut;
  return false;
}

AccountFinish AccountSession::FinishAccountGame(std::int32_t result, std::int32_t newScore, AccountEvents& events) {
  AccountFinish finish;
  for (;;) {
    TQorGame read;
    if (requests_.ReadGame(user_, read)) {
      const TQorGame record = FinishedRecord(read, game_.KonL, result, newScore);
      if (requests_.WriteGame(user_, record)) {
        finish.written = true;
        finish.cycleCompleted = record.KonL == 0;
        const std::int32_t place = game_.Place;
        game_ = record;
        game_.Place = place;
        requests_.ReadPlace(game_.Rating, game_.Place);
        break;
      }
    }
    if (!events.AskRepeatAccountWrite()) break;
  }
  if (state_ == AccountState::RatingGame) state_ = AccountState::LoggedIn;
  return finish;
}

}  // namespace tarvel
