#include "media/midi_music.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDir>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSaveFile>
#include <QUrl>

#include "assets/sound/tarvel_sounds.h"

namespace tarvel {

MidiMusic::MidiMusic(QString tempFolder, bool needsDevice)
    : file_(QDir(tempFolder).filePath(QString::fromLatin1(kMusicFileName))), needsDevice_(needsDevice) {}

MidiMusic::~MidiMusic() {
  // The player goes before the output it plays to.
  player_.reset();
}

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
  if (player_ && player_->error() != QMediaPlayer::NoError) return;
  if (!on) {
    if (player_) player_->stop();
    playing_ = false;
    return;
  }
  if (playing_) return;
  if (!player_) {
    if (needsDevice_ && QMediaDevices::audioOutputs().isEmpty()) return;
    output_ = std::make_unique<QAudioOutput>();
    player_ = std::make_unique<QMediaPlayer>();
    player_->setAudioOutput(output_.get());
    player_->setLoops(QMediaPlayer::Infinite);
    player_->setSource(QUrl::fromLocalFile(file_));
  }
  player_->play();
  playing_ = true;
}

qint64 MidiMusic::PositionMs() const { return player_ ? player_->position() : 0; }

void MidiMusic::Remove() {
  player_.reset();
  output_.reset();
  playing_ = false;
  QFile::remove(file_);
  ready_ = false;
}

}  // namespace tarvel
