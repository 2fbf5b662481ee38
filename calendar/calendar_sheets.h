// The two calendar sheets of the main menu: the left sheet with today's day,
// month and sign of the zodiac, the right sheet turning every 10 seconds
// through the year's animal and today's holidays. Each sheet's hint names
// what it shows.
//
// The pictures come from the calendar module "QorCalendar01.rcc", a Qt
// binary resource file with the pictures under ":/QorCalendar01/<name>.png".
// The module is registered only while the pages are drawn. Without it there
// are no sheets; a picture missing from it leaves its page without picture.
#pragma once

#include "holidays.h"

#include <QDate>
#include <QImage>
#include <QObject>
#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <array>
#include <functional>

namespace tarvel {

inline constexpr int kSheetWidth = 60;
inline constexpr int kSheetHeight = 100;
inline constexpr int kCalendarTimerMs = 10000;
inline constexpr const char* kCalendarModule = "QorCalendar01.rcc";

// The pages of a day: pictures TB[1..8] of 60 x 100 pixels and their hints.
struct TInfoCal {
    std::array<QImage, kMaxCalendarPages + 1> TB{};
    std::array<QString, kMaxCalendarPages + 1> Hint{};
};

// What the sheets need of the main window.
class CalendarHost {
public:
    virtual ~CalendarHost() = default;
    // Runs `read` while the calendar module is registered; false, without
    // running it, when the module is missing or damaged.
    virtual bool ReadCalendarModule(const std::function<void()>& read) = 0;
    // The date the calendar shows.
    virtual QDate CalendarToday() const = 0;
    virtual bool CalendarMenuShown() const = 0;
};

// One sheet: a page picture on a transparent widget, so that the window
// shows through around the paper.
class CalendarSheet : public QWidget {
public:
    explicit CalendarSheet(QWidget* parent);
    void SetPage(const QImage& picture, const QString& hint);
    const QImage& Picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

class CalendarSheets : public QObject {
    Q_OBJECT

public:
    // The sheets become children of `parent`, hidden until ShowCalendar.
    CalendarSheets(QWidget* parent, CalendarHost& host);

    // Draws the pages of today into `pages` and sets their count (2 + the
    // day's holidays). Font sizes are in points; 0 means 12 for the day and
    // 8 for the month. False, with no pages, when the module cannot be read.
    bool BuildCalendar(const QString& fontName, int daySize, int monthSize, int& count, TInfoCal& pages,
                       int language);

    // Places the sheets at the two rectangles, builds today's pages and
    // shows page 1 on the left and page 2 on the right, then turns the right
    // sheet every 10 seconds. Without the module both sheets are hidden and
    // the timer stops.
    void ShowCalendar(const QRect& left, const QRect& right, int language);

    // The timer's tick: a new day rebuilds the pages while the menu shows;
    // away from the menu both sheets hide; otherwise the right sheet turns
    // to the next page (2, 3, ..., count, 2, ...).
    void TimerCalTimer();

    // Hides both sheets at once (the table is laid out); the timer goes on.
    void HideCalendar();

    CalendarSheet* ImCalL() const { return left_; }
    CalendarSheet* ImCalR() const { return right_; }
    QTimer& TimerCal() { return timer_; }
    int PageCount() const { return count_; }
    int RightPage() const { return rightPage_; }
    const TInfoCal& Pages() const { return pages_; }

signals:
    // Every tick of the calendar timer, after the sheets have turned: other
    // features that poll every 10 seconds (news and chat) hang here.
    void CalendarTick();

private:
    void ShowPage(int page);

    CalendarHost& host_;
    CalendarSheet* left_;
    CalendarSheet* right_;
    QTimer timer_;
    TInfoCal pages_;
    int count_ = 0;
    int rightPage_ = 2;
    int language_ = 0;
    QDate builtFor_;
    QRect leftRect_;
    QRect rightRect_;
};

}  // namespace tarvel
