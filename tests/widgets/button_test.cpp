// The owner-drawn button: the recolouring and lightening formulas on worked
// pixels, the picture classes and cap widths, and a real button's states.
#include "widgets/qor_cards_button.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

namespace tarvel {
namespace {

struct PixelCase {
  TColorSB scheme;
  bool newSet;
  QRgb in;
  QRgb out;
};

TEST(ButtonRecolour, WorkedPixels) {
  const QRgb red = qRgb(255, 0, 0);
  const std::vector<PixelCase> cases{
      {TColorSB::QRed, false, qRgb(200, 30, 10), qRgb(200, 30, 10)},
      {TColorSB::QNavy, false, red, qRgb(0, 0, 255)},
      {TColorSB::QYellow, false, red, qRgb(255, 255, 0)},
      {TColorSB::QGreen, false, qRgb(200, 30, 10), qRgb(30, 200, 10)},
      {TColorSB::QBlue, false, qRgb(200, 30, 10), qRgb(10, 200, 200)},
      {TColorSB::QViolet, false, qRgb(200, 30, 10), qRgb(200, 30, 200)},
      // QOrang: B := round(0.7 x 10) = 7, G := 7 + round(0.4 x 193) = 84.
      {TColorSB::QOrang, false, qRgb(200, 30, 10), qRgb(200, 84, 7)},
      // Not reddish (G >= R): unchanged.
      {TColorSB::QOrang, false, qRgb(100, 150, 10), qRgb(100, 150, 10)},
      {TColorSB::QCards, false, qRgb(200, 30, 10), qRgb(140, 0, 200)},
      // New set: near red (d < 180) changes, a grey rim stays.
      {TColorSB::QCards, true, qRgb(200, 30, 10), qRgb(120, 21, 200)},
      {TColorSB::QCards, true, qRgb(160, 160, 170), qRgb(160, 160, 170)},
  };
  for (const PixelCase& c : cases) {
    EXPECT_EQ(RecolourButtonPixel(c.in, c.scheme, c.newSet), c.out) << static_cast<int>(c.scheme);
  }
  // Alpha is kept.
  EXPECT_EQ(qAlpha(RecolourButtonPixel(qRgba(255, 0, 0, 77), TColorSB::QNavy, false)), 77);
}

TEST(ButtonRecolour, LighteningRoundsHalvesToEven) {
  // 0.5 x 127 + 128 = 191.5 -> 192; 0.5 x 255 = 127.5 -> 128.
  EXPECT_EQ(LightenButtonPixel(qRgb(128, 0, 0), 50, false), qRgb(192, 128, 128));
  EXPECT_EQ(LightenButtonPixel(qRgb(128, 0, 0), 0, false), qRgb(128, 0, 0));
  EXPECT_EQ(LightenButtonPixel(qRgb(0, 0, 0), 100, false), qRgb(255, 255, 255));
  // The new set lightens only pixels near pure red.
  EXPECT_EQ(LightenButtonPixel(qRgb(128, 128, 128), 50, true), qRgb(128, 128, 128));
  EXPECT_EQ(LightenButtonPixel(qRgb(230, 10, 10), 50, true), qRgb(242, 132, 132));
  // The whole picture: recoloured first, then lightened.
  QImage picture(2, 1, QImage::Format_ARGB32);
  picture.setPixel(0, 0, qRgb(255, 0, 0));
  picture.setPixel(1, 0, qRgba(255, 0, 0, 0));
  const QImage out = RecolourButtonPicture(picture, TColorSB::QNavy, 50, false);
  EXPECT_EQ(out.pixel(0, 0), qRgb(128, 128, 255));
  EXPECT_EQ(qAlpha(out.pixel(1, 0)), 0);
  // New set: the face (red in the picture) is lightened after recolouring,
  // the grey rim is not.
  QImage alt(2, 1, QImage::Format_ARGB32);
  alt.setPixel(0, 0, qRgb(255, 0, 0));
  alt.setPixel(1, 0, qRgb(160, 160, 170));
  const QImage lit = RecolourButtonPicture(alt, TColorSB::QNavy, 50, true);
  EXPECT_EQ(lit.pixel(0, 0), qRgb(128, 128, 255));
  EXPECT_EQ(lit.pixel(1, 0), qRgb(170, 160, 160));
  // QRed without lightening is the picture itself.
  EXPECT_EQ(RecolourButtonPicture(picture, TColorSB::QRed, 0, false).constBits(), picture.constBits());
}

struct HeightCase {
  int height;
  int pictureClass;
  int cap;
  bool exact;
  const char* left;
};

TEST(ButtonPieces, ClassesAndCapWidths) {
  const std::vector<HeightCase> cases{
      {30, 29, 8, true, "R29_L"},  {20, 29, 5, false, "R29_L"}, {31, 44, 9, false, "R44_L"},
      {38, 44, 11, false, "R44_L"}, {39, 44, 11, false, "R44_L"}, {45, 44, 13, true, "R44_L"},
      {46, 59, 13, false, "R59_L"}, {60, 59, 17, true, "R59_L"},  {120, 59, 34, false, "R59_L"},
  };
  for (const HeightCase& c : cases) {
    EXPECT_EQ(ButtonPictureClass(c.height), c.pictureClass) << c.height;
    EXPECT_EQ(ButtonCapWidth(c.height), c.cap) << c.height;
    EXPECT_EQ(IsExactButtonHeight(c.height), c.exact) << c.height;
    EXPECT_EQ(ButtonPieceName(false, c.height, 'L'), QString::fromLatin1(c.left)) << c.height;
  }
  EXPECT_EQ(ButtonPieceName(true, 60, '2'), QStringLiteral("Q59_2"));
  EXPECT_EQ(ButtonGlossRows(29).size(), 29u);
  EXPECT_EQ(ButtonGlossRows(44).size(), 44u);
  EXPECT_EQ(ButtonGlossRows(59).size(), 59u);
  EXPECT_EQ(ButtonGlyphInset(45), 18);
  EXPECT_EQ(ButtonCaptionShift(60), 30);
}

TEST(ButtonFace, ClassicRowsAndStretchedMiddle) {
  // At 30 pixels the classic middle is the gloss row table, recoloured.
  const QImage navy = DrawButtonFace(QSize(100, 30), TColorSB::QNavy, 0, false, true);
  for (int row : {0, 5, 14, 28}) {
    const QRgb expected = RecolourButtonPixel(ButtonGlossRows(29)[static_cast<std::size_t>(row)], TColorSB::QNavy, false);
    EXPECT_EQ(navy.pixel(50, row), expected) << row;
  }
  EXPECT_EQ(qAlpha(navy.pixel(50, 29)), 0);  // the 30th row is not part of the face
  // At 38 pixels the 44 set is stretched: the face is filled and blue.
  const QImage odd = DrawButtonFace(QSize(100, 38), TColorSB::QNavy, 0, false, true);
  const QRgb middle = odd.pixel(50, 19);
  EXPECT_EQ(qAlpha(middle), 255);
  EXPECT_GT(qBlue(middle), qRed(middle));
  // The corners outside the rounded caps stay transparent.
  EXPECT_EQ(qAlpha(odd.pixel(0, 0)), 0);
}

TEST(ButtonWidget, PropertiesStatesAndNewLook) {
  QWidget parent;
  parent.resize(300, 200);
  auto* button = new TQorCardsButton(QStringLiteral("Top Ten"), &parent);
  button->setGeometry(10, 10, 100, 30);
  parent.show();
  EXPECT_EQ(button->ColorSB(), TColorSB::QRed);
  EXPECT_EQ(button->KLightSB(), 0);
  EXPECT_TRUE(button->Kontur());
  EXPECT_TRUE(button->Smooth());
  EXPECT_FALSE(button->AltLook());

  button->SetHeightSB(THeightSB::Q45);
  EXPECT_EQ(button->height(), 45);
  button->SetHeightSB(THeightSB::Q60);
  EXPECT_EQ(button->height(), 60);
  button->SetKLightSB(250);
  EXPECT_EQ(button->KLightSB(), 100);

  // The caption turns to ColorMouse while the pointer is over the button.
  button->SetFontColour(QColor(255, 255, 255));
  button->SetColorMouse(QColor(255, 255, 0));
  QSignalSpy entered(button, &TQorCardsButton::MouseEntered);
  QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
  QCoreApplication::sendEvent(button, &enter);
  EXPECT_EQ(entered.count(), 1);
  EXPECT_TRUE(button->FMouseInPos());
  EXPECT_EQ(button->CaptionColour(), QColor(255, 255, 0));
  button->SetLightFont(false);
  EXPECT_EQ(button->CaptionColour(), QColor(255, 255, 255));
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(button, &leave);
  EXPECT_FALSE(button->FMouseInPos());
  button->setEnabled(false);
  EXPECT_NE(button->CaptionColour(), QColor(255, 255, 255));

  // NewButtons switches every owner-drawn button of a window at once.
  auto* second = new TQorCardsButton(&parent);
  ApplyNewButtons(&parent, true);
  EXPECT_TRUE(button->AltLook());
  EXPECT_TRUE(second->AltLook());
  // The new look draws from its own pictures.
  EXPECT_NE(DrawButtonFace(QSize(100, 30), TColorSB::QRed, 0, true, true),
            DrawButtonFace(QSize(100, 30), TColorSB::QRed, 0, false, true));
  // A grab paints without trouble in every state.
  button->setEnabled(true);
  button->setFocus();
  EXPECT_FALSE(button->grab().isNull());
}

}  // namespace
}  // namespace tarvel
