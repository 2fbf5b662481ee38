#include "app/game/game_options.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tarvel {
namespace {

QStringList Args(std::initializer_list<const char*> items) {
  QStringList list{QStringLiteral("tarvel")};
  for (const char* item : items) list << QString::fromUtf8(item);
  return list;
}

TEST(GameOptionsTest, NoArgumentsGiveTheNormalRules) {
  const GameOptionsResult r = ParseGameOptions(Args({}));
  ASSERT_TRUE(r.ok) << r.message.toStdString();
  EXPECT_FALSE(r.helpRequested);
  EXPECT_TRUE(r.options.dataDir.isEmpty());
  EXPECT_EQ(r.options.windowSize, 0);
  EXPECT_FALSE(r.options.seed.has_value());
  EXPECT_TRUE(r.options.servicesUrl.isEmpty());
  EXPECT_TRUE(r.options.screenshotFile.isEmpty());
}

TEST(GameOptionsTest, EveryOptionIsTaken) {
  const GameOptionsResult r =
      ParseGameOptions(Args({"--data-dir", "/tmp/x", "--size", "3", "--seed", "18446744073709551615",
                             "--services", "http://127.0.0.1:8080/", "--screenshot", "a.png",
                             "--after", "table", "--date", "2024-09-08"}));
  ASSERT_TRUE(r.ok) << r.message.toStdString();
  EXPECT_EQ(r.options.dataDir, QStringLiteral("/tmp/x"));
  EXPECT_EQ(r.options.windowSize, 3);
  ASSERT_TRUE(r.options.seed.has_value());
  EXPECT_EQ(*r.options.seed, 18446744073709551615ULL);
  EXPECT_EQ(r.options.servicesUrl, QStringLiteral("http://127.0.0.1:8080/"));
  EXPECT_EQ(r.options.screenshotFile, QStringLiteral("a.png"));
  EXPECT_EQ(r.options.screenshotAfter, QStringLiteral("table"));
  EXPECT_EQ(r.options.date, QDate(2024, 9, 8));
}

TEST(GameOptionsTest, EqualsFormAndDefaultScreenshotState) {
  const GameOptionsResult r = ParseGameOptions(Args({"--size=5", "--seed=0", "--screenshot=x.png"}));
  ASSERT_TRUE(r.ok) << r.message.toStdString();
  EXPECT_EQ(r.options.windowSize, 5);
  EXPECT_EQ(*r.options.seed, 0u);
  EXPECT_EQ(r.options.screenshotAfter, QStringLiteral("intro"));
}

TEST(GameOptionsTest, HelpIsNotAnError) {
  const GameOptionsResult r = ParseGameOptions(Args({"--help"}));
  EXPECT_TRUE(r.ok);
  EXPECT_TRUE(r.helpRequested);
  EXPECT_TRUE(r.message.contains(QStringLiteral("--data-dir")));
  EXPECT_TRUE(r.message.contains(QStringLiteral("--date")));
}

struct BadCase {
  std::vector<const char*> args;
  const char* fragment;  // part of the message that names the problem
};

class GameOptionsBadTest : public ::testing::TestWithParam<BadCase> {};

TEST_P(GameOptionsBadTest, IsRejectedWithAMessage) {
  QStringList list{QStringLiteral("tarvel")};
  for (const char* a : GetParam().args) list << QString::fromUtf8(a);
  const GameOptionsResult r = ParseGameOptions(list);
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.message.contains(QString::fromUtf8(GetParam().fragment)))
      << r.message.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GameOptionsBadTest,
    ::testing::Values(BadCase{{"--size", "0"}, "--size"}, BadCase{{"--size", "6"}, "--size"},
                      BadCase{{"--size", "two"}, "--size"}, BadCase{{"--size", ""}, "--size"},
                      BadCase{{"--size"}, "size"}, BadCase{{"--seed", "-1"}, "--seed"},
                      BadCase{{"--seed", "12x"}, "--seed"},
                      BadCase{{"--seed", "18446744073709551616"}, "--seed"},
                      BadCase{{"--data-dir", ""}, "--data-dir"},
                      BadCase{{"--services", "ftp://host/"}, "--services"},
                      BadCase{{"--services", "not a url"}, "--services"},
                      BadCase{{"--services", "http://"}, "--services"},
                      BadCase{{"--after", "menu"}, "--after"},
                      BadCase{{"--date", "2024-02-30"}, "--date"}, BadCase{{"--date", "08.09.2024"}, "--date"},
                      BadCase{{"--date", "1582-12-31"}, "--date"}, BadCase{{"--date", ""}, "--date"},
                      BadCase{{"--screenshot", "a.png", "--after", "nowhere"}, "--after"},
                      BadCase{{"--colour", "red"}, "colour"}, BadCase{{"stray"}, "stray"},
                      BadCase{{"--lan-host", "65536"}, "--lan-host"},
                      BadCase{{"--lan-host", "x"}, "--lan-host"},
                      BadCase{{"--lan-join", "127.0.0.1"}, "--lan-join"},
                      BadCase{{"--lan-join", ":25666"}, "--lan-join"},
                      BadCase{{"--lan-join", "h:0"}, "--lan-join"},
                      BadCase{{"--lan-host", "1", "--lan-join", "h:1"}, "exclude"},
                      BadCase{{"--lan-players", "4"}, "--lan-players"},
                      BadCase{{"--name", " "}, "--name"},
                      BadCase{{"--autoplay", "--tournament", "11:1"}, "--tournament"},
                      BadCase{{"--autoplay", "--tournament", "1:4"}, "--tournament"},
                      BadCase{{"--autoplay", "--tournament", "1"}, "--tournament"},
                      BadCase{{"--tournament", "1:1"}, "only used with --autoplay"}));

TEST(GameOptionsTest, NetworkAndAutoplayOptions) {
  const GameOptionsResult join =
      ParseGameOptions(Args({"--autoplay", "--lan-join", "192.168.0.7:25666", "--name", "Анна",
                             "--quit-after-game", "--fast"}));
  ASSERT_TRUE(join.ok) << join.message.toStdString();
  EXPECT_TRUE(join.options.autoplay && join.options.quitAfterGame && join.options.fast);
  EXPECT_EQ(join.options.lanJoinAddress, QStringLiteral("192.168.0.7"));
  EXPECT_EQ(join.options.lanJoinPort, 25666);
  EXPECT_EQ(join.options.lanHostPort, -1);
  EXPECT_EQ(join.options.name, QStringLiteral("Анна"));
  const GameOptionsResult host = ParseGameOptions(Args({"--lan-host", "0", "--lan-players", "2"}));
  ASSERT_TRUE(host.ok) << host.message.toStdString();
  EXPECT_EQ(host.options.lanHostPort, 0);
  EXPECT_EQ(host.options.lanPlayers, 2);
  const GameOptionsResult tour = ParseGameOptions(Args({"--autoplay", "--tournament", "10:3"}));
  ASSERT_TRUE(tour.ok) << tour.message.toStdString();
  EXPECT_EQ(tour.options.tournamentTable, 10);
  EXPECT_EQ(tour.options.tournamentPlace, 3);
}

TEST(DataFolderTest, OptionWinsAndGetsASlash) {
  EXPECT_EQ(ResolveDataFolder(QStringLiteral("/tmp/some/where"), QStringLiteral("/usr/bin"),
                              QStringLiteral("/x"), QStringLiteral("/home/u")),
            QStringLiteral("/tmp/some/where/"));
}

TEST(DataFolderTest, WritableProgramFolderIsUsed) {
  QTemporaryDir exe;
  ASSERT_TRUE(exe.isValid());
  EXPECT_EQ(ResolveDataFolder({}, exe.path(), QStringLiteral("/x"), QStringLiteral("/home/u")),
            exe.path() + QLatin1Char('/'));
}

TEST(DataFolderTest, InstalledProgramFolderIsNeverUsedEvenWhenWritable) {
  QTemporaryDir exe;
  ASSERT_TRUE(exe.isValid());
  QFile marker(exe.path() + QLatin1Char('/') + InstalledMarkerName());
  ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
  marker.close();
  EXPECT_EQ(ResolveDataFolder({}, exe.path(), QStringLiteral("/xdg"), QStringLiteral("/home/u")),
            QStringLiteral("/xdg/Qor/Tarvel/"));
}

TEST(DataFolderTest, UnwritableProgramFolderFallsBackToXdg) {
  // A program folder that does not exist cannot take files, for root too.
  QTemporaryDir base;
  const QString missing = base.path() + QStringLiteral("/no/such/bin");
  EXPECT_EQ(ResolveDataFolder({}, missing, QStringLiteral("/xdg"), QStringLiteral("/home/u")),
            QStringLiteral("/xdg/Qor/Tarvel/"));
  EXPECT_EQ(ResolveDataFolder({}, missing, {}, QStringLiteral("/home/u")),
            QStringLiteral("/home/u/.local/share/Qor/Tarvel/"));
}

TEST(DataFolderTest, PrepareCreatesTheFolderAndRefusesAFile) {
  QTemporaryDir base;
  const QString folder = base.path() + QStringLiteral("/a/b/c/");
  EXPECT_TRUE(PrepareDataFolder(folder).isEmpty());
  EXPECT_TRUE(QDir(folder).exists());
  // A regular file where the folder should be fails, also for root.
  QFile file(base.path() + QStringLiteral("/plain"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_FALSE(PrepareDataFolder(base.path() + QStringLiteral("/plain/sub/")).isEmpty());
}

}  // namespace
}  // namespace tarvel
