#include "words.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "word_data.h"

namespace tarvel {
namespace {

struct LanguageInfo {
  std::string_view listName;
  std::string_view pictureSuffix;
  std::string_view flagSuffix;
};

// Japanese and Korean have no lettered pictures of their own (picture suffix
// "Eng"), only their own flags.
constexpr std::array<LanguageInfo, kLanguageCount> kLanguages = {{
    {"English", "Eng", "Eng"},
    {"Русский", "Rus", "Rus"},
    {"Deutsche", "Deu", "Deu"},
    {"Français", "Fra", "Fra"},
    {"Español", "Spa", "Spa"},
    {"中文", "Chi", "Chi"},
    {"Italiano", "Ita", "Ita"},
    {"Čeština", "Cze", "Cze"},
    {"日本", "Eng", "Jap"},
    {"한국인", "Eng", "Kor"},
}};

constexpr std::array<WordId, 6> kCountryLists = {
    WordId::CountriesEurope,       WordId::CountriesAsia,    WordId::CountriesNorthAmerica,
    WordId::CountriesSouthAmerica, WordId::CountriesOceania, WordId::CountriesAfrica,
};

const words_detail::WordEntry* EntryOf(WordId id) {
  const auto index = static_cast<std::size_t>(id);
  if (index >= static_cast<std::size_t>(kWordCount)) return nullptr;
  return &words_detail::kEntries[index];
}

const LanguageInfo* LanguageOf(int language) {
  if (language < 0 || language >= kLanguageCount) return nullptr;
  return &kLanguages[static_cast<std::size_t>(language)];
}

}  // namespace

std::string_view Word(WordId id, int language, int row) {
  const words_detail::WordEntry* entry = EntryOf(id);
  if (entry == nullptr || LanguageOf(language) == nullptr || row < 0 || row >= entry->rows) {
    return {};
  }
  return words_detail::kTexts[entry->first + static_cast<std::uint32_t>(row) * kLanguageCount +
                              static_cast<std::uint32_t>(language)];
}

int WordRows(WordId id) {
  const words_detail::WordEntry* entry = EntryOf(id);
  return entry == nullptr ? 0 : entry->rows;
}

std::string_view WordName(WordId id) {
  const words_detail::WordEntry* entry = EntryOf(id);
  return entry == nullptr ? std::string_view{} : entry->name;
}

std::optional<WordId> WordByName(std::string_view name) {
  const std::uint16_t* begin = words_detail::kEntriesByName;
  const std::uint16_t* end = begin + kWordCount;
  const std::uint16_t* found =
      std::lower_bound(begin, end, name, [](std::uint16_t index, std::string_view wanted) {
        return words_detail::kEntries[index].name < wanted;
      });
  if (found == end || words_detail::kEntries[*found].name != name) return std::nullopt;
  return static_cast<WordId>(*found);
}

std::string_view PictureSuffix(int language) {
  const LanguageInfo* info = LanguageOf(language);
  return info == nullptr ? std::string_view{} : info->pictureSuffix;
}

std::string_view FlagSuffix(int language) {
  const LanguageInfo* info = LanguageOf(language);
  return info == nullptr ? std::string_view{} : info->flagSuffix;
}

std::string_view LanguageName(int language) {
  const LanguageInfo* info = LanguageOf(language);
  return info == nullptr ? std::string_view{} : info->listName;
}

std::optional<WordId> CountryList(int continent) {
  if (continent < 1 || continent > static_cast<int>(kCountryLists.size())) return std::nullopt;
  return kCountryLists[static_cast<std::size_t>(continent - 1)];
}

}  // namespace tarvel
