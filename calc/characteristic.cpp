#include "calc/characteristic.h"

#include "calc/disc_spring_steps.h"
#include "runtime/checked_math.h"
#include "runtime/text_number.h"

namespace calc {

runtime::Expected<Curve, SpringFault> ReadCurve(const CurveTexts& texts, int steps) {
    constexpr Quantity kRead[] = {Quantity::kD, Quantity::kd, Quantity::kt, Quantity::kH};
    double numbers[4];
    for (int i = 0; i < 4; ++i) {
        const auto number = runtime::TextToNumber(texts.spring[i]);
        if (!number) {
            return SpringFault{number.error(), kRead[i]};
        }
        numbers[i] = *number;
    }
    const SpringInputs spring{numbers[0], numbers[1], numbers[2], numbers[3], 0};
    if (!runtime::IsBlank(texts.f_end)) {
        const auto f_end = runtime::TextToNumber(texts.f_end);
        if (!f_end) {
            return SpringFault{f_end.error(), Quantity::kf};
        }
        return Curve{spring, *f_end, steps};
    }
    runtime::CheckedMath m;
    const double h0 = m.Sub(spring.H, spring.t);
    if (m.fault()) {
        return detail::Stopped(m, Quantity::kh0);
    }
    return Curve{spring, h0, steps};
}

CurveRow CurveRowAt(const runtime::Expected<Curve, SpringFault>& curve, int k,
                    const RowColumns& columns) {
    if (!curve) {
        return {{}, std::nullopt, curve.error()};
    }
    runtime::CheckedMath m;
    const double f = m.Div(m.Mul(curve->f_end, k), curve->steps);
    if (m.fault()) {
        return {{}, std::nullopt, detail::Stopped(m, Quantity::kf)};
    }
    const runtime::NumberText f_text = runtime::NumberToText(f);
    const auto shown = runtime::TextToNumber(f_text);
    if (!shown) {
        return {f_text, std::nullopt, SpringFault{shown.error(), Quantity::kf}};
    }
    SpringInputs in = curve->spring;
    in.f = *shown;
    return {f_text, in, CalculateRow(in, columns)};
}

void AppendCurveHeader(const RowColumns& columns, std::string& out) {
    out += "f(mm)\tF(N)\tσom(MPa)\tσ1(MPa)\tσ2(MPa)\tσ3(MPa)";
    if (columns.stack) {
        out += "\ts(mm)\tF_stack(N)\tL(mm)";
    }
    if (columns.check) {
        out += "\t检查";
    }
}

void AppendCurveRow(const CurveRow& row, const RowColumns& columns, std::string& out) {
    out += row.f_text.view();
    out += '\t';
    AppendRowFields(row.results, row.inputs ? &*row.inputs : nullptr, columns, out);
}

void AppendCurveTableHeader(const RowColumns& columns, std::string& out) {
    out += "弹簧\t";
    AppendCurveHeader(columns, out);
    out += '\n';
}

void AppendCurveTableRow(std::int64_t spring, const CurveRow& row, const RowColumns& columns,
                         std::string& out) {
    out += std::to_string(spring);
    out += '\t';
    AppendCurveRow(row, columns, out);
    out += '\n';
}

}  // namespace calc
