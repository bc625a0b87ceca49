#pragma once

#include <array>

namespace ui {

/// The window as designed: positions and sizes in twips from the top-left corner of the
/// client area (15 twips make one pixel at 96 DPI). The form never changes shape.

enum class ControlKind { kTextBox, kLabel, kButton };
enum class FontRole { kBody, kButton, kTitle };

struct ControlDesign {
    const char* name;  ///< object name; both Label9 entries share theirs
    ControlKind kind;
    const char* caption;  ///< empty for text boxes
    int left, top, width, height;
    int tab_index;  ///< orders keyboard focus among the controls that take it
    FontRole font;
    int box;    ///< a text box's number, or the number of the box a label names; 0 if none
    int index;  ///< index within a control array (Label9), -1 for a lone control
};

inline constexpr const char* kForm1Caption = "Form1";
inline constexpr int kClientWidthTwips = 9435;
inline constexpr int kClientHeightTwips = 7260;

// clang-format off
inline constexpr std::array<ControlDesign, 23> kForm1Controls = {{
    {"Text10",   ControlKind::kTextBox, "",                   5880, 4200, 1815, 375, 22, FontRole::kBody, 10, -1},
    {"Command2", ControlKind::kButton,  "重新输入",           4800, 5520, 2295, 495, 20, FontRole::kButton,  0, -1},
    {"Command1", ControlKind::kButton,  "自动计算",           1200, 5520, 2055, 495, 19, FontRole::kButton,  0, -1},
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

}  // namespace ui
