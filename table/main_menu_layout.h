// Where the main menu's elements lie at a window size, the colour variants of
// the title pictures and the digits of the two small displays. Pure functions
// of their arguments.
#pragma once

#include <QImage>
#include <QRect>
#include <QTime>

#include <array>

#include "table/layout.h"

namespace tarvel {

inline constexpr int kMenuRows = 5;
inline constexpr int kServicePictures = 7;
inline constexpr QSize kClockSize{115, 64};
inline constexpr QSize kCandleSize{100, 200};
inline constexpr QSize kMenuGifSize{160, 200};
inline constexpr QSize kRadioIconSize{220, 125};

struct MainMenuLayout {
  int RowHeight = 30;                      // R = round(ScaleS x 30)
  QRect Panel4;                            // club table header
  std::array<QRect, kMenuRows> Rows{};     // Button1..Button5
  QRect Button6;                           // "New Player"
  QRect Button9;                           // "Top Ten"
  QRect Button10;                          // "Options"
  QRect BHistory;                          // "History"
  QRect BMode;                             // "Mode"
  QRect Button11;                          // "Exit"
  QRect ImTitle;                           // title band
  QRect ImCaption;                         // title picture
  QRect ImElite;                           // subtitle picture
  QRect RxGIFAn1, RxGIFAn2;                // animated pictures, unscaled
  QRect ImageSvLeft, ImageSvRight;         // candles, unscaled
  QRect ImClock1, ImClock2;                // clock and counter display
  bool ClockShown = false;
  bool CounterShown = false;
  std::array<QRect, kServicePictures> Services{};  // pictures of the online services
  QRect ImRadio;                           // radio icon, unscaled
  bool RadioShown = false;
};

MainMenuLayout MainMenuLayoutFor(const WindowGeometry& window);

// The colour variants 1..7 of the title and subtitle pictures (1 and any
// value out of range: unchanged).
QRgb RecolourCaptionPixel(QRgb pixel, int variant);
QImage RecolourCaption(const QImage& picture, int variant);
// The variant after a click on the title: 1..7, after 7 comes 1.
int NextCaptionColor(int variant);

// The digits of the clock at a time: -1 marks a digit left out (the hour's
// tens when 0); the colon shows while the milliseconds are above 500.
struct ClockDigits {
  std::array<int, 4> Digits{};  // hour tens, hour units, minute tens, minute units
  bool Colon = false;
};
ClockDigits ClockDigitsAt(const QTime& time);
// Left edges of the four digit places and of the colon, and their top.
inline constexpr std::array<int, 4> kClockDigitX{14, 34, 61, 81};
inline constexpr int kClockDigitY = 15;
inline constexpr QPoint kClockColon{55, 24};

// The counter display's four digit places for a number (right-aligned, -1
// blank, a leading -2 for the minus sign of a negative number; numbers
// beyond four places show their last four digits).
std::array<int, 4> CounterDigits(int number);
// The digit colour set (1..7) at a second of the clock.
int CounterColourSet(int second);

}  // namespace tarvel
