// The data sheet every face prints, as sections of words and tables.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/sheet_text.h"

namespace design {

/// One part of the printed data sheet, drawn in this order: its heading (if any), its table (if
/// any), its lines; or, alone, the plot.
struct DataSheetSection {
    std::string heading;
    std::vector<std::string> header;  ///< the table's columns; empty: no table
    std::vector<TableRow> rows;
    bool small_table = false;  ///< a wide table of reference values, set smaller
    std::vector<std::string> lines;
    bool plot = false;  ///< the sheet's plot, as large as the page leaves room for
};

/// The data sheet every face prints, one A4 page: its title and sections, the last a note that
/// begins with `made_by` ("由 disc-spring-curve 计算"). No sections for dimensions that make no
/// spring: then NoDataSheet says why.
struct DataSheet {
    std::string title;
    std::vector<DataSheetSection> sections;
};

DataSheet DataSheetOf(const Sheet& sheet, std::string_view made_by);

}  // namespace design
