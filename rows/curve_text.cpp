// A characteristic's header and rows in cells.
#include "rows/curve_text.h"

#include "rows/engineering.h"
#include "rows/row_text.h"

namespace rows {

void CurveHeaderCells(const calc::RowOptions& options, CellSink& out, Language language) {
    for (const char* name : {"f(mm)", "F(N)", "σom(MPa)", "σ1(MPa)", "σ2(MPa)", "σ3(MPa)"}) {
        out.Cell(name);
    }
    if (options.outer_edge) {
        out.Cell("σIV(MPa)");
    }
    if (options.rate) {
        // Beside a stack's: one spring's.
        out.Cell(options.stack ? Say(language, P("column-single-rate", "R单片(N/mm)")) : "R(N/mm)");
    }
    if (options.stack) {
        for (const char* name : {"s(mm)", "F_stack(N)", "L(mm)"}) {
            out.Cell(name);
        }
        if (options.rate) {
            out.Cell("R_stack(N/mm)");
        }
    }
    if (options.friction) {
        out.Cell("F_load(N)");
        out.Cell("F_unload(N)");
    }
    if (options.check) {
        out.Cell(Say(language, P("column-check", "检查")));
    }
}

void CurveRowCells(const calc::CurveRow& row, const calc::RowOptions& options, CellSink& out,
                   Precision precision, Language language) {
    if (precision == Precision::kEvery || !row.inputs) {
        out.Cell(row.f_text.view());
    } else {
        out.Cell(Engineering(row.inputs->spring.f, Measure::kLength));
    }
    RowCells(row.row, options, out, precision, language);
}

void AppendCurveTableHeader(const calc::RowOptions& options, std::string& out, Language language) {
    TabJoined joined(out);
    joined.Cell(Say(language, P("column-spring-number", "弹簧")));
    CurveHeaderCells(options, joined, language);
    out += '\n';
}

void AppendCurveTableRow(std::int64_t spring, const calc::CurveRow& row,
                         const calc::RowOptions& options, std::string& out, Language language) {
    TabJoined joined(out);
    joined.Cell(std::to_string(spring));
    CurveRowCells(row, options, joined, Precision::kEvery, language);
    out += '\n';
}

}  // namespace rows
