// A clock for tests: time stands still until the idling code asks for more, then jumps to the next
// scheduled user action or to the deadline. User actions are scheduled at virtual times and run
// inside whatever wait is in progress at that moment, exactly as real clicks would.
#pragma once

#include <map>

#include "clock.h"

namespace rt {

class VirtualClock final : public Clock {
public:
    std::int64_t now_ms() override { return now_; }
    DateTime local_time() override { return wall_; }
    void idle(std::int64_t deadline, const std::function<bool()>& done) override;
    void wake() override {}

    void set_local_time(const DateTime& time) { wall_ = time; }
    // Runs `action` once the counter reaches `time`; actions at the same time run in the order
    // they were scheduled.
    void at(std::int64_t time, std::function<void()> action);
    // Runs `action` `delay` milliseconds from now.
    void after(std::int64_t delay, std::function<void()> action) { at(now_ + delay, std::move(action)); }
    // Handles events and scheduled actions up to and including `time`, unless `done` holds first.
    void run_until(std::int64_t time, const std::function<bool()>& done = [] { return false; });

private:
    static void drain();

    std::int64_t now_ = 0;
    DateTime wall_ = {2020, 2, 11, 9, 5, 0};
    std::multimap<std::int64_t, std::function<void()>> actions_;
};

}  // namespace rt
