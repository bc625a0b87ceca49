// Choosing an axis's range and ticks, and thinning a line to its frame.
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

namespace {

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
};

}  // namespace

PanelScales ScalesOf(const PlotPanel& panel) {
    Range x, y;
    y.add(0);
    const auto add = [&x, &y](const std::vector<Point>& points) {
        for (const Point& p : points) {
            x.add(p.x);
            y.add(p.y);
        }
    };
    for (const PlotSeries& series : panel.series) {
        add(series.points);
    }
    for (const PlotMarker& marker : panel.markers) {
        x.add(marker.x);
    }
    for (const PlotMark& mark : panel.marks) {
        x.add(mark.at.x);
        y.add(mark.at.y);
    }
    for (const PlotBand& band : panel.bands) {
        add(band.upper);
        add(band.lower);
    }
    return {ChooseScale(x.low, x.high, kTicks), ChooseScale(y.low, y.high, kTicks)};
}

bool HasPoints(const PlotPanel& panel) {
    return std::any_of(panel.series.begin(), panel.series.end(),
                       [](const PlotSeries& s) { return !s.points.empty(); });
}

std::vector<Point> Thinned(const std::vector<Point>& points, const AxisScale& x, int columns) {
    if (points.size() <= 4 * static_cast<std::size_t>(std::max(columns, 1))) {
        return points;
    }
    std::vector<Point> kept;
    const double width = (x.high - x.low) / columns;
    std::size_t start = 0;
    while (start < points.size()) {
        const auto column = [&](const Point& p) { return std::floor((p.x - x.low) / width); };
        const double here = column(points[start]);
        // A point whose column is not a number (x not finite) stands alone; none is skipped.
        std::size_t end = start + 1, low = start, high = start;
        while (end < points.size() && column(points[end]) == here) {
            low = points[end].y < points[low].y ? end : low;
            high = points[end].y > points[high].y ? end : high;
            ++end;
        }
        for (const std::size_t at : {start, std::min(low, high), std::max(low, high), end - 1}) {
            if (kept.empty() || !(kept.back() == points[at])) {
                kept.push_back(points[at]);
            }
        }
        start = end;
    }
    return kept;
}

std::string TickLabel(double value) {
    // Fifteen significant digits drop the binary tail of low + i × step (0.30000000000000004).
    return std::string(runtime::NumberToText(value).view());
}

std::string ValueText(double value, const std::string& unit) {
    return rows::Engineering(value, unit == "mm" ? rows::Measure::kLength : rows::Measure::kOther);
}

}  // namespace design
