// The faces' words: each has a key of its own and a text, and its named placeholders fill.

#include "design/face_words.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace design {
namespace {

TEST(FaceWords, EachWordHasItsOwnKeyAndItsPlaceholdersFill) {
    std::set<std::string_view> keys;
    for (const FaceWord& word : kFaceWords) {
        EXPECT_TRUE(keys.insert(word.key).second) << word.key;
        EXPECT_FALSE(word.text.empty()) << word.key;
        // Every placeholder is a name in braces, and filling each leaves no brace behind.
        std::vector<std::pair<std::string_view, std::string_view>> values;
        for (std::size_t at = word.text.find('{'); at != std::string_view::npos;
             at = word.text.find('{', at + 1)) {
            const std::size_t close = word.text.find('}', at);
            ASSERT_NE(close, std::string_view::npos) << word.key;
            values.emplace_back(word.text.substr(at + 1, close - at - 1), "x");
        }
        const std::string filled = Fill(word.word, values);
        EXPECT_EQ(filled.find_first_of("{}"), std::string::npos) << word.key;
    }
    EXPECT_EQ(Fill(Word::kCannotWrite, {{"path", "/a/b"}}), "无法写入文件 /a/b");
    EXPECT_EQ(Fill(Word::kNothingTo, {{"why", "没有行"}, {"what", "复制"}}),
              "没有可复制的内容：没有行");
    EXPECT_EQ(Fill(Word::kCannotWrite, {}), "无法写入文件 {path}");  // a name not given shows
}

}  // namespace
}  // namespace design
