// Reading a progressive stack's text.
#include "calc/column_file.h"

#include <charconv>

#include "calc/catalogue.h"
#include "calc/tsv_lines.h"
#include "runtime/text_number.h"

namespace calc {
namespace {

using Kind = ColumnTextProblem::Kind;

bool LeftOut(std::string_view cell) {
    return runtime::IsBlank(cell) || cell == "-";
}

// A spring named as the standard names it: series and D, apart ("A", "40") or together
// ("A40"); how many cells the name took (0: not a name).
std::size_t CatalogueName(const std::vector<std::string_view>& cells, std::size_t at,
                          std::string& series, std::string_view& diameter) {
    if (at >= cells.size() || cells[at].empty() || cells[at].find_first_of("ABC") != 0) {
        return 0;
    }
    series = std::string(1, cells[at][0]);
    if (cells[at].size() > 1) {
        diameter = cells[at].substr(1);
        return 1;
    }
    if (at + 1 >= cells.size()) {
        return 0;
    }
    diameter = cells[at + 1];
    return 2;
}

runtime::Expected<Packet, ColumnTextProblem> ReadNamedPacket(
    const TsvLine& tsv, const std::vector<std::string_view>& cells, double count) {
    std::string series;
    std::string_view diameter;
    const std::size_t taken = CatalogueName(cells, 1, series, diameter);
    const std::size_t rest = 1 + taken;
    if (cells.size() > rest + 1) {
        return ColumnTextProblem{Kind::kColumns, tsv.number};
    }
    const auto D = runtime::ReadPlainNumber(diameter);
    if (!D) {
        return ColumnTextProblem{Kind::kNotANumber, tsv.number, static_cast<int>(rest)};
    }
    Packet packet;
    packet.count = static_cast<int>(count);
    const CatalogueSpring* found = FindCatalogueSpring(series, *D);
    if (found == nullptr) {
        return ColumnTextProblem{Kind::kUnknownSpring, tsv.number, 2};
    }
    packet.spring = found->spring;
    packet.flats = found->flats;
    if (cells.size() > rest && !LeftOut(cells[rest])) {
        const auto stop = runtime::ReadPlainNumber(cells[rest]);
        if (!stop) {
            return ColumnTextProblem{Kind::kNotANumber, tsv.number, static_cast<int>(rest) + 1};
        }
        packet.stop = *stop;
    }
    return packet;
}

runtime::Expected<Packet, ColumnTextProblem> ReadPacket(const TsvLine& tsv) {
    // Tab-separated when tabs give a packet's fields or a name; else typed with blanks.
    const bool named_in_tabs =
        tsv.cells.size() >= 2 && !tsv.cells[1].empty() && tsv.cells[1].find_first_of("ABC") == 0;
    const std::vector<std::string_view> cells =
        tsv.cells.size() >= 5 || named_in_tabs ? tsv.cells : BlankSeparated(tsv.text);
    if (cells.size() >= 2 && !cells[1].empty() && cells[1].find_first_of("ABC") == 0) {
        const auto count = runtime::ReadPlainNumber(cells[0]);
        if (!count) {
            return ColumnTextProblem{Kind::kNotANumber, tsv.number, 1};
        }
        if (!(*count >= 1 && *count <= kMaxStackCount && *count == static_cast<int>(*count))) {
            return ColumnTextProblem{Kind::kCount, tsv.number, 1};
        }
        return ReadNamedPacket(tsv, cells, *count);
    }
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
