#pragma once
// An amount of currency as a whole number of ten-thousandths, so sums are exact.

#include "core/Portable.h"

#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace valmora {

class Money {
public:
    static constexpr std::int64_t kScale = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(std::int64_t tenThousandths) { return Money(tenThousandths); }
    static constexpr Money fromWhole(std::int64_t units) { return Money(checkedMul(units, kScale)); }

    // A value as a table or a computation hands it over: scaled by 10000 and
    // rounded to the nearest unit, an exact half to the even neighbour.
    // Throws std::overflow_error for a value beyond the range (or not a number).
    static Money fromDouble(double value);
    // A stored decimal text ("12.5000", "-3", " 0.12345"): parsed digit by digit,
    // never through a double; digits past the fourth decimal round half to even.
    // Returns nothing when the text is not a decimal number.
    static std::optional<Money> fromDecimalText(std::string_view text);
    // What a user typed in a dialog: optional sign, digits, optional decimal
    // comma and digits. Nothing else is accepted ("12.50", "1.200", "12,50 €").
    static std::optional<Money> parseTyped(std::string_view text);

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / kScale; }

    // "%m": two decimals, "." thousands, "," decimals, " €" (1.234,56 €, -1.234,56 €).
    std::string format() const;
    // The dialogs' plain form: as few decimals as needed, decimal comma (12,5; 0; -3).
    std::string plain() const;
    // The stored form of an N(w,d) column: '.' decimal point, exactly `decimals` digits.
    std::string decimalText(int decimals) const;

    // Arithmetic is exact; a result beyond the 64-bit range throws std::overflow_error
    // instead of wrapping into a wrong balance.
    constexpr Money operator-() const { return Money(checkedSub(0, units_)); }
    constexpr Money operator+(Money o) const { return Money(checkedAdd(units_, o.units_)); }
    constexpr Money operator-(Money o) const { return Money(checkedSub(units_, o.units_)); }
    constexpr Money& operator+=(Money o) { return *this = *this + o; }
    constexpr Money& operator-=(Money o) { return *this = *this - o; }
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool isZero() const { return units_ == 0; }
    constexpr Money abs() const { return units_ < 0 ? -*this : *this; }

private:
    constexpr explicit Money(std::int64_t u) : units_(u) {}
    [[noreturn]] static void throwOverflow();
    static constexpr std::int64_t checkedAdd(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        if (portable::addOverflows(a, b, r))
            throwOverflow();
        return r;
    }
    static constexpr std::int64_t checkedSub(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        if (portable::subOverflows(a, b, r))
            throwOverflow();
        return r;
    }
    static constexpr std::int64_t checkedMul(std::int64_t a, std::int64_t b) {
        std::int64_t r = 0;
        if (portable::mulOverflows(a, b, r))
            throwOverflow();
        return r;
    }
    std::int64_t units_ = 0;
};

} // namespace valmora
