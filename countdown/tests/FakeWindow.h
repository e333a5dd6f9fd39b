#pragma once
// A stand-in for the timer window and the tick source, so that the engine
// can be driven tick by tick and everything it does can be read back.
#include "CountdownEngine.h"
#include "GaugeModel.h"
#include "TickSource.h"

#include <functional>
#include <string>
#include <vector>

namespace kestrova::testing {

class FakeWindow : public CountdownView {
public:
    std::string field = "30";
    bool fieldEnabled = true;
    std::string label = "00";
    Color labelColor = clLime;
    GaugeModel bar;
    Color barColor = clLime;
    bool presetsEnabled = true;
    int changeNotifications = 0;
    // Every write, in order, as "what=value".
    std::vector<std::string> log;
    // Runs on every change of the field's text, as the window's wiring does.
    std::function<void()> onFieldChange;

    std::string fieldText() const override { return field; }
    void setFieldText(std::string_view text) override
    {
        if (field == text)
            return;
        field = text;
        log.push_back("field=" + field);
        ++changeNotifications;
        if (onFieldChange)
            onFieldChange();
    }
    void setFieldEnabled(bool enabled) override
    {
        fieldEnabled = enabled;
        log.push_back(std::string("fieldEnabled=") + (enabled ? "1" : "0"));
    }
    void setLabelCaption(std::string_view caption) override
    {
        label = caption;
        log.push_back("label=" + label);
    }
    void setLabelColor(Color color) override
    {
        labelColor = color;
        log.push_back("labelColor=" + std::to_string(color));
    }
    void setBarMaxValue(std::int32_t value) override
    {
        bar.setMaxValue(value);
        log.push_back("barMax=" + std::to_string(value));
    }
    std::int32_t barMaxValue() const override { return bar.maxValue(); }
    void setBarProgress(std::int32_t value) override
    {
        bar.setProgress(value);
        log.push_back("barProgress=" + std::to_string(value));
    }
    void setBarColor(Color color) override
    {
        barColor = color;
        log.push_back("barColor=" + std::to_string(color));
    }
    void setPresetsEnabled(bool enabled) override
    {
        presetsEnabled = enabled;
        log.push_back(std::string("presets=") + (enabled ? "1" : "0"));
    }
};

// Records every call; the test fires the procedure by hand.
class FakeTicks : public TickSource {
public:
    struct Tick {
        TimerId id;
        std::int32_t period;
        std::function<void()> procedure;
        bool active;
    };
    std::vector<Tick> ticks;
    std::vector<std::string> calls;

    void requestResolution(unsigned ms) override { calls.push_back("begin " + std::to_string(ms)); }
    TimerId startPeriodic(std::int32_t periodMs, std::function<void()> procedure) override
    {
        const TimerId id = static_cast<TimerId>(ticks.size() + 1) * 10;
        ticks.push_back({id, periodMs, std::move(procedure), true});
        calls.push_back("start " + std::to_string(periodMs) + " -> " + std::to_string(id));
        return id;
    }
    void cancel(TimerId id) override
    {
        for (auto& t : ticks)
            if (t.id == id)
                t.active = false;
        calls.push_back("cancel " + std::to_string(id));
    }
    void releaseResolution(unsigned ms) override { calls.push_back("end " + std::to_string(ms)); }

    int activeCount() const
    {
        int n = 0;
        for (const auto& t : ticks)
            n += t.active ? 1 : 0;
        return n;
    }
    // Delivers one tick to every active tick's procedure, as the real source
    // would.
    void fire()
    {
        for (std::size_t i = 0; i < ticks.size(); ++i)
            if (ticks[i].active)
                ticks[i].procedure();
    }
    void fire(int count)
    {
        for (int i = 0; i < count; ++i)
            fire();
    }
};

// The engine wired to the fakes, the field's change rule included.
struct Rig {
    FakeWindow window;
    FakeTicks ticks;
    CountdownEngine engine{window, ticks};
    Rig()
    {
        window.onFieldChange = [this] { engine.TimerSet1Change(); };
        engine.FormCreate();
        window.log.clear();
    }
    // The user types or pastes a new text.
    void edit(const std::string& text) { window.setFieldText(text); }
};

} // namespace kestrova::testing
