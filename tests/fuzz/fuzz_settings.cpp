// Fuzz target of the settings file: any bytes parse without harm into a
// record whose every field is inside its range, and writing that record and
// reading it back gives the same record.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cp1251.h"
#include "fuzz_check.h"
#include "settings_file.h"

namespace tarvel {
namespace {

constexpr int kNameLine = 24;
constexpr int kTopTenLine = 26;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A text that came from the file must go back into it unchanged.
bool FitsTheFile(const std::string& utf8) { return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8; }

// "<continent 1..6>-<three digits>", or empty before the name line.
bool LooksLikeCountry(const std::string& text) {
  return text.empty() || (text.size() == 5 && text[0] >= '1' && text[0] <= '6' && text[1] == '-' &&
                          IsDigit(text[2]) && IsDigit(text[3]) && IsDigit(text[4]));
}

void CheckRanges(const LoadedSettings& loaded) {
  const Settings& s = loaded.Values;
  TARVEL_FUZZ_CHECK(loaded.AppliedLines >= 0 && loaded.AppliedLines <= kSettingsLines);
  TARVEL_FUZZ_CHECK(s.Language <= 9);
  TARVEL_FUZZ_CHECK(s.ClubMode == 1 || s.ClubMode == 2);
  TARVEL_FUZZ_CHECK(s.Speed >= 1 && s.Speed <= 6);
  TARVEL_FUZZ_CHECK(s.WindowSize >= 1 && s.WindowSize <= 5);
  TARVEL_FUZZ_CHECK(s.CaptionColor >= 1 && s.CaptionColor <= 7);
  TARVEL_FUZZ_CHECK(s.DialogScheme >= 1 && s.DialogScheme <= 3);
  TARVEL_FUZZ_CHECK(s.CardDeck <= 47);
  TARVEL_FUZZ_CHECK(s.BackDeck <= 12);
  for (const std::int32_t scale :
       {s.FontLargeScale, s.FontSmallScale, s.FontSpecial1Scale, s.FontSpecial2Scale}) {
    TARVEL_FUZZ_CHECK(scale >= 50 && scale <= 150);
  }
  TARVEL_FUZZ_CHECK(s.BackgroundSet >= 0 && s.BackgroundSet <= 10);
  TARVEL_FUZZ_CHECK(s.BackgroundVariant >= 0 && s.BackgroundVariant <= 6);
  TARVEL_FUZZ_CHECK(s.GifArea == 1 || s.GifArea == 2);
  TARVEL_FUZZ_CHECK(s.GifDelay >= 10 && s.GifDelay <= 5000);

  TARVEL_FUZZ_CHECK(Utf8ToCp1251(s.Nick).size() <= kNickLength);
  TARVEL_FUZZ_CHECK(Utf8ToCp1251(s.City).size() <= kCityLength);
  TARVEL_FUZZ_CHECK(s.Sex.empty() || s.Sex == "M" || s.Sex == "W");
  TARVEL_FUZZ_CHECK(LooksLikeCountry(s.Country));
  for (const std::string* text :
       {&s.FontLarge, &s.FontSmall, &s.FontSpecial1, &s.FontSpecial2, &s.NetAddress, &s.NetPort,
        &s.PlayerName, &s.TopTenServicePath, &s.Nick, &s.City, &s.StatServicePath}) {
    TARVEL_FUZZ_CHECK(FitsTheFile(*text));
  }
  // A parse that took no line changed nothing: the defaults, passport empty.
  if (loaded.AppliedLines == 0) {
    Settings untouched;
    ClearPassport(untouched);
    TARVEL_FUZZ_CHECK(s == untouched);
  }
}

// 35 lines, each ended by CR LF, with no other line break in between.
void CheckFileShape(const std::string& file) {
  int lines = 0;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\n') {
      TARVEL_FUZZ_CHECK(i > 0 && file[i - 1] == '\r');
      ++lines;
    } else if (file[i] == '\r') {
      TARVEL_FUZZ_CHECK(i + 1 < file.size() && file[i + 1] == '\n');
    }
  }
  TARVEL_FUZZ_CHECK(lines == kSettingsLines);
  TARVEL_FUZZ_CHECK(file.size() >= 2 && file.substr(file.size() - 2) == "\r\n");
}

// Writing a parsed record and reading it again gives the same record, and
// the whole file is taken. A record whose parse stopped before the player's
// name still has an empty passport: read back, the name line brings the
// passport defaults and the empty top ten line after it ends the parse.
void CheckRoundTrip(const LoadedSettings& loaded, const ServiceLineDefaults& services) {
  const std::string file = FormatSettings(loaded.Values);
  CheckFileShape(file);
  const LoadedSettings again = ParseSettings(file, services);
  Settings expected = loaded.Values;
  if (loaded.AppliedLines >= kNameLine) {
    TARVEL_FUZZ_CHECK(again.AppliedLines == kSettingsLines);
  } else {
    TARVEL_FUZZ_CHECK(again.AppliedLines == kTopTenLine - 1);
    const Settings defaults;
    expected.Nick = defaults.Nick;
    expected.Country = defaults.Country;
    expected.City = defaults.City;
    expected.Sex = defaults.Sex;
    expected.TopTenServicePath = services.TopTenServicePath;
    expected.StatServicePath = services.StatServicePath;
  }
  TARVEL_FUZZ_CHECK(again.Values == expected);
}

}  // namespace
}  // namespace tarvel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvel;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // Service lines as the online services give them: never empty.
  const ServiceLineDefaults services{"7Q9R13IOaj", "NQP7vGU"};
  const LoadedSettings loaded = ParseSettings(bytes, services);
  CheckRanges(loaded);
  CheckRoundTrip(loaded, services);

  // Without service defaults the parse is just as safe.
  CheckRanges(ParseSettings(bytes, ServiceLineDefaults{}));
  return 0;
}
