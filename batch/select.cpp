#include "batch/select.h"

#include <array>
#include <cmath>

#include "batch/reading.h"
#include "rows/selection_text.h"
#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace batch {
namespace {

// The requirement of a line: the options' with the line's space and points.
calc::Requirement LineRequirement(const calc::Requirement& base, double bore, double rod,
                                  const std::array<double, 4>& points, std::size_t count) {
    calc::Requirement r = base;
    r.bore = bore;
    r.rod = rod;
    const double tolerance = base.points.empty() ? 0.05 : base.points[0].tolerance;
    const bool force_given = !base.points.empty() && base.points[0].force_given;
    r.points.clear();
    for (std::size_t k = 0; k < count; ++k) {
        r.points.push_back({force_given, points[2 * k], points[2 * k + 1], tolerance});
    }
    return r;
}

void ErrorRow(std::int64_t line, const std::string& why, std::string& out) {
    out += std::to_string(line);
    out += "\tERROR\t";
    out += why;
    out += '\n';
}

}  // namespace

std::optional<std::string> ReadSelectOption(std::string_view name, std::string_view value,
                                            calc::Requirement& r, int& best) {
    // The tolerance and the quantity given travel in a first point, until each line's come.
    if (r.points.empty()) {
        r.points.push_back({});
    }
    if (name == "--given") {
        if (value != "s" && value != "F") {
            return Unusable(name, value, "应为 s（给定行程，力有公差）或 F（给定力，行程有公差）");
        }
        r.points[0].force_given = value == "F";
        return std::nullopt;
    }
    const auto number = runtime::ReadPlainNumber(value);
    const bool count = name == "--best" || name == "--max-series" || name == "--max-parallel" ||
                       name == "--special";
    if (count) {
        const int most = name == "--special" ? calc::kMaxSpecial : calc::kMaxSelectionCount;
        const int least = name == "--special" ? 0 : 1;
        if (!number || *number != std::floor(*number) || *number < least || *number > most) {
            return Unusable(
                name, value,
                "应为 " + std::to_string(least) + " 到 " + std::to_string(most) + " 的整数");
        }
        const int whole = static_cast<int>(*number);
        (name == "--best"           ? best
         : name == "--max-series"   ? r.max_series
         : name == "--max-parallel" ? r.max_parallel
                                    : r.special) = whole;
        return std::nullopt;
    }
    if (name == "--life") {
        if (!number || !(*number > 0) || !std::isfinite(*number)) {
            return Unusable(name, value, "应为正数（次），如 2e6");
        }
        r.life = *number;
        return std::nullopt;
    }
    if (name == "--tolerance") {
        if (!number || *number < 0 || *number > 50) {
            return Unusable(name, value, "应为 0 到 50 的百分数");
        }
        r.points[0].tolerance = *number / 100;
        return std::nullopt;
    }
    if (!number || *number < 0 || (name == "--max-length" && *number == 0)) {
        return Unusable(
            name, value,
            name == "--clearance" ? "应为不小于 0 的长度（mm）" : "应为大于 0 的长度（mm）");
    }
    (name == "--clearance" ? r.clearance : r.max_length) = *number;
    return std::nullopt;
}

void AppendSelectHeader(const SelectOptions& options, std::string& out) {
    calc::Requirement two = options.base;
    two.points.assign(2, calc::LoadPoint{});
    out += "行";
    for (const std::string& name : rows::SelectionHeader(two)) {
        out += '\t';
        out += name;
    }
    out += '\n';
}

bool AnswerSelectLine(std::string_view text, std::int64_t line, const SelectOptions& options,
                      std::string& out) {
    std::array<std::string_view, 6> fields;
    const std::size_t count = SplitFields(text, fields);
    if (count != 4 && count != 6) {
        ErrorRow(line,
                 "需要 4 或 6 个以制表符分隔的字段（安装孔、导杆、s1、F1[、s2、F2]），找到 " +
                     std::to_string(count) + " 个",
                 out);
        return false;
    }
    std::array<double, 6> numbers{};
    constexpr const char* kNames[] = {"安装孔", "导杆", "s1", "F1", "s2", "F2"};
    for (std::size_t k = 0; k < count; ++k) {
        const auto value =
            k == 1 && fields[k].empty() ? std::optional(0.0) : runtime::ReadPlainNumber(fields[k]);
        if (!value) {
            ErrorRow(
                line,
                std::string(kNames[k]) + "：'" + runtime::QuotedText(fields[k]) + "' 不是一个数",
                out);
            return false;
        }
        numbers[k] = *value;
    }
    const calc::Requirement r =
        LineRequirement(options.base, numbers[0], numbers[1],
                        {numbers[2], numbers[3], numbers[4], numbers[5]}, (count - 2) / 2);
    if (const auto problem = calc::CheckRequirement(r)) {
        ErrorRow(line, rows::RequirementProblemText(*problem), out);
        return false;
    }
    const calc::Selection selection = calc::Select(r, calc::Din2093());
    if (selection.shortfall) {
        ErrorRow(line, rows::ShortfallText(*selection.shortfall, r), out);
        return false;
    }
    const auto row = [&](const calc::Candidate& candidate) {
        out += std::to_string(line);
        out += '\t';
        rows::TabJoined cells(out);
        rows::CandidateCells(candidate, r, calc::Din2093(), rows::Precision::kEvery, cells, 2);
        out += '\n';
    };
    for (std::size_t k = 0;
         k < selection.catalogue.size() && k < static_cast<std::size_t>(options.best); ++k) {
        row(selection.catalogue[k]);
    }
    for (const calc::Candidate& candidate : selection.special) {
        row(candidate);
    }
    return true;
}

}  // namespace batch
