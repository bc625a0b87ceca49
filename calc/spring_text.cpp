// The calculator's calculation from box texts to result texts.
#include "calc/spring_text.h"
#include "calc/spring_pass.h"

#include "runtime/text_number.h"

namespace calc {

runtime::Expected<SpringInputs, SpringFault> ReadInputs(const InputTexts& inputs) {
    constexpr Quantity kRead[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH,
                                  Quantity::kf};
    double numbers[5];
    for (std::size_t i = 0; i < 5; ++i) {
        const auto number = runtime::TextToNumber(inputs[i]);
        if (!number) {
            return SpringFault{number.error(), kRead[i]};
        }
        numbers[i] = *number;
    }
    return SpringInputs{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]};
}

runtime::Expected<RowInputs, SpringFault> ReadRowInputs(std::span<const std::string_view> texts,
                                                        bool flats) {
    constexpr Quantity kPlain[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH,
                                   Quantity::kf};
    constexpr Quantity kFlats[] = {Quantity::kD,        Quantity::kd, Quantity::kt,
                                   Quantity::kTReduced, Quantity::kH, Quantity::kf};
    double numbers[6] = {};
    for (std::size_t i = 0; i < texts.size() && i < 6; ++i) {
        const auto number = runtime::TextToNumber(texts[i]);
        if (!number) {
            return SpringFault{number.error(), flats ? kFlats[i] : kPlain[i]};
        }
        numbers[i] = *number;
    }
    if (flats) {
        return RowInputs{{numbers[0], numbers[1], numbers[2], numbers[4], numbers[5]}, numbers[3]};
    }
    return RowInputs{{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4]}, 0};
}

std::vector<Quantity> PartlyRead(std::span<const std::string_view> texts, bool flats) {
    constexpr Quantity kPlain[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH,
                                   Quantity::kf};
    constexpr Quantity kFlats[] = {Quantity::kD,        Quantity::kd, Quantity::kt,
                                   Quantity::kTReduced, Quantity::kH, Quantity::kf};
    std::vector<Quantity> partly;
    for (std::size_t i = 0; i < texts.size() && i < 6; ++i) {
        if (!runtime::IsBlank(texts[i]) && !runtime::ReadNumber(texts[i]).whole) {
            partly.push_back(flats ? kFlats[i] : kPlain[i]);
        }
    }
    return partly;
}

runtime::Expected<ResultTexts, SpringFault> CalculateTexts(const InputTexts& inputs) {
    const auto read = ReadInputs(inputs);
    if (!read) {
        return read.error();
    }
    const auto results = CalculateSpring(*read);
    if (!results) {
        return results.error();
    }
    const SpringResults& r = *results;
    return ResultTexts{runtime::NumberToText(r.F), runtime::NumberToText(r.sigma_om),
                       runtime::NumberToText(r.sigma1), runtime::NumberToText(r.sigma2),
                       runtime::NumberToText(r.sigma3)};
}

}  // namespace calc
