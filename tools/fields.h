#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tools {

/// Splits a line at tabs into at most fields.size() views; returns how many fields the line has in
/// all (0 for an empty line), so that a message can name the true count.
template <std::size_t Size>
std::size_t SplitFields(std::string_view line, std::array<std::string_view, Size>& fields) {
    if (line.empty()) {
        return 0;
    }
    std::size_t count = 0;
    for (std::size_t start = 0;;) {
        const std::size_t tab = line.find('\t', start);
        if (count < Size) {
            fields[count] = line.substr(start, tab - start);
        }
        ++count;
        if (tab == std::string_view::npos) {
            return count;
        }
        start = tab + 1;
    }
}

}  // namespace tools
