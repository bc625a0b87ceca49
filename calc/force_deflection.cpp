// Finding the deflection at which a spring or stack carries a force.
#include "calc/force_deflection.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <string_view>

#include "calc/contact_flats_steps.h"
#include "calc/spring_rate_steps.h"
#include "runtime/checked_math.h"
#include "runtime/decimal.h"
#include "runtime/number_text.h"

namespace calc {
namespace {

// The force and the rate of one spring (or its stack) as functions of f, through the very
// steps a row takes, so that the force found is the force the row shows.
class Characteristic {
public:
    Characteristic(const detail::Coefficients& k, double t, double h0, double K4, bool flats, int n,
                   const Material& material)
        : k_(k), t_(t), h0_(h0), K4_(K4), flats_(flats), n_(n), material_(material) {}

    double Force(double f) const {
        runtime::FaultFlagMath m;  // the search wants values; the row itself is checked
        const auto r = flats_ ? detail::EvaluateFlattedResults(m, k_, t_, h0_, K4_, f, material_)
                              : detail::EvaluateResults(m, k_, t_, f, material_);
        return n_ == 1 ? r->F : m.Mul(n_, r->F);  // F_stack as the stack column forms it
    }
    double Rate(double f) const {
        runtime::FaultFlagMath m;
        return *detail::EvaluateRate(m, k_, t_, h0_, K4_, f, material_);
    }

private:
    detail::Coefficients k_;
    double t_, h0_, K4_;
    bool flats_;
    int n_;
    Material material_;
};

// The next number of 15 significant digits above (or below) a non-negative number of 15
// significant digits. Worked in decimal digits and parsed once, so no library power of ten
// (whose rounding differs between C runtimes) decides the result.
double NextShown(double shown, bool up) {
    char text[48];
    const char* const end = runtime::FormatScientific(text, shown, 14);
    const std::string_view written(text, static_cast<std::size_t>(end - text));
    const auto e = written.find('e');
    std::uint64_t digits = 0;
    for (const char c : written.substr(0, e)) {
        if (c != '.') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
        }
    }
    int exponent = 0;
    const auto exponent_text = written.substr(e + 1);
    std::from_chars(exponent_text.data() + (exponent_text.front() == '+'),
                    exponent_text.data() + exponent_text.size(), exponent);
    constexpr std::uint64_t kLeast = 100'000'000'000'000;  // 1.00000000000000
    if (up) {
        if (++digits == 10 * kLeast) {
            digits = kLeast;
            ++exponent;
        }
    } else if (digits == kLeast) {
        // Just below a power of ten the digits are a tenth as far apart.
        digits = 10 * kLeast - 1;
        --exponent;
    } else if (digits == 0) {
        return -1e-14;
    } else {
        --digits;
    }
    const std::string neighbour = std::to_string(digits) + 'e' + std::to_string(exponent - 14);
    double value = 0;
    runtime::ParseDouble(neighbour.data(), neighbour.data() + neighbour.size(), value);
    return value;
}

// The largest f in [low, high] at which `rising` holds, for a `rising` true at low and false
// at high: bisection down to neighbouring doubles.
template <typename Predicate>
double LastTrue(double low, double high, const Predicate& rising) {
    while (std::nextafter(low, high) < high) {
        const double middle = low + (high - low) / 2;
        (rising(middle) ? low : high) = middle;
    }
    return low;
}

}  // namespace

// What a search keeps of its spring: the characteristic and how far it rises.
struct ForceSearch::State {
    Characteristic curve;
    double flat, peak, most;
};

runtime::Expected<ForceSearch, RowError> ForceSearch::For(const RowInputs& spring,
                                                          const RowOptions& options) {
    if (options.flats && !(spring.t_reduced > 0 && spring.t_reduced <= spring.spring.t)) {
        return RowError{
            Refusal{Refusal::Kind::kReducedThickness, spring.t_reduced, spring.spring.t}};
    }
    runtime::CheckedMath m;
    const auto shape = detail::EvaluateShape(
        m, spring.spring, options.flats ? std::optional(spring.t_reduced) : std::nullopt,
        options.material);
    if (!shape) {
        return RowError{shape.error()};
    }
    const double h0 = shape->h0;
    const double flat = runtime::ShownValue(h0);
    if (!(flat > 0) || !std::isfinite(flat)) {
        return RowError{Refusal{Refusal::Kind::kNoConeHeight, 0, 0}};
    }
    const Characteristic curve(shape->k, shape->t, h0, shape->K4, options.flats,
                               options.stack ? options.stack->parallel : 1, options.material);
    // Rising all the way to flat, or up to a peak first.
    const double peak = curve.Rate(flat) >= 0
                            ? flat
                            : LastTrue(0.0, flat, [&curve](double f) { return curve.Rate(f) > 0; });
    const double most = curve.Force(runtime::ShownValue(peak));
    ForceSearch search;
    search.state_ = std::make_shared<const State>(State{curve, flat, peak, most});
    return search;
}

runtime::Expected<double, RowError> ForceSearch::Deflection(double force) const {
    if (force < 0) {
        return RowError{Refusal{Refusal::Kind::kNegativeForce, force, 0}};
    }
    if (force == 0) {
        return 0.0;
    }
    const Characteristic& curve = state_->curve;
    const double most = state_->most;
    // Compared as shown, so that the most a refusal names, typed back, is reached.
    if (!(force <= most) && !(runtime::ShownValue(force) <= runtime::ShownValue(most))) {
        return RowError{Refusal{Refusal::Kind::kBeyondReach, force, most}};
    }
    const double below =
        LastTrue(0.0, state_->peak, [&](double f) { return curve.Force(f) < force; });

    // A force that shows as asked first (2720 N, not 2719.99999999999), then the nearest.
    double best = runtime::ShownValue(below);
    double best_gap = std::numeric_limits<double>::infinity();
    bool best_shows = false;
    const double centre = best;
    const double asked = runtime::ShownValue(force);
    for (const double f : {NextShown(centre, false), centre, NextShown(centre, true)}) {
        const double reached = curve.Force(f);
        const double gap = std::fabs(reached - force);
        const bool shows = runtime::ShownValue(reached) == asked;
        if (f >= 0 && (shows > best_shows || (shows == best_shows &&
                                              (gap < best_gap || (gap == best_gap && f < best))))) {
            best = f;
            best_gap = gap;
            best_shows = shows;
        }
    }
    return best;
}

runtime::Expected<double, RowError> DeflectionForForce(const RowInputs& spring,
                                                       const RowOptions& options, double force) {
    if (force < 0) {
        return RowError{Refusal{Refusal::Kind::kNegativeForce, force, 0}};
    }
    const auto search = ForceSearch::For(spring, options);
    if (!search) {
        if (const auto* refusal = std::get_if<Refusal>(&search.error());
            refusal && refusal->kind == Refusal::Kind::kNoConeHeight) {
            return RowError{Refusal{Refusal::Kind::kNoConeHeight, force, 0}};
        }
        return search.error();
    }
    return search->Deflection(force);
}

runtime::Expected<double, RowError> DeflectionAtPoint(const RowInputs& spring,
                                                      const RowOptions& options, bool by_force,
                                                      double value) {
    if (by_force) {
        return DeflectionForForce(spring, options, value);
    }
    if (!options.stack || options.stack->series == 1) {
        return options.stack ? runtime::ShownValue(value) : value;
    }
    // s ÷ i as shown, or a neighbour in its last digit when only that gives i × f as asked
    // (3 × 0.333333333333334 shows as 1; 3 × 0.333333333333333 as 0.999999999999999).
    const int i = options.stack->series;
    const double centre = runtime::ShownValue(value / i);
    const double asked = runtime::ShownValue(value);
    for (const double f : {centre, NextShown(centre, false), NextShown(centre, true)}) {
        if (f >= 0 && runtime::ShownValue(i * f) == asked) {
            return f;
        }
    }
    return centre;
}

}  // namespace calc
