// A spring's characteristic from f = 0 to its end, in N equal steps.
#pragma once

#include <optional>
#include <string_view>

#include "calc/row.h"
#include "runtime/expected.h"
#include "runtime/number_text.h"

namespace calc {

inline constexpr int kMaxCurveSteps = 100000;

/// A spring's characteristic from f = 0 to f_end in N equal steps.
struct Curve {
    RowInputs spring;  ///< f is unused
    double f_end;
    int steps;  ///< N, 1 … kMaxCurveSteps
};

/// The texts of a characteristic: D, d, t, [t′,] H and the end of the curve.
struct CurveTexts {
    std::string_view D, d, t, H;
    std::string_view t_reduced;  ///< t′, read only when the options ask for contact flats
    std::string_view f_end;  ///< blank (runtime::IsBlank): flat, at h0 = H − t (h0′ = H − t′)
};

/// Reads the texts by the rules of the calculator's boxes; a number too large for a double, or
/// an h0 that overflows, faults with its quantity.
runtime::Expected<Curve, SpringFault> ReadCurve(const CurveTexts& texts, int steps,
                                                const RowOptions& options);

/// One point of a characteristic.
struct CurveRow {
    /// f_k = (f_end × k) ÷ N as the calculator shows it; empty when it could not be formed.
    runtime::NumberText f_text;
    /// The spring with f as f_text reads back, so that typing f_text into the calculator gives
    /// exactly this row's results; absent when there is no such value.
    std::optional<RowInputs> inputs;
    Row row;
};

/// Point k (0 … N) of a characteristic, or of one whose texts could not be read: then every
/// point carries that fault.
CurveRow CurveRowAt(const runtime::Expected<Curve, SpringFault>& curve, int k,
                    const RowOptions& options);

}  // namespace calc
