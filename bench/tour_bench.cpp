// Load test of the tournament's table server: many tables of three scripted
// players at once against one services program on loopback.
//
//   tarvel_bench_tour [--tables T] [--rounds R]
//
// Starts the real tarvel-services (with T tables, fresh data folder). Each
// round the players of the T tables take their places over HTTP, then all T
// games are played at once to their ends from one polling thread. Prints the
// acts relayed per second (a card or a continue arriving at another player)
// and the relay latency percentiles: from the moment a player sends an act
// until another player of the table has it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "http_client.h"
#include "replies.h"
#include "services_process.h"
#include "tour_players.h"

namespace {

using namespace tarvel;
using namespace tarvel::services;

int BasePort(HttpClient& client, const std::string& url) {
  const std::string reply = client.PostText(url, "readtable310=87&gid=87").body;
  for (const ReplyFields& record : ReplyRecords(reply, 10, true)) {
    std::vector<std::string_view> fields;
    for (std::string_view field : record)
      if (!field.empty()) fields.push_back(field);
    if (fields.size() >= 3 && fields[0] == "1") return std::atoi(std::string(fields[2]).c_str()) - 1;
  }
  return 0;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[static_cast<std::size_t>(p * static_cast<double>(values.size() - 1))];
}

}  // namespace

int main(int argc, char** argv) {
  int tables = 30;
  int rounds = 3;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--tables") tables = std::clamp(std::atoi(argv[i + 1]), 1, 200);
    if (name == "--rounds") rounds = std::clamp(std::atoi(argv[i + 1]), 1, 100);
  }
  const std::string data = MakeTemporaryFolder();
  ServicesProcess services(TARVEL_SERVICES_PROGRAM, data,
                           {"--no-ftp", "--tables", std::to_string(std::max(tables, 10))});
  if (!services.Started()) {
    std::fprintf(stderr, "services did not start: %s\n", services.Error().c_str());
    return 1;
  }
  HttpClient client;
  const std::string url = services.Base() + "tournament";
  const int base = BasePort(client, url);
  TablesRun total;
  int unfinished = 0;
  for (int round = 0; round < rounds; ++round) {
    std::vector<ScriptedTable> scripted(static_cast<std::size_t>(tables));
    for (int t = 1; t <= tables; ++t) {
      ScriptedTable& table = scripted[static_cast<std::size_t>(t - 1)];
      table.table = t;
      for (int place = 1; place <= 3; ++place) {
        table.players[static_cast<std::size_t>(place - 1)] = std::make_unique<ScriptedPlayer>(place);
        std::string nick(1, 'R');  // piece by piece: GCC 12's false -Wrestrict
        for (const std::string& piece : {std::to_string(round), std::string("t"), std::to_string(t),
                                         std::string("p"), std::to_string(place)})
          nick += piece;
        client.PostText(url, TakePlaceBody(t, place, nick));
      }
    }
    const TablesRun run = PlayTables(scripted, base, 120000);
    unfinished += run.finished ? 0 : 1;
    total.relayed += run.relayed;
    total.seconds += run.seconds;
    total.latencyUs.insert(total.latencyUs.end(), run.latencyUs.begin(), run.latencyUs.end());
  }
  services.Stop();
  std::printf("tables %d, rounds %d (%d unfinished): %lld acts relayed in %.2f s = %.0f per second\n", tables,
              rounds, unfinished, static_cast<long long>(total.relayed), total.seconds,
              static_cast<double>(total.relayed) / total.seconds);
  std::printf("relay latency: p50 %.3f ms, p99 %.3f ms, max %.3f ms\n", Percentile(total.latencyUs, 0.5) / 1000,
              Percentile(total.latencyUs, 0.99) / 1000, Percentile(total.latencyUs, 1.0) / 1000);
  return unfinished == 0 ? 0 : 1;
}
