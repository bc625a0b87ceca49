// Writes the browser's Form1 from the calculator's design table: its controls as HTML and their
// places, sizes, fonts and colour as CSS, in pixels at 96 DPI, so that the page draws the very
// window the desktop draws. Run at build time: form_page > form1.html 2> form1.css.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/form_design.h"

namespace {

std::string Id(const ui::ControlDesign& design) {
    std::string id = design.name;
    if (design.index >= 0) {
        id += "_" + std::to_string(design.index);  // Label9 is a control array of two
    }
    return id;
}

const char* FontClass(ui::FontRole role) {
    switch (role) {
        case ui::FontRole::kBody:
            return "body";
        case ui::FontRole::kButton:
            return "button";
        case ui::FontRole::kTitle:
            break;
    }
    return "title";
}

// Writes one control's HTML.
void Write(const ui::ControlDesign& design) {
    const std::string id = Id(design);
    switch (design.kind) {
        case ui::ControlKind::kTextBox:
            std::printf(
                "  <input id=\"Text%d\" class=\"box %s\" type=\"text\" autocomplete=\"off\" "
                "spellcheck=\"false\"%s>\n",
                design.box, FontClass(design.font), design.box > 5 ? " data-result" : "");
            break;
        case ui::ControlKind::kButton:
            std::printf(
                "  <button id=\"%s\" class=\"%s\" type=\"button\" "
                "data-command=\"%s\">%s</button>\n",
                id.c_str(), FontClass(design.font),
                design.command == ui::Command::kCalculate ? "calculate" : "clear", design.caption);
            break;
        case ui::ControlKind::kLabel:
            if (design.box > 0) {  // a label names its box, for screen readers too
                std::printf("  <label id=\"%s\" class=\"%s\" for=\"Text%d\">%s</label>\n",
                            id.c_str(), FontClass(design.font), design.box, design.caption);
            } else {
                std::printf("  <div id=\"%s\" class=\"%s\">%s</div>\n", id.c_str(),
                            FontClass(design.font), design.caption);
            }
            break;
    }
}

}  // namespace

int main() {
    using ui::TwipsToPixels;
    std::printf("<div id=\"Form1\" role=\"group\" aria-label=\"%s\">\n", ui::kForm1Caption);
    // The markup runs in the design's tab order, each box after the label that names it, so
    // that Tab and a screen reader both go D, d, t, H, f, F, σom … without a tabindex (the
    // places come from the CSS). What takes no focus and names no box comes first.
    std::vector<const ui::ControlDesign*> focus;
    for (const ui::ControlDesign& design : ui::kForm1Controls) {
        if (design.kind != ui::ControlKind::kLabel) {
            focus.push_back(&design);
        } else if (design.box == 0) {
            Write(design);
        }
    }
    std::sort(focus.begin(), focus.end(),
              [](const auto* a, const auto* b) { return a->tab_index < b->tab_index; });
    for (const ui::ControlDesign* design : focus) {
        for (const ui::ControlDesign& label : ui::kForm1Controls) {
            if (label.kind == ui::ControlKind::kLabel &&
                design->kind == ui::ControlKind::kTextBox && label.box == design->box) {
                Write(label);
            }
        }
        Write(*design);
    }
    std::printf("</div>\n");

    std::fprintf(stderr, "#Form1 { width: %dpx; height: %dpx; }\n",
                 TwipsToPixels(ui::kClientWidthTwips), TwipsToPixels(ui::kClientHeightTwips));
    for (const ui::ControlDesign& design : ui::kForm1Controls) {
        const std::string id = design.kind == ui::ControlKind::kTextBox
                                   ? "Text" + std::to_string(design.box)
                                   : Id(design);
        std::fprintf(stderr, "#Form1 #%s { left: %dpx; top: %dpx; width: %dpx; %s: %dpx; }\n",
                     id.c_str(), TwipsToPixels(design.left), TwipsToPixels(design.top),
                     TwipsToPixels(design.width),
                     // A label lower than a line of its font grows downwards, as on the desktop.
                     design.kind == ui::ControlKind::kLabel ? "min-height" : "height",
                     TwipsToPixels(design.height));
    }
    for (const ui::FontDesign& font : ui::kFonts) {
        std::fprintf(stderr, "#Form1 .%s { font-size: %dpx; font-weight: %d;%s }\n",
                     FontClass(font.role), ui::FontPixels(font.role), font.weight,
                     font.coloured ? (" color: rgb(" + std::to_string(font.colour.r) + ", " +
                                      std::to_string(font.colour.g) + ", " +
                                      std::to_string(font.colour.b) + ");")
                                         .c_str()
                                   : "");
    }
    return 0;
}
