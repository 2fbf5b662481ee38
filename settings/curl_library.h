// libcurl, loaded on first use. The game links no libcurl: the library and
// the twenty-odd libraries it pulls in (TLS, Kerberos, LDAP, SSH, ...) take
// about 7 MB, for the two transfers that need it (the photo upload over FTP
// and a card module's download, which may be redirected to an encrypted
// address); the services' HTTP requests go over a plain socket. The
// functions the program calls are listed here, once.
#pragma once

#include <curl/curl.h>

#include <optional>
#include <string>

namespace tarvel {

// The file name the system's libcurl (version 4 interface) is loaded by.
inline constexpr const char* kCurlLibraryName = "libcurl.so.4";

struct CurlLibrary {
  decltype(&curl_global_init) global_init = nullptr;
  decltype(&curl_easy_init) easy_init = nullptr;
  decltype(&curl_easy_setopt) easy_setopt = nullptr;
  decltype(&curl_easy_perform) easy_perform = nullptr;
  decltype(&curl_easy_getinfo) easy_getinfo = nullptr;
  decltype(&curl_easy_cleanup) easy_cleanup = nullptr;
  decltype(&curl_easy_escape) easy_escape = nullptr;
  decltype(&curl_free) free = nullptr;
  decltype(&curl_slist_append) slist_append = nullptr;
  decltype(&curl_slist_free_all) slist_free_all = nullptr;
};

struct CurlLoad {
  std::optional<CurlLibrary> library;  // empty when loading failed
  std::string error;                   // why, naming the library; empty on success
};

// Loads `fileName`, looks up every function and runs curl_global_init. The
// library stays loaded for the rest of the run.
CurlLoad LoadCurlLibrary(const char* fileName);

// The system's libcurl, loaded on the first call (thread-safe; a failure is
// told once on stderr); later calls give the same result, so every request
// of a run without libcurl fails at once, as with no server.
const CurlLoad& Curl();

}  // namespace tarvel
