#include "http_client.h"

#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <thread>

#include "atomic_file.h"
#include "curl_library.h"

namespace tarvel {
namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kUserAgent = "User-Agent: QorSpecAccess";
constexpr const char* kAccept = "Accept: text/html, */*";
constexpr const char* kFormType = "Content-Type: application/x-www-form-urlencoded";

// Hosts reached without a proxy: the user's list, and always this machine,
// where the game's own services run.
const std::string& NoProxyHosts() {
  static const std::string hosts = [] {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
      if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
        list += ',';
        list += value;
        break;
      }
    }
    return list;
  }();
  return hosts;
}

// The proxy of the user's environment for `host`, if one is set and the
// host is not on the list of those reached directly.
std::optional<HttpAddress> ProxyFor(std::string_view host) {
  const char* setting = nullptr;
  for (const char* name : {"http_proxy", "all_proxy", "ALL_PROXY"}) {
    setting = std::getenv(name);
    if (setting != nullptr && *setting != '\0') break;
  }
  if (setting == nullptr || *setting == '\0') return std::nullopt;
  std::string_view list = NoProxyHosts();
  while (!list.empty()) {
    const std::size_t comma = std::min(list.find(','), list.size());
    std::string_view entry = list.substr(0, comma);
    list.remove_prefix(std::min(comma + 1, list.size()));
    while (!entry.empty() && entry.front() == ' ') entry.remove_prefix(1);
    while (!entry.empty() && entry.back() == ' ') entry.remove_suffix(1);
    if (!entry.empty() && entry.front() == '.') entry.remove_prefix(1);
    if (entry == "*" || host == entry ||
        (host.size() > entry.size() && host.substr(host.size() - entry.size()) == entry &&
         host[host.size() - entry.size() - 1] == '.'))
      return std::nullopt;
  }
  const std::string_view proxy = setting;
  if (proxy.find("://") != std::string_view::npos) return ParseHttpAddress(proxy);
  std::string withScheme = "http://";
  withScheme.append(proxy);
  return ParseHttpAddress(withScheme);
}

int MillisecondsLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1'000'000));
}

// Waits for `events` on the socket until `until`; false on time-out.
bool WaitFor(int socket, short events, Clock::time_point until) {
  pollfd entry{socket, events, 0};
  for (;;) {
    const int ready = poll(&entry, 1, MillisecondsLeft(until));
    if (ready > 0) return true;
    if (ready == 0 || errno != EINTR) return false;
  }
}

// The addresses of `host`, or null. A name (not a number) is looked up on a
// thread of its own, so that a resolver that does not answer costs the
// request its time, not the program a hang; a lookup given up on frees its
// own result when it ends.
addrinfo* Resolve(const std::string& host, std::uint16_t port, Clock::time_point until) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_NUMERICHOST;
  const std::string service = std::to_string(port);
  addrinfo* list = nullptr;
  if (getaddrinfo(host.c_str(), service.c_str(), &hints, &list) == 0) return list;
  struct Lookup {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    bool abandoned = false;
    addrinfo* list = nullptr;
  };
  auto lookup = std::make_shared<Lookup>();
  hints.ai_flags = 0;
  std::thread([lookup, host, service, hints] {
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0) found = nullptr;
    const std::lock_guard<std::mutex> lock(lookup->mutex);
    if (lookup->abandoned) {
      if (found != nullptr) freeaddrinfo(found);
      return;
    }
    lookup->list = found;
    lookup->done = true;
    lookup->finished.notify_all();
  }).detach();
  const Clock::time_point bound = std::min(until, Clock::now() + std::chrono::milliseconds(HttpClient::kConnectTimeoutMs));
  std::unique_lock<std::mutex> lock(lookup->mutex);
  if (!lookup->finished.wait_until(lock, bound, [&] { return lookup->done; })) {
    lookup->abandoned = true;
    return nullptr;
  }
  return lookup->list;
}

class Socket {
 public:
  Socket() = default;
  ~Socket() {
    if (descriptor_ >= 0) close(descriptor_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;

  // Tries each address of `host` in turn, each within the connect bound.
  // `refused` tells that every address answered with a refusal.
  bool Connect(const std::string& host, std::uint16_t port, Clock::time_point until, bool& refused) {
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> addresses(Resolve(host, port, until), &freeaddrinfo);
    addrinfo* list = addresses.get();
    bool allRefused = true;
    for (const addrinfo* entry = list; entry != nullptr && descriptor_ < 0; entry = entry->ai_next) {
      const int fd = socket(entry->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      if (fd < 0) continue;
      int error = connect(fd, entry->ai_addr, entry->ai_addrlen) == 0 ? 0 : errno;
      if (error == EINPROGRESS) {
        const Clock::time_point bound = std::min(until, Clock::now() + std::chrono::milliseconds(HttpClient::kConnectTimeoutMs));
        socklen_t size = sizeof error;
        if (!WaitFor(fd, POLLOUT, bound) || getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) != 0) error = ETIMEDOUT;
      }
      if (error == 0) {
        descriptor_ = fd;
      } else {
        allRefused = allRefused && error == ECONNREFUSED;
        close(fd);
      }
    }
    refused = descriptor_ < 0 && allRefused;
    return descriptor_ >= 0;
  }

  bool Send(std::string_view bytes, Clock::time_point until) {
    while (!bytes.empty()) {
      const ssize_t sent = send(descriptor_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent > 0) {
        bytes.remove_prefix(static_cast<std::size_t>(sent));
      } else if (sent < 0 && errno == EINTR) {
        continue;
      } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
        if (!WaitFor(descriptor_, POLLOUT, until)) return false;
      } else {
        return false;
      }
    }
    return true;
  }

  // Feeds what arrives to `reader` until the reply is whole or bad, the
  // server closes, or time runs out. Returns whether anything arrived.
  bool Receive(HttpReplyReader& reader, Clock::time_point until) {
    char buffer[16384];
    bool anyByte = false;
    while (reader.Current() == HttpReplyReader::State::Reading) {
      const ssize_t got = recv(descriptor_, buffer, sizeof buffer, 0);
      if (got > 0) {
        anyByte = true;
        reader.Feed(std::string_view(buffer, static_cast<std::size_t>(got)));
      } else if (got == 0) {
        reader.Close();
      } else if (errno == EINTR) {
        continue;
      } else if ((errno != EAGAIN && errno != EWOULDBLOCK) || !WaitFor(descriptor_, POLLIN, until)) {
        break;
      }
    }
    return anyByte;
  }

 private:
  int descriptor_ = -1;
};

// Where a request goes: the server itself, or the user's proxy with the
// whole address in the request line.
struct Route {
  HttpAddress address;
  std::string host;  // connected to
  std::uint16_t port = 80;
  std::string target;
};

std::optional<Route> RouteFor(const std::string& url) {
  std::optional<HttpAddress> address = ParseHttpAddress(url);
  if (!address) return std::nullopt;
  Route route;
  const std::optional<HttpAddress> proxy = ProxyFor(address->host);
  route.host = proxy ? proxy->host : address->host;
  route.port = proxy ? proxy->port : address->port;
  if (proxy) route.target.append("http://").append(address->authority);
  route.target.append(address->target);
  route.address = std::move(*address);
  return route;
}

// Sends a request on a connected socket and reads its reply. `anyByte`
// tells whether the server sent anything at all.
HttpReplyReader Ask(Socket& socket, std::string_view bytes, Clock::time_point until, bool& anyByte) {
  HttpReplyReader reader;
  anyByte = false;
  if (socket.Send(bytes, until)) anyByte = socket.Receive(reader, until);
  return reader;
}

HttpReply ReplyOf(HttpReplyReader& reader) {
  HttpReply reply;
  reply.status = reader.Status();
  reply.ok = reader.Current() == HttpReplyReader::State::Done && reply.status < 400;
  reply.body = reader.TakeBody();
  return reply;
}

}  // namespace

// The connection the long-lived client keeps open between its requests:
// a burst of requests does not leave a closed connection (and its port)
// behind for each.
struct HttpClient::Connection {
  Socket socket;
  std::string host;
  std::uint16_t port = 0;
};

HttpClient::HttpClient() = default;
HttpClient::~HttpClient() = default;

void HttpClient::SetCookieFile(const std::string& file) {
  cookieFile_ = file;
  cookieFileRead_ = false;
}

HttpReply HttpClient::PostList(const std::string& url, const FormFields& fields) {
  return Post(url, FormEncode(fields));
}

HttpReply HttpClient::PostText(const std::string& url, std::string_view body) {
  return Post(url, body);
}

HttpReply HttpClient::Post(const std::string& url, std::string_view body) {
  if (!cookieFileRead_ && !cookieFile_.empty()) {
    std::ifstream file(cookieFile_, std::ios::binary);
    cookies_.Read(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
    cookieFileRead_ = true;
  }
  const std::optional<Route> route = RouteFor(url);
  if (!route) return {};
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs_);
  const std::int64_t now = std::time(nullptr);
  std::vector<std::string> headers = {kUserAgent, kAccept, kFormType};
  if (std::string cookie = cookies_.HeaderFor(route->address.host, route->address.target, now); !cookie.empty())
    headers.push_back(std::string("Cookie: ").append(cookie));
  const std::string request = RequestBytes("POST", route->target, route->address.authority, headers, body, true);
  if (connection_ && (connection_->host != route->host || connection_->port != route->port)) connection_.reset();
  HttpReplyReader reader;
  bool anyByte = false;
  if (connection_) {
    reader = Ask(connection_->socket, request, until, anyByte);
    // A kept connection closed without a byte of reply before the time ran
    // out: the server had closed it meanwhile, and took nothing of this
    // request. It goes again on a new connection.
    if (!anyByte && Clock::now() < until) connection_.reset();
  }
  if (!connection_) {
    auto fresh = std::make_unique<Connection>();
    HttpReply failed;
    if (!fresh->socket.Connect(route->host, route->port, until, failed.refused)) return failed;
    fresh->host = route->host;
    fresh->port = route->port;
    connection_ = std::move(fresh);
    reader = Ask(connection_->socket, request, until, anyByte);
  }
  if (!reader.KeepsOpen()) connection_.reset();
  bool changed = false;
  for (const std::string& cookie : reader.SetCookies())
    changed = cookies_.Take(route->address.host, route->address.target, cookie, now) || changed;
  if (changed && !cookieFile_.empty()) ReplaceFileContents(cookieFile_, cookies_.Write(now));
  return ReplyOf(reader);
}

HttpReply HttpClient::Get(const std::string& url, long timeoutMs) {
  const std::optional<Route> route = RouteFor(url);
  if (!route) return {};
  const Clock::time_point until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  Socket socket;
  HttpReply failed;
  if (!socket.Connect(route->host, route->port, until, failed.refused)) return failed;
  bool anyByte = false;
  HttpReplyReader reader =
      Ask(socket, RequestBytes("GET", route->target, route->address.authority, {"Accept: */*"}, {}, false), until, anyByte);
  return ReplyOf(reader);
}

namespace {

struct UploadSource {
  std::string_view rest;
};

// The server's texts of an FTP session are not kept.
std::size_t Discard(char*, std::size_t size, std::size_t count, void*) { return size * count; }

std::size_t Supply(char* buffer, std::size_t size, std::size_t count, void* source) {
  auto* upload = static_cast<UploadSource*>(source);
  const std::size_t bytes = std::min(size * count, upload->rest.size());
  upload->rest.copy(buffer, bytes);
  upload->rest.remove_prefix(bytes);
  return bytes;
}

}  // namespace

HttpReply HttpClient::FtpUpload(const std::string& url, const std::string& user, const std::string& password,
                                std::string_view bytes, long timeoutMs) {
  const CurlLoad& load = Curl();
  if (!load.library) return {};
  const CurlLibrary* lib = &*load.library;
  CURL* curl = lib->easy_init();
  if (curl == nullptr) return {};
  UploadSource source{bytes};
  lib->easy_setopt(curl, CURLOPT_URL, url.c_str());
  lib->easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  lib->easy_setopt(curl, CURLOPT_NOPROXY, NoProxyHosts().c_str());
  lib->easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  lib->easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  lib->easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
  lib->easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Discard);
  lib->easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
  lib->easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
  lib->easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  lib->easy_setopt(curl, CURLOPT_READFUNCTION, &Supply);
  lib->easy_setopt(curl, CURLOPT_READDATA, &source);
  lib->easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  HttpReply reply;
  const CURLcode code = lib->easy_perform(curl);
  lib->easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
  reply.refused = code == CURLE_COULDNT_CONNECT;
  reply.ok = code == CURLE_OK && reply.status > 0 && reply.status < 400;
  lib->easy_cleanup(curl);
  return reply;
}

}  // namespace tarvel
