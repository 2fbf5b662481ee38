// What the command line asks the game program to do without a person:
// host or join a network game without the name dialog, let the computer
// play the local seat and press the continue button (--autoplay), and quit
// once the game is summed up, printing its three results (--quit-after-game).
#pragma once

#include <QObject>
#include <QTimer>

#include "app/game/game_options.h"
#include "table/window/message_sink.h"
#include "table/window/tform1.h"

namespace tarvel {

// Messages and questions of an unattended run: printed on standard output
// ("message: ..."), every question answered Yes.
class PrintingMessageSink : public MessageSink {
 public:
  void Inform(QWidget* parent, const QString& title, const QString& text) override;
  bool Ask(QWidget* parent, const QString& title, const QString& text, const QString& yes,
           const QString& no) override;
};

// Runs without a person: the records windows answer at once, the name dialog
// with its preset name, every other window with OK.
void AnswerWindowsAtOnce(TForm1& window);

class CommandLineRun : public QObject {
 public:
  CommandLineRun(TForm1& window, Settings& settings, const GameOptions& options);

  // True when the options ask for anything this class does.
  static bool Wanted(const GameOptions& options);

 private:
  void Step();
  void AtMenu();
  void AtTable();
  void OpenNetworkGame();
  void Finish(int code);

  TForm1& window_;
  Settings& settings_;
  GameOptions options_;
  PrintingMessageSink printing_;
  QTimer poll_;
  bool opened_ = false;      // the game was asked for
  bool played_ = false;      // the table was shown
  bool shotTaken_ = false;   // --screenshot at a tournament table
};

}  // namespace tarvel
