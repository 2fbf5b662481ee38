// The club file (Tarvel.clb for games against the computer, Tarvel.net for
// LAN games): 17 lines of Windows-1251 bytes, CR LF ends.
//
//   1-5    member lines (59 bytes), best rating first; an empty slot is
//          37 '#', a blank and 21 '#'
//   6-15   top ten of cycle scores (26 bytes: name 20, score 6)
//   16     mark line (28 bytes), beginning with the mark byte and '}'
//   17     sums line (28 bytes): 6 fixed bytes, the distribution tag (3),
//          1 fixed byte, the three sums of lines 1..16 as six digits each
//
// Member line: name 1-20, rating 21-30 (Fixed6), total games 31-37, blank,
// cycle score 39-44, password code 45-59 (five three-digit groups).
//
// A file counts as valid only when every line has its length, so that no
// later read of a field can fall outside its line.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::string_view kLocalClubFile = "Tarvel.clb";
inline constexpr std::string_view kNetClubFile = "Tarvel.net";
inline constexpr int kClubMembers = 5;
inline constexpr int kClubLines = 17;
inline constexpr int kMemberLineLength = 59;
inline constexpr int kTopTenLineLength = 26;
inline constexpr int kGamesPerCycle = 30;
// The slot of a player who is not (yet) a club member.
inline constexpr int kNewPlayerSlot = 6;
// The player of an account game (the account holder, not a club member).
inline constexpr int kAccountSlot = 7;

using ClubLines = std::array<std::string, kClubLines>;  // index 0 = line 1

// The empty member slot.
std::string EmptyMemberLine();
bool IsEmptyMember(std::string_view line);

// An empty club with correct sums and the distribution tag `tag` (3 bytes).
ClubLines EmptyClub(std::string_view tag);

// Lines 1..16 joined, their three sums written into line 17.
void RenewClubSums(ClubLines& club);
// The file bytes: 17 lines, each followed by CR LF.
std::string FormatClub(const ClubLines& club);

// The check of a file's bytes: 17 lines of the right lengths, the mark and
// the sums. Nothing when the file fails it.
std::optional<ClubLines> ParseClub(std::string_view bytes);
// The distribution tag (positions 7-9 of line 17).
std::string ClubTag(const ClubLines& club);

// The password code of positions 45-59: each of the five bytes of the
// password (padded with blanks) as its code plus the password offset, in
// three digits.
std::string EncodePassword(std::string_view password);
// The password of a code; nothing when the code is not five groups of three
// digits within the range of byte codes.
std::optional<std::string> DecodePassword(std::string_view code);
// The password padded with blanks to five bytes.
std::string PaddedPassword(std::string_view password);

// A member line from its parts; name and code in Windows-1251.
std::string MemberLine(std::string_view name, double rating, std::int64_t games, std::int64_t score,
                       std::string_view code);

// Field readers of a member line (an empty slot reads as zeros).
double MemberRating(std::string_view line);
std::int64_t MemberTotalGames(std::string_view line);
std::int64_t MemberCycleScore(std::string_view line);

// Takes member `slot` (1..5) out: the lines below move up, line 5 becomes
// empty. Other slots change nothing.
void RemoveMember(ClubLines& club, int slot);

// Inserts a member line by rating (ties: the newer line goes above). When
// `completesCycle`, first enters its cycle score into the top ten (ties:
// above) and restarts the line's score at 0. Returns the top-ten place
// 1..10, or 0 when the score did not enter (or no cycle ended). A line
// rated below all five members is not stored.
int StoreMember(ClubLines& club, std::string line, bool completesCycle);

// The texts of a member button. `mode` 1: name, games in the cycle, cycle
// score; `mode` 2: name, total games, rating.
std::string MemberButtonText(std::string_view line, int mode);

// --- The club file on disk ---------------------------------------------

enum class ClubState { Valid, Missing, Damaged };

struct ClubRead {
  ClubState state = ClubState::Missing;
  ClubLines lines;
  bool writeProtected = false;  // read-only: no rewrite may happen
};
ClubRead ReadClubFile(const std::filesystem::path& file);

enum class ClubWrite { Written, WriteProtected, DiskError };

// Reads the club file, lets `change` update its lines and writes them back,
// all under the data folder's lock. A missing or damaged file is replaced by
// an empty club (the damaged one kept as "<file>.bad") before the change.
ClubWrite UpdateClubFile(const std::filesystem::path& file, const std::function<void(ClubLines&)>& change);

// First start: when the data folder holds neither club file, both are
// copied from the program folder (where the build puts them), or written
// as empty clubs when the program folder has none. False when a file could
// not be written.
bool InstallClubFiles(const std::filesystem::path& dataFolder, const std::filesystem::path& programFolder);

}  // namespace tarvel
