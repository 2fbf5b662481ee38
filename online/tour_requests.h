// The tournament service's requests of the lobby and of the table side: the
// table list, the server state, taking and giving up a place, reading a
// place, the own standing and the own place in the online top ten (whose
// list online_top_ten.h reads). Each request writes its defaults before it is
// sent and keeps them when it fails. Texts are UTF-8 here; the wire is
// Windows-1251. The parsers are pure and never fail on any input.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "service_requests.h"
#include "tour_state.h"

namespace tarvel {

inline constexpr int kTourTables = 10;
inline constexpr int kTourPlaces = 3;

// One table as the service reports it; an empty place has the nick "X".
struct TQorTable_3 {
  std::string IP = "0.0.0.0";
  std::int32_t Port = 0;
  std::string Free = "X";
  std::int32_t R1 = 0;
  std::string R2 = "X";
  std::array<TQorClient, kTourPlaces> Places;  // places 1..3: Nick1.., Nick2.., Nick3..

  const TQorClient& Place(int place) const { return Places[static_cast<std::size_t>(place - 1)]; }
};

// Tables 1..10 at indexes 0..9.
using TourTables = std::array<TQorTable_3, kTourTables>;

// The nick of a free place.
inline constexpr std::string_view kNoPlayer = "X";
inline bool PlaceFree(const TQorClient& client) { return client.Nick == kNoPlayer; }

// The "X" record written into a place that is given up or cleared.
TQorClient EmptyPlaceRecord();

// What the server state request gives: the state character ('Y' the server
// is on) and its text, every '_' made a blank (the lobby's welcome line).
struct TourServerInfo {
  char state = 'N';
  std::string text;
};

// The action of a take-or-leave request ("can=").
enum class PlaceAction { Clear = 0, Take = 1, GiveUp = 2 };
// Its answer: the service's markers "ok" and "is", or neither.
enum class PlaceReply { Done = 0, Failed = 1, Refused = 2 };

// Parsers. Records of the table list end at '*' too; the first record fills
// table 10, the next table 9, and so on. False when a numeric field is not a
// number (the request fails).
bool ParseTourTablesReply(std::string_view reply, TourTables& tables);
bool ParseTourServerInfoReply(std::string_view reply, TourServerInfo& info);
PlaceReply ParsePlaceReply(std::string_view reply);
bool ParseTourClientReply(std::string_view reply, TQorClient& client);
// Score, games and rating into `client`.
bool ParseTourStandingReply(std::string_view reply, TQorClient& client);

// The own external address from the "/get_ip.php" document: the text
// without surrounding white space when it is an IPv4 or IPv6 address (at
// most 45 hexadecimal digits, dots and colons), else "X" (not known).
std::string ExternalAddressOf(std::string_view document);

// The requests. The list is read with the 3000 ms read time-out.
bool ReadTourTables(ServiceRequests& requests, TourTables& tables);
bool ReadTourServerInfo(ServiceRequests& requests, TourServerInfo& info);
// Take (the player's record), give up or clear ("X" record) place `place`
// of `table`.
PlaceReply WriteTourPlace(ServiceRequests& requests, int table, int place, PlaceAction action,
                          const TQorClient& client);
// Place `place` of `table` ("readclient"); "X" defaults on failure.
bool ReadTourClient(ServiceRequests& requests, int table, int place, TQorClient& client);
// The own standing: Score, Kon and Rating of `client` for its nick (kept on
// failure).
bool ReadTourStanding(ServiceRequests& requests, TQorClient& client);
// The own place in the online top ten of kind 's', 'r' or 'k' for the own
// score, rating or games; -1 when the reply holds none or on failure.
bool ReadTourOwnPlace(ServiceRequests& requests, char kind, const TQorClient& client, std::int32_t& place);

}  // namespace tarvel
