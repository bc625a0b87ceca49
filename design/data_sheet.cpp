// The data sheet's sections, in the order every face prints them.
#include "design/data_sheet.h"

namespace design {
namespace {

using rows::P;

DataSheetSection Section(std::string heading, std::vector<std::string> lines) {
    DataSheetSection section;
    section.heading = std::move(heading);
    section.lines = std::move(lines);
    return section;
}

}  // namespace

DataSheet DataSheetOf(const Sheet& sheet, std::string_view made_by) {
    const Language language = sheet.language;
    DataSheet out{rows::Say(language, P("data-sheet-heading", "碟形弹簧数据表")), {}};
    if (!NoDataSheet(sheet).empty()) {
        return out;
    }
    DataSheetSection spring = Section("", SpringLines(sheet));
    for (std::string& line : TestLines(sheet)) {
        spring.lines.push_back(std::move(line));
    }
    out.sections.push_back(std::move(spring));
    if (std::vector<TableRow> packets = PacketRows(sheet); !packets.empty()) {
        DataSheetSection table =
            Section(rows::Say(language, P("packets-heading", "各组（串联，从第 1 组起）")), {});
        table.header = PacketHeader(sheet);
        table.rows = std::move(packets);
        out.sections.push_back(std::move(table));
    }

    std::vector<std::string> summary = Summary(sheet);
    DataSheetSection points = Section(
        rows::Say(language, P("column-point", "工作点")),
        summary.empty()
            ? std::vector<std::string>{rows::Say(language, P("no-points", "没有给出工作点"))}
            : summary);
    // A column's points are too wide for a page (six numbers a packet): its lines say each
    // packet's f and σom there.
    for (int k = 0; k < (sheet.column ? 0 : 2); ++k) {
        TableRow row = PointRow(sheet, k, rows::Precision::kReader);
        if (!row.cells.empty()) {
            points.rows.push_back(std::move(row));
        }
    }
    if (!points.rows.empty()) {
        points.header = HeaderCells(sheet);
    }
    out.sections.push_back(std::move(points));
    out.sections.push_back(
        Section(rows::Say(language, P("findings", "设计检查")), FindingSentences(sheet)));
    if (NoPlot(sheet).empty()) {
        DataSheetSection plot;
        plot.plot = true;
        out.sections.push_back(std::move(plot));
    }
    if (sheet.column) {
        out.sections.push_back(
            Section("", {rows::Say(language,
                                   P("column-made-by",
                                     "{made-by}；数值取 4 位有效数字、长度到 0.001 mm，各组的 "
                                     "f 与工作点的全部位数见特性表与“复制表格”。"),
                                   {{"made-by", made_by}})}));
        return out;
    }
    DataSheetSection quarters = Section(
        rows::Say(language, P("quarters-heading", "特性（0、0.25、0.5、0.75、1 倍压平变形量）")),
        {});
    quarters.header = HeaderCells(sheet);
    quarters.rows = QuarterRows(sheet, rows::Precision::kReader);
    quarters.small_table = true;
    out.sections.push_back(std::move(quarters));
    out.sections.push_back(
        Section("", {rows::Say(language,
                               P("made-by",
                                 "{made-by}；数值取 4 位有效数字、长度到 0.001 mm，全部位数见"
                                 "特性表与“复制表格”，与计算器在相同输入下显示的相同。"),
                               {{"made-by", made_by}})}));
    return out;
}

}  // namespace design
