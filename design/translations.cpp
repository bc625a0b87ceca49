// Reading PO catalogues and finding a word's translation.
#include "design/translations.h"

#include <cstdlib>

namespace design {
namespace {

// The string of a quoted PO line, `"…"`, its escapes undone; false when it is not one.
bool Unquote(std::string_view line, std::string& out) {
    if (line.size() < 2 || line.front() != '"' || line.back() != '"') {
        return false;
    }
    for (std::size_t k = 1; k + 1 < line.size(); ++k) {
        if (line[k] == '"') {
            return false;
        }
        if (line[k] != '\\') {
            out += line[k];
            continue;
        }
        if (k + 2 >= line.size()) {
            return false;
        }
        switch (line[++k]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            default:
                return false;
        }
    }
    return true;
}

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    while (!line.empty() && line.front() == ' ') {
        line.remove_prefix(1);
    }
    return line;
}

}  // namespace

runtime::Expected<std::vector<PoEntry>, PoProblem> ReadPo(std::string_view po) {
    // Where an entry stands: each keyword may follow only the one before it.
    enum class Part { kNone, kKey, kSource, kText };
    std::vector<PoEntry> entries;
    PoEntry entry;
    Part part = Part::kNone;
    std::string* into = nullptr;  // the string a quoted line continues
    const auto finish = [&] {
        if (part == Part::kText && !entry.source.empty()) {
            entries.push_back(std::move(entry));
        }
        entry = {};
        part = Part::kNone;
    };
    int number = 0;
    for (std::size_t at = 0; at <= po.size();) {
        const std::size_t end = std::min(po.find('\n', at), po.size());
        const std::string_view line = Trimmed(po.substr(at, end - at));
        at = end + 1;
        ++number;
        if (line.empty() || line.front() == '#') {
            continue;
        }
        if (line.front() == '"') {
            if (into == nullptr || !Unquote(line, *into)) {
                return PoProblem{number};
            }
            continue;
        }
        const std::size_t space = line.find(' ');
        const std::string_view keyword = line.substr(0, space);
        const std::string_view rest =
            space == std::string_view::npos ? std::string_view() : Trimmed(line.substr(space));
        if (part == Part::kText && (keyword == "msgctxt" || keyword == "msgid")) {
            finish();
        }
        if (keyword == "msgctxt" && part == Part::kNone) {
            into = &entry.key;
            part = Part::kKey;
        } else if (keyword == "msgid" && (part == Part::kNone || part == Part::kKey)) {
            into = &entry.source;
            part = Part::kSource;
        } else if (keyword == "msgstr" && part == Part::kSource) {
            into = &entry.text;
            part = Part::kText;
        } else {
            return PoProblem{number};
        }
        if (!Unquote(rest, *into)) {
            return PoProblem{number};
        }
    }
    if (part != Part::kNone && part != Part::kText) {
        return PoProblem{number};  // an entry without its translation
    }
    finish();
    return entries;
}

const std::vector<PoEntry>& Catalogue(Language language) {
    static const std::vector<PoEntry> none;
    // Built in from the repository's file, which a test reads: it always reads.
    static const std::vector<PoEntry> english = [] {
        auto read = ReadPo(EnglishPo());
        if (!read) {
            std::abort();
        }
        return std::move(*read);
    }();
    return language == Language::kEnglish ? english : none;
}

std::string_view Said(Word word, Language language) {
    const FaceWord& own = kFaceWords[static_cast<std::size_t>(word)];
    for (const PoEntry& entry : Catalogue(language)) {
        if (entry.key == own.key && entry.source == own.text && !entry.text.empty()) {
            return entry.text;
        }
    }
    return own.text;
}

}  // namespace design
