// Splits a tab-separated text into its numbered lines and cells.
#include "calc/tsv_lines.h"

#include <algorithm>

namespace calc {

TsvLines ReadTsvLines(std::string_view text) {
    TsvLines out;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++start;  // CRLF ends one line
        }
        ++out.count;
        if (line.find_first_not_of(" \t") == std::string_view::npos || line.starts_with('#')) {
            continue;
        }
        TsvLine read{out.count, line, {}};
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            read.cells.push_back(line.substr(from, tab - from));
            if (tab == std::string_view::npos) {
                break;
            }
            from = tab + 1;
        }
        out.lines.push_back(std::move(read));
    }
    return out;
}

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

}  // namespace calc
