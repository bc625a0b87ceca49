#include "curve/curve_content.h"

#include <cmath>

#include "calc/characteristic.h"
#include "calc/design_check.h"
#include "rows/curve_text.h"
#include "rows/findings_text.h"
#include "rows/row_text.h"
#include "runtime/fault_report.h"
#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace curve {
namespace {

constexpr int kDefaultSteps = 50;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Shown(double value) {
    return FromUtf8(runtime::NumberToText(value).view());
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

QString ErrorSentence(const calc::RowError& error) {
    if (const auto* refusal = std::get_if<calc::Refusal>(&error)) {
        return FromUtf8(rows::RefusalText(*refusal));
    }
    return FaultSentence(std::get<calc::SpringFault>(error));
}

// A box whose text holds more than its leading number reads less than it shows: say so.
void NotePartialReads(const CurveInputTexts& inputs, QStringList& findings) {
    const std::pair<const char*, const std::string*> boxes[] = {
        {"D", &inputs.D},     {"d", &inputs.d},      {"t", &inputs.t},        {"H", &inputs.H},
        {"f", &inputs.f_end}, {"i", &inputs.series}, {"n", &inputs.parallel}, {"N", &inputs.steps}};
    for (const auto& [name, text] : boxes) {
        if (runtime::IsBlank(*text)) {
            continue;
        }
        const runtime::NumberReading read = runtime::ReadNumber(*text);
        if (read.value && !read.whole) {
            findings << QStringLiteral("%1 的文本 '%2' 只读到 %3")
                            .arg(QString::fromUtf8(name), FromUtf8(*text), Shown(*read.value));
        }
    }
}

QVector<PlotPanel> EmptyPanels(bool stacked) {
    const QString f_axis = QStringLiteral("变形量 f (mm)");
    QVector<PlotPanel> panels;
    panels.push_back({f_axis,
                      QStringLiteral("力 F (N)"),
                      QStringLiteral("f"),
                      QStringLiteral("mm"),
                      {{QStringLiteral("F 单片"),
                        QStringLiteral("F"),
                        QStringLiteral("N"),
                        QColor(0, 90, 200),
                        {}}},
                      {}});
    if (stacked) {
        panels.push_back({QStringLiteral("行程 s (mm)"),
                          QStringLiteral("碟簧组 F_stack (N)"),
                          QStringLiteral("s"),
                          QStringLiteral("mm"),
                          {{QStringLiteral("F_stack 碟簧组"),
                            QStringLiteral("F_stack"),
                            QStringLiteral("N"),
                            QColor(220, 110, 0),
                            {}}},
                          {}});
    }
    const auto stress = [](const char* name, QColor color) {
        return PlotSeries{
            QString::fromUtf8(name), QString::fromUtf8(name), QStringLiteral("MPa"), color, {}};
    };
    panels.push_back({f_axis,
                      QStringLiteral("应力 σ (MPa)"),
                      QStringLiteral("f"),
                      QStringLiteral("mm"),
                      {stress("σom", QColor(120, 120, 120)), stress("σ1", QColor(200, 30, 30)),
                       stress("σ2", QColor(30, 150, 60)), stress("σ3", QColor(130, 60, 180))},
                      {}});
    return panels;
}

void EndLine(CurveTable& table) {
    table.starts.push_back(table.text.size());
}

}  // namespace

std::string_view CurveTable::line(int row) const {
    const std::size_t begin = starts[row + 1], end = starts[row + 2];
    return std::string_view(text).substr(begin, end - begin - 1);
}

CurveContent ComputeCurve(const CurveInputTexts& inputs, std::stop_token stop) {
    CurveContent content;
    NotePartialReads(inputs, content.findings);
    calc::StackLayout layout;
    int steps = 0;
    const bool counts_ok = ReadCount(inputs.series, 1, calc::kMaxStackCount, layout.series) &&
                           ReadCount(inputs.parallel, 1, calc::kMaxStackCount, layout.parallel) &&
                           ReadCount(inputs.steps, kDefaultSteps, calc::kMaxCurveSteps, steps);
    if (!counts_ok) {
        content.no_table = content.no_plot =
            QStringLiteral("串联片数 i、并联片数 n 应为 1 到 %1 的整数，步数 N 应为 1 到 %2 的整数")
                .arg(calc::kMaxStackCount)
                .arg(calc::kMaxCurveSteps);
        content.findings << content.no_table;
        return content;
    }
    calc::RowSpec columns;
    if (layout.series != 1 || layout.parallel != 1) {
        columns.stack = layout;
    }

    CurveTable& table = content.table;
    table.text.reserve(static_cast<std::size_t>(steps + 2) * 120);
    table.starts.reserve(static_cast<std::size_t>(steps) + 3);
    table.starts.push_back(0);
    rows::AppendCurveTableHeader(columns, table.text);
    EndLine(table);
    table.fault_span = columns.stack ? 8 : 5;
    content.panels = EmptyPanels(columns.stack.has_value());
    auto& force = content.panels.front().series;
    auto& stress = content.panels.back().series;
    QVector<QPointF>* stack = columns.stack ? &content.panels[1].series[0].points : nullptr;
    for (auto* points : {&force[0].points, &stress[0].points, &stress[1].points, &stress[2].points,
                         &stress[3].points}) {
        points->reserve(steps + 1);
    }

    const auto curve =
        calc::ReadCurve({inputs.D, inputs.d, inputs.t, inputs.H, {}, inputs.f_end}, steps, columns);
    QString fault;
    for (int k = 0; k <= steps; ++k) {
        if (k % 1024 == 0 && stop.stop_requested()) {
            return content;
        }
        const calc::CurveRow row = calc::CurveRowAt(curve, k, columns);
        rows::AppendCurveTableRow(1, row, columns, table.text);
        EndLine(table);
        if (!row.row.results) {
            table.fault_rows.push_back(k);
            if (fault.isEmpty()) {
                const QString why = ErrorSentence(row.row.results.error());
                fault =
                    row.f_text.view().empty()
                        ? why
                        : QStringLiteral("f = %1 mm 时：%2").arg(FromUtf8(row.f_text.view()), why);
            }
            continue;
        }
        const double f = row.inputs->spring.f;
        const calc::RowResults& results = *row.row.results;
        const calc::SpringResults& r = results.spring;
        force[0].points << QPointF(f, r.F);
        if (stack != nullptr) {
            *stack << QPointF(results.stack->s, results.stack->F_stack);
        }
        stress[0].points << QPointF(f, r.sigma_om);
        stress[1].points << QPointF(f, r.sigma1);
        stress[2].points << QPointF(f, r.sigma2);
        stress[3].points << QPointF(f, r.sigma3);
    }

    if (curve) {
        // With f = 0 only the findings about D, d, t and H can appear; the plot marks f's limits,
        // where the checks draw them: at h0 and 0.75·h0 as shown.
        const calc::SpringInputs& spring = curve->spring.spring;
        const calc::Findings found = calc::CheckRow(curve->spring, columns);
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (found.has(finding)) {
                content.findings << FromUtf8(rows::FindingSentence(finding, spring));
            }
        }
        const calc::ShownQuantities shown = calc::ShowQuantities(spring);
        const double h0 = shown.h0;
        if (h0 > 0 && std::isfinite(h0)) {
            const double quarters = shown.three_quarters;
            content.panels.front().markers = {{QStringLiteral("0.75·h0"), quarters},
                                              {QStringLiteral("h0"), h0}};
            content.panels.back().markers = content.panels.front().markers;
            if (stack != nullptr) {
                const double i = layout.series;
                content.panels[1].markers = {{QStringLiteral("i·0.75·h0"), i * quarters},
                                             {QStringLiteral("i·h0"), i * h0}};
            }
        }
    }
    if (!fault.isEmpty()) {
        content.findings << fault;
    }
    if (force[0].points.isEmpty()) {
        content.no_plot = fault;
    }
    if (content.findings.isEmpty()) {
        content.findings << QStringLiteral("尺寸在设计范围内");
    }
    return content;
}

}  // namespace curve
