#include "table/table_hints.h"

#include <algorithm>
#include <array>

#include "table/deal_explanation.h"
#include "widgets/word_text.h"

namespace tarvel {

namespace {

// A board cell on the 155 x 95 board, in reference units.
struct BoardCell {
  int left, top, right, bottom;
  WordId text;
};

constexpr std::array<BoardCell, 4> kCells{{{15, 15, 140, 46, WordId::HintTaken},
                                           {15, 50, 50, 81, WordId::HintTurn},
                                           {55, 50, 100, 81, WordId::HintGamePoints},
                                           {105, 50, 140, 81, WordId::HintDealResult}}};

QString Title(QString text) {
  if (!text.isEmpty()) text[0] = text[0].toUpper();
  return text;
}

// "Trump:" without its colon, as a balloon title.
QString Bare(QString word) {
  while (!word.isEmpty() && (word.back() == QLatin1Char(':') || word.back() == QChar(0xFF1A) || word.back().isSpace()))
    word.chop(1);
  return word;
}

}  // namespace

std::optional<TableHint> TableHintAt(QPoint at, const TableView& view, const MatchState& state, int language,
                                     ShownTrump trump, const CounterHint& counter) {
  if (!state.DealActive) return std::nullopt;
  const TableLayout& layout = view.Layout();
  const QString target = QString::number(state.GameTarget);
  for (int seat = 1; seat <= 3; ++seat) {
    const QRect board = layout.BoardRect(seat);
    if (!board.contains(at)) continue;
    for (const BoardCell& cell : kCells) {
      const QRect area(board.topLeft() + QPoint(ScaleSize(layout.Factors, cell.left), ScaleSize(layout.Factors, cell.top)),
                       board.topLeft() + QPoint(ScaleSize(layout.Factors, cell.right) - 1,
                                                ScaleSize(layout.Factors, cell.bottom) - 1));
      if (!area.contains(at)) continue;
      QString text = WordText(cell.text, language);
      if (cell.text == WordId::HintGamePoints) text = text.arg(target);
      return TableHint{Title(SeatPhrase(seat, language)), text, area};
    }
  }
  if (trump.seat == 1 || trump.seat == 2) {
    const QRect hand = layout.HandRect(trump.seat);
    const CardPositions& positions = view.Positions(trump.seat);
    const int count = state.HandCount[static_cast<std::size_t>(trump.seat)];
    if (trump.slot >= 1 && trump.slot <= count) {
      const int left = positions[static_cast<std::size_t>(trump.slot)];
      const int right = trump.slot < count ? positions[static_cast<std::size_t>(trump.slot + 1)]
                                           : left + layout.Card.Width;
      const QRect card(hand.left() + left, hand.top(), std::min(right - left, layout.Card.Width), layout.Card.Height);
      if (card.contains(at))
        return TableHint{Bare(WordText(WordId::Trump, language)), WordText(WordId::HintTrumpCard, language), card};
    }
  }
  const QRect panel = layout.Rect(Element::ImageKon);
  if (panel.contains(at) && !counter.text.isEmpty())
    return TableHint{counter.title,
                     counter.text + QLatin1Char('\n') + WordText(WordId::HintRoundPanel, language).arg(target), panel};
  return std::nullopt;
}

}  // namespace tarvel
