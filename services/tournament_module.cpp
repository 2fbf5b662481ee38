#include "tournament_module.h"

#include <QUrl>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <set>

#include "service_records.h"

namespace tarvel::services {
namespace {

// The replies of the take-or-leave request.
constexpr std::string_view kPlaceDone = "$+ok#\n";
constexpr std::string_view kPlaceRefused = "$+is#\n";
constexpr std::string_view kServerText = "Welcome_to_the_TARVEL_online_tournament!";

constexpr std::int64_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

// The actions of the take-or-leave request besides taking (1).
constexpr std::int64_t kClear = 0;
constexpr std::int64_t kGiveUp = 2;

// The fields of a free place: nick, score, games, rating, country, city, sex, IP.
const std::vector<std::string> kFreePlace = {"X", "0", "0", "0", "X", "X", "M", "X"};

std::vector<std::string> PlaceFields(const std::optional<TQorClient>& client) {
  if (!client) return kFreePlace;
  return {client->Nick,    std::to_string(client->Score), std::to_string(client->Kon),
          std::to_string(client->Rating), client->Country, client->City,
          std::string(1, client->Sex), client->IP};
}

std::string Shape(std::set<std::string> names) {
  std::string shape;
  for (const std::string& name : names) {
    if (!shape.empty()) shape += ',';
    shape += name;
  }
  return shape;
}

// Field `name` followed by the place digit.
std::string Numbered(const char* name, int place) {
  std::string field(name);
  field += std::to_string(place);
  return field;
}

}  // namespace

void TournamentModule::AddRoutes(QHttpServer& server) {
  AddFormRoute(server, QStringLiteral("/tournament"),
               [this](const FormFields& form, const QHttpServerRequest& request) {
                 return Serve(form, CallerAddress(request).toStdString(),
                              request.url().host().toStdString());
               });
}

std::optional<FormReply> TournamentModule::Serve(const FormFields& form, const std::string& caller,
                                                 const std::string& requestHost) {
  std::optional<std::string> body = Answer(form, caller, requestHost);
  if (!body) return std::nullopt;
  return FormReply{std::move(*body), {}};
}

std::optional<std::string> TournamentModule::Answer(const FormFields& form, const std::string& caller,
                                                    const std::string& requestHost) {
  const std::string game = std::to_string(kGameId);
  const std::string shape = form.Shape();
  const auto isGame = [&form](const std::string& name) { return form.Number(name, kGameId, kGameId).has_value(); };
  if (shape == "gid,readtable310" && isGame("gid") && isGame("readtable310")) return Tables(requestHost);
  if (shape == "gid,serverinforead" && isGame("gid") && form.Number("serverinforead", 0, 0))
    return ServerState();
  const std::string readRating = "readrating" + game;
  if (shape == "nick," + readRating && form.Number(readRating, 0, 0)) {
    const std::optional<std::string> nick = form.Text("nick", 40);
    if (!nick) return std::nullopt;
    const TourStanding standing = store_.Standing(*nick);
    return ReplyRecord({std::to_string(standing.score), std::to_string(standing.kon),
                        std::to_string(standing.rating)}) +
           "\n";
  }
  for (int place = 1; place <= kTourPlaces; ++place) {
    const std::string read = Numbered("readclient", place);
    if (shape == "gid,num," + read && isGame("gid") && form.Number(read, 0, 0)) {
      const auto table = form.Number("num", 1, TableCount());
      if (!table) return std::nullopt;
      return ReadPlace(static_cast<int>(*table), place);
    }
    const std::string request = "client3on" + std::to_string(place);
    if (form.Has(request)) return TakeOrLeave(form, place, caller);
  }
  static constexpr std::array<std::pair<char, const char*>, 3> kKinds = {
      {{'s', "score1"}, {'r', "rating1"}, {'k', "kon1"}}};
  for (const auto& [kind, valueName] : kKinds) {
    const std::string top = "top10" + std::string(1, kind) + game;
    if (shape == "nick," + top && form.Number(top, 0, 0)) return TopTen(kind);
    const std::string place = "place" + std::string(1, kind) + game;
    if (shape == Shape({place, valueName}) && form.Number(place, 0, 0)) {
      const auto value = form.Number(valueName, kInt32Min, kInt32Max);
      if (!value) return std::nullopt;
      return NumberReply(store_.PlaceOf(kind, *value));
    }
  }
  return std::nullopt;
}

std::string TournamentModule::Tables(const std::string& requestHost) {
  const std::string host = tables_ != nullptr ? tables_->Host(requestHost) : "0.0.0.0";
  std::string reply;
  for (int table = kTourTables; table >= 1; --table) {
    std::vector<std::string> fields = {std::to_string(table), host,
                                       std::to_string(tables_ != nullptr ? tables_->Port(table) : 0)};
    std::vector<std::string> places;
    int free = 0;
    for (int place = 1; place <= kTourPlaces; ++place) {
      const std::optional<TQorClient> client = store_.Place(table, place);
      if (!client) ++free;
      for (std::string& field : PlaceFields(client)) places.push_back(std::move(field));
    }
    const bool running = tables_ != nullptr && tables_->GameRunning(table);
    fields.push_back(std::to_string(free));   // Free: places still free
    fields.push_back(running ? "1" : "0");    // R1: a game runs
    fields.push_back("X");                    // R2
    for (std::string& field : places) fields.push_back(std::move(field));
    reply += ReplyRecord(fields);
    reply += " *";
  }
  reply += '\n';
  return reply;
}

std::string TournamentModule::ServerState() const {
  std::string reply = ReplyRecord({tables_ != nullptr ? "Y" : "N", std::string(kServerText)});
  reply += '\n';
  return reply;
}

std::string TournamentModule::ReadPlace(int table, int place) {
  std::string reply = ReplyRecord(PlaceFields(store_.Place(table, place)));
  reply += '\n';
  return reply;
}

std::optional<std::string> TournamentModule::TakeOrLeave(const FormFields& form, int place,
                                                         const std::string& caller) {
  const std::string request = "client3on" + std::to_string(place);
  std::set<std::string> names = {request, "gid", "num", "can"};
  for (const char* name : {"nick", "score", "kon", "rating", "country", "city", "sex", "ip"})
    names.insert(Numbered(name, place));
  if (form.Shape() != Shape(names) || !form.Number(request, 0, 0) ||
      !form.Number("gid", kGameId, kGameId))
    return std::nullopt;
  const auto table = form.Number("num", 1, TableCount());
  const auto action = form.Number("can", 0, 2);
  if (!table || !action) return std::nullopt;
  const int t = static_cast<int>(*table);
  if (tables_ == nullptr || tables_->GameRunning(t)) return std::string(kPlaceRefused);

  if (*action == kClear || *action == kGiveUp) {
    // Only the caller that took a place lets it go, with the places after it.
    if (!store_.Place(t, place)) return std::string(kPlaceDone);
    if (store_.Owner(t, place) != caller) return std::string(kPlaceRefused);
    for (const int freed : store_.FreeFrom(t, place)) tables_->PlaceFreed(t, freed);
    return std::string(kPlaceDone);
  }

  TQorClient player;
  // Nicks as the accounts keep them; a country or city may hold blanks,
  // which the replies carry as '_'.
  const auto nick = form.Text(Numbered("nick", place), 12);
  const auto country = form.FreeText(Numbered("country", place), 40);
  const auto city = form.FreeText(Numbered("city", place), 40);
  const auto sex = form.Text(Numbered("sex", place), 1);
  const auto ip = form.Text(Numbered("ip", place), 45);
  for (const char* number : {"score", "kon", "rating"}) {
    if (!form.Number(Numbered(number, place), kInt32Min, kInt32Max)) return std::nullopt;
  }
  if (!nick || *nick == "X" || !country || !city || !sex || (*sex != "M" && *sex != "W") || !ip)
    return std::nullopt;
  if (store_.Place(t, place) || (place > 1 && !store_.Place(t, place - 1)) || store_.HoldsPlace(*nick))
    return std::string(kPlaceRefused);
  player.Nick = *nick;
  // A '*' would end a table record early.
  player.Country = *country;
  player.City = *city;
  std::replace(player.Country.begin(), player.Country.end(), '*', '_');
  std::replace(player.City.begin(), player.City.end(), '*', '_');
  player.Sex = (*sex)[0];
  player.IP = *ip;
  if (!store_.Take(t, place, player, caller)) return std::string(kPlaceRefused);
  tables_->PlaceTaken(t, place);
  return std::string(kPlaceDone);
}

std::string TournamentModule::TopTen(char kind) {
  std::string reply;
  int place = 0;
  for (const TourStanding& standing : store_.Best(kind)) {
    const std::int32_t value = kind == 's' ? standing.score : kind == 'r' ? standing.rating : standing.kon;
    reply += ReplyRecord({std::to_string(++place), standing.nick, standing.city, standing.country,
                          std::string(1, standing.sex), std::to_string(value)});
  }
  reply += '\n';
  return reply;
}

}  // namespace tarvel::services
