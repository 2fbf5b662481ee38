// The settings record and its file "Tarvel.ini": 35 lines of Windows-1251
// text with CR LF line ends, eight section headers and 27 value lines, some
// of which pack many switches into one string of flag characters.
// Pure C++: no Qt, so the format can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tarvel {

inline constexpr std::string_view kSettingsFileName = "Tarvel.ini";
inline constexpr int kSettingsLines = 35;

// Longest passport texts, in characters (bytes of the file).
inline constexpr std::size_t kNickLength = 12;
inline constexpr std::size_t kCountryLength = 15;
inline constexpr std::size_t kCityLength = 15;
inline constexpr std::size_t kSexLength = 1;

// Every user preference of the game, with its default. Flags are 0/1 in the
// file; texts are UTF-8 here and Windows-1251 in the file.
struct Settings {
  std::uint8_t Language = 0;  // 0..9, the word table's language index
  bool SoundOn = true;
  bool MusicOn = true;
  bool GifAnimation = true;
  bool FlyCards = true;
  std::uint8_t ClubMode = 1;  // 1 score, 2 rating
  bool NetGame = false;
  bool OwnCursor = true;
  std::uint8_t Speed = 4;       // 1..6
  std::uint8_t WindowSize = 1;  // 1..5
  bool StartReported = true;
  bool LikeSent = true;
  bool RadioListFromServer = true;
  std::uint8_t CaptionColor = 1;  // 1..7
  bool NewButtons = false;
  bool DialogDesignPurple = false;
  std::uint8_t DialogScheme = 2;  // 1 concise, 2 aristocratic, 3 red ribbons
  bool MenuDesignPurple = false;
  bool TableDesignPurple = false;
  bool SaluteButtons = true;
  bool SaluteCards = true;
  std::uint8_t CardDeck = 0;  // 0..47
  std::uint8_t BackDeck = 0;  // 0..12
  bool SameBack = false;
  bool GameTo8 = false;
  bool DeadHeat = false;
  std::string FontLarge = "Comic Sans MS";
  std::string FontSmall = "Comic Sans MS";
  std::string FontSpecial1 = "FixedSys";
  std::string FontSpecial2 = "Courier New";
  std::int32_t FontLargeScale = 100;  // per cent, 50..150
  std::int32_t FontSmallScale = 100;
  std::int32_t FontSpecial1Scale = 100;
  std::int32_t FontSpecial2Scale = 100;
  std::string NetAddress = "127.0.0.1";
  std::string NetPort = "25666";
  std::int32_t BackgroundSet = 2;      // 1..10; 0 no background picture
  std::int32_t BackgroundVariant = 0;  // 0..6
  std::string PlayerName = "Mr.X";     // the same word in every language
  // The player's passport and the two service addresses. A record read from
  // a file holds their defaults only when the file got past the player name
  // (see LoadSettings); a default-constructed record holds the passport
  // defaults and empty service lines, whose defaults belong to the online
  // services (ServiceLineDefaults).
  std::string TopTenServicePath;  // enciphered
  std::string Nick = "Incognito";
  std::string Country = "1-001";  // continent digit, '-', three-digit country number
  std::string City = "Moscow";
  std::string Sex = "M";         // "M" or "W"
  std::string StatServicePath;   // enciphered
  bool SaveGif = false;
  std::int32_t GifArea = 1;      // 1 main window, 2 screen
  std::int32_t GifDelay = 1000;  // ms between frames, 10..5000

  bool operator==(const Settings&) const = default;
};

// The enciphered service lines that a file which got past the player name
// falls back to (the online services own them).
struct ServiceLineDefaults {
  std::string TopTenServicePath;
  std::string StatServicePath;
};

struct LoadedSettings {
  Settings Values;
  // Lines 1..AppliedLines were read and applied before the parse stopped;
  // kSettingsLines when the whole file was taken, 0 when the file was
  // missing, unreadable or shorter than 35 lines.
  int AppliedLines = 0;

  // The parse got to the last line: the service addresses may then be
  // refreshed from the service directory.
  bool ReachedLastLine() const { return AppliedLines >= kSettingsLines - 1; }
};

// Reads the settings from the bytes of a file. Starts from the defaults with
// the passport and the service lines empty; a file of fewer than 35 lines
// changes nothing. The lines are applied in order and the first line that
// fails its check (an empty line where a value is due, a line that should be
// a number and is not) ends the parse: every later field keeps its default.
// A number outside its field's range, or a bad flag character, leaves that
// field at its default and the parse goes on. Never fails on any bytes.
LoadedSettings ParseSettings(std::string_view bytes, const ServiceLineDefaults& services);

// The 35 lines of a settings file for `settings`, each ended by CR LF.
std::string FormatSettings(const Settings& settings);

// ParseSettings on the file's bytes; a missing or unreadable file (or a
// directory in its place) gives the defaults.
LoadedSettings LoadSettings(const std::filesystem::path& file,
                            const ServiceLineDefaults& services);

// Writes the whole record through a temporary file renamed over the old one.
// Returns false when the file could not be written (twice); the old file is
// then untouched.
bool SaveSettings(const std::filesystem::path& file, const Settings& settings);

// The start-up reset of the four font names; their scales stay.
void ResetFontNames(Settings& settings);

// Gives every field that would end the next parse (an empty name, port,
// passport or service line, a font name shorter than two characters, a
// country of another form) its default, so that a record saved after this
// reads back whole. A first run without a settings file holds an empty
// passport; saving it unfilled would lose every line after the player name
// on the next start.
void FillUnreadableFields(Settings& settings, const ServiceLineDefaults& services);

// Empties the passport and the two service lines: the state of a record that
// no settings file has filled yet.
void ClearPassport(Settings& settings);

}  // namespace tarvel
