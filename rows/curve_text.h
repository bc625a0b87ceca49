// A characteristic table's header and rows, as the batch tool prints them.
#pragma once

#include <cstdint>
#include <string>

#include "calc/characteristic.h"
#include "rows/cells.h"
#include "rows/engineering.h"
#include "rows/language.h"

namespace rows {

/// The column names of a characteristic table, with units: "f(mm)", "F(N)", "σom(MPa)" … then
/// as the options ask "R(N/mm)" (one spring's: "R单片(N/mm)" beside a stack), "s(mm)",
/// "F_stack(N)", "L(mm)", "R_stack(N/mm)", "F_load(N)", "F_unload(N)", "检查".
void CurveHeaderCells(const calc::RowOptions& options, CellSink& out,
                      Language language = Language::kChinese);

/// A point's cells: f as shown, then the row's cells (RowCells), every digit or a reader's.
void CurveRowCells(const calc::CurveRow& row, const calc::RowOptions& options, CellSink& out,
                   Precision precision = Precision::kEvery, Language language = Language::kChinese);

/// The header line of a characteristic table as text: "弹簧", the column names, '\n'.
void AppendCurveTableHeader(const calc::RowOptions& options, std::string& out,
                            Language language = Language::kChinese);

/// A point as a line of that table: the spring's number, the point's cells, '\n'.
void AppendCurveTableRow(std::int64_t spring, const calc::CurveRow& row,
                         const calc::RowOptions& options, std::string& out,
                         Language language = Language::kChinese);

}  // namespace rows
