// Why a requirement finds no candidate, with the values the space reaches.
#include "calc/selection_shortfall.h"

#include <limits>

#include "calc/row.h"

namespace calc::detail {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kSlack = kSelectionSlack;
// How many of the nearest springs to an extreme are computed through the rows to name it.
constexpr std::size_t kProbes = 6;

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

// Offers each stack of each spring that the checks would let through to the extremes, cheaply,
// notes why the others are excluded, and names the extremes as the rows give them.
class ShortfallSearch {
public:
    ShortfallSearch(SelectionSpace& space, const std::vector<SpaceSpring>& springs)
        : space_(space), r_(space.requirement()), springs_(springs) {
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            high_.emplace_back(true);
            low_.emplace_back(false);
            carried_.emplace_back(true);
        }
    }

    // Offers the usable stacks of one spring to the extremes and notes why the others are not.
    void Reach(std::size_t index, const SpaceSpring& s) {
        const std::size_t points = r_.points.size();
        const double at_limit = space_.OneForce(s, s.three_quarters);  // one spring, at 0.75·h0
        for (int n = 1; n <= r_.max_parallel; ++n) {
            if (space_.Locks(n)) {
                space_.Exclude(Shortfall::kLocking);
                continue;
            }
            unsigned reasons = 0;
            bool carries = true;
            std::array<double, 2> f_force{};
            for (std::size_t k = 0; k < points; ++k) {
                const LoadPoint& p = r_.points[k];
                if (p.force_given) {
                    const double most = n * at_limit;
                    carried_[k].Offer({most, index, {1, n}});
                    f_force[k] = space_.OneDeflection(s, p.F / n, p.tolerance);
                    if (f_force[k] > s.three_quarters * (1 + kSlack)) {
                        reasons |= Shortfall::kThreeQuarters;
                        carries = false;
                    }
                }
            }
            if (!carries) {
                space_.Exclude(reasons);
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
                if (reasons & (Shortfall::kPreload | Shortfall::kLength | Shortfall::kLongStack)) {
                    first = r_.max_series;  // a larger i preloads less and is longer still
                }
            }
            if (first > r_.max_series) {
                space_.Exclude(reasons);
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
    Shortfall Why() const {
        Shortfall why = Nearest();
        if (why.kind != Shortfall::Kind::kNoSpace) {
            why.excluded = space_.excluded();
        }
        return why;
    }

private:
    Shortfall Nearest() const {
        Shortfall why{Shortfall::Kind::kNoSpace, 0, false, 0, 0, r_.bore, 0, {}};
        if (!space_.fitted()) {
            return why;
        }
        std::vector<double> high(r_.points.size(), -kInfinity), low(high.size(), kInfinity);
        bool usable = false;
        for (std::size_t k = 0; k < r_.points.size(); ++k) {
            for (const auto* extreme : {&high_[k], &low_[k]}) {
                for (const Probe& probe : extreme->probes()) {
                    if (const auto c = space_.Evaluate(springs_[probe.spring], probe.stack)) {
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
                const double most = MostCarried(k);
                // A force met at 0.75·h0 within its tolerance is carried.
                if (p.force_given && CompareAsShown(p.F * (1 - p.tolerance), most) > 0) {
                    return {Shortfall::Kind::kTooHigh,
                            static_cast<int>(k),
                            false,
                            p.F,
                            most,
                            r_.bore,
                            0,
                            {}};
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
            const auto c = space_.Evaluate(springs_[probe.spring], probe.stack);
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
                       r_.bore,
                       0,
                       {}};
            }
        }
        return why;
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
    std::optional<std::array<double, 2>> At(const SpaceSpring& s, int n, int i,
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
        if (r_.dynamic && points == 2 && f[lower] < s.preload * (1 - kSlack)) {
            reasons |= Shortfall::kPreload;
            return std::nullopt;
        }
        const LoadPoint& low = r_.points[lower];
        const double travel = low.force_given ? i * f[lower] : low.s;
        const double free = i * (s.inputs.spring.H + (n - 1) * s.nest);
        if (r_.max_length && free - travel > *r_.max_length * (1 + kSlack)) {
            reasons |= Shortfall::kLength;
            return std::nullopt;
        }
        if (!r_.long_stacks && free > 3 * s.inputs.spring.D * (1 + kSlack)) {
            reasons |= Shortfall::kLongStack;
            return std::nullopt;
        }
        return f;
    }

    // What stack i × n of the spring reaches at point k, as the relation gives it.
    double Value(const SpaceSpring& s, int n, int i, std::size_t k,
                 const std::array<double, 2>& f_force) const {
        const LoadPoint& p = r_.points[k];
        return p.force_given ? i * f_force[k] : n * space_.OneForce(s, p.s / i);
    }

    // The most a stack of the space carries at a given-force point within 0.75·h0, as its row
    // shows it.
    double MostCarried(std::size_t k) const {
        double most = 0;
        for (const Probe& probe : carried_[k].probes()) {
            const SpaceSpring& s = springs_[probe.spring];
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

    SelectionSpace& space_;
    const Requirement& r_;
    const std::vector<SpaceSpring>& springs_;
    std::vector<Extreme> high_, low_, carried_;
    Extreme nearest_{false};
};

}  // namespace

Shortfall FindShortfall(SelectionSpace& space, const std::vector<SpaceSpring>& springs) {
    ShortfallSearch search(space, springs);
    for (std::size_t k = 0; k < springs.size(); ++k) {
        search.Reach(k, springs[k]);
    }
    return search.Why();
}

}  // namespace calc::detail
