// The radio's files as bytes: station lines, whole lists and the radio
// settings, with what a server or an edited file may hold.
#include "media/radio_list.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

const std::string kUrl = "http://127.0.0.1:25680/radio/Tarvel_FM~Easy_Listening.mp3";

bool HasLogo(std::string_view name) { return name == "RRADIO_LOGO_TARVELFM" || name == kDefaultRadioLogo; }

TRadio Defaults() {
  TRadio defaults;
  defaults.Name = "Tarvel FM";
  defaults.URL = kUrl;
  defaults.Country = "Russian Federation";
  defaults.Resurs = "RRADIO_LOGO_TARVELFM";
  return defaults;
}

TEST(RadioList, LinesAreTakenOnlyWhenWholeAndSafe) {
  struct Case {
    const char* name;
    std::string line;
    bool taken;
    std::string logo = "";     // expected when taken
    std::string country = "";  // expected when taken
  };
  const std::vector<Case> cases{
      {"whole line", "RUS#RUS0001#Tarvel FM#Russian Federation#" + kUrl + "#RRADIO_LOGO_TARVELFM", true,
       "RRADIO_LOGO_TARVELFM", "Russian Federation"},
      {"https and blanks around fields", "USA#USA0001# Night # USA # https://example.org:8443/live#", true,
       std::string(kDefaultRadioLogo), "USA"},
      {"no logo field", "CAN#CAN0001#Lake#Canada#" + kUrl, true, std::string(kDefaultRadioLogo), "Canada"},
      {"logo not in the module", "CAN#CAN0001#Lake#Canada#" + kUrl + "#RRADIO_LOGO_NONE", true,
       std::string(kDefaultRadioLogo), "Canada"},
      {"empty country: the code's", "JAP#JAP0001#Tokyo##" + kUrl + "#", true, std::string(kDefaultRadioLogo),
       "Japan"},
      {"Windows-1251 name", "RUS#RUS0002#\xD0\xE0\xE4\xE8\xEE#Russian Federation#" + kUrl, true,
       std::string(kDefaultRadioLogo), "Russian Federation"},
      {"comment", "#RUS#RUS0001#Tarvel FM#Russian Federation#" + kUrl, false},
      {"blank", "   ", false},
      {"missing address", "RUS#RUS0001#Tarvel FM#Russian Federation", false},
      {"empty name", "RUS#RUS0001##Russian Federation#" + kUrl, false},
      {"short key", "RUS#RUS01#Tarvel FM#Russian Federation#" + kUrl, false},
      {"long code", "RUSS#RUS0001#Tarvel FM#Russian Federation#" + kUrl, false},
      {"local file", "RUS#RUS0001#Disk#Russian Federation#file:///etc/passwd", false},
      {"plain path", "RUS#RUS0001#Disk#Russian Federation#/dev/urandom", false},
      {"other scheme", "RUS#RUS0001#Ftp#Russian Federation#ftp://example.org/a.mp3", false},
      {"no host", "RUS#RUS0001#None#Russian Federation#http:///a.mp3", false},
      {"blank in address", "RUS#RUS0001#Gap#Russian Federation#http://example.org/a b.mp3", false},
      {"control byte", "RUS#RUS0001#Bell\a#Russian Federation#" + kUrl, false},
      {"longer than 4 KiB", "RUS#RUS0001#" + std::string(kMaxRadioLine, 'N') + "#Russian Federation#" + kUrl, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<RadioStation> station = ParseStationLine(c.line, HasLogo);
    ASSERT_EQ(station.has_value(), c.taken);
    if (!station) continue;
    EXPECT_EQ(station->Logo, c.logo);
    EXPECT_EQ(station->Country, c.country);
  }
  EXPECT_EQ(ParseStationLine("RUS#RUS0002#\xD0\xE0\xE4\xE8\xEE#R#" + kUrl, HasLogo)->Name, "Радио");
}

TEST(RadioList, CountriesTakeTheirLinesAndACountryOfCommentsHasNone) {
  const std::string list = "# the list\r\n"
                           "UA0#UA00001#Kyiv#Ukraine#" + kUrl + "\r\n"
                           "#RUS#RUS0001#Tarvel FM#Russian Federation#" + kUrl + "\r\n"
                           "#RUS#RUS0002#Tarvel Night#Russian Federation#" + kUrl + "\n"
                           "UA0#UA00002#Lviv#Ukraine#" + kUrl + "\n"
                           "SK0#SK00001#Seoul#South Korea#" + kUrl;  // no line end at the end
  const std::vector<RadioStation> stations = ParseStationList(list, HasLogo);
  ASSERT_EQ(stations.size(), 3u);
  EXPECT_TRUE(StationsOfCountry(stations, 0).empty());  // RUS: only comments
  const std::vector<RadioStation> ukraine = StationsOfCountry(stations, 1);
  ASSERT_EQ(ukraine.size(), 2u);
  EXPECT_EQ(ukraine[1].Key, "UA00002");
  EXPECT_EQ(StationsOfCountry(stations, 27).size(), 1u);
  EXPECT_TRUE(StationsOfCountry(stations, 28).empty());
  // Without a station of the first country the list's first is the default.
  EXPECT_EQ(DefaultRadioStation(stations)->Name, "Kyiv");
  EXPECT_FALSE(DefaultRadioStation({}).has_value());
  EXPECT_TRUE(ParseStationList(std::string(3 * kMaxRadioLine, '\n') + "\xFF\xFE\0garbage", HasLogo).empty());
}

TEST(RadioList, SettingsKeepTheirDefaultsForWhatIsMissingOrWrong) {
  const TRadio defaults = Defaults();
  struct Case {
    const char* name;
    std::string ini;
    std::string url;
    std::string logo;
    bool enabled;
    int volume;
    int country;
  };
  const std::string other = "https://example.org/live";
  const std::vector<Case> cases{
      {"whole file", "Live\r\n" + other + "\r\nUSA\r\nRRADIO_LOGO_TARVELFM\r\n1\r\n70\r\n12\r\n", other,
       "RRADIO_LOGO_TARVELFM", true, 70, 12},
      {"volume 100 and 0 stay", "Live\n" + other + "\nUSA\n\n0\n100\n0\n", other, std::string(kDefaultRadioLogo),
       false, 100, 0},
      {"volume 0", "Live\n" + other + "\nUSA\nRRADIO_LOGO_X\n1\n0\n27\n", other, std::string(kDefaultRadioLogo), true,
       0, 27},
      {"local file as address", "Disk\nfile:///etc/passwd\nUSA\nRRADIO_LOGO_TARVELFM\n1\n50\n3\n", kUrl,
       "RRADIO_LOGO_TARVELFM", true, 50, 3},
      {"out of range", "Live\n" + other + "\nUSA\nX\nyes\n101\n28\n", other, std::string(kDefaultRadioLogo), false,
       kDefaultRadioVolume, 0},
      {"long name line", std::string(kMaxRadioLine + 1, 'N') + "\n" + other + "\nUSA\nX\n1\n-5\n1\n", kUrl,
       "RRADIO_LOGO_TARVELFM", true, kDefaultRadioVolume, 1},
      {"empty file", "", kUrl, "RRADIO_LOGO_TARVELFM", false, kDefaultRadioVolume, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRadio radio = defaults;
    ReadRadioSettings(c.ini, radio, HasLogo);
    EXPECT_EQ(radio.URL, c.url);
    EXPECT_EQ(radio.Resurs, c.logo);
    EXPECT_EQ(radio.Enabled, c.enabled);
    EXPECT_EQ(radio.Volume, c.volume);
    EXPECT_EQ(radio.KakStations, c.country);
  }
}

TEST(RadioList, SavedSettingsReadBackAndEmptyTextsBecomeTheDefaults) {
  const TRadio defaults = Defaults();
  TRadio radio = defaults;
  radio.Name = "Радио";
  radio.Enabled = true;
  radio.Volume = 100;
  radio.KakStations = 27;
  const std::string saved = FormatRadioSettings(radio, defaults);
  EXPECT_EQ(saved, "\xD0\xE0\xE4\xE8\xEE\r\n" + kUrl + "\r\nRussian Federation\r\nRRADIO_LOGO_TARVELFM\r\n1\r\n100\r\n27\r\n");
  TRadio again = defaults;
  ReadRadioSettings(saved, again, HasLogo);
  EXPECT_EQ(again.Name, radio.Name);
  EXPECT_TRUE(again.Enabled);
  radio.Country.clear();
  EXPECT_EQ(FormatRadioSettings(radio, defaults).substr(0, 11), "Tarvel FM\r\n");
}

}  // namespace
}  // namespace tarvel
