// Numbers as a reader wants them: every digit, or a reader's precision.
#pragma once

#include <string>

namespace rows {

/// How many digits a text gives: every one (tables, copies, design files, the batch tool) or a
/// reader's (sentences, plot read-outs, the data sheet: Engineering).
enum class Precision { kEvery, kReader };

/// What a number stands for, which decides how a reader wants it.
enum class Measure {
    kLength,  ///< mm
    kOther,   ///< a force, stress, rate, work or ratio
};

/// A number as sentences, plot read-outs and the data sheet give it to a reader, whatever the
/// locale: a length to 0.001 mm ("1.076"); anything else to 4 significant digits, whole from
/// 1000 on ("617.5", "15843"); from 10⁶ on with "E" and 4 significant digits
/// ("1.584E+09"); below 10⁻⁴ likewise. Trailing zeros are dropped. Tables, copies, design files and
/// the batch tool keep every digit (runtime::NumberToText).
std::string Engineering(double value, Measure measure);

}  // namespace rows
