// Fatigue lines the engineer enters: a line set is taken whole or refused with its line and
// reason, and a load cycle is judged only where a line reaches, never beyond it.

#include "calc/fatigue_lines.h"
#include "calc/spring_pass.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

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
    const std::pair<std::string, FatigueLinesProblem> cases[] = {
        {"2\t2e6\t0\t500\t600\t800", {Kind::kNoSource, 1}},
        {"2\t2e6\t0\t500\t600", {Kind::kColumns, 1}},
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
        // Every pair of a group is checked for crossing: a set holds at most 300 lines.
        {[] {
             std::string many;
             for (int k = 0; k <= kMaxFatigueLines; ++k) {
                 many += "1\t" + std::to_string(k + 1) + "e5\t0\t900\t1\t900\ts\n";
             }
             return many;
         }(),
         {Kind::kTooMany, kMaxFatigueLines + 1}},
        {"", {Kind::kEmpty, 0}},
        // N typed into the wrong rows: the 2e6 line lies above the 1e5 line over σU 0 … 100.
        {"2\t1e5\t0\t700\t1000\t1200\ta\n# x\n2\t2e6\t0\t710\t100\t720\tb",
         {Kind::kCrossed, 3, 0, 1}},
        {"2\t2e6\t0\t500\t600\t800\ta\r1\t1e5\t0\t1\t2\t3\tb\r2\t1e5\t500\t600\t600\t801\tc",
         {Kind::kCrossed, 3, 0, 1}},
        // The ranges meet at one σU, where the line of more cycles lies above.
        {"2\t1e5\t0\t600\t500\t700\ta\n2\t2e6\t500\t701\t900\t900\tb", {Kind::kCrossed, 2, 0, 1}},
        {std::string("2\t2e6\t0\t500\t600\t800\ta\n2\t1e5\t0\t7\0\t1000\t1200\tb", 44),
         {Kind::kNul, 2}},
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

// Lines typed by hand: six numbers between runs of blanks, the rest the source; lines touching
// at a point, or of other groups, do not cross; LF, CRLF and CR all end a line.
TEST(FatigueLines, ALineTypedWithBlanksIsTaken) {
    const auto lines = ReadFatigueLines(
        "2 2e6   0 500\t600  800 手册 A 图 1 \r\n2\t1e5\t600\t800\t1000\t1200\tB\r"
        "3\t2e6\t0\t900\t100\t1000\tC\n");
    ASSERT_TRUE(lines) << rows::FatigueLinesProblemText(lines.error());
    ASSERT_EQ(lines->size(), 3u);
    EXPECT_EQ((*lines)[0], (FatigueLine{2, 2e6, "2e6", 0, 500, 600, 800, "手册 A 图 1"}));
    EXPECT_EQ(
        rows::FatigueLinesProblemText({Kind::kCrossed, 3, 0, 1}),
        "疲劳线第 3 行与第 1 行交叉：同一组中次数 N 多的线不应在 N 少的线之上（N 可能填错了行）");
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
        // Exactly on the line holds; σU at a line's first point is on it.
        {3.5, 300, 650, "fatigue:2e6", {"余量 0 MPa"}},
        {3.5, 0, 500, "fatigue:2e6", {"余量 0 MPa"}},
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
        SCOPED_TRACE(c.code);
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

// How kind a point's verdict is, the harshest first: a line that fails, then none reaching σU,
// then the lives that hold, the shorter first.
std::pair<int, double> Kindness(const FatigueJudgement& judged) {
    if (judged.longest) {
        return {2, judged.longest->line.cycles};
    }
    return {judged.Judged() ? 0 : 1, 0};
}

// The cycle is judged at II and at III; the verdict is never kinder than either point alone,
// and it is the point's that decides, with that point's stresses.
TEST(FatigueLines, BothPointsAreJudgedAndTheLesserLifeStands) {
    std::mt19937 random(2092);
    std::uniform_real_distribution<double> unit(0, 1);
    int deciding_III = 0, deciding_II = 0, failed = 0;
    for (int trial = 0; trial < 4000; ++trial) {
        const double t = 1.25 + 4.75 * unit(random);
        const SpringInputs spring{t * (16 + 24 * unit(random)), 0, t,
                                  t * (1.4 + 0.9 * unit(random)), 0};
        SpringInputs lower = spring, upper = spring;
        lower.d = upper.d = spring.D / (1.8 + 0.6 * unit(random));
        const double h0 = spring.H - t;
        lower.f = h0 * (0.1 + 0.3 * unit(random));
        upper.f = h0 * (0.45 + 0.3 * unit(random));
        // Three lines of the group that never cross: fewer cycles, higher σO.
        std::vector<FatigueLine> lines;
        const double from = 400 * unit(random), to = from + 200 + 800 * unit(random);
        const double base = 500 + 700 * unit(random), rise = 100 + 500 * unit(random);
        for (const double cycles : {1e5, 5e5, 2e6}) {
            const double drop = cycles == 1e5 ? 0 : cycles == 5e5 ? 150 : 300;
            lines.push_back({2, cycles, "N", from, base - drop, to, base - drop + rise, "s"});
        }
        const CycleVerdict verdict =
            JudgeCycle(*CalculateSpring(lower), *CalculateSpring(upper), t, &lines);
        ASSERT_TRUE(verdict.judged);
        const auto& [II, III] = *verdict.judged;
        const FatigueJudgement& decided = *verdict.Judgement();
        EXPECT_LE(Kindness(decided), Kindness(II)) << trial;
        EXPECT_LE(Kindness(decided), Kindness(III)) << trial;
        EXPECT_EQ(verdict.Cycle().at_III, verdict.deciding == 1);
        EXPECT_EQ(verdict.Cycle().lower, verdict.deciding == 1 ? CalculateSpring(lower)->sigma3
                                                               : CalculateSpring(lower)->sigma2);
        for (const double life : {1e5, 5e5, 2e6}) {
            EXPECT_EQ(decided.HoldsFor(life), II.HoldsFor(life) && III.HoldsFor(life)) << trial;
        }
        (verdict.deciding == 1 ? deciding_III : deciding_II)++;
        failed += rows::FatigueCode(decided) == "fatigue:none" ? 1 : 0;
    }
    EXPECT_GT(std::min(deciding_II, deciding_III), 400);
    EXPECT_GT(failed, 400);
}

// A maker's advice in numbers: 80 38 3 4.75 between 0.3 and 1.25 mm holds at III by 0.55 MPa, but
// at II, where the range is larger, it fails by 28.9 MPa.
TEST(FatigueLines, TheLargerRangeAtIIDecidesWhereIIIWouldPass) {
    const std::vector<FatigueLine> lines = {{2, 2e6, "2000000", 0, 600, 1200, 1300, "手册"}};
    const SpringInputs lower{80, 38, 3, 4.75, 0.3}, upper{80, 38, 3, 4.75, 1.25};
    const CycleVerdict verdict =
        JudgeCycle(*CalculateSpring(lower), *CalculateSpring(upper), 3, &lines);
    EXPECT_TRUE((*verdict.judged)[1].HoldsFor(2e6));
    EXPECT_NEAR((*verdict.judged)[1].longest->margin, 0.55, 0.01);
    EXPECT_EQ(verdict.deciding, 0);
    EXPECT_EQ(rows::FatigueCode(*verdict.Judgement()), "fatigue:none");
    EXPECT_NEAR(verdict.Judgement()->FirstJudged()->margin, -28.9, 0.05);
    // Without lines, the point of the larger range is shown: II here, III for the worked example.
    EXPECT_EQ(JudgeCycle(*CalculateSpring(lower), *CalculateSpring(upper), 3, nullptr).deciding, 0);
    const SpringInputs worked{100, 51, 3.5, 6.3, 0.5}, loaded{100, 51, 3.5, 6.3, 1.4};
    EXPECT_EQ(JudgeCycle(*CalculateSpring(worked), *CalculateSpring(loaded), 3.5, nullptr).deciding,
              1);
}

}  // namespace
}  // namespace calc
