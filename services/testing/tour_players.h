// Scripted tournament players for tests and benchmarks: each follows its
// table with a referee of its own, chooses its cards with the computer
// players and speaks the frames over a plain socket. Some of them misbehave
// on purpose, to test the table server. Plain C++ and POSIX sockets.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table_referee.h"
#include "tour_frames.h"

namespace tarvel::services {

// What a scripted player does besides playing well; each misdeed once.
struct Misdeeds {
  bool outOfTurn = false;        // a card while another place is to play
  bool illegalCard = false;      // a card that does not follow suit or trump
  bool foreignContinue = false;  // "hsl" from a place other than 1
  bool wrongPlaceDigit = false;  // a move frame carrying another place's digit
  bool forgedResults = false;    // place 1: results that favour itself
  int silentAfterActs = -1;      // stops acting after this many acts
  int dropAfterActs = -1;        // closes its connection after this many acts
};

class ScriptedPlayer {
 public:
  explicit ScriptedPlayer(int place, Misdeeds misdeeds = {}) : place_(place), misdeeds_(misdeeds) {}

  // What the table server sent; the frames this player sends in answer.
  std::vector<std::string> OnMessage(const tour::TourMessage& message);

  int Place() const { return place_; }
  bool Over() const { return over_; }
  bool WantsToDrop() const { return misdeeds_.dropAfterActs >= 0 && acts_ >= misdeeds_.dropAfterActs; }
  // The message that ended its game (End, Left or TimedOut) and its place.
  tour::TourMessageKind Ending() const { return ending_; }
  int EndingPlace() const { return endingPlace_; }
  // The game as this player followed it; false once a relayed act did not fit.
  const TableReferee& Game() const { return game_; }
  bool InStep() const { return inStep_; }
  int MisdeedsDone() const { return misdeedsDone_; }

 private:
  void Act(std::vector<std::string>& out);
  void Misbehave(std::vector<std::string>& out);

  int place_;
  Misdeeds misdeeds_;
  TableReferee game_;
  int deals_ = 0;
  int acts_ = 0;
  int misdeedsDone_ = 0;
  bool over_ = false;
  bool inStep_ = true;
  bool askedDeal_ = false;  // place 1: the next deal is asked for
  bool summed_ = false;     // place 1: the results are sent
  tour::TourMessageKind ending_ = tour::TourMessageKind::End;
  int endingPlace_ = 0;
  Misdeeds done_;
};

// A connection to a table of 127.0.0.1 with the player's frame reader.
class FrameLink {
 public:
  explicit FrameLink(int port);
  ~FrameLink();
  FrameLink(const FrameLink&) = delete;
  FrameLink& operator=(const FrameLink&) = delete;

  bool Open() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  bool Send(std::string_view bytes);
  // Reads what has arrived; false when the server closed the connection.
  bool Receive();
  std::optional<tour::TourMessage> Next() { return reader_.Next(); }
  void Close();

 private:
  int fd_ = -1;
  tour::TourFrameReader reader_;
};

// The body of a take-a-place request for a scripted player.
std::string TakePlaceBody(int table, int place, const std::string& nick,
                          const std::string& city = "Testcity");

// Three scripted players at one table.
struct ScriptedTable {
  int table = 0;
  std::array<std::unique_ptr<ScriptedPlayer>, 3> players;
  std::array<std::unique_ptr<FrameLink>, 3> links;
  std::chrono::steady_clock::time_point sentAt;  // the last act sent
};

struct TablesRun {
  bool finished = false;          // every player's game ended
  std::int64_t relayed = 0;       // acts of one player that reached another
  std::vector<double> latencyUs;  // from an act's send to its arrival
  double seconds = 0;
};

// Connects the players of every table (their places already taken) and
// plays until every game has ended or `limitMs` has passed.
TablesRun PlayTables(std::vector<ScriptedTable>& tables, int basePort, int limitMs);

}  // namespace tarvel::services
