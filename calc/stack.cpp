// A stack's travel, force and length, one checked step at a time.
#include "calc/stack.h"

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace calc {

runtime::Expected<StackResults, SpringFault> CalculateStack(const SpringInputs& in, double F,
                                                            StackLayout layout,
                                                            std::optional<double> t_reduced) {
    runtime::CheckedMath m;
    const double i = layout.series, n = layout.parallel;
    const double s = m.Mul(i, in.f);
    if (m.fault())
        return detail::Stopped(m, Quantity::kS);
    const double F_stack = m.Mul(n, F);
    if (m.fault())
        return detail::Stopped(m, Quantity::kFStack);
    const double nested = m.Mul(layout.parallel - 1, t_reduced.value_or(in.t));  // n − 1 is exact
    const double packet = m.Add(in.H, nested);
    const double L0 = m.Mul(i, packet);
    if (m.fault())
        return detail::Stopped(m, Quantity::kL0);
    const double L = m.Sub(L0, s);
    if (m.fault())
        return detail::Stopped(m, Quantity::kL);
    return StackResults{s, F_stack, L};
}

}  // namespace calc
