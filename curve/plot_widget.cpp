// The plot widget: its painting, pictures and the point under the mouse.
#include "curve/plot_widget.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>

#include "curve/plot_painter.h"

namespace curve {

PlotWidget::PlotWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setMinimumSize(240, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PlotWidget::setPanels(std::shared_ptr<const Panels> panels) {
    panels_ = std::move(panels);
    hover_ = {};
    setAccessibleDescription({});
    update();
}

bool PlotWidget::save(const QString& path, const QString& title, const QString& caption) const {
    // The caption wraps below the plot, however long it is, and the picture grows to hold it.
    const design::Picture picture = design::PictureShapes(*panels_, caption.toStdString(), width(),
                                                          height(), Metrics(QFontMetricsF(font())));
    const QSizeF whole(picture.width, picture.height);
    const auto paint = [&](QPainter& painter) {
        painter.setFont(font());
        painter.setRenderHint(QPainter::Antialiasing);
        PaintShapes(painter, picture.shapes);
    };
    if (path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(whole.toSize());
        svg.setViewBox(QRectF(QPointF(0, 0), whole));
        svg.setTitle(title);
        svg.setDescription(caption);
        QPainter painter;
        if (!painter.begin(&svg)) {
            return false;
        }
        paint(painter);
        return painter.end();
    }
    const qreal ratio = devicePixelRatioF();
    QImage image((whole * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    QPainter painter(&image);
    paint(painter);
    return painter.end() && image.save(path, "PNG");
}

void PlotWidget::setBlankReason(const QString& why) {
    if (why != blank_reason_) {
        blank_reason_ = why;
        setAccessibleDescription(why);
        update();
    }
}

void PlotWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!blank_reason_.isEmpty()) {
        // Where the plot would be, not at the bottom edge of a tall window.
        painter.drawText(rect().adjusted(24, 24, -24, -24), Qt::AlignCenter | Qt::TextWordWrap,
                         blank_reason_);
        return;
    }
    PaintPlot(painter, rect(), *panels_, hover_);
}

void PlotWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPointF at = event->position();
    const PlotPoint hit =
        LayOut(*panels_, rect(), QFontMetricsF(font())).nearest({at.x(), at.y()}, 24);
    if (!(hit == hover_)) {
        hover_ = hit;
        // What the box beside the point says, for screen readers too.
        QString description;
        if (hit.valid()) {
            const PlotPanel& panel = (*panels_)[static_cast<std::size_t>(hit.panel)];
            const PlotSeries& series = panel.series[static_cast<std::size_t>(hit.series)];
            description = QString::fromStdString(
                design::ReadOut(panel, series, series.points[static_cast<std::size_t>(hit.point)]));
        }
        setAccessibleDescription(description);
        update();
    }
}

void PlotWidget::leaveEvent(QEvent*) {
    hover_ = {};
    setAccessibleDescription({});
    update();
}

}  // namespace curve
