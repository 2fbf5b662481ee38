// The services' internet radio: the station list with the server's own
// address, the frames of a station loop, and endless streams of the real
// program read over plain sockets, a listener that stops reading included.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "mp3_frames.h"
#include "radio_module.h"
#include "services_process.h"

namespace tarvel::services {
namespace {

// A plain TCP client that sends one request and reads what comes.
class Listener {
 public:
  Listener(int port, const std::string& request) {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
      ok_ = ::send(fd_, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size());
  }
  ~Listener() { ::close(fd_); }
  // Reads until `bytes` are in, the peer closes, or 10 s pass without data.
  const std::string& ReadUntil(std::size_t bytes) {
    return ReadUntil([bytes](const std::string& in) { return in.size() >= bytes; });
  }
  template <typename Done>
  const std::string& ReadUntil(Done done) {
    char buffer[16384];
    while (ok_ && !done(received_)) {
      pollfd wait{fd_, POLLIN, 0};
      if (::poll(&wait, 1, 10000) <= 0) break;
      const ssize_t got = ::recv(fd_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      received_.append(buffer, static_cast<std::size_t>(got));
    }
    return received_;
  }
  std::string Headers() {
    ReadUntil([](const std::string& in) { return in.find("\r\n\r\n") != std::string::npos; });
    return received_.substr(0, received_.find("\r\n\r\n") + 2);
  }
  std::string Body() const { return received_.substr(received_.find("\r\n\r\n") + 4); }

 private:
  int fd_ = -1;
  bool ok_ = false;
  std::string received_;
};

std::string Get(const std::string& path, const std::string& host = "127.0.0.1") {
  return "GET " + path + " HTTP/1.1\r\nHost: " + host + "\r\nIcy-MetaData: 1\r\nConnection: close\r\n\r\n";
}

TEST(RadioModule, TheStationListNamesTheServerItCameFrom) {
  const QByteArray list = "# comment http://127.0.0.1:25680/\r\nRUS#RUS0001#A##http://127.0.0.1:25680/radio/a.mp3#\r\n"
                          "USA#USA0001#B##http://example.org/b.mp3#\r\n";
  struct Case {
    const char* host;
    const char* first;  // the address of station A
  };
  for (const Case c : {Case{"games.example.org:8080", "http://games.example.org:8080/radio/a.mp3"},
                       Case{"[::1]:25680", "http://[::1]:25680/radio/a.mp3"},
                       Case{"192.168.1.5", "http://192.168.1.5/radio/a.mp3"},
                       Case{"evil.org/x#", "http://127.0.0.1:25680/radio/a.mp3"},
                       Case{"a b", "http://127.0.0.1:25680/radio/a.mp3"},
                       Case{"", "http://127.0.0.1:25680/radio/a.mp3"}}) {
    SCOPED_TRACE(c.host);
    const QByteArray served = StationListFor(list, c.host);
    EXPECT_TRUE(served.contains(c.first));
    EXPECT_TRUE(served.contains("http://example.org/b.mp3"));  // other stations keep theirs
  }
}

TEST(RadioModule, FramesAreFoundFromTheFirstHeaderToTheLastWholeFrame) {
  // MPEG-1 Layer III, 128 kbit/s, 44.1 kHz: 417 bytes a frame (418 padded).
  const std::string frame = std::string("\xFF\xFB\x90\x00", 4) + std::string(413, '\x11');
  const std::string padded = std::string("\xFF\xFB\x92\x00", 4) + std::string(414, '\x22');
  const std::string frame48k = std::string("\xFF\xFB\x94\x00", 4) + std::string(380, '\x33');
  const std::string id3 = std::string("ID3\x04\x00\x00\x00\x00\x00\x05", 10) + "tagxx";
  struct Case {
    const char* name;
    std::string data;
    std::size_t frames;
    std::size_t firstOffset;
  };
  for (const Case& c : {Case{"plain", frame + padded + frame, 3, 0}, Case{"after a tag", id3 + frame + frame, 2, 15},
                        Case{"after garbage", "junk\xFF" + frame, 1, 5}, Case{"cut last frame", frame + frame.substr(0, 100), 1, 0},
                        Case{"rate changes", frame + frame48k, 0, 0}, Case{"nothing", std::string(2000, '\xFF'), 0, 0},
                        Case{"empty", "", 0, 0}}) {
    SCOPED_TRACE(c.name);
    const Mp3Frames found = FindMp3Frames(c.data);
    ASSERT_EQ(found.frames.size(), c.frames);
    if (c.frames == 0) continue;
    EXPECT_EQ(found.frames[0].offset, c.firstOffset);
    EXPECT_EQ(found.bitrateKbps, 128);
    EXPECT_EQ(found.sampleRate, 44100);
    for (const Mp3Frame& f : found.frames) EXPECT_LE(f.offset + f.length, c.data.size());
  }
}

TEST(RadioModule, StationsStreamWithoutEndAndAStalledListenerHoldsNobodyUp) {
  ServicesProcess services(TARVEL_SERVICES_PROGRAM, MakeTemporaryFolder());
  ASSERT_TRUE(services.Started()) << services.Error();
  const std::string station = "/radio/Tarvel_Night~Calm_Music.mp3";

  Listener missing(services.Port(), Get("/radio/None~Such.mp3"));
  EXPECT_EQ(missing.Headers().rfind("HTTP/1.1 404", 0), 0u);

  // One listener that never reads, then one that does.
  Listener stalled(services.Port(), Get(station));
  Listener reader(services.Port(), Get(station));
  const std::string headers = reader.Headers();
  EXPECT_EQ(headers.rfind("HTTP/1.1 200", 0), 0u) << headers;
  for (const char* header : {"Content-Type: audio/mpeg\r\n", "icy-name: Tarvel Night\r\n",
                             "icy-genre: Calm Music\r\n", "icy-br: 128\r\n"})
    EXPECT_NE(headers.find(header), std::string::npos) << header;
  EXPECT_EQ(headers.find("Content-Length"), std::string::npos);
  // More than the start-up buffer (two seconds of 16000 bytes) comes, in
  // whole frames from the first byte on.
  const std::string& body = reader.ReadUntil(headers.size() + 4 + 3 * 16000);
  ASSERT_GT(body.size(), headers.size() + 3 * 16000);
  const Mp3Frames frames = FindMp3Frames(reader.Body());
  ASSERT_FALSE(frames.frames.empty());
  EXPECT_EQ(frames.frames[0].offset, 0u);
  EXPECT_EQ(frames.bitrateKbps, 128);

  // The list for the game, with this server's address in it.
  Listener list(services.Port(), Get("/downloads/progr/cards/QorRadio.rad", "127.0.0.1:" + std::to_string(services.Port())));
  list.ReadUntil([](const std::string& in) {
    const std::size_t length = in.find("Content-Length: ");
    const std::size_t end = in.find("\r\n\r\n");
    return length != std::string::npos && end != std::string::npos &&
           in.size() >= end + 4 + std::stoul(in.substr(length + 16));
  });
  EXPECT_NE(list.Body().find("#http://127.0.0.1:" + std::to_string(services.Port()) + station + "#"),
            std::string::npos);
  EXPECT_TRUE(services.Stop());
}

}  // namespace
}  // namespace tarvel::services
