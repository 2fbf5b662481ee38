#include "table/window/menu_button.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>

namespace tarvel {
namespace {

int CountColour(const QImage& image, const QColor& colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) ++n;
  return n;
}

TEST(MenuButtonTest, CaptionColourFollowsThePointerAndTheState) {
  MenuButton button;
  button.resize(200, 30);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(18);
  font.setStyleStrategy(QFont::NoAntialias);
  button.setFont(font);
  button.setText(QStringLiteral("WWWW"));
  button.SetColours(QColor(0, 0, 128), QColor(0, 255, 255));
  EXPECT_GT(CountColour(button.grab().toImage(), QColor(0, 255, 255)), 20);
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
  EXPECT_TRUE(button.PointerOver());
  const QImage over = button.grab().toImage();
  EXPECT_GT(CountColour(over, MenuButton::PointerColour()), 20);
  EXPECT_EQ(CountColour(over, QColor(0, 255, 255)), 0);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_FALSE(button.PointerOver());
  button.setEnabled(false);
  const QImage disabled = button.grab().toImage();
  EXPECT_EQ(CountColour(disabled, QColor(0, 255, 255)), 0);
  EXPECT_GT(CountColour(disabled, QColor(210, 210, 210)), 20);
}

TEST(MenuButtonTest, ALongCaptionIsShrunkToFit) {
  MenuButton button;
  button.resize(120, 30);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(20);
  font.setStyleStrategy(QFont::NoAntialias);
  button.setFont(font);
  button.SetColours(QColor(200, 0, 0), QColor(255, 255, 255));
  const QImage face = button.grab().toImage();
  button.setText(QStringLiteral("To sum up of game"));
  const QImage captioned = button.grab().toImage();
  // The caption changes pixels, but none within five pixels of either edge.
  int changed = 0;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      if (face.pixel(x, y) == captioned.pixel(x, y)) continue;
      ++changed;
      EXPECT_GE(x, 5);
      EXPECT_LT(x, face.width() - 5);
    }
  }
  EXPECT_GT(changed, 10);
}

}  // namespace
}  // namespace tarvel
