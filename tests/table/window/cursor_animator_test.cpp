#include "table/window/cursor_animator.h"

#include <gtest/gtest.h>

#include <QPixmap>
#include <QWidget>

#include <memory>

namespace tarvel {
namespace {

CursorFrames Frames(int count, int delay) {
  CursorFrames frames;
  frames.delayMs = delay;
  for (int i = 0; i < count; ++i) {
    QPixmap picture(32, 32);
    picture.fill(QColor(10 * i, 0, 0));
    frames.frames.emplace_back(picture, i, i);  // the hot spot tells the frames apart
  }
  return frames;
}

TEST(CursorAnimatorTest, OwnCursorsOfTheProgramAreLoaded) {
  // The arrow is a single picture; the other three are animated.
  EXPECT_EQ(LoadOwnCursor(CursorRole::Arrow).frames.size(), 1u);
  for (CursorRole role : {CursorRole::Hand, CursorRole::Wait, CursorRole::Edit}) {
    const CursorFrames frames = LoadOwnCursor(role);
    EXPECT_GT(frames.frames.size(), 1u) << CursorResourceName(role).toStdString();
    EXPECT_GT(frames.delayMs, 0);
  }
}

TEST(CursorAnimatorTest, SystemCursorsOfTheRoles) {
  EXPECT_EQ(SystemCursorShape(CursorRole::Arrow), Qt::ArrowCursor);
  EXPECT_EQ(SystemCursorShape(CursorRole::Hand), Qt::PointingHandCursor);
  EXPECT_EQ(SystemCursorShape(CursorRole::Wait), Qt::WaitCursor);
  EXPECT_EQ(SystemCursorShape(CursorRole::Edit), Qt::IBeamCursor);
  EXPECT_EQ(CursorResourceName(CursorRole::Edit), QStringLiteral("CUREDIT"));
}

TEST(CursorAnimatorTest, AnimatedRoleCyclesItsFramesOnItsWidgets) {
  CursorAnimator animator;
  animator.SetFrames(CursorRole::Hand, Frames(3, 50));
  animator.SetFrames(CursorRole::Arrow, Frames(1, 0));
  QWidget hand;
  QWidget arrow;
  animator.Attach(&hand, CursorRole::Hand);
  animator.Attach(&arrow, CursorRole::Arrow);
  EXPECT_TRUE(animator.IsAnimating(CursorRole::Hand));
  EXPECT_FALSE(animator.IsAnimating(CursorRole::Arrow));
  EXPECT_EQ(hand.cursor().hotSpot(), QPoint(0, 0));
  animator.Advance(CursorRole::Hand);
  EXPECT_EQ(animator.FrameIndex(CursorRole::Hand), 1);
  EXPECT_EQ(hand.cursor().hotSpot(), QPoint(1, 1));
  animator.Advance(CursorRole::Hand);
  animator.Advance(CursorRole::Hand);
  EXPECT_EQ(animator.FrameIndex(CursorRole::Hand), 0);  // wraps around
  EXPECT_EQ(hand.cursor().hotSpot(), QPoint(0, 0));
  // A static role never moves.
  animator.Advance(CursorRole::Arrow);
  EXPECT_EQ(animator.FrameIndex(CursorRole::Arrow), 0);
  EXPECT_EQ(arrow.cursor().shape(), Qt::BitmapCursor);
}

TEST(CursorAnimatorTest, SystemSetStopsTheAnimation) {
  CursorAnimator animator;
  animator.SetFrames(CursorRole::Wait, Frames(4, 30));
  QWidget widget;
  animator.Attach(&widget, CursorRole::Wait);
  animator.SetOwnCursors(false);
  EXPECT_FALSE(animator.IsAnimating(CursorRole::Wait));
  EXPECT_EQ(widget.cursor().shape(), Qt::WaitCursor);
  animator.SetOwnCursors(true);
  EXPECT_TRUE(animator.IsAnimating(CursorRole::Wait));
  EXPECT_EQ(widget.cursor().shape(), Qt::BitmapCursor);
}

TEST(CursorAnimatorTest, RoleWithoutPicturesUsesTheSystemCursor) {
  CursorAnimator animator;
  QWidget widget;
  animator.Attach(&widget, CursorRole::Edit);
  EXPECT_EQ(widget.cursor().shape(), Qt::IBeamCursor);
  EXPECT_EQ(animator.FrameCount(CursorRole::Edit), 0);
}

TEST(CursorAnimatorTest, ReattachingChangesTheRoleAndDestroyedWidgetsDropOut) {
  CursorAnimator animator;
  animator.SetFrames(CursorRole::Hand, Frames(2, 40));
  auto widget = std::make_unique<QWidget>();
  animator.Attach(widget.get(), CursorRole::Hand);
  EXPECT_EQ(animator.RoleOf(widget.get()), CursorRole::Hand);
  animator.Attach(widget.get(), CursorRole::Arrow);
  EXPECT_EQ(animator.RoleOf(widget.get()), CursorRole::Arrow);
  EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
  animator.Attach(widget.get(), CursorRole::Hand);
  widget.reset();
  // Advancing after the widget is gone must not touch it.
  animator.Advance(CursorRole::Hand);
  EXPECT_EQ(animator.FrameIndex(CursorRole::Hand), 1);
}

}  // namespace
}  // namespace tarvel
