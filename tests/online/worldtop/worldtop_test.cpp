// The world top ten windows offscreen: the write window sends to the real
// services and the read window shows the result; every view fills from its
// source; the origin pictures switch lists; the passport checks; services
// that are down or hostile give "No Connect" or plain, cut, checked texts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QToolButton>

#include <atomic>
#include <thread>

#include "online/online_top_ten.h"
#include "online/worldtop/tformworldtopten.h"
#include "online/worldtop/tformworldwrite.h"
#include "online/worldtop/world_top_ten.h"
#include "records/club_file.h"
#include "services_fixture.h"
#include "settings/options/form_passport.h"
#include "widgets/word_text.h"

namespace tarvel {
namespace {

using services::testing::FreePort;
using services::testing::Services;
using Area = TFormWorldTopTen::Area;

// Answers dialogs without blocking and keeps the messages.
class TestHost : public WorldTopHost {
 public:
  QWidget* HostWindow() override { return nullptr; }
  void Inform(const QString& text) override { informed << text; }
  int RunModal(QDialog& dialog) override {
    shown << QString::fromLatin1(dialog.metaObject()->className());
    if (auto* passport = qobject_cast<TFormPassport*>(&dialog); passport && editPassport) editPassport(*passport);
    return QDialog::Accepted;
  }
  QStringList informed;
  QStringList shown;
  std::function<void(TFormPassport&)> editPassport;
};

// Runs a request on a worker thread while this thread's events go on, as the
// main window does: a stand-in server in this thread can answer.
class EventLoopWaiter : public RequestWaiter {
 public:
  void Wait(const std::function<void()>& work) override {
    std::atomic<bool> done = false;
    std::thread worker([&] {
      work();
      done = true;
    });
    while (!done) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    worker.join();
  }
};

Settings Passport(const std::string& nick, const std::string& city) {
  Settings settings;
  settings.Nick = nick;
  settings.City = city;
  settings.Country = "1-017";
  settings.Sex = "W";
  return settings;
}

TopTenEntry Entry(std::int32_t list, const std::string& nick, const std::string& city, std::int32_t score) {
  return services::testing::ResultEntry(list, nick, city, score, "1-016");
}

void Write(ServiceRequests& requests, const TopTenEntry& entry) {
  std::int32_t place = 0;
  ASSERT_TRUE(requests.WriteTopTen(entry, place)) << entry.nick;
}

// A club file whose top ten holds `name` with `score`.
void ClubWithChampion(const std::filesystem::path& file, const std::string& name, std::int64_t score) {
  ASSERT_EQ(UpdateClubFile(file,
                           [&](ClubLines& club) {
                             StoreMember(club, MemberLine(name, 1500.0, 30, score, EncodePassword("abc")), true);
                           }),
            ClubWrite::Written);
}

TEST(WorldTopTen, SentScoreAppearsAtItsPlaceAndInTheNeighbourhood) {
  Services services;
  for (const auto& [nick, score] : {std::pair{"Alpha", 500}, {"Gamma", 300}, {"Delta", 100}})
    Write(services.requests, Entry(kWorldList, nick, "Paris", score));
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  WorldTopContext context{host, settings, services.requests, services.data, {}};

  TFormWorldWrite write(context, 400);
  write.show();
  ASSERT_TRUE(write.ButtonSend()->isEnabled());
  write.ButtonSend()->click();
  EXPECT_TRUE(write.Sent());
  EXPECT_EQ(write.Place(), 2);
  EXPECT_FALSE(write.ButtonSend()->isEnabled());
  EXPECT_TRUE(host.informed.isEmpty());
  EXPECT_TRUE(host.shown.isEmpty());  // a named player is not asked for a passport

  int view = 3;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  const QStringList best = read.AreaTexts(Area::BestTen);
  ASSERT_EQ(best.size(), 4);
  EXPECT_EQ(best[1], QStringLiteral("2. Tester Berlin 400"));
  EXPECT_TRUE(read.AreaTexts(Area::Around).contains(QStringLiteral("2. Tester Berlin 400")));
  EXPECT_EQ(read.GamesText(), WordText(WordId::NumberOfGames, 0) + QStringLiteral(": 120"));
  EXPECT_EQ(read.AreaTexts(Area::View)[1], QStringLiteral("2. Tester Berlin, Germany 400"));
}

TEST(WorldTopTen, WriteWindowAsksForAPassportAndFollowsIt) {
  Services services;
  TestHost host;
  Settings settings = Passport("Incognito", "Moscow");
  WorldTopContext context{host, settings, services.requests, services.data, {}};
  host.editPassport = [](TFormPassport& passport) { passport.EditNick()->setText(QStringLiteral("Иван")); };
  TFormWorldWrite write(context, 250);
  write.show();
  QCoreApplication::processEvents();
  ASSERT_EQ(host.shown, QStringList{QStringLiteral("tarvel::TFormPassport")});
  EXPECT_EQ(settings.Nick, "Иван");
  EXPECT_TRUE(write.ButtonSend()->isEnabled());  // the state it opened with
  // Edited from the window: a Cyrillic nick may not be sent, a Latin one may.
  write.ButtonPassport()->click();
  EXPECT_FALSE(write.ButtonSend()->isEnabled());
  host.editPassport = [](TFormPassport& passport) { passport.EditNick()->setText(QStringLiteral("Ivan")); };
  write.ButtonPassport()->click();
  ASSERT_TRUE(write.ButtonSend()->isEnabled());
  write.ButtonSend()->click();
  EXPECT_EQ(write.Place(), 1);
  write.ButtonPassport()->click();
  EXPECT_FALSE(write.ButtonSend()->isEnabled());  // once sent, never again
}

TEST(WorldTopTen, EveryViewFillsFromItsSource) {
  Services services;
  Write(services.requests, Entry(kAccountList, "AccOne", "Riga", 900));
  Write(services.requests, Entry(kWorldList, "WinOne", "Lyon", 800));
  Write(services.requests, Entry(kAndroidList, "DroidOne", "Nice", 700));
  const std::filesystem::path data = services.data;
  ClubWithChampion(data / "Tarvel.clb", "Anna", 77);
  ClubWithChampion(data / "Tarvel.net", "Boris", 55);
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  WorldTopSources sources;
  sources.accountRating = [](std::vector<TQorTop10>& rows) {
    rows = {{"Rater", "Oslo", "1-035", 'M', 1612.5}, TQorTop10{}};  // the second row was not filled
    return true;
  };
  WorldTopContext context{host, settings, services.requests, data, sources};
  int view = 0;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  EXPECT_EQ(read.View(), 3);  // a stored view outside 2..4 opens the Windows list

  const struct {
    int view;
    QString first;
  } cases[] = {{1, QStringLiteral("1. Rater Oslo, Norway 1612.5")},
               {2, QStringLiteral("1. AccOne Riga, France 900")},
               {3, QStringLiteral("1. WinOne Lyon, France 800")},
               {4, QStringLiteral("1. DroidOne Nice, France 700")},
               {5, QString()},  // the tournament has no results yet
               {6, QStringLiteral("1. Anna 77")},
               {7, QStringLiteral("1. Boris 55")}};
  for (const auto& c : cases) {
    read.ViewButton(c.view)->click();
    EXPECT_EQ(read.Heading(), WordText(WordId::WorldTopTenViews, 0, c.view - 1));
    EXPECT_EQ(read.KindButton(0)->isVisibleTo(&read), c.view == 5);
    const QStringList rows = read.AreaTexts(Area::View);
    if (c.first.isEmpty()) {
      EXPECT_TRUE(rows.isEmpty()) << rows.join('|').toStdString();
    } else {
      ASSERT_FALSE(rows.isEmpty()) << c.view;
      EXPECT_EQ(rows[0], c.first) << c.view;
    }
  }
  read.ViewButton(1)->click();
  EXPECT_EQ(read.AreaTexts(Area::View).size(), 1);
  // The three kinds of the tournament's list are each read.
  read.ViewButton(5)->click();
  for (int k = 0; k < 3; ++k) {
    read.KindButton(k)->click();
    EXPECT_EQ(read.Kind(), kOnlineTopKinds[k]);
    EXPECT_TRUE(read.AreaTexts(Area::View).isEmpty());
  }
  // The view is remembered: 4 opens again, 5 does not.
  read.ViewButton(4)->click();
  EXPECT_EQ(TFormWorldTopTen(context, view, TFormWorldTopTen::Opening::Remembered).View(), 4);
  read.ViewButton(5)->click();
  EXPECT_EQ(TFormWorldTopTen(context, view, TFormWorldTopTen::Opening::Remembered).View(), 3);
  // The local mode shows only the club views and keeps the remembered view.
  int club = kNetClubView;
  TFormWorldTopTen local(context, club, TFormWorldTopTen::Opening::Local);
  EXPECT_EQ(local.AreaTexts(Area::View)[0], QStringLiteral("1. Boris 55"));
  EXPECT_TRUE(local.AreaTexts(Area::BestTen).isEmpty());
  EXPECT_FALSE(local.ViewButton(5)->isVisibleTo(&local));
  local.ViewButton(kLocalClubView)->click();
  EXPECT_EQ(local.AreaTexts(Area::View)[0], QStringLiteral("1. Anna 77"));
  EXPECT_EQ(view, 3);
  int lobby = 5;  // the tournament lobby's "Top 10"
  EXPECT_EQ(TFormWorldTopTen(context, lobby, TFormWorldTopTen::Opening::Exact).View(), 5);
}

TEST(WorldTopTen, OriginPicturesSwitchLists) {
  Services services;
  Write(services.requests, Entry(kWorldList, "WinOne", "Lyon", 800));
  Write(services.requests, Entry(kAndroidList, "DroidOne", "Nice", 700));
  Write(services.requests, Entry(kAccountList, "AccOne", "Riga", 900));
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  WorldTopSources sources;
  WorldTopContext context{host, settings, services.requests, services.data, sources};
  int view = 3;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  EXPECT_EQ(read.AreaTexts(Area::BestTen), QStringList{QStringLiteral("1. WinOne Lyon 800")});
  read.OriginButton(TopOrigin::Android)->click();
  EXPECT_EQ(read.Origin(), TopOrigin::Android);
  EXPECT_EQ(read.AreaTexts(Area::BestTen), QStringList{QStringLiteral("1. DroidOne Nice, France 700")});
  EXPECT_TRUE(read.AreaTexts(Area::Around).isEmpty());  // the player has no result there
  // The account list: its neighbourhood is the account's, "No Connect"
  // without an account service.
  read.OriginButton(TopOrigin::Account)->click();
  EXPECT_EQ(read.AreaTexts(Area::BestTen), QStringList{QStringLiteral("1. AccOne Riga, France 900")});
  EXPECT_EQ(read.AreaTexts(Area::Around), QStringList{WordText(WordId::NoConnect, 0)});
  context.sources.accountPassport = [](std::string& nick, std::string& city) {
    nick = "AccOne";
    city = "Riga";
    return true;
  };
  read.OriginButton(TopOrigin::Account)->click();
  EXPECT_EQ(read.AreaTexts(Area::Around), QStringList{QStringLiteral("1. AccOne Riga, France 900")});
}

TEST(Passport, OkOnlyWhileBothCheck) {
  Settings settings = Passport("Tester", "Berlin");
  TFormPassport passport(settings);
  passport.show();
  EXPECT_TRUE(passport.ButtonOk()->isEnabled());
  passport.EditNick()->clear();
  QTest::keyClicks(passport.EditNick(), QStringLiteral("A b<"));  // the blank and '<' are not taken
  EXPECT_EQ(passport.EditNick()->text(), QStringLiteral("Ab"));
  passport.EditNick()->setText(QStringLiteral("A"));
  EXPECT_FALSE(passport.ButtonOk()->isEnabled());
  EXPECT_EQ(settings.Nick, "Ab");  // the last accepted nick is kept
  passport.reject();  // cannot be closed now: the focus goes to the nick
  EXPECT_TRUE(passport.isVisible());
  EXPECT_EQ(passport.focusWidget(), passport.EditNick());
  passport.EditNick()->setText(QStringLiteral("Петя"));
  passport.EditCity()->setText(QStringLiteral("X"));
  EXPECT_FALSE(passport.ButtonOk()->isEnabled());
  passport.EditCity()->setText(QStringLiteral("Тверь"));
  EXPECT_TRUE(passport.ButtonOk()->isEnabled());
  passport.ComboBoxContinent()->setCurrentIndex(2);
  EXPECT_EQ(settings.Country, "3-000");
  passport.ComboBoxCountry()->setCurrentIndex(34);
  EXPECT_EQ(settings.Country, "3-034");
  EXPECT_FALSE(passport.ComboBoxCountry()->itemIcon(34).isNull());  // drawn with its flag
  passport.ButtonOk()->click();
  EXPECT_FALSE(passport.isVisible());
  EXPECT_EQ(settings.Nick, "Петя");
  EXPECT_EQ(settings.City, "Тверь");
}

TEST(WorldTopTen, ServicesDownGiveNoConnectEverywhere) {
  ServiceEndpoints endpoints("http://127.0.0.1:" + std::to_string(FreePort()) + "/");
  HttpClient client;
  RequestWaiter waiter;
  ServiceRequests requests(endpoints, client, waiter);
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  const QStringList noConnect{WordText(WordId::NoConnect, 0)};
  WorldTopContext context{host, settings, requests, QDir::tempPath().toStdString(), {}};
  int view = 2;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  EXPECT_EQ(read.AreaTexts(Area::BestTen), noConnect);
  EXPECT_EQ(read.AreaTexts(Area::Around), noConnect);
  EXPECT_TRUE(read.GamesText().isEmpty());
  for (int v = 1; v <= 5; ++v) {
    read.ViewButton(v)->click();
    EXPECT_EQ(read.AreaTexts(Area::View), noConnect) << v;
  }
  TFormWorldWrite write(context, 100);
  write.ButtonSend()->click();
  EXPECT_EQ(host.informed, QStringList{WordText(WordId::CantWriteResult, 0)});
  EXPECT_TRUE(write.ButtonSend()->isEnabled());
  // The paused service's message instead of the window.
  WorldTopTen commands(context);
  commands.MenuCommand(true);
  EXPECT_EQ(host.informed.last(), WordText(WordId::WorldTopTenPaused, 0));
}

qsizetype ContentLength(const QByteArray& head) {
  for (const QByteArray& line : head.split('\n')) {
    if (line.toLower().startsWith("content-length:")) return line.mid(15).trimmed().toLongLong();
  }
  return 0;
}

// Answers every request with the same reply body.
class HostileServer {
 public:
  explicit HostileServer(QByteArray body) : body_(std::move(body)) {
    server_.listen(QHostAddress::LocalHost);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* socket = server_.nextPendingConnection()) {
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
          request_[socket] += socket->readAll();
          const QByteArray& seen = request_[socket];
          const qsizetype end = seen.indexOf("\r\n\r\n");
          if (end < 0) return;
          if (seen.size() < end + 4 + ContentLength(seen.left(end))) return;
          socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\nContent-Length: " +
                        QByteArray::number(body_.size()) + "\r\n\r\n" + body_);
          socket->disconnectFromHost();
        });
      }
    });
  }
  std::string Base() const { return "http://127.0.0.1:" + std::to_string(server_.serverPort()) + "/"; }

 private:
  QByteArray body_;
  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> request_;
};

TEST(WorldTopTen, HostileRepliesShowPlainCheckedText) {
  const QByteArray longNick(10000, 'N');
  // Place, score, nick, country, city... in the world list's order; the
  // online list reads the same bytes in its own order.
  const QByteArray body = "$1 0 900 <b>Bold</b> 1-017 <a_href=x>City</a>"
                          "$2 0 800 " + longNick + " 1-017 Berlin"
                          "$3 0 700 Ok\xC0\xC1 9-999 \xFF\xFE\x01"
                          "$4 0 600 Bob  Bonn"
                          "$5 0 500 <img_src=x> 1-017 Mainz\r\n";
  HostileServer server(body);
  ServiceEndpoints endpoints(server.Base());
  HttpClient client;
  EventLoopWaiter waiter;
  ServiceRequests requests(endpoints, client, waiter);
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  WorldTopContext context{host, settings, requests, QDir::tempPath().toStdString(), {}};
  int view = 3;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  const QStringList best = read.AreaTexts(Area::BestTen);
  ASSERT_EQ(best.size(), 5);
  EXPECT_EQ(best[0], QStringLiteral("1. # # 900"));
  EXPECT_EQ(best[1], QStringLiteral("2. # Berlin 800"));
  EXPECT_EQ(best[2], QStringLiteral("3. OkАБ # 700"));
  EXPECT_EQ(best[3], QStringLiteral("4. Bob Bonn 600"));
  EXPECT_EQ(best[4], QStringLiteral("5. # Mainz 500"));
  for (const QString& row : best + read.AreaTexts(Area::View)) EXPECT_FALSE(row.contains('<')) << row.toStdString();
  // The online list's order puts a text where its score stands: the reply
  // does not parse.
  read.ViewButton(5)->click();
  EXPECT_EQ(read.AreaTexts(Area::View), QStringList{WordText(WordId::NoConnect, 0)});
  // Painting the hostile rows is plain and bounded.
  read.ViewButton(3)->click();
  const QImage picture = read.grab().toImage();
  EXPECT_EQ(picture.size(), read.size());
}

// On demand (TARVEL_WORLDTOP_SHOTS=folder; TARVEL_WORLDTOP_DATA=a services
// data folder filled by scripts/fill-services-demo): the windows as PNG.
TEST(WorldTopTen, Screenshots) {
  const QString out = qEnvironmentVariable("TARVEL_WORLDTOP_SHOTS");
  if (out.isEmpty()) GTEST_SKIP() << "set TARVEL_WORLDTOP_SHOTS to take the pictures";
  const std::string copy = services::MakeTemporaryFolder();
  const QString demo = qEnvironmentVariable("TARVEL_WORLDTOP_DATA");
  if (!demo.isEmpty())
    std::filesystem::copy(demo.toStdString(), copy, std::filesystem::copy_options::recursive);
  Services services({}, copy);
  ClubWithChampion(std::filesystem::path(copy) / "Tarvel.clb", "Anna", 377);
  TestHost host;
  Settings settings = Passport("Tester", "Berlin");
  WorldTopContext context{host, settings, services.requests, copy, {}};
  QDir().mkpath(out);
  TFormWorldWrite write(context, 412);
  write.ButtonSend()->click();
  write.grab().save(out + QStringLiteral("/worldtop-write.png"));
  int view = 3;
  TFormWorldTopTen read(context, view, TFormWorldTopTen::Opening::Remembered);
  read.show();
  read.grab().save(out + QStringLiteral("/worldtop-read.png"));
  read.OriginButton(TopOrigin::Android)->click();
  read.ViewButton(6)->click();
  read.grab().save(out + QStringLiteral("/worldtop-read-android-club.png"));
  TFormPassport passport(settings);
  passport.grab().save(out + QStringLiteral("/worldtop-passport.png"));
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
