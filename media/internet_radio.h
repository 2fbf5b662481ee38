// The internet radio: the station list and the radio settings in the shared
// folder of the maker's games, the radio module's pictures, and one station
// streamed through the audio stream layer.
//
// PrepareRadio runs once the main window's first frame is on the screen. With
// the list read from the server, the download runs in the background; the
// downloaded list replaces QorRadio.ser only when it holds a station, so a
// cut or foreign answer never spoils the list on disk. A start asked for
// meanwhile (the intro's first key) waits for the answer.
#pragma once

#include <QHash>
#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "media/audio_stream.h"
#include "media/radio_list.h"

class QNetworkAccessManager;
class QNetworkReply;

namespace tarvel {

inline constexpr const char* kRadioModuleFile = "QorRadio02.rcc";
inline constexpr const char* kStationListFile = "QorRadio.rad";
inline constexpr const char* kDownloadedListFile = "QorRadio.ser";
inline constexpr const char* kRadioSettingsFile = "QorRadio.ini";
inline constexpr int kRadioListTimeoutMs = 3000;
inline constexpr int kRadioVolumeStep = 10;

struct RadioPlaces {
  QString radioFolder;      // the shared folder: QorRadio.ini, .rad and .ser
  QString shippedFolder;    // the program's folder, holding the shipped QorRadio.rad
  std::string listAddress;  // the services' QorRadio.rad; empty: no download
};

class InternetRadio : public QObject {
  Q_OBJECT

 public:
  // Makes the audio library on the first station, not before.
  using AudioFactory = std::function<std::unique_ptr<AudioStream>()>;
  // Runs `read` while the radio module is registered (its pictures under
  // ":/QorRadio02/"); false, without running it, when there is no module.
  using ModuleReader = std::function<bool(const std::function<void()>& read)>;

  InternetRadio(RadioPlaces places, AudioFactory audio, ModuleReader module, QObject* parent = nullptr);
  ~InternetRadio() override;

  // Availability, the list (downloaded when `fromServer`), QorRadio.ini.
  // Changed follows when the radio is ready (at once without a download).
  void PrepareRadio(bool fromServer);
  // The list of the last PrepareRadio is read (or its download has failed):
  // Record() tells whether the radio can be used.
  bool Ready() const { return ready_; }

  // The intro's first key or click: plays when the radio was left on (once
  // the radio is prepared, when that is still to come).
  void StartRadio();
  // The icon's left click or the window's radio picture.
  void Toggle();
  void VolumePlus();
  void VolumeMinus();
  // The window's country list (0..27).
  void SetCountry(int index);
  // The window's station list: makes `station` current, playing it when on.
  void ChooseStation(const RadioStation& station);
  // The stations of the list in force, read from its file now.
  std::vector<RadioStation> Stations() const;

  // A picture of the radio module ("RRADIO_MAING", ...); null when missing.
  QImage Picture(const QString& name) const;
  // The current station's logo, else the default logo.
  QImage Logo() const;

  // Writes QorRadio.ini (only when the radio is available: an unavailable
  // radio has nothing to say that the file does not hold already).
  bool SaveRadio() const;
  // The window closes: the stream stops, the library is freed, and the
  // settings are saved.
  void Close();

  const TRadio& Record() const { return record_; }
  AudioStream* Audio() const { return audio_.get(); }
  StreamHandle Stream() const { return stream_; }
  QString FilePath(const char* name) const;

 signals:
  void Changed();
  // The radio starts playing: the MIDI music must go off.
  void MusicOffWanted();

 private:
  void ReadModule();
  void ListReady(bool listOk);
  void Play();
  void SetVolume(int volume);
  bool HasLogo(std::string_view name) const;

  RadioPlaces places_;
  AudioFactory makeAudio_;
  ModuleReader module_;
  std::unique_ptr<AudioStream> audio_;
  bool audioTried_ = false;
  StreamHandle stream_ = 0;
  TRadio record_;
  TRadio defaults_;
  bool fromServer_ = false;
  bool ready_ = false;  // the list of the last PrepareRadio is read
  bool startWanted_ = false;
  bool closed_ = false;
  QHash<QString, QImage> pictures_;
  QNetworkAccessManager* network_ = nullptr;
  QNetworkReply* reply_ = nullptr;
};

}  // namespace tarvel
