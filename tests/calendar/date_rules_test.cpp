// Date arithmetic, both Easter rules, the zodiac and the year's animal.
#include "calendar/date_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

CivilDate Iso(const char* text)
{
    const std::optional<CivilDate> date = ParseIsoDate(text);
    EXPECT_TRUE(date.has_value()) << text;
    return date.value_or(CivilDate{});
}

// Published Easter dates (Gregorian calendar), Orthodox and Western, across
// the years the calendar must handle; 2100, 2200 and 2400 are the century
// years where a fixed 13-day difference to the Julian calendar goes wrong.
TEST(EasterTest, MatchesPublishedTables)
{
    struct Row {
        int year;
        const char* orthodox;
        const char* western;
    };
    const Row rows[] = {
        {1583, "1583-04-10", "1583-04-10"}, {1600, "1600-04-02", "1600-04-02"}, {1700, "1700-04-11", "1700-04-11"},
        {1752, "1752-04-09", "1752-04-02"}, {1800, "1800-04-20", "1800-04-13"}, {1818, "1818-04-26", "1818-03-22"},
        {1886, "1886-04-25", "1886-04-25"}, {1900, "1900-04-22", "1900-04-15"}, {1943, "1943-04-25", "1943-04-25"},
        {1961, "1961-04-09", "1961-04-02"}, {2000, "2000-04-30", "2000-04-23"}, {2008, "2008-04-27", "2008-03-23"},
        {2010, "2010-04-04", "2010-04-04"}, {2011, "2011-04-24", "2011-04-24"}, {2024, "2024-05-05", "2024-03-31"},
        {2025, "2025-04-20", "2025-04-20"}, {2038, "2038-04-25", "2038-04-25"}, {2100, "2100-05-02", "2100-03-28"},
        {2101, "2101-04-24", "2101-04-17"}, {2200, "2200-04-06", "2200-04-06"}, {2285, "2285-04-26", "2285-03-22"},
        {2300, "2300-04-15", "2300-04-08"}, {2400, "2400-04-16", "2400-04-16"}, {2500, "2500-04-25", "2500-04-18"},
        {3000, "3000-04-20", "3000-04-13"}, {3500, "3500-04-22", "3500-04-08"}, {4099, "4099-05-03", "4099-04-19"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FormatIsoDate(OrthodoxEaster(row.year)), row.orthodox) << row.year;
        EXPECT_EQ(FormatIsoDate(WesternEaster(row.year)), row.western) << row.year;
    }
}

TEST(EasterTest, AlwaysASundayInTheChurchesWindows)
{
    for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year) {
        const CivilDate western = WesternEaster(year);
        ASSERT_EQ(Weekday(western), 1) << year;
        ASSERT_GE(DayNumber(western), DayNumber({year, 3, 22})) << year;
        ASSERT_LE(DayNumber(western), DayNumber({year, 4, 25})) << year;
        const CivilDate orthodox = OrthodoxEaster(year);
        ASSERT_EQ(Weekday(orthodox), 1) << year;
        ASSERT_GE(DayNumber(orthodox), DayNumber(western)) << year;
    }
}

TEST(DayNumberTest, CountsEveryDayOnceAndKnowsTheWeekdays)
{
    std::int64_t expected = DayNumber({kFirstCalendarYear, 1, 1});
    for (int year = kFirstCalendarYear; year <= kLastCalendarYear; ++year) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= DaysInMonth(year, month); ++day) {
                const CivilDate date{year, month, day};
                ASSERT_EQ(DayNumber(date), expected) << FormatIsoDate(date);
                ASSERT_EQ(DateOfDayNumber(expected), date);
                ++expected;
            }
        }
    }
    EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(Weekday({1970, 1, 1}), 5);   // Thursday
    EXPECT_EQ(Weekday({2000, 1, 1}), 7);   // Saturday
    EXPECT_EQ(Weekday({2024, 9, 8}), 1);   // Sunday
    EXPECT_EQ(DayOfYear({2024, 9, 12}), 256);
    EXPECT_EQ(DayOfYear({2025, 9, 13}), 256);
    // The Gregorian calendar began the day after Julian 4 October 1582, and
    // in 2100 the Julian calendar falls 14 days behind.
    EXPECT_EQ(JulianDayNumber({1582, 10, 4}) + 1, DayNumber({1582, 10, 15}));
    EXPECT_EQ(JulianDayNumber({2100, 2, 29}), DayNumber({2100, 3, 14}));
}

TEST(ZodiacTest, SignsChangeOnTheirFirstDays)
{
    // The first day of each sign, Aries to Pisces, and the day before it.
    const char* firstDays[] = {"2024-03-21", "2024-04-21", "2024-05-21", "2024-06-22", "2024-07-23", "2024-08-24",
                               "2024-09-24", "2024-10-24", "2024-11-23", "2024-12-22", "2024-01-21", "2024-02-21"};
    for (int sign = 1; sign <= 12; ++sign) {
        const CivilDate first = Iso(firstDays[sign - 1]);
        const CivilDate before = DateOfDayNumber(DayNumber(first) - 1);
        EXPECT_EQ(ZodiacSign(first.Month, first.Day), sign) << firstDays[sign - 1];
        EXPECT_EQ(ZodiacSign(before.Month, before.Day), sign == 1 ? 12 : sign - 1) << firstDays[sign - 1];
    }
    EXPECT_EQ(ZodiacSign(1, 1), 10);     // Capricorn
    EXPECT_EQ(ZodiacSign(12, 31), 10);
}

TEST(YearAnimalTest, TwelveYearCycle)
{
    const std::pair<int, int> rows[] = {{2020, 0}, {2021, 1}, {2022, 2}, {2023, 3}, {2024, 4}, {2025, 5},
                                        {2026, 6}, {2027, 7}, {2028, 8}, {2029, 9}, {2030, 10}, {2031, 11},
                                        {1900, 0}, {1583, 7}};
    for (const auto& [year, animal] : rows) EXPECT_EQ(YearAnimal(year), animal) << year;
}

TEST(ParseIsoDateTest, TakesOnlyRealFourDigitDates)
{
    EXPECT_EQ(Iso("2024-02-29"), (CivilDate{2024, 2, 29}));
    EXPECT_EQ(Iso("1583-01-01"), (CivilDate{1583, 1, 1}));
    EXPECT_EQ(FormatIsoDate(Iso("9999-12-31")), "9999-12-31");
    for (const char* bad : {"", "2024-2-29", "2023-02-29", "2100-02-29", "2024-13-01", "2024-00-10", "2024-01-00",
                            "2024-04-31", "1582-12-31", "2024/01/01", "2024-01-01 ", "+024-01-01", "２０２４-01-01",
                            "2024-1a-01", "20240-1-01"}) {
        EXPECT_FALSE(ParseIsoDate(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace tarvel
