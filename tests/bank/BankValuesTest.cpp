// Dates and amounts in the shapes Italian and foreign banks write them, and what is not one.

#include "bank/BankValues.h"

#include <gtest/gtest.h>

namespace valmora::bank {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

TEST(BankValues, DatesInEveryShapeBanksExport) {
    const std::pair<const char*, Date> cases[] = {
        {"02/03/2026", d(2026, 3, 2)},          {"2/3/2026", d(2026, 3, 2)},
        {"02/03/26", d(2026, 3, 2)},            {"31/12/99", d(1999, 12, 31)},
        {"01/01/69", d(2069, 1, 1)},            {"02.03.2026", d(2026, 3, 2)},
        {"02-03-2026", d(2026, 3, 2)},          {"2026-03-02", d(2026, 3, 2)},
        {"2026-03-02T10:15:00+01:00", d(2026, 3, 2)}, {" 29/02/2028 ", d(2028, 2, 29)},
        {"02/03/2026 10:15", d(2026, 3, 2)},
    };
    for (const auto& [text, expected] : cases) {
        const DateCell cell = readBankDate(text);
        EXPECT_EQ(cell.kind, DateCell::Kind::Valid) << text;
        EXPECT_EQ(cell.date, expected) << text;
    }
}

TEST(BankValues, SummaryWordsAreNotDatesAndImpossibleDaysAreFaults) {
    EXPECT_EQ(readBankDate("").kind, DateCell::Kind::Empty);
    EXPECT_EQ(readBankDate("   ").kind, DateCell::Kind::Empty);
    for (const char* words : {"Saldo finale", "Totale", "Data", "12 marzo 2026", "02/03-2026", "2026/03"})
        EXPECT_EQ(readBankDate(words).kind, DateCell::Kind::NotADate) << words;
    for (const char* impossible : {"31/04/2026", "29/02/2026", "12/13/26", "2026-02-30", "02/03/202", "123/03/2026"})
        EXPECT_EQ(readBankDate(impossible).kind, DateCell::Kind::Invalid) << impossible;
}

TEST(BankValues, AmountsWithEitherDecimalMarkThousandsAndCurrency) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1.234,56", 12345600},    {"-1.234,56", -12345600}, {"1234,56", 12345600},   {"1234.56", 12345600},
        {"1,234.56", 12345600},    {"+12", 120000},          {"€ 12,50", 125000},     {"12,50 €", 125000},
        {"-€12,50", -125000},      {"€ -12,50", -125000},    {"12,50 EUR", 125000},   {"1.234", 12340000},
        {"1.234.567,8", 12345678000}, {"0,5", 5000},         {"1 234,56", 12345600},  {"1\xC2\xA0" "234,56", 12345600},
        {"0.1234", 1234},          {"-0,01", -100},
    };
    for (const auto& [text, units] : cases) {
        const std::optional<Money> m = readBankAmount(text);
        ASSERT_TRUE(m) << text;
        EXPECT_EQ(m->units(), units) << text;
    }
}

TEST(BankValues, TextThatIsNotAnAmount) {
    for (const char* bad : {"", " ", "-", "€", "12,3x", "50,OO", "1.23.4", "12,345,6", "1,2,3", "abc", "12,50,",
                            "1..2", "12,12345", "--5", "99999999999999999"})
        EXPECT_FALSE(readBankAmount(bad)) << bad;
}

} // namespace
} // namespace valmora::bank
