#pragma once
#include "TickSource.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

namespace kestrova {

// The timing rule of the periodic tick, free of any clock or event loop:
// ticks lie on a fixed grid measured from the start (start + k × period,
// k ≥ 1). A wake-up a little late still delivers its tick and the next one
// stays on the grid; grid points that passed entirely while nobody woke are
// dropped, not made up.
class TickGrid {
public:
    using Duration = std::chrono::nanoseconds;

    TickGrid(Duration start, Duration period) : start_(start), period_(period) {}

    Duration nextDeadline() const { return start_ + period_ * static_cast<std::int64_t>(next_); }
    // The time is `now`: returns true when a tick is due, and moves the
    // deadline to the first grid point after `now`.
    bool wake(Duration now);

    std::uint64_t delivered() const { return delivered_; }
    std::uint64_t dropped() const { return dropped_; }

private:
    Duration start_;
    Duration period_;
    std::uint64_t next_ = 1;
    std::uint64_t delivered_ = 0;
    std::uint64_t dropped_ = 0;
};

// The bookkeeping of the active ticks, each with its grid and procedure.
// A platform layer wakes it at each tick's deadline.
class TickSchedule {
public:
    using Duration = TickGrid::Duration;

    TimerId start(Duration now, Duration period, std::function<void()> procedure);
    // Returns false when the identifier was not active.
    bool cancel(TimerId id);
    bool active(TimerId id) const { return ticks_.count(id) != 0; }
    // The deadline to wake tick `id` at, if it is active.
    std::optional<Duration> nextDeadline(TimerId id) const;
    // Tick `id` is woken at `now`: runs its procedure when a tick is due and
    // the tick is still active. The procedure may cancel any tick.
    void wake(TimerId id, Duration now);

    const TickGrid* grid(TimerId id) const;

private:
    struct Entry {
        TickGrid grid;
        std::function<void()> procedure;
    };
    std::map<TimerId, Entry> ticks_;
    TimerId lastId_ = 0;
};

} // namespace kestrova
