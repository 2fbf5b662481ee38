// The audio module's entry: effect sounds through QAudioSink, the song through
// QMediaPlayer, streams through MultimediaAudioStream.
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioOutput>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QUrl>

#include <optional>

#include "media/audio/multimedia_audio_stream.h"
#include "media/audio_module.h"

namespace tarvel {
namespace {

std::optional<QAudioFormat::SampleFormat> SampleFormatOf(const WaveFormat& wave) {
  if (wave.Format == 3) return QAudioFormat::Float;
  switch (wave.BitsPerSample) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return std::nullopt;  // 24-bit samples: no device format takes them
  }
}

// The system's default output, looked up when the first sound starts.
class SinkSoundOutput final : public SoundOutput {
 public:
  SinkSoundOutput() = default;
  ~SinkSoundOutput() override { Stop(); }
  SinkSoundOutput(const SinkSoundOutput&) = delete;
  SinkSoundOutput& operator=(const SinkSoundOutput&) = delete;

  bool Start(const QByteArray& wave, const WaveFormat& format) override {
    Stop();
    if (!probed_) {
      probed_ = true;
      device_ = QMediaDevices::defaultAudioOutput();
    }
    const std::optional<QAudioFormat::SampleFormat> sampleFormat = SampleFormatOf(format);
    if (device_.isNull() || !sampleFormat) return false;
    QAudioFormat audio;
    audio.setSampleRate(static_cast<int>(format.SampleRate));
    audio.setChannelCount(format.Channels);
    audio.setSampleFormat(*sampleFormat);
    if (!device_.isFormatSupported(audio)) return false;
    samples_ = wave.mid(static_cast<qsizetype>(format.DataOffset), static_cast<qsizetype>(format.DataSize));
    buffer_.setBuffer(&samples_);
    if (!buffer_.open(QIODevice::ReadOnly)) return false;
    sink_ = std::make_unique<QAudioSink>(device_, audio);
    sink_->start(&buffer_);
    return sink_->error() == QAudio::NoError;
  }

  void Stop() override {
    if (sink_) {
      sink_->stop();
      sink_.reset();
    }
    buffer_.close();
  }

 private:
  bool probed_ = false;
  QAudioDevice device_;
  QByteArray samples_;  // read by buffer_ while the sink plays
  QBuffer buffer_;
  std::unique_ptr<QAudioSink> sink_;
};

class MediaSongPlayer final : public SongPlayer {
 public:
  explicit MediaSongPlayer(const QString& file) {
    player_.setAudioOutput(&output_);
    player_.setLoops(QMediaPlayer::Infinite);
    player_.setSource(QUrl::fromLocalFile(file));
  }
  void Play() override { player_.play(); }
  void Stop() override { player_.stop(); }
  bool Failed() const override { return player_.error() != QMediaPlayer::NoError; }
  qint64 PositionMs() const override { return player_.position(); }

 private:
  // Declared before the player, so the player goes first.
  QAudioOutput output_;
  QMediaPlayer player_;
};

class MultimediaModule final : public AudioModule {
 public:
  bool HasOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
  std::unique_ptr<AudioStream> CreateStream() override { return std::make_unique<MultimediaAudioStream>(); }
  std::unique_ptr<SoundOutput> CreateSoundOutput() override { return std::make_unique<SinkSoundOutput>(); }
  std::unique_ptr<SongPlayer> CreateSongPlayer(const QString& file) override {
    return std::make_unique<MediaSongPlayer>(file);
  }
};

}  // namespace
}  // namespace tarvel

extern "C" __attribute__((visibility("default"))) tarvel::AudioModule* TarvelAudioModule() {
  static tarvel::MultimediaModule module;
  return &module;
}
