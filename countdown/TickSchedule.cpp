#include "TickSchedule.h"

namespace kestrova {

bool TickGrid::wake(Duration now)
{
    if (now < nextDeadline())
        return false;
    // The latest grid point at or before `now`; those between it and the
    // deadline were missed.
    const auto reached = static_cast<std::uint64_t>((now - start_) / period_);
    dropped_ += reached - next_;
    next_ = reached + 1;
    ++delivered_;
    return true;
}

TimerId TickSchedule::start(Duration now, Duration period, std::function<void()> procedure)
{
    do {
        ++lastId_;
    } while (lastId_ == 0 || ticks_.count(lastId_) != 0);
    ticks_.emplace(lastId_, Entry{TickGrid(now, period), std::move(procedure)});
    return lastId_;
}

bool TickSchedule::cancel(TimerId id)
{
    return ticks_.erase(id) != 0;
}

std::optional<TickSchedule::Duration> TickSchedule::nextDeadline(TimerId id) const
{
    const auto it = ticks_.find(id);
    if (it == ticks_.end())
        return std::nullopt;
    return it->second.grid.nextDeadline();
}

const TickGrid* TickSchedule::grid(TimerId id) const
{
    const auto it = ticks_.find(id);
    return it == ticks_.end() ? nullptr : &it->second.grid;
}

void TickSchedule::wake(TimerId id, Duration now)
{
    const auto it = ticks_.find(id);
    if (it == ticks_.end() || !it->second.grid.wake(now))
        return;
    // A copy, so that a procedure that cancels its own tick does not destroy
    // the function it is running in.
    const auto procedure = it->second.procedure;
    procedure();
}

} // namespace kestrova
