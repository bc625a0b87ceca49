// The design tool's words as Qt texts, in the windows' language.
#pragma once

#include <QString>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "design/face_words.h"
#include "design/translations.h"
#include "rows/language.h"

namespace curve {

/// The language every window of the program speaks: the system's (Chinese for zh*, English
/// otherwise) or --lang's, until the user switches; a window built after a switch speaks the new.
rows::Language Language();
void SetLanguage(rows::Language language);

/// The language of the system's user interface, as Qt reads it from the environment.
rows::Language SystemLanguage();

inline QString Say(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString Say(design::Word word) {
    return Say(design::Said(word, Language()));
}

inline QString Say(const rows::Phrase& phrase) {
    return Say(rows::Said(phrase, Language()));
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
    return QString::fromStdString(
        rows::FillPlaceholders(design::Said(word, Language()), std::span(pairs)));
}

}  // namespace curve
