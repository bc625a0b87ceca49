#include "calc/design_check.h"

#include <charconv>
#include <cmath>
#include <iterator>

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

// Rounding to 15 significant digits moves a value by less than 5.3e-15 of itself, so a
// quantity formed through two such roundings lies within 1.1e-14 of its value as computed. Only
// a quantity that close to what it is compared with needs its shown value; the rest compare as
// computed, which spares the conversions on nearly every row.
constexpr double kCloseBy = 1e-13;

// How a quantity, as shown, compares with `other`: -1 below, 0 equal, 1 above. `computed` is the
// quantity as double arithmetic forms it, `shown()` gives it as the program shows it.
template <typename Shown>
int CompareShown(double computed, const Shown& shown, double other) {
    const double gap = computed - other;
    if (std::fabs(computed) > 1e-290 && std::fabs(gap) > kCloseBy * std::fabs(computed)) {
        return gap > 0 ? 1 : -1;
    }
    const double exact = shown();
    return exact > other ? 1 : (exact < other ? -1 : 0);
}

template <typename Shown>
bool Outside(double computed, const Shown& shown, const Band& band) {
    return CompareShown(computed, shown, band.low) < 0 ||
           CompareShown(computed, shown, band.high) > 0;
}

// The quantities the checks compare, as computed and as shown.
struct Formed {
    explicit Formed(const SpringInputs& in) : in(in), h0(in.H - in.t) {}

    double ShownH0() const { return runtime::ShownValue(h0); }
    double ShownThreeQuarters() const { return runtime::ShownValue(0.75 * ShownH0()); }
    double ShownHeightRatio() const { return runtime::ShownValue(ShownH0() / in.t); }

    const SpringInputs& in;
    const double h0;
};

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
    const Formed q(in);
    Findings found;
    auto note = [&found](bool condition, Finding finding) {
        if (condition) {
            found.add(finding);
        }
    };
    const auto shown_h0 = [&q] { return q.ShownH0(); };
    const auto shown_quarters = [&q] { return q.ShownThreeQuarters(); };
    const auto shown_dd = [&in] { return runtime::ShownValue(in.D / in.d); };
    const auto shown_dt = [&in] { return runtime::ShownValue(in.D / in.t); };
    const auto shown_h0t = [&q] { return q.ShownHeightRatio(); };
    // The shown h0 is positive exactly when H > t: rounding keeps the sign and never reaches 0.
    const bool cone = in.H > in.t;
    note(in.D <= in.d, Finding::kDiametersSwapped);
    note(in.t <= 0, Finding::kNoThickness);
    note(!cone, Finding::kNoConeHeight);
    note(in.f < 0, Finding::kPull);
    const bool beyond_flat = cone && CompareShown(q.h0, shown_h0, in.f) < 0;
    note(beyond_flat, Finding::kBeyondFlat);
    note(cone && !beyond_flat && CompareShown(0.75 * q.h0, shown_quarters, in.f) < 0,
         Finding::kBeyondThreeQuarters);
    note(in.D > in.d && in.d > 0 && Outside(in.D / in.d, shown_dd, kDiameterBand),
         Finding::kDiameterRatio);
    note(in.D > 0 && in.t > 0 && Outside(in.D / in.t, shown_dt, kSlendernessBand),
         Finding::kSlenderness);
    note(in.t > 0 && cone && Outside(q.h0 / in.t, shown_h0t, kHeightBand), Finding::kHeightRatio);
    note(in.t > 6, Finding::kThick);
    return found;
}

std::string_view FindingCode(Finding finding) {
    constexpr std::string_view kCodes[] = {"D<=d",     "t<=0", "H<=t", "f<0",  "f>h0",
                                           "f>0.75h0", "D/d",  "D/t",  "h0/t", "t>6"};
    static_assert(std::size(kCodes) == kFindingCount);
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
        "厚度大于 6 mm：这种碟簧带支承面并减薄，本模型未考虑",
    };
    static_assert(std::size(kMeanings) == kFindingCount);
    return kMeanings[static_cast<int>(finding)];
}

std::string FindingSentence(Finding finding, const SpringInputs& in) {
    const Formed q(in);
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
            return "f = " + Shown(in.f) + " mm 大于 h0 = " + Shown(q.ShownH0()) +
                   " mm：已过压平位置，单片碟簧达不到";
        case Finding::kBeyondThreeQuarters:
            return "f = " + Shown(in.f) + " mm 大于 0.75·h0 = " + Shown(q.ShownThreeQuarters()) +
                   " mm：实际特性偏离公式";
        case Finding::kDiameterRatio:
            return BandSentence("D/d", runtime::ShownValue(in.D / in.d), kDiameterBand);
        case Finding::kSlenderness:
            return BandSentence("D/t", runtime::ShownValue(in.D / in.t), kSlendernessBand);
        case Finding::kHeightRatio:
            return BandSentence("h0/t", q.ShownHeightRatio(), kHeightBand);
        case Finding::kThick:
            return "t = " + Shown(in.t) + " mm 大于 6 mm：这种碟簧带支承面并减薄，本模型未考虑";
        case Finding::kCount:
            break;
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
