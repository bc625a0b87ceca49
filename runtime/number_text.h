// A number's text as the calculator shows it, whatever the locale.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

/// A number's text, short enough to live without the heap.
class NumberText {
public:
    std::string_view view() const { return {data_, size_}; }
    operator std::string_view() const { return view(); }

private:
    friend NumberText NumberToText(double value);

    char data_[32];
    std::size_t size_ = 0;
};

/// The text a result box shows for a number, whatever the process locale: the value rounded
/// to 15 significant digits, trailing zeros dropped, '.' as the point, '-' for negatives.
/// Fixed notation when the decimal exponent X after rounding is 0…14, or when X < 0 and at
/// most 15 digits follow the point; otherwise "d.dddE+XX" with at least two exponent digits.
/// Zero, negative zero included, is "0". Non-finite values (never a result of the model)
/// show as "inf", "-inf" and "nan".
NumberText NumberToText(double value);

/// `value` rounded to `significant` digits (1 … 17), trailing zeros dropped, whatever the
/// process locale: fixed notation when the decimal exponent after rounding is −4 … 5
/// ("617.5", "0.0004213"), else "d.dddE+XX" ("1.584E+09"). Zero is "0"; non-finite values as
/// NumberToText shows them.
std::string RoundedText(double value, int significant);

/// `value` rounded to `decimals` places after the point (0 … 17), trailing zeros and a bare
/// point dropped ("2.1", "-0.041", "15843"); a value that rounds to zero is "0".
std::string FixedText(double value, int decimals);

/// The value a number's text reads back as: `value` rounded to 15 significant digits, the
/// number a user sees and can type. Non-finite values stay as they are; the few largest
/// doubles, whose text lies beyond the double range, give infinity.
double ShownValue(double value);

}  // namespace runtime
