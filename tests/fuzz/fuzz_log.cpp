// Any double (the first 8 bytes): runtime::Log, and its accurate path alone, give the bits of
// MPFR's correctly rounded logarithm; non-positive and non-finite arguments give what the C
// library gives.

#include <mpfr.h>

#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "runtime/log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    double x = 0;
    if (size < sizeof x) {
        return 0;
    }
    std::memcpy(&x, data, sizeof x);
    const double ln = runtime::Log(x);
    if (!(x > 0 && std::isfinite(x))) {
        const double expected = std::log(x);
        if (std::isnan(expected) ? !std::isnan(ln) : ln != expected) {
            __builtin_trap();
        }
        return 0;
    }
    mpfr_t in, out;
    mpfr_init2(in, 53);
    mpfr_init2(out, 53);
    mpfr_set_d(in, x, MPFR_RNDN);
    mpfr_subnormalize(out, mpfr_log(out, in, MPFR_RNDN), MPFR_RNDN);
    const auto bits = std::bit_cast<std::uint64_t>(mpfr_get_d(out, MPFR_RNDN));
    mpfr_clear(in);
    mpfr_clear(out);
    if (std::bit_cast<std::uint64_t>(ln) != bits ||
        std::bit_cast<std::uint64_t>(runtime::detail::AccurateLog(x)) != bits) {
        __builtin_trap();
    }
    return 0;
}
