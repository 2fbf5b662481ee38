// Dates of the holiday calendar: the proleptic Gregorian calendar, the Julian
// calendar of the Orthodox feasts, both Easter rules, the zodiac and the
// year's animal. Plain C++ without Qt.
//
// Days are counted as day numbers (days since 1 January 1970 in the
// Gregorian calendar), which turns offsets and calendar conversions into
// additions.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvel {

// The years the calendar computes for: from the first whole year of the
// Gregorian calendar to the last with four digits.
inline constexpr int kFirstCalendarYear = 1583;
inline constexpr int kLastCalendarYear = 9999;

struct CivilDate {
    int Year = 1970;
    int Month = 1;  // 1..12
    int Day = 1;    // 1..31
    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// Leap year of the Gregorian calendar: divisible by 4 and not by 100, or by 400.
bool IsLeapYear(int year);
// Leap year of the Julian calendar: divisible by 4.
bool IsJulianLeapYear(int year);
int DaysInMonth(int year, int month);
// Whether the date names a real day of the Gregorian calendar.
bool IsValidDate(const CivilDate& date);

// Gregorian date <-> day number.
std::int64_t DayNumber(const CivilDate& date);
CivilDate DateOfDayNumber(std::int64_t dayNumber);
// Day number of a date of the Julian calendar.
std::int64_t JulianDayNumber(const CivilDate& julianDate);

// Sunday 1 .. Saturday 7.
int Weekday(const CivilDate& date);
// 1 for 1 January.
int DayOfYear(const CivilDate& date);

// Orthodox Easter: the Julian rule, converted exactly to the Gregorian date.
CivilDate OrthodoxEaster(int year);
// Western Easter: the Gregorian rule.
CivilDate WesternEaster(int year);

// The sign of the zodiac, 1 Aries .. 12 Pisces.
int ZodiacSign(int month, int day);
// The animal of the Chinese calendar by calendar year, 0 rat .. 11 pig.
int YearAnimal(int year);

// The number written by `text`: one to nine decimal digits and nothing else.
std::optional<int> ParseDigits(std::string_view text);

// "YYYY-MM-DD" with exactly these digits, a real date, and a year from
// kFirstCalendarYear to kLastCalendarYear; nothing otherwise.
std::optional<CivilDate> ParseIsoDate(std::string_view text);
std::string FormatIsoDate(const CivilDate& date);

}  // namespace tarvel
