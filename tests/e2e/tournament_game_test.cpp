// A tournament game between three copies of the real program: the services
// program with its table server, three accounts in three data folders, each
// copy logging in, taking its place in the lobby and playing with
// --autoplay to the end of the game.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>

#include <array>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "online/account_records.h"
#include "online/cipher.h"
#include "online/online_top_ten.h"
#include "services_process.h"
#include "support/services_client.h"
#include "settings/settings_file.h"

namespace {

using namespace tarvel;
namespace fs = std::filesystem;

constexpr int kWait = 300000;  // ms for a whole game; with --fast it takes seconds

using Client = tarvel::testing::ServicesClient;


TEST(TournamentEndToEnd, ThreeCopiesPlayOneGameThroughTheLobby) {
  const fs::path root = services::MakeTemporaryFolder();
  fs::create_directories(root / "services");
  services::ServicesProcess process(TARVEL_SERVICES_PROGRAM, (root / "services").string());
  ASSERT_TRUE(process.Started()) << process.Error();
  Client client(process.Base());
  Settings directory;
  ASSERT_TRUE(client.requests.ReadServiceDirectory(directory).read);

  const std::array<const char*, 3> nicks{"Ann", "Boris", "Clara"};
  std::array<std::unique_ptr<QProcess>, 3> copies;
  for (int k = 0; k < 3; ++k) {
    TQorUser user;
    user.Nick = nicks[k];
    user.Pw = "Secret1!";
    user.City = "Roma";
    user.Country1 = "Italy";
    user.Country2 = "1-039";
    user.Sex = k == 2 ? 'W' : 'M';
    user.EMail = "player@mail.it";
    ASSERT_EQ(client.accounts.Register(user), 0) << user.Nick;
    // The stored login lies beside the copy's data folder.
    const fs::path player = root / ("player" + std::to_string(k + 1));
    fs::create_directories(player / "data");
    std::ofstream(player / std::string(kUserFileName), std::ios::binary)
        << UserFileText({user.Nick, Encipher(user.Pw)});
    QStringList arguments{"--data-dir", QString::fromStdString((player / "data").string()) + '/', "--services",
                          QString::fromStdString(process.Base()), "--autoplay", "--fast", "--quit-after-game",
                          "--seed", QString::number(k + 1), "--tournament", QStringLiteral("1:%1").arg(k + 1)};
    // TARVEL_SCREENSHOT_DIR: place 1 grabs its table in play for the documentation.
    const QString shots = qEnvironmentVariable("TARVEL_SCREENSHOT_DIR");
    if (k == 0 && !shots.isEmpty()) arguments << "--screenshot" << shots + "/tournament-table.png" << "--after" << "table";
    copies[k] = std::make_unique<QProcess>();
    copies[k]->setProcessChannelMode(QProcess::MergedChannels);
    copies[k]->start(QStringLiteral(TARVEL_GAME_PROGRAM), arguments);
    ASSERT_TRUE(copies[k]->waitForStarted(kWait));
  }

  QString firstResults;
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(nicks[k]);
    QProcess& copy = *copies[k];
    const bool finished = copy.waitForFinished(kWait);
    if (!finished) copy.kill();
    const QString output = QString::fromUtf8(copy.readAll());
    ASSERT_TRUE(finished) << output.toStdString();
    EXPECT_EQ(copy.exitCode(), 0) << output.toStdString();
    const QRegularExpressionMatch results = QRegularExpression("results (-?\\d+ -?\\d+ -?\\d+)").match(output);
    ASSERT_TRUE(results.hasMatch()) << output.toStdString();
    // Every copy saw the same game: the results by place agree and add up to 0.
    if (k == 0) firstResults = results.captured(1);
    EXPECT_EQ(results.captured(1), firstResults);
    int sum = 0;
    for (const QString& value : firstResults.split(' ')) sum += value.toInt();
    EXPECT_EQ(sum, 0);

    // The history holds the game as a tournament entry with the three nicks.
    int tournamentLines = 0;
    const fs::path history = root / ("player" + std::to_string(k + 1)) / "data" / "History";
    ASSERT_TRUE(fs::exists(history));
    for (const auto& entry : fs::recursive_directory_iterator(history)) {
      const std::string text = tarvel::testing::FileBytes(entry.path());
      for (std::size_t at = text.find("T#########"); at != std::string::npos; at = text.find("T#########", at + 1)) {
        ++tournamentLines;
        const std::size_t line = text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
        const std::string names = text.substr(line + 15, 51);
        for (const char* nick : nicks) EXPECT_NE(names.find(nick), std::string::npos) << names;
      }
    }
    EXPECT_EQ(tournamentLines, 1);
  }

  // The table server stored the game: the three players in the online top ten.
  TopTenList list;
  ASSERT_TRUE(ReadOnlineTopTen(client.requests, 'k', list));
  int listed = 0;
  for (const auto& row : list) {
    for (const char* nick : nicks) {
      if (row.Nick != nick) continue;
      ++listed;
      EXPECT_EQ(row.Score, 1) << nick;  // one game each
    }
  }
  EXPECT_EQ(listed, 3);
  EXPECT_TRUE(process.Stop());
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
