// Any bytes read as a box text give a finite number or the conversion's overflow fault.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "runtime/text_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = runtime::TextToNumber(text);
    if (read.has_value()) {
        if (!std::isfinite(*read)) {
            __builtin_trap();
        }
    } else if (read.error() !=
               runtime::Fault{runtime::FaultKind::kOverflow, runtime::FaultSource::kConversion}) {
        __builtin_trap();
    }
    return 0;
}
