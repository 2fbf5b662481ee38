// The compiled word table: completeness, lookups, and the shape of the texts
// that the code joins with other text or shows in a fixed-pitch font.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "words.h"

namespace tarvel {
namespace {

std::vector<WordId> AllIds() {
  std::vector<WordId> ids;
  for (int i = 0; i < kWordCount; ++i) ids.push_back(static_cast<WordId>(i));
  return ids;
}

// Decodes UTF-8 strictly (no overlong forms, no surrogates); nullopt when the
// bytes are not valid UTF-8.
std::optional<std::vector<char32_t>> DecodeUtf8(std::string_view text) {
  std::vector<char32_t> out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if (lead < 0x80) {
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, cp = lead & 0x1F, min = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, cp = lead & 0x0F, min = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, cp = lead & 0x07, min = 0x10000;
    } else {
      return std::nullopt;
    }
    if (text.size() - i <= static_cast<std::size_t>(extra)) return std::nullopt;  // cut short
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      cp = (cp << 6) | (next & 0x3F);
    }
    if (extra > 0 && cp < min) return std::nullopt;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
    out.push_back(cp);
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

// Columns a character takes in a fixed-pitch font: CJK ideographs, kana,
// Hangul and full-width forms take two.
int CellWidth(char32_t c) {
  const bool wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) ||
                    (c >= 0x3041 && c <= 0x33FF) || (c >= 0x3400 && c <= 0x4DBF) ||
                    (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA960 && c <= 0xA97F) ||
                    (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
                    (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
                    (c >= 0xFFE0 && c <= 0xFFE6);
  return wide ? 2 : 1;
}

bool IsCyrillic(char32_t c) { return c >= 0x0400 && c <= 0x04FF; }
bool IsHan(char32_t c) { return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF); }
bool IsKana(char32_t c) { return c >= 0x3040 && c <= 0x30FF; }
bool IsHangul(char32_t c) { return c >= 0xAC00 && c <= 0xD7A3; }

std::string Where(WordId id, int language, int row) {
  return std::string(WordName(id)) + " row " + std::to_string(row) + " language " +
         std::to_string(language);
}

// --- completeness -----------------------------------------------------------

// No entry is empty on purpose: every row of every entry has all ten texts.
TEST(WordTable, EveryEntryHasAllTenLanguages) {
  ASSERT_GT(kWordCount, 0);
  for (WordId id : AllIds()) {
    ASSERT_GE(WordRows(id), 1) << WordName(id);
    for (int row = 0; row < WordRows(id); ++row) {
      for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_FALSE(Word(id, language, row).empty()) << Where(id, language, row);
      }
    }
  }
}

TEST(WordTable, EveryTextIsValidUtf8WithoutStrayControlCharacters) {
  for (WordId id : AllIds()) {
    for (int row = 0; row < WordRows(id); ++row) {
      for (int language = 0; language < kLanguageCount; ++language) {
        const auto decoded = DecodeUtf8(Word(id, language, row));
        ASSERT_TRUE(decoded.has_value()) << Where(id, language, row);
        for (char32_t c : *decoded) {
          const bool lineBreak = c == U'\n' || c == U'\r';
          EXPECT_TRUE(c >= 0x20 || lineBreak) << Where(id, language, row);
          EXPECT_NE(c, char32_t{0x7F}) << Where(id, language, row);
        }
      }
    }
  }
}

// Each language column holds that language: a Russian text with Cyrillic
// letters, Chinese with Han characters and no kana or Hangul, Japanese with
// kana or kanji, Korean with Hangul. Brand names and "OK" may equal the
// English text, letter case aside.
bool SameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

TEST(WordTable, AsianAndRussianColumnsAreInTheirOwnScript) {
  for (WordId id : AllIds()) {
    for (int row = 0; row < WordRows(id); ++row) {
      const std::string_view english = Word(id, kLanguageEnglish, row);
      auto check = [&](int language, auto&& accepts) {
        const std::string_view text = Word(id, language, row);
        if (SameIgnoringAsciiCase(text, english)) return;
        const auto decoded = DecodeUtf8(text);
        ASSERT_TRUE(decoded.has_value());
        // Figures and punctuation alone ("20！", "%1：%2。") belong to no
        // script.
        const bool noLetters = std::all_of(decoded->begin(), decoded->end(), [](char32_t c) {
          return (c < 0x80 && !std::isalpha(static_cast<int>(c))) || c == U'\uFF01' || c == U'\uFF1A' ||
                 c == U'\uFF1B' || c == U'\u3002';
        });
        if (noLetters) return;
        EXPECT_TRUE(accepts(*decoded)) << Where(id, language, row) << ": " << text;
      };
      auto any = [](const std::vector<char32_t>& cps, bool (*pred)(char32_t)) {
        for (char32_t c : cps) {
          if (pred(c)) return true;
        }
        return false;
      };
      check(kLanguageRussian, [&](const auto& cps) { return any(cps, IsCyrillic); });
      check(kLanguageChinese, [&](const auto& cps) {
        return any(cps, IsHan) && !any(cps, IsKana) && !any(cps, IsHangul);
      });
      check(kLanguageJapanese, [&](const auto& cps) {
        return (any(cps, IsKana) || any(cps, IsHan)) && !any(cps, IsHangul);
      });
      check(kLanguageKorean, [&](const auto& cps) { return any(cps, IsHangul); });
    }
  }
}

TEST(WordTable, ProperNamesAreTheSameInEveryLanguage) {
  for (WordId id : {WordId::Tarvel, WordId::MrX, WordId::Windows, WordId::Android}) {
    for (int language = 0; language < kLanguageCount; ++language) {
      EXPECT_EQ(Word(id, language), Word(id, kLanguageEnglish)) << Where(id, language, 0);
    }
  }
  EXPECT_EQ(Word(WordId::Tarvel, kLanguageKorean), "Tarvel");
  EXPECT_EQ(Word(WordId::MrX, kLanguageRussian), "Mr.X");
}

// Rows of one list are told apart by the user: no two rows of an entry may
// read the same in one language (a copy-and-paste slip in a translation).
TEST(WordTable, RowsOfAnEntryDifferInEveryLanguage) {
  for (WordId id : AllIds()) {
    for (int language = 0; language < kLanguageCount; ++language) {
      std::set<std::string_view> seen;
      for (int row = 0; row < WordRows(id); ++row) {
        EXPECT_TRUE(seen.insert(Word(id, language, row)).second) << Where(id, language, row);
      }
    }
  }
}

// --- lookups ------------------------------------------------------------------

TEST(WordLookup, EveryNameRoundTripsAndNamesAreUnique) {
  std::set<std::string_view> names;
  for (WordId id : AllIds()) {
    const std::string_view name = WordName(id);
    ASSERT_FALSE(name.empty());
    EXPECT_TRUE(names.insert(name).second) << "duplicate name " << name;
    const std::optional<WordId> found = WordByName(name);
    ASSERT_TRUE(found.has_value()) << name;
    EXPECT_EQ(*found, id) << name;
  }
  EXPECT_EQ(names.size(), static_cast<std::size_t>(kWordCount));
}

TEST(WordLookup, UnknownNamesAreNotFound) {
  for (std::string_view name : {"", "NoSuchEntry", "newplayer", "NewPlayer ", " NewPlayer",
                                "NewPlaye", "NewPlayerX", "ClubHeader1"}) {
    EXPECT_FALSE(WordByName(name).has_value()) << '"' << name << '"';
  }
  EXPECT_EQ(WordByName("NewPlayer"), WordId::NewPlayer);
}

struct OutOfRangeCase {
  const char* what;
  WordId id;
  int language;
  int row;
};

TEST(WordLookup, OutOfRangeGivesEmptyText) {
  const WordId pastEnd = static_cast<WordId>(kWordCount);
  const WordId farOff = static_cast<WordId>(0xFFFF);
  const OutOfRangeCase cases[] = {
      {"language -1", WordId::NewPlayer, -1, 0},
      {"language 10", WordId::NewPlayer, 10, 0},
      {"language INT_MAX", WordId::NewPlayer, INT_MAX, 0},
      {"language INT_MIN", WordId::NewPlayer, INT_MIN, 0},
      {"row -1", WordId::ClubHeader, 0, -1},
      {"row past the last", WordId::ClubHeader, 0, 3},
      {"row 1 of a one-row entry", WordId::NewPlayer, 0, 1},
      {"row INT_MAX", WordId::DeckNames, 9, INT_MAX},
      {"row INT_MIN", WordId::DeckNames, 9, INT_MIN},
      {"id past the end", pastEnd, 0, 0},
      {"id 0xFFFF", farOff, 0, 0},
  };
  for (const OutOfRangeCase& c : cases) {
    EXPECT_TRUE(Word(c.id, c.language, c.row).empty()) << c.what;
  }
  EXPECT_EQ(WordRows(pastEnd), 0);
  EXPECT_EQ(WordRows(farOff), 0);
  EXPECT_TRUE(WordName(pastEnd).empty());
  EXPECT_TRUE(WordName(farOff).empty());
  // The edges themselves are in range.
  EXPECT_FALSE(Word(WordId::ClubHeader, 9, 2).empty());
  EXPECT_FALSE(Word(WordId::DeckNames, 0, 47).empty());
}

struct RowsCase {
  WordId id;
  int rows;
};

// Lists indexed by a setting or a fixed position have exactly as many rows as
// the setting has values.
TEST(WordLookup, SeveralRowEntriesHaveTheirRows) {
  const RowsCase cases[] = {
      {WordId::ClubHeader, 3},      {WordId::CloseGameConfirm, 2},
      {WordId::DeckNames, 48},      {WordId::BackNames, 13},
      {WordId::BackgroundNames, 10}, {WordId::BackgroundVariants, 7},
      {WordId::WindowSizes, 5},     {WordId::OptionsPages, 9},
      {WordId::BackModes, 3},       {WordId::GifAreas, 2},
      {WordId::RadioListSources, 2}, {WordId::DesignKinds, 2},
      {WordId::DialogDesigns, 4},   {WordId::Continents, 6},
      {WordId::HistoryColumns, 7},  {WordId::HistoryKinds, 4},
      {WordId::NetRoles, 2},        {WordId::WorldTopTenViews, 7},
      {WordId::StatRows, 10},       {WordId::Months, 12},
      {WordId::ZodiacSigns, 12},    {WordId::YearAnimals, 12},
      {WordId::HolidayKinds, 8},    {WordId::RadioCountries, 28},
      {WordId::AccountPages, 5},    {WordId::MyResultsRows, 9},
      {WordId::ProfileFields, 14},  {WordId::NewPlayer, 1},
  };
  for (const RowsCase& c : cases) {
    EXPECT_EQ(WordRows(c.id), c.rows) << WordName(c.id);
  }
}

struct EnglishCase {
  WordId id;
  int row;
  std::string_view text;
};

// The English texts are the program's own wording, and the rows of a list
// stand in the order of the setting they name.
TEST(WordLookup, EnglishTextsAndRowOrder) {
  const EnglishCase cases[] = {
      {WordId::ClubHeader, 0, "Mode"},
      {WordId::ClubHeader, 1, " The members of club    Games    Score "},
      {WordId::ClubHeader, 2, " The members of club    Games   Rating "},
      {WordId::CloseGameConfirm, 0, "All datas for want of it will be lost!"},
      {WordId::CloseGameConfirm, 1, "You want to leave from game?"},
      {WordId::CantFindFile, 0, "Can`t find the file"},
      {WordId::CantSaveOptions, 0, "Can`t save options!"},
      {WordId::ICloseGame, 0, "I close game"},
      {WordId::ToSumUpOfGame, 0, "To sum up of game"},
      {WordId::FlyCards, 0, "\"Fly\" cards"},
      {WordId::DeckNames, 0, "Classical-1"},
      {WordId::DeckNames, 17, "Four Reigns of English History"},
      {WordId::DeckNames, 32, "White palekh"},
      {WordId::DeckNames, 40, "French"},
      {WordId::DeckNames, 47, "Czech"},
      {WordId::BackNames, 8, "Animals"},
      {WordId::BackNames, 12, "Russian"},
      {WordId::BackgroundNames, 0, "Sun"},
      {WordId::BackgroundNames, 9, "Ornament"},
      {WordId::BackgroundVariants, 2, "Orang"},
      {WordId::BackgroundVariants, 6, "Violet"},
      {WordId::WindowSizes, 0, "Small window"},
      {WordId::WindowSizes, 4, "Large window"},
      {WordId::OptionsPages, 5, "BG"},
      {WordId::OptionsPages, 8, "Design"},
      {WordId::DialogDesigns, 0, "Gray aristocratic"},
      {WordId::DialogDesigns, 1, "Gray concise"},
      {WordId::HistoryColumns, 0, "Time"},
      {WordId::HistoryColumns, 6, "Type"},
      {WordId::HistoryKinds, 0, "Local"},
      {WordId::HistoryKinds, 1, "Account"},
      {WordId::HistoryKinds, 2, "Tourney"},
      {WordId::HistoryKinds, 3, "Net"},
      {WordId::HistoryFile, 0, "File "},
      {WordId::CantSaveHistory, 0, "Cann`t save history!"},
      {WordId::NetRoles, 0, "Server create the game"},
      {WordId::NetRoles, 1, "Client enters to game"},
      {WordId::WorldTopTenViews, 0, "ACCOUNT. RATING. ALL GAMES"},
      {WordId::WorldTopTenViews, 2, "WINDOWS. SCORE. GAMES IN CYCLE"},
      {WordId::WorldTopTenViews, 3, "ANDROID. SCORE. GAMES IN CYCLE"},
      {WordId::WorldTopTenViews, 5, "WINDOWS. LOCAL GAMES WITH PC"},
      {WordId::WorldTopTenViews, 6, "WINDOWS. NET GAMES"},
      {WordId::StatRows, 0, "Number of starts"},
      {WordId::StatRows, 3, "Last Like"},
      {WordId::StatRows, 9, "Games played Online"},
      {WordId::Months, 0, "January"},
      {WordId::Months, 11, "December"},
      {WordId::ZodiacSigns, 0, "Aries"},
      {WordId::ZodiacSigns, 11, "Pisces"},
      {WordId::YearAnimals, 0, "Year Of The Rat"},
      {WordId::YearAnimals, 11, "Year Of The Pig"},
      {WordId::HolidayKinds, 0, "Holiday UK"},
      {WordId::HolidayKinds, 1, "Russian Festival"},
      {WordId::HolidayKinds, 7, "Catholic feast"},
      {WordId::ThAnniversary, 0, "-th anniversary"},
      {WordId::CantFind, 0, "Can`t find "},
      {WordId::QorInternetRadio, 0, "Qor Internet-Radio"},
      {WordId::RadioCountries, 0, "Russian Federation"},
      {WordId::RadioCountries, 16, "Deutschland"},
      {WordId::RadioCountries, 21, "Czech Republic"},
      {WordId::RadioCountries, 27, "South Korea"},
      {WordId::AccountPages, 0, "My account"},
      {WordId::AccountPages, 4, "President"},
      {WordId::MyResultsRows, 7, "Current Deal"},
      {WordId::ProfileFields, 5, "Your web site"},
      {WordId::ProfileFields, 6, "Your skype"},
      {WordId::ProfileFields, 13, "Your YouTube"},
      {WordId::Continents, 0, "Europe"},
      {WordId::Continents, 5, "Africa"},
  };
  for (const EnglishCase& c : cases) {
    EXPECT_EQ(Word(c.id, kLanguageEnglish, c.row), c.text) << WordName(c.id) << " row " << c.row;
  }
}

// --- shape of the texts ---------------------------------------------------------

std::size_t CountOf(std::string_view text, char c) {
  std::size_t n = 0;
  for (char x : text) n += x == c ? 1 : 0;
  return n;
}

// A line break is the two bytes LF CR; each translation keeps the English
// line structure.
TEST(WordText, LineBreaksAreLfCrAndMatchTheEnglish) {
  const std::string_view help = Word(WordId::HelpNotTranslated, kLanguageEnglish);
  EXPECT_EQ(help,
            "Excuse!\x0A\x0D"
            "The file of the help is not translated to the English language.");
  std::size_t withBreaks = 0;
  for (WordId id : AllIds()) {
    for (int row = 0; row < WordRows(id); ++row) {
      const std::size_t englishBreaks = CountOf(Word(id, kLanguageEnglish, row), '\n');
      withBreaks += englishBreaks > 0 ? 1 : 0;
      for (int language = 0; language < kLanguageCount; ++language) {
        const std::string_view text = Word(id, language, row);
        EXPECT_EQ(CountOf(text, '\n'), englishBreaks) << Where(id, language, row);
        EXPECT_EQ(CountOf(text, '\r'), englishBreaks) << Where(id, language, row);
        for (std::size_t i = 0; i < text.size(); ++i) {
          if (text[i] == '\n') {
            ASSERT_LT(i + 1, text.size()) << Where(id, language, row);
            EXPECT_EQ(text[i + 1], '\r') << Where(id, language, row);
          }
        }
      }
    }
  }
  EXPECT_GE(withBreaks, 2u);
}

// The code joins texts with blanks and values ("Result: " + score): a blank
// at either end of the English text is kept in every language, and none is
// added where English has none. The club header rows are padded to a fixed
// width instead (ClubHeaderColumnsAlignInEveryLanguage).
TEST(WordText, EdgeBlanksFollowTheEnglish) {
  for (WordId id : AllIds()) {
    for (int row = 0; row < WordRows(id); ++row) {
      if (id == WordId::ClubHeader && row > 0) continue;
      const std::string_view english = Word(id, kLanguageEnglish, row);
      for (int language = 0; language < kLanguageCount; ++language) {
        const std::string_view text = Word(id, language, row);
        EXPECT_EQ(text.front() == ' ', english.front() == ' ') << Where(id, language, row);
        EXPECT_EQ(text.back() == ' ', english.back() == ' ') << Where(id, language, row);
      }
    }
  }
}

// A label that the code follows with a value ends with a colon in every
// language (a full-width one in Chinese and Japanese is fine).
TEST(WordText, LabelsKeepTheirColon) {
  auto endsWithColon = [](std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text.ends_with(":") || text.ends_with("\xEF\xBC\x9A");  // U+FF1A
  };
  for (WordId id : AllIds()) {
    for (int row = 0; row < WordRows(id); ++row) {
      if (!endsWithColon(Word(id, kLanguageEnglish, row))) continue;
      for (int language = 0; language < kLanguageCount; ++language) {
        EXPECT_TRUE(endsWithColon(Word(id, language, row))) << Where(id, language, row);
      }
    }
  }
}

struct HeaderRow {
  int row;
  std::vector<int> columns;
};

// The club header rows stand over member buttons laid out in a fixed-pitch
// font: every language starts its columns at the English positions and has
// the English width, a CJK character counting as two columns.
TEST(WordText, ClubHeaderColumnsAlignInEveryLanguage) {
  const HeaderRow rows[] = {{1, {1, 24, 33}}, {2, {1, 24, 32}}};
  for (const HeaderRow& header : rows) {
    for (int language = 0; language < kLanguageCount; ++language) {
      const auto decoded = DecodeUtf8(Word(WordId::ClubHeader, language, header.row));
      ASSERT_TRUE(decoded.has_value());
      std::vector<char32_t> cells;  // one element per column, a wide character twice
      for (char32_t c : *decoded) {
        for (int k = 0; k < CellWidth(c); ++k) cells.push_back(c);
      }
      const std::string where = Where(WordId::ClubHeader, language, header.row);
      EXPECT_EQ(cells.size(), 39u) << where;
      for (int column : header.columns) {
        const auto at = static_cast<std::size_t>(column);
        ASSERT_LT(at, cells.size()) << where;
        EXPECT_NE(cells[at], U' ') << where << ": column " << column << " must start a word";
        EXPECT_EQ(cells[at - 1], U' ') << where << ": column " << column << " must follow a blank";
      }
    }
  }
}

// --- languages --------------------------------------------------------------------

struct LanguageCase {
  int language;
  std::string_view name;
  std::string_view picture;
  std::string_view flag;
};

TEST(Languages, ListNamesAndPictureSuffixes) {
  const LanguageCase cases[] = {
      {0, "English", "Eng", "Eng"},  {1, "Русский", "Rus", "Rus"},
      {2, "Deutsche", "Deu", "Deu"}, {3, "Français", "Fra", "Fra"},
      {4, "Español", "Spa", "Spa"},  {5, "中文", "Chi", "Chi"},
      {6, "Italiano", "Ita", "Ita"}, {7, "Čeština", "Cze", "Cze"},
      {8, "日本", "Eng", "Jap"},     {9, "한국인", "Eng", "Kor"},
  };
  for (const LanguageCase& c : cases) {
    EXPECT_EQ(LanguageName(c.language), c.name) << c.language;
    EXPECT_EQ(PictureSuffix(c.language), c.picture) << c.language;
    EXPECT_EQ(FlagSuffix(c.language), c.flag) << c.language;
  }
  for (int language : {-1, 10, 255, INT_MIN, INT_MAX}) {
    EXPECT_TRUE(LanguageName(language).empty()) << language;
    EXPECT_TRUE(PictureSuffix(language).empty()) << language;
    EXPECT_TRUE(FlagSuffix(language).empty()) << language;
  }
}

struct ContinentCase {
  int continent;
  WordId list;
  int highestNumber;  // the highest country number that the passport accepts
};

// A country code "d-nnn" names row nnn of continent d's list; every number
// that the passport accepts for a continent names a country.
TEST(Countries, EveryAcceptedCodeNamesACountry) {
  const ContinentCase cases[] = {
      {1, WordId::CountriesEurope, 48},       {2, WordId::CountriesAsia, 51},
      {3, WordId::CountriesNorthAmerica, 35}, {4, WordId::CountriesSouthAmerica, 14},
      {5, WordId::CountriesOceania, 23},      {6, WordId::CountriesAfrica, 54},
  };
  for (const ContinentCase& c : cases) {
    EXPECT_EQ(CountryList(c.continent), c.list) << c.continent;
    EXPECT_EQ(WordRows(c.list), c.highestNumber + 1) << c.continent;
    EXPECT_EQ(Word(c.list, kLanguageEnglish, 0), "Other country") << c.continent;
  }
  for (int continent : {0, 7, -1, INT_MIN, INT_MAX}) {
    EXPECT_FALSE(CountryList(continent).has_value()) << continent;
  }
  // The default passport country "1-001".
  EXPECT_EQ(Word(WordId::CountriesEurope, kLanguageEnglish, 1), "Russia");
  EXPECT_EQ(Word(WordId::CountriesEurope, kLanguageRussian, 1), "Россия");
}

}  // namespace
}  // namespace tarvel
