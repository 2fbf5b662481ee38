// Plain-language lines about the game for a newcomer: why a deal ended and
// what it gave, the game's outcome for the local player, and why a card was
// refused. Pure functions over the match state's figures and the word table.
#pragma once

#include <QString>

#include <array>
#include <cstdint>

#include "engine/match_state.h"

namespace tarvel {

// How a scored deal ended.
enum class DealEnd {
  Closed,          // a seat reached 66 with a trick, cards still in the hands
  ClosedMarriage,  // a marriage lifted a seat to 66 (the led card still lay)
  MostPoints,      // all cards played: the seat or two seats with the most scored
  AllEqual,        // all cards played, three equal counts: nobody scored
  DeadHeat,        // all cards played under the dead-heat convention, no 66
};

// What the end-of-deal line is built from: the scored deal's figures.
struct DealFigures {
  PerSeat<std::int32_t> taken{};   // card points of the deal
  PerSeat<std::int32_t> result{};  // DealResult: game points of the deal
  bool allPlayed = false;          // every hand is empty
  bool marriageEnd = false;        // the deal ended on a lead (a marriage)
  bool deadHeat = false;           // the convention was on
};

// The figures of a deal that has just been scored (Turn 5, 6 or 7).
DealFigures DealFiguresOf(const MatchState& state);

DealEnd DealEndOf(const DealFigures& figures);

// "The left player reached 69 and closed the game: 3 game points; you took
// nothing." in `language`.
QString DealEndLine(const DealFigures& figures, int language);

// "You lost: -900": the local player's result of the summed-up game.
QString GameEndLine(std::int32_t result, int language);

// Why the local player may not play the card in `slot` now ("You must follow
// the suit led."); empty when the card may be played.
QString RefusalLine(const MatchState& state, int slot, int language);

// "the left player", "the right player", "you" (seat 1, 2, 3).
QString SeatPhrase(int seat, int language);

}  // namespace tarvel
