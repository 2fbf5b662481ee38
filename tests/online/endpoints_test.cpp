#include "endpoints.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <set>
#include <string>
#include <vector>

#include "cipher.h"

namespace tarvel {
namespace {

struct Expected {
  Endpoint endpoint;
  const char* name;
  EndpointKind kind;
  const char* address;  // for the base "http://127.0.0.1:5000"
};

const Expected kExpected[] = {
    {Endpoint::ServiceDirectory, "service directory", EndpointKind::HttpGet,
     "http://127.0.0.1:5000/directory.txt"},
    {Endpoint::TournamentService, "tournament service", EndpointKind::HttpPost,
     "http://127.0.0.1:5000/tournament"},
    {Endpoint::TableServer, "tournament table server", EndpointKind::TcpFrames, "127.0.0.1"},
    {Endpoint::TopTenService, "world top ten service", EndpointKind::HttpPost, "http://127.0.0.1:5000/wtop10"},
    {Endpoint::StatService, "statistics service", EndpointKind::HttpPost, "http://127.0.0.1:5000/stat"},
    {Endpoint::NewsDocument, "news document", EndpointKind::HttpGet, "http://127.0.0.1:5000/news.html"},
    {Endpoint::AccountService, "account service", EndpointKind::HttpPost, "http://127.0.0.1:5000/account"},
    {Endpoint::PhotoFolder, "photo folder", EndpointKind::HttpGet, "http://127.0.0.1:5000/photos/"},
    {Endpoint::PhotoUpload, "photo upload", EndpointKind::FtpUpload, "ftp://127.0.0.1/photos/"},
    {Endpoint::ExternalAddress, "external-address script", EndpointKind::HttpGet,
     "http://127.0.0.1:5000/get_ip.php"},
    {Endpoint::Playlist, "playlist page", EndpointKind::HttpGet, "http://127.0.0.1:5000/musik/_playlist.html"},
    {Endpoint::MusicFolder, "song folder", EndpointKind::HttpGet, "http://127.0.0.1:5000/musik/"},
    {Endpoint::DownloadFolder, "download folder", EndpointKind::HttpGet,
     "http://127.0.0.1:5000/downloads/progr/cards/"},
    {Endpoint::RouterHelp, "router-setup help", EndpointKind::HttpGet, "http://127.0.0.1:5000/help/router.html"},
};

TEST(Endpoints, EveryEndpointIsListedOnceInOrder) {
  const auto all = AllEndpoints();
  ASSERT_EQ(all.size(), std::size(kExpected));
  std::set<std::string_view> names;
  for (std::size_t i = 0; i < all.size(); ++i) {
    EXPECT_EQ(all[i].Id, kExpected[i].endpoint);
    EXPECT_EQ(all[i].Name, kExpected[i].name);
    EXPECT_EQ(all[i].Kind, kExpected[i].kind);
    EXPECT_EQ(&InfoOf(all[i].Id), &all[i]);
    EXPECT_TRUE(names.insert(all[i].Name).second) << all[i].Name;
  }
}

TEST(Endpoints, AddressesFromABaseWithAndWithoutTrailingSlash) {
  for (const char* base : {"http://127.0.0.1:5000", "http://127.0.0.1:5000/"}) {
    const ServiceEndpoints endpoints(base);
    EXPECT_EQ(endpoints.Base(), base);
    for (const Expected& e : kExpected) {
      EXPECT_EQ(endpoints.Address(e.endpoint), e.address) << base << " " << e.name;
    }
  }
}

TEST(Endpoints, ABaseWithAFolderKeepsEveryEndpointInside) {
  const ServiceEndpoints endpoints("https://user@games.example.org:8443/tarvel");
  EXPECT_EQ(endpoints.Address(Endpoint::ExternalAddress), "https://user@games.example.org:8443/tarvel/get_ip.php");
  EXPECT_EQ(endpoints.Address(Endpoint::DownloadFolder),
            "https://user@games.example.org:8443/tarvel/downloads/progr/cards/");
  EXPECT_EQ(endpoints.Address(Endpoint::TableServer), "games.example.org");
  EXPECT_EQ(endpoints.Address(Endpoint::PhotoUpload), "ftp://games.example.org/photos/");
}

TEST(Endpoints, BuiltInBaseIsTheLocalServices) {
  EXPECT_EQ(BuiltInServiceBase(), "http://127.0.0.1:25680/");
  EXPECT_TRUE(IsServiceBase(BuiltInServiceBase()));
}

TEST(Endpoints, JoinAddress) {
  struct Case {
    const char* base;
    const char* path;
    const char* joined;
  };
  const Case cases[] = {
      {"http://h", "a", "http://h/a"},
      {"http://h/", "a", "http://h/a"},
      {"http://h/", "/a", "http://h/a"},
      {"http://h", "//a/b/", "http://h/a/b/"},
      {"http://h/x/", "", "http://h/x/"},
      {"", "a", "/a"},
  };
  for (const Case& c : cases) EXPECT_EQ(JoinAddress(c.base, c.path), c.joined) << c.base << " + " << c.path;
}

TEST(Endpoints, ServiceHost) {
  struct Case {
    const char* address;
    const char* host;
  };
  const Case cases[] = {
      {"http://127.0.0.1:25680/", "127.0.0.1"},
      {"http://example.org", "example.org"},
      {"https://a:b@example.org:81/x?y#z", "example.org"},
      {"http://[::1]:8080/", "[::1]"},
      {"http://[::1", ""},
      {"http://host?query", "host"},
      {"http://", ""},
      {"example.org", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(ServiceHost(c.address), c.host) << c.address;
}

TEST(Endpoints, IsServiceBase) {
  EXPECT_TRUE(IsServiceBase("http://127.0.0.1:9000"));
  EXPECT_TRUE(IsServiceBase("https://example.org/tarvel/"));
  EXPECT_FALSE(IsServiceBase("ftp://example.org/"));
  EXPECT_FALSE(IsServiceBase("http://"));
  EXPECT_FALSE(IsServiceBase("127.0.0.1:9000"));
  EXPECT_FALSE(IsServiceBase(""));
}

TEST(Endpoints, SettingsLinesDefaultToTheBuiltInPaths) {
  EXPECT_EQ(Decipher(DefaultTopTenServiceLine()), "wtop10");
  EXPECT_EQ(Decipher(DefaultStatServiceLine()), "stat");
  ServiceEndpoints endpoints("http://127.0.0.1:5000");
  EXPECT_TRUE(endpoints.UseEncipheredAddress(Endpoint::TopTenService, DefaultTopTenServiceLine()));
  EXPECT_TRUE(endpoints.UseEncipheredAddress(Endpoint::StatService, DefaultStatServiceLine()));
  EXPECT_EQ(endpoints.Address(Endpoint::TopTenService), "http://127.0.0.1:5000/wtop10");
  EXPECT_EQ(endpoints.Address(Endpoint::StatService), "http://127.0.0.1:5000/stat");
}

TEST(Endpoints, EncipheredAddressesReplaceTheBuiltInOnes) {
  ServiceEndpoints endpoints("http://127.0.0.1:5000/");
  EXPECT_TRUE(endpoints.UseEncipheredAddress(Endpoint::AccountService, Encipher("/acc/v2")));
  EXPECT_EQ(endpoints.Address(Endpoint::AccountService), "http://127.0.0.1:5000/acc/v2");

  EXPECT_TRUE(endpoints.UseEncipheredAddress(Endpoint::StatService, Encipher("https://stats.example.org/s")));
  EXPECT_EQ(endpoints.Address(Endpoint::StatService), "https://stats.example.org/s");

  // Damaged or empty texts keep the address in force.
  EXPECT_FALSE(endpoints.UseEncipheredAddress(Endpoint::StatService, "not#enciphered"));
  EXPECT_FALSE(endpoints.UseEncipheredAddress(Endpoint::StatService, ""));
  EXPECT_FALSE(endpoints.UseEncipheredAddress(Endpoint::StatService, Encipher("")));
  EXPECT_EQ(endpoints.Address(Endpoint::StatService), "https://stats.example.org/s");

  // A relative path that merely holds "://" after a slash is still a path.
  EXPECT_TRUE(endpoints.UseEncipheredAddress(Endpoint::NewsDocument, Encipher("n/x://y")));
  EXPECT_EQ(endpoints.Address(Endpoint::NewsDocument), "http://127.0.0.1:5000/n/x://y");
  // Other endpoints are not touched.
  EXPECT_EQ(endpoints.Address(Endpoint::TopTenService), "http://127.0.0.1:5000/wtop10");
}

TEST(Endpoints, OptionValue) {
  struct Case {
    const char* name;
    std::vector<const char*> args;
    std::optional<std::string> value;
  };
  const Case cases[] = {
      {"none", {"tarvel"}, std::nullopt},
      {"separate value", {"tarvel", "--services", "http://a:1"}, "http://a:1"},
      {"joined value", {"tarvel", "--services=http://b:2/"}, "http://b:2/"},
      {"last one wins", {"tarvel", "--services", "http://a", "--data-dir", "/x", "--services=http://c"}, "http://c"},
      {"missing value", {"tarvel", "--services"}, std::nullopt},
      {"similar option", {"tarvel", "--servicesX", "http://a"}, std::nullopt},
      {"program name is not an option", {"--services=http://z"}, std::nullopt},
      {"empty joined value", {"tarvel", "--services="}, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ServicesOptionValue(static_cast<int>(c.args.size()), c.args.data()), c.value) << c.name;
  }
}

TEST(Endpoints, OptionOverEnvironmentOverBuiltIn) {
  const std::string builtIn = BuiltInServiceBase();
  struct Case {
    const char* name;
    std::optional<std::string_view> option;
    std::optional<std::string_view> environment;
    std::string base;
  };
  const Case cases[] = {
      {"option wins", "http://opt:1", "http://env:2", "http://opt:1"},
      {"environment without option", std::nullopt, "http://env:2", "http://env:2"},
      {"built in without either", std::nullopt, std::nullopt, builtIn},
      {"a bad option falls to the environment", "opt:1", "http://env:2", "http://env:2"},
      {"an empty option falls to the environment", "", "http://env:2", "http://env:2"},
      {"a bad environment value falls to built in", std::nullopt, "env", builtIn},
      {"both bad", "x", "", builtIn},
  };
  for (const Case& c : cases) EXPECT_EQ(ChooseServiceBase(c.option, c.environment), c.base) << c.name;
}

TEST(Endpoints, CommandLineAndTheRealEnvironment) {
  const char* withOption[] = {"tarvel", "--services", "http://127.0.0.1:7001"};
  const char* withoutOption[] = {"tarvel"};

  ASSERT_EQ(::setenv("TARVEL_SERVICES", "http://127.0.0.1:7002/", 1), 0);
  EXPECT_EQ(ServiceBaseFromCommandLine(3, withOption), "http://127.0.0.1:7001");
  EXPECT_EQ(ServiceBaseFromCommandLine(1, withoutOption), "http://127.0.0.1:7002/");

  ASSERT_EQ(::unsetenv("TARVEL_SERVICES"), 0);
  EXPECT_EQ(ServiceBaseFromCommandLine(3, withOption), "http://127.0.0.1:7001");
  EXPECT_EQ(ServiceBaseFromCommandLine(1, withoutOption), BuiltInServiceBase());
}

}  // namespace
}  // namespace tarvel
