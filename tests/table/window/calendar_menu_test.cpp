// The calendar sheets on the real main menu: with the calendar module in
// the data folder they stand left and right of the title; without it there
// are none.
#include <gtest/gtest.h>

#include <QFile>

#include "window_fixture.h"

namespace tarvel::testing {
namespace {

void CopyCalendarModule(const QString& folder) {
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_CALENDAR_MODULE), folder + QLatin1String(kCalendarModule)));
}

TEST(CalendarMenuTest, SheetsStandOnTheMenuAndHideAtTheTable) {
  WindowFixture with(QuickSettings(), 0, 1, CopyCalendarModule);
  WindowFixture without;
  with.w().Image1Click();
  without.w().Image1Click();

  CalendarSheets& sheets = with.w().Calendar();
  const QRect left(150, 95, kSheetWidth, kSheetHeight);
  const QRect right(550, 95, kSheetWidth, kSheetHeight);
  ASSERT_TRUE(sheets.ImCalL()->isVisible());
  ASSERT_TRUE(sheets.ImCalR()->isVisible());
  EXPECT_EQ(sheets.ImCalL()->geometry(), left);
  EXPECT_EQ(sheets.ImCalR()->geometry(), right);
  EXPECT_FALSE(sheets.ImCalL()->toolTip().isEmpty());
  EXPECT_FALSE(without.w().Calendar().ImCalL()->isVisible());
  EXPECT_FALSE(without.w().Calendar().ImCalR()->isVisible());
  EXPECT_FALSE(without.w().Calendar().TimerCal().isActive());

  // The sheets change nothing of the menu outside their places.
  const QImage a = with.w().Snapshot();
  sheets.HideCalendar();
  const QImage b = with.w().Snapshot();
  ASSERT_EQ(a.size(), b.size());
  int differentInSheets = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const bool same = a.pixel(x, y) == b.pixel(x, y);
      if (left.contains(x, y) || right.contains(x, y)) {
        differentInSheets += same ? 0 : 1;
      } else {
        ASSERT_TRUE(same) << x << ',' << y;
      }
    }
  }
  EXPECT_GT(differentInSheets, 2000);

  // The menu shown again brings them back; the table hides them at once,
  // and the timer keeps ticking for others.
  with.w().ShowMainMenu();
  ASSERT_TRUE(sheets.ImCalL()->isVisible());
  with.w().Button6()->click();
  EXPECT_FALSE(sheets.ImCalL()->isVisible());
  EXPECT_FALSE(sheets.ImCalR()->isVisible());
  EXPECT_TRUE(sheets.TimerCal().isActive());
}

TEST(CalendarMenuTest, SheetsKeepTheirSizeInALargerWindow) {
  WindowFixture fixture(QuickSettings(), 3, 1, CopyCalendarModule);
  fixture.w().Image1Click();
  const CalendarSheets& sheets = fixture.w().Calendar();
  ASSERT_TRUE(sheets.ImCalL()->isVisible());
  EXPECT_EQ(sheets.ImCalL()->size(), QSize(kSheetWidth, kSheetHeight));
  // Further right and down than in the small window, the right one still
  // 400 reference pixels further on.
  EXPECT_GT(sheets.ImCalL()->x(), 150);
  EXPECT_GT(sheets.ImCalL()->y(), 95);
  EXPECT_EQ(sheets.ImCalR()->y(), sheets.ImCalL()->y());
  EXPECT_GT(sheets.ImCalR()->x() - sheets.ImCalL()->x(), 400);
}

}  // namespace
}  // namespace tarvel::testing
