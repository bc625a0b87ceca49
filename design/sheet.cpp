// Computing a design's sheet through the batch tool's functions.
#include "design/sheet.h"

#include <algorithm>
#include <cmath>

#include "calc/force_deflection.h"
#include "calc/selection.h"
#include "calc/work.h"
#include "design/said_numbers.h"
#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace design {
namespace {

using rows::Say;

PlotSeries Series(std::string name, const char* symbol, const char* unit, Rgb color,
                  LineStyle style = LineStyle::kSolid) {
    return PlotSeries{std::move(name), symbol, unit, color, {}, style};
}

// The panels' axes and (empty) series: F over f, F_stack over s for a stack, σ over f. With
// friction, the loading and unloading forces beside the stack's (one spring's without a stack).
std::vector<PlotPanel> EmptyPanels(const calc::RowOptions& options, Language language) {
    const std::string deflection = Say(language, P("axis-deflection", "变形量 f (mm)"));
    PlotPanel force{deflection,
                    Say(language, P("axis-force", "力 F (N)")),
                    "f",
                    "mm",
                    {Series(Say(language, P("series-single", "F 单片")), "F", "N", {0, 90, 200})},
                    {},
                    {},
                    {}};
    // The axis says F_stack, the legend names the stack: a short panel keeps the title whole.
    PlotPanel stack{
        Say(language, P("axis-travel", "行程 s (mm)")),
        "F_stack (N)",
        "s",
        "mm",
        {Series(Say(language, P("series-stack", "F_stack 碟簧组")), "F_stack", "N", {220, 110, 0})},
        {},
        {},
        {}};
    PlotPanel& rubbing = options.stack ? stack : force;
    if (options.friction) {
        rubbing.series.push_back(Series(Say(language, P("series-load", "F_load 加载")), "F_load",
                                        "N", {200, 60, 60}, LineStyle::kDashed));
        rubbing.series.push_back(Series(Say(language, P("series-unload", "F_unload 卸载")),
                                        "F_unload", "N", {40, 120, 200}, LineStyle::kDashed));
        rubbing.bands.push_back({{150, 150, 150}, {}, {}});
    }
    std::vector<PlotPanel> panels{force};
    if (options.stack) {
        panels.push_back(stack);
    }
    panels.push_back(PlotPanel{
        deflection,
        Say(language, P("axis-stress", "应力 σ (MPa)")),
        "f",
        "mm",
        {Series("σom", "σom", "MPa", {120, 120, 120}), Series("σ1", "σ1", "MPa", {200, 30, 30}),
         Series("σ2", "σ2", "MPa", {30, 150, 60}), Series("σ3", "σ3", "MPa", {130, 60, 180})},
        {},
        {},
        {}});
    return panels;
}

// Adds a computed row's numbers to the panels' series.
void Plot(const calc::CurveRow& row, std::vector<PlotPanel>& panels, bool stack) {
    const double f = row.inputs->spring.f;
    const calc::RowResults& results = *row.row.results;
    const calc::SpringResults& r = results.spring;
    PlotPanel& force = panels.front();
    PlotPanel& stress = panels.back();
    force.series[0].points.push_back({f, r.F});
    const double s = results.stack ? results.stack->s : f;
    if (stack) {
        panels[1].series[0].points.push_back({s, results.stack->F_stack});
    }
    if (results.friction) {
        PlotPanel& rubbing = stack ? panels[1] : force;
        const Point load{s, results.friction->F_load}, unload{s, results.friction->F_unload};
        rubbing.series[1].points.push_back(load);
        rubbing.series[2].points.push_back(unload);
        rubbing.bands[0].upper.push_back(load);
        rubbing.bands[0].lower.push_back(unload);
    }
    stress.series[0].points.push_back({f, r.sigma_om});
    stress.series[1].points.push_back({f, r.sigma1});
    stress.series[2].points.push_back({f, r.sigma2});
    stress.series[3].points.push_back({f, r.sigma3});
}

// The row at a deflection, with the table's columns; a point whose row faults has a problem.
void Fill(PointResult& point, const calc::RowInputs& spring, const calc::RowOptions& options,
          double f) {
    calc::RowInputs at = spring;
    at.spring.f = f;
    calc::Row row = calc::CalculateRow(at, options);
    if (!row.results) {
        point.problem = row.results.error();
        return;
    }
    point.f = f;
    point.F = row.results->spring.F;
    point.s = row.results->stack ? row.results->stack->s : f;
    point.F_stack = row.results->stack ? row.results->stack->F_stack : point.F;
    point.L = row.results->stack ? row.results->stack->L : spring.spring.H - f;
    point.row = calc::CurveRow{runtime::NumberToText(f), at, std::move(row)};
}

PointResult ComputePoint(const calc::RowInputs& spring, const calc::RowOptions& options,
                         const PointRequest& request) {
    PointResult point;
    if (!request.value) {
        return point;
    }
    point.given = true;
    if (!*request.value) {
        point.problem = request.value->error();
        return point;
    }
    const auto f =
        calc::DeflectionAtPoint(spring, options, request.by == PointBy::kForce, **request.value);
    if (!f) {
        point.problem = f.error();
        return point;
    }
    Fill(point, spring, options, *f);
    return point;
}

const calc::SpringResults& Spring(const PointResult& point) {
    return point.row->row.results->spring;
}

std::optional<double> Work(const calc::RowInputs& spring, const calc::RowOptions& options,
                           double f) {
    calc::RowInputs at = spring;
    at.spring.f = f;
    const auto work = calc::SpringWork(at, options);
    return work ? std::optional(*work) : std::nullopt;
}

// The working points, what lies between them, the cycle of a dynamic load (judged against
// `lines` when there are some), the force at flat and the record of the spring.
void ComputeDesign(const Design& design, const std::vector<calc::FatigueLine>* lines,
                   Sheet& sheet) {
    const calc::RowInputs& spring = *sheet.spring;
    const calc::RowOptions& options = sheet.options;
    const std::optional<double> t_reduced =
        options.flats ? std::optional(spring.t_reduced) : std::nullopt;
    std::array<std::optional<double>, 2> at;
    for (std::size_t k = 0; k < 2; ++k) {
        PointResult& point = sheet.points[k] = ComputePoint(spring, options, design.points[k]);
        if (point.row) {
            at[k] = point.f;
            const std::string label = std::to_string(k + 1);
            sheet.plot.front().marks.push_back({label, {point.f, point.F}});
            if (options.stack) {
                sheet.plot[1].marks.push_back({label, {point.s, point.F_stack}});
            }
        }
    }
    sheet.point_findings = calc::CheckWorkingPoints(spring.spring, t_reduced, at, design.load);
    const PointResult &first = sheet.points[0], &second = sheet.points[1];
    // The point in use: the upper one, where the spring is loaded most.
    const int upper = !first.row ? 1 : (!second.row ? 0 : (second.f >= first.f ? 1 : 0));
    if (const PointResult& used = sheet.points[static_cast<std::size_t>(upper)]; used.row) {
        if (const auto strength =
                calc::CheckStrength(upper, used.f, Spring(used).sigma_om, options.material)) {
            sheet.point_findings.push_back(*strength);
        }
    }
    if (first.row && second.row) {
        sheet.stroke = second.f - first.f;
        if (options.stack) {
            sheet.stack_stroke = second.s - first.s;
        }
        const auto w1 = Work(spring, options, first.f), w2 = Work(spring, options, second.f);
        if (w1 && w2) {
            sheet.work = *w2 - *w1;
        }
    }
    if (first.row && second.row && design.load == calc::Load::kDynamic) {
        const int lower = 1 - upper;
        const bool shallow = std::any_of(sheet.point_findings.begin(), sheet.point_findings.end(),
                                         [](const calc::PointFinding& f) {
                                             return f.check == calc::PointCheck::kShallowPreload;
                                         });
        sheet.cycle = Cycle{lower,
                            calc::JudgeCycle(Spring(sheet.points[static_cast<std::size_t>(lower)]),
                                             Spring(sheet.points[static_cast<std::size_t>(upper)]),
                                             spring.spring.t, lines),
                            !shallow};
    }
    const calc::ShownQuantities shown = calc::ShowQuantities(spring.spring, t_reduced);
    if (shown.flat > 0) {
        PointResult flat;
        Fill(flat, spring, options, shown.flat);
        if (flat.row) {
            sheet.flat = FlatPoint{shown.flat, flat.F, flat.F_stack, Spring(flat).sigma_om};
            sheet.block = flat.L;
        }
    }
    sheet.test = calc::Inspect(spring, options.flats, options.material);
    sheet.clearance_outer = calc::GuideClearance(spring.spring.D);
    sheet.clearance_inner = calc::GuideClearance(spring.spring.d);
}

// The lines are read before the points, whose cycle they judge; a set that cannot be used
// judges nothing.
std::optional<std::vector<calc::FatigueLine>> ReadLines(const DesignTexts& texts, Sheet& sheet) {
    if (runtime::IsBlank(texts.fatigue_lines)) {
        return std::nullopt;
    }
    auto read = calc::ReadFatigueLines(texts.fatigue_lines);
    sheet.fatigue_lines = read.has_value();
    if (!read) {
        sheet.fatigue_problem = read.error();
        return std::nullopt;
    }
    return std::move(*read);
}

// Like packets are the i × n stack of their spring, up to their stop: the texts of that design.
std::optional<DesignTexts> AlikeStack(const DesignTexts& texts, const calc::Column& column) {
    const auto layout = calc::UniformLayout(column);
    if (!layout || !calc::PrepareColumn(column)) {
        return std::nullopt;
    }
    const calc::Packet& packet = column.packets.front();
    const calc::SpringInputs& spring = packet.spring.spring;
    DesignTexts alike = texts;
    alike.packets.clear();
    alike.D = said::Shown(spring.D);
    alike.d = said::Shown(spring.d);
    alike.t = said::Shown(spring.t);
    alike.H = said::Shown(spring.H);
    alike.t_reduced = packet.flats ? said::Shown(packet.spring.t_reduced) : std::string();
    alike.f_end = packet.stop ? said::Shown(*packet.stop) : std::string();
    alike.series = std::to_string(layout->series);
    alike.parallel = std::to_string(layout->parallel);
    return alike;
}

// A design with packets: the i × n stack when they are alike, else a column.
Sheet ComputePackets(const DesignTexts& texts, Language language, const StopRequested& stop) {
    Sheet sheet;
    sheet.language = language;
    DesignTexts used = texts;
    for (const InputField& input : kInputs) {
        if (PacketsStandFor(input.key)) {
            used.*input.text = {};  // not read: the packets stand in for them
        }
    }
    DesignReading reading = ReadDesign(used);
    sheet.partial_reads = std::move(reading.partial_reads);
    sheet.complete = true;
    if (!reading.design) {
        sheet.unusable = reading.design.error();
        return sheet;
    }
    const Design& design = *reading.design;
    sheet.options = design.options;
    sheet.load = design.load;
    auto column = ReadPackets(texts.packets, design.options.material);
    if (!column) {
        sheet.packet_problem = column.error();
        return sheet;
    }
    column->outer_edge = texts.outer_edge;
    if (auto alike = AlikeStack(texts, *column)) {
        return ComputeSheet(*alike, language, stop);
    }
    if (design.options.friction) {
        sheet.packet_problem = PacketProblem{PacketProblem::Kind::kFriction};
        return sheet;
    }
    const auto lines = ReadLines(texts, sheet);
    sheet.complete = ComputeColumn(*column, design, lines ? &*lines : nullptr, stop, sheet);
    return sheet;
}

}  // namespace

Sheet ComputeSheet(const DesignTexts& texts, const StopRequested& stop) {
    return ComputeSheet(texts, Language::kChinese, stop);
}

Sheet ComputeSheet(const DesignTexts& texts, Language language, const StopRequested& stop) {
    if (!texts.packets.empty()) {
        return ComputePackets(texts, language, stop);
    }
    Sheet sheet;
    sheet.language = language;
    DesignReading reading = ReadDesign(texts);
    sheet.partial_reads = std::move(reading.partial_reads);
    if (!reading.design) {
        sheet.unusable = reading.design.error();
        sheet.complete = true;
        return sheet;
    }
    const Design& design = *reading.design;
    const calc::RowOptions& options = sheet.options = design.options;
    sheet.load = design.load;
    const std::optional<std::vector<calc::FatigueLine>> lines = ReadLines(texts, sheet);
    sheet.plot = EmptyPanels(options, language);
    const auto steps = static_cast<std::size_t>(design.steps);
    sheet.rows.reserve(steps + 1);
    for (PlotPanel* panel : {&sheet.plot.front(), &sheet.plot.back()}) {
        for (PlotSeries& series : panel->series) {
            series.points.reserve(steps + 1);
        }
    }
    for (int k = 0; k <= design.steps; ++k) {
        if (k % 1024 == 0 && stop && stop()) {
            return sheet;
        }
        calc::CurveRow row = calc::CurveRowAt(design.curve, k, options);
        if (row.row.results) {
            Plot(row, sheet.plot, options.stack.has_value());
        } else if (!sheet.first_fault) {
            sheet.first_fault = sheet.rows.size();
        }
        sheet.rows.push_back(std::move(row));
    }
    if (design.curve) {
        const calc::RowInputs& spring = *(sheet.spring = design.curve->spring);
        // With f = 0 only the findings about D, d, t and H can appear; the plot marks f's limits
        // where the checks draw them: at flat and 0.75 of the way, as shown.
        sheet.spring_findings = calc::CheckRow(spring, options);
        const calc::ShownQuantities shown = calc::ShowQuantities(
            spring.spring, options.flats ? std::optional(spring.t_reduced) : std::nullopt);
        if (shown.flat > 0 && std::isfinite(shown.flat)) {
            const std::string h0 = options.flats ? "h0′" : "h0";
            const std::vector<PlotMarker> markers{{"0.75·" + h0, shown.three_quarters},
                                                  {h0, shown.flat}};
            sheet.plot.front().markers = sheet.plot.back().markers = markers;
            if (options.stack) {
                const double i = options.stack->series;
                sheet.plot[1].markers = {{"i·0.75·" + h0, i * shown.three_quarters},
                                         {"i·" + h0, i * shown.flat}};
            }
        }
        ComputeDesign(design, lines ? &*lines : nullptr, sheet);
        const auto quarters =
            calc::ReadCurve({texts.D, texts.d, texts.t, texts.H, texts.t_reduced, {}}, 4, options);
        for (int k = 0; k <= 4; ++k) {
            sheet.quarters.push_back(calc::CurveRowAt(quarters, k, options));
        }
    }
    sheet.complete = true;
    return sheet;
}

}  // namespace design
