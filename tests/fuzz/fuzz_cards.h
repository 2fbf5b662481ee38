// The card property of the fuzz targets that throw bytes at a game in
// progress.
#pragma once

#include <array>
#include <cstddef>

#include "engine/cards.h"
#include "engine/match_state.h"
#include "fuzz_check.h"

namespace tarvel::fuzz {

// Every card of the deal is in one hand slot, on the table or in the log.
inline void CheckCards(const MatchState& s) {
  if (!s.DealActive || s.Turn == 0) return;
  std::array<int, 25> count{};
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    for (std::size_t slot = 1; slot <= 24; ++slot) {
      const bool held = slot <= s.HandCount[seat];
      TARVEL_FUZZ_CHECK(held == s.Hands[seat][slot].IsCard());
      if (held) ++count[static_cast<std::size_t>(DeckNumber(s.Hands[seat][slot]))];
    }
  }
  for (std::size_t pos = 1; pos <= 3; ++pos)
    if (s.Trick[pos].IsCard()) ++count[static_cast<std::size_t>(DeckNumber(s.Trick[pos]))];
  for (std::size_t i = 1; i <= 24; ++i)
    if (s.PlayedLog[i].IsCard()) ++count[static_cast<std::size_t>(DeckNumber(s.PlayedLog[i]))];
  for (std::size_t n = 1; n <= 24; ++n) TARVEL_FUZZ_CHECK(count[n] <= 1);
}

}  // namespace tarvel::fuzz
