#include "calendar_sheets.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <cmath>

#include "widgets/program_picture.h"

namespace tarvel {

namespace {

constexpr int kDefaultDaySize = 12;
constexpr int kDefaultMonthSize = 8;
constexpr int kDayTop = 22;
constexpr int kMonthTop = 42;
constexpr int kMonthLongName = 8;  // longer month names get one point less
constexpr QPoint kZodiacAt{17, 65};
constexpr QPoint kPictureAt{3, 27};

QImage ModulePicture(const std::string& name)
{
    return DecodePicture(QStringLiteral(":/QorCalendar01/") + QString::fromStdString(name) + QStringLiteral(".png"));
}

QImage EmptyPage()
{
    QImage page(kSheetWidth, kSheetHeight, QImage::Format_ARGB32_Premultiplied);
    page.fill(Qt::transparent);
    return page;
}

// Points of the settings' fonts at the screen's 96 pixels per inch.
QFont SheetFont(const QString& family, int points)
{
    QFont font(family);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(points * 96.0 / 72.0))));
    return font;
}

// Text centred on the sheet; a text wider than the paper gets a smaller
// font (fallback fonts of some scripts run wider than the named one).
void CentredText(QPainter& painter, int top, const QString& text, QFont font, const QColor& colour)
{
    constexpr int kPaperWidth = kSheetWidth - 6;
    while (font.pixelSize() > 6 && QFontMetrics(font).horizontalAdvance(text) > kPaperWidth) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    painter.setFont(font);
    painter.setPen(colour);
    const int height = QFontMetrics(font).height();
    painter.drawText(QRect(0, top, kSheetWidth, height), Qt::AlignHCenter | Qt::AlignTop, text);
}

}  // namespace

CalendarSheet::CalendarSheet(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    resize(kSheetWidth, kSheetHeight);
    hide();
}

void CalendarSheet::SetPage(const QImage& picture, const QString& hint)
{
    picture_ = picture;
    setToolTip(hint);
    update();
}

void CalendarSheet::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.setClipRect(event->rect());
    painter.drawImage(0, 0, picture_);
}

CalendarSheets::CalendarSheets(QWidget* parent, CalendarHost& host)
    : QObject(parent), host_(host), left_(new CalendarSheet(parent)), right_(new CalendarSheet(parent))
{
    left_->setObjectName(QStringLiteral("ImCalL"));
    right_->setObjectName(QStringLiteral("ImCalR"));
    timer_.setInterval(kCalendarTimerMs);
    connect(&timer_, &QTimer::timeout, this, &CalendarSheets::TimerCalTimer);
}

bool CalendarSheets::BuildCalendar(const QString& fontName, int daySize, int monthSize, int& count,
                                   TInfoCal& pages, int language)
{
    const QDate today = host_.CalendarToday();
    const CalendarDay day = PlanCalendarDay(CivilDate{today.year(), today.month(), today.day()}, language);
    TInfoCal drawn;
    const bool read = host_.ReadCalendarModule([&] {
        const QImage sheet = ModulePicture(std::string(kSheetPicture));
        for (std::size_t i = 0; i < day.Pages.size(); ++i) {
            const int page = static_cast<int>(i) + 1;
            QImage& picture = drawn.TB[static_cast<std::size_t>(page)];
            picture = EmptyPage();
            QPainter painter(&picture);
            painter.setRenderHint(QPainter::TextAntialiasing);
            painter.drawImage(0, 0, sheet);
            const QImage content = ModulePicture(day.Pages[i].Picture);
            if (page == 1) {
                const int dayPoints = daySize > 0 ? daySize : kDefaultDaySize;
                QFont dayFont = SheetFont(fontName, dayPoints);
                dayFont.setBold(true);
                CentredText(painter, kDayTop, QString::number(day.Date.Day), dayFont,
                            day.Sunday ? QColor(Qt::red) : QColor(Qt::black));
                const QString month = QString::fromStdString(day.MonthName);
                int monthPoints = monthSize > 0 ? monthSize : kDefaultMonthSize;
                if (month.size() > kMonthLongName) {
                    --monthPoints;
                }
                CentredText(painter, kMonthTop, month, SheetFont(fontName, monthPoints), Qt::black);
                painter.drawImage(kZodiacAt, content);
            } else {
                painter.drawImage(kPictureAt, content);
            }
            drawn.Hint[static_cast<std::size_t>(page)] = QString::fromStdString(day.Pages[i].Hint);
        }
    });
    if (!read) {
        count = 0;
        return false;
    }
    pages = std::move(drawn);
    count = static_cast<int>(day.Pages.size());
    return true;
}

void CalendarSheets::ShowCalendar(const QRect& left, const QRect& right, int language)
{
    leftRect_ = left;
    rightRect_ = right;
    language_ = language;
    left_->setGeometry(left);
    right_->setGeometry(right);
    if (!BuildCalendar(QStringLiteral("Comic Sans MS"), 0, 0, count_, pages_, language)) {
        pages_ = TInfoCal{};
        builtFor_ = QDate();
        HideCalendar();
        timer_.stop();
        return;
    }
    builtFor_ = host_.CalendarToday();
    left_->SetPage(pages_.TB[1], pages_.Hint[1]);
    ShowPage(2);
    left_->show();
    right_->show();
    timer_.start();
}

void CalendarSheets::TimerCalTimer()
{
    if (host_.CalendarMenuShown() && host_.CalendarToday() != builtFor_) {
        // A new day (also after the machine slept past midnight).
        ShowCalendar(leftRect_, rightRect_, language_);
    } else if (!host_.CalendarMenuShown()) {
        HideCalendar();
    } else if (count_ >= 2) {
        ShowPage(rightPage_ >= count_ ? 2 : rightPage_ + 1);
    }
    emit CalendarTick();
}

void CalendarSheets::HideCalendar()
{
    left_->hide();
    right_->hide();
}

void CalendarSheets::ShowPage(int page)
{
    rightPage_ = page;
    right_->SetPage(pages_.TB[static_cast<std::size_t>(page)], pages_.Hint[static_cast<std::size_t>(page)]);
}

}  // namespace tarvel
