#include "calc/selection.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>
#include <tuple>

#include "calc/disc_spring_steps.h"
#include "calc/force_deflection.h"
#include "calc/stack.h"
#include "runtime/checked_math.h"

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
    if (r.points.size() == 2 && r.points[0].s == r.points[1].s && r.points[0].F == r.points[1].F) {
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
    return std::nullopt;
}

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The largest multiple of 0.1 at most x, and the smallest at least x, as shown.
double Down10(double x) {
    return std::floor(x * 10 + 1e-9) / 10;
}
double Up10(double x) {
    return std::ceil(x * 10 - 1e-9) / 10;
}

// The toleranced quantity of a point: the travel for a given force, the force for a given travel.
double Required(const LoadPoint& p) {
    return p.force_given ? p.s : p.F;
}

// What the stack reaches of it, as its row shows.
double Reached(const PointOutcome& outcome, const LoadPoint& p) {
    const StackResults& stack = *outcome.row.results->stack;
    return p.force_given ? stack.s : stack.F_stack;
}

// Everything about a spring and stack but whether its points lie within their tolerances.
enum class Verdict { kUnusable, kUsable };

class Search {
public:
    explicit Search(const Requirement& r) : r_(r), reach_(r.points.size()) {
        D_max_ = r.bore - Clearance(r.bore);
        d_min_ = r.rod > 0 ? r.rod + Clearance(r.rod) : 0;
    }

    double D_max() const { return D_max_; }
    double d_min() const { return d_min_; }

    bool Fits(const SpringInputs& spring) const {
        return spring.d < spring.D && CompareAsShown(spring.D, D_max_) <= 0 &&
               CompareAsShown(spring.d, d_min_) >= 0;
    }

    // The spring in this stack at every point, as a candidate when it meets them all.
    std::optional<Candidate> Evaluate(const RowInputs& spring, bool flats, StackLayout stack,
                                      std::optional<std::size_t> catalogue) {
        if (!Fits(spring.spring)) {
            return std::nullopt;
        }
        fitted_ = true;
        Candidate c;
        c.catalogue = catalogue;
        c.spring = spring;
        c.spring.spring.f = 0;
        c.flats = flats;
        c.stack = stack;
        c.options.material = r_.material;
        c.options.flats = flats;
        c.options.stack = stack;
        c.options.friction = r_.friction;
        c.options.check = true;
        if (r_.friction && !FrictionLetsLoad(stack.parallel, *r_.friction)) {
            return std::nullopt;
        }
        std::array<std::optional<double>, 2> at;
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            const auto f =
                DeflectionAtPoint(c.spring, c.options, p.force_given, p.force_given ? p.F : p.s);
            if (!f) {
                // A force beyond the most before flat: what is most, for the words.
                if (const auto* refusal = std::get_if<Refusal>(&f.error());
                    refusal && refusal->kind == Refusal::Kind::kBeyondReach) {
                    reach_[k].most_force = std::max(reach_[k].most_force, refusal->limit);
                }
                return std::nullopt;
            }
            RowInputs point = c.spring;
            point.spring.f = *f;
            PointOutcome outcome{*f, CalculateRow(point, c.options), 0};
            if (!outcome.row.results || !outcome.row.results->stack) {
                return std::nullopt;
            }
            if (p.force_given) {
                reach_[k].most_force = std::max(reach_[k].most_force, p.F);
            }
            const double required = Required(p);
            outcome.deviation = (Reached(outcome, p) - required) / required;
            at[k] = *f;
            c.points.push_back(std::move(outcome));
        }
        if (c.points.size() == 2) {
            c.upper = c.points[1].f >= c.points[0].f ? 1 : 0;
        }
        if (Judge(c, at) == Verdict::kUnusable) {
            return std::nullopt;
        }
        usable_ = true;
        double worst = 0;
        int worst_point = 0;
        bool within = true;
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            const double reached = Reached(c.points[k], p);
            reach_[k].low = std::min(reach_[k].low, reached);
            reach_[k].high = std::max(reach_[k].high, reached);
            const double misfit = std::abs(c.points[k].deviation);
            within = within && CompareAsShown(misfit, p.tolerance) <= 0;
            const double relative = p.tolerance > 0 ? misfit / p.tolerance : misfit * 1e9;
            if (relative > worst) {
                worst = relative;
                worst_point = static_cast<int>(k);
            }
        }
        if (worst < nearest_) {
            nearest_ = worst;
            const auto k = static_cast<std::size_t>(worst_point);
            nearest_point_ = worst_point;
            nearest_reached_ = Reached(c.points[k], r_.points[k]);
        }
        if (!within) {
            return std::nullopt;
        }
        Finish(c);
        return c;
    }

    // Why nothing was found, once the search is over.
    Shortfall Why() const {
        Shortfall why{Shortfall::Kind::kNoSpace, 0, false, 0, 0, r_.bore};
        if (!fitted_) {
            return why;
        }
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            why.point = static_cast<int>(k);
            if (p.force_given && reach_[k].most_force < p.F) {
                why.kind = Shortfall::Kind::kTooHigh;
                why.required = p.F;
                why.reached = reach_[k].most_force;
                return why;
            }
        }
        if (!usable_) {
            why.kind = Shortfall::Kind::kNoneUsable;
            return why;
        }
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            const double required = Required(p);
            why.point = static_cast<int>(k);
            why.travel = p.force_given;
            why.required = required;
            if (required * (1 - p.tolerance) > reach_[k].high) {
                why.kind = Shortfall::Kind::kTooHigh;
                why.reached = reach_[k].high;
                return why;
            }
            if (required * (1 + p.tolerance) < reach_[k].low) {
                why.kind = Shortfall::Kind::kTooLow;
                why.reached = reach_[k].low;
                return why;
            }
        }
        const LoadPoint& p = r_.points[static_cast<std::size_t>(nearest_point_)];
        return {Shortfall::Kind::kNearest, nearest_point_, p.force_given, Required(p),
                nearest_reached_,          r_.bore};
    }

private:
    double Clearance(double diameter) const {
        return r_.clearance ? *r_.clearance : GuideClearance(diameter);
    }

    // Excludes a candidate beyond 0.75·h0 at a point, overstressed at its upper point, too long
    // at its lower point or, under a dynamic load, preloading too little.
    Verdict Judge(Candidate& c, std::array<std::optional<double>, 2> at) const {
        const std::optional<double> t_reduced =
            c.flats ? std::optional(c.spring.t_reduced) : std::nullopt;
        if (r_.dynamic && !at[1]) {
            at[1] = at[0];  // one point: it is also the lower one, which must preload
        }
        for (const PointFinding& found : CheckWorkingPoints(c.spring.spring, t_reduced, at)) {
            if (found.check == PointCheck::kBeyondFlat ||
                found.check == PointCheck::kBeyondThreeQuarters ||
                (found.check == PointCheck::kShallowPreload && r_.dynamic)) {
                return Verdict::kUnusable;
            }
            if (found.point < static_cast<int>(c.points.size())) {
                c.point_findings.push_back(found);
            }
        }
        const PointOutcome& upper = c.points[static_cast<std::size_t>(c.upper)];
        const double sigma_om = upper.row.results->spring.sigma_om;
        if (CheckStrength(c.upper, upper.f, sigma_om, r_.material)) {
            return Verdict::kUnusable;
        }
        if (r_.max_length) {
            const PointOutcome& lower =
                c.points[static_cast<std::size_t>(1 - c.upper) % c.points.size()];
            if (CompareAsShown(lower.row.results->stack->L, *r_.max_length) > 0) {
                return Verdict::kUnusable;
            }
        }
        return Verdict::kUsable;
    }

    void Finish(Candidate& c) const {
        const PointOutcome& upper = c.points[static_cast<std::size_t>(c.upper)];
        const double sigma_om = upper.row.results->spring.sigma_om;
        c.utilisation = r_.material.Rm ? sigma_om / *r_.material.Rm : sigma_om;
        if (r_.dynamic && c.points.size() == 2) {
            c.cycle = CycleOf(c.points[static_cast<std::size_t>(1 - c.upper)].row.results->spring,
                              upper.row.results->spring);
        }
        const auto free =
            CalculateStack(c.spring.spring, 0, c.stack,
                           c.flats ? std::optional(c.spring.t_reduced) : std::nullopt);
        c.L0 = free ? free->L : 0;
        const SpringInputs& s = c.spring.spring;
        const double volume = kPi / 4 * (s.D * s.D - s.d * s.d) * s.t;  // mm³
        c.mass = volume * r_.density / 1000 * c.Springs();
        c.findings = *upper.row.findings;
    }

    struct Reach {
        double low = kInfinity, high = -kInfinity;
        double most_force = 0;  ///< for a force given: the most any spring carried or could
    };

    const Requirement& r_;
    double D_max_ = 0, d_min_ = 0;
    std::vector<Reach> reach_;
    bool fitted_ = false, usable_ = false;
    double nearest_ = kInfinity, nearest_reached_ = 0;
    int nearest_point_ = 0;
};

// The ranking: fewest springs, lowest σOM ÷ Rm, shortest stack, then lighter, then smaller D.
bool Better(const Candidate& a, const Candidate& b) {
    const auto key = [](const Candidate& c) {
        return std::tuple(c.Springs(), c.utilisation, c.L0, c.mass, c.spring.spring.D,
                          c.spring.spring.d, c.spring.spring.t, c.spring.spring.H, c.stack.series);
    };
    return key(a) < key(b);
}

// One spring's force at f for h0 = r·t, as the relation gives it, to solve for t; the found
// spring is computed again through the rows.
double RelationForce(double C, double t, double r, double f) {
    const double x = f / t;
    return C * t * t * t * f * ((r - x) * (r - x / 2) + 1);
}

// The thickness at which a spring of D, d and h0 = r·t carries `force` at `f`, inside
// the slenderness band and within 0.75·h0; none when no thickness there does. The force grows
// with t there, so halving the interval finds it.
std::optional<double> SolveThickness(double D, double d, double r, double f, double force,
                                     const Material& material) {
    // N = K1·(1 − μ²)·D² depends on the diameters alone: the model's own steps form it.
    runtime::CheckedMath m;
    const auto k = detail::EvaluateCoefficients(m, SpringInputs{D, d, 1, 2, 0}, material);
    if (!k) {
        return std::nullopt;
    }
    const double C = 4 * material.E / k->N;
    double low = std::max(D / kSlendernessBand.high, f / (0.75 * r));
    double high = std::min(D / kSlendernessBand.low, kStripThicknesses.back());
    if (!(low <= high) || RelationForce(C, low, r, f) > force ||
        RelationForce(C, high, r, f) < force) {
        return std::nullopt;
    }
    for (int i = 0; i < 60; ++i) {
        const double mid = (low + high) / 2;
        (RelationForce(C, mid, r, f) < force ? low : high) = mid;
    }
    return (low + high) / 2;
}

// Special springs for the requirement, solved at its upper point for each diameter pair, h0/t
// and stack, then rounded to what a maker makes and computed again.
void Design(const Requirement& r, Search& search, std::vector<Candidate>& found) {
    const std::size_t upper = r.points.size() == 2 && r.points[1].s > r.points[0].s ? 1 : 0;
    const LoadPoint& p = r.points[upper];
    const double D_max = Down10(search.D_max());
    std::set<std::tuple<double, double, double, double, int, int>> tried;
    for (const double share : {1.0, 0.8, 0.63, 0.5}) {
        const double D = Down10(D_max * share);
        for (const double d : {Up10(search.d_min()), Up10(D / 2)}) {
            const SpringInputs outline{D, d, 1, 2, 0};
            if (d <= 0 || !search.Fits(outline)) {
                continue;
            }
            const double delta = D / d;
            if (CompareAsShown(delta, kDiameterRatioBand.low) < 0 ||
                CompareAsShown(delta, kDiameterRatioBand.high) > 0) {
                continue;
            }
            for (const double ratio : {0.4, 0.55, 0.7, 0.85, 1.0, 1.15, 1.3}) {
                for (int i = 1; i <= r.max_series; ++i) {
                    for (int n = 1; n <= r.max_parallel; ++n) {
                        const auto t = SolveThickness(D, d, ratio, p.s / i, p.F / n, r.material);
                        if (!t) {
                            continue;
                        }
                        const auto above = std::lower_bound(kStripThicknesses.begin(),
                                                            kStripThicknesses.end(), *t);
                        for (auto strip = above == kStripThicknesses.begin() ? above : above - 1;
                             strip != kStripThicknesses.end() && strip <= above; ++strip) {
                            const double H = std::round((*strip + ratio * *strip) * 20) / 20;
                            if (!tried.emplace(D, d, *strip, H, i, n).second) {
                                continue;
                            }
                            const RowInputs spring{{D, d, *strip, H, 0}, 0};
                            const Findings ranges = CheckDesign(spring.spring);
                            if (ranges.has(Finding::kDiameterRatio) ||
                                ranges.has(Finding::kSlenderness) ||
                                ranges.has(Finding::kHeightRatio) ||
                                ranges.has(Finding::kNoConeHeight)) {
                                continue;
                            }
                            if (auto c = search.Evaluate(spring, false, {i, n}, std::nullopt)) {
                                found.push_back(std::move(*c));
                            }
                        }
                    }
                }
            }
        }
    }
}

}  // namespace

Selection Select(const Requirement& requirement, const std::vector<CatalogueSpring>& catalogue) {
    Selection selection;
    Search search(requirement);
    for (std::size_t index = 0; index < catalogue.size(); ++index) {
        const CatalogueSpring& spring = catalogue[index];
        if (!search.Fits(spring.spring.spring)) {
            continue;
        }
        for (int i = 1; i <= requirement.max_series; ++i) {
            for (int n = 1; n <= requirement.max_parallel; ++n) {
                if (auto c = search.Evaluate(spring.spring, spring.flats, {i, n}, index)) {
                    selection.catalogue.push_back(std::move(*c));
                }
            }
        }
    }
    if (requirement.special > 0) {
        Design(requirement, search, selection.special);
    }
    std::sort(selection.catalogue.begin(), selection.catalogue.end(), Better);
    std::sort(selection.special.begin(), selection.special.end(), Better);
    if (selection.special.size() > static_cast<std::size_t>(requirement.special)) {
        selection.special.resize(static_cast<std::size_t>(requirement.special));
    }
    if (selection.catalogue.empty() && selection.special.empty()) {
        selection.shortfall = search.Why();
    }
    return selection;
}

}  // namespace calc
