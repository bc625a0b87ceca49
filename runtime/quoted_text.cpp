// A stranger's text quoted safely in a message.
#include "runtime/quoted_text.h"

#include <cstdint>
#include <cstdio>

#include "runtime/utf8.h"

namespace runtime {
namespace {

// The characters a message must not carry as they are.
bool Hidden(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

}  // namespace

std::string QuotedText(std::string_view text, std::size_t most) {
    std::string quoted;
    std::size_t shown = 0;
    for (std::size_t at = 0; at < text.size();) {
        if (shown == most) {
            quoted += "…";
            break;
        }
        const auto [c, length] = DecodeUtf8(text, at);
        char code[16];
        if (length == 0) {
            std::snprintf(code, sizeof code, "\\x%02X", static_cast<unsigned char>(text[at]));
            quoted += code;
            ++at;
        } else if (Hidden(c)) {
            std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
            quoted += code;
            at += length;
        } else {
            quoted.append(text.substr(at, length));
            at += length;
        }
        ++shown;
    }
    return quoted;
}

}  // namespace runtime
