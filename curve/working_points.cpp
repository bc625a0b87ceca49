#include "curve/working_points.h"

#include <optional>

#include "calc/design_check.h"
#include "calc/force_deflection.h"
#include "calc/work.h"
#include "rows/findings_text.h"
#include "rows/row_text.h"
#include "runtime/number_text.h"
#include "runtime/text_number.h"

namespace curve {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString Shown(double value) {
    return FromUtf8(runtime::NumberToText(value).view());
}

QString ErrorText(const calc::RowError& error) {
    return FromUtf8(rows::ErrorSentence(error));
}

// The row at a deflection, as a --force row shows it: f, then the fields.
void Fill(WorkingPoint& point, const calc::RowInputs& spring, const calc::RowOptions& row_options,
          double f) {
    calc::RowInputs at = spring;
    at.spring.f = f;
    const calc::Row row = calc::CalculateRow(at, row_options);
    if (!row.results) {
        point.problem = ErrorText(row.results.error());
        return;
    }
    point.line = std::string(runtime::NumberToText(f).view()) + '\t';
    rows::AppendRowFields(row, row_options, point.line);
    point.cells = FromUtf8(point.line).split(QLatin1Char('\t'));
    point.f = f;
    point.F = row.results->spring.F;
    point.s = row.results->stack ? row.results->stack->s : f;
    point.F_stack = row.results->stack ? row.results->stack->F_stack : point.F;
}

WorkingPoint Compute(const calc::RowInputs& spring, const calc::RowOptions& row_options,
                     const WorkingPointText& text) {
    WorkingPoint point;
    if (runtime::IsBlank(text.value)) {
        return point;
    }
    point.given = true;
    const auto value = runtime::TextToNumber(text.value);
    if (!value) {
        point.problem = ErrorText(calc::SpringFault{value.error(), calc::Quantity::kf});
        return point;
    }
    if (text.by == WorkingPointText::By::kForce) {
        const auto f = calc::DeflectionForForce(spring, row_options, *value);
        if (!f) {
            point.problem = ErrorText(f.error());
            return point;
        }
        Fill(point, spring, row_options, *f);
        return point;
    }
    // A stack's travel: each spring takes its share, as shown.
    const double f =
        row_options.stack ? runtime::ShownValue(*value / row_options.stack->series) : *value;
    Fill(point, spring, row_options, f);
    return point;
}

std::optional<double> Work(const calc::RowInputs& spring, const calc::RowOptions& row_options,
                           double f) {
    calc::RowInputs at = spring;
    at.spring.f = f;
    const auto work = calc::SpringWork(at, row_options);
    return work ? std::optional(*work) : std::nullopt;
}

}  // namespace

DesignValues ComputeDesignValues(const calc::RowInputs& spring, const calc::RowOptions& row_options,
                                 const std::array<WorkingPointText, 2>& texts) {
    DesignValues values;
    const std::optional<double> t_reduced =
        row_options.flats ? std::optional(spring.t_reduced) : std::nullopt;
    const calc::ShownQuantities shown = calc::ShowQuantities(spring.spring, t_reduced);
    const QString h0 = row_options.flats ? QStringLiteral("h0′") : QStringLiteral("h0");
    for (std::size_t k = 0; k < texts.size(); ++k) {
        WorkingPoint& point = values.points[k] = Compute(spring, row_options, texts[k]);
        const QString name = QStringLiteral("工作点 %1").arg(k + 1);
        if (!point.problem.isEmpty()) {
            values.summary << name + QStringLiteral("：") + point.problem;
        }
        if (point.cells.isEmpty()) {
            continue;
        }
        values.force_marks.push_back({QString::number(k + 1), {point.f, point.F}, Qt::white});
        values.stack_marks.push_back({QString::number(k + 1), {point.s, point.F_stack}, Qt::white});
        calc::SpringInputs at = spring.spring;
        at.f = point.f;
        const calc::Findings found = calc::CheckDesign(at, t_reduced);
        for (const calc::Finding limit :
             {calc::Finding::kBeyondFlat, calc::Finding::kBeyondThreeQuarters}) {
            if (found.has(limit)) {
                values.findings << name + QStringLiteral("：") +
                                       FromUtf8(rows::FindingSentence(limit, at, t_reduced));
            }
        }
    }

    const WorkingPoint &first = values.points[0], &second = values.points[1];
    if (!first.cells.isEmpty() && !second.cells.isEmpty()) {
        const bool first_lower = first.f <= second.f;
        const WorkingPoint& lower = first_lower ? first : second;
        const double preload = runtime::ShownValue(0.15 * shown.flat);
        if (lower.f < preload) {
            values.findings << QStringLiteral(
                                   "工作点 %1 的 f = %2 mm 小于 0.15·%3 = %4 mm：疲劳载荷下碟簧应"
                                   "预压到 0.15 … 0.20·%3，以免 I 点处的残余拉应力引起裂纹"
                                   "（碟簧厂家的建议）")
                                   .arg(first_lower ? 1 : 2)
                                   .arg(Shown(lower.f), h0, Shown(preload));
        }
        const auto w1 = Work(spring, row_options, first.f),
                   w2 = Work(spring, row_options, second.f);
        QString stroke =
            QStringLiteral("工作点 1 → 2：行程 Δf = %1 mm").arg(Shown(second.f - first.f));
        if (row_options.stack) {
            stroke += QStringLiteral("（碟簧组 Δs = %1 mm）").arg(Shown(second.s - first.s));
        }
        if (w1 && w2) {
            stroke += QStringLiteral("，功 W = %1 N·mm%2（力的关系式的积分，不计摩擦）")
                          .arg(Shown(*w2 - *w1),
                               row_options.stack ? QStringLiteral("（碟簧组）") : QString());
        }
        values.summary << stroke;
    }

    // The force at flat, where the spring's travel ends.
    if (shown.flat > 0) {
        WorkingPoint flat;
        Fill(flat, spring, row_options, shown.flat);
        if (!flat.cells.isEmpty()) {
            QString sentence = QStringLiteral("压平时（f = %1 = %2 mm）F = %3 N")
                                   .arg(h0, Shown(shown.flat), Shown(flat.F));
            if (row_options.stack) {
                sentence += QStringLiteral("，碟簧组 F_stack = %1 N").arg(Shown(flat.F_stack));
            }
            values.summary << sentence;
        }
    }
    return values;
}

}  // namespace curve
