// The requests of the world top ten, the statistics, the news, the chat list
// and the external address, and the service directory read at start-up.
// Each request returns its failure flag (false: no connection, time-out, HTTP
// error status or a reply that does not parse) and leaves the caller's data at
// the defaults it wrote before sending. Texts are UTF-8 here; the wire is
// Windows-1251 for POST bodies and replies and UTF-8 for the GET documents.
//
// Requests run synchronously for their caller. A RequestWaiter decides how the
// caller waits: the window keeps painting with a wait cursor while clicks and
// the turn timer stay blocked. A request asked for while another one runs
// (from a timer of that waiting window) fails at once.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "endpoints.h"
#include "http_client.h"
#include "service_records.h"

namespace tarvel {

struct Settings;

// Runs the blocking part of a request. The plain waiter runs it in place.
class RequestWaiter {
 public:
  virtual ~RequestWaiter() = default;
  virtual void Wait(const std::function<void()>& work) { work(); }
};

// The read time-out of the requests that set one.
inline constexpr long kReadTimeoutMs = 3000;

// What the service directory said.
struct DirectoryState {
  bool read = false;          // the document arrived
  bool topTenPaused = false;  // "WTGamesPause"
  bool chatPaused = false;    // "CTGamesPause"
};

// Applies a directory document: the pause keys, and the enciphered addresses
// of "WTGamesPatt" and "StatPath" (into the settings lines and the endpoints)
// and "AccPath" (into the endpoints). A key whose value does not decipher
// keeps the previous address.
DirectoryState ApplyServiceDirectory(std::string_view document, Settings& settings,
                                     ServiceEndpoints& endpoints);

// A world top ten entry to write (also a chat message, list 100).
struct TopTenEntry {
  std::int32_t list = kWorldList;
  std::string nick, city, country;
  std::int32_t score = 0;
  std::string r7, r9 = "#", r10 = "#";
};

// One field of a text-style body. A user-given value passes through
// WireSafe; a `raw` value (a number, a text already built for the wire) is
// sent as it is.
struct BodyField {
  std::string name;
  std::string value;
  bool raw = false;
};
inline BodyField NumberField(std::string name, std::int32_t value) {
  return {std::move(name), std::to_string(value), true};
}
// The fields as name=value joined by '&'.
std::string TextBody(std::initializer_list<BodyField> fields);

class ServiceRequests {
 public:
  ServiceRequests(ServiceEndpoints& endpoints, HttpClient& client, RequestWaiter& waiter);

  // The service directory (GET). While `waitForStartMs` > 0 a refused
  // connection is tried again until that much time has passed, or until
  // `starting` (asked from the waiting thread) says the services gave up: the
  // local services may just be starting. The settings lines are taken into
  // the endpoints first, so a directory without keys leaves them in force.
  DirectoryState ReadServiceDirectory(Settings& settings, long waitForStartMs = 0,
                                      const std::function<bool()>& starting = {});

  // World top ten: list (L, 3000 ms), around the player (T, 3000 ms).
  bool ReadTopTen(std::int32_t list, TopTenList& entries);
  bool ReadTopTenAround(std::int32_t list, const std::string& nick, const std::string& city,
                        TopTenList& entries);
  // An entry (T); `place` the place reached, -1 when none.
  bool WriteTopTen(const TopTenEntry& entry, std::int32_t& place);
  // Number of games of a list (L); 0 when the reply holds no number.
  bool ReadNumberOfGames(std::int32_t list, std::int32_t& games);

  // Statistics (gid = W): read (L, 3000 ms); the reports and the vote (T)
  // set `accepted` from the reply's "ok" marker.
  bool ReadStatistics(TQorStat& stat);
  bool ReportFirstStart(bool firstStart, bool& accepted);
  bool Vote(const std::string& nick, bool& accepted);
  bool ReportGame(const std::array<std::int32_t, 12>& fields, bool& accepted);

  // GET documents, decoded as UTF-8 (as received). The news number is 0 when
  // the request fails.
  bool ReadNewsNumber(std::int32_t& latest);
  bool ReadExternalAddress(std::string& address);
  bool ReadDocument(Endpoint endpoint, std::string& text);

  // The address in force of an endpoint (the news document opened in the
  // browser).
  std::string Address(Endpoint endpoint) const { return endpoints_.Address(endpoint); }

  // Downloads `name` from the download folder into `target` (replaced whole,
  // or left alone on failure). A name with a '/' or a leading '.' fails.
  bool Download(const std::string& name, const std::filesystem::path& target);

  // The building blocks of the requests of other parts (accounts): a request
  // run through the waiter, the two POST styles, and the addresses in force.
  HttpReply Run(const std::function<HttpReply()>& request);
  // A request is running (one asked for now fails at once): timers of the
  // waiting window wait for their next tick instead.
  bool Busy() const { return running_; }
  HttpReply PostList(Endpoint endpoint, const FormFields& fields, bool readTimeout);
  HttpReply PostText(Endpoint endpoint, const std::string& utf8Body, bool readTimeout);
  const ServiceEndpoints& Endpoints() const { return endpoints_; }

 private:
  bool PostMarker(const std::string& utf8Body, bool& accepted);

  ServiceEndpoints& endpoints_;
  HttpClient& client_;
  RequestWaiter& waiter_;
  bool running_ = false;
};

}  // namespace tarvel
