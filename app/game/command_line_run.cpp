#include "app/game/command_line_run.h"

#include <QApplication>
#include <QDialog>

#include "records/tformpassword.h"
#include <QPushButton>

#include <cstdio>

#include "engine/autoplay.h"
#include "online/tournament/tform_tour.h"
#include "engine/rules.h"

namespace tarvel {
namespace {

// The lobby's refresh with --fast: a place freed or taken is seen at once.
constexpr int kFastLobbyRefreshMs = 300;

void PrintLine(const QString& text) {
  std::fputs(text.toUtf8().constData(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

}  // namespace

void PrintingMessageSink::Inform(QWidget*, const QString&, const QString& text) {
  PrintLine(QStringLiteral("message: ") + QString(text).replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

bool PrintingMessageSink::Ask(QWidget* parent, const QString& title, const QString& text,
                              const QString&, const QString&) {
  Inform(parent, title, text);
  return true;
}

void AnswerWindowsAtOnce(TForm1& window) {
  window.SetDialogRunner([](QDialog& dialog) {
    if (auto* names = qobject_cast<TFormPassword*>(&dialog)) {
      names->Button1Click();
    } else {
      dialog.accept();
    }
    return dialog.result();
  });
}

bool CommandLineRun::Wanted(const GameOptions& o) {
  return o.autoplay || o.quitAfterGame || o.lanHostPort >= 0 || !o.lanJoinAddress.isEmpty() ||
         o.tournamentTable != 0;
}

CommandLineRun::CommandLineRun(TForm1& window, Settings& settings, const GameOptions& options)
    : window_(window), settings_(settings), options_(options) {
  if (options_.autoplay) {
    window_.SetMessageSink(&printing_);
    AnswerWindowsAtOnce(window_);
  }
  poll_.setInterval(options_.fast ? 1 : 50);
  connect(&poll_, &QTimer::timeout, this, [this] { Step(); });
  poll_.start();
}

void CommandLineRun::Finish(int code) {
  poll_.stop();
  QCoreApplication::exit(code);
}

void CommandLineRun::Step() {
  if (!window_.StartedUp() || window_.Driver().busy()) return;
  if (options_.autoplay) {
    // A window that waits for a press (the game's results) is closed as
    // the player would close it; the waiting window has its own rule.
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal != nullptr && modal != &window_.Lan().WaitWindow() && modal != window_.TourLobby()) {
      modal->accept();
      return;
    }
  }
  if (window_.IntroShown()) {
    if (options_.autoplay || options_.lanHostPort >= 0 || !options_.lanJoinAddress.isEmpty())
      window_.Image1Click();
    return;
  }
  if (window_.MenuShown()) {
    AtMenu();
  } else if (window_.TableShown()) {
    AtTable();
  }
}

void CommandLineRun::AtMenu() {
  if (played_) {
    // Back in the menu after a game that did not end (a lost player).
    PrintLine(QStringLiteral("left to the main menu"));
    Finish(3);
    return;
  }
  lan::TFormWait& wait = window_.Lan().WaitWindow();
  if (wait.isVisible()) {
    const int joined = window_.Lan().Session().JoinedClients();
    if (options_.autoplay && joined + 1 >= options_.lanPlayers && wait.OkButton()->isEnabled())
      wait.OkButton()->click();
    return;
  }
  if (opened_) return;
  opened_ = true;
  if (!options_.name.isEmpty()) settings_.PlayerName = options_.name.toStdString();
  if (options_.fast) {
    // No flights and no salutes: nothing waits in a local event loop.
    settings_.FlyCards = false;
    settings_.SaluteCards = false;
    settings_.SaluteButtons = false;
  }
  if (options_.lanHostPort >= 0 || !options_.lanJoinAddress.isEmpty()) {
    OpenNetworkGame();
  } else if (options_.tournamentTable != 0) {
    if (!window_.Account().Session().LoggedIn()) {
      PrintLine(QStringLiteral("no account logged in"));
      Finish(1);
      return;
    }
    window_.AutoTournament(options_.tournamentTable, options_.tournamentPlace,
                           options_.fast ? kFastLobbyRefreshMs : kTourRefreshMs);
  } else if (options_.autoplay && options_.accountGame) {
    if (!window_.Account().Session().LoggedIn()) {
      PrintLine(QStringLiteral("no account logged in"));
      Finish(1);
      return;
    }
    window_.Account().PlayFromMemberRow();
    if (window_.MenuShown()) {
      PrintLine(QStringLiteral("no account game"));
      Finish(1);
    }
  } else if (options_.autoplay) {
    window_.Button6Click();
  }
}

void CommandLineRun::OpenNetworkGame() {
  const auto started = [this](bool confirmed) {
    if (confirmed) {
      PrintLine(QStringLiteral("playing at place %1").arg(window_.State().NetRole));
      window_.StartNetworkGame();
    } else {
      PrintLine(QStringLiteral("no network game"));
      Finish(1);
    }
  };
  const std::string name = settings_.PlayerName;
  if (options_.lanHostPort >= 0) {
    if (!window_.Lan().OpenHost(static_cast<quint16>(options_.lanHostPort), name, started)) {
      Finish(1);
      return;
    }
    PrintLine(QStringLiteral("listening on port %1").arg(window_.Lan().ListeningPort()));
  } else {
    window_.Lan().OpenClient(options_.lanJoinAddress, static_cast<quint16>(options_.lanJoinPort), name,
                             started);
  }
}

void CommandLineRun::AtTable() {
  played_ = true;
  const MatchState& s = window_.State();
  if (s.GameSummed) {
    if (!options_.quitAfterGame) {
      if (options_.autoplay) window_.Button8Click();
      return;
    }
    // By seat; at a tournament table by place, the same on every copy.
    const SeatResults results = window_.ResultsInOrder();
    PrintLine(QStringLiteral("results %1 %2 %3").arg(results[1]).arg(results[2]).arg(results[3]));
    window_.Button8Click();
    Finish(0);
    return;
  }
  if (!options_.autoplay || !s.DealActive) return;
  if (s.TourGame && !options_.screenshotFile.isEmpty() && !shotTaken_ && s.DealStage == StagePlaying && s.Turn == 3 &&
      s.PlayedCount > 1) {
    // The tournament table in play (a trick collected, the own clock running).
    shotTaken_ = true;
    if (!window_.Snapshot().save(options_.screenshotFile)) PrintLine(QStringLiteral("cannot write the screenshot"));
  }
  QPushButton* next = window_.Button7();
  if (s.DealStage == StagePlaying && s.Turn == 3) {
    const int slot = ChooseComputerSlot(s, 3);
    window_.ImageCards3MouseUp(Qt::LeftButton, QPoint(window_.View().Positions(3)[slot] + 1, 1));
  } else if (next->isVisible() && next->isEnabled()) {
    window_.Button7Click();
  } else if (options_.fast && (s.Turn == 1 || s.Turn == 2)) {
    window_.Timer1Timer();  // the host's computer player without its wait
  }
}

}  // namespace tarvel
