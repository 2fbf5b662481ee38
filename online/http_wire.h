// HTTP/1.1 as the game's client speaks it, without the sockets: addresses,
// request bytes, the reader of replies and the cookie jar. Everything a
// server sends passes through here, so each parser can be tested and fuzzed
// on its own; http_client.cpp only moves the bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarvel {

// name=value pairs of a list-style request, as bytes to be form-encoded.
using FormFields = std::vector<std::pair<std::string, std::string>>;

// A reply larger than this is not one of the services' replies.
inline constexpr std::size_t kMaxReplyBytes = 16 * 1024 * 1024;

struct HttpAddress {
  std::string host;       // an IPv6 literal without its brackets
  std::uint16_t port = 80;
  std::string authority;  // host[:port] as written, for the Host line
  std::string target;     // path and query; "/" at least
};

// An "http://" address; none for other schemes, user names, bad ports and
// bytes that may not stand in a request line (blanks, controls). A fragment
// ("#...") is dropped, as no server sees it.
std::optional<HttpAddress> ParseHttpAddress(std::string_view url);

// The form-encoded body: every byte but A-Z a-z 0-9 - . _ ~ as %XX, pairs
// joined with '&'.
std::string FormEncode(const FormFields& fields);

// A request's bytes: the request line, Host, the given header lines, the
// body's length of a POST and, unless the connection is to stay open for
// more requests, "Connection: close"; then the body.
std::string RequestBytes(std::string_view method, std::string_view target, std::string_view authority,
                         const std::vector<std::string>& headerLines, std::string_view body, bool keepOpen);

// Reads one reply as its bytes arrive, in pieces of any size. The body is
// delimited by Content-Length, by chunks, or by the server's closing of the
// connection; interim replies (1xx) are skipped. Anything else, or more than
// kMaxReplyBytes, makes the reply Bad.
class HttpReplyReader {
 public:
  enum class State { Reading, Done, Bad };

  State Feed(std::string_view bytes);
  // The server closed the connection.
  State Close();

  State Current() const { return state_; }
  // The status of the final reply; 0 until its status line is in.
  long Status() const { return status_; }
  // The values of the Set-Cookie lines, in order.
  const std::vector<std::string>& SetCookies() const { return setCookies_; }
  std::string TakeBody() { return std::move(body_); }
  // The reply is whole and the server keeps the connection open for the
  // next request (HTTP/1.1 without "Connection: close").
  bool KeepsOpen() const { return state_ == State::Done && !closes_; }

 private:
  enum class Phase { StatusLine, Headers, Length, ChunkSize, ChunkData, ChunkEnd, Trailers, UntilClose };

  State Fail();
  // Takes one line (without its CR LF) off the front of the buffer.
  std::optional<std::string> Line();
  bool HeadLine(const std::string& line);
  bool EndOfHead();
  bool Append(std::string_view bytes);
  void Run();

  State state_ = State::Reading;
  Phase phase_ = Phase::StatusLine;
  std::string pending_;
  std::size_t headBytes_ = 0;
  long status_ = 0;
  bool chunked_ = false;
  bool closes_ = false;
  std::optional<std::size_t> length_;
  std::size_t remaining_ = 0;  // of the body or the current chunk
  std::vector<std::string> setCookies_;
  std::string body_;
};

struct Cookie {
  std::string domain;       // lower case, no leading dot
  bool subdomains = false;  // sent to the domain's sub-hosts too (a Domain attribute)
  std::string path = "/";
  bool secure = false;
  bool httpOnly = false;
  std::int64_t expires = 0;  // seconds since 1970; 0 while the run lasts
  std::string name;
  std::string value;
};

// The cookies a client keeps, in the cookie file layout that libcurl and
// browsers of old also read: "# Netscape HTTP Cookie File", then one line
// per cookie of seven fields separated by tabs (domain, "TRUE" for
// sub-hosts, path, "TRUE" for secure, expiry, name, value); a domain
// prefixed "#HttpOnly_" marks an HTTP-only cookie.
class CookieJar {
 public:
  // A Set-Cookie value that `host` sent in reply to a request for `path`.
  // Returns whether the jar changed. A cookie for another domain is ignored.
  bool Take(std::string_view host, std::string_view path, std::string_view setCookie, std::int64_t now);
  // The Cookie line's value for a request; empty when no cookie applies.
  std::string HeaderFor(std::string_view host, std::string_view path, std::int64_t now) const;

  // Adds the cookies of a file; lines that are not cookies are skipped.
  void Read(std::string_view file);
  // The file's bytes, without the cookies expired by `now`.
  std::string Write(std::int64_t now) const;

  const std::vector<Cookie>& Cookies() const { return cookies_; }

 private:
  void Store(Cookie cookie);
  std::vector<Cookie> cookies_;
};

// An HTTP date ("Sun, 06 Nov 1994 08:49:37 GMT" and the older forms with
// dashes and two-digit years) as seconds since 1970; none when it is not one.
std::optional<std::int64_t> ParseHttpDate(std::string_view text);

}  // namespace tarvel
