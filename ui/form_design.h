// The calculator window as designed: every control's place, size, font and tab order.
#pragma once

#include <array>
#include <cstddef>

namespace ui {

/// The window as designed: positions and sizes in twips from the top-left corner of the
/// client area (15 twips make one pixel at 96 DPI). The form never changes shape.

enum class ControlKind { kTextBox, kLabel, kButton };
enum class FontRole { kBody, kButton, kTitle };
/// What a button runs when it is clicked.
enum class Command { kNone, kCalculate, kClear };

/// A colour, 0 … 255 a channel.
struct Rgb {
    int r, g, b;
    friend constexpr bool operator==(const Rgb&, const Rgb&) = default;
};

/// A font as designed: face, size in hundredths of a point, weight, and colour where it is not
/// the platform's text colour. All of them with the GB2312 character set.
struct FontDesign {
    FontRole role;
    const char* face;
    int centipoints;
    int weight;     ///< 400 normal, 700 bold
    bool coloured;  ///< whether `colour` is the text's colour
    Rgb colour;
};

inline constexpr std::array<FontDesign, 3> kFonts = {{
    {FontRole::kBody, "宋体", 1425, 400, false, {0, 0, 0}},
    {FontRole::kButton, "宋体", 1575, 700, false, {0, 0, 0}},
    {FontRole::kTitle, "隶书", 2625, 700, true, {0, 0, 128}},  // dark blue
}};

constexpr const FontDesign& FontOf(FontRole role) {
    return kFonts[static_cast<std::size_t>(role)];
}

/// A font's height in pixels at `dpi` (96 by default), rounded to the nearest pixel: 19, 21 and
/// 35 at 96 DPI.
constexpr int FontPixels(FontRole role, int dpi = 96) {
    return (FontOf(role).centipoints * dpi + 3600) / 7200;
}

struct ControlDesign {
    const char* name;  ///< object name; both Label9 entries share theirs
    ControlKind kind;
    const char* caption;  ///< empty for text boxes
    int left, top, width, height;
    int tab_index;  ///< orders keyboard focus among the controls that take it
    FontRole font;
    int box;    ///< a text box's number, or the number of the box a label names; 0 if none
    int index;  ///< index within a control array (Label9), -1 for a lone control
    Command command = Command::kNone;  ///< what a button runs
};

inline constexpr const char* kForm1Caption = "Form1";
inline constexpr int kClientWidthTwips = 9435;
inline constexpr int kClientHeightTwips = 7260;

// clang-format off
inline constexpr std::array<ControlDesign, 23> kForm1Controls = {{
    {"Text10",   ControlKind::kTextBox, "",                   5880, 4200, 1815, 375, 22, FontRole::kBody, 10, -1},
    {"Command2", ControlKind::kButton,  "重新输入",           4800, 5520, 2295, 495, 20, FontRole::kButton,  0, -1, Command::kClear},
    {"Command1", ControlKind::kButton,  "自动计算",           1200, 5520, 2055, 495, 19, FontRole::kButton,  0, -1, Command::kCalculate},
    {"Text9",    ControlKind::kTextBox, "",                   5880, 3600, 1815, 375, 17, FontRole::kBody,  9, -1},
    {"Text8",    ControlKind::kTextBox, "",                   5880, 3000, 1815, 375, 16, FontRole::kBody,  8, -1},
    {"Text7",    ControlKind::kTextBox, "",                   5880, 2400, 1815, 375, 15, FontRole::kBody,  7, -1},
    {"Text6",    ControlKind::kTextBox, "",                   5880, 1800, 1815, 375, 14, FontRole::kBody,  6, -1},
    {"Text5",    ControlKind::kTextBox, "",                   2280, 4200, 1215, 375,  9, FontRole::kBody,  5, -1},
    {"Text4",    ControlKind::kTextBox, "",                   2280, 3600, 1215, 375,  8, FontRole::kBody,  4, -1},
    {"Text3",    ControlKind::kTextBox, "",                   2280, 3000, 1215, 375,  7, FontRole::kBody,  3, -1},
    {"Text2",    ControlKind::kTextBox, "",                   2280, 2400, 1215, 375,  6, FontRole::kBody,  2, -1},
    {"Text1",    ControlKind::kTextBox, "",                   2280, 1800, 1215, 375,  5, FontRole::kBody,  1, -1},
    {"Label9",   ControlKind::kLabel,   "σ3(Mpa)",            4320, 4320, 1335, 615, 21, FontRole::kBody, 10,  1},
    {"Label10",  ControlKind::kLabel,   "碟形弹簧的设计计算", 1680,  360, 5895, 855, 18, FontRole::kTitle,  0, -1},
    {"Label9",   ControlKind::kLabel,   "σ2(Mpa)",            4320, 3600, 1335, 615, 13, FontRole::kBody,  9,  0},
    {"Label8",   ControlKind::kLabel,   "σ1(Mpa)",            4320, 3000, 1335, 615, 12, FontRole::kBody,  8, -1},
    {"Label7",   ControlKind::kLabel,   "σom(Mpa)",           4080, 2400, 1455, 495, 11, FontRole::kBody,  7, -1},
    {"Label6",   ControlKind::kLabel,   "F(N)",               4800, 1800,  735, 495, 10, FontRole::kBody,  6, -1},
    {"Label5",   ControlKind::kLabel,   "f(mm)",              1000, 4200,  735, 495,  4, FontRole::kBody,  5, -1},
    {"Label4",   ControlKind::kLabel,   "H(mm)",              1000, 3600,  735, 495,  3, FontRole::kBody,  4, -1},
    {"Label3",   ControlKind::kLabel,   "t(mm)",              1000, 3000,  735, 375,  2, FontRole::kBody,  3, -1},
    {"Label2",   ControlKind::kLabel,   "d(mm)",              1000, 2400,  735, 375,  1, FontRole::kBody,  2, -1},
    {"Label1",   ControlKind::kLabel,   "D(mm)",              1005, 1800,  735, 255,  0, FontRole::kBody,  1, -1},
}};
// clang-format on

/// Twips to pixels at `dpi` dots per inch (15 twips a pixel at 96), rounded to the nearest pixel.
constexpr int TwipsToPixels(int twips, int dpi = 96) {
    return (twips * dpi + 720) / 1440;
}

namespace detail {

constexpr int CountControls(bool (*which)(const ControlDesign&)) {
    int count = 0;
    for (const ControlDesign& design : kForm1Controls) {
        count += which(design) ? 1 : 0;
    }
    return count;
}

constexpr bool EveryBoxOnceWithItsLabel() {
    for (int box = 1; box <= 10; ++box) {
        int boxes = 0, labels = 0;
        for (const ControlDesign& design : kForm1Controls) {
            boxes += design.kind == ControlKind::kTextBox && design.box == box;
            labels += design.kind == ControlKind::kLabel && design.box == box;
        }
        if (boxes != 1 || labels != 1) {
            return false;
        }
    }
    return true;
}

constexpr bool TabIndicesUnique() {
    for (const ControlDesign& a : kForm1Controls) {
        for (const ControlDesign& b : kForm1Controls) {
            if (&a != &b && a.tab_index == b.tab_index) {
                return false;
            }
        }
    }
    return true;
}

constexpr bool FontsInRoleOrder() {
    for (std::size_t i = 0; i < kFonts.size(); ++i) {
        if (static_cast<std::size_t>(kFonts[i].role) != i) {
            return false;
        }
    }
    return true;
}

}  // namespace detail

// The design's own promises, held at compile time: each command on exactly one button, and
// nothing but buttons run one; ten boxes each named by one label; a tab index a control; the
// fonts' sizes at 96 DPI; the title alone coloured, dark blue.
static_assert(detail::CountControls([](const ControlDesign& c) {
                  return c.command == Command::kCalculate && c.kind == ControlKind::kButton;
              }) == 1);
static_assert(detail::CountControls([](const ControlDesign& c) {
                  return c.command == Command::kClear && c.kind == ControlKind::kButton;
              }) == 1);
static_assert(detail::CountControls([](const ControlDesign& c) {
                  return c.kind != ControlKind::kButton && c.command != Command::kNone;
              }) == 0);
static_assert(detail::EveryBoxOnceWithItsLabel());
static_assert(detail::TabIndicesUnique());
static_assert(detail::FontsInRoleOrder());
static_assert(FontPixels(FontRole::kBody) == 19 && FontPixels(FontRole::kButton) == 21 &&
              FontPixels(FontRole::kTitle) == 35);
static_assert(FontOf(FontRole::kTitle).coloured &&
              FontOf(FontRole::kTitle).colour == Rgb{0, 0, 128} &&
              !FontOf(FontRole::kBody).coloured && !FontOf(FontRole::kButton).coloured);

}  // namespace ui
