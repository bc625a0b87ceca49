#include "design/sheet_text.h"

#include "rows/fatigue_text.h"

#include "calc/materials.h"
#include "rows/curve_text.h"
#include "rows/findings_text.h"
#include "rows/option_text.h"
#include "rows/row_text.h"
#include "runtime/number_text.h"

namespace design {
namespace {

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

std::string Length(double value) {
    return rows::Engineering(value, rows::Measure::kLength);
}

std::string Other(double value) {
    return rows::Engineering(value, rows::Measure::kOther);
}

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
    rows::CellList cells;
    rows::CurveHeaderCells(sheet.options, cells);
    return cells.cells;
}

TableRow TableRowAt(const Sheet& sheet, std::size_t k) {
    return RowOf(sheet.rows[k], sheet.options);
}

TableRow PointRow(const Sheet& sheet, int point, rows::Precision precision) {
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
    if (sheet.unusable) {
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
    return sheet.unusable ? rows::OptionProblemText(*sheet.unusable) : std::string();
}

std::string NoPlot(const Sheet& sheet) {
    if (sheet.unusable) {
        return NoTable(sheet);
    }
    return sheet.plot.empty() || sheet.plot.front().series.front().points.empty()
               ? FaultSentence(sheet)
               : std::string();
}

std::string NoDataSheet(const Sheet& sheet) {
    if (std::string why = NoPlot(sheet); !why.empty() || !sheet.spring) {
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

std::vector<std::string> FindingSentences(const Sheet& sheet) {
    std::vector<std::string> sentences;
    for (const PartialRead& read : sheet.partial_reads) {
        sentences.push_back(rows::PartialReadText(read.name, read.text, read.value));
    }
    if (sheet.unusable) {
        sentences.push_back(NoTable(sheet));
        return sentences;
    }
    if (sheet.spring) {
        const calc::RowInputs& spring = *sheet.spring;
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (sheet.spring_findings.has(finding)) {
                sentences.push_back(rows::FindingSentence(finding, spring, sheet.options));
            }
        }
    }
    for (const calc::PointFinding& finding : sheet.point_findings) {
        sentences.push_back(rows::PointFindingSentence(finding, Flats(sheet)));
    }
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].problem) {
            sentences.push_back(
                std::string(kPointNames[k]) + "：" +
                rows::ErrorSentence(*sheet.points[k].problem, rows::Precision::kReader));
        }
    }
    if (const std::string fault = FaultSentence(sheet); !fault.empty()) {
        sentences.push_back(fault);
    }
    if (sheet.fatigue_problem) {
        sentences.push_back(rows::FatigueLinesProblemText(*sheet.fatigue_problem) +
                            "；这些疲劳线都不采用");
    }
    if (sentences.empty()) {
        sentences.emplace_back("尺寸在设计范围内");
    }
    return sentences;
}

namespace {

// How the fatigue sentence ends: who judges it, and by what.
std::string FatigueVerdictLead(const Sheet& sheet) {
    const Cycle& cycle = *sheet.cycle;
    if (sheet.fatigue_problem) {
        return "所输入的疲劳线有误，未采用，不作判断";
    }
    if (!cycle.fatigue) {
        return "能否承受由 DIN 2093 的疲劳图按厚度组判断，本程序不作判断；可在“疲劳线”中输入从所持"
               "标准或厂家手册的疲劳图上读出的线（或 disc-spring-batch --fatigue）";
    }
    if (cycle.fatigue->lines.empty()) {
        return "所输入的疲劳线中没有组 " + std::to_string(cycle.fatigue->group) + " 的线，不作判断";
    }
    return "按所输入的疲劳线判断如下";
}

}  // namespace

std::vector<std::string> FindingCodes(const Sheet& sheet) {
    std::vector<std::string> codes;
    for (const PartialRead& read : sheet.partial_reads) {
        codes.push_back("read:" + std::string(read.key));
    }
    if (sheet.unusable) {
        codes.emplace_back("options");
        return codes;
    }
    for (int i = 0; i < calc::kFindingCount; ++i) {
        const auto finding = static_cast<calc::Finding>(i);
        if (sheet.spring_findings.has(finding)) {
            codes.emplace_back(rows::FindingCode(finding));
        }
    }
    for (const calc::PointFinding& finding : sheet.point_findings) {
        codes.push_back(rows::PointFindingCode(finding));
    }
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].problem) {
            codes.push_back(std::to_string(k + 1) + ":ERROR");
        }
    }
    if (sheet.first_fault) {
        codes.emplace_back("ERROR");
    }
    if (sheet.fatigue_problem) {
        codes.emplace_back("fatigue:lines");
    } else if (sheet.cycle && sheet.cycle->fatigue) {
        codes.push_back(rows::FatigueCode(*sheet.cycle->fatigue));
    }
    return codes;
}

std::vector<std::string> Summary(const Sheet& sheet) {
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
            lines.push_back(std::string(kPointNames[k]) + "：f = " + Length(point.f) +
                            " mm，F = " + Other(point.F) + " N，σom = " + Other(sigma_om) +
                            " MPa，" + utilisation(sigma_om));
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
        const calc::LoadCycle& c = sheet.cycle->stresses;
        const std::string at = c.at_III ? "III" : "II";
        lines.push_back("疲劳（" +
                        std::string(kPointNames[static_cast<std::size_t>(sheet.cycle->lower)]) +
                        " 到另一个工作点，" + at + " 点的拉应力较大）：σu = " + Other(c.lower) +
                        " MPa，σo = " + Other(c.upper) + " MPa，σh = σo − σu = " + Other(c.range) +
                        " MPa；较低的工作点预压" + (sheet.cycle->preloaded ? "达到" : "不到") +
                        " 0.15·h0。" + FatigueVerdictLead(sheet));
        if (sheet.cycle->fatigue) {
            for (std::string& line : rows::FatigueSentences(*sheet.cycle->fatigue, c)) {
                lines.push_back(std::move(line));
            }
        }
    }
    if (sheet.fatigue_lines && !sheet.cycle) {
        lines.emplace_back("疲劳线：要有两个工作点（两点间的载荷循环）才能判断疲劳");
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
    std::vector<std::string> lines;
    if (!sheet.test) {
        return lines;
    }
    const TestPoint& test = *sheet.test;
    const std::string t = Flats(sheet) ? "t′" : "t";
    std::string line =
        "检验（单片，EN 16983 / DIN 2093）：试验长度 L = H − 0.75·h0 = " + Length(test.length) +
        " mm，试验力 F = " + Other(test.force) + " N";
    if (!test.tolerances) {
        lines.push_back(line + "；" + t + " 不在公差表的 0.2 … 16 mm 之内，没有公差");
        return lines;
    }
    const calc::SpringTolerances& tol = *test.tolerances;
    const auto band = [](const calc::Tolerance& tolerance, const char* unit) {
        return "+" + runtime::FixedText(tolerance.plus, 3) + unit + "/−" +
               runtime::FixedText(tolerance.minus, 3) + unit;
    };
    lines.push_back(line + "（" + band(tol.force, " %") + "）");
    lines.push_back("公差：" + t + " = " + Shown(test.thickness) + " " + band(tol.thickness, "") +
                    " mm，H = " + Shown(sheet.spring->spring.H) + " " + band(tol.height, "") +
                    " mm");
    return lines;
}

std::vector<std::string> SpringLines(const Sheet& sheet) {
    std::vector<std::string> lines;
    if (!sheet.spring) {
        return lines;
    }
    const calc::RowOptions& options = sheet.options;
    const calc::SpringInputs& s = sheet.spring->spring;
    lines.push_back("D = " + Shown(s.D) + " mm，d = " + Shown(s.d) + " mm，t = " + Shown(s.t) +
                    " mm，H = " + Shown(s.H) + " mm" +
                    (options.flats ? "，t′ = " + Shown(sheet.spring->t_reduced) + " mm" : ""));
    std::string material =
        "E = " + Shown(options.material.E) + " MPa，μ = " + Shown(options.material.mu) +
        "，Rm = " + (options.material.Rm ? Shown(*options.material.Rm) + " MPa" : "未知");
    if (const auto named = calc::FindMaterial(options.material)) {
        material += "（" + std::string(calc::kMaterials[*named].name) + "）";
    }
    lines.push_back(material);
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

std::string Caption(const Sheet& sheet) {
    std::string caption;
    for (const std::string& line : SpringLines(sheet)) {
        caption += (caption.empty() ? "" : "；") + line;
    }
    return caption;
}

}  // namespace design
