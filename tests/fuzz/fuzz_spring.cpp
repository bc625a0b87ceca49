// Any five doubles (the first 40 bytes), and a sixth as t′: the fast pass gives exactly what
// checking every step one by one gives, the same five finite results to the bit or the same
// first fault, for the plain spring and for the same spring with contact flats.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calc/contact_flats.h"
#include "calc/contact_flats_steps.h"
#include "calc/disc_spring.h"
#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace {

using Result = runtime::Expected<calc::SpringResults, calc::SpringFault>;

void Same(const Result& fast, const Result& stepwise) {
    if (fast.has_value() != stepwise.has_value() ||
        (fast.has_value() ? std::memcmp(&*fast, &*stepwise, sizeof *fast) != 0
                          : fast.error() != stepwise.error())) {
        __builtin_trap();
    }
    if (fast.has_value() && !calc::detail::AllFinite(*fast)) {
        __builtin_trap();
    }
}

Result Flatted(const calc::SpringInputs& in, double t_reduced) {
    runtime::CheckedMath m;
    const auto k = calc::detail::EvaluateCoefficients(m, in, calc::Material{});
    if (!k) {
        return k.error();
    }
    const auto flats = calc::detail::EvaluateFlats(m, in, t_reduced);
    if (!flats) {
        return flats.error();
    }
    return calc::detail::EvaluateFlattedResults(m, *k, t_reduced, flats->h0, flats->K4, in.f,
                                                calc::Material{});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    calc::SpringInputs in{};
    if (size < sizeof in) {
        return 0;
    }
    std::memcpy(&in, data, sizeof in);
    runtime::CheckedMath checked;
    Same(calc::CalculateSpring(in), calc::detail::EvaluateSpring(checked, in));
    double t_reduced = 0;
    if (size >= sizeof in + sizeof t_reduced) {
        std::memcpy(&t_reduced, data + sizeof in, sizeof t_reduced);
        Same(calc::CalculateFlattedSpring(in, t_reduced, calc::Material{}), Flatted(in, t_reduced));
    }
    return 0;
}
