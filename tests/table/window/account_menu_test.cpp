// The account side of the main menu: the account picture opens the account
// window, and the lamp over it tells the account state.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "online/accounts/tfacc1.h"
#include "window_fixture.h"

namespace tarvel {
namespace {

using testing::WindowFixture;

TEST(AccountMenu, PictureOpensTheAccountWindowUnderItsLamp) {
  WindowFixture f;
  f.w().Image1Click();
  QWidget* picture = f.w().Menu().Service(MenuService::Account);
  auto* lamp = picture->findChild<QLabel*>(QStringLiteral("ImAcLamp"));
  ASSERT_NE(lamp, nullptr);
  EXPECT_TRUE(lamp->isVisible());
  EXPECT_EQ(picture->toolTip(), WordText(WordId::NotLoggedIn, f.settings.Language));
  // Nothing answers: the window still opens, its data says "No Connect".
  QString members;
  f.inspectDialog = [&members](QDialog& dialog) {
    if (auto* account = qobject_cast<TFAcc1*>(&dialog)) members = account->ClubMembersText();
  };
  QTest::mouseClick(picture, Qt::LeftButton);
  EXPECT_EQ(f.dialogs, std::vector<QString>{QStringLiteral("tarvel::TFAcc1")});
  EXPECT_TRUE(members.endsWith(WordText(WordId::NoConnect, f.settings.Language)));
  EXPECT_FALSE(f.w().Account().HoldsMemberRow(false));
}

}  // namespace
}  // namespace tarvel
