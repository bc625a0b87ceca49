// A design's selection: its requirement read, its candidates as cells, what opens one.
#include "design/selection.h"

#include <algorithm>

#include "calc/selection_search.h"
#include "design/design.h"
#include "rows/cells.h"
#include "rows/fatigue_text.h"
#include "rows/option_text.h"
#include "rows/selection_text.h"
#include "runtime/number_text.h"
#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace design {
namespace {

using rows::P;

// Why a selection cannot be made, led as every refusal of the requirement is.
std::string Refused(Language language, const std::string& why) {
    return rows::Say(language, P("selection-refused", "选型：{why}"), {{"why", why}});
}

// A number read from a field's text within its range (none when blank), or why not, naming the
// field as the batch tool names its option.
runtime::Expected<std::optional<double>, std::string> Number(const std::string& text,
                                                             std::string_view label,
                                                             const RequirementRange& range,
                                                             Language language) {
    auto read = ReadRequirementNumber(text, range, language);
    if (!read) {
        return Refused(language, rows::Say(language, P("named-why", "{name}：{why}"),
                                           {{"name", label}, {"why", read.error()}}));
    }
    return read;
}

// s and F of a point: any number here; whether it can be searched is the requirement's check.
constexpr RequirementRange kAnyNumber{-kUnbounded, kUnbounded};

runtime::Expected<calc::Requirement, std::string> ReadRequirement(const DesignTexts& texts,
                                                                  const MaterialAndFriction& design,
                                                                  Language language) {
    const RequirementTexts& typed = texts.requirement;
    calc::Requirement r;
    r.material = design.material;
    r.friction = design.friction;
    r.dynamic = typed.dynamic;
    r.long_stacks = typed.long_stacks;
    for (std::size_t k = 0; k < typed.points.size(); ++k) {
        const RequirementPointText& point = typed.points[k];
        const std::string name(Said(kRequirementPointNames[k], language));
        const auto s = Number(point.s, name + " s", kAnyNumber, language);
        const auto F = Number(point.F, name + " F", kAnyNumber, language);
        const auto tolerance =
            Number(point.tolerance,
                   rows::Say(language, P("point-tolerance", "{point} 公差"), {{"point", name}}),
                   kToleranceRange, language);
        for (const auto* read : {&s, &F, &tolerance}) {
            if (!*read) {
                return read->error();
            }
        }
        if (!*s && !*F) {
            continue;  // no such point
        }
        if (!*s || !*F) {
            return Refused(
                language,
                rows::Say(language, P("point-needs-both", "{point} 要同时给出行程 s 和力 F"),
                          {{"point", name}}));
        }
        r.points.push_back({point.force_given, **s, **F, tolerance->value_or(5) / 100});
    }
    std::array<std::optional<double>, kRequirementInputs.size()> values;
    for (std::size_t k = 0; k < kRequirementInputs.size(); ++k) {
        const RequirementField& field = kRequirementInputs[k];
        auto read = Number(typed.*field.text, Said(field.label, language), field.range, language);
        if (!read) {
            return read.error();
        }
        values[k] = *read;
    }
    const auto value = [&values](std::string RequirementTexts::*text) {
        std::size_t k = 0;
        while (kRequirementInputs[k].text != text) {
            ++k;
        }
        return values[k];
    };
    r.bore = value(&RequirementTexts::bore).value_or(0);
    r.rod = value(&RequirementTexts::rod).value_or(0);
    r.clearance = value(&RequirementTexts::clearance);
    r.max_length = value(&RequirementTexts::max_length);
    r.life = value(&RequirementTexts::life);
    for (const auto& [text, count] : {std::pair(&RequirementTexts::max_series, &r.max_series),
                                      std::pair(&RequirementTexts::max_parallel, &r.max_parallel),
                                      std::pair(&RequirementTexts::special, &r.special)}) {
        if (const auto read = value(text)) {
            *count = static_cast<int>(*read);
        }
    }
    // The lines judge a dynamic load's cycle; a static one does not read them.
    if (r.dynamic && !runtime::IsBlank(texts.fatigue_lines)) {
        auto lines = calc::ReadFatigueLines(texts.fatigue_lines);
        if (!lines) {
            return Refused(language, rows::FatigueLinesProblemText(lines.error(), language));
        }
        r.fatigue_lines = std::move(*lines);
    }
    if (const auto problem = calc::CheckRequirement(r)) {
        return Refused(language, rows::RequirementProblemText(*problem, language));
    }
    return r;
}

}  // namespace

std::vector<const calc::Candidate*> SelectionSheet::Shown() const {
    std::vector<const calc::Candidate*> shown;
    for (std::size_t k = 0; k < selection.catalogue.size() && k < best; ++k) {
        shown.push_back(&selection.catalogue[k]);
    }
    for (const calc::Candidate& candidate : selection.special) {
        shown.push_back(&candidate);
    }
    return shown;
}

bool SelectionSheet::CanShowMore() const {
    return !problem && selection.catalogue.size() > best && best < kShownAtMost;
}

std::size_t MoreShown(std::size_t best) {
    return std::min(best + kShownMore, kShownAtMost);
}

SelectionSheet ComputeSelection(const DesignTexts& texts, std::size_t best, Language language) {
    SelectionSheet sheet;
    sheet.language = language;
    sheet.best = std::min(std::max<std::size_t>(best, 1), kShownAtMost);
    const auto design = ReadMaterialAndFriction(texts);
    if (!design) {
        sheet.problem =
            rows::Say(language, P("selection-design-options", "选型用设计的材料和摩擦：{why}"),
                      {{"why", rows::OptionProblemText(design.error(), language)}});
        return sheet;
    }
    auto requirement = ReadRequirement(texts, *design, language);
    if (!requirement) {
        sheet.problem = requirement.error();
        return sheet;
    }
    sheet.requirement = std::move(*requirement);
    sheet.selection = calc::Select(sheet.requirement, calc::Din2093());
    return sheet;
}

std::vector<std::string> SelectionHeaderCells(const SelectionSheet& sheet) {
    return sheet.problem ? std::vector<std::string>{}
                         : rows::SelectionHeader(sheet.requirement, sheet.language);
}

std::vector<std::string> SelectionRowCells(const SelectionSheet& sheet, std::size_t row,
                                           rows::Precision precision) {
    rows::CellList cells;
    rows::CandidateCells(*sheet.Shown().at(row), sheet.requirement, calc::Din2093(), precision,
                         cells, 0, sheet.language);
    return cells.cells;
}

std::vector<std::optional<double>> SelectionSortKeys(const SelectionSheet& sheet, std::size_t row) {
    std::vector<std::optional<double>> keys;
    for (const std::string& cell : SelectionRowCells(sheet, row, rows::Precision::kEvery)) {
        keys.push_back(runtime::ReadPlainNumber(cell));
    }
    return keys;
}

std::string SelectionSummary(const SelectionSheet& sheet) {
    if (sheet.problem) {
        return *sheet.problem;
    }
    if (sheet.selection.shortfall) {
        return rows::ShortfallText(*sheet.selection.shortfall, sheet.requirement, sheet.language);
    }
    const Language language = sheet.language;
    const std::size_t catalogue = sheet.selection.catalogue.size();
    const std::string found = std::to_string(catalogue), best = std::to_string(sheet.best),
                      special = std::to_string(sheet.selection.special.size());
    const rows::Values counts = {{"catalogue", found}, {"best", best}, {"special", special}};
    std::string shown =
        rows::Say(language,
                  catalogue > sheet.best
                      ? P("selection-counts-best",
                          "满足要求的：DIN 2093 碟簧 {catalogue} 种（列出最好的 {best} "
                          "种），特制碟簧 {special} 种。先列 DIN 2093 的，再列特制的，各自"
                          "按片数最少、σOM/Rm 最低、碟簧组最短排列")
                      : P("selection-counts",
                          "满足要求的：DIN 2093 碟簧 {catalogue} 种，特制碟簧 {special} 种。"
                          "先列 DIN 2093 的，再列特制的，各自按片数最少、σOM/Rm 最低、碟簧组"
                          "最短排列"),
                  counts);
    const calc::Requirement& r = sheet.requirement;
    const auto then = [&shown, language](const std::string& next) {
        shown += rows::Say(language, P("sentence-then", "。{next}"), {{"next", next}});
    };
    if (const std::string refused = rows::SpecialRefused(r, language); !refused.empty()) {
        then(refused);
    }
    if (r.dynamic) {
        then(r.fatigue_lines.empty()
                 ? rows::Say(language, P("selection-no-lines", "疲劳未判断：设计没有疲劳线"))
             : r.life
                 ? rows::Say(language, P("selection-life", "只列按设计的疲劳线至少 {N} 次的"),
                             {{"N", runtime::NumberToText(*r.life).view()}})
                 : rows::Say(language,
                             P("selection-fatigue",
                               "疲劳按设计的疲劳线在 II、III 两点判断，见“检查”和“疲劳点”列")));
    }
    return shown;
}

std::string SelectionCopyText(const SelectionSheet& sheet) {
    const auto shown = sheet.Shown();
    if (sheet.problem || shown.empty()) {
        return {};
    }
    std::string text;
    rows::TabJoined header(text);
    for (const std::string& name : rows::SelectionHeader(sheet.requirement, sheet.language)) {
        header.Cell(name);
    }
    text += '\n';
    for (const calc::Candidate* candidate : shown) {
        rows::TabJoined line(text);
        rows::CandidateCells(*candidate, sheet.requirement, calc::Din2093(),
                             rows::Precision::kEvery, line, 0, sheet.language);
        text += '\n';
    }
    return text;
}

DesignTexts OpenCandidate(const DesignTexts& texts, const SelectionSheet& sheet, std::size_t row) {
    const calc::Candidate& c = *sheet.Shown().at(row);
    const auto text = [](double value) { return std::string(runtime::NumberToText(value).view()); };
    DesignTexts opened = texts;
    const calc::SpringInputs& s = c.spring.spring;
    opened.D = text(s.D);
    opened.d = text(s.d);
    opened.t = text(s.t);
    opened.H = text(s.H);
    opened.t_reduced = c.flats ? text(c.spring.t_reduced) : "";
    opened.f_end.clear();
    opened.packets.clear();  // the candidate is the stack now
    opened.series = std::to_string(c.stack.series);
    opened.parallel = std::to_string(c.stack.parallel);
    opened.load = sheet.requirement.dynamic ? calc::Load::kDynamic : calc::Load::kStatic;
    opened.points = {};
    for (std::size_t k = 0; k < sheet.requirement.points.size(); ++k) {
        const calc::LoadPoint& p = sheet.requirement.points[k];
        // A force met at 0.75·h0 opens at the travel it was met at, where the design finds what
        // the selection found.
        const calc::PointOutcome& met = c.points[k];
        opened.points[k] = met.at_limit
                               ? PointText{PointBy::kDeflection, text(met.row.results->stack->s)}
                               : PointText{p.force_given ? PointBy::kForce : PointBy::kDeflection,
                                           text(p.force_given ? p.F : p.s)};
    }
    return opened;
}

}  // namespace design
