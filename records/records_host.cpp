#include "records/records_host.h"

#include "settings/cp1251.h"

namespace tarvel {

QString RecordsWord(WordId id, int language, int row) {
  const std::string_view text = Word(id, language, row);
  QString word = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  // The word table's line breaks are LF CR; one break on screen.
  word.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  return word;
}

QString FromRecordBytes(std::string_view bytes) { return QString::fromStdString(Cp1251ToUtf8(bytes)); }

std::string ToRecordBytes(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

}  // namespace tarvel
