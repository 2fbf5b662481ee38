// Painting shared by the world top ten windows: rows of a list, the passport
// and the light panels under the lists. Texts are painted as plain text, cut
// to their column.
#pragma once

#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include "online/worldtop/top_rows.h"
#include "settings/settings_file.h"

namespace tarvel {

// Left edges (and widths) of the columns of a row; the place is right-aligned
// before `flag`, the score right-aligned at `scoreRight`.
struct RowColumns {
  int place;
  int flag;
  int sex;
  int nick;
  int nickWidth;
  int where;
  int whereWidth;
  int scoreRight;
};

// `text` cut with "..." to `width` pixels.
QString FitText(const QString& text, const QFontMetrics& metrics, int width);

void PaintListPanel(QPainter& painter, const QRect& rect);

// One row at `top`, `height` high; places 1..3 in red, the others in navy.
void PaintTopRow(QPainter& painter, const TopRow& row, const RowColumns& columns, int top, int height);

// The passport at `origin`, 180 pixels wide and three lines high: sex
// picture and nick, flag and country, city.
void PaintPassport(QPainter& painter, QPoint origin, const Settings& settings, int language);

}  // namespace tarvel
