// What the commands need of a text box.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ui {

/// What the commands need of a text box: read its whole text, replace its whole text (UTF-8).
/// The window's boxes and the tests' fakes both provide it.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::string Text() const = 0;
    virtual void SetText(std::string_view text) = 0;
};

/// Text1 … Text10: the inputs D, d, t, H, f, then the results F, σom, σ1, σ2, σ3.
using TextBoxes = std::array<TextBox*, 10>;

}  // namespace ui
