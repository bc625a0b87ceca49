// Option values and their problems in words.
#include "rows/option_text.h"

#include "runtime/number_text.h"
#include "runtime/quoted_text.h"

namespace rows {
namespace {

std::string Shown(double value) {
    return std::string(runtime::NumberToText(value).view());
}

}  // namespace

std::string_view OptionValueName(calc::OptionValue value) {
    switch (value) {
        case calc::OptionValue::kSteps:
            return "步数 N";
        case calc::OptionValue::kSeries:
            return "串联片数 i";
        case calc::OptionValue::kParallel:
            return "并联片数 n";
        case calc::OptionValue::kModulus:
            return "弹性模量 E";
        case calc::OptionValue::kPoisson:
            return "泊松比 μ";
        case calc::OptionValue::kSurfaceFriction:
            return "摩擦系数 w_M";
        case calc::OptionValue::kEdgeFriction:
            return "摩擦系数 w_R";
        case calc::OptionValue::kStrength:
            return "抗拉强度 Rm";
    }
    return {};
}

std::string RangeText(calc::OptionValue value) {
    const calc::OptionRange& range = calc::RangeOf(value);
    const std::string low = Shown(range.low), high = Shown(range.high);
    std::string text;
    if (range.low_inside && range.high_inside) {
        text = "应为 " + low + " 到 " + high + (range.whole ? " 的整数" : " 的数");
    } else {
        text = std::string(range.low_inside ? "应不小于 " : "应大于 ") + low +
               (range.high_inside ? "、不超过 " : "、小于 ") + high;
    }
    const bool stress =
        value == calc::OptionValue::kModulus || value == calc::OptionValue::kStrength;
    return stress ? text + "（MPa）" : text;
}

std::string OptionProblemText(const calc::OptionProblem& problem) {
    if (problem.kind == calc::OptionProblem::Kind::kSelfLocking) {
        return "摩擦系数与并联片数 n = " + std::to_string(problem.parallel) +
               " 一起使碟簧组自锁：1 − w_M·(n − 1) − w_R 不大于 0";
    }
    return std::string(OptionValueName(problem.value)) + " " + RangeText(problem.value);
}

std::string PartialReadText(std::string_view name, std::string_view text, double value) {
    return std::string(name) + " 的文本 '" + runtime::QuotedText(text) + "' 只读到 " + Shown(value);
}

}  // namespace rows
