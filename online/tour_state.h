// The state of the online tournament that the lobby and the table connection
// share for the life of the program: the own player as the tournament knows
// it, the place held in the lobby and the state of the table connection.
// Texts are UTF-8 here; the wire is Windows-1251.
#pragma once

#include <cstdint>
#include <string>

namespace tarvel {

// A player at a table (the own player: nick, country, city and sex from the
// account, score, games and rating from the own standing, the address from
// the external-address request).
struct TQorClient {
  std::string Nick = "X";
  std::int32_t Score = 0;
  std::int32_t Kon = 0;  // games
  std::int32_t Rating = 0;
  std::string Country = "X";
  std::string City = "X";
  char Sex = 'M';  // 'M' or 'W'
  std::string IP = "X";
};

// TourLink: what the table connection is doing.
inline constexpr int kTourLinkNone = 0;
inline constexpr int kTourLinkConnecting = 1;
inline constexpr int kTourLinkJoined = 2;
inline constexpr int kTourLinkOver = 10;  // game over: no more messages expected

struct TourState {
  TQorClient TourClient;
  int OwnTable = 0;  // table 1..10 held in the lobby, 0 none
  int OwnPlace = 0;  // place 1..3 held in the lobby, 0 none
  int TourTable = 0;  // the table of the running game
  int TourLink = kTourLinkNone;
  std::string TourServerIP = "0.0.0.0";  // table 1's address
  int TourBasePort = 0;                  // table t listens on TourBasePort + t
  char ServerOn = 'N';                   // 'Y': the tournament server is on
  bool NoGameSeen = false;               // set by a table connection error
};

// The table connection as the lobby drives it; the table side implements it.
class TourTableLink {
 public:
  virtual ~TourTableLink() = default;
  // Connects to the table server as place `place` of `table` (TourLink 1;
  // the connection sends the join frame once it is up and sets TourLink 2).
  virtual void Open(const std::string& host, int port, int table, int place) = 0;
  // Gives up the place: sends the leave frame ("disA") and closes.
  virtual void Leave() = 0;
  // Closes the connection without a word.
  virtual void Close() = 0;
};

}  // namespace tarvel
