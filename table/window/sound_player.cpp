#include "table/window/sound_player.h"

#include <QFile>

#include "table/flight.h"
#include "table/pictures.h"

namespace tarvel {

QByteArray VoiceRecording(const QStringList& moduleFolders, CardCode card, int language) {
  const QString name = VoiceResourceName(card, language);
  if (name.isEmpty()) return {};
  const ResourceModuleSession module(moduleFolders, QString::fromLatin1(kVoiceModuleFile.data(),
                                                                        static_cast<qsizetype>(kVoiceModuleFile.size())));
  if (!module.Ok()) return {};
  // Read while the module is registered; the copy outlives it.
  QFile recording(VoiceResourcePath(name));
  return recording.open(QIODevice::ReadOnly) ? recording.readAll() : QByteArray();
}

EffectSoundPlayer::EffectSoundPlayer(QStringList moduleFolders, std::function<int()> language)
    : moduleFolders_(std::move(moduleFolders)),
      language_(std::move(language)),
      // The wait keeps the window painting; the game driver is busy meanwhile,
      // so clicks and the turn timer hold still.
      sounds_(output_, [](std::chrono::milliseconds length) {
        CardFlight::WaitWithEventLoop(static_cast<int>(length.count()));
      }) {}

void EffectSoundPlayer::PlaySoundResource(const QString& name, bool wait, bool enabled) {
  sounds_.PlaySoundResource(name, wait, enabled, language_ ? language_() : 0);
}

bool EffectSoundPlayer::SpeakCard(CardCode card, int language) {
  const QByteArray recording = VoiceRecording(moduleFolders_, card, language);
  if (recording.isEmpty()) return false;
  sounds_.PlayWave(recording, false);
  return true;
}

}  // namespace tarvel
