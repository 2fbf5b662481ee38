// Cues on the local player's hand that cost nothing to the rules: a soft glow
// on the cards that may be played at the player's turn, a brighter glow and a
// frame on the card under the pointer or the keyboard focus, and a red
// outline on a refused card. The cards never move, so hit-testing (CardAt)
// stays as it is. Also the hand's keyboard: which key does what, and where
// the focus goes.
#pragma once

#include <QPainter>
#include <QSize>

#include <array>

#include "engine/game_driver.h"
#include "engine/match_state.h"
#include "table/table_view.h"

namespace tarvel {

struct HandCues {
  std::array<bool, 9> playable{};  // slots 1..8 that may be played now
  int lit = 0;                     // hovered or focused card, 0 for none
  int focus = 0;                   // the keyboard focus frame, 0 for none
  int refused = 0;                 // the red outline, 0 for none
  bool operator==(const HandCues&) const = default;
};

// The cues for the hand as the state stands: the driver says which cards may
// be played. `hover` and `focus` are slots (0 none); the focus frame shows
// only when `showFocus`; `refused` is the slot of a card just refused.
HandCues HandCuesFor(const GameDriver& driver, const MatchState& state, int hover, int focus, bool showFocus,
                     int refused);

// Paints the cues over a hand picture whose cards lie at `positions`.
void PaintHandCues(QPainter& painter, const CardPositions& positions, int count, QSize card, const HandCues& cues);

// What a key does at the table.
enum class HandKey { None, Previous, Next, Play, Speak, Slot };
struct HandKeyPress {
  HandKey action = HandKey::None;
  int slot = 0;  // with Slot: 1..8
};
// Left/Right move the focus, Enter/Return/Space play, S speaks, 1..8 play
// that slot.
HandKeyPress HandKeyOf(int qtKey);

// The next slot holding a card from `from` in direction `step` (+1 or -1),
// staying on `from` at either end; from 0 the first (or last) card. 0 for an
// empty hand.
int StepFocus(const MatchState& state, int from, int step);

// `focus` kept on a card of the hand after it shrank: the same slot, or the
// last card; 0 stays 0 (no focus yet), and an empty hand gives 0.
int ClampFocus(const MatchState& state, int focus);

}  // namespace tarvel
