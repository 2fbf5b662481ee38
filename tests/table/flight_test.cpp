// Card flight: the line stepping, the pauses of the speed table, and a flight
// over a plain image surface.
#include "table/flight.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(FlightStepping, StepCountFollowsTheLongerAxis)
{
    struct Case {
        QPoint Start, Target;
        int Steps;
    };
    const Case cases[] = {
        {{0, 0}, {300, 100}, 300},
        {{50, 400}, {150, 150}, 250},  // dx = 100, dy = -250
        {{10, 10}, {10, 10}, 0},
        {{0, 0}, {-7, 7}, 7},
        {{5, 5}, {5, -20}, 25},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FlightSteps(c.Start, c.Target), c.Steps);
    }
}

TEST(FlightStepping, OnePixelPerStepOnTheLongerAxisAndRoundedLine)
{
    const QPoint start(0, 0);
    const QPoint target(300, 100);
    EXPECT_EQ(FlightPoint(start, target, 0), start);
    EXPECT_EQ(FlightPoint(start, target, 300), target);
    EXPECT_EQ(FlightPoint(start, target, 3), QPoint(3, 1));
    EXPECT_EQ(FlightPoint(start, target, 1), QPoint(1, 0));    // 0.33
    EXPECT_EQ(FlightPoint(start, target, 2), QPoint(2, 1));    // 0.67
    EXPECT_EQ(FlightPoint(QPoint(0, 0), QPoint(4, 2), 1), QPoint(1, 0));  // 0.5 to even
    EXPECT_EQ(FlightPoint(QPoint(0, 0), QPoint(4, 2), 3), QPoint(3, 2));  // 1.5 to even

    // dx = 100, dy = -250: y moves one pixel up per step.
    const QPoint s2(50, 400);
    const QPoint t2(150, 150);
    EXPECT_EQ(FlightPoint(s2, t2, 1), QPoint(50, 399));     // 50.4
    EXPECT_EQ(FlightPoint(s2, t2, 5), QPoint(52, 395));
    EXPECT_EQ(FlightPoint(s2, t2, 250), t2);

    // Every step moves by at most one pixel on each axis.
    for (const auto& [a, b] : {std::pair{QPoint(3, 9), QPoint(-200, 77)}, std::pair{s2, t2}}) {
        QPoint previous = a;
        for (int step = 1; step <= FlightSteps(a, b); ++step) {
            const QPoint p = FlightPoint(a, b, step);
            EXPECT_LE(std::abs(p.x() - previous.x()), 1);
            EXPECT_LE(std::abs(p.y() - previous.y()), 1);
            previous = p;
        }
        EXPECT_EQ(previous, b);
    }
}

TEST(FlightPauses, SpeedTable)
{
    struct Case {
        int Speed;
        std::uint64_t Step;
        int Pause;
    };
    const Case cases[] = {
        {1, 1, 2}, {1, 2, 2}, {2, 1, 1}, {2, 2, 1}, {3, 1, 0}, {3, 2, 1}, {3, 3, 0},
        {4, 1, 0}, {4, 2, 0}, {4, 3, 1}, {4, 6, 1}, {5, 1, 0}, {5, 2, 0}, {6, 3, 0},
        {0, 1, 2}, {9, 3, 0},  // out of range: the nearest speed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PauseAfterStep(c.Speed, c.Step), c.Pause) << c.Speed << " " << c.Step;
    }
    EXPECT_EQ(SpeedIconInterval(1), 110);
    EXPECT_EQ(SpeedIconInterval(4), 65);
    EXPECT_EQ(SpeedIconInterval(6), 25);
}

// A window stand-in: the "screen" only changes where the flight shows a
// rectangle of the work copy.
class ImageSurface : public FlightSurface {
public:
    explicit ImageSurface(const QImage& table) : screen(table.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

    QImage GrabClient() override { return screen; }
    void BeginFlight(const QImage& work) override
    {
        this->work = &work;
        ++begins;
    }
    void ShowRect(const QRect& rect) override
    {
        ASSERT_NE(work, nullptr);
        QPainter painter(&screen);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(rect.topLeft(), *work, rect);
        ++shows;
        lastShown = rect;
    }
    void EndFlight() override
    {
        work = nullptr;
        ++ends;
    }

    QImage screen;
    const QImage* work = nullptr;
    int begins = 0;
    int ends = 0;
    int shows = 0;
    QRect lastShown;
};

QImage StripedTable(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 5) % 256, (x + y) % 256));
        }
    }
    return image;
}

QImage PlainCard(QSize size, QColor colour)
{
    QImage card(size, QImage::Format_ARGB32_Premultiplied);
    card.fill(colour);
    return card;
}

// Pixels of `a` and `b` that differ outside `allowed`.
int DifferencesOutside(const QImage& a, const QImage& b, const QRect& allowed)
{
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (!allowed.contains(x, y) && a.pixel(x, y) != b.pixel(x, y)) {
                ++count;
            }
        }
    }
    return count;
}

TEST(FlightPauses, CounterRunsOnFromFlightToFlight)
{
    const QImage table = StripedTable(QSize(420, 200));
    ImageSurface surface(table);
    std::vector<int> pauses;
    CardFlight flight(surface, [&](int ms) { pauses.push_back(ms); });
    const QImage card = PlainCard(QSize(20, 30), Qt::white);

    flight.FlyCard(0, 0, 300, 100, card, true, 3);
    EXPECT_EQ(flight.StepCounter(), 300u);
    EXPECT_EQ(pauses.size(), 150u);
    EXPECT_EQ(flight.PauseCount(), 150u);

    pauses.clear();
    flight.FlyCard(0, 0, 300, 100, card, true, 4);
    EXPECT_EQ(pauses.size(), 100u);

    pauses.clear();
    flight.FlyCard(0, 0, 300, 100, card, true, 1);
    EXPECT_EQ(pauses.size(), 300u);
    EXPECT_EQ(pauses.front(), 2);

    pauses.clear();
    flight.FlyCard(0, 0, 100, 150, card, true, 2);
    EXPECT_EQ(pauses.size(), 150u);
    EXPECT_EQ(pauses.front(), 1);

    pauses.clear();
    flight.FlyCard(0, 0, 100, 150, card, true, 5);
    flight.FlyCard(0, 0, 100, 150, card, true, 6);
    EXPECT_TRUE(pauses.empty());
    EXPECT_EQ(flight.StepCounter(), 300u + 300u + 300u + 150u + 150u + 150u);
}

TEST(FlightOverImage, ShowsCleanCopyPlusCardAndRestoresWithErase)
{
    const QImage table = StripedTable(QSize(400, 300));
    ImageSurface surface(table);
    int checks = 0;
    CardFlight* flightPtr = nullptr;
    QRect spriteRect;
    CardFlight flight(surface, [&](int) {
        // Mid-flight the screen is the clean table except around the card,
        // and the card lies complete in the work copy.
        ASSERT_NE(surface.work, nullptr);
        EXPECT_TRUE(flightPtr->Flying());
        const QImage& work = *surface.work;
        int cardPixels = 0;
        for (int y = 0; y < work.height(); ++y) {
            for (int x = 0; x < work.width(); ++x) {
                if (work.pixel(x, y) == qRgb(255, 255, 255)) {
                    ++cardPixels;
                }
            }
        }
        EXPECT_EQ(cardPixels, 20 * 30);
        const QRect card = surface.lastShown;
        EXPECT_EQ(DifferencesOutside(surface.screen, table, card), 0);
        ++checks;
    });
    flightPtr = &flight;
    const QImage card = PlainCard(QSize(20, 30), Qt::white);

    flight.FlyCard(10, 200, 250, 20, card, true, 3);
    EXPECT_GT(checks, 100);
    EXPECT_FALSE(flight.Flying());
    EXPECT_EQ(surface.begins, 1);
    EXPECT_EQ(surface.ends, 1);
    // With erase the card is gone and the table is exactly as before.
    EXPECT_EQ(DifferencesOutside(surface.screen, table, QRect()), 0);
}

TEST(FlightOverImage, WithoutEraseTheCardStaysAtItsTarget)
{
    const QImage table = StripedTable(QSize(300, 200));
    ImageSurface surface(table);
    CardFlight flight(surface, [](int) {});
    flight.FlyCard(0, 0, 120, 60, PlainCard(QSize(20, 30), Qt::white), false, 6);
    const QRect target(120, 60, 20, 30);
    EXPECT_EQ(DifferencesOutside(surface.screen, table, target), 0);
    EXPECT_EQ(surface.screen.pixel(125, 70), qRgb(255, 255, 255));
    EXPECT_EQ(surface.screen.pixel(139, 89), qRgb(255, 255, 255));
}

TEST(FlightOverImage, CardWhoseStartIsItsTargetArrivesAtOnce)
{
    const QImage table = StripedTable(QSize(200, 200));
    ImageSurface surface(table);
    int pauses = 0;
    CardFlight flight(surface, [&](int) { ++pauses; });
    flight.FlyCard(40, 40, 40, 40, PlainCard(QSize(20, 30), Qt::white), true, 1);
    EXPECT_EQ(pauses, 0);
    EXPECT_EQ(flight.StepCounter(), 0u);
    EXPECT_EQ(DifferencesOutside(surface.screen, table, QRect()), 0);
}

TEST(FlightOverImage, CardsLeavingTheWindowAreClipped)
{
    const QImage table = StripedTable(QSize(200, 150));
    ImageSurface surface(table);
    CardFlight flight(surface, [](int) {});
    flight.FlyCard(90, 60, 90, -30, PlainCard(QSize(20, 30), Qt::white), false, 6);
    EXPECT_EQ(DifferencesOutside(surface.screen, table, QRect()), 0);
    EXPECT_TRUE(surface.lastShown.top() >= 0);
}

TEST(FlightOverImage, GroupMovesEveryCardToItsTarget)
{
    const QImage table = StripedTable(QSize(500, 400));
    ImageSurface surface(table);
    int rounds = 0;
    CardFlight flight(surface, [&](int) { ++rounds; });
    std::vector<FlyingCard> cards{
        {PlainCard(QSize(20, 30), Qt::red), QPoint(100, 150), QPoint(100, -30)},
        {PlainCard(QSize(20, 30), Qt::green), QPoint(140, 150), QPoint(110, -30)},
        {PlainCard(QSize(20, 30), Qt::blue), QPoint(120, 200), QPoint(120, -30)},
    };
    flight.FlyGroup(cards, 2);
    // One pause per round; the longest line sets the rounds.
    EXPECT_EQ(rounds, 230);
    EXPECT_EQ(flight.StepCounter(), 230u);
    // Every card left through the top edge: the screen is the table again.
    EXPECT_EQ(DifferencesOutside(surface.screen, table, QRect()), 0);

    // A group that stops on the table leaves the cards drawn in list order.
    std::vector<FlyingCard> staying{
        {PlainCard(QSize(20, 30), Qt::red), QPoint(0, 0), QPoint(50, 50)},
        {PlainCard(QSize(20, 30), Qt::blue), QPoint(200, 0), QPoint(60, 50)},
    };
    flight.FlyGroup(staying, 6);
    EXPECT_EQ(surface.screen.pixel(55, 60), QColor(Qt::red).rgb());
    EXPECT_EQ(surface.screen.pixel(65, 60), QColor(Qt::blue).rgb());  // later card on top
    EXPECT_EQ(DifferencesOutside(surface.screen, table, QRect(50, 50, 30, 30)), 0);
}

}  // namespace
}  // namespace tarvel
