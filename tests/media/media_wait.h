// Waits of the media tests: the event loop spins until a condition holds,
// and the test fails after a generous bound.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>

#include <chrono>
#include <functional>

namespace tarvel {

inline constexpr std::chrono::milliseconds kMediaWaitBound{30000};

// Spins the event loop until the condition holds; false when the bound passes.
// Events are processed here rather than in a nested loop, which would return
// at once for good once anything has asked the application to quit.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds bound = kMediaWaitBound)
{
    const QDeadlineTimer deadline(bound);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return true;
}

}  // namespace tarvel
