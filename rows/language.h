// The languages results are worded in: Chinese, the program's own, and those of a gettext PO
// catalogue built in (po/LANG.po), looked up by a phrase's key.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "runtime/expected.h"

namespace rows {

enum class Language { kChinese, kEnglish };

/// The language a language tag names ("en", "en-GB", "zh-CN" …): Chinese for zh*, English for
/// any other; the program's own (Chinese) for an empty tag.
Language LanguageOfTag(std::string_view tag);

/// A language's name in itself, as a choice of languages shows it: "中文", "English".
std::string_view LanguageName(Language language);

/// The languages there are, in the order a choice shows them.
inline constexpr Language kLanguages[] = {Language::kChinese, Language::kEnglish};

/// The tag a language is kept under in addresses and options: "zh", "en".
std::string_view LanguageTag(Language language);

/// A phrase: its key and its Chinese text, whose named placeholders ("{D}") are filled by Say().
/// The catalogue's msgctxt is the key, its msgid the text; P() is what xgettext extracts.
struct Phrase {
    std::string_view key;
    std::string_view text;

    friend bool operator==(const Phrase&, const Phrase&) = default;
};
constexpr Phrase P(std::string_view key, std::string_view chinese) {
    return {key, chinese};
}

/// A phrase's values by placeholder name. They are views: a list kept in a variable must view
/// strings that outlive it, never temporaries.
using Values = std::initializer_list<std::pair<std::string_view, std::string_view>>;

/// A phrase in `language`: the catalogue's translation of its key when that was made of this
/// very text, else the Chinese.
std::string_view Said(const Phrase& phrase, Language language);

/// A phrase in `language` with its placeholders filled.
std::string Say(Language language, const Phrase& phrase, Values values = {});

/// Whether "{name}" is a placeholder: a name of ASCII letters, digits, '-' and '_' ("{…}" is not).
bool IsPlaceholderName(std::string_view name);

/// `text` with each "{name}" replaced by the value given for it; an unknown name stays as it is.
std::string FillPlaceholders(std::string_view text,
                             std::span<const std::pair<std::string_view, std::string_view>> values);

/// One entry of a PO catalogue: the key (msgctxt), the program's own text (msgid) and its
/// translation (msgstr).
struct PoEntry {
    std::string key, source, text;

    friend bool operator==(const PoEntry&, const PoEntry&) = default;
};

/// Why a catalogue cannot be read: its line (from 1).
struct PoProblem {
    int line = 0;

    friend bool operator==(const PoProblem&, const PoProblem&) = default;
};

/// Reads a PO catalogue as gettext writes one: '#' comments, entries of msgctxt, msgid and
/// msgstr, each a quoted string continued by quoted lines, the escapes \" \\ \n \t. The header
/// (the entry of an empty msgid) is left out. All or nothing.
runtime::Expected<std::vector<PoEntry>, PoProblem> ReadPo(std::string_view po);

/// The built-in catalogue of `language` (empty for Chinese, whose words are the program's own).
const std::vector<PoEntry>& Catalogue(Language language);

/// The built-in text of po/en.po.
std::string_view EnglishPo();

}  // namespace rows
