// The four cursor roles of the main window, each with a system cursor and an
// own cursor. Own cursors with several frames are animated: one timer per
// animated role steps through its frames and sets the current frame on every
// widget attached to that role.
#pragma once

#include <QCursor>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <array>
#include <vector>

class QWidget;

namespace tarvel {

enum class CursorRole { Arrow = 0, Hand = 1, Wait = 2, Edit = 3 };

// Frames of one own cursor. A single frame is a static cursor.
struct CursorFrames {
  std::vector<QCursor> frames;
  int delayMs = 100;
};

// Resource base name of a role's own cursor: "CURARROW", "CURHAND", ...
QString CursorResourceName(CursorRole role);
// The system cursor of a role.
Qt::CursorShape SystemCursorShape(CursorRole role);
// Loads the own cursor of a role from the compiled-in pictures: a single
// picture "<Name>" or the frames "<Name>_1", "<Name>_2", ... An empty result
// means the pictures are missing.
CursorFrames LoadOwnCursor(CursorRole role);

class CursorAnimator : public QObject {
  Q_OBJECT

 public:
  explicit CursorAnimator(QObject* parent = nullptr);

  // Replaces the frames of a role (loading is separate so tests can feed
  // their own frames). A role without frames uses its system cursor.
  void SetFrames(CursorRole role, CursorFrames frames);
  // OwnCursor of the settings: own cursors on, or the system set.
  void SetOwnCursors(bool own);
  bool OwnCursors() const { return own_; }

  // The widget shows the cursor of this role from now on (until re-attached
  // with another role). Widgets that are destroyed drop out by themselves.
  void Attach(QWidget* widget, CursorRole role);
  CursorRole RoleOf(QWidget* widget) const;

  // The cursor a role shows at this moment.
  QCursor Current(CursorRole role) const;
  int FrameCount(CursorRole role) const;
  int FrameIndex(CursorRole role) const;
  bool IsAnimating(CursorRole role) const;

  // Moves an animated role to its next frame (the timer calls it).
  void Advance(CursorRole role);

 private:
  void Restart();
  void ApplyRole(CursorRole role);

  bool own_ = true;
  std::array<CursorFrames, 4> frames_;
  std::array<int, 4> index_{};
  std::array<QTimer, 4> timers_;
  QHash<QWidget*, CursorRole> roles_;
};

}  // namespace tarvel
