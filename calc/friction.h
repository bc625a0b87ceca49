// Friction in a stack of springs nested in parallel, as DIN 2092 gives it.
#pragma once

#include "calc/disc_spring.h"
#include "runtime/expected.h"

namespace calc {

/// Friction in a stack of n springs nested in parallel, as DIN 2092 gives it: at the surfaces
/// between nested springs (w_M) and at the load-bearing edges (w_R), each from 0 to 0.2.
struct Friction {
    double w_M = 0;
    double w_R = 0;
};

/// The stack's force when it is loaded and when it is unloaded.
struct FrictionForces {
    double F_load;    ///< n·F ÷ (1 − w_M·(n − 1) − w_R), N
    double F_unload;  ///< n·F ÷ (1 + w_M·(n − 1) + w_R), N
};

/// The friction forces for a stack force n·F: a = w_M × (n − 1); then 1 − a (1 + a); then
/// − w_R (+ w_R); then n·F ÷ that, one checked double operation each.
runtime::Expected<FrictionForces, SpringFault> CalculateFriction(double nF, int n,
                                                                 const Friction& friction);

/// Whether the loading divisor 1 − w_M·(n − 1) − w_R, formed as above, is positive: otherwise
/// the stack locks itself and the relation gives no force.
bool FrictionLetsLoad(int n, const Friction& friction);

/// The friction coefficients typical of disc springs go up to these: w_M 0.005 … 0.03 between
/// nested springs, w_R 0.02 … 0.04 at the edges (guidance from open DIN 2092 code and makers).
inline constexpr Friction kTypicalFrictionLimit{0.03, 0.04};

/// Whether the friction raises the loading force more than the typical coefficients at their
/// limit would for this n: w_M·(n − 1) + w_R above 0.03·(n − 1) + 0.04.
bool FrictionBeyondTypical(int n, const Friction& friction);

/// Whether the loading force is at least twice the friction-free one (the divisor at most 0.5):
/// the stack is close to locking itself, and small changes of friction change its force a lot.
bool FrictionNearLocking(int n, const Friction& friction);

}  // namespace calc
