#include "table/window/intro_screen.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace tarvel {

namespace {

constexpr int kTrackLeft = 155;
constexpr int kTrackTop = 68;
constexpr int kTrackRight = 550;
constexpr int kTrackBottom = 362;
constexpr int kTrackWidth = kTrackRight - kTrackLeft;
constexpr int kTrackHeight = kTrackBottom - kTrackTop;
constexpr long long kTrackLength = 2LL * (kTrackWidth + kTrackHeight);

// Draws `text` with its cell's top at y, centred between x = a and x = b.
void TextCentred(QPainter& painter, const QString& text, int a, int b, int y) {
  const QFontMetrics metrics(painter.font());
  const int x = a + (b - a - metrics.horizontalAdvance(text)) / 2;
  painter.drawText(QPoint(x, y + metrics.ascent()), text);
}

void DrawFrame(QPainter& painter, const QRect& outer, const QColor& colour) {
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(colour, 3));
  painter.drawRect(outer);
  painter.setPen(QPen(colour.darker(160), 1));
  painter.drawRect(outer.adjusted(5, 5, -5, -5));
}

}  // namespace

const std::array<QColor, 10>& IntroColourRing() {
  static const std::array<QColor, 10> ring{
      QColor(128, 0, 0),   QColor(0, 0, 255),   QColor(255, 255, 0), QColor(0, 128, 0),
      QColor(255, 0, 0),   QColor(0, 0, 128),   QColor(255, 128, 0), QColor(0, 255, 255),
      QColor(128, 0, 128), QColor(0, 255, 0)};
  return ring;
}

QPoint RunningCardPosition(int card, long long tick) {
  const long long corner[4] = {0, kTrackWidth, kTrackWidth + kTrackHeight,
                               2LL * kTrackWidth + kTrackHeight};
  const long long d = (corner[((card % 4) + 4) % 4] + (tick % kTrackLength) + kTrackLength) %
                      kTrackLength;
  if (d < kTrackWidth) return {kTrackLeft + static_cast<int>(d), kTrackTop};
  if (d < kTrackWidth + kTrackHeight)
    return {kTrackRight, kTrackTop + static_cast<int>(d - kTrackWidth)};
  if (d < 2LL * kTrackWidth + kTrackHeight)
    return {kTrackRight - static_cast<int>(d - kTrackWidth - kTrackHeight), kTrackBottom};
  return {kTrackLeft, kTrackBottom - static_cast<int>(d - 2LL * kTrackWidth - kTrackHeight)};
}

QColor IntroLetterColour(int letter, long long tick) {
  const auto& ring = IntroColourRing();
  const long long turn = tick / 10;
  return ring[static_cast<std::size_t>((letter + turn) % 10)];
}

int IntroFirstLetterX(int letters) { return 381 - 13 * letters; }

QFont FontOfCellHeight(const QString& family, int height, bool bold) {
  QFont font(family);
  font.setBold(bold);
  int pixels = std::max(1, height);
  font.setPixelSize(pixels);
  while (pixels > 1 && QFontMetrics(font).height() > height) {
    --pixels;
    font.setPixelSize(pixels);
  }
  return font;
}

void IntroScreen::Build(const IntroTexts& texts, const std::array<QImage, 4>& cards,
                        const QImage& logo) {
  texts_ = texts;
  hint_ = QImage();
  for (std::size_t i = 0; i < cards.size(); ++i) {
    cards_[i] = cards[i].isNull()
                    ? QImage()
                    : cards[i].scaled(kCardWidth, kCardHeight, Qt::IgnoreAspectRatio,
                                      Qt::SmoothTransformation);
  }
  still_ = QImage(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  still_.fill(Qt::black);
  QPainter painter(&still_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawFrame(painter, QRect(QPoint(130, 50), QPoint(630, 450)), QColor(218, 165, 32));
  DrawFrame(painter, QRect(QPoint(230, 150), QPoint(530, 350)), QColor(192, 192, 192));

  const QFont text = FontOfCellHeight(QStringLiteral("Comic Sans MS"), 24);
  painter.setFont(text);
  painter.setPen(QColor(255, 0, 0));
  TextCentred(painter, texts.releaseDate, 230, 530, 240);
  painter.setPen(QColor(0, 128, 128));
  TextCentred(painter, texts.version, 230, 530, 315);
  // The second line runs at the logos' height: it is set between them, in
  // a smaller size when it would not fit there.
  const int gapLeft = 250 + kLogoSize + 4;
  const int gapRight = 445 - 4;
  int height = 24;
  while (height > 12 &&
         QFontMetrics(FontOfCellHeight(QStringLiteral("Comic Sans MS"), height)).horizontalAdvance(
             texts.secondLine) > gapRight - gapLeft)
    --height;
  painter.setFont(FontOfCellHeight(QStringLiteral("Comic Sans MS"), height));
  painter.setPen(QColor(0, 0, 255));
  TextCentred(painter, texts.secondLine, gapLeft, gapRight, 265 + (24 - height) / 2);
  if (!logo.isNull()) {
    const QImage small = logo.scaled(kLogoSize, kLogoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(QPoint(250, 270), small);
    painter.drawImage(QPoint(445, 270), small);
  }
  painter.end();
  ticks_ = 0;
  Compose();
}

void IntroScreen::Tick() {
  ++ticks_;
  Compose();
}

void IntroScreen::Compose() {
  if (still_.isNull()) {
    frame_ = QImage();
    return;
  }
  // The frame is repainted in its own buffer every tick: no new picture of
  // the window's size is made and dropped 50 times a second.
  if (frame_.size() != still_.size() || frame_.format() != still_.format())
    frame_ = QImage(still_.size(), still_.format());
  QPainter painter(&frame_);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(0, 0, still_);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  const QString word = texts_.productWord.toUpper();
  painter.setFont(FontOfCellHeight(QStringLiteral("Arial"), 44, true));
  const int ascent = QFontMetrics(painter.font()).ascent();
  int x = IntroFirstLetterX(static_cast<int>(word.size()));
  for (int i = 0; i < word.size(); ++i) {
    painter.setPen(IntroLetterColour(i, ticks_));
    painter.drawText(QPoint(x, 175 + ascent), word.mid(i, 1));
    x += 26;
  }
  for (int card = 0; card < 4; ++card) {
    const QImage& picture = cards_[static_cast<std::size_t>(card)];
    if (!picture.isNull()) painter.drawImage(RunningCardPosition(card, ticks_), picture);
  }
  if (ticks_ >= kHintTicks) painter.drawImage(QPoint(0, kHintTop), HintLine());
}

const QImage& IntroScreen::HintLine() {
  // Drawn once, below the outer frame, in the largest size up to 20 pixels
  // that fits the window's width.
  if (!hint_.isNull() || texts_.beginHint.isEmpty()) return hint_;
  int height = 20;
  while (height > 10 && QFontMetrics(FontOfCellHeight(QStringLiteral("Comic Sans MS"), height))
                                .horizontalAdvance(texts_.beginHint) > kWidth - 40)
    --height;
  hint_ = QImage(kWidth, 24, QImage::Format_ARGB32_Premultiplied);
  hint_.fill(Qt::transparent);
  QPainter painter(&hint_);
  painter.setRenderHint(QPainter::TextAntialiasing);
  painter.setFont(FontOfCellHeight(QStringLiteral("Comic Sans MS"), height));
  painter.setPen(QColor(120, 160, 255));
  TextCentred(painter, texts_.beginHint, 0, kWidth, (24 - height) / 2);
  return hint_;
}

}  // namespace tarvel
