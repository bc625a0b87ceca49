// Any bytes as a fatigue line set: refused with a line that exists and a reason, or read whole to
// lines that are lines (two points, rising, σO not below σU, a group and N) that do not cross,
// each of which judges any cycle without a NaN.

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
        // Lines end at LF, CRLF or a lone CR.
        int lines = 1;
        for (std::size_t i = 0; i < text.size(); ++i) {
            lines += text[i] == '\n' ||
                     (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
        }
        if (read.error().line < 0 || read.error().line > lines ||
            rows::FatigueLinesProblemText(read.error()).empty()) {
            __builtin_trap();
        }
        return 0;
    }
    for (const calc::FatigueLine& line : *read) {
        for (const calc::FatigueLine& other : *read) {
            // Of two lines of a group, the one of more cycles never lies above at a σU both cover.
            if (other.group != line.group || !(other.cycles > line.cycles)) {
                continue;
            }
            for (const double at :
                 {std::max(line.lower_1, other.lower_1), std::min(line.lower_2, other.lower_2)}) {
                const calc::LoadCycle probe{true, at, 0, 0};
                const double t = line.group == 1 ? 1 : line.group == 2 ? 3 : 8;  // its group
                const auto more = calc::JudgeFatigue({other}, t, probe).lines.at(0);
                const auto fewer = calc::JudgeFatigue({line}, t, probe).lines.at(0);
                if (more.in_range && fewer.in_range &&
                    more.permissible > fewer.permissible * (1 + 1e-12) + 1e-9) {
                    __builtin_trap();
                }
            }
        }
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
