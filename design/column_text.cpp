// A progressive stack's sheet in words.
#include "design/column_text.h"
#include "design/said_numbers.h"

#include "calc/materials.h"
#include "rows/column_text.h"
#include "rows/fatigue_text.h"
#include "rows/findings_text.h"
#include "rows/row_text.h"
#include "runtime/number_text.h"

namespace design::column_text {
namespace {

using said::Length;
using said::Other;
using said::Shown;

std::string Packet(std::size_t k) {
    return "第 " + std::to_string(k + 1) + " 组";
}

const ColumnSheet& Column(const Sheet& sheet) {
    return *sheet.column;
}

// A point's cells; one without a travel says why across every column after its force.
TableRow RowOf(const Sheet& sheet, const calc::ColumnPoint& point) {
    TableRow row;
    if (!point.stack) {
        row.cells = {Shown(point.force), rows::ErrorCell(point.stack.error())};
        row.span = static_cast<int>(Header(sheet).size()) - 1;
        return row;
    }
    rows::CellList cells;
    rows::ColumnPointCells(point, false, cells);
    row.cells = std::move(cells.cells);
    return row;
}

std::string UtilisationText(double sigma_om, const calc::Material& material) {
    const auto used = calc::Utilisation(sigma_om, material);
    return used ? "σom/Rm = " + runtime::FixedText(*used, 2) : std::string("Rm 未知");
}

}  // namespace

std::vector<std::string> Header(const Sheet& sheet) {
    rows::CellList cells;
    rows::ColumnHeaderCells(Column(sheet).prepared.column, false, cells);
    return cells.cells;
}

TableRow Row(const Sheet& sheet, std::size_t k) {
    return RowOf(sheet, Column(sheet).rows[k]);
}

TableRow PointRow(const Sheet& sheet, int point) {
    const PointResult& result = sheet.points[static_cast<std::size_t>(point)];
    return result.column ? RowOf(sheet, *result.column) : TableRow{};
}

std::string Copy(const Sheet& sheet) {
    std::string text;
    const calc::Column& column = Column(sheet).prepared.column;
    {
        rows::TabJoined header(text);
        rows::ColumnHeaderCells(column, false, header);
    }
    text += '\n';
    for (const calc::ColumnPoint& point : Column(sheet).rows) {
        rows::TabJoined joined(text);
        rows::ColumnPointCells(point, false, joined);
        text += '\n';
    }
    std::string points;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].column) {
            rows::TabJoined joined(points);
            joined.Cell(std::to_string(k + 1));
            rows::ColumnPointCells(*sheet.points[k].column, false, joined);
            points += '\n';
        }
    }
    if (!points.empty()) {
        text += '\n';
        rows::TabJoined header(text);
        header.Cell("工作点");
        rows::ColumnHeaderCells(column, false, header);
        text += '\n' + points;
    }
    return text;
}

void AddVerdicts(const Sheet& sheet, std::vector<Found>& found) {
    const ColumnSheet& column = Column(sheet);
    const auto& packets = column.prepared.column.packets;
    for (std::size_t k = 0; k < packets.size(); ++k) {
        const std::string lead = "[" + std::to_string(k + 1) + "]";
        calc::RowOptions options;
        options.flats = packets[k].flats;
        options.material = column.prepared.column.material;
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (column.findings[k].has(finding)) {
                found.push_back({lead + std::string(rows::FindingCode(finding)),
                                 Packet(k) + "，" +
                                     rows::FindingSentence(finding, packets[k].spring, options)});
            }
        }
        if (k >= column.judged.size()) {
            continue;
        }
        const calc::PacketJudgement& judged = column.judged[k];
        const std::vector<std::string> codes = rows::PacketCodes(judged);
        std::vector<std::string> sentences =
            rows::PacketJudgementSentences(static_cast<int>(k) + 1, judged, packets[k].flats);
        const calc::FatigueJudgement* fatigue = judged.cycle ? judged.cycle->Judgement() : nullptr;
        if (fatigue) {
            sentences.push_back(Packet(k) + "，" + rows::FatigueVerdictSentence(*judged.cycle));
        }
        for (std::size_t c = 0; c < codes.size() && c < sentences.size(); ++c) {
            const bool passes = fatigue && c + 1 == codes.size() && fatigue->longest.has_value();
            found.push_back({lead + codes[c], sentences[c], passes});
        }
    }
}

std::vector<std::pair<std::string, std::string>> Record(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    std::vector<std::pair<std::string, std::string>> pairs{
        {"L0(mm)", Shown(column.prepared.free_length)}};
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        pairs.emplace_back("L" + std::to_string(k + 1) + "(mm)",
                           sheet.points[k].column ? Shown(sheet.points[k].L) : "");
    }
    for (std::size_t k = 0; k < column.tests.size(); ++k) {
        const std::string n = "[" + std::to_string(k + 1) + "]";
        const auto& test = column.tests[k];
        pairs.emplace_back("L_test" + n + "(mm)", test ? Shown(test->length) : "");
        pairs.emplace_back("F_test" + n + "(N)", test ? Shown(test->force) : "");
    }
    return pairs;
}

std::vector<std::string> Summary(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    const calc::Material& material = column.prepared.column.material;
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        const PointResult& point = sheet.points[k];
        if (point.problem) {
            lines.push_back(std::string(kPointNames[k]) + "：" +
                            rows::ErrorSentence(*point.problem, rows::Precision::kReader));
            continue;
        }
        if (!point.column) {
            continue;
        }
        std::string line = std::string(kPointNames[k]) + "：F = " + Other(point.F_stack) +
                           " N，s = " + Length(point.s) + " mm，L = " + Length(point.L) + " mm";
        const auto& packets = point.column->packets;
        for (std::size_t j = 0; j < packets.size(); ++j) {
            if (!packets[j].row.results) {
                continue;
            }
            const double sigma_om = packets[j].row.results->spring.sigma_om;
            line += "；" + Packet(j) + " f = " + Length(packets[j].f) +
                    " mm，σom = " + Other(sigma_om) + " MPa，" +
                    UtilisationText(sigma_om, material) + (packets[j].at_stop ? "，在挡块" : "");
        }
        lines.push_back(line);
    }
    if (sheet.stack_stroke) {
        lines.push_back("工作点 1 → 2：行程 Δs = " + Length(*sheet.stack_stroke) + " mm");
    }
    if (sheet.load == calc::Load::kDynamic && !sheet.stack_stroke) {
        lines.emplace_back("动载：要有两个工作点（两点间的载荷循环）才能判断各组的预压和疲劳");
    } else if (sheet.load == calc::Load::kDynamic && !sheet.fatigue_lines) {
        lines.emplace_back(
            "各组能否承受由 DIN 2093 的疲劳图按厚度组判断，本程序不作判断；可在“疲劳线”中输入"
            "从所持标准或厂家手册的疲劳图上读出的线");
    }
    lines.push_back("全部到挡块时：F = " + Other(column.prepared.end_force) + " N");
    return lines;
}

std::vector<std::string> SpringLines(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    const calc::Material& material = column.prepared.column.material;
    std::vector<std::string> lines;
    lines.push_back("渐进碟簧组：" + std::to_string(column.prepared.column.packets.size()) +
                    " 组串联，自由长度 L0 = " + Shown(column.prepared.free_length) + " mm");
    lines.push_back(MaterialLine(material));
    return lines;
}

std::vector<std::string> TestLines(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < column.tests.size(); ++k) {
        const auto& test = column.tests[k];
        if (!test) {
            continue;
        }
        std::string line = Packet(k) + "检验（单片，组 " + std::to_string(test->group) +
                           "）：试验长度 " + Length(test->length) +
                           " mm，试验力 F = " + Other(test->force) + " N";
        if (test->tolerances) {
            line += "（+" + runtime::FixedText(test->tolerances->force.plus, 3) + " %/−" +
                    runtime::FixedText(test->tolerances->force.minus, 3) + " %）";
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> PacketHeader() {
    return {"组", "n", "D(mm)", "d(mm)", "t(mm)", "H(mm)", "t′(mm)", "挡块 f(mm)", "挡块处 F(N)"};
}

std::vector<TableRow> PacketRows(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    std::vector<TableRow> rows;
    const auto& packets = column.prepared.column.packets;
    for (std::size_t k = 0; k < packets.size(); ++k) {
        const calc::Packet& packet = packets[k];
        const calc::SpringInputs& s = packet.spring.spring;
        rows.push_back(
            {{std::to_string(k + 1), std::to_string(packet.count), Shown(s.D), Shown(s.d),
              Shown(s.t), Shown(s.H), packet.flats ? Shown(packet.spring.t_reduced) : "",
              Length(column.prepared.stops[k]) + (packet.stop ? "" : "（压平）"),
              Other(column.prepared.stop_forces[k])}});
    }
    return rows;
}

}  // namespace design::column_text
