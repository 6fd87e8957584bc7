#include "ledger/InterestMath.h"

#include "core/Portable.h"

#include <initializer_list>
#include <limits>
#include <stdexcept>

namespace valmora {

namespace {

using Wide = portable::Int128;

[[noreturn]] void fuoriIntervallo() {
    throw std::overflow_error("Importo fuori dall'intervallo consentito: gli interessi non si possono calcolare");
}

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

std::int64_t narrowed(Wide value) {
    if (value > std::numeric_limits<std::int64_t>::max() || value < std::numeric_limits<std::int64_t>::min())
        fuoriIntervallo();
    return static_cast<std::int64_t>(value);
}

} // namespace

std::int64_t CalcolaNumero(std::int64_t saldo, std::int64_t giorni, std::int64_t tasso, std::int64_t ritenuta) {
    if (saldo == 0 || giorni == 0 || tasso == 0)
        return 0;
    // Real accounts stay far inside 128 bits ((10^6)(10^7)(10^7)(10^15) < 1.7 x 10^38); only absurd
    // operands overflow, and those are refused rather than turned into a wrong interest.
    Wide prodotto = Wide(1'000'000) - ritenuta;
    for (const std::int64_t fattore : {tasso, giorni, saldo}) {
        if (portable::mulOverflows(prodotto, Wide(fattore), prodotto))
            fuoriIntervallo();
    }
    return narrowed(divideHalfEven(prodotto, Wide(1'000'000'000'000)));
}

std::int64_t DividiArrotondando(std::int64_t numerator, std::int64_t denominator) {
    return narrowed(divideHalfEven(numerator, denominator));
}

} // namespace valmora
