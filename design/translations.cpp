// A face word's translation: the word's key and text as a phrase of the catalogue.
#include "design/translations.h"

namespace design {

std::string_view Said(Word word, Language language) {
    const FaceWord& own = kFaceWords[static_cast<std::size_t>(word)];
    return rows::Said(rows::Phrase{own.key, own.text}, language);
}

std::string Fill(Word word, Language language,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    return rows::FillPlaceholders(Said(word, language), std::span(values.begin(), values.size()));
}

}  // namespace design
