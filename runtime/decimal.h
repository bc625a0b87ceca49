// The one seam between doubles and decimal digits, the same code on every platform (Linux,
// Windows, the browser's WebAssembly, whose C++ library lacks the floating-point to_chars and
// from_chars), so that every text has the same bytes everywhere. Correctly rounded both ways:
// to nearest, ties to even.
#pragma once

#include <cstdint>
#include <cstring>

namespace runtime {

/// `value` as printf's "%.*e" writes it with `precision` digits after the point ("1.4e+00",
/// "9.82255688774516e+03"), whatever the locale; never more than 32 + precision bytes. Writes
/// from `first` and returns the end.
char* FormatScientific(char* first, double value, int precision);

/// `value` as printf's "%.*f" writes it with `decimals` digits after the point; never more
/// than 330 + decimals bytes.
char* FormatFixed(char* first, double value, int decimals);

/// What reading a decimal number gave.
struct Parsed {
    const char* end;    ///< past the last character read; `first` when no number was read
    bool out_of_range;  ///< the number is beyond the double range: no value
};

/// The double nearest to the decimal number at the start of [first, last): an optional '-',
/// digits with at most one '.', an optional exponent ('e' or 'E', optional sign, digits). A
/// number beyond the largest double (after rounding) is out of range and leaves `value`
/// untouched; one too small for a double reads as 0 (or the nearest subnormal).
Parsed ParseDouble(const char* first, const char* last, double& value);

/// The bits of one type as another of the same size.
template <typename To, typename From>
To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

}  // namespace runtime
