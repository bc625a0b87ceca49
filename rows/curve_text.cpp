#include "rows/curve_text.h"

#include "rows/row_text.h"

namespace rows {

void AppendCurveHeader(const calc::RowOptions& options, std::string& out) {
    out += "f(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)";
    if (options.rate) {
        out += "\tR(N/mm)";
    }
    if (options.stack) {
        out += "\ts(mm)\tF_stack(N)\tL(mm)";
    }
    if (options.friction) {
        out += "\tF_load(N)\tF_unload(N)";
    }
    if (options.check) {
        out += "\t检查";
    }
}

void AppendCurveRow(const calc::CurveRow& row, const calc::RowOptions& options, std::string& out) {
    out += row.f_text.view();
    out += '\t';
    AppendRowFields(row.row, options, out);
}

void AppendCurveTableHeader(const calc::RowOptions& options, std::string& out) {
    out += "弹簧\t";
    AppendCurveHeader(options, out);
    out += '\n';
}

void AppendCurveTableRow(std::int64_t spring, const calc::CurveRow& row,
                         const calc::RowOptions& options, std::string& out) {
    out += std::to_string(spring);
    out += '\t';
    AppendCurveRow(row, options, out);
    out += '\n';
}

}  // namespace rows
