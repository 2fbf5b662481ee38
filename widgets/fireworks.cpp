#include "widgets/fireworks.h"

#include <QCursor>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace tarvel {

namespace {

QImage gStrip;

// A see-through window over the screen that shows one frame at a time; the
// screen under it is restored by the window system when it closes.
class FireworksOverlay : public QWidget {
 public:
  FireworksOverlay()
      : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput) {
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    resize(kFireworksSize, kFireworksSize);
  }
  void SetFrame(int index) {
    frame_ = FireworksFrame(index);
    repaint();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, frame_);
  }

 private:
  QImage frame_;
};

}  // namespace

void SetFireworksStrip(const QImage& strip) {
  const bool fits = strip.width() == kFireworksFrames * kFireworksSize && strip.height() == kFireworksSize;
  gStrip = fits ? strip.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
}

bool FireworksAvailable() { return !gStrip.isNull(); }

QImage FireworksFrame(int index) {
  if (gStrip.isNull() || index < 0 || index >= kFireworksFrames) return QImage();
  return gStrip.copy(index * kFireworksSize, 0, kFireworksSize, kFireworksSize);
}

bool Fireworks(QPoint globalPos) {
  if (gStrip.isNull()) return false;
  FireworksOverlay overlay;
  overlay.move(globalPos - QPoint(kFireworksSize / 2, kFireworksSize / 2));
  overlay.show();
  for (int i = 0; i < kFireworksFrames; ++i) {
    overlay.SetFrame(i);
    // Input is held back meanwhile: the command of the press runs after
    // the effect, and a second press must not start inside it.
    QEventLoop wait;
    QTimer::singleShot(kFireworksFrameMs, &wait, &QEventLoop::quit);
    wait.exec(QEventLoop::ExcludeUserInputEvents);
  }
  return true;
}

bool Fireworks() { return Fireworks(QCursor::pos()); }

}  // namespace tarvel
