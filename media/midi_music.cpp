#include "media/midi_music.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "assets/sound/tarvel_sounds.h"
#include "media/audio_module.h"

namespace tarvel {

MidiMusic::MidiMusic(QString tempFolder, bool needsDevice)
    : file_(QDir(tempFolder).filePath(QString::fromLatin1(kMusicFileName))), needsDevice_(needsDevice) {}

MidiMusic::~MidiMusic() = default;

MidiMusic::Prepared MidiMusic::Prepare() {
  if (QFile::exists(file_)) return Prepared::Silent;
  InitTarvelSounds();
  QFile song(QStringLiteral(":/sounds/MIDISONG"));
  QSaveFile out(file_);
  if (!song.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly) || out.write(song.readAll()) < 0 ||
      !out.commit())
    return Prepared::WriteFailed;
  ready_ = true;
  return Prepared::Ready;
}

void MidiMusic::Play(bool on) {
  if (!ready_ || !QFile::exists(file_)) return;
  if (player_ && player_->Failed()) return;
  if (!on) {
    if (player_) player_->Stop();
    playing_ = false;
    return;
  }
  if (playing_) return;
  if (!player_) {
    AudioModule* module = LoadAudioModule();
    if (module == nullptr || (needsDevice_ && !module->HasOutput())) return;
    player_ = module->CreateSongPlayer(file_);
  }
  player_->Play();
  playing_ = true;
}

qint64 MidiMusic::PositionMs() const { return player_ ? player_->PositionMs() : 0; }

void MidiMusic::Remove() {
  player_.reset();
  playing_ = false;
  QFile::remove(file_);
  ready_ = false;
}

}  // namespace tarvel
