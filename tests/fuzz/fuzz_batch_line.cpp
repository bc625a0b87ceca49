// Any bytes as one batch line give exactly one answer line: five finite result texts, or ERROR.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_number.h"
#include "tools/batch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\n'));
    std::string out;
    const bool computed = tools::AppendBatchLine(line, out);

    if (out.empty() || out.back() != '\n' || out.find('\n') != out.size() - 1) {
        __builtin_trap();
    }
    if (!computed) {
        if (!out.starts_with("ERROR\t")) {
            __builtin_trap();
        }
        return 0;
    }
    // Every result text reads back as a finite number.
    std::size_t fields = 0;
    for (std::size_t start = 0; start < out.size();) {
        const std::size_t end = out.find_first_of("\t\n", start);
        const auto value = runtime::TextToNumber(std::string_view(out).substr(start, end - start));
        if (!value.has_value() || !std::isfinite(*value)) {
            __builtin_trap();
        }
        ++fields;
        start = end + 1;
    }
    if (fields != 5) {
        __builtin_trap();
    }
    return 0;
}
