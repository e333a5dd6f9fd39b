// The real tick source in a Qt event loop. These tests check what must hold
// on any machine, however slow: ticks never come before their grid point,
// and nothing comes after a cancel.
#include "SystemTickSource.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

namespace kestrova {
namespace {

using Clock = std::chrono::steady_clock;

// Runs the event loop until `done` holds or `limitMs` has passed.
template <typename Done>
void spinUntil(Done done, int limitMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

void spinFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

TEST(SystemTickSource, TicksComeOnTheGridAndNeverEarly)
{
    SystemTickSource source;
    std::vector<Clock::time_point> arrivals;
    const auto start = Clock::now();
    const TimerId id = source.startPeriodic(20, [&] { arrivals.push_back(Clock::now()); });
    ASSERT_NE(id, 0u);
    spinUntil([&] { return arrivals.size() >= 10; });
    source.cancel(id);
    ASSERT_GE(arrivals.size(), 10u);
    for (std::size_t k = 0; k < arrivals.size(); ++k)
        EXPECT_GE(arrivals[k] - start, std::chrono::milliseconds(20) * static_cast<int>(k + 1))
            << "tick " << k + 1 << " came early";
}

TEST(SystemTickSource, NothingRunsAfterACancelNotEvenATickThatWasDue)
{
    SystemTickSource source;
    int calls = 0;
    const TimerId id = source.startPeriodic(5, [&] { ++calls; });
    // Block the loop past several deadlines, so a wake-up is pending.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    source.cancel(id);
    spinFor(60);
    EXPECT_EQ(calls, 0);
}

TEST(SystemTickSource, StartStopStartOnlyTheLatestTickRuns)
{
    SystemTickSource source;
    int first = 0, second = 0;
    const TimerId a = source.startPeriodic(5, [&] { ++first; });
    spinUntil([&] { return first >= 1; });
    source.cancel(a);
    const int firstAtCancel = first;
    const TimerId b = source.startPeriodic(5, [&] { ++second; });
    EXPECT_NE(a, b);
    spinUntil([&] { return second >= 3; });
    source.cancel(b);
    EXPECT_EQ(first, firstAtCancel);
    EXPECT_GE(second, 3);
    // Cancelling again, or an identifier never issued, has no effect.
    source.cancel(a);
    source.cancel(0);
}

TEST(SystemTickSource, AProcedureThatThrowsIsReportedAndTheTickGoesOn)
{
    std::vector<std::string> errors;
    SystemTickSource source([&](std::exception_ptr e) {
        try {
            std::rethrow_exception(e);
        } catch (const std::exception& x) {
            errors.emplace_back(x.what());
        }
    });
    int calls = 0;
    const TimerId id = source.startPeriodic(5, [&] {
        if (++calls == 1)
            throw std::runtime_error("first tick failed");
    });
    spinUntil([&] { return calls >= 3; });
    source.cancel(id);
    EXPECT_GE(calls, 3);
    EXPECT_EQ(errors, std::vector<std::string>{"first tick failed"});
}

TEST(SystemTickSource, AProcedureMayCancelItsOwnTick)
{
    SystemTickSource source;
    int calls = 0;
    TimerId id = 0;
    id = source.startPeriodic(5, [&] {
        ++calls;
        source.cancel(id);
    });
    spinFor(60);
    EXPECT_EQ(calls, 1);
}

} // namespace
} // namespace kestrova

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
