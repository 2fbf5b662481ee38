// The tournament picture of the main menu: without an account login it
// asks for one and opens no lobby.
#include <gtest/gtest.h>

#include <QTest>

#include "online/tournament/tform_tour.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::WindowFixture;

TEST(TournamentMenu, PictureAsksForALoginFirst) {
  WindowFixture f;
  f.w().Image1Click();
  ASSERT_FALSE(f.w().Account().Session().LoggedIn());
  QTest::mouseClick(f.w().Menu().Service(MenuService::Tournament), Qt::LeftButton);
  ASSERT_EQ(f.sink.informed.size(), 1u);
  EXPECT_TRUE(f.sink.informed[0].endsWith(WordText(WordId::LogInToAccount, f.settings.Language)));
  EXPECT_EQ(f.w().TourLobby(), nullptr);
  EXPECT_TRUE(f.w().MenuShown());
}

}  // namespace
}  // namespace tarvel
