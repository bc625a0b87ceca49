// Any five doubles (the first 40 bytes): the fast pass gives exactly what checking every step one
// by one gives, the same five finite results to the bit or the same first fault.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "calc/disc_spring.h"
#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    calc::SpringInputs in{};
    if (size < sizeof in) {
        return 0;
    }
    std::memcpy(&in, data, sizeof in);
    const auto fast = calc::CalculateSpring(in);
    runtime::CheckedMath checked;
    const auto stepwise = calc::detail::EvaluateSpring(checked, in);
    if (fast.has_value() != stepwise.has_value() ||
        (fast.has_value() ? std::memcmp(&*fast, &*stepwise, sizeof *fast) != 0
                          : fast.error() != stepwise.error())) {
        __builtin_trap();
    }
    if (!fast.has_value()) {
        return 0;
    }
    for (const double value : {fast->F, fast->sigma_om, fast->sigma1, fast->sigma2, fast->sigma3}) {
        if (!std::isfinite(value)) {
            __builtin_trap();
        }
    }
    return 0;
}
