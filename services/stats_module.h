// The statistics service: start reports, votes and game reports counted per
// game, and the statistics record read back. A machine is known by the key
// cookie the service gives it on its first report: unique starts count the
// keys that reported, and each key votes once. The service also answers the
// chat board read (list 100) for callers that ask it here.
#pragma once

#include <QSqlQuery>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "service_module.h"

namespace tarvel::services {

class StatsModule : public ServiceModule {
 public:
  // `chatList` answers a read of list 100.
  explicit StatsModule(std::function<std::optional<FormReply>(const FormFields&)> chatList)
      : chatList_(std::move(chatList)) {}

  QString Name() const override { return QStringLiteral("stats"); }
  std::vector<QStringList> Migrations() const override;
  bool Open(QSqlDatabase& database) override;
  void AddRoutes(QHttpServer& server) override;
  std::vector<std::pair<QString, QString>> DirectoryKeys() const override;

  // Serves a checked body for the machine `key`.
  std::optional<FormReply> Serve(const FormFields& form, const std::string& key);

  // The machine key of a request's cookie, if it carries a well-formed one.
  static std::optional<std::string> KeyOf(const QHttpServerRequest& request);
  static std::string NewKey();

 private:
  std::optional<std::string> Count(const FormFields& form, const std::string& key);
  std::string Read(std::int64_t game);

  std::function<std::optional<FormReply>(const FormFields&)> chatList_;
  QSqlQuery start_, vote_, games_, readStarts_, readVotes_, lastVote_, readGames_;
};

}  // namespace tarvel::services
