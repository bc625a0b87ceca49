// Numbers as the design sheet's words show them: every digit, or to a reader's precision.
#pragma once

#include <string>

#include "rows/engineering.h"
#include "runtime/number_text.h"

namespace design::said {

/// Every digit, as the calculator shows it.
inline std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

/// A length to 0.001 mm, and any other quantity to four significant digits.
inline std::string Length(double value) {
    return rows::Engineering(value, rows::Measure::kLength);
}
inline std::string Other(double value) {
    return rows::Engineering(value, rows::Measure::kOther);
}

}  // namespace design::said
