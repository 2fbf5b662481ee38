// What the options dialog needs of the main window. The dialog edits the
// settings record itself and calls these to make each change visible at
// once; the main window implements them.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <string>

class QWidget;

namespace tarvel {

class OptionsHost {
 public:
  virtual ~OptionsHost() = default;

  // The main window's texts in the current `Language`.
  virtual void ApplyLanguage() = 0;
  // The main window at the current `WindowSize`, with its pictures reloaded.
  virtual void ApplyWindowSize() = 0;
  // The main window's fonts from the four font slots.
  virtual void ApplyFonts() = 0;
  // `CardDeck` into the table's pictures (the backs too). False when its
  // module was missing: the user has been told and `CardDeck` is 0.
  virtual bool LoadDeck() = 0;
  // `BackDeck` into the table's pictures. False when its module was missing:
  // the user has been told and `BackDeck` is 0.
  virtual bool LoadBacks() = 0;
  // The background of the current designs and everything drawn on it
  // (menu buttons and panels, title and subtitle, clocks). False on a
  // fallback: a missing module, told to the user, and the settings changed
  // to what is shown.
  virtual bool ReloadBackground() = 0;
  // The jack of hearts, queen of diamonds, king of clubs and ace of spades
  // of the loaded deck.
  virtual std::array<QImage, 4> SampleCards() = 0;
  // A picture of the graphics module ("QorCGraph1"); null when the module
  // or the picture is missing.
  virtual QImage GraphicsPicture(const QString& name) = 0;

  // `NetGame` changed: the subtitle and the club list follow it.
  virtual void NetGameChanged() = 0;
  // `MusicOn` changed: start or stop the music.
  virtual void MusicChanged() = 0;
  // `GifAnimation` changed: start the menu animations at frame 0 or stop
  // them on their rest frames.
  virtual void GifAnimationChanged() = 0;
  // `SoundOn`, `FlyCards`, `GameTo8` or `DeadHeat` changed.
  virtual void PlaySettingsChanged() = 0;
  // `OwnCursor` changed: the main window's cursors, and those of `dialog`
  // and its children.
  virtual void ApplyCursors(QWidget* dialog) = 0;
  // `NewButtons` changed: the buttons of the main window and the waiting
  // window.
  virtual void ButtonsChanged() = 0;
  // `RadioListFromServer` changed: reload the station list.
  virtual void RadioListChanged() = 0;
  // Opens the speed window over `parent` and returns when it is closed.
  virtual void OpenSpeedWindow(QWidget* parent) = 0;

  // The screen the main window is on, and the client size of a window size
  // 1..5 on it.
  virtual QSize ScreenSize() = 0;
  virtual QSize ClientSizeOf(int windowSize) = 0;

  // Folders: the executable's (modules beside it and in its parent) and the
  // data folder (where downloads go when those cannot be written).
  virtual QString ProgramFolder() = 0;
  virtual QString DataFolder() = 0;
  // The address a module file is downloaded from.
  virtual std::string DownloadAddress(const QString& fileName) = 0;

  // An effect sound ("WToMenK", "WWrongs"), when sound is on.
  virtual void PlayEffectSound(const char* name) = 0;
  // A message box over `parent`.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // Writes the settings file now.
  virtual void WriteSettings() = 0;
};

}  // namespace tarvel
