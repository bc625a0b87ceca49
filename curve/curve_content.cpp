#include "curve/curve_content.h"

#include <cmath>

#include "calc/characteristic.h"
#include "calc/design_check.h"
#include "runtime/fault_report.h"
#include "runtime/text_number.h"

namespace curve {
namespace {

constexpr int kDefaultSteps = 50;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The table shows a copied line without its spring number and its line end.
QStringList TableCells(std::string_view line) {
    line.remove_prefix(line.find('\t') + 1);
    line.remove_suffix(1);
    return FromUtf8(line).split(QLatin1Char('\t'));
}

// A count typed by the box rules: blank is the default, else a whole number from 1 to max.
bool ReadCount(const std::string& text, int fallback, int max, int& value) {
    if (runtime::IsBlank(text)) {
        value = fallback;
        return true;
    }
    const auto number = runtime::TextToNumber(text);
    if (!number || *number < 1 || *number > max || std::floor(*number) != *number) {
        return false;
    }
    value = static_cast<int>(*number);
    return true;
}

QString FaultSentence(const calc::SpringFault& fault) {
    return FromUtf8(runtime::FaultReport(fault.fault, calc::QuantitySymbol(fault.quantity)))
        .replace(QStringLiteral("\n\n"), QStringLiteral(" "));
}

QVector<PlotPanel> EmptyPanels(bool stacked) {
    PlotPanel force{
        stacked ? QStringLiteral("变形量 f / 行程 s (mm)") : QStringLiteral("变形量 f (mm)"),
        QStringLiteral("力 F (N)"),
        {{QStringLiteral("F 单片"), QColor(0, 90, 200), {}}},
        {}};
    if (stacked) {
        force.series.push_back({QStringLiteral("F_stack 碟簧组"), QColor(220, 110, 0), {}});
    }
    PlotPanel stress{QStringLiteral("变形量 f (mm)"),
                     QStringLiteral("应力 σ (MPa)"),
                     {{QStringLiteral("σom"), QColor(120, 120, 120), {}},
                      {QStringLiteral("σ1"), QColor(200, 30, 30), {}},
                      {QStringLiteral("σ2"), QColor(30, 150, 60), {}},
                      {QStringLiteral("σ3"), QColor(130, 60, 180), {}}},
                     {}};
    return {force, stress};
}

}  // namespace

CurveContent ComputeCurve(const CurveInputTexts& inputs) {
    CurveContent content;
    calc::StackLayout layout;
    int steps = 0;
    const bool counts_ok = ReadCount(inputs.series, 1, calc::kMaxStackCount, layout.series) &&
                           ReadCount(inputs.parallel, 1, calc::kMaxStackCount, layout.parallel) &&
                           ReadCount(inputs.steps, kDefaultSteps, calc::kMaxCurveSteps, steps);
    if (!counts_ok) {
        content.findings
            << QStringLiteral(
                   "串联片数 i、并联片数 n 应为 1 到 %1 的整数，步数 N 应为 1 到 %2 的整数")
                   .arg(calc::kMaxStackCount)
                   .arg(calc::kMaxCurveSteps);
        return content;
    }
    calc::RowColumns columns;
    if (layout.series != 1 || layout.parallel != 1) {
        columns.stack = layout;
    }

    calc::AppendCurveTableHeader(columns, content.batch_text);
    content.header = TableCells(content.batch_text);
    content.panels = EmptyPanels(columns.stack.has_value());
    auto& force = content.panels[0].series;
    auto& stress = content.panels[1].series;

    const auto curve =
        calc::ReadCurve({{inputs.D, inputs.d, inputs.t, inputs.H}, inputs.f_end}, steps);
    QString fault;
    content.rows.reserve(steps + 1);
    for (int k = 0; k <= steps; ++k) {
        const calc::CurveRow row = calc::CurveRowAt(curve, k, columns);
        const std::size_t line = content.batch_text.size();
        calc::AppendCurveTableRow(1, row, columns, content.batch_text);
        content.rows.push_back(TableCells(std::string_view(content.batch_text).substr(line)));
        if (!row.results) {
            if (fault.isEmpty()) {
                fault = row.f_text.view().empty() ? FaultSentence(row.results.error())
                                                  : QStringLiteral("f = %1 mm 时：%2")
                                                        .arg(FromUtf8(row.f_text.view()),
                                                             FaultSentence(row.results.error()));
            }
            continue;
        }
        const double f = row.inputs->f;
        const calc::SpringResults& r = row.results->spring;
        force[0].points << QPointF(f, r.F);
        if (row.results->stack) {
            force[1].points << QPointF(row.results->stack->s, row.results->stack->F_stack);
        }
        stress[0].points << QPointF(f, r.sigma_om);
        stress[1].points << QPointF(f, r.sigma1);
        stress[2].points << QPointF(f, r.sigma2);
        stress[3].points << QPointF(f, r.sigma3);
    }

    if (curve) {
        // With f = 0 only the findings about D, d, t and H can appear; the plot marks f's.
        const calc::SpringInputs& spring = curve->spring;
        const calc::Findings found = calc::CheckDesign(spring);
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (found.has(finding)) {
                content.findings << FromUtf8(calc::FindingSentence(finding, spring));
            }
        }
        const double h0 = spring.H - spring.t;
        if (h0 > 0 && std::isfinite(h0)) {
            for (PlotPanel& panel : content.panels) {
                panel.markers = {{QStringLiteral("0.75·h0"), 0.75 * h0},
                                 {QStringLiteral("h0"), h0}};
            }
        }
    }
    if (!fault.isEmpty()) {
        content.findings << fault;
    }
    if (content.findings.isEmpty()) {
        content.findings << QStringLiteral("尺寸在设计范围内");
    }
    return content;
}

}  // namespace curve
