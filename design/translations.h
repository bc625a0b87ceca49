// The design tool's words in other languages, from gettext PO catalogues built into the program.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "design/face_words.h"
#include "runtime/expected.h"

namespace design {

/// The languages the words are said in: Chinese, as the program writes them, and those with a
/// catalogue (po/LANG.po).
enum class Language { kChinese, kEnglish };

/// One entry of a PO catalogue: the word's key (msgctxt), the program's own text (msgid) and
/// its translation (msgstr).
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

/// A word in `language`: its translation whose key and source match the word's, else the
/// program's own text.
std::string_view Said(Word word, Language language);

}  // namespace design
