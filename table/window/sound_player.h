// The window's door to the effect sounds and the spoken card names.
// SoundPlayer is what the window asks for; tests put a recording player in
// its place. EffectSoundPlayer plays them: the program's own sounds, and the
// card names from the voice module "QorCVoice3.rcc" (the program folder,
// else its parent), read anew for every card.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

#include "engine/cards.h"
#include "media/effect_sounds.h"

namespace tarvel {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Plays the effect sound with the given resource name ("WHodsDo",
  // "WWrongs", ...). With `wait` the call returns when the sound has ended;
  // nothing is played unless `enabled` (the caller passes SoundOn).
  virtual void PlaySoundResource(const QString& name, bool wait, bool enabled) = 0;
  // Speaks the card's name in the given language (right click on a card),
  // whatever SoundOn says. False when the voice module or the recording is
  // missing or damaged; nothing plays then.
  virtual bool SpeakCard(CardCode card, int language) = 0;
};

class EffectSoundPlayer final : public SoundPlayer {
 public:
  // `language` gives the language of spoken effect sounds ("WSays20").
  EffectSoundPlayer(QStringList moduleFolders, std::function<int()> language);

  void PlaySoundResource(const QString& name, bool wait, bool enabled) override;
  bool SpeakCard(CardCode card, int language) override;

 private:
  QStringList moduleFolders_;
  std::function<int()> language_;
  DeviceSoundOutput output_;
  EffectSounds sounds_;
};

// The recording of a card's name from the voice module in `programFolder`
// (or its parent); empty when the module or the recording is missing or the
// module is damaged.
QByteArray VoiceRecording(const QStringList& moduleFolders, CardCode card, int language);

}  // namespace tarvel
