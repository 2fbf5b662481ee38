#include "table/window/guide_screenshots.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QPainter>

#include "engine/rules.h"
#include "table/window/tform1.h"
#include "widgets/balloon_hint.h"

namespace tarvel {

namespace {

void SendKey(TForm1& window, int key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &press);
  window.Guide().RefreshNow();
}

// The window with the open balloon (a window of its own) drawn where it is.
QImage WithBalloon(TForm1& window) {
  QImage picture = window.Snapshot();
  const BalloonHint* balloon = BalloonHint::Current();
  if (balloon == nullptr) return picture;
  QPainter painter(&picture);
  painter.drawImage(balloon->geometry().topLeft() - window.mapToGlobal(QPoint(0, 0)),
                    const_cast<BalloonHint*>(balloon)->grab().toImage());
  return picture;
}

}  // namespace

GuideShot GuideScreenshotStep(TForm1& window, const QString& state) {
  const MatchState& s = window.State();
  if (state == QLatin1String("dealend")) {
    if (s.Turn != TurnNextDeal && s.Turn != TurnGameOver) return {};
    return {true, window.Snapshot()};
  }
  if (s.Turn != 3 || s.DealStage != StagePlaying || window.Flying()) return {};
  if (state == QLatin1String("cues")) {
    SendKey(window, Qt::Key_Right);
    return {true, window.Snapshot()};
  }
  if (state == QLatin1String("refused")) {
    for (int slot = 1; slot <= s.HandCount[3] && s.TrickPos >= 2; ++slot) {
      if (!IsIllegalCard(s, slot)) continue;
      SendKey(window, Qt::Key_0 + slot);
      return {true, window.Snapshot()};
    }
    return {};
  }
  if (state == QLatin1String("balloon")) {
    const BalloonHint* open = BalloonHint::Current();
    if (open == nullptr) {
      const QRect board = window.Layout().BoardRect(3);
      const QPoint at = board.topLeft() + QPoint(board.width() / 2, board.height() / 4);
      QHelpEvent help(QEvent::ToolTip, at, window.mapToGlobal(at));
      QCoreApplication::sendEvent(&window, &help);
      return {true, QImage()};
    }
    // Saved once the opening animation is over.
    return {true, open->Opening() < 1.0 ? QImage() : WithBalloon(window)};
  }
  return {};
}

}  // namespace tarvel
