// Answering --stack: the file read, the characteristic, the points.
#include "batch/stack.h"

#include "batch/batch.h"
#include "calc/characteristic.h"
#include "calc/column_file.h"
#include "rows/column_text.h"
#include "rows/curve_text.h"
#include "rows/row_text.h"
#include "runtime/checked_math.h"
#include "runtime/text_number.h"
#include "runtime/utf8.h"

namespace batch {
namespace {

constexpr std::size_t kSpillAt = 1 << 20;

void Header(const calc::Column& column, const BatchOptions& options, std::string& out) {
    if (options.id) {
        out += "ID\t";
    }
    rows::TabJoined joined(out);
    rows::ColumnHeaderCells(column, options.row.check, joined, options.language);
    out += '\n';
}

// Like packets: one spring's characteristic by deflection, up to the stop, times i and n.
bool AnswerUniform(const calc::PreparedColumn& prepared, calc::StackLayout layout,
                   const BatchOptions& options, std::string& out,
                   const std::function<void(std::string&)>& spill) {
    const calc::Packet& packet = prepared.column.packets.front();
    calc::RowOptions row = options.row;
    row.flats = packet.flats;
    row.stack = layout;
    calc::Curve curve{packet.spring, 0, options.curve_steps};
    if (packet.stop) {
        curve.f_end = *packet.stop;
    } else {
        // Flat, formed as --curve forms it for a line without an end.
        runtime::CheckedMath m;
        curve.f_end = m.Sub(packet.spring.spring.H,
                            packet.flats ? packet.spring.t_reduced : packet.spring.spring.t);
    }
    BatchOptions shown = options;
    shown.row = row;
    AppendBatchHeader(shown, out);
    bool computed = true;
    for (int k = 0; k <= options.curve_steps; ++k) {
        const calc::CurveRow point = calc::CurveRowAt(curve, k, row);
        if (options.id) {
            out += '\t';
        }
        rows::AppendCurveTableRow(1, point, row, out, options.language);
        computed = computed && point.row.results.has_value();
        if (spill && out.size() >= kSpillAt) {
            spill(out);
        }
    }
    return computed;
}

}  // namespace

runtime::Expected<calc::PreparedColumn, std::string> ReadStack(std::string_view bytes,
                                                               const BatchOptions& options) {
    if (bytes.size() > kMaxStackFileBytes) {
        return rows::Say(options.language,
                         rows::P("stack-file-too-large", "碟簧组文件超过 {size} MiB，不读"),
                         {{"size", std::to_string(kMaxStackFileBytes >> 20)}});
    }
    if (bytes.starts_with(runtime::kUtf8Bom)) {
        bytes.remove_prefix(runtime::kUtf8Bom.size());
    }
    if (!runtime::IsUtf8(bytes)) {
        return rows::Say(options.language,
                         rows::P("stack-file-not-text", "碟簧组文件不是 UTF-8 文本"));
    }
    auto column = calc::ReadColumnText(bytes, options.row.material);
    if (!column) {
        return rows::ColumnTextProblemText(column.error(), options.language);
    }
    column->outer_edge = options.row.outer_edge;
    column->check = options.row.check;
    auto prepared = calc::PrepareColumn(*column);
    if (!prepared) {
        return rows::ColumnProblemText(prepared.error(), options.language);
    }
    return std::move(*prepared);
}

bool AnswerStackCurve(const calc::PreparedColumn& column, const BatchOptions& options,
                      std::string& out, const std::function<void(std::string&)>& spill) {
    if (const auto layout = calc::UniformLayout(column.column)) {
        return AnswerUniform(column, *layout, options, out, spill);
    }
    Header(column.column, options, out);
    bool computed = true;
    for (const double force : calc::CharacteristicForces(column, options.curve_steps)) {
        const calc::ColumnPoint point = calc::ColumnAtForce(column, force);
        if (options.id) {
            out += '\t';
        }
        rows::TabJoined joined(out);
        rows::ColumnPointCells(point, options.row.check, joined, options.language);
        out += '\n';
        computed = computed && point.stack.has_value();
        if (spill && out.size() >= kSpillAt) {
            spill(out);
        }
    }
    return computed;
}

namespace {

runtime::Expected<calc::ColumnPoint, std::string> PointAt(const calc::PreparedColumn& column,
                                                          const BatchOptions& options,
                                                          std::string_view field) {
    const auto value = runtime::ReadPlainNumber(field);
    if (!value) {
        return rows::Say(options.language, options.force
                                               ? rows::P("force-a-number", "力应为一个数")
                                               : rows::P("travel-a-number", "行程应为一个数"));
    }
    auto point = calc::ColumnAtPoint(column, options.force, *value);
    if (!point) {
        return rows::RefusalText(point.error(), rows::Precision::kEvery, options.language);
    }
    return std::move(*point);
}

}  // namespace

bool AnswerStackLine(const calc::PreparedColumn& column, const BatchOptions& options,
                     std::span<const std::string_view> fields, std::string_view lead,
                     std::string& out) {
    std::vector<calc::ColumnPoint> points;
    bool computed = true;
    for (const std::string_view field : fields) {
        out += lead;
        rows::TabJoined joined(out);
        auto point = PointAt(column, options, field);
        if (!point) {
            joined.Cell("ERROR");
            joined.Cell(point.error());
            computed = false;
        } else {
            rows::ColumnPointCells(*point, options.row.check, joined, options.language);
            computed = computed && point->stack.has_value();
            points.push_back(std::move(*point));
        }
        out += '\n';
    }
    if (options.row.check && computed) {
        const calc::ColumnPoint* second = points.size() == 2 ? &points[1] : nullptr;
        const auto judged = calc::JudgeColumn(column, {&points[0], second}, options.load,
                                              options.lines.empty() ? nullptr : &options.lines);
        out += lead;
        out += rows::Say(options.language, rows::P("column-check", "检查"));
        out += '\t';
        out += rows::PacketJudgementCodes(judged);
        out += '\n';
    }
    return computed;
}

}  // namespace batch
