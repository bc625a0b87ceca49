// The plot as every face draws it: panels inside their area with room for their labels, markers
// apart inside their frame, the read-out box and every shape inside the picture, a caption
// wrapped to the width; for any size, and for a design without points.

#include "design/plot_layout.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "design/sheet.h"
#include "runtime/utf8.h"

namespace design {
namespace {

// Widths near a Chinese face's at 12 px: a full em a character beyond ASCII, half one within.
const TextMetrics kMetrics{[](std::string_view text) {
                               double width = 0;
                               for (const char c : text) {
                                   const auto byte = static_cast<unsigned char>(c);
                                   width += byte < 0x80 ? 6.6 : (byte & 0xC0) == 0xC0 ? 12 : 0;
                               }
                               return width;
                           },
                           11, 3, 14};

bool Inside(const Shape& shape, const Rect& area) {
    for (const Point& p : shape.points) {
        if (!area.Grown(1e-9).Contains(p)) {
            return false;
        }
    }
    if (shape.kind == Shape::Kind::kText && !shape.upright) {
        const double width = kMetrics.width(shape.text);
        const double left = shape.points[0].x - (shape.anchor == Anchor::kMiddle ? width / 2
                                                 : shape.anchor == Anchor::kEnd  ? width
                                                                                 : 0);
        return left >= area.left - 1 && left + width <= area.right() + 1;
    }
    return true;
}

TEST(PlotLayout, EverythingStandsInsideItsPlaceAtAnySize) {
    DesignTexts texts = DefaultTexts();
    texts.series = "2";
    texts.parallel = "100000";
    texts.points = {PointText{PointBy::kDeflection, "1"}, PointText{PointBy::kDeflection, "2"}};
    const Sheet sheet = ComputeSheet(texts);
    for (const Rect area : {Rect{0, 0, 900, 700}, Rect{100, 50, 700, 500}, Rect{0, 0, 300, 400},
                            Rect{0, 0, 240, 400}}) {
        const PlotLayout layout(sheet.plot, area, kMetrics);
        ASSERT_EQ(layout.count(), 3);
        for (int p = 0; p < 3; ++p) {
            const Rect frame = layout.frame(p);
            EXPECT_TRUE(area.Contains(frame));
            const Point low = layout.map(p, {layout.x(p).low, layout.y(p).low});
            const Point high = layout.map(p, {layout.x(p).high, layout.y(p).high});
            EXPECT_NEAR(low.x, frame.left, 1e-9);
            EXPECT_NEAR(low.y, frame.bottom(), 1e-9);
            EXPECT_NEAR(high.x, frame.right(), 1e-9);
            EXPECT_NEAR(high.y, frame.top, 1e-9);
            EXPECT_GE(frame.left - area.left,
                      kMetrics.width(TickLabel(layout.y(p).high)) + kMetrics.height);
            EXPECT_TRUE(p == 0 || layout.frame(p - 1).bottom() < frame.top);
            const auto& markers = layout.markers(p);
            ASSERT_EQ(markers.size(), 2u);
            EXPECT_TRUE(frame.Contains(markers[0].box) && frame.Contains(markers[1].box));
            EXPECT_FALSE(markers[0].box.Intersects(markers[1].box));
        }
        // A legend too wide wraps, and so does a read-out.
        const bool wide = area.width >= 320;
        const std::vector<Shape> shapes = PlotShapes(layout, kMetrics);
        std::vector<std::string> titles;
        for (const Shape& shape : shapes) {
            EXPECT_TRUE(Inside(shape, area)) << shape.text << " at " << area.width;
            if (shape.upright) {  // an axis title never runs past its frame, cut between characters
                EXPECT_LE(kMetrics.width(shape.text), layout.frame(0).height) << shape.text;
                EXPECT_TRUE(runtime::IsUtf8(shape.text)) << shape.text;
                titles.push_back(shape.text);
            }
        }
        if (area.height == 400) {  // as much of each title as fits, cut at a character
            EXPECT_EQ(titles, (std::vector<std::string>{"力 F (N)", "F_stack …", "应力 …"}));
        }
        // The panels share the area's height; every series is a line, every mark a dot.
        EXPECT_GT(layout.frame(2).bottom(), area.top + 0.8 * area.height);
        for (int p = 0; p < 3; ++p) {
            const PlotPanel& panel = sheet.plot[static_cast<std::size_t>(p)];
            for (std::size_t k = 0; k < panel.series.size(); ++k) {
                EXPECT_EQ(std::count_if(shapes.begin(), shapes.end(),
                                        [&](const Shape& shape) {
                                            return shape.panel == p &&
                                                   shape.series == static_cast<int>(k) &&
                                                   shape.points.size() >= 2;
                                        }),
                          panel.series[k].points.empty() ? 0 : 1);
            }
            for (const PlotMark& mark : panel.marks) {
                const Point at = layout.map(p, mark.at);
                EXPECT_TRUE(std::any_of(shapes.begin(), shapes.end(), [&](const Shape& shape) {
                    return shape.kind == Shape::Kind::kCircle && shape.points[0] == at;
                })) << mark.label;
            }
        }
        // The read-out of the last point, in the corner, keeps its box inside.
        const auto& last = sheet.plot[1].series[0].points;
        const PlotPoint corner{1, 0, static_cast<int>(last.size()) - 1};
        EXPECT_EQ(layout.nearest(layout.map(1, last.back()), 1), corner);
        const std::vector<Shape> hover = HoverShapes(layout, corner, kMetrics);
        ASSERT_EQ(hover.size(), wide ? 3u : 4u);  // narrow: the value on a line of its own
        std::string said = hover[2].text;
        for (std::size_t k = 3; k < hover.size(); ++k) {
            said += " " + hover[k].text;
            EXPECT_GT(hover[k].points[0].y, hover[k - 1].points[0].y);
        }
        EXPECT_EQ(said, ReadOut(sheet.plot[1], sheet.plot[1].series[0], last.back()));
        for (const Shape& shape : hover) {
            EXPECT_TRUE(Inside(shape, area)) << shape.text;
            // The box holds its text.
            EXPECT_TRUE(shape.kind != Shape::Kind::kText ||
                        hover[1].points[1].x - hover[1].points[0].x >= kMetrics.width(shape.text));
        }
        const int series = static_cast<int>(sheet.plot[1].series.size());
        for (const PlotPoint beyond : {PlotPoint{1, 0, 1 << 30}, PlotPoint{1, series, 0},
                                       PlotPoint{3, 0, 0}, PlotPoint{1, -1, 0}}) {
            EXPECT_TRUE(HoverShapes(layout, beyond, kMetrics).empty());
        }
        // The single spring's force has an axis of its own, not flattened by the stack's.
        EXPECT_TRUE(layout.y(0).high <= 20000 && layout.y(1).high > 1e9);
        EXPECT_FALSE(layout.nearest({area.left, area.top}, 24).valid());
    }
    // Without points: no panel, only the ground.
    texts.d = "100";
    const Sheet none = ComputeSheet(texts);
    const PlotLayout empty(none.plot, {0, 0, 500, 400}, kMetrics);
    for (int p = 0; p < empty.count(); ++p) {
        EXPECT_FALSE(empty.shown(p));
    }
    EXPECT_EQ(PlotShapes(empty, kMetrics).size(), 1u);
}

TEST(PlotLayout, ACaptionWrapsToThePictureWhole) {
    const Sheet sheet = ComputeSheet(DefaultTexts());
    const std::string caption =
        "D = 100.123456789012 mm，d = 51 mm，t = 3.5 mm；碟簧组：2 组对合串联，每组 3 片叠合；"
        "w_M = 0.02，w_R = 0.03；带支承面、减薄至 t′（DIN 2093 第 3 组）";
    const Picture picture = PictureShapes(sheet.plot, caption, 300, 400, kMetrics);
    std::string lines;
    double below = 0;
    for (const Shape& shape : picture.shapes) {
        if (shape.kind == Shape::Kind::kText && shape.points[0].y > 400) {
            EXPECT_LE(kMetrics.width(shape.text), 300 - 16) << shape.text;
            EXPECT_TRUE(lines.empty() || shape.points[0].y >= below + kMetrics.height);
            // Broken after a blank, "，" or "；": a number stays whole on its line.
            EXPECT_TRUE(lines.empty() || lines.ends_with(" ") || lines.ends_with("，") ||
                        lines.ends_with("；"))
                << lines;
            lines += shape.text;
            below = shape.points[0].y;
        }
    }
    EXPECT_EQ(lines, caption);  // nothing lost, nothing added
    EXPECT_GT(picture.height, below);
    EXPECT_EQ(PictureShapes(sheet.plot, "", 300, 400, kMetrics).height, 400);
}

}  // namespace
}  // namespace design
