// The account side of the main window: the automatic login after the first
// frame, the account window and the account game that it may start, the
// fifth member row of the account holder, the account icon with its lamp,
// and the end of an account game (the result on the service, and the cycle's
// entry in the world top ten's account list).
#pragma once

#include <QPointer>
#include <QString>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "engine/table_events.h"
#include "online/account_session.h"
#include "online/accounts/account_host.h"
#include "records/end_of_game.h"
#include "records/records_host.h"

class QLabel;
class QWidget;

namespace tarvel {

class AccountController : public AccountEvents {
 public:
  // `userFile` is "QorUser.qor" in the parent of the program folder.
  AccountController(AccountHost& host, RecordsHost& records, ServiceRequests& requests,
                    std::filesystem::path userFile);

  AccountSession& Session() { return session_; }
  const AccountSession& Session() const { return session_; }

  // Start-up, after the first frame: the stored login.
  void AutoLogin();
  // The account window; closed with rating play chosen, the account game
  // starts.
  void OpenAccountWindow();
  // The fifth member row while it shows the account holder: the account
  // game starts at once.
  void PlayFromMemberRow();

  // The fifth member row shows the account holder while logged in outside
  // network mode: the nick padded to 20, then for `mode` 1 the cycle's games
  // (3) and the rating rounded (6), for mode 2 the games (7) and the rating.
  bool HoldsMemberRow(bool netGame) const { return session_.LoggedIn() && !netGame; }
  QString MemberRowText(int mode) const;

  // What an account game starts with: the record as before the game.
  PlayerRecord PlayerRecordForGame() const;
  // The records hooks of an account game's end.
  AccountGameEnd FinishGame(const FinishedGame& game);
  std::optional<int> EnterAccountTopTen(std::int64_t cycleScore);

  // The world top ten's account views: the rating list (the rows that hold
  // a player), and the logged-in account's nick and city.
  bool ReadRatingRows(std::vector<TQorTop10>& rows);
  bool Passport(std::string& nick, std::string& city) const;

  // The lamp over the account's picture of the main menu, and its hint.
  void AttachIcon(QWidget* picture);
  void RefreshIcon();
  QString IconHint() const;

  // AccountEvents.
  void PlayAccountSound(std::string_view name) override;
  void PauseBeforeRetry(int milliseconds) override;
  bool AskRepeatAccountWrite() override;

  // Shortens the pauses between retries (tests).
  void SetRetryPauseScale(double scale) { pauseScale_ = scale; }

 private:
  void StartGameIfChosen();
  QString Text(WordId id, int row = 0) const;

  AccountHost& host_;
  RecordsHost& records_;
  ServiceRequests& requests_;
  AccountRequests accountRequests_;
  AccountSession session_;
  QPointer<QLabel> lamp_;
  double pauseScale_ = 1.0;
};

}  // namespace tarvel
