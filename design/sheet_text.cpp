// A design sheet in words: the table, the verdicts, the summary, the record.
#include "design/sheet_text.h"

#include <algorithm>

#include "calc/materials.h"
#include "design/column_text.h"
#include "design/said_numbers.h"
#include "rows/column_text.h"
#include "rows/curve_text.h"
#include "rows/fatigue_text.h"
#include "rows/findings_text.h"
#include "rows/option_text.h"
#include "rows/record_text.h"
#include "rows/row_text.h"
#include "runtime/number_text.h"

namespace design {
namespace {

using said::Length;
using said::Other;
using said::Shown;

TableRow RowOf(const calc::CurveRow& row, const calc::RowOptions& options,
               rows::Precision precision = rows::Precision::kEvery) {
    TableRow table;
    if (row.row.results) {
        rows::CellList cells;
        rows::CurveRowCells(row, options, cells, precision);
        table.cells = std::move(cells.cells);
        return table;
    }
    table.cells = {std::string(row.f_text.view()), rows::ErrorCell(row.row.results.error())};
    table.span = rows::NumberCount(options);
    if (options.check) {
        table.cells.emplace_back();
    }
    return table;
}

std::string FaultSentence(const Sheet& sheet) {
    if (!sheet.first_fault) {
        return {};
    }
    if (sheet.column) {
        const calc::ColumnPoint& point = sheet.column->rows[*sheet.first_fault];
        return "F = " + Shown(point.force) + " N 时：" +
               rows::ErrorSentence(point.stack.error(), rows::Precision::kReader);
    }
    const calc::CurveRow& row = sheet.rows[*sheet.first_fault];
    const std::string why = rows::ErrorSentence(row.row.results.error(), rows::Precision::kReader);
    return row.f_text.view().empty() ? why
                                     : "f = " + std::string(row.f_text.view()) + " mm 时：" + why;
}

bool Flats(const Sheet& sheet) {
    return sheet.options.flats;
}

}  // namespace

std::vector<std::string> HeaderCells(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::Header(sheet);
    }
    if (!NoTable(sheet).empty()) {
        return {};
    }
    rows::CellList cells;
    rows::CurveHeaderCells(sheet.options, cells);
    return cells.cells;
}

std::size_t TableRowCount(const Sheet& sheet) {
    if (sheet.column) {
        return sheet.column->rows.size();
    }
    return NoTable(sheet).empty() ? sheet.rows.size() : 0;
}

int TableRowSpan(const Sheet& sheet, std::size_t k) {
    if (sheet.column) {
        return sheet.column->rows[k].stack ? 1 : static_cast<int>(HeaderCells(sheet).size()) - 1;
    }
    return sheet.rows[k].row.results ? 1 : rows::NumberCount(sheet.options);
}

TableRow TableRowAt(const Sheet& sheet, std::size_t k) {
    if (sheet.column) {
        return column_text::Row(sheet, k);
    }
    return RowOf(sheet.rows[k], sheet.options);
}

TableRow PointRow(const Sheet& sheet, int point, rows::Precision precision) {
    if (sheet.column) {
        return column_text::PointRow(sheet, point);
    }
    const PointResult& result = sheet.points[static_cast<std::size_t>(point)];
    return result.row ? RowOf(*result.row, sheet.options, precision) : TableRow{};
}

std::vector<TableRow> QuarterRows(const Sheet& sheet, rows::Precision precision) {
    std::vector<TableRow> rows;
    for (const calc::CurveRow& row : sheet.quarters) {
        rows.push_back(RowOf(row, sheet.options, precision));
    }
    return rows;
}

std::string CopyText(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::Copy(sheet);
    }
    if (!NoTable(sheet).empty()) {
        return {};
    }
    std::string text;
    rows::AppendCurveTableHeader(sheet.options, text);
    for (const calc::CurveRow& row : sheet.rows) {
        rows::AppendCurveTableRow(1, row, sheet.options, text);
    }
    std::string points;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].row) {
            rows::AppendCurveTableRow(static_cast<std::int64_t>(k + 1), *sheet.points[k].row,
                                      sheet.options, points);
        }
    }
    if (!points.empty()) {
        text += '\n';
        rows::TabJoined header(text);
        header.Cell("工作点");
        rows::CurveHeaderCells(sheet.options, header);
        text += '\n' + points;
    }
    return text;
}

std::string NoTable(const Sheet& sheet) {
    if (sheet.unusable) {
        return rows::OptionProblemText(*sheet.unusable);
    }
    if (sheet.packet_problem) {
        return PacketProblemText(*sheet.packet_problem);
    }
    return sheet.column_problem ? rows::ColumnProblemText(*sheet.column_problem) : std::string();
}

std::string NoPlot(const Sheet& sheet) {
    if (std::string why = NoTable(sheet); !why.empty()) {
        return why;
    }
    return sheet.plot.empty() || sheet.plot.front().series.front().points.empty()
               ? FaultSentence(sheet)
               : std::string();
}

std::string NoDataSheet(const Sheet& sheet) {
    if (std::string why = NoPlot(sheet); !why.empty() || !sheet.spring || sheet.column) {
        return why;
    }
    for (const auto finding : {calc::Finding::kDiametersSwapped, calc::Finding::kNoThickness,
                               calc::Finding::kNoConeHeight}) {
        if (sheet.spring_findings.has(finding)) {
            return "这些尺寸做不成碟簧：" +
                   rows::FindingSentence(finding, *sheet.spring, sheet.options);
        }
    }
    return {};
}

std::vector<Found> Verdicts(const Sheet& sheet) {
    std::vector<Found> found;
    for (const PartialRead& read : sheet.partial_reads) {
        found.push_back({"read:" + std::string(read.key),
                         rows::PartialReadText(read.name, read.text, read.value)});
    }
    if (sheet.unusable) {
        found.push_back({"options", NoTable(sheet)});
        return found;
    }
    if (sheet.packet_problem || sheet.column_problem) {
        found.push_back({"packets", NoTable(sheet)});
        return found;
    }
    if (sheet.column) {
        column_text::AddVerdicts(sheet, found);
    }
    if (sheet.spring) {
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (sheet.spring_findings.has(finding)) {
                found.push_back({std::string(rows::FindingCode(finding)),
                                 rows::FindingSentence(finding, *sheet.spring, sheet.options)});
            }
        }
    }
    for (const calc::PointFinding& finding : sheet.point_findings) {
        found.push_back(
            {rows::PointFindingCode(finding), rows::PointFindingSentence(finding, Flats(sheet))});
    }
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].problem) {
            found.push_back(
                {std::to_string(k + 1) + ":ERROR",
                 std::string(kPointNames[k]) + "：" +
                     rows::ErrorSentence(*sheet.points[k].problem, rows::Precision::kReader)});
        }
    }
    if (sheet.first_fault) {
        found.push_back({"ERROR", FaultSentence(sheet)});
    }
    if (sheet.fatigue_problem) {
        found.push_back({"fatigue:lines", rows::FatigueLinesProblemText(*sheet.fatigue_problem) +
                                              "；这些疲劳线都不采用"});
    } else if (const calc::FatigueJudgement* judged =
                   sheet.cycle ? sheet.cycle->verdict.Judgement() : nullptr) {
        found.push_back({rows::FatigueCode(*judged),
                         rows::FatigueVerdictSentence(sheet.cycle->verdict),
                         judged->longest.has_value()});
    }
    return found;
}

std::vector<std::string> FindingSentences(const Sheet& sheet) {
    const std::vector<Found> found = Verdicts(sheet);
    std::vector<std::string> sentences;
    if (std::all_of(found.begin(), found.end(), [](const Found& f) { return f.passes; })) {
        sentences.emplace_back("尺寸在设计范围内");
    }
    for (const Found& f : found) {
        sentences.push_back(f.sentence);
    }
    return sentences;
}

std::vector<std::string> FindingCodes(const Sheet& sheet) {
    std::vector<std::string> codes;
    for (Found& f : Verdicts(sheet)) {
        codes.push_back(std::move(f.code));
    }
    return codes;
}

std::vector<std::pair<std::string, std::string>> RecordPairs(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::Record(sheet);
    }
    std::vector<std::pair<std::string, std::string>> pairs;
    if (sheet.unusable || !sheet.spring) {
        return pairs;
    }
    rows::Record record;
    record.inspection = sheet.test;
    record.block = sheet.block;
    record.clearance_outer = sheet.clearance_outer;
    record.clearance_inner = sheet.clearance_inner;
    record.dynamic = sheet.load == calc::Load::kDynamic;
    record.cycle = sheet.cycle ? &sheet.cycle->verdict : nullptr;
    rows::CellList cells;
    rows::RecordCells(record, rows::Precision::kEvery, cells);
    std::vector<std::string> names = rows::RecordHeader(record.dynamic);
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        names.push_back("L" + std::to_string(k + 1) + "(mm)");
        cells.Cell(sheet.points[k].row ? Shown(sheet.points[k].L) : "");
    }
    if (record.dynamic) {
        names.insert(names.end(), {"σU(MPa)", "σO(MPa)"});
        cells.Cell(record.cycle ? Shown(record.cycle->Cycle().lower) : "");
        cells.Cell(record.cycle ? Shown(record.cycle->Cycle().upper) : "");
    }
    for (std::size_t k = 0; k < names.size(); ++k) {
        pairs.emplace_back(std::move(names[k]), std::move(cells.cells[k]));
    }
    return pairs;
}

namespace {

// How the fatigue sentences end: who judges the cycle, and by what.
std::string FatigueVerdictLead(const Sheet& sheet) {
    const Cycle& cycle = *sheet.cycle;
    if (sheet.fatigue_problem) {
        return "所输入的疲劳线有误，未采用，不作判断";
    }
    const calc::FatigueJudgement* judged = cycle.verdict.Judgement();
    if (!judged) {
        return "能否承受由 DIN 2093 的疲劳图按厚度组判断，本程序不作判断；可在“疲劳线”中输入从所持"
               "标准或厂家手册的疲劳图上读出的线（或 disc-spring-batch --fatigue）";
    }
    if (judged->lines.empty()) {
        return "所输入的疲劳线中没有组 " + std::to_string(judged->group) + " 的线，不作判断";
    }
    return "按所输入的疲劳线在 II、III 两点分别判断，寿命较短的一点起决定作用（" +
           rows::CyclePoint(cycle.verdict.Cycle()) + " 点）";
}

}  // namespace

std::vector<std::string> Summary(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::Summary(sheet);
    }
    std::vector<std::string> lines;
    const auto utilisation = [&sheet](double sigma_om) {
        const auto used = calc::Utilisation(sigma_om, sheet.options.material);
        return used ? "σom/Rm = " + runtime::FixedText(*used, 2)
                    : std::string("材料的 Rm 未知，不判断强度");
    };
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        const PointResult& point = sheet.points[k];
        if (point.problem) {
            lines.push_back(std::string(kPointNames[k]) + "：" +
                            rows::ErrorSentence(*point.problem, rows::Precision::kReader));
        } else if (point.row) {
            const double sigma_om = point.row->row.results->spring.sigma_om;
            lines.push_back(std::string(kPointNames[k]) + "：f = " + Length(point.f) + " mm，F = " +
                            Other(point.F) + " N，σom = " + Other(sigma_om) + " MPa，" +
                            utilisation(sigma_om) + "，长度 L = " + Length(point.L) + " mm");
        }
    }
    if (sheet.stroke) {
        std::string line = "工作点 1 → 2：行程 Δf = " + Length(*sheet.stroke) + " mm";
        if (sheet.stack_stroke) {
            line += "（碟簧组 Δs = " + Length(*sheet.stack_stroke) + " mm）";
        }
        if (sheet.work) {
            line += "，功 W = " + Other(*sheet.work) + " N·mm" +
                    (sheet.options.stack ? "（碟簧组）" : "") + "（力的关系式的积分，不计摩擦）";
        }
        lines.push_back(line);
    }
    if (sheet.cycle) {
        const calc::CycleVerdict& verdict = sheet.cycle->verdict;
        std::string line = "疲劳（动载，" +
                           std::string(kPointNames[static_cast<std::size_t>(sheet.cycle->lower)]) +
                           " 到另一个工作点）：";
        for (const calc::LoadCycle& c : verdict.cycles) {
            line += rows::CyclePoint(c) + " 点 σu = " + Other(c.lower) +
                    " MPa，σo = " + Other(c.upper) + " MPa，σh = " + Other(c.range) + " MPa；";
        }
        lines.push_back(line + "较低的工作点预压" + (sheet.cycle->preloaded ? "达到" : "不到") +
                        " 0.15·h0。" + FatigueVerdictLead(sheet));
        if (verdict.judged) {
            // The deciding point with every line that fails or does not reach, the other point's
            // verdict alone.
            const auto deciding = static_cast<std::size_t>(verdict.deciding);
            for (const std::size_t k : {deciding, 1 - deciding}) {
                std::vector<std::string> said =
                    rows::FatigueSentences((*verdict.judged)[k], verdict.cycles[k]);
                said.resize(k == deciding ? said.size() : std::min<std::size_t>(said.size(), 1));
                for (const std::string& sentence : said) {
                    lines.push_back(rows::CyclePoint(verdict.cycles[k]) + " 点" +
                                    (sentence.starts_with("疲劳") ? "" : " ") + sentence);
                }
            }
        }
    } else if (sheet.load == calc::Load::kDynamic) {
        lines.emplace_back("动载：要有两个工作点（两点间的载荷循环）才能判断预压和疲劳");
    } else if (sheet.fatigue_lines) {
        lines.emplace_back("疲劳线：静载不判断疲劳；载荷在两个工作点之间循环时选“动载”");
    }
    if (sheet.flat) {
        std::string line = std::string("压平时（f = ") + (Flats(sheet) ? "h0′" : "h0") + " = " +
                           Length(sheet.flat->f) + " mm）F = " + Other(sheet.flat->F) + " N";
        if (sheet.options.stack) {
            line += "，碟簧组 F_stack = " + Other(sheet.flat->F_stack) + " N";
        }
        line += "，" + utilisation(sheet.flat->sigma_om) + "（仅供参考，行程不到压平时无需满足）";
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> TestLines(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::TestLines(sheet);
    }
    std::vector<std::string> lines;
    if (!sheet.test) {
        return lines;
    }
    const calc::Inspection& test = *sheet.test;
    const std::string t = Flats(sheet) ? "t′" : "t";
    const std::string line = "检验（单片，EN 16983 / DIN 2093，组 " + std::to_string(test.group) +
                             "）：试验长度 L = H − 0.75·h0 = " + Length(test.length) +
                             " mm，试验力 F = " + Other(test.force) + " N";
    const std::string strength =
        "；σom = " + Other(test.sigma_om) + " MPa，" +
        (test.utilisation ? "σom/Rm = " + runtime::FixedText(*test.utilisation, 2)
                          : std::string("材料的 Rm 未知，不判断强度"));
    if (!test.tolerances) {
        lines.push_back(line + strength + "；" + t + " 不在公差表的 0.2 … 16 mm 之内，没有公差");
    } else {
        const calc::SpringTolerances& tol = *test.tolerances;
        const auto band = [](const calc::Tolerance& tolerance, const char* unit) {
            return "+" + runtime::FixedText(tolerance.plus, 3) + unit + "/−" +
                   runtime::FixedText(tolerance.minus, 3) + unit;
        };
        lines.push_back(line + "（" + band(tol.force, " %") + "）" + strength);
        lines.push_back("公差：" + t + " = " + Shown(test.thickness) + " " +
                        band(tol.thickness, "") + " mm，H = " + Shown(sheet.spring->spring.H) +
                        " " + band(tol.height, "") + " mm");
    }
    std::string room = "导向间隙（厂家推荐）：外径 D 处 " + Shown(sheet.clearance_outer) +
                       " mm，内径 d 处 " + Shown(sheet.clearance_inner) + " mm";
    if (sheet.block) {
        room = std::string(sheet.options.stack ? "碟簧组" : "") + "压平长度 " +
               Length(*sheet.block) + " mm；" + room;
    }
    lines.push_back(room);
    return lines;
}

std::string MaterialLine(const calc::Material& material) {
    std::string line = "E = " + Shown(material.E) + " MPa，μ = " + Shown(material.mu) +
                       "，Rm = " + (material.Rm ? Shown(*material.Rm) + " MPa" : "未知");
    if (const auto named = calc::FindMaterial(material)) {
        line += "（" + std::string(calc::kMaterials[*named].name) + "）";
    }
    return line;
}

std::vector<std::string> SpringLines(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::SpringLines(sheet);
    }
    std::vector<std::string> lines;
    if (!sheet.spring) {
        return lines;
    }
    const calc::RowOptions& options = sheet.options;
    const calc::SpringInputs& s = sheet.spring->spring;
    lines.push_back("D = " + Shown(s.D) + " mm，d = " + Shown(s.d) + " mm，t = " + Shown(s.t) +
                    " mm，H = " + Shown(s.H) + " mm" +
                    (options.flats ? "，t′ = " + Shown(sheet.spring->t_reduced) + " mm" : ""));
    lines.push_back(MaterialLine(options.material));
    if (options.stack) {
        lines.push_back("碟簧组：" + std::to_string(options.stack->series) + " 组对合串联，每组 " +
                        std::to_string(options.stack->parallel) + " 片叠合");
    }
    if (options.friction) {
        lines.push_back("摩擦系数 w_M = " + Shown(options.friction->w_M) +
                        "，w_R = " + Shown(options.friction->w_R) + "（DIN 2092）");
    }
    if (options.flats) {
        lines.emplace_back("带支承面、减薄至 t′（DIN 2093 第 3 组）");
    }
    return lines;
}

std::vector<std::string> PacketHeader(const Sheet& sheet) {
    return sheet.column ? column_text::PacketHeader() : std::vector<std::string>();
}

std::vector<TableRow> PacketRows(const Sheet& sheet) {
    return sheet.column ? column_text::PacketRows(sheet) : std::vector<TableRow>();
}

std::string Caption(const Sheet& sheet) {
    std::string caption;
    for (const std::string& line : SpringLines(sheet)) {
        caption += (caption.empty() ? "" : "；") + line;
    }
    return caption;
}

}  // namespace design
