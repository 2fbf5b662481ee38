#include "widgets/qor_cards_button.h"

#include <QEnterEvent>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

#include "widgets/program_picture.h"

namespace tarvel {

namespace {

// Rounds halves to even, the rounding of every formula here.
int Round(double value) { return static_cast<int>(std::nearbyint(value)); }

int Clamp255(int value) { return std::clamp(value, 0, 255); }

// Distance of a colour from pure red.
double DistanceFromRed(int r, int g, int b) {
  return std::sqrt(static_cast<double>((r - 255) * (r - 255) + g * g + b * b));
}

constexpr double kNearRed = 180.0;

// The stops of the classic gloss, from the top row to the bottom row; the
// pictures of the classic set are drawn with the same stops.
struct GlossStop {
  double at;
  int r, g, b;
};
constexpr std::array<GlossStop, 7> kGloss{{{0.0, 120, 0, 0},
                                            {0.06, 255, 176, 176},
                                            {0.46, 236, 52, 52},
                                            {0.54, 192, 0, 0},
                                            {0.88, 222, 24, 24},
                                            {0.96, 246, 84, 84},
                                            {1.0, 110, 0, 0}}};

template <std::size_t Rows>
std::array<QRgb, Rows> MakeGloss() {
  std::array<QRgb, Rows> rows{};
  for (std::size_t i = 0; i < Rows; ++i) {
    const double t = static_cast<double>(i) / (Rows - 1);
    std::size_t k = 1;
    while (k + 1 < kGloss.size() && kGloss[k].at < t) ++k;
    const GlossStop& a = kGloss[k - 1];
    const GlossStop& b = kGloss[k];
    const double f = b.at > a.at ? (t - a.at) / (b.at - a.at) : 0.0;
    rows[i] = qRgb(Round(a.r + (b.r - a.r) * f), Round(a.g + (b.g - a.g) * f), Round(a.b + (b.b - a.b) * f));
  }
  return rows;
}

const std::array<QRgb, 29> kGloss29 = MakeGloss<29>();
const std::array<QRgb, 44> kGloss44 = MakeGloss<44>();
const std::array<QRgb, 59> kGloss59 = MakeGloss<59>();

int ClassIndex(int pictureClass) { return pictureClass == 29 ? 0 : pictureClass == 44 ? 1 : 2; }

// The recoloured pieces, shared by all buttons: a menu holds a dozen buttons
// of one or two looks.
const QImage& Piece(bool newSet, int height, char piece, TColorSB scheme, int light) {
  static QHash<QString, QImage> cache;
  const QString name = ButtonPieceName(newSet, height, piece);
  const QString key = name + QLatin1Char('/') + QString::number(static_cast<int>(scheme)) + QLatin1Char('/') +
                      QString::number(light);
  auto found = cache.find(key);
  if (found == cache.end())
    found = cache.insert(key, RecolourButtonPicture(ProgramPicture(name), scheme, light, newSet));
  return found.value();
}

QImage Grey(const QImage& face) {
  QImage out = face.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      const int v = qGray(line[x]);
      const int soft = 128 + v / 2;
      line[x] = qRgba(soft, soft, soft, qAlpha(line[x]));
    }
  }
  return out;
}

}  // namespace

QRgb RecolourButtonPixel(QRgb pixel, TColorSB scheme, bool newSet) {
  int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  const int a = qAlpha(pixel);
  switch (scheme) {
    case TColorSB::QRed: break;
    case TColorSB::QGreen: std::swap(r, g); break;
    case TColorSB::QBlue: b = r, g = r, r = qBlue(pixel); break;
    case TColorSB::QNavy: std::swap(r, b); break;
    case TColorSB::QYellow: g = r; break;
    case TColorSB::QViolet: b = r; break;
    case TColorSB::QOrang:
      if (g < r && b < r) {
        b = Round(0.7 * b);
        g = Clamp255(b + Round(0.4 * std::abs(r - b)));
      }
      break;
    case TColorSB::QCards:
      if (!newSet) {
        const int red = r;
        r = Round(0.7 * red), g = 0, b = red;
      } else if (DistanceFromRed(r, g, b) < kNearRed) {
        const int red = r;
        r = Round(0.6 * red), g = Round(0.7 * g), b = red;
      }
      break;
  }
  return qRgba(r, g, b, a);
}

QRgb LightenButtonPixel(QRgb pixel, int percent, bool newSet) {
  if (percent == 0) return pixel;
  const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  if (newSet && DistanceFromRed(r, g, b) >= kNearRed) return pixel;
  const double k = percent / 100.0;
  const auto lighten = [k](int v) { return Clamp255(Round(k * (255 - v) + v)); };
  return qRgba(lighten(r), lighten(g), lighten(b), qAlpha(pixel));
}

QImage RecolourButtonPicture(const QImage& picture, TColorSB scheme, int lightPercent, bool newSet) {
  if (picture.isNull() || (scheme == TColorSB::QRed && lightPercent == 0)) return picture;
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < out.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x) {
      // Which pixels of a new button are its face is decided on the red
      // picture: after recolouring no face pixel is near red any more.
      const bool face = !newSet || DistanceFromRed(qRed(line[x]), qGreen(line[x]), qBlue(line[x])) < kNearRed;
      const QRgb recoloured = RecolourButtonPixel(line[x], scheme, newSet);
      line[x] = face ? LightenButtonPixel(recoloured, lightPercent, false) : recoloured;
    }
  }
  return out;
}

int ButtonPictureClass(int height) { return height <= 30 ? 29 : height <= 45 ? 44 : 59; }

int ButtonClassHeight(int pictureClass) { return pictureClass + 1; }

int ButtonCapWidth(int height) {
  static constexpr std::array<int, 3> kCaps{8, 13, 17};
  const int cls = ButtonPictureClass(height);
  return Round(static_cast<double>(kCaps[static_cast<std::size_t>(ClassIndex(cls))]) * height /
               ButtonClassHeight(cls));
}

bool IsExactButtonHeight(int height) { return height == 30 || height == 45 || height == 60; }

QString ButtonPieceName(bool newSet, int height, char piece) {
  return QStringLiteral("%1%2_%3")
      .arg(newSet ? QLatin1Char('Q') : QLatin1Char('R'))
      .arg(ButtonPictureClass(height))
      .arg(QLatin1Char(piece));
}

std::span<const QRgb> ButtonGlossRows(int pictureClass) {
  switch (pictureClass) {
    case 29: return kGloss29;
    case 44: return kGloss44;
    default: return kGloss59;
  }
}

int ButtonGlyphInset(int height) {
  static constexpr std::array<int, 3> kInsets{15, 18, 20};
  return kInsets[static_cast<std::size_t>(ClassIndex(ButtonPictureClass(height)))];
}

int ButtonCaptionShift(int height) {
  static constexpr std::array<int, 3> kShifts{25, 28, 30};
  return kShifts[static_cast<std::size_t>(ClassIndex(ButtonPictureClass(height)))];
}

QColor ButtonContourColour(TColorSB scheme) {
  switch (scheme) {
    case TColorSB::QRed: return QColor(255, 220, 120);
    case TColorSB::QGreen: return QColor(220, 255, 160);
    case TColorSB::QBlue: return QColor(200, 240, 255);
    case TColorSB::QNavy: return QColor(120, 220, 255);
    case TColorSB::QYellow: return QColor(255, 255, 255);
    case TColorSB::QViolet: return QColor(255, 200, 255);
    case TColorSB::QOrang: return QColor(255, 255, 180);
    case TColorSB::QCards: return QColor(230, 200, 60);
  }
  return QColor(255, 255, 255);
}

QImage DrawButtonFace(QSize size, TColorSB scheme, int lightPercent, bool newSet, bool smooth) {
  QImage face(size, QImage::Format_ARGB32_Premultiplied);
  face.fill(Qt::transparent);
  const int w = size.width(), h = size.height();
  if (w <= 0 || h <= 0) return face;
  const int cap = std::min(ButtonCapWidth(h), w / 2);
  const bool exact = IsExactButtonHeight(h);
  const Qt::TransformationMode mode =
      !exact && smooth ? Qt::SmoothTransformation : Qt::FastTransformation;
  QPainter painter(&face);
  const auto put = [&](const QImage& piece, int x, int width) {
    if (piece.isNull() || width <= 0) return;
    painter.drawImage(x, 0, piece.scaled(width, h, Qt::IgnoreAspectRatio, mode));
  };
  put(Piece(newSet, h, 'L', scheme, lightPercent), 0, cap);
  put(Piece(newSet, h, 'R', scheme, lightPercent), w - cap, cap);
  if (newSet || scheme == TColorSB::QCards || !exact) {
    put(Piece(newSet, h, '2', scheme, lightPercent), cap, w - 2 * cap);
  } else {
    const std::span<const QRgb> rows = ButtonGlossRows(ButtonPictureClass(h));
    for (std::size_t y = 0; y < rows.size(); ++y) {
      const QRgb colour = LightenButtonPixel(RecolourButtonPixel(rows[y], scheme, false), lightPercent, false);
      painter.setPen(QColor::fromRgb(colour));
      painter.drawLine(cap, static_cast<int>(y), w - cap - 1, static_cast<int>(y));
    }
  }
  return face;
}

// ---------------------------------------------------------------------------

TQorCardsButton::TQorCardsButton(QWidget* parent) : QPushButton(parent) {
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
}

TQorCardsButton::TQorCardsButton(const QString& caption, QWidget* parent) : TQorCardsButton(parent) {
  setText(caption);
}

void TQorCardsButton::SetColorSB(TColorSB scheme) {
  colorSB_ = scheme;
  update();
}

void TQorCardsButton::SetColorMouse(const QColor& colour) {
  colorMouse_ = colour;
  update();
}

void TQorCardsButton::SetLightFont(bool on) {
  lightFont_ = on;
  update();
}

void TQorCardsButton::SetGrayDis(bool on) {
  grayDis_ = on;
  update();
}

void TQorCardsButton::SetHeightSB(THeightSB height) {
  heightSB_ = height;
  resize(width(), height == THeightSB::Q30 ? 30 : height == THeightSB::Q45 ? 45 : 60);
  update();
}

void TQorCardsButton::SetKLightSB(int percent) {
  kLightSB_ = std::clamp(percent, 0, 100);
  update();
}

void TQorCardsButton::SetKontur(bool on) {
  kontur_ = on;
  update();
}

void TQorCardsButton::SetSmooth(bool on) {
  smooth_ = on;
  update();
}

void TQorCardsButton::SetAltLook(bool on) {
  altLook_ = on;
  update();
}

void TQorCardsButton::SetFontColour(const QColor& colour) {
  fontColour_ = colour;
  update();
}

void TQorCardsButton::SetLook(TColorSB scheme, const QColor& fontColour) {
  colorSB_ = scheme;
  fontColour_ = fontColour;
  update();
}

QColor TQorCardsButton::CaptionColour() const {
  if (!isEnabled()) return grayDis_ ? QColor(96, 96, 96) : QColor(170, 170, 170);
  if (fMouseInPos_ && lightFont_) return colorMouse_;
  return fontColour_;
}

QSize TQorCardsButton::sizeHint() const {
  const int captionWidth = QFontMetrics(font()).horizontalAdvance(text());
  return QSize(std::max(100, captionWidth + 2 * ButtonCapWidth(30) + 16), 30);
}

void TQorCardsButton::enterEvent(QEnterEvent* event) {
  fMouseInPos_ = true;
  update();
  emit MouseEntered();
  QPushButton::enterEvent(event);
}

void TQorCardsButton::leaveEvent(QEvent* event) {
  fMouseInPos_ = false;
  update();
  emit MouseLeft();
  QPushButton::leaveEvent(event);
}

void TQorCardsButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QSize area = size();
  QImage face = DrawButtonFace(area, colorSB_, kLightSB_, altLook_, smooth_);
  if (!isEnabled() && grayDis_) face = Grey(face);
  const QPoint shift = isDown() ? QPoint(1, 1) : QPoint(0, 0);
  painter.drawImage(shift, face);

  const int h = area.height();
  QRect captionArea = rect().translated(shift);
  if (altLook_) captionArea.translate(0, -1);
  if (!icon().isNull()) {
    const QSize glyph = iconSize();
    const int inset = ButtonGlyphInset(h);
    painter.drawPixmap(shift.x() + inset, shift.y() + (h - glyph.height()) / 2,
                       icon().pixmap(glyph, isEnabled() ? QIcon::Normal : QIcon::Disabled));
    captionArea.setLeft(captionArea.left() + glyph.width() + ButtonCaptionShift(h));
  }

  // A caption wider than the face is drawn in a smaller font rather than cut.
  QFont captionFont = font();
  const int room = captionArea.width() - 2 * ButtonCapWidth(h);
  if (captionFont.pixelSize() > 0) {
    while (QFontMetrics(captionFont).horizontalAdvance(text()) > room && captionFont.pixelSize() > 6)
      captionFont.setPixelSize(captionFont.pixelSize() - 1);
  }
  painter.setFont(captionFont);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setPen(CaptionColour());
  painter.drawText(captionArea, Qt::AlignCenter, text());

  if (hasFocus() && kontur_) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ButtonContourColour(colorSB_), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    const QRectF inner = QRectF(rect()).adjusted(3.5, 3.5, -3.5, -4.5).translated(shift);
    const qreal radius = std::max(2.0, inner.height() / 2.0);
    painter.drawRoundedRect(inner, radius, radius);
  }
}

void ApplyNewButtons(QWidget* root, bool newButtons) {
  if (root == nullptr) return;
  if (auto* self = qobject_cast<TQorCardsButton*>(root)) self->SetAltLook(newButtons);
  for (TQorCardsButton* button : root->findChildren<TQorCardsButton*>()) button->SetAltLook(newButtons);
}

}  // namespace tarvel
