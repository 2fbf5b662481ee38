#include "holidays.h"

#include "words.h"

#include <algorithm>

namespace tarvel {

namespace {

// Programmer's Day: the 256th day of the year, which in a leap year is
// 12 September instead of the table's 13.
constexpr std::string_view kProgrammersDay = "День программиста";

// "000" or a sign and two digits.
std::optional<int> EasterOffset(std::string_view text)
{
    if (text == "000") {
        return 0;
    }
    if (text.size() != 3 || (text[0] != '+' && text[0] != '-')) {
        return std::nullopt;
    }
    const std::optional<int> days = ParseDigits(text.substr(1));
    if (!days) {
        return std::nullopt;
    }
    return text[0] == '-' ? -*days : *days;
}

bool SameDay(const CivilDate& a, const CivilDate& b)
{
    return a.Month == b.Month && a.Day == b.Day;
}

CivilDate AddDays(const CivilDate& date, int days)
{
    return DateOfDayNumber(DayNumber(date) + days);
}

// Row of a kind's label in the word entry HolidayKinds; -1 for kinds without one.
int KindRow(std::string_view kind)
{
    static constexpr std::array<std::string_view, 8> kKinds{"ENG", "RUS", "DEU", "FRA",
                                                            "ISP", "USA", "PRA", "KAT"};
    const auto at = std::find(kKinds.begin(), kKinds.end(), kind);
    return at == kKinds.end() ? -1 : static_cast<int>(at - kKinds.begin());
}

int ClampedLanguage(int language)
{
    return language >= 0 && language < kLanguageCount ? language : kLanguageEnglish;
}

}  // namespace

std::optional<DateField> ParseDateField(std::string_view text)
{
    if (text.size() != 10) {
        return std::nullopt;
    }
    DateField field;
    if (text.substr(0, 7) == "pasha.p" || text.substr(0, 7) == "pasha.k") {
        const std::optional<int> offset = EasterOffset(text.substr(7));
        if (!offset) {
            return std::nullopt;
        }
        field.Kind = text[6] == 'p' ? DateRuleKind::OrthodoxEaster : DateRuleKind::WesternEaster;
        field.Offset = *offset;
        return field;
    }
    if (text.substr(0, 4) == "****") {
        if (text[5] != '.' || text[7] != '.') {
            return std::nullopt;
        }
        const std::optional<int> weekday = ParseDigits(text.substr(6, 1));
        const std::optional<int> month = ParseDigits(text.substr(8, 2));
        if (!weekday || !month || *weekday < 1 || *weekday > 7 || *month < 1 || *month > 12) {
            return std::nullopt;
        }
        field.Weekday = *weekday;
        field.Month = *month;
        if (text[4] == 'l') {
            field.Kind = DateRuleKind::LastWeekday;
            return field;
        }
        const std::optional<int> week = ParseDigits(text.substr(4, 1));
        if (!week || *week < 1 || *week > 5) {
            return std::nullopt;
        }
        field.Kind = DateRuleKind::NthWeekday;
        field.Week = *week;
        return field;
    }
    if (text[2] != '.' || text[5] != '.') {
        return std::nullopt;
    }
    const std::optional<int> day = ParseDigits(text.substr(0, 2));
    const std::optional<int> month = ParseDigits(text.substr(3, 2));
    const std::optional<int> year = ParseDigits(text.substr(6, 4));
    // A leap year holds every day a fixed date may name.
    if (!day || !month || !year || !IsValidDate(CivilDate{2000, *month, *day})) {
        return std::nullopt;
    }
    field.Kind = DateRuleKind::Fixed;
    field.Day = *day;
    field.Month = *month;
    field.Year = *year;
    return field;
}

bool OccursOn(const DateField& field, const CivilDate& date)
{
    switch (field.Kind) {
    case DateRuleKind::Fixed:
        return field.Day == date.Day && field.Month == date.Month;
    case DateRuleKind::OrthodoxEaster:
        return SameDay(AddDays(OrthodoxEaster(date.Year), field.Offset), date);
    case DateRuleKind::WesternEaster:
        return SameDay(AddDays(WesternEaster(date.Year), field.Offset), date);
    case DateRuleKind::NthWeekday:
        return date.Month == field.Month && Weekday(date) == field.Weekday && (date.Day - 1) / 7 + 1 == field.Week;
    case DateRuleKind::LastWeekday:
        return date.Month == field.Month && Weekday(date) == field.Weekday &&
               date.Day > DaysInMonth(date.Year, date.Month) - 7;
    }
    return false;
}

std::string_view HolidayName(const Holiday& holiday, int language)
{
    // The table keeps Russian first and English second; the word table
    // the other way round.
    const int column = ClampedLanguage(language);
    switch (column) {
    case kLanguageEnglish: return holiday.Names[1];
    case kLanguageRussian: return holiday.Names[0];
    default: return holiday.Names[static_cast<std::size_t>(column)];
    }
}

std::vector<const Holiday*> HolidaysOn(const CivilDate& date)
{
    std::vector<const Holiday*> found;
    for (const Holiday& holiday : HolidayTable()) {
        std::optional<DateField> field = ParseDateField(holiday.Date);
        if (!field) {
            continue;
        }
        if (holiday.Names[0] == kProgrammersDay && IsLeapYear(date.Year)) {
            field->Day = 12;
        }
        if (OccursOn(*field, date) && found.size() < static_cast<std::size_t>(kMaxHolidaysPerDay)) {
            found.push_back(&holiday);
        }
    }
    return found;
}

std::string HolidayHint(const Holiday& holiday, int year, int language)
{
    language = ClampedLanguage(language);
    std::string hint(HolidayName(holiday, language));
    std::string extra;
    const std::optional<DateField> field = ParseDateField(holiday.Date);
    if (field && field->Kind == DateRuleKind::Fixed && field->Year != 0) {
        extra = std::to_string(year - field->Year);
        extra += Word(WordId::ThAnniversary, language);
    }
    const int kindRow = KindRow(holiday.Kind);
    if (kindRow >= 0) {
        if (!extra.empty()) {
            extra += ", ";
        }
        extra += Word(WordId::HolidayKinds, language, kindRow);
    }
    if (!extra.empty()) {
        hint += " (" + extra + ")";
    }
    return hint;
}

std::string ZodiacPicture(int sign)
{
    const int n = std::clamp(sign, 1, 12);
    return std::string("R_") + static_cast<char>('0' + n / 10) + static_cast<char>('0' + n % 10);
}

std::string_view AnimalPicture(int animal)
{
    static constexpr std::array<std::string_view, 12> kAnimals{
        "R_VOSKRIS", "R_VOSBULL", "R_VOSTIGR", "R_VOSRABB", "R_VOSDRAG", "R_VOSSNAK",
        "R_VOSHORS", "R_VOSKOZA", "R_VOSMONK", "R_VOSPETU", "R_VOSDOG0", "R_VOSPIG0"};
    return kAnimals[static_cast<std::size_t>(std::clamp(animal, 0, 11))];
}

CalendarDay PlanCalendarDay(const CivilDate& date, int language)
{
    language = ClampedLanguage(language);
    CalendarDay day;
    day.Date = date;
    day.Sunday = Weekday(date) == 1;
    day.MonthName = Word(WordId::Months, language, date.Month - 1);
    const int sign = ZodiacSign(date.Month, date.Day);
    day.Pages.push_back({ZodiacPicture(sign), std::string(Word(WordId::ZodiacSigns, language, sign - 1))});
    const int animal = YearAnimal(date.Year);
    day.Pages.push_back({std::string(AnimalPicture(animal)), std::string(Word(WordId::YearAnimals, language, animal))});
    for (const Holiday* holiday : HolidaysOn(date)) {
        day.Pages.push_back({std::string(holiday->Picture), HolidayHint(*holiday, date.Year, language)});
    }
    return day;
}

std::vector<std::string> CalendarPictureNames()
{
    std::vector<std::string> names{std::string(kSheetPicture)};
    for (int sign = 1; sign <= 12; ++sign) {
        names.push_back(ZodiacPicture(sign));
    }
    for (int animal = 0; animal < 12; ++animal) {
        names.emplace_back(AnimalPicture(animal));
    }
    for (const Holiday& holiday : HolidayTable()) {
        if (std::find(names.begin(), names.end(), holiday.Picture) == names.end()) {
            names.emplace_back(holiday.Picture);
        }
    }
    return names;
}

}  // namespace tarvel
