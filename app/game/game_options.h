// Command-line options of the game program and the rule that picks the data
// folder. Kept apart from main() so that both can be tested without starting
// the window.
#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace tarvel {

// What the user asked for on the command line. Empty or absent values mean
// "use the normal rule" (settings file, data folder rule, clock seed).
struct GameOptions {
  QString dataDir;                     // --data-dir DIR
  int windowSize = 0;                  // --size N, 1..5; 0 = from the settings
  std::optional<std::uint64_t> seed;   // --seed S
  QString servicesUrl;                 // --services URL
  QString screenshotFile;              // --screenshot FILE (test and docs hook)
  QString screenshotAfter;             // --after STATE: intro, menu, calendar, table, summary
  QDate date;                          // --date YYYY-MM-DD: the day the calendar shows
  bool autoplay = false;               // --autoplay: the computer plays the local seat
  int lanHostPort = -1;                // --lan-host PORT (0 = any free port); -1 = not
  QString lanJoinAddress;              // --lan-join ADDRESS:PORT
  int lanJoinPort = 0;
  int lanPlayers = 3;                  // --lan-players N: the host starts with N players
  QString name;                        // --name NAME: the local player's name
  bool quitAfterGame = false;          // --quit-after-game: print the results and quit
  bool fast = false;                   // --fast: no card flights, no waits (tests)
  bool accountGame = false;            // --account-game: with --autoplay, the stored account plays
  int tournamentTable = 0;             // --tournament T:P: with --autoplay, take place P of table T
  int tournamentPlace = 0;
  bool printFirstFrame = false;        // --print-first-frame: the intro's first paint, on the monotonic clock
};

struct GameOptionsResult {
  bool ok = false;
  bool helpRequested = false;
  QString message;  // the error, or the help text when helpRequested
  GameOptions options;
};

// Parses the arguments (args[0] is the program). Unknown options, missing or
// malformed values and stray positional arguments are errors with a message.
GameOptionsResult ParseGameOptions(const QStringList& args);

// The states at which --screenshot may be taken.
QStringList ScreenshotStates();

// The data folder: the option when given; else the executable's folder when
// it is writable; else <xdgDataHome>/Qor/Tarvel/ (xdgDataHome empty means
// <home>/.local/share). The result always ends with a '/'.
// A file of this name beside the program marks an installed copy, whose data
// never goes into its own folder.
QString InstalledMarkerName();

QString ResolveDataFolder(const QString& option, const QString& exeDir,
                          const QString& xdgDataHome, const QString& home);

// Creates the folder (with parents) when missing and checks that a file can
// be written in it. Returns an empty string on success, else the reason.
QString PrepareDataFolder(const QString& folder);


}  // namespace tarvel
