#include "accounts/ProgrammedSchedule.h"

#include <gtest/gtest.h>

#include <vector>

namespace valmora {
namespace {

ProgrammedOperation op(std::string frequenza, std::string inizio, int giorno) {
    ProgrammedOperation p;
    p.descrizione = "x";
    p.operazione = "Imposta";
    p.tipo = "Bolli";
    p.frequenza = std::move(frequenza);
    p.inizio = std::move(inizio);
    p.giorno = Money::fromWhole(giorno);
    return p;
}

std::vector<int> dueMonths(const ProgrammedOperation& p, int anno = 2026) {
    std::vector<int> months;
    for (int m = 1; m <= 12; ++m) {
        if (ScadenzaNelMese(p, m, anno)) {
            months.push_back(m);
        }
    }
    return months;
}

TEST(ScadenzaNelMese, MonthsFollowStartAndStepAndRestartEachYear) {
    EXPECT_EQ(dueMonths(op("Trimestrale", "Febbraio", 5)), (std::vector<int>{2, 5, 8, 11}));
    EXPECT_EQ(dueMonths(op("Annuale", "Dicembre", 0)), (std::vector<int>{12}));
    EXPECT_EQ(dueMonths(op("Mensile", "Gennaio", 27)).size(), 12U);
    EXPECT_EQ(dueMonths(op("Bimestrale", "Marzo", 1)), (std::vector<int>{3, 5, 7, 9, 11}));
    EXPECT_EQ(dueMonths(op("Quadrimestrale", "Gennaio", 1)), (std::vector<int>{1, 5, 9}));
    EXPECT_EQ(dueMonths(op("Semestrale", "Luglio", 1)), (std::vector<int>{7}));
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 27), 3, 2026), *Date::fromYmd(2026, 3, 27));
}

TEST(ScadenzaNelMese, DayZeroIsTheLastDayOfTheMonthLeapYearsIncluded) {
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 0), 2, 2026), *Date::fromYmd(2026, 2, 28));
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 0), 2, 2028), *Date::fromYmd(2028, 2, 29));
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 0), 4, 2026), *Date::fromYmd(2026, 4, 30));
}

TEST(ScadenzaNelMese, StoredValuesTheEditorNeverOffersCannotStopARun) {
    // Words that are no period or month never fall due (a step of 0 would divide by zero).
    EXPECT_TRUE(dueMonths(op("Settimanale", "Gennaio", 1)).empty());
    EXPECT_TRUE(dueMonths(op("mensile", "Gennaio", 1)).empty());
    EXPECT_TRUE(dueMonths(op("Mensile", "gennaio", 1)).empty());
    EXPECT_TRUE(dueMonths(op("Mensile", "", 1)).empty());
    // A day past the month's end falls on its last day; a negative one never.
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 31), 4, 2026), *Date::fromYmd(2026, 4, 30));
    EXPECT_EQ(*ScadenzaNelMese(op("Mensile", "Gennaio", 40), 2, 2028), *Date::fromYmd(2028, 2, 29));
    EXPECT_TRUE(dueMonths(op("Mensile", "Gennaio", -1)).empty());
}

} // namespace
} // namespace valmora
