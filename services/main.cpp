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

#include "accounts_module.h"
#include "documents_module.h"
#include "photo_ftp.h"
#include "radio_module.h"
#include "stats_module.h"
#include "table_server.h"
#include "topten_module.h"
#include "tournament_module.h"

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
  const QCommandLineOption photos(QStringLiteral("photos"),
                                  QStringLiteral("Folder of the account photos (default: DIR/photos "
                                                 "of --data)."),
                                  QStringLiteral("DIR"));
  const QCommandLineOption ftpPort(
      QStringLiteral("ftp-port"),
      QStringLiteral("TCP port of the photo upload server (default: the HTTP port + 1, any free "
                     "one with --port 0)."),
      QStringLiteral("N"));
  const QCommandLineOption noFtp(QStringLiteral("no-ftp"),
                                 QStringLiteral("Run without the photo upload server."));
  const QCommandLineOption ftpPassivePorts(
      QStringLiteral("ftp-passive-ports"),
      QStringLiteral("Ports of the upload server's passive connections (default: any free)."),
      QStringLiteral("FIRST-LAST"));
  const QCommandLineOption ftpMasquerade(
      QStringLiteral("ftp-masquerade"),
      QStringLiteral("Address the upload server announces for passive connections (behind NAT)."),
      QStringLiteral("ADDRESS"));
  const QCommandLineOption passwordCost(
      QStringLiteral("password-cost"),
      QStringLiteral("Cost of the password hashes: interactive, or test (fast and weak: for test "
                     "runs only)."),
      QStringLiteral("COST"), QStringLiteral("interactive"));
  const QCommandLineOption tablePort(
      QStringLiteral("table-port"),
      QStringLiteral("Base port of the tournament tables: table T on BASE + T (default: the HTTP "
                     "port + 100, any free ones with --port 0)."),
      QStringLiteral("BASE"));
  const QCommandLineOption moveClock(
      QStringLiteral("move-clock"),
      QStringLiteral("Seconds a tournament player has for each act before losing the game."),
      QStringLiteral("SECONDS"), QStringLiteral("30"));
  const QCommandLineOption tableCount(
      QStringLiteral("tables"),
      QStringLiteral("Number of tournament tables, 10 to 200 (more than ten for load tests: the "
                     "table list shows the first ten)."),
      QStringLiteral("N"), QStringLiteral("10"));
  parser.addOptions({port, data, listen, music, radio, downloads, pauseTopTen, pauseChat, addNews, photos,
                     ftpPort, noFtp, ftpPassivePorts, ftpMasquerade, passwordCost, tablePort, moveClock,
                     tableCount});
  parser.process(app);

  bool portOk = false;
  const uint portNumber = parser.value(port).toUInt(&portOk);
  if (!portOk || portNumber > 65535) return Fail(QStringLiteral("bad port ") + parser.value(port));
  const QHostAddress address(parser.value(listen));
  if (address.isNull()) return Fail(QStringLiteral("bad address ") + parser.value(listen));

  const QString cost = parser.value(passwordCost);
  if (cost != QStringLiteral("interactive") && cost != QStringLiteral("test"))
    return Fail(QStringLiteral("bad password cost ") + cost);
  uint ftpPortNumber = portNumber == 0 ? 0 : portNumber + 1;
  if (parser.isSet(ftpPort)) ftpPortNumber = parser.value(ftpPort).toUInt(&portOk);
  if (!portOk || ftpPortNumber > 65535)
    return Fail(QStringLiteral("bad FTP port ") + parser.value(ftpPort));

  TableServerOptions tableOptions;
  tableOptions.address = address;
  tableOptions.basePort = portNumber == 0 ? 0 : static_cast<int>(portNumber) + 100;
  if (parser.isSet(tablePort)) tableOptions.basePort = parser.value(tablePort).toInt(&portOk);
  if (!portOk || tableOptions.basePort < 0)
    return Fail(QStringLiteral("bad table port ") + parser.value(tablePort));
  tableOptions.moveClockSeconds = parser.value(moveClock).toInt(&portOk);
  if (!portOk || tableOptions.moveClockSeconds < 1 || tableOptions.moveClockSeconds > 3600)
    return Fail(QStringLiteral("bad move clock ") + parser.value(moveClock));
  tableOptions.tables = parser.value(tableCount).toInt(&portOk);
  if (!portOk || tableOptions.tables < kTourTables || tableOptions.tables > 200)
    return Fail(QStringLiteral("bad number of tables ") + parser.value(tableCount));

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

  AccountOptions accountOptions;
  accountOptions.photoFolder = parser.isSet(photos) ? parser.value(photos)
                                                    : QDir(dataFolder).filePath(QStringLiteral("photos"));
  accountOptions.cost = cost == QStringLiteral("test") ? PasswordCost::TestOnly
                                                        : PasswordCost::Interactive;
  if (!parser.isSet(noFtp)) accountOptions.photoLoginKey = PhotoFtpServer::NewKey();

  // The services, in the order their tables are made.
  auto topTen = std::make_unique<TopTenModule>(documentOptions.pauseTopTen, documentOptions.pauseChat);
  TopTenModule& topTenRef = *topTen;
  std::vector<std::unique_ptr<ServiceModule>> modules;
  modules.push_back(std::move(topTen));
  modules.push_back(std::make_unique<StatsModule>(
      [&topTenRef](const FormFields& form) { return topTenRef.Serve(form); }));
  auto tournament = std::make_unique<TournamentModule>();
  TournamentModule& tournamentRef = *tournament;
  modules.push_back(std::move(tournament));
  auto accounts = std::make_unique<AccountsModule>(accountOptions);
  AccountsModule& accountsRef = *accounts;
  modules.push_back(std::move(accounts));
  // Before the documents: the station list is served with this server's address.
  modules.push_back(std::make_unique<RadioModule>(RadioOptions{parser.value(radio), documentOptions.downloadFolders}));
  auto documents = std::make_unique<DocumentsModule>(documentOptions, [&modules, &accountsRef](
                                                                         const QString& host) {
    std::vector<std::pair<QString, QString>> keys;
    for (const auto& module : modules) {
      for (auto& key : module->DirectoryKeys()) keys.push_back(std::move(key));
    }
    if (auto upload = accountsRef.UploadKey(host)) keys.push_back(std::move(*upload));
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
  TableServer tables(tournamentRef.Store(), tableOptions);
  std::string tableError;
  if (!tables.Listen(tableError)) return Fail(QString::fromStdString(tableError));
  tournamentRef.SetTables(&tables);
  PhotoFtpServer photoServer;
  if (!parser.isSet(noFtp)) {
    // The upload server checks logins here, over loopback when the services
    // listen on every address.
    const QString checkHost =
        address == QHostAddress::Any || address == QHostAddress::AnyIPv4 ? QStringLiteral("127.0.0.1")
        : address == QHostAddress::AnyIPv6                                ? QStringLiteral("[::1]")
                                                                          : host;
    PhotoFtpOptions ftp;
    ftp.script = QDir(programFolder).filePath(QStringLiteral("tarvel-photo-ftp.py"));
    ftp.listen = address.toString();
    ftp.port = static_cast<quint16>(ftpPortNumber);
    ftp.folder = accountOptions.photoFolder;
    ftp.checkUrl = QStringLiteral("http://%1:%2/photo-login").arg(checkHost).arg(bound);
    ftp.key = accountOptions.photoLoginKey;
    ftp.passivePorts = parser.value(ftpPassivePorts);
    ftp.masquerade = parser.value(ftpMasquerade);
    QString error;
    if (photoServer.Start(ftp, error)) {
      accountsRef.SetPhotoUploadPort(photoServer.Port());
    } else {
      Print(stderr, QStringLiteral("tarvel-services: photo uploads off: ") + error);
    }
  }
  QuitOnSignals(app);
  // The first line says that every service answers (those who start the
  // program wait for it); the upload server is ready by then too.
  Print(stdout, QStringLiteral("tarvel-services: listening on http://%1:%2/").arg(host).arg(bound));
  Print(stdout, QStringLiteral("tarvel-services: tables on ports %1-%2").arg(tables.Port(1)).arg(tables.Port(10)));
  if (photoServer.Port() != 0) {
    Print(stdout, QStringLiteral("tarvel-services: photo uploads on ftp://%1:%2/photos/")
                      .arg(host)
                      .arg(photoServer.Port()));
  }
  const int status = QCoreApplication::exec();
  photoServer.Stop();
  return status;
}
