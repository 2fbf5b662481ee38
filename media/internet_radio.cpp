#include "media/internet_radio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include <algorithm>

#include "media/abandon_reply.h"
#include "settings/atomic_file.h"
#include "widgets/program_picture.h"

namespace tarvel {

namespace {

// Far more than a list of every station in the world; a larger file or
// answer is not read further.
constexpr qint64 kMaxListBytes = 2 * 1024 * 1024;
constexpr qint64 kMaxSettingsBytes = 8 * kMaxRadioLine;
const QString kModulePrefix = QStringLiteral(":/QorRadio02/");

QByteArray ReadFile(const QString& path, qint64 limit) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return {};
  return file.read(limit);
}

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

InternetRadio::InternetRadio(RadioPlaces places, AudioFactory audio, ModuleReader module, QObject* parent)
    : QObject(parent), places_(std::move(places)), makeAudio_(std::move(audio)), module_(std::move(module)) {}

InternetRadio::~InternetRadio() { AbandonReply(reply_, this); }

QString InternetRadio::FilePath(const char* name) const {
  return QDir(places_.radioFolder).filePath(QString::fromLatin1(name));
}

bool InternetRadio::HasLogo(std::string_view name) const {
  return pictures_.contains(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void InternetRadio::ReadModule() {
  pictures_.clear();
  if (!module_) return;
  module_([this] {
    QDirIterator entries(kModulePrefix, {QStringLiteral("*.png")}, QDir::Files);
    while (entries.hasNext()) {
      const QString path = entries.next();
      // Read as PNG: probing the format would load every image plug-in.
      const QImage picture = DecodePicture(path);
      if (!picture.isNull()) pictures_.insert(QFileInfo(path).completeBaseName(), picture);
    }
  });
}

void InternetRadio::PrepareRadio(bool fromServer) {
  if (reply_ != nullptr || closed_) return;
  // A list reload (the options' list source) keeps what the player chose
  // in this run: it is saved, read back with the new list, and a station
  // that played plays on once the list is read.
  if (ready_ && SaveRadio()) startWanted_ = record_.Enabled;
  if (audio_ && stream_ != 0) audio_->StreamFree(stream_);
  stream_ = 0;
  fromServer_ = fromServer;
  ready_ = false;
  record_ = TRadio{};
  ReadModule();
  // A new shared folder receives the shipped list.
  const QString list = FilePath(kStationListFile);
  if (!QFileInfo::exists(list)) {
    const QByteArray shipped = ReadFile(QDir(places_.shippedFolder).filePath(QString::fromLatin1(kStationListFile)),
                                        kMaxListBytes);
    if (!shipped.isEmpty() && QDir().mkpath(places_.radioFolder))
      ReplaceFileContents(list.toStdString(), View(shipped));
  }
  if (!fromServer) {
    ListReady(QFileInfo::exists(list));
    return;
  }
  if (places_.listAddress.empty()) {
    ListReady(false);
    return;
  }
  if (network_ == nullptr) network_ = new QNetworkAccessManager(this);
  QNetworkRequest request(QUrl(QString::fromStdString(places_.listAddress)));
  request.setTransferTimeout(kRadioListTimeoutMs);
  reply_ = network_->get(request);
  connect(reply_, &QNetworkReply::finished, this, [this] {
    QNetworkReply* reply = reply_;
    reply_ = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    bool stored = false;
    if (reply->error() == QNetworkReply::NoError && status == 200) {
      const QByteArray bytes = reply->read(kMaxListBytes);
      // Stored only when it is a list: a cut or foreign answer leaves the
      // list of the last run in place.
      const auto hasLogo = [this](std::string_view name) { return HasLogo(name); };
      stored = !ParseStationList(View(bytes), hasLogo).empty() && QDir().mkpath(places_.radioFolder) &&
               ReplaceFileContents(FilePath(kDownloadedListFile).toStdString(), View(bytes));
    }
    ListReady(stored);
  });
}

void InternetRadio::ListReady(bool listOk) {
  ready_ = true;
  record_ = TRadio{};
  record_.CanUse = listOk && !pictures_.isEmpty();
  if (record_.CanUse) {
    if (const std::optional<RadioStation> station = DefaultRadioStation(Stations())) TakeStation(record_, *station);
    defaults_ = record_;
    const QByteArray ini = ReadFile(FilePath(kRadioSettingsFile), kMaxSettingsBytes);
    ReadRadioSettings(View(ini), record_, [this](std::string_view name) { return HasLogo(name); });
  }
  emit Changed();
  if (startWanted_) StartRadio();
}

std::vector<RadioStation> InternetRadio::Stations() const {
  const QByteArray bytes = ReadFile(FilePath(fromServer_ ? kDownloadedListFile : kStationListFile), kMaxListBytes);
  return ParseStationList(View(bytes), [this](std::string_view name) { return HasLogo(name); });
}

void InternetRadio::StartRadio() {
  if (closed_) return;
  startWanted_ = !ready_;
  if (startWanted_ || !record_.CanUse || !record_.Enabled) return;
  Play();
  emit Changed();
}

void InternetRadio::Play() {
  emit MusicOffWanted();
  if (!audioTried_) {
    audioTried_ = true;
    audio_ = makeAudio_ ? makeAudio_() : nullptr;
    if (audio_) audio_->Init();
  }
  if (!audio_) return;
  // The old station's stream is released, not only stopped: its player and
  // its connection would stay open otherwise.
  if (stream_ != 0) audio_->StreamFree(stream_);
  stream_ = audio_->StreamCreateURL(QString::fromStdString(record_.URL));
  SetVolume(record_.Volume);
  audio_->ChannelPlay(stream_);
}

void InternetRadio::Toggle() {
  if (!record_.CanUse || closed_) return;
  record_.Enabled = !record_.Enabled;
  if (record_.Enabled) {
    Play();
  } else if (audio_) {
    audio_->ChannelStop(stream_);
  }
  emit Changed();
}

void InternetRadio::SetVolume(int volume) {
  record_.Volume = static_cast<std::uint8_t>(std::clamp(volume, 0, 100));
  if (audio_ && stream_ != 0)
    audio_->ChannelSetAttribute(stream_, ChannelAttribute::Volume, record_.Volume / 100.0f);
}

void InternetRadio::VolumePlus() {
  SetVolume(record_.Volume + kRadioVolumeStep);
  emit Changed();
}

void InternetRadio::VolumeMinus() {
  SetVolume(record_.Volume - kRadioVolumeStep);
  emit Changed();
}

void InternetRadio::SetCountry(int index) {
  if (index < 0 || index >= static_cast<int>(kRadioCountryCount)) return;
  record_.KakStations = static_cast<std::uint8_t>(index);
  emit Changed();
}

void InternetRadio::ChooseStation(const RadioStation& station) {
  if (!record_.CanUse || closed_) return;
  TakeStation(record_, station);
  if (audio_ && stream_ != 0) audio_->StreamFree(stream_);
  stream_ = 0;
  if (record_.Enabled) Play();
  emit Changed();
}

QImage InternetRadio::Picture(const QString& name) const { return pictures_.value(name); }

QImage InternetRadio::Logo() const {
  const QImage logo = Picture(QString::fromStdString(record_.Resurs));
  return logo.isNull() ? Picture(QString::fromLatin1(kDefaultRadioLogo.data(), kDefaultRadioLogo.size())) : logo;
}

bool InternetRadio::SaveRadio() const {
  if (!record_.CanUse) return false;
  return ReplaceFileContents(FilePath(kRadioSettingsFile).toStdString(), FormatRadioSettings(record_, defaults_));
}

void InternetRadio::Close() {
  if (closed_) return;
  closed_ = true;
  AbandonReply(reply_, this);
  if (audio_) audio_->Free();
  stream_ = 0;
  SaveRadio();
}

}  // namespace tarvel
