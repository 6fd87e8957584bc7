// The ranges the statement window offers for a year.

#include "bank/ScalarePeriodi.h"

#include <gtest/gtest.h>

namespace valmora::testing {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

std::string riga(const PeriodoScalare& p) {
    return p.nome + " " + p.dal.toString() + "-" + p.al.toString();
}

TEST(PeriodiScalare, CapitalisationPeriodsThenMonthsQuartersAndTheYear) {
    const auto periodi = PeriodiOfferti(2026, "TRIMESTRALE", "SEMESTRALE", d(2026, 1, 12));
    ASSERT_EQ(periodi.size(), 4u + 2u + 12u + 4u + 1u);
    // The first period starts at the first value date, each next one where the one before ended, as the
    // ledger's interest movements stand.
    EXPECT_EQ(riga(periodi[0]), "Interessi Creditore primo trimestre 12/01/2026-31/03/2026");
    EXPECT_EQ(riga(periodi[1]), "Interessi Creditore secondo trimestre 31/03/2026-30/06/2026");
    EXPECT_EQ(riga(periodi[3]), "Interessi Creditore quarto trimestre 30/09/2026-31/12/2026");
    EXPECT_EQ(riga(periodi[4]), "Interessi Debitore primo semestre 12/01/2026-30/06/2026");
    EXPECT_EQ(riga(periodi[5]), "Interessi Debitore secondo semestre 30/06/2026-31/12/2026");
    EXPECT_EQ(riga(periodi[7]), "Febbraio 01/02/2026-28/02/2026");
    EXPECT_EQ(riga(periodi[18]), "Primo trimestre 01/01/2026-31/03/2026");
    EXPECT_EQ(riga(periodi.back()), "Anno 2026 01/01/2026-31/12/2026");
}

TEST(PeriodiScalare, OneListForTheSamePeriodsAndNoneForNessuna) {
    // The same periods on both sides are offered once; a first value date after the first period leaves it whole.
    auto periodi = PeriodiOfferti(2026, "SEMESTRALE", "SEMESTRALE", d(2026, 8, 3));
    ASSERT_EQ(periodi.size(), 2u + 12u + 4u + 1u);
    EXPECT_EQ(riga(periodi[0]), "Interessi Creditore primo semestre 01/01/2026-30/06/2026");
    EXPECT_EQ(riga(periodi[1]), "Interessi Creditore secondo semestre 03/08/2026-31/12/2026");
    // No account movement yet (the zero date), "NESSUNA" and a text that names no period.
    periodi = PeriodiOfferti(2026, "NESSUNA", "mensile", Date());
    ASSERT_EQ(periodi.size(), 12u + 4u + 1u);
    EXPECT_EQ(periodi[0].nome, "Gennaio");
}

} // namespace
} // namespace valmora::testing
