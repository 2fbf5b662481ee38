#include "table/window/sound_player.h"

namespace tarvel {

// No sound output exists yet: the sound issue replaces these bodies with the
// Qt Multimedia player. Nothing waits, so `wait` needs no handling here.
void SoundPlayer::PlaySoundResource(const QString&, bool, bool) {}

void SoundPlayer::SpeakCard(CardCode, int) {}

}  // namespace tarvel
