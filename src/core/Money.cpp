#include "core/Money.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace valmora {

namespace {

constexpr std::uint64_t kMaxMagnitude = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
constexpr int kDecimals = 4;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Appends one decimal digit to a magnitude; false when the result would no
// longer fit a signed 64-bit count.
bool pushDigit(std::uint64_t& magnitude, char digit) {
    const auto d = static_cast<std::uint64_t>(digit - '0');
    if (magnitude > (kMaxMagnitude - d) / 10)
        return false;
    magnitude = magnitude * 10 + d;
    return true;
}

std::int64_t applySign(std::uint64_t magnitude, bool negative) {
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

// The magnitude of a count, safe for the most negative value too.
std::uint64_t magnitudeOf(std::int64_t units) {
    return units < 0 ? static_cast<std::uint64_t>(-(units + 1)) + 1 : static_cast<std::uint64_t>(units);
}

// Divides a magnitude by 10^drop, a remainder of exactly one half going away from zero.
std::uint64_t roundHalfAway(std::uint64_t magnitude, int drop) {
    std::uint64_t divisor = 1;
    for (int i = 0; i < drop; ++i)
        divisor *= 10;
    const std::uint64_t quotient = magnitude / divisor;
    const std::uint64_t remainder = magnitude % divisor;
    return remainder * 2 >= divisor ? quotient + 1 : quotient;
}

// "1234567" -> "1.234.567"
std::string groupThousands(const std::string& digits) {
    std::string out;
    out.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

// Integer part and `decimals` decimal digits of a magnitude already scaled to that many decimals.
void splitScaled(std::uint64_t scaled, int decimals, std::string& whole, std::string& fraction) {
    std::uint64_t divisor = 1;
    for (int i = 0; i < decimals; ++i)
        divisor *= 10;
    whole = std::to_string(scaled / divisor);
    fraction.clear();
    if (decimals == 0)
        return;
    fraction = std::to_string(scaled % divisor);
    fraction.insert(0, static_cast<std::size_t>(decimals) - fraction.size(), '0');
}

} // namespace

void Money::throwOverflow() {
    throw std::overflow_error("Importo fuori dall'intervallo consentito");
}

Money Money::fromDouble(double value) {
    // nearbyint in the default rounding mode takes an exact half to the even neighbour.
    const double scaled = std::nearbyint(value * static_cast<double>(kScale));
    // 2^63 is exactly representable; anything at or beyond it (or NaN) does not fit.
    constexpr double kLimit = 9223372036854775808.0;
    if (!(scaled > -kLimit && scaled < kLimit))
        throwOverflow();
    return Money(static_cast<std::int64_t>(scaled));
}

std::optional<Money> Money::fromDecimalText(std::string_view text) {
    // Numeric columns are right-aligned with blanks; blanks around the number are not part of it.
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    std::string_view s = text.substr(begin, end - begin);

    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    std::uint64_t magnitude = 0;
    int digitsSeen = 0;
    std::size_t i = 0;
    for (; i < s.size() && isDigit(s[i]); ++i, ++digitsSeen)
        if (!pushDigit(magnitude, s[i]))
            return std::nullopt;

    int decimals = 0;
    // The first digit beyond the kept four, and whether any non-zero digit follows it.
    char firstDropped = '0';
    bool restNonZero = false;
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && isDigit(s[i]); ++i, ++digitsSeen) {
            if (decimals < kDecimals) {
                if (!pushDigit(magnitude, s[i]))
                    return std::nullopt;
                ++decimals;
            } else if (decimals == kDecimals) {
                firstDropped = s[i];
                ++decimals;
            } else if (s[i] != '0') {
                restNonZero = true;
            }
        }
    }
    if (i != s.size() || digitsSeen == 0)
        return std::nullopt;

    for (; decimals < kDecimals; ++decimals)
        if (!pushDigit(magnitude, '0'))
            return std::nullopt;

    const bool roundUp = firstDropped > '5' || (firstDropped == '5' && (restNonZero || magnitude % 2 == 1));
    if (roundUp) {
        if (magnitude == kMaxMagnitude)
            return std::nullopt;
        ++magnitude;
    }
    return Money(applySign(magnitude, negative));
}

std::optional<Money> Money::parseTyped(std::string_view text) {
    std::string_view s = text;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }

    std::uint64_t magnitude = 0;
    std::size_t i = 0;
    for (; i < s.size() && isDigit(s[i]); ++i)
        if (!pushDigit(magnitude, s[i]))
            return std::nullopt;
    if (i == 0)
        return std::nullopt; // no digits before the comma: "", ",5", "-"

    int decimals = 0;
    if (i < s.size() && s[i] == ',') {
        for (++i; i < s.size() && isDigit(s[i]); ++i) {
            // More decimals than an amount can hold are refused rather than silently rounded:
            // the user sees exactly the value that will be stored.
            if (decimals == kDecimals || !pushDigit(magnitude, s[i]))
                return std::nullopt;
            ++decimals;
        }
        if (decimals == 0)
            return std::nullopt; // "12," has a comma with nothing after it
    }
    if (i != s.size())
        return std::nullopt;

    for (; decimals < kDecimals; ++decimals)
        if (!pushDigit(magnitude, '0'))
            return std::nullopt;
    return Money(applySign(magnitude, negative));
}

std::string Money::format() const {
    // The shown value has two decimals, and the fourth-to-second step rounds an exact half away
    // from zero (0,005 -> 0,01; -0,005 -> -0,01): that is how the currency format of the classic
    // runtime rounds the value it shows, and printed totals must match what the user knows.
    const std::uint64_t cents = roundHalfAway(magnitudeOf(units_), kDecimals - 2);
    std::string whole;
    std::string fraction;
    splitScaled(cents, 2, whole, fraction);
    // A value that shows as zero carries no minus sign: "-0,00 €" would read as a debt.
    const bool showMinus = units_ < 0 && cents != 0;
    // Built by appending: GCC 12 at -O3 sees a false overlap in the chained operator+ (-Wrestrict).
    std::string text = showMinus ? "-" : "";
    text += groupThousands(whole);
    text += ',';
    text += fraction;
    text += " \u20ac";
    return text;
}

std::string Money::plain() const {
    std::string whole;
    std::string fraction;
    splitScaled(magnitudeOf(units_), kDecimals, whole, fraction);
    while (!fraction.empty() && fraction.back() == '0')
        fraction.pop_back();
    std::string out = units_ < 0 ? "-" : "";
    out += whole;
    if (!fraction.empty())
        out += "," + fraction;
    return out;
}

std::string Money::decimalText(int decimals) const {
    if (decimals < 0)
        throw std::invalid_argument("Numero di decimali non valido");
    std::uint64_t scaled = magnitudeOf(units_);
    int kept = decimals;
    if (decimals < kDecimals) {
        // Fewer stored decimals than held: round an exact half away from zero, as the currency
        // display does, so a column shows the same cents the screen showed.
        scaled = roundHalfAway(scaled, kDecimals - decimals);
    } else {
        kept = kDecimals;
    }
    std::string whole;
    std::string fraction;
    splitScaled(scaled, kept, whole, fraction);
    fraction.append(static_cast<std::size_t>(decimals - kept), '0');
    std::string out = (units_ < 0 && scaled != 0) ? "-" : "";
    out += whole;
    if (decimals > 0)
        out += "." + fraction;
    return out;
}

} // namespace valmora
