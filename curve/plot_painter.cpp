// Painting the plot's shapes with any QPainter.
#include "curve/plot_painter.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace curve {
namespace {

QColor Color(design::Rgb rgb, double alpha = 1) {
    QColor color(rgb.r, rgb.g, rgb.b);
    color.setAlphaF(static_cast<float>(alpha));
    return color;
}

QPolygonF Polygon(const std::vector<design::Point>& points) {
    QPolygonF polygon;
    for (const design::Point& p : points) {
        polygon << ToQt(p);
    }
    return polygon;
}

}  // namespace

design::TextMetrics Metrics(const QFontMetricsF& metrics) {
    return {[metrics](std::string_view text) {
                return metrics.horizontalAdvance(
                    QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
            },
            metrics.ascent(), metrics.descent(), metrics.height()};
}

design::PlotLayout LayOut(const Panels& panels, const QRectF& area, const QFontMetricsF& metrics) {
    return design::PlotLayout(panels, {area.left(), area.top(), area.width(), area.height()},
                              Metrics(metrics));
}

void PaintShapes(QPainter& painter, const std::vector<design::Shape>& shapes) {
    using Kind = design::Shape::Kind;
    const QFontMetricsF metrics(painter.font(), painter.device());
    for (const design::Shape& shape : shapes) {
        painter.save();
        if (shape.clip) {
            painter.setClipRect(ToQt(*shape.clip));
        }
        painter.setPen(shape.stroke ? QPen(Color(*shape.stroke), shape.stroke_width,
                                           shape.dashed ? Qt::DashLine : Qt::SolidLine)
                                    : QPen(Qt::NoPen));
        painter.setBrush(shape.fill && shape.kind != Kind::kText
                             ? QBrush(Color(*shape.fill, shape.fill_alpha))
                             : QBrush(Qt::NoBrush));
        const std::vector<design::Point>& p = shape.points;
        switch (shape.kind) {
            case Kind::kLine:
                painter.drawLine(ToQt(p[0]), ToQt(p[1]));
                break;
            case Kind::kPolyline:
                painter.drawPolyline(Polygon(p));
                break;
            case Kind::kPolygon:
                painter.drawPolygon(Polygon(p));
                break;
            case Kind::kRect:
                painter.drawRect(QRectF(ToQt(p[0]), ToQt(p[1])));
                break;
            case Kind::kCircle:
                painter.drawEllipse(ToQt(p[0]), shape.radius, shape.radius);
                break;
            case Kind::kText: {
                const QString text = QString::fromStdString(shape.text);
                const double width = metrics.horizontalAdvance(text);
                const double shift = shape.anchor == design::Anchor::kMiddle ? width / 2
                                     : shape.anchor == design::Anchor::kEnd  ? width
                                                                             : 0;
                painter.setPen(Color(shape.fill.value_or(design::Rgb{0, 0, 0})));
                painter.translate(ToQt(p[0]));
                if (shape.upright) {
                    painter.rotate(-90);
                }
                painter.drawText(QPointF(-shift, 0), text);
                break;
            }
        }
        painter.restore();
    }
}

void PaintPlot(QPainter& painter, const QRectF& area, const Panels& panels,
               const PlotPoint& hover) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const design::TextMetrics metrics = Metrics(QFontMetricsF(painter.font(), painter.device()));
    const design::PlotLayout layout(panels, {area.left(), area.top(), area.width(), area.height()},
                                    metrics);
    PaintShapes(painter, design::PlotShapes(layout, metrics));
    PaintShapes(painter, design::HoverShapes(layout, hover, metrics));
    painter.restore();
}

}  // namespace curve
