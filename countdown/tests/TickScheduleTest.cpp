#include "TickSchedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace kestrova {
namespace {

using namespace std::chrono_literals;
using ms = std::chrono::milliseconds;

TEST(TickGrid, TicksLieOnTheGridFromTheStart)
{
    TickGrid grid(1000ms, 200ms);
    EXPECT_EQ(grid.nextDeadline(), 1200ms);
    EXPECT_FALSE(grid.wake(1199ms)); // early: nothing
    EXPECT_EQ(grid.nextDeadline(), 1200ms);
    EXPECT_TRUE(grid.wake(1200ms));
    EXPECT_EQ(grid.nextDeadline(), 1400ms);
    EXPECT_TRUE(grid.wake(1400ms));
    EXPECT_EQ(grid.nextDeadline(), 1600ms);
    EXPECT_EQ(grid.delivered(), 2u);
    EXPECT_EQ(grid.dropped(), 0u);
}

TEST(TickGrid, ALateTickDoesNotDelayTheNextOnes)
{
    TickGrid grid(0ms, 200ms);
    EXPECT_TRUE(grid.wake(200ms + 150ms));
    EXPECT_EQ(grid.nextDeadline(), 400ms);
    EXPECT_TRUE(grid.wake(400ms + 1ms));
    EXPECT_EQ(grid.nextDeadline(), 600ms);
    EXPECT_EQ(grid.dropped(), 0u);
}

TEST(TickGrid, LostTicksAreNotMadeUp)
{
    TickGrid grid(1000ms, 200ms);
    // Nobody woke at 1200, 1400 or 1600: one tick for the wake at 1650.
    EXPECT_TRUE(grid.wake(1650ms));
    EXPECT_EQ(grid.delivered(), 1u);
    EXPECT_EQ(grid.dropped(), 2u);
    EXPECT_EQ(grid.nextDeadline(), 1800ms);
    EXPECT_FALSE(grid.wake(1700ms));
    EXPECT_TRUE(grid.wake(1800ms));
    EXPECT_EQ(grid.delivered(), 2u);
}

TEST(TickGrid, StaysOnTheGridOverAnHourOfWakeUpsWithJitter)
{
    TickGrid grid(5ms, 200ms);
    // Every wake-up a little late, by a varying amount under one period.
    for (std::int64_t k = 1; k <= 18000; ++k)
        ASSERT_TRUE(grid.wake(5ms + k * 200ms + std::chrono::microseconds((k * 7919) % 150000)));
    EXPECT_EQ(grid.nextDeadline(), 5ms + 18001 * 200ms);
    EXPECT_EQ(grid.delivered(), 18000u);
    EXPECT_EQ(grid.dropped(), 0u);
}

TEST(TickSchedule, RunsTheProcedureOfADueTickOnly)
{
    TickSchedule schedule;
    int calls = 0;
    const TimerId id = schedule.start(0ms, 200ms, [&] { ++calls; });
    EXPECT_NE(id, 0u);
    schedule.wake(id, 100ms);
    EXPECT_EQ(calls, 0);
    schedule.wake(id, 200ms);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(schedule.nextDeadline(id), std::optional(TickGrid::Duration(400ms)));
}

TEST(TickSchedule, NoCallAfterACancelEvenForATickThatWasDue)
{
    TickSchedule schedule;
    int calls = 0;
    const TimerId id = schedule.start(0ms, 200ms, [&] { ++calls; });
    // The tick is due (its wake-up is already queued) when the cancel comes.
    EXPECT_TRUE(schedule.cancel(id));
    schedule.wake(id, 250ms);
    EXPECT_EQ(calls, 0);
    EXPECT_FALSE(schedule.active(id));
    EXPECT_FALSE(schedule.nextDeadline(id).has_value());
}

TEST(TickSchedule, CancellingAnInactiveIdentifierDoesNothing)
{
    TickSchedule schedule;
    int calls = 0;
    const TimerId id = schedule.start(0ms, 200ms, [&] { ++calls; });
    EXPECT_FALSE(schedule.cancel(0));
    EXPECT_FALSE(schedule.cancel(id + 1));
    schedule.wake(id, 200ms);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(schedule.cancel(id));
    EXPECT_FALSE(schedule.cancel(id));
}

TEST(TickSchedule, AProcedureMayCancelItsOwnTick)
{
    TickSchedule schedule;
    int calls = 0;
    TimerId id = 0;
    id = schedule.start(0ms, 200ms, [&] {
        ++calls;
        schedule.cancel(id);
    });
    schedule.wake(id, 200ms);
    schedule.wake(id, 400ms);
    EXPECT_EQ(calls, 1);
}

TEST(TickSchedule, IdentifiersAreNeverZeroOrReused)
{
    TickSchedule schedule;
    std::vector<TimerId> ids;
    for (int i = 0; i < 5; ++i) {
        ids.push_back(schedule.start(0ms, 200ms, [] {}));
        schedule.cancel(ids.back());
    }
    for (std::size_t i = 0; i < ids.size(); ++i) {
        EXPECT_NE(ids[i], 0u);
        for (std::size_t j = i + 1; j < ids.size(); ++j)
            EXPECT_NE(ids[i], ids[j]);
    }
}

} // namespace
} // namespace kestrova
