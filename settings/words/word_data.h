// The compiled word table as the generator lays it out. Internal to the
// lookup code in words.cpp; the program uses words.h.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvel::words_detail {

struct WordEntry {
  std::string_view name;
  std::uint32_t first;  // index of the entry's row 0, language 0 in kTexts
  std::uint16_t rows;   // the entry's texts are kTexts[first + row * 10 + language]
};

// Every text of every entry, entry by entry, row by row, ten languages each.
extern const std::string_view kTexts[];
// One element per WordId, in WordId order.
extern const WordEntry kEntries[];
// The WordId values sorted by entry name, for the lookup by name.
extern const std::uint16_t kEntriesByName[];

}  // namespace tarvel::words_detail
