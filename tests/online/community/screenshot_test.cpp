// Pictures of the statistics and chat windows over a services database
// filled with believable data, taken on demand only:
//   TARVEL_SCREENSHOTS=DIR build/bin/community_tests --gtest_filter='CommunityScreenshots.*'
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include <array>
#include <cstdlib>

#include "community_fixture.h"
#include "online/chat_board.h"

namespace tarvel::testing {
namespace {

struct Player {
  const char* nick;
  const char* city;
  const char* country;
  const char* sex;
  const char* text;
};

// Fills the statistics and the chat board as a few days of play would.
void Populate(const std::string& base) {
  static constexpr std::array<Player, 12> kPlayers{{
      {"Marta", "Krakow", "1-021", "W", "Good evening, who plays tonight?"},
      {"Sergey", "Kazan", "1-030", "M", "Hi all! Finished my first cycle of 30 games"},
      {"Giulia", "Torino", "1-013", "W", "The computer trumped my ace again..."},
      {"Hans", "Bremen", "1-008", "M", "Marriage in trumps, 40 points, lovely"},
      {"Lucie", "Brno", "1-006", "W", "Anyone for a net game at 20:00?"},
      {"Pierre", "Lyon", "1-007", "M", "Bonsoir! New record in my club"},
      {"Анна", "Самара", "1-030", "W", "Всем привет! Кто играет?"},
      {"Kenji", "Osaka", "2-011", "M", "Konbanwa from Japan"},
      {"Rosa", "Sevilla", "1-036", "W", "10 game points, 3 deals in a row"},
      {"Tom", "Leeds", "1-040", "M", "Top ten at last!"},
      {"Olga", "Minsk", "1-003", "W", "Nice new card backs"},
      {"Pavel", "Plzen", "1-006", "M", "Good game everyone"},
  }};
  for (std::size_t i = 0; i < kPlayers.size(); ++i) {
    const Player& p = kPlayers[i];
    ServiceEndpoints endpoints(base);
    HttpClient client;
    RequestWaiter waiter;
    ServiceRequests requests(endpoints, client, waiter);
    Settings settings;
    settings.Nick = p.nick;
    settings.City = p.city;
    settings.Country = p.country;
    settings.Sex = p.sex;
    bool accepted = false;
    for (std::size_t start = 0; start <= i % 4; ++start) requests.ReportFirstStart(start == 0, accepted);
    for (std::size_t game = 0; game < 3 + i; ++game)
      requests.ReportGame({1, game % 30 == 29, static_cast<std::int32_t>(game % 3), static_cast<std::int32_t>(game % 2)},
                          accepted);
    if (i % 3 != 1) requests.Vote(p.nick, accepted);
    std::int32_t number = 0;
    const std::string when = ChatTimeField(std::to_string(18 + i / 4) + ":" + std::to_string(10 + 4 * i), "09.12.2026", "Tarvel");
    EXPECT_TRUE(PostChatMessage(requests, settings, p.text, when, number));
  }
}

TEST(CommunityScreenshots, Windows) {
  const char* folder = std::getenv("TARVEL_SCREENSHOTS");
  if (folder == nullptr) GTEST_SKIP() << "TARVEL_SCREENSHOTS names the folder of the pictures";
  QDir().mkpath(QString::fromLocal8Bit(folder));
  RealServices services;
  Populate(services.process.Base());
  Copy copy(services.process.Base(), "Marta");
  copy.settings.LikeSent = false;
  std::vector<QString> saved;
  copy.host.run = [&](QDialog& window) {
    window.show();
    QCoreApplication::processEvents();
    const QString file = QString::fromLocal8Bit(folder) + QLatin1Char('/') +
                         QString::fromLatin1(window.metaObject()->className()).section(QStringLiteral("::"), -1) +
                         QStringLiteral(".png");
    EXPECT_TRUE(window.grab().save(file));
    saved.push_back(file);
    window.hide();
  };
  copy.community.OpenStatistics();
  copy.community.OpenChat();
  for (const QString& file : saved) std::printf("%s\n", qPrintable(file));
  EXPECT_EQ(saved.size(), 2u);
}

}  // namespace
}  // namespace tarvel::testing
