#include "model/PeriodWording.h"

#include <gtest/gtest.h>

namespace valmora {
namespace {

TEST(MesiPeriodo, BothSpellingsExactlyAndNessunaIsThirteen) {
    EXPECT_EQ(MesiPeriodo("Trimestrale"), 3);
    EXPECT_EQ(MesiPeriodo("TRIMESTRALE"), 3);
    EXPECT_EQ(MesiPeriodo("trimestrale"), 0);
    EXPECT_EQ(MesiPeriodo(""), 0);
    EXPECT_EQ(MesiPeriodo("Trimestrale "), 0);
    EXPECT_EQ(MesiPeriodo("MENSILE"), 1);
    EXPECT_EQ(MesiPeriodo("Bimestrale"), 2);
    EXPECT_EQ(MesiPeriodo("QUADRIMESTRALE"), 4);
    EXPECT_EQ(MesiPeriodo("Semestrale"), 6);
    EXPECT_EQ(MesiPeriodo("ANNUALE"), 12);
    EXPECT_EQ(MesiPeriodo("NESSUNA"), 13);
    EXPECT_EQ(MesiPeriodo("Nessuna"), 13);
    // What "Nessuna" is for: no month of the year is a multiple of it.
    for (int month = 1; month <= 12; ++month)
        EXPECT_NE(month % MesiPeriodo("Nessuna"), 0);
}

TEST(NumeroMese, ExactMonthNames) {
    EXPECT_EQ(NumeroMese("Gennaio"), 1);
    EXPECT_EQ(NumeroMese("Marzo"), 3);
    EXPECT_EQ(NumeroMese("Dicembre"), 12);
    EXPECT_EQ(NumeroMese("marzo"), 0);
    EXPECT_EQ(NumeroMese(""), 0);
    EXPECT_EQ(NumeroMese("Tutto"), 0);
}

TEST(GiorniMese, MonthLengthsAndLeapYears) {
    EXPECT_EQ(GiorniMese(2000, 2), 29);
    EXPECT_EQ(GiorniMese(2004, 2), 29);
    EXPECT_EQ(GiorniMese(1900, 2), 28);
    EXPECT_EQ(GiorniMese(2003, 2), 28);
    EXPECT_EQ(GiorniMese(2023, 13), 0);
    EXPECT_EQ(GiorniMese(2023, 0), 0);
    EXPECT_EQ(GiorniMese(2023, 4), 30);
    EXPECT_EQ(GiorniMese(2023, 7), 31);
    EXPECT_EQ(GiorniMese(2023, 8), 31);
}

TEST(GiornoOFineMese, ZeroMeansLastDay) {
    EXPECT_EQ(GiornoOFineMese(0, 4, 2023), 30);
    EXPECT_EQ(GiornoOFineMese(0, 2, 2024), 29);
    EXPECT_EQ(GiornoOFineMese(15, 4, 2023), 15);
    EXPECT_EQ(GiornoOFineMese(31, 4, 2023), 31); // not compared with the month's length
}

TEST(OrdinalePeriodo, OrdinalThenPeriodName) {
    EXPECT_EQ(OrdinalePeriodo(1, 13), "Errore");
    EXPECT_EQ(OrdinalePeriodo(0, 1), "Altro mese");
    EXPECT_EQ(OrdinalePeriodo(13, 1), "Altro mese");
    EXPECT_EQ(OrdinalePeriodo(12, 1), "dodicesimo mese");
    EXPECT_EQ(OrdinalePeriodo(11, 1), "undicesimo mese");
    EXPECT_EQ(OrdinalePeriodo(6, 2), "sesto bimestre");
    EXPECT_EQ(OrdinalePeriodo(1, 12), "annuale");
    for (int months : {0, 5, 7, 8, 9, 10, 11, 13, -1})
        EXPECT_EQ(OrdinalePeriodo(1, months), "Errore") << months;
}

TEST(ComponiDescrizione, InterestMovementDescriptions) {
    EXPECT_EQ(ComponiDescrizione("Interessi", "Creditore", 6, 3), "Interessi Creditore secondo trimestre");
    EXPECT_EQ(ComponiDescrizione("Interessi", "Creditore", 12, 12), "Interessi Creditore annuale");
    EXPECT_EQ(ComponiDescrizione("Interessi", "Debitore", 5, 1), "Interessi Debitore quinto mese");
    EXPECT_EQ(ComponiDescrizione("Interessi", "Debitore", 12, 6), "Interessi Debitore secondo semestre");
    EXPECT_EQ(ComponiDescrizione("Interessi", "Creditore", 8, 4), "Interessi Creditore secondo quadrimestre");
    EXPECT_EQ(ComponiDescrizione("Interessi", "Creditore", 3, 3), "Interessi Creditore primo trimestre");
    // A period length of 0 is worded as unknown instead of dividing by zero.
    EXPECT_EQ(ComponiDescrizione("Interessi", "Creditore", 3, 0), "Interessi Creditore Errore");
}

} // namespace
} // namespace valmora
