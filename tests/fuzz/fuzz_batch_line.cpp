// Any bytes as one batch line, in plain, force or curve mode with any mix of the row options
// (the first two bytes choose): one row (N + 1 in curve mode unless the line is unreadable),
// each either all finite numbers or an ERROR row.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "batch/batch.h"
#include "runtime/text_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view line(reinterpret_cast<const char*>(data), size);
    line = line.substr(0, line.find('\n'));
    if (line.size() < 3 || line.substr(2) == "\xEF\xBB\xBF") {
        return 0;  // no line, so no row
    }
    const int choice = static_cast<unsigned char>(line[0]);
    const int more = static_cast<unsigned char>(line[1]);
    batch::BatchOptions options;
    options.curve_steps = choice % 4;
    calc::RowOptions& row_options = options.row;
    if (choice & 4) {
        row_options.stack = calc::StackLayout{1 + choice / 64, 1 + (choice / 8) % 4};
    }
    row_options.rate = more & 1;
    row_options.flats = more & 2;
    options.force = (more & 4) && options.curve_steps == 0;
    if (more & 8) {
        row_options.friction = calc::Friction{0.01, 0.05};
    }
    if (more & 16) {
        row_options.material = calc::Material{195000, 0.28};
    }
    line.remove_prefix(2);
    std::int64_t numbering = 0;
    batch::BatchStream stream(options, numbering);
    std::string out;
    stream.Feed(line, out);
    stream.Finish(out);

    // A curve row leads with the spring number and f, a force row with f.
    // With the rate and a stack, the stack's rate follows L.
    const std::size_t numbers = (options.curve_steps > 0 ? 7 : (options.force ? 6 : 5)) +
                                row_options.rate + (row_options.stack ? 3 : 0) +
                                (row_options.rate && row_options.stack ? 1 : 0) +
                                (row_options.friction ? 2 : 0);
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
    const bool unreadable = out.find("个以制表符分隔的字段") != std::string::npos;
    if (rows != (unreadable || options.curve_steps == 0 ? 1u : options.curve_steps + 1u)) {
        __builtin_trap();
    }
    return 0;
}
