// Fuzz target of the HTTP client's parsers: the input is what a server (or
// a damaged cookie file) gives. Its first byte sets the size of the pieces
// the reply arrives in.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "http_wire.h"

namespace {

using namespace tarvel;

void CheckReply(std::string_view wire, std::size_t piece) {
  HttpReplyReader reader;
  for (std::size_t at = 0; at < wire.size(); at += piece) reader.Feed(wire.substr(at, piece));
  const HttpReplyReader::State fed = reader.Current();
  reader.Close();
  // A closed connection settles every reply one way or the other.
  TARVEL_FUZZ_CHECK(reader.Current() != HttpReplyReader::State::Reading);
  if (fed != HttpReplyReader::State::Reading) TARVEL_FUZZ_CHECK(reader.Current() == fed);
  if (reader.Current() == HttpReplyReader::State::Done) TARVEL_FUZZ_CHECK(reader.Status() >= 200 && reader.Status() <= 999);
  TARVEL_FUZZ_CHECK(reader.TakeBody().size() <= kMaxReplyBytes);
}

// What the jar writes it reads back as it was, whatever it took.
void CheckCookies(std::string_view text) {
  constexpr std::int64_t kNow = 1'800'000'000;
  CookieJar jar;
  jar.Read(text);
  const std::size_t lineEnd = text.find('\n');
  jar.Take("svc.example.org", "/a/b", text.substr(0, lineEnd), kNow);
  const std::string file = jar.Write(kNow);
  CookieJar back;
  back.Read(file);
  TARVEL_FUZZ_CHECK(back.Write(kNow) == file);
  const std::string header = jar.HeaderFor("svc.example.org", "/a/b", kNow);
  TARVEL_FUZZ_CHECK(header.find_first_of("\r\n") == std::string::npos);
}

void CheckAddress(std::string_view url) {
  const auto address = ParseHttpAddress(url);
  if (!address) return;
  TARVEL_FUZZ_CHECK(!address->host.empty() && address->port != 0);
  TARVEL_FUZZ_CHECK(!address->target.empty() && address->target.front() == '/');
  const std::string request = RequestBytes("GET", address->target, address->authority, {}, {}, false);
  // One request line and one Host line: nothing of the address starts a line of its own.
  TARVEL_FUZZ_CHECK(request.find("\r\n") == request.find(" HTTP/1.1\r\n") + 9);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  CheckReply(text, 1 + data[0] % 64);
  CheckCookies(text);
  CheckAddress(text);
  return 0;
}
