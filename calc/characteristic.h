#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calc/disc_spring.h"
#include "calc/result_row.h"
#include "runtime/expected.h"
#include "runtime/number_text.h"

namespace calc {

inline constexpr int kMaxCurveSteps = 100000;

/// A spring's characteristic from f = 0 to f_end in N equal steps.
struct Curve {
    SpringInputs spring;  ///< D, d, t, H; f is unused
    double f_end;
    int steps;  ///< N, 1 … kMaxCurveSteps
};

/// The texts of a characteristic: D, d, t, H and the end of the curve.
struct CurveTexts {
    std::array<std::string_view, 4> spring;
    std::string_view f_end;  ///< blank (runtime::IsBlank): h0 = H − t
};

/// Reads the texts by the rules of the calculator's boxes; a number too large for a double, or
/// an h0 that overflows, faults with its quantity.
runtime::Expected<Curve, SpringFault> ReadCurve(const CurveTexts& texts, int steps);

/// One point of a characteristic.
struct CurveRow {
    /// f_k = (f_end × k) ÷ N as the calculator shows it; empty when it could not be formed.
    runtime::NumberText f_text;
    /// The spring with f as f_text reads back, so that typing f_text into the calculator gives
    /// exactly this row's results; absent when there is no such value.
    std::optional<SpringInputs> inputs;
    runtime::Expected<RowResults, SpringFault> results;
};

/// Point k (0 … N) of a characteristic, or of one whose texts could not be read: then every
/// point carries that fault.
CurveRow CurveRowAt(const runtime::Expected<Curve, SpringFault>& curve, int k,
                    const RowColumns& columns);

/// The column names of a characteristic table, with units, tab-separated, without the spring
/// number and line end: "f(mm)\tF(N)\tσom(MPa)…".
void AppendCurveHeader(const RowColumns& columns, std::string& out);

/// A point's fields, tab-separated, without the spring number and line end: f, then the
/// fields of AppendRowFields.
void AppendCurveRow(const CurveRow& row, const RowColumns& columns, std::string& out);

/// The header line of a characteristic table as text: "弹簧", the column names, '\n'.
void AppendCurveTableHeader(const RowColumns& columns, std::string& out);

/// A point as a line of that table: the spring's number, the point's fields, '\n'.
void AppendCurveTableRow(std::int64_t spring, const CurveRow& row, const RowColumns& columns,
                         std::string& out);

}  // namespace calc
