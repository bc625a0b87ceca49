// Laying the plot out as shapes: panels, axes, ticks, curves, legends.
#include "design/plot_layout.h"

#include <algorithm>
#include <cmath>

namespace design {
namespace {

constexpr double kTickLength = 4;  // in units of PlotLayout::unit()
constexpr double kGap = 4;         // between a tick, its label and the axis title
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

double WidestLabel(const std::vector<double>& ticks, const TextMetrics& metrics) {
    double widest = 0;
    for (const double tick : ticks) {
        widest = std::max(widest, metrics.width(TickLabel(tick)));
    }
    return widest;
}

// Where a panel's legend entries stand: each series with points, its row (0 the first) and its
// left edge from the frame's left. A row takes what fits in `room` (from the frame's left to
// the area's right edge), and at least one entry.
struct LegendEntry {
    std::size_t series;
    int row;
    double x;
};
std::vector<LegendEntry> LegendEntries(const PlotPanel& panel, double room, double u,
                                       const TextMetrics& metrics) {
    std::vector<LegendEntry> entries;
    double x = 4 * u;
    int row = 0;
    for (std::size_t s = 0; s < panel.series.size(); ++s) {
        if (panel.series[s].points.empty()) {
            continue;
        }
        const double width = 22 * u + metrics.width(panel.series[s].name);
        if (x > 4 * u && x + width > room) {
            ++row;
            x = 4 * u;
        }
        entries.push_back({s, row, x});
        x += width + 16 * u;
    }
    return entries;
}

int LegendRows(const std::vector<LegendEntry>& entries) {
    return entries.empty() ? 1 : entries.back().row + 1;
}

// Where a line of text in a box of a line's height stands on its baseline, centred upright.
double Baseline(double top, double box_height, const TextMetrics& metrics) {
    return top + (box_height - metrics.ascent - metrics.descent) / 2 + metrics.ascent;
}

Shape Line(Point a, Point b, Rgb color, double width = 0, bool dashed = false) {
    Shape shape;
    shape.points = {a, b};
    shape.stroke = color;
    shape.stroke_width = width;
    shape.dashed = dashed;
    return shape;
}

Shape Text(Point at, std::string text, Anchor anchor = Anchor::kStart, Rgb color = kBlack) {
    Shape shape;
    shape.kind = Shape::Kind::kText;
    shape.points = {at};
    shape.text = std::move(text);
    shape.anchor = anchor;
    shape.fill = color;
    return shape;
}

Shape Box(const Rect& r, std::optional<Rgb> stroke, std::optional<Rgb> fill) {
    Shape shape;
    shape.kind = Shape::Kind::kRect;
    shape.points = {{r.left, r.top}, {r.right(), r.bottom()}};
    shape.stroke = stroke;
    shape.fill = fill;
    return shape;
}

Shape Circle(Point centre, double radius, Rgb stroke, double width) {
    Shape shape;
    shape.kind = Shape::Kind::kCircle;
    shape.points = {centre};
    shape.radius = radius;
    shape.stroke = stroke;
    shape.stroke_width = width;
    shape.fill = kWhite;
    return shape;
}

// A text cut with "…" to fit `room`.
std::string Elided(const std::string& text, double room, const TextMetrics& metrics) {
    if (metrics.width(text) <= room) {
        return text;
    }
    std::string cut = text;
    while (!cut.empty() && metrics.width(cut + "…") > room) {
        do {  // whole UTF-8 characters
            cut.pop_back();
        } while (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0x80);
        if (!cut.empty() && (static_cast<unsigned char>(cut.back()) & 0xC0) == 0xC0) {
            cut.pop_back();
        }
    }
    return cut + "…";
}

std::vector<PlacedMarker> PlaceMarkers(const PlotLayout& layout, int index, const PlotPanel& panel,
                                       const TextMetrics& metrics) {
    const Rect frame = layout.frame(index);
    std::vector<PlotMarker> sorted = panel.markers;
    std::sort(sorted.begin(), sorted.end(),
              [](const PlotMarker& a, const PlotMarker& b) { return a.x < b.x; });
    std::vector<PlacedMarker> placed;
    for (const PlotMarker& marker : sorted) {
        const double px = layout.map(index, {marker.x, 0}).x;
        if (!(px >= frame.left - 0.5 && px <= frame.right() + 0.5)) {
            continue;
        }
        const double width = metrics.width(marker.label) + 1;
        const double left = px + 3 + width <= frame.right() - 2 ? px + 3 : px - 3 - width;
        Rect box{left, frame.bottom() - 3 - metrics.height, width, metrics.height};
        while (
            std::any_of(placed.begin(), placed.end(),
                        [&box](const PlacedMarker& other) { return other.box.Intersects(box); }) &&
            box.top - metrics.height > frame.top) {
            box.top -= metrics.height;
        }
        placed.push_back({px, box, marker.label});
    }
    return placed;
}

// A series of many more points than the frame has columns is drawn through the first, lowest,
// highest and last point of each column: the same picture, a fraction of the work.
std::vector<Point> Drawn(const PlotLayout& layout, int index, const std::vector<Point>& points) {
    std::vector<Point> line;
    const auto columns = static_cast<int>(std::ceil(layout.frame(index).width));
    for (const Point& p : Thinned(points, layout.x(index), columns)) {
        line.push_back(layout.map(index, p));
    }
    return line;
}

void Axes(std::vector<Shape>& out, const PlotLayout& layout, int index, const PlotPanel& panel,
          const TextMetrics& metrics) {
    const Rect frame = layout.frame(index);
    const double tick = kTickLength * layout.unit(), gap = kGap * layout.unit();
    constexpr Rgb kGrid{225, 225, 225};
    for (const double x : layout.x(index).ticks) {
        const double px = layout.map(index, {x, 0}).x;
        out.push_back(Line({px, frame.top}, {px, frame.bottom()}, kGrid));
    }
    for (const double y : layout.y(index).ticks) {
        const double py = layout.map(index, {0, y}).y;
        out.push_back(Line({frame.left, py}, {frame.right(), py}, kGrid));
    }
    out.push_back(Box(frame, kBlack, std::nullopt));
    for (const double x : layout.x(index).ticks) {
        const double px = layout.map(index, {x, 0}).x;
        out.push_back(Line({px, frame.bottom()}, {px, frame.bottom() + tick}, kBlack));
        out.push_back(
            Text({px, frame.bottom() + tick + metrics.ascent}, TickLabel(x), Anchor::kMiddle));
    }
    for (const double y : layout.y(index).ticks) {
        const double py = layout.map(index, {0, y}).y;
        out.push_back(Line({frame.left - tick, py}, {frame.left, py}, kBlack));
        out.push_back(Text({frame.left - tick - gap / 2, py + metrics.ascent / 2 - layout.unit()},
                           TickLabel(y), Anchor::kEnd));
    }
    out.push_back(Text(
        {frame.left + frame.width / 2, frame.bottom() + tick + metrics.height + metrics.ascent},
        panel.x_label, Anchor::kMiddle));
    // The y title reads upwards, centred on the frame, left of the widest tick label.
    const double across = frame.left - tick - gap / 2 - layout.tick_label_width() - gap;
    Shape title = Text({across - metrics.height / 2 + (metrics.ascent - metrics.descent) / 2,
                        frame.top + frame.height / 2},
                       Elided(panel.y_label, frame.height, metrics), Anchor::kMiddle);
    title.upright = true;
    out.push_back(std::move(title));
}

void Bands(std::vector<Shape>& out, const PlotLayout& layout, int index, const PlotPanel& panel) {
    for (const PlotBand& band : panel.bands) {
        Shape area;
        area.kind = Shape::Kind::kPolygon;
        area.points = Drawn(layout, index, band.upper);
        const std::vector<Point> lower = Drawn(layout, index, band.lower);
        area.points.insert(area.points.end(), lower.rbegin(), lower.rend());
        area.fill = band.color;
        area.fill_alpha = 50.0 / 255;
        area.clip = layout.frame(index);
        out.push_back(std::move(area));
    }
}

void Markers(std::vector<Shape>& out, const PlotLayout& layout, int index,
             const TextMetrics& metrics) {
    const Rect frame = layout.frame(index);
    for (const PlacedMarker& marker : layout.markers(index)) {
        out.push_back(
            Line({marker.x, frame.top}, {marker.x, frame.bottom()}, {120, 120, 120}, 0, true));
        out.push_back(Text({marker.box.left, Baseline(marker.box.top, marker.box.height, metrics)},
                           marker.label, Anchor::kStart, {90, 90, 90}));
    }
}

void Series(std::vector<Shape>& out, const PlotLayout& layout, int index, const PlotPanel& panel) {
    for (std::size_t s = 0; s < panel.series.size(); ++s) {
        const PlotSeries& series = panel.series[s];
        Shape line;
        line.kind = Shape::Kind::kPolyline;
        line.points = Drawn(layout, index, series.points);
        line.stroke = series.color;
        line.stroke_width = 1.5 * layout.unit();
        line.dashed = series.style == LineStyle::kDashed;
        line.clip = layout.frame(index);
        line.panel = index;
        line.series = static_cast<int>(s);
        out.push_back(std::move(line));
    }
}

// A dot on the line and its label above right of it, or wherever it stays inside the frame.
void Marks(std::vector<Shape>& out, const PlotLayout& layout, int index, const PlotPanel& panel,
           const TextMetrics& metrics) {
    const Rect frame = layout.frame(index);
    const double u = layout.unit();
    for (const PlotMark& mark : panel.marks) {
        const Point at = layout.map(index, mark.at);
        if (!frame.Grown(1).Contains(at)) {
            continue;
        }
        out.push_back(Circle(at, 4 * u, kBlack, u));
        Rect box{at.x + 5 * u, at.y - 4 * u - metrics.height, metrics.width(mark.label) + 2,
                 metrics.height};
        if (box.right() > frame.right()) {
            box.left = at.x - 5 * u - box.width;
        }
        if (box.top < frame.top) {
            box.top = at.y + 4 * u;
        }
        out.push_back(Text({box.left, Baseline(box.top, box.height, metrics)}, mark.label));
    }
}

void Legend(std::vector<Shape>& out, const PlotLayout& layout, int index, const PlotPanel& panel,
            const TextMetrics& metrics) {
    const Rect frame = layout.frame(index);
    const double u = layout.unit();
    const auto entries = LegendEntries(panel, layout.area().right() - frame.left, u, metrics);
    const int rows = LegendRows(entries);
    for (const LegendEntry& entry : entries) {
        const PlotSeries& series = panel.series[entry.series];
        const double x = frame.left + entry.x;
        const double y =
            frame.top - metrics.descent - 3 * u - (rows - 1 - entry.row) * metrics.height;
        out.push_back(Line({x, y - metrics.ascent / 3}, {x + 18 * u, y - metrics.ascent / 3},
                           series.color, 2 * u, series.style == LineStyle::kDashed));
        out.push_back(Text({x + 22 * u, y}, series.name));
    }
}

}  // namespace

std::string ReadOut(const PlotPanel& panel, const PlotSeries& series, Point point) {
    return series.name + ": " + panel.x_symbol + " = " + ValueText(point.x, panel.x_unit) + " " +
           panel.x_unit + ", " + series.symbol + " = " + ValueText(point.y, series.unit) + " " +
           series.unit;
}

PlotLayout::PlotLayout(const std::vector<PlotPanel>& panels, Rect area, const TextMetrics& metrics)
    : panels_(panels), area_(area), frames_(panels.size()) {
    double widest_y = 0, last_x = 0;
    int drawn = 0;
    for (const PlotPanel& panel : panels) {
        const PanelScales scales = ScalesOf(panel);
        x_.push_back(scales.x);
        y_.push_back(scales.y);
        if (HasPoints(panel)) {
            ++drawn;
            widest_y = std::max(widest_y, WidestLabel(y_.back().ticks, metrics));
            if (!x_.back().ticks.empty()) {
                last_x = std::max(last_x, metrics.width(TickLabel(x_.back().high)));
            }
        }
    }
    // Room for the widest tick label and the axis title beside it; the last x label is centred
    // on the frame's right edge.
    tick_label_width_ = widest_y;
    const double line = metrics.height;
    unit_ = std::max(1.0, line / 17);
    const double u = unit_;
    const double left = (kTickLength + kGap * 1.5 + 4) * u + widest_y + line;
    const double right = std::max(16 * u, last_x / 2 + 4 * u);
    const double height = area.height / std::max(drawn, 1);
    int slot = 0;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        if (!HasPoints(panels[i])) {
            continue;
        }
        const Rect place{area.left, area.top + height * slot++, area.width, height};
        // A legend too wide for one line takes more, above the frame.
        const int rows = LegendRows(LegendEntries(panels[i], place.width - left, u, metrics));
        const double top = rows * line + 8 * u, bottom = (kTickLength + 8) * u + 2 * line;
        const Rect frame{place.left + left, place.top + top, place.width - left - right,
                         place.height - top - bottom};
        frames_[i] = !frame.Empty()
                         ? frame
                         : Rect{place.left + place.width / 2, place.top + place.height / 2, 1, 1};
    }
    markers_.resize(panels.size());
    for (int i = 0; i < count(); ++i) {
        if (shown(i)) {
            markers_[Index(i)] = PlaceMarkers(*this, i, panels[Index(i)], metrics);
        }
    }
}

Point PlotLayout::map(int panel, Point data) const {
    const Rect& f = frames_[Index(panel)];
    const AxisScale &x = x_[Index(panel)], &y = y_[Index(panel)];
    return {f.left + (data.x - x.low) / (x.high - x.low) * f.width,
            f.bottom() - (data.y - y.low) / (y.high - y.low) * f.height};
}

PlotPoint PlotLayout::nearest(Point position, double radius) const {
    PlotPoint best;
    double best_distance = radius * radius;
    for (int p = 0; p < count(); ++p) {
        if (!shown(p) || !frames_[Index(p)].Grown(radius).Contains(position)) {
            continue;
        }
        const auto& series = panels_[Index(p)].series;
        for (std::size_t s = 0; s < series.size(); ++s) {
            for (std::size_t i = 0; i < series[s].points.size(); ++i) {
                const Point at = map(p, series[s].points[i]);
                const double dx = at.x - position.x, dy = at.y - position.y;
                const double distance = dx * dx + dy * dy;
                if (distance <= best_distance) {
                    best_distance = distance;
                    best = {p, static_cast<int>(s), static_cast<int>(i)};
                }
            }
        }
    }
    return best;
}

std::vector<Shape> PlotShapes(const PlotLayout& layout, const TextMetrics& metrics) {
    std::vector<Shape> out{Box(layout.area(), std::nullopt, kWhite)};
    for (int i = 0; i < layout.count(); ++i) {
        if (!layout.shown(i)) {
            continue;
        }
        const PlotPanel& panel = layout.panels()[static_cast<std::size_t>(i)];
        Axes(out, layout, i, panel, metrics);
        Bands(out, layout, i, panel);
        Markers(out, layout, i, metrics);
        Series(out, layout, i, panel);
        Marks(out, layout, i, panel, metrics);
        Legend(out, layout, i, panel, metrics);
    }
    return out;
}

std::vector<Shape> HoverShapes(const PlotLayout& layout, PlotPoint hover,
                               const TextMetrics& metrics) {
    const auto index = [](int i) { return static_cast<std::size_t>(i); };
    const std::vector<PlotPanel>& panels = layout.panels();
    if (!hover.valid() || hover.panel < 0 || index(hover.panel) >= panels.size() ||
        !layout.shown(hover.panel) || hover.series < 0 ||
        index(hover.series) >= panels[index(hover.panel)].series.size() ||
        index(hover.point) >=
            panels[index(hover.panel)].series[index(hover.series)].points.size()) {
        return {};
    }
    const PlotPanel& panel = panels[index(hover.panel)];
    const PlotSeries& series = panel.series[index(hover.series)];
    const Point data = series.points[index(hover.point)];
    const Point at = layout.map(hover.panel, data);
    const double u = layout.unit();
    const std::string text = ReadOut(panel, series, data);
    const Rect area = layout.area();
    // On a plot narrower than the read-out, its value goes to a second line.
    std::vector<std::string> lines{text};
    if (const std::size_t cut = text.rfind(", ");
        metrics.width(text) + 10 * u > area.width && cut != std::string::npos) {
        lines = {text.substr(0, cut + 1), text.substr(cut + 2)};
    }
    double widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, metrics.width(line));
    }
    Rect box{0, 0, widest + 10 * u, static_cast<double>(lines.size()) * metrics.height + 6 * u};
    box.left = at.x + 8 * u;
    box.top = at.y - box.height - 8 * u;
    if (box.right() > area.right()) {
        box.left = at.x - 8 * u - box.width;
    }
    if (box.top < area.top) {
        box.top = at.y + 8 * u;
    }
    box.left = std::max(area.left, std::min(box.left, area.right() - box.width));
    box.top = std::max(area.top, std::min(box.top, area.bottom() - box.height));
    std::vector<Shape> shapes{Circle(at, 4 * u, series.color, 2 * u),
                              Box(box, Rgb{90, 90, 90}, Rgb{255, 255, 225})};
    for (std::size_t k = 0; k < lines.size(); ++k) {
        const double top = box.top + 3 * u + static_cast<double>(k) * metrics.height;
        shapes.push_back(Text({box.left + box.width / 2, Baseline(top, metrics.height, metrics)},
                              lines[k], Anchor::kMiddle));
    }
    return shapes;
}

Picture PictureShapes(const std::vector<PlotPanel>& panels, const std::string& caption,
                      double width, double height, const TextMetrics& metrics) {
    // The caption wraps to the picture's width after a blank or a "，" / "；", and within a
    // piece only where the piece alone is wider than the picture.
    std::vector<std::string> lines;
    std::string current;
    const double room = width - 16;
    const auto place = [&](const std::string& piece) {
        if (!current.empty() && metrics.width(current + piece) > room) {
            lines.push_back(current);
            current.clear();
        }
        if (metrics.width(piece) <= room) {
            current += piece;
            return;
        }
        for (std::size_t at = 0; at < piece.size();) {
            std::size_t next = at + 1;
            while (next < piece.size() &&
                   (static_cast<unsigned char>(piece[next]) & 0xC0) == 0x80) {
                ++next;
            }
            const std::string character = piece.substr(at, next - at);
            if (!current.empty() && metrics.width(current + character) > room) {
                lines.push_back(current);
                current.clear();
            }
            current += character;
            at = next;
        }
    };
    std::string piece;
    for (std::size_t at = 0; at < caption.size(); ++at) {
        piece += caption[at];
        const bool ends = caption[at] == ' ' || piece.ends_with("，") || piece.ends_with("；");
        if (ends) {
            place(piece);
            piece.clear();
        }
    }
    if (!piece.empty()) {
        place(piece);
    }
    if (!current.empty()) {
        lines.push_back(current);
    }
    const double line = std::ceil(metrics.height * 1.2);
    Picture picture{
        {}, width, height + (lines.empty() ? 0 : static_cast<double>(lines.size()) * line + 8)};
    picture.shapes.push_back(Box({0, 0, picture.width, picture.height}, std::nullopt, kWhite));
    const PlotLayout layout(panels, {0, 0, width, height}, metrics);
    for (Shape& shape : PlotShapes(layout, metrics)) {
        picture.shapes.push_back(std::move(shape));
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
        picture.shapes.push_back(
            Text({8, height + 4 + static_cast<double>(k) * line + metrics.ascent}, lines[k]));
    }
    return picture;
}

std::string_view SvgName(const Shape& shape) {
    constexpr std::string_view kNames[] = {"line", "polyline", "polygon", "rect", "circle", "text"};
    return kNames[static_cast<int>(shape.kind)];
}

std::string_view SvgAnchor(Anchor anchor) {
    constexpr std::string_view kAnchors[] = {"start", "middle", "end"};
    return kAnchors[static_cast<int>(anchor)];
}

}  // namespace design
