#include "design/plot_axis.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "rows/engineering.h"
#include "runtime/number_text.h"

namespace design {

AxisScale ChooseScale(double low, double high, int target) {
    if (!(low < high) || !std::isfinite(low) || !std::isfinite(high)) {
        low = std::isfinite(low) ? low : (std::isfinite(high) ? high : 0);
        high = std::isfinite(high) && high > low ? high : low;
        const double pad = low != 0 ? std::fabs(low) * 0.5 : 1.0;
        if (!(low < high)) {
            low -= pad;
            high += pad;
        }
    }
    // Halved first: the span of two limits near the double range is beyond it.
    const double span = (high / 2 - low / 2) * 2;
    const double raw = std::min(span, std::numeric_limits<double>::max()) / std::max(target, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude * 10;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (magnitude * factor >= raw) {
            step = magnitude * factor;
            break;
        }
    }
    AxisScale scale{std::floor(low / step) * step, std::ceil(high / step) * step, {}};
    if (!std::isfinite(scale.low) || !std::isfinite(scale.high)) {
        scale = {low, high, {}};  // whole steps would leave the double range
    }
    const double count = std::round((scale.high / 2 - scale.low / 2) / (step / 2));
    for (int i = 0; i <= count && count < 1000; ++i) {
        // Halved and doubled, both exact: the same tick as low + i × step where that is finite.
        const double tick = (scale.low / 2 + i * (step / 2)) * 2;
        if (!scale.ticks.empty() && !(tick < scale.high)) {
            scale.ticks.push_back(scale.high);
            break;
        }
        scale.ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return scale;
}

std::string TickLabel(double value) {
    // Fifteen significant digits drop the binary tail of low + i × step (0.30000000000000004).
    return std::string(runtime::NumberToText(value).view());
}

std::string ValueText(double value, const std::string& unit) {
    return rows::Engineering(value, unit == "mm" ? rows::Measure::kLength : rows::Measure::kOther);
}

}  // namespace design
