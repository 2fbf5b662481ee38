// The main menu's places at the window sizes, the title colour variants and
// the digits of the clock and the counter display.
#include "table/main_menu_layout.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

struct MenuCase {
  int windowSize;
  QSize workArea;
  int rowHeight;
  QRect panel4;
  int row5Top;
  QRect newPlayer;
  QRect exit;
  QRect clock;  // empty: not shown
  bool counter;
};

TEST(MainMenuLayout, ElementsAtTheWindowSizes) {
  const std::vector<MenuCase> cases{
      // The small window: the fifth row at 265 + 120, "New Player" at 265 + 150 + 10.
      {1, {}, 30, {180, 225, 400, 30}, 385, {280, 425, 200, 30}, {330, 465, 100, 30}, {}, false},
      // 265 x 1.3 = 344.5 rounds to 344; R = 39.
      {3, {}, 39, {234, 292, 520, 39}, 500, {364, 552, 260, 39}, {429, 604, 130, 39}, {}, false},
      // 382.5 rounds to 382: the gap under the candle is 131, half of it 66.
      {4, {}, 51, {306, 382, 680, 51}, 654, {476, 722, 340, 51}, {561, 790, 170, 51}, {130, 281, 115, 64}, true},
      {5, {}, 60, {360, 450, 800, 60}, 770, {560, 850, 400, 60}, {660, 930, 200, 60}, {163, 319, 115, 64}, true},
      // Full screen 1600 x 1000: positions stretch by 2.105, sizes by 2.
      {2, {1600, 1000}, 60, {379, 450, 842, 60}, 770, {589, 850, 421, 60}, {695, 930, 211, 60},
       {174, 319, 115, 64}, true},
      // A smaller full screen: the clock from ScaleS 1.6, the counter only above 1290 x 850.
      {2, {1280, 800}, 48, {303, 360, 674, 48}, 616, {472, 680, 337, 48}, {556, 744, 168, 48},
       {128, 268, 115, 64}, false},
  };
  for (const MenuCase& c : cases) {
    const MainMenuLayout m = MainMenuLayoutFor(GeometryForWindowSize(c.windowSize, c.workArea));
    SCOPED_TRACE(c.windowSize * 10000 + c.workArea.width());
    EXPECT_EQ(m.RowHeight, c.rowHeight);
    EXPECT_EQ(m.Panel4, c.panel4);
    EXPECT_EQ(m.Rows[4].top(), c.row5Top);
    EXPECT_EQ(m.Rows[0].top(), c.panel4.top() + c.rowHeight + RoundHalfEven(10 * std::min(c.rowHeight / 30.0, 2.0)));
    EXPECT_EQ(m.Button6, c.newPlayer);
    EXPECT_EQ(m.Button11, c.exit);
    EXPECT_EQ(m.ClockShown, !c.clock.isEmpty());
    if (m.ClockShown) {
      EXPECT_EQ(m.ImClock1, c.clock);
    }
    EXPECT_EQ(m.CounterShown, c.counter);
    // The counter display mirrors the clock under the right candle.
    EXPECT_EQ(m.ImClock2.top(), m.ImClock1.top());
    EXPECT_EQ(m.ImClock2.left(), m.ImageSvRight.left() - 7);
    // Unscaled pictures keep their size; every element lies in the window.
    EXPECT_EQ(m.RxGIFAn1.size(), QSize(160, 200));
    EXPECT_EQ(m.ImageSvLeft.size(), QSize(100, 200));
    const QRect client(QPoint(0, 0), GeometryForWindowSize(c.windowSize, c.workArea).Client);
    for (const QRect& r : {m.Panel4, m.Button6, m.Button9, m.Button10, m.BHistory, m.BMode, m.Button11, m.ImTitle,
                           m.ImCaption, m.ImElite, m.RxGIFAn1, m.RxGIFAn2, m.ImageSvLeft, m.ImageSvRight})
      EXPECT_TRUE(client.contains(r)) << r.x() << "," << r.y();
    for (const QRect& r : m.Services) EXPECT_TRUE(client.contains(r) && !r.intersects(m.Button11));
    // The radio icon: from a scale of 1.6, like the clock, clear of its
    // neighbours.
    EXPECT_EQ(m.RadioShown, m.ClockShown);
    if (m.RadioShown) {
      EXPECT_TRUE(client.contains(m.ImRadio));
      for (const QRect& r : {m.Rows[4], m.Button6, m.RxGIFAn1, m.Services[0], m.Button11})
        EXPECT_FALSE(m.ImRadio.intersects(r)) << r.x() << "," << r.y();
    }
  }
  // The fixed places of the small window.
  const MainMenuLayout small = MainMenuLayoutFor(GeometryForWindowSize(1, {}));
  EXPECT_EQ(small.Button9, QRect(40, 225, 100, 30));
  EXPECT_EQ(small.Button10, QRect(620, 225, 100, 30));
  EXPECT_EQ(small.BHistory, QRect(40, 255, 100, 30));
  EXPECT_EQ(small.BMode, QRect(620, 255, 100, 30));
  EXPECT_EQ(small.ImTitle, QRect(230, 85, 300, 90));
  EXPECT_EQ(small.ImCaption, QRect(180, 12, 400, 70));
  EXPECT_EQ(small.ImElite, QRect(205, 183, 350, 40));
  EXPECT_EQ(small.RxGIFAn2.topLeft(), QPoint(592, 290));
  EXPECT_EQ(small.ImageSvLeft.topLeft(), QPoint(60, 30));
  EXPECT_EQ(small.ImageSvRight.topLeft(), QPoint(600, 30));
}

TEST(MainMenuLayout, CaptionColourVariants) {
  const QRgb pixel = qRgba(200, 100, 50, 180);
  const std::vector<std::pair<int, QRgb>> cases{
      {1, qRgba(200, 100, 50, 180)}, {2, qRgba(200, 101, 35, 180)}, {3, qRgba(200, 200, 50, 180)},
      {4, qRgba(100, 200, 50, 180)}, {5, qRgba(50, 200, 200, 180)}, {6, qRgba(50, 100, 200, 180)},
      {7, qRgba(200, 100, 200, 180)}, {0, pixel},                   {8, pixel}};
  for (const auto& [variant, expected] : cases) EXPECT_EQ(RecolourCaptionPixel(pixel, variant), expected) << variant;
  // Variant 2 leaves pixels that are not reddish alone.
  EXPECT_EQ(RecolourCaptionPixel(qRgb(10, 200, 30), 2), qRgb(10, 200, 30));
  QImage picture(1, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, pixel);
  EXPECT_EQ(RecolourCaption(picture, 6).pixel(0, 0), qRgba(50, 100, 200, 180));
  EXPECT_EQ(NextCaptionColor(7), 1);
  EXPECT_EQ(NextCaptionColor(1), 2);
  EXPECT_EQ(NextCaptionColor(0), 1);
}

TEST(MainMenuLayout, ClockAndCounterDigits) {
  const ClockDigits morning = ClockDigitsAt(QTime(9, 5, 0, 600));
  EXPECT_EQ(morning.Digits, (std::array<int, 4>{-1, 9, 0, 5}));
  EXPECT_TRUE(morning.Colon);
  EXPECT_FALSE(ClockDigitsAt(QTime(9, 5, 0, 500)).Colon);
  EXPECT_EQ(ClockDigitsAt(QTime(23, 59)).Digits, (std::array<int, 4>{2, 3, 5, 9}));
  EXPECT_EQ(ClockDigitsAt(QTime(0, 0)).Digits, (std::array<int, 4>{-1, 0, 0, 0}));

  const std::vector<std::pair<int, std::array<int, 4>>> numbers{
      {0, {-1, -1, -1, 0}},   {7, {-1, -1, -1, 7}}, {1234, {1, 2, 3, 4}},
      {12345, {2, 3, 4, 5}},  {-5, {-1, -1, -2, 5}}, {-1234, {1, 2, 3, 4}}};
  for (const auto& [number, digits] : numbers) EXPECT_EQ(CounterDigits(number), digits) << number;
  EXPECT_EQ(CounterColourSet(0), 1);
  EXPECT_EQ(CounterColourSet(6), 7);
  EXPECT_EQ(CounterColourSet(7), 1);
  EXPECT_EQ(CounterColourSet(59), 4);
}

}  // namespace
}  // namespace tarvel
