#pragma once
#include <cstdint>
#include <functional>

namespace kestrova {

// Identifier of a periodic tick; 0 is never issued.
using TimerId = std::uint32_t;

// The periodic tick that drives the countdown. All four calls are made on
// the window thread, and the procedure is called there too.
class TickSource {
public:
    virtual ~TickSource() = default;

    // Asks for a fine system timer resolution while a run lasts. Requests are
    // not counted; where the platform has no such notion this does nothing.
    virtual void requestResolution(unsigned milliseconds) = 0;
    // Calls `procedure` every `periodMs` milliseconds, the first call one
    // period from now, until cancelled. Returns the tick's identifier.
    virtual TimerId startPeriodic(std::int32_t periodMs, std::function<void()> procedure) = 0;
    // Stops the tick. Once this returns, the procedure is not called again
    // for it, not even for a tick that was already due. An identifier that
    // is not active (0, or one already cancelled) is ignored.
    virtual void cancel(TimerId id) = 0;
    // Gives the resolution back; without a matching request it does nothing.
    virtual void releaseResolution(unsigned milliseconds) = 0;
};

} // namespace kestrova
