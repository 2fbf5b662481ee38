#include "settings_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <iterator>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "cp1251.h"
#include "settings_test_support.h"

namespace tarvel {

// Failures show a record as the file it would write.
void PrintTo(const Settings& settings, std::ostream* os) { *os << '\n' << FormatSettings(settings); }

namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const ServiceLineDefaults kServices{"DefTop", "DefStat"};

// The file of a default record whose service lines are "TopLine" and
// "StatLine", written out by hand.
constexpr std::string_view kDefaultFile =
    "<# General>\r\n"
    "011110141RL010020011\r\n"
    "<# Cards>\r\n"
    "0\r\n"
    "<# Decks>\r\n"
    "000\r\n"
    "<# Individual>\r\n"
    "00####\r\n"
    "<# Fonts>\r\n"
    "Comic Sans MS\r\n"
    "Comic Sans MS\r\n"
    "FixedSys\r\n"
    "Courier New\r\n"
    "100\r\n"
    "100\r\n"
    "100\r\n"
    "100\r\n"
    "<# IP & Port>\r\n"
    "127.0.0.1\r\n"
    "25666\r\n"
    "<# Background>\r\n"
    "020\r\n"
    "<# Name Of Player>\r\n"
    "Mr.X\r\n"
    "<# World Top Ten>\r\n"
    "TopLine\r\n"
    "Incognito\r\n"
    "1-001\r\n"
    "Moscow\r\n"
    "M\r\n"
    "StatLine\r\n"
    "<# Save Games as GIF>\r\n"
    "\xEB\r\n"
    "1\r\n"
    "1000\r\n";

// What a run without a usable file holds: the defaults, with the passport
// and the service lines empty.
Settings WithoutFile() {
  Settings s;
  ClearPassport(s);
  return s;
}

// A record in which every field differs from its default.
Settings NonDefault() {
  Settings s;
  s.Language = 5;
  s.SoundOn = false;
  s.MusicOn = true;
  s.GifAnimation = false;
  s.FlyCards = false;
  s.ClubMode = 2;
  s.NetGame = true;
  s.OwnCursor = false;
  s.Speed = 6;
  s.WindowSize = 5;
  s.StartReported = false;
  s.LikeSent = false;
  s.RadioListFromServer = false;
  s.CaptionColor = 7;
  s.NewButtons = true;
  s.DialogDesignPurple = true;
  s.DialogScheme = 3;
  s.MenuDesignPurple = true;
  s.TableDesignPurple = true;
  s.SaluteButtons = false;
  s.SaluteCards = false;
  s.CardDeck = 47;
  s.BackDeck = 12;
  s.SameBack = true;
  s.GameTo8 = true;
  s.DeadHeat = true;
  s.FontLarge = "DejaVu Sans";
  s.FontSmall = "Liberation Serif";
  s.FontSpecial1 = "Terminus";
  s.FontSpecial2 = "Liberation Mono";
  s.FontLargeScale = 50;
  s.FontSmallScale = 75;
  s.FontSpecial1Scale = 125;
  s.FontSpecial2Scale = 150;
  s.NetAddress = "192.168.0.17";
  s.NetPort = "31000";
  s.BackgroundSet = 10;
  s.BackgroundVariant = 6;
  s.PlayerName = "Иван Петрович";
  s.TopTenServicePath = "Kx3-top_";
  s.Nick = "Гроссмейстер";  // 12 characters
  s.Country = "6-054";
  s.City = "Санкт-Петербург";  // 15 characters
  s.Sex = "W";
  s.StatServicePath = "Zq_stat";
  s.SaveGif = true;
  s.GifArea = 2;
  s.GifDelay = 5000;
  return s;
}

std::vector<std::string> SplitCrLf(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const auto end = bytes.find("\r\n");
    lines.emplace_back(bytes.substr(0, end));
    bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 2);
  }
  return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line + "\r\n";
  return bytes;
}

std::vector<std::string> NonDefaultLines() { return SplitCrLf(FormatSettings(NonDefault())); }

// The non-default file with line `number` (1-based) replaced.
std::string WithLine(int number, std::string text) {
  auto lines = NonDefaultLines();
  lines.at(static_cast<std::size_t>(number - 1)) = std::move(text);
  return JoinCrLf(lines);
}

// The values a parse of the non-default file holds when it stops at line
// `stop` without taking anything from it: the lines before it applied, the
// defaults after it. Built by parsing a file whose lines before `stop` are
// the non-default ones and whose other lines are those of the defaults.
Settings StoppedAt(int stop) {
  Settings defaults;
  defaults.TopTenServicePath = kServices.TopTenServicePath;
  defaults.StatServicePath = kServices.StatServicePath;
  auto lines = SplitCrLf(FormatSettings(defaults));
  const auto nonDefault = NonDefaultLines();
  for (std::size_t i = 0; i + 1 < static_cast<std::size_t>(stop); ++i) lines[i] = nonDefault[i];
  Settings expected = ParseSettings(JoinCrLf(lines), kServices).Values;
  if (stop <= 24) {
    // The passport and the service lines come only with the player name.
    expected.TopTenServicePath.clear();
    expected.Nick.clear();
    expected.Country.clear();
    expected.City.clear();
    expected.Sex.clear();
    expected.StatServicePath.clear();
  }
  return expected;
}

TEST(SettingsFormat, DefaultRecordGivesTheHandWrittenFile) {
  Settings s;
  s.TopTenServicePath = "TopLine";
  s.StatServicePath = "StatLine";
  EXPECT_EQ(FormatSettings(s), kDefaultFile);

  TempDir dir;
  const auto file = dir.path() / kSettingsFileName;
  ASSERT_TRUE(SaveSettings(file, s));
  EXPECT_EQ(ReadBytes(file), kDefaultFile);
}

TEST(SettingsFormat, HandWrittenFileReadsAsTheDefaults) {
  const LoadedSettings loaded = ParseSettings(kDefaultFile, kServices);
  Settings expected;
  expected.TopTenServicePath = "TopLine";
  expected.StatServicePath = "StatLine";
  EXPECT_EQ(loaded.Values, expected);
  EXPECT_EQ(loaded.AppliedLines, kSettingsLines);
  EXPECT_TRUE(loaded.ReachedLastLine());
}

TEST(SettingsFormat, NonDefaultLinesAreWrittenAsSpelledOut) {
  const auto lines = NonDefaultLines();
  ASSERT_EQ(lines.size(), 35u);
  EXPECT_EQ(lines[1], "530021065##171131100");
  EXPECT_EQ(lines[3], "47");
  EXPECT_EQ(lines[5], "121");
  EXPECT_EQ(lines[7], "11####");
  EXPECT_EQ(lines[21], "106");
  EXPECT_EQ(lines[23], "\xC8\xE2\xE0\xED \xCF\xE5\xF2\xF0\xEE\xE2\xE8\xF7");
  EXPECT_EQ(lines[32], "\xE8");
  EXPECT_EQ(lines[33], "2");
  EXPECT_EQ(lines[34], "5000");
}

TEST(SettingsFormat, NonDefaultRecordRoundTripsThroughTheFile) {
  TempDir dir;
  const auto file = dir.path() / kSettingsFileName;
  ASSERT_TRUE(SaveSettings(file, NonDefault()));
  const LoadedSettings loaded = LoadSettings(file, kServices);
  EXPECT_EQ(loaded.Values, NonDefault());
  EXPECT_EQ(loaded.AppliedLines, kSettingsLines);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "Tarvel.ini.tmp"));
}

TEST(SettingsFormat, MissingFileThenSaveWritesEmptyPassportLines) {
  TempDir dir;
  const auto file = dir.path() / kSettingsFileName;
  const LoadedSettings loaded = LoadSettings(file, kServices);
  EXPECT_EQ(loaded.Values, WithoutFile());
  EXPECT_EQ(loaded.AppliedLines, 0);
  EXPECT_FALSE(loaded.ReachedLastLine());

  ASSERT_TRUE(SaveSettings(file, loaded.Values));
  auto lines = SplitCrLf(kDefaultFile);
  for (int n = 26; n <= 31; ++n) lines[static_cast<std::size_t>(n - 1)].clear();
  EXPECT_EQ(ReadBytes(file), JoinCrLf(lines));

  // The next start finds an empty line 26 and keeps the passport defaults
  // that came with the player name.
  const LoadedSettings next = LoadSettings(file, kServices);
  Settings expected;
  expected.TopTenServicePath = kServices.TopTenServicePath;
  expected.StatServicePath = kServices.StatServicePath;
  EXPECT_EQ(next.Values, expected);
  EXPECT_EQ(next.AppliedLines, 25);
}

TEST(SettingsFormat, StartUpResetsOnlyTheFontNames) {
  Settings s = NonDefault();
  ResetFontNames(s);
  Settings expected = NonDefault();
  expected.FontLarge = "Comic Sans MS";
  expected.FontSmall = "Comic Sans MS";
  expected.FontSpecial1 = "Fixedsys";
  expected.FontSpecial2 = "Courier New";
  EXPECT_EQ(s, expected);
  EXPECT_EQ(s.FontSpecial2Scale, 150);
}

TEST(SettingsFormat, TextsWithLineBreaksCannotShiftTheLines) {
  Settings s = NonDefault();
  s.PlayerName = "Two\r\nLines";
  s.NetAddress = "10.0.0.1\n";
  const LoadedSettings loaded = ParseSettings(FormatSettings(s), kServices);
  EXPECT_EQ(loaded.AppliedLines, kSettingsLines);
  EXPECT_EQ(loaded.Values.PlayerName, "Two  Lines");
  EXPECT_EQ(loaded.Values.NetAddress, "10.0.0.1 ");
  EXPECT_EQ(loaded.Values.GifDelay, 5000);
}

TEST(SettingsFormat, PassportIsWrittenAtItsLengths) {
  Settings s = NonDefault();
  s.Nick = "ABCDEFGHIJKLMNOP";
  s.City = "Москва-на-Волге-и-Оке";
  s.Sex = "WM";
  const auto lines = SplitCrLf(FormatSettings(s));
  EXPECT_EQ(lines[26], "ABCDEFGHIJKL");
  EXPECT_EQ(Cp1251ToUtf8(lines[28]), "Москва-на-Волге");
  EXPECT_EQ(lines[29], "W");
}

TEST(SettingsFormat, UnmappableCharactersAreWrittenAsQuestionMarks) {
  Settings s = NonDefault();
  s.PlayerName = "玩家 Čapek";
  const LoadedSettings loaded = ParseSettings(FormatSettings(s), kServices);
  EXPECT_EQ(loaded.Values.PlayerName, "?? ?apek");
}

// Saving and reading back a record changed in one field.
struct WriteReadCase {
  const char* name;
  std::function<void(Settings&)> change;
  std::function<void(Settings&)> expect;  // applied to the written record
};

TEST(SettingsFormat, OutOfRangeValuesAreWrittenSoTheyReadBackSafely) {
  const WriteReadCase cases[] = {
      {"window size 0 is written '#' and reads as 1", [](Settings& s) { s.WindowSize = 0; },
       [](Settings& s) { s.WindowSize = 1; }},
      {"window size 6", [](Settings& s) { s.WindowSize = 6; }, [](Settings& s) { s.WindowSize = 1; }},
      {"speed 0 is written as 4", [](Settings& s) { s.Speed = 0; }, [](Settings& s) { s.Speed = 4; }},
      {"speed 9", [](Settings& s) { s.Speed = 9; }, [](Settings& s) { s.Speed = 4; }},
      {"dialog scheme 0 is written as 1", [](Settings& s) { s.DialogScheme = 0; },
       [](Settings& s) { s.DialogScheme = 1; }},
      {"club mode 3 is written as 1", [](Settings& s) { s.ClubMode = 3; },
       [](Settings& s) { s.ClubMode = 1; }},
      {"caption colour 0 keeps 1", [](Settings& s) { s.CaptionColor = 0; },
       [](Settings& s) { s.CaptionColor = 1; }},
      {"background set 0", [](Settings& s) { s.BackgroundSet = 0; }, [](Settings&) {}},
      {"background set 1 variant 5", [](Settings& s) { s.BackgroundSet = 1, s.BackgroundVariant = 5; },
       [](Settings&) {}},
      {"gif delay 9 keeps 1000", [](Settings& s) { s.GifDelay = 9; }, [](Settings& s) { s.GifDelay = 1000; }},
      {"negative font scale keeps 100", [](Settings& s) { s.FontSmallScale = -60; },
       [](Settings& s) { s.FontSmallScale = 100; }},
  };
  for (const WriteReadCase& c : cases) {
    Settings written = NonDefault();
    c.change(written);
    Settings expected = written;
    c.expect(expected);
    const LoadedSettings loaded = ParseSettings(FormatSettings(written), kServices);
    EXPECT_EQ(loaded.Values, expected) << c.name;
    EXPECT_EQ(loaded.AppliedLines, kSettingsLines) << c.name;
  }
  Settings zero = NonDefault();
  zero.WindowSize = 0;
  EXPECT_EQ(SplitCrLf(FormatSettings(zero))[1][8], '#');
}

TEST(SettingsFormat, SoundAndMusicCodes) {
  struct Case {
    bool sound;
    bool music;
    char code;
  };
  const Case cases[] = {{false, false, '0'}, {true, true, '1'}, {true, false, '2'}, {false, true, '3'}};
  for (const Case& c : cases) {
    Settings s;
    s.SoundOn = c.sound;
    s.MusicOn = c.music;
    const std::string bytes = FormatSettings(s);
    EXPECT_EQ(SplitCrLf(bytes)[1][1], c.code);
    const Settings back = ParseSettings(bytes, kServices).Values;
    EXPECT_EQ(back.SoundOn, c.sound) << c.code;
    EXPECT_EQ(back.MusicOn, c.music) << c.code;
  }
  // Any other code keeps both on.
  for (const char code : {'4', '9', '#', 'x'}) {
    std::string line2 = SplitCrLf(FormatSettings(NonDefault()))[1];
    line2[1] = code;
    const Settings back = ParseSettings(WithLine(2, line2), kServices).Values;
    EXPECT_TRUE(back.SoundOn) << code;
    EXPECT_TRUE(back.MusicOn) << code;
  }
}

// One character of line 2 against the field that it sets.
struct FlagCase {
  int position;
  char character;
  std::function<bool(const Settings&)> holds;
};

TEST(SettingsFormat, GeneralFlagCharactersAreReadByTheirOwnRules) {
  const FlagCase cases[] = {
      {1, '9', [](const Settings& s) { return s.Language == 9; }},
      {1, '0', [](const Settings& s) { return s.Language == 0; }},
      {1, 'a', [](const Settings& s) { return s.Language == 0; }},  // no 11th language here
      {1, 'k', [](const Settings& s) { return s.Language == 0; }},
      {1, '#', [](const Settings& s) { return s.Language == 0; }},
      {3, '0', [](const Settings& s) { return !s.GifAnimation; }},
      {3, 'x', [](const Settings& s) { return s.GifAnimation; }},
      {4, '0', [](const Settings& s) { return !s.FlyCards; }},
      {4, '#', [](const Settings& s) { return s.FlyCards; }},
      {5, '2', [](const Settings& s) { return s.ClubMode == 2; }},
      {5, '3', [](const Settings& s) { return s.ClubMode == 1; }},
      {6, '1', [](const Settings& s) { return s.NetGame; }},
      {6, 'Y', [](const Settings& s) { return !s.NetGame; }},
      {7, '0', [](const Settings& s) { return !s.OwnCursor; }},
      {7, 'N', [](const Settings& s) { return s.OwnCursor; }},
      {8, '1', [](const Settings& s) { return s.Speed == 1; }},
      {8, '7', [](const Settings& s) { return s.Speed == 4; }},
      {8, '0', [](const Settings& s) { return s.Speed == 4; }},
      {9, '5', [](const Settings& s) { return s.WindowSize == 5; }},
      {9, '#', [](const Settings& s) { return s.WindowSize == 1; }},
      {9, '6', [](const Settings& s) { return s.WindowSize == 1; }},
      {10, 'R', [](const Settings& s) { return s.StartReported; }},
      {10, 'r', [](const Settings& s) { return !s.StartReported; }},
      {11, 'L', [](const Settings& s) { return s.LikeSent; }},
      {11, '1', [](const Settings& s) { return !s.LikeSent; }},
      {12, '0', [](const Settings& s) { return s.RadioListFromServer; }},
      {12, '#', [](const Settings& s) { return !s.RadioListFromServer; }},
      {13, '4', [](const Settings& s) { return s.CaptionColor == 4; }},
      {13, '8', [](const Settings& s) { return s.CaptionColor == 1; }},
      {13, '0', [](const Settings& s) { return s.CaptionColor == 1; }},
      {14, '1', [](const Settings& s) { return s.NewButtons; }},
      {14, '2', [](const Settings& s) { return !s.NewButtons; }},
      {15, '1', [](const Settings& s) { return s.DialogDesignPurple; }},
      {16, '3', [](const Settings& s) { return s.DialogScheme == 3; }},
      {16, '4', [](const Settings& s) { return s.DialogScheme == 2; }},
      {17, '1', [](const Settings& s) { return s.MenuDesignPurple; }},
      {17, '#', [](const Settings& s) { return !s.MenuDesignPurple; }},
      {18, '1', [](const Settings& s) { return s.TableDesignPurple; }},
      {19, '0', [](const Settings& s) { return !s.SaluteButtons; }},
      {19, '#', [](const Settings& s) { return s.SaluteButtons; }},
      {20, '0', [](const Settings& s) { return !s.SaluteCards; }},
      {20, '2', [](const Settings& s) { return s.SaluteCards; }},
  };
  for (const FlagCase& c : cases) {
    std::string line2 = "####################";
    line2[static_cast<std::size_t>(c.position - 1)] = c.character;
    if (c.position != 13) line2[12] = '1';  // a '#' there would end the parse
    const LoadedSettings loaded = ParseSettings(WithLine(2, line2), kServices);
    EXPECT_TRUE(c.holds(loaded.Values)) << "position " << c.position << " '" << c.character << "'";
    EXPECT_EQ(loaded.AppliedLines, kSettingsLines) << c.position;
  }
}

TEST(SettingsFormat, ShortGeneralLineLeavesTheLaterFlagsAtTheirDefaults) {
  const LoadedSettings loaded = ParseSettings(WithLine(2, "73002"), kServices);
  Settings expected = NonDefault();
  // Positions 1 to 5 from the line.
  expected.Language = 7;
  expected.SoundOn = false;
  expected.MusicOn = true;
  expected.GifAnimation = false;
  expected.FlyCards = false;
  expected.ClubMode = 2;
  // Positions 6 to 20 at their defaults.
  const Settings d;
  expected.NetGame = d.NetGame;
  expected.OwnCursor = d.OwnCursor;
  expected.Speed = d.Speed;
  expected.WindowSize = d.WindowSize;
  expected.StartReported = d.StartReported;
  expected.LikeSent = d.LikeSent;
  expected.RadioListFromServer = d.RadioListFromServer;
  expected.CaptionColor = d.CaptionColor;
  expected.NewButtons = d.NewButtons;
  expected.DialogDesignPurple = d.DialogDesignPurple;
  expected.DialogScheme = d.DialogScheme;
  expected.MenuDesignPurple = d.MenuDesignPurple;
  expected.TableDesignPurple = d.TableDesignPurple;
  expected.SaluteButtons = d.SaluteButtons;
  expected.SaluteCards = d.SaluteCards;
  EXPECT_EQ(loaded.Values, expected);
  EXPECT_EQ(loaded.AppliedLines, kSettingsLines);

  const LoadedSettings empty = ParseSettings(WithLine(2, ""), kServices);
  EXPECT_EQ(empty.Values.Language, 0);
  EXPECT_TRUE(empty.Values.SaluteCards);
  EXPECT_EQ(empty.Values.CardDeck, 47);
  EXPECT_EQ(empty.AppliedLines, kSettingsLines);
}

// A complete file with one line changed: how far the parse gets, and what
// the changed line itself gives.
struct LineCase {
  const char* name;
  int line;
  std::string text;
  int applied;  // AppliedLines
  std::function<void(Settings&)> expect;  // on NonDefault(), when applied == 35
};

TEST(SettingsParse, OneChangedLine) {
  const LineCase cases[] = {
      {"empty line 19 gives an empty address and goes on", 19, "", 35,
       [](Settings& s) { s.NetAddress = ""; }},
      {"line 22 020", 22, "020", 35, [](Settings& s) { s.BackgroundSet = 2, s.BackgroundVariant = 0; }},
      {"line 22 103", 22, "103", 35, [](Settings& s) { s.BackgroundSet = 10, s.BackgroundVariant = 3; }},
      {"line 22 000", 22, "000", 35, [](Settings& s) { s.BackgroundSet = 0, s.BackgroundVariant = 0; }},
      {"line 22 set 11 out of range", 22, "113", 35,
       [](Settings& s) { s.BackgroundSet = 2, s.BackgroundVariant = 3; }},
      {"line 22 variant 7 out of range", 22, "017", 35,
       [](Settings& s) { s.BackgroundSet = 1, s.BackgroundVariant = 0; }},
      {"country 7-001", 28, "7-001", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 1-049", 28, "1-049", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 1-048", 28, "1-048", 35, [](Settings& s) { s.Country = "1-048"; }},
      {"country 2-051", 28, "2-051", 35, [](Settings& s) { s.Country = "2-051"; }},
      {"country 2-052", 28, "2-052", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 3-035", 28, "3-035", 35, [](Settings& s) { s.Country = "3-035"; }},
      {"country 3-036", 28, "3-036", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 4-014", 28, "4-014", 35, [](Settings& s) { s.Country = "4-014"; }},
      {"country 4-015", 28, "4-015", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 5-023", 28, "5-023", 35, [](Settings& s) { s.Country = "5-023"; }},
      {"country 5-024", 28, "5-024", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 6-055", 28, "6-055", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 0-001", 28, "0-001", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 1-000", 28, "1-000", 35, [](Settings& s) { s.Country = "1-000"; }},
      {"country 1_001", 28, "1_001", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 1-0a1", 28, "1-0a1", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"country 1--01", 28, "1--01", 35, [](Settings& s) { s.Country = "1-001"; }},
      {"sex X reads as M", 30, "X", 35, [](Settings& s) { s.Sex = "M"; }},
      {"sex w reads as M", 30, "w", 35, [](Settings& s) { s.Sex = "M"; }},
      {"sex Woman reads as W", 30, "Woman", 35, [](Settings& s) { s.Sex = "W"; }},
      {"sex M", 30, "M", 35, [](Settings& s) { s.Sex = "M"; }},
      {"nick cut to 12", 27, "ABCDEFGHIJKLMNOP", 35, [](Settings& s) { s.Nick = "ABCDEFGHIJKL"; }},
      {"Cyrillic nick cut to 12", 27, Utf8ToCp1251("Суперкомпьютер"), 35,
       [](Settings& s) { s.Nick = "Суперкомпьют"; }},
      {"city cut to 15", 29, "Llanfairpwllgwyngyll", 35, [](Settings& s) { s.City = "Llanfairpwllgwy"; }},
      {"empty line 31 gives an empty statistics line", 31, "", 35,
       [](Settings& s) { s.StatServicePath = ""; }},
      {"line 33 other byte", 33, "\xEB", 35, [](Settings& s) { s.SaveGif = false; }},
      {"line 33 two bytes", 33, "\xE8\xE8", 35, [](Settings& s) { s.SaveGif = false; }},
      {"line 33 empty", 33, "", 35, [](Settings& s) { s.SaveGif = false; }},
      {"line 8 only the first", 8, "1", 35, [](Settings& s) { s.GameTo8 = true, s.DeadHeat = false; }},
      {"line 8 only the second", 8, "01", 35, [](Settings& s) { s.GameTo8 = false, s.DeadHeat = true; }},
      {"line 8 empty", 8, "", 35, [](Settings& s) { s.GameTo8 = false, s.DeadHeat = false; }},
      {"line 6 same back only from '1'", 6, "07x", 35, [](Settings& s) { s.BackDeck = 7, s.SameBack = false; }},
      {"headers are not compared", 1, "[General]", 35, [](Settings&) {}},
      {"header 25 may be empty", 25, "", 35, [](Settings&) {}},
      {"header 32 may be empty", 32, "", 35, [](Settings&) {}},
      {"card deck 48 out of range keeps 0", 4, "48", 35, [](Settings& s) { s.CardDeck = 0; }},
      {"back deck 13 out of range keeps 0", 6, "131", 35, [](Settings& s) { s.BackDeck = 0; }},
      {"font scale 151 keeps 100", 16, "151", 35, [](Settings& s) { s.FontSpecial1Scale = 100; }},
      {"font scale 49 keeps 100", 14, "49", 35, [](Settings& s) { s.FontLargeScale = 100; }},
      {"gif area 3 keeps 1", 34, "3", 35, [](Settings& s) { s.GifArea = 1; }},
      {"gif delay 99999999999 keeps 1000", 35, "99999999999", 34, nullptr},
      {"gif delay 5001 keeps 1000", 35, "5001", 35, [](Settings& s) { s.GifDelay = 1000; }},
      {"line 4 not a number", 4, "4x", 3, nullptr},
      {"line 4 empty", 4, "", 3, nullptr},
      {"line 6 too short", 6, "0", 5, nullptr},
      {"line 6 of two characters", 6, "07", 5, nullptr},
      {"line 6 not a number", 6, "x71", 5, nullptr},
      {"line 10 of one character", 10, "X", 9, nullptr},
      {"line 13 empty", 13, "", 12, nullptr},
      {"line 14 not a number", 14, "abc", 13, nullptr},
      {"line 17 with a blank", 17, "10 0", 16, nullptr},
      {"empty header 18", 18, "", 17, nullptr},
      {"empty port", 20, "", 19, nullptr},
      {"empty header 21", 21, "", 20, nullptr},
      {"empty line 22", 22, "", 21, nullptr},
      {"line 22 of two characters", 22, "20", 21, nullptr},
      {"line 22 with a letter", 22, "0x3", 21, nullptr},
      {"empty header 23", 23, "", 22, nullptr},
      {"empty player name", 24, "", 23, nullptr},
      {"empty top ten line", 26, "", 25, nullptr},
      {"empty nick", 27, "", 26, nullptr},
      {"four-character country", 28, "1-01", 27, nullptr},
      {"six-character country", 28, "1-0010", 27, nullptr},
      {"empty city", 29, "", 28, nullptr},
      {"empty sex", 30, "", 29, nullptr},
      {"empty gif area", 34, "", 33, nullptr},
      {"gif delay with a letter", 35, "1O00", 34, nullptr},
  };
  for (const LineCase& c : cases) {
    const LoadedSettings loaded = ParseSettings(WithLine(c.line, c.text), kServices);
    EXPECT_EQ(loaded.AppliedLines, c.applied) << c.name;
    Settings expected;
    if (c.applied == kSettingsLines) {
      expected = NonDefault();
      c.expect(expected);
    } else {
      expected = StoppedAt(c.applied + 1);
    }
    EXPECT_EQ(loaded.Values, expected) << c.name;
  }
}

TEST(SettingsParse, LetterAtPosition13EndsTheParseAfterTheFirstTwelveFlags) {
  const LoadedSettings loaded = ParseSettings(WithLine(2, "530021065##1x1131100"), kServices);
  EXPECT_EQ(loaded.AppliedLines, 1);
  Settings expected = WithoutFile();
  expected.Language = 5;
  expected.SoundOn = false;
  expected.MusicOn = true;
  expected.GifAnimation = false;
  expected.FlyCards = false;
  expected.ClubMode = 2;
  expected.NetGame = true;
  expected.OwnCursor = false;
  expected.Speed = 6;
  expected.WindowSize = 5;
  expected.StartReported = false;
  expected.LikeSent = false;
  expected.RadioListFromServer = false;
  EXPECT_EQ(loaded.Values, expected);
}

TEST(SettingsParse, TooShortLineSixEndsTheParseBeforeFontsAndPassport) {
  const LoadedSettings loaded = ParseSettings(WithLine(6, "0"), kServices);
  const Settings& s = loaded.Values;
  EXPECT_EQ(s.CardDeck, 47);  // line 4 was read
  EXPECT_EQ(s.Language, 5);
  EXPECT_EQ(s.BackDeck, 0);
  EXPECT_EQ(s.FontLarge, "Comic Sans MS");
  EXPECT_EQ(s.NetAddress, "127.0.0.1");
  EXPECT_EQ(s.BackgroundSet, 2);
  EXPECT_EQ(s.PlayerName, "Mr.X");
  EXPECT_EQ(s.Nick, "");
  EXPECT_EQ(s.Country, "");
  EXPECT_EQ(s.TopTenServicePath, "");
  EXPECT_FALSE(s.SaveGif);
  EXPECT_FALSE(loaded.ReachedLastLine());
}

TEST(SettingsParse, EmptyLine23EndsTheParseJustBeforeThePlayerName) {
  const LoadedSettings loaded = ParseSettings(WithLine(23, ""), kServices);
  EXPECT_EQ(loaded.Values.BackgroundSet, 10);
  EXPECT_EQ(loaded.Values.BackgroundVariant, 6);
  EXPECT_EQ(loaded.Values.PlayerName, "Mr.X");
  EXPECT_EQ(loaded.Values.Nick, "");
  EXPECT_EQ(loaded.Values.StatServicePath, "");
}

TEST(SettingsParse, PassportDefaultsComeWithThePlayerName) {
  // The parse ends at line 27: the passport and the service lines hold their
  // defaults except the top ten line, read from line 26.
  const LoadedSettings loaded = ParseSettings(WithLine(27, ""), kServices);
  EXPECT_EQ(loaded.Values.PlayerName, "Иван Петрович");
  EXPECT_EQ(loaded.Values.TopTenServicePath, "Kx3-top_");
  EXPECT_EQ(loaded.Values.Nick, "Incognito");
  EXPECT_EQ(loaded.Values.Country, "1-001");
  EXPECT_EQ(loaded.Values.City, "Moscow");
  EXPECT_EQ(loaded.Values.Sex, "M");
  EXPECT_EQ(loaded.Values.StatServicePath, "DefStat");
  EXPECT_FALSE(loaded.ReachedLastLine());
  EXPECT_TRUE(ParseSettings(WithLine(35, "x"), kServices).ReachedLastLine());
}

TEST(SettingsParse, LineCountAndLineEnds) {
  const std::string full = FormatSettings(NonDefault());
  auto lines = NonDefaultLines();

  struct Case {
    const char* name;
    std::string bytes;
    bool complete;
  };
  std::string lf = full;
  for (std::size_t at = lf.find("\r\n"); at != std::string::npos; at = lf.find("\r\n", at)) {
    lf.erase(at, 1);
  }
  std::string cr = full;
  for (std::size_t at = cr.find("\r\n"); at != std::string::npos; at = cr.find("\r\n", at)) {
    cr.erase(at + 1, 1);
  }
  std::vector<std::string> head(lines.begin(), lines.begin() + 34);
  const Case cases[] = {
      {"empty file", "", false},
      {"34 lines", JoinCrLf(head), false},
      {"34 lines and a blank line end", JoinCrLf(head) + "\r\n", true},
      {"35 lines without the last line end", full.substr(0, full.size() - 2), true},
      {"35 lines", full, true},
      {"36 lines", full + "extra\r\n", true},
      {"line feeds only", lf, true},
      {"carriage returns only", cr, true},
  };
  for (const Case& c : cases) {
    const LoadedSettings loaded = ParseSettings(c.bytes, kServices);
    if (c.complete) {
      EXPECT_GE(loaded.AppliedLines, 34) << c.name;
    } else {
      EXPECT_EQ(loaded.AppliedLines, 0) << c.name;
      EXPECT_EQ(loaded.Values, WithoutFile()) << c.name;
    }
  }
  EXPECT_EQ(ParseSettings(lf, kServices).Values, NonDefault());
  EXPECT_EQ(ParseSettings(cr, kServices).Values, NonDefault());
}

// Whatever the bytes, every field stays inside the range its users index by.
void ExpectSafeValues(const Settings& s, const std::string& what) {
  SCOPED_TRACE(what);
  EXPECT_LE(s.Language, 9);
  EXPECT_TRUE(s.ClubMode == 1 || s.ClubMode == 2);
  EXPECT_GE(s.Speed, 1);
  EXPECT_LE(s.Speed, 6);
  EXPECT_GE(s.WindowSize, 1);
  EXPECT_LE(s.WindowSize, 5);
  EXPECT_GE(s.CaptionColor, 1);
  EXPECT_LE(s.CaptionColor, 7);
  EXPECT_GE(s.DialogScheme, 1);
  EXPECT_LE(s.DialogScheme, 3);
  EXPECT_LE(s.CardDeck, 47);
  EXPECT_LE(s.BackDeck, 12);
  for (const int scale : {s.FontLargeScale, s.FontSmallScale, s.FontSpecial1Scale, s.FontSpecial2Scale}) {
    EXPECT_GE(scale, 50);
    EXPECT_LE(scale, 150);
  }
  EXPECT_GE(s.BackgroundSet, 0);
  EXPECT_LE(s.BackgroundSet, 10);
  EXPECT_GE(s.BackgroundVariant, 0);
  EXPECT_LE(s.BackgroundVariant, 6);
  EXPECT_GE(s.GifArea, 1);
  EXPECT_LE(s.GifArea, 2);
  EXPECT_GE(s.GifDelay, 10);
  EXPECT_LE(s.GifDelay, 5000);
  EXPECT_LE(Utf8ToCp1251(s.Nick).size(), kNickLength);
  EXPECT_LE(Utf8ToCp1251(s.City).size(), kCityLength);
  EXPECT_TRUE(s.Sex.empty() || s.Sex == "M" || s.Sex == "W");
  EXPECT_TRUE(s.Country.empty() || s.Country.size() == 5);
  // The texts in memory are valid UTF-8 that converts back unchanged.
  EXPECT_EQ(Cp1251ToUtf8(Utf8ToCp1251(s.PlayerName)), s.PlayerName);
}

TEST(SettingsMalformed, RandomBytesNeverCrashAndStayInRange) {
  std::mt19937 random(87);
  // Bytes that matter to the format come up often.
  const std::string favoured = "\r\n0123456789-#RLMW\xE8\xEB";
  for (int round = 0; round < 1500; ++round) {
    const std::size_t length = random() % 2000;
    std::string bytes(length, '\0');
    for (char& c : bytes) {
      c = random() % 3 == 0 ? favoured[random() % favoured.size()] : static_cast<char>(random());
    }
    ExpectSafeValues(ParseSettings(bytes, kServices).Values, "random round " + std::to_string(round));
  }
}

TEST(SettingsMalformed, DamagedValidFilesStayInRange) {
  std::mt19937 random(1251);
  const std::string original = FormatSettings(NonDefault());
  for (int round = 0; round < 1500; ++round) {
    std::string bytes = original;
    for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
      bytes[random() % bytes.size()] = static_cast<char>(random());
    }
    const LoadedSettings loaded = ParseSettings(bytes, kServices);
    ExpectSafeValues(loaded.Values, "damaged round " + std::to_string(round));
    EXPECT_LE(loaded.AppliedLines, kSettingsLines);
  }
}

TEST(SettingsMalformed, BinaryZerosAndLongLines) {
  std::vector<std::string> zeros(35, std::string(3, '\0'));
  const LoadedSettings zeroLines = ParseSettings(JoinCrLf(zeros), kServices);
  EXPECT_EQ(zeroLines.AppliedLines, 3);  // line 4 is not a number
  ExpectSafeValues(zeroLines.Values, "zero lines");

  const LoadedSettings onlyZeros = ParseSettings(std::string(10000, '\0'), kServices);
  EXPECT_EQ(onlyZeros.Values, WithoutFile());

  const std::string longName(100000, 'N');
  const LoadedSettings longLine = ParseSettings(WithLine(24, longName), kServices);
  EXPECT_EQ(longLine.Values.PlayerName, longName);
  EXPECT_EQ(longLine.AppliedLines, kSettingsLines);

  std::string zeroInName = "Ann";
  zeroInName += '\0';
  zeroInName += "Lee";
  EXPECT_EQ(ParseSettings(WithLine(24, zeroInName), kServices).Values.PlayerName, zeroInName);
}

TEST(SettingsMalformed, FilesThatCannotBeReadGiveTheDefaults) {
  TempDir dir;
  // A directory where the file should be.
  const auto directory = dir.path() / "AsFolder.ini";
  std::filesystem::create_directory(directory);
  EXPECT_EQ(LoadSettings(directory, kServices).Values, WithoutFile());
  // A file under a path whose parent is a file.
  const auto plain = dir.path() / "plain";
  WriteBytes(plain, "x");
  EXPECT_EQ(LoadSettings(plain / kSettingsFileName, kServices).Values, WithoutFile());
  // A missing file.
  EXPECT_EQ(LoadSettings(dir.path() / "missing.ini", kServices).AppliedLines, 0);
  // A file far larger than any settings file: only its head is read, and a
  // head that does not hold 35 whole lines counts as a short file.
  const auto huge = dir.path() / "huge.ini";
  WriteBytes(huge, WithLine(2, std::string(3 << 20, '1')));
  const LoadedSettings loaded = LoadSettings(huge, kServices);
  EXPECT_EQ(loaded.AppliedLines, 0);
  EXPECT_EQ(loaded.Values, WithoutFile());
  // The same large line late in a file is cut off after line 35 was read.
  const auto hugeTail = dir.path() / "huge-tail.ini";
  WriteBytes(hugeTail, FormatSettings(NonDefault()) + std::string(3 << 20, 'z'));
  EXPECT_EQ(LoadSettings(hugeTail, kServices).Values, NonDefault());
}

TEST(SettingsSave, ReplacesTheOldFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  const auto file = dir.path() / kSettingsFileName;
  WriteBytes(file, "old contents that are longer than nothing");
  ASSERT_TRUE(SaveSettings(file, NonDefault()));
  EXPECT_EQ(ReadBytes(file), FormatSettings(NonDefault()));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

// Places that cannot take the file, also for a process that runs as root.
TEST(SettingsSave, FailureIsReportedAndTheOldFileStays) {
  TempDir dir;
  const std::string old = FormatSettings(Settings{});

  // The target is a folder: the rename fails and the temporary file goes.
  const auto folder = dir.path() / "Folder.ini";
  std::filesystem::create_directory(folder);
  WriteBytes(folder / "inside", "i");
  EXPECT_FALSE(SaveSettings(folder, NonDefault()));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(ReadBytes(folder / "inside"), "i");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

  // The parent is a file.
  const auto plain = dir.path() / "plain";
  WriteBytes(plain, "p");
  EXPECT_FALSE(SaveSettings(plain / kSettingsFileName, NonDefault()));
  EXPECT_EQ(ReadBytes(plain), "p");
}

TEST(SettingsSave, ReadOnlyFolderIsReported) {
  if (::geteuid() == 0) GTEST_SKIP() << "permission bits do not stop root";
  TempDir dir;
  const auto folder = dir.path() / "locked";
  std::filesystem::create_directory(folder);
  const auto file = folder / kSettingsFileName;
  const std::string old = FormatSettings(Settings{});
  WriteBytes(file, old);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  EXPECT_FALSE(SaveSettings(file, NonDefault()));
  EXPECT_EQ(ReadBytes(file), old);
}

}  // namespace
}  // namespace tarvel

namespace tarvel {
namespace {

// A first run starts without a file; what it saves after the program has
// filled the fields the parse needs must come back whole, every field the
// user changed included.
TEST(SettingsFill, FirstRunChangesEveryFieldAndReadsItBack) {
  TempDir dir;
  const auto file = dir.path() / kSettingsFileName;
  Settings settings = LoadSettings(file, kServices).Values;
  FillUnreadableFields(settings, kServices);
  Settings expected = WithoutFile();
  expected.Nick = "Incognito";
  expected.Country = "1-001";
  expected.City = "Moscow";
  expected.Sex = "M";
  expected.TopTenServicePath = kServices.TopTenServicePath;
  expected.StatServicePath = kServices.StatServicePath;
  EXPECT_EQ(settings, expected);

  ASSERT_TRUE(SaveSettings(file, settings));
  LoadedSettings first = LoadSettings(file, kServices);
  EXPECT_EQ(first.AppliedLines, kSettingsLines);
  EXPECT_EQ(first.Values, expected);

  settings = NonDefault();
  FillUnreadableFields(settings, kServices);
  EXPECT_EQ(settings, NonDefault());  // nothing sound is touched
  ASSERT_TRUE(SaveSettings(file, settings));
  const LoadedSettings second = LoadSettings(file, kServices);
  EXPECT_EQ(second.AppliedLines, kSettingsLines);
  EXPECT_EQ(second.Values, NonDefault());
}

// Each value that would end the next parse is replaced by its default, and
// the file then reads back to its last line.
TEST(SettingsFill, ValuesThatWouldEndTheParseGetTheirDefaults) {
  struct Case {
    const char* name;
    std::function<void(Settings&)> spoil;
    std::function<bool(const Settings&)> filled;
  };
  const Case cases[] = {
      {"font name of one letter", [](Settings& s) { s.FontSmall = "X"; },
       [](const Settings& s) { return s.FontSmall == "Comic Sans MS"; }},
      {"empty special font", [](Settings& s) { s.FontSpecial2.clear(); },
       [](const Settings& s) { return s.FontSpecial2 == "Courier New"; }},
      {"empty port", [](Settings& s) { s.NetPort.clear(); }, [](const Settings& s) { return s.NetPort == "25666"; }},
      {"empty player name", [](Settings& s) { s.PlayerName.clear(); },
       [](const Settings& s) { return s.PlayerName == "Mr.X"; }},
      {"empty top ten line", [](Settings& s) { s.TopTenServicePath.clear(); },
       [](const Settings& s) { return s.TopTenServicePath == "DefTop"; }},
      {"empty nick", [](Settings& s) { s.Nick.clear(); }, [](const Settings& s) { return s.Nick == "Incognito"; }},
      {"country of four characters", [](Settings& s) { s.Country = "1-01"; },
       [](const Settings& s) { return s.Country == "1-001"; }},
      {"empty city", [](Settings& s) { s.City.clear(); }, [](const Settings& s) { return s.City == "Moscow"; }},
      {"unknown sex", [](Settings& s) { s.Sex = "Q"; }, [](const Settings& s) { return s.Sex == "M"; }},
      {"empty statistics line", [](Settings& s) { s.StatServicePath.clear(); },
       [](const Settings& s) { return s.StatServicePath == "DefStat"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Settings s = NonDefault();
    c.spoil(s);
    FillUnreadableFields(s, kServices);
    EXPECT_TRUE(c.filled(s));
    const LoadedSettings loaded = ParseSettings(FormatSettings(s), kServices);
    EXPECT_EQ(loaded.AppliedLines, kSettingsLines);
    EXPECT_EQ(loaded.Values, s);
  }
}

}  // namespace
}  // namespace tarvel
