// The tournament service. Until the tournament's tables are served, it
// answers the read of its online top ten (by score "s", rating "r" or games
// "k"): no results yet, so an empty list.
#pragma once

#include <optional>

#include "service_module.h"

namespace tarvel::services {

class TournamentModule : public ServiceModule {
 public:
  QString Name() const override { return QStringLiteral("tournament"); }
  bool Open(QSqlDatabase&) override { return true; }
  void AddRoutes(QHttpServer& server) override;

  // Serves a checked body; nothing when it is no request of this service.
  static std::optional<FormReply> Serve(const FormFields& form);
};

}  // namespace tarvel::services
