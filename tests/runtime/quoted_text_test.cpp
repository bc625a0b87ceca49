// A stranger's text quoted in a message: one line, no direction turned, cut to a stated length;
// and which texts are UTF-8 at all.

#include "runtime/quoted_text.h"

#include <gtest/gtest.h>

#include "runtime/utf8.h"

namespace runtime {
namespace {

TEST(QuotedText, HiddenCharactersShowAsTheirCodesAndLongTextsAreCut) {
    const std::pair<std::string, std::string> cases[] = {
        {"3.5mm", "3.5mm"},
        {"碟簧 Ø40", "碟簧 Ø40"},
        {"4\u202e05", "4U+202E05"},  // shows as "450" where it is not escaped
        {"a\nb\r\tc", "aU+000AbU+000DU+0009c"},
        {"x\u2028y\u2066z\u200b\ufeff", "xU+2028yU+2066zU+200BU+FEFF"},
        {std::string("\x7f\xc2\x85", 3), "U+007FU+0085"},
        {"\xff\xc0\xaf\xed\xa0\x80 \xe4\xb8", "\\xFF\\xC0\\xAF\\xED\\xA0\\x80 \\xE4\\xB8"},
        {"\xf0\x9f\x94\xa9\xf4\x90\x80\x80", "\xf0\x9f\x94\xa9\\xF4\\x90\\x80\\x80"},
        {std::string(40, 'k'), std::string(40, 'k')},
        {std::string(41, 'k'), std::string(40, 'k') + "…"},
    };
    for (const auto& [text, quoted] : cases) {
        EXPECT_EQ(QuotedText(text), quoted) << text;
        EXPECT_EQ(IsUtf8(text), quoted.find("\\x") == std::string::npos) << text;
    }
    EXPECT_EQ(QuotedText("一二三四五", 3), "一二三…");  // characters, not bytes
    EXPECT_EQ(QuotedText(""), "");
}

}  // namespace
}  // namespace runtime
