// The selection's clearance table and requirement check.
#include "calc/selection.h"

#include <algorithm>
#include <cmath>

namespace calc {

double GuideClearance(double diameter) {
    constexpr std::pair<double, double> kTable[] = {{16, 0.2}, {20, 0.3}, {26, 0.4}, {31.5, 0.5},
                                                    {50, 0.6}, {80, 0.8}, {140, 1.0}};
    for (const auto& [up_to, clearance] : kTable) {
        if (diameter <= up_to) {
            return clearance;
        }
    }
    return 1.6;
}

std::optional<RequirementProblem> CheckRequirement(const Requirement& r) {
    using Kind = RequirementProblem::Kind;
    const auto positive = [](double v) { return std::isfinite(v) && v > 0; };
    if (r.points.empty() || r.points.size() > 2) {
        return RequirementProblem{Kind::kNoPoint};
    }
    for (std::size_t k = 0; k < r.points.size(); ++k) {
        const LoadPoint& p = r.points[k];
        if (!positive(p.s) || !positive(p.F)) {
            return RequirementProblem{Kind::kNotPositive, static_cast<int>(k)};
        }
        if (!(p.tolerance >= 0 && p.tolerance <= 0.5)) {
            return RequirementProblem{Kind::kTolerance, static_cast<int>(k)};
        }
    }
    if (r.points.size() == 2 &&
        (r.points[0].s == r.points[1].s || r.points[0].F == r.points[1].F)) {
        return RequirementProblem{Kind::kSameTravel, 1};
    }
    if (!positive(r.bore)) {
        return RequirementProblem{Kind::kNotPositive};
    }
    if (!(r.rod >= 0 && r.rod < r.bore)) {
        return RequirementProblem{Kind::kRodTooLarge};
    }
    if ((r.clearance && !(*r.clearance >= 0 && std::isfinite(*r.clearance))) ||
        (r.max_length && !positive(*r.max_length))) {
        return RequirementProblem{Kind::kNegativeLength};
    }
    if (r.max_series < 1 || r.max_series > kMaxSelectionCount || r.max_parallel < 1 ||
        r.max_parallel > kMaxSelectionCount) {
        return RequirementProblem{Kind::kLimit};
    }
    if (r.special < 0 || r.special > kMaxSpecial) {
        return RequirementProblem{Kind::kSpecialCount};
    }
    if (r.dynamic && r.points.size() != 2) {
        return RequirementProblem{Kind::kDynamicOnePoint};
    }
    if (r.life) {
        if (!positive(*r.life)) {
            return RequirementProblem{Kind::kLife};
        }
        if (!r.dynamic) {
            return RequirementProblem{Kind::kLifeNotDynamic};
        }
        if (r.fatigue_lines.empty()) {
            return RequirementProblem{Kind::kLifeNoLines};
        }
        if (std::none_of(r.fatigue_lines.begin(), r.fatigue_lines.end(),
                         [&r](const FatigueLine& line) { return line.cycles >= *r.life; })) {
            return RequirementProblem{Kind::kLifeBeyondLines};
        }
    }
    return std::nullopt;
}

}  // namespace calc
