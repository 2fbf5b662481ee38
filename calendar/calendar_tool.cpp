#include "calendar_tool.h"

#include "date_rules.h"
#include "holidays.h"
#include "words.h"

#include <optional>

namespace tarvel {

namespace {

constexpr std::string_view kUsage =
    "usage: tarvel-calendar --date YYYY-MM-DD [--language N]\n"
    "       tarvel-calendar --easter YEAR\n"
    "  --date      print the hints of the day's calendar pages, one per line\n"
    "  --language  0 English (default), 1 Russian, 2 German, 3 French, 4 Spanish,\n"
    "              5 Chinese, 6 Italian, 7 Czech, 8 Japanese, 9 Korean\n"
    "  --easter    print the Gregorian dates of Orthodox and Western Easter\n"
    "  years from 1583 to 9999\n";

std::optional<int> Number(std::string_view text, int low, int high)
{
    const std::optional<int> value = ParseDigits(text);
    if (!value || *value < low || *value > high) {
        return std::nullopt;
    }
    return value;
}

int Usage(std::ostream& err, std::string_view problem)
{
    err << "tarvel-calendar: " << problem << '\n' << kUsage;
    return 2;
}

}  // namespace

int RunCalendarTool(std::span<const std::string_view> args, std::ostream& out, std::ostream& err)
{
    std::optional<CivilDate> date;
    std::optional<int> easterYear;
    std::optional<int> language;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view option = args[i];
        if (option != "--date" && option != "--easter" && option != "--language") {
            return Usage(err, "unknown argument");
        }
        if (i + 1 >= args.size()) {
            return Usage(err, "missing value");
        }
        const std::string_view value = args[++i];
        if (option == "--date") {
            if (date || !(date = ParseIsoDate(value))) {
                return Usage(err, "--date needs one date YYYY-MM-DD");
            }
        } else if (option == "--easter") {
            if (easterYear || !(easterYear = Number(value, kFirstCalendarYear, kLastCalendarYear))) {
                return Usage(err, "--easter needs one year from 1583 to 9999");
            }
        } else if (language || !(language = Number(value, 0, kLanguageCount - 1))) {
            return Usage(err, "--language needs one number from 0 to 9");
        }
    }
    if (date.has_value() == easterYear.has_value()) {
        return Usage(err, "give either --date or --easter");
    }
    if (easterYear) {
        if (language) {
            return Usage(err, "--language goes with --date");
        }
        out << "orthodox " << FormatIsoDate(OrthodoxEaster(*easterYear)) << '\n'
            << "western " << FormatIsoDate(WesternEaster(*easterYear)) << '\n';
        return 0;
    }
    for (const CalendarPage& page : PlanCalendarDay(*date, language.value_or(kLanguageEnglish)).Pages) {
        out << page.Hint << '\n';
    }
    return 0;
}

}  // namespace tarvel
