// The plot laid out as plain shapes in page units: where the panels stand, their axes, ticks,
// labels, bands, markers, curves, marks, legends, the read-out box and a picture's caption. Every
// face only draws these shapes (Qt's painter on the screen and in PNG, SVG and PDF; the page's
// SVG and print page), so they cannot disagree on where anything goes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "design/plot_axis.h"
#include "design/plot_data.h"

namespace design {

/// A rectangle in page units, y down.
struct Rect {
    double left = 0, top = 0, width = 0, height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool Empty() const { return !(width > 0 && height > 0); }
    bool Contains(Point p) const {
        return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom();
    }
    bool Contains(const Rect& r) const {
        return r.left >= left && r.right() <= right() && r.top >= top && r.bottom() <= bottom();
    }
    bool Intersects(const Rect& r) const {
        return left < r.right() && r.left < right() && top < r.bottom() && r.top < bottom();
    }
    Rect Grown(double by) const { return {left - by, top - by, width + 2 * by, height + 2 * by}; }

    friend bool operator==(const Rect&, const Rect&) = default;
};

/// How a face's font measures text, in page units.
struct TextMetrics {
    std::function<double(std::string_view)> width;  ///< a text's advance
    double ascent = 0, descent = 0;
    double height = 0;  ///< a line's
};

/// A point of a plot: which panel, series and point; -1 where there is none.
struct PlotPoint {
    int panel = -1, series = -1, point = -1;
    bool valid() const { return point >= 0; }
    friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

/// A marker as laid out: where its line stands and where its label goes.
struct PlacedMarker {
    double x;
    Rect box;
    std::string label;
};

/// Where the panels of a plot stand in an area (one above the other, each with room for its
/// legend, tick labels and axis titles, sized to the widest label) and how data units map onto
/// them. Panels without points take no room.
class PlotLayout {
public:
    PlotLayout(const std::vector<PlotPanel>& panels, Rect area, const TextMetrics& metrics);

    int count() const { return static_cast<int>(frames_.size()); }
    /// Whether a panel is drawn: it has points.
    bool shown(int panel) const { return !frames_[Index(panel)].Empty(); }
    /// The rectangle inside a panel's axes; empty for a panel not drawn.
    Rect frame(int panel) const { return frames_[Index(panel)]; }
    const AxisScale& x(int panel) const { return x_[Index(panel)]; }
    const AxisScale& y(int panel) const { return y_[Index(panel)]; }
    /// A point in data units to page units.
    Point map(int panel, Point data) const;
    /// The plotted point nearest to `position`, if one lies within `radius`.
    PlotPoint nearest(Point position, double radius) const;
    const Rect& area() const { return area_; }
    /// The widest y tick label of all panels, which sets where their axis titles stand.
    double tick_label_width() const { return tick_label_width_; }
    /// What a pixel of the screen is in page units, from the font: pens, ticks and gaps grow
    /// with it, so that a PDF at 300 dpi looks as the screen does.
    double unit() const { return unit_; }
    /// A panel's markers within its x range, labels inside the frame, none overlapping another:
    /// right of the line, or left where the frame ends, a line higher where one is in the way.
    const std::vector<PlacedMarker>& markers(int panel) const { return markers_[Index(panel)]; }
    const std::vector<PlotPanel>& panels() const { return panels_; }

private:
    static std::size_t Index(int panel) { return static_cast<std::size_t>(panel); }

    const std::vector<PlotPanel>& panels_;
    Rect area_;
    double tick_label_width_ = 0;
    double unit_ = 1;
    std::vector<Rect> frames_;
    std::vector<AxisScale> x_, y_;
    std::vector<std::vector<PlacedMarker>> markers_;
};

/// What the point under the mouse says: "<series>: <x> = <value> <unit>, <y> = <value> <unit>",
/// the values to a reader's precision.
std::string ReadOut(const PlotPanel& panel, const PlotSeries& series, Point point);

enum class Anchor { kStart, kMiddle, kEnd };

/// A shape's kind and a text's anchor as SVG names them ("polyline", "middle"): what a face that
/// draws SVG takes as they are.
struct Shape;
std::string_view SvgName(const Shape& shape);
std::string_view SvgAnchor(Anchor anchor);

/// One shape to draw. Lines and outlines without a width are a device's thinnest; a text stands
/// on its baseline at its point, placed by its anchor, and reads upwards when upright.
struct Shape {
    enum class Kind { kLine, kPolyline, kPolygon, kRect, kCircle, kText };
    Kind kind = Kind::kLine;
    std::vector<Point> points;  ///< line: its ends; rect: top left, bottom right; circle: centre
    double radius = 0;
    std::optional<Rgb> stroke;
    double stroke_width = 0;
    bool dashed = false;
    std::optional<Rgb> fill;
    double fill_alpha = 1;  ///< 0 … 1
    std::string text;
    Anchor anchor = Anchor::kStart;
    bool upright = false;
    std::optional<Rect> clip;  ///< a panel's frame, which the shape is cut to
    int panel = -1;            ///< a series' line: its panel and series, for the read-out
    int series = -1;
};

/// The whole plot as shapes, on a white ground; only the ground when no panel has points.
std::vector<Shape> PlotShapes(const PlotLayout& layout, const TextMetrics& metrics);

/// The point `hover` marked on its line, with its read-out in a box kept inside the area;
/// nothing when it is not a point of a shown panel.
std::vector<Shape> HoverShapes(const PlotLayout& layout, PlotPoint hover,
                               const TextMetrics& metrics);

/// A picture to save: the plot in `width` × `height`, and below it the caption wrapped to the
/// width, the picture growing to hold it.
struct Picture {
    std::vector<Shape> shapes;
    double width = 0, height = 0;
};
Picture PictureShapes(const std::vector<PlotPanel>& panels, const std::string& caption,
                      double width, double height, const TextMetrics& metrics);

}  // namespace design
