// Filling a word's named placeholders.
#include "design/face_words.h"

namespace design {

std::string Fill(Word word, std::span<const std::pair<std::string_view, std::string_view>> values) {
    const std::string_view text = Said(word);
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t open = text.find('{', at);
        const std::size_t close = text.find('}', open);
        if (open == std::string_view::npos || close == std::string_view::npos) {
            out += text.substr(at);
            break;
        }
        out += text.substr(at, open - at);
        const std::string_view name = text.substr(open + 1, close - open - 1);
        bool filled = false;
        for (const auto& [key, value] : values) {
            if (key == name) {
                out += value;
                filled = true;
            }
        }
        if (!filled) {
            out += text.substr(open, close + 1 - open);  // left as it stands: a fault to see
        }
        at = close + 1;
    }
    return out;
}

}  // namespace design
