// The player's account for the run: the account state, the login record,
// the game record, the user file that remembers a login, and the account
// game's two writes (the advance loss before the game, the true result
// after it). Plain C++: what it needs of the window (sounds, pauses, a
// question) comes through AccountEvents.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "account_records.h"
#include "account_requests.h"

namespace tarvel {

class AccountEvents {
 public:
  virtual ~AccountEvents() = default;
  virtual void PlayAccountSound(std::string_view name) = 0;
  // The pause between two tries of the advance write.
  virtual void PauseBeforeRetry(int milliseconds) = 0;
  // "Could not connect to server!" and "Repeat?": true for Yes.
  virtual bool AskRepeatAccountWrite() = 0;
};

// What the end of an account game left on the service.
struct AccountFinish {
  bool written = false;         // the true result replaced the advance loss
  bool cycleCompleted = false;  // and it was the 30th game of the cycle
};

class AccountSession {
 public:
  // `userFile` is "QorUser.qor" in the parent of the program folder.
  AccountSession(AccountRequests& requests, std::filesystem::path userFile);

  AccountRequests& Requests() { return requests_; }
  AccountState State() const { return state_; }
  bool LoggedIn() const { return state_ != AccountState::LoggedOut; }
  const TQorUser& User() const { return user_; }
  TQorUser& User() { return user_; }
  const TQorGame& Game() const { return game_; }
  // The game record could be read since the login.
  bool GameRead() const { return gameRead_; }

  // Rating play on or off while logged in.
  void SetRatingPlay(bool on);

  // The user file.
  const std::filesystem::path& UserFile() const { return userFile_; }
  std::optional<StoredLogin> LoadUserFile() const;
  bool UserFileStored() const { return LoadUserFile().has_value(); }
  bool SaveUserFile() const;
  bool DeleteUserFile() const;

  // Start-up: logs in with the stored login, its password's blanks, '#'
  // and '$' sent as '-'. False when nothing is stored or the login failed.
  bool AutoLogin();
  // The window's login with the typed nick and password; on success the
  // game record and the place are read too.
  bool Login(const std::string& nick, const std::string& password);
  // Registration with the passport in `user` (Nick, Pw, City, Country1,
  // Country2, Sex, EMail; `today` the registration date). 0 created, then
  // logged in (rating play when `ratingPlay`); 1 the nick exists; 2 failed.
  int Register(TQorUser user, const std::string& today, bool ratingPlay);
  // Nothing is sent: the account is just no longer used.
  void SignOut();
  // The game record and the place by rating again.
  bool RefreshGame();

  // Before an account game: writes the game record with the game counted as
  // lost, trying three times. False: "Could not connect to server!" is due
  // and the account is logged out.
  bool StartAccountGame(AccountEvents& events);
  // After it: the true result; asks to repeat while the write fails.
  AccountFinish FinishAccountGame(std::int32_t result, std::int32_t newScore, AccountEvents& events);

 private:
  void TakeLogin(const TQorUser& user);

  AccountRequests& requests_;
  std::filesystem::path userFile_;
  AccountState state_ = AccountState::LoggedOut;
  TQorUser user_;
  TQorGame game_;
  bool gameRead_ = false;
};

}  // namespace tarvel
