#include "CountdownEngine.h"

#include "FieldValue.h"

#include <string>

namespace kestrova {

void CountdownEngine::FormCreate()
{
    state_.Running = false;
    state_.Remaining = 0;
    view_.setLabelCaption(view_.fieldText());
    state_.TickPeriod = DefaultTickPeriod;
}

void CountdownEngine::setPhaseColor(Color color)
{
    // Always the label first, then the bar.
    view_.setLabelColor(color);
    view_.setBarColor(color);
}

void CountdownEngine::releaseTick()
{
    ticks_.cancel(state_.TimerId);
    ticks_.releaseResolution(TimerResolution);
}

void CountdownEngine::BitBtn1Click()
{
    state_.Remaining = FieldValue(view_.fieldText());
    view_.setBarMaxValue(FieldValue(view_.fieldText()));
    view_.setBarProgress(state_.Remaining);

    if (state_.Running || state_.Remaining <= 0) {
        setPhaseColor(clLime);
        view_.setLabelCaption(view_.fieldText());
        view_.setFieldEnabled(true);
        state_.Running = false;
        releaseTick();
        view_.setPresetsEnabled(true);
    } else {
        view_.setFieldEnabled(false);
        state_.Running = true;
        state_.TickCount = 0;
        ticks_.requestResolution(TimerResolution);
        state_.TimerId = ticks_.startPeriodic(state_.TickPeriod, [this] { CountdownTick(); });
        view_.setPresetsEnabled(false);
    }
}

void CountdownEngine::CountdownTick()
{
    ++state_.TickCount;
    if (static_cast<double>(state_.TickCount) == 1000.0 / state_.TickPeriod) {
        --state_.Remaining;
        view_.setBarProgress(state_.Remaining);
        state_.TickCount = 0;
    }

    if (state_.Remaining >= 6 && state_.Remaining <= 10)
        setPhaseColor(clYellow);
    else if (state_.Remaining <= 5)
        setPhaseColor(clRed);

    if (state_.Remaining == 0) {
        state_.Remaining = FieldValue(view_.fieldText());
        setPhaseColor(clLime);
        view_.setBarProgress(state_.Remaining);
    }

    view_.setLabelCaption(std::to_string(state_.Remaining));
}

void CountdownEngine::TimerSet1Change()
{
    if (view_.fieldText().empty())
        view_.setFieldText("30");
    view_.setBarMaxValue(FieldValue(view_.fieldText()));
    view_.setBarProgress(view_.barMaxValue());
    view_.setLabelCaption(view_.fieldText());
}

void CountdownEngine::FormClose()
{
    releaseTick();
}

} // namespace kestrova
