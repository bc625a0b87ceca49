// The inputs of a design and of its requirement: one table that every face, the design file and
// the reading take their fields from.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/design_check.h"
#include "calc/option_rules.h"
#include "calc/selection.h"
#include "rows/language.h"
#include "runtime/expected.h"

namespace design {

using rows::Language;
using rows::P;
using rows::Phrase;
using rows::Said;

/// A text said the same in every language (a symbol, a unit): never translated.
constexpr Phrase Same(std::string_view text) {
    return {{}, text};
}

/// How a working point is given.
enum class PointBy {
    kDeflection,  ///< f of one spring, or a stack's travel s
    kForce,       ///< F of one spring, or a stack's force F_stack
};

/// A working point as typed: how it is given and its value (blank: no point).
struct PointText {
    PointBy by = PointBy::kDeflection;
    std::string value;

    friend bool operator==(const PointText&, const PointText&) = default;
};

/// A load point of a requirement as typed: a force at a travel (the force toleranced) or a
/// travel for a force (the travel toleranced), each with its tolerance in % (blank: 5).
struct RequirementPointText {
    bool force_given = false;
    std::string s, F, tolerance;

    friend bool operator==(const RequirementPointText&, const RequirementPointText&) = default;
};

/// What a spring or stack must do and where it must fit, as typed for a selection (选型); what
/// each text means and what a blank one stands for is in kRequirementInputs. The material and
/// friction are the design's own.
struct RequirementTexts {
    std::array<RequirementPointText, 2> points;  ///< the second blank: one point
    std::string bore, rod, clearance, max_length, max_series, max_parallel, special;
    std::string life;          ///< cycles the design's fatigue lines must give a dynamic load
    bool dynamic = false;      ///< the lower point must preload by 0.15·h0
    bool long_stacks = false;  ///< stacks longer than 3·D may be offered

    friend bool operator==(const RequirementTexts&, const RequirementTexts&) = default;
};

/// A packet of a progressive stack as typed: its count n of like springs in parallel, its spring
/// (a DIN 2093 name, "B 40", or D d t H and t′ with contact flats, in mm, apart by blanks) and
/// the deflection of one spring at its stop (blank: flat).
struct PacketText {
    std::string count, spring, stop;

    friend bool operator==(const PacketText&, const PacketText&) = default;
};

/// Every input of a design as typed (UTF-8), to be read by the calculator's box rules: the
/// spring, the end of the curve, the stack, the steps, contact flats, the material, friction and
/// two working points. What each means and what a blank one stands for is in kInputs. The
/// user's fatigue lines and the requirement of a selection go with it.
struct DesignTexts {
    std::string D, d, t, H, f_end;
    std::string series, parallel, steps;
    std::string t_reduced, E, mu, Rm, w_M, w_R;
    std::array<PointText, 2> points;
    /// Static, or cycling between the two working points: only a dynamic load is held to the
    /// preload rule and judged for fatigue.
    calc::Load load = calc::Load::kStatic;
    /// σIV, the stress at the outer upper edge, as a column of the tables after σ3.
    bool outer_edge = false;
    /// A progressive stack's packets in series, first to last; none: the spring above, i × n.
    std::vector<PacketText> packets;
    /// Fatigue lines as typed or loaded, a line set's text (calc::ReadFatigueLines); blank:
    /// none, and fatigue is not judged.
    std::string fatigue_lines;
    RequirementTexts requirement = DefaultRequirement();

    friend bool operator==(const DesignTexts&, const DesignTexts&) = default;

private:
    static RequirementTexts DefaultRequirement();
};

/// The worked example, with a stack of one and 50 steps: what a new design holds.
DesignTexts DefaultTexts();

/// What an input holds.
enum class InputKind {
    kLength,   ///< mm
    kCount,    ///< a whole number
    kModulus,  ///< MPa
    kNumber,   ///< without a unit
};

/// One input of a design: everything a face, the design file and the reading need of it.
struct InputField {
    std::string DesignTexts::*text;
    Phrase label;  ///< the field's label and accessible name, "D(mm)"
    Phrase name;   ///< how sentences name it, "D", "t′"
    InputKind kind;
    Phrase hint;                             ///< what it is and what a blank field means
    std::optional<calc::OptionValue> range;  ///< the range its value must lie in, if any
    std::string_view key;                    ///< the design file's key
    int since;                               ///< the first design file version with the key
    std::string_view fresh = {};             ///< what a new design holds: the worked example
};

/// The inputs, in the order a face lays them out.
inline constexpr std::array<InputField, 14> kInputs = {{
    {&DesignTexts::D,
     Same("D(mm)"),
     Same("D"),
     InputKind::kLength,
     P("hint-D", "外径"),
     {},
     "D",
     1,
     "100"},
    {&DesignTexts::d,
     Same("d(mm)"),
     Same("d"),
     InputKind::kLength,
     P("hint-d", "内径"),
     {},
     "d",
     1,
     "51"},
    {&DesignTexts::t,
     Same("t(mm)"),
     Same("t"),
     InputKind::kLength,
     P("hint-t", "厚度"),
     {},
     "t",
     1,
     "3.5"},
    {&DesignTexts::H,
     Same("H(mm)"),
     Same("H"),
     InputKind::kLength,
     P("hint-H", "自由高度"),
     {},
     "H",
     1,
     "6.3"},
    {&DesignTexts::f_end,
     Same("f(mm)"),
     Same("f"),
     InputKind::kLength,
     P("hint-f", "曲线终点的变形量；空白时到压平为止（h0 = H − t）"),
     {},
     "f",
     1},
    {&DesignTexts::series, P("label-i", "串联片数 i"), Same("i"), InputKind::kCount,
     P("hint-i", "对合串联的组数；空白时为 1"), calc::OptionValue::kSeries, "i", 1, "1"},
    {&DesignTexts::parallel, P("label-n", "并联片数 n"), Same("n"), InputKind::kCount,
     P("hint-n", "每组叠合的片数；空白时为 1"), calc::OptionValue::kParallel, "n", 1, "1"},
    {&DesignTexts::steps, P("label-N", "步数 N"), Same("N"), InputKind::kCount,
     P("hint-N", "曲线分为 N 步，共 N + 1 点；空白时为 50"), calc::OptionValue::kSteps, "N", 1,
     "50"},
    {&DesignTexts::t_reduced,
     Same("t′(mm)"),
     Same("t′"),
     InputKind::kLength,
     P("hint-t-reduced", "带支承面的碟簧（DIN 2093 第 3 组）减薄后的厚度；空白时没有支承面"),
     {},
     "t_reduced",
     1},
    {&DesignTexts::E, Same("E(MPa)"), Same("E"), InputKind::kModulus,
     P("hint-E", "弹性模量；空白时为弹簧钢的 206000 MPa"), calc::OptionValue::kModulus, "E", 1},
    {&DesignTexts::mu, Same("μ"), Same("μ"), InputKind::kNumber,
     P("hint-mu", "泊松比；空白时为 0.3"), calc::OptionValue::kPoisson, "mu", 1},
    {&DesignTexts::Rm, Same("Rm(MPa)"), Same("Rm"), InputKind::kModulus,
     P("hint-Rm",
       "抗拉强度，σom 不应超过它；空白时取 E、μ 所对应的材料的，不是列出的材料时不判断强度"),
     calc::OptionValue::kStrength, "Rm", 2},
    {&DesignTexts::w_M, Same("w_M"), Same("w_M"), InputKind::kNumber,
     P("hint-w_M", "并联片间的摩擦系数（DIN 2092），0 到 0.2；两个都空白时不计摩擦"),
     calc::OptionValue::kSurfaceFriction, "w_M", 1},
    {&DesignTexts::w_R, Same("w_R"), Same("w_R"), InputKind::kNumber,
     P("hint-w_R", "承载边缘的摩擦系数，0 到 0.2；两个都空白时不计摩擦"),
     calc::OptionValue::kEdgeFriction, "w_R", 1},
}};

/// What a requirement's number may be: from `least` to `most`, either edge inside unless open, a
/// whole number when `whole`. Every face and the batch tool read and word it alike.
struct RequirementRange {
    double least, most;
    bool least_open = false;  ///< `least` itself is outside: a length above 0
    bool whole = false;
};
inline constexpr double kUnbounded = 1.7976931348623157e308;  ///< the largest finite double

/// One text of a requirement beside its points: as InputField, for RequirementTexts.
struct RequirementField {
    std::string RequirementTexts::*text;
    Phrase label;             ///< the field's label and accessible name
    Phrase hint;              ///< what it is and what a blank field means
    std::string_view key;     ///< the design file's key in "requirement"
    int since;                ///< the first design file version with the key
    RequirementRange range;   ///< what its number may be
    std::string_view option;  ///< disc-spring-batch --select's option for it; empty: the line's
};

/// The requirement's texts beside its points, in the order a face lays them out.
inline constexpr std::array<RequirementField, 8> kRequirementInputs = {{
    {&RequirementTexts::bore,
     P("requirement-label-bore", "安装孔 Ø(mm)"),
     P("requirement-hint-bore", "碟簧所在的孔或套筒的直径；外径 De 加间隙不超过它"),
     "bore",
     3,
     {0, kUnbounded, true},
     ""},
    {&RequirementTexts::rod,
     P("requirement-label-rod", "导杆 Ø(mm)"),
     P("requirement-hint-rod", "导杆的直径；内径 Di 不小于它加间隙；空白时没有导杆"),
     "rod",
     3,
     {0, kUnbounded},
     ""},
    {&RequirementTexts::clearance,
     P("requirement-label-clearance", "间隙(mm)"),
     P("requirement-hint-clearance",
       "碟簧与导向件之间的总间隙；空白时按厂家推荐的表（0.2 mm 到 1.6 mm，随直径）"),
     "clearance",
     3,
     {0, kUnbounded},
     "--clearance"},
    {&RequirementTexts::max_length,
     P("requirement-label-max-length", "最大长度(mm)"),
     P("requirement-hint-max-length", "碟簧组在下工作点的最大长度；空白时不限"),
     "max_length",
     3,
     {0, kUnbounded, true},
     "--max-length"},
    {&RequirementTexts::max_series,
     P("requirement-label-max-series", "最多串联 i"),
     P("requirement-hint-max-series", "最多串联的组数；空白时为 30"),
     "max_series",
     3,
     {1, calc::kMaxSelectionCount, false, true},
     "--max-series"},
    {&RequirementTexts::max_parallel,
     P("requirement-label-max-parallel", "最多并联 n"),
     P("requirement-hint-max-parallel", "每组最多叠合的片数；空白时为 3"),
     "max_parallel",
     3,
     {1, calc::kMaxSelectionCount, false, true},
     "--max-parallel"},
    {&RequirementTexts::special,
     P("requirement-label-special", "特制个数"),
     P("requirement-hint-special", "另外设计的特制碟簧的个数，0 到 20；空白时为 3"),
     "special",
     3,
     {0, calc::kMaxSpecial, false, true},
     "--special"},
    {&RequirementTexts::life,
     P("requirement-label-life", "寿命 N(次)"),
     P("requirement-hint-life", "动载荷要达到的次数，按设计的疲劳线判断（要有线）；空白时不要求"),
     "life",
     4,
     {0, kUnbounded, true},
     "--life"},
}};

/// A load point's tolerance in per cent, as typed in each point or given by --tolerance.
inline constexpr RequirementRange kToleranceRange{0, 50};

/// A requirement's number from its text: a plain number and nothing else (`1 2` and `&H29` are
/// not numbers), within its range; none when the text is blank. Why not, in words that end a
/// sentence naming the field: "'1.5' 不是 1 到 100 的整数".
runtime::Expected<std::optional<double>, std::string> ReadRequirementNumber(
    std::string_view text, const RequirementRange& range, Language language = Language::kChinese);

/// The labels of a requirement point's fields: its travel, force and tolerance.
inline constexpr std::array<Phrase, 2> kRequirementPointNames = {P("requirement-1", "要求 1"),
                                                                 P("requirement-2", "要求 2")};

/// Which quantity a requirement point gives: the travel (its force toleranced), or the force;
/// the choice's accessible name is the point's name and kGivenName.
inline constexpr Phrase kGivenName = P("given", "给定");
inline constexpr std::array<Phrase, 2> kGivenChoices = {P("given-travel", "给定行程，力在公差内"),
                                                        P("given-force", "给定力，行程在公差内")};

/// A requirement point's three fields: the design file's key, the caption and the hint.
struct RequirementPointField {
    std::string_view key;
    Phrase caption, hint;
};
inline constexpr std::array<RequirementPointField, 3> kRequirementPointFields = {{
    {"s", Same("s(mm)"), P("requirement-hint-s", "碟簧组的行程（单片时为变形量 f）")},
    {"F", Same("F(N)"), P("requirement-hint-F", "碟簧组的力 n × F，不计摩擦")},
    {"tolerance", P("requirement-label-tolerance", "公差(%)"),
     P("requirement-hint-tolerance", "给定量以外的那个量允许偏差的百分数；空白时为 5")},
}};
/// Added to each hint of the second point's fields.
inline constexpr Phrase kSecondPointHint = P("second-point-hint", "；要求 2 空白时只有一个");

/// The requirement's load: the caption of its choice of a dynamic load.
inline constexpr Phrase kDynamicCaption = P("dynamic-caption", "动载：下工作点至少预压 0.15·h0");

/// The material picker: its label, and its choice for an E and μ of no named material.
inline constexpr Phrase kMaterialLabel = P("material", "材料");
inline constexpr Phrase kOtherMaterial = P("other-material", "其他（按 E、μ）");

/// How a working point is given, in the order of PointBy, and its fields' hints; the choice's
/// accessible name is the point's name and kPointByName.
inline constexpr Phrase kPointByName = P("point-by", "按");
inline constexpr std::array<Phrase, 2> kPointByChoices = {
    P("point-by-deflection", "按位移 f/s(mm)"), P("point-by-force", "按力 F(N)")};
inline constexpr Phrase kPointByHint = P("point-by-hint", "碟簧组时为行程 s 或碟簧组的力 F_stack");
inline constexpr Phrase kPointHint = P("point-hint", "空白时没有这个工作点");

/// A choice of the load: how a face shows it and how the design file writes it.
struct LoadChoice {
    calc::Load load;
    Phrase label;
    std::string_view key;
};
inline constexpr std::array<LoadChoice, 2> kLoads = {{
    {calc::Load::kStatic, P("static", "静载"), "static"},
    {calc::Load::kDynamic, P("dynamic", "动载"), "dynamic"},
}};
/// The load's label and hint, beside the working points.
inline constexpr Phrase kLoadLabel = P("load", "载荷");
inline constexpr Phrase kLoadHint =
    P("load-hint",
      "动载：载荷在两个工作点之间循环，判断预压（至少 0.15·h0）和两点 "
      "II、III 的疲劳；静载不判断这两项");
/// The design's choice of σIV: its label and hint.
inline constexpr Phrase kOuterEdgeLabel = P("outer-edge", "列出 σIV");
inline constexpr Phrase kOuterEdgeHint =
    P("outer-edge-hint",
      "表中在 σ3 之后多一列外缘上侧的应力 σIV（DIN 2092；带支承面时用 t′、h0′ 和 K4）");
/// The requirement's choice of long stacks: its label and hint.
inline constexpr Phrase kLongStacksLabel = P("long-stacks", "允许长碟簧组");
inline constexpr Phrase kLongStacksHint =
    P("long-stacks-hint", "自由长度超过 3·D 的碟簧组也列出（厂家建议分段导向）；不选时不列");

/// One column of the packets' table: the design file's key, its caption and accessible name, and
/// its hint.
struct PacketField {
    std::string PacketText::*text;
    std::string_view key;
    Phrase caption, hint;
};
inline constexpr std::array<PacketField, 3> kPacketFields = {{
    {&PacketText::count, "n", P("packet-count", "并联 n"),
     P("packet-count-hint", "这一组叠合的片数，正整数")},
    {&PacketText::spring, "spring", P("packet-spring", "碟簧"),
     P("packet-spring-hint",
       "DIN 2093 的名称（如 B 40），或 D d t H 及带支承面时的 t′（mm，以空格分隔）")},
    {&PacketText::stop, "stop", P("packet-stop", "挡块 f(mm)"),
     P("packet-stop-hint", "挡块（限位环）处单片的变形量；空白时为压平（h0，带支承面时 h0′）")},
}};
/// The inputs that packets stand for: the single spring and its i × n stack (design file keys).
inline constexpr std::array<std::string_view, 8> kPacketsStandFor = {"D", "d", "t", "H",
                                                                     "f", "i", "n", "t_reduced"};

/// Whether packets stand for the input of this design file key.
constexpr bool PacketsStandFor(std::string_view key) {
    for (const std::string_view stood_for : kPacketsStandFor) {
        if (stood_for == key) {
            return true;
        }
    }
    return false;
}

/// The packets' table: its caption and what it is.
inline constexpr Phrase kPacketsLabel = P("packets-label", "渐进碟簧组（各组串联）");
inline constexpr Phrase kPacketsHint = P(
    "packets-hint",
    "不同片数或不同碟簧的各组串联，从第 1 组排起；较软的组先压到挡块，刚度随之上升。有组时按这张表"
    "计算，上面的 D、d、t、H、t′、f、i、n 不用；没有组时按上面的单片或 i × n 碟簧组");

/// The working points' names, which are also their fields' labels.
inline constexpr std::array<Phrase, 2> kPointNames = {P("point-1", "工作点 1"),
                                                      P("point-2", "工作点 2")};

/// What every face's editor of the fatigue lines (DesignTexts::fatigue_lines) says of them.
inline constexpr Phrase kFatigueLinesHint =
    P("fatigue-lines-hint",
      "从所持标准（DIN 2093 / EN 16983）或厂家手册的疲劳图上读出的允许应力线，按它们判断两工作点间"
      "的载荷循环。每行一条：组别、次数 N、σU1、σO1、σU2、σO2（MPa）、来源，以制表符分隔（从表格"
      "粘贴，或载入文件），# 开头的行为注释。本程序不带任何疲劳线。");

/// Where a face puts the material picker: just before this input, the first of the values a
/// material sets.
inline constexpr std::string_view kMaterialPickerBefore = "E";

/// The picker's place among the inputs as a face lays them out.
constexpr std::size_t MaterialPickerSlot() {
    std::size_t slot = 0;
    while (slot < kInputs.size() && kInputs[slot].key != kMaterialPickerBefore) {
        ++slot;
    }
    return slot;
}

/// The field of the inputs' table that holds `text`.
constexpr const InputField& FieldOf(std::string DesignTexts::*text) {
    std::size_t k = 0;
    while (k + 1 < kInputs.size() && kInputs[k].text != text) {
        ++k;
    }
    return kInputs[k];
}

/// The steps of a characteristic when the field is blank.
inline constexpr int kDefaultSteps = 50;

}  // namespace design
