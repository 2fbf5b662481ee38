#include "table/flight.h"

#include "table/layout.h"

#include <QEventLoop>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

namespace tarvel {

int FlightSteps(QPoint start, QPoint target)
{
    return std::max(std::abs(target.x() - start.x()), std::abs(target.y() - start.y()));
}

QPoint FlightPoint(QPoint start, QPoint target, int step)
{
    const int dx = target.x() - start.x();
    const int dy = target.y() - start.y();
    const int steps = std::max(std::abs(dx), std::abs(dy));
    if (steps == 0) {
        return start;
    }
    step = std::clamp(step, 0, steps);
    if (std::abs(dx) >= std::abs(dy)) {
        const int x = start.x() + (dx > 0 ? step : -step);
        const int y = RoundHalfEven(static_cast<double>(dy) * (x - start.x()) / dx + start.y());
        return QPoint(x, y);
    }
    const int y = start.y() + (dy > 0 ? step : -step);
    const int x = RoundHalfEven(static_cast<double>(dx) * (y - start.y()) / dy + start.x());
    return QPoint(x, y);
}

int PauseAfterStep(int speed, std::uint64_t stepNumber)
{
    switch (std::clamp(speed, 1, 6)) {
    case 1:
        return 2;
    case 2:
        return 1;
    case 3:
        return stepNumber % 2 == 0 ? 1 : 0;
    case 4:
        return stepNumber % 3 == 0 ? 1 : 0;
    default:
        return 0;
    }
}

int SpeedIconInterval(int speed)
{
    static constexpr int kIntervals[] = {110, 95, 80, 65, 40, 25};
    return kIntervals[std::clamp(speed, 1, 6) - 1];
}

TSprite::TSprite(int x_, int y_, int z_, int t_, const QImage& card)
    : FWidth(z_ - x_), FHeight(t_ - y_), FLeft(x_), FTop(y_)
{
    if (card.size() == QSize(FWidth, FHeight)) {
        FImage = card;
    } else {
        FImage = card.scaled(FWidth, FHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
}

void TSprite::MoveTo(QPoint position)
{
    FLeft = position.x();
    FTop = position.y();
}

void TSprite::DrawInto(QImage& target) const
{
    QPainter painter(&target);
    painter.drawImage(FLeft, FTop, FImage);
}

CardFlight::CardFlight(FlightSurface& surface, Pauser pause)
    : surface_(surface), pause_(pause ? std::move(pause) : Pauser(&CardFlight::WaitWithEventLoop))
{
}

void CardFlight::WaitWithEventLoop(int milliseconds)
{
    // A local loop keeps the window painting (from the work copy) while the
    // card waits; the window's busy state keeps clicks and the turn timer out.
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}

void CardFlight::Begin()
{
    clean_ = surface_.GrabClient().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    work_ = clean_.copy();
    flying_ = true;
    surface_.BeginFlight(work_);
}

void CardFlight::End()
{
    surface_.EndFlight();
    flying_ = false;
    work_ = QImage();
    clean_ = QImage();
}

void CardFlight::StepDone(int speed)
{
    ++stepCounter_;
    const int pause = PauseAfterStep(speed, stepCounter_);
    if (pause > 0) {
        ++pauseCount_;
        pausedMs_ += static_cast<std::uint64_t>(pause);
        pause_(pause);
    }
}

void CardFlight::Restore(const QRect& rect)
{
    const QRect area = rect.intersected(work_.rect());
    if (area.isEmpty()) {
        return;
    }
    QPainter painter(&work_);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.topLeft(), clean_, area);
}

void CardFlight::Show(const QRect& rect)
{
    const QRect area = rect.intersected(work_.rect());
    if (!area.isEmpty()) {
        surface_.ShowRect(area);
    }
}

void CardFlight::FlyCard(int startX, int startY, int targetX, int targetY, const QImage& card,
                         bool erase, int speed)
{
    if (flying_ || card.isNull()) {
        return;  // one flight at a time: the work copy is in use
    }
    Begin();
    const QPoint start(startX, startY);
    const QPoint target(targetX, targetY);
    TSprite sprite(startX, startY, startX + card.width(), startY + card.height(), card);

    sprite.DrawInto(work_);
    Show(sprite.Rect().adjusted(-2, -2, 2, 2));

    const int steps = FlightSteps(start, target);
    for (int step = 1; step <= steps; ++step) {
        // A step moves at most one pixel on each axis, so the old rectangle
        // widened by 2 pixels covers the old and the new place.
        const QRect old = sprite.Rect();
        Restore(old);
        sprite.MoveTo(FlightPoint(start, target, step));
        sprite.DrawInto(work_);
        Show(old.adjusted(-2, -2, 2, 2));
        StepDone(speed);
    }

    if (erase) {
        Restore(sprite.Rect());
        Show(sprite.Rect().adjusted(-2, -2, 2, 2));
    }
    End();
}

void CardFlight::FlyGroup(const std::vector<FlyingCard>& cards, int speed)
{
    if (flying_ || cards.empty()) {
        return;
    }
    Begin();
    std::vector<TSprite> sprites;
    sprites.reserve(cards.size());
    int rounds = 0;
    QRect area;
    for (const FlyingCard& card : cards) {
        sprites.emplace_back(card.Start.x(), card.Start.y(), card.Start.x() + card.Picture.width(),
                             card.Start.y() + card.Picture.height(), card.Picture);
        sprites.back().DrawInto(work_);
        area |= sprites.back().Rect();
        rounds = std::max(rounds, FlightSteps(card.Start, card.Target));
    }
    Show(area.adjusted(-10, -10, 10, 10));

    for (int round = 1; round <= rounds; ++round) {
        // Restore every old place first, then draw all cards in list order, so
        // a card never wipes out the one it overlaps.
        area = QRect();
        for (const TSprite& sprite : sprites) {
            Restore(sprite.Rect());
            area |= sprite.Rect();
        }
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const int steps = FlightSteps(cards[i].Start, cards[i].Target);
            sprites[i].MoveTo(FlightPoint(cards[i].Start, cards[i].Target, std::min(round, steps)));
            sprites[i].DrawInto(work_);
            area |= sprites[i].Rect();
        }
        Show(area.adjusted(-10, -10, 10, 10));
        StepDone(speed);
    }
    End();
}

}  // namespace tarvel
