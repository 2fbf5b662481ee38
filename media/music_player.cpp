#include "media/music_player.h"

#include "media/abandon_reply.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

namespace tarvel {

namespace {

// A playlist of 1000 long lines is far below this; a larger answer is no
// playlist and is not read further.
constexpr qint64 kMaxPageBytes = 1024 * 1024;
constexpr int kVolumeStep = 5;

}  // namespace

MusicPlayer::MusicPlayer(AudioFactory audio, Random random, QObject* parent)
    : QObject(parent), makeAudio_(std::move(audio)), random_(std::move(random)) {}

MusicPlayer::~MusicPlayer() { Close(); }

void MusicPlayer::LoadPlaylist(const std::string& pageAddress, const std::string& musicFolder) {
  if (reply_ != nullptr) return;
  if (network_ == nullptr) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request(QUrl(QString::fromStdString(pageAddress)));
  request.setTransferTimeout(kPlaylistTimeoutMs);
  reply_ = network_->get(request);
  connect(reply_, &QNetworkReply::finished, this, [this, musicFolder] {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status == 200) {
      const QByteArray page = reply->read(kMaxPageBytes);
      TakePlaylist(page.toStdString(), musicFolder);
    }
    emit Changed();
  });
}

void MusicPlayer::TakePlaylist(const std::string& page, const std::string& musicFolder) {
  if (audio_ && stream_ != 0) audio_->StreamFree(stream_);
  stream_ = 0;
  streamOpened_ = false;
  record_ = TMyMediaPL{};
  record_.Songs = ParsePlaylist(page, musicFolder);
  record_.Max = static_cast<std::int32_t>(record_.Songs.size());
  record_.Create = record_.Max >= kMinPlaylistSongs;
  record_.N = record_.Max > 0 ? std::clamp(random_(record_.Max), 1, record_.Max) : 0;
}

AudioStream* MusicPlayer::Audio() {
  if (!audioTried_) {
    audioTried_ = true;
    audio_ = makeAudio_();
    if (audio_) audio_->Init();
  }
  return audio_.get();
}

void MusicPlayer::SetVolume() {
  if (audio_ && stream_ != 0)
    audio_->ChannelSetAttribute(stream_, ChannelAttribute::Volume, record_.Volume / 100.0f);
}

void MusicPlayer::OpenSong() {
  AudioStream* audio = Audio();
  if (audio == nullptr || record_.N < 1) return;
  if (stream_ != 0) audio->StreamFree(stream_);
  stream_ = audio->StreamCreateURL(QString::fromStdString(record_.Songs[static_cast<std::size_t>(record_.N - 1)].Url));
  streamOpened_ = true;
  SetVolume();
}

void MusicPlayer::PlayPause() {
  if (record_.Max < 1) return;
  if (record_.Play) {
    if (audio_) audio_->ChannelStop(stream_);
    record_.Play = false;
  } else {
    if (!streamOpened_) OpenSong();
    if (audio_) audio_->ChannelPlay(stream_);
    record_.Play = true;
  }
  emit Changed();
}

void MusicPlayer::Next() {
  if (record_.Max < 1) return;
  if (audio_) audio_->ChannelStop(stream_);
  record_.N = std::clamp(random_(record_.Max), 1, record_.Max);
  OpenSong();
  if (audio_) audio_->ChannelPlay(stream_);
  record_.Play = true;
  emit Changed();
}

void MusicPlayer::VolumeClick(int x) {
  if (x > 34) {
    record_.Volume = static_cast<std::uint8_t>(std::min(100, record_.Volume + kVolumeStep));
  } else if (x >= 1 && x <= 25) {
    record_.Volume = static_cast<std::uint8_t>(std::max(0, record_.Volume - kVolumeStep));
  } else {
    return;
  }
  SetVolume();
  emit Changed();
}

void MusicPlayer::Tick() {
  // A stream that never opened never ends, so a broken song stays until
  // "next" is pressed instead of skipping on and on.
  if (record_.Play && audio_ && audio_->ChannelHasEnded(stream_)) Next();
}

void MusicPlayer::Close() {
  AbandonReply(reply_, this);
  if (audio_) audio_->Free();
  stream_ = 0;
  streamOpened_ = false;
  record_.Play = false;
}

QString MusicPlayer::SongHint() const {
  if (record_.N < 1) return {};
  const PlaylistSong& song = record_.Songs[static_cast<std::size_t>(record_.N - 1)];
  return QString::fromStdString(song.Artist) + QStringLiteral("  :  ") + QString::fromStdString(song.Title);
}

}  // namespace tarvel
