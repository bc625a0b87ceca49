#include "curve/plot_axis.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_text.h"

namespace curve {

AxisScale ChooseScale(double low, double high, int target) {
    if (!(low < high)) {
        const double pad = std::isfinite(low) && low != 0 ? std::fabs(low) * 0.5 : 1.0;
        low = std::isfinite(low) ? low - pad : -1;
        high = std::isfinite(high) ? high + pad : 1;
    }
    const double raw = (high - low) / std::max(target, 1);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude * 10;
    for (const double factor : {1.0, 2.0, 5.0}) {
        if (magnitude * factor >= raw) {
            step = magnitude * factor;
            break;
        }
    }
    AxisScale scale{std::floor(low / step) * step, std::ceil(high / step) * step, {}};
    const long long count = std::llround((scale.high - scale.low) / step);
    for (long long i = 0; i <= count && count < 1000; ++i) {
        const double tick = scale.low + static_cast<double>(i) * step;
        scale.ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return scale;
}

QString TickLabel(double value) {
    // Fifteen significant digits drop the binary tail of low + i × step (0.30000000000000004).
    const auto text = runtime::NumberToText(value);
    return QString::fromUtf8(text.view().data(), static_cast<qsizetype>(text.view().size()));
}

QString ValueText(double value) {
    return QString::number(value, 'g', 6);  // QString::number ignores the locale
}

}  // namespace curve
