// The tournament service's replies as the lobby reads them.
#include "tour_requests.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

constexpr const char* kFree = " X 0 0 0 X X M X";

// A table record: number, address, port, free, R1, R2, then three places.
std::string TableRecord(int port, const std::string& places = std::string(kFree) + kFree + kFree) {
  return "$1 10.0.0.1 " + std::to_string(port) + " 0 0 X" + places + "*";
}

TEST(TourTables, RecordsFillTablesFromTheTop) {
  std::string ten;
  for (int t = 10; t >= 1; --t) ten += TableRecord(26000 + t);
  struct Case {
    const char* name;
    std::string reply;
    bool ok;
    int filledFrom;  // tables filledFrom..10 come from records, the others keep defaults
  } const cases[] = {
      {"two records fill tables 10 and 9", TableRecord(26010) + TableRecord(26009), true, 9},
      {"ten records fill every table, an eleventh is not read", ten + TableRecord(9999), true, 1},
      {"no '$' is no record and no failure", "server busy", true, 11},
      {"a port that is no number fails", "$1 10.0.0.1 26x01 0 0 X", false, 11},
      {"a score that is no number fails", TableRecord(1, " Ann 1o 0 0 1-001 Roma W 1.2.3.4"), false, 11},
      {"a short record keeps the defaults of the fields it lacks", "$1 10.0.0.1 26010", true, 10},
  };
  for (const Case& c : cases) {
    TourTables tables;
    EXPECT_EQ(ParseTourTablesReply(c.reply, tables), c.ok) << c.name;
    if (!c.ok) continue;
    for (int t = 1; t <= kTourTables; ++t) {
      const TQorTable_3& table = tables[static_cast<std::size_t>(t - 1)];
      EXPECT_EQ(table.IP, t < c.filledFrom ? "0.0.0.0" : "10.0.0.1") << c.name << " table " << t;
      EXPECT_EQ(table.Port, t < c.filledFrom ? 0 : 26000 + t) << c.name << " table " << t;
      for (int place = 1; place <= kTourPlaces; ++place)
        EXPECT_TRUE(PlaceFree(table.Place(place)) && table.Place(place).Sex == 'M') << c.name;
    }
  }

  // Places with their texts (Windows-1251 on the wire).
  TourTables tables;
  ASSERT_TRUE(ParseTourTablesReply(TableRecord(26010, " Ann 120 7 1530 1-001 Roma W 203.0.113.9 \xC0\xED\xFF -40 "
                                                      "3 1480 1-030 \xCA\xE0\xE7\xE0\xED\xFC M 198.51.100.2") +
                                       "\r\n",
                                   tables));
  const TQorClient& ann = tables[9].Place(1);
  EXPECT_EQ(ann.Nick + ann.Country + ann.City + ann.Sex + ann.IP, "Ann1-001RomaW203.0.113.9");
  EXPECT_EQ(ann.Score * 1000000 + ann.Kon * 10000 + ann.Rating, 120071530);
  EXPECT_EQ(tables[9].Place(2).Nick + tables[9].Place(2).City, "АняКазань");
  EXPECT_EQ(tables[9].Place(2).Score, -40);
  EXPECT_TRUE(PlaceFree(tables[9].Place(3)));
}

TEST(TourReplies, ServerStatePlaceAndStanding) {
  struct InfoCase {
    const char* reply;
    char state;
    const char* text;
  } const infos[] = {
      {"$Y Welcome_to_the_tournament!", 'Y', "Welcome to the tournament!"},
      {"$N Maintenance_until_20:00\r\n", 'N', "Maintenance until 20:00"},
      {"$Yes", 'Y', ""},
      {"nothing", 'N', ""},
  };
  for (const InfoCase& c : infos) {
    TourServerInfo info;
    EXPECT_TRUE(ParseTourServerInfoReply(c.reply, info)) << c.reply;
    EXPECT_EQ(info.state, c.state) << c.reply;
    EXPECT_EQ(info.text, c.text) << c.reply;
  }

  const std::pair<const char*, PlaceReply> markers[] = {
      {"$+ok#", PlaceReply::Done},  {"done ok", PlaceReply::Done}, {"$+is#", PlaceReply::Refused},
      {"", PlaceReply::Failed},     {"o k", PlaceReply::Failed},
  };
  for (const auto& [reply, result] : markers) EXPECT_EQ(ParsePlaceReply(reply), result) << reply;

  struct ClientCase {
    const char* reply;
    bool ok;
    const char* shown;  // nick, score, sex, address
  } const clients[] = {
      {"$Ann 10 2 1500 1-001 Roma Woman 1.2.3.4", true, "Ann 10 W 1.2.3.4"},
      {"$Ann ten 2 1500", false, "Ann 0 M X"},
      {"no record", true, "X 0 M X"},
  };
  for (const ClientCase& c : clients) {
    TQorClient client;
    EXPECT_EQ(ParseTourClientReply(c.reply, client), c.ok) << c.reply;
    EXPECT_EQ(client.Nick + " " + std::to_string(client.Score) + " " + client.Sex + " " + client.IP, c.shown);
  }

  for (const auto& [document, address] : {std::pair{"203.0.113.9\r\n", "203.0.113.9"},
                                          {" 2001:db8::7 ", "2001:db8::7"},
                                          {"<html>Not found</html>", "X"},
                                          {"", "X"},
                                          {"1.2.3.4 5.6.7.8", "X"}})
    EXPECT_EQ(ExternalAddressOf(document), address) << document;

  struct StandingCase {
    const char* reply;
    bool ok;
    std::int32_t score, kon, rating;
  } const standings[] = {
      {"$250 12 1620$", true, 250, 12, 1620},
      {"$-30 1\n", true, -30, 1, 99},    // a short record keeps the rating
      {"$250 x 1620", false, 5, 6, 99},  // a failed parse changes nothing
      {"", true, 5, 6, 99},
  };
  for (const StandingCase& c : standings) {
    TQorClient own;
    own.Score = 5;
    own.Kon = 6;
    own.Rating = 99;
    EXPECT_EQ(ParseTourStandingReply(c.reply, own), c.ok) << c.reply;
    EXPECT_EQ(own.Score * 10000 + own.Kon * 1000 + own.Rating, c.score * 10000 + c.kon * 1000 + c.rating) << c.reply;
  }
}

}  // namespace
}  // namespace tarvel
