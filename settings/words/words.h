// The ten-language word table: every text that the user sees, looked up by
// entry and language index.
//
// The texts live in the data files words.txt and countries.txt beside this
// header; the build turns them into the WordId constants (word_ids.h) and a
// compiled string table, so naming an entry that does not exist fails to
// compile. Texts are UTF-8 and constant for the whole run; a line break
// inside a text is the two characters LF CR. Windows wrap a text with
// QString::fromUtf8 themselves.
#pragma once

#include <optional>
#include <string_view>

#include "word_ids.h"

namespace tarvel {

// Language indices, the `Language` setting: the column order of every entry.
inline constexpr int kLanguageEnglish = 0;
inline constexpr int kLanguageRussian = 1;
inline constexpr int kLanguageGerman = 2;
inline constexpr int kLanguageFrench = 3;
inline constexpr int kLanguageSpanish = 4;
inline constexpr int kLanguageChinese = 5;
inline constexpr int kLanguageItalian = 6;
inline constexpr int kLanguageCzech = 7;
inline constexpr int kLanguageJapanese = 8;
inline constexpr int kLanguageKorean = 9;
inline constexpr int kLanguageCount = 10;

// The text of `id` in `language` (0..9), row `row` of a several-row entry
// (element row * 10 + language). Empty for a language, row or id out of
// range.
std::string_view Word(WordId id, int language, int row = 0);

// Number of rows of the entry (1 for most entries); 0 for an id out of range.
int WordRows(WordId id);

// The entry's name as written in the data file ("NewPlayer"); empty for an id
// out of range.
std::string_view WordName(WordId id);

// The entry with this exact name, if any.
std::optional<WordId> WordByName(std::string_view name);

// Suffix of the pictures that carry lettering ("Cap" + suffix, ...): Japanese
// and Korean use the English pictures. Empty out of range.
std::string_view PictureSuffix(int language);

// Suffix of the language's flag picture ("FlagO" + suffix). Empty out of range.
std::string_view FlagSuffix(int language);

// The entry of the language list, each language in its own script
// ("English", "Русский", ...). Empty out of range.
std::string_view LanguageName(int language);

// The country list of a passport continent, by the continent digit of a
// country code (1 Europe, 2 Asia, 3 North America, 4 South America,
// 5 Oceania, 6 Africa); row n is the country "d-00n", so WordRows - 1 is the
// highest country number of the continent. Nothing out of range.
std::optional<WordId> CountryList(int continent);

}  // namespace tarvel
