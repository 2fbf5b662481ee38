// The side pictures of statistics, news and chat on the real main menu,
// with the services program that the window starts beside itself.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "online/community/tformchat.h"
#include "records/club_file.h"
#include "settings/atomic_file.h"
#include "online/community/tformstat.h"
#include "table/window/tform1.h"
#include "window_fixture.h"

namespace tarvel::testing {
namespace {

class NewsBrowser : public QObject {
  Q_OBJECT

 public:
  NewsBrowser() { QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open"); }
  ~NewsBrowser() override { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); }
  int opened = 0;

 public slots:
  void Open(const QUrl&) { ++opened; }
};

// A window on `data` that starts the services program standing beside the
// tests on a free port.
TForm1::Options LocalServicesOptions(const QString& data) {
  QTcpServer portFinder;
  portFinder.listen(QHostAddress::LocalHost, 0);
  const quint16 port = portFinder.serverPort();
  portFinder.close();
  TForm1::Options options;
  options.dataFolder = data;
  options.programFolder = QCoreApplication::applicationDirPath();
  options.servicesBase = "http://127.0.0.1:" + std::to_string(port) + "/";
  return options;
}

TEST(CommunityMenu, SidePicturesAndSirens) {
  // The data folder lies one level down, so the notice files stay inside
  // the temporary folder.
  QTemporaryDir dir;
  const QString data = dir.path() + QStringLiteral("/Tarvel/");
  ASSERT_TRUE(QDir().mkpath(data));
  MatchState state;
  Settings settings = QuickSettings();
  const TForm1::Options options = LocalServicesOptions(data);
  TForm1 window(state, settings, options);
  RecordingSink sink;
  RecordingSound sound;
  window.SetMessageSink(&sink);
  window.SetSoundPlayer(&sound);
  std::vector<QString> shown;
  window.SetDialogRunner([&](QDialog& dialog) {
    shown.push_back(QString::fromLatin1(dialog.metaObject()->className()));
    return 0;
  });
  window.show();
  QElapsedTimer guard;
  guard.start();
  while (!window.OnlineStarted() && guard.elapsed() < 30000) QCoreApplication::processEvents();
  ASSERT_TRUE(window.OnlineStarted());
  ASSERT_TRUE(window.Online().Directory().read);
  ASSERT_EQ(QProcess::execute(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvel-services"),
                              {QStringLiteral("--data"), data, QStringLiteral("--add-news"), QStringLiteral("Cards")}),
            0);

  window.Image1Click();
  MainMenu& menu = window.Menu();
  EXPECT_TRUE(menu.Siren(MenuService::News));
  EXPECT_FALSE(menu.Siren(MenuService::Chat));
  EXPECT_TRUE(window.Communities().NoticeTimer().isActive());

  NewsBrowser browser;
  QTest::mouseClick(menu.Service(MenuService::News), Qt::LeftButton);
  EXPECT_EQ(browser.opened, 1);
  EXPECT_FALSE(menu.Siren(MenuService::News));
  QTest::mouseClick(menu.Service(MenuService::Statistics), Qt::LeftButton);
  QTest::mouseClick(menu.Service(MenuService::Chat), Qt::LeftButton);
  window.ChatAction()->trigger();
  EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("tarvel::TFormStat"), QStringLiteral("tarvel::TFormChat"),
                                         QStringLiteral("tarvel::TFormChat")}));
  EXPECT_EQ(std::count(sound.played.begin(), sound.played.end(), QStringLiteral("WOpenFo")), 4);
  window.close();
}

// A copy of the "idd" distribution sends no start report; any other tag
// reports the start once.
TEST(CommunityMenu, StartReportFollowsTheDistributionTag) {
  for (const char* tag : {"std", "idd"}) {
    QTemporaryDir dir;
    const QString data = dir.path() + QStringLiteral("/Tarvel/");
    ASSERT_TRUE(QDir().mkpath(data));
    const std::filesystem::path folder = data.toStdString();
    ASSERT_TRUE(InstallClubFiles(folder, QCoreApplication::applicationDirPath().toStdString()));
    ASSERT_TRUE(ReplaceFileContents(folder / "Tarvel.clb", FormatClub(EmptyClub(tag))));
    MatchState state;
    Settings settings = QuickSettings();
    const TForm1::Options options = LocalServicesOptions(data);
    TForm1 window(state, settings, options);
    RecordingSink sink;
    window.SetMessageSink(&sink);
    window.show();
    QElapsedTimer guard;
    guard.start();
    while (!window.OnlineStarted() && guard.elapsed() < 30000) QCoreApplication::processEvents();
    ASSERT_TRUE(window.OnlineStarted()) << tag;
    TQorStat stat;
    ASSERT_TRUE(window.Online().Requests().ReadStatistics(stat)) << tag;
    const bool reported = std::string(tag) != "idd";
    EXPECT_EQ(stat.Stat1, reported ? 1 : 0) << tag;
    window.close();
  }
}

}  // namespace
}  // namespace tarvel::testing

#include "community_menu_test.moc"
