#include "curve/plot_painter.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace curve {
namespace {

constexpr double kTickLength = 4;  // in units of PlotLayout::unit()
constexpr double kGap = 4;         // between a tick, its label and the axis title

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QColor Color(design::Rgb rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

Qt::PenStyle Style(design::LineStyle style) {
    return style == design::LineStyle::kDashed ? Qt::DashLine : Qt::SolidLine;
}

QString TickLabel(double value) {
    return Text(design::TickLabel(value));
}

using design::HasPoints;

double WidestLabel(const std::vector<double>& ticks, const QFontMetricsF& metrics) {
    double widest = 0;
    for (const double tick : ticks) {
        widest = std::max(widest, metrics.horizontalAdvance(TickLabel(tick)));
    }
    return widest;
}

void PaintAxes(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double tick = kTickLength * layout.unit(), gap = kGap * layout.unit();
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
        painter.drawLine(QPointF(px, frame.bottom()), QPointF(px, frame.bottom() + tick));
        painter.drawText(QPointF(px - metrics.horizontalAdvance(label) / 2,
                                 frame.bottom() + tick + metrics.ascent()),
                         label);
    }
    for (const double y : layout.y(index).ticks) {
        const QString label = TickLabel(y);
        const double py = layout.map(index, {0, y}).y();
        const double width = metrics.horizontalAdvance(label);
        painter.drawLine(QPointF(frame.left() - tick, py), QPointF(frame.left(), py));
        painter.drawText(QPointF(frame.left() - tick - gap / 2 - width,
                                 py + metrics.ascent() / 2 - layout.unit()),
                         label);
    }
    painter.drawText(QRectF(frame.left(), frame.bottom() + tick + metrics.height(), frame.width(),
                            metrics.height()),
                     Qt::AlignHCenter | Qt::AlignTop, Text(panel.x_label));
    painter.save();
    painter.translate(frame.left() - tick - gap / 2 - layout.tick_label_width() - gap,
                      frame.center().y());
    painter.rotate(-90);
    painter.drawText(
        QRectF(-frame.height() / 2, -metrics.height(), frame.height(), metrics.height()),
        Qt::AlignCenter, metrics.elidedText(Text(panel.y_label), Qt::ElideRight, frame.height()));
    painter.restore();
}

void PaintMarkers(QPainter& painter, const PlotLayout& layout, int index) {
    const QRectF frame = layout.frame(index);
    for (const PlacedMarker& marker : layout.markers(index)) {
        painter.setPen(QPen(QColor(120, 120, 120), 0, Qt::DashLine));
        painter.drawLine(QPointF(marker.x, frame.top()), QPointF(marker.x, frame.bottom()));
        painter.setPen(QPen(QColor(90, 90, 90), 0));
        painter.drawText(marker.box, Qt::AlignLeft | Qt::AlignVCenter, marker.label);
    }
}

std::vector<PlacedMarker> PlaceMarkers(const PlotLayout& layout, int index, const PlotPanel& panel,
                                       const QFontMetricsF& metrics) {
    const QRectF frame = layout.frame(index);
    std::vector<design::PlotMarker> sorted = panel.markers;
    std::sort(sorted.begin(), sorted.end(),
              [](const design::PlotMarker& a, const design::PlotMarker& b) { return a.x < b.x; });
    std::vector<PlacedMarker> placed;
    for (const design::PlotMarker& marker : sorted) {
        const double px = layout.map(index, {marker.x, 0}).x();
        if (!(px >= frame.left() - 0.5 && px <= frame.right() + 0.5)) {
            continue;
        }
        const QString label = Text(marker.label);
        const double width = metrics.horizontalAdvance(label) + 1;
        const double left = px + 3 + width <= frame.right() - 2 ? px + 3 : px - 3 - width;
        QRectF box(left, frame.bottom() - 3 - metrics.height(), width, metrics.height());
        while (
            std::any_of(placed.begin(), placed.end(),
                        [&box](const PlacedMarker& other) { return other.box.intersects(box); }) &&
            box.top() - metrics.height() > frame.top()) {
            box.translate(0, -metrics.height());
        }
        placed.push_back({px, box, label});
    }
    return placed;
}

// A series of many more points than the frame has pixel columns is drawn through the first,
// lowest, highest and last point of each column: the same picture, a fraction of the work.
QPolygonF Drawn(const PlotLayout& layout, int index, const std::vector<design::Point>& points) {
    QPolygonF line;
    const auto columns = static_cast<int>(std::ceil(layout.frame(index).width()));
    for (const design::Point& p : design::Thinned(points, layout.x(index), columns)) {
        line << layout.map(index, ToQt(p));
    }
    return line;
}

void PaintBands(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    painter.save();
    painter.setClipRect(layout.frame(index));
    painter.setPen(Qt::NoPen);
    for (const design::PlotBand& band : panel.bands) {
        QPolygonF area = Drawn(layout, index, band.upper);
        const QPolygonF lower = Drawn(layout, index, band.lower);
        for (auto it = lower.rbegin(); it != lower.rend(); ++it) {
            area << *it;
        }
        QColor fill = Color(band.color);
        fill.setAlpha(50);
        painter.setBrush(fill);
        painter.drawPolygon(area);
    }
    painter.restore();
}

// A dot on the line and its label above right of it, or wherever it stays inside the frame.
void PaintMarks(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const design::PlotMark& mark : panel.marks) {
        const QPointF at = layout.map(index, ToQt(mark.at));
        const QString label = Text(mark.label);
        if (!frame.adjusted(-1, -1, 1, 1).contains(at)) {
            continue;
        }
        const double u = layout.unit();
        painter.setPen(QPen(Qt::black, u));
        painter.setBrush(Qt::white);
        painter.drawEllipse(at, 4 * u, 4 * u);
        QRectF box(0, 0, metrics.horizontalAdvance(label) + 2, metrics.height());
        box.moveBottomLeft(at + QPointF(5 * u, -4 * u));
        if (box.right() > frame.right()) {
            box.moveRight(at.x() - 5 * u);
        }
        if (box.top() < frame.top()) {
            box.moveTop(at.y() + 4 * u);
        }
        painter.setPen(Qt::black);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, label);
    }
}

void PaintSeries(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    painter.save();
    painter.setClipRect(layout.frame(index));
    for (const PlotSeries& series : panel.series) {
        painter.setPen(QPen(Color(series.color), 1.5 * layout.unit(), Style(series.style)));
        painter.drawPolyline(Drawn(layout, index, series.points));
    }
    painter.restore();
}

void PaintLegend(QPainter& painter, const PlotLayout& layout, int index, const PlotPanel& panel) {
    const QRectF frame = layout.frame(index);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const double u = layout.unit();
    double x = frame.left() + 4 * u;
    const double y = frame.top() - metrics.descent() - 3 * u;
    for (const PlotSeries& series : panel.series) {
        if (series.points.empty()) {
            continue;
        }
        const QString name = Text(series.name);
        painter.setPen(QPen(Color(series.color), 2 * u, Style(series.style)));
        painter.drawLine(QPointF(x, y - metrics.ascent() / 3),
                         QPointF(x + 18 * u, y - metrics.ascent() / 3));
        painter.setPen(QPen(Qt::black, 0));
        painter.drawText(QPointF(x + 22 * u, y), name);
        x += 22 * u + metrics.horizontalAdvance(name) + 16 * u;
    }
}

void PaintHover(QPainter& painter, const PlotLayout& layout, const Panels& panels,
                const PlotPoint& hover) {
    const PlotPanel& panel = panels[static_cast<std::size_t>(hover.panel)];
    const PlotSeries& series = panel.series[static_cast<std::size_t>(hover.series)];
    const design::Point data = series.points[static_cast<std::size_t>(hover.point)];
    const QPointF at = layout.map(hover.panel, ToQt(data));
    const double u = layout.unit();
    painter.setPen(QPen(Color(series.color), 2 * u));
    painter.setBrush(Qt::white);
    painter.drawEllipse(at, 4 * u, 4 * u);

    const QString text = PointText(panel, series, data);
    const QFontMetricsF metrics(painter.font(), painter.device());
    const QRectF area = layout.area();
    QRectF box(0, 0, metrics.horizontalAdvance(text) + 10 * u, metrics.height() + 6 * u);
    box.moveTopLeft(at + QPointF(8 * u, -box.height() - 8 * u));
    if (box.right() > area.right()) {
        box.moveRight(at.x() - 8 * u);
    }
    if (box.top() < area.top()) {
        box.moveTop(at.y() + 8 * u);
    }
    box.moveLeft(std::max(area.left(), std::min(box.left(), area.right() - box.width())));
    box.moveTop(std::max(area.top(), std::min(box.top(), area.bottom() - box.height())));
    painter.setPen(QPen(QColor(90, 90, 90), 0));
    painter.setBrush(QColor(255, 255, 225));
    painter.drawRect(box);
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

QString PointText(const PlotPanel& panel, const PlotSeries& series, design::Point point) {
    return QStringLiteral("%1: %2 = %3 %4, %5 = %6 %7")
        .arg(Text(series.name), Text(panel.x_symbol),
             Text(design::ValueText(point.x, panel.x_unit)), Text(panel.x_unit),
             Text(series.symbol), Text(design::ValueText(point.y, series.unit)), Text(series.unit));
}

PlotLayout::PlotLayout(const Panels& panels, const QRectF& area, const QFontMetricsF& metrics)
    : panels_(panels), area_(area), frames_(panels.size()) {
    double widest_y = 0, last_x = 0;
    int drawn = 0;
    for (const PlotPanel& panel : panels) {
        const design::PanelScales scales = design::ScalesOf(panel);
        x_.push_back(scales.x);
        y_.push_back(scales.y);
        if (HasPoints(panel)) {
            ++drawn;
            widest_y = std::max(widest_y, WidestLabel(y_.back().ticks, metrics));
            if (!x_.back().ticks.empty()) {
                last_x = std::max(last_x, metrics.horizontalAdvance(TickLabel(x_.back().high)));
            }
        }
    }
    // Room for the widest tick label and the axis title beside it; the last x label is centred
    // on the frame's right edge.
    tick_label_width_ = widest_y;
    const double line = metrics.height();
    unit_ = std::max(1.0, line / 17);
    const double u = unit_;
    const double left = (kTickLength + kGap * 1.5 + 4) * u + widest_y + line;
    const double right = std::max(16 * u, last_x / 2 + 4 * u);
    const double height = area.height() / std::max(drawn, 1);
    int slot = 0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        if (!HasPoints(panels[i])) {
            continue;
        }
        const QRectF place(area.left(), area.top() + height * slot++, area.width(), height);
        const QRectF frame =
            place.adjusted(left, line + 8 * u, -right, -((kTickLength + 8) * u + 2 * line));
        frames_[i] = frame.isValid() ? frame : QRectF(place.center(), QSizeF(1, 1));
    }
    markers_.resize(panels.size());
    for (int i = 0; i < count(); ++i) {
        if (shown(i)) {
            markers_[i] = PlaceMarkers(*this, i, panels[static_cast<std::size_t>(i)], metrics);
        }
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
        if (!shown(p) ||
            !frames_[p].adjusted(-radius, -radius, radius, radius).contains(position)) {
            continue;
        }
        const auto& series = panels_[static_cast<std::size_t>(p)].series;
        for (std::size_t s = 0; s < series.size(); ++s) {
            for (std::size_t i = 0; i < series[s].points.size(); ++i) {
                const QPointF d = map(p, ToQt(series[s].points[i])) - position;
                const double distance = d.x() * d.x() + d.y() * d.y();
                if (distance <= best_distance) {
                    best_distance = distance;
                    best = {p, static_cast<int>(s), static_cast<int>(i)};
                }
            }
        }
    }
    return best;
}

void PaintPlot(QPainter& painter, const QRectF& area, const Panels& panels,
               const PlotPoint& hover) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(area, Qt::white);
    const PlotLayout layout(panels, area, QFontMetricsF(painter.font(), painter.device()));
    for (int i = 0; i < layout.count(); ++i) {
        if (!layout.shown(i)) {
            continue;
        }
        const PlotPanel& panel = panels[static_cast<std::size_t>(i)];
        PaintAxes(painter, layout, i, panel);
        PaintBands(painter, layout, i, panel);
        PaintMarkers(painter, layout, i);
        PaintSeries(painter, layout, i, panel);
        PaintMarks(painter, layout, i, panel);
        PaintLegend(painter, layout, i, panel);
    }
    const auto index = [](int i) { return static_cast<std::size_t>(i); };
    if (hover.valid() && index(hover.panel) < panels.size() && layout.shown(hover.panel) &&
        index(hover.series) < panels[index(hover.panel)].series.size() &&
        index(hover.point) < panels[index(hover.panel)].series[index(hover.series)].points.size()) {
        PaintHover(painter, layout, panels, hover);
    }
    painter.restore();
}

}  // namespace curve
