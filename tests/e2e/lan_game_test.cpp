// Network games between real copies of the program: three processes, a host
// with one client, a player lost in the middle of a game, and hostile peers
// on real sockets.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <map>
#include <memory>
#include <random>

#include "engine/rules.h"
#include "lan/lan_messages.h"

namespace {

using namespace tarvel;

constexpr int kWait = 120000;  // ms; a game with --fast takes about a second

// One copy of the program in a fresh data folder.
class Copy {
 public:
  explicit Copy(QStringList arguments) {
    EXPECT_TRUE(folder_.isValid());
    arguments << QStringLiteral("--data-dir") << folder_.path() << QStringLiteral("--autoplay");
    process_.setProgram(QStringLiteral(TARVEL_PROGRAM));
    process_.setArguments(arguments);
    process_.setProcessChannelMode(QProcess::SeparateChannels);
    process_.start();
    EXPECT_TRUE(process_.waitForStarted(kWait));
  }
  ~Copy() {
    if (process_.state() != QProcess::NotRunning) {
      process_.kill();
      process_.waitForFinished(kWait);
    }
  }

  // Waits for a line of standard output that matches; its first capture.
  QString WaitFor(const QString& pattern) {
    const QRegularExpression expression(pattern);
    for (;;) {
      while (process_.canReadLine()) {
        const QString line = QString::fromUtf8(process_.readLine()).trimmed();
        lines_ << line;
        const QRegularExpressionMatch match = expression.match(line);
        if (match.hasMatch()) return match.captured(1);
      }
      if (process_.state() == QProcess::NotRunning || !process_.waitForReadyRead(kWait)) {
        lines_ << QString::fromUtf8(process_.readAll()).split(QLatin1Char('\n'));
        ADD_FAILURE() << "no line like " << pattern.toStdString() << " in: "
                      << lines_.join(QStringLiteral(" | ")).toStdString();
        return {};
      }
    }
  }
  int Finish() {
    EXPECT_TRUE(process_.waitForFinished(kWait));
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
  }
  void Kill() {
    process_.kill();
    process_.waitForFinished(kWait);
  }

 private:
  QTemporaryDir folder_;
  QProcess process_;
  QStringList lines_;
};

QStringList Fast(QStringList arguments) {
  return arguments << QStringLiteral("--fast") << QStringLiteral("--quit-after-game");
}

std::unique_ptr<Copy> Host(int players, bool fast = true) {
  QStringList arguments{QStringLiteral("--lan-host"), QStringLiteral("0"), QStringLiteral("--lan-players"),
                        QString::number(players), QStringLiteral("--name"), QStringLiteral("Hostess")};
  return std::make_unique<Copy>(fast ? Fast(arguments) : arguments);
}

std::unique_ptr<Copy> Client(const QString& port, const QString& name, bool fast = true) {
  QStringList arguments{QStringLiteral("--lan-join"), QStringLiteral("127.0.0.1:") + port, QStringLiteral("--name"),
                        name};
  return std::make_unique<Copy>(fast ? Fast(arguments) : arguments);
}

// "results a b c" by own seat, turned into results by place.
std::map<int, int> ByPlace(const QString& results, int ownPlace) {
  const QStringList numbers = results.split(QLatin1Char(' '));
  std::map<int, int> byPlace;
  for (int seat = 1; seat <= 3 && seat <= numbers.size(); ++seat)
    byPlace[lan::PlaceOfSeat(seat, ownPlace)] = numbers[seat - 1].toInt();
  return byPlace;
}

TEST(LanProcesses, ThreeCopiesPlayOneGameAndAgree) {
  const std::unique_ptr<Copy> host = Host(3);
  const QString port = host->WaitFor(QStringLiteral("^listening on port (\\d+)$"));
  const std::unique_ptr<Copy> first = Client(port, QStringLiteral("Anna"));
  ASSERT_EQ(first->WaitFor(QStringLiteral("^playing at place (\\d)$")), QStringLiteral("2"));
  const std::unique_ptr<Copy> second = Client(port, QStringLiteral("Борис"));
  ASSERT_EQ(second->WaitFor(QStringLiteral("^playing at place (\\d)$")), QStringLiteral("3"));

  const QString pattern = QStringLiteral("^results (-?\\d+ -?\\d+ -?\\d+)$");
  const std::map<int, int> atHost = ByPlace(host->WaitFor(pattern), 1);
  EXPECT_EQ(ByPlace(first->WaitFor(pattern), 2), atHost);
  EXPECT_EQ(ByPlace(second->WaitFor(pattern), 3), atHost);
  EXPECT_EQ(atHost.size(), 3u);
  EXPECT_EQ(atHost.at(1) + atHost.at(2) + atHost.at(3), 0);
  for (Copy* copy : {host.get(), first.get(), second.get()}) EXPECT_EQ(copy->Finish(), 0);
}

TEST(LanProcesses, HostAndOneClientAgainstTheHostsComputer) {
  const std::unique_ptr<Copy> host = Host(2);
  const QString port = host->WaitFor(QStringLiteral("^listening on port (\\d+)$"));
  const std::unique_ptr<Copy> client = Client(port, QStringLiteral("Anna"));
  const QString pattern = QStringLiteral("^results (-?\\d+ -?\\d+ -?\\d+)$");
  const std::map<int, int> atHost = ByPlace(host->WaitFor(pattern), 1);
  EXPECT_EQ(ByPlace(client->WaitFor(pattern), 2), atHost);
  EXPECT_EQ(host->Finish(), 0);
  EXPECT_EQ(client->Finish(), 0);
}

// The second client plays with card flights, so the game is surely still
// running when it is killed.
TEST(LanProcesses, ALostClientEndsTheGameForEveryone) {
  const std::unique_ptr<Copy> host = Host(3);
  const QString port = host->WaitFor(QStringLiteral("^listening on port (\\d+)$"));
  const std::unique_ptr<Copy> first = Client(port, QStringLiteral("Anna"));
  first->WaitFor(QStringLiteral("^playing at place (\\d)$"));
  const std::unique_ptr<Copy> slow = Client(port, QStringLiteral("Slow"), false);
  slow->WaitFor(QStringLiteral("^playing at place (\\d)$"));
  QThread::msleep(500);
  slow->Kill();
  const QString lost = QStringLiteral("^message: (One of player has interrupted game!.*)$");
  EXPECT_FALSE(host->WaitFor(lost).isEmpty());
  EXPECT_FALSE(first->WaitFor(lost).isEmpty());  // the host's "abort"
  EXPECT_EQ(host->Finish(), 3);
  EXPECT_EQ(first->Finish(), 3);
}

// Random bytes, a huge chunk, illegal slots and messages of the wrong phase
// for a bounded number of messages: the peer goes on, and ends its game
// cleanly when the hostile one leaves.
std::vector<QByteArray> HostileMessages(std::uint64_t seed, bool towardsClient) {
  std::mt19937_64 random(seed);
  std::vector<QByteArray> out;
  for (int i = 0; i < 200; ++i) {
    QByteArray bytes(static_cast<int>(random() % 300), '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    out.push_back(bytes);
    out.push_back(QByteArray("h") + QByteArray::number(static_cast<int>(random() % 100)).rightJustified(2, '0') +
                  QByteArray::number(static_cast<int>(random() % 3 + 1)));
  }
  out.push_back(QByteArray(1 << 20, 'h'));
  out.push_back(QByteArray(1 << 20, 's'));
  out.push_back("hsl1");
  out.push_back("qor8725connect1Again ");
  if (towardsClient) out.push_back("connect3+Evil  Evil  Evil  ");
  return out;
}

TEST(LanProcesses, HostilePeers) {
  // A client that joins and then sends garbage to a real host.
  {
    const std::unique_ptr<Copy> host = Host(2);
    const QString port = host->WaitFor(QStringLiteral("^listening on port (\\d+)$"));
    QTcpSocket evil;
    evil.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port.toInt()));
    ASSERT_TRUE(evil.waitForConnected(kWait));
    evil.write(lan::BuildJoinRequest("Evil  ").c_str());
    ASSERT_TRUE(evil.waitForReadyRead(kWait));
    for (const QByteArray& bytes : HostileMessages(1, false)) {
      evil.write(bytes);
      evil.waitForBytesWritten(kWait);
    }
    evil.disconnectFromHost();
    EXPECT_FALSE(host->WaitFor(QStringLiteral("^message: (One of player.*)$")).isEmpty());
    EXPECT_EQ(host->Finish(), 3);
  }
  // A host that accepts a real client, deals, sends garbage, then "abort".
  {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
    const std::unique_ptr<Copy> client = Client(QString::number(server.serverPort()), QStringLiteral("Anna"));
    ASSERT_TRUE(server.waitForNewConnection(kWait));
    QTcpSocket* peer = server.nextPendingConnection();
    while (peer->bytesAvailable() < static_cast<qint64>(lan::kJoinLength)) ASSERT_TRUE(peer->waitForReadyRead(kWait));
    peer->write(lan::BuildAcceptance(2, {"Evil  ", "Anna  ", "PC    "}).c_str());
    MatchState dealt;
    DeckRandom deck(9);
    ShuffleDeck(dealt, deck);
    std::string badDeal = lan::BuildDeal(dealt, 3);
    badDeal[3] = badDeal[1];
    badDeal[4] = badDeal[2];
    peer->write(QByteArray::fromStdString(badDeal));
    peer->write(QByteArray::fromStdString(lan::BuildDeal(dealt, 3)));
    for (const QByteArray& bytes : HostileMessages(2, true)) {
      peer->write(bytes);
      peer->waitForBytesWritten(kWait);
    }
    EXPECT_FALSE(client->WaitFor(QStringLiteral("^playing at place (\\d)$")).isEmpty());
    peer->write(lan::BuildAbort().c_str());
    peer->waitForBytesWritten(kWait);
    peer->disconnectFromHost();
    // The garbage may have ended the game before ("abort" inside it, or a
    // closed connection); either way the client leaves for the menu.
    EXPECT_FALSE(client->WaitFor(QStringLiteral("^message: (One of player.*)$")).isEmpty());
    EXPECT_EQ(client->Finish(), 3);
  }
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
