// The rule operations: shuffling and dealing, playing a card, deciding and
// collecting tricks, scoring deals and games. They change the match state
// and report everything visible or audible through the TableEvents port.
#pragma once

#include <array>
#include <cstdint>
#include <random>

#include "match_state.h"
#include "table_events.h"

namespace tarvel {

// The deck's random source. One generator, seeded once: from a
// high-resolution clock mixed with the system's random device by default,
// or from a seed given by the caller (tests, self-play).
class DeckRandom {
 public:
  DeckRandom();
  explicit DeckRandom(std::uint64_t seed);

  // A uniform deck number 1..24. Five-bit pieces of each 64-bit output are
  // used; pieces 24..31 are rejected, so every number is equally likely and
  // one generator call serves about nine draws.
  int Draw() {
    for (;;) {
      const int piece = NextPiece();
      if (piece < 24) return piece + 1;
    }
  }

  // The rejection-sampled permutation: deck numbers drawn as Draw does and
  // redrawn on repeats, until all 24 stand in `numbers`.
  void DrawPermutation(std::array<int, 24>& numbers);

 private:
  int NextPiece() {
    if (bitsLeft_ < 5) {
      bits_ = generator_();
      bitsLeft_ = 64;
    }
    const auto piece = static_cast<int>(bits_ & 31u);
    bits_ >>= 5;
    bitsLeft_ -= 5;
    return piece;
  }

  std::mt19937_64 generator_;
  std::uint64_t bits_ = 0;  // unused random bits of the last output
  int bitsLeft_ = 0;
};

// Fills Deck, DeckRanks and DeckPoints with a fresh random order: deck
// numbers are drawn uniformly and redrawn on repeats.
void ShuffleDeck(MatchState& state, DeckRandom& random);

// Opens a deal: a new game when nextDeal is false, the next deal of the
// running game otherwise. Shuffles on a local game or a LAN host; a LAN
// client or a tournament table uses the cards already placed in the hands
// (and, on a LAN client, the first player already placed in Turn).
void StartDeal(MatchState& state, TableEvents& events, DeckRandom& random,
               bool nextDeal);

// StartDeal of a local game with a deck already in Deck/DeckRanks/DeckPoints
// and a given first player (1..3) instead of the shuffle and the rotation.
void StartGivenDeal(MatchState& state, TableEvents& events, bool nextDeal,
                    int firstPlayer);

// The first player of deal `dealNo` for a player with game counter `kon`.
int RotationFirstPlayer(std::int32_t kon, std::int32_t dealNo);

// True when the card in `slot` of seat 3's hand may not be played now.
bool IsIllegalCard(const MatchState& state, int slot);
// The same test for any seat. A slot that holds no card is illegal; any card
// is legal as a lead.
bool IsIllegalCardOf(const MatchState& state, int seat, int slot);

// True when `seat` may play the card in `slot` now as far as the state goes:
// it is the seat's turn during play and the slot holds one of its cards.
// (Follow and trump duties are IsIllegalCardOf's.) Moves from peers are
// checked with it before they reach PlayCard.
bool MoveAllowed(const MatchState& state, int seat, int slot);

// Plays the card in `slot` of `seat`'s packed hand; `send` passes the move on
// to the peers in a LAN or tournament game. A call that breaks its
// preconditions (seat not Turn, slot outside 1..HandCount or empty, play not
// running) asserts in debug builds and is refused without any change;
// returns whether the card was played.
bool PlayCard(MatchState& state, TableEvents& events, int seat, int slot,
              bool send);

// Decides the complete trick: Leader becomes the winner, who takes the
// trick's points; pending marriages of seats that now have points are
// credited.
void FinishTrick(MatchState& state, TableEvents& events);

// Takes the trick off the table (visibly unless called for an early end),
// and when the deal is over scores it into DealResult and GamePoints.
void CollectTrick(MatchState& state, TableEvents& events, bool visible);

// Results of the game per seat: 2 * own GamePoints - the other two seats'.
SeatResults SumUpGame(const MatchState& state);

// The press of "To sum up of game": results x100, GameResult, NewScore, the
// results window, and the exit button.
void EndGame(MatchState& state, TableEvents& events);

// This machine collects the tricks and moves from deal to deal: a local
// game, a LAN host, or place 1 of a tournament table.
bool DrivesTable(const MatchState& state);

// This machine's continue button may start the dealt deal (first player in
// Turn): always locally; on a LAN table when the local human leads on a
// dealt-to machine or the host's computer leads; at a tournament table when
// the local human leads.
bool MayStartDeal(const MatchState& state);

// The seat that played trick position `pos` (1..3) of the current trick,
// during play and once it lies complete; 0 for a position outside 1..3.
int SeatOfTrickPosition(const MatchState& state, int pos);

}  // namespace tarvel
