// The holiday table and the pages of a calendar day. Plain C++ without Qt;
// texts are UTF-8.
//
// Every entry has a date field of ten characters in one of these forms:
//   DD.MM.0000   every year on that day
//   DD.MM.YYYY   every year on that day, as the anniversary of year YYYY
//   pasha.p000   Orthodox Easter; "pasha.p+NN" / "pasha.p-NN" NN days after / before it
//   pasha.k000   Western Easter; "pasha.k+NN" / "pasha.k-NN" likewise
//   ****W.D.MM   the W-th weekday D (Sunday 1 .. Saturday 7) of month MM
//   ****l.D.MM   the last weekday D of month MM
#pragma once

#include "date_rules.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

enum class DateRuleKind {
    Fixed,           // Day and Month, anniversary of Year when Year != 0
    OrthodoxEaster,  // Offset days from Orthodox Easter
    WesternEaster,   // Offset days from Western Easter
    NthWeekday,      // Week-th Weekday of Month
    LastWeekday,     // last Weekday of Month
};

struct DateField {
    DateRuleKind Kind = DateRuleKind::Fixed;
    int Day = 0;
    int Month = 0;
    int Year = 0;
    int Offset = 0;
    int Week = 0;
    int Weekday = 0;
    friend bool operator==(const DateField&, const DateField&) = default;
};

// The rule of a date field; nothing for a text of any other form, a month
// or day out of range (29.02 is a day), a week outside 1..5 or a weekday
// outside 1..7.
std::optional<DateField> ParseDateField(std::string_view text);

// Whether the rule gives `date`. The anniversary year of a fixed date does
// not limit it; 29 February occurs in leap years only.
bool OccursOn(const DateField& field, const CivilDate& date);

// Names in the table's order: Russian, English, German, French, Spanish,
// Chinese, Italian, Czech, Japanese, Korean.
inline constexpr int kHolidayNameCount = 10;

struct Holiday {
    std::string_view Date;     // the date field
    std::string_view Kind;     // "ALL", "RUS", "USA", ... (three letters)
    std::string_view Picture;  // resource name in the calendar module
    std::array<std::string_view, kHolidayNameCount> Names;
};

// The built-in table, in its order.
std::span<const Holiday> HolidayTable();

// The name of an entry in a language of the word table (0 English,
// 1 Russian, 2.. as in the table); English for a language out of range.
std::string_view HolidayName(const Holiday& holiday, int language);

// The entries that fall on `date`, in table order. Programmer's Day is the
// 256th day of the year: 12 September in leap years.
std::vector<const Holiday*> HolidaysOn(const CivilDate& date);

// The most pages of one day: the date, the year's animal and at most six
// holidays.
inline constexpr int kMaxCalendarPages = 8;
inline constexpr int kMaxHolidaysPerDay = kMaxCalendarPages - 2;

// The hint of a holiday's page: its name, then in parentheses the
// anniversary and the label of its kind, separated by ", " when both exist:
// "Borodino day (212-th anniversary, Russian Festival)".
std::string HolidayHint(const Holiday& holiday, int year, int language);

// One page of a calendar day: a picture of the calendar module drawn on the
// empty sheet, and the hint.
struct CalendarPage {
    std::string Picture;
    std::string Hint;
};

// Everything the two sheets show on one day. Page 1 (the left sheet) shows
// the day number, the month and the zodiac sign; page 2 the year's animal;
// pages 3.. the holidays.
struct CalendarDay {
    CivilDate Date;
    bool Sunday = false;
    std::string MonthName;
    std::vector<CalendarPage> Pages;  // Pages[0] is page 1
};

CalendarDay PlanCalendarDay(const CivilDate& date, int language);

// The resource names of the calendar module: the empty sheet, the zodiac
// signs ("R_01" .. "R_12"), the animals (rat .. pig) and the pictures of the
// table.
inline constexpr std::string_view kSheetPicture = "R_BASE";
std::string ZodiacPicture(int sign);
std::string_view AnimalPicture(int animal);
// Every name above, each once.
std::vector<std::string> CalendarPictureNames();

}  // namespace tarvel
