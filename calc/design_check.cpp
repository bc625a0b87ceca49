// The design checks.
#include "calc/design_check.h"

#include <cmath>

#include "runtime/number_text.h"

namespace calc {
namespace {

// Rounding to 15 significant digits moves a value by less than 5.3e-15 of itself, so a
// quantity formed through two such roundings lies within 1.1e-14 of its value as computed. Only
// a quantity that close to what it is compared with needs its shown value; the rest compare as
// computed, which spares the conversions on nearly every row.
constexpr double kCloseBy = 1e-13;

double Shown(double value) {
    return runtime::ShownValue(value);
}

// How a quantity, as shown, compares with `other`, as shown too (a deflection typed with 17
// digits at a limit is at it): -1 below, 0 equal, 1 above. `computed` is the quantity as double
// arithmetic forms it, `shown()` gives it as the program shows it.
template <typename ShownOf>
int CompareShown(double computed, const ShownOf& shown, double other) {
    const double gap = computed - other;
    if (std::fabs(computed) > 1e-290 && std::fabs(gap) > kCloseBy * std::fabs(computed)) {
        return gap > 0 ? 1 : -1;
    }
    const double exact = shown();
    const double against = Shown(other);
    return exact > against ? 1 : (exact < against ? -1 : 0);
}

template <typename ShownOf>
bool Outside(double computed, const ShownOf& shown, const DesignBand& band) {
    return CompareShown(computed, shown, band.low) < 0 ||
           CompareShown(computed, shown, band.high) > 0;
}

}  // namespace

int CompareAsShown(double value, double limit) {
    return CompareShown(
        value, [value] { return Shown(value); }, limit);
}

ShownQuantities ShowQuantities(const SpringInputs& in, std::optional<double> t_reduced) {
    const double h0 = Shown(in.H - in.t);
    const double t = t_reduced.value_or(in.t);
    const double flat = t_reduced ? Shown(in.H - t) : h0;
    return {h0, flat, Shown(0.75 * flat), Shown(in.D / in.d), Shown(in.D / t), Shown(flat / t)};
}

Findings CheckDesign(const SpringInputs& in, std::optional<double> t_reduced) {
    const double t = t_reduced.value_or(in.t);  // the thickness the ratios take
    const double flat = in.H - t;
    Findings found;
    auto note = [&found](bool condition, Finding finding) {
        if (condition) {
            found.add(finding);
        }
    };
    const auto shown_flat = [flat] { return Shown(flat); };
    const auto shown_quarters = [flat] { return Shown(0.75 * Shown(flat)); };
    const auto shown_dd = [&in] { return Shown(in.D / in.d); };
    const auto shown_dt = [&in, t] { return Shown(in.D / t); };
    const auto shown_h0t = [flat, t] { return Shown(Shown(flat) / t); };
    // A shown height is positive exactly when the difference is: rounding keeps the sign and
    // never reaches 0.
    const bool cone = in.H > in.t;
    const bool has_flat = cone && flat > 0;
    note(in.D <= in.d, Finding::kDiametersSwapped);
    note(in.t <= 0, Finding::kNoThickness);
    note(!cone, Finding::kNoConeHeight);
    note(in.f < 0, Finding::kPull);
    const bool beyond_flat = has_flat && CompareShown(flat, shown_flat, in.f) < 0;
    note(beyond_flat, Finding::kBeyondFlat);
    note(has_flat && !beyond_flat && CompareShown(0.75 * flat, shown_quarters, in.f) < 0,
         Finding::kBeyondThreeQuarters);
    note(in.D > in.d && in.d > 0 && Outside(in.D / in.d, shown_dd, kDiameterRatioBand),
         Finding::kDiameterRatio);
    note(in.D > 0 && t > 0 && Outside(in.D / t, shown_dt, kSlendernessBand), Finding::kSlenderness);
    note(t > 0 && has_flat && Outside(flat / t, shown_h0t, kHeightRatioBand),
         Finding::kHeightRatio);
    note(in.t > 6 && !t_reduced, Finding::kThick);
    return found;
}

std::vector<PointFinding> CheckWorkingPoints(const SpringInputs& spring,
                                             std::optional<double> t_reduced,
                                             const std::array<std::optional<double>, 2>& f,
                                             Load load) {
    const ShownQuantities shown = ShowQuantities(spring, t_reduced);
    std::vector<PointFinding> found;
    for (std::size_t k = 0; k < f.size(); ++k) {
        if (!f[k]) {
            continue;
        }
        SpringInputs at = spring;
        at.f = *f[k];
        const int point = static_cast<int>(k);
        const Findings limits = CheckDesign(at, t_reduced);
        if (limits.has(Finding::kBeyondFlat)) {
            found.push_back({PointCheck::kBeyondFlat, point, at.f, shown.flat});
        }
        if (limits.has(Finding::kBeyondThreeQuarters)) {
            found.push_back({PointCheck::kBeyondThreeQuarters, point, at.f, shown.three_quarters});
        }
    }
    if (load == Load::kDynamic && f[0] && f[1]) {
        const std::size_t lower = *f[0] <= *f[1] ? 0 : 1;
        const double preload = Shown(0.15 * shown.flat);
        if (CompareAsShown(*f[lower], preload) < 0) {
            found.push_back(
                {PointCheck::kShallowPreload, static_cast<int>(lower), *f[lower], preload});
        }
    }
    return found;
}

bool LongStack(double L0, double D) {
    return CompareAsShown(L0, Shown(3 * D)) > 0;
}

std::optional<double> Utilisation(double sigma_om, const Material& material) {
    return material.Rm ? std::optional(sigma_om / *material.Rm) : std::nullopt;
}

std::optional<PointFinding> CheckStrength(int point, double f, double sigma_om,
                                          const Material& material) {
    if (!material.Rm || CompareAsShown(sigma_om, *material.Rm) <= 0) {
        return std::nullopt;
    }
    return PointFinding{PointCheck::kOverstressed, point, f, *material.Rm, sigma_om};
}

}  // namespace calc
