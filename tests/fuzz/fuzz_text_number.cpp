// Any bytes read as a box text give a finite number or the conversion's overflow fault, and the
// number's shown text is stable: read back and shown again, it is the same text, never "-0".
// Its digits are the C library's rounding to 15 significant digits.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/number_text.h"
#include "runtime/text_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = runtime::TextToNumber(text);
    if (!read.has_value()) {
        if (read.error() !=
            runtime::Fault{runtime::FaultKind::kOverflow, runtime::FaultSource::kConversion}) {
            __builtin_trap();
        }
        return 0;
    }
    if (!std::isfinite(*read)) {
        __builtin_trap();
    }
    const runtime::NumberText shown = runtime::NumberToText(*read);
    const auto again = runtime::TextToNumber(shown);
    char rounded[64];
    std::snprintf(rounded, sizeof rounded, "%.14e", *read);
    if (std::strtod(std::string(shown.view()).c_str(), nullptr) != std::strtod(rounded, nullptr) ||
        shown.view() == "-0" ||
        (again.has_value() && runtime::NumberToText(*again).view() != shown.view())) {
        __builtin_trap();
    }
    return 0;
}
