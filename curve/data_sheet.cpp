#include "curve/data_sheet.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>

#include "curve/plot_painter.h"
#include "design/sheet_text.h"

namespace curve {
namespace {

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << QString::fromStdString(text);
    }
    return list;
}

// Lays the sheet out down the page, and paints it when `paint` is set: returns where it ends.
class Sheet {
public:
    Sheet(QPainter& painter, const QRectF& page, bool paint)
        : painter_(painter), page_(page), paint_(paint) {
        wrap_.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    }

    // Lines down the page from `y`, each wrapped to the page's width.
    double Lines(double y, const QStringList& lines) {
        for (const QString& line : lines) {
            const QRectF room(page_.left(), y, page_.width(), 1e6);
            const QRectF used = painter_.boundingRect(room, line, wrap_);
            if (paint_) {
                painter_.drawText(room, line, wrap_);
            }
            y += used.height();
        }
        return y;
    }

    double Heading(double y, const QString& text) {
        QFont bold = painter_.font();
        bold.setBold(true);
        painter_.save();
        painter_.setFont(bold);
        y = Lines(y + QFontMetricsF(bold, painter_.device()).height() * 0.4, {text});
        painter_.restore();
        return y;
    }

    // A table whose every cell is written in full, the header on a grey band: the font shrinks
    // to fit the page's width, and where it would become too small to read the columns after
    // the first go to a second block below, each block led by the first column. A row without
    // numbers writes its error across the columns after the first, cut to the page.
    double Table(double y, const QStringList& header, const std::vector<design::TableRow>& rows) {
        QFont font = painter_.font();
        const double natural = Sum(Widths(font, header, rows));
        const double smallest = 5.5 * scale_;
        const double fitted = font.pointSizeF() * std::min(1.0, page_.width() / natural);
        if (fitted < smallest && header.size() > 2) {
            const qsizetype half = (header.size() + 1) / 2;
            const auto part = [&](qsizetype from, qsizetype to) {
                QStringList h{header[0]};
                h << header.mid(from, to - from);
                std::vector<design::TableRow> r;
                for (const design::TableRow& row : rows) {
                    design::TableRow cells{{row.cells.front()}, row.span};
                    for (qsizetype c = from; c < to; ++c) {
                        const auto at = static_cast<std::size_t>(c);
                        if (row.span == 1 && at < row.cells.size()) {
                            cells.cells.push_back(row.cells[at]);
                        } else if (row.span > 1 && c == from && from == 1) {
                            cells.cells.push_back(row.cells[1]);
                        }
                    }
                    r.push_back(cells);
                }
                return std::make_pair(h, r);
            };
            const auto [h1, r1] = part(1, half);
            const auto [h2, r2] = part(half, header.size());
            y = Table(y, h1, r1);
            return Table(y + QFontMetricsF(font, painter_.device()).height() * 0.5, h2, r2);
        }
        font.setPointSizeF(std::max(fitted, smallest));
        painter_.save();
        painter_.setFont(font);
        const QFontMetricsF metrics(font, painter_.device());
        const std::vector<double> widths = Widths(font, header, rows);
        const double line = metrics.height() * 1.2;
        if (paint_) {
            painter_.fillRect(QRectF(page_.left(), y, std::min(Sum(widths), page_.width()), line),
                              QColor(230, 230, 230));
        }
        const auto paint_row = [&](const QStringList& cells, bool spans) {
            double x = page_.left();
            for (qsizetype c = 0; c < cells.size() && paint_; ++c) {
                const double width =
                    spans && c == 1 ? page_.right() - x : widths[static_cast<std::size_t>(c)];
                const QString text = metrics.elidedText(cells[c], Qt::ElideRight, width);
                painter_.drawText(QRectF(x, y, width, line), Qt::AlignLeft | Qt::AlignVCenter,
                                  text);
                x += width;
            }
            y += line;
        };
        paint_row(header, false);
        for (const design::TableRow& row : rows) {
            QStringList cells;
            for (const std::string& cell : row.cells) {
                cells << QString::fromStdString(cell);
            }
            paint_row(cells.mid(0, row.span > 1 ? 2 : header.size()), row.span > 1);
        }
        painter_.restore();
        return y;
    }

    void set_scale(double scale) { scale_ = scale; }

private:
    // The widths the cells of each column need on the device, with a gap after each; an error
    // written across columns asks for none.
    std::vector<double> Widths(const QFont& font, const QStringList& header,
                               const std::vector<design::TableRow>& rows) const {
        const QFontMetricsF metrics(font, painter_.device());
        std::vector<double> widths(static_cast<std::size_t>(header.size()), 0);
        for (std::size_t c = 0; c < widths.size(); ++c) {
            double& width = widths[c];
            width = metrics.horizontalAdvance(header[static_cast<qsizetype>(c)]);
            for (const design::TableRow& row : rows) {
                if (c < row.cells.size() && (row.span == 1 || c == 0)) {
                    width = std::max(
                        width, metrics.horizontalAdvance(QString::fromStdString(row.cells[c])));
                }
            }
            width += metrics.horizontalAdvance(QStringLiteral("  "));
        }
        return widths;
    }

    static double Sum(const std::vector<double>& widths) {
        double sum = 0;
        for (const double width : widths) {
            sum += width;
        }
        return sum;
    }

    QPainter& painter_;
    QRectF page_;
    bool paint_;
    double scale_ = 1;
    QTextOption wrap_;
};

// The sheet at `scale` times its natural text size; returns where it ends.
double Layout(QPainter& painter, const QRectF& page, const design::Sheet& sheet, const QFont& font,
              double scale, bool paint) {
    Sheet out(painter, page, paint);
    out.set_scale(scale);
    QFont text = font;
    text.setPointSizeF(9 * scale);
    QFont title = font;
    title.setPointSizeF(16 * scale);
    title.setBold(true);
    QFont small = text;
    small.setPointSizeF(7.5 * scale);
    painter.setPen(Qt::black);
    painter.setFont(title);
    double y = out.Lines(page.top(), {QStringLiteral("碟形弹簧数据表")});
    painter.setFont(text);
    y = out.Lines(y, Texts(design::SpringLines(sheet)));
    y = out.Lines(y, Texts(design::TestLines(sheet)));

    const QStringList header = Texts(design::HeaderCells(sheet));
    std::vector<design::TableRow> points;
    for (int k = 0; k < 2; ++k) {
        design::TableRow row = design::PointRow(sheet, k, rows::Precision::kReader);
        if (!row.cells.empty()) {
            points.push_back(std::move(row));
        }
    }
    y = out.Heading(y, QStringLiteral("工作点"));
    if (!points.empty()) {
        y = out.Table(y, header, points);
    }
    const std::vector<std::string> summary = design::Summary(sheet);
    y = out.Lines(y,
                  summary.empty() ? QStringList{QStringLiteral("没有给出工作点")} : Texts(summary));
    y = out.Heading(y, QStringLiteral("设计检查"));
    y = out.Lines(y, Texts(design::FindingSentences(sheet)));

    const std::vector<design::TableRow> quarters =
        design::QuarterRows(sheet, rows::Precision::kReader);
    // The plot takes what the table and the note below leave, at most half the page.
    const QString heading = QStringLiteral("特性（0、0.25、0.5、0.75、1 倍压平变形量）");
    const QString note = QStringLiteral(
        "由 disc-spring-curve 计算；数值取 4 位有效数字、长度到 0.001 mm，全部位数见特性表与"
        "“复制表格”，与计算器在相同输入下显示的相同。");
    const double line = QFontMetricsF(text, painter.device()).height() * 1.2;
    painter.setFont(small);
    Sheet measure(painter, page, false);
    measure.set_scale(scale);
    const double table = measure.Table(0, header, quarters);
    painter.setFont(text);
    const double below = table + line * 6;  // the heading, the note and their gaps
    const double plot = std::min(page.height() * 0.5, page.bottom() - y - below);
    if (plot > line * 8 && design::NoPlot(sheet).empty()) {
        QFont axes = text;
        axes.setPointSizeF(8 * scale);
        painter.setFont(axes);
        if (paint) {
            PaintPlot(painter, QRectF(page.left(), y + line * 0.5, page.width(), plot), sheet.plot);
        }
        painter.setFont(text);
        y += plot + line * 0.5;
    }
    y = out.Heading(y, heading);
    painter.setFont(small);
    y = out.Table(y, header, quarters);
    painter.setFont(text);
    return out.Lines(y + line * 0.5, {note});
}

}  // namespace

void PaintDataSheet(QPainter& painter, const QRectF& page, const design::Sheet& sheet,
                    const QFont& font) {
    painter.save();
    // Shrinks in steps of a tenth until the sheet fits; the smallest size is painted regardless.
    double scale = 1;
    while (scale > 0.45 && Layout(painter, page, sheet, font, scale, false) > page.bottom()) {
        scale *= 0.9;
    }
    Layout(painter, page, sheet, font, scale, true);
    painter.restore();
}

bool WriteDataSheet(const QString& path, const design::Sheet& sheet, const QFont& font) {
    QPdfWriter pdf(path);
    pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                  QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    pdf.setResolution(300);
    pdf.setTitle(QStringLiteral("碟形弹簧数据表 — ") +
                 QString::fromStdString(design::Caption(sheet)));
    pdf.setCreator(QStringLiteral("disc-spring-curve"));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        return false;
    }
    PaintDataSheet(painter, QRectF(QPointF(0, 0), pdf.pageLayout().paintRectPixels(300).size()),
                   sheet, font);
    return painter.end();
}

}  // namespace curve
