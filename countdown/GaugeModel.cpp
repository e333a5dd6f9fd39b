#include "GaugeModel.h"

#include "Errors.h"

#include <string>

namespace kestrova {

bool GaugeModel::setMaxValue(std::int32_t value)
{
    if (value < min_) {
        throw EInvalidOperation(std::to_string(static_cast<std::int64_t>(min_) + 1) + " から "
                                + std::to_string(INT32_MAX) + " の間の値でなければなりません");
    }
    if (value == max_)
        return false;
    max_ = value;
    if (progress_ > max_)
        progress_ = max_;
    return true;
}

bool GaugeModel::setProgress(std::int32_t value)
{
    if (value < min_)
        value = min_;
    if (value > max_)
        value = max_;
    if (value == progress_)
        return false;
    progress_ = value;
    return true;
}

int GaugeModel::percentDone() const
{
    const std::int64_t span = static_cast<std::int64_t>(max_) - min_;
    if (span == 0)
        return 0;
    return static_cast<int>(100 * (static_cast<std::int64_t>(progress_) - min_) / span);
}

} // namespace kestrova
