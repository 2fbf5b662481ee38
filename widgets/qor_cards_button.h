// The owner-drawn button of every window: a glossy rounded face built from
// three small red pictures (left cap, middle, right cap), recoloured into one
// of eight schemes and lightened on request, with the caption drawn over it
// in a normal and a pointer-over colour. Two picture sets exist: the classic
// set ("R29_L" ...) and the new buttons ("Q29_L" ..., `AltLook`).
//
// The pure functions below are the arithmetic of the face; the widget only
// composes them.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QRgb>
#include <QString>

#include <span>

namespace tarvel {

enum class TColorSB { QRed, QGreen, QBlue, QNavy, QYellow, QViolet, QOrang, QCards };
enum class THeightSB { Q30, Q45, Q60 };

// The recolouring of one pixel for a scheme. `newSet` selects the rule of the
// new buttons for QCards (only pixels near pure red change there). Alpha is
// kept.
QRgb RecolourButtonPixel(QRgb pixel, TColorSB scheme, bool newSet);
// Lightening towards white by `percent`; with the new set only pixels near
// pure red are lightened.
QRgb LightenButtonPixel(QRgb pixel, int percent, bool newSet);
// Both, in that order; unchanged for QRed without lightening. With the new
// set, the pixels lightened are those near pure red in the picture as drawn
// (the face, not the silver rim).
QImage RecolourButtonPicture(const QImage& picture, TColorSB scheme, int lightPercent, bool newSet);

// The picture class of a height: 29 (up to 30), 44 (up to 45) or 59.
int ButtonPictureClass(int height);
// The class's reference height (30, 45, 60).
int ButtonClassHeight(int pictureClass);
// The width of a cap at this height: round(reference width x height / class
// height), reference widths 8, 13 and 17.
int ButtonCapWidth(int height);
// Whether the height is one of the exact heights 30, 45, 60.
bool IsExactButtonHeight(int height);
// Resource name of a piece: 'L', 'R' or '2' (middle).
QString ButtonPieceName(bool newSet, int height, char piece);
// Row colours of the classic gloss for a class: 29, 44 or 59 rows, red.
std::span<const QRgb> ButtonGlossRows(int pictureClass);
// The glyph inset and the caption shift beside a glyph for a height class.
int ButtonGlyphInset(int height);
int ButtonCaptionShift(int height);
// The focus contour colour of a scheme.
QColor ButtonContourColour(TColorSB scheme);

// The whole face (without caption) of a button of this size, transparent
// outside the rounded shape.
QImage DrawButtonFace(QSize size, TColorSB scheme, int lightPercent, bool newSet, bool smooth);

class TQorCardsButton : public QPushButton {
  Q_OBJECT
  Q_PROPERTY(TColorSB ColorSB READ ColorSB WRITE SetColorSB)
  Q_PROPERTY(QColor ColorMouse READ ColorMouse WRITE SetColorMouse)
  Q_PROPERTY(bool LightFont READ LightFont WRITE SetLightFont)
  Q_PROPERTY(bool GrayDis READ GrayDis WRITE SetGrayDis)
  Q_PROPERTY(THeightSB HeightSB READ HeightSB WRITE SetHeightSB)
  Q_PROPERTY(int KLightSB READ KLightSB WRITE SetKLightSB)
  Q_PROPERTY(bool Kontur READ Kontur WRITE SetKontur)
  Q_PROPERTY(bool Smooth READ Smooth WRITE SetSmooth)
  Q_PROPERTY(bool AltLook READ AltLook WRITE SetAltLook)

 public:
  explicit TQorCardsButton(QWidget* parent = nullptr);
  TQorCardsButton(const QString& caption, QWidget* parent = nullptr);

  TColorSB ColorSB() const { return colorSB_; }
  void SetColorSB(TColorSB scheme);
  QColor ColorMouse() const { return colorMouse_; }
  void SetColorMouse(const QColor& colour);
  bool LightFont() const { return lightFont_; }
  void SetLightFont(bool on);
  bool GrayDis() const { return grayDis_; }
  void SetGrayDis(bool on);
  THeightSB HeightSB() const { return heightSB_; }
  void SetHeightSB(THeightSB height);  // also sets the widget's height
  int KLightSB() const { return kLightSB_; }
  void SetKLightSB(int percent);
  bool Kontur() const { return kontur_; }
  void SetKontur(bool on);
  bool Smooth() const { return smooth_; }
  void SetSmooth(bool on);
  bool AltLook() const { return altLook_; }
  void SetAltLook(bool on);

  // The caption's normal colour (the button's font colour).
  QColor FontColour() const { return fontColour_; }
  void SetFontColour(const QColor& colour);
  // Scheme and caption colour at once.
  void SetLook(TColorSB scheme, const QColor& fontColour);

  bool FMouseInPos() const { return fMouseInPos_; }
  // The caption colour the next paint uses.
  QColor CaptionColour() const;

  QSize sizeHint() const override;

 signals:
  void MouseEntered();
  void MouseLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  TColorSB colorSB_ = TColorSB::QRed;
  QColor colorMouse_{255, 255, 0};
  bool lightFont_ = true;
  bool grayDis_ = true;
  THeightSB heightSB_ = THeightSB::Q30;
  int kLightSB_ = 0;
  bool kontur_ = true;
  bool smooth_ = true;
  bool altLook_ = false;
  QColor fontColour_{255, 255, 255};
  bool fMouseInPos_ = false;
};

// Sets `AltLook` on every owner-drawn button inside `root` (root included).
void ApplyNewButtons(QWidget* root, bool newButtons);

}  // namespace tarvel
