// disc-spring-batch --select: the options of a requirement and the answer to each line.
#include "batch/select.h"

#include <array>
#include <cmath>

#include "batch/reading.h"
#include "calc/selection_search.h"
#include "rows/selection_text.h"
#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace batch {
namespace {

using rows::P;

// The requirement of a line: the options' with the line's space and points.
calc::Requirement LineRequirement(const SelectOptions& options, double bore, double rod,
                                  const std::array<double, 4>& points, std::size_t count) {
    calc::Requirement r = options.base;
    r.bore = bore;
    r.rod = rod;
    r.points.clear();
    for (std::size_t k = 0; k < count; ++k) {
        r.points.push_back(
            {options.force_given, points[2 * k], points[2 * k + 1], options.tolerance});
    }
    return r;
}

// --best: how many of the catalogue's candidates a line shows.
constexpr design::RequirementRange kBestRange{1, calc::kMaxSelectionCount, false, true};

void ErrorRow(std::string_view lead, std::int64_t line, const std::string& why, std::string& out) {
    out += lead;
    out += std::to_string(line);
    out += "\tERROR\t";
    out += why;
    out += '\n';
}

}  // namespace

std::optional<std::string> ReadSelectOption(std::string_view name, std::string_view value,
                                            SelectOptions& options, rows::Language language) {
    calc::Requirement& r = options.base;
    if (name == "--given") {
        if (value != "s" && value != "F") {
            return Unusable(name, value,
                            rows::Say(language, P("wanted-given-option",
                                                  "应为 s（给定行程，力有公差）或 F"
                                                  "（给定力，行程有公差）")),
                            language);
        }
        options.force_given = value == "F";
        return std::nullopt;
    }
    // Each number as the window's and the page's field for it reads it.
    const design::RequirementRange* range = name == "--tolerance" ? &design::kToleranceRange
                                            : name == "--best"    ? &kBestRange
                                                                  : nullptr;
    const design::RequirementField* field = nullptr;
    for (const design::RequirementField& input : design::kRequirementInputs) {
        if (input.option == name) {
            field = &input;
            range = &input.range;
        }
    }
    const auto number = design::ReadRequirementNumber(value, *range, language);
    if (!number || !*number) {
        const std::string why =
            number
                ? rows::Say(language, P("not-a-number", "'{text}' 不是一个数"), {{"text", value}})
                : number.error();
        return rows::Say(language, P("option-why", "选项 {option}：{why}"),
                         {{"option", name}, {"why", why}});
    }
    const double read = **number;
    if (name == "--tolerance") {
        options.tolerance = read / 100;
    } else if (name == "--best") {
        options.best = static_cast<int>(read);
    } else if (field->text == &design::RequirementTexts::clearance) {
        r.clearance = read;
    } else if (field->text == &design::RequirementTexts::max_length) {
        r.max_length = read;
    } else if (field->text == &design::RequirementTexts::life) {
        r.life = read;
    } else {
        (field->text == &design::RequirementTexts::max_series     ? r.max_series
         : field->text == &design::RequirementTexts::max_parallel ? r.max_parallel
                                                                  : r.special) =
            static_cast<int>(read);
    }
    return std::nullopt;
}

void AppendSelectHeader(const SelectOptions& options, std::string& out, rows::Language language) {
    calc::Requirement two = options.base;
    two.points.assign(2, calc::LoadPoint{});
    out += rows::Say(language, P("column-line-number", "行"));
    for (const std::string& name : rows::SelectionHeader(two, language)) {
        out += '\t';
        out += name;
    }
    out += '\n';
}

SelectAnswer AnswerSelectLine(std::string_view text, std::int64_t line,
                              const SelectOptions& options, std::string& out, std::string_view lead,
                              rows::Language language) {
    std::array<std::string_view, 6> fields;
    const std::size_t count = SplitFields(text, fields);
    if (count != 4 && count != 6) {
        ErrorRow(lead, line,
                 rows::Say(language,
                           P("requirement-fields",
                             "需要 4 或 6 个以制表符分隔的字段（安装孔、导杆、s1、"
                             "F1[、s2、F2]），找到 {found} 个"),
                           {{"found", std::to_string(count)}}),
                 out);
        return SelectAnswer::kUnusable;
    }
    std::array<double, 6> numbers{};
    const std::string kNames[] = {rows::Say(language, P("field-bore", "安装孔")),
                                  rows::Say(language, P("field-rod", "导杆")),
                                  "s1",
                                  "F1",
                                  "s2",
                                  "F2"};
    for (std::size_t k = 0; k < count; ++k) {
        const auto value =
            k == 1 && fields[k].empty() ? std::optional(0.0) : runtime::ReadPlainNumber(fields[k]);
        if (!value) {
            ErrorRow(lead, line,
                     rows::Say(language, P("field-not-a-number", "{field}：'{text}' 不是一个数"),
                               {{"field", kNames[k]}, {"text", runtime::QuotedText(fields[k])}}),
                     out);
            return SelectAnswer::kUnusable;
        }
        numbers[k] = *value;
    }
    const calc::Requirement r =
        LineRequirement(options, numbers[0], numbers[1],
                        {numbers[2], numbers[3], numbers[4], numbers[5]}, (count - 2) / 2);
    if (const auto problem = calc::CheckRequirement(r)) {
        ErrorRow(lead, line, rows::RequirementProblemText(*problem, language), out);
        return SelectAnswer::kUnusable;
    }
    const calc::Selection selection = calc::Select(r, calc::Din2093());
    if (selection.shortfall) {
        ErrorRow(lead, line, rows::ShortfallText(*selection.shortfall, r, language), out);
        return SelectAnswer::kNothingFits;
    }
    const auto row = [&](const calc::Candidate& candidate) {
        out += lead;
        out += std::to_string(line);
        out += '\t';
        rows::TabJoined cells(out);
        rows::CandidateCells(candidate, r, calc::Din2093(), rows::Precision::kEvery, cells, 2,
                             language);
        out += '\n';
    };
    for (std::size_t k = 0;
         k < selection.catalogue.size() && k < static_cast<std::size_t>(options.best); ++k) {
        row(selection.catalogue[k]);
    }
    for (const calc::Candidate& candidate : selection.special) {
        row(candidate);
    }
    return SelectAnswer::kFound;
}

}  // namespace batch
