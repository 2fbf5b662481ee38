// The world top ten service: ordered lists of results named by a list
// number, a player's neighbourhood, the number of games of a list, and the
// chat board (list 100, one message per entry). Lists are read far more
// often than written, so each list's reply is kept until the list changes.
#pragma once

#include <QSqlQuery>

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "service_module.h"

namespace tarvel::services {

class TopTenModule : public ServiceModule {
 public:
  // A paused service answers its requests with "service unavailable".
  TopTenModule(bool topTenPaused, bool chatPaused)
      : topTenPaused_(topTenPaused), chatPaused_(chatPaused) {}

  QString Name() const override { return QStringLiteral("topten"); }
  std::vector<QStringList> Migrations() const override;
  bool Open(QSqlDatabase& database) override;
  void AddRoutes(QHttpServer& server) override;
  std::vector<std::pair<QString, QString>> DirectoryKeys() const override;

  // Serves a checked body; nothing when it is no request of this service.
  std::optional<FormReply> Serve(const FormFields& form);

 private:
  std::optional<std::string> Answer(const FormFields& form);
  // The reply to a list read: the best ten of `list`.
  std::string ListReply(std::int64_t list);
  std::string Around(std::int64_t list, const std::string& nick, const std::string& city);
  std::optional<std::string> Write(const FormFields& form);
  std::string Records(std::int64_t list, std::int64_t offset);
  std::int64_t Count(std::int64_t list);
  // How many entries of `list` stand before the entry `id` with `score`.
  std::int64_t Above(std::int64_t list, std::int64_t score, std::int64_t id);

  QSqlQuery page_, rank_, best_, insert_, count_;
  std::unordered_map<std::int64_t, std::string> cache_;
  bool topTenPaused_;
  bool chatPaused_;
};

}  // namespace tarvel::services
