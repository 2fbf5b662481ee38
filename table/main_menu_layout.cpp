#include "table/main_menu_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tarvel {

MainMenuLayout MainMenuLayoutFor(const WindowGeometry& window) {
  const Scale& f = window.Factors;
  MainMenuLayout m;
  const int r = RoundHalfEven(f.S * 30);
  m.RowHeight = r;
  // The buttons: positions and widths on the reference grid scaled by
  // ScaleX and ScaleY, one row height for all.
  const auto x = [&](int v) { return RoundHalfEven(f.X * v); };
  const auto y = [&](int v) { return RoundHalfEven(f.Y * v); };
  const auto button = [&](int left, int top, int width) { return QRect(x(left), top, x(width), r); };
  const int rowsTop = y(265);
  m.Panel4 = button(180, rowsTop - r - ScaleSize(f, 10), 400);
  for (int k = 0; k < kMenuRows; ++k) m.Rows[static_cast<std::size_t>(k)] = button(180, rowsTop + k * r, 400);
  m.Button6 = button(280, rowsTop + kMenuRows * r + ScaleSize(f, 10), 200);
  m.Button9 = button(40, y(225), 100);
  m.Button10 = button(620, y(225), 100);
  m.BHistory = button(40, y(255), 100);
  m.BMode = button(620, y(255), 100);
  m.Button11 = button(330, y(465), 100);
  m.ImTitle = QRect(x(230), y(90) - ScaleSize(f, 5), x(300), 3 * r);

  const auto scaled = [&](int left, int top, int width, int height) {
    return QRect(ScaleLeft(f, left, width), ScaleTop(f, top, height), ScaleSize(f, width), ScaleSize(f, height));
  };
  m.ImCaption = scaled(180, 12, 400, 70);
  m.ImElite = scaled(205, 183, 350, 40);
  m.RxGIFAn1 = QRect(QPoint(ScaleLeft(f, 7, 160), ScaleTop(f, 290, 200)), kMenuGifSize);
  m.RxGIFAn2 = QRect(QPoint(ScaleLeft(f, 592, 160), ScaleTop(f, 290, 200)), kMenuGifSize);

  // The candles keep their size; each stands in the middle of the cell its
  // scaled picture would fill.
  const int inset = (ScaleSize(f, 100) - kCandleSize.width()) / 2;
  const int candleTop = ScaleTop(f, 30, 200);
  m.ImageSvLeft = QRect(QPoint(ScaleLeft(f, 60, 100) + inset, candleTop), kCandleSize);
  m.ImageSvRight = QRect(QPoint(ScaleLeft(f, 600, 100) + inset, candleTop), kCandleSize);

  // The displays lie in the gap between a candle and the button below it.
  const auto below = [&](const QRect& candle, const QRect& next) {
    const int bottom = candle.top() + kCandleSize.height();
    const int gap = next.top() - bottom;
    return QRect(QPoint(candle.left() - 7, bottom + RoundHalfEven(gap / 2.0) - 36), kClockSize);
  };
  m.ImClock1 = below(m.ImageSvLeft, m.Button9);
  m.ImClock2 = below(m.ImageSvRight, m.Button10);
  m.ClockShown = f.S >= 1.6;
  m.CounterShown = window.WindowSize == kAverageWindow2 || window.WindowSize == kLargeWindow ||
                   (window.WindowSize == kFullScreen && window.Client.width() > 1290 && window.Client.height() > 850);

  // The small pictures of the online services: three left and four right of
  // "Exit", on its line.
  static constexpr std::array<int, kServicePictures> kServiceX{194, 230, 266, 450, 486, 522, 558};
  for (std::size_t i = 0; i < kServiceX.size(); ++i) m.Services[i] = scaled(kServiceX[i], 466, 28, 28);

  // The radio icon stands between the left animated picture and "New
  // Player", level with the button, but left of the member rows and below
  // the animated picture where the space between them is too narrow.
  const int centred = (m.RxGIFAn1.right() + 1 + m.Button6.left() - kRadioIconSize.width()) / 2;
  QRect radio(QPoint(std::min(centred, m.Rows[0].left() - kRadioIconSize.width()),
                     m.Button6.center().y() - kRadioIconSize.height() / 2),
              kRadioIconSize);
  if (radio.intersects(m.RxGIFAn1)) radio.moveTop(m.RxGIFAn1.bottom() + 1);
  radio.moveTop(std::min(radio.top(), window.Client.height() - kRadioIconSize.height()));
  m.ImRadio = radio;
  m.RadioShown = f.S >= 1.6;
  return m;
}

QRgb RecolourCaptionPixel(QRgb pixel, int variant) {
  int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
  switch (variant) {
    case 2:
      if (g < r && b < r) {
        b = RoundHalfEven(0.7 * std::min(b, g));
        g = std::min(255, b + RoundHalfEven(0.4 * std::abs(r - b)));
      }
      break;
    case 3: g = r; break;
    case 4: std::swap(r, g); break;
    case 5: {
      const int oldR = r;
      r = b;
      g = oldR;
      b = oldR;
      break;
    }
    case 6: std::swap(r, b); break;
    case 7: b = r; break;
    default: break;
  }
  return qRgba(r, g, b, qAlpha(pixel));
}

QImage RecolourCaption(const QImage& picture, int variant) {
  if (variant < 2 || variant > 7 || picture.isNull()) return picture;
  QImage out = picture.convertToFormat(QImage::Format_ARGB32);
  for (int row = 0; row < out.height(); ++row) {
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(row));
    for (int col = 0; col < out.width(); ++col) line[col] = RecolourCaptionPixel(line[col], variant);
  }
  return out;
}

int NextCaptionColor(int variant) { return variant >= 7 || variant < 1 ? 1 : variant + 1; }

ClockDigits ClockDigitsAt(const QTime& time) {
  ClockDigits d;
  const int hour = time.hour(), minute = time.minute();
  d.Digits = {hour / 10 == 0 ? -1 : hour / 10, hour % 10, minute / 10, minute % 10};
  d.Colon = time.msec() > 500;
  return d;
}

std::array<int, 4> CounterDigits(int number) {
  std::array<int, 4> out{-1, -1, -1, -1};
  const bool negative = number < 0;
  long long rest = std::llabs(static_cast<long long>(number)) % 10000;
  int place = 3;
  do {
    out[static_cast<std::size_t>(place--)] = static_cast<int>(rest % 10);
    rest /= 10;
  } while (rest > 0 && place >= 0);
  if (negative && place >= 0) out[static_cast<std::size_t>(place)] = -2;
  return out;
}

int CounterColourSet(int second) { return (second % 7) + 1; }

}  // namespace tarvel
