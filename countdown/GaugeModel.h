#pragma once
#include <cstdint>

namespace kestrova {

// The values behind the bar: a range [MinValue, MaxValue] with a progress
// held inside it, and the whole percentage that the filled share shows.
class GaugeModel {
public:
    std::int32_t minValue() const { return min_; }
    std::int32_t maxValue() const { return max_; }
    std::int32_t progress() const { return progress_; }

    // A maximum below the minimum throws EInvalidOperation and leaves the
    // gauge as it was; a maximum below the progress lowers the progress.
    // Returns whether the maximum changed.
    bool setMaxValue(std::int32_t value);
    // Clamped into [MinValue, MaxValue]. Returns whether it changed.
    bool setProgress(std::int32_t value);

    // 100 × (Progress − MinValue) / (MaxValue − MinValue), cut towards zero;
    // 0 for an empty range.
    int percentDone() const;

private:
    std::int32_t min_ = 0;
    std::int32_t max_ = 100;
    std::int32_t progress_ = 100;
};

} // namespace kestrova
