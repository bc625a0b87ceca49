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

using rows::Say;
using said::Length;
using said::Other;
using said::Shown;

std::string Packet(std::size_t k, Language language) {
    return Say(language, P("packet-numbered", "第 {k} 组"), {{"k", std::to_string(k + 1)}});
}

// A packet's sentence, led by the packet.
std::string OfPacket(std::size_t k, const std::string& sentence, Language language) {
    return Say(language, P("packet-finding", "{packet}，{finding}"),
               {{"packet", Packet(k, language)}, {"finding", sentence}});
}

const ColumnSheet& Column(const Sheet& sheet) {
    return *sheet.column;
}

// A point's cells; one without a travel says why across every column after its force.
TableRow RowOf(const Sheet& sheet, const calc::ColumnPoint& point) {
    TableRow row;
    if (!point.stack) {
        row.cells = {Shown(point.force), rows::ErrorCell(point.stack.error(), sheet.language)};
        row.span = static_cast<int>(Header(sheet).size()) - 1;
        return row;
    }
    rows::CellList cells;
    rows::ColumnPointCells(point, false, cells, sheet.language);
    row.cells = std::move(cells.cells);
    return row;
}

std::string UtilisationText(double sigma_om, const calc::Material& material, Language language) {
    const auto used = calc::Utilisation(sigma_om, material);
    return used ? "σom/Rm = " + runtime::FixedText(*used, 2)
                : Say(language, P("rm-unknown", "Rm 未知"));
}

}  // namespace

std::vector<std::string> Header(const Sheet& sheet) {
    rows::CellList cells;
    rows::ColumnHeaderCells(Column(sheet).prepared.column, false, cells, sheet.language);
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
        rows::ColumnHeaderCells(column, false, header, sheet.language);
    }
    text += '\n';
    for (const calc::ColumnPoint& point : Column(sheet).rows) {
        rows::TabJoined joined(text);
        rows::ColumnPointCells(point, false, joined, sheet.language);
        text += '\n';
    }
    std::string points;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].column) {
            rows::TabJoined joined(points);
            joined.Cell(std::to_string(k + 1));
            rows::ColumnPointCells(*sheet.points[k].column, false, joined, sheet.language);
            points += '\n';
        }
    }
    if (!points.empty()) {
        text += '\n';
        rows::TabJoined header(text);
        header.Cell(Say(sheet.language, P("column-point", "工作点")));
        rows::ColumnHeaderCells(column, false, header, sheet.language);
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
                                 OfPacket(k,
                                          rows::FindingSentence(finding, packets[k].spring, options,
                                                                sheet.language),
                                          sheet.language)});
            }
        }
        if (k >= column.judged.size()) {
            continue;
        }
        const calc::PacketJudgement& judged = column.judged[k];
        const std::vector<std::string> codes = rows::PacketCodes(judged);
        std::vector<std::string> sentences = rows::PacketJudgementSentences(
            static_cast<int>(k) + 1, judged, packets[k].flats, sheet.language);
        const calc::FatigueJudgement* fatigue = judged.cycle ? judged.cycle->Judgement() : nullptr;
        if (fatigue) {
            sentences.push_back(OfPacket(
                k, rows::FatigueVerdictSentence(*judged.cycle, sheet.language), sheet.language));
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
    const Language language = sheet.language;
    std::vector<std::string> lines;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        const PointResult& point = sheet.points[k];
        const std::string_view name = Said(kPointNames[k], language);
        if (point.problem) {
            lines.push_back(
                Say(language, P("named-why", "{name}：{why}"),
                    {{"name", name},
                     {"why",
                      rows::ErrorSentence(*point.problem, rows::Precision::kReader, language)}}));
            continue;
        }
        if (!point.column) {
            continue;
        }
        std::string line =
            Say(language, P("column-point-summary", "{name}：F = {F} N，s = {s} mm，L = {L} mm"),
                {{"name", name},
                 {"F", Other(point.F_stack)},
                 {"s", Length(point.s)},
                 {"L", Length(point.L)}});
        const auto& packets = point.column->packets;
        for (std::size_t j = 0; j < packets.size(); ++j) {
            if (!packets[j].row.results) {
                continue;
            }
            const double sigma_om = packets[j].row.results->spring.sigma_om;
            line += Say(language,
                        packets[j].at_stop
                            ? P("packet-at-stop-summary",
                                "；{packet} f = {f} mm，σom = {sigma} MPa，{utilisation}，在挡块")
                            : P("packet-summary",
                                "；{packet} f = {f} mm，σom = {sigma} MPa，{utilisation}"),
                        {{"packet", Packet(j, language)},
                         {"f", Length(packets[j].f)},
                         {"sigma", Other(sigma_om)},
                         {"utilisation", UtilisationText(sigma_om, material, language)}});
        }
        lines.push_back(line);
    }
    if (sheet.stack_stroke) {
        lines.push_back(Say(language, P("column-stroke", "工作点 1 → 2：行程 Δs = {stroke} mm"),
                            {{"stroke", Length(*sheet.stack_stroke)}}));
    }
    if (sheet.load == calc::Load::kDynamic && !sheet.stack_stroke) {
        lines.push_back(
            Say(language, P("column-dynamic-needs-two-points",
                            "动载：要有两个工作点（两点间的载荷循环）才能判断各组的预压和疲劳")));
    } else if (sheet.load == calc::Load::kDynamic && !sheet.fatigue_lines) {
        lines.push_back(
            Say(language, P("column-fatigue-not-judged",
                            "各组能否承受由 DIN 2093 的疲劳图按厚度组判断，本程序不作判断；可在"
                            "“疲劳线”中输入从所持标准或厂家手册的疲劳图上读出的线")));
    }
    lines.push_back(Say(language, P("column-end-force", "全部到挡块时：F = {F} N"),
                        {{"F", Other(column.prepared.end_force)}}));
    return lines;
}

std::vector<std::string> SpringLines(const Sheet& sheet) {
    const ColumnSheet& column = Column(sheet);
    const calc::Material& material = column.prepared.column.material;
    std::vector<std::string> lines;
    lines.push_back(Say(sheet.language,
                        P("column-line", "渐进碟簧组：{count} 组串联，自由长度 L0 = {L0} mm"),
                        {{"count", std::to_string(column.prepared.column.packets.size())},
                         {"L0", Shown(column.prepared.free_length)}}));
    lines.push_back(MaterialLine(material, sheet.language));
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
        std::string line = Say(sheet.language,
                               P("packet-test-line",
                                 "{packet}检验（单片，组 {group}）：试验长度 {L} mm，"
                                 "试验力 F = {F} N"),
                               {{"packet", Packet(k, sheet.language)},
                                {"group", std::to_string(test->group)},
                                {"L", Length(test->length)},
                                {"F", Other(test->force)}});
        if (test->tolerances) {
            line +=
                Say(sheet.language, P("in-brackets", "（{text}）"),
                    {{"text", "+" + runtime::FixedText(test->tolerances->force.plus, 3) + " %/−" +
                                  runtime::FixedText(test->tolerances->force.minus, 3) + " %"}});
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> PacketHeader(Language language) {
    return {Say(language, P("record-group", "组")),
            "n",
            "D(mm)",
            "d(mm)",
            "t(mm)",
            "H(mm)",
            "t′(mm)",
            Say(language, P("packet-stop", "挡块 f(mm)")),
            Say(language, P("column-stop-force", "挡块处 F(N)"))};
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
              Length(column.prepared.stops[k]) +
                  (packet.stop ? "" : Say(sheet.language, P("flat-in-brackets", "（压平）"))),
              Other(column.prepared.stop_forces[k])}});
    }
    return rows;
}

}  // namespace design::column_text
