// Engine speed: one decision of each computer player, a shuffle, one whole
// self-played deal and one whole game. The deal benchmark's items per second
// is the figure to hold against the goal of 200,000 deals per second.
#include <benchmark/benchmark.h>

#include <vector>

#include "autoplay.h"
#include "computer_players.h"
#include "rules.h"
#include "table_events.h"

namespace tarvel {
namespace {

// Positions met in self-played deals, grouped by trick position 1..3.
struct Positions {
  std::vector<MatchState> at[4];
};

const Positions& SampledPositions() {
  static const Positions positions = [] {
    Positions p;
    NullTableEvents events;
    DeckRandom random(2024);
    MatchState s;
    while (p.at[1].size() < 2000 || p.at[2].size() < 2000 || p.at[3].size() < 2000) {
      StartDeal(s, events, random, false);
      s.DealStage = StagePlaying;
      while (s.Turn <= TurnTrickComplete && s.Turn >= 1) {
        if (s.Turn == TurnTrickComplete) {
          CollectTrick(s, events, true);
          continue;
        }
        p.at[s.TrickPos].push_back(s);
        PlayCard(s, events, s.Turn, ChooseComputerSlot(s, s.Turn), false);
      }
    }
    return p;
  }();
  return positions;
}

template <int Pos>
void BM_Choose(benchmark::State& bench) {
  const std::vector<MatchState>& positions = SampledPositions().at[Pos];
  std::size_t i = 0;
  for (auto _ : bench) {
    const MatchState& s = positions[i];
    int slot = 0;
    if constexpr (Pos == 1) slot = ChooseLead(s, s.Turn, s.Taken[s.Turn]);
    if constexpr (Pos == 2) slot = ChooseSecond(s, s.Turn);
    if constexpr (Pos == 3) slot = ChooseThird(s, s.Turn);
    benchmark::DoNotOptimize(slot);
    if (++i == positions.size()) i = 0;
  }
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_Choose<1>)->Name("ChooseLead");
BENCHMARK(BM_Choose<2>)->Name("ChooseSecond");
BENCHMARK(BM_Choose<3>)->Name("ChooseThird");

void BM_ShuffleDeck(benchmark::State& bench) {
  DeckRandom random(1);
  MatchState s;
  for (auto _ : bench) {
    ShuffleDeck(s, random);
    benchmark::DoNotOptimize(s.Deck);
  }
  bench.SetItemsProcessed(bench.iterations());
}
BENCHMARK(BM_ShuffleDeck);

// One deal from the shuffle to its scoring, all seats by the computer.
void BM_SelfPlayedDeal(benchmark::State& bench) {
  NullTableEvents events;
  DeckRandom random(7);
  MatchState s;
  for (auto _ : bench) {
    StartDeal(s, events, random, false);
    PlayOutDeal(s, events);
    benchmark::DoNotOptimize(s.DealResult);
  }
  bench.SetItemsProcessed(bench.iterations());
  bench.SetLabel("items = deals");
}
BENCHMARK(BM_SelfPlayedDeal);

// One whole game to 10 game points.
void BM_SelfPlayedGame(benchmark::State& bench) {
  NullTableEvents events;
  DeckRandom random(8);
  MatchState s;
  GameTally tally;
  for (auto _ : bench) {
    events.record.kon = static_cast<std::int32_t>(tally.games % 30 + 1);
    PlayOutGame(s, events, random, tally);
    benchmark::DoNotOptimize(tally);
  }
  bench.SetItemsProcessed(bench.iterations());
  bench.counters["deals/s"] =
      benchmark::Counter(static_cast<double>(tally.deals), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SelfPlayedGame);

}  // namespace
}  // namespace tarvel

BENCHMARK_MAIN();
