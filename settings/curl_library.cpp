#include "curl_library.h"

#include <dlfcn.h>

#include <cstdio>

namespace tarvel {
namespace {

// dlsym's untyped result into the member's function pointer type; `missing`
// names the function when the library lacks it.
template <typename Function>
bool Find(void* handle, const char* name, Function& target, std::string& missing) {
  void* symbol = dlsym(handle, name);
  if (symbol == nullptr) {
    missing = name;
    return false;
  }
  target = reinterpret_cast<Function>(symbol);
  return true;
}

}  // namespace

CurlLoad LoadCurlLibrary(const char* fileName) {
  CurlLoad load;
  void* handle = dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    load.error = "cannot load ";
    load.error += fileName;
    if (reason != nullptr) {
      load.error += ": ";
      load.error += reason;
    }
    return load;
  }
  CurlLibrary library;
  std::string missing;
  const bool found = Find(handle, "curl_global_init", library.global_init, missing) &&
                     Find(handle, "curl_easy_init", library.easy_init, missing) &&
                     Find(handle, "curl_easy_setopt", library.easy_setopt, missing) &&
                     Find(handle, "curl_easy_perform", library.easy_perform, missing) &&
                     Find(handle, "curl_easy_getinfo", library.easy_getinfo, missing) &&
                     Find(handle, "curl_easy_cleanup", library.easy_cleanup, missing) &&
                     Find(handle, "curl_easy_escape", library.easy_escape, missing) &&
                     Find(handle, "curl_free", library.free, missing) &&
                     Find(handle, "curl_slist_append", library.slist_append, missing) &&
                     Find(handle, "curl_slist_free_all", library.slist_free_all, missing);
  if (!found) {
    load.error = fileName;
    load.error += " lacks ";
    load.error += missing;
  } else if (library.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
    load.error = fileName;
    load.error += ": initialisation failed";
  } else {
    load.library = library;
    return load;
  }
  dlclose(handle);
  return load;
}

const CurlLoad& Curl() {
  static const CurlLoad load = [] {
    CurlLoad first = LoadCurlLibrary(kCurlLibraryName);
    // Once, so that a user whose online features all fail learns why.
    if (!first.library) std::fprintf(stderr, "tarvel: no internet requests: %s\n", first.error.c_str());
    return first;
  }();
  return load;
}

}  // namespace tarvel
