// Everything the main window plays: effect sounds and spoken cards, the MIDI
// song of the intro and menu screens, the music player's buttons, and the
// internet radio with its icon and window.
//
// Nothing touches an audio device before the window's first frame is on the
// screen: effect sounds open the device when the first one plays, the MIDI
// song and the playlist wait for FirstFramePainted.
#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <random>
#include <string>

#include "media/internet_radio.h"
#include "media/midi_music.h"
#include "media/music_buttons.h"
#include "media/music_player.h"
#include "media/radio_icon.h"
#include "settings/settings_file.h"
#include "table/window/sound_player.h"

namespace tarvel {

class MessageSink;

class WindowAudio {
 public:
  enum class Screen { Intro, Menu, Table };

  struct Places {
    QStringList moduleFolders;  // where the voice module is looked for, in order
    QString tempFolder;     // where the MIDI song's file goes
    std::string playlist;   // address of the playlist page
    std::string musicFolder;  // address of the songs' folder, ending in '/'
    RadioPlaces radio;        // the radio's files and list address
  };

  // The radio may switch MusicOn off (it never plays over the MIDI song).
  WindowAudio(QWidget* window, Settings& settings, Places places, std::uint64_t seed);
  ~WindowAudio();
  WindowAudio(const WindowAudio&) = delete;
  WindowAudio& operator=(const WindowAudio&) = delete;

  SoundPlayer& Effects() { return effects_; }
  MidiMusic& Midi() { return midi_; }
  MusicPlayer& Player() { return player_; }
  MusicButtons& Buttons() { return buttons_; }
  InternetRadio& Radio() { return radio_; }
  RadioIcon* Icon() { return icon_; }

  // Start-up: writes the song's file. False when it could not be written
  // (the window tells the user).
  bool PrepareMusic();
  // The first frame is on the screen: the song may start, the playlist is read.
  void FirstFramePainted();
  // Once the online start-up is over (a services program the window started
  // answers by then): the radio reads its list, from the server or the disk.
  void PrepareRadio();
  // The intro's first key or click: the radio starts when it was left on.
  void IntroLeft();
  // The radio icon's left click (toggle) or right click and the pop-up item
  // "Radio" (the window); "Can`t find ..." when there is no radio.
  void RadioCommand(bool openWindow, QWidget* parent, MessageSink& messages);
  // The window shows another screen; `scale` is the window's scale factor.
  void ScreenChanged(Screen screen, double scale, int clientHeight);
  // MusicOn was changed: the song starts or stops at once.
  void ApplySettings();
  // The window closes: everything stops, the song's file is deleted.
  void Close();

 private:
  void UpdateMusic();

  Settings& settings_;
  Places places_;
  std::mt19937 random_;
  EffectSoundPlayer effects_;
  MidiMusic midi_;
  MusicPlayer player_;
  MusicButtons buttons_;
  InternetRadio radio_;
  RadioIcon* icon_ = nullptr;
  Screen screen_ = Screen::Intro;
  bool firstFrame_ = false;
  bool radioPrepared_ = false;
  bool closed_ = false;
};

}  // namespace tarvel
