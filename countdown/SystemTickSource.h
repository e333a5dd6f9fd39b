#pragma once
#include "TickSchedule.h"
#include "TickSource.h"

#include <QObject>

#include <exception>
#include <functional>

#include <map>
#include <memory>

class QSocketNotifier;

namespace kestrova {

// The periodic tick on Linux: one timerfd per active tick, armed at the
// absolute monotonic time of the tick's next grid point and watched by the
// window thread's event loop, so the procedure runs on the window thread
// and never interleaves with the window's handlers. Nothing is armed while
// no tick is active.
class SystemTickSource final : public QObject, public TickSource {
public:
    // Whatever a tick's procedure throws goes to `onError`, on the window
    // thread; the tick goes on.
    using ErrorHandler = std::function<void(std::exception_ptr)>;
    explicit SystemTickSource(ErrorHandler onError = {}, QObject* parent = nullptr);
    ~SystemTickSource() override;

    // Linux timers are fine-grained already; there is nothing to request.
    void requestResolution(unsigned) override {}
    TimerId startPeriodic(std::int32_t periodMs, std::function<void()> procedure) override;
    void cancel(TimerId id) override;
    void releaseResolution(unsigned) override {}

    // Exposed for measurement: the grid of an active tick.
    const TickGrid* grid(TimerId id) const { return schedule_.grid(id); }

private:
    struct Wakeup;
    void onWake(TimerId id);
    void arm(TimerId id);

    ErrorHandler onError_;
    TickSchedule schedule_;
    std::map<TimerId, std::unique_ptr<Wakeup>> wakeups_;
};

} // namespace kestrova
