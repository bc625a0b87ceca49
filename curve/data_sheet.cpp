// The data sheet painted on a page: its sections as design/ lays them out.
#include "curve/data_sheet.h"

#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QTextOption>
#include <algorithm>

#include "curve/plot_painter.h"
#include "curve/words.h"
#include "design/data_sheet.h"

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

// The sections from `first` on, at `scale` times their natural text size, from `y`; returns where
// they end. The plot takes what the sections after it leave, at most half the page.
double Sections(QPainter& painter, const QRectF& page, const design::Sheet& sheet,
                const std::vector<design::DataSheetSection>& sections, std::size_t first,
                const QFont& font, double scale, double y, bool paint) {
    Sheet out(painter, page, paint);
    out.set_scale(scale);
    QFont text = font;
    text.setPointSizeF(9 * scale);
    QFont small = text;
    small.setPointSizeF(7.5 * scale);
    const double line = QFontMetricsF(text, painter.device()).height() * 1.2;
    for (std::size_t i = first; i < sections.size(); ++i) {
        const design::DataSheetSection& section = sections[i];
        painter.setFont(text);
        if (section.plot) {
            const double below =
                Sections(painter, page, sheet, sections, i + 1, font, scale, 0, false);
            const double plot = std::min(page.height() * 0.5, page.bottom() - y - below - line);
            if (plot > line * 8) {
                QFont axes = text;
                axes.setPointSizeF(8 * scale);
                painter.setFont(axes);
                if (paint) {
                    PaintPlot(painter, QRectF(page.left(), y + line * 0.5, page.width(), plot),
                              sheet.plot);
                }
                y += plot + line * 0.5;
            }
            continue;
        }
        if (!section.heading.empty()) {
            y = out.Heading(y, QString::fromStdString(section.heading));
        }
        if (!section.header.empty()) {
            painter.setFont(section.small_table ? small : text);
            y = out.Table(y, Texts(section.header), section.rows);
            painter.setFont(text);
        }
        if (!section.lines.empty()) {
            y = out.Lines(y + (section.heading.empty() && i > 0 ? line * 0.5 : 0),
                          Texts(section.lines));
        }
    }
    return y;
}

// The sheet at `scale` times its natural text size; returns where it ends.
double Layout(QPainter& painter, const QRectF& page, const design::Sheet& sheet, const QFont& font,
              double scale, bool paint) {
    const design::DataSheet data =
        design::DataSheetOf(sheet, Say(design::Word::kComputedByWindow).toStdString());
    Sheet out(painter, page, paint);
    QFont title = font;
    title.setPointSizeF(16 * scale);
    title.setBold(true);
    painter.setPen(Qt::black);
    painter.setFont(title);
    const double y = out.Lines(page.top(), {QString::fromStdString(data.title)});
    return Sections(painter, page, sheet, data.sections, 0, font, scale, y, paint);
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
    pdf.setTitle(Say(design::Word::kDataSheetPdfTitle,
                     {{"caption", QString::fromStdString(design::Caption(sheet))}}));
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
