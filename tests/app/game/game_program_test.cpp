// The real program, run offscreen with a temporary data folder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

namespace {

struct GameRun {
  int exitCode = -1;
  bool finished = false;
  QString out;
  QString err;
};

GameRun RunGame(const QStringList& args, const QString& program = QStringLiteral(TARVEL_GAME_BINARY)) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(env);
  process.start(program, args);
  GameRun run;
  if (!process.waitForStarted(30000)) return run;
  run.finished = process.waitForFinished(300000);
  if (!run.finished) {
    process.kill();
    process.waitForFinished();
  }
  run.exitCode = process.exitCode();
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

TEST(GameProgramTest, HelpListsTheOptions) {
  const GameRun run = RunGame({QStringLiteral("--help")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option : {"--data-dir", "--size", "--seed", "--services"})
    EXPECT_TRUE(run.out.contains(QString::fromLatin1(option))) << option;
}

struct BadArgs {
  std::vector<const char*> args;
  const char* fragment;
};

class GameProgramBadArgsTest : public ::testing::TestWithParam<BadArgs> {};

TEST_P(GameProgramBadArgsTest, IsRefusedBeforeAnyWindow) {
  QTemporaryDir data;
  QStringList args{QStringLiteral("--data-dir"), data.path()};
  for (const char* a : GetParam().args) args << QString::fromUtf8(a);
  const GameRun run = RunGame(args);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_TRUE(run.err.contains(QString::fromUtf8(GetParam().fragment))) << run.err.toStdString();
  // Nothing was written into the data folder.
  EXPECT_FALSE(QFile::exists(data.filePath(QStringLiteral("Tarvel.ini"))));
}

INSTANTIATE_TEST_SUITE_P(Cases, GameProgramBadArgsTest,
                         ::testing::Values(BadArgs{{"--size", "9"}, "--size"},
                                           BadArgs{{"--seed", "abc"}, "--seed"},
                                           BadArgs{{"--services", "gopher://x"}, "--services"},
                                           BadArgs{{"--bogus"}, "bogus"}));

TEST(GameProgramTest, DataFolderThatIsAFileIsRefused) {
  QTemporaryDir base;
  QFile file(base.filePath(QStringLiteral("file")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  const GameRun run = RunGame({QStringLiteral("--data-dir"), base.filePath(QStringLiteral("file/sub"))});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains(QStringLiteral("folder")));
}

TEST(GameProgramTest, IntroIsPaintedAndTheProgramClosesCleanly) {
  QTemporaryDir data;
  const QString picture = data.filePath(QStringLiteral("intro.png"));
  const GameRun run = RunGame({QStringLiteral("--data-dir"), data.path(), QStringLiteral("--screenshot"), picture,
                           QStringLiteral("--after"), QStringLiteral("intro")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_TRUE(run.out.contains(QStringLiteral("first intro frame painted after")));
  const QImage image(picture);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(760, 500));
  EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::black));
  // Closing wrote the settings: 35 lines.
  QFile ini(data.filePath(QStringLiteral("Tarvel.ini")));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  EXPECT_EQ(ini.readAll().count("\r\n"), 35);
}

TEST(GameProgramTest, SizeOptionHoldsForTheRunOnly) {
  QTemporaryDir data;
  const QString picture = data.filePath(QStringLiteral("menu.png"));
  const GameRun run = RunGame({QStringLiteral("--data-dir"), data.path(), QStringLiteral("--size"), QStringLiteral("3"),
                           QStringLiteral("--screenshot"), picture, QStringLiteral("--after"),
                           QStringLiteral("menu")});
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(QImage(picture).size(), QSize(990, 650));
  QFile ini(data.filePath(QStringLiteral("Tarvel.ini")));
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = ini.readAll().split('\n');
  ASSERT_GE(lines.size(), 2);
  // Position 9 of the general flags is the window size: still the small one.
  EXPECT_EQ(lines[1].at(8), '1');
}

TEST(GameProgramTest, CalendarSheetsShowTheGivenDateFromTheShippedModule) {
  QTemporaryDir data;
  const QString picture = data.filePath(QStringLiteral("calendar.png"));
  const GameRun run = RunGame({QStringLiteral("--data-dir"), data.path(), QStringLiteral("--date"),
                               QStringLiteral("2024-09-08"), QStringLiteral("--screenshot"), picture,
                               QStringLiteral("--after"), QStringLiteral("calendar")});
  ASSERT_TRUE(run.finished);
  ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  const QImage image(picture);
  ASSERT_FALSE(image.isNull());
  // The red binding strips of both sheets, 10 pixels below their tops, and
  // on the left sheet the Sunday's red day number.
  for (const QPoint at : {QPoint(175, 105), QPoint(575, 105)}) {
    const QColor strip = image.pixelColor(at);
    EXPECT_GT(strip.red(), 130) << at.x();
    EXPECT_LT(strip.green(), 80) << at.x();
  }
  int red = 0;
  for (int y = 117; y < 135; ++y) {
    for (int x = 150; x < 210; ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 80 && c.blue() < 80) ++red;
    }
  }
  EXPECT_GT(red, 10);
}

TEST(GameProgramTest, RunWithoutAPersonNeverWaitsOnAMessageBox) {
  // A folder where the settings file belongs: saving fails on close, and
  // the box that says so is written to standard error instead of waiting.
  QTemporaryDir data;
  ASSERT_TRUE(QDir(data.path()).mkdir(QStringLiteral("Tarvel.ini")));
  const QString picture = data.filePath(QStringLiteral("menu.png"));
  const GameRun run = RunGame({QStringLiteral("--data-dir"), data.path(), QStringLiteral("--screenshot"), picture,
                               QStringLiteral("--after"), QStringLiteral("menu")});
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_TRUE(run.err.contains(QStringLiteral("Can`t save options!"))) << run.err.toStdString();
  EXPECT_FALSE(QImage(picture).isNull());
  // Modules are read beside the program: none is copied into the data folder.
  EXPECT_FALSE(QFile::exists(data.filePath(QStringLiteral("QorCGraph1.rcc"))));
}

TEST(GameProgramTest, SameSeedDealsTheSameTable) {
  QTemporaryDir data;
  const QString first = data.filePath(QStringLiteral("a.png"));
  const QString second = data.filePath(QStringLiteral("b.png"));
  for (const QString& picture : {first, second}) {
    const GameRun run = RunGame({QStringLiteral("--data-dir"), data.path(), QStringLiteral("--seed"),
                             QStringLiteral("42"), QStringLiteral("--screenshot"), picture,
                             QStringLiteral("--after"), QStringLiteral("table")});
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
  }
  const QImage a(first);
  const QImage b(second);
  ASSERT_FALSE(a.isNull());
  EXPECT_EQ(a, b);
}

}  // namespace

namespace {

// The game copied into a folder of its own with a card module beside it,
// and its data folder elsewhere: the deck from the module is used, and the
// run ends without the message of a missing module.
TEST(GameProgramTest, ModulesBesideTheProgramAreFoundWithTheDataElsewhere) {
  QTemporaryDir root;
  const QString game = root.path() + QStringLiteral("/game");
  const QString data = root.path() + QStringLiteral("/data");
  ASSERT_TRUE(QDir().mkpath(game) && QDir().mkpath(data));
  const QString program = game + QStringLiteral("/tarvel");
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_GAME_BINARY), program));
  ASSERT_TRUE(QFile::copy(QStringLiteral(TARVEL_TESTMODULES_DIR "/QorCards06A.rcc"),
                          game + QStringLiteral("/QorCards06A.rcc")));
  const QString shot = root.path() + QStringLiteral("/shot.png");
  const QStringList args{QStringLiteral("--data-dir"), data, QStringLiteral("--screenshot"), shot,
                         QStringLiteral("--after"), QStringLiteral("menu")};
  ASSERT_EQ(RunGame(args, program).exitCode, 0);

  // Deck 2 ("Modern") lies in the module beside the program only.
  QFile settings(data + QStringLiteral("/Tarvel.ini"));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  QList<QByteArray> lines = settings.readAll().split('\n');
  settings.close();
  ASSERT_GE(lines.size(), 35);
  lines[3] = "2\r";
  ASSERT_TRUE(settings.open(QIODevice::WriteOnly | QIODevice::Truncate));
  settings.write(lines.join('\n'));
  settings.close();

  const GameRun run = RunGame(args, program);
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0);
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  EXPECT_EQ(settings.readAll().split('\n').at(3), QByteArray("2\r"));
}

}  // namespace
