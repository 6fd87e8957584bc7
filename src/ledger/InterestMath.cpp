#include "ledger/InterestMath.h"

#include <limits>

namespace valmora {

namespace {

__extension__ typedef __int128 Wide;

constexpr Wide kWideMax = ~(Wide(1) << 127);

Wide magnitude(Wide v) { return v < 0 ? -v : v; }

// Exact division, halves to the even neighbour; both signs.
Wide divideHalfEven(Wide numerator, Wide denominator) {
    const bool negative = numerator < 0;
    const Wide n = magnitude(numerator);
    Wide quotient = n / denominator;
    const Wide twiceRemainder = (n % denominator) * 2;
    if (twiceRemainder > denominator || (twiceRemainder == denominator && (quotient & 1) != 0))
        ++quotient;
    return negative ? -quotient : quotient;
}

std::int64_t saturate(Wide value) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if (value > kMax)
        return kMax;
    if (value < kMin)
        return kMin;
    return static_cast<std::int64_t>(value);
}

} // namespace

std::int64_t CalcolaNumero(std::int64_t saldo, std::int64_t giorni, std::int64_t tasso, std::int64_t ritenuta) {
    if (saldo == 0 || giorni == 0 || tasso == 0)
        return 0;
    // Rates, withholding and days are far below 10^12 each, so their product fits 128 bits.
    const Wide fattori = (Wide(1'000'000) - ritenuta) * tasso * giorni;
    if (fattori == 0)
        return 0;
    // Only a balance and rates far beyond any account could overflow the full product.
    const bool negativo = (fattori < 0) != (saldo < 0);
    if (magnitude(fattori) > kWideMax / magnitude(Wide(saldo)))
        return negativo ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    return saturate(divideHalfEven(fattori * saldo, Wide(1'000'000'000'000)));
}

std::int64_t DividiArrotondando(std::int64_t numerator, std::int64_t denominator) {
    return static_cast<std::int64_t>(divideHalfEven(numerator, denominator));
}

} // namespace valmora
