// The faces' own words in the user's language, from the catalogue rows/ reads.
#pragma once

#include <string_view>

#include "design/face_words.h"
#include "rows/language.h"

namespace design {

using rows::Language;

/// A word in `language`: its translation whose key and source match the word's, else the
/// program's own text.
std::string_view Said(Word word, Language language);

/// A word in `language` with its placeholders filled.
std::string Fill(Word word, Language language,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values);

}  // namespace design
