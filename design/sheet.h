// A design sheet: everything a face shows of a design, as values.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "calc/characteristic.h"
#include "calc/design_check.h"
#include "calc/fatigue.h"
#include "calc/fatigue_lines.h"
#include "calc/test_force.h"
#include "design/column_sheet.h"
#include "design/design.h"
#include "design/packets.h"
#include "design/plot_data.h"

namespace design {

/// A working point as computed.
struct PointResult {
    bool given = false;
    /// Why a given point has no row: a force out of reach, a fault; absent when it has one.
    std::optional<calc::RowError> problem;
    /// Its row: by force the batch tool's --force row, by deflection its plain row at f (a
    /// stack's travel s gives f = s ÷ i as shown); with the table's columns.
    std::optional<calc::CurveRow> row;
    double f = 0, F = 0, s = 0, F_stack = 0;  ///< from the row, when there is one
    double L = 0;  ///< the length there: the stack's L, or H − f of a single spring
    /// A progressive stack's point (no row then: s, F_stack and L are its travel, force, L).
    std::optional<calc::ColumnPoint> column;
};

/// Where the spring is flat, and its force and σom there.
struct FlatPoint {
    double f;  ///< h0, or h0′ with contact flats, as shown
    double F, F_stack, sigma_om;
};

/// A load cycle between the two working points of a dynamic load, for a fatigue check.
struct Cycle {
    int lower;  ///< the point of smaller f: 0 or 1
    /// At II and III, judged against the design's fatigue lines when it has some that can be
    /// used.
    calc::CycleVerdict verdict;
    bool preloaded;  ///< the lower point is at least 0.15·h0 (no kShallowPreload finding)
};

/// Everything a face shows of a design, as values: the characteristic's rows, the working
/// points with the stroke and work between them, the force at flat, the findings, the table at
/// the quarters of the way to flat (for the data sheet) and the plot. The faces word it with
/// sheet_text.h and rows/.
struct Sheet {
    std::vector<PartialRead> partial_reads;
    /// Options that cannot be used; then nothing else is computed.
    std::optional<calc::OptionProblem> unusable;
    calc::RowOptions options;
    /// Packets that cannot be read, or make no column; then nothing else is computed.
    std::optional<PacketProblem> packet_problem;
    std::optional<calc::ColumnProblem> column_problem;
    /// A progressive stack of packets not all alike (like packets are the i × n stack they
    /// make, and computed as it): then `rows`, `spring` and `quarters` are empty and the
    /// working points have no rows.
    std::optional<ColumnSheet> column;
    /// The spring as read, when its texts could be read.
    std::optional<calc::RowInputs> spring;
    /// The characteristic, k = 0 … N, exactly the rows of disc-spring-batch --curve N --rate
    /// with the options in use; each row's numbers or why it has none.
    std::vector<calc::CurveRow> rows;
    /// The first row without numbers, if any.
    std::optional<std::size_t> first_fault;
    std::array<PointResult, 2> points;
    /// From working point 1 to 2: the stroke Δf (and the stack's Δs), and the work (the integral
    /// of the force relation, over the stack for a stack, friction left out).
    std::optional<double> stroke, stack_stroke, work;
    calc::Load load = calc::Load::kStatic;
    std::optional<Cycle> cycle;  ///< a dynamic load's, when both points have rows
    /// Why the fatigue lines typed cannot be used; none of them is then applied.
    std::optional<calc::FatigueLinesProblem> fatigue_problem;
    bool fatigue_lines = false;  ///< lines that can be used were given
    std::optional<FlatPoint> flat;
    /// The single spring at its test length.
    std::optional<calc::Inspection> test;
    /// The length with every spring flat (the stack's, or t′ of one spring), and the clearance
    /// makers recommend to a guide at D (in a bore) and at d (on a rod).
    std::optional<double> block;
    double clearance_outer = 0, clearance_inner = 0;
    /// The findings about D, d, t, H and the options (judged at f = 0), and those at the working
    /// points: the limits on f, the preload under a dynamic load and, at the upper point, the
    /// strength.
    calc::Findings spring_findings;
    std::vector<calc::PointFinding> point_findings;
    /// The table at 0, ¼, ½, ¾ and 1 of the way to flat.
    std::vector<calc::CurveRow> quarters;
    /// F over f, F_stack over s for a stack, the stresses over f.
    std::vector<PlotPanel> plot;
    /// False when the computation was stopped before it ended.
    bool complete = false;
    /// The language its words are said in: the plot's computed here, the rest by sheet_text.h.
    Language language = Language::kChinese;
};

/// Whether the computation under way is to stop (a newer request has come); never when empty.
using StopRequested = std::function<bool()>;

/// Computes the sheet of a design from its texts, through the same functions as the batch tool
/// (a design with packets as --stack does);
/// a dynamic load's cycle is judged at II and III against the design's fatigue lines (by the
/// spring's thickness as made). Gives up early, with an incomplete sheet, once `stop` says so.
Sheet ComputeSheet(const DesignTexts& texts, const StopRequested& stop = {});
/// The same, its words in `language`; the numbers and codes are the same bytes in every one.
Sheet ComputeSheet(const DesignTexts& texts, Language language, const StopRequested& stop = {});

}  // namespace design
