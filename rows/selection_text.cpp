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

std::vector<std::string> SelectionHeader(const calc::Requirement& requirement) {
    std::vector<std::string> names = {"类别",   "碟簧",  "D(mm)", "d(mm)", "t(mm)",
                                      "t′(mm)", "H(mm)", "i",     "n"};
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
    for (const char* name : {"L0(mm)", "质量(g)", "检查", "尺寸来源"}) {
        names.emplace_back(name);
    }
    for (std::string& name : RecordHeader(requirement.dynamic)) {
        names.push_back(std::move(name));
    }
    return names;
}

std::string CandidateName(const calc::Candidate& candidate,
                          const std::vector<calc::CatalogueSpring>& catalogue) {
    if (candidate.catalogue) {
        return "DIN 2093 " + catalogue[*candidate.catalogue].Name();
    }
    const calc::SpringInputs& s = candidate.spring.spring;
    return "特制 D" + Every(s.D) + "×" + Every(s.d) + "×" + Every(s.t) + " H" + Every(s.H);
}

void CandidateCells(const calc::Candidate& c, const calc::Requirement& requirement,
                    const std::vector<calc::CatalogueSpring>& catalogue, Precision precision,
                    CellSink& out, std::size_t point_columns) {
    const calc::SpringInputs& s = c.spring.spring;
    out.Cell(c.catalogue ? "DIN 2093" : "特制");
    out.Cell(c.catalogue
                 ? catalogue[*c.catalogue].Name()
                 : "D" + Every(s.D) + "×" + Every(s.d) + "×" + Every(s.t) + " H" + Every(s.H));
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
        std::string sure = spring.sources + "：" + spring.sureness;
        if (spring.l0_inch) {
            sure += "；l0 由英寸值 " + Every(*spring.l0_inch) + " mm 取整到 0.05 mm";
        }
        out.Cell(sure);
    } else {
        out.Cell("按要求设计：t 取标准带材厚度，D、d 取整到 0.1 mm，H 取整到 0.05 mm");
    }
    RecordCells(RecordOf(c, requirement), precision, out);
}

namespace {

// Why nothing meets the requirement in `space`.
std::string ShortfallWords(const calc::Shortfall& why, const calc::Requirement& requirement,
                           const std::string& space) {
    using Kind = calc::Shortfall::Kind;
    if (why.kind == Kind::kNoSpace) {
        return space + "放不下任何碟簧（已计入碟簧与导向件之间的间隙）";
    }
    constexpr std::pair<unsigned, const char*> kReasons[] = {
        {calc::Shortfall::kStrength, "在试验变形 0.75·h0 时 σOM 超过 Rm"},
        {calc::Shortfall::kThreeQuarters, "要求的点超出 0.75·h0"},
        {calc::Shortfall::kPreload, "较低的要求点预压不到 0.15·h0"},
        {calc::Shortfall::kLength, "比最大长度长"},
        {calc::Shortfall::kLocking, "摩擦使碟簧组自锁或接近自锁"},
        {calc::Shortfall::kLongStack, "比 3·D 长（可在要求中允许长碟簧组）"},
    };
    std::string reasons;
    for (const auto& [bit, words] : kReasons) {
        if (why.excluded & bit) {
            reasons += (reasons.empty() ? "" : "、") + std::string(words);
        }
    }
    if (why.kind == Kind::kNoneUsable) {
        return space + "，放得下的碟簧和碟簧组都不可用：" + reasons;
    }
    if (why.kind == Kind::kFatigue) {
        const calc::Shortfall::FatigueMisses& m = why.fatigue;
        std::string misses;
        for (const auto& [count, words] :
             {std::pair(m.no_line, "没有其厚度组的线"),
              std::pair(m.outside, "的 σu 不在线的范围内"),
              std::pair(m.short_, "能判断的线不满足或只满足较少的次数")}) {
            if (count > 0) {
                misses += (misses.empty() ? "" : "，") + std::to_string(count) + " 种" + words;
            }
        }
        return space + "，有 " + std::to_string(m.no_line + m.outside + m.short_) +
               " 种碟簧组满足其余全部要求，但按所输入的疲劳线都达不到 " + Every(why.required) +
               " 次：" + misses;
    }
    // What the checks excluded is said too: a spring the user expects may be among it.
    const std::string besides = reasons.empty() ? "" : "；另有碟簧或碟簧组不用，因为" + reasons;
    const calc::LoadPoint& p = requirement.points[static_cast<std::size_t>(why.point)];
    const std::string point = "要求 " + std::to_string(why.point + 1);
    const std::string unit = why.travel ? " mm" : " N";
    const Measure measure = why.travel ? Measure::kLength : Measure::kOther;
    const std::string reached = Engineering(why.reached, measure) + unit;
    // A force given that nothing carries is named as the force, met at 0.75·h0 within its
    // tolerance; else the toleranced quantity. What was asked shows as asked.
    const std::string asked = p.force_given && !why.travel ? Every(p.F) + " N，在 0.75·h0 处可少 " +
                                                                 Percent(p.tolerance) + " %"
                                                           : Required(p);
    const std::string what = why.travel      ? "在 " + Every(p.F) + " N 下的行程"
                             : p.force_given ? "在 0.75·h0 以内能承受的力"
                                             : "在 s = " + Every(p.s) + " mm 时的力";
    switch (why.kind) {
        case Kind::kTooHigh:
            return space + "，" + point + " " + what + "最多能达到 " + reached + "（应为 " + asked +
                   "）" + besides;
        case Kind::kTooLow:
            return space + "，" + point + " " + what + "最少也有 " + reached + "（应为 " + asked +
                   "）" + besides;
        case Kind::kNearest:
        case Kind::kNoSpace:
        case Kind::kNoneUsable:
        case Kind::kFatigue:
            break;
    }
    return space + "没有同时满足全部要求的碟簧；最接近的一个，" + point + " " + what + "为 " +
           reached + "（应为 " + asked + "）" + besides;
}

}  // namespace

std::string ShortfallText(const calc::Shortfall& why, const calc::Requirement& requirement) {
    std::string space = "在 Ø" + Every(why.bore);
    if (requirement.rod > 0) {
        space += "、导杆 Ø" + Every(requirement.rod);
    }
    space += " 的空间内";
    // Without a strength no special spring was designed: the search covered the catalogue only.
    const std::string only = SpecialRefused(requirement);
    return ShortfallWords(why, requirement, space) + (only.empty() ? "" : "。" + only);
}

std::string SpecialRefused(const calc::Requirement& requirement) {
    if (requirement.special == 0 || requirement.material.Rm) {
        return {};
    }
    return "材料的 Rm 未知：特制碟簧是新产品，不知强度无法设计，只查了 DIN 2093 "
           "碟簧（其强度未判断，"
           "检查代号 Rm?）";
}

std::string CatalogueProblemText(const calc::CatalogueProblem& problem) {
    using Kind = calc::CatalogueProblem::Kind;
    const std::string where = "第 " + std::to_string(problem.line) + " 行：";
    const std::string column(problem.column);
    switch (problem.kind) {
        case Kind::kNoHeader:
            break;
        case Kind::kMissingColumn:
            return where + "表头缺少列 " + column;
        case Kind::kSeriesOrGroup:
            return where + "系列或组别不对";
        case Kind::kNotPositive:
            return where + column + " 应为正数";
        case Kind::kNotPositiveOrBlank:
            return where + column + " 应为正数或空白";
    }
    return "没有表头";
}

std::string RequirementProblemText(const calc::RequirementProblem& problem) {
    using Kind = calc::RequirementProblem::Kind;
    const std::string point =
        problem.point >= 0 ? "要求 " + std::to_string(problem.point + 1) : std::string();
    switch (problem.kind) {
        case Kind::kNoPoint:
            return "至少要给一个要求（行程 s 和力 F），至多两个";
        case Kind::kNotPositive:
            return problem.point >= 0 ? point + " 的行程 s 和力 F 都应大于 0"
                                      : std::string("安装空间的直径应大于 0");
        case Kind::kTolerance:
            return point + " 的公差应在 0 到 50 % 之间";
        case Kind::kRodTooLarge:
            return "导杆直径应不小于 0 且小于安装空间的直径";
        case Kind::kLimit:
            return "串联组数和并联片数的上限应在 1 到 " + std::to_string(calc::kMaxSelectionCount) +
                   " 之间";
        case Kind::kSameTravel:
            return "两个要求的行程或力相同：一条特性曲线不能同时满足";
        case Kind::kSpecialCount:
            return "特制碟簧的个数应在 0 到 " + std::to_string(calc::kMaxSpecial) + " 之间";
        case Kind::kDynamicOnePoint:
            return "动载荷要给两个要求：较低的一个（预压）和较高的一个";
        case Kind::kLife:
            return "要求的寿命 N 应为正数";
        case Kind::kLifeNotDynamic:
            return "要求寿命只用于动载荷（两个要求之间的载荷循环）";
        case Kind::kLifeNoLines:
            return "要求寿命要有疲劳线来判断：本程序不带疲劳线，请输入从所持标准或手册的疲劳图上"
                   "读出的线";
        case Kind::kLifeBeyondLines:
            return "要求的寿命超过所输入的每条疲劳线的次数 N：没有这样长寿命的线，无法判断";
        case Kind::kNegativeLength:
            break;
    }
    return "间隙应不小于 0，最大长度应大于 0";
}

}  // namespace rows
