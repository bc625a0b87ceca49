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

}  // namespace calc
