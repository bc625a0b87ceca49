#pragma once

#include <cstdint>
#include <string>

#include "calc/characteristic.h"

namespace rows {

/// The column names of a characteristic table, with units, tab-separated, without the spring
/// number and line end: "f(mm)\tF(N)\tσom(MPa)…", then as the options ask "R(N/mm)", "s(mm)",
/// "F_stack(N)", "L(mm)", "F_load(N)", "F_unload(N)", "检查".
void AppendCurveHeader(const calc::RowOptions& options, std::string& out);

/// A point's fields, tab-separated, without the spring number and line end: f, then the
/// fields of AppendRowFields.
void AppendCurveRow(const calc::CurveRow& row, const calc::RowOptions& options, std::string& out);

/// The header line of a characteristic table as text: "弹簧", the column names, '\n'.
void AppendCurveTableHeader(const calc::RowOptions& options, std::string& out);

/// A point as a line of that table: the spring's number, the point's fields, '\n'.
void AppendCurveTableRow(std::int64_t spring, const calc::CurveRow& row,
                         const calc::RowOptions& options, std::string& out);

}  // namespace rows
