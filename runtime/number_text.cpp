// A double's text: 15 significant digits, the calculator's format.
#include "runtime/number_text.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

#include "runtime/decimal.h"
#include "runtime/text_number.h"

namespace runtime {
namespace {

constexpr int kSignificantDigits = 15;

class Writer {
public:
    explicit Writer(char* out) : out_(out) {}
    void Put(char c) { *out_++ = c; }
    void Put(const char* s, int n) {
        std::memcpy(out_, s, static_cast<std::size_t>(n));
        out_ += n;
    }
    void Zeros(int n) {
        std::memset(out_, '0', static_cast<std::size_t>(n));
        out_ += n;
    }
    char* end() const { return out_; }

private:
    char* out_;
};

}  // namespace

NumberText NumberToText(double value) {
    NumberText text;
    if (value == 0.0) {
        text.data_[0] = '0';
        text.size_ = 1;
        return text;
    }
    if (!std::isfinite(value)) {
        const char* word = std::isnan(value) ? "nan" : (value < 0 ? "-inf" : "inf");
        text.size_ = std::strlen(word);
        std::memcpy(text.data_, word, text.size_);
        return text;
    }

    // "d.dddddddddddddde±XX": 15 correctly rounded significant digits and the exponent after
    // rounding (9.9999999999999995 becomes 1.00000000000000e+01).
    char sci[48];
    const char* const sci_end = FormatScientific(sci, std::fabs(value), kSignificantDigits - 1);
    char digits[kSignificantDigits];
    digits[0] = sci[0];
    std::memcpy(digits + 1, sci + 2, kSignificantDigits - 1);
    int kept = kSignificantDigits;
    while (kept > 1 && digits[kept - 1] == '0') {
        --kept;
    }
    const char* const exponent_sign = sci + kSignificantDigits + 2;  // past "e"
    int exponent = 0;
    std::from_chars(exponent_sign + 1, sci_end, exponent);
    if (*exponent_sign == '-') {
        exponent = -exponent;
    }

    Writer out(text.data_);
    if (value < 0) {
        out.Put('-');
    }
    if (exponent >= 0 && exponent <= kSignificantDigits - 1) {
        const int whole = exponent + 1;
        if (kept <= whole) {
            out.Put(digits, kept);
            out.Zeros(whole - kept);
        } else {
            out.Put(digits, whole);
            out.Put('.');
            out.Put(digits + whole, kept - whole);
        }
    } else if (exponent < 0 && -exponent + kept - 1 <= kSignificantDigits) {
        out.Put("0.", 2);
        out.Zeros(-exponent - 1);
        out.Put(digits, kept);
    } else {
        out.Put(digits[0]);
        if (kept > 1) {
            out.Put('.');
            out.Put(digits + 1, kept - 1);
        }
        out.Put('E');
        out.Put(exponent < 0 ? '-' : '+');
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            out.Put('0');
        }
        char exp_digits[8];
        const char* exp_end =
            std::to_chars(exp_digits, exp_digits + sizeof exp_digits, magnitude).ptr;
        out.Put(exp_digits, static_cast<int>(exp_end - exp_digits));
    }
    text.size_ = static_cast<std::size_t>(out.end() - text.data_);
    return text;
}

std::string RoundedText(double value, int significant) {
    if (value == 0.0 || !std::isfinite(value)) {
        return std::string(NumberToText(value).view());
    }
    char sci[64];
    const char* const end = FormatScientific(sci, std::fabs(value), significant - 1);
    const std::string_view written(sci, static_cast<std::size_t>(end - sci));
    const std::size_t e = written.find('e');
    std::string digits;
    for (const char c : written.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    const std::string_view exponent_text = written.substr(e + 1);
    std::from_chars(exponent_text.data() + (exponent_text.front() == '+'),
                    exponent_text.data() + exponent_text.size(), exponent);
    std::string text = value < 0 ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent >= -4 && exponent <= 5) {
        if (exponent < 0) {
            text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
        } else if (count <= exponent + 1) {
            text += digits + std::string(static_cast<std::size_t>(exponent + 1 - count), '0');
        } else {
            const auto whole = static_cast<std::size_t>(exponent + 1);
            text += digits.substr(0, whole) + '.' + digits.substr(whole);
        }
        return text;
    }
    text += digits.substr(0, 1);
    if (count > 1) {
        text += '.' + digits.substr(1);
    }
    const int magnitude = exponent < 0 ? -exponent : exponent;
    text += exponent < 0 ? "E-" : "E+";
    if (magnitude < 10) {
        text += '0';
    }
    text += std::to_string(magnitude);
    return text;
}

std::string FixedText(double value, int decimals) {
    if (!std::isfinite(value)) {
        return std::string(NumberToText(value).view());
    }
    char fixed[400];
    const char* const end = FormatFixed(fixed, value, decimals);
    std::string text(fixed, static_cast<std::size_t>(end - fixed));
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    return text == "-0" ? "0" : text;
}

double ShownValue(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    // Only the largest doubles round to a text beyond the double range.
    const auto shown = TextToNumber(NumberToText(value));
    return shown ? *shown : std::copysign(std::numeric_limits<double>::infinity(), value);
}

}  // namespace runtime
