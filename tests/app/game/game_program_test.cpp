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

GameRun RunGame(const QStringList& args) {
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  process.setProcessEnvironment(env);
  process.start(QStringLiteral(TARVEL_GAME_BINARY), args);
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
  // The graphics module shipped beside the program came into the new folder.
  EXPECT_TRUE(QFile::exists(data.filePath(QStringLiteral("QorCGraph1.rcc"))));
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
