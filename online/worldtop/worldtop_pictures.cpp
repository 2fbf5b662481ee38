#include "online/worldtop/worldtop_pictures.h"

#include <QPainter>

#include <array>

#include "widgets/passport_pictures.h"

namespace tarvel {

QImage OriginPicture(TopOrigin origin, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 48.0, size / 48.0);
  painter.setPen(Qt::NoPen);
  switch (origin) {
    case TopOrigin::Windows: {  // four panes of a window
      const std::array<QColor, 4> panes = {QColor(242, 80, 34), QColor(127, 186, 0), QColor(0, 164, 239),
                                           QColor(255, 185, 0)};
      for (int i = 0; i < 4; ++i)
        painter.fillRect(QRectF(4 + (i % 2) * 21, 4 + (i / 2) * 21, 19, 19), panes[static_cast<std::size_t>(i)]);
      break;
    }
    case TopOrigin::Android: {  // a small green robot
      const QColor green(61, 220, 132);
      painter.setBrush(green);
      painter.drawPie(QRectF(10, 6, 28, 26), 0, 180 * 16);
      painter.drawRoundedRect(QRectF(10, 21, 28, 20), 3, 3);
      painter.drawRoundedRect(QRectF(3, 21, 5, 15), 2.5, 2.5);
      painter.drawRoundedRect(QRectF(40, 21, 5, 15), 2.5, 2.5);
      painter.setBrush(Qt::white);
      painter.drawEllipse(QPointF(18, 13), 2, 2);
      painter.drawEllipse(QPointF(30, 13), 2, 2);
      break;
    }
    case TopOrigin::Account: {  // a player on a gold medal
      painter.setBrush(QColor(226, 182, 74));
      painter.drawEllipse(QRectF(2, 2, 44, 44));
      painter.drawImage(QRectF(8, 6, 32, 32), SexPicture("M", 64));
      break;
    }
  }
  return image;
}

}  // namespace tarvel
