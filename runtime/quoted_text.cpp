#include "runtime/quoted_text.h"

#include <cstdint>
#include <cstdio>

namespace runtime {
namespace {

// The characters a message must not carry as they are.
bool Hidden(std::uint32_t c) {
    return c < 0x20 || (c >= 0x7F && c < 0xA0) || c == 0x061C || c == 0x180E ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x2028 && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x2069) || c == 0xFEFF;
}

// The character starting at `at`, and its length in bytes; length 0 for a byte that does not
// start well-formed UTF-8 (overlong forms, surrogates and values past U+10FFFF included).
std::pair<std::uint32_t, std::size_t> Decode(std::string_view text, std::size_t at) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[at + k]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {lead, 1};
    }
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (length == 0 || lead > 0xF4 || at + length > text.size()) {
        return {0, 0};
    }
    std::uint32_t c = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return {0, 0};
        }
        c = (c << 6) | (byte(k) & 0x3F);
    }
    constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kLeast[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        return {0, 0};
    }
    return {c, length};
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
        const auto [c, length] = Decode(text, at);
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
