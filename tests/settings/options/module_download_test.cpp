#include "settings/options/module_download.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "local_http_server.h"
#include "settings/options/form_options.h"

namespace tarvel {
namespace {

using testing::LocalHttpServer;

std::string ReadAll(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().toStdString();
}

// A real module, as the build packs it.
std::string ValidModule() { return ReadAll(QStringLiteral(TARVEL_TESTMODULES_DIR "/QorCards06A.rcc")); }

// Only a complete, valid module ever appears in the folder; every failure
// leaves the folder as it was, without temporary files.
TEST(ModuleDownload, OnlyAValidModuleEverAppears) {
  const std::string module = ValidModule();
  ASSERT_GT(module.size(), 1000u);
  const std::string cut = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(module.size()) +
                          "\r\nConnection: close\r\n\r\n" + module.substr(0, module.size() / 2);
  LocalHttpServer server({
      {"/good.rcc", LocalHttpServer::Ok(module)},
      {"/missing.rcc", "HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\nConnection: close\r\n\r\nnot found"},
      {"/cut.rcc", cut},
      // A whole, well-delivered file that is not a module: its first half.
      {"/half.rcc", LocalHttpServer::Ok(module.substr(0, module.size() / 2))},
      {"/page.rcc", LocalHttpServer::Ok("<html>Moved</html>")},
      {"/empty.rcc", LocalHttpServer::Ok("")},
      {"/list.rad", LocalHttpServer::Ok("station list")},
  });
  struct Case {
    const char* path;
    DownloadResult result;
  };
  const Case cases[] = {
      {"/missing.rcc", DownloadResult::Failed},      {"/cut.rcc", DownloadResult::Failed},
      {"/half.rcc", DownloadResult::NotAccepted},    {"/page.rcc", DownloadResult::NotAccepted},
      {"/empty.rcc", DownloadResult::NotAccepted},   {"/silent.rcc", DownloadResult::TimedOut},
      {"/good.rcc", DownloadResult::Done},           {"/list.rad", DownloadResult::Done},
  };
  DownloadLimits quick;
  quick.stallSeconds = 1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    QTemporaryDir folder;
    const QString name = QString::fromLatin1(c.path + 1);
    EXPECT_EQ(DownloadFile(server.Base() + c.path, folder.path(), name, quick), c.result);
    const QStringList left = QDir(folder.path()).entryList(QDir::Files | QDir::Hidden);
    if (c.result == DownloadResult::Done) {
      EXPECT_EQ(left, QStringList{name});
    } else {
      EXPECT_TRUE(left.isEmpty()) << left.join(QLatin1Char(' ')).toStdString();
    }
  }
}

TEST(ModuleDownload, NoServerFailsAndAFolderThatCannotBeWrittenIsSaid) {
  QTemporaryDir folder;
  EXPECT_EQ(DownloadFile("http://127.0.0.1:1/x.rcc", folder.path(), QStringLiteral("x.rcc")), DownloadResult::Failed);
  EXPECT_EQ(DownloadFile("http://127.0.0.1:1/x.rcc", folder.path() + QStringLiteral("/none"), QStringLiteral("x.rcc")),
            DownloadResult::CannotWrite);
  EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST(ModuleDownload, GoesToTheProgramFoldersParentElseToTheDataFolder) {
  QTemporaryDir root;
  const QString program = root.path() + QStringLiteral("/game");
  const QString data = root.path() + QStringLiteral("/data");
  ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(data));
  EXPECT_EQ(DownloadTargetFolder(program, data), QDir(root.path()).absolutePath());
  ASSERT_TRUE(QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::ExeOwner));
  if (QFile(root.path() + QStringLiteral("/probe")).open(QIODevice::WriteOnly)) GTEST_SKIP() << "running as root";
  EXPECT_EQ(DownloadTargetFolder(program, data), QDir(data).absolutePath());
  QFile::setPermissions(root.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// The size list keeps its order and loses entries from its end only. A
// 1366 x 768 screen holds the 990 x 650 window with its frame, so it keeps
// "Average window 1".
TEST(WindowSizeList, ScreensKeepTheSizesTheyHold) {
  struct Case {
    QSize screen;
    int entries;
  };
  const Case cases[] = {{{1366, 768}, 3}, {{800, 600}, 2},    {{990, 670}, 3},   {{1280, 1024}, 3},
                        {{1290, 870}, 4}, {{1920, 1080}, 5}, {{1520, 1020}, 5}, {{1519, 1080}, 4}};
  for (const Case& c : cases) {
    EXPECT_EQ(WindowSizeEntries(c.screen), c.entries) << c.screen.width() << " x " << c.screen.height();
  }
}

}  // namespace
}  // namespace tarvel
