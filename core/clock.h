// Where the waits get their time from. The program runs on the real clock; tests install a virtual
// one that jumps forward, so that a sequence of thirty seconds runs in milliseconds.
#pragma once

#include <cstdint>
#include <functional>

#include "toolkit.h"

namespace rt {

class Clock {
public:
    virtual ~Clock() = default;
    // A millisecond counter.
    virtual std::int64_t now_ms() = 0;
    // The local wall clock, whole seconds.
    virtual DateTime local_time() = 0;
    // Handles window events until `done` holds or, when `deadline` is not negative, the counter
    // has passed it. Blocks on the event loop in between: it never spins.
    virtual void idle(std::int64_t deadline, const std::function<bool()>& done) = 0;
    // Something that a `done` condition depends on has changed.
    virtual void wake() = 0;
};

}  // namespace rt
