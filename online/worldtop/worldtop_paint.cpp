#include "online/worldtop/worldtop_paint.h"

#include "settings/passport_name.h"
#include "widgets/passport_pictures.h"

namespace tarvel {
namespace {

constexpr int kPassportWidth = 180;

}  // namespace

QString FitText(const QString& text, const QFontMetrics& metrics, int width) {
  return metrics.elidedText(text, Qt::ElideRight, width);
}

void PaintListPanel(QPainter& painter, const QRect& rect) {
  painter.save();
  painter.setPen(QPen(QColor(160, 140, 110), 1));
  painter.setBrush(QColor(255, 255, 240, 235));
  painter.drawRoundedRect(rect, 6, 6);
  painter.restore();
}

void PaintTopRow(QPainter& painter, const TopRow& row, const RowColumns& c, int top, int height) {
  const bool podium = row.rank >= 1 && row.rank <= 3;
  const QFontMetrics metrics = painter.fontMetrics();
  const auto band = [top, height](int left, int width) { return QRect(left, top, width, height); };
  painter.setPen(podium ? QColor(200, 0, 0) : QColor(0, 0, 128));
  painter.drawText(band(c.place, c.flag - c.place - 4), Qt::AlignRight | Qt::AlignVCenter,
                   FitText(row.place, metrics, c.flag - c.place - 4));
  if (!row.country.empty())
    painter.drawImage(QPoint(c.flag, top + (height - 14) / 2), CountryFlag(row.country));
  if (!row.sex.empty()) painter.drawImage(QPoint(c.sex, top + (height - 16) / 2), SexPicture(row.sex));
  painter.drawText(band(c.nick, c.nickWidth), Qt::AlignLeft | Qt::AlignVCenter, FitText(row.nick, metrics, c.nickWidth));
  painter.drawText(band(c.where, c.whereWidth), Qt::AlignLeft | Qt::AlignVCenter,
                   FitText(row.where, metrics, c.whereWidth));
  const int scoreLeft = c.where + c.whereWidth + 2;
  painter.drawText(band(scoreLeft, c.scoreRight - scoreLeft), Qt::AlignRight | Qt::AlignVCenter,
                   FitText(row.score, metrics, c.scoreRight - scoreLeft));
}

void PaintPassport(QPainter& painter, QPoint origin, const Settings& settings, int language) {
  painter.save();
  QFont font = painter.font();
  font.setPixelSize(13);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(QColor(0, 0, 128));
  const int x = origin.x();
  const int y = origin.y();
  const int textLeft = x + 24;
  const int width = kPassportWidth - 24;
  painter.drawImage(QPoint(x, y + 2), SexPicture(settings.Sex));
  painter.drawText(QRect(textLeft, y, width, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   FitText(ShownPassportName(settings.Nick, kNickLimit), painter.fontMetrics(), width));
  font.setBold(false);
  painter.setFont(font);
  painter.drawImage(QPoint(x - 2, y + 27), CountryFlag(settings.Country));
  painter.drawText(QRect(textLeft, y + 24, width, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   FitText(ShownCountry(settings.Country, language), painter.fontMetrics(), width));
  painter.drawText(QRect(textLeft, y + 48, width, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   FitText(ShownPassportName(settings.City, kCityLimit), painter.fontMetrics(), width));
  painter.restore();
}

}  // namespace tarvel
