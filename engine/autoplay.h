// Computer play of whole deals and games: every seat chosen by the computer
// players, each trick collected as soon as it is complete. Used by the turn
// driver for a single move, by tarvel-selfplay and by the benchmarks.
#pragma once

#include <array>
#include <cstdint>

#include "game_driver.h"
#include "match_state.h"
#include "rules.h"
#include "table_events.h"

namespace tarvel {

// The slot that the computer players choose for `seat` at the current
// TrickPos: ChooseLead (with the seat's Taken), ChooseSecond or ChooseThird.
int ChooseComputerSlot(const MatchState& state, int seat);

// One card of a transcript: the seat that played it and the card.
struct PlayedMove {
  std::uint8_t seat = 0;
  CardCode card;
};

// The cards of one deal in the order played.
struct DealTranscript {
  std::array<PlayedMove, 24> moves{};
  int count = 0;
};

// Plays the dealt deal to its end (Turn 5..7) with the computer players
// choosing for all three seats. Presses "To Begin" first when the deal waits
// for it. Records the cards in `transcript` when given. Returns false when a
// computer choice was refused by PlayCard (the deal is then left unfinished).
bool PlayOutDeal(MatchState& state, TableEvents& events,
                 DealTranscript* transcript = nullptr);

// One act of a player whom the computer stands in for, on a copy of a game
// that may be networked (tests and benchmarks of whole network games): "To
// Begin" when this copy may start, the local seat's card, collecting and
// dealing where this copy drives the table, summing up the finished game,
// and a computer seat's card where this copy runs one. False when nothing is
// due here now.
bool AutoplayAct(GameDriver& driver, const MatchState& state);

// Totals of self-played games.
struct GameTally {
  std::int64_t games = 0;
  std::int64_t deals = 0;
  std::array<std::int64_t, 4> gamePoints{};   // per seat 1..3
  std::array<std::int64_t, 4> gameResults{};  // SumUpGame per seat 1..3
  std::array<std::int64_t, 4> dealsWonWith{}; // index 1..3: deals whose best
                                              // DealResult was 1, 2 or 3
};

// Plays one whole game from a new-game deal start to its end, with the
// computer choosing for all three seats, and adds it to `tally`. The game
// counter for the first-player rotation is taken from the port's player
// record. Returns false when a deal could not be finished.
bool PlayOutGame(MatchState& state, TableEvents& events, DeckRandom& random,
                 GameTally& tally);

}  // namespace tarvel
