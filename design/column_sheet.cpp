// Computing a progressive stack's sheet through the batch tool's functions.
#include "design/column_sheet.h"

#include "design/sheet.h"

namespace design {
namespace {

// Packets' σom lines, told apart by colour; the palette repeats past its end.
constexpr Rgb kPacketColors[] = {{200, 30, 30}, {30, 150, 60},   {130, 60, 180}, {220, 110, 0},
                                 {0, 90, 200},  {120, 120, 120}, {180, 0, 120},  {0, 140, 140}};

std::vector<PlotPanel> ColumnPanels(const calc::Column& column, Language language) {
    const std::string travel = rows::Say(language, P("axis-travel", "行程 s (mm)"));
    PlotPanel force{travel, rows::Say(language, P("axis-force", "力 F (N)")), "s", "mm", {}, {}, {},
                    {}};
    force.series.push_back({rows::Say(language, P("series-column", "F 碟簧组")),
                            "F",
                            "N",
                            {220, 110, 0},
                            {},
                            LineStyle::kSolid});
    PlotPanel stress{
        travel, rows::Say(language, P("axis-stress-om", "应力 σom (MPa)")), "s", "mm", {}, {}, {},
        {}};
    for (std::size_t k = 0; k < column.packets.size(); ++k) {
        const std::string name = "σom[" + std::to_string(k + 1) + "]";
        stress.series.push_back({name,
                                 name,
                                 "MPa",
                                 kPacketColors[k % std::size(kPacketColors)],
                                 {},
                                 LineStyle::kSolid});
    }
    return {force, stress};
}

void Plot(const calc::ColumnPoint& point, std::vector<PlotPanel>& panels) {
    const double s = point.stack->s;
    panels[0].series[0].points.push_back({s, point.force});
    for (std::size_t k = 0; k < point.packets.size(); ++k) {
        if (point.packets[k].row.results) {
            panels[1].series[k].points.push_back(
                {s, point.packets[k].row.results->spring.sigma_om});
        }
    }
}

// The packets that reach their stops at a kink, "挡块 1,3", at its travel.
void MarkStops(const calc::PreparedColumn& column, const calc::ColumnPoint& point,
               std::vector<PlotPanel>& panels, Language language) {
    std::string packets;
    for (std::size_t k = 0; k < point.packets.size(); ++k) {
        if (column.stop_forces[k] == point.force) {
            packets += (packets.empty() ? "" : ",") + std::to_string(k + 1);
        }
    }
    if (!packets.empty()) {
        for (PlotPanel& panel : panels) {
            panel.markers.push_back(
                {rows::Say(language, P("stops-marker", "挡块 {packets}"), {{"packets", packets}}),
                 point.stack->s});
        }
    }
}

}  // namespace

bool ComputeColumn(const calc::Column& column, const Design& design,
                   const std::vector<calc::FatigueLine>* lines, const std::function<bool()>& stop,
                   Sheet& sheet) {
    auto prepared = calc::PrepareColumn(column);
    if (!prepared) {
        sheet.column_problem = prepared.error();
        return true;
    }
    ColumnSheet& out = sheet.column.emplace();
    out.prepared = std::move(*prepared);
    sheet.plot = ColumnPanels(column, sheet.language);
    for (const double force : calc::CharacteristicForces(out.prepared, design.steps)) {
        if (out.rows.size() % 64 == 0 && stop && stop()) {
            return false;
        }
        calc::ColumnPoint point = calc::ColumnAtForce(out.prepared, force);
        if (point.stack) {
            Plot(point, sheet.plot);
            if (point.kink) {
                MarkStops(out.prepared, point, sheet.plot, sheet.language);
            }
        } else if (!sheet.first_fault) {
            sheet.first_fault = out.rows.size();
        }
        out.rows.push_back(std::move(point));
    }
    std::array<const calc::ColumnPoint*, 2> at{};
    for (std::size_t k = 0; k < 2; ++k) {
        const PointRequest& request = design.points[k];
        PointResult& point = sheet.points[k];
        if (!request.value) {
            continue;
        }
        point.given = true;
        if (!*request.value) {
            point.problem = request.value->error();
            continue;
        }
        auto found =
            calc::ColumnAtPoint(out.prepared, request.by == PointBy::kForce, **request.value);
        if (!found) {
            point.problem = found.error();
        } else if (!found->stack) {
            point.problem = found->stack.error();
        } else {
            point.s = found->stack->s;
            point.F_stack = point.F = found->force;
            point.L = found->stack->L;
            point.column = std::move(*found);
            sheet.plot[0].marks.push_back({std::to_string(k + 1), {point.s, point.F_stack}});
        }
    }
    for (std::size_t k = 0; k < 2; ++k) {
        at[k] = sheet.points[k].column ? &*sheet.points[k].column : nullptr;
    }
    if (at[0] != nullptr && at[1] != nullptr) {
        sheet.stack_stroke = sheet.points[1].s - sheet.points[0].s;
    }
    out.judged = calc::JudgeColumn(out.prepared, at, design.load, lines);
    for (const calc::Packet& packet : column.packets) {
        calc::RowOptions options;
        options.flats = packet.flats;
        options.material = column.material;
        out.findings.push_back(calc::CheckRow(packet.spring, options));
        out.tests.push_back(calc::Inspect(packet.spring, packet.flats, column.material));
    }
    return true;
}

}  // namespace design
