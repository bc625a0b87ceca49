// A characteristic as rows at N equal steps of f.
#include "calc/characteristic.h"

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"
#include "runtime/text_number.h"

namespace calc {

runtime::Expected<Curve, SpringFault> ReadCurve(const CurveTexts& texts, int steps,
                                                const RowOptions& options) {
    const std::pair<std::string_view, Quantity> read[] = {
        {texts.D, Quantity::kD},
        {texts.d, Quantity::kd},
        {texts.t, Quantity::kt},
        {options.flats ? texts.t_reduced : std::string_view("0"), Quantity::kTReduced},
        {texts.H, Quantity::kH}};
    double numbers[5];
    for (int i = 0; i < 5; ++i) {
        const auto number = runtime::TextToNumber(read[i].first);
        if (!number) {
            return SpringFault{number.error(), read[i].second};
        }
        numbers[i] = *number;
    }
    Curve curve{{{numbers[0], numbers[1], numbers[2], numbers[4], 0}, numbers[3]}, 0, steps};
    if (!runtime::IsBlank(texts.f_end)) {
        const auto f_end = runtime::TextToNumber(texts.f_end);
        if (!f_end) {
            return SpringFault{f_end.error(), Quantity::kf};
        }
        curve.f_end = *f_end;
        return curve;
    }
    runtime::CheckedMath m;
    curve.f_end = m.Sub(curve.spring.spring.H,
                        options.flats ? curve.spring.t_reduced : curve.spring.spring.t);
    if (m.fault()) {
        return detail::Stopped(m, options.flats ? Quantity::kh0Flat : Quantity::kh0);
    }
    return curve;
}

CurveRow CurveRowAt(const runtime::Expected<Curve, SpringFault>& curve, int k,
                    const RowOptions& options) {
    if (!curve) {
        return {{}, std::nullopt, Row{RowError{curve.error()}, std::nullopt}};
    }
    runtime::CheckedMath m;
    const double f = m.Div(m.Mul(curve->f_end, k), curve->steps);
    if (m.fault()) {
        return {{}, std::nullopt, Row{RowError{detail::Stopped(m, Quantity::kf)}, std::nullopt}};
    }
    const runtime::NumberText f_text = runtime::NumberToText(f);
    const auto shown = runtime::TextToNumber(f_text);
    if (!shown) {
        return {f_text, std::nullopt,
                Row{RowError{SpringFault{shown.error(), Quantity::kf}}, std::nullopt}};
    }
    RowInputs in = curve->spring;
    in.spring.f = *shown;
    return {f_text, in, CalculateRow(in, options)};
}

}  // namespace calc
