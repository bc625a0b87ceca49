// The record an engineer signs beside a spring's numbers, as cells: how the spring is inspected,
// its length flat, the clearance to its guide and, under a dynamic load, the fatigue verdict.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "calc/fatigue_lines.h"
#include "calc/test_force.h"
#include "rows/cells.h"
#include "rows/engineering.h"
#include "rows/language.h"

namespace rows {

/// What a record holds; a missing value gives an empty cell.
struct Record {
    std::optional<calc::Inspection> inspection;
    std::optional<double> block;  ///< the length with every spring flat, mm
    std::optional<double> clearance_outer, clearance_inner;  ///< to the guide at D and at d, mm
    bool dynamic = false;                       ///< whether the fatigue columns are there
    const calc::CycleVerdict* cycle = nullptr;  ///< a dynamic load's cycle, when it has one
};

/// The record's column names: 组, L_t(mm), F_t(N), F_t+(%), F_t−(%), σOM_t(MPa), σOM_t/Rm,
/// 压平长度(mm), 间隙 De(mm), 间隙 Di(mm); with `dynamic` then 疲劳点 (II or III, the deciding
/// point), σO,perm(MPa) and 余量(MPa) of the line that decides there.
std::vector<std::string> RecordHeader(bool dynamic, Language language = Language::kChinese);

/// A record's cells under RecordHeader(record.dynamic), numbers with every digit or a reader's.
void RecordCells(const Record& record, Precision precision, CellSink& out);

/// "II" or "III": where a cycle lies.
std::string CyclePoint(const calc::LoadCycle& cycle);

/// The line that decides a judgement: the longest that holds, else the first that reaches σU
/// (and fails); none when no line reaches σU.
const calc::FatigueLineVerdict* DecidingLine(const calc::FatigueJudgement& judged);

}  // namespace rows
