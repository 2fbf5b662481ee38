#include "media/radio_list.h"

#include <algorithm>
#include <charconv>

#include "settings/cp1251.h"

namespace tarvel {

namespace {

constexpr std::size_t kCodeLength = 3;
constexpr std::size_t kKeyLength = 7;
constexpr std::size_t kMaxAddressLength = 2048;

constexpr std::array<RadioCountry, kRadioCountryCount> kCountries{{
    {"RUS", "Russian Federation"}, {"UA0", "Ukraine"},      {"BEL", "Belarus"},
    {"MOL", "Moldova"},            {"EST", "Estonia"},      {"LAT", "Latvia"},
    {"LIT", "Lithuania"},          {"ARM", "Armenia"},      {"GEO", "Georgia"},
    {"AZE", "Azerbaijan"},         {"KZ0", "Kazakhstan"},   {"UZ0", "Uzbekistan"},
    {"USA", "USA"},                {"CAN", "Canada"},       {"UK0", "United Kingdom"},
    {"AUS", "Australia"},          {"DE0", "Deutschland"},  {"FRA", "France"},
    {"ITA", "Italy"},              {"NED", "Netherlands"},  {"SWE", "Sweden"},
    {"CZ0", "Czech Republic"},     {"ESP", "Spain"},        {"BRA", "Brazil"},
    {"IND", "India"},              {"CHI", "China"},        {"JAP", "Japan"},
    {"SK0", "South Korea"},
}};

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool HasControlBytes(std::string_view text) {
  return std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

// Calls `take` for each line of `bytes` without its line end (LF or CR LF).
template <typename Take>
void ForEachLine(std::string_view bytes, Take take) {
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view{} : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!take(line)) return;
  }
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  while (true) {
    const std::size_t hash = line.find('#');
    fields.push_back(Trim(line.substr(0, hash)));
    if (hash == std::string_view::npos) return fields;
    line.remove_prefix(hash + 1);
  }
}

std::string LogoOrDefault(std::string_view logo, const RadioLogoCheck& hasLogo) {
  const bool known = !logo.empty() && !HasControlBytes(logo) && (!hasLogo || hasLogo(logo));
  return std::string(known ? logo : kDefaultRadioLogo);
}

std::optional<int> SmallNumber(std::string_view text, int max) {
  text = Trim(text);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > max) return std::nullopt;
  return value;
}

}  // namespace

const std::array<RadioCountry, kRadioCountryCount>& RadioCountries() { return kCountries; }

std::optional<std::size_t> RadioCountryIndex(std::string_view code) {
  for (std::size_t i = 0; i < kCountries.size(); ++i)
    if (kCountries[i].Code == code) return i;
  return std::nullopt;
}

bool IsRadioStreamAddress(std::string_view address) {
  if (address.size() > kMaxAddressLength) return false;
  std::size_t schemeLength = 0;
  if (StartsWithNoCase(address, "http://")) {
    schemeLength = 7;
  } else if (StartsWithNoCase(address, "https://")) {
    schemeLength = 8;
  } else {
    return false;
  }
  if (!std::all_of(address.begin(), address.end(), [](char c) { return c > ' ' && c < 0x7f; })) return false;
  const std::string_view rest = address.substr(schemeLength);
  const std::string_view authority = rest.substr(0, rest.find_first_of("/?#"));
  const std::size_t at = authority.rfind('@');
  const std::string_view hostPort = at == std::string_view::npos ? authority : authority.substr(at + 1);
  // The host ends at the port's ':' (a bracketed IPv6 host keeps its own).
  const std::string_view host =
      !hostPort.empty() && hostPort.front() == '[' ? hostPort.substr(0, hostPort.find(']') + 1)
                                                   : hostPort.substr(0, hostPort.find(':'));
  return !host.empty() && host != "[]";
}

std::optional<RadioStation> ParseStationLine(std::string_view line, const RadioLogoCheck& hasLogo) {
  if (line.size() > kMaxRadioLine || line.empty() || line.front() == '#' || Trim(line).empty()) return std::nullopt;
  const std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < 5) return std::nullopt;
  RadioStation station;
  const std::string_view code = fields[0], key = fields[1], name = fields[2], country = fields[3], url = fields[4];
  if (code.size() != kCodeLength || key.size() != kKeyLength || name.empty() || HasControlBytes(code) ||
      HasControlBytes(key) || HasControlBytes(name) || HasControlBytes(country) || !IsRadioStreamAddress(url))
    return std::nullopt;
  station.Code = std::string(code);
  station.Key = std::string(key);
  station.Name = Cp1251ToUtf8(name);
  if (country.empty()) {
    const std::optional<std::size_t> index = RadioCountryIndex(code);
    station.Country = index ? std::string(kCountries[*index].Name) : std::string();
  } else {
    station.Country = Cp1251ToUtf8(country);
  }
  station.Url = std::string(url);
  station.Logo = LogoOrDefault(fields.size() > 5 ? fields[5] : std::string_view{}, hasLogo);
  return station;
}

std::vector<RadioStation> ParseStationList(std::string_view bytes, const RadioLogoCheck& hasLogo) {
  std::vector<RadioStation> stations;
  ForEachLine(bytes, [&](std::string_view line) {
    if (std::optional<RadioStation> station = ParseStationLine(line, hasLogo)) stations.push_back(std::move(*station));
    return stations.size() < kMaxRadioStations;
  });
  return stations;
}

std::vector<RadioStation> StationsOfCountry(const std::vector<RadioStation>& stations, std::size_t index) {
  std::vector<RadioStation> out;
  if (index >= kCountries.size()) return out;
  for (const RadioStation& station : stations)
    if (station.Code == kCountries[index].Code) out.push_back(station);
  return out;
}

std::optional<RadioStation> DefaultRadioStation(const std::vector<RadioStation>& stations) {
  const std::vector<RadioStation> first = StationsOfCountry(stations, 0);
  if (!first.empty()) return first.front();
  if (!stations.empty()) return stations.front();
  return std::nullopt;
}

void TakeStation(TRadio& radio, const RadioStation& station) {
  radio.Name = station.Name;
  radio.URL = station.Url;
  radio.Country = station.Country;
  radio.Resurs = station.Logo;
}

void ReadRadioSettings(std::string_view bytes, TRadio& radio, const RadioLogoCheck& hasLogo) {
  std::array<std::string, 7> lines;
  std::size_t count = 0;
  ForEachLine(bytes, [&](std::string_view line) {
    if (line.size() <= kMaxRadioLine) lines[count] = std::string(line);
    return ++count < lines.size();
  });
  const std::string_view name = Trim(lines[0]), url = Trim(lines[1]), country = Trim(lines[2]);
  if (!name.empty() && !HasControlBytes(name) && !HasControlBytes(country) && IsRadioStreamAddress(url)) {
    radio.Name = Cp1251ToUtf8(name);
    radio.URL = std::string(url);
    if (!country.empty()) radio.Country = Cp1251ToUtf8(country);
    radio.Resurs = LogoOrDefault(Trim(lines[3]), hasLogo);
  }
  radio.Enabled = Trim(lines[4]) == "1";
  if (const std::optional<int> volume = SmallNumber(lines[5], 100)) radio.Volume = static_cast<std::uint8_t>(*volume);
  if (const std::optional<int> index = SmallNumber(lines[6], static_cast<int>(kRadioCountryCount) - 1))
    radio.KakStations = static_cast<std::uint8_t>(*index);
}

std::string FormatRadioSettings(const TRadio& radio, const TRadio& defaults) {
  const bool whole = !radio.Name.empty() && !radio.URL.empty() && !radio.Country.empty() && !radio.Resurs.empty();
  const TRadio& texts = whole ? radio : defaults;
  std::string out;
  for (const std::string& line : {Utf8ToCp1251(texts.Name), texts.URL, Utf8ToCp1251(texts.Country), texts.Resurs,
                                  std::string(radio.Enabled ? "1" : "0"), std::to_string(radio.Volume),
                                  std::to_string(radio.KakStations)})
    out += line + "\r\n";
  return out;
}

}  // namespace tarvel
