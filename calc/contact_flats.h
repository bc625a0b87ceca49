// Force and stresses of a spring with contact flats (DIN 2093 group 3).
#pragma once

#include "calc/disc_spring.h"
#include "runtime/expected.h"

namespace calc {

/// Force and stresses of a spring with contact flats (DIN 2093 group 3, t > 6 mm), its
/// thickness reduced to t′ (0 < t′ ≤ t), by the relations of DIN 2092 with the factor K4:
///   C1 = (t′/t)² ÷ [(H/(4t) − t′/t + 3/4)·(5H/(8t) − t′/t + 3/8)],
///   C2 = C1 ÷ (t′/t)³ · [5/32·(H/t − 1)² + 1],  K4 = √(−C1/2 + √((C1/2)² + C2)),
///   F = 4E·t′⁴·f ÷ (t′·N) · [K4²·(h0′/t′ − f/t′)·(h0′/t′ − f/(2t′)) + 1] · K4²,
/// with h0′ = H − t′, and the stresses as without flats with t′ and h0′ for t and h0, the whole
/// multiplied by K4 and the K2 terms by K4 again (σom positive, the others with −4E as in
/// CalculateSpring). With t′ = t, K4 = 1 and the results are those without flats; at
/// f = 0.75·(H − t) the force is the same as without flats whatever t′, as DIN intends.
runtime::Expected<SpringResults, SpringFault> CalculateFlattedSpring(const SpringInputs& in,
                                                                     double t_reduced,
                                                                     const Material& material);

}  // namespace calc
