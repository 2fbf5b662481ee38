// Building and reading the messages of a network game, the seat and place
// rules, the routing of the host, and the checks of the name dialog's fields.
#include <gtest/gtest.h>

#include <string>

#include "engine/rules.h"
#include "lan/lan_messages.h"
#include "lan/net_checks.h"

namespace tarvel::lan {
namespace {

MatchState DealtState(std::uint64_t seed, bool gameTo8) {
  MatchState s;
  DeckRandom random(seed);
  ShuffleDeck(s, random);
  s.GameTo8 = gameTo8;
  s.Trump = s.Deck[8].suit;
  return s;
}

// Every message read back whole, cut at every place and joined to the next.
std::vector<Message> ReadAll(MessageReader::Side side, const std::string& bytes, std::size_t cut) {
  MessageReader reader(side);
  std::vector<Message> out;
  for (const std::string& piece : {bytes.substr(0, cut), bytes.substr(cut)}) {
    reader.Append(piece);
    while (std::optional<Message> m = reader.Next()) out.push_back(*m);
  }
  return out;
}

TEST(LanMessages, SeatsAndPlaces) {
  // Host seat -> own seat on places 1, 2, 3.
  const int hostSeatOn[4][4] = {{}, {0, 1, 2, 3}, {0, 3, 1, 2}, {0, 2, 3, 1}};
  for (int place = 1; place <= 3; ++place) {
    for (int h = 1; h <= 3; ++h) {
      EXPECT_EQ(SeatOfHostSeat(h, place), hostSeatOn[place][h]) << h << " on " << place;
      const int seat = SeatOfPlace(h, place);
      EXPECT_EQ(PlaceOfSeat(seat, place), h);
    }
    EXPECT_EQ(SeatOfPlace(place, place), 3);
    EXPECT_EQ(PlaceOfSeat(1, place), place % 3 + 1);
  }
  EXPECT_EQ(SeatOfHostSeat(0, 1), 0);
  EXPECT_EQ(SeatOfPlace(4, 2), 0);
  EXPECT_EQ(PlaceOfSeat(3, 0), 0);
}

TEST(LanMessages, HostRouting) {
  struct Row {
    int origin, clients2;
    HostRoute route;
  };
  for (const Row& row : {Row{1, 0, {true, false}}, Row{1, 1, {true, true}}, Row{2, 0, {false, false}},
                         Row{2, 1, {false, true}}, Row{3, 1, {true, false}}, Row{7, 1, {true, true}},
                         Row{1, -1, {true, false}}}) {
    EXPECT_EQ(RouteFromHost(row.origin, row.clients2), row.route) << row.origin << "/" << row.clients2;
  }
}

TEST(LanMessages, BuiltLayouts) {
  EXPECT_EQ(NameField("Hostess"), "Hostes");
  EXPECT_EQ(NameField("Al"), "Al    ");
  EXPECT_EQ(NameField("Ёж"), "\xA8\xE6    ");
  EXPECT_EQ(NameField("日本"), "??    ");
  EXPECT_EQ(BuildJoinRequest(NameField("Petr")), "qor8725connect1Petr  ");
  const PlaceNames names{"Host  ", "Anna  ", std::string(kComputerNameField)};
  EXPECT_EQ(BuildAcceptance(2, names), "connect2+2Host  Anna  PC    ");
  EXPECT_EQ(BuildAcceptance(2, names).size(), kAcceptanceLength);
  EXPECT_EQ(BuildRoster(names), "connect3+Host  Anna  PC    ");
  EXPECT_EQ(BuildMove(7, 3), "h073");
  EXPECT_EQ(BuildMove(12, 1), "h121");
  EXPECT_EQ(BuildContinue(), "hsl1");
  EXPECT_EQ(BuildChat(2, "Да"), "s2\xC4\xE0");
  EXPECT_EQ(BuildAbort(), "abort");
}

TEST(LanMessages, DealLayoutAndPlacement) {
  for (const bool gameTo8 : {true, false}) {
    const MatchState host = DealtState(11, gameTo8);
    const std::string deal = BuildDeal(host, 1);
    ASSERT_EQ(deal.size(), kDealLength);
    EXPECT_EQ(deal[0], 'b');
    // Position 121 is the last digit of the 24th card's points.
    EXPECT_EQ(deal[120] - '0', host.DeckPoints[24] % 10);
    EXPECT_EQ(static_cast<std::uint8_t>(deal[121]), gameTo8 ? 0xC8 : 0xCB);
    EXPECT_EQ(deal[122], '1');
    EXPECT_EQ(static_cast<std::uint8_t>(deal[123]), host.Trump);

    const std::optional<DealData> read = ParseDeal(deal);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->gameTo8, gameTo8);
    // Place 3 receiving first player "1" moves seat 2 first and holds deck
    // positions 1..8 in seat 2; place 2 holds them in seat 3.
    MatchState third;
    third.PlayedLog.fill(host.Deck[1]);  // the last deal's cards
    PlaceDeal(third, *read, 3);
    EXPECT_EQ(third.PlayedLog[24], NoCard);
    EXPECT_EQ(third.Turn, 2);
    EXPECT_EQ(third.GameTo8, gameTo8);
    MatchState second;
    PlaceDeal(second, *read, 2);
    EXPECT_EQ(second.Turn, 3);
    for (std::size_t slot = 1; slot <= 8; ++slot) {
      EXPECT_EQ(third.Hands[2][slot], host.Deck[slot]);
      EXPECT_EQ(third.Hands[3][slot], host.Deck[8 + slot]);
      EXPECT_EQ(third.Hands[1][slot], host.Deck[16 + slot]);
      EXPECT_EQ(second.Hands[3][slot], host.Deck[slot]);
      EXPECT_EQ(second.HandPoints[3][slot], host.DeckPoints[slot]);
    }
    EXPECT_EQ(third.HandCount[1], 8);
    EXPECT_EQ(third.Hands[1][9], NoCard);
  }
}

TEST(LanMessages, EveryMessageSurvivesEveryCut) {
  const MatchState host = DealtState(3, false);
  const std::string stream = BuildAcceptance(3, {"a", "b", "c"}) + BuildRoster({"x", "y", "z"}) +
                             BuildDeal(host, 2) + BuildMove(5, 1) + BuildMove(6, 2) + BuildContinue() +
                             BuildAbort() + BuildChat(2, "hello");
  for (std::size_t cut = 0; cut <= stream.size(); ++cut) {
    const std::vector<Message> read = ReadAll(MessageReader::Side::Client, stream, cut);
    // A chat line is the rest of what has arrived: cut inside it, it comes
    // as two lines, the second without its kind letter and so dropped.
    const bool chatCut = cut > stream.size() - 7 && cut < stream.size();
    ASSERT_EQ(read.size(), 8u) << "cut at " << cut;
    EXPECT_EQ(read[0].kind, MessageKind::Acceptance);
    EXPECT_EQ(read[0].place, 3);
    EXPECT_EQ(read[0].names[2], "c     ");
    EXPECT_EQ(read[1].kind, MessageKind::Roster);
    EXPECT_EQ(read[1].names[0], "x     ");
    EXPECT_EQ(read[2].kind, MessageKind::Deal);
    EXPECT_EQ(read[2].deal.firstPlayer, 2);
    EXPECT_EQ(read[3].slot, 5);
    EXPECT_EQ(read[4].place, 2);
    EXPECT_EQ(read[5].kind, MessageKind::Continue);
    EXPECT_EQ(read[6].kind, MessageKind::Abort);
    EXPECT_EQ(read[7].kind, MessageKind::Chat);
    if (!chatCut) {
      EXPECT_EQ(read[7].text, "hello");
    }
  }
  // The host's side: a join request and two moves in one chunk.
  const std::string fromClient = BuildJoinRequest("Petr  ");
  for (std::size_t cut = 0; cut <= fromClient.size(); ++cut) {
    const std::vector<Message> read = ReadAll(MessageReader::Side::Host, fromClient, cut);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].names[0], "Petr  ");
  }
  const std::vector<Message> moves = ReadAll(MessageReader::Side::Host, "h032h112", 8);
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].slot, 3);
  EXPECT_EQ(moves[1].slot, 11);
  EXPECT_EQ(moves[1].bytes, "h112");
}

TEST(LanMessages, MalformedInputIsDroppedAndNeverKept) {
  const MatchState host = DealtState(5, true);
  std::string repeated = BuildDeal(host, 1);
  repeated[3] = repeated[1];
  repeated[4] = repeated[2];
  struct Row {
    MessageReader::Side side;
    std::string bytes;
    std::size_t messages;  // well-formed messages found
  };
  const auto client = MessageReader::Side::Client;
  const auto host_ = MessageReader::Side::Host;
  const Row rows[] = {
      {client, repeated, 0},
      {client, repeated + BuildMove(1, 1), 1},  // the deal alone is dropped
      {client, "hx01h011", 1},
      {client, "h014", 0},                   // no place 4
      {client, "connect9+123", 0},
      {client, "connect2+4" + std::string(18, ' '), 0},
      {client, "qor8725connect1Petr  ", 0},  // only clients send it
      {client, "abortabort", 2},
      {client, "abc", 0},
      {client, std::string(1 << 20, 'b'), 0},
      {client, std::string(1 << 20, '\0'), 0},
      {client, "s", 0},
      {client, "s0", 0},
      {client, "s1" + std::string(1000, 'x'), 1},
      {host_, BuildDeal(host, 1), 0},     // only the host sends it
      {host_, "hsl1", 0},                 // the host never receives it
      {host_, "qor8725connect1Petr   ", 0},
      {host_, "qor87", 0},               // incomplete: kept, not taken
      {host_, "qoR8725connect1Petr  ", 0},
      {host_, std::string(100000, 'q'), 0},
  };
  for (const Row& row : rows) {
    MessageReader reader(row.side);
    reader.Append(row.bytes);
    std::size_t found = 0;
    while (std::optional<Message> m = reader.Next()) {
      ++found;
      if (m->kind == MessageKind::Chat) {
        EXPECT_LE(m->text.size(), kMaxChatBytes);
      }
    }
    EXPECT_EQ(found, row.messages) << row.bytes.substr(0, 30);
    EXPECT_LT(reader.Pending(), kDealLength) << row.bytes.substr(0, 30);
  }
}

TEST(NetChecks, AddressAndPort) {
  struct Row {
    const char* text;
    bool valid;
  };
  for (const Row& row : {Row{"192.168.0.1", true}, Row{"999.999.999.999", true}, Row{"1.2.3.4", true},
                         Row{"192.168.0.", false}, Row{"192.168..1", false}, Row{"1921.168.0.1", false},
                         Row{"192.168.1", false}, Row{".1.2.3", false}, Row{"", false},
                         Row{"1.2.3.4.5", false}}) {
    EXPECT_EQ(HostAddressValid(row.text), row.valid) << row.text;
  }
  EXPECT_TRUE(AddressTypingAccepted("10.0."));
  EXPECT_FALSE(AddressTypingAccepted("10.0.a"));
  EXPECT_TRUE(PortTypingAccepted("25666"));
  EXPECT_FALSE(PortTypingAccepted("2566x"));
  EXPECT_EQ(PortOf("25666"), 25666);
  for (const char* bad : {"", "0", "65536", "99999", "123456", "12a"}) EXPECT_FALSE(PortOf(bad)) << bad;
}

}  // namespace
}  // namespace tarvel::lan
