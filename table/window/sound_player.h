// The window's door to the sound effects and the spoken card names. The real
// player (Qt Multimedia, resource modules with the recordings) comes with the
// sound issue; until then this class accepts every request and plays nothing.
// Requests are virtual so that tests can record what the table asked for.
#pragma once

#include <QString>

#include "engine/cards.h"

namespace tarvel {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Plays the effect sound with the given resource name ("WHodsDo",
  // "WWrongs", ...). With `wait` the call returns when the sound has ended;
  // nothing is played unless `enabled` (the caller passes SoundOn).
  virtual void PlaySoundResource(const QString& name, bool wait, bool enabled);
  // Speaks the card's name in the given language (right click on a card).
  virtual void SpeakCard(CardCode card, int language);
};

}  // namespace tarvel
