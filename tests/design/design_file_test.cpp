// Design files: what is written reads back the same, and what cannot be a design is refused by
// name, all or nothing.

#include "design/design_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

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
    texts.outer_edge = true;
    texts.fatigue_lines = "# 读图\r\n2\t2e6\t0\t500\t600\t800\t手册 A 图 1\r\n";
    return texts;
}

TEST(DesignFile, WhatIsWrittenReadsBackTheSame) {
    const DesignTexts texts = Everything();
    const auto read = DesignFromJson(DesignToJson(texts));
    ASSERT_TRUE(read.has_value()) << DesignFileProblemText(read.error());
    EXPECT_EQ(*read, texts);
    // A file saved by the first version of the window.
    std::ifstream file(std::string(DISC_SPRING_SOURCE) + "/tests/curve/example.dspring");
    std::stringstream saved;
    saved << file.rdbuf();
    const auto example = DesignFromJson(saved.str());
    ASSERT_TRUE(example.has_value()) << DesignFileProblemText(example.error());
    EXPECT_EQ(example->t_reduced, "7.5");
    EXPECT_EQ(example->Rm, "");  // version 1: no Rm, blank
    EXPECT_EQ(example->points[0], (PointText{PointBy::kForce, "100000"}));
    // Before version 3: the example requirement.
    EXPECT_EQ(example->requirement, DefaultTexts().requirement);
    // Before version 6: no σIV.
    std::string version_5 = DesignToJson(texts);
    version_5.replace(version_5.find("\"outer_edge\": true,"), 20, "");
    version_5.replace(version_5.find("\"version\": 6"), 12, "\"version\": 5");
    DesignTexts before_6 = texts;
    before_6.outer_edge = false;
    const auto read_5 = DesignFromJson(version_5);
    ASSERT_TRUE(read_5.has_value()) << DesignFileProblemText(read_5.error());
    EXPECT_EQ(*read_5, before_6);
    // Before version 5: no load, read as it was judged (two points: dynamic), no long stacks.
    std::string version_4 = version_5;
    for (const std::string_view key :
         {"\"load\": \"dynamic\",", "\"long_stacks\": true,", "\"version\": 5"}) {
        version_4.replace(version_4.find(key), key.size(), key[1] == 'v' ? "\"version\": 4" : "");
    }
    DesignTexts before_5 = before_6;
    before_5.requirement.long_stacks = false;
    const auto read_4 = DesignFromJson(version_4);
    ASSERT_TRUE(read_4.has_value()) << DesignFileProblemText(read_4.error());
    EXPECT_EQ(*read_4, before_5);
    DesignTexts one = texts;
    one.points[1].value = " ";
    before_5.points[1].value = " ";
    before_5.load = calc::Load::kStatic;  // one point: static
    std::string one_point = DesignToJson(one);
    one_point.replace(one_point.find("\"load\": \"dynamic\","), 18, "");
    one_point.replace(one_point.find("\"outer_edge\": true,"), 20, "");
    one_point.replace(one_point.find("\"long_stacks\": true,"), 20, "");
    one_point.replace(one_point.find("\"version\": 6"), 12, "\"version\": 4");
    const auto read_one = DesignFromJson(one_point);
    ASSERT_TRUE(read_one.has_value()) << DesignFileProblemText(read_one.error());
    EXPECT_EQ(*read_one, before_5);
    // Before version 4: no fatigue lines, no life.
    std::string version_3 = version_4;
    for (const std::string_view key : {"\"life\": \"2e6\",", "\"version\": 4"}) {
        version_3.replace(version_3.find(key), key.size(), key[1] == 'l' ? "" : "\"version\": 3");
    }
    version_3.erase(version_3.find("\"fatigue_lines\""),
                    version_3.find("\"format\"") - version_3.find("\"fatigue_lines\""));
    DesignTexts older = before_6;
    older.requirement.long_stacks = false;
    older.fatigue_lines.clear();
    older.requirement.life.clear();
    const auto read_3 = DesignFromJson(version_3);
    ASSERT_TRUE(read_3.has_value()) << DesignFileProblemText(read_3.error()) << version_3;
    EXPECT_EQ(*read_3, older);
}

// Each way a file can fail, by its kind and the key it names; nothing else is read.
TEST(DesignFile, WhatIsNotADesignIsRefusedByName) {
    using Kind = DesignFileProblem::Kind;
    std::string good = DesignToJson(Everything());
    const auto with = [&good](std::string_view from, std::string_view to) {
        std::string changed = good;
        const std::size_t at = changed.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return changed.replace(at, from.size(), to);
    };
    // A stranger's key, as JSON writes it and as it reads.
    const std::string escaped = "安全提示\\n请将设计文件发送至 x@y\\u202e";
    const std::string stranger = "安全提示\n请将设计文件发送至 x@y\u202e";
    const std::tuple<std::string, Kind, std::string> refused[] = {
        {"{\"format\": \"disc-spring-design\"", Kind::kNotJson, ""},
        {"[]", Kind::kNotADesign, ""},
        {with("disc-spring-design", "x"), Kind::kNotADesign, ""},
        {with("\"version\": 6", "\"version\": 7"), Kind::kNewer, ""},
        {with("\"version\": 6", "\"version\": \"2\""), Kind::kVersion, ""},
        {with("\"version\": 6", "\"version\": 2.0"), Kind::kVersion, ""},
        {with("\"version\": 6", "\"version\": 0"), Kind::kVersion, ""},
        {with("\"Rm\": \"\",", ""), Kind::kMissing, "Rm"},
        {with("\"D\": \"100\",", ""), Kind::kMissing, "D"},
        {with("\"D\": \"100\"", "\"D\": 100"), Kind::kWrongKind, "D"},
        {with("\"D\": \"100\"", "\"D\": \"100\", \"D\": \"101\""), Kind::kRepeatedKey, "D"},
        {with("\"D\": \"100\"", "\"Dm\": \"1600\", \"D\": \"100\""), Kind::kUnknownKey,
         "inputs.Dm"},
        {with("\"format\"", "\"colour\": 1, \"format\""), Kind::kUnknownKey, "colour"},
        {with("\"format\"", "\"" + escaped + "\": 1, \"format\""), Kind::kUnknownKey, stranger},
        {with("\"inputs\": {", "\"inputs\": [{"), Kind::kNotJson, ""},
        {with("\"by\": \"F\"", "\"by\": \"s\""), Kind::kWrongKind, "points[0].by"},
        {with("\"by\": \"F\",", ""), Kind::kMissing, "points[0].by"},
        {with("\"value\": \"5000 N\"", "\"value\": 5000"), Kind::kWrongKind, "points[0].value"},
        {with("\"value\": \"5000 N\"", "\"value\": \"5000 N\", \"unit\": \"N\""), Kind::kUnknownKey,
         "points[0].unit"},
        {with("\"points\": [", "\"points\": [{\"by\": \"f\", \"value\": \"\"},"), Kind::kWrongKind,
         "points"},
        {with("\"5000 N\"", "\"5000 \xFF\""), Kind::kNotJson, ""},  // not UTF-8
        {std::string(65, '[') + std::string(65, ']'), Kind::kTooDeep, ""},
        {good + std::string(kMaxDesignFileBytes, ' '), Kind::kTooLarge, ""},
        // The requirement, since version 3; the fatigue lines and the life, since version 4.
        {with("\"version\": 6", "\"version\": 2"), Kind::kUnknownKey, "fatigue_lines"},
        {with("\"version\": 6", "\"version\": 3"), Kind::kUnknownKey, "fatigue_lines"},
        // The load and long stacks, since version 5; σIV since version 6.
        {with("\"version\": 6", "\"version\": 4"), Kind::kUnknownKey, "inputs.load"},
        {with("\"version\": 6", "\"version\": 5"), Kind::kUnknownKey, "inputs.outer_edge"},
        {with("\"outer_edge\": true,", ""), Kind::kMissing, "outer_edge"},
        {with("\"outer_edge\": true", "\"outer_edge\": \"yes\""), Kind::kWrongKind, "outer_edge"},
        {with("\"load\": \"dynamic\",", ""), Kind::kMissing, "load"},
        {with("\"load\": \"dynamic\"", "\"load\": \"cyclic\""), Kind::kWrongKind, "load"},
        {with("\"long_stacks\": true,", ""), Kind::kMissing, "requirement.long_stacks"},
        {with("\"long_stacks\": true", "\"long_stacks\": 1"), Kind::kWrongKind,
         "requirement.long_stacks"},
        {with("\"fatigue_lines\": \"", "\"fatigue_lines\": [\""), Kind::kNotJson, ""},
        {with("\"# 读图\\r\\n2\\t2e6\\t0\\t500\\t600\\t800\\t手册 A 图 1\\r\\n\"", "2"),
         Kind::kWrongKind, "fatigue_lines"},
        {with("\"life\": \"2e6\",", ""), Kind::kMissing, "requirement.life"},
        {with("\"dynamic\": true", "\"dynamic\": \"1\""), Kind::kWrongKind, "requirement.dynamic"},
        {with("\"bore\": \"41\",", ""), Kind::kMissing, "requirement.bore"},
        {with("\"bore\": \"41\"", "\"bore\": 41"), Kind::kWrongKind, "requirement.bore"},
        {with("\"given\": \"F\"", "\"given\": \"f\""), Kind::kWrongKind,
         "requirement.points[1].given"},
        {with("\"tolerance\": \"10\"", "\"tolerance\": \"10\", \"unit\": \"%\""), Kind::kUnknownKey,
         "requirement.points[1].unit"},
        {with("\"max_length\"", "\"longest\": \"\", \"max_length\""), Kind::kUnknownKey,
         "requirement.longest"},
        // The JSON reader stops at a NUL: what follows it must not slip through unread.
        {good + std::string(1, '\0') + "{\"format\": 1}", Kind::kNul, ""},
        {std::string(1, '\0'), Kind::kNul, ""},
    };
    for (const auto& [json, kind, key] : refused) {
        const auto read = DesignFromJson(json);
        ASSERT_FALSE(read.has_value()) << key;
        EXPECT_EQ(std::pair(read.error().kind, read.error().key), std::pair(kind, key))
            << DesignFileProblemText(read.error());
    }
    // Version 1 had no Rm: a file of it that has one is not what it says.
    const std::size_t format = good.find("    \"format\"");
    std::string v1 = "{\n" + good.substr(format, good.find("    \"requirement\"") - format) +
                     good.substr(good.find("    \"version\""));
    v1.replace(v1.find("\"version\": 6"), 12, "\"version\": 1");
    EXPECT_EQ(DesignFromJson(v1).error(), (DesignFileProblem{Kind::kUnknownKey, "inputs.Rm"}));
    // The words: a stranger's key quoted on one line, cut, its direction marks shown as codes.
    const std::pair<DesignFileProblem, std::string> said[] = {
        {{Kind::kUnknownKey, stranger + std::string(50, 'k')},
         "设计文件中有不认识的键 \"安全提示U+000A请将设计文件发送至 x@yU+202E" +
             std::string(21, 'k') + "…\""},
        {{Kind::kNewer, "", 7}, "这个设计文件由较新的版本（格式 7）保存，本程序只能读到格式 6"},
        {{Kind::kWrongKind, "load", 0, DesignFileProblem::Wanted::kLoad},
         "设计文件中 \"load\" 的值应为\"static\"（静载）或 \"dynamic\"（动载）"},
        {{Kind::kNotJson, "", 12}, "不是碟簧设计文件：JSON 在第 12 个字节处有误"},
    };
    for (const auto& [problem, words] : said) {
        EXPECT_EQ(DesignFileProblemText(problem), words);
    }
}

}  // namespace
}  // namespace design
