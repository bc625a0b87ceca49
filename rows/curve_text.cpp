#include "rows/curve_text.h"

#include "rows/row_text.h"

namespace rows {

void AppendCurveHeader(const calc::RowSpec& spec, std::string& out) {
    out += "f(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)";
    if (spec.rate) {
        out += "\tR(N/mm)";
    }
    if (spec.stack) {
        out += "\ts(mm)\tF_stack(N)\tL(mm)";
    }
    if (spec.friction) {
        out += "\tF_load(N)\tF_unload(N)";
    }
    if (spec.check) {
        out += "\t检查";
    }
}

void AppendCurveRow(const calc::CurveRow& row, const calc::RowSpec& spec, std::string& out) {
    out += row.f_text.view();
    out += '\t';
    AppendRowFields(row.row, spec, out);
}

void AppendCurveTableHeader(const calc::RowSpec& spec, std::string& out) {
    out += "弹簧\t";
    AppendCurveHeader(spec, out);
    out += '\n';
}

void AppendCurveTableRow(std::int64_t spring, const calc::CurveRow& row, const calc::RowSpec& spec,
                         std::string& out) {
    out += std::to_string(spring);
    out += '\t';
    AppendCurveRow(row, spec, out);
    out += '\n';
}

}  // namespace rows
