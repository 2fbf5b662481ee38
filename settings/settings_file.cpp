#include "settings_file.h"

#include <array>
#include <fstream>
#include <optional>
#include <system_error>
#include <vector>

#include "atomic_file.h"
#include "cp1251.h"

namespace tarvel {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr char kSaveGifOn = '\xE8';
constexpr char kSaveGifOff = '\xEB';
constexpr std::size_t kGeneralFlags = 20;
// A settings file is well under a kilobyte; reading stops after this many
// bytes so that a huge file in its place cannot exhaust the memory.
constexpr std::size_t kMaxFileBytes = std::size_t{1} << 20;
// Highest country number of each continent, for the continent digits 1..6.
constexpr std::array<int, 6> kLastCountry = {48, 51, 35, 14, 23, 54};

using Lines = std::vector<std::string_view>;

// Cuts the bytes into lines; CR LF, LF and a lone CR each end a line. A last
// piece without a line end is a line too, unless `lastPieceIsCut` says that
// the bytes stop in the middle of the file.
Lines SplitLines(std::string_view bytes, bool lastPieceIsCut) {
  Lines lines;
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos < bytes.size() && lines.size() < static_cast<std::size_t>(kSettingsLines)) {
    const char c = bytes[pos];
    if (c == '\r' || c == '\n') {
      lines.push_back(bytes.substr(start, pos - start));
      if (c == '\r' && pos + 1 < bytes.size() && bytes[pos + 1] == '\n') ++pos;
      start = ++pos;
    } else {
      ++pos;
    }
  }
  if (start < bytes.size() && lines.size() < static_cast<std::size_t>(kSettingsLines) &&
      !lastPieceIsCut) {
    lines.push_back(bytes.substr(start));
  }
  return lines;
}

// A decimal integer: an optional sign and digits, nothing else.
std::optional<std::int64_t> ParseDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return negative ? -value : value;
}

template <typename Field>
void SetInRange(Field& field, std::int64_t value, std::int64_t low, std::int64_t high) {
  if (value >= low && value <= high) field = static_cast<Field>(value);
}

// Reads a number line into a field; false (the parse ends) when the line is
// not a number, true (field unchanged) when the number is out of range.
template <typename Field>
bool ReadNumber(std::string_view line, Field& field, std::int64_t low, std::int64_t high) {
  const auto value = ParseDecimal(line);
  if (!value) return false;
  SetInRange(field, *value, low, high);
  return true;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsValidCountry(std::string_view text) {
  if (text.size() != 5 || text[1] != '-' || !IsDigit(text[2]) || !IsDigit(text[3]) ||
      !IsDigit(text[4]) || text[0] < '1' || text[0] > '6') {
    return false;
  }
  const int number = (text[2] - '0') * 100 + (text[3] - '0') * 10 + (text[4] - '0');
  return number <= kLastCountry[static_cast<std::size_t>(text[0] - '1')];
}

// Line 2. Each position is read only when the line holds it. Returns false
// when position 13 is there and is not a digit.
bool ApplyGeneralFlags(std::string_view line, Settings& s) {
  const auto at = [line](std::size_t position) -> std::optional<char> {
    if (position > line.size()) return std::nullopt;
    return line[position - 1];
  };
  // Positions 1..12.
  if (const auto c = at(1); c && *c >= '1' && *c <= '9') {
    s.Language = static_cast<std::uint8_t>(*c - '0');
  }
  if (const auto c = at(2); c && *c >= '0' && *c <= '3') {
    s.SoundOn = *c == '1' || *c == '2';
    s.MusicOn = *c == '1' || *c == '3';
  }
  if (const auto c = at(3); c && *c == '0') s.GifAnimation = false;
  if (const auto c = at(4); c && *c == '0') s.FlyCards = false;
  if (const auto c = at(5); c && *c == '2') s.ClubMode = 2;
  if (const auto c = at(6); c && *c == '1') s.NetGame = true;
  if (const auto c = at(7); c && *c == '0') s.OwnCursor = false;
  if (const auto c = at(8); c && *c >= '1' && *c <= '6') s.Speed = static_cast<std::uint8_t>(*c - '0');
  if (const auto c = at(9); c && *c >= '1' && *c <= '5') {
    s.WindowSize = static_cast<std::uint8_t>(*c - '0');
  }
  if (const auto c = at(10)) s.StartReported = *c == 'R';
  if (const auto c = at(11)) s.LikeSent = *c == 'L';
  if (const auto c = at(12)) s.RadioListFromServer = *c == '0';
  // Position 13 is a number; 1..7 are the caption colours.
  if (const auto c = at(13)) {
    if (!IsDigit(*c)) return false;
    SetInRange(s.CaptionColor, *c - '0', 1, 7);
  }
  // Positions 14..20.
  if (const auto c = at(14)) s.NewButtons = *c == '1';
  if (const auto c = at(15)) s.DialogDesignPurple = *c == '1';
  if (const auto c = at(16); c && *c >= '1' && *c <= '3') {
    s.DialogScheme = static_cast<std::uint8_t>(*c - '0');
  }
  const auto zeroOrOne = [&at](std::size_t position, bool& field) {
    if (const auto c = at(position); c && (*c == '0' || *c == '1')) field = *c == '1';
  };
  zeroOrOne(17, s.MenuDesignPurple);
  zeroOrOne(18, s.TableDesignPurple);
  zeroOrOne(19, s.SaluteButtons);
  zeroOrOne(20, s.SaluteCards);
  return true;
}

void SetPassportDefaults(Settings& s, const ServiceLineDefaults& services) {
  const Settings defaults;
  s.Nick = defaults.Nick;
  s.Country = defaults.Country;
  s.City = defaults.City;
  s.Sex = defaults.Sex;
  s.TopTenServicePath = services.TopTenServicePath;
  s.StatServicePath = services.StatServicePath;
}

std::string Text(std::string_view line) { return Cp1251ToUtf8(line); }

// Applies line `number`; false when the line fails its check.
bool ApplyLine(int number, std::string_view line, Settings& s,
               const ServiceLineDefaults& services) {
  switch (number) {
    case 2:
      return ApplyGeneralFlags(line, s);
    case 4:
      return ReadNumber(line, s.CardDeck, 0, 47);
    case 6: {
      if (line.size() <= 2) return false;
      if (!ReadNumber(line.substr(0, 2), s.BackDeck, 0, 12)) return false;
      s.SameBack = line[2] == '1';
      return true;
    }
    case 8:
      s.GameTo8 = line.size() >= 1 && line[0] == '1';
      s.DeadHeat = line.size() >= 2 && line[1] == '1';
      return true;
    case 10:
    case 11:
    case 12:
    case 13: {
      if (line.size() <= 1) return false;
      std::string* fonts[] = {&s.FontLarge, &s.FontSmall, &s.FontSpecial1, &s.FontSpecial2};
      *fonts[number - 10] = Text(line);
      return true;
    }
    case 14:
      return ReadNumber(line, s.FontLargeScale, 50, 150);
    case 15:
      return ReadNumber(line, s.FontSmallScale, 50, 150);
    case 16:
      return ReadNumber(line, s.FontSpecial1Scale, 50, 150);
    case 17:
      return ReadNumber(line, s.FontSpecial2Scale, 50, 150);
    case 18:
    case 21:
    case 23:
      return !line.empty();
    case 19:
      s.NetAddress = Text(line);
      return true;
    case 20:
      if (line.empty()) return false;
      s.NetPort = Text(line);
      return true;
    case 22: {
      // The set in the first two characters, the variant in the third;
      // both must be numbers before either is taken (a non-empty line of
      // fewer than three characters lacks the variant).
      if (line.size() < 3) return false;
      const auto set = ParseDecimal(line.substr(0, 2));
      const auto variant = ParseDecimal(line.substr(2, 1));
      if (!set || !variant) return false;
      SetInRange(s.BackgroundSet, *set, 0, 10);
      SetInRange(s.BackgroundVariant, *variant, 0, 6);
      return true;
    }
    case 24:
      if (line.empty()) return false;
      s.PlayerName = Text(line);
      SetPassportDefaults(s, services);
      return true;
    case 26:
      if (line.empty()) return false;
      s.TopTenServicePath = Text(line);
      return true;
    case 27:
      if (line.empty()) return false;
      s.Nick = Text(line.substr(0, kNickLength));
      return true;
    case 28:
      if (line.size() != 5) return false;
      if (IsValidCountry(line)) s.Country = Text(line);
      return true;
    case 29:
      if (line.empty()) return false;
      s.City = Text(line.substr(0, kCityLength));
      return true;
    case 30:
      if (line.empty()) return false;
      s.Sex.assign(1, line[0] == 'W' ? 'W' : 'M');
      return true;
    case 31:
      s.StatServicePath = Text(line);
      return true;
    case 33:
      s.SaveGif = line.size() == 1 && line[0] == kSaveGifOn;
      return true;
    case 34:
      return ReadNumber(line, s.GifArea, 1, 2);
    case 35:
      return ReadNumber(line, s.GifDelay, 10, 5000);
    default:  // headers 1, 3, 5, 7, 9, 25 and 32 are not checked
      return true;
  }
}

LoadedSettings ParseLines(const Lines& lines, const ServiceLineDefaults& services) {
  LoadedSettings loaded;
  ClearPassport(loaded.Values);
  if (lines.size() < static_cast<std::size_t>(kSettingsLines)) return loaded;
  for (int number = 1; number <= kSettingsLines; ++number) {
    if (!ApplyLine(number, lines[static_cast<std::size_t>(number - 1)], loaded.Values, services)) {
      break;
    }
    loaded.AppliedLines = number;
  }
  return loaded;
}

// A text field as written to the file: Windows-1251, at most `length`
// characters, and no line break that would shift the following lines.
std::string FileText(std::string_view utf8, std::size_t length = std::string::npos) {
  std::string bytes = Utf8ToCp1251(utf8).substr(0, length);
  for (char& c : bytes) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return bytes;
}

char Flag(bool value) { return value ? '1' : '0'; }

// Builds the padded text in one piece: inserting into the front of a short
// string makes GCC 12 at -O3 report a false -Wrestrict inside the library.
std::string ZeroPadded(const std::string& digits, std::size_t width) {
  std::string out(width > digits.size() ? width - digits.size() : 0, '0');
  out += digits;
  return out;
}

char Digit(int value) { return static_cast<char>('0' + value); }

std::string GeneralFlags(const Settings& s) {
  std::string flags(kGeneralFlags, '#');
  if (s.Language <= 9) {
    flags[0] = Digit(s.Language);
  } else if (s.Language <= 20) {
    flags[0] = static_cast<char>('a' + (s.Language - 10));
  } else {
    flags[0] = '0';
  }
  flags[1] = s.SoundOn ? (s.MusicOn ? '1' : '2') : (s.MusicOn ? '3' : '0');
  flags[2] = Flag(s.GifAnimation);
  flags[3] = Flag(s.FlyCards);
  flags[4] = s.ClubMode == 2 ? '2' : '1';
  flags[5] = Flag(s.NetGame);
  flags[6] = Flag(s.OwnCursor);
  flags[7] = s.Speed >= 1 && s.Speed <= 6 ? Digit(s.Speed) : '4';
  if (s.WindowSize >= 1 && s.WindowSize <= 5) flags[8] = Digit(s.WindowSize);
  if (s.StartReported) flags[9] = 'R';
  if (s.LikeSent) flags[10] = 'L';
  flags[11] = s.RadioListFromServer ? '0' : '1';
  flags[12] = std::to_string(s.CaptionColor).front();
  flags[13] = Flag(s.NewButtons);
  flags[14] = Flag(s.DialogDesignPurple);
  flags[15] = s.DialogScheme >= 1 && s.DialogScheme <= 3 ? Digit(s.DialogScheme) : '1';
  flags[16] = Flag(s.MenuDesignPurple);
  flags[17] = Flag(s.TableDesignPurple);
  flags[18] = Flag(s.SaluteButtons);
  flags[19] = Flag(s.SaluteCards);
  return flags;
}

std::optional<std::string> ReadFileHead(const std::filesystem::path& file, bool& cut) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kMaxFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  cut = bytes.size() > kMaxFileBytes;
  if (cut) bytes.resize(kMaxFileBytes);
  return bytes;
}

}  // namespace

void ClearPassport(Settings& s) {
  s.TopTenServicePath.clear();
  s.Nick.clear();
  s.Country.clear();
  s.City.clear();
  s.Sex.clear();
  s.StatServicePath.clear();
}

LoadedSettings ParseSettings(std::string_view bytes, const ServiceLineDefaults& services) {
  return ParseLines(SplitLines(bytes, false), services);
}

std::string FormatSettings(const Settings& s) {
  std::string out;
  const auto line = [&out](std::string_view text) {
    out += text;
    out += kLineEnd;
  };
  line("<# General>");
  line(GeneralFlags(s));
  line("<# Cards>");
  line(std::to_string(s.CardDeck));
  line("<# Decks>");
  line(ZeroPadded(std::to_string(s.BackDeck), 2) + Flag(s.SameBack));
  line("<# Individual>");
  line(std::string{Flag(s.GameTo8), Flag(s.DeadHeat)} + "####");
  line("<# Fonts>");
  line(FileText(s.FontLarge));
  line(FileText(s.FontSmall));
  line(FileText(s.FontSpecial1));
  line(FileText(s.FontSpecial2));
  line(std::to_string(s.FontLargeScale));
  line(std::to_string(s.FontSmallScale));
  line(std::to_string(s.FontSpecial1Scale));
  line(std::to_string(s.FontSpecial2Scale));
  line("<# IP & Port>");
  line(FileText(s.NetAddress));
  line(FileText(s.NetPort));
  line("<# Background>");
  line(ZeroPadded(std::to_string(s.BackgroundSet) + std::to_string(s.BackgroundVariant), 3));
  line("<# Name Of Player>");
  line(FileText(s.PlayerName));
  line("<# World Top Ten>");
  line(FileText(s.TopTenServicePath));
  line(FileText(s.Nick, kNickLength));
  line(FileText(s.Country, kCountryLength));
  line(FileText(s.City, kCityLength));
  line(FileText(s.Sex, kSexLength));
  line(FileText(s.StatServicePath));
  line("<# Save Games as GIF>");
  line(std::string(1, s.SaveGif ? kSaveGifOn : kSaveGifOff));
  line(std::to_string(s.GifArea));
  line(std::to_string(s.GifDelay));
  return out;
}

LoadedSettings LoadSettings(const std::filesystem::path& file,
                            const ServiceLineDefaults& services) {
  // A file that cannot be opened is tried once more before the defaults win.
  for (int attempt = 0; attempt < 2; ++attempt) {
    bool cut = false;
    if (const auto bytes = ReadFileHead(file, cut)) {
      return ParseLines(SplitLines(*bytes, cut), services);
    }
  }
  return ParseLines({}, services);
}

bool SaveSettings(const std::filesystem::path& file, const Settings& settings) {
  const std::string bytes = FormatSettings(settings);
  return ReplaceFileContents(file, bytes) || ReplaceFileContents(file, bytes);
}

void ResetFontNames(Settings& settings) {
  settings.FontLarge = "Comic Sans MS";
  settings.FontSmall = "Comic Sans MS";
  settings.FontSpecial1 = "Fixedsys";
  settings.FontSpecial2 = "Courier New";
}

}  // namespace tarvel
