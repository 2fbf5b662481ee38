// The yardstick of the start-up benchmark: an empty Qt Widgets window of a
// given size that prints the same first-frame line as the game.
//
//   tarvel_bench_empty_window [WIDTH HEIGHT]
#include <QApplication>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {

class EmptyWindow : public QWidget {
 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).fillRect(rect(), Qt::black);
    if (painted_) return;
    painted_ = true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::printf("first frame painted: CLOCK_MONOTONIC %lld us\n",
                static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
    std::fflush(stdout);
  }

 private:
  bool painted_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int width = argc >= 3 ? std::atoi(argv[1]) : 760;
  const int height = argc >= 3 ? std::atoi(argv[2]) : 500;
  EmptyWindow window;
  window.setFixedSize(width, height);
  window.show();
  return QApplication::exec();
}
