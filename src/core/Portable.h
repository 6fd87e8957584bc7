#pragma once
// The one place the program leans on what a compiler offers beyond standard C++: overflow-checked
// 64-bit arithmetic (for Money) and a 128-bit integer (for the exact interest number). Each check
// has a standard fallback; the builtins are only the fast path where GCC or Clang compile.

#include <cstdint>
#include <limits>

namespace valmora::portable {

// Each returns true on overflow, leaving `r` unspecified; false with r = a op b otherwise.
constexpr bool addOverflows(std::int64_t a, std::int64_t b, std::int64_t& r) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_add_overflow(a, b, &r);
#else
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b))
        return true;
    r = a + b;
    return false;
#endif
}

constexpr bool subOverflows(std::int64_t a, std::int64_t b, std::int64_t& r) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_sub_overflow(a, b, &r);
#else
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if ((b < 0 && a > kMax + b) || (b > 0 && a < kMin + b))
        return true;
    r = a - b;
    return false;
#endif
}

// A product checked by division: standard for any signed integer type T.
template <typename T> constexpr bool mulOverflowsByDivision(T a, T b, T max, T min, T& r) {
    if (a == 0 || b == 0) {
        r = 0;
        return false;
    }
    if ((a == -1 && b == min) || (b == -1 && a == min))
        return true;
    if (a > 0 ? (b > 0 ? a > max / b : b < min / a) : (b > 0 ? a < min / b : a < max / b))
        return true;
    r = a * b;
    return false;
}

constexpr bool mulOverflows(std::int64_t a, std::int64_t b, std::int64_t& r) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_mul_overflow(a, b, &r);
#else
    return mulOverflowsByDivision<std::int64_t>(a, b, std::numeric_limits<std::int64_t>::max(),
                                                std::numeric_limits<std::int64_t>::min(), r);
#endif
}

// The compilers that define __SIZEOF_INT128__ (GCC, Clang) have the type and the builtin; the
// product is then checked by the division above, which is standard, rather than by the builtin.
#if defined(__SIZEOF_INT128__)
__extension__ typedef __int128 Int128;

inline bool mulOverflows(Int128 a, Int128 b, Int128& r) {
    const Int128 max = static_cast<Int128>(~static_cast<unsigned __int128>(0) >> 1);
    return mulOverflowsByDivision<Int128>(a, b, max, -max - 1, r);
}
#else
#error "The exact interest number needs a 128-bit integer, which this compiler does not offer."
#endif

} // namespace valmora::portable
