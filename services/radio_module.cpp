#include "radio_module.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>

namespace tarvel::services {

namespace {

using Status = QHttpServerResponse::StatusCode;

// A loop larger than this is no station of ours.
constexpr qint64 kMaxStationBytes = 64 * 1024 * 1024;
constexpr qint64 kMaxListBytes = 2 * 1024 * 1024;
// A new listener gets this much at once, so its player starts at once.
constexpr qint64 kStartBufferMs = 2000;
constexpr int kFeedIntervalMs = 100;
// Not more is queued for a listener; one that leaves this much unread for
// long (it stopped reading) is dropped.
constexpr qint64 kMaxQueuedBytes = 256 * 1024;
constexpr int kMaxStalledTicks = 100;

std::string_view View(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QByteArray Words(QString text) { return text.replace(QLatin1Char('_'), QLatin1Char(' ')).toUtf8(); }

// Feeds one listener its station's frames at the station's rate.
class Listener : public QObject {
 public:
  Listener(const StationLoop& station, QTcpSocket* socket) : QObject(socket), station_(station), socket_(socket) {
    const qint64 frameCount = static_cast<qint64>(station_.mp3.frames.size());
    next_ = static_cast<std::size_t>(FramesIn(station_.clock.elapsed()) % frameCount);
    started_.start();
    connect(&timer_, &QTimer::timeout, this, [this] { Feed(); });
    connect(socket_, &QTcpSocket::disconnected, this, [this] { timer_.stop(); });
    timer_.start(kFeedIntervalMs);
    Feed();
  }

 private:
  qint64 FramesIn(qint64 ms) const {
    return ms * station_.mp3.sampleRate / (station_.mp3.samplesPerFrame * qint64{1000});
  }

  void Feed() {
    if (socket_.isNull() || socket_->state() != QAbstractSocket::ConnectedState) {
      timer_.stop();
      return;
    }
    const qint64 due = FramesIn(started_.elapsed() + kStartBufferMs);
    if (sent_ < due && socket_->bytesToWrite() > kMaxQueuedBytes) {
      if (++stalled_ > kMaxStalledTicks) socket_->abort();
      return;
    }
    stalled_ = 0;
    const std::vector<Mp3Frame>& frames = station_.mp3.frames;
    while (sent_ < due && socket_->bytesToWrite() <= kMaxQueuedBytes) {
      const Mp3Frame& frame = frames[next_];
      socket_->write(station_.data.constData() + frame.offset, static_cast<qint64>(frame.length));
      next_ = (next_ + 1) % frames.size();
      ++sent_;
    }
  }

  const StationLoop& station_;
  QPointer<QTcpSocket> socket_;
  QElapsedTimer started_;
  QTimer timer_;
  std::size_t next_ = 0;
  qint64 sent_ = 0;
  int stalled_ = 0;
};

}  // namespace

QByteArray StationListFor(const QByteArray& list, const QByteArray& host) {
  static const QRegularExpression plainHost(QStringLiteral("^([A-Za-z0-9.-]{1,253}|\\[[0-9A-Fa-f:.]{2,45}\\])(:[0-9]{1,5})?$"));
  if (!plainHost.match(QString::fromLatin1(host)).hasMatch()) return list;
  QByteArray copy = list;
  const QByteArray shipped(kShippedRadioBase.data(), static_cast<qsizetype>(kShippedRadioBase.size()));
  return copy.replace(shipped, "http://" + host + '/');
}

bool RadioModule::Open(QSqlDatabase&) {
  const QDir folder(options_.stationFolder);
  for (const QString& name : folder.entryList({QStringLiteral("*~*.mp3")}, QDir::Files, QDir::Name)) {
    QFile file(folder.filePath(name));
    if (file.size() > kMaxStationBytes || !file.open(QIODevice::ReadOnly)) continue;
    auto station = std::make_unique<StationLoop>();
    station->data = file.readAll();
    station->mp3 = FindMp3Frames(View(station->data));
    if (station->mp3.frames.empty()) continue;
    const QString base = QFileInfo(name).completeBaseName();
    station->name = Words(base.section(QLatin1Char('~'), 0, 0));
    station->genre = Words(base.section(QLatin1Char('~'), 1));
    station->clock.start();
    stations_.emplace(name, std::move(station));
  }
  return true;
}

QStringList RadioModule::Stations() const {
  QStringList names;
  for (const auto& [name, station] : stations_) names << name;
  return names;
}

void RadioModule::Listen(const StationLoop& station, QTcpSocket* socket) const {
  // The headers radio players look for; no length, the answer ends when
  // the listener hangs up.
  socket->write("HTTP/1.1 200 OK\r\n"
                "Content-Type: audio/mpeg\r\n"
                "icy-name: " + station.name + "\r\n"
                "icy-genre: " + station.genre + "\r\n"
                "icy-br: " + QByteArray::number(station.mp3.bitrateKbps) + "\r\n"
                "icy-sr: " + QByteArray::number(station.mp3.sampleRate) + "\r\n"
                "icy-pub: 0\r\n"
                "Cache-Control: no-cache, no-store\r\n"
                "Connection: close\r\n"
                "Server: tarvel-services\r\n\r\n");
  new Listener(station, socket);
}

QHttpServerResponse RadioModule::StationList(const QHttpServerRequest& request) const {
  for (const QString& folder : options_.listFolders) {
    QFile file(QDir(folder).filePath(QStringLiteral("QorRadio.rad")));
    if (folder.isEmpty() || !QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) continue;
    return QHttpServerResponse(QByteArrayLiteral("text/plain; charset=windows-1251"),
                               StationListFor(file.read(kMaxListBytes), request.value("Host")));
  }
  return QHttpServerResponse(Status::NotFound);
}

void RadioModule::AddRoutes(QHttpServer& server) {
  const auto get = QHttpServerRequest::Method::Get;
  server.route(QStringLiteral("/downloads/progr/cards/QorRadio.rad"), get,
               [this](const QHttpServerRequest& request) { return StationList(request); });
  server.route(QStringLiteral("/radio/<arg>"), get,
               [this](const QString& name, const QHttpServerRequest&, QHttpServerResponder&& responder) {
                 const auto found = stations_.find(name);
                 if (found == stations_.end()) {
                   responder.write(QHttpServerResponder::StatusCode::NotFound);
                   return;
                 }
                 Listen(*found->second, responder.socket());
               });
}

}  // namespace tarvel::services
