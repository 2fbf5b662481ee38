#include "table/hand_cues.h"

#include <algorithm>


namespace tarvel {

namespace {

int LocalCards(const MatchState& s) { return std::clamp<int>(s.HandCount[3], 0, 8); }

bool HoldsCard(const MatchState& s, int slot) {
  return slot >= 1 && slot <= LocalCards(s) && s.Hands[3][static_cast<std::size_t>(slot)].IsCard();
}

// The part of a card that the next card leaves visible.
QRect Strip(const CardPositions& positions, int count, QSize card, int slot) {
  const int left = positions[static_cast<std::size_t>(slot)];
  int width = card.width();
  if (slot < count) width = std::min(width, positions[static_cast<std::size_t>(slot + 1)] - left);
  return QRect(left, 0, std::max(width, 1), card.height());
}

void Outline(QPainter& painter, const QRect& strip, int inset, const QColor& colour, int width) {
  QPen pen(colour, width);
  pen.setJoinStyle(Qt::RoundJoin);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  const int half = width / 2;
  painter.drawRoundedRect(QRectF(strip.adjusted(inset + half, inset + half, -inset - half - 1, -inset - half - 1)),
                          3, 3);
}

// Concentric strokes fading inwards from the card's edge.
void Glow(QPainter& painter, const QRect& strip, QColor colour, std::array<int, 3> alphas, int width) {
  for (std::size_t ring = 0; ring < alphas.size(); ++ring) {
    colour.setAlpha(alphas[ring]);
    Outline(painter, strip, static_cast<int>(ring) * width, colour, width);
  }
}

}  // namespace

HandCues HandCuesFor(const GameDriver& driver, const MatchState& s, int hover, int focus, bool showFocus,
                     int refused) {
  HandCues cues;
  cues.refused = HoldsCard(s, refused) ? refused : 0;
  if (!driver.humanMayPlay()) return cues;
  for (int slot = 1; slot <= LocalCards(s); ++slot)
    cues.playable[static_cast<std::size_t>(slot)] = driver.onHandHover(slot);
  const int shownFocus = showFocus && HoldsCard(s, focus) ? focus : 0;
  cues.focus = shownFocus;
  cues.lit = HoldsCard(s, hover) ? hover : shownFocus;
  return cues;
}

void PaintHandCues(QPainter& painter, const CardPositions& positions, int count, QSize card, const HandCues& cues) {
  count = std::clamp(count, 0, 8);
  const int width = std::max(2, card.height() / 40);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  for (int slot = 1; slot <= count; ++slot) {
    const QRect strip = Strip(positions, count, card, slot);
    if (cues.playable[static_cast<std::size_t>(slot)]) {
      if (slot == cues.lit) {
        painter.fillRect(strip, QColor(255, 240, 160, 50));
        Glow(painter, strip, QColor(255, 190, 0), {255, 190, 110}, width);
      } else {
        Glow(painter, strip, QColor(255, 205, 40), {220, 140, 60}, width);
      }
    }
    if (slot == cues.focus) Outline(painter, strip, 3 * width + 1, QColor(0, 90, 220), width + 1);
    if (slot == cues.refused) Outline(painter, strip, 0, QColor(220, 0, 0), 2 * width + 1);
  }
  painter.restore();
}

HandKeyPress HandKeyOf(int key) {
  switch (key) {
    case Qt::Key_Left: return {HandKey::Previous, 0};
    case Qt::Key_Right: return {HandKey::Next, 0};
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: return {HandKey::Play, 0};
    case Qt::Key_S: return {HandKey::Speak, 0};
    default: break;
  }
  if (key >= Qt::Key_1 && key <= Qt::Key_8) return {HandKey::Slot, key - Qt::Key_0};
  return {};
}

int StepFocus(const MatchState& s, int from, int step) {
  const int count = LocalCards(s);
  if (count == 0) return 0;
  if (from < 1 || from > count) {
    for (int slot = step > 0 ? 1 : count; slot >= 1 && slot <= count; slot += step > 0 ? 1 : -1)
      if (HoldsCard(s, slot)) return slot;
    return 0;
  }
  for (int slot = from + step; slot >= 1 && slot <= count; slot += step)
    if (HoldsCard(s, slot)) return slot;
  return from;
}

int ClampFocus(const MatchState& s, int focus) {
  if (focus == 0 || HoldsCard(s, focus)) return focus;
  return StepFocus(s, 0, -1);
}

}  // namespace tarvel
