#include "media/effect_sounds.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>

#include <algorithm>
#include <array>
#include <span>

#include "assets/sound/tarvel_sounds.h"

namespace tarvel {

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::optional<QAudioFormat::SampleFormat> SampleFormatOf(const WaveFormat& wave) {
  if (wave.Format == 3) return QAudioFormat::Float;
  switch (wave.BitsPerSample) {
    case 8: return QAudioFormat::UInt8;
    case 16: return QAudioFormat::Int16;
    case 32: return QAudioFormat::Int32;
    default: return std::nullopt;  // 24-bit samples: no device format takes them
  }
}

}  // namespace

// ---------------------------------------------------------------------------
// DeviceSoundOutput

DeviceSoundOutput::DeviceSoundOutput() = default;

DeviceSoundOutput::~DeviceSoundOutput() { Stop(); }

bool DeviceSoundOutput::Start(const QByteArray& wave, const WaveFormat& format) {
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

void DeviceSoundOutput::Stop() {
  if (sink_) {
    sink_->stop();
    sink_.reset();
  }
  buffer_.close();
}

// ---------------------------------------------------------------------------
// Names

std::string_view LanguageSuffix(int language) {
  static constexpr std::array<std::string_view, 10> kSuffixes = {"Eng", "Rus", "Deu", "Fra", "Spa",
                                                                 "Chi", "Ita", "Cze", "Jap", "Kor"};
  if (language < 0 || language >= static_cast<int>(kSuffixes.size())) return {};
  return kSuffixes[static_cast<std::size_t>(language)];
}

QString VoiceResourceName(CardCode card, int language) {
  const std::string stem = CardNameStem(card);
  const std::string_view suffix = LanguageSuffix(language);
  if (stem.empty() || suffix.empty()) return {};
  return QString::fromLatin1(stem) + QStringLiteral("Voice") +
         QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size()));
}

QString VoiceResourcePath(const QString& name) { return QStringLiteral(":/voice/") + name.toUpper(); }

// ---------------------------------------------------------------------------
// EffectSounds

EffectSounds::EffectSounds(SoundOutput& output, Waiter wait) : output_(output), wait_(std::move(wait)) {}

bool EffectSounds::PlayWave(const QByteArray& wave, bool wait) {
  const std::optional<WaveFormat> format = ReadWaveHeader(Bytes(wave));
  if (!format || format->DataSize == 0) return false;
  if (!output_.Start(wave, *format)) return false;
  if (wait) wait_(std::min(format->Length(), kMaxSoundWait));
  return true;
}

QByteArray EffectSounds::ProgramSound(const QString& name, int language) {
  InitTarvelSounds();
  const std::string_view suffix = LanguageSuffix(language);
  const QString base = QStringLiteral(":/sounds/") + name.toUpper();
  if (!suffix.empty()) {
    QByteArray spoken = ReadResource(base + QString::fromLatin1(suffix.data(), static_cast<qsizetype>(suffix.size())).toUpper());
    if (!spoken.isEmpty()) return spoken;
  }
  return ReadResource(base);
}

bool EffectSounds::PlaySoundResource(const QString& name, bool wait, bool enabled, int language) {
  if (!enabled) return false;
  const QByteArray wave = ProgramSound(name, language);
  return !wave.isEmpty() && PlayWave(wave, wait);
}

}  // namespace tarvel
