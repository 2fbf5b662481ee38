// A real main window in a temporary data folder, with message boxes and
// sounds recorded instead of shown and played.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/autoplay.h"
#include "engine/match_state.h"
#include "records/tformpassword.h"
#include "settings/settings_file.h"
#include "table/window/message_sink.h"
#include "table/window/sound_player.h"
#include "table/window/tform1.h"

namespace tarvel::testing {

class RecordingSink : public MessageSink {
 public:
  void Inform(QWidget*, const QString& title, const QString& text) override {
    informed.push_back(title + QStringLiteral(" | ") + text);
  }
  bool Ask(QWidget*, const QString&, const QString& text, const QString&, const QString&) override {
    asked.push_back(text);
    return answer;
  }
  std::vector<QString> informed;
  std::vector<QString> asked;
  bool answer = false;
};

class RecordingSound : public SoundPlayer {
 public:
  void PlaySoundResource(const QString& name, bool wait, bool enabled) override {
    if (!enabled) return;
    played.push_back(name);
    waits.push_back(wait);
  }
  bool SpeakCard(CardCode card, int) override {
    spoken.push_back(card);
    return true;
  }
  std::vector<QString> played;
  std::vector<bool> waits;  // beside `played`
  std::vector<CardCode> spoken;
};

// Settings a test starts from: quick and quiet unless it says otherwise.
inline Settings QuickSettings() {
  Settings settings;
  settings.FlyCards = false;
  settings.Speed = 6;
  settings.MusicOn = false;
  return settings;
}

class WindowFixture {
 public:
  explicit WindowFixture(const Settings& stored = QuickSettings(), int sizeOverride = 0,
                         std::uint64_t seed = 1,
                         const std::function<void(const QString&)>& prepareFolder = {},
                         std::string servicesBase = {}) {
    folder = dir.path() + QLatin1Char('/');
    SaveSettings(std::filesystem::path(folder.toStdString()) / "Tarvel.ini", stored);
    if (prepareFolder) prepareFolder(folder);
    TForm1::Options options;
    options.dataFolder = folder;
    options.windowSizeOverride = sizeOverride;
    options.seed = seed;
    options.tempFolder = folder;
    options.servicesBase = std::move(servicesBase);
    window = std::make_unique<TForm1>(state, settings, options);
    window->SetMessageSink(&sink);
    window->SetSoundPlayer(&sound);
    window->SetDialogRunner([this](QDialog& dialog) { return AnswerDialog(dialog); });
    window->show();
    // The intro is built after the show, the rest of the start-up after its
    // first frame: the fixture starts where a player sees the whole intro.
    QElapsedTimer guard;
    guard.start();
    while (!window->StartUpFinished() && guard.elapsed() < 30000) QCoreApplication::processEvents();
  }

  ~WindowFixture() {
    // Close without the question: the test is over.
    sink.answer = true;
    window->close();
  }

  // From the intro through the menu to a dealt game, before "To Begin".
  void StartGame() {
    window->Image1Click();
    window->Button6()->click();
  }

  TForm1& w() { return *window; }

  // The records windows answer at once: the name dialog takes what
  // `prepareDialog` typed (nothing: its preset name) and presses OK, every
  // other window is closed with OK.
  int AnswerDialog(QDialog& dialog) {
    dialogs.push_back(QString::fromLatin1(dialog.metaObject()->className()));
    if (auto* names = qobject_cast<TFormPassword*>(&dialog)) {
      if (prepareDialog) prepareDialog(*names);
      names->Button1Click();
      return names->result();
    }
    if (inspectDialog) inspectDialog(dialog);
    dialog.accept();
    return dialog.result();
  }

  QTemporaryDir dir;
  QString folder;
  MatchState state;
  Settings settings;
  RecordingSink sink;
  RecordingSound sound;
  std::function<void(TFormPassword&)> prepareDialog;
  std::function<void(QDialog&)> inspectDialog;
  std::vector<QString> dialogs;  // class names of the records windows shown
  std::unique_ptr<TForm1> window;
};

// Plays the running game to its summed-up end as a player would, without
// the computer's waits.
inline void PlayToSummedEnd(TForm1& w) {
  const MatchState& s = w.State();
  for (int guard = 0; guard < 5000 && !s.GameSummed; ++guard) {
    if (s.DealStage == StageDealt) {
      w.Button7Click();  // "To Begin"
    } else if (s.Turn == 1 || s.Turn == 2) {
      w.Timer1Timer();
    } else if (s.Turn == 3) {
      const int slot = ChooseComputerSlot(s, 3);
      w.ImageCards3MouseUp(Qt::LeftButton, QPoint(w.View().Positions(3)[static_cast<std::size_t>(slot)] + 1, 1));
    } else {
      ASSERT_TRUE(w.Button7()->isEnabled()) << "stuck at Turn " << int(s.Turn);
      w.Button7Click();
    }
  }
  ASSERT_TRUE(s.GameSummed) << "Turn " << int(s.Turn) << " stage " << int(s.DealStage) << " active "
                            << s.DealActive << " busy " << w.Driver().busy();
}

}  // namespace tarvel::testing
