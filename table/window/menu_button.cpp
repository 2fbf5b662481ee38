#include "table/window/menu_button.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tarvel {

MenuButton::MenuButton(QWidget* parent) : QPushButton(parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

void MenuButton::SetColours(const QColor& face, const QColor& text) {
  face_ = face;
  text_ = text;
  update();
}

void MenuButton::enterEvent(QEnterEvent* event) {
  pointerOver_ = true;
  update();
  QPushButton::enterEvent(event);
}

void MenuButton::leaveEvent(QEvent* event) {
  pointerOver_ = false;
  update();
  QPushButton::leaveEvent(event);
}

void MenuButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const bool enabled = isEnabled();
  const QColor base = enabled ? face_ : QColor(128, 128, 128);
  const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const qreal radius = box.height() / 2.5;
  // Pressed buttons sit one pixel lower and to the right.
  const QPointF shift = isDown() ? QPointF(1, 1) : QPointF(0, 0);
  QPainterPath shape;
  shape.addRoundedRect(box.translated(shift), radius, radius);

  QLinearGradient body(box.topLeft(), box.bottomLeft());
  body.setColorAt(0.0, base.lighter(170));
  body.setColorAt(0.45, base.lighter(115));
  body.setColorAt(0.55, base);
  body.setColorAt(1.0, base.darker(150));
  painter.fillPath(shape, body);

  // The gloss: a pale band over the upper half.
  QPainterPath gloss;
  const QRectF upper(box.left() + 3, box.top() + 2, box.width() - 6, box.height() * 0.45);
  gloss.addRoundedRect(upper.translated(shift), radius * 0.8, radius * 0.8);
  QLinearGradient shine(upper.topLeft(), upper.bottomLeft());
  shine.setColorAt(0.0, QColor(255, 255, 255, 150));
  shine.setColorAt(1.0, QColor(255, 255, 255, 20));
  painter.fillPath(gloss, shine);

  painter.setPen(QPen(base.darker(220), 1));
  painter.drawPath(shape);
  if (hasFocus()) {
    painter.setPen(QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
    painter.drawRoundedRect(box.adjusted(3, 3, -3, -3).translated(shift), radius * 0.7,
                            radius * 0.7);
  }

  QFont captionFont = font();
  const int room = width() - 10;
  while (QFontMetrics(captionFont).horizontalAdvance(text()) > room &&
         captionFont.pixelSize() > 6) {
    captionFont.setPixelSize(captionFont.pixelSize() - 1);
  }
  painter.setFont(captionFont);
  QColor caption = text_;
  if (!enabled) caption = QColor(210, 210, 210);
  else if (pointerOver_) caption = PointerColour();
  painter.setPen(caption);
  painter.drawText(QRectF(rect()).translated(shift), Qt::AlignCenter, text());
}

}  // namespace tarvel
