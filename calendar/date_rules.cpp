#include "date_rules.h"

#include <array>

namespace tarvel {

namespace {

// Floor division and modulo for negative numerators as well.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

int Mod(std::int64_t a, int b)
{
    return static_cast<int>(a - FloorDiv(a, b) * b);
}

// Julian Day Number of 1 January 1970, the day number 0.
constexpr std::int64_t kUnixEpochJdn = 2440588;

}  // namespace

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

bool IsJulianLeapYear(int year)
{
    return Mod(year, 4) == 0;
}

int DaysInMonth(int year, int month)
{
    static constexpr std::array<int, 13> kDays{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    return kDays[static_cast<std::size_t>(month)] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

bool IsValidDate(const CivilDate& date)
{
    return date.Month >= 1 && date.Month <= 12 && date.Day >= 1 && date.Day <= DaysInMonth(date.Year, date.Month);
}

// Counted in 400-year eras that start on 1 March, so that the leap day
// is the last day of its year.
std::int64_t DayNumber(const CivilDate& date)
{
    const std::int64_t y = static_cast<std::int64_t>(date.Year) - (date.Month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t monthFromMarch = (date.Month + 9) % 12;
    const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.Day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDate DateOfDayNumber(std::int64_t dayNumber)
{
    const std::int64_t z = dayNumber + 719468;
    const std::int64_t era = FloorDiv(z, 146097);
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    CivilDate date;
    date.Day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.Month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.Year = static_cast<int>(yearOfEra + era * 400 + (date.Month <= 2 ? 1 : 0));
    return date;
}

std::int64_t JulianDayNumber(const CivilDate& julianDate)
{
    const std::int64_t a = (14 - julianDate.Month) / 12;
    const std::int64_t y = static_cast<std::int64_t>(julianDate.Year) + 4800 - a;
    const std::int64_t m = julianDate.Month + 12 * a - 3;
    const std::int64_t jdn = julianDate.Day + (153 * m + 2) / 5 + 365 * y + FloorDiv(y, 4) - 32083;
    return jdn - kUnixEpochJdn;
}

int Weekday(const CivilDate& date)
{
    // Day number 0 was a Thursday (5).
    return Mod(DayNumber(date) + 4, 7) + 1;
}

int DayOfYear(const CivilDate& date)
{
    return static_cast<int>(DayNumber(date) - DayNumber(CivilDate{date.Year, 1, 1})) + 1;
}

CivilDate OrthodoxEaster(int year)
{
    const int a = Mod(year, 19);
    const int d = (19 * a + 15) % 30;
    const int e = (2 * Mod(year, 4) + 4 * Mod(year, 7) + 6 * d + 6) % 7;
    // The Julian date: 22 March + d + e, which may run into April.
    const std::int64_t julian = JulianDayNumber(CivilDate{year, 3, 22}) + d + e;
    return DateOfDayNumber(julian);
}

CivilDate WesternEaster(int year)
{
    const int golden = Mod(year, 19) + 1;
    const int century = year / 100 + 1;
    const int x = (3 * century) / 4 - 12;                // days dropped from the Julian calendar
    const int z = (8 * century + 5) / 25 - 5;            // the moon's correction
    const std::int64_t s = (5 * static_cast<std::int64_t>(year)) / 4 - x - 10;  // a Sunday in March
    int epact = Mod(11 * golden + 20 + z - x, 30);
    if ((epact == 25 && golden > 11) || epact == 24) {
        ++epact;
    }
    int n = 44 - epact;  // the paschal full moon, counted in March
    if (n < 21) {
        n += 30;
    }
    n = n + 7 - Mod(s + n, 7);
    return n > 31 ? CivilDate{year, 4, n - 31} : CivilDate{year, 3, n};
}

int ZodiacSign(int month, int day)
{
    // First day of each sign, by month: the sign that starts in month m is
    // sign (m + 9) mod 12 + 1 (Aquarius in January ... Capricorn in December).
    static constexpr std::array<int, 13> kFirstDay{0, 21, 21, 21, 21, 21, 22, 23, 24, 24, 24, 23, 22};
    if (month < 1 || month > 12) {
        return 0;
    }
    const int startingHere = (month + 9) % 12 + 1;
    if (day >= kFirstDay[static_cast<std::size_t>(month)]) {
        return startingHere;
    }
    return startingHere == 1 ? 12 : startingHere - 1;
}

int YearAnimal(int year)
{
    return Mod(static_cast<std::int64_t>(year) - 4, 12);
}

std::optional<int> ParseDigits(std::string_view text)
{
    if (text.empty() || text.size() > 9) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<CivilDate> ParseIsoDate(std::string_view text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') {
        return std::nullopt;
    }
    const std::optional<int> year = ParseDigits(text.substr(0, 4));
    const std::optional<int> month = ParseDigits(text.substr(5, 2));
    const std::optional<int> day = ParseDigits(text.substr(8, 2));
    if (!year || !month || !day) {
        return std::nullopt;
    }
    const CivilDate date{*year, *month, *day};
    if (date.Year < kFirstCalendarYear || date.Year > kLastCalendarYear || !IsValidDate(date)) {
        return std::nullopt;
    }
    return date;
}

std::string FormatIsoDate(const CivilDate& date)
{
    std::string text(10, '0');
    const auto put = [&](std::size_t at, std::size_t length, int value) {
        for (std::size_t i = at + length; i > at; --i) {
            text[i - 1] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
    };
    put(0, 4, date.Year);
    text[4] = '-';
    put(5, 2, date.Month);
    text[7] = '-';
    put(8, 2, date.Day);
    return text;
}

}  // namespace tarvel
