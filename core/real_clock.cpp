#include "real_clock.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace rt {

namespace {

QElapsedTimer& counter()
{
    static QElapsedTimer timer;
    if (!timer.isValid()) timer.start();
    return timer;
}

}  // namespace

RealClock::RealClock() { counter(); }

std::int64_t RealClock::now_ms() { return counter().elapsed(); }

DateTime RealClock::local_time()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

void RealClock::idle(std::int64_t deadline, const std::function<bool()>& done)
{
    // A nested loop that ends on a precise timer at the deadline or on a wake-up. An outer idle
    // whose timer fires while an inner one runs leaves its loop as soon as control returns to it.
    while (!done()) {
        const std::int64_t now = now_ms();
        if (deadline >= 0 && now > deadline) return;
        QEventLoop loop;
        QTimer timer;
        if (deadline >= 0) {
            timer.setTimerType(Qt::PreciseTimer);
            timer.setSingleShot(true);
            QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
            timer.start(static_cast<int>(deadline - now + 1));
        }
        loops_.push_back(&loop);
        loop.exec();
        std::erase(loops_, &loop);
    }
}

void RealClock::wake()
{
    for (QEventLoop* loop : loops_) loop->quit();
}

}  // namespace rt
