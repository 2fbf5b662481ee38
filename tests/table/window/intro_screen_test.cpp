#include "table/window/intro_screen.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

struct TrackCase {
  int card;
  long long tick;
  QPoint expected;
};

class RunningCardTest : public ::testing::TestWithParam<TrackCase> {};

TEST_P(RunningCardTest, FollowsTheTrackClockwise) {
  EXPECT_EQ(RunningCardPosition(GetParam().card, GetParam().tick), GetParam().expected);
}

// The track is (155, 68)-(550, 362): 395 wide, 294 high, 1378 around.
INSTANTIATE_TEST_SUITE_P(
    Cases, RunningCardTest,
    ::testing::Values(TrackCase{0, 0, {155, 68}}, TrackCase{1, 0, {550, 68}},
                      TrackCase{2, 0, {550, 362}}, TrackCase{3, 0, {155, 362}},
                      TrackCase{0, 1, {156, 68}},      // rightwards along the top
                      TrackCase{1, 1, {550, 69}},      // downwards on the right
                      TrackCase{2, 1, {549, 362}},     // leftwards along the bottom
                      TrackCase{3, 1, {155, 361}},     // upwards on the left
                      TrackCase{0, 395, {550, 68}},    // card 0 reaches card 1's start
                      TrackCase{0, 689, {550, 362}}, TrackCase{0, 1084, {155, 362}},
                      TrackCase{0, 1377, {155, 69}},   // one step before the full round
                      TrackCase{0, 1378, {155, 68}},   // a full round
                      TrackCase{3, 1378 * 5 + 2, {155, 360}}));

TEST(RunningCardTest, CardsKeepTheirDistanceAndStayInTheBand) {
  for (long long tick = 0; tick < 1378; tick += 7) {
    for (int card = 0; card < 4; ++card) {
      const QPoint p = RunningCardPosition(card, tick);
      // Always on the track's border.
      const bool onBorder = ((p.y() == 68 || p.y() == 362) && p.x() >= 155 && p.x() <= 550) ||
                            ((p.x() == 155 || p.x() == 550) && p.y() >= 68 && p.y() <= 362);
      EXPECT_TRUE(onBorder) << card << " " << tick;
      // The card lies between the outer frame (130, 50)-(630, 450) and the
      // inner frame (230, 150)-(530, 350) or outside the inner one.
      EXPECT_GT(p.x(), 130);
      EXPECT_GT(p.y(), 50);
      EXPECT_LT(p.x() + IntroScreen::kCardWidth, 630);
      EXPECT_LT(p.y() + IntroScreen::kCardHeight, 450);
    }
  }
}

TEST(IntroLetterTest, RingTurnsEveryTenthTick) {
  const auto& ring = IntroColourRing();
  EXPECT_EQ(ring[0], QColor(128, 0, 0));   // maroon
  EXPECT_EQ(ring[9], QColor(0, 255, 0));   // lime
  for (int letter = 0; letter < 6; ++letter) {
    EXPECT_EQ(IntroLetterColour(letter, 0), ring[static_cast<std::size_t>(letter)]);
    EXPECT_EQ(IntroLetterColour(letter, 9), ring[static_cast<std::size_t>(letter)]);
    EXPECT_EQ(IntroLetterColour(letter, 10), ring[static_cast<std::size_t>((letter + 1) % 10)]);
    EXPECT_EQ(IntroLetterColour(letter, 100), ring[static_cast<std::size_t>(letter)]);
  }
}

TEST(IntroLetterTest, FirstLetterCentresTheWord) {
  EXPECT_EQ(IntroFirstLetterX(6), 381 - 78);
  EXPECT_EQ(IntroFirstLetterX(0), 381);
}

TEST(IntroScreenTest, BuildDrawsFramesTextsAndLogos) {
  QImage logo(40, 40, QImage::Format_ARGB32_Premultiplied);
  logo.fill(QColor(10, 200, 30));
  std::array<QImage, 4> cards;
  for (auto& c : cards) {
    c = QImage(69, 94, QImage::Format_ARGB32_Premultiplied);
    c.fill(Qt::white);
  }
  IntroScreen intro;
  intro.Build({QStringLiteral("Tarvel"), QStringLiteral("October 18, 2022"),
               QStringLiteral("A card game"), QStringLiteral("V 5.7f"), QString()},
              cards, logo);
  const QImage& still = intro.Still();
  ASSERT_EQ(still.size(), QSize(760, 500));
  EXPECT_EQ(still.pixelColor(5, 5), QColor(Qt::black));
  EXPECT_EQ(still.pixelColor(260, 280), QColor(10, 200, 30));  // first logo
  EXPECT_EQ(still.pixelColor(455, 280), QColor(10, 200, 30));  // second logo
  // The release date is drawn in red somewhere on its line.
  bool red = false;
  for (int x = 230; x < 530 && !red; ++x)
    for (int y = 240; y < 264 && !red; ++y) red = still.pixelColor(x, y).red() > 200 &&
                                                    still.pixelColor(x, y).green() < 60;
  EXPECT_TRUE(red);
  // The still picture holds neither the word nor the cards; the frame does.
  EXPECT_EQ(still.pixelColor(160, 75), QColor(Qt::black));
  EXPECT_EQ(intro.Frame().pixelColor(160, 75), QColor(Qt::white));
  intro.Tick();
  EXPECT_EQ(intro.Ticks(), 1);
  EXPECT_EQ(intro.Frame().pixelColor(156 + IntroScreen::kCardWidth - 1, 80), QColor(Qt::white));
  EXPECT_EQ(intro.Frame().pixelColor(155, 80), still.pixelColor(155, 80));
}

TEST(IntroScreenTest, WordIsDrawnInCapitalsWithTheRingColours) {
  IntroScreen intro;
  intro.Build({QStringLiteral("tarvel"), {}, {}, {}, {}}, {}, QImage());
  // Some pixel of the first letter's cell has maroon's colour.
  const QImage& frame = intro.Frame();
  int maroon = 0;
  for (int x = IntroFirstLetterX(6); x < IntroFirstLetterX(6) + 26; ++x)
    for (int y = 175; y < 219; ++y)
      if (frame.pixelColor(x, y) == QColor(128, 0, 0)) ++maroon;
  EXPECT_GT(maroon, 10);
}

}  // namespace
}  // namespace tarvel
