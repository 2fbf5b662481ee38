// Word-table texts as Qt strings, for every window.
#pragma once

#include <QString>

#include <string_view>

#include "settings/words/words.h"

namespace tarvel {

// A UTF-8 text of the program as a QString.
QString FromUtf8(std::string_view text);

// The text of `id` in `language`, row `row` of a several-row entry; empty out
// of range.
QString WordText(WordId id, int language, int row = 0);

}  // namespace tarvel
