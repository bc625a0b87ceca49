// What the batch tool's modes share in reading lines and option values.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace batch {

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

/// Why an option's value cannot be used: "选项 NAME 的数值 'VALUE' 不能用：WANTED".
inline std::string Unusable(std::string_view name, std::string_view value,
                            std::string_view wanted) {
    return "选项 " + std::string(name) + " 的数值 '" + std::string(value) + "' 不能用：" +
           std::string(wanted);
}

}  // namespace batch
