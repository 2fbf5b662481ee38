#include "records/end_of_game.h"

#include <QApplication>
#include <QCursor>

#include "records/club_file.h"
#include "records/tformcount.h"
#include "records/tformendgame.h"

namespace tarvel {

namespace {

QString Quoted(const std::filesystem::path& file) {
  return QStringLiteral(" \"") + QString::fromStdString(file.string()) + QLatin1Char('"');
}

// Shows the wait cursor while it lives.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

bool CheckClubFiles(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                    const std::filesystem::path& programFolder) {
  const auto word = [language](WordId id) { return RecordsWord(id, language); };
  if (!InstallClubFiles(dataFolder, programFolder)) {
    host.Inform(word(WordId::DiskWriteError) + Quoted(dataFolder / kLocalClubFile));
    return false;
  }
  for (const std::string_view name : {kLocalClubFile, kNetClubFile}) {
    const std::filesystem::path file = dataFolder / name;
    const ClubRead read = ReadClubFile(file);
    if (read.state == ClubState::Missing) {
      host.Inform(word(WordId::CantFindFile) + Quoted(file) + QLatin1Char('!'));
      return false;
    }
    if (read.state == ClubState::Damaged) {
      host.Inform(word(WordId::IncorrectFile) + Quoted(file) + QStringLiteral("!\n") +
                  word(WordId::MoveClubFileAway));
      return false;
    }
    if (read.writeProtected) {
      host.Inform(word(WordId::TheFile) + Quoted(file) + QLatin1Char(' ') + word(WordId::HasIncorrectAttributes) +
                  QLatin1Char('\n') + word(WordId::ProgramWorkIncorrect));
    }
  }
  return true;
}

void ShowGameResults(RecordsHost& host, const Settings& settings, const QString& playerName, const ResultsFigures& figures,
                     bool accountGame) {
  const TCount count = (accountGame ? FillAccountGameInfo : FillGameInfo)(figures.kon, figures.cycle, figures.rating,
                                                                          figures.result, figures.score);
  TFormCount form(settings, playerName, count, host.HostWindow());
  host.RunModal(form);
}

StoredGame FinishGame(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                      const MatchState& state, const ClubMember& member, const FinishGameHooks& hooks) {
  FinishedGame game = FinishedGameOf(state, member);
  AccountGameEnd account;
  const bool accountGame = member.MemberSlot == kAccountSlot && hooks.finishAccountGame && !game.netGame;
  if (accountGame) {
    account = hooks.finishAccountGame(game);
    game.accountRating = account.rating;
  }
  StoredGame stored;
  {
    const WaitCursor wait;
    stored = StoreFinishedGame(dataFolder, game, StampNow());
  }
  if (!stored.historyWritten) host.Inform(RecordsWord(WordId::CantSaveHistory, language));
  if (stored.club == ClubWrite::DiskError) host.Inform(RecordsWord(WordId::DiskWriteError, language));
  if (hooks.reportGame) hooks.reportGame(game, stored);
  if (!stored.cycleEnded && game.gameResult != 0)
    host.PlayRecordsSound(game.gameResult > 0 ? "WKoGood" : "WKoBads");
  if (accountGame && account.cycleCompleted && hooks.enterAccountTopTen) {
    if (const std::optional<int> place = hooks.enterAccountTopTen(game.newScore)) {
      TFormEndGame form(language, *place, game.newScore, false, host.HostWindow());
      form.SetAccountGame();
      host.PlayRecordsSound(form.Text().sound);
      host.RunModal(form);
    }
  }
  if (stored.cycleEnded) {
    TFormEndGame form(language, stored.clubPlace, stored.cycleScore, game.netGame, host.HostWindow());
    host.PlayRecordsSound(form.Text().sound);
    host.RunModal(form);
    if (!game.netGame && hooks.enterWorldTopTen) hooks.enterWorldTopTen(stored.cycleScore);
  }
  return stored;
}

void FinishTournamentGame(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                          const MatchState& state, const ClubMember& member, std::int32_t gained, double rating) {
  FinishedGame game = FinishedGameOf(state, member);
  game.gameResult = gained;
  bool written = false;
  {
    const WaitCursor wait;
    written = StoreTournamentHistory(dataFolder, game, rating, StampNow());
  }
  if (!written) host.Inform(RecordsWord(WordId::CantSaveHistory, language));
  if (gained != 0) host.PlayRecordsSound(gained > 0 ? "WKoGood" : "WKoBads");
}

QString MemberButtonCaption(std::string_view line, int mode, const std::function<int(const QString&)>& width,
                            int maxWidth) {
  std::string text = MemberButtonText(line, mode);
  const auto shown = [&text] { return FromRecordBytes(text); };
  bool cutLetter = false;
  std::size_t cut = 20;  // the 1-based position deleted next
  while (width(shown()) >= maxWidth && cut >= 5) {
    const char deleted = text[cut - 1];
    text.erase(cut - 1, 1);
    cutLetter = cutLetter || (deleted != ' ' && deleted != '#');
    --cut;
  }
  if (cutLetter && cut >= 3) text.replace(cut - 3, 3, "...");
  return shown();
}

}  // namespace tarvel
