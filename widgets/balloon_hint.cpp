#include "widgets/balloon_hint.h"

#include <QEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <algorithm>

namespace tarvel {

namespace {

constexpr int kArrow = 12;   // height of the arrow
constexpr int kPadding = 8;
constexpr int kRadius = 9;
const QColor kTitleColour(128, 0, 0);
const QColor kTextColour(255, 0, 0);
const QColor kBorder(255, 0, 0);
const QColor kGround(255, 255, 225);

QPointer<BalloonHint> gCurrent;

}  // namespace

BalloonHint* BalloonHint::Show(const QString& title, const QString& text, QWidget* control,
                               const QString& fontFamily, const QRect& area) {
  CloseCurrent();
  if (control == nullptr) return nullptr;
  gCurrent = new BalloonHint(title, text, control, fontFamily, area.isEmpty() ? control->rect() : area);
  gCurrent->show();
  return gCurrent;
}

BalloonHint* BalloonHint::Current() { return gCurrent; }

void BalloonHint::CloseCurrent() {
  if (gCurrent) {
    gCurrent->close();
    gCurrent = nullptr;
  }
}

BalloonHint::BalloonHint(const QString& title, const QString& text, QWidget* control,
                         const QString& fontFamily, const QRect& area)
    : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint),
      title_(title),
      text_(text),
      control_(control),
      area_(area) {
  setAttribute(Qt::WA_DeleteOnClose);
  setAttribute(Qt::WA_TranslucentBackground);
  setAttribute(Qt::WA_ShowWithoutActivating);
  titleFont_ = QFont(fontFamily.isEmpty() ? font().family() : fontFamily);
  titleFont_.setPointSize(9);
  titleFont_.setBold(true);
  textFont_ = titleFont_;
  textFont_.setBold(false);

  const QFontMetrics titleMetrics(titleFont_), textMetrics(textFont_);
  const QRect textBox = textMetrics.boundingRect(QRect(0, 0, 320, 1000), Qt::TextWordWrap, text_);
  const int width = std::max(titleMetrics.horizontalAdvance(title_), textBox.width()) + 2 * kPadding;
  const int height = (title_.isEmpty() ? 0 : titleMetrics.height() + 2) + textBox.height() + 2 * kPadding;

  // Below the area when there is room on its screen, else above it; the
  // arrow points at the area's middle.
  const QPoint anchor = control->mapToGlobal(QPoint(area_.center().x(), area_.bottom() + 1));
  const QScreen* screen = control->screen() ? control->screen() : QGuiApplication::primaryScreen();
  const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 4000, 4000);
  arrowUp_ = anchor.y() + kArrow + height <= room.bottom();
  int left = std::clamp(anchor.x() - width / 4, room.left(), std::max(room.left(), room.right() - width));
  const int top = arrowUp_ ? anchor.y() : anchor.y() - area_.height() - kArrow - height;
  arrowX_ = std::clamp(anchor.x() - left, kRadius + kArrow, std::max(kRadius + kArrow, width - kRadius - kArrow));
  setGeometry(left, top, width + 1, height + kArrow + 1);

  control->installEventFilter(this);
  grow_.setStartValue(0.0);
  grow_.setEndValue(1.0);
  grow_.setDuration(kOpeningMs);
  connect(&grow_, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
    opening_ = value.toDouble();
    update();
  });
  grow_.start();
  life_.setSingleShot(true);
  connect(&life_, &QTimer::timeout, this, &QWidget::close);
  life_.start(kShownMs);
}

bool BalloonHint::eventFilter(QObject* watched, QEvent* event) {
  if (watched == control_) {
    const bool left = event->type() == QEvent::Leave || event->type() == QEvent::Hide ||
                      (event->type() == QEvent::MouseMove &&
                       !area_.contains(static_cast<QMouseEvent*>(event)->position().toPoint()));
    if (left) close();
  }
  return QWidget::eventFilter(watched, event);
}

void BalloonHint::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QRectF whole = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  const QRectF body = arrowUp_ ? whole.adjusted(0, kArrow, 0, 0) : whole.adjusted(0, 0, 0, -kArrow);
  // The opening grows the balloon from its centre.
  const QPointF centre = body.center();
  painter.translate(centre);
  painter.scale(std::max(opening_, 0.05), std::max(opening_, 0.05));
  painter.translate(-centre);

  QPainterPath shape;
  shape.addRoundedRect(body, kRadius, kRadius);
  QPainterPath arrow;
  const double baseY = arrowUp_ ? body.top() + 1 : body.bottom() - 1;
  const double tipY = arrowUp_ ? whole.top() : whole.bottom();
  arrow.moveTo(arrowX_ - kArrow / 2.0, baseY);
  arrow.lineTo(arrowX_ - kArrow, tipY);
  arrow.lineTo(arrowX_ + kArrow / 2.0, baseY);
  arrow.closeSubpath();
  painter.setPen(QPen(kBorder, 1));
  painter.setBrush(kGround);
  painter.drawPath(shape.united(arrow));

  QRectF inner = body.adjusted(kPadding, kPadding, -kPadding, -kPadding);
  if (!title_.isEmpty()) {
    painter.setFont(titleFont_);
    painter.setPen(kTitleColour);
    painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop, title_);
    inner.setTop(inner.top() + QFontMetrics(titleFont_).height() + 2);
  }
  painter.setFont(textFont_);
  painter.setPen(kTextColour);
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text_);
}

}  // namespace tarvel
