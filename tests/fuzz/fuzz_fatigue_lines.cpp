// Any bytes as a fatigue line set: refused with a line that exists and a reason, or read whole to
// lines that are lines (two points, rising, σO not below σU, a group and N), each of which
// judges any cycle without a NaN.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "calc/fatigue_lines.h"
#include "rows/fatigue_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = calc::ReadFatigueLines(text);
    if (!read) {
        const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
        if (read.error().line < 0 || read.error().line > lines ||
            rows::FatigueLinesProblemText(read.error()).empty()) {
            __builtin_trap();
        }
        return 0;
    }
    for (const calc::FatigueLine& line : *read) {
        if (line.group < 1 || line.group > 3 || !(line.cycles > 0) ||
            !(line.lower_2 > line.lower_1) || line.upper_1 < line.lower_1 ||
            line.upper_2 < line.upper_1 || line.source.empty()) {
            __builtin_trap();
        }
        for (const double lower : {line.lower_1, (line.lower_1 + line.lower_2) / 2, line.lower_2}) {
            const calc::LoadCycle cycle{true, lower, lower + 1, 1};
            for (const double t : {1.0, 3.0, 8.0}) {
                const calc::FatigueJudgement judged = calc::JudgeFatigue(*read, t, cycle);
                for (const calc::FatigueLineVerdict& verdict : judged.lines) {
                    if (verdict.in_range && std::isnan(verdict.permissible)) {
                        __builtin_trap();
                    }
                }
                rows::FatigueSentences(judged, cycle);
            }
        }
    }
    return 0;
}
