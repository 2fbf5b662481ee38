// The Qt side of a network game: the name dialog's network fields, the
// waiting window and the chat entry, as a player uses them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include "lan/chat_entry.h"
#include "settings/words/words.h"
#include "lan/net_fields.h"
#include "lan/tform_wait.h"

namespace tarvel::lan {
namespace {

// Set TARVEL_SCREENSHOT_DIR to keep pictures of the windows.
void Keep(QWidget& widget, const char* name) {
  const QString folder = qEnvironmentVariable("TARVEL_SCREENSHOT_DIR");
  if (!folder.isEmpty()) widget.grab().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

TEST(NetFieldsWidget, RolesTypingAndChecks) {
  Settings settings;
  settings.NetAddress = "10.0.0.5";
  settings.NetPort = "25666";
  NetFields fields(settings, kLanguageEnglish);
  fields.SetExternalAddressLookup([] { return QStringLiteral("203.0.113.9"); });
  fields.show();
  EXPECT_TRUE(fields.Host());
  EXPECT_FALSE(fields.AddressBox()->isEnabled());
  EXPECT_TRUE(fields.AddressBox()->text().isEmpty());
  EXPECT_EQ(fields.PortBox()->text(), QStringLiteral("25666"));
  EXPECT_TRUE(fields.Confirm());  // the host needs no address

  fields.ClientChoice()->click();
  EXPECT_FALSE(fields.Host());
  EXPECT_EQ(fields.AddressBox()->text(), QStringLiteral("10.0.0.5"));

  // A letter restores the last accepted text; digits and dots are taken.
  QTest::keyClick(fields.PortBox(), Qt::Key_X);
  EXPECT_EQ(fields.PortBox()->text(), QStringLiteral("25666"));
  fields.AddressBox()->clear();
  QTest::keyClicks(fields.AddressBox(), QStringLiteral("192.168.0."));
  EXPECT_EQ(settings.NetAddress, "192.168.0.");
  QTest::keyClick(fields.AddressBox(), Qt::Key_A);
  EXPECT_EQ(fields.AddressBox()->text(), QStringLiteral("192.168.0."));

  struct Row {
    const char* address;
    const char* port;
    const char* message;  // empty: accepted
  };
  for (const Row& row : {Row{"192.168.0.", "25666", "Incorrect IP-address!"},
                         Row{"192.168..1", "25666", "Incorrect IP-address!"},
                         Row{"192.168.0.1", "", "Incorrect Port!"},
                         Row{"192.168.0.1", "70000", "Incorrect Port!"},
                         Row{"999.999.999.999", "4000", ""}}) {
    fields.AddressBox()->setText(QString::fromLatin1(row.address));
    fields.PortBox()->setText(QString::fromLatin1(row.port));
    const bool accepted = fields.Confirm();
    EXPECT_EQ(accepted, row.message[0] == '\0') << row.address << " " << row.port;
    if (!accepted) {
      EXPECT_EQ(fields.MessageLine()->text(), QString::fromLatin1(row.message));
    }
  }
  EXPECT_FALSE(fields.MessageLine()->isVisible());
  EXPECT_EQ(settings.NetAddress, "999.999.999.999");
  EXPECT_EQ(settings.NetPort, "4000");
  EXPECT_EQ(fields.Port(), 4000);

  fields.ShowOwnAddresses();
  QStringList shown;
  for (int i = 0; i < 6; ++i)
    if (fields.OwnAddressBox(i)->isVisibleTo(&fields)) shown << fields.OwnAddressBox(i)->text();
  ASSERT_GE(shown.size(), 2);
  EXPECT_EQ(shown.last(), QStringLiteral("127.0.0.1"));
  EXPECT_EQ(shown[shown.size() - 2], QStringLiteral("203.0.113.9"));
  Keep(fields, "net_fields");
}

TEST(WaitWindow, HostAndClient) {
  bool noGame = false;
  TFormWait wait;
  wait.SetNoGameSeen([&noGame] { return noGame; });
  wait.Prepare(true, kLanguageEnglish);
  wait.open();
  EXPECT_EQ(wait.windowTitle(), QStringLiteral("Please, wait..."));
  EXPECT_EQ(wait.FirstLine()->text(), QStringLiteral("Expectation of connection of other players..."));
  EXPECT_FALSE(wait.OkButton()->isEnabled());
  EXPECT_TRUE(wait.CancelButton()->isEnabled());
  wait.PlayerJoined(0);
  EXPECT_TRUE(wait.PlayerLine(0)->isVisible());
  EXPECT_FALSE(wait.PlayerLine(1)->isVisible());
  wait.PlayerJoined(1);
  EXPECT_TRUE(wait.PlayerLine(1)->isVisible());
  EXPECT_TRUE(wait.OkButton()->isEnabled());
  EXPECT_FALSE(wait.CancelButton()->isEnabled());
  Keep(wait, "wait_window");
  QTest::keyClick(&wait, Qt::Key_Escape);  // nobody leaves a joined player
  EXPECT_TRUE(wait.isVisible());
  wait.OkButton()->click();
  EXPECT_TRUE(wait.Confirmed());
  EXPECT_FALSE(wait.isVisible());

  // A client that sees no game learns it within the window's next tick.
  wait.Prepare(false, kLanguageRussian);
  QSignalSpy cancelled(&wait, &TFormWait::Cancelled);
  wait.open();
  EXPECT_FALSE(wait.Confirmed());
  noGame = true;
  EXPECT_TRUE(QTest::qWaitFor([&] { return wait.FirstLine()->text() == QString::fromUtf8(Word(WordId::NoAccessibleGames, kLanguageRussian)); }, 3000))
      << wait.FirstLine()->text().toStdString();
  QTest::keyClick(&wait, Qt::Key_Escape);
  EXPECT_EQ(cancelled.count(), 1);
  EXPECT_FALSE(wait.Confirmed());
}

TEST(ChatEntryWidget, EnterSendsAndTheCodeTogglesTheHands) {
  QWidget table;
  ChatEntry chat(&table);
  QSignalSpy lines(&chat, &ChatEntry::LineEntered);
  QSignalSpy toggles(&chat, &ChatEntry::OpenHandsToggled);
  chat.SetVisible(true);
  table.show();
  table.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&table));
  QTest::keyClick(chat.Field(), Qt::Key_Return);  // empty: nothing
  QTest::keyClicks(chat.Field(), QStringLiteral("Hi all"));
  QTest::keyClick(chat.Field(), Qt::Key_Return);
  ASSERT_EQ(lines.count(), 1);
  EXPECT_EQ(lines[0][0].toString(), QStringLiteral("Hi all"));
  EXPECT_TRUE(chat.Field()->text().isEmpty());

  chat.Button()->setFocus();
  QTest::keyClicks(chat.Button(), QStringLiteral("12") + QLatin1String(ChatEntry::kOpenHandsCode));
  EXPECT_EQ(toggles.count(), 1);
  chat.Field()->setFocus();  // leaving the button forgets what was typed
  chat.Button()->setFocus();
  QTest::keyClicks(chat.Button(), QLatin1String(ChatEntry::kOpenHandsCode).left(4));
  chat.Field()->setFocus();
  chat.Button()->setFocus();
  QTest::keyClicks(chat.Button(), QStringLiteral("3"));
  EXPECT_EQ(toggles.count(), 1);
}

}  // namespace
}  // namespace tarvel::lan

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
