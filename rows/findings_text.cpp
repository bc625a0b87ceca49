// Findings as codes and sentences.
#include "rows/findings_text.h"

#include <charconv>
#include <iterator>

#include "calc/friction.h"
#include "rows/engineering.h"
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

std::string BandSentence(const char* name, double ratio, const calc::DesignBand& band) {
    return std::string(name) + " = " + RatioText(ratio, band) + "，在 DIN 2093 系列的范围 " +
           BandText(band) + " 之外：关系式在这里不如在标准系列中可靠（不是错误）";
}

}  // namespace

std::string_view FindingCode(Finding finding) {
    constexpr std::string_view kCodes[] = {"D<=d",     "t<=0",     "H<=t",    "f<0",  "f>h0",
                                           "f>0.75h0", "D/d",      "D/t",     "h0/t", "t>6",
                                           "sOM>Rm",   "friction", "locking", "Rm?",  "L0>3D"};
    static_assert(std::size(kCodes) == calc::kFindingCount);
    return kCodes[static_cast<int>(finding)];
}

std::string FindingMeaning(Finding finding) {
    switch (finding) {
        case Finding::kDiametersSwapped:
            return "外径不大于内径：D 和 d 可能填反了";
        case Finding::kNoThickness:
            return "厚度不大于 0：没有材料";
        case Finding::kNoConeHeight:
            return "自由高度不大于厚度：没有锥高（h0 ≤ 0）";
        case Finding::kPull:
            return "变形量为负：是拉而不是压";
        case Finding::kBeyondFlat:
            return "变形量超过 h0：已过压平位置，单片碟簧达不到";
        case Finding::kBeyondThreeQuarters:
            return "变形量超过 0.75·h0：实际特性偏离公式";
        case Finding::kDiameterRatio:
            return "D/d 在 DIN 2093 系列的范围 " + BandText(calc::kDiameterRatioBand) +
                   " 之外：关系式不那么可靠";
        case Finding::kSlenderness:
            return "D/t 在 DIN 2093 系列的范围 " + BandText(calc::kSlendernessBand) +
                   " 之外（有支承面时用 t′）：关系式不那么可靠";
        case Finding::kHeightRatio:
            return "h0/t 在 DIN 2093 系列的范围 " + BandText(calc::kHeightRatioBand) +
                   " 之外（有支承面时用 h0′/t′）：关系式不那么可靠";
        case Finding::kThick:
            return "厚度大于 6 mm：这种碟簧带支承面并减薄，用 --flats 计算";
        case Finding::kOverstressed:
            return "σom 超过材料的抗拉强度 Rm：静载下碟簧会产生永久变形";
        case Finding::kFrictionBeyondTypical:
            return "摩擦使加载力升高得比常见的摩擦系数（w_M 0.03、w_R 0.04）更多";
        case Finding::kNearLocking:
            return "加载力至少是不计摩擦时的两倍：碟簧组接近自锁";
        case Finding::kStrengthUnknown:
            return "不知道材料的抗拉强度 Rm：强度没有判断（给出 Rm 或选列出的材料）";
        case Finding::kLongStack:
            return "碟簧组的自由长度 L0 超过 3·D：应分成几段，段间加导向垫圈（碟簧厂家的建议）";
        case Finding::kCount:
            break;
    }
    return {};
}

std::string FindingSentence(Finding finding, const calc::RowInputs& spring,
                            const calc::RowOptions& options) {
    const calc::SpringInputs& in = spring.spring;
    const std::optional<double> t_reduced =
        options.flats ? std::optional(spring.t_reduced) : std::nullopt;
    const calc::ShownQuantities q = calc::ShowQuantities(in, t_reduced);
    const std::string h0 = t_reduced ? "h0′" : "h0";
    const int n = options.stack ? options.stack->parallel : 1;
    const calc::Friction friction = options.friction.value_or(calc::Friction{});
    switch (finding) {
        case Finding::kDiametersSwapped:
            return "D = " + Shown(in.D) + " mm 不大于 d = " + Shown(in.d) +
                   " mm：外径应大于内径，D 和 d 可能填反了";
        case Finding::kNoThickness:
            return "t = " + Shown(in.t) + " mm 不大于 0：没有材料";
        case Finding::kNoConeHeight:
            return "H = " + Shown(in.H) + " mm 不大于 t = " + Shown(in.t) + " mm：没有锥高";
        case Finding::kPull:
            return "f = " + Length(in.f) + " mm 小于 0：是拉而不是压";
        case Finding::kBeyondFlat: {
            const auto [f, limit] = Apart(in.f, q.flat);
            return "f = " + f + " mm 大于 " + h0 + " = " + limit +
                   " mm：已过压平位置，单片碟簧达不到";
        }
        case Finding::kBeyondThreeQuarters: {
            const auto [f, limit] = Apart(in.f, q.three_quarters);
            return "f = " + f + " mm 大于 0.75·" + h0 + " = " + limit + " mm：实际特性偏离公式";
        }
        case Finding::kDiameterRatio:
            return BandSentence("D/d", q.diameter_ratio, calc::kDiameterRatioBand);
        case Finding::kSlenderness:
            return BandSentence(t_reduced ? "D/t′" : "D/t", q.slenderness, calc::kSlendernessBand);
        case Finding::kHeightRatio:
            return BandSentence(t_reduced ? "h0′/t′" : "h0/t", q.height_ratio,
                                calc::kHeightRatioBand);
        case Finding::kThick:
            return "t = " + Shown(in.t) + " mm 大于 6 mm：这种碟簧带支承面并减薄，应给出 t′";
        case Finding::kOverstressed:
        case Finding::kStrengthUnknown:
            return FindingMeaning(finding);
        case Finding::kLongStack: {
            calc::SpringInputs unloaded = in;
            unloaded.f = 0;
            const calc::StackLayout stack = options.stack.value_or(calc::StackLayout{});
            const auto free = calc::CalculateStack(unloaded, 0, stack, t_reduced);
            return "碟簧组的自由长度 L0 = " + Length(free ? free->L : 0) +
                   " mm 超过 3·D = " + Length(3 * in.D) +
                   " mm：应分成几段，段间加导向垫圈，以免碟簧组弯曲、摩擦不均（碟簧厂家的建议）";
        }
        case Finding::kFrictionBeyondTypical:
            return "摩擦系数 w_M = " + Shown(friction.w_M) + "、w_R = " + Shown(friction.w_R) +
                   "（n = " + std::to_string(n) +
                   "）使加载力升高得比常见的摩擦系数（w_M 0.03、w_R 0.04）更多";
        case Finding::kNearLocking:
            return "摩擦系数 w_M = " + Shown(friction.w_M) + "、w_R = " + Shown(friction.w_R) +
                   " 与 n = " + std::to_string(n) +
                   " 使碟簧组接近自锁：加载力至少是不计摩擦时的两倍，摩擦稍有变化力就变化很大";
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

std::string PointFindingSentence(const calc::PointFinding& finding, bool flats) {
    const std::string h0 = flats ? "h0′" : "h0";
    const std::string point = "工作点 " + std::to_string(finding.point + 1);
    const auto [f, limit] = Apart(finding.f, finding.limit);
    switch (finding.check) {
        case calc::PointCheck::kBeyondFlat:
            return point + "：f = " + f + " mm 大于 " + h0 + " = " + limit +
                   " mm：已过压平位置，单片碟簧达不到";
        case calc::PointCheck::kBeyondThreeQuarters:
            return point + "：f = " + f + " mm 大于 0.75·" + h0 + " = " + limit +
                   " mm：实际特性偏离公式";
        case calc::PointCheck::kShallowPreload:
            return point + " 的 f = " + f + " mm 小于 0.15·" + h0 + " = " + limit +
                   " mm：疲劳载荷下碟簧应预压到 0.15 … 0.20·" + h0 +
                   "，以免 I 点处的残余拉应力引起裂纹（碟簧厂家的建议）";
        case calc::PointCheck::kOverstressed:
            break;
    }
    return point + "：σom = " + Engineering(finding.sigma_om, Measure::kOther) +
           " MPa 超过材料的抗拉强度 Rm = " + Shown(finding.limit) +
           " MPa（σom/Rm = " + runtime::FixedText(finding.sigma_om / finding.limit, 2) +
           "）：静载下碟簧会产生永久变形或断裂";
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
