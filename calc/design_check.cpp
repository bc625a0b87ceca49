#include "calc/design_check.h"

#include <charconv>

#include "runtime/number_text.h"

namespace calc {
namespace {

struct Band {
    double low, high;
    const char* text;  // as the sentence shows it
};

constexpr Band kDiameterBand{1.75, 2.5, "1.75 … 2.5"};
constexpr Band kSlendernessBand{16, 40, "16 … 40"};
constexpr Band kHeightBand{0.4, 1.3, "0.4 … 1.3"};

bool Outside(double ratio, const Band& band) {
    return ratio < band.low || ratio > band.high;
}

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

// A ratio to two decimals, unless that would make it look like the band edge it lies beyond.
std::string RatioText(double ratio, const Band& band) {
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

std::string BandSentence(const char* name, double ratio, const Band& band) {
    return std::string(name) + " = " + RatioText(ratio, band) + "，超出设计范围 " + band.text;
}

}  // namespace

Findings CheckDesign(const SpringInputs& in) {
    const double h0 = in.H - in.t;
    Findings found;
    auto note = [&found](bool condition, Finding finding) {
        if (condition) {
            found.add(finding);
        }
    };
    note(in.D <= in.d, Finding::kDiametersSwapped);
    note(in.t <= 0, Finding::kNoThickness);
    note(in.H <= in.t, Finding::kNoConeHeight);
    note(in.f < 0, Finding::kPull);
    note(h0 > 0 && in.f > h0, Finding::kBeyondFlat);
    note(h0 > 0 && 0.75 * h0 < in.f && in.f <= h0, Finding::kBeyondThreeQuarters);
    note(in.D > in.d && in.d > 0 && Outside(in.D / in.d, kDiameterBand), Finding::kDiameterRatio);
    note(in.D > 0 && in.t > 0 && Outside(in.D / in.t, kSlendernessBand), Finding::kSlenderness);
    note(in.t > 0 && h0 > 0 && Outside(h0 / in.t, kHeightBand), Finding::kHeightRatio);
    note(in.t > 6, Finding::kThick);
    return found;
}

std::string_view FindingCode(Finding finding) {
    constexpr std::string_view kCodes[kFindingCount] = {"D<=d",     "t<=0", "H<=t", "f<0",  "f>h0",
                                                        "f>0.75h0", "D/d",  "D/t",  "h0/t", "t>6"};
    return kCodes[static_cast<int>(finding)];
}

std::string_view FindingMeaning(Finding finding) {
    constexpr std::string_view kMeanings[kFindingCount] = {
        "外径不大于内径：D 和 d 可能填反了",
        "厚度不大于 0：没有材料",
        "自由高度不大于厚度：没有锥高（h0 ≤ 0）",
        "变形量为负：是拉而不是压",
        "变形量超过 h0：已过压平位置，单片碟簧达不到",
        "变形量超过 0.75·h0：实际特性偏离公式",
        "D/d 超出 DIN 2093 的设计范围 1.75 … 2.5",
        "D/t 超出设计范围 16 … 40",
        "h0/t 超出设计范围 0.4 … 1.3",
        "厚度大于 6 mm：这种碟簧带支承面并减薄，本模型未考虑",
    };
    return kMeanings[static_cast<int>(finding)];
}

std::string FindingSentence(Finding finding, const SpringInputs& in) {
    const double h0 = in.H - in.t;
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
            return "f = " + Shown(in.f) + " mm 大于 h0 = " + Shown(h0) +
                   " mm：已过压平位置，单片碟簧达不到";
        case Finding::kBeyondThreeQuarters:
            return "f = " + Shown(in.f) + " mm 大于 0.75·h0 = " + Shown(0.75 * h0) +
                   " mm：实际特性偏离公式";
        case Finding::kDiameterRatio:
            return BandSentence("D/d", in.D / in.d, kDiameterBand);
        case Finding::kSlenderness:
            return BandSentence("D/t", in.D / in.t, kSlendernessBand);
        case Finding::kHeightRatio:
            return BandSentence("h0/t", h0 / in.t, kHeightBand);
        case Finding::kThick:
            return "t = " + Shown(in.t) + " mm 大于 6 mm：这种碟簧带支承面并减薄，本模型未考虑";
    }
    return {};
}

void AppendFindingCodes(const Findings& findings, std::string& out) {
    bool first = true;
    for (int i = 0; i < kFindingCount; ++i) {
        if (findings.has(static_cast<Finding>(i))) {
            if (!first) {
                out += ',';
            }
            out += FindingCode(static_cast<Finding>(i));
            first = false;
        }
    }
}

}  // namespace calc
