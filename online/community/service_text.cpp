#include "online/community/service_text.h"

#include <QFontMetrics>
#include <QLabel>

#include "widgets/word_text.h"

namespace tarvel {

QString ServiceLine(std::string_view utf8) {
  QString line = FromUtf8(utf8);
  for (QChar& c : line) {
    const QChar::Category category = c.category();
    if (category == QChar::Other_Control || category == QChar::Other_Format ||
        category == QChar::Separator_Line || category == QChar::Separator_Paragraph)
      c = QLatin1Char(' ');
  }
  return line;
}

QLabel* PlainLabel(QWidget* parent, const QString& objectName) {
  auto* label = new QLabel(parent);
  label->setObjectName(objectName);
  label->setTextFormat(Qt::PlainText);
  label->setTextInteractionFlags(Qt::NoTextInteraction);
  label->setOpenExternalLinks(false);
  label->setWordWrap(false);
  return label;
}

void ShowCut(QLabel* label, const QString& text, int width) {
  label->setText(QFontMetrics(label->font()).elidedText(text, Qt::ElideRight, width));
}

}  // namespace tarvel
