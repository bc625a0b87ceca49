// A design's selection: its requirement read from the texts, and a candidate opened as the
// design gives, at its working points, the very numbers the candidate was chosen by.

#include "design/selection.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "design/sheet.h"
#include "design/sheet_text.h"

namespace design {
namespace {

TEST(Selection, RequirementTextsThatCannotBeReadSayWhich) {
    const std::pair<void (*)(DesignTexts&), std::string> cases[] = {
        {[](DesignTexts& t) { t.requirement.points[0].s = "1,2"; }, "要求 1 s：'1,2' 不是一个数"},
        {[](DesignTexts& t) { t.requirement.points[1].s = "0.5"; },
         "要求 2 要同时给出行程 s 和力 F"},
        {[](DesignTexts& t) { t.requirement.points[0] = {}; }, "至少要给一个要求"},
        // One reader in every face: what the batch tool refuses, the window refuses too.
        {[](DesignTexts& t) { t.requirement.points[0].F = "1 2"; }, "要求 1 F：'1 2' 不是一个数"},
        {[](DesignTexts& t) { t.requirement.bore = "&H29"; }, "'&H29' 不是一个数"},
        {[](DesignTexts& t) { t.requirement.dynamic = true; }, "动载荷要给两个要求"},
        {[](DesignTexts& t) { t.requirement.points[0].tolerance = "60"; },
         "要求 1 公差：'60' 不在 0 到 50 之间"},
        {[](DesignTexts& t) { t.requirement.bore.clear(); }, "安装空间的直径应大于 0"},
        // The batch tool's words for its options: one reading, one range, one sentence.
        {[](DesignTexts& t) { t.requirement.max_series = "2.5"; },
         "最多串联 i：'2.5' 不是 1 到 100 的整数"},
        {[](DesignTexts& t) { t.requirement.max_parallel = "0"; },
         "最多并联 n：'0' 不是 1 到 100 的整数"},
        {[](DesignTexts& t) { t.requirement.special = "1.5"; },
         "特制个数：'1.5' 不是 0 到 20 的整数"},
        {[](DesignTexts& t) { t.requirement.clearance = "-1"; }, "间隙(mm)：'-1' 小于 0"},
        {[](DesignTexts& t) { t.E = "0"; }, "选型用设计的材料和摩擦"},
        {[](DesignTexts& t) { t.requirement.life = "1e5"; }, "要求寿命只用于动载荷"},
        {[](DesignTexts& t) { t.requirement.life = "十万"; }, "寿命 N(次)：'十万' 不是一个数"},
        {[](DesignTexts& t) {  // read for a dynamic load, whose cycle they judge
             t.requirement.dynamic = true;
             t.requirement.points[1] = {false, "0.5", "2000", ""};
             t.fatigue_lines = "2\t1e5\t0\t700";
         },
         "疲劳线第 1 行：应为 7 列"},
    };
    for (const auto& [edit, why] : cases) {
        DesignTexts texts = DefaultTexts();
        edit(texts);
        const SelectionSheet sheet = ComputeSelection(texts);
        ASSERT_TRUE(sheet.problem) << why;
        EXPECT_NE(sheet.problem->find(why), std::string::npos) << *sheet.problem;
        EXPECT_EQ(SelectionSummary(sheet), *sheet.problem);
        EXPECT_TRUE(SelectionHeaderCells(sheet).empty() && SelectionCopyText(sheet).empty());
    }
    // A dynamic load's candidates by the design's fatigue lines: judged, and with a life, kept
    // only when a line of that life holds; the summary says which.
    DesignTexts dynamic = DefaultTexts();
    dynamic.requirement.points = {RequirementPointText{false, "0.4", "2000", "20"},
                                  RequirementPointText{false, "1.2", "5000", "20"}};
    dynamic.requirement.dynamic = true;
    const std::pair<std::string, std::string> lives[] = {
        {"", "疲劳未判断：设计没有疲劳线"},
        {"", "疲劳按设计的疲劳线在 II、III 两点判断"},
        {"1e5", "只列按设计的疲劳线至少 100000 次的"},
    };
    for (const auto& [life, said] : lives) {
        dynamic.requirement.life = life;
        const SelectionSheet judged = ComputeSelection(dynamic);
        EXPECT_NE(SelectionSummary(judged).find(said), std::string::npos)
            << SelectionSummary(judged);
        ASSERT_FALSE(judged.Shown().empty());
        const std::vector<std::string> header = SelectionHeaderCells(judged);
        const auto column = std::find(header.begin(), header.end(), "检查") - header.begin();
        const std::string codes = SelectionRowCells(judged, 0, rows::Precision::kEvery)
                                      .at(static_cast<std::size_t>(column));
        EXPECT_EQ(codes.find("fatigue:") != std::string::npos, !dynamic.fatigue_lines.empty());
        dynamic.fatigue_lines = "2\t1e5\t0\t700\t1000\t1300\t手册 B\n";
    }
    // Blanks: 5 %, no rod, the makers' clearance, 30 × 3, three special springs. The design's
    // own i, n and N play no part: only its material and friction are taken.
    DesignTexts texts = DefaultTexts();
    texts.requirement.rod.clear();
    texts.series = "2.5";
    texts.steps = "0";
    const SelectionSheet sheet = ComputeSelection(texts);
    ASSERT_FALSE(sheet.problem);
    EXPECT_EQ(sheet.requirement.points[0].tolerance, 0.05);
    EXPECT_EQ(sheet.requirement.rod, 0);
    EXPECT_FALSE(sheet.requirement.clearance);
    EXPECT_EQ(sheet.requirement.max_series * 10 + sheet.requirement.max_parallel, 303);
    EXPECT_EQ(sheet.requirement.special, 3);
    // The catalogue's best five are shown, as --best does; 更多… up to a hundred.
    texts.requirement.max_series = "30";
    texts.requirement.max_parallel = "10";
    texts.requirement.points[0].tolerance = "50";
    std::size_t best = kShownAtFirst;
    for (const std::size_t expected : {5, 25, 45, 65, 85, 100, 100}) {
        const SelectionSheet more = ComputeSelection(texts, best);
        ASSERT_GT(more.selection.catalogue.size(), 100u);
        EXPECT_EQ(more.Shown().size(), expected + more.selection.special.size());
        EXPECT_EQ(more.CanShowMore(), expected < 100);
        best = MoreShown(best);
    }
}

// Opened as the design, a candidate's working points are the rows it was chosen by, whether
// its points give the travel or the force, with the design's material and friction; it takes
// the place of a progressive stack's packets too.
TEST(Selection, ACandidateOpensAsTheDesignItWasChosenAs) {
    for (const bool force_given : {false, true}) {
        DesignTexts texts = DefaultTexts();
        texts.E = "195000";
        texts.Rm = "1500";  // judged: no finding at all
        texts.w_M = "0.01";
        texts.requirement.points[0].force_given = force_given;
        texts.requirement.points[1] = {force_given, "0.5", "2300", "10"};
        texts.packets = {{"1", "B 40", ""}, {"2", "A 40", ""}};
        const SelectionSheet selection = ComputeSelection(texts);
        ASSERT_FALSE(selection.problem);
        const auto shown = selection.Shown();
        ASSERT_GE(shown.size(), 2u) << SelectionSummary(selection);
        EXPECT_NE(SelectionCopyText(selection).find(
                      SelectionRowCells(selection, shown.size() - 1, rows::Precision::kEvery)[2]),
                  std::string::npos);
        for (std::size_t row = 0; row < shown.size(); ++row) {
            const DesignTexts opened = OpenCandidate(texts, selection, row);
            EXPECT_EQ(opened.requirement, texts.requirement);
            EXPECT_EQ(opened.E, "195000");
            const Sheet sheet = ComputeSheet(opened);
            // What the window, the page and --design say of it: nothing.
            EXPECT_TRUE(FindingCodes(sheet).empty()) << FindingCodes(sheet).front();
            for (std::size_t k = 0; k < 2; ++k) {
                const calc::StackResults& chosen = *shown[row]->points[k].row.results->stack;
                ASSERT_TRUE(sheet.points[k].row) << row;
                EXPECT_EQ(sheet.points[k].s, chosen.s);
                EXPECT_EQ(sheet.points[k].F_stack, chosen.F_stack);
                EXPECT_EQ(sheet.points[k].row->row.results->stack.value_or(calc::StackResults{}).L,
                          shown[row]->Springs() == 1 ? 0 : chosen.L);
            }
        }
    }
}

}  // namespace
}  // namespace design
