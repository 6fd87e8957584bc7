#include "ledger/InterestMath.h"

#include "core/Portable.h"

#include <initializer_list>
#include <limits>

namespace valmora {

namespace {

using Wide = portable::Int128;

Wide magnitude(Wide v) {
    return v < 0 ? -v : v;
}

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
    // Real accounts stay far inside 128 bits ((10^6)(10^7)(10^7)(10^15) < 1.7 x 10^38); only absurd
    // operands overflow, and those saturate by the sign of the product.
    const int negativi = int(Wide(1'000'000) - ritenuta < 0) + int(tasso < 0) + int(giorni < 0) + int(saldo < 0);
    const bool negativo = negativi % 2 == 1;
    Wide prodotto = Wide(1'000'000) - ritenuta;
    for (const std::int64_t fattore : {tasso, giorni, saldo}) {
        if (portable::mulOverflows(prodotto, Wide(fattore), prodotto))
            return negativo ? std::numeric_limits<std::int64_t>::min() : std::numeric_limits<std::int64_t>::max();
    }
    return saturate(divideHalfEven(prodotto, Wide(1'000'000'000'000)));
}

std::int64_t DividiArrotondando(std::int64_t numerator, std::int64_t denominator) {
    return static_cast<std::int64_t>(divideHalfEven(numerator, denominator));
}

} // namespace valmora
