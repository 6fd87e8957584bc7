#pragma once
// The exact arithmetic of interest: interest numbers and their conversion into amounts.
// Everything is integer arithmetic, so the same ledger gives the same cents on every machine.

#include <cstdint>

namespace valmora {

// The divisor that turns an accumulated interest number into ten-thousandths of the currency:
// 365 days x 100 (rate percent) x 100 (withholding percent). Leap years count 365 days too.
inline constexpr std::int64_t kDivisoreNumeri = 3650000;

// The interest number of a balance S (ten-thousandths) held for G (days x 10000) at rate T and
// withholding W (both percent x 10000): (10^6 - W) x T x G x S / 10^12, exactly, rounded to the
// nearest integer with halves to the even neighbour. The four factors of 10^4 cancel the divisor,
// so the result is (100 - withholding%) x rate% x days x S. A result beyond 64 bits (a balance of
// billions held for years at extreme rates) saturates instead of wrapping round.
std::int64_t CalcolaNumero(std::int64_t saldo, std::int64_t giorni, std::int64_t tasso, std::int64_t ritenuta);

// numerator / denominator rounded to the nearest integer, halves to the even neighbour (denominator > 0).
std::int64_t DividiArrotondando(std::int64_t numerator, std::int64_t denominator);

} // namespace valmora
