// Form1, the calculator's one window, with the Win32 API.
#pragma once

#include <windows.h>

#include <array>
#include <memory>

#include "ui/text_box.h"

namespace ui::win32 {

class EditBox;

/// The calculator's one window, with Windows' own edit, static and button controls.
///
/// The controls stand where the design table puts them (ui/form_design.h), in twips scaled to
/// the monitor's DPI, and move with it when the window changes monitors; nothing moves on
/// resize. A click on Command1 ("自动计算") hands the ten boxes, as TextBox adapters, to the
/// calculate command, which writes the five results or empties them and reports the fault;
/// Command2 ("重新输入") empties all ten. Tab follows the design's order because the message
/// loop passes keys through IsDialogMessage; Enter and Escape in a box do nothing, and Enter on
/// a focused button clicks it.
class Form1 {
public:
    /// Registers the window class; call once before the first Form1.
    static bool Register(HINSTANCE instance);

    explicit Form1(HINSTANCE instance);
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);
    void CreateControls();
    /// Positions, sizes and fonts for `dpi`; the client area with them.
    void Scale(int dpi);
    void calculateClicked();
    void clearClicked();
    bool IsResultBox(HWND control) const;

    HWND window_ = nullptr;
    std::array<HWND, 23> controls_{};  ///< in the design table's order
    std::array<HWND, 10> text_{};
    HWND calculate_ = nullptr, clear_ = nullptr, title_ = nullptr;  // Command1, Command2, Label10
    std::array<HFONT, 3> fonts_{};                                  ///< by FontRole
    std::array<std::unique_ptr<EditBox>, 10> adapters_;
    TextBoxes boxes_{};
};

}  // namespace ui::win32
