// Network game benchmarks over loopback, with the program's own connection
// class in one process (offscreen):
//   BM_LanGame   a whole three-copy game with flights off (wall time per
//                game), and the time from a move sent by one copy to its
//                PlayCard on each other copy: median_ms, p90_ms, max_ms.
// Run: QT_QPA_PLATFORM=offscreen build/bin/tarvel_bench_lan
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QWidget>

#include <algorithm>
#include <array>
#include <chrono>
#include <memory>
#include <vector>

#include "engine/autoplay.h"
#include "lan/lan_connection.h"

namespace {

using namespace tarvel;
using Clock = std::chrono::steady_clock;

// When the last move left its sender, and which copy sent it.
struct MoveClock {
  Clock::time_point sent;
  int sender = -1;
  std::vector<double> latenciesMs;
};

class BenchCopy : public NullTableEvents, public lan::LanWindow {
 public:
  BenchCopy(int index, MoveClock& clock) : index_(index), clock_(clock) {}

  MatchState state;
  DeckRandom random{static_cast<std::uint64_t>(77 + index_)};
  GameDriver driver{state, *this, random};
  QWidget parent;
  lan::LanConnection connection{state, *this, driver, random, *this};

  void SendMove(int, int slot) override {
    clock_.sent = Clock::now();
    clock_.sender = index_;
    connection.SendMove(slot);
  }
  void SendDeal(const MatchState&, int first) override { connection.SendDeal(first); }
  void SendTrickCollected() override { connection.SendTrickCollected(); }
  void PlaceCardOnTable(int, int, int, CardCode, bool) override {
    if (clock_.sender < 0 || clock_.sender == index_) return;
    clock_.latenciesMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - clock_.sent).count());
  }

  QWidget* LanParent() override { return &parent; }
  int LanLanguage() const override { return 0; }
  void ShowChatLine(int, const QString&) override {}
  void ClearChatBox() override {}
  void ShowLanError(const QString&) override {}
  void LeaveTableToMenu() override {}
  void ToggleOpenHands() override {}

 private:
  int index_;
  MoveClock& clock_;
};

template <typename Done>
void SpinUntil(Done done) {
  while (!done()) QCoreApplication::processEvents(QEventLoop::AllEvents);
}

double Percentile(std::vector<double> values, double at) {
  if (values.empty()) return 0.0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(at * static_cast<double>(values.size() - 1))];
}

void BM_LanGame(benchmark::State& benchState) {
  MoveClock clock;
  for (auto _ : benchState) {
    std::array<std::unique_ptr<BenchCopy>, 3> copies;
    for (int i = 0; i < 3; ++i) copies[static_cast<std::size_t>(i)] = std::make_unique<BenchCopy>(i, clock);
    BenchCopy& host = *copies[0];
    host.connection.OpenHost(0, "Host", [&host](bool) { host.driver.startNewGame(); });
    const quint16 port = host.connection.ListeningPort();
    for (int i = 1; i < 3; ++i) {
      BenchCopy& client = *copies[static_cast<std::size_t>(i)];
      client.connection.OpenClient(QStringLiteral("127.0.0.1"), port, "Client",
                                   [&client](bool) { client.driver.startNewGame(); });
      SpinUntil([&] { return host.connection.Session().JoinedClients() == i; });
    }
    host.connection.WaitWindow().OkButton()->click();
    SpinUntil([&] {
      bool all = true;
      for (auto& copy : copies) {
        AutoplayAct(copy->driver, copy->state);
        all = all && copy->state.GameSummed;
      }
      return all;
    });
    for (auto& copy : copies) copy->connection.CloseNetwork();
    QCoreApplication::processEvents();
  }
  const std::vector<double>& l = clock.latenciesMs;
  benchState.counters["moves"] = static_cast<double>(l.size());
  benchState.counters["median_ms"] = Percentile(l, 0.5);
  benchState.counters["p90_ms"] = Percentile(l, 0.9);
  benchState.counters["max_ms"] = Percentile(l, 1.0);
}
BENCHMARK(BM_LanGame)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
