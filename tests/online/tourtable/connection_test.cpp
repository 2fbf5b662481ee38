// The table connection on real sockets of 127.0.0.1: the join frame when
// the connection is up, frames cut anywhere by TCP, the server going away
// in the middle of a game, and a table server that is not there.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

#include "online/tour_frames.h"
#include "online/tourtable/tour_connection.h"

namespace tarvel::tour {
namespace {

constexpr int kWaitMs = 20000;

bool WaitFor(const std::function<bool()>& done) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < kWaitMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  return done();
}

class Front : public NullTableEvents, public TourFront {
 public:
  void ShowTableChat(int colour, const std::string& text) override { chat.emplace_back(colour, text); }
  void ClearTableChat() override {}
  void EnableTableChat(bool) override {}
  void TableGameStarts() override { ++starts; }
  std::string NickOfPlace(int place) override { return "P" + std::to_string(place); }
  void DrawMoveClock(int, int) override {}
  void ShowTableEnd(TableEnd end, int) override { ends.push_back(end); }

  std::vector<std::pair<int, std::string>> chat;
  std::vector<TableEnd> ends;
  int starts = 0;
};

struct Table {
  MatchState state;
  DeckRandom random{8};
  TourState tour;
  Front front;
  GameDriver driver{state, front, random};
  TourConnection link{state, front, driver, random, tour, front};
};

TEST(TourConnectionTest, JoinsPlaysAndLosesTheServer) {
  QTcpServer server;
  ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
  Table table;
  table.link.Open("127.0.0.1", server.serverPort(), 4, 2);
  EXPECT_EQ(table.tour.TourLink, kTourLinkConnecting);
  ASSERT_TRUE(WaitFor([&] { return server.hasPendingConnections(); }));
  QTcpSocket* peer = server.nextPendingConnection();
  ASSERT_TRUE(WaitFor([&] { return peer->bytesAvailable() >= 20; }));
  EXPECT_EQ(peer->readAll().toStdString(), BuildConnectFrame(2));
  EXPECT_EQ(table.tour.TourLink, kTourLinkJoined);
  EXPECT_EQ(table.tour.TourTable, 4);

  // The deal and a chat line of place 3, cut in the middle of the deal.
  MatchState deck;
  DeckRandom random(2);
  ShuffleDeck(deck, random);
  const std::string bytes = BuildDealFrame(deck) + BuildChatFrames("hello", 3)[0];
  peer->write(bytes.substr(0, 70).c_str(), 70);
  peer->flush();
  ASSERT_TRUE(WaitFor([&] { return peer->bytesToWrite() == 0; }));
  peer->write(bytes.substr(70).c_str(), static_cast<qint64>(bytes.size() - 70));
  ASSERT_TRUE(WaitFor([&] { return !table.front.chat.empty(); }));
  EXPECT_EQ(table.front.starts, 1);
  EXPECT_TRUE(table.state.TourGame);
  EXPECT_EQ(table.front.chat[0], (std::pair<int, std::string>{3, "hello"}));

  // The server goes away: the game ends as a lost connection.
  peer->disconnectFromHost();
  ASSERT_TRUE(WaitFor([&] { return !table.front.ends.empty(); }));
  EXPECT_EQ(table.front.ends, std::vector<TableEnd>{TableEnd::LostConnection});
  EXPECT_TRUE(table.state.GameSummed);
  EXPECT_EQ(table.state.Turn, TurnGameOver);
}

TEST(TourConnectionTest, NoServerIsAConnectionError) {
  QTcpServer closed;
  ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
  const quint16 port = closed.serverPort();
  closed.close();
  Table table;
  table.link.Open("127.0.0.1", port, 1, 1);
  ASSERT_TRUE(WaitFor([&] { return table.tour.NoGameSeen; }));
  EXPECT_TRUE(table.front.ends.empty());
  EXPECT_FALSE(table.state.TourGame);
}

}  // namespace
}  // namespace tarvel::tour

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
