// tarvel-services: the game's online services as one local program. It keeps
// its data in an SQLite file in its data folder and serves every service at
// paths of its own below one base address.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHostAddress>
#include <QHttpServer>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSocketNotifier>
#include <QSqlQuery>

#include <csignal>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "documents_module.h"
#include "radio_module.h"
#include "stats_module.h"
#include "topten_module.h"

namespace {

using namespace tarvel::services;

constexpr quint16 kDefaultPort = 25680;
constexpr const char* kDatabaseName = "tarvel-services.sqlite";

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fputc('\n', stream);
  std::fflush(stream);
}

// SIGTERM and SIGINT end the event loop, so the database is closed cleanly.
int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

void QuitOnSignals(QCoreApplication& app) {
  if (::pipe(signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
  QObject::connect(notifier, &QSocketNotifier::activated, &app, [] { QCoreApplication::quit(); });
  std::signal(SIGTERM, OnSignal);
  std::signal(SIGINT, OnSignal);
}

int Fail(const QString& text) {
  Print(stderr, QStringLiteral("tarvel-services: ") + text);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tarvel-services"));
  const QString programFolder = QCoreApplication::applicationDirPath();

  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("The online services of the game TARVEL."));
  parser.addHelpOption();
  const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port (0: any free one)."),
                                QStringLiteral("N"), QString::number(kDefaultPort));
  const QCommandLineOption data(QStringLiteral("data"), QStringLiteral("Folder of the database."),
                                QStringLiteral("DIR"), programFolder);
  const QCommandLineOption listen(QStringLiteral("listen"), QStringLiteral("Address to listen on."),
                                  QStringLiteral("ADDRESS"), QStringLiteral("127.0.0.1"));
  const QCommandLineOption music(QStringLiteral("music"), QStringLiteral("Folder of the songs."),
                                 QStringLiteral("DIR"), programFolder + QStringLiteral("/musik"));
  const QCommandLineOption radio(QStringLiteral("radio"), QStringLiteral("Folder of the radio stations."),
                                 QStringLiteral("DIR"), programFolder + QStringLiteral("/radio"));
  const QCommandLineOption downloads(
      QStringLiteral("downloads"),
      QStringLiteral("Folder of the downloadable resource modules (default: the program's "
                     "folder, then ../testmodules)."),
      QStringLiteral("DIR"));
  const QCommandLineOption pauseTopTen(QStringLiteral("pause-top-ten"),
                                       QStringLiteral("Report the world top ten as paused."));
  const QCommandLineOption pauseChat(QStringLiteral("pause-chat"),
                                     QStringLiteral("Report the chat as paused."));
  const QCommandLineOption addNews(QStringLiteral("add-news"),
                                   QStringLiteral("Add a news item and exit."), QStringLiteral("TEXT"));
  parser.addOptions({port, data, listen, music, radio, downloads, pauseTopTen, pauseChat, addNews});
  parser.process(app);

  bool portOk = false;
  const uint portNumber = parser.value(port).toUInt(&portOk);
  if (!portOk || portNumber > 65535) return Fail(QStringLiteral("bad port ") + parser.value(port));
  const QHostAddress address(parser.value(listen));
  if (address.isNull()) return Fail(QStringLiteral("bad address ") + parser.value(listen));

  const QString dataFolder = parser.value(data);
  if (!QDir().mkpath(dataFolder)) return Fail(QStringLiteral("cannot create ") + dataFolder);
  QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
  database.setDatabaseName(QDir(dataFolder).filePath(QString::fromLatin1(kDatabaseName)));
  // A second program on the same folder (--add-news) waits for a write in
  // progress instead of failing.
  database.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=3000"));
  if (!database.open()) return Fail(database.lastError().text());
  QSqlQuery(database).exec(QStringLiteral("PRAGMA journal_mode=WAL"));
  QSqlQuery(database).exec(QStringLiteral("PRAGMA synchronous=NORMAL"));

  DocumentOptions documentOptions;
  documentOptions.pauseTopTen = parser.isSet(pauseTopTen);
  documentOptions.pauseChat = parser.isSet(pauseChat);
  documentOptions.musicFolder = parser.value(music);
  documentOptions.downloadFolders =
      parser.isSet(downloads) ? QStringList{parser.value(downloads)}
                              : QStringList{programFolder, programFolder + QStringLiteral("/../testmodules")};

  // The services, in the order their tables are made. The tournament and the
  // accounts join this list as modules of their own.
  auto topTen = std::make_unique<TopTenModule>(documentOptions.pauseTopTen, documentOptions.pauseChat);
  TopTenModule& topTenRef = *topTen;
  std::vector<std::unique_ptr<ServiceModule>> modules;
  modules.push_back(std::move(topTen));
  modules.push_back(std::make_unique<StatsModule>(
      [&topTenRef](const FormFields& form) { return topTenRef.Serve(form); }));
  // Before the documents: the station list is served with this server's address.
  modules.push_back(std::make_unique<RadioModule>(RadioOptions{parser.value(radio), documentOptions.downloadFolders}));
  auto documents = std::make_unique<DocumentsModule>(documentOptions, [&modules] {
    std::vector<std::pair<QString, QString>> keys;
    for (const auto& module : modules) {
      for (auto& key : module->DirectoryKeys()) keys.push_back(std::move(key));
    }
    return keys;
  });
  DocumentsModule& documentsRef = *documents;
  modules.push_back(std::move(documents));

  for (const auto& module : modules) {
    QString error;
    if (!MigrateModule(database, *module, error)) return Fail(error);
    if (!module->Open(database)) return Fail(module->Name() + QStringLiteral(": cannot prepare"));
  }

  if (parser.isSet(addNews)) {
    const QString text = parser.value(addNews).simplified();
    if (text.isEmpty()) return Fail(QStringLiteral("empty news item"));
    return documentsRef.AddNews(text) ? 0 : Fail(QStringLiteral("cannot store the news item"));
  }

  QHttpServer server;
  for (const auto& module : modules) module->AddRoutes(server);
  const quint16 bound = server.listen(address, static_cast<quint16>(portNumber));
  if (bound == 0) return Fail(QStringLiteral("cannot listen on port %1").arg(portNumber));
  const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
                           ? QStringLiteral("[%1]").arg(address.toString())
                           : address.toString();
  QuitOnSignals(app);
  Print(stdout, QStringLiteral("tarvel-services: listening on http://%1:%2/").arg(host).arg(bound));
  return QCoreApplication::exec();
}
