// The computer players: which slot a computer seat plays. Pure functions of
// the match state; they read the seat's own hand, the trump, the cards on the
// table and the collected tricks, never the other hands.
#pragma once

#include <cstdint>

#include "match_state.h"

namespace tarvel {

// Slot (1..HandCount) of the card that `seat` leads to an empty table.
int ChooseLead(const MatchState& state, int seat, std::int32_t taken);
// Slot that `seat` plays as the second card of the trick (TrickPos 2).
int ChooseSecond(const MatchState& state, int seat);
// Slot that `seat` plays as the third card of the trick (TrickPos 3).
int ChooseThird(const MatchState& state, int seat);

}  // namespace tarvel
