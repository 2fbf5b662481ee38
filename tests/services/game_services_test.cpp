// The game program with the services beside it: it starts them, the start
// report arrives, and quitting stops them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "services_fixture.h"

namespace tarvel::services::testing {
namespace {

#ifdef TARVEL_GAME_PROGRAM
TEST(GameWithServices, StartsReportsAndStops) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const std::string data = MakeTemporaryFolder();
  const std::string base = "http://127.0.0.1:" + std::to_string(FreePort()) + "/";
  // The screenshot run leaves the intro for the menu and closes the window.
  ASSERT_EQ(RunProgram(TARVEL_GAME_PROGRAM, {"--data-dir", data, "--services", base, "--screenshot",
                                             data + "/menu.png", "--after", "menu"}),
            0);
  // Quitting stopped the services the game had started.
  ServiceEndpoints gone(base);
  HttpClient client;
  RequestWaiter waiter;
  TQorStat stat;
  EXPECT_FALSE(ServiceRequests(gone, client, waiter).ReadStatistics(stat));
  // Their data stayed in the game's data folder: one start from one machine.
  Services services({}, data);
  ASSERT_TRUE(services.requests.ReadStatistics(stat));
  EXPECT_EQ(stat.Stat1, 1);
  EXPECT_EQ(stat.Stat2, 1);
}
#endif

}  // namespace
}  // namespace tarvel::services::testing
