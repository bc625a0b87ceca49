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
    std::string_view text, const RequirementRange& range, Language language) {
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
    const std::string quoted = runtime::QuotedText(text);
    const std::string least = shown(range.least), most = shown(range.most);
    const rows::Values values = {{"text", quoted}, {"least", least}, {"most", most}};
    if (!number) {
        return rows::Say(language, P("not-a-number", "'{text}' 不是一个数"), values);
    }
    if (range.whole) {
        return rows::Say(language, P("not-whole-between", "'{text}' 不是 {least} 到 {most} 的整数"),
                         values);
    }
    if (range.most < kUnbounded) {
        return rows::Say(language, P("not-between", "'{text}' 不在 {least} 到 {most} 之间"),
                         values);
    }
    return rows::Say(language,
                     range.least_open ? P("not-above", "'{text}' 不大于 {least}")
                                      : P("below", "'{text}' 小于 {least}"),
                     values);
}

DesignTexts DefaultTexts() {
    DesignTexts texts;
    for (const InputField& input : kInputs) {
        texts.*input.text = std::string(input.fresh);
    }
    return texts;
}

}  // namespace design
