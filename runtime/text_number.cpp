// A text's leading number, as a box's text reads, and plain numbers.
#include "runtime/text_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <system_error>

#include "runtime/decimal.h"
namespace runtime {
namespace {

constexpr Fault kConversionOverflow{FaultKind::kOverflow, FaultSource::kConversion};

// More significant digits than any double needs to be rounded correctly (767 suffice); the rest
// only matter as "something nonzero follows", which one extra digit records.
constexpr int kMaxDigits = 800;

// Exponents beyond these bounds are saturated: no double lies anywhere near them.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    // The next character that is not a blank, or -1 at the end of the text.
    int Peek() {
        while (pos_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[pos_]);
            if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
                ++pos_;
            } else if (c == 0xE3 && text_.substr(pos_, 3) == "\xE3\x80\x80") {  // U+3000
                pos_ += 3;
            } else {
                return c;
            }
        }
        return -1;
    }

    void Advance() { ++pos_; }
    bool AtEnd() { return Peek() < 0; }

    std::size_t position() const { return pos_; }
    void Rewind(std::size_t position) { pos_ = position; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

int DigitValue(int c, int radix) {
    int value = 99;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < radix ? value : -1;
}

// "&H…" / "&O…", after the '&'; `any_digit` tells whether there was a digit.
Expected<double, Fault> ReadRadixInteger(Scanner& in, bool& any_digit) {
    int radix = 0;
    switch (in.Peek()) {
        case 'H':
        case 'h':
            radix = 16;
            break;
        case 'O':
        case 'o':
            radix = 8;
            break;
        default:
            return 0.0;
    }
    in.Advance();
    std::uint64_t value = 0;
    bool too_big = false;
    for (int digit; (digit = DigitValue(in.Peek(), radix)) >= 0; in.Advance()) {
        any_digit = true;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
        too_big = too_big || value > 0xFFFF'FFFF;
        if (too_big) {
            value = 0x1'0000'0000;  // keep consuming without wrapping
        }
    }
    if (too_big) {
        return kConversionOverflow;
    }
    if (value <= 0xFFFF) {
        return static_cast<double>(static_cast<std::int16_t>(value));
    }
    return static_cast<double>(static_cast<std::int32_t>(value));
}

std::int64_t Saturate(std::int64_t v) {
    return v > kExponentLimit ? kExponentLimit : (v < -kExponentLimit ? -kExponentLimit : v);
}

}  // namespace

Expected<double, Fault> TextToNumber(std::string_view text) {
    return ReadNumber(text).value;
}

bool IsBlank(std::string_view text) {
    return Scanner(text).AtEnd();
}

std::optional<double> ReadPlainNumber(std::string_view text) {
    constexpr std::string_view kAround = " \t\r\n";
    const std::size_t first = text.find_first_not_of(kAround);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text = text.substr(first, text.find_last_not_of(kAround) - first + 1);
    double value = 0;
    const Parsed parsed = ParseDouble(text.data(), text.data() + text.size(), value);
    if (parsed.out_of_range || parsed.end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

NumberReading ReadNumber(std::string_view text) {
    Scanner in(text);
    bool any_digit = false;
    if (in.Peek() == '&') {
        in.Advance();
        auto value = ReadRadixInteger(in, any_digit);
        return {std::move(value), any_digit && in.AtEnd()};
    }

    bool negative = false;
    if (in.Peek() == '+' || in.Peek() == '-') {
        negative = in.Peek() == '-';
        in.Advance();
    }

    // The value read is digits × 10^exponent, digits without leading zeros.
    char buffer[kMaxDigits + 32];
    int count = 0;
    bool dropped_nonzero = false;
    bool after_point = false;
    std::int64_t exponent = 0;
    for (;; in.Advance()) {
        const int c = in.Peek();
        if (c == '.' && !after_point) {
            after_point = true;
            continue;
        }
        if (c < '0' || c > '9') {
            break;
        }
        any_digit = true;
        if (count == 0 && c == '0') {
            exponent -= after_point ? 1 : 0;
        } else if (count < kMaxDigits) {
            buffer[count++] = static_cast<char>(c);
            exponent -= after_point ? 1 : 0;
        } else {
            dropped_nonzero = dropped_nonzero || c != '0';
            exponent += after_point ? 0 : 1;
        }
    }
    if (!any_digit) {
        return {0.0, false};
    }

    if (const int c = in.Peek(); c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        const std::size_t marker = in.position();
        in.Advance();
        bool exponent_negative = false;
        if (in.Peek() == '+' || in.Peek() == '-') {
            exponent_negative = in.Peek() == '-';
            in.Advance();
        }
        std::int64_t written = 0;
        bool exponent_digits = false;
        for (int e; (e = in.Peek()) >= '0' && e <= '9'; in.Advance()) {
            written = Saturate(written * 10 + (e - '0'));
            exponent_digits = true;
        }
        exponent = Saturate(exponent + (exponent_negative ? -written : written));
        if (!exponent_digits) {
            in.Rewind(marker);
        }
    }
    const bool whole = in.AtEnd();

    if (count == 0) {
        return {0.0, whole};
    }
    if (dropped_nonzero) {
        buffer[count++] = '1';
        exponent -= 1;
    }
    // Decimal exponent of the leading digit decides overflow and underflow long before the
    // conversion could: the double range spans 10^-324 … 10^308.
    const std::int64_t leading = exponent + count - 1;
    if (leading > 400) {
        return {kConversionOverflow, whole};
    }
    if (leading < -400) {
        return {0.0, whole};
    }
    char* end = buffer + count;
    *end++ = 'e';
    end = std::to_chars(end, buffer + sizeof buffer, exponent).ptr;

    double value = 0.0;
    if (ParseDouble(buffer, end, value).out_of_range) {
        return {kConversionOverflow, whole};
    }
    return {negative ? -value : value, whole};
}

}  // namespace runtime
