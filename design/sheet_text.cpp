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

using rows::P;
using rows::Say;
using said::Length;
using said::Other;
using said::Shown;

TableRow RowOf(const calc::CurveRow& row, const calc::RowOptions& options, Language language,
               rows::Precision precision = rows::Precision::kEvery) {
    TableRow table;
    if (row.row.results) {
        rows::CellList cells;
        rows::CurveRowCells(row, options, cells, precision, language);
        table.cells = std::move(cells.cells);
        return table;
    }
    table.cells = {std::string(row.f_text.view()),
                   rows::ErrorCell(row.row.results.error(), language)};
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
        return Say(sheet.language, P("fault-at-force", "F = {F} N 时：{why}"),
                   {{"F", Shown(point.force)},
                    {"why", rows::ErrorSentence(point.stack.error(), rows::Precision::kReader,
                                                sheet.language)}});
    }
    const calc::CurveRow& row = sheet.rows[*sheet.first_fault];
    const std::string why =
        rows::ErrorSentence(row.row.results.error(), rows::Precision::kReader, sheet.language);
    return row.f_text.view().empty()
               ? why
               : Say(sheet.language, P("fault-at-deflection", "f = {f} mm 时：{why}"),
                     {{"f", row.f_text.view()}, {"why", why}});
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
    rows::CurveHeaderCells(sheet.options, cells, sheet.language);
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
    return RowOf(sheet.rows[k], sheet.options, sheet.language);
}

TableRow PointRow(const Sheet& sheet, int point, rows::Precision precision) {
    if (sheet.column) {
        return column_text::PointRow(sheet, point);
    }
    const PointResult& result = sheet.points[static_cast<std::size_t>(point)];
    return result.row ? RowOf(*result.row, sheet.options, sheet.language, precision) : TableRow{};
}

std::vector<TableRow> QuarterRows(const Sheet& sheet, rows::Precision precision) {
    std::vector<TableRow> rows;
    for (const calc::CurveRow& row : sheet.quarters) {
        rows.push_back(RowOf(row, sheet.options, sheet.language, precision));
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
    rows::AppendCurveTableHeader(sheet.options, text, sheet.language);
    for (const calc::CurveRow& row : sheet.rows) {
        rows::AppendCurveTableRow(1, row, sheet.options, text, sheet.language);
    }
    std::string points;
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].row) {
            rows::AppendCurveTableRow(static_cast<std::int64_t>(k + 1), *sheet.points[k].row,
                                      sheet.options, points, sheet.language);
        }
    }
    if (!points.empty()) {
        text += '\n';
        rows::TabJoined header(text);
        header.Cell(Say(sheet.language, P("column-point", "工作点")));
        rows::CurveHeaderCells(sheet.options, header, sheet.language);
        text += '\n' + points;
    }
    return text;
}

std::string NoTable(const Sheet& sheet) {
    if (sheet.unusable) {
        return rows::OptionProblemText(*sheet.unusable, sheet.language);
    }
    if (sheet.packet_problem) {
        return PacketProblemText(*sheet.packet_problem, sheet.language);
    }
    return sheet.column_problem ? rows::ColumnProblemText(*sheet.column_problem, sheet.language)
                                : std::string();
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
            return Say(sheet.language, P("no-spring-of-these", "这些尺寸做不成碟簧：{why}"),
                       {{"why", rows::FindingSentence(finding, *sheet.spring, sheet.options,
                                                      sheet.language)}});
        }
    }
    return {};
}

std::vector<Found> Verdicts(const Sheet& sheet) {
    std::vector<Found> found;
    for (const PartialRead& read : sheet.partial_reads) {
        found.push_back({"read:" + std::string(read.key),
                         rows::PartialReadText(Said(read.name, sheet.language), read.text,
                                               read.value, sheet.language)});
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
                found.push_back(
                    {std::string(rows::FindingCode(finding)),
                     rows::FindingSentence(finding, *sheet.spring, sheet.options, sheet.language)});
            }
        }
    }
    for (const calc::PointFinding& finding : sheet.point_findings) {
        found.push_back({rows::PointFindingCode(finding),
                         rows::PointFindingSentence(finding, Flats(sheet), sheet.language)});
    }
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        if (sheet.points[k].problem) {
            found.push_back(
                {std::to_string(k + 1) + ":ERROR",
                 Say(sheet.language, P("named-why", "{name}：{why}"),
                     {{"name", Said(kPointNames[k], sheet.language)},
                      {"why", rows::ErrorSentence(*sheet.points[k].problem,
                                                  rows::Precision::kReader, sheet.language)}})});
        }
    }
    if (sheet.first_fault) {
        found.push_back({"ERROR", FaultSentence(sheet)});
    }
    if (sheet.fatigue_problem) {
        found.push_back(
            {"fatigue:lines",
             Say(sheet.language, P("fatigue-lines-refused", "{why}；这些疲劳线都不采用"),
                 {{"why",
                   rows::FatigueLinesProblemText(*sheet.fatigue_problem, sheet.language)}})});
    } else if (const calc::FatigueJudgement* judged =
                   sheet.cycle ? sheet.cycle->verdict.Judgement() : nullptr) {
        found.push_back({rows::FatigueCode(*judged),
                         rows::FatigueVerdictSentence(sheet.cycle->verdict, sheet.language),
                         judged->longest.has_value()});
    }
    return found;
}

std::vector<std::string> FindingSentences(const Sheet& sheet) {
    const std::vector<Found> found = Verdicts(sheet);
    std::vector<std::string> sentences;
    if (std::all_of(found.begin(), found.end(), [](const Found& f) { return f.passes; })) {
        sentences.push_back(Say(sheet.language, P("within-range", "尺寸在设计范围内")));
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
    std::vector<std::string> names = rows::RecordHeader(record.dynamic, sheet.language);
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
    const Language language = sheet.language;
    if (sheet.fatigue_problem) {
        return Say(language, P("fatigue-lines-wrong", "所输入的疲劳线有误，未采用，不作判断"));
    }
    const calc::FatigueJudgement* judged = cycle.verdict.Judgement();
    if (!judged) {
        return Say(language,
                   P("fatigue-not-judged",
                     "能否承受由 DIN 2093 的疲劳图按厚度组判断，本程序不作判断；可在“疲劳线”"
                     "中输入从所持标准或厂家手册的疲劳图上读出的线（或 disc-spring-batch "
                     "--fatigue）"));
    }
    if (judged->lines.empty()) {
        return Say(language,
                   P("fatigue-no-group-lines", "所输入的疲劳线中没有组 {group} 的线，不作判断"),
                   {{"group", std::to_string(judged->group)}});
    }
    return Say(language,
               P("fatigue-judged-at",
                 "按所输入的疲劳线在 II、III 两点分别判断，寿命较短的一点起决定"
                 "作用（{point} 点）"),
               {{"point", rows::CyclePoint(cycle.verdict.Cycle())}});
}

// σom ÷ Rm to two decimals, or that strength is not judged.
std::string UtilisationWords(std::optional<double> used, Language language) {
    return used ? "σom/Rm = " + runtime::FixedText(*used, 2)
                : Say(language, P("strength-unknown", "材料的 Rm 未知，不判断强度"));
}

}  // namespace

std::vector<std::string> Summary(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::Summary(sheet);
    }
    const Language language = sheet.language;
    std::vector<std::string> lines;
    const auto utilisation = [&sheet, language](double sigma_om) {
        return UtilisationWords(calc::Utilisation(sigma_om, sheet.options.material), language);
    };
    for (std::size_t k = 0; k < sheet.points.size(); ++k) {
        const PointResult& point = sheet.points[k];
        const std::string_view name = Said(kPointNames[k], language);
        if (point.problem) {
            lines.push_back(
                Say(language, P("named-why", "{name}：{why}"),
                    {{"name", name},
                     {"why",
                      rows::ErrorSentence(*point.problem, rows::Precision::kReader, language)}}));
        } else if (point.row) {
            const double sigma_om = point.row->row.results->spring.sigma_om;
            lines.push_back(Say(language,
                                P("point-summary",
                                  "{name}：f = {f} mm，F = {F} N，σom = {sigma} MPa，"
                                  "{utilisation}，长度 L = {L} mm"),
                                {{"name", name},
                                 {"f", Length(point.f)},
                                 {"F", Other(point.F)},
                                 {"sigma", Other(sigma_om)},
                                 {"utilisation", utilisation(sigma_om)},
                                 {"L", Length(point.L)}}));
        }
    }
    if (sheet.stroke) {
        std::string line = Say(language, P("stroke", "工作点 1 → 2：行程 Δf = {stroke} mm"),
                               {{"stroke", Length(*sheet.stroke)}});
        if (sheet.stack_stroke) {
            line += Say(language, P("stack-stroke", "（碟簧组 Δs = {stroke} mm）"),
                        {{"stroke", Length(*sheet.stack_stroke)}});
        }
        if (sheet.work) {
            line += Say(language,
                        sheet.options.stack
                            ? P("stack-work",
                                "，功 W = {work} N·mm（碟簧组）（力的关系式的积分，不计摩擦）")
                            : P("work", "，功 W = {work} N·mm（力的关系式的积分，不计摩擦）"),
                        {{"work", Other(*sheet.work)}});
        }
        lines.push_back(line);
    }
    if (sheet.cycle) {
        const calc::CycleVerdict& verdict = sheet.cycle->verdict;
        std::string stresses;
        for (const calc::LoadCycle& c : verdict.cycles) {
            stresses += Say(language,
                            P("cycle-stresses",
                              "{point} 点 σu = {lower} MPa，σo = {upper} MPa，σh = "
                              "{range} MPa；"),
                            {{"point", rows::CyclePoint(c)},
                             {"lower", Other(c.lower)},
                             {"upper", Other(c.upper)},
                             {"range", Other(c.range)}});
        }
        lines.push_back(Say(
            language,
            sheet.cycle->preloaded
                ? P("cycle-preloaded",
                    "疲劳（动载，{name} 到另一个工作点）：{stresses}较低的工作点预压"
                    "达到 0.15·h0。{verdict}")
                : P("cycle-not-preloaded",
                    "疲劳（动载，{name} 到另一个工作点）：{stresses}较低的工作点"
                    "预压不到 0.15·h0。{verdict}"),
            {{"name", Said(kPointNames[static_cast<std::size_t>(sheet.cycle->lower)], language)},
             {"stresses", stresses},
             {"verdict", FatigueVerdictLead(sheet)}}));
        if (verdict.judged) {
            // The deciding point with every line that fails or does not reach, the other point's
            // verdict alone.
            const auto deciding = static_cast<std::size_t>(verdict.deciding);
            for (const std::size_t k : {deciding, 1 - deciding}) {
                std::vector<std::string> said =
                    rows::FatigueSentences((*verdict.judged)[k], verdict.cycles[k], language);
                said.resize(k == deciding ? said.size() : std::min<std::size_t>(said.size(), 1));
                for (std::size_t j = 0; j < said.size(); ++j) {
                    // The first sentence is the verdict ("疲劳：…"), the rest a line's each.
                    lines.push_back(Say(
                        language,
                        j == 0 ? P("at-point-verdict", "{point} 点{sentence}")
                               : P("at-point-line", "{point} 点 {sentence}"),
                        {{"point", rows::CyclePoint(verdict.cycles[k])}, {"sentence", said[j]}}));
                }
            }
        }
    } else if (sheet.load == calc::Load::kDynamic) {
        lines.push_back(
            Say(language, P("dynamic-needs-two-points",
                            "动载：要有两个工作点（两点间的载荷循环）才能判断预压和疲劳")));
    } else if (sheet.fatigue_lines) {
        lines.push_back(Say(
            language,
            P("static-no-fatigue", "疲劳线：静载不判断疲劳；载荷在两个工作点之间循环时选“动载”")));
    }
    if (sheet.flat) {
        std::string line = Say(language, P("flat-force", "压平时（f = {h0} = {f} mm）F = {F} N"),
                               {{"h0", Flats(sheet) ? "h0′" : "h0"},
                                {"f", Length(sheet.flat->f)},
                                {"F", Other(sheet.flat->F)}});
        if (sheet.options.stack) {
            line += Say(language, P("flat-stack-force", "，碟簧组 F_stack = {F} N"),
                        {{"F", Other(sheet.flat->F_stack)}});
        }
        line += Say(language,
                    P("flat-utilisation", "，{utilisation}（仅供参考，行程不到压平时无需满足）"),
                    {{"utilisation", utilisation(sheet.flat->sigma_om)}});
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> TestLines(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::TestLines(sheet);
    }
    const Language language = sheet.language;
    std::vector<std::string> lines;
    if (!sheet.test) {
        return lines;
    }
    const calc::Inspection& test = *sheet.test;
    const std::string_view t = Flats(sheet) ? "t′" : "t";
    const std::string line = Say(language,
                                 P("test-line",
                                   "检验（单片，EN 16983 / DIN 2093，组 {group}）：试验长度 "
                                   "L = H − 0.75·h0 = {L} mm，试验力 F = {F} N"),
                                 {{"group", std::to_string(test.group)},
                                  {"L", Length(test.length)},
                                  {"F", Other(test.force)}});
    const std::string strength =
        Say(language, P("test-strength", "；σom = {sigma} MPa，{utilisation}"),
            {{"sigma", Other(test.sigma_om)},
             {"utilisation", UtilisationWords(test.utilisation, language)}});
    if (!test.tolerances) {
        lines.push_back(line + strength +
                        Say(language,
                            P("no-tolerance", "；{t} 不在公差表的 0.2 … 16 mm 之内，没有公差"),
                            {{"t", t}}));
    } else {
        const calc::SpringTolerances& tol = *test.tolerances;
        const auto band = [](const calc::Tolerance& tolerance, const char* unit) {
            return "+" + runtime::FixedText(tolerance.plus, 3) + unit + "/−" +
                   runtime::FixedText(tolerance.minus, 3) + unit;
        };
        lines.push_back(
            line +
            Say(language, P("in-brackets", "（{text}）"), {{"text", band(tol.force, " %")}}) +
            strength);
        lines.push_back(Say(language,
                            P("tolerances",
                              "公差：{t} = {thickness} {t-band} mm，H = {H} "
                              "{H-band} mm"),
                            {{"t", t},
                             {"thickness", Shown(test.thickness)},
                             {"t-band", band(tol.thickness, "")},
                             {"H", Shown(sheet.spring->spring.H)},
                             {"H-band", band(tol.height, "")}}));
    }
    std::string room =
        Say(language,
            P("guide-clearance",
              "导向间隙（厂家推荐）：外径 D 处 {outer} mm，内径 d 处 "
              "{inner} mm"),
            {{"outer", Shown(sheet.clearance_outer)}, {"inner", Shown(sheet.clearance_inner)}});
    if (sheet.block) {
        room = Say(language,
                   sheet.options.stack ? P("stack-block-length", "碟簧组压平长度 {L} mm；{then}")
                                       : P("block-length", "压平长度 {L} mm；{then}"),
                   {{"L", Length(*sheet.block)}, {"then", room}});
    }
    lines.push_back(room);
    return lines;
}

std::string MaterialLine(const calc::Material& material, Language language) {
    std::string line = Say(
        language, P("material-line", "E = {E} MPa，μ = {mu}，Rm = {Rm}"),
        {{"E", Shown(material.E)},
         {"mu", Shown(material.mu)},
         {"Rm", material.Rm ? Shown(*material.Rm) + " MPa" : Say(language, P("unknown", "未知"))}});
    if (const auto named = calc::FindMaterial(material)) {
        line += Say(language, P("in-brackets", "（{text}）"),
                    {{"text", rows::MaterialName(*named, language)}});
    }
    return line;
}

std::vector<std::string> SpringLines(const Sheet& sheet) {
    if (sheet.column) {
        return column_text::SpringLines(sheet);
    }
    const Language language = sheet.language;
    std::vector<std::string> lines;
    if (!sheet.spring) {
        return lines;
    }
    const calc::RowOptions& options = sheet.options;
    const calc::SpringInputs& s = sheet.spring->spring;
    const std::string separator(Said(P("comma", "，"), language));
    lines.push_back(
        "D = " + Shown(s.D) + " mm" + separator + "d = " + Shown(s.d) + " mm" + separator +
        "t = " + Shown(s.t) + " mm" + separator + "H = " + Shown(s.H) + " mm" +
        (options.flats ? separator + "t′ = " + Shown(sheet.spring->t_reduced) + " mm" : ""));
    lines.push_back(MaterialLine(options.material, language));
    if (options.stack) {
        lines.push_back(Say(language, P("stack-line", "碟簧组：{i} 组对合串联，每组 {n} 片叠合"),
                            {{"i", std::to_string(options.stack->series)},
                             {"n", std::to_string(options.stack->parallel)}}));
    }
    if (options.friction) {
        lines.push_back(
            Say(language, P("friction-line", "摩擦系数 w_M = {w_M}，w_R = {w_R}（DIN 2092）"),
                {{"w_M", Shown(options.friction->w_M)}, {"w_R", Shown(options.friction->w_R)}}));
    }
    if (options.flats) {
        lines.push_back(Say(language, P("flats-line", "带支承面、减薄至 t′（DIN 2093 第 3 组）")));
    }
    return lines;
}

std::vector<std::string> PacketHeader(const Sheet& sheet) {
    return sheet.column ? column_text::PacketHeader(sheet.language) : std::vector<std::string>();
}

std::vector<TableRow> PacketRows(const Sheet& sheet) {
    return sheet.column ? column_text::PacketRows(sheet) : std::vector<TableRow>();
}

std::string Caption(const Sheet& sheet) {
    std::string caption;
    for (const std::string& line : SpringLines(sheet)) {
        caption +=
            (caption.empty() ? "" : std::string(Said(P("semicolon", "；"), sheet.language))) + line;
    }
    return caption;
}

}  // namespace design
