// The audio module: everything that plays through Qt Multimedia, built as a
// shared library of its own ("libtarvel_audio.so", beside the program) and
// loaded on the first sound, song or stream. Qt Multimedia, PulseAudio and
// the codec libraries they pull in are thus neither loaded nor relocated
// before the first window appears, and not at all in a run without sound.
// Without the module the game stays silent and says why once on stderr.
#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

#include "media/audio_stream.h"
#include "media/effect_sounds.h"

namespace tarvel {

inline constexpr const char* kAudioModuleFile = "libtarvel_audio.so";
// The module's one exported function: AudioModule* TarvelAudioModule().
inline constexpr const char* kAudioModuleEntry = "TarvelAudioModule";

// A song played from a file, repeated until stopped.
class SongPlayer {
 public:
  virtual ~SongPlayer() = default;
  // Starts, or resumes after Stop.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // True once the player has reported an error: it never plays again.
  virtual bool Failed() const = 0;
  virtual qint64 PositionMs() const = 0;
};

class AudioModule {
 public:
  // True when the system lists an audio output.
  virtual bool HasOutput() const = 0;
  virtual std::unique_ptr<AudioStream> CreateStream() = 0;
  // The default output; it looks the device up on its first sound.
  virtual std::unique_ptr<SoundOutput> CreateSoundOutput() = 0;
  virtual std::unique_ptr<SongPlayer> CreateSongPlayer(const QString& file) = 0;

 protected:
  ~AudioModule() = default;  // the module owns its one instance
};

// The module, loaded on the first call: found among the libraries already
// loaded (a program may link it) or beside the program. Null when it cannot
// be loaded; later calls give the same answer.
AudioModule* LoadAudioModule();

}  // namespace tarvel
