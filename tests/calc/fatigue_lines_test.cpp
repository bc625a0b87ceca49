// Fatigue lines the engineer enters: a line set is taken whole or refused with its line and
// reason, and a load cycle is judged only where a line reaches, never beyond it.

#include "calc/fatigue_lines.h"

#include <gtest/gtest.h>

#include "rows/fatigue_text.h"

namespace calc {
namespace {

using Kind = FatigueLinesProblem::Kind;

// A hand-made set: no standard's numbers, only lines to test the judgement against.
constexpr std::string_view kSet =
    "# group\tN\tσU1\tσO1\tσU2\tσO2\tsource\r\n"
    "2\t2e6\t0\t500\t600\t800\t手册 A 图 1\r\n"
    "\n"
    "2\t1e5\t0\t700\t1000\t1200\t手册 A 图 2\n"
    "1\t2e6\t100\t600\t400\t700\t手册 B\n";

TEST(FatigueLines, ASetIsReadWholeSkippingCommentsAndBlankLines) {
    const auto lines = ReadFatigueLines(kSet);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[0], (FatigueLine{2, 2e6, "2e6", 0, 500, 600, 800, "手册 A 图 1"}));
    EXPECT_EQ((*lines)[2].group, 1);
    // N and the source as written, without the blanks around them.
    const auto padded = ReadFatigueLines("1\t  1e5 \t0\t1\t2\t3\t  手册 B  \n");
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->front().cycles_text + "|" + padded->front().source, "1e5|手册 B");
}

// A file becomes the box's text if it is UTF-8 and no larger than a design file may be, without
// the byte-order mark a Windows editor writes; each face words a refusal with the same sentence.
TEST(FatigueLines, AFileIsTakenUpToItsLimitAndAsUtf8Only) {
    const std::string largest(kMaxFatigueFileBytes, '#');
    EXPECT_EQ(*FatigueFileText(largest), largest);
    EXPECT_EQ(*FatigueFileText("\xEF\xBB\xBF" + std::string(kSet)), kSet);
    EXPECT_EQ(FatigueFileText(largest + "#").error(), FatigueFileProblem::kTooLarge);
    EXPECT_EQ(FatigueFileText("2\t2e6\t0\t1\t2\t3\t\xca\xd6\xb2\xe1\n").error(),
              FatigueFileProblem::kNotUtf8);
    EXPECT_EQ(rows::FatigueFileProblemText(FatigueFileProblem::kTooLarge, "a.tsv"),
              "疲劳线文件 'a.tsv' 大于 1 MiB，不读");
    EXPECT_EQ(rows::FatigueFileProblemText(FatigueFileProblem::kNotUtf8, "b\nc.tsv"),
              "疲劳线文件 'bU+000Ac.tsv' 不是 UTF-8 文字，不读");
}

TEST(FatigueLines, ABadLineRefusesTheSetNamingTheLine) {
    const std::pair<std::string_view, FatigueLinesProblem> cases[] = {
        {"2\t2e6\t0\t500\t600\t800", {Kind::kColumns, 1}},
        {"# x\n2\t2e6\tx\t500\t600\t800\ts", {Kind::kNotANumber, 2, 3}},
        {"2\t2e6\t0\t500\t600\t800\ts\n2\t2e6\t0\t3,5\t600\t800\ts", {Kind::kNotANumber, 2, 4}},
        {"4\t2e6\t0\t500\t600\t800\ts", {Kind::kGroup, 1}},
        {"2.5\t2e6\t0\t500\t600\t800\ts", {Kind::kGroup, 1}},
        {"2\t0\t0\t500\t600\t800\ts", {Kind::kCycles, 1}},
        {"2\t-1e5\t0\t500\t600\t800\ts", {Kind::kCycles, 1}},
        {"2\t2e6\t300\t500\t300\t800\ts", {Kind::kOnePoint, 1}},
        {"2\t2e6\t600\t800\t0\t500\ts", {Kind::kOnePoint, 1}},
        {"2\t2e6\t0\t500\t600\t590\ts", {Kind::kBelowLower, 1}},
        {"2\t2e6\t100\t90\t600\t800\ts", {Kind::kBelowLower, 1}},
        {"2\t2e6\t0\t800\t600\t700\ts", {Kind::kFalling, 1}},
        {"2\t2e6\t0\t500\t600\t800\t  ", {Kind::kNoSource, 1}},
        {"# only comments\n\n", {Kind::kEmpty, 2}},
        {"", {Kind::kEmpty, 0}},
    };
    for (const auto& [text, problem] : cases) {
        const auto read = ReadFatigueLines(text);
        ASSERT_FALSE(read) << text;
        EXPECT_EQ(read.error(), problem) << text;
        if (problem.kind != Kind::kEmpty) {
            EXPECT_NE(rows::FatigueLinesProblemText(read.error())
                          .find("第 " + std::to_string(problem.line) + " 行"),
                      std::string::npos);
        }
    }
}

TEST(FatigueLines, TheGroupFollowsTheThicknessAsMade) {
    const std::pair<double, int> cases[] = {{0.2, 1}, {1.2499, 1},    {1.25, 2},
                                            {6, 2},   {6.0000001, 3}, {14, 3}};
    for (const auto& [t, group] : cases) {
        EXPECT_EQ(ThicknessGroup(t), group) << t;
    }
}

TEST(FatigueLines, ACycleIsJudgedOnlyWhereALineReaches) {
    const auto lines = ReadFatigueLines(kSet);
    ASSERT_TRUE(lines);
    struct Case {
        double t, lower, upper;
        std::string code;
        std::vector<std::string> sentences;  // a piece of each, in order
    };
    const Case cases[] = {
        // Both group-2 lines hold: the longer life is named, with its margin (800 − 790 at σU =
        // 600, the line's end: no extrapolation needed).
        {3.5, 600, 790, "fatigue:2e6", {"至少 2e6 次", "余量 10 MPa", "手册 A 图 1"}},
        // Above the 2e6 line, under the 1e5 line (σO,perm = 700 + 300 · 500 / 1000 = 850).
        {3.5,
         300,
         849,
         "fatigue:1e5",
         {"至少 1e5 次", "N = 2e6 次的线：σo = 849 MPa 超过允许的 650"}},
        // Exactly on the line holds.
        {3.5, 300, 650, "fatigue:2e6", {"余量 0 MPa"}},
        {3.5, 300, 851, "fatigue:none", {"没有一条满足", "达不到 1e5 次", "N = 1e5", "N = 2e6"}},
        // Only the 1e5 line reaches σU and fails: the life is bounded by it, not by 2e6's.
        {3.5, 700, 1100, "fatigue:none", {"达不到 1e5 次", "只给到 σu = 0 … 600 MPa"}},
        // σU beyond the 2e6 line's range: said, not extrapolated; the 1e5 line still judges.
        {3.5, 700, 900, "fatigue:1e5", {"至少 1e5 次", "只给到 σu = 0 … 600 MPa"}},
        // A group-3 spring (t > 6, with flats) finds no line of its group: nothing is said.
        {7, 300, 400, "fatigue:?", {}},
        // Group 1 by its thickness, below its only line's range: nothing is judged.
        {1, 50, 60, "fatigue:?", {"都不包含 σu = 50 MPa", "只给到 σu = 100 … 400 MPa"}},
    };
    for (const Case& c : cases) {
        const LoadCycle cycle{true, c.lower, c.upper, c.upper - c.lower};
        const FatigueJudgement judged = JudgeFatigue(*lines, c.t, cycle);
        EXPECT_EQ(rows::FatigueCode(judged), c.code) << c.t << " " << c.lower << " " << c.upper;
        const std::vector<std::string> said = rows::FatigueSentences(judged, cycle);
        std::size_t at = 0;
        for (const std::string& piece : c.sentences) {
            while (at < said.size() && said[at].find(piece) == std::string::npos) {
                ++at;
            }
            EXPECT_LT(at, said.size()) << piece << " in " << testing::PrintToString(said);
        }
    }
}

}  // namespace
}  // namespace calc
