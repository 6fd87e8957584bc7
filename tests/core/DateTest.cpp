#include "core/Date.h"

#include <gtest/gtest.h>

#include <ctime>
#include <stdexcept>

namespace valmora {
namespace {

Date ymd(int y, int m, int d) {
    const auto date = Date::fromYmd(y, m, d);
    EXPECT_TRUE(date.has_value()) << y << "-" << m << "-" << d;
    return date.value_or(Date());
}

TEST(DateCalendar, DayNumbersMatchTheCivilCalendar) {
    EXPECT_EQ(ymd(1970, 1, 1).dayNumber(), 0);
    EXPECT_EQ(ymd(1969, 12, 31).dayNumber(), -1);
    EXPECT_EQ(ymd(2000, 3, 1).dayNumber(), 11017);
    EXPECT_EQ(ymd(2000, 1, 1).julianDay(), 2451545);
    EXPECT_EQ(ymd(1, 1, 1).dayNumber(), -719162);
    // Every day of four centuries converts there and back, and consecutive days are one apart.
    Date previous = ymd(1899, 12, 31);
    for (int y = 1900; y < 2300; ++y)
        for (int m = 1; m <= 12; ++m)
            for (int d = 1; d <= Date::daysInMonth(y, m); ++d) {
                const Date date = ymd(y, m, d);
                ASSERT_EQ(previous.daysUntil(date), 1) << date.toString();
                ASSERT_EQ(date.year(), y);
                ASSERT_EQ(date.month(), m);
                ASSERT_EQ(date.day(), d);
                previous = date;
            }
}

TEST(DateCalendar, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(Date::isLeapYear(2000));
    EXPECT_TRUE(Date::isLeapYear(2004));
    EXPECT_TRUE(Date::isLeapYear(2024));
    EXPECT_FALSE(Date::isLeapYear(1900));
    EXPECT_FALSE(Date::isLeapYear(2100));
    EXPECT_FALSE(Date::isLeapYear(2003));
    EXPECT_EQ(Date::daysInMonth(2000, 2), 29);
    EXPECT_EQ(Date::daysInMonth(1900, 2), 28);
    EXPECT_EQ(Date::daysInMonth(2023, 4), 30);
    EXPECT_EQ(Date::daysInMonth(2023, 12), 31);
    EXPECT_EQ(Date::daysInMonth(2023, 0), 0);
    EXPECT_EQ(Date::daysInMonth(2023, 13), 0);
}

TEST(DateCalendar, ImpossibleDatesAreRefused) {
    EXPECT_FALSE(Date::fromYmd(2023, 4, 31));
    EXPECT_FALSE(Date::fromYmd(2023, 2, 29));
    EXPECT_FALSE(Date::fromYmd(1900, 2, 29));
    EXPECT_TRUE(Date::fromYmd(2000, 2, 29));
    EXPECT_FALSE(Date::fromYmd(2023, 13, 1));
    EXPECT_FALSE(Date::fromYmd(2023, 0, 1));
    EXPECT_FALSE(Date::fromYmd(2023, 1, 0));
    EXPECT_FALSE(Date::fromYmd(0, 1, 1));
    EXPECT_FALSE(Date::fromYmd(10000, 1, 1));
}

TEST(DateText, StrictDayMonthYear) {
    EXPECT_EQ(Date::parse("05/03/2024"), ymd(2024, 3, 5));
    EXPECT_EQ(Date::parse("29/02/2024"), ymd(2024, 2, 29));
    for (const char* bad :
         {"", "5/3/2024", "05/03/24", "05-03-2024", "05/03/2024 ", " 05/03/2024", "31/04/2024", "29/02/2023",
          "00/01/2024", "01/13/2024", "2024/03/05", "0a/03/2024", "05/03/+024", "05/03/20245"}) {
        EXPECT_FALSE(Date::parse(bad).has_value()) << "accepted: '" << bad << "'";
    }
    EXPECT_EQ(ymd(2024, 3, 5).toString(), "05/03/2024");
    EXPECT_EQ(ymd(7, 1, 9).toString(), "09/01/0007");
    EXPECT_EQ(Date().toString(), "");
}

TEST(DateText, CompactStoredForm) {
    EXPECT_EQ(Date::parseCompact("20240305"), ymd(2024, 3, 5));
    EXPECT_EQ(ymd(2024, 3, 5).toCompact(), "20240305");
    EXPECT_EQ(Date().toCompact(), "        ");
    // An empty date column is the zero date, not an error.
    EXPECT_EQ(Date::parseCompact("        "), Date());
    EXPECT_EQ(Date::parseCompact(""), Date());
    for (const char* bad : {"2024035", "202403055", "20240230", "2024-3-5", "2024 305", "abcdefgh", "20241301"}) {
        EXPECT_FALSE(Date::parseCompact(bad).has_value()) << "accepted: '" << bad << "'";
    }
    EXPECT_EQ(Date::parseCompact(ymd(1999, 12, 31).toCompact()), ymd(1999, 12, 31));
}

TEST(DateArithmetic, StepsAndComparesWholeDays) {
    EXPECT_EQ(ymd(2023, 12, 31).addDays(1), ymd(2024, 1, 1));
    EXPECT_EQ(ymd(2024, 3, 1).addDays(-1), ymd(2024, 2, 29));
    EXPECT_EQ(ymd(2023, 3, 1).addDays(-1), ymd(2023, 2, 28));
    EXPECT_EQ(ymd(2024, 1, 1).addDays(366), ymd(2025, 1, 1));
    EXPECT_EQ(ymd(2024, 1, 1).daysUntil(ymd(2024, 12, 31)), 365);
    EXPECT_EQ(ymd(2024, 12, 31).daysUntil(ymd(2024, 1, 1)), -365);
    EXPECT_LT(ymd(2024, 1, 1), ymd(2024, 1, 2));
    EXPECT_THROW((void)ymd(9999, 12, 31).addDays(1), std::out_of_range);
    EXPECT_THROW((void)ymd(1, 1, 1).addDays(-1), std::out_of_range);
    EXPECT_THROW((void)ymd(2024, 1, 1).addDays(2000000000), std::out_of_range);
}

TEST(DateZero, EarlierThanEveryRealDateAndStaysZero) {
    const Date zero;
    EXPECT_TRUE(zero.isNull());
    EXPECT_FALSE(ymd(1, 1, 1).isNull());
    EXPECT_LT(zero, ymd(1, 1, 1));
    EXPECT_LT(zero, ymd(1970, 1, 1));
    EXPECT_EQ(zero.year(), 0);
    EXPECT_EQ(zero.month(), 0);
    EXPECT_EQ(zero.day(), 0);
    EXPECT_TRUE(zero.addDays(10).isNull());
}

TEST(Clocks, FixedAndSystem) {
    FixedClock fixed(ymd(2024, 6, 30));
    const Clock& clock = fixed;
    EXPECT_EQ(clock.today(), ymd(2024, 6, 30));
    fixed.set(ymd(2025, 1, 1));
    EXPECT_EQ(clock.today(), ymd(2025, 1, 1));

    // The system clock gives the local calendar date (read around it, in case midnight passes).
    auto localToday = [] {
        const std::time_t now = std::time(nullptr);
        const std::tm local = *std::localtime(&now); // one thread here: the standard form will do
        return ymd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    };
    const Date before = localToday();
    const Date system = SystemClock().today();
    const Date after = localToday();
    EXPECT_TRUE(system == before || system == after);
}

} // namespace
} // namespace valmora
