// The balloons that explain the table: what each cell of a score board
// counts, why a card lies face up in a computer's hand, and what the round
// panel shows. A pure lookup from a point of the window to a hint.
#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

#include "engine/match_state.h"
#include "table/table_view.h"

namespace tarvel {

struct TableHint {
  QString title;
  QString text;
  QRect area;  // window pixels: the balloon points here and closes on leaving it
};

// The hand slot (of seat 1 or 2) whose card fixed the trump and is shown
// face up; seat 0 when none is shown.
struct ShownTrump {
  int seat = 0;
  int slot = 0;
};

// The game counter's own balloon texts ("General number of game: 31", ...).
struct CounterHint {
  QString title;
  QString text;
};

// The hint at `at` (window pixels) on the table as `view` shows it, or none.
std::optional<TableHint> TableHintAt(QPoint at, const TableView& view, const MatchState& state, int language,
                                     ShownTrump trump, const CounterHint& counter);

}  // namespace tarvel
