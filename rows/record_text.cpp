// The record an engineer signs, as cells.
#include "rows/record_text.h"

#include "runtime/number_text.h"

namespace rows {
namespace {

std::string Number(std::optional<double> value, Measure measure, Precision precision) {
    if (!value) {
        return {};
    }
    return precision == Precision::kEvery ? std::string(runtime::NumberToText(*value).view())
                                          : Engineering(*value, measure);
}

}  // namespace

std::vector<std::string> RecordHeader(bool dynamic, Language language) {
    std::vector<std::string> names = {Say(language, P("record-group", "组")),
                                      "L_t(mm)",
                                      "F_t(N)",
                                      "F_t+(%)",
                                      "F_t−(%)",
                                      "σOM_t(MPa)",
                                      "σOM_t/Rm",
                                      Say(language, P("record-block", "压平长度(mm)")),
                                      Say(language, P("record-clearance-outer", "间隙 De(mm)")),
                                      Say(language, P("record-clearance-inner", "间隙 Di(mm)"))};
    if (dynamic) {
        names.push_back(Say(language, P("record-fatigue-point", "疲劳点")));
        names.emplace_back("σO,perm(MPa)");
        names.push_back(Say(language, P("record-margin", "余量(MPa)")));
    }
    return names;
}

void RecordCells(const Record& record, Precision precision, CellSink& out) {
    const auto number = [&out](std::optional<double> value, Measure measure, Precision shown) {
        out.Cell(Number(value, measure, shown));
    };
    if (const auto& test = record.inspection) {
        out.Cell(std::to_string(test->group));
        number(test->length, Measure::kLength, precision);
        number(test->force, Measure::kOther, precision);
        // The standard's percentages, as its table prints them.
        const calc::SpringTolerances* tolerance = test->tolerances ? &*test->tolerances : nullptr;
        number(tolerance ? std::optional(tolerance->force.plus) : std::nullopt, Measure::kOther,
               Precision::kEvery);
        number(tolerance ? std::optional(tolerance->force.minus) : std::nullopt, Measure::kOther,
               Precision::kEvery);
        number(test->sigma_om, Measure::kOther, precision);
        number(test->utilisation, Measure::kOther, precision);
    } else {
        for (int k = 0; k < 7; ++k) {
            out.Cell("");
        }
    }
    number(record.block, Measure::kLength, precision);
    number(record.clearance_outer, Measure::kLength, Precision::kEvery);
    number(record.clearance_inner, Measure::kLength, Precision::kEvery);
    if (!record.dynamic) {
        return;
    }
    const calc::CycleVerdict* cycle = record.cycle;
    const calc::FatigueJudgement* judged = cycle ? cycle->Judgement() : nullptr;
    const calc::FatigueLineVerdict* line = judged ? DecidingLine(*judged) : nullptr;
    out.Cell(cycle ? CyclePoint(cycle->Cycle()) : "");
    number(line ? std::optional(line->permissible) : std::nullopt, Measure::kOther, precision);
    number(line ? std::optional(line->margin) : std::nullopt, Measure::kOther, precision);
}

std::string CyclePoint(const calc::LoadCycle& cycle) {
    return cycle.at_III ? "III" : "II";
}

const calc::FatigueLineVerdict* DecidingLine(const calc::FatigueJudgement& judged) {
    return judged.longest ? &*judged.longest : judged.FirstJudged();
}

}  // namespace rows
