// Fuzz target of the service addresses. The input's first line is taken as
// a base address (from the command line or the environment), the rest as a
// second address, a path and an enciphered address; every line is also one
// word of a command line.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cipher.h"
#include "endpoints.h"
#include "fuzz_check.h"

namespace {

using namespace tarvel;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// The host is a piece of the address without scheme, user, path, query or
// fragment; a bracketed IPv6 host keeps its brackets, any other host has no
// port.
void CheckHost(std::string_view address) {
  const std::string host = ServiceHost(address);
  if (address.find("://") == std::string_view::npos) TARVEL_FUZZ_CHECK(host.empty());
  if (host.empty()) return;
  TARVEL_FUZZ_CHECK(address.find(host) != std::string_view::npos);
  TARVEL_FUZZ_CHECK(host.find_first_of("/?#@") == std::string::npos);
  if (host.front() == '[') {
    TARVEL_FUZZ_CHECK(host.back() == ']' && host.find(']') == host.size() - 1);
  } else {
    TARVEL_FUZZ_CHECK(host.find(':') == std::string::npos);
  }
}

void CheckBase(std::string_view address) {
  const bool scheme = StartsWith(address, "http://") || StartsWith(address, "https://");
  TARVEL_FUZZ_CHECK(IsServiceBase(address) == (scheme && !ServiceHost(address).empty()));
}

// `path` below `base` with exactly one '/' added or kept between them: the
// base comes first unchanged, and the path follows without its leading '/'s.
void CheckJoin(std::string_view base, std::string_view path) {
  const std::string joined = JoinAddress(base, path);
  TARVEL_FUZZ_CHECK(StartsWith(joined, base));
  std::string_view rest = std::string_view(joined).substr(base.size());
  if (base.empty() || base.back() != '/') {
    TARVEL_FUZZ_CHECK(!rest.empty() && rest.front() == '/');
    rest.remove_prefix(1);
  }
  TARVEL_FUZZ_CHECK(rest.empty() || rest.front() != '/');
  TARVEL_FUZZ_CHECK(path.size() >= rest.size() && path.substr(path.size() - rest.size()) == rest);
  TARVEL_FUZZ_CHECK(path.substr(0, path.size() - rest.size()).find_first_not_of('/') ==
                    std::string_view::npos);
}

void CheckChoice(std::optional<std::string_view> option, std::optional<std::string_view> environment) {
  const std::string chosen = ChooseServiceBase(option, environment);
  TARVEL_FUZZ_CHECK(IsServiceBase(chosen));
  if (option && IsServiceBase(*option)) {
    TARVEL_FUZZ_CHECK(chosen == *option);
  } else if (environment && IsServiceBase(*environment)) {
    TARVEL_FUZZ_CHECK(chosen == *environment);
  } else {
    TARVEL_FUZZ_CHECK(chosen == BuiltInServiceBase());
  }
}

// Every endpoint lies below the base (the table server on its host, photo
// uploads on the host over FTP); a replaced address is taken only when it
// deciphers to something, and is then absolute or below the base.
void CheckEndpoints(const std::string& base, std::string_view enciphered) {
  ServiceEndpoints endpoints(base);
  const std::string host = ServiceHost(base);
  for (const EndpointInfo& info : AllEndpoints()) {
    const std::string address = endpoints.Address(info.Id);
    if (info.Id == Endpoint::TableServer) {
      TARVEL_FUZZ_CHECK(address == host);
    } else if (info.Id == Endpoint::PhotoUpload) {
      TARVEL_FUZZ_CHECK(StartsWith(address, "ftp://" + host + "/"));
    } else {
      TARVEL_FUZZ_CHECK(StartsWith(address, base));
    }
  }
  const std::string before = endpoints.Address(Endpoint::NewsDocument);
  const std::optional<std::string> plain = Decipher(enciphered);
  const bool used = endpoints.UseEncipheredAddress(Endpoint::NewsDocument, enciphered);
  TARVEL_FUZZ_CHECK(used == (plain && !plain->empty()));
  const std::string after = endpoints.Address(Endpoint::NewsDocument);
  if (used) {
    TARVEL_FUZZ_CHECK(after == *plain || after == JoinAddress(base, *plain));
  } else {
    TARVEL_FUZZ_CHECK(after == before);
  }
}

// The value of the last "--services X" or "--services=X" of the words (a
// command-line word ends at its first NUL byte).
void CheckOption(std::vector<std::string> words) {
  for (std::string& word : words) word = word.substr(0, word.find('\0'));
  std::vector<const char*> argv{"tarvel"};
  for (const std::string& word : words) argv.push_back(word.c_str());
  const std::optional<std::string> value =
      ServicesOptionValue(static_cast<int>(argv.size()), argv.data());
  std::optional<std::string> expected;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == kServicesOption) {
      if (i + 1 < words.size()) expected = words[++i];
    } else if (StartsWith(word, std::string(kServicesOption) + "=")) {
      expected = word.substr(kServicesOption.size() + 1);
    }
  }
  TARVEL_FUZZ_CHECK(value == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines;
  for (std::size_t start = 0;;) {
    const std::size_t end = input.find('\n', start);
    lines.push_back(input.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  const std::string& first = lines[0];
  const std::string second = lines.size() > 1 ? lines[1] : std::string();

  for (const std::string& line : lines) {
    CheckHost(line);
    CheckBase(line);
  }
  CheckJoin(first, second);
  CheckJoin(second, first);
  CheckChoice(first, second);
  CheckChoice(std::nullopt, first);
  CheckChoice(first, std::nullopt);
  CheckEndpoints(IsServiceBase(first) ? first : BuiltInServiceBase(), second);
  CheckOption(lines);
  return 0;
}
