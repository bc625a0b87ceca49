// A Win32 edit control seen through the TextBox interface.
#pragma once

#include <windows.h>

#include <string>

#include "ui/text_box.h"
#include "ui/win32/utf8.h"

namespace ui::win32 {

/// A window's edit control seen through the TextBox interface.
class EditBox final : public TextBox {
public:
    explicit EditBox(HWND edit) : edit_(edit) {}

    std::string Text() const override {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
        return Narrow(text);
    }
    void SetText(std::string_view text) override {
        SetWindowTextW(edit_, Widen(text).c_str());
        // A result is often wider than its box: show its leading digits, not its tail.
        SendMessageW(edit_, EM_SETSEL, 0, 0);
        SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
    }

private:
    HWND edit_;
};

}  // namespace ui::win32
