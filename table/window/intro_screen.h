// The intro screen: a 760 x 500 picture built once (frames, the release date,
// a second line, the version and two logos) and animated every 20 ms (the
// product word in a ring of ten turning colours and four small cards that run
// clockwise around the inner frame, one pixel per tick).
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>

namespace tarvel {

struct IntroTexts {
  QString productWord;  // shown in capitals
  QString releaseDate;
  QString secondLine;
  QString version;
  QString beginHint;  // "Click or press any key to begin", shown after a while
};

// The ring of ten letter colours, in order.
const std::array<QColor, 10>& IntroColourRing();

// Top-left corner of running card `card` (0..3) after `tick` ticks. Card 0
// starts at the upper-left corner of the track (155, 68)-(550, 362), card 1
// at the upper-right, 2 at the lower-right, 3 at the lower-left; each moves
// one pixel per tick clockwise.
QPoint RunningCardPosition(int card, long long tick);

// Colour of letter `letter` (0-based) after `tick` ticks: the ring turns by
// one place every tenth tick.
QColor IntroLetterColour(int letter, long long tick);

// Left edge of the first letter of a product word of `letters` letters.
int IntroFirstLetterX(int letters);

// A font of the given family whose line height does not exceed `height`
// pixels (the cell-height convention of the game's font sizes).
QFont FontOfCellHeight(const QString& family, int height, bool bold = false);

class IntroScreen {
 public:
  static constexpr int kWidth = 760;
  static constexpr int kHeight = 500;
  static constexpr int kCardWidth = 53;
  static constexpr int kCardHeight = 72;
  static constexpr int kLogoSize = 40;  // the logo is drawn at most this large
  // The hint line under the frames appears after three seconds (20 ms ticks).
  static constexpr long long kHintTicks = 150;
  static constexpr int kHintTop = 458;

  // ShowIntro(false): builds the still picture. The four running cards and
  // the logo come from the caller (compiled-in pictures).
  void Build(const IntroTexts& texts, const std::array<QImage, 4>& cards, const QImage& logo);
  // ShowIntro(true): one animation step.
  void Tick();

  long long Ticks() const { return ticks_; }
  // The picture as shown now (still picture plus the animated parts).
  const QImage& Frame() const { return frame_; }
  const QImage& Still() const { return still_; }

 private:
  void Compose();
  const QImage& HintLine();

  IntroTexts texts_;
  std::array<QImage, 4> cards_;
  QImage still_;
  QImage frame_;
  QImage hint_;  // the hint line, drawn when first shown
  long long ticks_ = 0;
};

}  // namespace tarvel
