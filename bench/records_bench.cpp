// Records speed: what GIF recording costs the user-interface thread per
// capture tick (the comparison with the previous frame and the hand-over to
// the encoder thread), the encoder's time for a whole deal, and appending a
// game to a full-sized history file.
//
//   QT_QPA_PLATFORM=offscreen build/bin/tarvel_bench_records
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QImage>

#include <filesystem>

#include "records/gif_recorder.h"
#include "records/history_file.h"

namespace tarvel {
namespace {

std::filesystem::path ScratchFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvel-bench-XXXXXX").string();
  return ::mkdtemp(pattern.data());
}

// A table-sized picture with some structure, as the small window shows it.
QImage TablePicture(int variant) {
  QImage picture(760, 500, QImage::Format_RGB32);
  for (int y = 0; y < picture.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    for (int x = 0; x < picture.width(); ++x) line[x] = qRgb((x + variant) % 256, (y * 3) % 256, (x ^ y) % 256);
  }
  return picture;
}

// One capture tick whose table changed: the cost paid on the UI thread. A
// deal holds at most 250 frames, so one recording serves the 240 ticks.
void BM_GifTickChangedTable(benchmark::State& state) {
  const std::filesystem::path folder = ScratchFolder();
  const QImage frames[2] = {TablePicture(0), TablePicture(1)};
  int next = 0;
  // A fresh picture each tick, as a grab of the window gives.
  GifRecorder recorder([&] { return frames[next].copy(); });
  recorder.Start(folder, 100);
  for (auto _ : state) {
    next = 1 - next;
    recorder.TimerGIFTimer();
  }
  recorder.Save();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_GifTickChangedTable)->Unit(benchmark::kMillisecond)->Iterations(240);

// One capture tick whose table did not change.
void BM_GifTickUnchangedTable(benchmark::State& state) {
  const std::filesystem::path folder = ScratchFolder();
  const QImage frame = TablePicture(0);
  // A fresh picture each tick, as a grab of the window gives.
  GifRecorder recorder([&] { return frame.copy(); });
  recorder.Start(folder, 100);
  for (auto _ : state) recorder.TimerGIFTimer();
  recorder.Save();
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_GifTickUnchangedTable)->Unit(benchmark::kMicrosecond);

// A deal of 60 distinct frames from start to the finished file.
void BM_GifWholeDeal(benchmark::State& state) {
  const std::filesystem::path folder = ScratchFolder();
  std::vector<QImage> frames;
  for (int i = 0; i < 60; ++i) frames.push_back(TablePicture(i));
  std::size_t next = 0;
  GifRecorder recorder([&] { return frames[next]; });
  for (auto _ : state) {
    next = 0;
    recorder.Start(folder, 100);
    for (next = 1; next < frames.size(); ++next) recorder.TimerGIFTimer();
    next = frames.size() - 1;  // the end of the deal shows the last table again
    recorder.Save();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_GifWholeDeal)->Unit(benchmark::kMillisecond);

// Appending one game to a history file of 839 lines (read, check, rewrite).
void BM_AppendHistoryToALargeFile(benchmark::State& state) {
  const std::filesystem::path folder = ScratchFolder();
  HisStr entry;
  entry.HName = "Tester";
  const HistoryStamp stamp{"10:00", "01.01.2025"};
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(folder / "History");
    for (int i = 0; i < 839; ++i) AppendHistory(folder, {entry}, stamp);
    state.ResumeTiming();
    AppendHistory(folder, {entry}, stamp);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_AppendHistoryToALargeFile)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
