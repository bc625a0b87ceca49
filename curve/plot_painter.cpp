#include "curve/plot_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace curve {
namespace {

constexpr int kTicks = 6;

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();
    void add(double v) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
};

QString PointText(const PlotPanel& panel, const PlotSeries& series, QPointF p) {
    return QStringLiteral("%1: %2 = %3, %4 = %5")
        .arg(series.name, panel.x_label, TickLabel(p.x()), panel.y_label, TickLabel(p.y()));
}

void PaintAxes(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    const QFontMetricsF metrics(painter.font());
    painter.setPen(QPen(QColor(225, 225, 225), 0));
    for (const double x : layout.x(index).ticks) {
        const double px = layout.map(index, {x, 0}).x();
        painter.drawLine(QPointF(px, frame.top()), QPointF(px, frame.bottom()));
    }
    for (const double y : layout.y(index).ticks) {
        const double py = layout.map(index, {0, y}).y();
        painter.drawLine(QPointF(frame.left(), py), QPointF(frame.right(), py));
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawRect(frame);
    for (const double x : layout.x(index).ticks) {
        const QString label = TickLabel(x);
        const double px = layout.map(index, {x, 0}).x();
        painter.drawLine(QPointF(px, frame.bottom()), QPointF(px, frame.bottom() + 4));
        painter.drawText(QPointF(px - metrics.horizontalAdvance(label) / 2,
                                 frame.bottom() + 4 + metrics.ascent()),
                         label);
    }
    for (const double y : layout.y(index).ticks) {
        const QString label = TickLabel(y);
        const double py = layout.map(index, {0, y}).y();
        painter.drawLine(QPointF(frame.left() - 4, py), QPointF(frame.left(), py));
        painter.drawText(QPointF(frame.left() - 6 - metrics.horizontalAdvance(label),
                                 py + metrics.ascent() / 2 - 1),
                         label);
    }
    painter.drawText(QRectF(frame.left(), frame.bottom() + 6 + metrics.height(), frame.width(),
                            metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, panel.x_label);
    painter.save();
    painter.translate(frame.left() - 10 - metrics.horizontalAdvance(QStringLiteral("-00000.0")),
                      frame.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRectF(-frame.height() / 2, -metrics.height(), frame.height(), metrics.height()),
        Qt::AlignCenter, panel.y_label);
    painter.restore();
}

void PaintMarkers(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    painter.setPen(QPen(QColor(120, 120, 120), 0, Qt::DashLine));
    for (const PlotMarker& marker : panel.markers) {
        const double px = layout.map(index, {marker.x, 0}).x();
        if (px < frame.left() || px > frame.right()) {
            continue;
        }
        painter.drawLine(QPointF(px, frame.top()), QPointF(px, frame.bottom()));
        painter.drawText(QPointF(px + 3, frame.bottom() - 4), marker.label);
    }
}

void PaintSeries(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    painter.save();
    painter.setClipRect(layout.frame(index));
    for (const PlotSeries& series : panel.series) {
        QPolygonF line;
        line.reserve(series.points.size());
        for (const QPointF& p : series.points) {
            line << layout.map(index, p);
        }
        painter.setPen(QPen(series.color, 1.5));
        painter.drawPolyline(line);
    }
    painter.restore();
}

void PaintLegend(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    const QFontMetricsF metrics(painter.font());
    double x = frame.left() + 4;
    const double y = frame.top() - metrics.descent() - 3;
    for (const PlotSeries& series : panel.series) {
        painter.setPen(QPen(series.color, 2));
        painter.drawLine(QPointF(x, y - metrics.ascent() / 3),
                         QPointF(x + 18, y - metrics.ascent() / 3));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QPointF(x + 22, y), series.name);
        x += 22 + metrics.horizontalAdvance(series.name) + 16;
    }
}

void PaintHover(QPainter& painter, const PlotLayout& layout, const QVector<PlotPanel>& panels,
                const PlotPoint& hover) {
    const PlotPanel& panel = panels[hover.panel];
    const PlotSeries& series = panel.series[hover.series];
    const QPointF data = series.points[hover.point];
    const QPointF at = layout.map(hover.panel, data);
    painter.setPen(QPen(series.color, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4, 4);

    const QString text = PointText(panel, series, data);
    const QFontMetricsF metrics(painter.font());
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 10, metrics.height() + 6);
    const QRectF frame = layout.frame(hover.panel);
    box.moveTopLeft(at + QPointF(8, -box.height() - 8));
    if (box.right() > frame.right()) {
        box.moveRight(at.x() - 8);
    }
    if (box.top() < frame.top()) {
        box.moveTop(at.y() + 8);
    }
    painter.setPen(QPen(QColor(90, 90, 90), 0));
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

PlotLayout::PlotLayout(const QVector<PlotPanel>& panels, const QRectF& area,
                       const QFontMetricsF& metrics)
    : panels_(panels) {
    const double line = metrics.height();
    const double left = metrics.horizontalAdvance(QStringLiteral("-00000.0")) + line + 16;
    const double height = area.height() / std::max<qsizetype>(panels.size(), 1);
    for (qsizetype i = 0; i < panels.size(); ++i) {
        const QRectF slot(area.left(), area.top() + height * i, area.width(), height);
        frames_.push_back(slot.adjusted(left, line + 8, -16, -(2 * line + 12)));
        Range x, y;
        y.add(0);
        for (const PlotSeries& series : panels[i].series) {
            for (const QPointF& p : series.points) {
                x.add(p.x());
                y.add(p.y());
            }
        }
        for (const PlotMarker& marker : panels[i].markers) {
            x.add(marker.x);
        }
        x_.push_back(ChooseScale(x.low, x.high, kTicks));
        y_.push_back(ChooseScale(y.low, y.high, kTicks));
    }
}

QPointF PlotLayout::map(int panel, QPointF data) const {
    const QRectF& f = frames_[panel];
    const AxisScale &x = x_[panel], &y = y_[panel];
    return {f.left() + (data.x() - x.low) / (x.high - x.low) * f.width(),
            f.bottom() - (data.y() - y.low) / (y.high - y.low) * f.height()};
}

PlotPoint PlotLayout::nearest(QPointF position, double radius) const {
    PlotPoint best;
    double best_distance = radius * radius;
    for (int p = 0; p < count(); ++p) {
        if (!frames_[p].adjusted(-radius, -radius, radius, radius).contains(position)) {
            continue;
        }
        const auto& series = panels_[p].series;
        for (int s = 0; s < series.size(); ++s) {
            for (int i = 0; i < series[s].points.size(); ++i) {
                const QPointF d = map(p, series[s].points[i]) - position;
                const double distance = d.x() * d.x() + d.y() * d.y();
                if (distance <= best_distance) {
                    best_distance = distance;
                    best = {p, s, i};
                }
            }
        }
    }
    return best;
}

void PaintPlot(QPainter& painter, const QRectF& area, const QVector<PlotPanel>& panels,
               const PlotPoint& hover) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const PlotLayout layout(panels, area, QFontMetricsF(painter.font()));
    for (int i = 0; i < layout.count(); ++i) {
        PaintAxes(painter, layout, i, panels[i]);
        PaintMarkers(painter, layout, i, panels[i]);
        PaintSeries(painter, layout, i, panels[i]);
        PaintLegend(painter, layout, i, panels[i]);
    }
    if (hover.valid() && hover.panel < panels.size() &&
        hover.series < panels[hover.panel].series.size() &&
        hover.point < panels[hover.panel].series[hover.series].points.size()) {
        PaintHover(painter, layout, panels, hover);
    }
    painter.restore();
}

}  // namespace curve
