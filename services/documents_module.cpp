#include "documents_module.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QVariant>

namespace tarvel::services {
namespace {

using Status = QHttpServerResponse::StatusCode;

QHttpServerResponse Utf8Text(const QByteArray& text, const QByteArray& type = "text/plain") {
  return QHttpServerResponse(type + QByteArrayLiteral("; charset=utf-8"), text);
}

// A file name that may be served: letters, digits, '_', '-', '~', '.', no
// leading '.', at most 200 characters.
bool IsServableName(const QString& name) {
  static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_~-][A-Za-z0-9_.~-]{0,199}$"));
  return allowed.match(name).hasMatch();
}

}  // namespace

std::vector<QStringList> DocumentsModule::Migrations() const {
  return {{QStringLiteral("CREATE TABLE news (id INTEGER PRIMARY KEY AUTOINCREMENT, "
                          "text TEXT NOT NULL, at INTEGER NOT NULL)")}};
}

bool DocumentsModule::Open(QSqlDatabase& database) {
  addNews_ = QSqlQuery(database);
  readNews_ = QSqlQuery(database);
  return addNews_.prepare(QStringLiteral("INSERT INTO news (text, at) VALUES (?, ?)")) &&
         readNews_.prepare(QStringLiteral("SELECT id, text, at FROM news ORDER BY id DESC LIMIT 50"));
}

bool DocumentsModule::AddNews(const QString& text) {
  addNews_.addBindValue(text);
  addNews_.addBindValue(QDateTime::currentSecsSinceEpoch());
  const bool stored = addNews_.exec();
  addNews_.finish();
  return stored;
}

QByteArray DocumentsModule::Directory(const QString& host) const {
  QByteArray text = "Qor services directory\n";
  auto key = [&text](const QString& name, const QString& value) {
    text += name.toUtf8() + '=' + value.toUtf8() + "#\n";
  };
  if (options_.pauseTopTen) key(QStringLiteral("WTGamesPause"), QStringLiteral("1"));
  if (options_.pauseChat) key(QStringLiteral("CTGamesPause"), QStringLiteral("1"));
  for (const auto& [name, value] : directoryKeys_(host)) key(name, value);
  return text;
}

QByteArray DocumentsModule::News() {
  QByteArray items;
  qint64 latest = 0;
  if (readNews_.exec()) {
    while (readNews_.next()) {
      latest = std::max(latest, readNews_.value(0).toLongLong());
      const QString when = QDateTime::fromSecsSinceEpoch(readNews_.value(2).toLongLong())
                               .toString(QStringLiteral("yyyy-MM-dd"));
      items += "<li>" + when.toUtf8() + " " + readNews_.value(1).toString().toHtmlEscaped().toUtf8() +
               "</li>\n";
    }
  }
  readNews_.finish();
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>News</title></head>\n"
         "<body><!-- QorNews" +
         QByteArray::number(latest).rightJustified(5, '0') + " -->\n<h1>News</h1>\n<ul>\n" + items +
         "</ul></body></html>\n";
}

QByteArray DocumentsModule::Playlist() const {
  QFile page(QDir(options_.musicFolder).filePath(QStringLiteral("_playlist.html")));
  if (page.open(QIODevice::ReadOnly)) return page.readAll();
  QByteArray lines;
  const QStringList songs = QDir(options_.musicFolder)
                                .entryList({QStringLiteral("*~*.mp3")}, QDir::Files, QDir::Name);
  for (const QString& song : songs) {
    if (IsServableName(song)) lines += song.toUtf8() + '\n';
  }
  return lines;
}

QHttpServerResponse DocumentsModule::File(const QStringList& folders, const QString& name,
                                          const QByteArray& type) const {
  if (!IsServableName(name)) return QHttpServerResponse(Status::NotFound);
  for (const QString& folder : folders) {
    if (folder.isEmpty()) continue;
    QFile file(QDir(folder).filePath(name));
    if (!QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) continue;
    return QHttpServerResponse(type, file.readAll());
  }
  return QHttpServerResponse(Status::NotFound);
}

void DocumentsModule::AddRoutes(QHttpServer& server) {
  const auto get = QHttpServerRequest::Method::Get;
  server.route(QStringLiteral("/directory.txt"), get, [this](const QHttpServerRequest& request) {
    const QString host = request.url().host();
    return Utf8Text(Directory(host.contains(u':') ? u'[' + host + u']' : host));
  });
  server.route(QStringLiteral("/news.html"), get, [this] { return Utf8Text(News(), "text/html"); });
  server.route(QStringLiteral("/get_ip.php"), get, [](const QHttpServerRequest& request) {
    return Utf8Text(CallerAddress(request).toUtf8());
  });
  server.route(QStringLiteral("/musik/_playlist.html"), get,
               [this] { return Utf8Text(Playlist(), "text/html"); });
  server.route(QStringLiteral("/musik/<arg>"), get, [this](const QString& name) {
    return File({options_.musicFolder}, name, QByteArrayLiteral("audio/mpeg"));
  });
  server.route(QStringLiteral("/downloads/progr/cards/<arg>"), get, [this](const QString& name) {
    return File(options_.downloadFolders, name, QByteArrayLiteral("application/octet-stream"));
  });
}

}  // namespace tarvel::services
