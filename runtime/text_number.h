// The numeric value of a text, as a text box read gives it, whatever the locale.
#pragma once

#include <optional>
#include <string_view>

#include "runtime/expected.h"
#include "runtime/fault.h"

namespace runtime {

/// The numeric value of a text, as a text box read gives it, whatever the process locale.
///
/// Blanks (space, tab, CR, LF, U+3000) are ignored wherever they stand. Then either
///  - "&H" + hex digits or "&O" + octal digits: an integer, taken as a signed 16-bit value
///    up to FFFF and as a signed 32-bit value up to FFFFFFFF; more is an overflow fault; or
///  - an optional sign, digits with at most one '.', and an optional exponent (E, e, D or d,
///    optional sign, digits).
/// Reading stops at the first character that cannot continue the number, and the value is the
/// double nearest to what was read. A text without such a leading number reads as 0; a number
/// too large for a double is an overflow fault (kConversion); one too small reads as 0.
///
/// `text` is UTF-8; any bytes at all are accepted.
Expected<double, Fault> TextToNumber(std::string_view text);

/// What reading a text gave, and whether the number was all the text held.
struct NumberReading {
    Expected<double, Fault> value;  ///< as TextToNumber gives it
    /// At least one digit was read, and nothing but blanks follows the number. An exponent
    /// marker without digits ("1e") is not part of the number.
    bool whole;
};

/// TextToNumber, telling also whether the text was read whole ("3,5" reads 3, not whole).
NumberReading ReadNumber(std::string_view text);

/// Whether the text holds nothing but blanks (space, tab, CR, LF, U+3000): the blanks the
/// reader skips. The empty text is blank.
bool IsBlank(std::string_view text);

/// A number written plainly and whole ("40", "1.2", "5e3", with blanks only around it), finite,
/// the same in every locale; none for anything else ("1 2", "&H29", "3,5", "", "inf"). How a
/// requirement is read in every face: a value an engineer types there is never guessed at.
std::optional<double> ReadPlainNumber(std::string_view text);

}  // namespace runtime
