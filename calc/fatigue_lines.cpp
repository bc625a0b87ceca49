#include "calc/fatigue_lines.h"

#include <algorithm>
#include <array>

#include "calc/tsv_lines.h"
#include "runtime/text_number.h"
#include "runtime/utf8.h"

namespace calc {
namespace {

using Kind = FatigueLinesProblem::Kind;

// One line of the set, or why it cannot be used.
runtime::Expected<FatigueLine, FatigueLinesProblem> ReadLine(
    const std::vector<std::string_view>& cells, int number) {
    if (cells.size() != 7) {
        return FatigueLinesProblem{Kind::kColumns, number};
    }
    std::array<double, 6> values{};
    for (std::size_t c = 0; c < values.size(); ++c) {
        const auto value = runtime::ReadPlainNumber(cells[c]);
        if (!value) {
            return FatigueLinesProblem{Kind::kNotANumber, number, static_cast<int>(c) + 1};
        }
        values[c] = *value;
    }
    const auto [group, cycles, lower_1, upper_1, lower_2, upper_2] = values;
    if (group != 1 && group != 2 && group != 3) {
        return FatigueLinesProblem{Kind::kGroup, number};
    }
    if (!(cycles > 0)) {
        return FatigueLinesProblem{Kind::kCycles, number};
    }
    if (!(lower_2 > lower_1)) {
        return FatigueLinesProblem{Kind::kOnePoint, number};
    }
    if (upper_1 < lower_1 || upper_2 < lower_2) {
        return FatigueLinesProblem{Kind::kBelowLower, number};
    }
    if (upper_2 < upper_1) {
        return FatigueLinesProblem{Kind::kFalling, number};
    }
    if (runtime::IsBlank(cells[6])) {
        return FatigueLinesProblem{Kind::kNoSource, number};
    }
    const auto trimmed = [](std::string_view cell) {
        const std::size_t first = cell.find_first_not_of(" \t");
        const std::size_t last = cell.find_last_not_of(" \t");
        return std::string(cell.substr(first, last + 1 - first));
    };
    return FatigueLine{
        static_cast<int>(group), cycles, trimmed(cells[1]), lower_1, upper_1, lower_2, upper_2,
        trimmed(cells[6])};
}

}  // namespace

runtime::Expected<std::vector<FatigueLine>, FatigueLinesProblem> ReadFatigueLines(
    std::string_view tsv) {
    std::vector<FatigueLine> lines;
    const TsvLines read = ReadTsvLines(tsv);
    for (const TsvLine& line : read.lines) {
        auto one = ReadLine(line.cells, line.number);
        if (!one) {
            return one.error();
        }
        lines.push_back(std::move(*one));
    }
    if (lines.empty()) {
        return FatigueLinesProblem{Kind::kEmpty, read.count};
    }
    return lines;
}

runtime::Expected<std::string_view, FatigueFileProblem> FatigueFileText(std::string_view bytes) {
    if (bytes.size() > kMaxFatigueFileBytes) {
        return FatigueFileProblem::kTooLarge;
    }
    if (!runtime::IsUtf8(bytes)) {
        return FatigueFileProblem::kNotUtf8;
    }
    return bytes.starts_with(runtime::kUtf8Bom) ? bytes.substr(runtime::kUtf8Bom.size()) : bytes;
}

int ThicknessGroup(double t) {
    return t < 1.25 ? 1 : t <= 6 ? 2 : 3;
}

FatigueJudgement JudgeFatigue(const std::vector<FatigueLine>& lines, double t,
                              const LoadCycle& cycle) {
    FatigueJudgement judged{ThicknessGroup(t), {}, std::nullopt};
    for (const FatigueLine& line : lines) {
        if (line.group != judged.group) {
            continue;
        }
        FatigueLineVerdict verdict{line};
        verdict.in_range = cycle.lower >= line.lower_1 && cycle.lower <= line.lower_2;
        if (verdict.in_range) {
            // Straight between the two read points, one rounding a step.
            const double rise = line.upper_2 - line.upper_1;
            const double run = line.lower_2 - line.lower_1;
            const double along = cycle.lower - line.lower_1;
            verdict.permissible = line.upper_1 + along * rise / run;
            verdict.margin = verdict.permissible - cycle.upper;
            verdict.holds = cycle.upper <= verdict.permissible;
        }
        judged.lines.push_back(verdict);
    }
    std::stable_sort(judged.lines.begin(), judged.lines.end(),
                     [](const FatigueLineVerdict& a, const FatigueLineVerdict& b) {
                         return a.line.cycles < b.line.cycles;
                     });
    for (const FatigueLineVerdict& verdict : judged.lines) {
        if (verdict.holds) {
            judged.longest = verdict;
        }
    }
    return judged;
}

bool FatigueJudgement::Judged() const {
    return std::any_of(lines.begin(), lines.end(),
                       [](const FatigueLineVerdict& verdict) { return verdict.in_range; });
}

bool FatigueJudgement::HoldsFor(double life) const {
    return longest && longest->line.cycles >= life;
}

}  // namespace calc
