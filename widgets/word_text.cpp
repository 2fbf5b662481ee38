#include "widgets/word_text.h"

namespace tarvel {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QString WordText(WordId id, int language, int row) { return FromUtf8(Word(id, language, row)); }

}  // namespace tarvel
