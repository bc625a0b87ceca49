// Design files: what is written reads back the same, and what cannot be a design is refused by
// name, all or nothing.

#include "design/design_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>

#include "calc/column.h"

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
    texts.packets = {{"2", "B 40", ""}, {"", "40 20.4 2.25 3.15", "0.675"}};
    return texts;
}

// A file as version `version` wrote it: the keys added since left out.
std::string AsVersion(const DesignTexts& texts, int version) {
    nlohmann::json file = nlohmann::json::parse(DesignToJson(texts));
    file["version"] = version;
    nlohmann::json& inputs = file["inputs"];
    nlohmann::json& requirement = file["requirement"];
    const std::pair<int, nlohmann::json*> added[] = {
        {7, &inputs["packets"]},          {6, &inputs["outer_edge"]}, {5, &inputs["load"]},
        {5, &requirement["long_stacks"]}, {4, &requirement["life"]},  {4, &file["fatigue_lines"]}};
    for (const auto& [since, key] : added) {
        if (version < since) {
            *key = nullptr;  // marked, then erased below
        }
    }
    for (nlohmann::json* object : {&file, &inputs, &requirement}) {
        for (auto it = object->begin(); it != object->end();) {
            it = it->is_null() ? object->erase(it) : std::next(it);
        }
    }
    return file.dump(4);
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
    // Before version 7: no packets; before 6: no σIV.
    DesignTexts before_7 = texts;
    before_7.packets.clear();
    DesignTexts before_6 = before_7;
    before_6.outer_edge = false;
    // Before 5: no load, read as it was judged (two points: dynamic), no long stacks.
    DesignTexts before_5 = before_6;
    before_5.requirement.long_stacks = false;
    // Before 4: no fatigue lines, no life.
    DesignTexts before_4 = before_5;
    before_4.fatigue_lines.clear();
    before_4.requirement.life.clear();
    const std::pair<int, DesignTexts> older[] = {
        {6, before_7}, {5, before_6}, {4, before_5}, {3, before_4}};
    for (const auto& [version, expected] : older) {
        const auto read_old = DesignFromJson(AsVersion(texts, version));
        ASSERT_TRUE(read_old.has_value()) << version;
        EXPECT_EQ(*read_old, expected) << version;
    }
    DesignTexts one = texts;
    one.points[1].value = " ";
    before_5.points[1].value = " ";
    before_5.load = calc::Load::kStatic;  // one point: static
    const auto read_one = DesignFromJson(AsVersion(one, 4));
    ASSERT_TRUE(read_one.has_value()) << DesignFileProblemText(read_one.error());
    EXPECT_EQ(*read_one, before_5);
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
        {with("\"version\": 7", "\"version\": 8"), Kind::kNewer, ""},
        {with("\"version\": 7", "\"version\": \"2\""), Kind::kVersion, ""},
        {with("\"version\": 7", "\"version\": 2.0"), Kind::kVersion, ""},
        {with("\"version\": 7", "\"version\": 0"), Kind::kVersion, ""},
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
        {with("\"version\": 7", "\"version\": 2"), Kind::kUnknownKey, "fatigue_lines"},
        {with("\"version\": 7", "\"version\": 3"), Kind::kUnknownKey, "fatigue_lines"},
        // The load and long stacks, since version 5; σIV since version 6.
        {with("\"version\": 7", "\"version\": 4"), Kind::kUnknownKey, "inputs.load"},
        {with("\"version\": 7", "\"version\": 5"), Kind::kUnknownKey, "inputs.outer_edge"},
        // The packets, since version 7.
        {with("\"version\": 7", "\"version\": 6"), Kind::kUnknownKey, "inputs.packets"},
        {with("\"stop\": \"0.675\"", "\"stop\": 0.675"), Kind::kWrongKind, "packets[1].stop"},
        {with("\"stop\": \"0.675\"", "\"stop\": \"0.675\", \"ring\": \"\""), Kind::kUnknownKey,
         "packets[1].ring"},
        {with("\"n\": \"2\",", ""), Kind::kMissing, "packets[0].n"},
        {with("\"packets\": [", "\"packets\": [1, "), Kind::kWrongKind, "packets[0]"},
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
    // Packets that are not a list are refused; a list of any length reads, as it was written:
    // more than a column may hold is the sheet's to say, and a saved design always opens.
    nlohmann::json packets = nlohmann::json::parse(good);
    packets["inputs"]["packets"] = "B 40";
    EXPECT_EQ(
        DesignFromJson(packets.dump()).error(),
        (DesignFileProblem{Kind::kWrongKind, "packets", 0, DesignFileProblem::Wanted::kPackets}));
    DesignTexts many = Everything();
    many.packets.assign(calc::kMaxPackets + 1, PacketText{"1", "B 40", ""});
    const auto read_many = DesignFromJson(DesignToJson(many));
    ASSERT_TRUE(read_many.has_value());
    EXPECT_EQ(*read_many, many);
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
    v1.replace(v1.find("\"version\": 7"), 12, "\"version\": 1");
    EXPECT_EQ(DesignFromJson(v1).error(), (DesignFileProblem{Kind::kUnknownKey, "inputs.Rm"}));
    // The words: a stranger's key quoted on one line, cut, its direction marks shown as codes.
    const std::pair<DesignFileProblem, std::string> said[] = {
        {{Kind::kUnknownKey, stranger + std::string(50, 'k')},
         "设计文件中有不认识的键 \"安全提示U+000A请将设计文件发送至 x@yU+202E" +
             std::string(21, 'k') + "…\""},
        {{Kind::kNewer, "", 8}, "这个设计文件由较新的版本（格式 8）保存，本程序只能读到格式 7"},
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
