#include "http_client.h"

#include <algorithm>
#include <cstdlib>

#include "curl_library.h"

namespace tarvel {
namespace {

constexpr const char* kUserAgent = "QorSpecAccess";
constexpr const char* kAccept = "Accept: text/html, */*";
constexpr const char* kFormType = "Content-Type: application/x-www-form-urlencoded";

// A reply larger than this is not one of the services' replies.
constexpr std::size_t kMaxReply = 16 * 1024 * 1024;

// The loaded libcurl; null when it could not be loaded.
const CurlLibrary* Lib() {
  const CurlLoad& load = Curl();
  return load.library ? &*load.library : nullptr;
}

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* target) {
  auto* body = static_cast<std::string*>(target);
  const std::size_t bytes = size * count;
  if (body->size() + bytes > kMaxReply) return 0;  // aborts the transfer
  body->append(data, bytes);
  return bytes;
}

class HeaderList {
 public:
  explicit HeaderList(const CurlLibrary& curl) : curl_(curl) {
    list_ = curl_.slist_append(list_, kAccept);
    list_ = curl_.slist_append(list_, kFormType);
  }
  ~HeaderList() { curl_.slist_free_all(list_); }
  HeaderList(const HeaderList&) = delete;
  HeaderList& operator=(const HeaderList&) = delete;
  curl_slist* get() const { return list_; }

 private:
  const CurlLibrary& curl_;
  curl_slist* list_ = nullptr;
};

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

void SetCommon(const CurlLibrary& lib, CURL* curl, const std::string& url, long timeoutMs, std::string& body) {
  lib.easy_setopt(curl, CURLOPT_URL, url.c_str());
  lib.easy_setopt(curl, CURLOPT_NOPROXY, NoProxyHosts().c_str());
  lib.easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  lib.easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  lib.easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, HttpClient::kConnectTimeoutMs);
  lib.easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  lib.easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
  lib.easy_setopt(curl, CURLOPT_WRITEDATA, &body);
}

HttpReply Perform(const CurlLibrary& lib, CURL* curl, std::string& body) {
  HttpReply reply;
  const CURLcode code = lib.easy_perform(curl);
  lib.easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
  reply.refused = code == CURLE_COULDNT_CONNECT;
  reply.ok = code == CURLE_OK && reply.status > 0 && reply.status < 400;
  reply.body = std::move(body);
  return reply;
}

}  // namespace

// The handle is made on the first request, so that a client made during the
// start costs nothing until it is used.
void* HttpClient::Handle() {
  if (curl_ != nullptr) return curl_;
  const CurlLibrary* lib = Lib();
  if (lib == nullptr) return nullptr;
  CURL* curl = lib->easy_init();
  if (curl == nullptr) return nullptr;
  curl_ = curl;
  // Cookies on, held in memory until a file is given.
  lib->easy_setopt(curl, CURLOPT_COOKIEFILE, cookieFile_.empty() ? "" : cookieFile_.c_str());
  if (!cookieFile_.empty()) lib->easy_setopt(curl, CURLOPT_COOKIEJAR, cookieFile_.c_str());
  return curl;
}

HttpClient::~HttpClient() {
  if (curl_ != nullptr) Lib()->easy_cleanup(static_cast<CURL*>(curl_));  // writes the cookie file
}

void HttpClient::SetCookieFile(const std::string& file) {
  cookieFile_ = file;
  if (curl_ == nullptr || file.empty()) return;
  const CurlLibrary* lib = Lib();
  CURL* curl = static_cast<CURL*>(curl_);
  lib->easy_setopt(curl, CURLOPT_COOKIEFILE, file.c_str());
  lib->easy_setopt(curl, CURLOPT_COOKIEJAR, file.c_str());
}

namespace {

// The form-encoded body of a list-style request.
std::string FormBody(const CurlLibrary& lib, CURL* curl, const FormFields& fields) {
  std::string body;
  for (const auto& [name, value] : fields) {
    for (const std::string* part : {&name, &value}) {
      char* escaped = lib.easy_escape(curl, part->data(), static_cast<int>(part->size()));
      if (escaped != nullptr) body += escaped;
      lib.free(escaped);
      if (part == &name) body += '=';
    }
    body += '&';
  }
  if (!body.empty()) body.pop_back();
  return body;
}

}  // namespace

HttpReply HttpClient::PostList(const std::string& url, const FormFields& fields) {
  CURL* curl = Handle();
  if (curl == nullptr) return {};
  return Post(url, FormBody(*Lib(), curl, fields));
}

HttpReply HttpClient::PostText(const std::string& url, std::string_view body) {
  return Post(url, body);
}

HttpReply HttpClient::Post(const std::string& url, std::string_view body) {
  CURL* curl = Handle();
  if (curl == nullptr) return {};
  const CurlLibrary& lib = *Lib();
  std::string received;
  HeaderList headers(lib);
  SetCommon(lib, curl, url, timeoutMs_, received);
  lib.easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  lib.easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
  lib.easy_setopt(curl, CURLOPT_POST, 1L);
  lib.easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
  lib.easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  HttpReply reply = Perform(lib, curl, received);
  lib.easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  lib.easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
  if (!cookieFile_.empty()) lib.easy_setopt(curl, CURLOPT_COOKIELIST, "FLUSH");
  return reply;
}

HttpReply HttpClient::Get(const std::string& url, long timeoutMs) {
  const CurlLibrary* lib = Lib();
  if (lib == nullptr) return {};
  CURL* curl = lib->easy_init();
  if (curl == nullptr) return {};
  std::string received;
  SetCommon(*lib, curl, url, timeoutMs, received);
  lib->easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  HttpReply reply = Perform(*lib, curl, received);
  lib->easy_cleanup(curl);
  return reply;
}

namespace {

struct UploadSource {
  std::string_view rest;
};

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
  const CurlLibrary* lib = Lib();
  if (lib == nullptr) return {};
  CURL* curl = lib->easy_init();
  if (curl == nullptr) return {};
  std::string received;
  UploadSource source{bytes};
  SetCommon(*lib, curl, url, timeoutMs, received);
  lib->easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  lib->easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
  lib->easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
  lib->easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  lib->easy_setopt(curl, CURLOPT_READFUNCTION, &Supply);
  lib->easy_setopt(curl, CURLOPT_READDATA, &source);
  lib->easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  HttpReply reply = Perform(*lib, curl, received);
  lib->easy_cleanup(curl);
  return reply;
}

}  // namespace tarvel
