#include "curve/curve_content.h"

#include <cmath>
#include <optional>

#include "calc/characteristic.h"
#include "calc/design_check.h"
#include "curve/working_points.h"
#include "rows/curve_text.h"
#include "rows/findings_text.h"
#include "rows/row_text.h"
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

// A number typed by the box rules, `fallback` when blank; nothing when it cannot be read.
std::optional<double> ReadValue(const std::string& text, double fallback) {
    if (runtime::IsBlank(text)) {
        return fallback;
    }
    const auto number = runtime::TextToNumber(text);
    return number ? std::optional(*number) : std::nullopt;
}

QString ErrorSentence(const calc::RowError& error) {
    return FromUtf8(rows::ErrorSentence(error));
}

// A box whose text holds more than its leading number reads less than it shows: say so.
void NotePartialReads(const CurveInputTexts& inputs, QStringList& findings) {
    const std::pair<const char*, const std::string*> boxes[] = {
        {"D", &inputs.D},
        {"d", &inputs.d},
        {"t", &inputs.t},
        {"H", &inputs.H},
        {"f", &inputs.f_end},
        {"i", &inputs.series},
        {"n", &inputs.parallel},
        {"N", &inputs.steps},
        {"t′", &inputs.t_reduced},
        {"E", &inputs.E},
        {"μ", &inputs.mu},
        {"w_M", &inputs.w_M},
        {"w_R", &inputs.w_R},
        {"工作点 1", &inputs.points[0].value},
        {"工作点 2", &inputs.points[1].value}};
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

struct Reading {
    calc::RowOptions row;
    int steps = 0;
};

// The options the inputs ask for, as the batch tool's would be; why not, when they cannot be.
std::variant<Reading, QString> ReadOptions(const CurveInputTexts& inputs) {
    Reading read;
    calc::RowOptions& row_options = read.row;
    row_options.rate = true;
    calc::StackLayout layout;
    if (!ReadCount(inputs.series, 1, calc::kMaxStackCount, layout.series) ||
        !ReadCount(inputs.parallel, 1, calc::kMaxStackCount, layout.parallel) ||
        !ReadCount(inputs.steps, kDefaultSteps, calc::kMaxCurveSteps, read.steps)) {
        return QStringLiteral(
                   "串联片数 i、并联片数 n 应为 1 到 %1 的整数，步数 N 应为 1 到 %2 的整数")
            .arg(calc::kMaxStackCount)
            .arg(calc::kMaxCurveSteps);
    }
    if (layout.series != 1 || layout.parallel != 1) {
        row_options.stack = layout;
    }
    row_options.flats = !runtime::IsBlank(inputs.t_reduced);
    const auto E = ReadValue(inputs.E, calc::kE);
    const auto mu = ReadValue(inputs.mu, calc::kMu);
    if (!E || !(*E > 0) || *E > 1e7) {
        return QStringLiteral("弹性模量 E 应为大于 0、不超过 10000000 的数（MPa）");
    }
    if (!mu || !(*mu >= 0) || !(*mu < 0.5)) {
        return QStringLiteral("泊松比 μ 应在 0 到 0.5 之间（不含 0.5）");
    }
    row_options.material = {*E, *mu};
    if (!runtime::IsBlank(inputs.w_M) || !runtime::IsBlank(inputs.w_R)) {
        const auto w_M = ReadValue(inputs.w_M, 0), w_R = ReadValue(inputs.w_R, 0);
        if (!w_M || !w_R || !(*w_M >= 0) || *w_M > 0.2 || !(*w_R >= 0) || *w_R > 0.2) {
            return QStringLiteral("摩擦系数 w_M、w_R 应为 0 到 0.2 的数");
        }
        row_options.friction = calc::Friction{*w_M, *w_R};
        if (!calc::FrictionLetsLoad(layout.parallel, *row_options.friction)) {
            return QStringLiteral(
                       "摩擦系数与并联片数 n = %1 一起使碟簧组自锁：1 − w_M·(n − 1) − w_R 不大于 0")
                .arg(layout.parallel);
        }
    }
    return read;
}

PlotSeries Series(const char* name, const char* symbol, const char* unit, QColor color,
                  Qt::PenStyle style = Qt::SolidLine) {
    return PlotSeries{QString::fromUtf8(name),
                      QString::fromUtf8(symbol),
                      QString::fromUtf8(unit),
                      color,
                      {},
                      style};
}

// The panels' axes and (empty) series: F over f, F_stack over s for a stack, σ over f. With
// friction, the loading and unloading forces beside the stack's (one spring's without a stack).
QVector<PlotPanel> EmptyPanels(const calc::RowOptions& row_options) {
    const QColor load(200, 60, 60), unload(40, 120, 200);
    QVector<PlotPanel> panels;
    PlotPanel force{QStringLiteral("变形量 f (mm)"),
                    QStringLiteral("力 F (N)"),
                    QStringLiteral("f"),
                    QStringLiteral("mm"),
                    {Series("F 单片", "F", "N", QColor(0, 90, 200))},
                    {},
                    {},
                    {}};
    PlotPanel stack{QStringLiteral("行程 s (mm)"),
                    QStringLiteral("碟簧组 F_stack (N)"),
                    QStringLiteral("s"),
                    QStringLiteral("mm"),
                    {Series("F_stack 碟簧组", "F_stack", "N", QColor(220, 110, 0))},
                    {},
                    {},
                    {}};
    PlotPanel& rubbing = row_options.stack ? stack : force;
    if (row_options.friction) {
        rubbing.series << Series("F_load 加载", "F_load", "N", load, Qt::DashLine)
                       << Series("F_unload 卸载", "F_unload", "N", unload, Qt::DashLine);
        rubbing.bands << PlotBand{QColor(150, 150, 150), {}, {}};
    }
    panels << force;
    if (row_options.stack) {
        panels << stack;
    }
    panels << PlotPanel{QStringLiteral("变形量 f (mm)"),
                        QStringLiteral("应力 σ (MPa)"),
                        QStringLiteral("f"),
                        QStringLiteral("mm"),
                        {Series("σom", "σom", "MPa", QColor(120, 120, 120)),
                         Series("σ1", "σ1", "MPa", QColor(200, 30, 30)),
                         Series("σ2", "σ2", "MPa", QColor(30, 150, 60)),
                         Series("σ3", "σ3", "MPa", QColor(130, 60, 180))},
                        {},
                        {},
                        {}};
    return panels;
}

void EndLine(CurveTable& table) {
    table.starts.push_back(table.text.size());
}

QStringList Cells(std::string_view line) {
    line.remove_prefix(line.find('\t') + 1);  // the spring number
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    return FromUtf8(line).split(QLatin1Char('\t'));
}

// What the spring is, a line each, for the data sheet; the first is the caption of a picture.
QStringList Describe(const calc::RowInputs& spring, const calc::RowOptions& row_options) {
    const calc::SpringInputs& s = spring.spring;
    QStringList lines;
    lines << QStringLiteral("D = %1 mm，d = %2 mm，t = %3 mm，H = %4 mm%5")
                 .arg(Shown(s.D), Shown(s.d), Shown(s.t), Shown(s.H),
                      row_options.flats
                          ? QStringLiteral("，t′ = %1 mm").arg(Shown(spring.t_reduced))
                          : QString());
    QString material = QStringLiteral("E = %1 MPa，μ = %2")
                           .arg(Shown(row_options.material.E), Shown(row_options.material.mu));
    for (const MaterialChoice& choice : kMaterials) {
        if (Shown(row_options.material.E) == QString::fromUtf8(choice.E) &&
            Shown(row_options.material.mu) == QString::fromUtf8(choice.mu)) {
            material += QStringLiteral("（%1）").arg(QString::fromUtf8(choice.name));
            break;
        }
    }
    lines << material;
    if (row_options.stack) {
        lines << QStringLiteral("碟簧组：%1 组对合串联，每组 %2 片叠合")
                     .arg(row_options.stack->series)
                     .arg(row_options.stack->parallel);
    }
    if (row_options.friction) {
        lines << QStringLiteral("摩擦系数 w_M = %1，w_R = %2（DIN 2092）")
                     .arg(Shown(row_options.friction->w_M), Shown(row_options.friction->w_R));
    }
    if (row_options.flats) {
        lines << QStringLiteral("带支承面、减薄至 t′（DIN 2093 第 3 组）");
    }
    return lines;
}

}  // namespace

std::string_view CurveTable::line(int row) const {
    const std::size_t begin = starts[row + 1], end = starts[row + 2];
    return std::string_view(text).substr(begin, end - begin - 1);
}

CurveContent ComputeCurve(const CurveInputTexts& inputs, std::stop_token stop) {
    CurveContent content;
    NotePartialReads(inputs, content.findings);
    const auto options = ReadOptions(inputs);
    if (const auto* why = std::get_if<QString>(&options)) {
        content.no_table = content.no_plot = *why;
        content.findings << *why;
        return content;
    }
    const calc::RowOptions& row_options = std::get<Reading>(options).row;
    const int steps = std::get<Reading>(options).steps;

    CurveTable& table = content.table;
    table.text.reserve(static_cast<std::size_t>(steps + 2) * 140);
    table.starts.reserve(static_cast<std::size_t>(steps) + 3);
    table.starts.push_back(0);
    rows::AppendCurveTableHeader(row_options, table.text);
    EndLine(table);
    table.fault_span = 6 + (row_options.stack ? 3 : 0) + (row_options.friction ? 2 : 0);
    content.panels = EmptyPanels(row_options);
    PlotPanel& force = content.panels.front();
    PlotPanel& stress = content.panels.back();
    PlotPanel* stack = row_options.stack ? &content.panels[1] : nullptr;
    PlotPanel& rubbing = stack != nullptr ? *stack : force;
    for (PlotPanel* panel : {&force, &stress}) {
        for (PlotSeries& series : panel->series) {
            series.points.reserve(steps + 1);
        }
    }

    const calc::CurveTexts texts{inputs.D, inputs.d,         inputs.t,
                                 inputs.H, inputs.t_reduced, inputs.f_end};
    const auto curve = calc::ReadCurve(texts, steps, row_options);
    QString fault;
    for (int k = 0; k <= steps; ++k) {
        if (k % 1024 == 0 && stop.stop_requested()) {
            return content;
        }
        const calc::CurveRow row = calc::CurveRowAt(curve, k, row_options);
        rows::AppendCurveTableRow(1, row, row_options, table.text);
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
        force.series[0].points << QPointF(f, r.F);
        const double s = results.stack ? results.stack->s : f;
        if (stack != nullptr) {
            stack->series[0].points << QPointF(s, results.stack->F_stack);
        }
        if (results.friction) {
            const QPointF load(s, results.friction->F_load), unload(s, results.friction->F_unload);
            rubbing.series[1].points << load;
            rubbing.series[2].points << unload;
            rubbing.bands[0].upper << load;
            rubbing.bands[0].lower << unload;
        }
        stress.series[0].points << QPointF(f, r.sigma_om);
        stress.series[1].points << QPointF(f, r.sigma1);
        stress.series[2].points << QPointF(f, r.sigma2);
        stress.series[3].points << QPointF(f, r.sigma3);
    }
    content.copy_text = table.text;

    if (curve) {
        const calc::RowInputs& spring = curve->spring;
        const std::optional<double> t_reduced =
            row_options.flats ? std::optional(spring.t_reduced) : std::nullopt;
        // With f = 0 only the findings about D, d, t and H can appear; the plot marks f's limits,
        // where the checks draw them: at flat and 0.75 of the way, as shown.
        const calc::Findings found = calc::CheckRow(spring, row_options);
        for (int i = 0; i < calc::kFindingCount; ++i) {
            const auto finding = static_cast<calc::Finding>(i);
            if (found.has(finding)) {
                content.findings << FromUtf8(
                    rows::FindingSentence(finding, spring.spring, t_reduced));
            }
        }
        const calc::ShownQuantities shown = calc::ShowQuantities(spring.spring, t_reduced);
        const QString h0 = row_options.flats ? QStringLiteral("h0′") : QStringLiteral("h0");
        if (shown.flat > 0 && std::isfinite(shown.flat)) {
            force.markers = {{QStringLiteral("0.75·") + h0, shown.three_quarters},
                             {h0, shown.flat}};
            stress.markers = force.markers;
            if (stack != nullptr) {
                const double i = row_options.stack->series;
                stack->markers = {{QStringLiteral("i·0.75·") + h0, i * shown.three_quarters},
                                  {QStringLiteral("i·") + h0, i * shown.flat}};
            }
        }

        const DesignValues design = ComputeDesignValues(spring, row_options, inputs.points);
        content.points = design.points;
        content.summary = design.summary;
        content.findings << design.findings;
        force.marks = design.force_marks;
        if (stack != nullptr) {
            stack->marks = design.stack_marks;
        }
        std::string points;
        for (std::size_t k = 0; k < design.points.size(); ++k) {
            if (!design.points[k].line.empty()) {
                points += std::to_string(k + 1) + '\t' + design.points[k].line + '\n';
            }
        }
        if (!points.empty()) {
            content.copy_text += "\n工作点\t";
            rows::AppendCurveHeader(row_options, content.copy_text);
            content.copy_text += '\n' + points;
        }

        content.sheet.spring = Describe(spring, row_options);
        content.caption = content.sheet.spring.join(QStringLiteral("；"));
        const auto quarters = calc::ReadCurve(
            {inputs.D, inputs.d, inputs.t, inputs.H, inputs.t_reduced, {}}, 4, row_options);
        std::string header;
        rows::AppendCurveHeader(row_options, header);
        content.sheet.header = FromUtf8(header).split(QLatin1Char('\t'));
        for (int k = 0; k <= 4; ++k) {
            std::string line;
            rows::AppendCurveTableRow(1, calc::CurveRowAt(quarters, k, row_options), row_options,
                                      line);
            content.sheet.rows.push_back(Cells(line));
        }
    }
    if (!fault.isEmpty()) {
        content.findings << fault;
    }
    if (force.series[0].points.isEmpty()) {
        content.no_plot = fault;
    }
    if (content.findings.isEmpty()) {
        content.findings << QStringLiteral("尺寸在设计范围内");
    }
    return content;
}

}  // namespace curve
