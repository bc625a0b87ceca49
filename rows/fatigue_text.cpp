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

std::string Source(const calc::FatigueLine& line, Language language) {
    return Say(language, P("fatigue-source", "（线：{source}）"),
               {{"source", runtime::QuotedText(line.source)}});
}

// A file's name as the user gave it, a whole path in the window: longer than a stranger's text.
constexpr std::size_t kNameAtMost = 120;

// What the lines say of a cycle at one point, without a lead.
std::string Verdict(const calc::FatigueJudgement& judged, const calc::LoadCycle& cycle,
                    Language language) {
    const std::string group = std::to_string(judged.group);
    if (judged.lines.empty()) {
        return Say(language,
                   P("fatigue-no-group-lines", "所输入的疲劳线中没有组 {group} 的线，不作判断"),
                   {{"group", group}});
    }
    if (judged.longest) {
        const calc::FatigueLineVerdict& best = *judged.longest;
        return Say(language,
                   P("fatigue-holds",
                     "至少 {N} 次（按所输入的组 {group} 的线）：σu = {lower} 处 σo "
                     "允许 {permissible}，σo = {upper}，余量 {margin}{source}"),
                   {{"N", best.line.cycles_text},
                    {"group", group},
                    {"lower", Stress(cycle.lower)},
                    {"permissible", Stress(best.permissible)},
                    {"upper", Stress(cycle.upper)},
                    {"margin", Stress(best.margin)},
                    {"source", Source(best.line, language)}});
    }
    if (const calc::FatigueLineVerdict* failed = judged.FirstJudged()) {
        // Failing a line bounds the life below its N; the least such N is the bound to name.
        return Say(language,
                   P("fatigue-none-holds",
                     "所输入的组 {group} 的线中能判断的没有一条满足，按这些线"
                     "寿命达不到 {N} 次{source}"),
                   {{"group", group},
                    {"N", failed->line.cycles_text},
                    {"source", Source(failed->line, language)}});
    }
    return Say(
        language,
        P("fatigue-out-of-range", "所输入的组 {group} 的线都不包含 σu = {lower}，不外推，不作判断"),
        {{"group", group}, {"lower", Stress(cycle.lower)}});
}

}  // namespace

std::string FatigueLinesProblemText(const calc::FatigueLinesProblem& problem, Language language) {
    using Kind = calc::FatigueLinesProblem::Kind;
    const std::string line = std::to_string(problem.line);
    const auto at = [&](const Phrase& phrase, Values values = {}) {
        return Say(language, P("fatigue-line-at", "疲劳线第 {line} 行：{why}"),
                   {{"line", line}, {"why", Say(language, phrase, values)}});
    };
    switch (problem.kind) {
        case Kind::kColumns:
            return at(P("fatigue-line-columns",
                        "应为 7 列（组别、N、σU1、σO1、σU2、σO2、来源），以制表符分隔"));
        case Kind::kNotANumber:
            return at(P("fatigue-line-not-a-number", "第 {column} 列不是数"),
                      {{"column", std::to_string(problem.column)}});
        case Kind::kGroup:
            return at(P("fatigue-line-group", "组别应为 1、2 或 3"));
        case Kind::kCycles:
            return at(P("fatigue-line-cycles", "次数 N 应为正数"));
        case Kind::kOnePoint:
            return at(P("fatigue-line-one-point", "第二点的 σU 应大于第一点的：两个点才成一条线"));
        case Kind::kBelowLower:
            return at(P("fatigue-line-below-lower", "σO 小于 σU，不是疲劳线上的点"));
        case Kind::kFalling:
            return at(P("fatigue-line-falling", "σO 随 σU 增大而减小，不是疲劳线"));
        case Kind::kNoSource:
            return at(
                P("fatigue-line-no-source", "没有来源：请写明是从哪本标准或手册的哪张图读的"));
        case Kind::kCrossed:
            return Say(
                language,
                P("fatigue-line-crossed",
                  "疲劳线第 {line} 行与第 {other} 行交叉：同一组中次数 N 多的线不应在 N 少的线"
                  "之上（N 可能填错了行）"),
                {{"line", line}, {"other", std::to_string(problem.other)}});
        case Kind::kNul:
            return at(P("fatigue-line-nul", "含有 NUL 字节，不是文字"));
        case Kind::kTooMany:
            return at(P("fatigue-line-too-many", "线太多：一组疲劳线最多 {count} 条"),
                      {{"count", std::to_string(calc::kMaxFatigueLines)}});
        case Kind::kEmpty:
            break;
    }
    return Say(language, P("fatigue-lines-empty", "疲劳线文件中没有线"));
}

std::string FatigueLinesReading(std::string_view text, Language language) {
    if (runtime::IsBlank(text)) {
        return Say(language, P("fatigue-lines-none", "没有疲劳线：不判断疲劳"));
    }
    const auto read = calc::ReadFatigueLines(text);
    if (!read) {
        return Say(language, P("fatigue-lines-refused", "{why}；这些疲劳线都不采用"),
                   {{"why", FatigueLinesProblemText(read.error(), language)}});
    }
    return Say(language, P("fatigue-lines-count", "{count} 条线，按设计的载荷循环判断"),
               {{"count", std::to_string(read->size())}});
}

std::string FatigueFileProblemText(calc::FatigueFileProblem problem, std::string_view name,
                                   Language language) {
    const std::string quoted = runtime::QuotedText(name, kNameAtMost);
    if (problem == calc::FatigueFileProblem::kTooLarge) {
        return Say(language,
                   P("fatigue-file-too-large", "疲劳线文件 '{name}' 大于 {size} MiB，不读"),
                   {{"name", quoted}, {"size", std::to_string(calc::kMaxFatigueFileBytes >> 20)}});
    }
    return Say(language, P("fatigue-file-not-text", "疲劳线文件 '{name}' 不是 UTF-8 文字，不读"),
               {{"name", quoted}});
}

std::vector<std::string> FatigueSentences(const calc::FatigueJudgement& judged,
                                          const calc::LoadCycle& cycle, Language language) {
    std::vector<std::string> out;
    if (judged.lines.empty()) {
        return out;
    }
    out.push_back(Say(language, P("fatigue-lead", "疲劳：{verdict}"),
                      {{"verdict", Verdict(judged, cycle, language)}}));
    for (const calc::FatigueLineVerdict& verdict : judged.lines) {
        const calc::FatigueLine& line = verdict.line;
        if (!verdict.in_range) {
            out.push_back(
                Say(language,
                    P("fatigue-line-out-of-range",
                      "N = {N} 次的线只给到 σu = {from} … {to}，σu = {lower} 在其外，不外推，"
                      "不作判断{source}"),
                    {{"N", line.cycles_text},
                     {"from", Engineering(line.lower_1, Measure::kOther)},
                     {"to", Stress(line.lower_2)},
                     {"lower", Stress(cycle.lower)},
                     {"source", Source(line, language)}}));
        } else if (!verdict.holds) {
            out.push_back(Say(language,
                              P("fatigue-line-exceeded",
                                "N = {N} 次的线：σo = {upper} 超过允许的 "
                                "{permissible}{source}"),
                              {{"N", line.cycles_text},
                               {"upper", Stress(cycle.upper)},
                               {"permissible", Stress(verdict.permissible)},
                               {"source", Source(line, language)}}));
        }
    }
    return out;
}

std::string FatigueVerdictSentence(const calc::CycleVerdict& verdict, Language language) {
    return Say(language,
               P("fatigue-verdict", "疲劳（II、III 两点中起决定作用的 {point} 点）：{verdict}"),
               {{"point", CyclePoint(verdict.Cycle())},
                {"verdict", Verdict(*verdict.Judgement(), verdict.Cycle(), language)}});
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
