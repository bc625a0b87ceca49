// Form1 with the Win32 API, laid out from the design table at the monitor's DPI.
#include "ui/win32/form1.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "ui/commands.h"
#include "ui/form_design.h"
#include "ui/win32/edit_box.h"
#include "ui/win32/fonts.h"
#include "ui/win32/report_box.h"
#include "ui/win32/utf8.h"

namespace ui::win32 {
namespace {

constexpr wchar_t kClass[] = L"DiscSpringForm1";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr int kFirstControlId = 100;  // clear of IDOK and IDCANCEL

const wchar_t* ControlClass(ControlKind kind) {
    switch (kind) {
        case ControlKind::kTextBox:
            return L"EDIT";
        case ControlKind::kButton:
            return L"BUTTON";
        case ControlKind::kLabel:
            break;
    }
    return L"STATIC";
}

DWORD ControlStyle(ControlKind kind) {
    switch (kind) {
        case ControlKind::kTextBox:
            return WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL;
        case ControlKind::kButton:
            return WS_TABSTOP | BS_PUSHBUTTON;
        case ControlKind::kLabel:
            break;
    }
    return SS_LEFT;
}

int FontHeight(HWND control, HFONT font) {
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

}  // namespace

bool Form1::Register(HINSTANCE instance) {
    WNDCLASSEXW form{};
    form.cbSize = sizeof form;
    form.lpfnWndProc = Procedure;
    form.hInstance = instance;
    form.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    form.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXSMICON),
                                                 GetSystemMetrics(SM_CYSMICON), 0));
    form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kClass;
    return RegisterClassExW(&form) != 0;
}

Form1::Form1(HINSTANCE instance) {
    window_ = CreateWindowExW(0, kClass, Widen(kForm1Caption).c_str(), kStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              instance, this);
    CreateControls();
    Scale(static_cast<int>(GetDpiForWindow(window_)));
    for (std::size_t i = 0; i < text_.size(); ++i) {
        adapters_[i] = std::make_unique<EditBox>(text_[i]);
        boxes_[i] = adapters_[i].get();
    }
    SetFocus(text_[0]);
}

Form1::~Form1() {
    if (IsWindow(window_)) {
        DestroyWindow(window_);
    }
    for (HFONT font : fonts_) {
        DeleteObject(font);
    }
}

// Created in tab order, which IsDialogMessage follows: Text1 … Text9, the two buttons, Text10.
void Form1::CreateControls() {
    std::vector<std::size_t> order(kForm1Controls.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        order[i] = i;
    }
    std::sort(order.begin(), order.end(), [](std::size_t a, std::size_t b) {
        return kForm1Controls[a].tab_index < kForm1Controls[b].tab_index;
    });
    for (const std::size_t i : order) {
        const ControlDesign& design = kForm1Controls[i];
        HWND control = CreateWindowExW(
            design.kind == ControlKind::kTextBox ? WS_EX_CLIENTEDGE : 0, ControlClass(design.kind),
            Widen(design.caption).c_str(), WS_CHILD | WS_VISIBLE | ControlStyle(design.kind), 0, 0,
            0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
            nullptr, nullptr);
        controls_[i] = control;
        if (design.kind == ControlKind::kTextBox) {
            text_[design.box - 1] = control;
        } else if (design.kind == ControlKind::kButton) {
            (design.command == Command::kCalculate ? calculate_ : clear_) = control;
        } else if (FontOf(design.font).coloured) {
            title_ = control;
        }
    }
}

void Form1::Scale(int dpi) {
    // The old fonts go only once no control holds them any more.
    const auto old = fonts_;
    for (std::size_t role = 0; role < fonts_.size(); ++role) {
        fonts_[role] = CreateRoleFont(static_cast<FontRole>(role), dpi);
    }
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i) {
        const ControlDesign& design = kForm1Controls[i];
        HFONT font = fonts_[static_cast<std::size_t>(design.font)];
        SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        int height = TwipsToPixels(design.height, dpi);
        if (design.kind == ControlKind::kLabel) {
            // A label lower than a line of its font grows downwards, never cutting its caption.
            height = std::max(height, FontHeight(controls_[i], font));
        }
        SetWindowPos(controls_[i], nullptr, TwipsToPixels(design.left, dpi),
                     TwipsToPixels(design.top, dpi), TwipsToPixels(design.width, dpi), height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    RECT frame{0, 0, TwipsToPixels(kClientWidthTwips, dpi), TwipsToPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kStyle, FALSE, 0, static_cast<UINT>(dpi));
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    InvalidateRect(window_, nullptr, TRUE);
    for (HFONT font : old) {
        DeleteObject(font);
    }
}

LRESULT CALLBACK Form1::Procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        form->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return form != nullptr ? form->Handle(message, wparam, lparam)
                           : DefWindowProcW(window, message, wparam, lparam);
}

LRESULT Form1::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_COMMAND: {
            const HWND from = reinterpret_cast<HWND>(lparam);
            const int id = LOWORD(wparam);
            if (id == IDOK) {
                // Enter: IsDialogMessage asks for the default button, and there is none. A
                // focused button runs; in a box nothing happens.
                const HWND focus = GetFocus();
                if (focus == calculate_) {
                    calculateClicked();
                } else if (focus == clear_) {
                    clearClicked();
                }
            } else if (HIWORD(wparam) == EN_SETFOCUS && IsResultBox(from)) {
                // Tab selects the whole text with the caret at its end, scrolled there; a
                // result wider than its box would lose its sign and leading digits. Posted, so
                // that it comes after the selection the dialog code makes.
                const auto length = static_cast<WPARAM>(GetWindowTextLengthW(from));
                PostMessageW(from, EM_SETSEL, length, 0);
                PostMessageW(from, EM_SCROLLCARET, 0, 0);
            } else if (HIWORD(wparam) == BN_CLICKED && from == calculate_) {
                calculateClicked();
            } else if (HIWORD(wparam) == BN_CLICKED && from == clear_) {
                clearClicked();
            }
            return 0;
        }
        case WM_CTLCOLORSTATIC: {
            // Labels on the window's face colour; the title in navy.
            HDC dc = reinterpret_cast<HDC>(wparam);
            const Rgb title = FontOf(FontRole::kTitle).colour;
            SetTextColor(dc, reinterpret_cast<HWND>(lparam) == title_
                                 ? RGB(title.r, title.g, title.b)
                                 : GetSysColor(COLOR_WINDOWTEXT));
            SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_DPICHANGED: {
            // Where Windows suggests, at the designed size scaled (Scale sets it): the
            // suggested size is the old one scaled, which rounding and the frame can miss.
            const RECT* suggested = reinterpret_cast<const RECT*>(lparam);
            Scale(HIWORD(wparam));
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wparam, lparam);
    }
}

bool Form1::IsResultBox(HWND control) const {
    return std::find(text_.begin() + 5, text_.end(), control) != text_.end();  // Text6 … Text10
}

void Form1::calculateClicked() {
    Calculate(boxes_,
              [this](const calc::SpringFault& fault) { ShowReport(window_, ReportFor(fault)); });
}

void Form1::clearClicked() {
    Clear(boxes_);
}

}  // namespace ui::win32
