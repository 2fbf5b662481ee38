// One tournament table's game as the rules engine sees it from the table
// server: the match state in the view of place 3, so every seat is the place
// of the same number and deck block b is dealt to place b. Every act of a
// place is checked against the state before the engine applies it. A
// player's copy that follows the server's frames can keep one too.
//
// Plain C++ over the engine, no Qt.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "engine/match_state.h"
#include "engine/rules.h"
#include "engine/table_events.h"
#include "lan/lan_messages.h"

namespace tarvel::services {

class TableReferee {
 public:
  TableReferee();

  // Shuffles and deals: the game's first deal when `next` is false.
  void Deal(DeckRandom& random, bool next);
  // Deals the given cards (deck block b to place b).
  void DealCards(const lan::DealData& cards, bool next);
  // The frame of the current deal.
  std::string DealFrame() const;

  // A card of `place`'s hand: true when it was its turn and the card legal
  // (then it is played).
  bool Move(int place, int slot);
  // Collecting a complete trick: place 1 only.
  bool Continue(int place);
  // Asking for the next deal: place 1 only, after a scored deal that did not
  // end the game.
  bool MayDealNext(int place) const;
  // The game is decided; place 1 sums it up.
  bool GameOver() const { return state_.Turn == TurnGameOver; }
  // The results of places 1..3, x100, as the game shows them.
  std::array<std::int32_t, 3> Results() const;
  // The place whose act is due: the one to play, or place 1 to collect, to
  // ask for the next deal or to sum up.
  int ActingPlace() const;
  // A count of the acts applied; it changes whenever someone else must act
  // or the same place must act again.
  std::int64_t Acts() const { return acts_; }

  const MatchState& State() const { return state_; }

 private:
  void Open(bool next);

  MatchState state_;
  NullTableEvents events_;
  std::int64_t acts_ = 0;
};

}  // namespace tarvel::services
