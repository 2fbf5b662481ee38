#include "tournament_module.h"

#include <string>

#include "service_records.h"

namespace tarvel::services {

void TournamentModule::AddRoutes(QHttpServer& server) {
  AddFormRoute(server, QStringLiteral("/tournament"),
               [](const FormFields& form, const QHttpServerRequest&) { return Serve(form); });
}

std::optional<FormReply> TournamentModule::Serve(const FormFields& form) {
  const std::string game = std::to_string(kGameId);
  for (const char kind : {'s', 'r', 'k'}) {
    const std::string key = std::string("top10") + kind + game;
    if (form.Shape() == "nick," + key && form.Number(key, 0, 0)) return FormReply{"\n", {}};
  }
  return std::nullopt;
}

}  // namespace tarvel::services
