// Player accounts on the maker's account service: the records as the program
// keeps them (texts in UTF-8), the rating arithmetic of account games, the
// user file that remembers a login, the check of the passport fields, and the
// parsers of the account service's replies. Pure C++: every parser takes the
// reply's Windows-1251 bytes and never fails on any input.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "service_records.h"

namespace tarvel {

// Put in front of the account requests' game-specific field names.
inline constexpr std::string_view kGameTag = "crdmzk";
// Games of a cycle.
inline constexpr std::int32_t kAccountCycle = 30;
// The registration date of an account not given.
inline constexpr std::string_view kNoDate = "00.00.0000";

// The public profile, all texts.
struct TInfo14 {
  std::string Name1, Name2, About, Telephone, EMailO, Skype, WebSite, OK, VK, Telegram, FaceBook,
      Twitter, Instagramm, YouTube;

  bool operator==(const TInfo14&) const = default;
};

// The profile's fields in the order the service reads and sends them (and
// the order of the profile editor's captions).
inline constexpr std::size_t kProfileFieldCount = 14;
const std::array<std::string TInfo14::*, kProfileFieldCount>& ProfileFieldOrder();

struct TQorUser {
  std::string Nick;
  std::string Pw;        // in clear, as sent to the service
  std::string City;
  std::string Country1;  // country name
  std::string Country2;  // continent digit, '-', three digits: "1-001"
  char Sex = '#';        // 'M', 'W', '#' not given
  std::string EMail;
  std::string DateR{kNoDate};
  std::string R01 = "xxx", R02 = "xxx", R03 = "xxx";
  std::int32_t R04 = 0, R05 = 0, R06 = 0;
  std::string PwC;       // Pw through the program's cipher, as the user file keeps it
  TInfo14 Info;

  bool operator==(const TQorUser&) const = default;
};

struct TQorGame {
  std::int32_t Kon = 0;       // games played in total
  std::int32_t Score = 0;     // score of the current cycle
  std::int32_t Sessions = 0;  // completed cycles
  double Rating = 0.0;
  char PlayNow = 'N';
  std::int32_t R1 = 0;
  std::string R2 = "#";
  std::int32_t Place = -1;    // by rating among all accounts, -1 none
  std::int32_t Best = 0;      // best score of a completed cycle
  std::int32_t KonL = 0;      // games of the current cycle, 0..29

  bool operator==(const TQorGame&) const = default;
};

// The account state, process-wide: not logged in, logged in, an account game
// chosen or running.
enum class AccountState : std::uint8_t { LoggedOut = 1, LoggedIn = 2, RatingGame = 3 };

// ---------------------------------------------------------------------------
// Rating of account games. With K games the record keeps
// R = K / 30 + (sum of the K game results) / K.

// The record written before a game: the game counts as lost by 2000.
double RatingWithAdvanceLoss(std::int32_t games, double rating);
// The record read back after the game (`games` already counts it, `rating`
// holds its advance loss): the loss replaced by `result`.
double RatingWithResult(std::int32_t games, double rating, std::int32_t result);

// What the advance write sends: Kon + 1, the rating with the loss, the cycle's
// games and score at 0 (so an abandoned game never completes a cycle).
TQorGame AdvanceRecord(const TQorGame& read);

// The record after a game with `result` and the cycle score `newScore`, from
// the record read back and `cycleGames`, the cycle's games before this game
// (the KonL kept at the advance write). The 30th game of a cycle closes it:
// Best rises to `newScore` when that is higher, Sessions counts it and KonL and
// Score restart at 0.
TQorGame FinishedRecord(const TQorGame& read, std::int32_t cycleGames, std::int32_t result,
                        std::int32_t newScore);

// A rating as sent: shortest round-trip decimal with '.', "0" below 0.00001.
std::string WireRating(double rating);
// A rating as received: every character other than a blank, '-' and a digit
// stands for the decimal mark. Nothing when the text is not a number.
std::optional<double> ParseAccountRating(std::string_view text);
// A rating as shown: three decimals, comma as the decimal mark.
std::string ShownRating(double rating);

// ---------------------------------------------------------------------------
// The user file "QorUser.qor" in the parent folder of the program folder:
// "Qor User File", the nick, the enciphered password, each line ended by CR LF.

inline constexpr std::string_view kUserFileName = "QorUser.qor";
inline constexpr std::string_view kUserFileTitle = "Qor User File";

struct StoredLogin {
  std::string nick;
  std::string PwC;
};

// The file's text for a login.
std::string UserFileText(const StoredLogin& login);
// The login of a file's text; nothing when the first line differs, or the nick
// or the password line is empty.
std::optional<StoredLogin> ParseUserFile(std::string_view text);

// The password of a stored login as the automatic login sends it: every
// blank, '#' and '$' becomes '-'. Nothing when PwC does not decipher.
std::optional<std::string> StoredPassword(std::string_view PwC);

// ---------------------------------------------------------------------------
// The passport fields' check, with the lamp beside each field.

enum class AccountField { Nick = 1, City = 2, Password = 3, EMail = 4 };
enum class FieldLamp { Red = 1, Yellow = 2, Green = 3 };

// `utf8` as typed; checked on its Windows-1251 bytes.
FieldLamp CheckAccountField(std::string_view utf8, AccountField kind);

// ---------------------------------------------------------------------------
// Replies of the account service.

// Register: 0 created ("ok"), 1 the nick exists ("is", which wins), 2 not.
int RegisterOutcome(std::string_view reply);
// The "ok" marker of the write requests: "ok" anywhere in the reply.
bool HasOkMarker(std::string_view reply);

// Log in: false when refused or when the reply holds no record. Fills the
// user's passport fields 1..12 (Nick and Pw stay as sent); the fields are set
// to their defaults first.
bool ParseLoginReply(std::string_view reply, TQorUser& user);
// Read game record: false when no record or a numeric field is not a number.
bool ParseGameRecordReply(std::string_view reply, TQorGame& game);
// Rating list: up to ten records, each ending at '*'; rows start empty with
// sex 'M' and rating 0. False when a rating is not a number.
using AccountTopTen = std::array<TQorTop10, 10>;
bool ParseRatingListReply(std::string_view reply, AccountTopTen& rows);
// Read profile: the fields between '~'. False when the service has none or
// the reply holds no '~'.
bool ParseProfileReply(std::string_view reply, TInfo14& info);

// A profile text made safe for the text-style save body: its Windows-1251
// bytes percent-encoded except letters and digits, so blanks, '+', '&' and
// the like arrive as typed; '~', the reply's field separator, and control
// characters are dropped.
std::string ProfileWireValue(std::string_view utf8);

}  // namespace tarvel
