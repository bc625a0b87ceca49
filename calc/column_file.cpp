// Reading a progressive stack's text.
#include "calc/column_file.h"

#include <charconv>

#include "calc/tsv_lines.h"
#include "runtime/text_number.h"

namespace calc {
namespace {

using Kind = ColumnTextProblem::Kind;

std::vector<std::string_view> BlankSeparated(std::string_view line) {
    std::vector<std::string_view> cells;
    for (std::size_t at = 0;;) {
        const std::size_t from = line.find_first_not_of(" \t", at);
        if (from == std::string_view::npos) {
            return cells;
        }
        at = std::min(line.find_first_of(" \t", from), line.size());
        cells.push_back(line.substr(from, at - from));
    }
}

bool LeftOut(std::string_view cell) {
    return runtime::IsBlank(cell) || cell == "-";
}

runtime::Expected<Packet, ColumnTextProblem> ReadPacket(const TsvLine& tsv) {
    const std::vector<std::string_view> cells =
        tsv.cells.size() >= 5 ? tsv.cells : BlankSeparated(tsv.text);
    if (cells.size() < 5 || cells.size() > 7) {
        return ColumnTextProblem{Kind::kColumns, tsv.number};
    }
    double values[7] = {};
    for (std::size_t c = 0; c < cells.size(); ++c) {
        if (c >= 5 && LeftOut(cells[c])) {
            continue;
        }
        const auto value = runtime::ReadPlainNumber(cells[c]);
        if (!value) {
            return ColumnTextProblem{Kind::kNotANumber, tsv.number, static_cast<int>(c) + 1};
        }
        values[c] = *value;
    }
    if (!(values[0] >= 1 && values[0] <= kMaxStackCount &&
          values[0] == static_cast<int>(values[0]))) {
        return ColumnTextProblem{Kind::kCount, tsv.number, 1};
    }
    Packet packet;
    packet.count = static_cast<int>(values[0]);
    packet.spring.spring = {values[1], values[2], values[3], values[4], 0};
    if (cells.size() > 5 && !LeftOut(cells[5])) {
        packet.flats = true;
        packet.spring.t_reduced = values[5];
    }
    if (cells.size() > 6 && !LeftOut(cells[6])) {
        packet.stop = values[6];
    }
    return packet;
}

}  // namespace

runtime::Expected<Column, ColumnTextProblem> ReadColumnText(std::string_view text,
                                                            const Material& material) {
    if (text.find('\0') != std::string_view::npos) {
        return ColumnTextProblem{Kind::kNul};
    }
    Column column{{}, material};
    for (const TsvLine& line : ReadTsvLines(text).lines) {
        if (static_cast<int>(column.packets.size()) == kMaxPackets) {
            return ColumnTextProblem{Kind::kTooMany, line.number};
        }
        const auto packet = ReadPacket(line);
        if (!packet) {
            return packet.error();
        }
        column.packets.push_back(*packet);
    }
    if (column.packets.empty()) {
        return ColumnTextProblem{Kind::kEmpty};
    }
    return column;
}

}  // namespace calc
