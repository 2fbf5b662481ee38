// Texts that arrive from the services (nicks, cities, chat lines, the
// statistics), as the windows show them: always plain text, never rich text
// or a link, on one line, cut to the width of their field.
#pragma once

#include <QString>

#include <string_view>

class QLabel;
class QWidget;

namespace tarvel {

// A UTF-8 text from the services as one line: control and format characters
// (line breaks, direction overrides) become blanks.
QString ServiceLine(std::string_view utf8);

// A label that never interprets its text.
QLabel* PlainLabel(QWidget* parent, const QString& objectName);

// Shows `text` in `label`, cut with an ellipsis to `width` pixels of the
// label's font.
void ShowCut(QLabel* label, const QString& text, int width);

}  // namespace tarvel
