// Filling a word's named placeholders.
#include "design/face_words.h"

#include "rows/language.h"

namespace design {

std::string Fill(Word word, std::span<const std::pair<std::string_view, std::string_view>> values) {
    return rows::FillPlaceholders(Said(word), values);
}

}  // namespace design
