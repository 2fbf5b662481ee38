// Whole network games between copies of the real engine and session, with
// the bytes handed over whole, byte by byte and cut at random; hostile peers;
// joining, chat, and players lost during the game.
#include <gtest/gtest.h>

#include <random>

#include "lan_table.h"

namespace tarvel::lan::lantest {
namespace {

struct GameOutcome {
  std::vector<std::string> plays;
  std::array<std::int32_t, 4> results{};
};

// Plays one game and checks what every copy must agree on.
GameOutcome PlayGame(Network& net) {
  net.OpenAndJoin();
  net.PlayToEnd();
  GameOutcome outcome;
  outcome.plays = net.Host().plays;
  outcome.results = net.Host().ResultsByPlace();
  for (auto& copy : net.copies) {
    EXPECT_TRUE(copy->state.GameSummed) << "copy at place " << int{copy->state.NetRole};
    EXPECT_EQ(copy->plays, outcome.plays);
    EXPECT_EQ(copy->ResultsByPlace(), outcome.results);
    EXPECT_EQ(copy->broken, 0);
  }
  EXPECT_EQ(outcome.results[1] + outcome.results[2] + outcome.results[3], 0);
  return outcome;
}

TEST(LanGame, EveryFramingGivesTheSameGame) {
  for (const int clients : {2, 1}) {
    Network whole(clients, Framing::Whole);
    const GameOutcome reference = PlayGame(whole);
    ASSERT_GE(reference.plays.size(), 24u);

    struct Row {
      Framing framing;
      std::uint64_t seed;
    };
    for (const Row row : {Row{Framing::ByteByByte, 1}, Row{Framing::Random, 1}, Row{Framing::Random, 7},
                          Row{Framing::Random, 99}}) {
      SCOPED_TRACE(::testing::Message() << clients << " clients, framing " << static_cast<int>(row.framing)
                                      << " seed " << row.seed);
      Network net(clients, row.framing, row.seed);
      const GameOutcome outcome = PlayGame(net);
      EXPECT_EQ(outcome.plays, reference.plays);
      EXPECT_EQ(outcome.results, reference.results);
    }
  }
}

TEST(LanGame, EachMoveIsRelayedOnceAndNamesArrive) {
  Network net(2, Framing::Random, 3);
  const GameOutcome outcome = PlayGame(net);
  // Every client receives every card the others played, each exactly once:
  // moves are the only 4-byte messages that begin with "h" and a digit.
  for (int k = 0; k < 2; ++k) {
    MessageReader reader(MessageReader::Side::Client);
    reader.Append(net.sentToClient[k]);
    std::size_t moves = 0;
    while (std::optional<Message> m = reader.Next()) moves += m->kind == MessageKind::Move ? 1 : 0;
    const std::string own = std::to_string(k + 2) + ":";
    std::size_t others = 0;
    for (const std::string& play : outcome.plays) others += play.rfind(own, 0) == 0 ? 0 : 1;
    EXPECT_EQ(moves, others) << "client " << k;
  }
  // Names by seat: place 2 sees the host at seat 2 and place 3 at seat 1.
  EXPECT_EQ(net.Host().state.SeatNames[1], "Анна  ");
  EXPECT_EQ(net.Host().state.SeatNames[2], "Boris ");
  EXPECT_EQ(net.Host().state.SeatNames[3], "Hostes");
  EXPECT_EQ(net.Client(0).state.SeatNames[2], "Hostes");
  EXPECT_EQ(net.Client(0).state.SeatNames[1], "Boris ");
  EXPECT_EQ(net.Client(1).state.SeatNames[1], "Hostes");
  EXPECT_EQ(net.Client(1).state.SeatNames[3], "Boris ");
  EXPECT_EQ(net.Host().joinedSignals, 2);
}

TEST(LanGame, OneClientPlaysAgainstTheHostsComputer) {
  Network net(1, Framing::Whole);
  net.OpenAndJoin();
  EXPECT_EQ(net.Client(0).state.NetRole, 2);
  EXPECT_EQ(net.Client(0).state.NetClients2, 0);
  EXPECT_EQ(net.Client(0).state.SeatNames[1], std::string(kComputerNameField));
  net.PlayToEnd();
  EXPECT_TRUE(net.Client(0).state.GameSummed);
  EXPECT_EQ(net.Client(0).plays, net.Host().plays);
}

TEST(LanGame, ChatGoesThroughTheHost) {
  Network net(2, Framing::Whole);
  net.OpenAndJoin();
  net.Client(0).session.SendChat("Привет");
  net.Client(1).session.SendChat("hi");
  net.Host().session.SendChat("");  // nothing
  net.Deliver();
  net.Deliver();
  using Lines = std::vector<std::pair<int, std::string>>;
  EXPECT_EQ(net.Host().chat, (Lines{{2, "Привет"}, {3, "hi"}}));
  EXPECT_EQ(net.Client(0).chat, (Lines{{2, "Привет"}, {3, "hi"}}));
  EXPECT_EQ(net.Client(1).chat, (Lines{{3, "hi"}, {2, "Привет"}}));
  // A line that claims another place is not passed on.
  net.Host().session.OnClientBytes(0, "s3forged");
  net.Deliver();
  EXPECT_EQ(net.Client(1).chat.size(), 2u);
}

TEST(LanGame, JoiningIsCheckedAndLimited) {
  Network net(2, Framing::Whole);
  LanSession& host = net.Host().session;
  host.OpenHost("Host");
  struct Row {
    const char* bytes;
    int joined;  // clients joined afterwards
  };
  const Row rows[] = {
      {"qor8825connect1Petr  ", 0},     // another game
      {"qor8725connect1Pet", 0},        // the name field is cut short: still waiting
      {"qor8725connect1Petr   x", 0},   // seven characters
      {"qor8725connect2Petr  ", 0},
      {"qor8725connect1Petr  ", 1},
  };
  int connection = 10;
  for (const Row& row : rows) {
    host.OnClientBytes(connection++, row.bytes);
    EXPECT_EQ(host.JoinedClients(), row.joined) << row.bytes;
  }
  host.OnClientBytes(9, "qor8725connect1Petr  ");  // a connection joins once
  host.OnClientBytes(9, "qor8725connect1Petr  ");
  host.OnClientBytes(20, "qor8725connect1Third ");  // a third player is not taken
  EXPECT_EQ(host.JoinedClients(), 2);
}

TEST(LanGame, AfterTheFirstDealNobodyJoins) {
  Network net(1, Framing::Whole);
  net.OpenAndJoin();
  EXPECT_EQ(net.Host().session.NetJoin(), 3);
  net.Host().session.OnClientBytes(5, "qor8725connect1Late  ");
  EXPECT_EQ(net.Host().session.JoinedClients(), 1);
}

// Moves of the wrong place, illegal slots, messages of the wrong phase and
// noise never change the game: it ends exactly as without them. (Joined
// connections get complete messages only: a cut one would swallow the start
// of the next real message, which is a lost move, not a hostile one.)
TEST(LanGame, HostilePeersChangeNothing) {
  Network reference(2, Framing::Whole);
  const GameOutcome expected = PlayGame(reference);

  Network net(2, Framing::Whole);
  net.OpenAndJoin();
  std::mt19937_64 noise(5);
  const auto pick = [&noise](const std::vector<std::string>& list) {
    return list[static_cast<std::size_t>(noise() % list.size())];
  };
  // Place 2 sends as place 3, slot 25 and 0, a continue, an abort, a chat
  // under another place, a second join, a flood of "h".
  const std::vector<std::string> fromPlace2 = {
      "h013", "h252", "h002", "hsl1", "abort", "s3forged", "qor8725connect1Again ", std::string(4096, 'h')};
  // To place 3: a move that claims its own place, slots out of the hand, a
  // second acceptance, a roster in the middle of the game, floods.
  const std::vector<std::string> toPlace3 = {
      "h013", "h251", "h992", "connect2+2PC    PC    PC    ", "connect3+PC    PC    PC    ",
      std::string(4096, 'h'), "s9bad", std::string(100000, 's'), "qor8725connect1Later "};
  int rounds = 0;
  bool moved = true;
  while (moved && rounds++ < 20000) {
    moved = net.Deliver();
    for (auto& copy : net.copies) moved |= copy->Act();
    if (rounds % 3 != 0) continue;
    std::string random(static_cast<std::size_t>(noise() % 64), '\0');
    for (char& c : random) c = static_cast<char>(noise());
    net.Host().session.OnClientBytes(7, random + pick(fromPlace2));
    net.Host().session.OnClientBytes(0, pick(fromPlace2));
    net.Client(1).session.OnHostBytes(pick(toPlace3));
  }
  for (auto& copy : net.copies) {
    EXPECT_TRUE(copy->state.GameSummed);
    EXPECT_EQ(copy->plays, expected.plays);
    EXPECT_EQ(copy->broken, 0);
  }
}

TEST(LanGame, DamagedDealsAreDropped) {
  Network net(1, Framing::Whole);
  net.OpenAndJoin();
  Copy& client = net.Client(0);
  const std::string deal = BuildDeal(net.Host().state, 1);
  auto with = [&](std::size_t at, char c) {
    std::string bytes = deal;
    bytes[at] = c;
    return bytes;
  };
  // A repeated card, an unknown card, a rank and points that do not match,
  // a first player out of range, an unknown convention letter.
  std::string repeated = with(3, deal[1]);
  repeated[4] = deal[2];
  for (const std::string& bad : {repeated, with(1, 'Z'), with(49, '0'), with(74, '9'),
                                 with(122, '4'), with(121, 'x')}) {
    const MatchState before = client.state;
    client.session.OnHostBytes(bad);
    EXPECT_EQ(client.state, before) << bad.substr(0, 12);
  }
}

TEST(LanGame, LostPlayers) {
  // Two clients: the host tells the other client, which ends its game too.
  {
    Network net(2, Framing::Whole);
    net.OpenAndJoin();
    for (int i = 0; i < 10; ++i) {
      net.Deliver();
      for (auto& copy : net.copies) copy->Act();
    }
    net.Host().session.OnClientLost(0);
    net.Deliver();
    EXPECT_EQ(net.Host().broken, 1);
    EXPECT_FALSE(net.Host().state.DealActive);
    EXPECT_EQ(net.Client(1).broken, 1);
    EXPECT_EQ(net.Client(0).broken, 0);
  }
  // One client: no abort is sent; the client losing the host ends its game.
  {
    Network net(1, Framing::Whole);
    net.OpenAndJoin();
    net.Deliver();
    net.Host().session.OnClientLost(0);
    EXPECT_EQ(net.Host().broken, 1);
    net.Deliver();
    EXPECT_EQ(net.Client(0).broken, 0);
    net.Client(0).session.OnHostLost();
    EXPECT_EQ(net.Client(0).broken, 1);
  }
  // A player who leaves the host's waiting window breaks off the waiting.
  {
    Network net(2, Framing::Whole);
    net.Host().session.OpenHost("Host");
    net.Client(0).session.OpenClient("A");
    net.Client(0).session.OnConnected();
    net.Deliver();
    ASSERT_EQ(net.Host().session.JoinedClients(), 1);
    net.Host().session.OnClientLost(0);
    EXPECT_EQ(net.Host().broken, 1);
    EXPECT_EQ(net.Host().session.NetJoin(), 0);
  }
  // A finished game is left quietly, and a stranger's connection is nobody.
  {
    Network net(1, Framing::Whole);
    PlayGame(net);
    net.Host().session.OnClientBytes(4, "x");
    net.Host().session.OnClientLost(4);
    net.Host().session.OnClientLost(0);
    net.Client(0).session.OnHostLost();
    EXPECT_EQ(net.Host().broken + net.Client(0).broken, 0);
  }
}

}  // namespace
}  // namespace tarvel::lan::lantest
