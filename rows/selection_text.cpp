// The selection in words: its columns, a candidate's cells, refusals.
#include "rows/selection_text.h"

#include "rows/fatigue_text.h"
#include "rows/findings_text.h"
#include "rows/record_text.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

std::string Every(double value) {
    return std::string(runtime::NumberToText(value).view());
}

std::string Number(double value, Measure measure, Precision precision) {
    return precision == Precision::kEvery ? Every(value) : Engineering(value, measure);
}

std::string Percent(double tolerance) {
    return Every(runtime::ShownValue(tolerance * 100));
}

// "5000 N ± 5 %", "1.2 mm ± 5 %": what a point requires of its toleranced quantity, as asked.
std::string Required(const calc::LoadPoint& p) {
    return p.force_given ? Every(p.s) + " mm ± " + Percent(p.tolerance) + " %"
                         : Every(p.F) + " N ± " + Percent(p.tolerance) + " %";
}

// A special spring's dimensions as it is named: "D40×20.4×1.8 H4.15".
std::string Dimensions(const calc::SpringInputs& s) {
    return "D" + Every(s.D) + "×" + Every(s.d) + "×" + Every(s.t) + " H" + Every(s.H);
}

// The record beside a candidate.
Record RecordOf(const calc::Candidate& c, const calc::Requirement& requirement) {
    Record record;
    record.inspection = c.inspection;
    record.block = c.block;
    record.clearance_outer = c.clearance_outer;
    if (requirement.rod > 0) {
        record.clearance_inner = c.clearance_inner;
    }
    record.dynamic = requirement.dynamic;
    record.cycle = c.cycle ? &*c.cycle : nullptr;
    return record;
}

}  // namespace

std::vector<std::string> SelectionHeader(const calc::Requirement& requirement, Language language) {
    std::vector<std::string> names = {Say(language, P("column-kind", "类别")),
                                      Say(language, P("column-spring", "碟簧")),
                                      "D(mm)",
                                      "d(mm)",
                                      "t(mm)",
                                      "t′(mm)",
                                      "H(mm)",
                                      "i",
                                      "n"};
    for (std::size_t k = 0; k < requirement.points.size(); ++k) {
        const std::string point = std::to_string(k + 1);
        names.push_back("s" + point + "(mm)");
        names.push_back("F" + point + "(N)");
        names.push_back("L" + point + "(mm)");
        if (requirement.friction) {
            names.push_back("F" + point + "_load(N)");
            names.push_back("F" + point + "_unload(N)");
        }
    }
    names.push_back(requirement.material.Rm ? "σOM/Rm" : "σOM(MPa)");
    if (requirement.dynamic) {
        names.push_back("σU(MPa)");
        names.push_back("σO(MPa)");
    }
    names.emplace_back("L0(mm)");
    names.push_back(Say(language, P("column-mass", "质量(g)")));
    names.push_back(Say(language, P("column-check", "检查")));
    names.push_back(Say(language, P("column-sources", "尺寸来源")));
    for (std::string& name : RecordHeader(requirement.dynamic, language)) {
        names.push_back(std::move(name));
    }
    return names;
}

std::string CandidateName(const calc::Candidate& candidate,
                          const std::vector<calc::CatalogueSpring>& catalogue, Language language) {
    if (candidate.catalogue) {
        return "DIN 2093 " + catalogue[*candidate.catalogue].Name();
    }
    return Say(language, P("special-named", "特制 {dimensions}"),
               {{"dimensions", Dimensions(candidate.spring.spring)}});
}

void CandidateCells(const calc::Candidate& c, const calc::Requirement& requirement,
                    const std::vector<calc::CatalogueSpring>& catalogue, Precision precision,
                    CellSink& out, std::size_t point_columns, Language language) {
    const calc::SpringInputs& s = c.spring.spring;
    out.Cell(c.catalogue ? "DIN 2093" : Say(language, P("special", "特制")));
    out.Cell(c.catalogue ? catalogue[*c.catalogue].Name() : Dimensions(s));
    for (const double length : {s.D, s.d, s.t}) {
        out.Cell(Every(length));  // as made: every digit
    }
    out.Cell(c.flats ? Every(c.spring.t_reduced) : "");
    out.Cell(Every(s.H));
    out.Cell(std::to_string(c.stack.series));
    out.Cell(std::to_string(c.stack.parallel));
    for (std::size_t k = 0; k < c.points.size(); ++k) {
        const calc::PointOutcome& point = c.points[k];
        const calc::LoadPoint& asked = requirement.points[k];
        const calc::StackResults& stack = *point.row.results->stack;
        // The quantity given shows as asked, never a neighbour of it in its last digit; the
        // one the stack reaches as computed. A force met at 0.75·h0 within its tolerance is
        // the stack's there.
        out.Cell(asked.force_given ? Number(stack.s, Measure::kLength, precision) : Every(asked.s));
        out.Cell(asked.force_given && !point.at_limit
                     ? Every(asked.F)
                     : Number(stack.F_stack, Measure::kOther, precision));
        out.Cell(Number(stack.L, Measure::kLength, precision));
        if (requirement.friction) {
            const auto& friction = point.row.results->friction;
            out.Cell(friction ? Number(friction->F_load, Measure::kOther, precision) : "");
            out.Cell(friction ? Number(friction->F_unload, Measure::kOther, precision) : "");
        }
    }
    const std::size_t per_point = requirement.friction ? 5 : 3;
    for (std::size_t k = c.points.size() * per_point; k < point_columns * per_point; ++k) {
        out.Cell("");
    }
    out.Cell(Number(c.utilisation, Measure::kOther, precision));
    if (requirement.dynamic) {
        out.Cell(c.cycle ? Number(c.cycle->Cycle().lower, Measure::kOther, precision) : "");
        out.Cell(c.cycle ? Number(c.cycle->Cycle().upper, Measure::kOther, precision) : "");
    }
    out.Cell(Number(c.L0, Measure::kLength, precision));
    out.Cell(Number(c.mass, Measure::kOther, precision));
    std::string codes;
    AppendFindingCodes(c.findings, codes);
    for (const calc::PointFinding& found : c.point_findings) {
        codes += (codes.empty() ? "" : ",") + PointFindingCode(found);
    }
    if (const calc::FatigueJudgement* fatigue = c.cycle ? c.cycle->Judgement() : nullptr) {
        codes += (codes.empty() ? "" : ",") + FatigueCode(*fatigue);
    }
    out.Cell(codes);
    if (c.catalogue) {
        const calc::CatalogueSpring& spring = catalogue[*c.catalogue];
        // How sure the catalogue is of a row is its data's own text, translated as a phrase.
        std::string sure = Say(language, P("sources-sureness", "{sources}：{sureness}"),
                               {{"sources", spring.sources},
                                {"sureness", Said(Phrase{"sureness", spring.sureness}, language)}});
        if (spring.l0_inch) {
            sure += Say(language, P("l0-from-inch", "；l0 由英寸值 {inch} mm 取整到 0.05 mm"),
                        {{"inch", Every(*spring.l0_inch)}});
        }
        out.Cell(sure);
    } else {
        out.Cell(Say(language, P("special-sources",
                                 "按要求设计：t 取标准带材厚度，D、d 取整到 "
                                 "0.1 mm，H 取整到 0.05 mm")));
    }
    RecordCells(RecordOf(c, requirement), precision, out);
}

namespace {

// Why nothing meets the requirement in `space`.
std::string ShortfallWords(const calc::Shortfall& why, const calc::Requirement& requirement,
                           const std::string& space, Language language) {
    using Kind = calc::Shortfall::Kind;
    if (why.kind == Kind::kNoSpace) {
        return Say(language,
                   P("shortfall-no-space", "{space}放不下任何碟簧（已计入碟簧与导向件之间的间隙）"),
                   {{"space", space}});
    }
    const std::pair<unsigned, Phrase> kReasons[] = {
        {calc::Shortfall::kStrength, P("excluded-strength", "在试验变形 0.75·h0 时 σOM 超过 Rm")},
        {calc::Shortfall::kThreeQuarters, P("excluded-three-quarters", "要求的点超出 0.75·h0")},
        {calc::Shortfall::kPreload, P("excluded-preload", "较低的要求点预压不到 0.15·h0")},
        {calc::Shortfall::kLength, P("excluded-length", "比最大长度长")},
        {calc::Shortfall::kLocking, P("excluded-locking", "摩擦使碟簧组自锁或接近自锁")},
        {calc::Shortfall::kLongStack,
         P("excluded-long-stack", "比 3·D 长（可在要求中允许长碟簧组）")},
    };
    const std::string_view list = Said(P("list-separator", "、"), language);
    std::string reasons;
    for (const auto& [bit, words] : kReasons) {
        if (why.excluded & bit) {
            reasons += (reasons.empty() ? "" : std::string(list)) + Say(language, words);
        }
    }
    if (why.kind == Kind::kNoneUsable) {
        return Say(language,
                   P("shortfall-none-usable", "{space}，放得下的碟簧和碟簧组都不可用：{reasons}"),
                   {{"space", space}, {"reasons", reasons}});
    }
    if (why.kind == Kind::kFatigue) {
        const calc::Shortfall::FatigueMisses& m = why.fatigue;
        std::string misses;
        for (const auto& [count, words] :
             {std::pair(m.no_line, P("misses-no-line", "{count} 种没有其厚度组的线")),
              std::pair(m.outside, P("misses-outside", "{count} 种的 σu 不在线的范围内")),
              std::pair(m.short_,
                        P("misses-short", "{count} 种能判断的线不满足或只满足较少的次数"))}) {
            if (count > 0) {
                misses +=
                    (misses.empty() ? ""
                                    : std::string(Said(P("clause-separator", "，"), language))) +
                    Say(language, words, {{"count", std::to_string(count)}});
            }
        }
        return Say(language,
                   P("shortfall-fatigue",
                     "{space}，有 {count} 种碟簧组满足其余全部要求，但按所输入的疲劳线"
                     "都达不到 {N} 次：{misses}"),
                   {{"space", space},
                    {"count", std::to_string(m.no_line + m.outside + m.short_)},
                    {"N", Every(why.required)},
                    {"misses", misses}});
    }
    // What the checks excluded is said too: a spring the user expects may be among it.
    const std::string besides =
        reasons.empty()
            ? ""
            : Say(language, P("shortfall-besides", "；另有碟簧或碟簧组不用，因为{reasons}"),
                  {{"reasons", reasons}});
    const calc::LoadPoint& p = requirement.points[static_cast<std::size_t>(why.point)];
    const std::string point = std::to_string(why.point + 1);
    const std::string unit = why.travel ? " mm" : " N";
    const Measure measure = why.travel ? Measure::kLength : Measure::kOther;
    const std::string reached = Engineering(why.reached, measure) + unit;
    // A force given that nothing carries is named as the force, met at 0.75·h0 within its
    // tolerance; else the toleranced quantity. What was asked shows as asked.
    const std::string asked =
        p.force_given && !why.travel
            ? Say(language, P("asked-force-at-limit", "{F} N，在 0.75·h0 处可少 {tolerance} %"),
                  {{"F", Every(p.F)}, {"tolerance", Percent(p.tolerance)}})
            : Required(p);
    const std::string what =
        why.travel ? Say(language, P("what-travel", "在 {F} N 下的行程"), {{"F", Every(p.F)}})
        : p.force_given
            ? Say(language, P("what-force-within", "在 0.75·h0 以内能承受的力"))
            : Say(language, P("what-force-at", "在 s = {s} mm 时的力"), {{"s", Every(p.s)}});
    const Values values = {{"space", space},     {"point", point}, {"what", what},
                           {"reached", reached}, {"asked", asked}, {"besides", besides}};
    switch (why.kind) {
        case Kind::kTooHigh:
            return Say(
                language,
                P("shortfall-too-high",
                  "{space}，要求 {point} {what}最多能达到 {reached}（应为 {asked}）{besides}"),
                values);
        case Kind::kTooLow:
            return Say(language,
                       P("shortfall-too-low",
                         "{space}，要求 {point} {what}最少也有 {reached}（应为 {asked}）{besides}"),
                       values);
        case Kind::kNearest:
        case Kind::kNoSpace:
        case Kind::kNoneUsable:
        case Kind::kFatigue:
            break;
    }
    return Say(language,
               P("shortfall-nearest",
                 "{space}没有同时满足全部要求的碟簧；最接近的一个，要求 {point} "
                 "{what}为 {reached}（应为 {asked}）{besides}"),
               values);
}

}  // namespace

std::string ShortfallText(const calc::Shortfall& why, const calc::Requirement& requirement,
                          Language language) {
    const std::string space =
        requirement.rod > 0
            ? Say(language, P("space-with-rod", "在 Ø{bore}、导杆 Ø{rod} 的空间内"),
                  {{"bore", Every(why.bore)}, {"rod", Every(requirement.rod)}})
            : Say(language, P("space", "在 Ø{bore} 的空间内"), {{"bore", Every(why.bore)}});
    // Without a strength no special spring was designed: the search covered the catalogue only.
    const std::string only = SpecialRefused(requirement, language);
    return ShortfallWords(why, requirement, space, language) +
           (only.empty() ? "" : Say(language, P("sentence-then", "。{next}"), {{"next", only}}));
}

std::string SpecialRefused(const calc::Requirement& requirement, Language language) {
    if (requirement.special == 0 || requirement.material.Rm) {
        return {};
    }
    return Say(language, P("special-refused",
                           "材料的 Rm 未知：特制碟簧是新产品，不知强度无法设计，只查了 "
                           "DIN 2093 碟簧（其强度未判断，检查代号 Rm?）"));
}

std::string CatalogueProblemText(const calc::CatalogueProblem& problem, Language language) {
    using Kind = calc::CatalogueProblem::Kind;
    const std::string line = std::to_string(problem.line);
    const std::string_view column(problem.column);
    const auto at = [&](const Phrase& phrase) {
        return Say(language, P("catalogue-line-at", "第 {line} 行：{why}"),
                   {{"line", line}, {"why", Say(language, phrase, {{"column", column}})}});
    };
    switch (problem.kind) {
        case Kind::kNoHeader:
            break;
        case Kind::kMissingColumn:
            return at(P("catalogue-missing-column", "表头缺少列 {column}"));
        case Kind::kSeriesOrGroup:
            return at(P("catalogue-series-or-group", "系列或组别不对"));
        case Kind::kNotPositive:
            return at(P("catalogue-not-positive", "{column} 应为正数"));
        case Kind::kNotPositiveOrBlank:
            return at(P("catalogue-not-positive-or-blank", "{column} 应为正数或空白"));
    }
    return Say(language, P("catalogue-no-header", "没有表头"));
}

std::string RequirementProblemText(const calc::RequirementProblem& problem, Language language) {
    using Kind = calc::RequirementProblem::Kind;
    const std::string point = std::to_string(problem.point + 1);
    switch (problem.kind) {
        case Kind::kNoPoint:
            return Say(language,
                       P("requirement-no-point", "至少要给一个要求（行程 s 和力 F），至多两个"));
        case Kind::kNotPositive:
            return problem.point >= 0
                       ? Say(language,
                             P("requirement-not-positive",
                               "要求 {point} 的行程 s 和力 F 都应大于 0"),
                             {{"point", point}})
                       : Say(language, P("requirement-bore", "安装空间的直径应大于 0"));
        case Kind::kTolerance:
            return Say(language,
                       P("requirement-tolerance", "要求 {point} 的公差应在 0 到 50 % 之间"),
                       {{"point", point}});
        case Kind::kRodTooLarge:
            return Say(language, P("requirement-rod", "导杆直径应不小于 0 且小于安装空间的直径"));
        case Kind::kLimit:
            return Say(language,
                       P("requirement-limit", "串联组数和并联片数的上限应在 1 到 {most} 之间"),
                       {{"most", std::to_string(calc::kMaxSelectionCount)}});
        case Kind::kSameTravel:
            return Say(language,
                       P("requirement-same", "两个要求的行程或力相同：一条特性曲线不能同时满足"));
        case Kind::kSpecialCount:
            return Say(language,
                       P("requirement-special-count", "特制碟簧的个数应在 0 到 {most} 之间"),
                       {{"most", std::to_string(calc::kMaxSpecial)}});
        case Kind::kDynamicOnePoint:
            return Say(language, P("requirement-dynamic-one-point",
                                   "动载荷要给两个要求：较低的一个（预压）和较高的一个"));
        case Kind::kLife:
            return Say(language, P("requirement-life", "要求的寿命 N 应为正数"));
        case Kind::kLifeNotDynamic:
            return Say(language, P("requirement-life-not-dynamic",
                                   "要求寿命只用于动载荷（两个要求之间的载荷循环）"));
        case Kind::kLifeNoLines:
            return Say(language,
                       P("requirement-life-no-lines",
                         "要求寿命要有疲劳线来判断：本程序不带疲劳线，请输入从所持标准或手册的"
                         "疲劳图上读出的线"));
        case Kind::kLifeBeyondLines:
            return Say(language,
                       P("requirement-life-beyond-lines",
                         "要求的寿命超过所输入的每条疲劳线的次数 N：没有这样长寿命的线，无法判断"));
        case Kind::kNegativeLength:
            break;
    }
    return Say(language, P("requirement-negative-length", "间隙应不小于 0，最大长度应大于 0"));
}

}  // namespace rows
