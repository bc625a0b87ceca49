// UTF-8: a character and its length, and whether bytes are UTF-8 at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace runtime {

/// The character starting at `at` and its length in bytes; length 0 for a byte that does not
/// start well-formed UTF-8 (overlong forms, surrogates and values past U+10FFFF included), as
/// the browsers' and Qt's strict decoders judge it.
std::pair<std::uint32_t, std::size_t> DecodeUtf8(std::string_view text, std::size_t at);

/// The byte-order mark some editors put before UTF-8 text.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

/// Whether all of `text` is well-formed UTF-8.
bool IsUtf8(std::string_view text);

}  // namespace runtime
