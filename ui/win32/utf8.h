// UTF-8 and the UTF-16 of Windows' W functions.
#pragma once

#include <string>
#include <string_view>

namespace ui::win32 {

/// UTF-8 to the UTF-16 that Windows' W functions take, and back.
std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace ui::win32
