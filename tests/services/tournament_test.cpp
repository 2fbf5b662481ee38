// The online tournament against the real services program: the lobby's
// place requests, and whole games of scripted players over real table
// connections, some of whom cheat, drop their connection or let their clock
// run out. The table server must refuse every act the rules do not allow,
// keep the honest players' game going, and store its own results.
#include <gtest/gtest.h>
#include <poll.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "online_top_ten.h"
#include "replies.h"
#include "services_fixture.h"
#include "tour_players.h"
#include "tour_rating.h"

namespace tarvel::services::testing {
namespace {

using tour::TourMessageKind;

std::string Post(Services& s, const std::string& body) {
  return s.requests.PostText(Endpoint::TournamentService, body, false).body;
}

// The fields of the first record of a reply, numbered from 1.
std::vector<std::string> FirstRecord(const std::string& reply) {
  std::vector<std::string> fields{""};
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  if (records.empty()) return fields;
  for (std::string_view field : records.front())
    if (!field.empty()) fields.emplace_back(field);
  return fields;
}

// Table 1's port less one, from the table list.
int BasePort(Services& s) {
  const std::string reply = Post(s, "readtable310=87&gid=87");
  for (const ReplyFields& record : ReplyRecords(reply, 10, true)) {
    std::vector<std::string_view> fields;
    for (std::string_view field : record)
      if (!field.empty()) fields.push_back(field);
    if (fields.size() >= 3 && fields[0] == "1") return std::stoi(std::string(fields[2])) - 1;
  }
  return 0;
}

std::string Leave(int table, int place, int action) {
  const std::string k = std::to_string(place);
  std::string body("client3on");
  body += k;
  body += "=0&gid=87&num=";
  body += std::to_string(table);
  body += "&can=";
  body += std::to_string(action);
  for (const auto& [name, value] : {std::pair{"nick", "X"}, {"country", "X"}, {"city", "X"}, {"ip", "X"},
                                     {"sex", "X"}, {"score", "0"}, {"kon", "0"}, {"rating", "0"}}) {
    body += '&';
    body += name;
    body += k;
    body += '=';
    body += value;
  }
  return body;
}

// The nick of `place` at case `c`. Built piece by piece: a short literal
// joined in front of a number makes GCC 12 at -O3 report a false -Wrestrict.
std::string NickOf(std::size_t c, int place) {
  std::string nick(1, 'P');
  nick += std::to_string(c + 1);
  nick += 'x';
  nick += std::to_string(place);
  return nick;
}

std::string ReadPlace(int table, int place) {
  std::string body("readclient");
  body += std::to_string(place);
  body += "=0&gid=87&num=";
  body += std::to_string(table);
  return body;
}

bool Done(const std::string& reply) { return reply.find("ok") != std::string::npos; }

TEST(Tournament, LobbyPlaceRules) {
  Services s;
  ASSERT_NE(BasePort(s), 0);
  EXPECT_EQ(FirstRecord(Post(s, "serverinforead=0&gid=87"))[1], "Y");
  struct Step {
    const char* what;
    std::string body;
    bool done;
  };
  for (const Step& step : {
           Step{"place 2 before place 1", TakePlaceBody(4, 2, "Bora"), false},
           Step{"place 1", TakePlaceBody(4, 1, "Anna"), true},
           Step{"place 1 again", TakePlaceBody(4, 1, "Bora"), false},
           Step{"a second place of one nick", TakePlaceBody(5, 1, "Anna"), false},
           Step{"place 3 before place 2", TakePlaceBody(4, 3, "Cyra"), false},
           Step{"place 2", TakePlaceBody(4, 2, "Bora"), true},
           Step{"giving up place 1", Leave(4, 1, 2), true},
           Step{"clearing place 2, already free", Leave(4, 2, 0), true},
           Step{"place 3 after place 2 went with place 1", TakePlaceBody(4, 3, "Cyra"), false},
           Step{"place 1 after it was freed", TakePlaceBody(4, 1, "Bora"), true},
           Step{"a city with a blank and a star", TakePlaceBody(4, 2, "Cyra", "New *York"), true},
       }) {
    EXPECT_EQ(Done(Post(s, step.body)), step.done) << step.what;
  }
  // The new place 1 shows the standing made at the first take.
  const std::vector<std::string> first = FirstRecord(Post(s, ReadPlace(4, 1)));
  ASSERT_EQ(first.size(), 9u);
  EXPECT_EQ(first[1], "Bora");
  EXPECT_EQ(first[4], std::to_string(kStartRating));
  EXPECT_EQ(FirstRecord(Post(s, ReadPlace(4, 2)))[6], "New__York");
  EXPECT_EQ(FirstRecord(Post(s, "readrating87=0&nick=Anna")),
            (std::vector<std::string>{"", "0", "0", std::to_string(kStartRating)}));
  EXPECT_EQ(ParseNumberReply(Post(s, "placer87=0&rating1=1000")), 1);
  EXPECT_FALSE(ParseNumberReply(Post(s, "places87=0&score1=5")));  // nobody has 5: no place
}

// True when the server closes `link` (within a guard time that only keeps a
// broken server from hanging the test).
bool ClosedByServer(FrameLink& link) {
  for (int i = 0; i < 200; ++i) {
    pollfd p{link.Descriptor(), POLLIN, 0};
    if (poll(&p, 1, 100) > 0 && !link.Receive()) return true;
  }
  return false;
}

TEST(Tournament, TableConnectionsThatAreNoPlayers) {
  Services s;
  const int port = BasePort(s) + 6;
  ASSERT_TRUE(Done(Post(s, TakePlaceBody(6, 1, "Dana"))));
  // The holder of place 1 joins with a frame cut in two.
  FrameLink holder(port);
  const std::string join = tour::BuildConnectFrame(1);
  ASSERT_TRUE(holder.Send(join.substr(0, 9)));
  ASSERT_TRUE(holder.Send(join.substr(9)));
  struct Row {
    const char* what;
    std::string bytes;
  };
  for (const Row& row : {
           Row{"no join frame first", tour::BuildMoveFrame(1, 1)},
           Row{"a place nobody holds", tour::BuildConnectFrame(2)},
           Row{"a join naming two places", "connect1" + std::string(11, '#') + "2"},
           Row{"a place already joined", join},
           Row{"bytes that are no frame", std::string(40, '\xFF')},
       }) {
    FrameLink intruder(port);
    ASSERT_TRUE(intruder.Send(row.bytes)) << row.what;
    EXPECT_TRUE(ClosedByServer(intruder)) << row.what;
  }
  // The holder is still joined: giving up the place frees it and closes.
  EXPECT_EQ(FirstRecord(Post(s, ReadPlace(6, 1)))[1], "Dana");
  ASSERT_TRUE(holder.Send(tour::BuildLeaveFrame(1)));
  EXPECT_TRUE(ClosedByServer(holder));
  EXPECT_EQ(FirstRecord(Post(s, ReadPlace(6, 1)))[1], "X");
}

TEST(Tournament, RatingRewardsWinsAgainstStrongerPlayers) {
  struct Row {
    std::array<std::int32_t, 3> ratings, results, expected;
  };
  for (const Row& row : {
           Row{{1000, 1000, 1000}, {200, -100, -100}, {1016, 992, 992}},
           Row{{1000, 1000, 1000}, {0, 0, 0}, {1000, 1000, 1000}},
           Row{{800, 1200, 1200}, {200, -100, -100}, {829, 1185, 1185}},
           Row{{1200, 800, 800}, {200, -100, -100}, {1203, 799, 799}},
       }) {
    EXPECT_EQ(RatedAfterGame(row.ratings, row.results), row.expected);
  }
  EXPECT_EQ(ForfeitResults(2), (std::array<std::int32_t, 3>{400, -800, 400}));
}

struct GameCase {
  const char* name;
  std::array<Misdeeds, 3> deeds;
  TourMessageKind ending;  // what the places that behaved were told
  int loser;               // the place that lost by leaving or time, 0 none
};

// Plays the cases at tables 1.. of one services program at once and checks
// what each player was told and what was stored.
void PlayCases(const std::vector<GameCase>& cases, const std::vector<std::string>& options) {
  Services s(options);
  const int base = BasePort(s);
  ASSERT_NE(base, 0);
  std::vector<ScriptedTable> tables(cases.size());
  std::map<std::string, std::int32_t> expectedScore;
  for (std::size_t c = 0; c < cases.size(); ++c) {
    tables[c].table = static_cast<int>(c) + 1;
    for (int place = 1; place <= 3; ++place) {
      const std::size_t i = static_cast<std::size_t>(place - 1);
      tables[c].players[i] = std::make_unique<ScriptedPlayer>(place, cases[c].deeds[i]);
      const std::string nick = NickOf(c, place);
      ASSERT_TRUE(Done(Post(s, TakePlaceBody(tables[c].table, place, nick))));
    }
  }
  const TablesRun run = PlayTables(tables, base, 60000);
  EXPECT_TRUE(run.finished);

  for (std::size_t c = 0; c < cases.size(); ++c) {
    const GameCase& gc = cases[c];
    const std::array<std::int32_t, 3> results =
        gc.loser != 0 ? ForfeitResults(gc.loser) : tables[c].players[1]->Game().Results();
    for (int place = 1; place <= 3; ++place) {
      const ScriptedPlayer& player = *tables[c].players[static_cast<std::size_t>(place - 1)];
      const Misdeeds& deeds = gc.deeds[static_cast<std::size_t>(place - 1)];
      const bool behaved = player.MisdeedsDone() == 0 && deeds.silentAfterActs < 0 && deeds.dropAfterActs < 0;
      if (behaved) {
        // Nothing refused reached the others: their game stayed the server's.
        EXPECT_TRUE(player.InStep()) << gc.name << " place " << place;
        EXPECT_EQ(player.Ending(), gc.ending) << gc.name << " place " << place;
        if (gc.loser != 0) {
          EXPECT_EQ(player.EndingPlace(), gc.loser) << gc.name;
        }
      }
      const std::string nick = NickOf(c, place);
      const std::vector<std::string> standing = FirstRecord(Post(s, "readrating87=0&nick=" + nick));
      ASSERT_EQ(standing.size(), 4u) << nick;
      EXPECT_EQ(standing[1], std::to_string(results[static_cast<std::size_t>(place - 1)])) << gc.name << " " << nick;
      EXPECT_EQ(standing[2], "1") << nick;
      if (place == gc.loser) {
        EXPECT_LT(std::stoi(standing[3]), kStartRating) << nick;
      }
      expectedScore[nick] = results[static_cast<std::size_t>(place - 1)];
    }
    for (int place = 1; place <= 3; ++place)  // the table is free again
      EXPECT_EQ(FirstRecord(Post(s, ReadPlace(tables[c].table, place)))[1], "X");
  }
  // The online top ten by score shows the best of them with their scores.
  TopTenList list;
  ASSERT_TRUE(ReadOnlineTopTen(s.requests, 's', list));
  std::int32_t best = std::numeric_limits<std::int32_t>::min();
  for (const auto& [nick, score] : expectedScore) best = std::max(best, score);
  EXPECT_EQ(list[0].Score, best);
  for (const TQorRecord& entry : list) {
    if (entry.Nick == "#") continue;
    EXPECT_EQ(entry.Score, expectedScore.at(entry.Nick)) << entry.Nick;
  }
}

TEST(Tournament, GamesWithHonestAndCheatingPlayers) {
  Misdeeds refused;  // two refused acts: still in the game
  refused.outOfTurn = true;
  refused.foreignContinue = true;
  Misdeeds illegal;
  illegal.illegalCard = true;
  Misdeeds forged;
  forged.forgedResults = true;
  Misdeeds thrice;  // the third refused act counts as leaving
  thrice.outOfTurn = true;
  thrice.foreignContinue = true;
  thrice.wrongPlaceDigit = true;
  Misdeeds drops;
  drops.dropAfterActs = 5;
  PlayCases({
                {"honest", {}, TourMessageKind::End, 0},
                {"refused acts", {Misdeeds{}, refused, illegal}, TourMessageKind::End, 0},
                {"forged results", {forged, Misdeeds{}, Misdeeds{}}, TourMessageKind::End, 0},
                {"third fault", {Misdeeds{}, Misdeeds{}, thrice}, TourMessageKind::Left, 3},
                {"disconnect", {Misdeeds{}, drops, Misdeeds{}}, TourMessageKind::Left, 2},
            },
            {});
}

TEST(Tournament, ClockRunsOut) {
  Misdeeds silent;
  silent.silentAfterActs = 4;
  PlayCases({{"clock", {Misdeeds{}, Misdeeds{}, silent}, TourMessageKind::TimedOut, 3}}, {"--move-clock", "1"});
}

TEST(Tournament, PlaceNotJoinedIsLetGo) {
  Services s({"--move-clock", "1"});
  ASSERT_TRUE(Done(Post(s, TakePlaceBody(2, 1, "Gone"))));
  // Nobody joins: the place is free again after two move clocks (the loop
  // only bounds a broken server).
  bool free = false;
  for (int i = 0; i < 200 && !free; ++i) {
    pollfd none{-1, 0, 0};
    poll(&none, 0, 100);
    free = FirstRecord(Post(s, ReadPlace(2, 1)))[1] == "X";
  }
  EXPECT_TRUE(free);
  EXPECT_TRUE(Done(Post(s, TakePlaceBody(3, 1, "Gone"))));  // the nick holds no place
}

}  // namespace
}  // namespace tarvel::services::testing
