// Fuzz target of the radio's files: the input is taken whole as a station
// list (ParseStationList) and as the radio settings (ReadRadioSettings),
// whose written form must read back to the same record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "media/radio_list.h"

namespace {

using namespace tarvel;

// The module of this target holds one logo besides the default one.
bool HasLogo(std::string_view name) { return name == "RRADIO_LOGO_X" || name == kDefaultRadioLogo; }

void CheckList(std::string_view bytes) {
  const auto stations = ParseStationList(bytes, HasLogo);
  TARVEL_FUZZ_CHECK(stations.size() <= kMaxRadioStations);
  for (const RadioStation& station : stations) {
    // Never a local file or another kind of source, never a logo the
    // module lacks, every field of its line there.
    TARVEL_FUZZ_CHECK(IsRadioStreamAddress(station.Url));
    TARVEL_FUZZ_CHECK(HasLogo(station.Logo));
    TARVEL_FUZZ_CHECK(station.Code.size() == 3 && station.Key.size() == 7 && !station.Name.empty());
    TARVEL_FUZZ_CHECK(station.Url.find_first_of(" \r\n#") == std::string::npos);
  }
  for (std::size_t k = 0; k < kRadioCountryCount; ++k)
    for (const RadioStation& station : StationsOfCountry(stations, k))
      TARVEL_FUZZ_CHECK(station.Code == RadioCountries()[k].Code);
}

void CheckSettings(std::string_view bytes) {
  TRadio defaults;
  defaults.Name = "Tarvel FM";
  defaults.URL = "http://127.0.0.1:25680/radio/a.mp3";
  defaults.Country = "Russian Federation";
  defaults.Resurs = std::string(kDefaultRadioLogo);
  TRadio radio = defaults;
  ReadRadioSettings(bytes, radio, HasLogo);
  TARVEL_FUZZ_CHECK(IsRadioStreamAddress(radio.URL));
  TARVEL_FUZZ_CHECK(HasLogo(radio.Resurs));
  TARVEL_FUZZ_CHECK(radio.Volume <= 100 && radio.KakStations < kRadioCountryCount);
  // What is saved reads back as the same record.
  TRadio again = defaults;
  ReadRadioSettings(FormatRadioSettings(radio, defaults), again, HasLogo);
  TARVEL_FUZZ_CHECK(again.URL == radio.URL && again.Resurs == radio.Resurs && again.Enabled == radio.Enabled &&
                    again.Volume == radio.Volume && again.KakStations == radio.KakStations);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  CheckList(bytes);
  CheckSettings(bytes);
  return 0;
}
