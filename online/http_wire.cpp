#include "http_wire.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>

namespace tarvel {
namespace {

// A reply's head (status line and header lines) longer than this is no
// server's honest reply.
constexpr std::size_t kMaxHeadBytes = 64 * 1024;

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
  return lower;
}

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

template <typename Number>
std::optional<Number> ToNumber(std::string_view text, int base = 10) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// Bytes that may stand in a request line or a header value.
bool PlainBytes(std::string_view text) {
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || u == 0x7f;
  });
}

}  // namespace

std::optional<HttpAddress> ParseHttpAddress(std::string_view url) {
  constexpr std::string_view kScheme = "http://";
  if (url.size() < kScheme.size() || !SameText(url.substr(0, kScheme.size()), kScheme)) return std::nullopt;
  url.remove_prefix(kScheme.size());
  if (const std::size_t hash = url.find('#'); hash != std::string_view::npos) url = url.substr(0, hash);
  if (!PlainBytes(url)) return std::nullopt;
  const std::size_t slash = std::min(url.find('/'), url.find('?'));
  HttpAddress address;
  address.authority = std::string(url.substr(0, slash));
  if (slash == std::string_view::npos || url[slash] == '?') address.target.push_back('/');
  if (slash != std::string_view::npos) address.target.append(url.substr(slash));
  std::string_view authority = address.authority;
  if (authority.empty() || authority.find('@') != std::string_view::npos) return std::nullopt;
  std::string_view port;
  if (authority.front() == '[') {
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    address.host = std::string(authority.substr(1, close - 1));
    const std::string_view rest = authority.substr(close + 1);
    if (!rest.empty() && rest.front() != ':') return std::nullopt;
    if (!rest.empty()) port = rest.substr(1);
  } else {
    const std::size_t colon = authority.find(':');
    address.host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) port = authority.substr(colon + 1);
  }
  if (address.host.empty()) return std::nullopt;
  if (!port.empty()) {
    const std::optional<unsigned> number = IsDigits(port) ? ToNumber<unsigned>(port) : std::nullopt;
    if (!number || *number == 0 || *number > 65535) return std::nullopt;
    address.port = static_cast<std::uint16_t>(*number);
  }
  return address;
}

std::string FormEncode(const FormFields& fields) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string body;
  const auto encode = [&](std::string_view text) {
    for (const char c : text) {
      const auto u = static_cast<unsigned char>(c);
      if (std::isalnum(u) != 0 && u < 0x80) {
        body += c;
      } else if (c == '-' || c == '.' || c == '_' || c == '~') {
        body += c;
      } else {
        body += '%';
        body += kHex[u >> 4];
        body += kHex[u & 0x0f];
      }
    }
  };
  for (const auto& [name, value] : fields) {
    if (!body.empty()) body += '&';
    encode(name);
    body += '=';
    encode(value);
  }
  return body;
}

std::string RequestBytes(std::string_view method, std::string_view target, std::string_view authority,
                         const std::vector<std::string>& headerLines, std::string_view body, bool keepOpen) {
  std::string bytes;
  bytes.reserve(256 + body.size());
  bytes.append(method).append(" ").append(target).append(" HTTP/1.1\r\nHost: ").append(authority).append("\r\n");
  for (const std::string& line : headerLines) bytes.append(line).append("\r\n");
  if (method == "POST") bytes.append("Content-Length: ").append(std::to_string(body.size())).append("\r\n");
  if (!keepOpen) bytes.append("Connection: close\r\n");
  bytes.append("\r\n").append(body);
  return bytes;
}

// --- The reply reader -------------------------------------------------------

HttpReplyReader::State HttpReplyReader::Fail() {
  state_ = State::Bad;
  pending_.clear();
  return state_;
}

std::optional<std::string> HttpReplyReader::Line() {
  const std::size_t end = pending_.find('\n');
  if (end == std::string::npos) return std::nullopt;
  std::string line = pending_.substr(0, end);
  pending_.erase(0, end + 1);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

bool HttpReplyReader::HeadLine(const std::string& line) {
  if (phase_ == Phase::StatusLine) {
    // "HTTP/1.x 200 Reason"
    if (line.size() < 12 || line.compare(0, 7, "HTTP/1.") != 0 || line[8] != ' ') return false;
    const std::string_view code = std::string_view(line).substr(9, 3);
    if (!IsDigits(code) || (line.size() > 12 && line[12] != ' ')) return false;
    status_ = *ToNumber<long>(code);
    if (status_ < 100) return false;
    closes_ = line[7] == '0';  // HTTP/1.0 closes unless it says otherwise
    phase_ = Phase::Headers;
    return true;
  }
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos || colon == 0) return false;
  const std::string_view name = std::string_view(line).substr(0, colon);
  const std::string_view value = Trim(std::string_view(line).substr(colon + 1));
  if (SameText(name, "Content-Length")) {
    const std::optional<std::size_t> length = IsDigits(value) ? ToNumber<std::size_t>(value) : std::nullopt;
    // Two different lengths: which one ends the body is anyone's guess.
    if (!length || (length_ && *length_ != *length)) return false;
    length_ = length;
  } else if (SameText(name, "Transfer-Encoding")) {
    const std::string lower = LowerCase(value);
    chunked_ = lower.size() >= 7 && lower.compare(lower.size() - 7, 7, "chunked") == 0;
  } else if (SameText(name, "Connection")) {
    const std::string lower = LowerCase(value);
    if (lower.find("close") != std::string::npos) {
      closes_ = true;
    } else if (lower.find("keep-alive") != std::string::npos) {
      closes_ = false;
    }
  } else if (SameText(name, "Set-Cookie") && status_ >= 200) {
    setCookies_.emplace_back(value);
  }
  return true;
}

bool HttpReplyReader::EndOfHead() {
  if (status_ < 200) {  // an interim reply: the real one follows
    phase_ = Phase::StatusLine;
    status_ = 0;
    length_.reset();
    chunked_ = false;
    return true;
  }
  if (status_ == 204 || status_ == 304) {
    state_ = State::Done;
  } else if (chunked_) {
    phase_ = Phase::ChunkSize;
  } else if (length_) {
    if (*length_ > kMaxReplyBytes) return false;
    remaining_ = *length_;
    phase_ = Phase::Length;
    if (remaining_ == 0) state_ = State::Done;
  } else {
    phase_ = Phase::UntilClose;
    closes_ = true;
  }
  return true;
}

bool HttpReplyReader::Append(std::string_view bytes) {
  if (body_.size() + bytes.size() > kMaxReplyBytes) return false;
  body_.append(bytes);
  return true;
}

void HttpReplyReader::Run() {
  while (state_ == State::Reading) {
    switch (phase_) {
      case Phase::StatusLine:
      case Phase::Headers: {
        std::optional<std::string> line = Line();
        if (!line) {
          if (headBytes_ + pending_.size() > kMaxHeadBytes) Fail();
          return;
        }
        headBytes_ += line->size() + 2;
        if (headBytes_ > kMaxHeadBytes) {
          Fail();
        } else if (phase_ == Phase::Headers && line->empty()) {
          if (!EndOfHead()) Fail();
        } else if (!(phase_ == Phase::StatusLine && line->empty()) && !HeadLine(*line)) {
          Fail();  // a blank line before a status line is tolerated, as by most clients
        }
        break;
      }
      case Phase::Length:
      case Phase::ChunkData: {
        const std::size_t take = std::min(remaining_, pending_.size());
        if (!Append(std::string_view(pending_).substr(0, take))) {
          Fail();
          return;
        }
        pending_.erase(0, take);
        remaining_ -= take;
        if (remaining_ > 0) return;
        if (phase_ == Phase::Length) {
          state_ = State::Done;
        } else {
          phase_ = Phase::ChunkEnd;
        }
        break;
      }
      case Phase::ChunkSize:
      case Phase::ChunkEnd:
      case Phase::Trailers: {
        if (pending_.size() > kMaxHeadBytes && pending_.find('\n') == std::string::npos) {
          Fail();
          return;
        }
        std::optional<std::string> line = Line();
        if (!line) return;
        if (phase_ == Phase::ChunkEnd) {
          if (!line->empty()) Fail();
          phase_ = Phase::ChunkSize;
        } else if (phase_ == Phase::Trailers) {
          if (line->empty()) state_ = State::Done;
        } else {
          // "1a3f[;extension]"
          const std::string_view size = Trim(std::string_view(*line).substr(0, line->find(';')));
          const std::optional<std::size_t> bytes = size.size() <= 8 ? ToNumber<std::size_t>(size, 16) : std::nullopt;
          if (!bytes || body_.size() + *bytes > kMaxReplyBytes) {
            Fail();
          } else if (*bytes == 0) {
            phase_ = Phase::Trailers;
          } else {
            remaining_ = *bytes;
            phase_ = Phase::ChunkData;
          }
        }
        break;
      }
      case Phase::UntilClose:
        if (!Append(pending_)) {
          Fail();
          return;
        }
        pending_.clear();
        return;
    }
  }
}

HttpReplyReader::State HttpReplyReader::Feed(std::string_view bytes) {
  if (state_ != State::Reading) return state_;  // what follows a whole reply is not read
  pending_.append(bytes);
  Run();
  return state_;
}

HttpReplyReader::State HttpReplyReader::Close() {
  if (state_ != State::Reading) return state_;
  if (phase_ != Phase::UntilClose) return Fail();  // cut off before its end
  state_ = State::Done;
  return state_;
}

// --- Cookies -----------------------------------------------------------------

namespace {

// Whether `host` lies in `domain`: the same, or a sub-host of it.
bool InDomain(std::string_view host, std::string_view domain) {
  if (SameText(host, domain)) return true;
  return host.size() > domain.size() + 1 && host[host.size() - domain.size() - 1] == '.' &&
         SameText(host.substr(host.size() - domain.size()), domain);
}

// A request path falls under a cookie's path at a '/' boundary.
bool UnderPath(std::string_view path, std::string_view cookiePath) {
  if (path.substr(0, cookiePath.size()) != cookiePath) return false;
  return path.size() == cookiePath.size() || cookiePath.back() == '/' || path[cookiePath.size()] == '/';
}

bool Expired(const Cookie& cookie, std::int64_t now) { return cookie.expires != 0 && cookie.expires <= now; }

// A name and value that can travel in a Cookie line and stand in the file:
// no controls (a line end would start a header line of its own), and no
// separators in the name.
bool SendablePair(std::string_view name, std::string_view value) {
  const auto control = [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7f; };
  return !name.empty() && PlainBytes(name) && name.find_first_of("=;") == std::string_view::npos &&
         std::none_of(value.begin(), value.end(), control);
}

std::string_view WithoutLeadingDots(std::string_view domain) {
  while (!domain.empty() && domain.front() == '.') domain.remove_prefix(1);
  return domain;
}

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

// Days since 1970-01-01 of a date of the Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

}  // namespace

std::optional<std::int64_t> ParseHttpDate(std::string_view text) {
  static constexpr std::array<std::string_view, 12> kMonths = {"jan", "feb", "mar", "apr", "may", "jun",
                                                               "jul", "aug", "sep", "oct", "nov", "dec"};
  std::optional<unsigned> day, month, hour, minute, second;
  std::optional<std::int64_t> year;
  std::size_t at = 0;
  while (at < text.size()) {
    // Tokens are separated by blanks, commas and dashes.
    const std::size_t end = std::min(text.find_first_of(" ,-\t", at), text.size());
    const std::string_view token = text.substr(at, end - at);
    at = end + 1;
    if (token.empty()) continue;
    const std::vector<std::string_view> clock = Split(token, ':');
    if (clock.size() == 3 && !hour && std::all_of(clock.begin(), clock.end(), [](std::string_view p) {
          return IsDigits(p) && p.size() <= 2;
        })) {
      hour = *ToNumber<unsigned>(clock[0]);
      minute = *ToNumber<unsigned>(clock[1]);
      second = *ToNumber<unsigned>(clock[2]);
    } else if (IsDigits(token) && token.size() <= 2 && !day) {
      day = *ToNumber<unsigned>(token);
    } else if (IsDigits(token) && (token.size() == 2 || token.size() == 4) && !year) {
      year = *ToNumber<std::int64_t>(token);
      if (*year < 70) *year += 2000;
      if (*year < 100) *year += 1900;
    } else if (token.size() >= 3 && !month) {
      const std::string name = LowerCase(token.substr(0, 3));
      for (std::size_t m = 0; m < kMonths.size(); ++m)
        if (name == kMonths[m]) month = static_cast<unsigned>(m + 1);
    }
  }
  if (!day || !month || !year || !hour || *day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60)
    return std::nullopt;
  return DaysFromCivil(*year, *month, *day) * 86400 + *hour * 3600 + *minute * 60 + *second;
}

void CookieJar::Store(Cookie cookie) {
  const auto same = std::find_if(cookies_.begin(), cookies_.end(), [&](const Cookie& old) {
    return old.name == cookie.name && old.domain == cookie.domain && old.path == cookie.path;
  });
  if (same != cookies_.end()) {
    *same = std::move(cookie);
  } else {
    cookies_.push_back(std::move(cookie));
  }
}

bool CookieJar::Take(std::string_view host, std::string_view path, std::string_view setCookie, std::int64_t now) {
  const std::vector<std::string_view> parts = Split(setCookie, ';');
  const std::string_view pair = Trim(parts.front());
  const std::size_t equals = pair.find('=');
  if (equals == std::string_view::npos || equals == 0) return false;
  Cookie cookie;
  cookie.name = std::string(Trim(pair.substr(0, equals)));
  cookie.value = std::string(Trim(pair.substr(equals + 1)));
  if (!SendablePair(cookie.name, cookie.value)) return false;
  cookie.domain = LowerCase(host);
  const std::size_t lastSlash = path.rfind('/');
  cookie.path = lastSlash == std::string_view::npos || lastSlash == 0 ? "/" : std::string(path.substr(0, lastSlash));
  std::optional<std::int64_t> maxAge;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    const std::string_view attribute = Trim(parts[i]);
    const std::size_t eq = attribute.find('=');
    const std::string_view name = Trim(attribute.substr(0, eq));
    const std::string_view value = eq == std::string_view::npos ? std::string_view() : Trim(attribute.substr(eq + 1));
    if (SameText(name, "Max-Age")) {
      const bool negative = !value.empty() && value.front() == '-';
      const std::string_view digits = negative ? value.substr(1) : value;
      // Beyond twelve digits (30,000 years) the age is as good as forever.
      if (IsDigits(digits))
        maxAge = negative ? -1 : digits.size() > 12 ? 999'999'999'999 : *ToNumber<std::int64_t>(digits);
    } else if (SameText(name, "Expires")) {
      if (const std::optional<std::int64_t> date = ParseHttpDate(value); date && cookie.expires == 0)
        cookie.expires = std::max<std::int64_t>(*date, 1);
    } else if (SameText(name, "Domain") && !value.empty()) {
      const std::string_view domain = WithoutLeadingDots(value);
      if (domain.empty() || !InDomain(host, domain) || !PlainBytes(domain)) return false;
      cookie.domain = LowerCase(domain);
      cookie.subdomains = true;
    } else if (SameText(name, "Path") && !value.empty() && value.front() == '/' && PlainBytes(value)) {
      cookie.path = std::string(value);
    } else if (SameText(name, "Secure")) {
      cookie.secure = true;
    } else if (SameText(name, "HttpOnly")) {
      cookie.httpOnly = true;
    }
  }
  if (maxAge) cookie.expires = *maxAge <= 0 ? 1 : now + *maxAge;
  if (Expired(cookie, now)) {
    // The server's way of taking a cookie back.
    const std::size_t before = cookies_.size();
    std::erase_if(cookies_, [&](const Cookie& old) {
      return old.name == cookie.name && old.domain == cookie.domain && old.path == cookie.path;
    });
    return cookies_.size() != before;
  }
  Store(std::move(cookie));
  return true;
}

std::string CookieJar::HeaderFor(std::string_view host, std::string_view path, std::int64_t now) const {
  std::string header;
  for (const Cookie& cookie : cookies_) {
    // Secure cookies travel over encrypted connections only, which this
    // client never makes.
    if (cookie.secure || Expired(cookie, now) || !UnderPath(path, cookie.path)) continue;
    if (cookie.subdomains ? !InDomain(host, cookie.domain) : !SameText(host, cookie.domain)) continue;
    if (!header.empty()) header += "; ";
    header.append(cookie.name).append("=").append(cookie.value);
  }
  return header;
}

void CookieJar::Read(std::string_view file) {
  constexpr std::string_view kHttpOnly = "#HttpOnly_";
  for (std::string_view line : Split(file, '\n')) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Cookie cookie;
    if (line.substr(0, kHttpOnly.size()) == kHttpOnly) {
      cookie.httpOnly = true;
      line.remove_prefix(kHttpOnly.size());
    }
    const std::vector<std::string_view> fields = Split(line, '\t');
    if (line.empty() || line.front() == '#' || fields.size() != 7) continue;
    const std::string_view domain = WithoutLeadingDots(fields[0]);
    const std::optional<std::int64_t> expires = IsDigits(fields[4]) ? ToNumber<std::int64_t>(fields[4]) : std::nullopt;
    if (domain.empty() || !PlainBytes(domain) || fields[2].empty() || fields[2].front() != '/' ||
        !PlainBytes(fields[2]) || !SendablePair(fields[5], fields[6]) || !expires)
      continue;
    cookie.domain = LowerCase(domain);
    cookie.subdomains = fields[1] == "TRUE";
    cookie.path = std::string(fields[2]);
    cookie.secure = fields[3] == "TRUE";
    cookie.expires = *expires;
    cookie.name = std::string(fields[5]);
    cookie.value = std::string(fields[6]);
    Store(std::move(cookie));
  }
}

std::string CookieJar::Write(std::int64_t now) const {
  std::string file = "# Netscape HTTP Cookie File\n# Written by the game: one cookie a line.\n\n";
  for (const Cookie& cookie : cookies_) {
    if (Expired(cookie, now)) continue;
    if (cookie.httpOnly) file += "#HttpOnly_";
    if (cookie.subdomains) file += '.';
    file.append(cookie.domain).append("\t").append(cookie.subdomains ? "TRUE" : "FALSE").append("\t");
    file.append(cookie.path).append("\t").append(cookie.secure ? "TRUE" : "FALSE").append("\t");
    file.append(std::to_string(cookie.expires)).append("\t").append(cookie.name).append("\t");
    file.append(cookie.value).append("\n");
  }
  return file;
}

}  // namespace tarvel
