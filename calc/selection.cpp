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
#include "runtime/number_text.h"

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
    return std::nullopt;
}

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The cheap relation agrees with the rows to about 1e-14 of a force; its windows are widened by
// far more, and every spring and stack inside one is computed through the rows.
constexpr double kSlack = 1e-7;
// How many of the nearest springs to an extreme are computed through the rows to name it.
constexpr std::size_t kProbes = 6;

double Shown(double value) {
    return runtime::ShownValue(value);
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

// One spring of the space searched, with what the cheap relation needs.
struct Spring {
    RowInputs inputs;  ///< f = 0
    bool flats = false;
    std::optional<std::size_t> catalogue;
    double three_quarters = 0;  ///< 0.75·h0 (h0′ with flats), as shown
    double preload = 0;         ///< 0.15·h0 (h0′), as shown
    double nest = 0;            ///< what a nested spring adds to a packet: t, or t′
    double C = 0, ratio = 0;    ///< 4E ÷ N and h0 ÷ t, for the relation without flats
};

// A spring and stack whose value at a point is near an extreme, to be computed through the rows.
struct Probe {
    double value;
    std::size_t spring;
    StackLayout stack;
};

// The kProbes probes of largest (or smallest) value offered.
class Extreme {
public:
    explicit Extreme(bool largest) : sign_(largest ? -1 : 1) {}
    void Offer(const Probe& probe) {
        const double key = sign_ * probe.value;
        if (probes_.size() == kProbes && key >= sign_ * probes_.back().value) {
            return;
        }
        auto at = std::find_if(probes_.begin(), probes_.end(),
                               [&](const Probe& p) { return key < sign_ * p.value; });
        probes_.insert(at, probe);
        if (probes_.size() > kProbes) {
            probes_.pop_back();
        }
    }
    const std::vector<Probe>& probes() const { return probes_; }

private:
    double sign_;
    std::vector<Probe> probes_;
};

class Search {
public:
    explicit Search(const Requirement& r) : r_(r) {
        for (std::size_t k = 0; k < r.points.size(); ++k) {
            high_.emplace_back(true);
            low_.emplace_back(false);
            carried_.emplace_back(true);
        }
    }

    // Whether a spring's outer diameter fits the bore, and its inner one the rod, each with the
    // clearance the makers give for that diameter, both sides as shown.
    bool FitsBore(double D) const { return D > 0 && Shown(D) <= Shown(r_.bore - Clearance(D)); }
    bool FitsRod(double d) const {
        return d > 0 && (r_.rod <= 0 || Shown(d) >= Shown(r_.rod + Clearance(d)));
    }
    bool Fits(const SpringInputs& spring) {
        const bool fits = spring.d < spring.D && FitsBore(spring.D) && FitsRod(spring.d);
        fitted_ = fitted_ || fits;
        return fits;
    }

    // The spring as the search takes it; none when σOM passes Rm at its test deflection, where a
    // maker tests it: a spring that sets in its acceptance test is no product.
    std::optional<Spring> Prepare(const RowInputs& inputs, bool flats,
                                  std::optional<std::size_t> catalogue) {
        Spring s{inputs, flats, catalogue};
        s.inputs.spring.f = 0;
        const std::optional<double> t_reduced =
            flats ? std::optional(inputs.t_reduced) : std::nullopt;
        const ShownQuantities shown = ShowQuantities(inputs.spring, t_reduced);
        s.three_quarters = shown.three_quarters;
        s.preload = Shown(0.15 * shown.flat);
        s.nest = t_reduced.value_or(inputs.spring.t);
        RowInputs test = s.inputs;
        test.spring.f = shown.three_quarters;
        RowOptions options;
        options.material = r_.material;
        options.flats = flats;
        const Row row = CalculateRow(test, options);
        if (!row.results) {
            return std::nullopt;
        }
        if (Overstressed(row.results->spring.sigma_om, r_.material)) {
            excluded_ |= Shortfall::kStrength;
            return std::nullopt;
        }
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

    // The special springs' outline: every spring of it that fits and lies inside the ranges.
    void Outline(std::vector<Spring>& springs) {
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
                        if (ranges.has(Finding::kDiameterRatio) ||
                            ranges.has(Finding::kSlenderness) ||
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

    // The stacks of a spring that can meet every point: for each i the cheap relation bounds
    // the n, with room to spare; the rows then decide.
    template <typename Take>
    void Stacks(const Spring& s, const Take& take) const {
        for (int i = 1; i <= r_.max_series; ++i) {
            double lo = 1, hi = r_.max_parallel;
            bool short_of_limits = false;
            for (const LoadPoint& p : r_.points) {
                const double f_low = (p.force_given ? p.s * (1 - p.tolerance) : p.s) / i;
                if (f_low > s.three_quarters * (1 + kSlack)) {
                    short_of_limits = true;  // a larger i may do
                    break;
                }
                if (p.force_given) {
                    const double f_high = std::min(p.s * (1 + p.tolerance) / i, s.three_quarters);
                    lo = std::max(lo, p.F / OneForce(s, f_high));
                    hi = std::min(hi, p.F / OneForce(s, f_low));
                } else {
                    const double F = OneForce(s, f_low);
                    lo = std::max(lo, p.F * (1 - p.tolerance) / F);
                    hi = std::min(hi, p.F * (1 + p.tolerance) / F);
                }
            }
            if (short_of_limits) {
                continue;
            }
            if (!(lo <= r_.max_parallel * (1 + kSlack))) {
                break;  // a larger i asks even more springs in parallel
            }
            const int first = std::max(1, static_cast<int>(std::ceil(lo * (1 - kSlack))));
            const double last = std::min<double>(r_.max_parallel, std::floor(hi * (1 + kSlack)));
            for (int n = first; n <= last; ++n) {
                take(StackLayout{i, n});
            }
        }
    }

    // The spring in this stack as a candidate, when it is one.
    std::optional<Candidate> Offered(const Spring& s, StackLayout stack) const {
        auto c = Evaluate(s, stack);
        if (!c || !Within(*c)) {
            return std::nullopt;
        }
        Finish(*c);
        return c;
    }

    // Offers each stack of a spring that the checks would let through to the extremes, cheaply,
    // and notes why the others are excluded: what a shortfall names.
    void Reach(std::size_t index, const Spring& s) {
        const std::size_t points = r_.points.size();
        for (int n = 1; n <= r_.max_parallel; ++n) {
            if (r_.friction && Locks(n)) {
                excluded_ |= Shortfall::kLocking;
                continue;
            }
            unsigned reasons = 0;
            bool carries = true;
            std::array<double, 2> f_force{};
            for (std::size_t k = 0; k < points; ++k) {
                const LoadPoint& p = r_.points[k];
                if (p.force_given) {
                    const double most = n * OneForce(s, s.three_quarters);
                    carried_[k].Offer({most, index, {1, n}});
                    f_force[k] = OneDeflection(s, p.F / n);
                    if (f_force[k] > s.three_quarters * (1 + kSlack)) {
                        reasons |= Shortfall::kThreeQuarters;
                        carries = false;
                    }
                }
            }
            if (!carries) {
                excluded_ |= reasons;
                continue;
            }
            // The usable i run from the first that keeps every point within 0.75·h0 up to the
            // last that still preloads enough and is short enough: the extremes lie at its
            // ends, and the misfit, which falls and then rises along it, is least once inside.
            int first = 1;
            for (const LoadPoint& p : r_.points) {
                if (!p.force_given) {
                    const double least = std::ceil(p.s / (s.three_quarters * (1 + kSlack)));
                    first = std::max(first, static_cast<int>(std::min(least, 1e9)));
                }
            }
            if (first > r_.max_series) {
                reasons |= Shortfall::kThreeQuarters;  // more packets than allowed
            }
            for (; first <= r_.max_series && !At(s, n, first, f_force, reasons); ++first) {
                if (reasons & (Shortfall::kPreload | Shortfall::kLength)) {
                    first = r_.max_series;  // a larger i preloads less and is longer still
                }
            }
            if (first > r_.max_series) {
                excluded_ |= reasons;
                continue;
            }
            int last = first;
            for (int step = r_.max_series - first; step > 0;) {
                if (last + step <= r_.max_series && At(s, n, last + step, f_force, reasons)) {
                    last += step;
                } else {
                    step /= 2;
                }
            }
            const auto worst = [&](int i) {
                double most = 0;
                for (std::size_t k = 0; k < points; ++k) {
                    const double misfit =
                        std::abs(Value(s, n, i, k, f_force) - Required(r_.points[k])) /
                        Required(r_.points[k]);
                    const double tolerance = r_.points[k].tolerance;
                    most = std::max(most, tolerance > 0 ? misfit / tolerance : misfit * 1e9);
                }
                return most;
            };
            int low = first, high = last;
            while (low < high) {
                const int middle = low + (high - low) / 2;
                if (worst(middle) <= worst(middle + 1)) {
                    high = middle;
                } else {
                    low = middle + 1;
                }
            }
            for (const int i : {first, last}) {
                for (std::size_t k = 0; k < points; ++k) {
                    const double value = Value(s, n, i, k, f_force);
                    high_[k].Offer({value, index, {i, n}});
                    low_[k].Offer({value, index, {i, n}});
                }
            }
            for (int i = std::max(first, low - 1); i <= std::min(last, low + 1); ++i) {
                nearest_.Offer({worst(i), index, {i, n}});
            }
        }
    }

    // Why nothing was found, once every spring has been offered to Reach.
    Shortfall Why(const std::vector<Spring>& springs) const {
        Shortfall why = Nearest(springs);
        if (why.kind != Shortfall::Kind::kNoSpace) {
            why.excluded = excluded_;
        }
        return why;
    }

private:
    Shortfall Nearest(const std::vector<Spring>& springs) const {
        Shortfall why{Shortfall::Kind::kNoSpace, 0, false, 0, 0, r_.bore};
        if (!fitted_) {
            return why;
        }
        std::vector<double> high(r_.points.size(), -kInfinity), low(high.size(), kInfinity);
        bool usable = false;
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            for (const auto* extreme : {&high_[k], &low_[k]}) {
                for (const Probe& probe : extreme->probes()) {
                    if (const auto c = Evaluate(springs[probe.spring], probe.stack)) {
                        usable = true;
                        const double reached = Reached(c->points[k], r_.points[k]);
                        high[k] = std::max(high[k], reached);
                        low[k] = std::min(low[k], reached);
                    }
                }
            }
        }
        if (!usable) {
            for (std::size_t k = 0; k < r_.points.size(); ++k) {
                const LoadPoint& p = r_.points[k];
                const double most = MostCarried(springs, k);
                if (p.force_given && CompareAsShown(p.F, most) > 0) {
                    return {
                        Shortfall::Kind::kTooHigh, static_cast<int>(k), false, p.F, most, r_.bore};
                }
            }
            why.kind = Shortfall::Kind::kNoneUsable;
            return why;
        }
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            const double required = Required(p);
            why.point = static_cast<int>(k);
            why.travel = p.force_given;
            why.required = required;
            if (CompareAsShown(required * (1 - p.tolerance), high[k]) > 0) {
                why.kind = Shortfall::Kind::kTooHigh;
                why.reached = high[k];
                return why;
            }
            if (CompareAsShown(required * (1 + p.tolerance), low[k]) < 0) {
                why.kind = Shortfall::Kind::kTooLow;
                why.reached = low[k];
                return why;
            }
        }
        double nearest = kInfinity;
        for (const Probe& probe : nearest_.probes()) {
            const auto c = Evaluate(springs[probe.spring], probe.stack);
            if (!c) {
                continue;
            }
            double worst = -1;
            std::size_t worst_point = 0;
            for (std::size_t k = 0; k < c->points.size(); ++k) {
                const double misfit = std::abs(c->points[k].deviation);
                const double tolerance = r_.points[k].tolerance;
                const double relative = tolerance > 0 ? misfit / tolerance : misfit * 1e9;
                if (relative > worst) {
                    worst = relative;
                    worst_point = k;
                }
            }
            if (worst < nearest) {
                nearest = worst;
                const LoadPoint& p = r_.points[worst_point];
                why = {Shortfall::Kind::kNearest,
                       static_cast<int>(worst_point),
                       p.force_given,
                       Required(p),
                       Reached(c->points[worst_point], p),
                       r_.bore};
            }
        }
        return why;
    }

    static double Tenths(long tenths) { return static_cast<double>(tenths) / 10; }

    double Clearance(double diameter) const {
        return r_.clearance ? *r_.clearance : GuideClearance(diameter);
    }

    bool Locks(int n) const {
        return !FrictionLetsLoad(n, *r_.friction) || FrictionNearLocking(n, *r_.friction);
    }

    // Whether a deflection lies so near 0.75·h0 that only the rows can tell its side.
    static bool Near(const std::array<double, 2>& f, double limit) {
        for (const double value : f) {
            if (value > limit * (1 + kSlack)) {
                return false;
            }
        }
        return true;
    }

    // The deflections at the points of the spring in stack i × n, when the checks would let
    // it through as the relation sees it (near a limit the rows decide later); else none, with
    // the reason noted.
    std::optional<std::array<double, 2>> At(const Spring& s, int n, int i,
                                            const std::array<double, 2>& f_force,
                                            unsigned& reasons) const {
        const std::size_t points = r_.points.size();
        std::array<double, 2> f{};
        for (std::size_t k = 0; k < points; ++k) {
            const LoadPoint& p = r_.points[k];
            f[k] = p.force_given ? f_force[k] : p.s / i;
        }
        if (!Near(f, s.three_quarters)) {
            reasons |= Shortfall::kThreeQuarters;
            return std::nullopt;
        }
        const std::size_t lower = points == 2 && f[1] < f[0] ? 1 : 0;
        if (points == 2 && f[lower] < s.preload * (1 - kSlack)) {
            reasons |= Shortfall::kPreload;
            return std::nullopt;
        }
        const LoadPoint& low = r_.points[lower];
        const double travel = low.force_given ? i * f[lower] : low.s;
        const double length = i * (s.inputs.spring.H + (n - 1) * s.nest) - travel;
        if (r_.max_length && length > *r_.max_length * (1 + kSlack)) {
            reasons |= Shortfall::kLength;
            return std::nullopt;
        }
        return f;
    }

    // What stack i × n of the spring reaches at point k, as the relation gives it.
    double Value(const Spring& s, int n, int i, std::size_t k,
                 const std::array<double, 2>& f_force) const {
        const LoadPoint& p = r_.points[k];
        return p.force_given ? i * f_force[k] : n * OneForce(s, p.s / i);
    }

    // One spring's force at f: by the relation, or through the rows for a spring with flats.
    double OneForce(const Spring& s, double f) const {
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

    // The deflection at which one spring carries `force`, by halving: the force rises with f up
    // to flat in the ranges searched. Beyond what it carries at 0.75·h0: infinity.
    double OneDeflection(const Spring& s, double force) const {
        double low = 0, high = s.three_quarters * (1 + 2 * kSlack);
        if (OneForce(s, high) < force) {
            return kInfinity;
        }
        for (int step = 0; step < 60; ++step) {
            const double mid = (low + high) / 2;
            (OneForce(s, mid) < force ? low : high) = mid;
        }
        return high;
    }

    // The most a stack of the space carries at a given-force point within 0.75·h0, as its row
    // shows it.
    double MostCarried(const std::vector<Spring>& springs, std::size_t k) const {
        double most = 0;
        for (const Probe& probe : carried_[k].probes()) {
            const Spring& s = springs[probe.spring];
            RowInputs at = s.inputs;
            at.spring.f = s.three_quarters;
            RowOptions options;
            options.material = r_.material;
            options.flats = s.flats;
            options.stack = probe.stack;
            const Row row = CalculateRow(at, options);
            if (row.results && row.results->stack) {
                most = std::max(most, row.results->stack->F_stack);
            }
        }
        return most;
    }

    // The spring in this stack at every point, as its rows give it; none when the checks would
    // find anything there: beyond 0.75·h0, a shallow preload, over Rm, too long, locking.
    std::optional<Candidate> Evaluate(const Spring& s, StackLayout stack) const {
        if (r_.friction && Locks(stack.parallel)) {
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
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            const LoadPoint& p = r_.points[k];
            const auto f =
                DeflectionAtPoint(c.spring, c.options, p.force_given, p.force_given ? p.F : p.s);
            if (!f) {
                return std::nullopt;
            }
            RowInputs point = c.spring;
            point.spring.f = *f;
            PointOutcome outcome{*f, CalculateRow(point, c.options), 0};
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
        if (!CheckWorkingPoints(c.spring.spring, t_reduced, at).empty()) {
            return std::nullopt;
        }
        const PointOutcome& upper = c.points[static_cast<std::size_t>(c.upper)];
        if (CheckStrength(c.upper, upper.f, upper.row.results->spring.sigma_om, r_.material)) {
            return std::nullopt;
        }
        const PointOutcome& lower =
            c.points[static_cast<std::size_t>(1 - c.upper) % c.points.size()];
        if (r_.max_length && CompareAsShown(lower.row.results->stack->L, *r_.max_length) > 0) {
            return std::nullopt;
        }
        return c;
    }

    // Whether every point is reached within its tolerance, as shown.
    bool Within(const Candidate& c) const {
        for (std::size_t k = 0; k < c.points.size(); ++k) {
            if (CompareAsShown(std::abs(c.points[k].deviation), r_.points[k].tolerance) > 0) {
                return false;
            }
        }
        return true;
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

    const Requirement& r_;
    bool fitted_ = false;
    unsigned excluded_ = 0;
    std::vector<Extreme> high_, low_, carried_;
    Extreme nearest_{false};
};

// The ranking: fewest springs, lowest σOM ÷ Rm, shortest stack, then lighter, then smaller D.
bool Better(const Candidate& a, const Candidate& b) {
    const auto key = [](const Candidate& c) {
        return std::tuple(c.Springs(), c.utilisation, c.L0, c.mass, c.spring.spring.D,
                          c.spring.spring.d, c.spring.spring.t, c.spring.spring.H, c.stack.series);
    };
    return key(a) < key(b);
}

// Of special springs that differ only in H, the one whose points lie nearest what was asked: a
// maker grinds one height, and the list then offers different springs.
void KeepNearestHeight(std::vector<Candidate>& special) {
    const auto family = [](const Candidate& c) {
        const SpringInputs& s = c.spring.spring;
        return std::tuple(s.D, s.d, s.t, c.stack.series, c.stack.parallel);
    };
    const auto misfit = [](const Candidate& c) {
        double worst = 0;
        for (const PointOutcome& point : c.points) {
            worst = std::max(worst, std::abs(point.deviation));
        }
        return worst;
    };
    std::sort(special.begin(), special.end(), [&](const Candidate& a, const Candidate& b) {
        return std::tuple(family(a), misfit(a), a.spring.spring.H) <
               std::tuple(family(b), misfit(b), b.spring.spring.H);
    });
    special.erase(
        std::unique(special.begin(), special.end(),
                    [&](const Candidate& a, const Candidate& b) { return family(a) == family(b); }),
        special.end());
}

}  // namespace

Selection Select(const Requirement& requirement, const std::vector<CatalogueSpring>& catalogue) {
    Selection selection;
    Search search(requirement);
    std::vector<Spring> springs;
    for (std::size_t index = 0; index < catalogue.size(); ++index) {
        const CatalogueSpring& spring = catalogue[index];
        if (search.Fits(spring.spring.spring)) {
            if (auto s = search.Prepare(spring.spring, spring.flats, index)) {
                springs.push_back(std::move(*s));
            }
        }
    }
    const std::size_t from_catalogue = springs.size();
    if (requirement.special > 0) {
        search.Outline(springs);
    }
    for (std::size_t k = 0; k < from_catalogue; ++k) {
        search.Stacks(springs[k], [&](StackLayout stack) {
            if (auto c = search.Offered(springs[k], stack)) {
                selection.catalogue.push_back(std::move(*c));
            }
        });
    }
    // Special springs by the fewest springs first, the ranking's first key: once the specials
    // to show are among those found, none with more springs can displace them.
    std::vector<std::pair<std::size_t, StackLayout>> stacks;
    for (std::size_t k = from_catalogue; k < springs.size(); ++k) {
        search.Stacks(springs[k], [&](StackLayout stack) { stacks.emplace_back(k, stack); });
    }
    const auto count = [](const std::pair<std::size_t, StackLayout>& at) {
        return at.second.series * at.second.parallel;
    };
    std::stable_sort(stacks.begin(), stacks.end(),
                     [&](const auto& a, const auto& b) { return count(a) < count(b); });
    for (std::size_t k = 0; k < stacks.size(); ++k) {
        if (auto c = search.Offered(springs[stacks[k].first], stacks[k].second)) {
            selection.special.push_back(std::move(*c));
        }
        const bool settled = k + 1 == stacks.size() || count(stacks[k + 1]) > count(stacks[k]);
        if (settled && selection.special.size() >= static_cast<std::size_t>(requirement.special)) {
            KeepNearestHeight(selection.special);
            if (selection.special.size() >= static_cast<std::size_t>(requirement.special)) {
                break;
            }
        }
    }
    std::sort(selection.catalogue.begin(), selection.catalogue.end(), Better);
    KeepNearestHeight(selection.special);
    std::sort(selection.special.begin(), selection.special.end(), Better);
    if (selection.special.size() > static_cast<std::size_t>(requirement.special)) {
        selection.special.resize(static_cast<std::size_t>(requirement.special));
    }
    if (selection.catalogue.empty() && selection.special.empty()) {
        for (std::size_t k = 0; k < springs.size(); ++k) {
            search.Reach(k, springs[k]);
        }
        selection.shortfall = search.Why(springs);
    }
    return selection;
}

}  // namespace calc
