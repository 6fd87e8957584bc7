#include "ledger/InterestMath.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace valmora {
namespace {

TEST(CalcolaNumero, IsTheExactProductOfItsFactors) {
    // (100 - 27) x 1 % x 91 days x 10 000,00 in ten-thousandths.
    EXPECT_EQ(CalcolaNumero(100'000'000, 910'000, 10'000, 270'000), 73LL * 1 * 91 * 100'000'000);
    // Debit: the sign of the balance carries through.
    EXPECT_EQ(CalcolaNumero(-10'000'000, 300'000, 100'000, 0), -100LL * 10 * 30 * 10'000'000);
    // Large operands that a double would round: computed exactly.
    EXPECT_EQ(CalcolaNumero(12'345'678'901, 3'650'000, 123'456, 270'000), 4'061'092'704'113'745LL);
    EXPECT_EQ(CalcolaNumero(-98'765'432'109, 2'910'000, 99'999, 0), -28'740'453'336'311'563LL);
    EXPECT_EQ(CalcolaNumero(123, 12'345, 67, 1), 102);
    EXPECT_EQ(CalcolaNumero(0, 910'000, 10'000, 0), 0);
    EXPECT_EQ(CalcolaNumero(5, 0, 10'000, 0), 0);
}

TEST(CalcolaNumero, RoundsHalvesToTheEvenNeighbour) {
    // With no withholding the result is T x G x S / 10^6.
    EXPECT_EQ(CalcolaNumero(500'000, 1, 1, 0), 0);   // 0.5
    EXPECT_EQ(CalcolaNumero(1'500'000, 1, 1, 0), 2); // 1.5
    EXPECT_EQ(CalcolaNumero(2'500'000, 1, 1, 0), 2); // 2.5
    EXPECT_EQ(CalcolaNumero(2'500'001, 1, 1, 0), 3);
    EXPECT_EQ(CalcolaNumero(-1'500'000, 1, 1, 0), -2);
    EXPECT_EQ(CalcolaNumero(-2'500'000, 1, 1, 0), -2);
}

TEST(CalcolaNumero, RefusesAProductBeyondTheRangeInsteadOfAWrongInterest) {
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    EXPECT_THROW(CalcolaNumero(kMax, 36'500'000, 10'000'000, 0), std::overflow_error);
    EXPECT_THROW(CalcolaNumero(-kMax, 36'500'000, 10'000'000, 0), std::overflow_error);
    EXPECT_THROW(CalcolaNumero(kMax, kMax, kMax, 0), std::overflow_error);
}

TEST(DividiArrotondando, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(DividiArrotondando(1'825'000, kDivisoreNumeri), 0);
    EXPECT_EQ(DividiArrotondando(5'475'000, kDivisoreNumeri), 2);
    EXPECT_EQ(DividiArrotondando(5'475'001, kDivisoreNumeri), 2);
    EXPECT_EQ(DividiArrotondando(1'825'001, kDivisoreNumeri), 1);
    EXPECT_EQ(DividiArrotondando(-5'475'000, kDivisoreNumeri), -2);
    EXPECT_EQ(DividiArrotondando(3'650'000 * 7, kDivisoreNumeri), 7);
}

} // namespace
} // namespace valmora
