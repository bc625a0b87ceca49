#include "rows/findings_text.h"

#include <charconv>
#include <iterator>

#include "runtime/number_text.h"

namespace rows {
namespace {

using calc::Finding;

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

// A ratio to two decimals, unless that would make it look like the band edge it lies beyond.
std::string RatioText(double ratio, const calc::DesignBand& band) {
    char buffer[400];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, ratio, std::chars_format::fixed, 2).ptr;
    std::string text(buffer, end);
    while (text.back() == '0') {
        text.pop_back();
    }
    if (text.back() == '.') {
        text.pop_back();
    }
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    return back == band.low || back == band.high ? Shown(ratio) : text;
}

std::string BandSentence(const char* name, double ratio, const calc::DesignBand& band) {
    return std::string(name) + " = " + RatioText(ratio, band) + "，超出设计范围 " +
           Shown(band.low) + " … " + Shown(band.high);
}

}  // namespace

std::string_view FindingCode(Finding finding) {
    constexpr std::string_view kCodes[] = {"D<=d",     "t<=0", "H<=t", "f<0",  "f>h0",
                                           "f>0.75h0", "D/d",  "D/t",  "h0/t", "t>6"};
    static_assert(std::size(kCodes) == calc::kFindingCount);
    return kCodes[static_cast<int>(finding)];
}

std::string_view FindingMeaning(Finding finding) {
    constexpr std::string_view kMeanings[] = {
        "外径不大于内径：D 和 d 可能填反了",
        "厚度不大于 0：没有材料",
        "自由高度不大于厚度：没有锥高（h0 ≤ 0）",
        "变形量为负：是拉而不是压",
        "变形量超过 h0：已过压平位置，单片碟簧达不到",
        "变形量超过 0.75·h0：实际特性偏离公式",
        "D/d 超出 DIN 2093 的设计范围 1.75 … 2.5",
        "D/t 超出设计范围 16 … 40",
        "h0/t 超出设计范围 0.4 … 1.3",
        "厚度大于 6 mm：这种碟簧带支承面并减薄，用 --flats 计算",
    };
    static_assert(std::size(kMeanings) == calc::kFindingCount);
    return kMeanings[static_cast<int>(finding)];
}

std::string FindingSentence(Finding finding, const calc::SpringInputs& in,
                            std::optional<double> t_reduced) {
    const calc::ShownQuantities q = calc::ShowQuantities(in, t_reduced);
    const std::string h0 = t_reduced ? "h0′" : "h0";
    switch (finding) {
        case Finding::kDiametersSwapped:
            return "D = " + Shown(in.D) + " mm 不大于 d = " + Shown(in.d) +
                   " mm：外径应大于内径，D 和 d 可能填反了";
        case Finding::kNoThickness:
            return "t = " + Shown(in.t) + " mm 不大于 0：没有材料";
        case Finding::kNoConeHeight:
            return "H = " + Shown(in.H) + " mm 不大于 t = " + Shown(in.t) + " mm：没有锥高";
        case Finding::kPull:
            return "f = " + Shown(in.f) + " mm 小于 0：是拉而不是压";
        case Finding::kBeyondFlat:
            return "f = " + Shown(in.f) + " mm 大于 " + h0 + " = " + Shown(q.flat) +
                   " mm：已过压平位置，单片碟簧达不到";
        case Finding::kBeyondThreeQuarters:
            return "f = " + Shown(in.f) + " mm 大于 0.75·" + h0 + " = " + Shown(q.three_quarters) +
                   " mm：实际特性偏离公式";
        case Finding::kDiameterRatio:
            return BandSentence("D/d", q.diameter_ratio, calc::kDiameterRatioBand);
        case Finding::kSlenderness:
            return BandSentence("D/t", q.slenderness, calc::kSlendernessBand);
        case Finding::kHeightRatio:
            return BandSentence("h0/t", q.height_ratio, calc::kHeightRatioBand);
        case Finding::kThick:
            return "t = " + Shown(in.t) + " mm 大于 6 mm：这种碟簧带支承面并减薄，应给出 t′";
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
            break;
    }
    return point + "f<0.15h0";
}

std::string PointFindingSentence(const calc::PointFinding& finding, bool flats) {
    const std::string h0 = flats ? "h0′" : "h0";
    const std::string point = "工作点 " + std::to_string(finding.point + 1);
    const std::string f = "f = " + Shown(finding.f) + " mm";
    switch (finding.check) {
        case calc::PointCheck::kBeyondFlat:
            return point + "：" + f + " 大于 " + h0 + " = " + Shown(finding.limit) +
                   " mm：已过压平位置，单片碟簧达不到";
        case calc::PointCheck::kBeyondThreeQuarters:
            return point + "：" + f + " 大于 0.75·" + h0 + " = " + Shown(finding.limit) +
                   " mm：实际特性偏离公式";
        case calc::PointCheck::kShallowPreload:
            break;
    }
    return point + " 的 " + f + " 小于 0.15·" + h0 + " = " + Shown(finding.limit) +
           " mm：疲劳载荷下碟簧应预压到 0.15 … 0.20·" + h0 +
           "，以免 I 点处的残余拉应力引起裂纹（碟簧厂家的建议）";
}

}  // namespace rows
