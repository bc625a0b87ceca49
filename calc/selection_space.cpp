// The space a selection searches, and how a spring and stack are judged in it.
#include "calc/selection_space.h"

#include <limits>
#include <set>

#include "calc/disc_spring_steps.h"
#include "calc/force_deflection.h"
#include "calc/stack.h"
#include "runtime/checked_math.h"
#include "runtime/number_text.h"

namespace calc::detail {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSlack = kSelectionSlack;

double Shown(double value) {
    return runtime::ShownValue(value);
}

double Tenths(long tenths) {
    return static_cast<double>(tenths) / 10;
}

}  // namespace

double Reached(const PointOutcome& outcome, const LoadPoint& p) {
    const StackResults& stack = *outcome.row.results->stack;
    return p.force_given ? stack.s : stack.F_stack;
}

bool SelectionSpace::FitsBore(double D) const {
    return D > 0 && Shown(D) <= Shown(r_.bore - Clearance(D));
}

bool SelectionSpace::FitsRod(double d) const {
    return d > 0 && (r_.rod <= 0 || Shown(d) >= Shown(r_.rod + Clearance(d)));
}

bool SelectionSpace::Fits(const SpringInputs& spring) {
    const bool fits = spring.d < spring.D && FitsBore(spring.D) && FitsRod(spring.d);
    fitted_ = fitted_ || fits;
    return fits;
}

double SelectionSpace::Clearance(double diameter) const {
    return r_.clearance ? *r_.clearance : GuideClearance(diameter);
}

bool SelectionSpace::Locks(int n) const {
    return r_.friction &&
           (!FrictionLetsLoad(n, *r_.friction) || FrictionNearLocking(n, *r_.friction));
}

std::optional<SpaceSpring> SelectionSpace::Prepare(const RowInputs& inputs, bool flats,
                                                   std::optional<std::size_t> catalogue) {
    SpaceSpring s{inputs, flats, catalogue};
    s.inputs.spring.f = 0;
    const std::optional<double> t_reduced = flats ? std::optional(inputs.t_reduced) : std::nullopt;
    const ShownQuantities shown = ShowQuantities(inputs.spring, t_reduced);
    s.three_quarters = shown.three_quarters;
    s.preload = Shown(0.15 * shown.flat);
    s.nest = t_reduced.value_or(inputs.spring.t);
    const auto inspection = Inspect(s.inputs, flats, r_.material);
    if (!inspection) {
        return std::nullopt;
    }
    if (Overstressed(inspection->sigma_om, r_.material)) {
        Exclude(Shortfall::kStrength);
        return std::nullopt;
    }
    s.inspection = *inspection;
    if (!flats) {
        runtime::CheckedMath m;
        const auto k = detail::EvaluateCoefficients(m, s.inputs.spring, r_.material);
        if (!k) {
            return std::nullopt;
        }
        s.C = 4 * r_.material.E / k->N;
        s.ratio = k->h0 / inputs.spring.t;
    }
    return s;
}

void SelectionSpace::Outline(std::vector<SpaceSpring>& springs) {
    // D ÷ t stays within 40 and t within 6 mm, so no special spring is wider than 240 mm, and
    // half the largest D is the smallest tried: a wider bore holds no outline (and its tenths
    // would not fit a long).
    if (!(r_.bore <= 1000)) {
        return;
    }
    long top = static_cast<long>(std::floor(r_.bore * 10 + 1e-6));
    while (top > 0 && !FitsBore(Tenths(top))) {
        --top;
    }
    long least = r_.rod > 0 ? static_cast<long>(std::ceil(r_.rod * 10 - 1e-6)) : 1;
    while (least < top && !FitsRod(Tenths(least))) {
        ++least;
    }
    std::set<std::pair<long, long>> outlines;
    for (const double share : {1.0, 0.8, 0.63, 0.5}) {
        const long D10 = static_cast<long>(std::floor(static_cast<double>(top) * share + 1e-9));
        for (const long d10 : {least, std::max(least, (D10 + 1) / 2)}) {
            if (d10 <= 0 || d10 >= D10 || !outlines.emplace(D10, d10).second) {
                continue;
            }
            for (const double t : kStripThicknesses) {
                const auto first = static_cast<long>(std::ceil(t * 20 * 1.4 - 1e-6));
                const auto last = static_cast<long>(std::floor(t * 20 * 2.3 + 1e-6));
                for (long H20 = first; H20 <= last; ++H20) {
                    const SpringInputs spring{Tenths(D10), Tenths(d10), t,
                                              static_cast<double>(H20) / 20, 0};
                    const Findings ranges = CheckDesign(spring);
                    if (ranges.has(Finding::kDiameterRatio) || ranges.has(Finding::kSlenderness) ||
                        ranges.has(Finding::kHeightRatio) || !Fits(spring)) {
                        continue;
                    }
                    if (auto s = Prepare({spring, 0}, false, std::nullopt)) {
                        springs.push_back(std::move(*s));
                    }
                }
            }
        }
    }
}

std::optional<Candidate> SelectionSpace::Offered(const SpaceSpring& s, StackLayout stack) const {
    auto c = Evaluate(s, stack);
    if (!c || !Within(*c)) {
        return std::nullopt;
    }
    Finish(*c, s);
    if (const FatigueJudgement* fatigue = c->cycle ? c->cycle->Judgement() : nullptr;
        r_.life && !fatigue->HoldsFor(*r_.life)) {
        ++(fatigue->lines.empty() ? fatigue_misses_.no_line
           : fatigue->Judged()    ? fatigue_misses_.short_
                                  : fatigue_misses_.outside);
        return std::nullopt;
    }
    return c;
}

double SelectionSpace::OneForce(const SpaceSpring& s, double f) const {
    if (s.flats) {
        RowInputs at = s.inputs;
        at.spring.f = f;
        RowOptions options;
        options.material = r_.material;
        options.flats = true;
        const Row row = CalculateRow(at, options);
        return row.results ? row.results->spring.F : kInfinity;
    }
    const double t = s.inputs.spring.t;
    const double x = f / t;
    return s.C * t * t * t * f * ((s.ratio - x) * (s.ratio - x / 2) + 1);
}

double SelectionSpace::OneDeflection(const SpaceSpring& s, double force, double tolerance) const {
    double low = 0, high = s.three_quarters * (1 + 2 * kSlack);
    if (OneForce(s, high) < force) {
        const bool met = OneForce(s, s.three_quarters) >= force * (1 - tolerance) * (1 - kSlack);
        return met ? s.three_quarters : kInfinity;
    }
    for (int step = 0; step < 60; ++step) {
        const double mid = (low + high) / 2;
        (OneForce(s, mid) < force ? low : high) = mid;
    }
    return high;
}

std::optional<Candidate> SelectionSpace::Evaluate(const SpaceSpring& s, StackLayout stack) const {
    if (Locks(stack.parallel)) {
        return std::nullopt;
    }
    Candidate c;
    c.catalogue = s.catalogue;
    c.spring = s.inputs;
    c.flats = s.flats;
    c.stack = stack;
    c.options.material = r_.material;
    c.options.flats = s.flats;
    c.options.stack = stack;
    c.options.friction = r_.friction;
    c.options.check = true;
    std::array<std::optional<double>, 2> at;
    std::optional<double> at_limit;  // the stack's force at 0.75·h0, once asked
    for (std::size_t k = 0; k < r_.points.size(); ++k) {
        const LoadPoint& p = r_.points[k];
        bool met_at_limit = false;
        if (p.force_given) {
            // A force a little beyond 0.75·h0, within its tolerance, is met there.
            if (!at_limit) {
                RowInputs limit = c.spring;
                limit.spring.f = s.three_quarters;
                const Row row = CalculateRow(limit, c.options);
                at_limit = row.results && row.results->stack ? row.results->stack->F_stack : 0;
            }
            met_at_limit = CompareAsShown(p.F, *at_limit) > 0 &&
                           CompareAsShown(*at_limit, p.F * (1 - p.tolerance)) >= 0;
        }
        const auto f = met_at_limit ? runtime::Expected<double, RowError>(s.three_quarters)
                                    : DeflectionAtPoint(c.spring, c.options, p.force_given,
                                                        p.force_given ? p.F : p.s);
        if (!f) {
            return std::nullopt;
        }
        RowInputs point = c.spring;
        point.spring.f = *f;
        PointOutcome outcome{*f, CalculateRow(point, c.options), 0, met_at_limit};
        if (!outcome.row.results || !outcome.row.results->stack) {
            return std::nullopt;
        }
        const double required = Required(p);
        outcome.deviation = (Reached(outcome, p) - required) / required;
        at[k] = *f;
        c.points.push_back(std::move(outcome));
    }
    if (c.points.size() == 2) {
        c.upper = c.points[1].f >= c.points[0].f ? 1 : 0;
    }
    const std::optional<double> t_reduced =
        c.flats ? std::optional(c.spring.t_reduced) : std::nullopt;
    if (!CheckWorkingPoints(c.spring.spring, t_reduced, at,
                            r_.dynamic ? Load::kDynamic : Load::kStatic)
             .empty()) {
        return std::nullopt;
    }
    const PointOutcome& upper = c.points[static_cast<std::size_t>(c.upper)];
    if (CheckStrength(c.upper, upper.f, upper.row.results->spring.sigma_om, r_.material)) {
        return std::nullopt;
    }
    const PointOutcome& lower = c.points[static_cast<std::size_t>(1 - c.upper) % c.points.size()];
    if (r_.max_length && CompareAsShown(lower.row.results->stack->L, *r_.max_length) > 0) {
        return std::nullopt;
    }
    if (!r_.long_stacks && c.points.front().row.findings->has(Finding::kLongStack)) {
        return std::nullopt;
    }
    return c;
}

// Whether every point is reached within its tolerance, as shown.
bool SelectionSpace::Within(const Candidate& c) const {
    for (std::size_t k = 0; k < c.points.size(); ++k) {
        if (CompareAsShown(std::abs(c.points[k].deviation), r_.points[k].tolerance) > 0) {
            return false;
        }
    }
    return true;
}

void SelectionSpace::Finish(Candidate& c, const SpaceSpring& spring) const {
    const PointOutcome& upper = c.points[static_cast<std::size_t>(c.upper)];
    const double sigma_om = upper.row.results->spring.sigma_om;
    c.utilisation = Utilisation(sigma_om, r_.material).value_or(sigma_om);
    c.inspection = spring.inspection;
    if (r_.dynamic && c.points.size() == 2) {
        c.cycle = JudgeCycle(c.points[static_cast<std::size_t>(1 - c.upper)].row.results->spring,
                             upper.row.results->spring, c.spring.spring.t,
                             r_.fatigue_lines.empty() ? nullptr : &r_.fatigue_lines);
    }
    const std::optional<double> t_reduced =
        c.flats ? std::optional(c.spring.t_reduced) : std::nullopt;
    SpringInputs free_spring = c.spring.spring;
    free_spring.f = 0;
    const auto free = CalculateStack(free_spring, 0, c.stack, t_reduced);
    c.L0 = free ? free->L : 0;
    free_spring.f = ShowQuantities(free_spring, t_reduced).flat;
    const auto block = CalculateStack(free_spring, 0, c.stack, t_reduced);
    c.block = block ? block->L : 0;
    c.clearance_outer = Clearance(c.spring.spring.D);
    c.clearance_inner = Clearance(c.spring.spring.d);
    const SpringInputs& s = c.spring.spring;
    const double volume = kPi / 4 * (s.D * s.D - s.d * s.d) * s.t;  // mm³
    c.mass = volume * r_.density / 1000 * c.Springs();
    c.findings = *upper.row.findings;
}

}  // namespace calc::detail
