#include "endpoints.h"

#include <cstdlib>
#include <utility>

#include "cipher.h"

namespace tarvel {
namespace {

struct BuiltIn {
  EndpointInfo Info;
  std::string_view EncipheredPath;  // relative to the base; empty for TableServer
};

constexpr std::array<BuiltIn, kEndpointCount> kBuiltIn = {{
    {{Endpoint::ServiceDirectory, "service directory", EndpointKind::HttpGet}, "Yrkoj3RRgmHc8eNXr9j"},
    {{Endpoint::TournamentService, "tournament service", EndpointKind::HttpPost}, "w6aOC3WgAECQz8P"},
    {{Endpoint::TableServer, "tournament table server", EndpointKind::TcpFrames}, ""},
    {{Endpoint::TopTenService, "world top ten service", EndpointKind::HttpPost}, "7Q9R13IOaj"},
    {{Endpoint::StatService, "statistics service", EndpointKind::HttpPost}, "NQP7vGU"},
    {{Endpoint::NewsDocument, "news document", EndpointKind::HttpGet}, "Vm6JzQ1DFsZbvb"},
    {{Endpoint::AccountService, "account service", EndpointKind::HttpPost}, "tEICRXKzA4U"},
    {{Endpoint::PhotoFolder, "photo folder", EndpointKind::HttpGet}, "Kpsk9T5Hajk"},
    {{Endpoint::PhotoUpload, "photo upload", EndpointKind::FtpUpload}, "Kpsk9T5Hajk"},
    {{Endpoint::ExternalAddress, "external-address script", EndpointKind::HttpGet}, "TcQeGbt0sbjN03G"},
    {{Endpoint::Playlist, "playlist page", EndpointKind::HttpGet}, "apmbe2U_PWlfNW7Fyb2IW3V-n23d"},
    {{Endpoint::MusicFolder, "song folder", EndpointKind::HttpGet}, "o5ICIMPigY"},
    {{Endpoint::DownloadFolder, "download folder", EndpointKind::HttpGet}, "f3j6gQJlBk6NmOv-iaw5U5SIkQ3SwK6"},
    {{Endpoint::RouterHelp, "router-setup help", EndpointKind::HttpGet}, "5pGxMdUNs6erRf0e_pdrUXq"},
}};

// Where the local stand-in for the maker's services listens by default.
constexpr std::string_view kEncipheredBase = "Tff6nzhbJaGz6w9Fe56DeQyd3pgMjRl4";

constexpr std::array<EndpointInfo, kEndpointCount> MakeInfos() {
  std::array<EndpointInfo, kEndpointCount> infos{};
  for (std::size_t i = 0; i < kEndpointCount; ++i) infos[i] = kBuiltIn[i].Info;
  return infos;
}
constexpr std::array<EndpointInfo, kEndpointCount> kInfos = MakeInfos();

constexpr bool TableFollowsEnumeration() {
  for (std::size_t i = 0; i < kEndpointCount; ++i) {
    if (static_cast<std::size_t>(kBuiltIn[i].Info.Id) != i) return false;
  }
  return true;
}
static_assert(TableFollowsEnumeration(), "kBuiltIn is indexed by Endpoint");

// The constants above are written by this program's own cipher; a failure
// here means the cipher changed without them.
std::string DecipherConstant(std::string_view enciphered) {
  return Decipher(enciphered).value_or(std::string{});
}

std::size_t IndexOf(Endpoint endpoint) { return static_cast<std::size_t>(endpoint); }

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsAbsolute(std::string_view address) {
  const auto scheme = address.find("://");
  return scheme != std::string_view::npos && scheme > 0 &&
         address.find_first_of("/?#") > scheme;
}

}  // namespace

std::span<const EndpointInfo, kEndpointCount> AllEndpoints() { return kInfos; }

const EndpointInfo& InfoOf(Endpoint endpoint) { return kInfos[IndexOf(endpoint)]; }

std::string BuiltInServiceBase() { return DecipherConstant(kEncipheredBase); }

bool IsServiceBase(std::string_view address) {
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (StartsWith(address, scheme)) return !ServiceHost(address).empty();
  }
  return false;
}

std::optional<std::string> ServicesOptionValue(int argc, const char* const* argv) {
  std::optional<std::string> value;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] == nullptr ? std::string_view{} : argv[i];
    if (arg == kServicesOption) {
      if (i + 1 < argc && argv[i + 1] != nullptr) value = std::string(argv[++i]);
    } else if (StartsWith(arg, kServicesOption) && arg.size() > kServicesOption.size() &&
               arg[kServicesOption.size()] == '=') {
      value = std::string(arg.substr(kServicesOption.size() + 1));
    }
  }
  return value;
}

std::string ChooseServiceBase(std::optional<std::string_view> option,
                              std::optional<std::string_view> environment) {
  if (option && IsServiceBase(*option)) return std::string(*option);
  if (environment && IsServiceBase(*environment)) return std::string(*environment);
  return BuiltInServiceBase();
}

std::string ServiceBaseFromCommandLine(int argc, const char* const* argv) {
  const std::optional<std::string> option = ServicesOptionValue(argc, argv);
  const char* environment = std::getenv(std::string(kServicesEnvironment).c_str());
  return ChooseServiceBase(option ? std::optional<std::string_view>(*option) : std::nullopt,
                           environment ? std::optional<std::string_view>(environment)
                                       : std::nullopt);
}

std::string JoinAddress(std::string_view base, std::string_view path) {
  while (!path.empty() && path.front() == '/') path.remove_prefix(1);
  std::string address(base);
  if (address.empty() || address.back() != '/') address += '/';
  address += path;
  return address;
}

std::string ServiceHost(std::string_view address) {
  const auto scheme = address.find("://");
  if (scheme == std::string_view::npos) return {};
  std::string_view authority = address.substr(scheme + 3);
  authority = authority.substr(0, authority.find_first_of("/?#"));
  const auto user = authority.rfind('@');
  if (user != std::string_view::npos) authority.remove_prefix(user + 1);
  if (StartsWith(authority, "[")) {
    const auto close = authority.find(']');
    return close == std::string_view::npos ? std::string{}
                                           : std::string(authority.substr(0, close + 1));
  }
  return std::string(authority.substr(0, authority.find(':')));
}

std::string DefaultTopTenServiceLine() {
  return std::string(kBuiltIn[IndexOf(Endpoint::TopTenService)].EncipheredPath);
}

std::string DefaultStatServiceLine() {
  return std::string(kBuiltIn[IndexOf(Endpoint::StatService)].EncipheredPath);
}

ServiceEndpoints::ServiceEndpoints(std::string base) : base_(std::move(base)) {}

std::string ServiceEndpoints::Address(Endpoint endpoint) const {
  const std::size_t index = IndexOf(endpoint);
  if (replaced_[index]) {
    const std::string& address = *replaced_[index];
    return IsAbsolute(address) ? address : JoinAddress(base_, address);
  }
  const std::string path = DecipherConstant(kBuiltIn[index].EncipheredPath);
  switch (endpoint) {
    case Endpoint::TableServer:
      return ServiceHost(base_);
    case Endpoint::PhotoUpload:
      return JoinAddress("ftp://" + ServiceHost(base_), path);
    default:
      return JoinAddress(base_, path);
  }
}

bool ServiceEndpoints::UseEncipheredAddress(Endpoint endpoint, std::string_view enciphered) {
  std::optional<std::string> address = Decipher(enciphered);
  if (!address || address->empty()) return false;
  replaced_[IndexOf(endpoint)] = std::move(*address);
  return true;
}

}  // namespace tarvel
