// The audio module's entry: effect sounds through QAudioSink, the song
// rendered by FluidSynth into a QAudioSink, streams through
// MultimediaAudioStream (QMediaPlayer).
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <optional>

#include "media/audio/fluid_song.h"
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

// The song rendered by FluidSynth into a QAudioSink on the default output.
class FluidSongPlayer final : public SongPlayer {
 public:
  explicit FluidSongPlayer(const QString& file) : song_(file) {}
  ~FluidSongPlayer() override { Stop(); }
  FluidSongPlayer(const FluidSongPlayer&) = delete;
  FluidSongPlayer& operator=(const FluidSongPlayer&) = delete;

  // Resumes where Stop left the song.
  void Play() override {
    if (Failed() || sink_) return;
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(FluidSong::kSampleRate);
    format.setChannelCount(FluidSong::kChannels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (device.isNull() || !device.isFormatSupported(format)) {
      failed_ = true;
      return;
    }
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->start(&song_);
    failed_ = sink_->error() == QAudio::OpenError || sink_->error() == QAudio::FatalError;
  }

  // Closes the output stream; the synthesiser keeps its place in the song.
  void Stop() override {
    if (!sink_) return;
    playedMs_ += sink_->processedUSecs() / 1000;
    sink_->stop();
    sink_.reset();
  }

  bool Failed() const override { return failed_ || !song_.Ready(); }
  qint64 PositionMs() const override { return playedMs_ + (sink_ ? sink_->processedUSecs() / 1000 : 0); }

 private:
  FluidSong song_;
  std::unique_ptr<QAudioSink> sink_;  // pulls from song_ while playing
  qint64 playedMs_ = 0;               // played by the sinks already closed
  bool failed_ = false;
};

class MultimediaModule final : public AudioModule {
 public:
  bool HasOutput() const override { return !QMediaDevices::audioOutputs().isEmpty(); }
  std::unique_ptr<AudioStream> CreateStream() override { return std::make_unique<MultimediaAudioStream>(); }
  std::unique_ptr<SoundOutput> CreateSoundOutput() override { return std::make_unique<SinkSoundOutput>(); }
  std::unique_ptr<SongPlayer> CreateSongPlayer(const QString& file) override {
    return std::make_unique<FluidSongPlayer>(file);
  }
};

}  // namespace
}  // namespace tarvel

extern "C" __attribute__((visibility("default"))) tarvel::AudioModule* TarvelAudioModule() {
  static tarvel::MultimediaModule module;
  return &module;
}
