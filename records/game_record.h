// What a finished game leaves in the records: the rating after it, the
// figures of the game information window, and the storing sequence (history
// entry, club update, cycle top ten) shared by the window and tarvel-selfplay.
// No Qt.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "club_file.h"
#include "history_file.h"
#include "match_state.h"
#include "table_events.h"

namespace tarvel {

// The mean over all games of result / 200, rounded to six decimals and held
// within -99.99..99.99. `games` counts this game; the games before it weigh
// the old rating.
double RatingAfter(std::int64_t games, std::int64_t result, double rating);

// The game information window's values, all texts.
struct TCount {
  std::string Count_KonAll;
  std::string Count_KonCur;
  std::string Count_ScoBeg;
  std::string Count_ScoCur;
  std::string Count_ScoAll;
  std::string Count_ReiBeg;
  std::string Count_ReiCur;
};

// `games` is PlayerKon (this game included), `cycle` the games of a cycle,
// `rating` the rating before the game, `result` the game's result and
// `score` the score before it.
TCount FillGameInfo(std::int64_t games, std::int64_t cycle, double rating, std::int64_t result,
                    std::int64_t score);
// The same for an account game: its rating is the account service's, shown
// rounded to an integer before the game and as "?" until the service has
// the result.
TCount FillAccountGameInfo(std::int64_t games, std::int64_t cycle, double rating, std::int64_t result,
                           std::int64_t score);

// The current player as the name dialog leaves it: slot 1..5 a club member,
// kNewPlayerSlot a new player. Texts in Windows-1251.
struct ClubMember {
  int MemberSlot = kNewPlayerSlot;
  std::string MemberName;             // padded with blanks to 20
  std::string MemberCode;             // 15 digits
  std::int64_t MemberGames = 0;       // games before this game
  std::int64_t MemberScore = 0;       // cycle score before this game
  double MemberRating = 0.0;
};

// Member `slot` (1..5) of a club; nothing for an empty slot.
std::optional<ClubMember> MemberOfLine(const ClubLines& club, int slot);
// A new player: name (Windows-1251, cut to 20) and password.
ClubMember NewMember(std::string_view name, std::string_view password);
// The member whose name is `name` (trailing blanks aside), else a new
// player of that name with an empty password.
ClubMember FindMember(const ClubLines& club, std::string_view name);
// What a new game loads for the player: the game counter counts the game
// about to be played.
PlayerRecord PlayerRecordOf(const ClubMember& member);

// A finished local or network game to be stored.
struct FinishedGame {
  ClubMember member;
  std::int64_t playerKon = 1;        // this game included
  std::int64_t gameResult = 0;
  std::int64_t newScore = 0;         // score before plus the result
  bool netGame = false;
  bool tourGame = false;             // a tournament table
  std::array<std::string, 4> seatNames{};  // Windows-1251, seats 1..3
  // An account game: the rating its record on the account service holds
  // after the game. The history keeps it; the club files are not touched.
  std::optional<double> accountRating;
};

// A change of name: `member` takes the name and password code of
// `renamed`. A club member's line keeps its figures under them and is
// stored again by its rating (no cycle handling); `member`'s slot follows
// the line.
ClubWrite RenameMember(const std::filesystem::path& clubFile, ClubMember& member, const ClubMember& renamed);

// The finished game of the match state, played by `member`.
FinishedGame FinishedGameOf(const MatchState& state, const ClubMember& member);

// What storing it gave.
struct StoredGame {
  double newRating = 0.0;
  bool cycleEnded = false;   // the game completed a cycle of 30
  int clubPlace = 0;         // 1..10 in the top ten, 0 not
  std::int64_t cycleScore = 0;
  bool historyWritten = false;
  ClubWrite club = ClubWrite::Written;
  std::string memberLine;    // the 59-byte line that was stored
};

// The history name of a game: the player's name, or in a network game the
// names of seats 3, 2 and 1 without trailing blanks, joined by '/'.
std::string HistoryNameOf(const FinishedGame& game);

// Stores the game in the data folder: the history entry, then the member's
// new line in the club file of the mode (Tarvel.net for a network game),
// with the cycle's score entering the top ten after every 30th game.
// The history entry of a tournament game: the three seat names (cut to the
// field), the points gained at the table in `gameResult`, the rating the
// tournament service gives after it, kind 2. The club files are not touched.
bool StoreTournamentHistory(const std::filesystem::path& dataFolder, const FinishedGame& game, double rating,
                            const HistoryStamp& stamp);

StoredGame StoreFinishedGame(const std::filesystem::path& dataFolder, const FinishedGame& game,
                             const HistoryStamp& stamp);

}  // namespace tarvel
