// The work one spring takes up between f = 0 and a deflection.
#pragma once

#include "calc/row.h"
#include "runtime/expected.h"

namespace calc {

/// The work one spring takes up when loaded from f = 0 to in.spring.f, in N·mm: the integral of
/// the force relation, not a sum over points,
///   W = 4E·t³ ÷ N · f² · [(a² + 1)/2 − a·u/2 + u²/8],  a = h0/t, u = f/t,
/// and with contact flats (options.flats)
///   W = 4E·t′³ ÷ N · K4² · f² · [K4²·(a′²/2 − a′·u′/2 + u′²/8) + 1/2],  a′ = h0′/t′, u′ = f/t′.
/// A stack of n springs in parallel, i packets in series, takes up n·i times as much over its
/// travel (friction left out). One double operation per step; faults as CalculateSpring does.
runtime::Expected<double, SpringFault> SpringWork(const RowInputs& in, const RowOptions& options);

}  // namespace calc
