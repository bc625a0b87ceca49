// A progressive stack's part of a design sheet.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "calc/column.h"
#include "calc/design_check.h"
#include "calc/fatigue_lines.h"
#include "calc/row.h"
#include "calc/test_force.h"

namespace design {

struct Design;
struct Sheet;

/// A column of packets not all alike, as a sheet shows it: the column checked, its
/// characteristic stepped by force (the rows of disc-spring-batch --stack --curve N), each
/// packet's findings about its dimensions, its judgement at the working points and its single
/// spring at its test length.
struct ColumnSheet {
    calc::PreparedColumn prepared;
    std::vector<calc::ColumnPoint> rows;
    std::vector<calc::Findings> findings;
    std::vector<calc::PacketJudgement> judged;
    std::vector<std::optional<calc::Inspection>> tests;
};

/// Fills `sheet` for `column`: its problem when it cannot be computed, else its ColumnSheet,
/// working points (by force, or by travel as ColumnAtTravel finds them), the travel between
/// them and the plot (F over s, each packet's σom over s). Gives up early, the sheet left
/// in part, once `stop` says so: then false.
bool ComputeColumn(const calc::Column& column, const Design& design,
                   const std::vector<calc::FatigueLine>* lines, const std::function<bool()>& stop,
                   Sheet& sheet);

}  // namespace design
