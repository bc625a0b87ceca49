// Findings as codes and sentences.
#include "rows/findings_text.h"

#include <charconv>
#include <iterator>

#include "calc/friction.h"
#include "rows/engineering.h"
#include "rows/language.h"
#include "runtime/decimal.h"
#include "runtime/number_text.h"

namespace rows {
namespace {

using calc::Finding;

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

std::string Length(double value) {
    return Engineering(value, Measure::kLength);
}

// A length and the limit it passes, to a reader's precision unless that would make them look
// equal: then both with every digit.
std::pair<std::string, std::string> Apart(double value, double limit) {
    std::string a = Length(value), b = Length(limit);
    if (a == b) {
        return {Shown(value), Shown(limit)};
    }
    return {a, b};
}

// A ratio to two decimals, unless that would make it look like the band edge it lies beyond.
std::string RatioText(double ratio, const calc::DesignBand& band) {
    const std::string text = runtime::FixedText(ratio, 2);
    double back = 0;
    runtime::ParseDouble(text.data(), text.data() + text.size(), back);
    return back == band.low || back == band.high ? Shown(ratio) : text;
}

std::string BandText(const calc::DesignBand& band) {
    return Shown(band.low) + " … " + Shown(band.high);
}

std::string BandSentence(std::string_view name, double ratio, const calc::DesignBand& band,
                         Language language) {
    return Say(language,
               P("finding-band",
                 "{ratio} = {value}，在 DIN 2093 系列的范围 {band} 之外："
                 "关系式在这里不如在标准系列中可靠（不是错误）"),
               {{"ratio", name}, {"value", RatioText(ratio, band)}, {"band", BandText(band)}});
}

}  // namespace

std::string_view FindingCode(Finding finding) {
    constexpr std::string_view kCodes[] = {"D<=d",     "t<=0",     "H<=t",    "f<0",  "f>h0",
                                           "f>0.75h0", "D/d",      "D/t",     "h0/t", "t>6",
                                           "sOM>Rm",   "friction", "locking", "Rm?",  "L0>3D"};
    static_assert(std::size(kCodes) == calc::kFindingCount);
    return kCodes[static_cast<int>(finding)];
}

std::string FindingMeaning(Finding finding, Language language) {
    switch (finding) {
        case Finding::kDiametersSwapped:
            return Say(language, P("meaning-swapped", "外径不大于内径：D 和 d 可能填反了"));
        case Finding::kNoThickness:
            return Say(language, P("meaning-no-thickness", "厚度不大于 0：没有材料"));
        case Finding::kNoConeHeight:
            return Say(language,
                       P("meaning-no-cone-height", "自由高度不大于厚度：没有锥高（h0 ≤ 0）"));
        case Finding::kPull:
            return Say(language, P("meaning-pull", "变形量为负：是拉而不是压"));
        case Finding::kBeyondFlat:
            return Say(language,
                       P("meaning-beyond-flat", "变形量超过 h0：已过压平位置，单片碟簧达不到"));
        case Finding::kBeyondThreeQuarters:
            return Say(language,
                       P("meaning-beyond-three-quarters", "变形量超过 0.75·h0：实际特性偏离公式"));
        case Finding::kDiameterRatio:
            return Say(language,
                       P("meaning-diameter-ratio",
                         "D/d 在 DIN 2093 系列的范围 {band} 之外：关系式不那么可靠"),
                       {{"band", BandText(calc::kDiameterRatioBand)}});
        case Finding::kSlenderness:
            return Say(
                language,
                P("meaning-slenderness",
                  "D/t 在 DIN 2093 系列的范围 {band} 之外（有支承面时用 t′）：关系式不那么可靠"),
                {{"band", BandText(calc::kSlendernessBand)}});
        case Finding::kHeightRatio:
            return Say(language,
                       P("meaning-height-ratio",
                         "h0/t 在 DIN 2093 系列的范围 {band} 之外"
                         "（有支承面时用 h0′/t′）：关系式不那么可靠"),
                       {{"band", BandText(calc::kHeightRatioBand)}});
        case Finding::kThick:
            return Say(language, P("meaning-thick",
                                   "厚度大于 6 mm：这种碟簧带支承面并减薄，用 "
                                   "--flats 计算"));
        case Finding::kOverstressed:
            return Say(language, P("meaning-overstressed",
                                   "σom 超过材料的抗拉强度 Rm：静载下碟簧会产生永久变形"));
        case Finding::kFrictionBeyondTypical:
            return Say(language, P("meaning-friction",
                                   "摩擦使加载力升高得比常见的摩擦系数（w_M 0.03、w_R "
                                   "0.04）更多"));
        case Finding::kNearLocking:
            return Say(language,
                       P("meaning-locking", "加载力至少是不计摩擦时的两倍：碟簧组接近自锁"));
        case Finding::kStrengthUnknown:
            return Say(language,
                       P("meaning-strength-unknown",
                         "不知道材料的抗拉强度 Rm：强度没有判断（给出 Rm 或选列出的材料）"));
        case Finding::kLongStack:
            return Say(language, P("meaning-long-stack",
                                   "碟簧组的自由长度 L0 超过 3·D：应分成几段，段间加"
                                   "导向垫圈（碟簧厂家的建议）"));
        case Finding::kCount:
            break;
    }
    return {};
}

std::string FindingSentence(Finding finding, const calc::RowInputs& spring,
                            const calc::RowOptions& options, Language language) {
    const calc::SpringInputs& in = spring.spring;
    const std::optional<double> t_reduced =
        options.flats ? std::optional(spring.t_reduced) : std::nullopt;
    const calc::ShownQuantities q = calc::ShowQuantities(in, t_reduced);
    const std::string_view h0 = t_reduced ? "h0′" : "h0";
    const std::string n = std::to_string(options.stack ? options.stack->parallel : 1);
    const calc::Friction friction = options.friction.value_or(calc::Friction{});
    switch (finding) {
        case Finding::kDiametersSwapped:
            return Say(language,
                       P("finding-swapped",
                         "D = {D} mm 不大于 d = {d} mm：外径应大于内径，D 和 d "
                         "可能填反了"),
                       {{"D", Shown(in.D)}, {"d", Shown(in.d)}});
        case Finding::kNoThickness:
            return Say(language, P("finding-no-thickness", "t = {t} mm 不大于 0：没有材料"),
                       {{"t", Shown(in.t)}});
        case Finding::kNoConeHeight:
            return Say(language,
                       P("finding-no-cone-height", "H = {H} mm 不大于 t = {t} mm：没有锥高"),
                       {{"H", Shown(in.H)}, {"t", Shown(in.t)}});
        case Finding::kPull:
            return Say(language, P("finding-pull", "f = {f} mm 小于 0：是拉而不是压"),
                       {{"f", Length(in.f)}});
        case Finding::kBeyondFlat: {
            const auto [f, limit] = Apart(in.f, q.flat);
            return Say(language,
                       P("finding-beyond-flat",
                         "f = {f} mm 大于 {h0} = {limit} mm：已过压平位置，"
                         "单片碟簧达不到"),
                       {{"f", f}, {"h0", h0}, {"limit", limit}});
        }
        case Finding::kBeyondThreeQuarters: {
            const auto [f, limit] = Apart(in.f, q.three_quarters);
            return Say(language,
                       P("finding-beyond-three-quarters",
                         "f = {f} mm 大于 0.75·{h0} = {limit} mm：实际特性偏离公式"),
                       {{"f", f}, {"h0", h0}, {"limit", limit}});
        }
        case Finding::kDiameterRatio:
            return BandSentence("D/d", q.diameter_ratio, calc::kDiameterRatioBand, language);
        case Finding::kSlenderness:
            return BandSentence(t_reduced ? "D/t′" : "D/t", q.slenderness, calc::kSlendernessBand,
                                language);
        case Finding::kHeightRatio:
            return BandSentence(t_reduced ? "h0′/t′" : "h0/t", q.height_ratio,
                                calc::kHeightRatioBand, language);
        case Finding::kThick:
            return Say(
                language,
                P("finding-thick", "t = {t} mm 大于 6 mm：这种碟簧带支承面并减薄，应给出 t′"),
                {{"t", Shown(in.t)}});
        case Finding::kOverstressed:
        case Finding::kStrengthUnknown:
            return FindingMeaning(finding, language);
        case Finding::kLongStack: {
            calc::SpringInputs unloaded = in;
            unloaded.f = 0;
            const calc::StackLayout stack = options.stack.value_or(calc::StackLayout{});
            const auto free = calc::CalculateStack(unloaded, 0, stack, t_reduced);
            return Say(
                language,
                P("finding-long-stack",
                  "碟簧组的自由长度 L0 = {L0} mm 超过 3·D = {limit} mm：应分成几段，段间加导向"
                  "垫圈，以免碟簧组弯曲、摩擦不均（碟簧厂家的建议）"),
                {{"L0", Length(free ? free->L : 0)}, {"limit", Length(3 * in.D)}});
        }
        case Finding::kFrictionBeyondTypical:
            return Say(
                language,
                P("finding-friction",
                  "摩擦系数 w_M = {w_M}、w_R = {w_R}（n = {n}）使加载力升高得比常见的摩擦系数"
                  "（w_M 0.03、w_R 0.04）更多"),
                {{"w_M", Shown(friction.w_M)}, {"w_R", Shown(friction.w_R)}, {"n", n}});
        case Finding::kNearLocking:
            return Say(
                language,
                P("finding-locking",
                  "摩擦系数 w_M = {w_M}、w_R = {w_R} 与 n = {n} 使碟簧组接近自锁：加载力至少是"
                  "不计摩擦时的两倍，摩擦稍有变化力就变化很大"),
                {{"w_M", Shown(friction.w_M)}, {"w_R", Shown(friction.w_R)}, {"n", n}});
        case Finding::kCount:
            break;
    }
    return {};
}

void AppendFindingCodes(const calc::Findings& findings, std::string& out) {
    bool first = true;
    for (int i = 0; i < calc::kFindingCount; ++i) {
        if (findings.has(static_cast<Finding>(i))) {
            if (!first) {
                out += ',';
            }
            out += FindingCode(static_cast<Finding>(i));
            first = false;
        }
    }
}

std::string PointFindingCode(const calc::PointFinding& finding) {
    const std::string point = std::to_string(finding.point + 1) + ':';
    switch (finding.check) {
        case calc::PointCheck::kBeyondFlat:
            return point + "f>h0";
        case calc::PointCheck::kBeyondThreeQuarters:
            return point + "f>0.75h0";
        case calc::PointCheck::kShallowPreload:
            return point + "f<0.15h0";
        case calc::PointCheck::kOverstressed:
            break;
    }
    return point + "sOM>Rm";
}

std::string PointFindingSentence(const calc::PointFinding& finding, bool flats, Language language) {
    const std::string_view h0 = flats ? "h0′" : "h0";
    const std::string point = std::to_string(finding.point + 1);
    const auto [f, limit] = Apart(finding.f, finding.limit);
    switch (finding.check) {
        case calc::PointCheck::kBeyondFlat:
            return Say(language,
                       P("point-beyond-flat",
                         "工作点 {point}：f = {f} mm 大于 {h0} = {limit} mm："
                         "已过压平位置，单片碟簧达不到"),
                       {{"point", point}, {"f", f}, {"h0", h0}, {"limit", limit}});
        case calc::PointCheck::kBeyondThreeQuarters:
            return Say(
                language,
                P("point-beyond-three-quarters",
                  "工作点 {point}：f = {f} mm 大于 0.75·{h0} = {limit} mm：实际特性偏离公式"),
                {{"point", point}, {"f", f}, {"h0", h0}, {"limit", limit}});
        case calc::PointCheck::kShallowPreload:
            return Say(
                language,
                P("point-shallow-preload",
                  "工作点 {point} 的 f = {f} mm 小于 0.15·{h0} = {limit} mm：疲劳载荷下碟簧应"
                  "预压到 0.15 … 0.20·{h0}，以免 I 点处的残余拉应力引起裂纹（碟簧厂家的建议）"),
                {{"point", point}, {"f", f}, {"h0", h0}, {"limit", limit}});
        case calc::PointCheck::kOverstressed:
            break;
    }
    return Say(language,
               P("point-overstressed",
                 "工作点 {point}：σom = {sigma} MPa 超过材料的抗拉强度 Rm = "
                 "{Rm} MPa（σom/Rm = {ratio}）：静载下碟簧会产生永久变形或断裂"),
               {{"point", point},
                {"sigma", Engineering(finding.sigma_om, Measure::kOther)},
                {"Rm", Shown(finding.limit)},
                {"ratio", runtime::FixedText(finding.sigma_om / finding.limit, 2)}});
}

std::string ReadCode(calc::Quantity quantity, bool force) {
    switch (quantity) {
        case calc::Quantity::kTReduced:
            return "read:t_reduced";
        case calc::Quantity::kf:
            return force ? "read:F" : "read:f";
        default:
            break;
    }
    return "read:" + std::string(calc::QuantitySymbol(quantity));
}

}  // namespace rows
