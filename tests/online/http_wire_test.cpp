#include "http_wire.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "http_client.h"

namespace tarvel {
namespace {

TEST(HttpAddress, SchemeHostPortAndTarget) {
  struct Case {
    const char* url;
    const char* host;  // null: refused
    int port;
    const char* authority;
    const char* target;
  } const cases[] = {
      {"http://127.0.0.1:8080/a/b?x=1", "127.0.0.1", 8080, "127.0.0.1:8080", "/a/b?x=1"},
      {"HTTP://Example.org", "Example.org", 80, "Example.org", "/"},
      {"http://h?q=1#part", "h", 80, "h", "/?q=1"},
      {"http://[::1]:99/x", "::1", 99, "[::1]:99", "/x"},
      {"https://h/", nullptr, 0, "", ""},
      {"ftp://h/", nullptr, 0, "", ""},
      {"http://user:pw@h/", nullptr, 0, "", ""},
      {"http://h:0/", nullptr, 0, "", ""},
      {"http://h:65536/", nullptr, 0, "", ""},
      {"http://h:8x/", nullptr, 0, "", ""},
      {"http:///path", nullptr, 0, "", ""},
      {"http://h/a b", nullptr, 0, "", ""},
      {"http://h/a\r\nX-Injected: 1", nullptr, 0, "", ""},
      {"http://[::1/", nullptr, 0, "", ""},
  };
  for (const Case& c : cases) {
    const std::optional<HttpAddress> address = ParseHttpAddress(c.url);
    ASSERT_EQ(address.has_value(), c.host != nullptr) << c.url;
    if (!address) continue;
    EXPECT_EQ(address->host, c.host) << c.url;
    EXPECT_EQ(address->port, c.port) << c.url;
    EXPECT_EQ(address->authority, c.authority) << c.url;
    EXPECT_EQ(address->target, c.target) << c.url;
  }
  EXPECT_EQ(FormEncode({{"nick", "Ann Lee"}, {"c", "\xC0&=~._-"}}), "nick=Ann%20Lee&c=%C0%26%3D~._-");
}

TEST(HttpReplyReader, WholeRepliesInAnyPiecesAndBrokenOnes) {
  using State = HttpReplyReader::State;
  struct Case {
    const char* name;
    std::string wire;
    bool closeAtEnd;  // the server closes after the bytes
    State state;
    long status;
    std::string body;
    bool keepsOpen;
  } const cases[] = {
      {"length", "HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello", false, State::Done, 200, "hello", true},
      {"bytes after the reply", "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokEXTRA", false, State::Done, 200, "ok", true},
      {"bare line ends", "HTTP/1.1 404 Not Found\nContent-Length: 1\n\nx", false, State::Done, 404, "x", true},
      {"chunked", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3;ext=1\r\nabc\r\n0002\r\nde\r\n0\r\nX-T: 1\r\n\r\n",
       false, State::Done, 200, "abcde", true},
      {"interim first", "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 201 Created\r\nContent-Length: 1\r\n\r\nz", false, State::Done,
       201, "z", true},
      {"until close", "HTTP/1.1 200 OK\r\n\r\nall of it", true, State::Done, 200, "all of it", false},
      {"no body", "HTTP/1.1 204 No Content\r\n\r\n", false, State::Done, 204, "", true},
      {"asks to close", "HTTP/1.1 200 OK\r\nConnection: Close\r\nContent-Length: 0\r\n\r\n", false, State::Done, 200, "",
       false},
      {"old version", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\n1", false, State::Done, 200, "1", false},
      {"cut short", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc", true, State::Bad, 200, "", false},
      {"cut in its head", "HTTP/1.1 200 OK\r\nContent-Le", true, State::Bad, 200, "", false},
      {"still coming", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc", false, State::Reading, 200, "", false},
      {"not HTTP", "SSH-2.0-OpenSSH\r\n\r\n", false, State::Bad, 0, "", false},
      {"bad status", "HTTP/1.1 2x0 OK\r\n\r\n", false, State::Bad, 0, "", false},
      {"two lengths", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\nab", false, State::Bad, 200, "", false},
      {"negative length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", false, State::Bad, 200, "", false},
      {"huge length", "HTTP/1.1 200 OK\r\nContent-Length: 99999999999\r\n\r\n", false, State::Bad, 200, "", false},
      {"bad chunk size", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", false, State::Bad, 200, "", false},
      {"huge chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nFFFFFFFF\r\n", false, State::Bad, 200, "", false},
      {"chunk without its end", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\naXX\r\n", false, State::Bad, 200,
       "", false},
      {"endless head", "HTTP/1.1 200 OK\r\nX: " + std::string(70000, 'a'), false, State::Bad, 200, "", false},
      {"header without a name", "HTTP/1.1 200 OK\r\n: x\r\n\r\n", false, State::Bad, 200, "", false},
  };
  for (const Case& c : cases) {
    for (const std::size_t piece : {std::size_t{1}, std::size_t{7}, c.wire.size()}) {
      HttpReplyReader reader;
      for (std::size_t at = 0; at < c.wire.size(); at += piece) reader.Feed(std::string_view(c.wire).substr(at, piece));
      if (c.closeAtEnd) reader.Close();
      EXPECT_EQ(reader.Current(), c.state) << c.name << " in pieces of " << piece;
      EXPECT_EQ(reader.Status(), c.status) << c.name;
      EXPECT_EQ(reader.KeepsOpen(), c.keepsOpen) << c.name;
      if (c.state == State::Done) {
        EXPECT_EQ(reader.TakeBody(), c.body) << c.name;
      }
    }
  }
}

TEST(CookieJar, TakeSendForgetAndTheFileOfOldClients) {
  constexpr std::int64_t kNow = 1'800'000'000;
  CookieJar jar;
  EXPECT_TRUE(jar.Take("127.0.0.1", "/stat", "qorkey=K1; Max-Age=315360000; Path=/", kNow));
  EXPECT_TRUE(jar.Take("svc.example.org", "/a/b", "s=1; Domain=.example.org; Path=/; HttpOnly", kNow));
  EXPECT_TRUE(jar.Take("svc.example.org", "/a/b", "here=2", kNow));  // path /a, this host only
  EXPECT_FALSE(jar.Take("svc.example.org", "/", "x=1; Domain=other.org", kNow));
  EXPECT_FALSE(jar.Take("h", "/", "no pair", kNow));
  EXPECT_FALSE(jar.Take("h", "/", "t=a\tb", kNow));
  EXPECT_FALSE(jar.Take("h", "/", "old=1; Expires=Sun, 06 Nov 1994 08:49:37 GMT", kNow));  // long expired
  struct Send {
    const char* host;
    const char* path;
    const char* header;
  } const sends[] = {
      {"127.0.0.1", "/anything", "qorkey=K1"},
      {"127.0.0.2", "/", ""},
      {"www.example.org", "/", "s=1"},
      {"svc.example.org", "/a/c", "s=1; here=2"},
      {"svc.example.org", "/ab", "s=1"},
      {"badexample.org", "/", ""},
  };
  for (const Send& s : sends) EXPECT_EQ(jar.HeaderFor(s.host, s.path, kNow), s.header) << s.host << s.path;
  EXPECT_EQ(jar.HeaderFor("127.0.0.1", "/", kNow + 315360000), "");  // expired by then

  // Written and read back: the same cookies; and a file as libcurl wrote it.
  CookieJar back;
  back.Read(jar.Write(kNow));
  for (const Send& s : sends) EXPECT_EQ(back.HeaderFor(s.host, s.path, kNow), s.header) << s.host << s.path;
  CookieJar curl;
  curl.Read(
      "# Netscape HTTP Cookie File\n# https://curl.se/docs/http-cookies.html\n\n"
      "127.0.0.1\tFALSE\t/\tFALSE\t2115360000\tqorkey\tK9\n"
      "#HttpOnly_.example.org\tTRUE\t/\tFALSE\t0\tsid\tS\r\n"
      "broken line\nh\tFALSE\tnopath\tFALSE\t0\tn\tv\nh\tFALSE\t/\tFALSE\tsoon\tn\tv\n");
  ASSERT_EQ(curl.Cookies().size(), 2U);
  EXPECT_TRUE(curl.Cookies()[1].httpOnly);
  EXPECT_EQ(curl.HeaderFor("127.0.0.1", "/", kNow), "qorkey=K9");
  EXPECT_EQ(curl.HeaderFor("a.example.org", "/", kNow), "sid=S");
  // Taken back by the server.
  EXPECT_TRUE(curl.Take("127.0.0.1", "/", "qorkey=; Max-Age=0", kNow));
  EXPECT_EQ(curl.HeaderFor("127.0.0.1", "/", kNow), "");

  struct Date {
    const char* text;
    std::int64_t seconds;  // -1: not a date
  } const dates[] = {{"Sun, 06 Nov 1994 08:49:37 GMT", 784111777},
                     {"Sunday, 06-Nov-94 08:49:37 GMT", 784111777},
                     {"Sun Nov  6 08:49:37 1994", 784111777},
                     {"Thu, 01 Jan 2037 00:00:00 GMT", 2114380800},
                     {"tomorrow", -1},
                     {"Sun, 32 Nov 1994 08:49:37 GMT", -1}};
  for (const Date& d : dates) EXPECT_EQ(ParseHttpDate(d.text).value_or(-1), d.seconds) << d.text;
}

// A server of a few lines: answers each request it reads with `reply`, and
// closes each connection after `perConnection` replies.
class ScriptedServer {
 public:
  ScriptedServer(std::string reply, int connections, int perConnection) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
    socklen_t length = sizeof address;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this, reply = std::move(reply), connections, perConnection] {
      for (int c = 0; c < connections; ++c) {
        const int peer = accept(listener_, nullptr, nullptr);
        std::string seen;
        for (int r = 0; r < perConnection; ++r) {
          char buffer[4096];
          // One request a read is enough for the small requests sent here.
          const ssize_t got = read(peer, buffer, sizeof buffer);
          if (got <= 0) break;
          requests_.emplace_back(buffer, static_cast<std::size_t>(got));
          if (write(peer, reply.data(), reply.size()) < 0) break;
        }
        close(peer);
      }
    });
  }
  ~ScriptedServer() {
    if (thread_.joinable()) thread_.join();
    close(listener_);
  }
  std::string Url(const std::string& host = "127.0.0.1") const {
    return "http://" + host + ":" + std::to_string(port_) + "/stat";
  }
  const std::vector<std::string>& Requests() {
    thread_.join();
    return requests_;
  }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::vector<std::string> requests_;
};

TEST(HttpClientWire, KeptConnectionClosedByTheServerIsOpenedAgainAndCookiesAreFiled) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tarvel-http-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  const std::string cookieFile = (folder / "cookies.txt").string();
  {
    // The server closes after each reply, although it promised to keep the
    // connection: the second request must go out again, once.
    ScriptedServer server("HTTP/1.1 200 OK\r\nSet-Cookie: qorkey=M7; Max-Age=99999\r\nContent-Length: 3\r\n\r\n$1$", 2, 1);
    HttpClient client;
    client.SetCookieFile(cookieFile);
    const HttpReply first = client.PostList(server.Url(), {{"gid", "807"}});
    const HttpReply second = client.PostText(server.Url(), "gid=807");
    EXPECT_TRUE(first.ok && second.ok);
    EXPECT_EQ(second.body, "$1$");
    const std::vector<std::string>& requests = server.Requests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_NE(requests[0].find("User-Agent: QorSpecAccess"), std::string::npos);
    EXPECT_EQ(requests[0].find("Cookie:"), std::string::npos);
    EXPECT_NE(requests[1].find("Cookie: qorkey=M7"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\n\r\ngid=807"), std::string::npos);
  }
  {
    // The next run's client sends the filed cookie; both requests share one
    // connection.
    ScriptedServer server("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", 1, 2);
    HttpClient client;
    client.SetCookieFile(cookieFile);
    EXPECT_TRUE(client.PostText(server.Url(), "a=1").ok);
    EXPECT_TRUE(client.PostText(server.Url(), "a=2").ok);
    const std::vector<std::string>& requests = server.Requests();
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_NE(requests[0].find("Cookie: qorkey=M7"), std::string::npos);
  }
  {
    // Host names are looked up on the side, within the request's time.
    ScriptedServer server("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok", 1, 1);
    EXPECT_EQ(HttpClient::Get(server.Url("localhost")).body, "ok");
    EXPECT_FALSE(HttpClient::Get("http://no-such-host.invalid/", 2000).ok);
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace tarvel
