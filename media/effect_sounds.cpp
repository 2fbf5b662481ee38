#include "media/effect_sounds.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <span>

#include "assets/sound/tarvel_sounds.h"
#include "media/audio_module.h"

namespace tarvel {

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

QByteArray ReadResource(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

// ---------------------------------------------------------------------------
// DeviceSoundOutput

DeviceSoundOutput::DeviceSoundOutput() = default;

DeviceSoundOutput::~DeviceSoundOutput() = default;

bool DeviceSoundOutput::Start(const QByteArray& wave, const WaveFormat& format) {
  if (!probed_) {
    probed_ = true;
    if (AudioModule* module = LoadAudioModule()) device_ = module->CreateSoundOutput();
  }
  return device_ && device_->Start(wave, format);
}

void DeviceSoundOutput::Stop() {
  if (device_) device_->Stop();
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
