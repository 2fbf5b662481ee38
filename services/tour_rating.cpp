#include "tour_rating.h"

#include <cmath>
#include <cstddef>

namespace tarvel::services {
namespace {

constexpr double kFactor = 32.0;
constexpr std::int32_t kForfeitLoss = 800;

}  // namespace

std::array<std::int32_t, 3> RatedAfterGame(const std::array<std::int32_t, 3>& ratings,
                                           const std::array<std::int32_t, 3>& results) {
  std::array<std::int32_t, 3> rated = ratings;
  for (std::size_t i = 0; i < 3; ++i) {
    double change = 0.0;
    for (std::size_t j = 0; j < 3; ++j) {
      if (j == i) continue;
      const double actual = results[i] > results[j] ? 1.0 : results[i] == results[j] ? 0.5 : 0.0;
      const double expected =
          1.0 / (1.0 + std::pow(10.0, static_cast<double>(ratings[j] - ratings[i]) / 400.0));
      change += actual - expected;
    }
    rated[i] = ratings[i] + static_cast<std::int32_t>(std::lround(kFactor / 2.0 * change));
  }
  return rated;
}

std::array<std::int32_t, 3> ForfeitResults(int loser) {
  std::array<std::int32_t, 3> results{kForfeitLoss / 2, kForfeitLoss / 2, kForfeitLoss / 2};
  if (loser >= 1 && loser <= 3) results[static_cast<std::size_t>(loser - 1)] = -kForfeitLoss;
  return results;
}

}  // namespace tarvel::services
