#include "app/game/game_options.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QUrl>

#include "calendar/date_rules.h"

namespace tarvel {

namespace {

QString WithSlash(QString path) {
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

// A folder counts as writable only when a file can really be created in it;
// permission bits alone say nothing for root or on read-only mounts.
bool CanWriteIn(const QString& folder) {
  if (!QFileInfo(folder).isDir()) return false;
  QTemporaryFile probe(WithSlash(folder) + QStringLiteral(".tarvel-probe-XXXXXX"));
  return probe.open();
}

}  // namespace

QStringList ScreenshotStates() {
  QStringList states = {QStringLiteral("intro"), QStringLiteral("menu"), QStringLiteral("calendar"),
                        QStringLiteral("table"), QStringLiteral("summary")};
  // The options dialog over the menu, open on page 1..9.
  for (int page = 1; page <= 9; ++page) states << QStringLiteral("options%1").arg(page);
  // The radio window over the menu.
  states << QStringLiteral("radio");
  // The newcomer's guide at the table.
  states << QStringList{QStringLiteral("cues"), QStringLiteral("refused"), QStringLiteral("balloon"),
                        QStringLiteral("dealend")};
  return states;
}

GameOptionsResult ParseGameOptions(const QStringList& args) {
  GameOptionsResult result;
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("TARVEL, a card game for three players."));
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Show this help and quit."));
  const QCommandLineOption dataDir(QStringLiteral("data-dir"),
                                   QStringLiteral("Folder for settings, club and history files."),
                                   QStringLiteral("DIR"));
  const QCommandLineOption size(QStringLiteral("size"),
                                QStringLiteral("Window size for this run: 1 small, 2 full screen, "
                                               "3 and 4 average, 5 large."),
                                QStringLiteral("N"));
  const QCommandLineOption seed(QStringLiteral("seed"),
                                QStringLiteral("Seed of the card shuffle (reproducible deals)."),
                                QStringLiteral("S"));
  const QCommandLineOption services(QStringLiteral("services"),
                                    QStringLiteral("Base address of the online services."),
                                    QStringLiteral("URL"));
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Save a picture of the window and quit."),
                                      QStringLiteral("FILE"));
  const QCommandLineOption after(QStringLiteral("after"),
                                 QStringLiteral("When to take the screenshot: ") +
                                     ScreenshotStates().join(QStringLiteral(", ")) +
                                     QStringLiteral("."),
                                 QStringLiteral("STATE"));
  const QCommandLineOption date(QStringLiteral("date"),
                               QStringLiteral("Day the holiday calendar shows instead of today "
                                              "(YYYY-MM-DD, years 1583 to 9999)."),
                               QStringLiteral("DATE"));
  const QCommandLineOption autoplay(QStringLiteral("autoplay"),
                                    QStringLiteral("The computer plays the local seat and presses "
                                                   "the continue button."));
  const QCommandLineOption lanHost(QStringLiteral("lan-host"),
                                   QStringLiteral("Host a network game on this port (0: any free "
                                                  "port, printed) without the name dialog."),
                                   QStringLiteral("PORT"));
  const QCommandLineOption lanJoin(QStringLiteral("lan-join"),
                                   QStringLiteral("Join the network game at this address without "
                                                  "the name dialog."),
                                   QStringLiteral("ADDRESS:PORT"));
  const QCommandLineOption lanPlayers(QStringLiteral("lan-players"),
                                      QStringLiteral("With --autoplay, the host starts the game "
                                                     "when this many players (2 or 3) are in."),
                                      QStringLiteral("N"));
  const QCommandLineOption name(QStringLiteral("name"), QStringLiteral("The local player's name."),
                                QStringLiteral("NAME"));
  const QCommandLineOption quitAfterGame(QStringLiteral("quit-after-game"),
                                         QStringLiteral("Print the three results of the game "
                                                        "on one line and quit once it is summed up."));
  const QCommandLineOption fast(QStringLiteral("fast"),
                                QStringLiteral("No card flights and no waits between moves (tests)."));
  const QCommandLineOption printFirstFrame(
      QStringLiteral("print-first-frame"),
      QStringLiteral("Print the monotonic clock when the intro's first frame is painted (start-up benchmark)."));
  const QCommandLineOption accountGame(QStringLiteral("account-game"),
                                       QStringLiteral("With --autoplay, the account logged in from the "
                                                      "user file plays a game on the rating."));
  parser.addOptions({help, dataDir, size, seed, services, screenshot, after, date, autoplay, lanHost,
                     lanJoin, lanPlayers, name, quitAfterGame, fast, printFirstFrame});
  parser.addOption(accountGame);
  const QCommandLineOption tournament(QStringLiteral("tournament"),
                                      QStringLiteral("With --autoplay, the account logged in from the user file "
                                                     "opens the tournament lobby and plays at place P of table T."),
                                      QStringLiteral("T:P"));
  parser.addOption(tournament);

  if (!parser.parse(args)) {
    result.message = parser.errorText();
    return result;
  }
  if (parser.isSet(help)) {
    result.ok = true;
    result.helpRequested = true;
    // Without an application object Qt cannot know the program's name.
    result.message = parser.helpText().replace(QStringLiteral("<executable_name>"),
                                               QStringLiteral("tarvel"));
    return result;
  }
  if (!parser.positionalArguments().isEmpty()) {
    result.message = QStringLiteral("Unexpected argument: ") + parser.positionalArguments().first();
    return result;
  }
  GameOptions& options = result.options;
  if (parser.isSet(dataDir)) {
    options.dataDir = parser.value(dataDir);
    if (options.dataDir.isEmpty()) {
      result.message = QStringLiteral("--data-dir needs a folder.");
      return result;
    }
  }
  if (parser.isSet(size)) {
    bool ok = false;
    const int n = parser.value(size).toInt(&ok);
    if (!ok || n < 1 || n > 5) {
      result.message = QStringLiteral("--size must be a number from 1 to 5, not \"") +
                       parser.value(size) + QStringLiteral("\".");
      return result;
    }
    options.windowSize = n;
  }
  if (parser.isSet(seed)) {
    bool ok = false;
    const qulonglong s = parser.value(seed).toULongLong(&ok, 10);
    if (!ok) {
      result.message = QStringLiteral("--seed must be a whole number from 0 to 18446744073709551615, not \"") +
                       parser.value(seed) + QStringLiteral("\".");
      return result;
    }
    options.seed = static_cast<std::uint64_t>(s);
  }
  if (parser.isSet(services)) {
    const QUrl url(parser.value(services), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != QLatin1String("http") &&
                           url.scheme() != QLatin1String("https")) ||
        url.host().isEmpty()) {
      result.message = QStringLiteral("--services must be an http:// or https:// address, not \"") +
                       parser.value(services) + QStringLiteral("\".");
      return result;
    }
    options.servicesUrl = parser.value(services);
  }
  if (parser.isSet(date)) {
    const std::optional<CivilDate> day = ParseIsoDate(parser.value(date).toStdString());
    if (!day) {
      result.message = QStringLiteral("--date must be a day YYYY-MM-DD from 1583 to 9999, not \"") +
                       parser.value(date) + QStringLiteral("\".");
      return result;
    }
    options.date = QDate(day->Year, day->Month, day->Day);
  }
  if (parser.isSet(screenshot)) {
    options.screenshotFile = parser.value(screenshot);
    options.screenshotAfter = parser.isSet(after) ? parser.value(after) : QStringLiteral("intro");
    if (!ScreenshotStates().contains(options.screenshotAfter)) {
      result.message = QStringLiteral("--after must be one of ") +
                       ScreenshotStates().join(QStringLiteral(", ")) + QStringLiteral(".");
      return result;
    }
  } else if (parser.isSet(after)) {
    result.message = QStringLiteral("--after is only used with --screenshot.");
    return result;
  }
  options.autoplay = parser.isSet(autoplay);
  options.quitAfterGame = parser.isSet(quitAfterGame);
  options.fast = parser.isSet(fast);
  options.printFirstFrame = parser.isSet(printFirstFrame);
  options.accountGame = parser.isSet(accountGame);
  if (options.accountGame && !options.autoplay) {
    result.message = QStringLiteral("--account-game is only used with --autoplay.");
    return result;
  }
  if (parser.isSet(tournament)) {
    const QStringList parts = parser.value(tournament).split(QLatin1Char(':'));
    bool tableOk = false;
    bool placeOk = false;
    const int table = parts.size() == 2 ? parts[0].toInt(&tableOk) : 0;
    const int place = parts.size() == 2 ? parts[1].toInt(&placeOk) : 0;
    if (!tableOk || !placeOk || table < 1 || table > 10 || place < 1 || place > 3) {
      result.message = QStringLiteral("--tournament must be TABLE:PLACE, table 1 to 10 and place 1 to 3, not \"") +
                       parser.value(tournament) + QStringLiteral("\".");
      return result;
    }
    if (!options.autoplay) {
      result.message = QStringLiteral("--tournament is only used with --autoplay.");
      return result;
    }
    options.tournamentTable = table;
    options.tournamentPlace = place;
  }
  if (parser.isSet(lanHost) && parser.isSet(lanJoin)) {
    result.message = QStringLiteral("--lan-host and --lan-join exclude each other.");
    return result;
  }
  if (parser.isSet(lanHost)) {
    bool ok = false;
    const int port = parser.value(lanHost).toInt(&ok);
    if (!ok || port < 0 || port > 65535) {
      result.message = QStringLiteral("--lan-host must be a port from 0 to 65535, not \"") +
                       parser.value(lanHost) + QStringLiteral("\".");
      return result;
    }
    options.lanHostPort = port;
  }
  if (parser.isSet(lanJoin)) {
    const QString value = parser.value(lanJoin);
    const qsizetype colon = value.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const int port = colon > 0 ? value.mid(colon + 1).toInt(&ok) : 0;
    if (!ok || port < 1 || port > 65535) {
      result.message = QStringLiteral("--lan-join must be ADDRESS:PORT, not \"") + value +
                       QStringLiteral("\".");
      return result;
    }
    options.lanJoinAddress = value.left(colon);
    options.lanJoinPort = port;
  }
  if (parser.isSet(lanPlayers)) {
    bool ok = false;
    options.lanPlayers = parser.value(lanPlayers).toInt(&ok);
    if (!ok || options.lanPlayers < 2 || options.lanPlayers > 3) {
      result.message = QStringLiteral("--lan-players must be 2 or 3.");
      return result;
    }
  }
  if (parser.isSet(name)) {
    options.name = parser.value(name).trimmed();
    if (options.name.isEmpty()) {
      result.message = QStringLiteral("--name needs a name.");
      return result;
    }
  }
  result.ok = true;
  return result;
}

QString InstalledMarkerName() { return QStringLiteral("tarvel-installed"); }

QString ResolveDataFolder(const QString& option, const QString& exeDir,
                          const QString& xdgDataHome, const QString& home) {
  if (!option.isEmpty()) return WithSlash(QDir::cleanPath(QDir(option).absolutePath()));
  // An installed copy keeps its data in the user's folder even where its own
  // folder happens to be writable (the root user): the install marks it.
  const bool installed = QFileInfo::exists(WithSlash(exeDir) + InstalledMarkerName());
  if (!exeDir.isEmpty() && !installed && CanWriteIn(exeDir)) {
    return WithSlash(QDir::cleanPath(exeDir));
  }
  const QString base = !xdgDataHome.isEmpty() ? xdgDataHome : home + QStringLiteral("/.local/share");
  return WithSlash(QDir::cleanPath(base + QStringLiteral("/Qor/Tarvel")));
}

QString PrepareDataFolder(const QString& folder) {
  if (!QDir().mkpath(folder)) return QStringLiteral("Cannot create the folder ") + folder;
  if (!CanWriteIn(folder)) return QStringLiteral("Cannot write in the folder ") + folder;
  return {};
}

}  // namespace tarvel
