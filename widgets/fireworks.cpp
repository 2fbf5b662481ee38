#include "widgets/fireworks.h"

#include <QCursor>
#include <QEventLoop>
#include <QPainter>
#include <QTimer>
#include <QWidget>

#include <utility>

namespace tarvel {

namespace {

SparseStrip gStrip;

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

void SetFireworksStrip(SparseStrip strip) {
  const bool fits = strip.Frames() == kFireworksFrames && strip.FrameSize() == QSize(kFireworksSize, kFireworksSize);
  gStrip = fits ? std::move(strip) : SparseStrip();
}

bool FireworksAvailable() { return gStrip.Frames() > 0; }

QImage FireworksFrame(int index) {
  if (!FireworksAvailable() || index < 0 || index >= kFireworksFrames) return QImage();
  QImage frame;
  gStrip.ComposeOver(index, QImage(), frame);
  return frame;
}

bool Fireworks(QPoint globalPos) {
  if (!FireworksAvailable()) return false;
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
