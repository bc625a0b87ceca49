// A stranger's text as a message quotes it: one line, cut, nothing hidden.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace runtime {

/// The most characters of a stranger's text that a message quotes.
inline constexpr std::size_t kQuotedAtMost = 40;

/// A text from a file, an address or a field as a message may quote it: one line of at most
/// `most` characters (then "…"); each control character, bidirectional control, zero-width
/// mark and line or paragraph separator shown as its code ("U+202E"), and each byte that is not
/// part of UTF-8 as "\xFF". So a quoted text can neither break a message into lines, nor turn
/// the message round, nor hide in it.
std::string QuotedText(std::string_view text, std::size_t most = kQuotedAtMost);

}  // namespace runtime
