// Writes the design tool's words as JSON, by language and key, for the page's shell
// (scripts/web_page.py): {"zh": {key: text}, "en": {key: text}}.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "design/face_words.h"
#include "design/inputs.h"
#include "design/translations.h"

int main() {
    nlohmann::json words = nlohmann::json::object();
    for (const rows::Language language : {rows::Language::kChinese, rows::Language::kEnglish}) {
        nlohmann::json& said = words[std::string(rows::LanguageTag(language))];
        for (const design::FaceWord& word : design::kFaceWords) {
            said[std::string(word.key)] = design::Said(word.word, language);
        }
        for (std::size_t k = 0; k < design::kPointNames.size(); ++k) {
            said["point-name-" + std::to_string(k + 1)] =
                rows::Said(design::kPointNames[k], language);
        }
    }
    const std::string text = words.dump(2) + "\n";
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
