// The HTTP client of the online services: HTTP/1.1 over a plain socket. POST
// requests go through one long-lived client that keeps its connection, its
// cookies (and their file) and its read time-out between requests;
// GET documents are fetched with a fresh client each time. Every request is
// bounded in time: a server that is down or never answers is a failed
// request, never a hang. Only the photo upload speaks FTP, through libcurl,
// which is loaded for it alone.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "http_wire.h"

namespace tarvel {

struct HttpReply {
  bool ok = false;     // transfer done and a status below 400
  long status = 0;     // HTTP status, 0 when none came
  std::string body;    // the reply's bytes as received
  bool refused = false;  // the connection was refused (nothing listens there)
};

class HttpClient {
 public:
  // Whole-request bound when no read time-out was set, and the bound on
  // connecting, in milliseconds.
  static constexpr long kDefaultTimeoutMs = 10000;
  static constexpr long kConnectTimeoutMs = 5000;

  HttpClient();
  ~HttpClient();
  HttpClient(const HttpClient&) = delete;
  HttpClient& operator=(const HttpClient&) = delete;

  // Cookies persist in this file between runs (the services know a machine
  // by the cookie they gave it); it is read on the next request and written
  // whenever a reply changes a cookie. Empty keeps them in memory only.
  void SetCookieFile(const std::string& file);

  // The read time-out of the requests that follow (milliseconds).
  void SetReadTimeout(long milliseconds) { timeoutMs_ = milliseconds; }
  long ReadTimeout() const { return timeoutMs_; }

  // List style: names and values form-encoded and joined with '&'.
  HttpReply PostList(const std::string& url, const FormFields& fields);
  // Text style: `body` sent as it is.
  HttpReply PostText(const std::string& url, std::string_view body);

  // A GET with a fresh client and the default bounds.
  static HttpReply Get(const std::string& url, long timeoutMs = kDefaultTimeoutMs);

  // Stores `bytes` at an "ftp://" address in passive mode, logged in as
  // `user`, with the default bounds. `status` is the server's last reply
  // code.
  static HttpReply FtpUpload(const std::string& url, const std::string& user, const std::string& password,
                             std::string_view bytes, long timeoutMs = kDefaultTimeoutMs);

 private:
  HttpReply Post(const std::string& url, std::string_view body);

  struct Connection;
  std::unique_ptr<Connection> connection_;
  CookieJar cookies_;
  std::string cookieFile_;
  bool cookieFileRead_ = false;
  long timeoutMs_ = kDefaultTimeoutMs;
};

}  // namespace tarvel
