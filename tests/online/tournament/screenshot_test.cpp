// Pictures of the lobby and of the tournament top ten over a services
// database with believable standings and players at some tables, taken on
// demand only:
//   TARVEL_SCREENSHOTS=DIR build/bin/tournament_tests --gtest_filter='TournamentScreenshots.*'
#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

#include <array>
#include <cstdlib>
#include <utility>

#include "lobby_fixture.h"
#include "online/tournament/tform_tour_top_ten.h"
#include "services_fixture.h"

namespace tarvel::testing {
namespace {

TEST(TournamentScreenshots, Lobby) {
  const char* folder = std::getenv("TARVEL_SCREENSHOTS");
  if (folder == nullptr) GTEST_SKIP() << "TARVEL_SCREENSHOTS names the folder of the pictures";
  const QString out = QString::fromLocal8Bit(folder);
  QDir().mkpath(out);
  services::testing::Services services;
  const std::vector<Standing> players = {{"Marta", 340, 21, 1710, "1-021", "Krakow", "W"},
                                         {"Sergey", 120, 40, 1650, "1-030", "Kazan", "M"},
                                         {"Giulia", 85, 9, 1560, "1-013", "Torino", "W"},
                                         {"Ann", 95, 12, 1540, "1-013", "Roma", "W"},
                                         {"Hans", -60, 55, 1420, "1-008", "Bremen", "M"},
                                         {"Lucie", 40, 18, 1515, "1-006", "Brno", "W"},
                                         {"Pierre", 15, 7, 1490, "1-007", "Lyon", "M"},
                                         {"Kenji", 210, 33, 1600, "2-011", "Osaka", "M"}};
  SeedStandings(services.data, players);
  // Players sitting at tables 1, 2, 4 and 6 (each in the order of `players`).
  const std::array<std::pair<int, int>, 8> seats = {{{1, 1}, {1, 2}, {2, 1}, {0, 0}, {4, 1}, {4, 2}, {4, 3}, {6, 1}}};
  std::vector<std::unique_ptr<LobbyCopy>> copies;
  for (std::size_t i = 0; i < players.size(); ++i) {
    const Standing& player = players[i];
    if (seats[i].first == 0) continue;
    copies.push_back(std::make_unique<LobbyCopy>(services.process.Base(), player.nick, player.sex[0], player.city,
                                                 player.country));
    copies.back()->Open()->PressPlace(seats[i].first, seats[i].second);
  }
  LobbyCopy ann(services.process.Base(), "Ann", 'W');
  auto lobby = ann.Open();
  const auto save = [&out](QWidget& window, const QString& name) {
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.grab().save(out + QLatin1Char('/') + name));
  };
  save(*lobby, QStringLiteral("TFormTour.png"));
  lobby->PressPlace(2, 2);
  save(*lobby, QStringLiteral("TFormTour-place-taken.png"));
  TFormTourTopTen topTen(ann.requests, ann.host.settings, ann.state.TourClient);
  topTen.show();
  save(topTen, QStringLiteral("TFormTourTopTen.png"));
}

}  // namespace
}  // namespace tarvel::testing
