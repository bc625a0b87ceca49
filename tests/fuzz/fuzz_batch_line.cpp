// Any bytes as batch input, in plain or curve mode (the first byte chooses): one answer row per
// line (N + 1 per line in curve mode), each either all finite result texts or an ERROR row; no
// partial result.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/text_number.h"
#include "tools/batch.h"

namespace {

// The fields of a result row read back as finite numbers; an ERROR row has no numbers after it.
void CheckRow(std::string_view row, std::size_t numbers) {
    if (row.find("ERROR") != std::string_view::npos) {
        return;
    }
    std::size_t fields = 0;
    for (std::size_t start = 0; start <= row.size(); ++fields) {
        const std::size_t end = std::min(row.find('\t', start), row.size());
        const auto value = runtime::TextToNumber(row.substr(start, end - start));
        if (!value.has_value() || !std::isfinite(*value)) {
            __builtin_trap();
        }
        start = end + 1;
    }
    if (fields != numbers) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    tools::BatchOptions options;
    options.curve_steps = data[0] % 4;
    if (data[0] & 4) {
        options.columns.stack = calc::StackLayout{1 + data[0] / 64, 1 + (data[0] / 8) % 8};
    }
    std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    input = input.substr(0, input.find('\n'));
    if (input.starts_with("\xEF\xBB\xBF")) {
        return 0;
    }
    int numbering = 0;
    tools::BatchStream stream(options, numbering);
    std::string out;
    stream.Feed(input, out);
    stream.Finish(out);

    std::size_t lines = 0;
    const std::size_t numbers = (options.curve_steps > 0 ? 7 : 5) + (options.columns.stack ? 3 : 0);
    for (std::size_t start = 0; start < out.size(); ++lines) {
        const std::size_t end = out.find('\n', start);
        CheckRow(std::string_view(out).substr(start, end - start), numbers);
        start = end + 1;
    }
    const bool short_line = lines == 1 && out.find("ERROR\t\t") != std::string::npos;
    if (!input.empty() && lines != options.curve_steps + 1u && !short_line) {
        __builtin_trap();
    }
    return 0;
}
