// Any bytes as one batch line, in plain or curve mode with or without a stack (the first byte
// chooses): one row (N + 1 in curve mode unless the fields are wrong), each either all finite
// numbers or an ERROR row; no partial result.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_number.h"
#include "tools/batch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    tools::BatchOptions options{data[0] % 4, {}};
    if (data[0] & 4) {
        options.columns.stack = calc::StackLayout{1 + data[0] / 64, 1 + (data[0] / 8) % 8};
    }
    std::string_view line(reinterpret_cast<const char*>(data + 1), size - 1);
    line = line.substr(0, line.find('\n'));
    int numbering = 0;
    tools::BatchStream stream(options, numbering);
    std::string out;
    stream.Feed(line, out);
    stream.Finish(out);

    const std::size_t numbers = (options.curve_steps > 0 ? 7 : 5) + (options.columns.stack ? 3 : 0);
    std::size_t rows = 0, fields = 0;
    bool error = false;
    for (std::size_t start = 0, end; start < out.size(); start = end + 1) {
        end = out.find_first_of("\t\n", start);
        const std::string_view field = std::string_view(out).substr(start, end - start);
        error = error || field == "ERROR";
        const auto value = runtime::TextToNumber(field);
        if (!error && (!value.has_value() || !std::isfinite(*value))) {
            __builtin_trap();
        }
        ++fields;
        if (out[end] == '\n') {
            if (!error && fields != numbers) {
                __builtin_trap();
            }
            ++rows, fields = 0, error = false;
        }
    }
    if (line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);  // a byte-order mark is not part of the line
    }
    const bool wrong_fields = out.find("个以制表符分隔的字段") != std::string::npos;
    const std::size_t expected = line.empty() ? 0
                                 : wrong_fields || options.curve_steps == 0
                                     ? 1
                                     : options.curve_steps + 1u;
    if (rows != expected) {
        __builtin_trap();
    }
    return 0;
}
