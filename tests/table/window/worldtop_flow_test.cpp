// The world top ten in the real main window, offscreen: the main menu's side
// picture opens the read window (the purple design's "Top Ten" opens its
// local mode: MainMenuScreen.GraphicsModuleDecoratesButtonsWhenPresent), and
// the 30th game of a member opens the write window after the end-of-game
// window.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "records/club_file.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::PlayToSummedEnd;
using testing::WindowFixture;

TEST(WorldTopFlow, SidePictureOpensTheReadWindow) {
  WindowFixture f;
  f.w().Image1Click();
  QWidget* picture = f.w().Menu().Service(MenuService::WorldTopTen);
  ASSERT_TRUE(picture->isVisible());
  QTest::mouseClick(picture, Qt::LeftButton);
  EXPECT_EQ(f.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFormWorldTopTen")});
}

TEST(WorldTopFlow, TheThirtiethGameOffersTheWorldEntry) {
  WindowFixture f(testing::QuickSettings(), 0, 1, [](const QString& folder) {
    const std::filesystem::path data = folder.toStdString();
    ASSERT_TRUE(InstallClubFiles(data, data));
    ASSERT_EQ(UpdateClubFile(data / "Tarvel.clb",
                             [](ClubLines& club) {
                               StoreMember(club, MemberLine("Anna", 1500.0, 29, 100, EncodePassword("abc")), false);
                             }),
              ClubWrite::Written);
  });
  TForm1& w = f.w();
  f.prepareDialog = [](TFormPassword& d) { d.Edit2()->setText(QStringLiteral("abc")); };
  w.Image1Click();
  w.MemberButton(1)->click();
  ASSERT_TRUE(w.TableShown());
  ASSERT_EQ(f.state.PlayerKon, 30);
  PlayToSummedEnd(w);
  ASSERT_TRUE(f.state.GameSummed);
  f.dialogs.clear();
  w.Button8()->click();
  EXPECT_EQ(f.dialogs, (std::vector<QString>{QStringLiteral("tarvel::TFormEndGame"),
                                             QStringLiteral("tarvel::TFormWorldWrite")}));
}

}  // namespace
}  // namespace tarvel
