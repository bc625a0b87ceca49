// Any bytes as one batch line, in plain or curve mode with or without a stack (the first byte
// chooses): one row (N + 1 in curve mode unless the fields are wrong), each either all finite
// numbers or an ERROR row.

#include <algorithm>
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
    if (line.size() < 2 || line.substr(1) == "\xEF\xBB\xBF") {
        return 0;  // no line, so no row
    }
    const int choice = static_cast<unsigned char>(line[0]);
    tools::BatchOptions options{choice % 4, {}};
    if (choice & 4) {
        options.columns.stack = calc::StackLayout{1 + choice / 64, 1 + (choice / 8) % 8};
    }
    line.remove_prefix(1);
    std::int64_t numbering = 0;
    tools::BatchStream stream(options, numbering);
    std::string out;
    stream.Feed(line, out);
    stream.Finish(out);

    const std::size_t numbers = (options.curve_steps > 0 ? 7 : 5) + (options.columns.stack ? 3 : 0);
    std::size_t rows = 0;
    for (std::string_view rest = out; !rest.empty(); ++rows) {
        const std::string_view row = rest.substr(0, rest.find('\n'));
        rest.remove_prefix(std::min(rest.size(), row.size() + 1));
        std::size_t fields = 0;
        for (std::size_t at = 0; row.find("ERROR") == std::string_view::npos && at <= row.size();
             ++fields) {
            const std::size_t end = std::min(row.find('\t', at), row.size());
            const auto value = runtime::TextToNumber(row.substr(at, end - at));
            if (!value.has_value() || !std::isfinite(*value)) {
                __builtin_trap();
            }
            at = end + 1;
        }
        if (fields != 0 && fields != numbers) {
            __builtin_trap();
        }
    }
    const bool wrong_fields = out.find("个以制表符分隔的字段") != std::string::npos;
    if (rows != (wrong_fields || options.curve_steps == 0 ? 1u : options.curve_steps + 1u)) {
        __builtin_trap();
    }
    return 0;
}
