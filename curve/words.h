// The design tool's words as Qt texts.
#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "design/face_words.h"

namespace curve {

inline QString Say(design::Word word) {
    const std::string_view text = design::Said(word);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

/// A word with its placeholders filled, each "{name}" by its value.
inline QString Say(design::Word word,
                   std::initializer_list<std::pair<std::string_view, QString>> values) {
    std::vector<std::string> texts;
    for (const auto& value : values) {
        texts.push_back(value.second.toStdString());
    }
    std::vector<std::pair<std::string_view, std::string_view>> pairs;
    std::size_t k = 0;
    for (const auto& value : values) {
        pairs.emplace_back(value.first, texts[k++]);
    }
    return QString::fromStdString(design::Fill(word, pairs));
}

}  // namespace curve
