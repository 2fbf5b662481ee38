// The calendar sheets on a real parent widget, offscreen, with the real
// calendar module read through the game's module check.
#include "calendar/calendar_sheets.h"
#include "table/pictures.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace tarvel {
namespace {

class Host : public CalendarHost {
public:
    bool ReadCalendarModule(const std::function<void()>& read) override
    {
        return WithModule(QStringList{folder}, QString::fromLatin1(kCalendarModule), read);
    }
    QDate CalendarToday() const override { return today; }
    bool CalendarMenuShown() const override { return menu; }

    QString folder;
    QDate today{2024, 9, 8};
    bool menu = true;
};

// A data folder holding `module` under the calendar module's name.
class Folder {
public:
    explicit Folder(const char* module = nullptr)
    {
        if (module != nullptr) {
            EXPECT_TRUE(QFile::copy(QString::fromUtf8(module), dir.filePath(QString::fromLatin1(kCalendarModule))));
        }
    }
    QString Path() const { return dir.path(); }

private:
    QTemporaryDir dir;
};

// Whether some pixel of the band is clearly red (a Sunday's day number).
bool HasRed(const QImage& page, int top, int bottom)
{
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() > 180 && c.green() < 80 && c.blue() < 80) return true;
        }
    }
    return false;
}

const QRect kLeft(150, 95, kSheetWidth, kSheetHeight);
const QRect kRight(550, 95, kSheetWidth, kSheetHeight);

TEST(CalendarSheetsTest, ShowsTheDayAndTurnsTheRightSheetEveryTick)
{
    Folder folder(TARVEL_CALENDAR_MODULE);
    Host host;
    host.folder = folder.Path();
    QWidget window;
    window.resize(760, 500);
    CalendarSheets sheets(&window, host);
    QSignalSpy ticks(&sheets, &CalendarSheets::CalendarTick);
    window.show();

    sheets.ShowCalendar(kLeft, kRight, 0);
    EXPECT_TRUE(sheets.ImCalL()->isVisible());
    EXPECT_TRUE(sheets.ImCalR()->isVisible());
    EXPECT_EQ(sheets.ImCalL()->geometry(), kLeft);
    EXPECT_EQ(sheets.ImCalR()->geometry(), kRight);
    EXPECT_TRUE(sheets.TimerCal().isActive());
    EXPECT_EQ(sheets.TimerCal().interval(), 10000);
    ASSERT_EQ(sheets.PageCount(), 4);
    EXPECT_EQ(sheets.ImCalL()->toolTip(), QStringLiteral("Virgo"));
    // A Sunday: the day number is red.
    EXPECT_TRUE(HasRed(sheets.ImCalL()->Picture(), 22, 40));

    // The right sheet: the animal, the holidays, then the animal again.
    const QStringList turns{QStringLiteral("Year Of The Dragon"),
                            QStringLiteral("Borodino day (212-th anniversary, Russian Festival)"),
                            QStringLiteral("Nativity of the Mother of God (Catholic feast)"),
                            QStringLiteral("Year Of The Dragon")};
    for (int i = 0; i < turns.size(); ++i) {
        if (i > 0) sheets.TimerCal().timeout({});
        EXPECT_EQ(sheets.ImCalR()->toolTip(), turns[i]) << i;
        EXPECT_EQ(sheets.ImCalR()->Picture(), sheets.Pages().TB[static_cast<std::size_t>(i % 3 + 2)]);
    }
    EXPECT_EQ(ticks.count(), 3);
    // Every page differs: each has its own picture.
    for (int a = 1; a <= 4; ++a) {
        for (int b = a + 1; b <= 4; ++b) EXPECT_NE(sheets.Pages().TB[a], sheets.Pages().TB[b]) << a << ' ' << b;
    }

    // Away from the menu both sheets hide, and the timer goes on ticking.
    host.menu = false;
    sheets.TimerCal().timeout({});
    EXPECT_FALSE(sheets.ImCalL()->isVisible());
    EXPECT_FALSE(sheets.ImCalR()->isVisible());
    EXPECT_TRUE(sheets.TimerCal().isActive());
    EXPECT_EQ(ticks.count(), 4);

    // A new day on the menu: the pages are built anew, in the new language.
    host.menu = true;
    host.today = QDate(2024, 9, 9);
    sheets.ShowCalendar(kLeft, kRight, 1);
    EXPECT_FALSE(HasRed(sheets.ImCalL()->Picture(), 22, 40));
    host.today = QDate(2025, 1, 1);
    sheets.TimerCal().timeout({});
    EXPECT_TRUE(sheets.ImCalL()->isVisible());
    EXPECT_EQ(sheets.ImCalL()->toolTip(), QStringLiteral("Козерог"));
    EXPECT_EQ(sheets.ImCalR()->toolTip(), QStringLiteral("Год Змеи"));
    EXPECT_EQ(sheets.PageCount(), 3);
}

TEST(CalendarSheetsTest, WithoutAUsableModuleThereAreNoSheets)
{
    QTemporaryDir spoilt;
    QFile cut(spoilt.filePath(QString::fromLatin1(kCalendarModule)));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    cut.write("qres\0\0\0\3", 8);
    cut.close();
    Folder empty;
    for (const QString& path : {empty.Path(), spoilt.path()}) {
        Host host;
        host.folder = path;
        QWidget window;
        CalendarSheets sheets(&window, host);
        window.show();
        sheets.ShowCalendar(kLeft, kRight, 0);
        EXPECT_FALSE(sheets.ImCalL()->isVisible());
        EXPECT_FALSE(sheets.ImCalR()->isVisible());
        EXPECT_FALSE(sheets.TimerCal().isActive());
        int count = -1;
        TInfoCal pages;
        EXPECT_FALSE(sheets.BuildCalendar(QStringLiteral("Comic Sans MS"), 0, 0, count, pages, 0));
        EXPECT_EQ(count, 0);
        EXPECT_TRUE(pages.TB[1].isNull());
    }
}

TEST(CalendarSheetsTest, AMissingPictureLeavesItsPageEmpty)
{
    // This module holds the empty sheet and the zodiac signs only.
    Folder folder(TARVEL_PARTIAL_CALENDAR_MODULE);
    Host host;
    host.folder = folder.Path();
    QWidget window;
    CalendarSheets sheets(&window, host);
    int count = 0;
    TInfoCal pages;
    ASSERT_TRUE(sheets.BuildCalendar(QStringLiteral("Comic Sans MS"), 0, 0, count, pages, 0));
    ASSERT_EQ(count, 4);
    // Pages 2 to 4 show the bare sheet alike, still with their hints.
    EXPECT_FALSE(pages.TB[2].isNull());
    EXPECT_EQ(pages.TB[2], pages.TB[3]);
    EXPECT_EQ(pages.TB[3], pages.TB[4]);
    EXPECT_EQ(pages.Hint[3], QStringLiteral("Borodino day (212-th anniversary, Russian Festival)"));
    // The zodiac sign is there on page 1: its gold rim is not on the bare sheet.
    EXPECT_NE(pages.TB[1].copy(17, 65, 26, 26), pages.TB[2].copy(17, 65, 26, 26));
}

}  // namespace
}  // namespace tarvel

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
