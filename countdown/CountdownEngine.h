#pragma once
#include "CountdownView.h"
#include "TickSource.h"

#include <cstdint>

namespace kestrova {

// The countdown's state: one set for the program.
struct CountdownState {
    bool Running = false;
    std::int32_t Remaining = 0;   // whole seconds left in the current cycle
    std::uint32_t TickCount = 0;  // ticks since the last whole second
    std::int32_t TickPeriod = 0;  // milliseconds; 200 once the window exists
    kestrova::TimerId TimerId = 0; // tick of the latest start; kept after a cancel
};

// The countdown: the start/stop toggle, the per-tick step and the change
// rule of the seconds field. It knows no widgets; it works on the window
// through CountdownView and on the tick through TickSource, so it can be
// driven tick by tick.
class CountdownEngine {
public:
    static constexpr std::int32_t DefaultTickPeriod = 200;
    static constexpr unsigned TimerResolution = 1; // ms

    CountdownEngine(CountdownView& view, TickSource& ticks) : view_(view), ticks_(ticks) {}
    CountdownEngine(const CountdownEngine&) = delete;
    CountdownEngine& operator=(const CountdownEngine&) = delete;

    // The countdown lines of window creation.
    void FormCreate();
    // The start/stop toggle (the button and the menu entry "Start/Stop").
    void BitBtn1Click();
    // One tick of the periodic 200 ms tick.
    void CountdownTick();
    // The seconds field's change rule: runs on every change of its text.
    void TimerSet1Change();
    // The window closes: release the tick, whatever the state.
    void FormClose();

    const CountdownState& state() const { return state_; }

private:
    void setPhaseColor(Color color);
    void releaseTick();

    CountdownView& view_;
    TickSource& ticks_;
    CountdownState state_;
};

} // namespace kestrova
