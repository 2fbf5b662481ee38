// The records side of the main window: the start-up check of the club
// files, the game information window and the storing sequence that "Exit to
// menu" runs after a finished game.
#pragma once

#include <QString>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "engine/match_state.h"
#include "engine/table_events.h"
#include "records/game_record.h"
#include "records/records_host.h"
#include "settings/settings_file.h"

namespace tarvel {

// Start-up: a new data folder first receives the shipped club files from
// the program folder; then both club files must pass their check. A missing
// or damaged file is reported with its full path (and, when damaged, that
// moving it away starts a new, empty club) and is left untouched; the
// result is then false and the program must close. A valid but read-only
// file is reported once; later updates skip it.
bool CheckClubFiles(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                    const std::filesystem::path& programFolder);

// The game information window for the figures of a game.
void ShowGameResults(RecordsHost& host, const Settings& settings, const QString& playerName, const ResultsFigures& figures,
                     bool accountGame = false);

// What the end of an account game left on the account service.
struct AccountGameEnd {
  double rating = 0.0;
  bool cycleCompleted = false;
};

// What the online part adds to the end of a game; the lead connects them.
// Unset hooks are skipped.
struct FinishGameHooks {
  // The statistics report of every stored game.
  std::function<void(const FinishedGame& game, const StoredGame& stored)> reportGame;
  // After the end-of-game window of a local game's completed cycle: the
  // world top ten entry with the cycle's score.
  std::function<void(std::int64_t cycleScore)> enterWorldTopTen;
  // An account game (the member's slot kAccountSlot), before anything is
  // stored: the result written to the account record. Gives the record's
  // rating after the game, and whether the game completed the account's
  // cycle.
  std::function<AccountGameEnd(const FinishedGame& game)> finishAccountGame;
  // After an account's completed cycle: the entry of the account list of the
  // world top ten with the cycle's score; the place reached, nothing when
  // the player gave up on an unreachable service.
  std::function<std::optional<int>(std::int64_t cycleScore)> enterAccountTopTen;
};

// "Exit to menu" after a summed-up local or network game: the new rating,
// the history entry and the club update (the top ten after every 30th game),
// messages for files that could not be written, the result sound, and at
// the end of a cycle the end-of-game window. Holds a wait cursor while the
// files are written.
StoredGame FinishGame(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                      const MatchState& state, const ClubMember& member, const FinishGameHooks& hooks);

// "Exit to menu" after a tournament game: the history entry with the points
// gained at the table and the rating the tournament service gives after it,
// a message when the history could not be written, the result sound.
void FinishTournamentGame(RecordsHost& host, int language, const std::filesystem::path& dataFolder,
                          const MatchState& state, const ClubMember& member, std::int32_t gained, double rating);

// The member button text of a club line, shortened to fit: while the text
// is `maxWidth` or wider, characters are deleted from position 20 backwards
// (down to position 5); a deleted letter (not a blank or '#') turns the
// three characters before the cut into "...".
QString MemberButtonCaption(std::string_view line, int mode, const std::function<int(const QString&)>& width,
                            int maxWidth);

}  // namespace tarvel
