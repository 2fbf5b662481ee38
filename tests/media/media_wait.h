// Waits of the media tests: the event loop spins until a condition holds,
// and the test fails after a generous bound.
#pragma once

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>

namespace tarvel {

inline constexpr std::chrono::milliseconds kMediaWaitBound{30000};

// Spins the event loop until the condition holds; false when the bound passes.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = kMediaWaitBound)
{
    const QDeadlineTimer deadline(bound);
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (condition() || deadline.hasExpired())
            loop.quit();
    });
    if (condition())
        return true;
    poll.start();
    loop.exec();
    return condition();
}

}  // namespace tarvel
