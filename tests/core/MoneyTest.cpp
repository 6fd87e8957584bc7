#include "core/Money.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace valmora {
namespace {

constexpr std::int64_t kMaxUnits = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMinUnits = std::numeric_limits<std::int64_t>::min();

std::int64_t decimal(std::string_view text) {
    const auto m = Money::fromDecimalText(text);
    EXPECT_TRUE(m.has_value()) << "refused: '" << text << "'";
    return m ? m->units() : -1;
}

std::int64_t typed(std::string_view text) {
    const auto m = Money::parseTyped(text);
    EXPECT_TRUE(m.has_value()) << "refused: '" << text << "'";
    return m ? m->units() : -1;
}

TEST(MoneyFromDouble, ScalesAndRoundsHalvesToEven) {
    EXPECT_EQ(Money::fromDouble(12.5).units(), 125000);
    EXPECT_EQ(Money::fromDouble(-1234.5678).units(), -12345678);
    EXPECT_EQ(Money::fromDouble(0.0).units(), 0);
    // Values whose scaled product is an exact half: to the even neighbour, both signs.
    EXPECT_EQ(Money::fromDouble(0.00005).units(), 0);
    EXPECT_EQ(Money::fromDouble(0.00025).units(), 2);
    EXPECT_EQ(Money::fromDouble(0.00035).units(), 4);
    EXPECT_EQ(Money::fromDouble(-0.00025).units(), -2);
    EXPECT_EQ(Money::fromDouble(-0.00035).units(), -4);
    EXPECT_EQ(Money::fromDouble(0.12345).units(), 1234);
    EXPECT_EQ(Money::fromDouble(2.50005).units(), 25000);
    // A value that is not exactly representable still lands on the nearest unit.
    EXPECT_EQ(Money::fromDouble(0.1).units(), 1000);
    EXPECT_EQ(Money::fromDouble(1234567.89).units(), 12345678900);
}

TEST(MoneyFromDouble, RefusesValuesBeyondTheRange) {
    EXPECT_THROW(Money::fromDouble(1e30), std::overflow_error);
    EXPECT_THROW(Money::fromDouble(-1e30), std::overflow_error);
    EXPECT_THROW(Money::fromDouble(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
    EXPECT_THROW(Money::fromDouble(std::numeric_limits<double>::infinity()), std::overflow_error);
}

TEST(MoneyFromDecimalText, ReadsStoredColumns) {
    EXPECT_EQ(decimal("12.5000"), 125000);
    EXPECT_EQ(decimal("-3"), -30000);
    EXPECT_EQ(decimal("+3"), 30000);
    EXPECT_EQ(decimal("      1234.5600"), 12345600); // right-aligned in its column
    EXPECT_EQ(decimal("7.25  "), 72500);
    EXPECT_EQ(decimal(".5"), 5000);
    EXPECT_EQ(decimal("5."), 50000);
    EXPECT_EQ(decimal("-0.0001"), -1);
    EXPECT_EQ(decimal("000000000000000000000042"), 420000); // leading zeros never overflow
    // Values a double cannot hold exactly are still exact here.
    EXPECT_EQ(decimal("922337203685477.5807"), kMaxUnits);
    EXPECT_EQ(decimal("-922337203685477.5807"), -kMaxUnits);
    EXPECT_EQ(decimal("0.1"), 1000);
}

TEST(MoneyFromDecimalText, RoundsBeyondFourDecimalsHalfToEven) {
    EXPECT_EQ(decimal("0.12345"), 1234);     // half, even neighbour below
    EXPECT_EQ(decimal("0.12355"), 1236);     // half, even neighbour above
    EXPECT_EQ(decimal("0.123450001"), 1235); // more than half
    EXPECT_EQ(decimal("0.12344999"), 1234);  // less than half
    EXPECT_EQ(decimal("0.123450000"), 1234); // trailing zeros keep it an exact half
    EXPECT_EQ(decimal("-0.12355"), -1236);
    EXPECT_EQ(decimal("-0.12345"), -1234);
    EXPECT_EQ(decimal("9.99996"), 100000); // carries into the whole part
}

TEST(MoneyFromDecimalText, RefusesGarbageAndOverflow) {
    for (const char* bad : {"", "   ", "-", "+", ".", "-.", "1.2.3", "12,50", "1e5", "abc", "12a", "- 12", "1 2", "--1",
                            "0x10", "*****", "12.5x"}) {
        EXPECT_FALSE(Money::fromDecimalText(bad).has_value()) << "accepted: '" << bad << "'";
    }
    EXPECT_FALSE(Money::fromDecimalText("922337203685477.5808").has_value());
    EXPECT_FALSE(Money::fromDecimalText("99999999999999999999").has_value());
    EXPECT_FALSE(Money::fromDecimalText("922337203685477.58075").has_value()); // overflows on rounding up
}

TEST(MoneyParseTyped, AcceptsSignDigitsAndDecimalComma) {
    EXPECT_EQ(typed("12"), 120000);
    EXPECT_EQ(typed("12,5"), 125000);
    EXPECT_EQ(typed("12,50"), 125000);
    EXPECT_EQ(typed("-3"), -30000);
    EXPECT_EQ(typed("+3"), 30000);
    EXPECT_EQ(typed("0,0001"), 1);
    EXPECT_EQ(typed("-0"), 0);
    EXPECT_EQ(typed("1200"), 12000000);
    EXPECT_EQ(typed("922337203685477,5807"), kMaxUnits);
}

TEST(MoneyParseTyped, RefusesEverythingElse) {
    for (const char* bad : {"12.50", "1.200", "12,50 \u20ac", "", ",", "1,2,3", " 12", "12 ", ",5", "12,", "-", "+",
                            "--3", "1e3", "12,12345", "0,00001", "922337203685477,5808", "99999999999999999999"}) {
        EXPECT_FALSE(Money::parseTyped(bad).has_value()) << "accepted: '" << bad << "'";
    }
}

TEST(MoneyFormat, CurrencyFormWithThousandsAndEuro) {
    EXPECT_EQ(Money::fromUnits(12345600).format(), "1.234,56 \u20ac");
    EXPECT_EQ(Money::fromUnits(-12345600).format(), "-1.234,56 \u20ac");
    EXPECT_EQ(Money().format(), "0,00 \u20ac");
    EXPECT_EQ(Money::fromWhole(999).format(), "999,00 \u20ac");
    EXPECT_EQ(Money::fromWhole(1000).format(), "1.000,00 \u20ac");
    EXPECT_EQ(Money::fromWhole(100000).format(), "100.000,00 \u20ac");
    EXPECT_EQ(Money::fromWhole(1234567).format(), "1.234.567,00 \u20ac");
    EXPECT_EQ(Money::fromUnits(500).format(), "0,05 \u20ac");
    EXPECT_EQ(Money::fromUnits(kMaxUnits).format(), "922.337.203.685.477,58 \u20ac");
    EXPECT_EQ(Money::fromUnits(kMinUnits).format(), "-922.337.203.685.477,58 \u20ac");
}

TEST(MoneyFormat, ShownCentsRoundHalfAwayFromZero) {
    EXPECT_EQ(Money::fromUnits(50).format(), "0,01 \u20ac");  // 0,005
    EXPECT_EQ(Money::fromUnits(150).format(), "0,02 \u20ac"); // 0,015: away, not to even
    EXPECT_EQ(Money::fromUnits(250).format(), "0,03 \u20ac"); // 0,025
    EXPECT_EQ(Money::fromUnits(-250).format(), "-0,03 \u20ac");
    EXPECT_EQ(Money::fromUnits(49).format(), "0,00 \u20ac");
    EXPECT_EQ(Money::fromUnits(99950).format(), "10,00 \u20ac"); // carry through the whole part
    EXPECT_EQ(Money::fromUnits(9999950).format(), "1.000,00 \u20ac");
    // Something that shows as zero has no minus sign.
    EXPECT_EQ(Money::fromUnits(-49).format(), "0,00 \u20ac");
}

TEST(MoneyPlain, FewestDecimalsNoGrouping) {
    EXPECT_EQ(Money::fromUnits(125000).plain(), "12,5");
    EXPECT_EQ(Money().plain(), "0");
    EXPECT_EQ(Money::fromWhole(-3).plain(), "-3");
    EXPECT_EQ(Money::fromUnits(12345678).plain(), "1234,5678");
    EXPECT_EQ(Money::fromUnits(-1).plain(), "-0,0001");
    EXPECT_EQ(Money::fromUnits(10000000000).plain(), "1000000");
    EXPECT_EQ(Money::fromUnits(kMinUnits).plain(), "-922337203685477,5808");
    // What plain() shows, parseTyped() takes back unchanged.
    for (std::int64_t u : std::initializer_list<std::int64_t>{0, 1, -1, 125000, -12345678, 10000000000}) {
        EXPECT_EQ(Money::parseTyped(Money::fromUnits(u).plain())->units(), u);
    }
}

TEST(MoneyDecimalText, StoredForm) {
    EXPECT_EQ(Money::fromUnits(125000).decimalText(4), "12.5000");
    EXPECT_EQ(Money::fromUnits(-30000).decimalText(4), "-3.0000");
    EXPECT_EQ(Money().decimalText(4), "0.0000");
    EXPECT_EQ(Money::fromUnits(1).decimalText(4), "0.0001");
    EXPECT_EQ(Money::fromUnits(125000).decimalText(0), "13"); // 12,5 away from zero
    EXPECT_EQ(Money::fromUnits(-125000).decimalText(0), "-13");
    EXPECT_EQ(Money::fromUnits(12345678).decimalText(2), "1234.57");
    EXPECT_EQ(Money::fromUnits(12345678).decimalText(6), "1234.567800");
    EXPECT_EQ(Money::fromUnits(-49).decimalText(2), "0.00");
    EXPECT_THROW((void)Money().decimalText(-1), std::invalid_argument);
    // The stored form reads back to the same amount.
    for (std::int64_t u : std::initializer_list<std::int64_t>{0, 1, -1, 125000, -12345678, kMaxUnits, kMinUnits + 1}) {
        EXPECT_EQ(Money::fromDecimalText(Money::fromUnits(u).decimalText(4))->units(), u);
    }
}

TEST(MoneyArithmetic, ExactSumsAndOverflowRefused) {
    // Ten times 0,1 is exactly 1, which doubles do not promise.
    Money sum;
    for (int i = 0; i < 10; ++i)
        sum += *Money::fromDecimalText("0.1");
    EXPECT_EQ(sum, Money::fromWhole(1));
    EXPECT_EQ(Money::fromWhole(5) - Money::fromWhole(7), Money::fromWhole(-2));
    EXPECT_EQ(Money::fromWhole(-5).abs(), Money::fromWhole(5));
    EXPECT_LT(Money::fromUnits(-1), Money());
    EXPECT_TRUE((Money::fromWhole(3) - Money::fromWhole(3)).isZero());

    EXPECT_THROW((void)(Money::fromUnits(kMaxUnits) + Money::fromUnits(1)), std::overflow_error);
    EXPECT_THROW((void)(Money::fromUnits(kMinUnits) - Money::fromUnits(1)), std::overflow_error);
    EXPECT_THROW((void)(-Money::fromUnits(kMinUnits)), std::overflow_error);
    EXPECT_THROW((void)Money::fromUnits(kMinUnits).abs(), std::overflow_error);
    EXPECT_THROW((void)Money::fromWhole(kMaxUnits / 1000), std::overflow_error);
    Money m = Money::fromUnits(kMaxUnits);
    EXPECT_THROW(m += Money::fromUnits(1), std::overflow_error);
    EXPECT_EQ(m.units(), kMaxUnits); // a refused sum leaves the operand as it was
}

} // namespace
} // namespace valmora
