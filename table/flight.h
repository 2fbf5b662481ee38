// Card flight: a card moves one pixel per step along a straight line over an
// off-screen copy of the window, with a pause per step chosen by the speed.
//
// Two client-sized images exist while a card flies: the clean copy (the window
// as it was when the flight started) and the work copy (clean copy plus the
// card). Each step restores only the card's old rectangle from the clean copy,
// draws the card at its new place and shows the rectangle around both places;
// the window paints from the work copy meanwhile, so it never shows a
// half-drawn table.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <functional>
#include <vector>

namespace tarvel {

// Steps of a flight from `start` to `target`: one per pixel of the longer axis.
int FlightSteps(QPoint start, QPoint target);

// Position after `step` steps (0 = start, FlightSteps = target). The longer
// axis moves by one pixel per step; the other follows the line, rounded half
// to even.
QPoint FlightPoint(QPoint start, QPoint target, int step);

// Pause in milliseconds after the step with the 1-based global number
// `stepNumber` at `speed` 1..6: 2 ms after every step at 1, 1 ms after every
// step at 2, after every second step at 3, after every third at 4, none at 5
// and 6. A speed outside 1..6 counts as the nearest valid one.
int PauseAfterStep(int speed, std::uint64_t stepNumber);

// Animation interval of the speed window's icon in the purple design.
int SpeedIconInterval(int speed);

// What a flight draws on: the window implements it; tests use a plain image.
class FlightSurface {
public:
    virtual ~FlightSurface() = default;
    // The client area as it is shown now; becomes the clean copy.
    virtual QImage GrabClient() = 0;
    // From now until EndFlight the window paints from `work` and is busy: the
    // turn timer and clicks do nothing.
    virtual void BeginFlight(const QImage& work) = 0;
    // Bring this rectangle of the work copy to the screen now.
    virtual void ShowRect(const QRect& rect) = 0;
    // The flight is over; the work copy is about to be freed.
    virtual void EndFlight() = 0;
};

// The moving card: its size, its current position and its picture (the card
// at card size, transparent outside its outline).
class TSprite {
public:
    TSprite(int x_, int y_, int z_, int t_, const QImage& card);

    QRect Rect() const { return QRect(FLeft, FTop, FWidth, FHeight); }
    void MoveTo(QPoint position);
    // Draws the card at its current position.
    void DrawInto(QImage& target) const;

    std::int32_t FWidth = 0;
    std::int32_t FHeight = 0;
    std::int32_t FLeft = 0;
    std::int32_t FTop = 0;
    QImage FImage;
};

// One card of a group flight.
struct FlyingCard {
    QImage Picture;
    QPoint Start;
    QPoint Target;
};

class CardFlight {
public:
    using Pauser = std::function<void(int milliseconds)>;

    // `pause` waits without blocking painting; the default runs a local event
    // loop with a precise timer for the pause.
    explicit CardFlight(FlightSurface& surface, Pauser pause = {});

    // Moves one card. With `erase` the card is removed from the screen on
    // arrival (the caller draws it at its place).
    void FlyCard(int startX, int startY, int targetX, int targetY, const QImage& card, bool erase,
                 int speed);
    // Moves several cards at once, each one step per round along its own line.
    void FlyGroup(const std::vector<FlyingCard>& cards, int speed);

    bool Flying() const { return flying_; }
    // Steps taken by every flight so far; the speeds that pause on every
    // second or third step count on from flight to flight.
    std::uint64_t StepCounter() const { return stepCounter_; }
    // Pauses made so far, and their total milliseconds.
    std::uint64_t PauseCount() const { return pauseCount_; }
    std::uint64_t PausedMilliseconds() const { return pausedMs_; }

    static void WaitWithEventLoop(int milliseconds);

private:
    void Begin();
    void End();
    void StepDone(int speed);
    void Restore(const QRect& rect);
    void Show(const QRect& rect);

    FlightSurface& surface_;
    Pauser pause_;
    QImage clean_;
    QImage work_;
    bool flying_ = false;
    std::uint64_t stepCounter_ = 0;
    std::uint64_t pauseCount_ = 0;
    std::uint64_t pausedMs_ = 0;
};

}  // namespace tarvel
