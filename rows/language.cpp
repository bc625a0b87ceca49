// Reading PO catalogues, finding a phrase's translation and filling its placeholders.
#include "rows/language.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace rows {
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

Language LanguageOfTag(std::string_view tag) {
    if (tag.empty()) {
        return Language::kChinese;
    }
    const bool chinese = tag.size() >= 2 && (tag[0] == 'z' || tag[0] == 'Z') &&
                         (tag[1] == 'h' || tag[1] == 'H') &&
                         (tag.size() == 2 || tag[2] == '-' || tag[2] == '_' || tag[2] == '.');
    return chinese ? Language::kChinese : Language::kEnglish;
}

std::string_view LanguageName(Language language) {
    return language == Language::kEnglish ? "English" : "中文";
}

std::string_view LanguageTag(Language language) {
    return language == Language::kEnglish ? "en" : "zh";
}

std::string_view Said(const Phrase& phrase, Language language) {
    if (language == Language::kChinese) {
        return phrase.text;
    }
    // Found as gettext finds a translation: by key and source together, "key\x04source".
    static const std::unordered_map<std::string, const PoEntry*> english = [] {
        std::unordered_map<std::string, const PoEntry*> by_key;
        for (const PoEntry& entry : Catalogue(Language::kEnglish)) {
            by_key.emplace(entry.key + '\x04' + entry.source, &entry);
        }
        return by_key;
    }();
    std::string id(phrase.key);
    id += '\x04';
    id += phrase.text;
    const auto found = english.find(id);
    return found == english.end() || found->second->text.empty() ? phrase.text
                                                                 : found->second->text;
}

std::string Say(Language language, const Phrase& phrase, Values values) {
    return FillPlaceholders(Said(phrase, language), std::span(values.begin(), values.size()));
}

bool IsPlaceholderName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_';
    });
}

std::string FillPlaceholders(
    std::string_view text, std::span<const std::pair<std::string_view, std::string_view>> values) {
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
        if (!IsPlaceholderName(name)) {  // a brace of the text itself, "{…}"
            out += '{';
            at = open + 1;
            continue;
        }
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

}  // namespace rows
