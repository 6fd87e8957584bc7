#pragma once
// An amount of currency as a whole number of ten-thousandths, so sums are exact.

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
    static constexpr Money fromWhole(std::int64_t units) { return Money(units * kScale); }

    // A value as a table or a computation hands it over: scaled by 10000 and
    // rounded to the nearest unit, an exact half to the even neighbour.
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

    constexpr Money operator-() const { return Money(-units_); }
    constexpr Money operator+(Money o) const { return Money(units_ + o.units_); }
    constexpr Money operator-(Money o) const { return Money(units_ - o.units_); }
    constexpr Money& operator+=(Money o) { units_ += o.units_; return *this; }
    constexpr Money& operator-=(Money o) { units_ -= o.units_; return *this; }
    constexpr auto operator<=>(const Money&) const = default;
    constexpr bool isZero() const { return units_ == 0; }
    constexpr Money abs() const { return Money(units_ < 0 ? -units_ : units_); }

private:
    constexpr explicit Money(std::int64_t u) : units_(u) {}
    std::int64_t units_ = 0;
};

} // namespace valmora
