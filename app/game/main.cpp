// The game program: options, data folder, fonts, and the main window.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>

#include <malloc.h>

#include <cstdio>
#include <ctime>
#include <memory>
#include <thread>

#include "app/game/command_line_run.h"
#include "app/game/game_options.h"
#include "engine/autoplay.h"
#include "engine/match_state.h"
#include "media/form_radio.h"
#include "records/tformpassword.h"
#include "online/endpoints.h"
#include "settings/options/form_options.h"
#include "settings/settings_file.h"
#include "table/window/font_substitutes.h"
#include "table/window/guide_screenshots.h"
#include "table/window/tform1.h"
#include "widgets/message_box.h"

namespace {

using tarvel::TForm1;

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// Brings the window to a state by pressing what a player would press, then
// saves a picture of it and ends the program (documentation and tests).
class ScreenshotRun : public QObject {
 public:
  ScreenshotRun(TForm1& window, tarvel::Settings& settings, QString file, QString state,
                const QElapsedTimer& sinceStart)
      : window_(window),
        settings_(settings),
        file_(std::move(file)),
        state_(std::move(state)),
        sinceStart_(sinceStart) {
    tarvel::AnswerWindowsAtOnce(window_);
    poll_.setInterval(20);
    connect(&poll_, &QTimer::timeout, this, [this] { Step(); });
    if (state_ == QLatin1String("intro")) {
      connect(&window_, &TForm1::IntroFramePainted, this,
              [this] {
                Print(stdout, QStringLiteral("first intro frame painted after %1 ms (clock %2 ms)")
                                  .arg(sinceStart_.elapsed())
                                  .arg(QDateTime::currentMSecsSinceEpoch()));
                Save();
              },
              Qt::QueuedConnection);
    } else {
      poll_.start();
    }
  }

 private:
  void Step() {
    if (!window_.StartedUp() || window_.Driver().busy()) return;
    const tarvel::MatchState& s = window_.State();
    if (window_.IntroShown()) {
      window_.Image1Click();
      return;
    }
    if (window_.MenuShown()) {
      if (state_ == QLatin1String("menu")) return Save();
      if (state_ == QLatin1String("calendar")) {
        // The right sheet turned once: the day's first holiday, if any.
        window_.Calendar().TimerCalTimer();
        return Save();
      }
      if (state_.startsWith(QLatin1String("options"))) return SaveOptionsPage(state_.mid(7).toInt() - 1);
      if (state_ == QLatin1String("radio")) return SaveRadioWindow();
      // A whole game only to see its end: the cards need not fly.
      if (state_ == QLatin1String("summary") || state_ == QLatin1String("dealend")) settings_.FlyCards = false;
      window_.Button6Click();
      return;
    }
    if (s.DealStage == tarvel::StageDealt) {
      window_.Button7Click();
      return;
    }
    if (const tarvel::GuideShot shot = tarvel::GuideScreenshotStep(window_, state_); shot.handled) {
      if (!shot.picture.isNull()) Save(shot.picture);
      return;
    }
    if (state_ == QLatin1String("table")) {
      // The cues and the turn marker follow the turn one event later: bring
      // them up to date, so that a slow run pictures the same table.
      if (s.Turn == 3 && !window_.Flying()) {
        window_.Guide().RefreshNow();
        Save();
      }
      return;
    }
    if (s.GameSummed) return Save();
    if (s.Turn == 1 || s.Turn == 2) {
      window_.Timer1Timer();  // the computer's move without its 300 ms wait
    } else if (s.Turn == 3) {
      const int slot = tarvel::ChooseComputerSlot(s, 3);
      window_.ImageCards3MouseUp(Qt::LeftButton, QPoint(window_.View().Positions(3)[slot] + 1, 1));
    } else if (window_.Button7()->isVisible() && window_.Button7()->isEnabled()) {
      window_.Button7Click();
    }
  }

  // The options dialog over the menu, on one page.
  void SaveOptionsPage(int page) {
    poll_.stop();
    window_.OptionsClick();
    auto* dialog = window_.findChild<tarvel::TFormOptions*>();
    dialog->Pages()->setCurrentIndex(page);
    const bool saved = dialog->grab().save(file_);
    if (!saved) Print(stderr, QStringLiteral("tarvel: cannot write ") + file_);
    dialog->close();
    window_.close();
    QCoreApplication::exit(saved ? 0 : 1);
  }

  // The radio window over the menu, once the radio has its station list.
  void SaveRadioWindow() {
    if (!window_.Audio().Radio().Ready()) return;
    poll_.stop();
    window_.RadioClick();
    auto* dialog = window_.findChild<tarvel::TFormRadio*>();
    const bool saved = dialog != nullptr && dialog->grab().save(file_);
    if (!saved) Print(stderr, QStringLiteral("tarvel: no radio window, or cannot write ") + file_);
    if (dialog != nullptr) dialog->close();
    window_.close();
    QCoreApplication::exit(saved ? 0 : 1);
  }

  void Save(const QImage& picture = QImage()) {
    poll_.stop();
    const bool saved = (picture.isNull() ? window_.Snapshot() : picture).save(file_);
    if (!saved) Print(stderr, QStringLiteral("tarvel: cannot write ") + file_);
    // Off the table the window closes as on a player's request (and writes
    // the settings); a running game is left without its question.
    if (!window_.TableShown()) window_.close();
    QCoreApplication::exit(saved ? 0 : 1);
  }

  TForm1& window_;
  tarvel::Settings& settings_;
  QString file_;
  QString state_;
  const QElapsedTimer& sinceStart_;
  QTimer poll_;
};

// The start-up benchmark compares this reading with its own at the fork.
void PrintFirstFrameClock() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  std::printf("first frame painted: CLOCK_MONOTONIC %lld us\n",
              static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000);
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  {
    // The help text needs no display: give it before the application
    // connects to one, so that it also works on a text console.
    QStringList raw;
    for (int i = 0; i < argc; ++i) raw << QString::fromLocal8Bit(argv[i]);
    const tarvel::GameOptionsResult early = tarvel::ParseGameOptions(raw);
    if (early.ok && early.helpRequested) {
      Print(stdout, early.message);
      return 0;
    }
  }
  // Pictures of a megabyte or more are decoded, scaled and dropped during
  // the start and on every change of window size: allocations from 256 KB
  // up get pages of their own, which go back to the system when freed,
  // instead of growing the heap for good.
  mallopt(M_MMAP_THRESHOLD, 256 * 1024);
  // Qt Multimedia's GStreamer backend; the FFmpeg one crashes on a machine
  // without an audio device.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "gstreamer");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarvel"));

  const tarvel::GameOptionsResult parsed = tarvel::ParseGameOptions(QApplication::arguments());
  if (!parsed.ok) {
    Print(stderr, QStringLiteral("tarvel: ") + parsed.message);
    Print(stderr, QStringLiteral("Try 'tarvel --help'."));
    return 2;
  }
  const tarvel::GameOptions& options = parsed.options;

  const QString dataFolder =
      tarvel::ResolveDataFolder(options.dataDir, QCoreApplication::applicationDirPath(),
                                qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
  const QString problem = tarvel::PrepareDataFolder(dataFolder);
  if (!problem.isEmpty()) {
    Print(stderr, QStringLiteral("tarvel: ") + problem);
    return 1;
  }

  tarvel::InstallFontSubstitutions();
  // Nobody answers message boxes in a screenshot run.
  tarvel::SetUnattended(!options.screenshotFile.isEmpty() || options.autoplay);

  // The one match state and the one settings record of the program's life.
  tarvel::MatchState state;
  tarvel::Settings settings;
  TForm1::Options windowOptions;
  windowOptions.dataFolder = dataFolder;
  windowOptions.programFolder = QCoreApplication::applicationDirPath();
  windowOptions.windowSizeOverride = options.windowSize;
  windowOptions.seed = options.seed;
  windowOptions.servicesBase = tarvel::ServiceBaseFromCommandLine(argc, argv);
  windowOptions.date = options.date;
  // The font list is read on another core while the window is made and
  // mapped; the intro's first frame would otherwise wait for it.
  std::thread fontList([] { QFontDatabase::families(); });
  TForm1 window(state, settings, windowOptions);

  std::unique_ptr<ScreenshotRun> screenshot;
  // At a tournament table the command-line run plays and takes the picture.
  if (!options.screenshotFile.isEmpty() && options.tournamentTable == 0)
    screenshot = std::make_unique<ScreenshotRun>(window, settings, options.screenshotFile,
                                                 options.screenshotAfter, sinceStart);
  std::unique_ptr<tarvel::CommandLineRun> commandLine;
  if (tarvel::CommandLineRun::Wanted(options))
    commandLine = std::make_unique<tarvel::CommandLineRun>(window, settings, options);
  if (options.printFirstFrame) QObject::connect(&window, &TForm1::IntroFramePainted, &PrintFirstFrameClock);
  window.show();
  const int exitCode = QApplication::exec();
  fontList.join();
  return exitCode;
}
