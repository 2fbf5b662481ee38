// The tournament's score and rating rule.
//
// Score: the sum of a player's game results (each already x100, as the game
// shows them: 2 x own game points less the other two players' points).
//
// Rating: Elo over the three pairs of a table. Each pair (i, j) is a match:
// i scores 1 when its game result is higher than j's, 1/2 when equal, 0 when
// lower; the expected score is 1 / (1 + 10^((Rj - Ri) / 400)). A player's
// rating moves by K/2 x (sum over its two opponents of score - expected),
// K = 32, rounded to the nearest whole number. Beating a stronger player
// therefore gains more than beating a weaker one, and losing to a weaker one
// costs more. New players start at kStartRating.
//
// Plain C++, no Qt.
#pragma once

#include <array>
#include <cstdint>

namespace tarvel::services {

inline constexpr std::int32_t kStartRating = 1000;

// Ratings of places 1..3 (index 0..2) after a game with `results`.
std::array<std::int32_t, 3> RatedAfterGame(const std::array<std::int32_t, 3>& ratings,
                                           const std::array<std::int32_t, 3>& results);

// The results of a game that `loser` (place 1..3) gave up by leaving or by
// running out of time: the loser -800, each other place +400.
std::array<std::int32_t, 3> ForfeitResults(int loser);

}  // namespace tarvel::services
