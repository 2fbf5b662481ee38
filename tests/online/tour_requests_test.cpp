// The tournament service's replies as the lobby reads them.
#include "tour_requests.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

// A table record: number, address, port, free, R1, R2, then three places.
std::string TableRecord(int number, const std::string& ip, int port, const std::string& place1 = "X 0 0 0 X X M X",
                        const std::string& place2 = "X 0 0 0 X X M X", const std::string& place3 = "X 0 0 0 X X M X") {
  std::string record = "$";
  record += std::to_string(number);
  record += ' ';
  record += ip;
  record += ' ';
  record += std::to_string(port);
  record += " 0 0 X ";
  record += place1;
  record += ' ';
  record += place2;
  record += ' ';
  record += place3;
  record += '*';
  return record;
}

TEST(TourTables, RecordsFillTablesFromTheTop) {
  struct Case {
    const char* name;
    std::string reply;
    bool ok;
    int filledFrom;  // tables filledFrom..10 come from records, the others keep defaults
  } const cases[] = {
      {"two records fill tables 10 and 9", TableRecord(1, "10.0.0.1", 26010) + TableRecord(2, "10.0.0.1", 26009), true, 9},
      {"ten records fill every table", [] {
         std::string all;
         for (int t = 10; t >= 1; --t) all += TableRecord(t, "10.0.0.1", 26000 + t);
         return all;
       }(), true, 1},
      {"eleven records: the eleventh is not read", [] {
         std::string all;
         for (int t = 10; t >= 1; --t) all += TableRecord(t, "10.0.0.1", 26000 + t);
         return all + TableRecord(11, "10.9.9.9", 9999);
       }(), true, 1},
      {"no '$' is no record and no failure", "server busy", true, 11},
      {"a port that is no number fails", "$1 10.0.0.1 26x01 0 0 X", false, 11},
      {"a score that is no number fails", TableRecord(1, "10.0.0.1", 1, "Ann 1o 0 0 1-001 Roma W 1.2.3.4"), false, 11},
      {"a short record keeps the defaults of the fields it lacks", "$1 10.0.0.1 26010", true, 10},
  };
  for (const Case& c : cases) {
    TourTables tables;
    EXPECT_EQ(ParseTourTablesReply(c.reply, tables), c.ok) << c.name;
    if (!c.ok) continue;
    for (int t = 1; t <= kTourTables; ++t) {
      const TQorTable_3& table = tables[static_cast<std::size_t>(t - 1)];
      if (t < c.filledFrom) {
        EXPECT_EQ(table.IP, "0.0.0.0") << c.name << " table " << t;
        EXPECT_EQ(table.Port, 0) << c.name << " table " << t;
      } else {
        EXPECT_EQ(table.IP, "10.0.0.1") << c.name << " table " << t;
        EXPECT_EQ(table.Port, 26000 + t) << c.name << " table " << t;
      }
      for (int place = 1; place <= kTourPlaces; ++place) {
        EXPECT_TRUE(PlaceFree(table.Place(place))) << c.name;
        EXPECT_EQ(table.Place(place).Sex, 'M') << c.name;
      }
    }
  }
}

TEST(TourTables, PlacesAndTexts) {
  TourTables tables;
  const std::string reply = TableRecord(1, "127.0.0.1", 26001, "Ann 120 7 1530 1-001 Roma W 203.0.113.9",
                                        "\xC0\xED\xFF -40 3 1480 1-030 \xCA\xE0\xE7\xE0\xED\xFC M 198.51.100.2") +
                            "\r\n";
  ASSERT_TRUE(ParseTourTablesReply(reply, tables));
  const TQorTable_3& table = tables[9];
  EXPECT_EQ(table.IP, "127.0.0.1");
  EXPECT_EQ(table.Port, 26001);
  const TQorClient& first = table.Place(1);
  EXPECT_EQ(first.Nick, "Ann");
  EXPECT_EQ(first.Score, 120);
  EXPECT_EQ(first.Kon, 7);
  EXPECT_EQ(first.Rating, 1530);
  EXPECT_EQ(first.Country, "1-001");
  EXPECT_EQ(first.City, "Roma");
  EXPECT_EQ(first.Sex, 'W');
  EXPECT_EQ(first.IP, "203.0.113.9");
  EXPECT_EQ(table.Place(2).Nick, "Аня");  // Windows-1251 on the wire
  EXPECT_EQ(table.Place(2).City, "Казань");
  EXPECT_EQ(table.Place(2).Score, -40);
  EXPECT_TRUE(PlaceFree(table.Place(3)));
  EXPECT_EQ(table.Place(3).IP, "X");  // the closing line break is not part of it
}

TEST(TourReplies, ServerStatePlaceAndStanding) {
  struct InfoCase {
    const char* reply;
    bool ok;
    char state;
    const char* text;
  } const infos[] = {
      {"$Y Welcome_to_the_tournament!", true, 'Y', "Welcome to the tournament!"},
      {"$N Maintenance_until_20:00\r\n", true, 'N', "Maintenance until 20:00"},
      {"$Yes", true, 'Y', ""},
      {"nothing", true, 'N', ""},
      {"$", true, 'N', ""},
  };
  for (const InfoCase& c : infos) {
    TourServerInfo info;
    EXPECT_EQ(ParseTourServerInfoReply(c.reply, info), c.ok) << c.reply;
    EXPECT_EQ(info.state, c.state) << c.reply;
    EXPECT_EQ(info.text, c.text) << c.reply;
  }

  struct MarkerCase {
    const char* reply;
    PlaceReply result;
  } const markers[] = {
      {"$ok#", PlaceReply::Done}, {"$+ok#", PlaceReply::Done}, {"done ok", PlaceReply::Done},
      {"$is#", PlaceReply::Refused}, {"", PlaceReply::Failed}, {"$no#", PlaceReply::Failed},
      {"o k", PlaceReply::Failed},  {"i", PlaceReply::Failed},
  };
  for (const MarkerCase& c : markers) EXPECT_EQ(ParsePlaceReply(c.reply), c.result) << c.reply;

  struct ClientCase {
    const char* reply;
    bool ok;
    const char* nick;
    std::int32_t score;
    const char* ip;
  } const clients[] = {
      {"$Ann 10 2 1500 1-001 Roma Woman 1.2.3.4", true, "Ann", 10, "1.2.3.4"},
      {"$X 0 0 0 X X M X", true, "X", 0, "X"},
      {"$Ann ten 2 1500", false, "Ann", 0, "X"},
      {"no record", true, "X", 0, "X"},
  };
  for (const ClientCase& c : clients) {
    TQorClient client;
    EXPECT_EQ(ParseTourClientReply(c.reply, client), c.ok) << c.reply;
    EXPECT_EQ(client.Nick, c.nick) << c.reply;
    if (c.ok) {
      EXPECT_EQ(client.Score, c.score) << c.reply;
    }
    EXPECT_EQ(client.IP, c.ip) << c.reply;
  }
  TQorClient woman;
  ASSERT_TRUE(ParseTourClientReply("$Ann 10 2 1500 1-001 Roma Woman 1.2.3.4", woman));
  EXPECT_EQ(woman.Sex, 'W');  // the first character

  struct StandingCase {
    const char* reply;
    bool ok;
    std::int32_t score, kon, rating;
  } const standings[] = {
      {"$250 12 1620$", true, 250, 12, 1620},
      {"$-30 1\n", true, -30, 1, 99},       // a short record keeps the rating
      {"$250 x 1620", false, 5, 6, 99},     // a failed parse changes nothing
      {"", true, 5, 6, 99},
  };
  for (const StandingCase& c : standings) {
    TQorClient own;
    own.Score = 5;
    own.Kon = 6;
    own.Rating = 99;
    EXPECT_EQ(ParseTourStandingReply(c.reply, own), c.ok) << c.reply;
    EXPECT_EQ(own.Score, c.score) << c.reply;
    EXPECT_EQ(own.Kon, c.kon) << c.reply;
    EXPECT_EQ(own.Rating, c.rating) << c.reply;
  }
}

}  // namespace
}  // namespace tarvel
