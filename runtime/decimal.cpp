// Doubles to decimal digits and back, through fmt and fast_float.
#include "runtime/decimal.h"

#include <cmath>

// fmt (header-only) writes floating-point digits exactly, by Dragonbox and, for a precision,
// by an exact fallback where a fast path cannot decide; fast_float reads them exactly. Both are
// Debian's and both are plain C++, so WebAssembly gets the same digits as Linux and Windows.
#define FMT_HEADER_ONLY
#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>

namespace runtime {

char* FormatScientific(char* first, double value, int precision) {
    return fmt::format_to(first, FMT_COMPILE("{:.{}e}"), value, precision);
}

char* FormatFixed(char* first, double value, int decimals) {
    return fmt::format_to(first, FMT_COMPILE("{:.{}f}"), value, decimals);
}

Parsed ParseDouble(const char* first, const char* last, double& value) {
    double read = 0;
    const auto [end, ec] = fast_float::from_chars(first, last, read);
    if (ec != std::errc() && end == first) {
        return {first, false};
    }
    if (!std::isfinite(read)) {
        return {end, true};
    }
    value = read;
    return {end, false};
}

}  // namespace runtime
