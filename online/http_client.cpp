#include "http_client.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <mutex>

namespace tarvel {
namespace {

constexpr const char* kUserAgent = "QorSpecAccess";
constexpr const char* kAccept = "Accept: text/html, */*";
constexpr const char* kFormType = "Content-Type: application/x-www-form-urlencoded";

// A reply larger than this is not one of the services' replies.
constexpr std::size_t kMaxReply = 16 * 1024 * 1024;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
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
  HeaderList() {
    list_ = curl_slist_append(list_, kAccept);
    list_ = curl_slist_append(list_, kFormType);
  }
  ~HeaderList() { curl_slist_free_all(list_); }
  HeaderList(const HeaderList&) = delete;
  HeaderList& operator=(const HeaderList&) = delete;
  curl_slist* get() const { return list_; }

 private:
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

void SetCommon(CURL* curl, const std::string& url, long timeoutMs, std::string& body) {
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_NOPROXY, NoProxyHosts().c_str());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, timeoutMs);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, HttpClient::kConnectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
}

HttpReply Perform(CURL* curl, std::string& body) {
  HttpReply reply;
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &reply.status);
  reply.refused = code == CURLE_COULDNT_CONNECT;
  reply.ok = code == CURLE_OK && reply.status > 0 && reply.status < 400;
  reply.body = std::move(body);
  return reply;
}

}  // namespace

HttpClient::HttpClient() {
  GlobalInit();
  curl_ = curl_easy_init();
  // Cookies on, held in memory until a file is given.
  if (curl_ != nullptr) curl_easy_setopt(static_cast<CURL*>(curl_), CURLOPT_COOKIEFILE, "");
}

HttpClient::~HttpClient() {
  if (curl_ != nullptr) curl_easy_cleanup(static_cast<CURL*>(curl_));  // writes the cookie file
}

void HttpClient::SetCookieFile(const std::string& file) {
  cookieFile_ = file;
  if (curl_ == nullptr || file.empty()) return;
  CURL* curl = static_cast<CURL*>(curl_);
  curl_easy_setopt(curl, CURLOPT_COOKIEFILE, file.c_str());
  curl_easy_setopt(curl, CURLOPT_COOKIEJAR, file.c_str());
}

std::string HttpClient::FormBody(const FormFields& fields) {
  std::string body;
  for (const auto& [name, value] : fields) {
    for (const std::string* part : {&name, &value}) {
      char* escaped = curl_easy_escape(static_cast<CURL*>(curl_), part->data(),
                                       static_cast<int>(part->size()));
      if (escaped != nullptr) body += escaped;
      curl_free(escaped);
      if (part == &name) body += '=';
    }
    body += '&';
  }
  if (!body.empty()) body.pop_back();
  return body;
}

HttpReply HttpClient::PostList(const std::string& url, const FormFields& fields) {
  if (curl_ == nullptr) return {};
  return Post(url, FormBody(fields));
}

HttpReply HttpClient::PostText(const std::string& url, std::string_view body) {
  return Post(url, body);
}

HttpReply HttpClient::Post(const std::string& url, std::string_view body) {
  if (curl_ == nullptr) return {};
  CURL* curl = static_cast<CURL*>(curl_);
  std::string received;
  HeaderList headers;
  SetCommon(curl, url, timeoutMs_, received);
  curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(curl, CURLOPT_POST, 1L);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, body.data());
  curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
  HttpReply reply = Perform(curl, received);
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);
  if (!cookieFile_.empty()) curl_easy_setopt(curl, CURLOPT_COOKIELIST, "FLUSH");
  return reply;
}

HttpReply HttpClient::Get(const std::string& url, long timeoutMs) {
  GlobalInit();
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return {};
  std::string received;
  SetCommon(curl, url, timeoutMs, received);
  curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  HttpReply reply = Perform(curl, received);
  curl_easy_cleanup(curl);
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
  GlobalInit();
  CURL* curl = curl_easy_init();
  if (curl == nullptr) return {};
  std::string received;
  UploadSource source{bytes};
  SetCommon(curl, url, timeoutMs, received);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(curl, CURLOPT_USERNAME, user.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, password.c_str());
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, &Supply);
  curl_easy_setopt(curl, CURLOPT_READDATA, &source);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  HttpReply reply = Perform(curl, received);
  curl_easy_cleanup(curl);
  return reply;
}

}  // namespace tarvel
