// Fuzz target of the game at a tournament table: bytes as if from the table
// server thrown at the sessions of three copies in the middle of a game.
// Properties: nothing crashes, every card stays in exactly one place, no
// hand grows beyond its eight cards.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_cards.h"
#include "fuzz_check.h"
#include "tour_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  using namespace tarvel::tour;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  tourtest::Relay relay(tourtest::Relay::Cut::Joined);
  for (int round = 0; round < 400; ++round) {
    bool moved = relay.Deliver();
    for (auto& copy : relay.copies) moved |= copy->Act();
    if (round % 40 == 3) {
      // Whole, and cut in two at a place the input picks.
      tourtest::Copy& copy = relay.At(round / 40 % 3 + 1);
      const std::size_t cut = size == 0 ? 0 : data[0] % size;
      copy.session.OnBytes(input.substr(0, cut));
      copy.session.OnBytes(input.substr(cut));
      copy.session.Tick();
    }
    for (auto& copy : relay.copies) {
      fuzz::CheckCards(copy->state);
      TARVEL_FUZZ_CHECK(copy->state.HandCount[1] <= 8 && copy->state.HandCount[2] <= 8 && copy->state.HandCount[3] <= 8);
    }
    if (!moved) break;
  }
  return 0;
}
