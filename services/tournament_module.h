// The tournament service: the ten tables and their places, the server state,
// the players' standings and the online top ten (by score "s", rating "r" or
// games "k"). The games themselves run on the table server, which this
// service asks whether a table is playing and tells when a place is let go.
#pragma once

#include <optional>
#include <string>

#include "service_module.h"
#include "tour_store.h"

namespace tarvel::services {

// What the tournament service needs of the table server.
class TourTables {
 public:
  virtual ~TourTables() = default;
  // The address players connect to, as seen by a caller that reached the
  // services at `requestHost`.
  virtual std::string Host(const std::string& requestHost) const = 0;
  // The number of tables (ten, more for load tests).
  virtual int Count() const = 0;
  // The port of table 1..Count(); 0 while the tables are not served.
  virtual int Port(int table) const = 0;
  virtual bool GameRunning(int table) const = 0;
  // A place was let go in the lobby: its waiting connection goes too.
  virtual void PlaceFreed(int table, int place) = 0;
  // A place was taken in the lobby; its player must join the table soon.
  virtual void PlaceTaken(int table, int place) = 0;
};

class TournamentModule : public ServiceModule {
 public:
  QString Name() const override { return QStringLiteral("tournament"); }
  std::vector<QStringList> Migrations() const override { return TourStore::Migrations(); }
  bool Open(QSqlDatabase& database) override { return store_.Open(database); }
  void AddRoutes(QHttpServer& server) override;

  // The table server, once it listens; until then the tables are off.
  void SetTables(TourTables* tables) { tables_ = tables; }
  TourStore& Store() { return store_; }

  // Serves a checked body from `caller` (its address) that reached the
  // services at `requestHost`; nothing when it is no request of this service.
  std::optional<FormReply> Serve(const FormFields& form, const std::string& caller,
                                 const std::string& requestHost);

 private:
  std::optional<std::string> Answer(const FormFields& form, const std::string& caller,
                                    const std::string& requestHost);
  std::string Tables(const std::string& requestHost);
  std::string ServerState() const;
  std::optional<std::string> TakeOrLeave(const FormFields& form, int place, const std::string& caller);
  std::string ReadPlace(int table, int place);
  std::string TopTen(char kind);
  int TableCount() const { return tables_ != nullptr ? tables_->Count() : kTourTables; }

  TourStore store_;
  TourTables* tables_ = nullptr;
};

}  // namespace tarvel::services
