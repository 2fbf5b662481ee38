// Effect sounds and spoken card names: WAVE images played from memory.
//
// A sound that play waits for is waited for by its length, read from its
// WAVE header, never by asking the output whether it still plays (an output
// without a device may claim to play for ever). Without an output device
// nothing plays and nothing waits. A new sound cuts off the one playing.
#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <string_view>

#include "engine/cards.h"
#include "media/wave_header.h"

namespace tarvel {

// The longest a waiting sound holds play up, whatever its header says.
inline constexpr std::chrono::milliseconds kMaxSoundWait{10000};

// Where effect sounds go.
class SoundOutput {
 public:
  virtual ~SoundOutput() = default;
  // Starts playing the samples of a WAVE image, cutting off the sound that
  // plays. False when nothing plays: no output device, or a sample format
  // the device does not take.
  virtual bool Start(const QByteArray& wave, const WaveFormat& format) = 0;
  virtual void Stop() = 0;
};

// The system's default audio output. The audio module and the device are
// looked up when the first sound starts, never earlier, so a program that
// never sounds never loads Qt Multimedia nor opens the device.
class DeviceSoundOutput final : public SoundOutput {
 public:
  DeviceSoundOutput();
  ~DeviceSoundOutput() override;
  DeviceSoundOutput(const DeviceSoundOutput&) = delete;
  DeviceSoundOutput& operator=(const DeviceSoundOutput&) = delete;

  bool Start(const QByteArray& wave, const WaveFormat& format) override;
  void Stop() override;

 private:
  bool probed_ = false;
  std::unique_ptr<SoundOutput> device_;  // null: no module or no device
};

// "Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Jap", "Kor" for the
// languages 0..9; empty for anything else.
std::string_view LanguageSuffix(int language);

// The voice module's name of a card's recording: suit and rank part, "Voice",
// language suffix ("Bu09VoiceEng", "Pi10VoiceRus"). Empty for a card code
// that is no card or a language outside 0..9.
QString VoiceResourceName(CardCode card, int language);

// The file and resource folder of the voice module, and the path of one
// recording in it while the module is registered (names in capitals).
inline constexpr std::string_view kVoiceModuleFile = "QorCVoice3.rcc";
QString VoiceResourcePath(const QString& name);

class EffectSounds {
 public:
  // Holds play up for a time while the window keeps painting.
  using Waiter = std::function<void(std::chrono::milliseconds)>;

  EffectSounds(SoundOutput& output, Waiter wait);

  // Plays a WAVE image; with `wait`, returns once its length has passed (at
  // most kMaxSoundWait). False, without waiting, when the bytes are no WAVE
  // file or the output plays nothing.
  bool PlayWave(const QByteArray& wave, bool wait);

  // Plays one of the program's own sounds by name, in any case ("WHodsDo").
  // A recording of the name in the language (name + LanguageSuffix) is
  // preferred where one exists. Nothing when `enabled` is false or no sound
  // has the name.
  bool PlaySoundResource(const QString& name, bool wait, bool enabled, int language);

  // The WAVE image of one of the program's own sounds; empty when none has
  // the name.
  static QByteArray ProgramSound(const QString& name, int language);

 private:
  SoundOutput& output_;
  Waiter wait_;
};

}  // namespace tarvel
