#include "table/window/cursor_animator.h"

#include <QPixmap>
#include <QWidget>

#include "assets/tarvel_assets.h"
#include "table/pictures.h"

namespace tarvel {

namespace {

constexpr std::array<CursorRole, 4> kRoles{CursorRole::Arrow, CursorRole::Hand, CursorRole::Wait,
                                           CursorRole::Edit};

std::size_t At(CursorRole role) { return static_cast<std::size_t>(role); }

}  // namespace

QString CursorResourceName(CursorRole role) {
  switch (role) {
    case CursorRole::Arrow:
      return QStringLiteral("CURARROW");
    case CursorRole::Hand:
      return QStringLiteral("CURHAND");
    case CursorRole::Wait:
      return QStringLiteral("CURWAIT");
    case CursorRole::Edit:
      break;
  }
  return QStringLiteral("CUREDIT");
}

Qt::CursorShape SystemCursorShape(CursorRole role) {
  switch (role) {
    case CursorRole::Arrow:
      return Qt::ArrowCursor;
    case CursorRole::Hand:
      return Qt::PointingHandCursor;
    case CursorRole::Wait:
      return Qt::WaitCursor;
    case CursorRole::Edit:
      break;
  }
  return Qt::IBeamCursor;
}

CursorFrames LoadOwnCursor(CursorRole role) {
  CursorFrames result;
  const QString name = CursorResourceName(role);
  // The pictures first: loading one registers the compiled-in set that the
  // cursor list lives in.
  std::vector<QPixmap> pictures;
  for (int i = 1;; ++i) {
    const QImage frame = ProgramPicture(name + QLatin1Char('_') + QString::number(i));
    if (frame.isNull()) break;
    pictures.push_back(QPixmap::fromImage(frame));
  }
  if (pictures.empty()) {
    const QImage still = ProgramPicture(name);
    if (!still.isNull()) pictures.push_back(QPixmap::fromImage(still));
  }
  QPoint hot(0, 0);
  for (const CursorInfo& cursor : OwnCursorInfos()) {
    if (cursor.name != name) continue;
    hot = QPoint(cursor.hotX, cursor.hotY);
    if (cursor.delayMs > 0) result.delayMs = cursor.delayMs;
    if (static_cast<int>(pictures.size()) > cursor.frames) pictures.resize(static_cast<std::size_t>(cursor.frames));
  }
  for (const QPixmap& picture : pictures) result.frames.emplace_back(picture, hot.x(), hot.y());
  return result;
}

CursorAnimator::CursorAnimator(QObject* parent) : QObject(parent) {
  for (CursorRole role : kRoles) {
    QTimer& timer = timers_[At(role)];
    connect(&timer, &QTimer::timeout, this, [this, role] { Advance(role); });
  }
}

void CursorAnimator::SetFrames(CursorRole role, CursorFrames frames) {
  if (frames.delayMs < 10) frames.delayMs = 10;
  frames_[At(role)] = std::move(frames);
  index_[At(role)] = 0;
  Restart();
  ApplyRole(role);
}

void CursorAnimator::SetOwnCursors(bool own) {
  own_ = own;
  Restart();
  for (CursorRole role : kRoles) ApplyRole(role);
}

void CursorAnimator::Attach(QWidget* widget, CursorRole role) {
  if (widget == nullptr) return;
  if (!roles_.contains(widget)) {
    connect(widget, &QObject::destroyed, this,
            [this](QObject* gone) { roles_.remove(static_cast<QWidget*>(gone)); });
  }
  roles_.insert(widget, role);
  widget->setCursor(Current(role));
}

CursorRole CursorAnimator::RoleOf(QWidget* widget) const {
  return roles_.value(widget, CursorRole::Arrow);
}

QCursor CursorAnimator::Current(CursorRole role) const {
  const CursorFrames& set = frames_[At(role)];
  if (!own_ || set.frames.empty()) return QCursor(SystemCursorShape(role));
  return set.frames[static_cast<std::size_t>(index_[At(role)]) % set.frames.size()];
}

int CursorAnimator::FrameCount(CursorRole role) const {
  return static_cast<int>(frames_[At(role)].frames.size());
}

int CursorAnimator::FrameIndex(CursorRole role) const { return index_[At(role)]; }

bool CursorAnimator::IsAnimating(CursorRole role) const { return timers_[At(role)].isActive(); }

void CursorAnimator::Advance(CursorRole role) {
  const int count = FrameCount(role);
  if (count < 2) return;
  index_[At(role)] = (index_[At(role)] + 1) % count;
  ApplyRole(role);
}

void CursorAnimator::Restart() {
  for (CursorRole role : kRoles) {
    QTimer& timer = timers_[At(role)];
    const CursorFrames& set = frames_[At(role)];
    if (own_ && set.frames.size() > 1) {
      timer.start(set.delayMs);
    } else {
      timer.stop();
      index_[At(role)] = 0;
    }
  }
}

void CursorAnimator::ApplyRole(CursorRole role) {
  const QCursor cursor = Current(role);
  for (auto it = roles_.cbegin(); it != roles_.cend(); ++it) {
    if (it.value() == role) it.key()->setCursor(cursor);
  }
}

}  // namespace tarvel
