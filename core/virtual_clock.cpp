#include "virtual_clock.h"

#include <QCoreApplication>
#include <QtGlobal>

namespace rt {

void VirtualClock::drain()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void VirtualClock::at(std::int64_t time, std::function<void()> action)
{
    actions_.emplace(time, std::move(action));
}

void VirtualClock::idle(std::int64_t deadline, const std::function<bool()>& done)
{
    for (;;) {
        drain();
        if (done()) return;
        if (deadline >= 0 && now_ > deadline) return;
        const auto next = actions_.begin();
        if (next == actions_.end() || (deadline >= 0 && next->first > deadline)) {
            if (deadline < 0) qFatal("virtual clock: waiting for ever with nothing scheduled");
            now_ = deadline + 1;
            continue;
        }
        now_ = std::max(now_, next->first);
        auto action = std::move(next->second);
        actions_.erase(next);
        action();
    }
}

void VirtualClock::run_until(std::int64_t time, const std::function<bool()>& done)
{
    idle(time, done);
}

}  // namespace rt
