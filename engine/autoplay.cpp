#include "autoplay.h"

#include <algorithm>
#include <cstddef>

#include "computer_players.h"

namespace tarvel {

int ChooseComputerSlot(const MatchState& state, int seat) {
  switch (state.TrickPos) {
    case 1: return ChooseLead(state, seat, state.Taken[static_cast<std::size_t>(seat)]);
    case 2: return ChooseSecond(state, seat);
    case 3: return ChooseThird(state, seat);
    default: return 0;
  }
}

bool AutoplayAct(GameDriver& driver, const MatchState& s) {
  if (!s.DealActive || s.GameSummed || driver.busy()) return false;
  const bool seatTurn = s.Turn >= 1 && s.Turn <= 3;
  if (s.DealStage == StageDealt && seatTurn && MayStartDeal(s)) {
    driver.onContinue();
  } else if (s.DealStage == StagePlaying && s.Turn == 3) {
    driver.onHandClick(ChooseComputerSlot(s, 3), MouseButton::Left);
  } else if ((s.Turn == TurnTrickComplete || s.Turn == TurnNextDeal) && DrivesTable(s)) {
    driver.onContinue();
  } else if (s.Turn == TurnGameOver) {
    driver.onContinue();
  } else if (s.DealStage == StagePlaying && (s.Turn == 1 || s.Turn == 2) && !s.TourGame &&
             (!s.NetGame || (s.NetRole == 1 && s.NetClients2 == 0 && s.Turn == 2))) {
    driver.onTimerTick();
  } else {
    return false;
  }
  return true;
}

bool PlayOutDeal(MatchState& state, TableEvents& events, DealTranscript* transcript) {
  state.DealStage = StagePlaying;
  for (;;) {
    const int seat = state.Turn;
    if (seat >= 1 && seat <= 3) {
      const int slot = ChooseComputerSlot(state, seat);
      const CardCode card = slot >= 1 && slot <= 8
                                ? state.Hands[static_cast<std::size_t>(seat)]
                                             [static_cast<std::size_t>(slot)]
                                : NoCard;
      if (!PlayCard(state, events, seat, slot, false)) return false;
      if (transcript != nullptr && transcript->count < 24) {
        transcript->moves[static_cast<std::size_t>(transcript->count++)] =
            PlayedMove{static_cast<std::uint8_t>(seat), card};
      }
    } else if (state.Turn == TurnTrickComplete) {
      CollectTrick(state, events, true);
    } else {
      return true;
    }
  }
}

bool PlayOutGame(MatchState& state, TableEvents& events, DeckRandom& random,
                 GameTally& tally) {
  StartDeal(state, events, random, false);
  for (;;) {
    if (!PlayOutDeal(state, events)) return false;
    ++tally.deals;
    const std::int32_t best =
        std::max({state.DealResult[1], state.DealResult[2], state.DealResult[3]});
    if (best >= 1 && best <= 3) ++tally.dealsWonWith[static_cast<std::size_t>(best)];
    if (state.Turn != TurnNextDeal) break;
    StartDeal(state, events, random, true);
  }
  if (state.Turn != TurnGameOver) return false;
  const SeatResults results = SumUpGame(state);
  ++tally.games;
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    tally.gamePoints[seat] += state.GamePoints[seat];
    tally.gameResults[seat] += results[seat];
  }
  return true;
}

}  // namespace tarvel
