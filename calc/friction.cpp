// The DIN 2092 friction of a stack, one checked step at a time.
#include "calc/friction.h"

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"

namespace calc {
namespace {

double LoadingDivisor(runtime::CheckedMath& m, int n, const Friction& friction) {
    const double a = m.Mul(friction.w_M, n - 1);  // n − 1 is exact
    const double b = m.Sub(1, a);
    return m.Sub(b, friction.w_R);
}

}  // namespace

runtime::Expected<FrictionForces, SpringFault> CalculateFriction(double nF, int n,
                                                                 const Friction& friction) {
    runtime::CheckedMath m;
    const double loading = LoadingDivisor(m, n, friction);
    const double F_load = m.Div(nF, loading);
    if (m.fault())
        return detail::Stopped(m, Quantity::kFLoad);
    const double a = m.Mul(friction.w_M, n - 1);
    const double b = m.Add(1, a);
    const double unloading = m.Add(b, friction.w_R);
    const double F_unload = m.Div(nF, unloading);
    if (m.fault())
        return detail::Stopped(m, Quantity::kFUnload);
    return FrictionForces{F_load, F_unload};
}

bool FrictionLetsLoad(int n, const Friction& friction) {
    runtime::CheckedMath m;
    return LoadingDivisor(m, n, friction) > 0;
}

bool FrictionBeyondTypical(int n, const Friction& friction) {
    runtime::CheckedMath m;
    return LoadingDivisor(m, n, friction) < LoadingDivisor(m, n, kTypicalFrictionLimit);
}

bool FrictionNearLocking(int n, const Friction& friction) {
    runtime::CheckedMath m;
    return LoadingDivisor(m, n, friction) <= 0.5;
}

}  // namespace calc
