// What a new design holds, and a requirement's number read from its text.
#include "design/inputs.h"

#include <cmath>

#include "runtime/number_text.h"
#include "runtime/quoted_text.h"
#include "runtime/text_number.h"

namespace design {

RequirementTexts DesignTexts::DefaultRequirement() {
    // About 5 kN at 1.2 mm of travel in a 41 mm bore on a 20 mm rod: an example to start from.
    RequirementTexts requirement;
    requirement.points[0] = {false, "1.2", "5000", ""};
    requirement.bore = "41";
    requirement.rod = "20";
    return requirement;
}

runtime::Expected<std::optional<double>, std::string> ReadRequirementNumber(
    std::string_view text, const RequirementRange& range) {
    if (runtime::IsBlank(text)) {
        return std::optional<double>();
    }
    const auto number = runtime::ReadPlainNumber(text);
    const bool inside = number && std::isfinite(*number) &&
                        (range.least_open ? *number > range.least : *number >= range.least) &&
                        *number <= range.most && (!range.whole || *number == std::floor(*number));
    if (inside) {
        return number;
    }
    const auto shown = [](double value) {
        return std::string(runtime::NumberToText(value).view());
    };
    const std::string quoted = "'" + runtime::QuotedText(text) + "' ";
    if (!number) {
        return quoted + "不是一个数";
    }
    if (range.whole) {
        return quoted + "不是 " + shown(range.least) + " 到 " + shown(range.most) + " 的整数";
    }
    if (range.most < kUnbounded) {
        return quoted + "不在 " + shown(range.least) + " 到 " + shown(range.most) + " 之间";
    }
    return quoted + (range.least_open ? "不大于 " : "小于 ") + shown(range.least);
}

DesignTexts DefaultTexts() {
    DesignTexts texts;
    for (const InputField& input : kInputs) {
        texts.*input.text = std::string(input.fresh);
    }
    return texts;
}

}  // namespace design
