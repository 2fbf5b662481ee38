// The MIDI song of the intro and menu screens. The program's song is written
// into a file in the temporary folder once a run ("temp87_25.mid"), played
// from there by the audio module (FluidSynth with the General MIDI sound
// font, rendered into a QAudioSink) and repeated while it is on.
//
// The file also marks a running copy of the game: a run that finds it
// already there leaves the music silent rather than play over the other.
#pragma once

#include <QString>

#include <memory>

namespace tarvel {

class SongPlayer;

inline constexpr const char* kMusicFileName = "temp87_25.mid";

class MidiMusic {
 public:
  enum class Prepared {
    Ready,       // the file was written; the music can play
    Silent,      // the file was there already: no music this run
    WriteFailed  // the file could not be written: tell the user, no music
  };

  // With `needsDevice` the song plays only when the system lists an audio
  // output: on a machine without one the synthesiser would play into
  // nothing and cost processor time.
  explicit MidiMusic(QString tempFolder, bool needsDevice = true);
  ~MidiMusic();
  MidiMusic(const MidiMusic&) = delete;
  MidiMusic& operator=(const MidiMusic&) = delete;

  // Writes the song into the file unless it exists. Once a run.
  Prepared Prepare();

  // Starts (on) or stops (off) the song. Nothing happens when the file was
  // not written by this run or the player has reported an error. The player
  // is made on the first start, not before.
  void Play(bool on);
  bool Playing() const { return playing_; }
  // How far the song has played, in milliseconds (0 before it started).
  qint64 PositionMs() const;

  // Stops the song and deletes the file (at the end of the run).
  void Remove();

  const QString& FilePath() const { return file_; }

 private:
  QString file_;
  bool needsDevice_;
  bool ready_ = false;
  bool playing_ = false;
  std::unique_ptr<SongPlayer> player_;
};

}  // namespace tarvel
