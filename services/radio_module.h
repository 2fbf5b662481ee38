// The internet radio of the services: every "<Station>~<Genre>.mp3" of the
// radio folder is a station, served at "/radio/<file name>" as an endless
// MP3 stream, and the station list "downloads/progr/cards/QorRadio.rad" is
// served with this server's own address in its stream addresses.
//
// A station plays like a broadcast: its loop runs from the program's start,
// and a listener joins where the loop is now. Each listener has a timer that
// feeds it whole frames at the stream's own rate (after a short start-up
// buffer), so the server never blocks on a listener and a listener that
// stops reading is dropped instead of filling the server's memory.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "mp3_frames.h"
#include "service_module.h"

namespace tarvel::services {

// The address the shipped station list gives its stations: the services
// program on the player's own machine at its default port.
inline constexpr std::string_view kShippedRadioBase = "http://127.0.0.1:25680/";

struct RadioOptions {
  QString stationFolder;    // the stations' MP3 loops
  QStringList listFolders;  // where QorRadio.rad is looked up, in order
};

struct StationLoop {
  QByteArray data;
  Mp3Frames mp3;
  QByteArray name;   // "Tarvel FM"
  QByteArray genre;  // "Easy Listening"
  QElapsedTimer clock;  // running since the station was loaded
};

class RadioModule : public ServiceModule {
 public:
  explicit RadioModule(RadioOptions options) : options_(std::move(options)) {}

  QString Name() const override { return QStringLiteral("radio"); }
  bool Open(QSqlDatabase& database) override;
  void AddRoutes(QHttpServer& server) override;

  // The file names of the stations that were loaded.
  QStringList Stations() const;

 private:
  void Listen(const StationLoop& station, QTcpSocket* socket) const;
  QHttpServerResponse StationList(const QHttpServerRequest& request) const;

  RadioOptions options_;
  std::map<QString, std::unique_ptr<StationLoop>> stations_;
};

// The station list with `host` ("name:port", as in a request's Host header)
// in place of kShippedRadioBase's host; unchanged when `host` is no plain
// host name or address with an optional port.
QByteArray StationListFor(const QByteArray& list, const QByteArray& host);

}  // namespace tarvel::services
