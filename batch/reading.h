// What the batch tool's modes share in reading lines and option values.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "rows/language.h"

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
inline std::string Unusable(std::string_view name, std::string_view value, std::string_view wanted,
                            rows::Language language) {
    return rows::Say(
        language, rows::P("option-value-unusable", "选项 {option} 的数值 '{value}' 不能用：{why}"),
        {{"option", name}, {"value", value}, {"why", wanted}});
}

/// "需要 WANTED 个以制表符分隔的字段，找到 FOUND 个".
inline std::string FieldCountMessage(std::string_view wanted, std::size_t found,
                                     rows::Language language) {
    return rows::Say(language,
                     rows::P("field-count", "需要 {wanted} 个以制表符分隔的字段，找到 {found} 个"),
                     {{"wanted", wanted}, {"found", std::to_string(found)}});
}

}  // namespace batch
