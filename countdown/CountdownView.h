#pragma once
#include "Colors.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kestrova {

// What the countdown needs of the window: the seconds field, the
// remaining-seconds label, the bar and the lock of the preset submenus.
class CountdownView {
public:
    virtual ~CountdownView() = default;

    virtual std::string fieldText() const = 0;
    // Writing a different text raises the field's change notification, which
    // runs CountdownEngine::TimerSet1Change again before this returns.
    virtual void setFieldText(std::string_view text) = 0;
    virtual void setFieldEnabled(bool enabled) = 0;

    virtual void setLabelCaption(std::string_view caption) = 0;
    virtual void setLabelColor(Color color) = 0;

    // May throw EInvalidOperation (see GaugeModel).
    virtual void setBarMaxValue(std::int32_t value) = 0;
    virtual std::int32_t barMaxValue() const = 0;
    virtual void setBarProgress(std::int32_t value) = 0;
    virtual void setBarColor(Color color) = 0;

    // Enables or disables the three preset submenus ("Preset", "Raid T5",
    // "Raid T6"), in that order.
    virtual void setPresetsEnabled(bool enabled) = 0;
};

} // namespace kestrova
