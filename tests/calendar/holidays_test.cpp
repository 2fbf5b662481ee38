// The holiday table, the date-field rules, the pages of a day and the
// console tool.
#include "calendar/calendar_tool.h"
#include "calendar/holidays.h"

#include "words.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace tarvel {
namespace {

CivilDate Iso(const char* text)
{
    return ParseIsoDate(text).value();
}

std::vector<std::string> Hints(const char* date, int language = kLanguageEnglish)
{
    std::vector<std::string> hints;
    for (const CalendarPage& page : PlanCalendarDay(Iso(date), language).Pages) hints.push_back(page.Hint);
    return hints;
}

TEST(HolidayTableTest, EveryEntryIsWellFormed)
{
    EXPECT_EQ(HolidayTable().size(), 82u);
    for (const Holiday& holiday : HolidayTable()) {
        EXPECT_TRUE(ParseDateField(holiday.Date).has_value()) << holiday.Date;
        EXPECT_EQ(holiday.Kind.size(), 3u) << holiday.Date;
        EXPECT_EQ(holiday.Picture.size(), 9u) << holiday.Date;
        EXPECT_TRUE(holiday.Picture.starts_with("R_")) << holiday.Picture;
        for (const std::string_view name : holiday.Names) {
            EXPECT_FALSE(name.empty()) << holiday.Date;
            EXPECT_EQ(name.find('#'), std::string_view::npos) << name;
            EXPECT_EQ(name.find('`'), std::string_view::npos) << name;
        }
    }
    const std::vector<std::string> names = CalendarPictureNames();
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

TEST(DateFieldTest, ReadsEveryFormAndRefusesTheRest)
{
    struct Row {
        const char* text;
        std::optional<DateField> field;
    };
    const Row rows[] = {
        {"08.09.1812", DateField{DateRuleKind::Fixed, 8, 9, 1812}},
        {"29.02.0000", DateField{DateRuleKind::Fixed, 29, 2, 0}},
        {"pasha.p000", DateField{DateRuleKind::OrthodoxEaster}},
        {"pasha.p-07", DateField{DateRuleKind::OrthodoxEaster, 0, 0, 0, -7}},
        {"pasha.k+49", DateField{DateRuleKind::WesternEaster, 0, 0, 0, 49}},
        {"****3.2.01", DateField{DateRuleKind::NthWeekday, 0, 1, 0, 0, 3, 2}},
        {"****l.2.05", DateField{DateRuleKind::LastWeekday, 0, 5, 0, 0, 0, 2}},
        {"", std::nullopt},           {"08.09.181", std::nullopt},  {"08.09.18120", std::nullopt},
        {"30.02.0000", std::nullopt}, {"00.01.0000", std::nullopt}, {"01.13.0000", std::nullopt},
        {"1a.01.0000", std::nullopt}, {"01-01-0000", std::nullopt}, {"pasha.x000", std::nullopt},
        {"pasha.p+7 ", std::nullopt}, {"pasha.p*07", std::nullopt}, {"pasha.p00+", std::nullopt},
        {"****6.2.01", std::nullopt}, {"****0.2.01", std::nullopt}, {"****3.8.01", std::nullopt},
        {"****3.2.13", std::nullopt}, {"****3-2-01", std::nullopt}, {"****L.2.01", std::nullopt},
    };
    for (const Row& row : rows) EXPECT_EQ(ParseDateField(row.text), row.field) << '"' << row.text << '"';
}

// Every entry falls on exactly one day of 2024 and of 2025: its fixed date,
// or the day worked out here for the movable ones (Easter dates from the
// churches' published tables).
TEST(HolidayTableTest, EveryEntryFallsOnItsDayOnlyIn2024And2025)
{
    const std::map<std::string_view, std::pair<const char*, const char*>> movable = {
        {"pasha.p000", {"2024-05-05", "2025-04-20"}}, {"pasha.p-07", {"2024-04-28", "2025-04-13"}},
        {"pasha.p+39", {"2024-06-13", "2025-05-29"}}, {"pasha.p+49", {"2024-06-23", "2025-06-08"}},
        {"pasha.k000", {"2024-03-31", "2025-04-20"}}, {"****3.2.01", {"2024-01-15", "2025-01-20"}},
        {"****4.5.11", {"2024-11-28", "2025-11-27"}}, {"13.09.0000", {"2024-09-12", "2025-09-13"}},
    };
    std::map<const Holiday*, std::vector<std::string>> seen;
    for (const int year : {2024, 2025}) {
        for (std::int64_t n = DayNumber({year, 1, 1}); n <= DayNumber({year, 12, 31}); ++n) {
            const CivilDate date = DateOfDayNumber(n);
            for (const Holiday* holiday : HolidaysOn(date)) seen[holiday].push_back(FormatIsoDate(date));
        }
    }
    for (const Holiday& holiday : HolidayTable()) {
        std::vector<std::string> expected;
        const auto rule = movable.find(holiday.Date);
        if (rule != movable.end()) {
            expected = {rule->second.first, rule->second.second};
        } else {
            const DateField field = ParseDateField(holiday.Date).value();
            ASSERT_EQ(field.Kind, DateRuleKind::Fixed) << holiday.Date << " needs its days in this test";
            for (const int year : {2024, 2025}) expected.push_back(FormatIsoDate({year, field.Month, field.Day}));
        }
        EXPECT_EQ(seen[&holiday], expected) << holiday.Date << ' ' << holiday.Names[1];
    }
}

TEST(CalendarDayTest, PagesOfTheDaysWorthKnowing)
{
    struct Row {
        const char* date;
        int language;
        std::vector<std::string> hints;
    };
    const Row rows[] = {
        {"2024-01-01", kLanguageEnglish, {"Capricorn", "Year Of The Dragon", "New Year"}},
        {"2025-01-01", kLanguageRussian, {"Козерог", "Год Змеи", "Новый год"}},
        {"2024-01-15", kLanguageEnglish,
         {"Capricorn", "Year Of The Dragon", "Martin Luther King Day (Holiday United States)"}},
        {"2024-11-28", kLanguageEnglish, {"Sagittarius", "Year Of The Dragon", "Thanksgiving (Holiday United States)"}},
        {"2024-09-08", kLanguageEnglish,
         {"Virgo", "Year Of The Dragon", "Borodino day (212-th anniversary, Russian Festival)",
          "Nativity of the Mother of God (Catholic feast)"}},
        {"2024-09-08", kLanguageRussian,
         {"Дева", "Год Дракона", "День Бородинского сражения (212-я годовщина, Российский праздник)",
          "Рождество Пресвятой Девы Марии (Католический праздник)"}},
        {"2010-04-04", kLanguageEnglish,
         {"Aries", "Year Of The Tiger", "Easter (The Orthodox holiday)", "Easter (Catholic feast)"}},
        {"2045-05-09", kLanguageGerman,
         {"Stier", "Jahr des Büffels",
          "Tag des Sieges im Großen Vaterländischen Krieg (100. Jahrestag, Russischer Feiertag)"}},
        {"2024-09-12", kLanguageEnglish, {"Virgo", "Year Of The Dragon", "Programmer's day"}},
        {"2024-09-13", kLanguageEnglish, {"Virgo", "Year Of The Dragon"}},
        {"2025-09-13", kLanguageEnglish, {"Virgo", "Year Of The Snake", "Programmer's day"}},
        {"2025-09-12", kLanguageEnglish, {"Virgo", "Year Of The Snake"}},
        {"2024-01-07", 42, {"Capricorn", "Year Of The Dragon", "Christmas (The Orthodox holiday)"}},
    };
    for (const Row& row : rows) EXPECT_EQ(Hints(row.date, row.language), row.hints) << row.date;

    const CalendarDay sunday = PlanCalendarDay(Iso("2024-09-08"), kLanguageEnglish);
    EXPECT_TRUE(sunday.Sunday);
    EXPECT_EQ(sunday.MonthName, "September");
    ASSERT_EQ(sunday.Pages.size(), 4u);
    EXPECT_EQ(sunday.Pages[0].Picture, "R_06");
    EXPECT_EQ(sunday.Pages[1].Picture, "R_VOSDRAG");
    EXPECT_EQ(sunday.Pages[2].Picture, "R_RUSGEOR");
    EXPECT_FALSE(PlanCalendarDay(Iso("2024-09-09"), kLanguageEnglish).Sunday);
}

TEST(CalendarDayTest, EveryLanguageHasEveryText)
{
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const char* date : {"2024-09-08", "2024-02-23", "2024-05-05", "2024-12-25"}) {
            for (const CalendarPage& page : PlanCalendarDay(Iso(date), language).Pages) {
                EXPECT_FALSE(page.Hint.empty()) << date << ' ' << language;
                EXPECT_FALSE(page.Picture.empty());
            }
        }
    }
}

TEST(CalendarToolTest, PrintsPagesAndEasterAndRefusesBadArguments)
{
    struct Row {
        std::vector<std::string_view> args;
        int status;
        std::string out;
    };
    const Row rows[] = {
        {{"--date", "2024-09-08"},
         0,
         "Virgo\nYear Of The Dragon\nBorodino day (212-th anniversary, Russian Festival)\n"
         "Nativity of the Mother of God (Catholic feast)\n"},
        {{"--language", "1", "--date", "2024-01-01"}, 0, "Козерог\nГод Дракона\nНовый год\n"},
        {{"--easter", "2100"}, 0, "orthodox 2100-05-02\nwestern 2100-03-28\n"},
        {{}, 2, ""},
        {{"--date"}, 2, ""},
        {{"--date", "2024-02-30"}, 2, ""},
        {{"--date", "2024-01-01", "--date", "2024-01-02"}, 2, ""},
        {{"--date", "2024-01-01", "--easter", "2024"}, 2, ""},
        {{"--date", "2024-01-01", "--language", "10"}, 2, ""},
        {{"--date", "2024-01-01", "--language", "-1"}, 2, ""},
        {{"--easter", "1582"}, 2, ""},
        {{"--easter", "10000"}, 2, ""},
        {{"--easter", "2024", "--language", "1"}, 2, ""},
        {{"--easter", "20x4"}, 2, ""},
        {{"2024-01-01"}, 2, ""},
    };
    for (const Row& row : rows) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCalendarTool(row.args, out, err), row.status) << testing::PrintToString(row.args);
        EXPECT_EQ(out.str(), row.out);
        EXPECT_EQ(err.str().find("usage: tarvel-calendar") != std::string::npos, row.status == 2);
    }
}

}  // namespace
}  // namespace tarvel
