// Option values and their problems in words.
#include "rows/option_text.h"

#include <iterator>

#include "calc/materials.h"
#include "runtime/number_text.h"
#include "runtime/quoted_text.h"

namespace rows {
namespace {

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

}  // namespace

std::string_view MaterialName(std::size_t k, Language language) {
    static constexpr Phrase kNames[] = {
        P("material-50crv4", "弹簧钢 50CrV4, Ck67"), P("material-60si2mna", "弹簧钢 60Si2MnA"),
        P("material-50crva", "弹簧钢 50CrVA"),       P("material-65mn", "弹簧钢 65Mn"),
        P("material-1.4310", "不锈钢 1.4310"),       P("material-1.4568", "不锈钢 1.4568"),
        P("material-1.4923", "耐热钢 1.4923"),       P("material-cube2", "铍青铜 CuBe2"),
    };
    static_assert(std::size(kNames) == calc::kMaterials.size());
    // Chinese is calc's own name; a translation only where the phrase is still that name.
    return kNames[k].text == calc::kMaterials[k].name ? Said(kNames[k], language)
                                                      : calc::kMaterials[k].name;
}

std::string_view OptionValueName(calc::OptionValue value, Language language) {
    switch (value) {
        case calc::OptionValue::kSteps:
            return Said(P("value-steps", "步数 N"), language);
        case calc::OptionValue::kSeries:
            return Said(P("value-series", "串联片数 i"), language);
        case calc::OptionValue::kParallel:
            return Said(P("value-parallel", "并联片数 n"), language);
        case calc::OptionValue::kModulus:
            return Said(P("value-modulus", "弹性模量 E"), language);
        case calc::OptionValue::kPoisson:
            return Said(P("value-poisson", "泊松比 μ"), language);
        case calc::OptionValue::kSurfaceFriction:
            return Said(P("value-surface-friction", "摩擦系数 w_M"), language);
        case calc::OptionValue::kEdgeFriction:
            return Said(P("value-edge-friction", "摩擦系数 w_R"), language);
        case calc::OptionValue::kStrength:
            return Said(P("value-strength", "抗拉强度 Rm"), language);
    }
    return {};
}

std::string RangeText(calc::OptionValue value, Language language) {
    const calc::OptionRange& range = calc::RangeOf(value);
    const std::string low = Shown(range.low), high = Shown(range.high);
    const Values bounds = {{"low", low}, {"high", high}};
    const bool stress =
        value == calc::OptionValue::kModulus || value == calc::OptionValue::kStrength;
    const std::string unit = stress ? Say(language, P("range-in-mpa", "（MPa）")) : "";
    if (range.low_inside && range.high_inside) {
        return Say(language,
                   range.whole ? P("range-whole", "应为 {low} 到 {high} 的整数")
                               : P("range-number", "应为 {low} 到 {high} 的数"),
                   bounds) +
               unit;
    }
    const Phrase kinds[2][2] = {{P("range-above-below", "应大于 {low}、小于 {high}"),
                                 P("range-above-at-most", "应大于 {low}、不超过 {high}")},
                                {P("range-at-least-below", "应不小于 {low}、小于 {high}"),
                                 P("range-at-least-at-most", "应不小于 {low}、不超过 {high}")}};
    return Say(language, kinds[range.low_inside ? 1 : 0][range.high_inside ? 1 : 0], bounds) + unit;
}

std::string OptionProblemText(const calc::OptionProblem& problem, Language language) {
    if (problem.kind == calc::OptionProblem::Kind::kSelfLocking) {
        return Say(language,
                   P("option-self-locking",
                     "摩擦系数与并联片数 n = {n} 一起使碟簧组自锁：1 − "
                     "w_M·(n − 1) − w_R 不大于 0"),
                   {{"n", std::to_string(problem.parallel)}});
    }
    return std::string(OptionValueName(problem.value, language)) + " " +
           RangeText(problem.value, language);
}

std::string PartialReadText(std::string_view name, std::string_view text, double value,
                            Language language) {
    return Say(language, P("partial-read", "{name} 的文本 '{text}' 只读到 {value}"),
               {{"name", name}, {"text", runtime::QuotedText(text)}, {"value", Shown(value)}});
}

}  // namespace rows
