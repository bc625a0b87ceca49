// Writes the design tool's words as JSON, key by key, for the page's shell (scripts/web_page.py).
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

#include "design/face_words.h"
#include "design/inputs.h"

int main() {
    nlohmann::json words = nlohmann::json::object();
    for (const design::FaceWord& word : design::kFaceWords) {
        words[std::string(word.key)] = word.text;
    }
    for (std::size_t k = 0; k < design::kPointNames.size(); ++k) {
        words["point-name-" + std::to_string(k + 1)] = design::kPointNames[k];
    }
    const std::string text = words.dump(2) + "\n";
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() ? 0 : 1;
}
