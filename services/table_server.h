// The tournament's table server: one TCP listener per table (port base +
// table), the three places' connections, the game as the referee checks it,
// the move clock, and the results stored when a game ends.
//
// Everything runs on the program's one event loop, beside the HTTP
// services: a frame is read, checked, applied and relayed in one step, so
// the tables need no locks and the store sees one writer.
#pragma once

#include <QHostAddress>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "engine/rules.h"
#include "tour_store.h"
#include "tournament_module.h"

namespace tarvel::services {

struct TableServerOptions {
  QHostAddress address = QHostAddress::LocalHost;
  int basePort = 0;          // table t on basePort + t; 0: any base with free ports
  int moveClockSeconds = 30;  // a place that does not act in time loses
  int tables = kTourTables;   // more for load tests; the table list shows ten
};

class TableServer : public TourTables {
 public:
  TableServer(TourStore& store, const TableServerOptions& options);
  ~TableServer() override;
  TableServer(const TableServer&) = delete;
  TableServer& operator=(const TableServer&) = delete;

  // Opens the listeners; false, with the reason in `error`, when a port
  // is taken.
  bool Listen(std::string& error);

  std::string Host(const std::string& requestHost) const override;
  int Count() const override { return static_cast<int>(tables_.size()); }
  int Port(int table) const override;
  bool GameRunning(int table) const override;
  void PlaceFreed(int table, int place) override;
  // A place not joined within two move clocks is let go (its player's copy
  // went away between taking it and joining).
  void PlaceTaken(int table, int place) override;

  struct Table;
  struct Connection;

 private:
  bool ListenAt(int base);
  void Accept(Table& table);
  void Readable(Table& table, Connection& connection);
  void Disconnected(Table& table, Connection& connection);
  void Handle(Table& table, Connection& connection, const std::string& frame);
  void Join(Table& table, Connection& connection, int place);
  void StartGame(Table& table);
  void Fault(Table& table, Connection& connection, const char* what);
  void Leave(Table& table, int place, const char* why);
  void TimeOut(Table& table, int place);
  void EndGame(Table& table, const std::array<std::int32_t, 3>& results);
  void Acted(Table& table);
  void ClockRanOut(Table& table);
  void Send(Table& table, int place, const std::string& frame);
  void SendOthers(Table& table, int place, const std::string& frame);
  void Close(Connection& connection);
  // Closes the connection at `place`, if any; it is swept later.
  void ReleaseSeat(Table& table, int place);
  void Sweep(Table& table);
  Connection* Find(Table& table, const void* socket);

  TourStore& store_;
  TableServerOptions options_;
  DeckRandom random_;
  int base_ = 0;
  std::vector<std::unique_ptr<Table>> tables_;
};

}  // namespace tarvel::services
