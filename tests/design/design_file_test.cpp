// Design files: what is written reads back the same, and what cannot be a design is refused by
// name, all or nothing.

#include "design/design_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace design {
namespace {

DesignTexts Everything() {
    DesignTexts texts = DefaultTexts();
    texts.t_reduced = "3.3";
    texts.E = "2.06E5";
    texts.w_M = "0,01";  // kept as typed, comma and all
    texts.points = {PointText{PointBy::kForce, "5000 N"}, PointText{PointBy::kDeflection, "\"≤\""}};
    texts.requirement.points[1] = {true, "0.6", "2000", "10"};
    texts.requirement.max_length = "30";
    texts.requirement.dynamic = true;
    texts.requirement.life = "2e6";
    texts.requirement.long_stacks = true;
    texts.load = calc::Load::kDynamic;
    texts.fatigue_lines = "# 读图\r\n2\t2e6\t0\t500\t600\t800\t手册 A 图 1\r\n";
    return texts;
}

TEST(DesignFile, WhatIsWrittenReadsBackTheSame) {
    const DesignTexts texts = Everything();
    const auto read = DesignFromJson(DesignToJson(texts));
    ASSERT_TRUE(read.has_value()) << read.error();
    EXPECT_EQ(*read, texts);
    // A file saved by the first version of the window.
    std::ifstream file(std::string(DISC_SPRING_SOURCE) + "/tests/curve/example.dspring");
    std::stringstream saved;
    saved << file.rdbuf();
    const auto example = DesignFromJson(saved.str());
    ASSERT_TRUE(example.has_value()) << example.error();
    EXPECT_EQ(example->t_reduced, "7.5");
    EXPECT_EQ(example->Rm, "");  // version 1: no Rm, blank
    EXPECT_EQ(example->points[0], (PointText{PointBy::kForce, "100000"}));
    // Before version 3: the example requirement.
    EXPECT_EQ(example->requirement, DefaultTexts().requirement);
    // Before version 5: no load, read as it was judged (two points: dynamic), no long stacks.
    std::string version_4 = DesignToJson(texts);
    for (const std::string_view key :
         {"\"load\": \"dynamic\",", "\"long_stacks\": true,", "\"version\": 5"}) {
        version_4.replace(version_4.find(key), key.size(), key[1] == 'v' ? "\"version\": 4" : "");
    }
    DesignTexts before_5 = texts;
    before_5.requirement.long_stacks = false;
    const auto read_4 = DesignFromJson(version_4);
    ASSERT_TRUE(read_4.has_value()) << read_4.error();
    EXPECT_EQ(*read_4, before_5);
    DesignTexts one = texts;
    one.points[1].value = " ";
    before_5.points[1].value = " ";
    before_5.load = calc::Load::kStatic;  // one point: static
    std::string one_point = DesignToJson(one);
    one_point.replace(one_point.find("\"load\": \"dynamic\","), 18, "");
    one_point.replace(one_point.find("\"long_stacks\": true,"), 20, "");
    one_point.replace(one_point.find("\"version\": 5"), 12, "\"version\": 4");
    const auto read_one = DesignFromJson(one_point);
    ASSERT_TRUE(read_one.has_value()) << read_one.error();
    EXPECT_EQ(*read_one, before_5);
    // Before version 4: no fatigue lines, no life.
    std::string version_3 = version_4;
    for (const std::string_view key : {"\"life\": \"2e6\",", "\"version\": 4"}) {
        version_3.replace(version_3.find(key), key.size(), key[1] == 'l' ? "" : "\"version\": 3");
    }
    version_3.erase(version_3.find("\"fatigue_lines\""),
                    version_3.find("\"format\"") - version_3.find("\"fatigue_lines\""));
    DesignTexts older = Everything();
    older.requirement.long_stacks = false;
    older.fatigue_lines.clear();
    older.requirement.life.clear();
    const auto read_3 = DesignFromJson(version_3);
    ASSERT_TRUE(read_3.has_value()) << read_3.error() << version_3;
    EXPECT_EQ(*read_3, older);
}

// Each way a file can fail, and the words that must name the reason.
TEST(DesignFile, WhatIsNotADesignIsRefusedByName) {
    std::string good = DesignToJson(Everything());
    const auto with = [&good](std::string_view from, std::string_view to) {
        std::string changed = good;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return changed.replace(at, from.size(), to);
    };
    const std::pair<std::string, std::string> refused[] = {
        {"{\"format\": \"disc-spring-design\"", "JSON 在第"},
        {"[]", "缺少 \"format\""},
        {with("disc-spring-design", "x"), "缺少 \"format\""},
        {with("\"version\": 5", "\"version\": 6"), "较新的版本（格式 6）"},
        {with("\"version\": 5", "\"version\": \"2\""), "\"version\" 应为正整数"},
        {with("\"version\": 5", "\"version\": 2.0"), "\"version\" 应为正整数"},
        {with("\"version\": 5", "\"version\": 0"), "\"version\" 应为正整数"},
        {with("\"Rm\": \"\",", ""), "缺少 \"Rm\""},
        {with("\"D\": \"100\",", ""), "缺少 \"D\""},
        {with("\"D\": \"100\"", "\"D\": 100"), "\"D\" 的值应为文字"},
        {with("\"D\": \"100\"", "\"D\": \"100\", \"D\": \"101\""), "键 \"D\" 出现了不止一次"},
        {with("\"D\": \"100\"", "\"Dm\": \"1600\", \"D\": \"100\""), "不认识的键 \"inputs.Dm\""},
        {with("\"format\"", "\"colour\": 1, \"format\""), "不认识的键 \"colour\""},
        // A stranger's key is quoted on one line, cut, its direction marks shown as codes.
        {with("\"format\"", "\"安全提示\\n请将设计文件发送至 x@y\\u202e" + std::string(50, 'k') +
                                "\": 1, \"format\""),
         "不认识的键 \"安全提示U+000A请将设计文件发送至 x@yU+202E" + std::string(21, 'k') + "…\""},
        {with("\"inputs\": {", "\"inputs\": [{"), "JSON"},
        {with("\"by\": \"F\"", "\"by\": \"s\""), "\"points[0].by\" 的值应为"},
        {with("\"by\": \"F\",", ""), "缺少 \"points[0].by\""},
        {with("\"value\": \"5000 N\"", "\"value\": 5000"), "\"points[0].value\" 的值应为文字"},
        {with("\"value\": \"5000 N\"", "\"value\": \"5000 N\", \"unit\": \"N\""),
         "不认识的键 \"points[0].unit\""},
        {with("\"points\": [", "\"points\": [{\"by\": \"f\", \"value\": \"\"},"), "至多两个工作点"},
        {with("\"5000 N\"", "\"5000 \xFF\""), "JSON 在第"},  // not UTF-8
        {std::string(65, '[') + std::string(65, ']'), "嵌套超过 64 层"},
        {good + std::string(kMaxDesignFileBytes, ' '), "大于 1 MiB"},
        // The requirement, since version 3.
        {with("\"version\": 5", "\"version\": 2"), "不认识的键 \"fatigue_lines\""},
        // The fatigue lines and the life, since version 4.
        {with("\"version\": 5", "\"version\": 3"), "不认识的键 \"fatigue_lines\""},
        // The load and long stacks, since version 5.
        {with("\"version\": 5", "\"version\": 4"), "不认识的键 \"inputs.load\""},
        {with("\"load\": \"dynamic\",", ""), "缺少 \"load\""},
        {with("\"load\": \"dynamic\"", "\"load\": \"cyclic\""), "\"load\" 的值应为"},
        {with("\"long_stacks\": true,", ""), "缺少 \"requirement.long_stacks\""},
        {with("\"long_stacks\": true", "\"long_stacks\": 1"),
         "\"requirement.long_stacks\" 的值应为"},
        {with("\"fatigue_lines\": \"", "\"fatigue_lines\": [\""), "JSON"},
        {with("\"# 读图\\r\\n2\\t2e6\\t0\\t500\\t600\\t800\\t手册 A 图 1\\r\\n\"", "2"),
         "\"fatigue_lines\" 的值应为"},
        {with("\"life\": \"2e6\",", ""), "缺少 \"requirement.life\""},
        {with("\"dynamic\": true", "\"dynamic\": \"1\""), "\"requirement.dynamic\" 的值应为"},
        {with("\"bore\": \"41\",", ""), "缺少 \"requirement.bore\""},
        {with("\"bore\": \"41\"", "\"bore\": 41"), "\"requirement.bore\" 的值应为文字"},
        {with("\"given\": \"F\"", "\"given\": \"f\""), "\"requirement.points[1].given\" 的值应为"},
        {with("\"tolerance\": \"10\"", "\"tolerance\": \"10\", \"unit\": \"%\""),
         "不认识的键 \"requirement.points[1].unit\""},
        {with("\"max_length\"", "\"longest\": \"\", \"max_length\""),
         "不认识的键 \"requirement.longest\""},
        // The JSON reader stops at a NUL: what follows it must not slip through unread.
        {good + std::string(1, '\0') + "{\"format\": 1}", "NUL"},
        {std::string(1, '\0'), "NUL"},
    };
    for (const auto& [json, why] : refused) {
        const auto read = DesignFromJson(json);
        ASSERT_FALSE(read.has_value()) << why;
        EXPECT_NE(read.error().find(why), std::string::npos) << read.error();
    }
    // Version 1 had no Rm: a file of it that has one is not what it says.
    const std::size_t format = good.find("    \"format\"");
    std::string v1 = "{\n" + good.substr(format, good.find("    \"requirement\"") - format) +
                     good.substr(good.find("    \"version\""));
    v1.replace(v1.find("\"version\": 5"), 12, "\"version\": 1");
    EXPECT_NE(DesignFromJson(v1).error().find("不认识的键 \"inputs.Rm\""), std::string::npos);
}

}  // namespace
}  // namespace design
