// Fatigue lines and verdicts in words.
#include "rows/fatigue_text.h"

#include <algorithm>

#include "rows/engineering.h"
#include "rows/record_text.h"
#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace rows {
namespace {

std::string Stress(double value) {
    return Engineering(value, Measure::kOther) + " MPa";
}

std::string Source(const calc::FatigueLine& line) {
    return "（线：" + runtime::QuotedText(line.source) + "）";
}

// A file's name as the user gave it, a whole path in the window: longer than a stranger's text.
constexpr std::size_t kNameAtMost = 120;

// What the lines say of a cycle at one point, without a lead.
std::string Verdict(const calc::FatigueJudgement& judged, const calc::LoadCycle& cycle) {
    const std::string group = "组 " + std::to_string(judged.group);
    if (judged.lines.empty()) {
        return "所输入的疲劳线中没有" + group + " 的线，不作判断";
    }
    if (judged.longest) {
        const calc::FatigueLineVerdict& best = *judged.longest;
        return "至少 " + best.line.cycles_text + " 次（按所输入的" + group +
               " 的线）：σu = " + Stress(cycle.lower) + " 处 σo 允许 " + Stress(best.permissible) +
               "，σo = " + Stress(cycle.upper) + "，余量 " + Stress(best.margin) +
               Source(best.line);
    }
    if (const calc::FatigueLineVerdict* failed = judged.FirstJudged()) {
        // Failing a line bounds the life below its N; the least such N is the bound to name.
        return "所输入的" + group + " 的线中能判断的没有一条满足，按这些线寿命达不到 " +
               failed->line.cycles_text + " 次" + Source(failed->line);
    }
    return "所输入的" + group + " 的线都不包含 σu = " + Stress(cycle.lower) + "，不外推，不作判断";
}

}  // namespace

std::string FatigueLinesProblemText(const calc::FatigueLinesProblem& problem) {
    using Kind = calc::FatigueLinesProblem::Kind;
    const std::string where = "疲劳线第 " + std::to_string(problem.line) + " 行：";
    switch (problem.kind) {
        case Kind::kColumns:
            return where + "应为 7 列（组别、N、σU1、σO1、σU2、σO2、来源），以制表符分隔";
        case Kind::kNotANumber:
            return where + "第 " + std::to_string(problem.column) + " 列不是数";
        case Kind::kGroup:
            return where + "组别应为 1、2 或 3";
        case Kind::kCycles:
            return where + "次数 N 应为正数";
        case Kind::kOnePoint:
            return where + "第二点的 σU 应大于第一点的：两个点才成一条线";
        case Kind::kBelowLower:
            return where + "σO 小于 σU，不是疲劳线上的点";
        case Kind::kFalling:
            return where + "σO 随 σU 增大而减小，不是疲劳线";
        case Kind::kNoSource:
            return where + "没有来源：请写明是从哪本标准或手册的哪张图读的";
        case Kind::kCrossed:
            return "疲劳线第 " + std::to_string(problem.line) + " 行与第 " +
                   std::to_string(problem.other) +
                   " 行交叉：同一组中次数 N 多的线不应在 N 少的线之上（N 可能填错了行）";
        case Kind::kNul:
            return where + "含有 NUL 字节，不是文字";
        case Kind::kTooMany:
            return where + "线太多：一组疲劳线最多 " + std::to_string(calc::kMaxFatigueLines) +
                   " 条";
        case Kind::kEmpty:
            break;
    }
    return "疲劳线文件中没有线";
}

std::string FatigueLinesReading(std::string_view text) {
    if (runtime::IsBlank(text)) {
        return "没有疲劳线：不判断疲劳";
    }
    const auto read = calc::ReadFatigueLines(text);
    return read ? std::to_string(read->size()) + " 条线，按设计的载荷循环判断"
                : FatigueLinesProblemText(read.error()) + "；这些疲劳线都不采用";
}

std::string FatigueFileProblemText(calc::FatigueFileProblem problem, std::string_view name) {
    const bool large = problem == calc::FatigueFileProblem::kTooLarge;
    return "疲劳线文件 '" + runtime::QuotedText(name, kNameAtMost) + "' " +
           (large ? "大于 " + std::to_string(calc::kMaxFatigueFileBytes >> 20) + " MiB"
                  : std::string("不是 UTF-8 文字")) +
           "，不读";
}

std::vector<std::string> FatigueSentences(const calc::FatigueJudgement& judged,
                                          const calc::LoadCycle& cycle) {
    std::vector<std::string> out;
    if (judged.lines.empty()) {
        return out;
    }
    out.push_back("疲劳：" + Verdict(judged, cycle));
    for (const calc::FatigueLineVerdict& verdict : judged.lines) {
        const calc::FatigueLine& line = verdict.line;
        const std::string n = "N = " + line.cycles_text + " 次的线";
        if (!verdict.in_range) {
            out.push_back(n + "只给到 σu = " + Engineering(line.lower_1, Measure::kOther) + " … " +
                          Stress(line.lower_2) + "，σu = " + Stress(cycle.lower) +
                          " 在其外，不外推，不作判断" + Source(line));
        } else if (!verdict.holds) {
            out.push_back(n + "：σo = " + Stress(cycle.upper) + " 超过允许的 " +
                          Stress(verdict.permissible) + Source(line));
        }
    }
    return out;
}

std::string FatigueVerdictSentence(const calc::CycleVerdict& verdict) {
    return "疲劳（II、III 两点中起决定作用的 " + CyclePoint(verdict.Cycle()) + " 点）：" +
           Verdict(*verdict.Judgement(), verdict.Cycle());
}

std::string FatigueCode(const calc::FatigueJudgement& judged) {
    if (judged.lines.empty()) {
        return "fatigue:?";
    }
    if (judged.longest) {
        return "fatigue:" + judged.longest->line.cycles_text;
    }
    return judged.Judged() ? "fatigue:none" : "fatigue:?";
}

}  // namespace rows
