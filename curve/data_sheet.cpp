#include "curve/data_sheet.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

#include "curve/plot_painter.h"

namespace curve {
namespace {

// Writes lines down the page from `y`, wrapped to its width; returns where the next goes.
double Lines(QPainter& painter, const QRectF& page, double y, const QStringList& lines) {
    for (const QString& line : lines) {
        const QRectF room(page.left(), y, page.width(), page.bottom() - y);
        const QRectF used = painter.boundingRect(room, Qt::TextWordWrap, line);
        painter.drawText(room, Qt::TextWordWrap, line);
        y += used.height();
    }
    return y;
}

double Heading(QPainter& painter, const QRectF& page, double y, const QString& text,
               const QFont& font) {
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    y = Lines(painter, page, y + QFontMetricsF(bold, painter.device()).height() * 0.4, {text});
    painter.setFont(font);
    return y;
}

// The widths the cells of each column need on the device, with a gap after each.
std::vector<double> Widths(const QFont& font, QPaintDevice* device, const QStringList& header,
                           const std::vector<QStringList>& rows) {
    const QFontMetricsF metrics(font, device);
    std::vector<double> widths(static_cast<std::size_t>(header.size()), 0);
    for (qsizetype c = 0; c < header.size(); ++c) {
        double& width = widths[static_cast<std::size_t>(c)];
        width = metrics.horizontalAdvance(header[c]);
        for (const QStringList& row : rows) {
            width = std::max(width, metrics.horizontalAdvance(row.value(c)));
        }
        width += metrics.horizontalAdvance(QStringLiteral("  "));
    }
    return widths;
}

double Sum(const std::vector<double>& widths) {
    double sum = 0;
    for (const double width : widths) {
        sum += width;
    }
    return sum;
}

// A table whose every cell is written in full, the header on a grey band: the font shrinks to
// fit the page's width, and where it would become too small to read the columns after the
// first go to a second block below, each block led by the first column.
double Table(QPainter& painter, const QRectF& page, double y, const QStringList& header,
             const std::vector<QStringList>& rows, bool paint = true) {
    QFont font = painter.font();
    const double natural = Sum(Widths(font, painter.device(), header, rows));
    const double smallest = 5.5;
    const double fitted = font.pointSizeF() * std::min(1.0, page.width() / natural);
    if (fitted < smallest && header.size() > 2) {
        // Two blocks, each with the first column.
        const qsizetype half = (header.size() + 1) / 2;
        const auto part = [&](qsizetype from, qsizetype to) {
            QStringList h{header[0]};
            h << header.mid(from, to - from);
            std::vector<QStringList> r;
            for (const QStringList& row : rows) {
                QStringList cells{row.value(0)};
                cells << row.mid(from, to - from);
                r.push_back(cells);
            }
            return std::make_pair(h, r);
        };
        const auto [h1, r1] = part(1, half);
        const auto [h2, r2] = part(half, header.size());
        y = Table(painter, page, y, h1, r1, paint);
        return Table(painter, page, y + QFontMetricsF(font, painter.device()).height() * 0.5, h2,
                     r2, paint);
    }
    font.setPointSizeF(std::max(fitted, smallest));
    painter.save();
    painter.setFont(font);
    const std::vector<double> widths = Widths(font, painter.device(), header, rows);
    const double line = QFontMetricsF(font, painter.device()).height() * 1.2;
    if (!paint) {
        painter.restore();
        return y + line * static_cast<double>(rows.size() + 1);
    }
    painter.fillRect(QRectF(page.left(), y, Sum(widths), line), QColor(230, 230, 230));
    std::vector<QStringList> all = {header};
    all.insert(all.end(), rows.begin(), rows.end());
    for (const QStringList& row : all) {
        double x = page.left();
        for (qsizetype c = 0; c < header.size(); ++c) {
            const double width = widths[static_cast<std::size_t>(c)];
            painter.drawText(QRectF(x, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                             row.value(c));
            x += width;
        }
        y += line;
    }
    painter.restore();
    return y;
}

}  // namespace

void PaintDataSheet(QPainter& painter, const QRectF& page, const CurveContent& content,
                    const QFont& font) {
    painter.save();
    QFont text = font;
    text.setPointSizeF(9);
    QFont title = font;
    title.setPointSizeF(16);
    title.setBold(true);
    painter.setPen(Qt::black);
    painter.setFont(title);
    double y = Lines(painter, page, page.top(), {QStringLiteral("碟形弹簧数据表")});
    painter.setFont(text);
    y = Lines(painter, page, y, content.sheet.spring);

    std::vector<QStringList> points;
    for (const WorkingPoint& point : content.points) {
        if (!point.cells.isEmpty()) {
            points.push_back(point.cells);
        }
    }
    y = Heading(painter, page, y, QStringLiteral("工作点"), text);
    if (!points.empty()) {
        y = Table(painter, page, y, content.sheet.header, points);
    }
    y = Lines(painter, page, y,
              content.summary.isEmpty() ? QStringList{QStringLiteral("没有给出工作点")}
                                        : content.summary);
    y = Heading(painter, page, y, QStringLiteral("设计检查"), text);
    y = Lines(painter, page, y, content.findings);

    // The plot takes what the table and the note below leave, at most half the page.
    const QString heading = QStringLiteral("特性（0、0.25、0.5、0.75、1 倍压平变形量）");
    const QString note =
        QStringLiteral("由 disc-spring-curve 计算；每个数值都与计算器在相同输入下显示的相同。");
    const double line = QFontMetricsF(text, painter.device()).height() * 1.2;
    QFont small = text;
    small.setPointSizeF(7.5);
    painter.setFont(small);
    const double table = Table(painter, page, 0, content.sheet.header, content.sheet.rows, false);
    painter.setFont(text);
    const double below = table + line * 6;  // the heading, the note and their gaps
    const double plot = std::min(page.height() * 0.5, page.bottom() - y - below);
    if (plot > line * 8) {
        QFont axes = text;
        axes.setPointSizeF(8);
        painter.setFont(axes);
        PaintPlot(painter, QRectF(page.left(), y + line * 0.5, page.width(), plot), content.panels);
        painter.setFont(text);
        y += plot + line * 0.5;
    }
    y = Heading(painter, page, y, heading, text);
    painter.setFont(small);
    y = Table(painter, page, y, content.sheet.header, content.sheet.rows);
    painter.setFont(text);
    Lines(painter, page, y + line * 0.5, {note});
    painter.restore();
}

bool WriteDataSheet(const QString& path, const CurveContent& content, const QFont& font) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("碟形弹簧数据表 — ") + content.caption);
    pdf.setCreator(QStringLiteral("disc-spring-curve"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    PaintDataSheet(painter, QRectF(QPointF(0, 0), pdf.pageLayout().paintRectPixels(300).size()),
                   content, font);
    return painter.end();
}

}  // namespace curve
