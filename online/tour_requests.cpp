#include "tour_requests.h"

#include <algorithm>
#include <vector>

#include "replies.h"

namespace tarvel {
namespace {

std::string Number(std::int32_t value) { return std::to_string(value); }

std::string GameNumber() { return Number(kGameId); }

// A player's fields from `first` on: nick, score, games, rating, country,
// city, sex, address (a table record's place, or a place record from 1).
bool TakeClient(const ReplyFields& fields, std::size_t first, TQorClient& client) {
  TakeRecordText(fields, first, client.Nick);
  if (!TakeRecordNumber(fields, first + 1, client.Score) || !TakeRecordNumber(fields, first + 2, client.Kon) ||
      !TakeRecordNumber(fields, first + 3, client.Rating))
    return false;
  TakeRecordText(fields, first + 4, client.Country);
  TakeRecordText(fields, first + 5, client.City);
  TakeRecordChar(fields, first + 6, client.Sex);
  TakeRecordText(fields, first + 7, client.IP);
  return true;
}

// The fields of place k in a take-or-leave body: "nick" k, "score" k, ...
std::string PlaceFieldName(std::string_view name, int place) {
  std::string field(name);
  field += static_cast<char>('0' + place);
  return field;
}

bool ValidPlace(int table, int place) {
  return table >= 1 && table <= kTourTables && place >= 1 && place <= kTourPlaces;
}

}  // namespace

TQorClient EmptyPlaceRecord() {
  TQorClient client;
  client.Sex = 'X';
  return client;
}

bool ParseTourTablesReply(std::string_view reply, TourTables& tables) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, tables.size(), true);
  for (std::size_t i = 0; i < records.size(); ++i) {
    const ReplyFields& fields = records[i];
    TQorTable_3& table = tables[tables.size() - 1 - i];
    std::int32_t number = 0;
    if (!TakeRecordNumber(fields, 1, number)) return false;
    TakeRecordText(fields, 2, table.IP);
    if (!TakeRecordNumber(fields, 3, table.Port)) return false;
    TakeRecordText(fields, 4, table.Free);
    if (!TakeRecordNumber(fields, 5, table.R1)) return false;
    TakeRecordText(fields, 6, table.R2);
    for (std::size_t place = 0; place < table.Places.size(); ++place) {
      if (!TakeClient(fields, 7 + 8 * place, table.Places[place])) return false;
    }
  }
  return true;
}

bool ParseTourServerInfoReply(std::string_view reply, TourServerInfo& info) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  if (records.empty()) return true;
  TakeRecordChar(records.front(), 1, info.state);
  TakeRecordText(records.front(), 2, info.text);
  std::replace(info.text.begin(), info.text.end(), '_', ' ');
  return true;
}

PlaceReply ParsePlaceReply(std::string_view reply) {
  // "ok" after the last '$' is also "ok" somewhere in the reply.
  if (reply.find("ok") != std::string_view::npos) return PlaceReply::Done;
  if (reply.find("is") != std::string_view::npos) return PlaceReply::Refused;
  return PlaceReply::Failed;
}

bool ParseTourClientReply(std::string_view reply, TQorClient& client) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  return records.empty() || TakeClient(records.front(), 1, client);
}

bool ParseTourStandingReply(std::string_view reply, TQorClient& client) {
  const std::vector<ReplyFields> records = ReplyRecords(reply, 1);
  if (records.empty()) return true;
  TQorClient read = client;
  if (!TakeRecordNumber(records.front(), 1, read.Score) || !TakeRecordNumber(records.front(), 2, read.Kon) ||
      !TakeRecordNumber(records.front(), 3, read.Rating))
    return false;
  client = read;
  return true;
}

std::string ExternalAddressOf(std::string_view document) {
  constexpr std::string_view kBlank = " \t\r\n";
  const std::size_t first = document.find_first_not_of(kBlank);
  if (first == std::string_view::npos) return std::string(kNoPlayer);
  document = document.substr(first, document.find_last_not_of(kBlank) - first + 1);
  const bool address = document.size() <= 45 && document.find_first_not_of("0123456789abcdefABCDEF.:") ==
                                                    std::string_view::npos;
  return std::string(address ? document : kNoPlayer);
}

bool ReadTourTables(ServiceRequests& requests, TourTables& tables) {
  tables = TourTables{};
  const HttpReply reply = requests.PostList(
      Endpoint::TournamentService, {{"readtable310", GameNumber()}, {"gid", GameNumber()}}, true);
  return reply.ok && ParseTourTablesReply(reply.body, tables);
}

bool ReadTourServerInfo(ServiceRequests& requests, TourServerInfo& info) {
  info = TourServerInfo{};
  const HttpReply reply =
      requests.PostList(Endpoint::TournamentService, {{"serverinforead", "0"}, {"gid", GameNumber()}}, false);
  return reply.ok && ParseTourServerInfoReply(reply.body, info);
}

PlaceReply WriteTourPlace(ServiceRequests& requests, int table, int place, PlaceAction action,
                          const TQorClient& client) {
  if (!ValidPlace(table, place)) return PlaceReply::Failed;
  std::string request = "client3on";
  request += static_cast<char>('0' + place);
  const std::string body = TextBody({NumberField(request, 0),
                                     NumberField("gid", kGameId),
                                     NumberField("num", table),
                                     NumberField("can", static_cast<std::int32_t>(action)),
                                     {PlaceFieldName("nick", place), client.Nick},
                                     NumberField(PlaceFieldName("score", place), client.Score),
                                     NumberField(PlaceFieldName("kon", place), client.Kon),
                                     NumberField(PlaceFieldName("rating", place), client.Rating),
                                     {PlaceFieldName("country", place), client.Country},
                                     {PlaceFieldName("city", place), client.City},
                                     {PlaceFieldName("sex", place), std::string(1, client.Sex)},
                                     {PlaceFieldName("ip", place), client.IP}});
  const HttpReply reply = requests.PostText(Endpoint::TournamentService, body, false);
  return reply.ok ? ParsePlaceReply(reply.body) : PlaceReply::Failed;
}

bool ReadTourClient(ServiceRequests& requests, int table, int place, TQorClient& client) {
  client = TQorClient{};
  if (!ValidPlace(table, place)) return false;
  std::string request = "readclient";
  request += static_cast<char>('0' + place);
  const HttpReply reply = requests.PostList(
      Endpoint::TournamentService, {{request, "0"}, {"gid", GameNumber()}, {"num", Number(table)}}, false);
  return reply.ok && ParseTourClientReply(reply.body, client);
}

bool ReadTourStanding(ServiceRequests& requests, TQorClient& client) {
  std::string request = "readrating";
  request += GameNumber();
  const HttpReply reply = requests.PostText(Endpoint::TournamentService,
                                            TextBody({NumberField(request, 0), {"nick", client.Nick}}), false);
  return reply.ok && ParseTourStandingReply(reply.body, client);
}

bool ReadTourOwnPlace(ServiceRequests& requests, char kind, const TQorClient& client, std::int32_t& place) {
  place = -1;
  std::int32_t value = 0;
  const char* field = nullptr;
  switch (kind) {
    case 's': value = client.Score; field = "score1"; break;
    case 'r': value = client.Rating; field = "rating1"; break;
    case 'k': value = client.Kon; field = "kon1"; break;
    default: return false;
  }
  std::string request = "place";
  request += kind;
  request += GameNumber();
  const HttpReply reply = requests.PostText(Endpoint::TournamentService,
                                            TextBody({NumberField(request, 0), NumberField(field, value)}), false);
  if (!reply.ok) return false;
  place = ParseNumberReply(reply.body).value_or(-1);
  return true;
}

}  // namespace tarvel
