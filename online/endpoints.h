// The maker's online services as the program knows them: every endpoint by
// name, its built-in address relative to one base address, and the base
// address in force (built in, or given on the command line or in the
// environment for the local stand-in and for tests). Addresses are kept
// enciphered (cipher.h) and deciphered when asked for. Nothing here talks to
// a network.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tarvel {

enum class Endpoint {
  ServiceDirectory,   // text document read at start-up (GET, UTF-8)
  TournamentService,  // tournament tables and places (POST)
  TableServer,        // tournament table server (TCP frames)
  TopTenService,      // world top ten (POST); settings line TopTenServicePath
  StatService,        // statistics and the chat list (POST); settings line StatServicePath
  NewsDocument,       // news document (GET)
  AccountService,     // player accounts (POST)
  PhotoFolder,        // account photos: folder address + nick + ".jpg" (GET)
  PhotoUpload,        // account photos: the same folder over FTP
  ExternalAddress,    // "get_ip.php": the caller's external address as text (GET)
  Playlist,           // "musik/_playlist.html" (GET)
  MusicFolder,        // "musik/": a song's address is this folder + the playlist line
  DownloadFolder,     // "downloads/progr/cards/": module and radio list downloads
  RouterHelp,         // the router-setup help page opened in the browser
};

inline constexpr std::size_t kEndpointCount = 14;

enum class EndpointKind { HttpGet, HttpPost, TcpFrames, FtpUpload };

struct EndpointInfo {
  Endpoint Id;
  std::string_view Name;  // e.g. "service directory"
  EndpointKind Kind;
};

// Every endpoint, in the order of the enumeration.
std::span<const EndpointInfo, kEndpointCount> AllEndpoints();
const EndpointInfo& InfoOf(Endpoint endpoint);

inline constexpr std::string_view kServicesOption = "--services";
inline constexpr std::string_view kServicesEnvironment = "TARVEL_SERVICES";

// The base address built into the program, deciphered.
std::string BuiltInServiceBase();

// True for an "http://" or "https://" address with a host.
bool IsServiceBase(std::string_view address);

// The value of "--services URL" or "--services=URL" (the last one given),
// or nothing. argv[0] is the program and is not looked at.
std::optional<std::string> ServicesOptionValue(int argc, const char* const* argv);

// The base address in force: the option when it is a service base, else the
// environment value when it is one, else the built-in address.
std::string ChooseServiceBase(std::optional<std::string_view> option,
                              std::optional<std::string_view> environment);

// ChooseServiceBase with the option from the command line and the
// environment variable TARVEL_SERVICES.
std::string ServiceBaseFromCommandLine(int argc, const char* const* argv);

// `path` below `base`, with exactly one '/' between them; a leading '/' of
// the path does not climb to the server's root, so a base with a folder
// ("http://host/tarvel/") keeps every endpoint inside that folder.
std::string JoinAddress(std::string_view base, std::string_view path);

// The host of an address as written in it ("127.0.0.1", "[::1]",
// "example.org"), without scheme, user, port and path; empty when there is none.
std::string ServiceHost(std::string_view address);

// The enciphered built-in paths of the world top ten and the statistics
// service: the defaults of the settings lines TopTenServicePath and
// StatServicePath.
std::string DefaultTopTenServiceLine();
std::string DefaultStatServiceLine();

// The addresses of all endpoints for one base address. An endpoint's address
// is its built-in path below the base unless an enciphered address replaced
// it (the settings lines, the keys of the service directory).
class ServiceEndpoints {
 public:
  explicit ServiceEndpoints(std::string base);

  const std::string& Base() const { return base_; }

  // The address of an endpoint. TableServer gives the base's host (the table
  // list of the tournament service names the host and ports actually used);
  // PhotoUpload gives "ftp://" + host + "/" + the photo folder.
  std::string Address(Endpoint endpoint) const;

  // Replaces the address of `endpoint` by the deciphered `enciphered`: an
  // absolute address ("scheme://...") is used as it is, anything else is a
  // path below the base. Returns false, and keeps the previous address, when
  // the text is empty or does not decipher.
  bool UseEncipheredAddress(Endpoint endpoint, std::string_view enciphered);

 private:
  std::string base_;
  std::array<std::optional<std::string>, kEndpointCount> replaced_;
};

}  // namespace tarvel
