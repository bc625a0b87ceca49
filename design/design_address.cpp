// A design in and out of a link's fragment, as base64url.
#include "design/design_address.h"

#include <array>
#include <cstdint>

namespace design {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

// Each character's six bits, or -1; standard base64's + and / are taken too, as browsers
// sometimes hand a pasted link over with them.
constexpr std::array<int, 256> kValues = [] {
    std::array<int, 256> values{};
    values.fill(-1);
    for (std::size_t i = 0; i < kAlphabet.size(); ++i) {
        values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<int>(i);
    }
    values['+'] = 62;
    values['/'] = 63;
    return values;
}();

}  // namespace

std::string DesignAddress(const DesignTexts& texts) {
    // The file on one line: a link is a third shorter so.
    const std::string file = DesignToJson(texts, false);
    std::string out;
    out.reserve((file.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : file) {
        bits = (bits << 8) | static_cast<unsigned char>(c);
        held += 8;
        while (held >= 6) {
            held -= 6;
            out.push_back(kAlphabet[(bits >> held) & 63]);
        }
    }
    if (held > 0) {
        out.push_back(kAlphabet[(bits << (6 - held)) & 63]);
    }
    return out;
}

runtime::Expected<DesignTexts, DesignFileProblem> DesignFromAddress(std::string_view fragment) {
    while (!fragment.empty() && fragment.back() == '=') {
        fragment.remove_suffix(1);
    }
    if (fragment.size() > (kMaxDesignFileBytes * 4 + 2) / 3 + 1) {
        return DesignFileProblem{DesignFileProblem::Kind::kTooLarge};
    }
    std::string file;
    file.reserve(fragment.size() * 3 / 4);
    std::uint32_t bits = 0;
    int held = 0;
    for (const char c : fragment) {
        const int value = kValues[static_cast<unsigned char>(c)];
        if (value < 0) {
            return DesignFileProblem{DesignFileProblem::Kind::kNotBase64};
        }
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            file.push_back(static_cast<char>((bits >> held) & 255));
        }
    }
    // Left-over bits must be the padding's zeros: a single character left over is no byte at all.
    if (held >= 6 || (bits & ((1u << held) - 1)) != 0) {
        return DesignFileProblem{DesignFileProblem::Kind::kNotBase64};
    }
    return DesignFromJson(file);
}

}  // namespace design
