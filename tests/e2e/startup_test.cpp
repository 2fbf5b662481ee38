// The start-up of the real program on a first run: the intro's first frame
// is reported once, and the steps put off until after it (club files,
// texts, the menu's pictures) have all run when the menu is shown.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

constexpr int kWait = 120000;  // ms

TEST(StartUp, FirstFrameIsReportedOnceAndTheMenuFollowsComplete) {
  QTemporaryDir data;
  ASSERT_TRUE(data.isValid());
  const QString picture = data.filePath(QStringLiteral("menu.png"));
  QProcess game;
  game.start(QStringLiteral(TARVEL_PROGRAM),
             {QStringLiteral("--data-dir"), data.path(), QStringLiteral("--print-first-frame"),
              QStringLiteral("--screenshot"), picture, QStringLiteral("--after"), QStringLiteral("menu")});
  ASSERT_TRUE(game.waitForFinished(kWait));
  ASSERT_EQ(game.exitCode(), 0) << game.readAllStandardError().toStdString();
  const QString output = QString::fromLocal8Bit(game.readAllStandardOutput());
  EXPECT_EQ(output.count(QStringLiteral("first frame painted: CLOCK_MONOTONIC ")), 1) << output.toStdString();
  // The club check ran after the first frame: the shipped club files are in.
  EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("Tarvel.clb"))));
  EXPECT_TRUE(QFileInfo::exists(data.filePath(QStringLiteral("Tarvel.net"))));
  // The menu came up with its background and animated pictures: the
  // picture is far from one flat colour.
  const QImage menu(picture);
  ASSERT_FALSE(menu.isNull());
  QList<QRgb> colours;
  for (int y = 0; y < menu.height(); y += 7)
    for (int x = 0; x < menu.width(); x += 7)
      if (!colours.contains(menu.pixel(x, y)) && colours.size() < 500) colours.append(menu.pixel(x, y));
  EXPECT_GE(colours.size(), 500);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
