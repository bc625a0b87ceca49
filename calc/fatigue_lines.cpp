// Reading a line set, and judging a load cycle at both points against it.
#include "calc/fatigue_lines.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "calc/design_check.h"
#include "calc/tsv_lines.h"
#include "runtime/text_number.h"
#include "runtime/utf8.h"

namespace calc {
namespace {

using Kind = FatigueLinesProblem::Kind;

std::string_view Trimmed(std::string_view cell) {
    const std::size_t first = cell.find_first_not_of(" \t");
    const std::size_t last = cell.find_last_not_of(" \t");
    return first == std::string_view::npos ? std::string_view()
                                           : cell.substr(first, last + 1 - first);
}

// A line typed by hand: six numbers between runs of blanks, the rest of the line the source.
std::vector<std::string_view> BlankSeparated(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t at = 0;
    while (cells.size() < 6) {
        const std::size_t from = line.find_first_not_of(" \t", at);
        if (from == std::string_view::npos) {
            return cells;
        }
        at = std::min(line.find_first_of(" \t", from), line.size());
        cells.push_back(line.substr(from, at - from));
    }
    cells.push_back(line.substr(at));
    return cells;
}

// One line of the set, or why it cannot be used.
runtime::Expected<FatigueLine, FatigueLinesProblem> ReadLine(const TsvLine& tsv) {
    const int number = tsv.number;
    const std::vector<std::string_view> cells =
        tsv.cells.size() == 7 ? tsv.cells : BlankSeparated(tsv.text);
    if (cells.size() < 6) {
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
    if (cells.size() < 7 || runtime::IsBlank(cells[6])) {
        return FatigueLinesProblem{Kind::kNoSource, number};
    }
    return FatigueLine{static_cast<int>(group),
                       cycles,
                       std::string(Trimmed(cells[1])),
                       lower_1,
                       upper_1,
                       lower_2,
                       upper_2,
                       std::string(Trimmed(cells[6]))};
}

// σO,perm at σU, straight between the line's two read points, one rounding a step; its own
// points exactly.
double Permissible(const FatigueLine& line, double lower) {
    if (lower == line.lower_2) {
        return line.upper_2;
    }
    const double rise = line.upper_2 - line.upper_1;
    const double run = line.lower_2 - line.lower_1;
    const double along = lower - line.lower_1;
    return line.upper_1 + along * rise / run;
}

// Whether line `more`, of more cycles, lies above `fewer` somewhere in the σU range both cover:
// straight lines part most at the ends of that range.
bool Crosses(const FatigueLine& more, const FatigueLine& fewer) {
    const double from = std::max(more.lower_1, fewer.lower_1);
    const double to = std::min(more.lower_2, fewer.lower_2);
    return from <= to && (CompareAsShown(Permissible(more, from), Permissible(fewer, from)) > 0 ||
                          CompareAsShown(Permissible(more, to), Permissible(fewer, to)) > 0);
}

// How short a life a point's judgement gives, the shortest first: a line that fails, then no line
// reaching σU, then the lines that hold, by N; on a tie the smaller margin, then the larger range.
std::tuple<int, double, double, double> Shortness(const FatigueJudgement& judged,
                                                  const LoadCycle& cycle) {
    if (judged.longest) {
        return {2, judged.longest->line.cycles, judged.longest->margin, -cycle.range};
    }
    if (const FatigueLineVerdict* failed = judged.FirstJudged()) {
        return {0, failed->line.cycles, failed->margin, -cycle.range};
    }
    return {1, 0, 0, -cycle.range};
}

}  // namespace

runtime::Expected<std::vector<FatigueLine>, FatigueLinesProblem> ReadFatigueLines(
    std::string_view tsv) {
    if (const std::size_t nul = tsv.find('\0'); nul != std::string_view::npos) {
        return FatigueLinesProblem{Kind::kNul, ReadTsvLines(tsv.substr(0, nul + 1)).count};
    }
    std::vector<FatigueLine> lines;
    std::vector<int> numbers;
    const TsvLines read = ReadTsvLines(tsv);
    for (const TsvLine& line : read.lines) {
        if (lines.size() == kMaxFatigueLines) {
            return FatigueLinesProblem{Kind::kTooMany, line.number};
        }
        auto one = ReadLine(line);
        if (!one) {
            return one.error();
        }
        for (std::size_t k = 0; k < lines.size(); ++k) {
            const FatigueLine& other = lines[k];
            if (other.group == one->group && other.cycles != one->cycles &&
                (other.cycles < one->cycles ? Crosses(*one, other) : Crosses(other, *one))) {
                return FatigueLinesProblem{Kind::kCrossed, line.number, 0, numbers[k]};
            }
        }
        lines.push_back(std::move(*one));
        numbers.push_back(line.number);
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
            verdict.permissible = Permissible(line, cycle.lower);
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

const FatigueLineVerdict* FatigueJudgement::FirstJudged() const {
    const auto first =
        std::find_if(lines.begin(), lines.end(),
                     [](const FatigueLineVerdict& verdict) { return verdict.in_range; });
    return first == lines.end() ? nullptr : &*first;
}

const FatigueJudgement* CycleVerdict::Judgement() const {
    return judged ? &(*judged)[static_cast<std::size_t>(deciding)] : nullptr;
}

CycleVerdict JudgeCycle(const SpringResults& lower, const SpringResults& upper, double t,
                        const std::vector<FatigueLine>* lines) {
    CycleVerdict verdict{CyclesOf(lower, upper), std::nullopt, 0};
    const auto& [II, III] = verdict.cycles;
    if (!lines) {
        verdict.deciding = III.range > II.range ? 1 : 0;
        return verdict;
    }
    verdict.judged = {JudgeFatigue(*lines, t, II), JudgeFatigue(*lines, t, III)};
    const auto& [at_II, at_III] = *verdict.judged;
    verdict.deciding = Shortness(at_III, III) < Shortness(at_II, II) ? 1 : 0;
    return verdict;
}

}  // namespace calc
