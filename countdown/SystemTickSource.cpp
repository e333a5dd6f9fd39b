#include "SystemTickSource.h"

#include <QSocketNotifier>

#include <chrono>
#include <cstdint>
#include <system_error>

#include <sys/timerfd.h>
#include <unistd.h>

namespace kestrova {

namespace {
std::chrono::nanoseconds monotonicNow()
{
    // steady_clock is CLOCK_MONOTONIC on Linux, the clock the timerfds use.
    return std::chrono::steady_clock::now().time_since_epoch();
}
} // namespace

struct SystemTickSource::Wakeup {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    ~Wakeup()
    {
        // A tick may be cancelled from inside its own notification, so the
        // notifier is disabled now and deleted once control is back in the
        // event loop.
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
        if (fd >= 0)
            ::close(fd);
    }
};

SystemTickSource::SystemTickSource(ErrorHandler onError, QObject* parent)
    : QObject(parent), onError_(std::move(onError))
{
}

SystemTickSource::~SystemTickSource() = default;

TimerId SystemTickSource::startPeriodic(std::int32_t periodMs, std::function<void()> procedure)
{
    if (periodMs <= 0)
        return 0;
    auto wakeup = std::make_unique<Wakeup>();
    wakeup->fd = ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (wakeup->fd < 0)
        return 0; // like a failed start: no tick comes, nothing is reported
    const TimerId id = schedule_.start(monotonicNow(), std::chrono::milliseconds(periodMs),
                                       std::move(procedure));
    wakeup->notifier = new QSocketNotifier(wakeup->fd, QSocketNotifier::Read, this);
    QObject::connect(wakeup->notifier, &QSocketNotifier::activated, this,
                     [this, id] { onWake(id); });
    wakeups_.emplace(id, std::move(wakeup));
    arm(id);
    return id;
}

void SystemTickSource::cancel(TimerId id)
{
    schedule_.cancel(id);
    wakeups_.erase(id);
}

void SystemTickSource::arm(TimerId id)
{
    const auto deadline = schedule_.nextDeadline(id);
    const auto it = wakeups_.find(id);
    if (!deadline || it == wakeups_.end())
        return;
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(*deadline);
    itimerspec alarm{};
    alarm.it_value.tv_sec = static_cast<time_t>(secs.count());
    alarm.it_value.tv_nsec = static_cast<long>((*deadline - secs).count());
    ::timerfd_settime(it->second->fd, TFD_TIMER_ABSTIME, &alarm, nullptr);
}

void SystemTickSource::onWake(TimerId id)
{
    const auto it = wakeups_.find(id);
    if (it == wakeups_.end())
        return;
    std::uint64_t expirations = 0;
    // Drain the fd; how many expirations it counted does not matter, the
    // grid tells what was missed.
    [[maybe_unused]] const auto n = ::read(it->second->fd, &expirations, sizeof expirations);
    try {
        schedule_.wake(id, monotonicNow());
    } catch (...) {
        // Nothing may escape into the event loop.
        if (onError_)
            onError_(std::current_exception());
    }
    arm(id);
}

} // namespace kestrova
