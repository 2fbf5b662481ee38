#include "service_requests.h"

#include <chrono>
#include <optional>
#include <thread>

#include "atomic_file.h"
#include "cp1251.h"
#include "replies.h"
#include "settings_file.h"

namespace tarvel {
namespace {

std::string Number(std::int32_t value) { return std::to_string(value); }

// name=value for a text-style body; user-given values pass through WireSafe.
std::string Field(std::string_view name, std::string_view value) {
  return std::string(name) + "=" + std::string(value);
}
std::string UserField(std::string_view name, std::string_view value) {
  return Field(name, WireSafe(value));
}
// "#" is the program's own mark of a text not given.
std::string TextField(std::string_view name, std::string_view value) {
  return value == "#" ? Field(name, value) : UserField(name, value);
}

std::string Join(std::initializer_list<std::string> fields) {
  std::string body;
  for (const std::string& field : fields) {
    if (!body.empty()) body += '&';
    body += field;
  }
  return body;
}

// An enciphered address from the directory replaces the one in force only
// when it deciphers.
void TakeAddress(std::string_view document, std::string_view key, Endpoint endpoint,
                 ServiceEndpoints& endpoints, std::string* settingsLine) {
  const std::optional<std::string> value = DirectoryValue(document, key);
  if (!value || !endpoints.UseEncipheredAddress(endpoint, *value)) return;
  if (settingsLine != nullptr) *settingsLine = *value;
}

}  // namespace

std::string TextBody(std::initializer_list<BodyField> fields) {
  std::string body;
  for (const BodyField& field : fields) {
    if (!body.empty()) body += '&';
    body += field.name;
    body += '=';
    body += field.raw ? field.value : WireSafe(field.value);
  }
  return body;
}

DirectoryState ApplyServiceDirectory(std::string_view document, Settings& settings,
                                     ServiceEndpoints& endpoints) {
  DirectoryState state;
  state.read = true;
  state.topTenPaused = DirectoryHasKey(document, "WTGamesPause");
  if (!state.topTenPaused)
    TakeAddress(document, "WTGamesPatt", Endpoint::TopTenService, endpoints,
                &settings.TopTenServicePath);
  state.chatPaused = DirectoryHasKey(document, "CTGamesPause");
  TakeAddress(document, "StatPath", Endpoint::StatService, endpoints, &settings.StatServicePath);
  TakeAddress(document, "AccPath", Endpoint::AccountService, endpoints, nullptr);
  // The photo upload server listens on a port of its own.
  TakeAddress(document, "FtpPath", Endpoint::PhotoUpload, endpoints, nullptr);
  return state;
}

ServiceRequests::ServiceRequests(ServiceEndpoints& endpoints, HttpClient& client,
                                 RequestWaiter& waiter)
    : endpoints_(endpoints), client_(client), waiter_(waiter) {}

HttpReply ServiceRequests::Run(const std::function<HttpReply()>& request) {
  if (running_) return {};
  running_ = true;
  HttpReply reply;
  waiter_.Wait([&] { reply = request(); });
  running_ = false;
  return reply;
}

HttpReply ServiceRequests::PostList(Endpoint endpoint, const FormFields& fields, bool readTimeout) {
  const std::string url = endpoints_.Address(endpoint);
  return Run([&] {
    // The read time-out, once set, stays on the shared client.
    if (readTimeout) client_.SetReadTimeout(kReadTimeoutMs);
    return client_.PostList(url, fields);
  });
}

HttpReply ServiceRequests::PostText(Endpoint endpoint, const std::string& utf8Body,
                                    bool readTimeout) {
  const std::string url = endpoints_.Address(endpoint);
  const std::string body = Utf8ToCp1251(utf8Body);
  return Run([&] {
    if (readTimeout) client_.SetReadTimeout(kReadTimeoutMs);
    return client_.PostText(url, body);
  });
}

DirectoryState ServiceRequests::ReadServiceDirectory(Settings& settings, long waitForStartMs,
                                                     const std::function<bool()>& starting) {
  endpoints_.UseEncipheredAddress(Endpoint::TopTenService, settings.TopTenServicePath);
  endpoints_.UseEncipheredAddress(Endpoint::StatService, settings.StatServicePath);
  const std::string url = endpoints_.Address(Endpoint::ServiceDirectory);
  const HttpReply reply = Run([&] {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point until = Clock::now() + std::chrono::milliseconds(waitForStartMs);
    for (;;) {
      HttpReply attempt = HttpClient::Get(url);
      if (!attempt.refused || Clock::now() >= until || (starting && !starting())) return attempt;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
  });
  if (!reply.ok) return {};
  return ApplyServiceDirectory(reply.body, settings, endpoints_);
}

bool ServiceRequests::ReadTopTen(std::int32_t list, TopTenList& entries) {
  entries = EmptyTopTenList(list);
  const HttpReply reply = PostList(Endpoint::TopTenService, {{"gid", Number(list)}}, true);
  return reply.ok && ParseTopTenReply(reply.body, entries);
}

bool ServiceRequests::ReadTopTenAround(std::int32_t list, const std::string& nick,
                                       const std::string& city, TopTenList& entries) {
  entries = EmptyTopTenList(list);
  const HttpReply reply =
      PostText(Endpoint::TopTenService,
               Join({Field("gid", Number(list)), UserField("nick", nick), UserField("city", city)}),
               true);
  return reply.ok && ParseTopTenReply(reply.body, entries);
}

bool ServiceRequests::WriteTopTen(const TopTenEntry& entry, std::int32_t& place) {
  place = -1;
  const std::string body =
      Join({Field("gid", Number(entry.list)), UserField("nick", entry.nick),
            UserField("city", entry.city), UserField("country", entry.country),
            Field("score", Number(entry.score)), UserField("R7", entry.r7),
            Field("R8", kWireVersion), TextField("R9", entry.r9), TextField("R10", entry.r10)}) +
      "*";
  const HttpReply reply = PostText(Endpoint::TopTenService, body, false);
  if (!reply.ok) return false;
  place = ParseNumberReply(reply.body).value_or(-1);
  return true;
}

bool ServiceRequests::ReadNumberOfGames(std::int32_t list, std::int32_t& games) {
  games = 0;
  const HttpReply reply = PostList(Endpoint::TopTenService, {{"rgid", Number(list)}}, false);
  if (!reply.ok) return false;
  games = ParseNumberReply(reply.body).value_or(0);
  return true;
}

bool ServiceRequests::ReadStatistics(TQorStat& stat) {
  stat = TQorStat{};
  stat.GID = kWorldList;
  const HttpReply reply = PostList(Endpoint::StatService, {{"gid", Number(kWorldList)}}, true);
  return reply.ok && ParseStatReply(reply.body, stat);
}

bool ServiceRequests::PostMarker(const std::string& utf8Body, bool& accepted) {
  accepted = false;
  const HttpReply reply = PostText(Endpoint::StatService, utf8Body, false);
  if (!reply.ok) return false;
  accepted = OkAfterLastDollar(reply.body);
  return true;
}

bool ServiceRequests::ReportFirstStart(bool firstStart, bool& accepted) {
  return PostMarker(Join({Field("gid", Number(kWorldList)), Field("stat1", "1"),
                          Field("stat2", firstStart ? "1" : "0")}),
                    accepted);
}

bool ServiceRequests::Vote(const std::string& nick, bool& accepted) {
  return PostMarker(
      Join({Field("gid", Number(kWorldList)), Field("stat3", "1"), UserField("stat4", nick)}),
      accepted);
}

bool ServiceRequests::ReportGame(const std::array<std::int32_t, 12>& fields, bool& accepted) {
  std::string body = Field("gid", Number(kWorldList));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    body += '&';
    body += Field(GameReportFieldName(i + 1), Number(fields[i]));
  }
  return PostMarker(body, accepted);
}

bool ServiceRequests::ReadDocument(Endpoint endpoint, std::string& text) {
  text.clear();
  const std::string url = endpoints_.Address(endpoint);
  const HttpReply reply = Run([&] { return HttpClient::Get(url); });
  if (reply.ok) text = reply.body;
  return reply.ok;
}

bool ServiceRequests::Download(const std::string& name, const std::filesystem::path& target) {
  if (name.empty() || name.front() == '.' || name.find_first_of("/\\?#%") != std::string::npos)
    return false;
  const std::string url = endpoints_.Address(Endpoint::DownloadFolder) + name;
  const HttpReply reply = Run([&] { return HttpClient::Get(url); });
  return reply.ok && ReplaceFileContents(target, reply.body);
}

bool ServiceRequests::ReadNewsNumber(std::int32_t& latest) {
  std::string document;
  const bool ok = ReadDocument(Endpoint::NewsDocument, document);
  latest = ok ? NewsNumber(document) : 0;
  return ok;
}

bool ServiceRequests::ReadExternalAddress(std::string& address) {
  return ReadDocument(Endpoint::ExternalAddress, address);
}

}  // namespace tarvel
