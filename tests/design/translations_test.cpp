// The words' catalogues: every word has its English with the same placeholders and no Chinese
// left, the built-in catalogue is the repository's file, a PO file reads as gettext writes it,
// and a design said in English has the same numbers and codes as in Chinese and no Chinese word.

#include "design/translations.h"

#include "calc/catalogue.h"
#include "design/data_sheet.h"
#include "design/design_file.h"
#include "design/selection.h"
#include "design/sheet_text.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <tuple>

namespace design {
namespace {

std::multiset<std::string> Placeholders(std::string_view text) {
    std::multiset<std::string> names;
    for (std::size_t at = text.find('{'); at != std::string_view::npos;
         at = text.find('{', at + 1)) {
        const std::size_t close = text.find('}', at);
        const std::string_view name = text.substr(at + 1, close - at - 1);
        if (close != std::string_view::npos && rows::IsPlaceholderName(name)) {
            names.insert(std::string(name));
        }
    }
    return names;
}

bool HasChinese(std::string_view text) {
    // The CJK ideographs and the full-width punctuation a Chinese text uses, in UTF-8.
    for (const std::string_view mark : {"\xE3\x80", "\xEF\xBC"}) {
        if (text.find(mark) != std::string_view::npos) {
            return true;
        }
    }
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto lead = static_cast<unsigned char>(text[k]);
        if (lead >= 0xE4 && lead <= 0xE9) {
            return true;
        }
    }
    return false;
}

TEST(Translations, EveryEntryHasEnglishWithTheSamePlaceholders) {
    const std::vector<rows::PoEntry>& english = rows::Catalogue(Language::kEnglish);
    std::set<std::pair<std::string, std::string>> ids;
    for (const rows::PoEntry& entry : english) {
        EXPECT_TRUE(ids.insert({entry.key, entry.source}).second) << entry.key;
        EXPECT_FALSE(entry.key.empty()) << entry.source;
        EXPECT_FALSE(entry.text.empty()) << entry.key;
        EXPECT_EQ(Placeholders(entry.text), Placeholders(entry.source)) << entry.key;
        EXPECT_FALSE(HasChinese(entry.text)) << entry.key << ": " << entry.text;
        EXPECT_EQ(rows::Said(rows::Phrase{entry.key, entry.source}, Language::kEnglish),
                  entry.text);
        EXPECT_EQ(rows::Said(rows::Phrase{entry.key, entry.source}, Language::kChinese),
                  entry.source);
    }
    // Translated by key and text together: a changed text is said as written until translated.
    EXPECT_EQ(rows::Said(rows::P("title", "改过的标题"), Language::kEnglish), "改过的标题");
    EXPECT_TRUE(HasChinese(Said(Word::kTitle)));  // the detector finds what it looks for
}

TEST(Translations, TheFacesWordsAndTheCataloguesTextsAreTranslated) {
    for (const FaceWord& word : kFaceWords) {
        EXPECT_NE(Said(word.word, Language::kEnglish), word.text) << word.key;
        EXPECT_EQ(Said(word.word, Language::kChinese), word.text);
    }
    for (const calc::CatalogueSpring& spring : calc::Din2093()) {
        EXPECT_FALSE(
            HasChinese(rows::Said(rows::Phrase{"sureness", spring.sureness}, Language::kEnglish)))
            << spring.Name();
    }
}

TEST(Translations, ALanguageTagNamesChineseOnlyForZh) {
    const std::pair<std::string_view, Language> tags[] = {
        {"zh", Language::kChinese},    {"zh-CN", Language::kChinese},
        {"ZH_tw", Language::kChinese}, {"zh.UTF-8", Language::kChinese},
        {"", Language::kChinese},      {"en", Language::kEnglish},
        {"en-GB", Language::kEnglish}, {"de_DE.UTF-8", Language::kEnglish},
        {"zha", Language::kEnglish},   {"C", Language::kEnglish},
        {"z", Language::kEnglish},
    };
    for (const auto& [tag, language] : tags) {
        EXPECT_EQ(rows::LanguageOfTag(tag), language) << tag;
    }
}

// The numbers among tab- and line-separated cells, in order.
std::vector<std::string> Numbers(const std::string& text) {
    std::vector<std::string> numbers;
    std::string cell;
    for (const char c : text + '\n') {
        if (c != '\t' && c != '\n') {
            cell += c;
            continue;
        }
        if (!cell.empty() && cell.find_first_not_of("0123456789.eE+-") == std::string::npos) {
            numbers.push_back(cell);
        }
        cell.clear();
    }
    return numbers;
}

// Every word of a sheet a face shows, the plot's and the data sheet's among them.
std::vector<std::string> Words(const Sheet& sheet) {
    std::vector<std::string> words = HeaderCells(sheet);
    for (auto part : {Summary(sheet), TestLines(sheet), SpringLines(sheet), FindingSentences(sheet),
                      PacketHeader(sheet)}) {
        words.insert(words.end(), part.begin(), part.end());
    }
    words.push_back(NoTable(sheet));
    words.push_back(NoPlot(sheet));
    words.push_back(NoDataSheet(sheet));
    words.push_back(CopyText(sheet));
    for (const auto& [name, value] : RecordPairs(sheet)) {
        words.push_back(name);
    }
    const DataSheet data = DataSheetOf(sheet, "made by");
    words.push_back(data.title);
    for (const DataSheetSection& section : data.sections) {
        words.push_back(section.heading);
        words.insert(words.end(), section.lines.begin(), section.lines.end());
        words.insert(words.end(), section.header.begin(), section.header.end());
    }
    for (const PlotPanel& panel : sheet.plot) {
        words.push_back(panel.x_label);
        words.push_back(panel.y_label);
        for (const PlotSeries& series : panel.series) {
            words.push_back(series.name);
        }
        for (const PlotMarker& marker : panel.markers) {
            words.push_back(marker.label);
        }
    }
    return words;
}

DesignTexts FromFile(const std::string& path) {
    std::ifstream file(std::string(DISC_SPRING_SOURCE) + "/" + path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return DesignFromJson(text.str()).value();
}

TEST(Translations, ADesignInEnglishHasTheChineseNumbersAndCodesAndNoChineseWord) {
    DesignTexts stack = DefaultTexts();
    stack.series = "3";
    stack.parallel = "2";
    stack.w_M = "0.02";
    stack.w_R = "0.03";
    stack.points = {PointText{PointBy::kForce, "20000"}, PointText{PointBy::kDeflection, "99"}};
    stack.load = calc::Load::kDynamic;
    DesignTexts unusable = DefaultTexts();
    unusable.mu = "0.7";
    DesignTexts swapped = DefaultTexts();
    swapped.d = "120";
    DesignTexts packets = DefaultTexts();
    packets.packets = {{"1", "B 40", "x"}};
    const DesignTexts designs[] = {stack,
                                   unusable,
                                   swapped,
                                   packets,
                                   FromFile("docs/overloaded.dspring"),
                                   FromFile("docs/progressive.dspring"),
                                   FromFile("tests/curve/example.dspring")};
    for (const DesignTexts& texts : designs) {
        const Sheet chinese = ComputeSheet(texts);
        const Sheet english = ComputeSheet(texts, Language::kEnglish);
        EXPECT_EQ(FindingCodes(english), FindingCodes(chinese));
        EXPECT_EQ(Numbers(CopyText(english)), Numbers(CopyText(chinese)));
        const auto pairs = RecordPairs(english), own = RecordPairs(chinese);
        ASSERT_EQ(pairs.size(), own.size());
        for (std::size_t k = 0; k < pairs.size(); ++k) {
            EXPECT_EQ(pairs[k].second, own[k].second) << pairs[k].first;
        }
        bool said = false;
        for (const std::string& word : Words(english)) {
            EXPECT_FALSE(HasChinese(word)) << word;
        }
        for (const std::string& word : Words(chinese)) {
            said = said || HasChinese(word);
        }
        EXPECT_TRUE(said);  // the Chinese sheet says something to translate
        const SelectionSheet picked = ComputeSelection(texts, kShownAtFirst, Language::kEnglish);
        const SelectionSheet own_pick = ComputeSelection(texts);
        EXPECT_EQ(Numbers(SelectionCopyText(picked)), Numbers(SelectionCopyText(own_pick)));
        EXPECT_FALSE(HasChinese(SelectionSummary(picked))) << SelectionSummary(picked);
        EXPECT_FALSE(HasChinese(SelectionCopyText(picked)));
        for (const std::string& name : SelectionHeaderCells(picked)) {
            EXPECT_FALSE(HasChinese(name)) << name;
        }
    }
}

TEST(Translations, TheBuiltInCatalogueIsTheRepositorysFile) {
    std::ifstream file(std::string(DISC_SPRING_SOURCE) + "/po/en.po", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(rows::EnglishPo(), text.str());
}

TEST(Translations, APoFileReadsAsGettextWritesIt) {
    const std::string header = "# c\nmsgid \"\"\nmsgstr \"\"\n\"Language: en\\n\"\n\n";
    const std::pair<std::string, std::vector<rows::PoEntry>> read[] = {
        {header + "msgctxt \"k\"\nmsgid \"甲\"\nmsgstr \"A\"\n", {{"k", "甲", "A"}}},
        // Continued strings, escapes, CRLF, an entry without a key, one untranslated.
        {header + "msgctxt \"k\"\r\nmsgid \"\"\r\n\"a\\n\"\r\n\"b \\\"c\\\" \\\\ \\t\"\r\nmsgstr "
                  "\"x\"\n\"y\"\n\nmsgid \"乙\"\nmsgstr \"B\"\nmsgctxt \"u\"\nmsgid \"丙\"\nmsgstr "
                  "\"\"",
         {{"k", "a\nb \"c\" \\ \t", "xy"}, {"", "乙", "B"}, {"u", "丙", ""}}},
        {"", {}},
    };
    for (const auto& [po, entries] : read) {
        const auto got = rows::ReadPo(po);
        ASSERT_TRUE(got.has_value()) << po << got.error().line;
        EXPECT_EQ(*got, entries) << po;
    }
    const std::pair<std::string, int> refused[] = {
        {"\"a\"\n", 1},                                    // a continuation of nothing
        {"msgid \"a\"\nmsgfoo \"b\"\n", 2},                // no such keyword
        {"msgid \"a\nmsgstr \"b\"\n", 1},                  // not closed
        {"msgid \"a\\q\"\nmsgstr \"b\"\n", 1},             // no such escape
        {"msgid \"a\\\"\nmsgstr \"b\"\n", 1},              // its closing quote escaped
        {"msgid \"a\"b\"\nmsgstr \"b\"\n", 1},             // a quote inside
        {"msgid \"a\"\nmsgstr \"b\"\nmsgstr \"c\"\n", 3},  // two translations
        {"msgid \"a\"\nmsgctxt \"k\"\n", 2},               // a key after its text
        {"msgid a\n", 1},                                  // not quoted
        {"msgctxt \"k\"\nmsgid \"a\"\n", 3},               // no translation at the end
    };
    for (const auto& [po, line] : refused) {
        const auto got = rows::ReadPo(po);
        ASSERT_FALSE(got.has_value()) << po;
        EXPECT_EQ(got.error().line, line) << po;
    }
}

}  // namespace
}  // namespace design
