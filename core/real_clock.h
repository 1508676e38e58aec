// The clock of the running program: a monotonic counter, the local wall clock, and idling by
// blocking in a nested event loop until an event or a timer wakes it.
#pragma once

#include <vector>

#include "clock.h"

class QEventLoop;

namespace rt {

class RealClock final : public Clock {
public:
    RealClock();
    std::int64_t now_ms() override;
    DateTime local_time() override;
    void idle(std::int64_t deadline, const std::function<bool()>& done) override;
    void wake() override;

private:
    std::vector<QEventLoop*> loops_;  // every idle in progress, innermost last
};

}  // namespace rt
