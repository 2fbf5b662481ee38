// The radio's files, as bytes: the station list (QorRadio.rad as shipped,
// QorRadio.ser as downloaded) and the radio settings QorRadio.ini. Both are
// Windows-1251 text with CR LF (or LF) line ends. Pure C++, no Qt.
//
// Station list: one station a line, fields separated by '#':
//   RUS#TRV0001#Station name#Russian Federation#http://host:port/path#RRADIO_LOGO_X
//   country code (3 characters), key (7 characters), name, country name,
//   stream address, logo name in the radio module (may be left out).
// A line that starts with '#' is a comment.
//
// Everything here may come from a server or from a file a user edited, so a
// line is taken only when it is whole and safe: at most kMaxRadioLine bytes,
// every field present, a stream address that is http:// or https:// with a
// host and nothing else. A logo the module does not hold is replaced by the
// default logo. Anything else is skipped, never an error.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

inline constexpr std::size_t kRadioCountryCount = 28;
inline constexpr std::size_t kMaxRadioLine = 4096;
// More stations than any list needs; a larger list is cut there.
inline constexpr std::size_t kMaxRadioStations = 5000;
inline constexpr std::string_view kDefaultRadioLogo = "RRADIO_LOGO_RADIOUN";
inline constexpr std::uint8_t kDefaultRadioVolume = 30;

struct RadioCountry {
  std::string_view Code;  // as in the station list
  std::string_view Name;  // as shown in the radio window
};

// The countries of the radio window, in its order (index = KakStations).
const std::array<RadioCountry, kRadioCountryCount>& RadioCountries();
// The index of a country code, or nothing.
std::optional<std::size_t> RadioCountryIndex(std::string_view code);

// Texts are UTF-8 (converted from the file's Windows-1251).
struct RadioStation {
  std::string Code;     // country code
  std::string Key;      // seven-character key
  std::string Name;
  std::string Country;
  std::string Url;      // an address IsRadioStreamAddress accepts
  std::string Logo;     // a logo the module holds, or kDefaultRadioLogo
};

// The radio's record.
struct TRadio {
  bool CanUse = false;
  std::string Name;
  std::string URL;
  std::string Country;
  std::string Resurs;
  bool Enabled = false;
  std::uint8_t Volume = kDefaultRadioVolume;
  std::uint8_t KakStations = 0;
};

// Whether the radio module holds a logo of that name. An empty function
// accepts every name.
using RadioLogoCheck = std::function<bool(std::string_view)>;

// True for "http://" or "https://" (any case) followed by a host, with only
// printable ASCII and no blanks: never a local file, a device or another
// kind of source.
bool IsRadioStreamAddress(std::string_view address);

// One line (without its line end) as a station; nothing for a comment, a
// blank line, or a line that is too long, short of a field or unsafe.
std::optional<RadioStation> ParseStationLine(std::string_view line, const RadioLogoCheck& hasLogo);

// Every station of a list, in file order, at most kMaxRadioStations.
std::vector<RadioStation> ParseStationList(std::string_view bytes, const RadioLogoCheck& hasLogo);

// The stations of the country at `index` (0..27) in list order; none for an
// index out of range.
std::vector<RadioStation> StationsOfCountry(const std::vector<RadioStation>& stations, std::size_t index);

// The station the radio plays before the player chooses one: the first
// station of the first country, else the first station of the list.
std::optional<RadioStation> DefaultRadioStation(const std::vector<RadioStation>& stations);

// The record with `station` as its current station.
void TakeStation(TRadio& radio, const RadioStation& station);

// Reads QorRadio.ini over `radio` (which holds the defaults): Name, URL,
// Country, Resurs, "1" or "0" for Enabled, Volume, KakStations, one a line.
// The four station texts are taken together, and only when the name is
// there and the address is a stream address; an unknown logo becomes the
// default logo; a volume outside 0..100 or a country index outside 0..27
// keeps its default. A line longer than kMaxRadioLine counts as empty.
void ReadRadioSettings(std::string_view bytes, TRadio& radio, const RadioLogoCheck& hasLogo);

// The seven lines of QorRadio.ini for `radio`, CR LF, Windows-1251. When any
// of the four station texts is empty, those of `defaults` are written.
std::string FormatRadioSettings(const TRadio& radio, const TRadio& defaults);

}  // namespace tarvel
