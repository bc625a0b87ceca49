// The space a selection searches and how it judges a spring and stack there: shared by the
// search for candidates and the search for what a refusal names.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

#include "calc/selection.h"

namespace calc::detail {

/// The cheap relation agrees with the rows to about 1e-14 of a force; the windows it draws are
/// widened by far more, and every spring and stack inside one is computed through the rows.
inline constexpr double kSelectionSlack = 1e-7;

/// The toleranced quantity of a point: the travel for a given force, the force for a given
/// travel.
inline double Required(const LoadPoint& p) {
    return p.force_given ? p.s : p.F;
}

/// What a stack reaches of a point's toleranced quantity, as its row shows it.
double Reached(const PointOutcome& outcome, const LoadPoint& p);

/// One spring of the space searched, with what the cheap relation needs.
struct SpaceSpring {
    RowInputs inputs;  ///< f = 0
    bool flats = false;
    std::optional<std::size_t> catalogue;
    Inspection inspection = {};  ///< at its test length
    double three_quarters = 0;   ///< 0.75·h0 (h0′ with flats), as shown
    double preload = 0;          ///< 0.15·h0 (h0′), as shown
    double nest = 0;             ///< what a nested spring adds to a packet: t, or t′
    double C = 0, ratio = 0;     ///< 4E ÷ N and h0 ÷ t, for the relation without flats
};

/// The springs that fit a requirement's space, and how a spring in a stack is judged there.
class SelectionSpace {
public:
    explicit SelectionSpace(const Requirement& r) : r_(r) {}

    const Requirement& requirement() const { return r_; }

    /// Whether a spring's outer diameter fits the bore, and its inner one the rod, each with
    /// the clearance the makers give for that diameter, both sides as shown.
    bool Fits(const SpringInputs& spring);
    /// Whether any spring offered to Fits fitted.
    bool fitted() const { return fitted_; }

    /// The spring as the search takes it; none when σOM passes Rm at its test deflection
    /// (Inspect), where a maker tests it (noted as an exclusion): a spring that sets in its
    /// acceptance test is no product.
    std::optional<SpaceSpring> Prepare(const RowInputs& inputs, bool flats,
                                       std::optional<std::size_t> catalogue);

    /// The special springs' outline: every spring of it that fits and lies inside the ranges.
    void Outline(std::vector<SpaceSpring>& springs);

    /// Each stack of a spring that can meet every point, for `take`: for each i the cheap
    /// relation bounds the n, with room to spare; the rows then decide.
    template <typename Take>
    void Stacks(const SpaceSpring& s, const Take& take) const;

    /// The spring in this stack as a candidate, when it is one.
    std::optional<Candidate> Offered(const SpaceSpring& s, StackLayout stack) const;

    /// The spring in this stack at every point, as its rows give it; none when the checks
    /// would find anything there: beyond 0.75·h0, a shallow preload under a dynamic load, over
    /// Rm, too long, longer than 3·D unless allowed, locking. Whether its points are within
    /// their tolerances is not judged.
    std::optional<Candidate> Evaluate(const SpaceSpring& s, StackLayout stack) const;

    /// Whether friction locks a stack of n nested springs, or nearly.
    bool Locks(int n) const;

    /// One spring's force at f: by the relation, or through the rows for a spring with flats.
    double OneForce(const SpaceSpring& s, double f) const;
    /// The deflection at which one spring carries `force`, by halving: the force rises with f
    /// up to flat in the ranges searched. Beyond what it carries at 0.75·h0: 0.75·h0 when that
    /// lies within `tolerance` of the force (the point met there), else infinity.
    double OneDeflection(const SpaceSpring& s, double force, double tolerance) const;

    /// The Shortfall::Exclusion reasons met so far.
    unsigned excluded() const { return excluded_; }
    void Exclude(unsigned reasons) { excluded_ |= reasons; }
    /// The stacks that met everything but the required life, by why.
    Shortfall::FatigueMisses fatigue_misses() const { return fatigue_misses_; }

private:
    bool FitsBore(double D) const;
    bool FitsRod(double d) const;
    double Clearance(double diameter) const;
    bool Within(const Candidate& c) const;
    void Finish(Candidate& c, const SpaceSpring& spring) const;

    const Requirement& r_;
    bool fitted_ = false;
    unsigned excluded_ = 0;
    mutable Shortfall::FatigueMisses fatigue_misses_;
};

template <typename Take>
void SelectionSpace::Stacks(const SpaceSpring& s, const Take& take) const {
    constexpr double kSlack = kSelectionSlack;
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
                // A force met at 0.75·h0 within its tolerance asks the fewest springs.
                const double f_high = std::min(p.s * (1 + p.tolerance) / i, s.three_quarters);
                lo = std::max(lo, p.F * (1 - p.tolerance) / OneForce(s, f_high));
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

}  // namespace calc::detail
