// The statistics and chat features of two copies of the game against the
// real services program (the news siren is walked through on the real main
// menu, in the window tests).
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include "community_fixture.h"
#include "online/community/tformchat.h"
#include "online/community/tformstat.h"
#include "online/notices.h"
#include "widgets/qor_cards_button.h"
#include "widgets/word_text.h"

namespace tarvel::testing {
namespace {

// Posts `text` from the chat window of `copy`.
void Post(Copy& copy, const QString& text) {
  copy.host.run = [&](QDialog& window) {
    auto& chat = dynamic_cast<TFormChat&>(window);
    chat.TimerTick();  // a message sent earlier disabled the edit box until a tick
    ASSERT_TRUE(chat.Edit()->isEnabled());
    chat.Edit()->setText(text);
    QTest::keyClick(chat.Edit(), Qt::Key_Return);
    EXPECT_TRUE(chat.Edit()->text().isEmpty());
    EXPECT_FALSE(chat.Edit()->isEnabled());
    EXPECT_FALSE(chat.SendButton()->isVisibleTo(&chat));
  };
  copy.community.OpenChat();
}

TEST(Community, ChatMessageReachesAnotherCopy) {
  RealServices services;
  Copy ann(services.process.Base(), "Ann");
  Copy boris(services.process.Base(), "Boris");
  boris.community.MenuBuilt();
  EXPECT_FALSE(boris.host.chatSiren);

  // A fresh notice file has seen message 1 already: the second one is news.
  Post(ann, QStringLiteral("first"));
  Post(ann, QStringLiteral("hello world_again"));
  boris.community.MenuBuilt();
  EXPECT_TRUE(boris.host.chatSiren);
  EXPECT_EQ(boris.host.sounds, std::vector<std::string>{"WToMenK"});

  boris.host.run = [&](QDialog& window) {
    auto& chat = dynamic_cast<TFormChat&>(window);
    EXPECT_FALSE(boris.host.chatSiren);  // removed when the window opens
    EXPECT_EQ(chat.BoxNumber(0), QStringLiteral("2."));
    EXPECT_EQ(chat.BoxText(0), QStringLiteral("hello world again"));
    EXPECT_TRUE(chat.BoxHeader(0).startsWith(QStringLiteral("Roma : ")));
    EXPECT_TRUE(chat.BoxHeader(0).endsWith(QStringLiteral(" 5.7f : Ann")));
    EXPECT_TRUE(chat.BoxFresh(0));
    EXPECT_FALSE(chat.BoxFresh(1));
    EXPECT_EQ(chat.BoxText(2), QString());
    // The newest message at the bottom: in the tenth box.
    chat.BottomBox()->setChecked(true);
    EXPECT_EQ(chat.BoxText(9), QStringLiteral("hello world again"));
    EXPECT_EQ(chat.BoxText(8), QStringLiteral("first"));
    EXPECT_FALSE(chat.BottomBox()->isEnabled());
    chat.OpenBox()->setChecked(true);
    chat.PassportButton()->click();
  };
  boris.community.OpenChat();
  EXPECT_EQ(boris.passports, 1);
  EXPECT_FALSE(boris.host.chatSiren);
  EXPECT_EQ(ReadChatNotice(boris.shared), (ChatNotice{2, true, true}));

  // During a game a new message opens the window by itself on the 90th tick.
  Post(ann, QStringLiteral("third"));
  boris.host.menuShown = false;
  boris.host.gameRunning = true;
  boris.host.run = [&](QDialog& window) {
    EXPECT_EQ(dynamic_cast<TFormChat&>(window).BoxText(9), QStringLiteral("third"));
  };
  const int before = boris.host.windows;
  for (int tick = 0; tick < 89; ++tick) boris.community.NoticeTick();
  EXPECT_EQ(boris.host.windows, before);
  boris.community.NoticeTick();
  EXPECT_EQ(boris.host.windows, before + 1);
  EXPECT_EQ(ReadChatNotice(boris.shared).lastSeen, 3);
}

TEST(Community, TheVoteCountsOnce) {
  RealServices services;
  Copy copy(services.process.Base(), "Incognito");
  copy.settings.LikeSent = false;
  std::vector<QString> answers{QStringLiteral("A"), QStringLiteral("Ann Lee"), QStringLiteral("Ann")};
  copy.host.run = [&](QDialog& window) {
    auto& stat = dynamic_cast<TFormStat&>(window);
    EXPECT_EQ(stat.Value(2), QStringLiteral("0"));
    std::size_t asked = 0;
    stat.SetNickAsker([&](QString& nick) {
      nick = answers[asked++];
      return true;
    });
    stat.LikeClick();
    EXPECT_EQ(asked, 3u);  // until the nick passes the check
    EXPECT_EQ(stat.Value(2), QStringLiteral("1"));
    EXPECT_EQ(stat.Value(3), QStringLiteral("Ann"));
    stat.LikeClick();
  };
  copy.community.OpenStatistics();
  EXPECT_EQ(copy.settings.Nick, "Ann");
  EXPECT_TRUE(copy.settings.LikeSent);
  EXPECT_EQ(copy.host.saved, 1);

  copy.host.run = [&](QDialog& window) {
    auto& stat = dynamic_cast<TFormStat&>(window);
    EXPECT_FALSE(stat.LikeButton()->isEnabled());
    stat.LikeClick();
    EXPECT_EQ(stat.Value(2), QStringLiteral("1"));
  };
  copy.community.OpenStatistics();
  TQorStat stat;
  ASSERT_TRUE(copy.requests.ReadStatistics(stat));
  EXPECT_EQ(stat.Stat3, 1);
}

// Connections are taken and never answered: every request ends at its
// time-out, and every window still opens.
TEST(Community, SilentServices) {
  QTcpServer silent;
  ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
  Copy copy("http://127.0.0.1:" + std::to_string(silent.serverPort()) + "/");
  copy.client.SetReadTimeout(kReadTimeoutMs);  // as the start-up's requests leave it
  const QString noConnect = WordText(WordId::NoConnect, 0);
  copy.host.run = [&](QDialog& window) {
    auto& stat = dynamic_cast<TFormStat&>(window);
    EXPECT_EQ(stat.Value(0), noConnect);
    for (int row = 1; row < kStatRows; ++row) EXPECT_EQ(stat.Value(row), QString()) << row;
    EXPECT_FALSE(stat.LikeButton()->isEnabled());
  };
  copy.community.OpenStatistics();
  copy.host.run = [&](QDialog& window) {
    auto& chat = dynamic_cast<TFormChat&>(window);
    EXPECT_EQ(chat.ListMessage(), noConnect);
    chat.Edit()->setText(QStringLiteral("kept"));
    chat.SendClick();
    EXPECT_EQ(chat.Edit()->text(), QStringLiteral("kept"));
  };
  copy.community.OpenChat();
  EXPECT_EQ(copy.host.windows, 2);
  ASSERT_EQ(copy.host.informed.size(), 1u);
  EXPECT_TRUE(copy.host.informed[0].endsWith(WordText(WordId::CantSendMessage, 0)));

  // Opening the news after a failed check keeps the number stored.
  ASSERT_TRUE(WriteOpenedNews(copy.shared, 5));
  copy.notices.NewsOpened();
  EXPECT_EQ(ReadOpenedNews(copy.shared), 5);

  // A paused chat opens no window.
  copy.directory.chatPaused = true;
  copy.community.OpenChat();
  EXPECT_EQ(copy.host.windows, 2);
  ASSERT_EQ(copy.host.informed.size(), 2u);
  EXPECT_TRUE(copy.host.informed[1].endsWith(WordText(WordId::ChatPaused, 0)));
}

}  // namespace
}  // namespace tarvel::testing
