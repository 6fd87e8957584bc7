// The interest statement worked out from balances by value date and rate rows, figures checked by hand.

#include "bank/Scalare.h"
#include "bank/ScalareTesto.h"

#include <gtest/gtest.h>

namespace valmora::testing {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

Money eur(const char* typed) {
    const auto m = Money::parseTyped(typed);
    EXPECT_TRUE(m.has_value()) << typed;
    return m.value_or(Money());
}

RatePeriod tasso(Date data, const char* limite, const char* tassoCre, const char* tassoH, const char* tassoDeb,
                 const char* ritenuta) {
    return {data, eur(limite), eur(tassoCre), eur(tassoH), eur(tassoDeb), eur(ritenuta)};
}

TEST(Scalare, IntervalsAreCutAtEveryValueDateInsideTheRangeAndEarnOnTheBalanceInForce) {
    MovimentiPerScalare m;
    m.tassi = {tasso(d(2005, 1, 1), "20000", "1", "2", "10", "27")};
    // 10 000 from 1 January; 2 April takes it to zero, 10 May puts 5 000 back.
    m.saldi = {{d(2005, 1, 1), eur("10000")}, {d(2005, 4, 2), Money()}, {d(2005, 5, 10), eur("5000")}};
    const RiassuntoScalare r = CalcolaScalare(m, d(2005, 1, 1), d(2005, 6, 30));
    ASSERT_EQ(r.intervalli.size(), 3u);
    const IntervalloScalare& primo = r.intervalli[0];
    EXPECT_EQ(primo.dal, d(2005, 1, 1));
    EXPECT_EQ(primo.al, d(2005, 4, 2));
    EXPECT_EQ(primo.giorni, 91);
    EXPECT_EQ(primo.saldo, eur("10000"));
    EXPECT_EQ(primo.numeri, eur("910000"));
    EXPECT_EQ(primo.tasso, eur("1"));
    EXPECT_EQ(primo.ritenuta, eur("27"));
    EXPECT_EQ(primo.interesse, eur("18,20")); // 10 000 x 1 % x 91 / 365 x 0,73
    EXPECT_EQ(r.intervalli[1].giorni, 38);
    EXPECT_EQ(r.intervalli[1].interesse, Money());
    EXPECT_EQ(r.intervalli[2].dal, d(2005, 5, 10));
    EXPECT_EQ(r.intervalli[2].al, d(2005, 6, 30));
    EXPECT_EQ(r.intervalli[2].numeri, eur("255000"));
    EXPECT_EQ(r.numeriCreditori, eur("1165000"));
    EXPECT_EQ(r.numeriDebitori, Money());
    // 1 165 000 x 1 % x 0,73 / 365 = 23,30 exactly.
    EXPECT_EQ(r.interessiCreditori, eur("23,30"));

    const std::vector<std::string> righe = RigheScalare(r);
    ASSERT_EQ(righe.size(), 10u);
    EXPECT_EQ(righe[0], "SCALARE;01/01/2005;30/06/2005");
    EXPECT_EQ(righe[1], "INTERVALLO;01/01/2005;02/04/2005;91;10.000,00 €;910.000,00;1,00%;27,00%;18,20 €");
    EXPECT_EQ(righe[4], "NUMERI CREDITORI;1.165.000,00");
    EXPECT_EQ(righe[6], "INTERESSI CREDITORI;23,30 €");
}

TEST(Scalare, TheThresholdBandAndTheRateInForceAtEachIntervalsStart) {
    MovimentiPerScalare m;
    // Up to 5 000 at 1 %, above it 2 % on the whole balance; from 1 March 3 %. A rate row alone does not cut.
    m.tassi = {tasso(d(2005, 1, 1), "5000", "1", "2", "10", "0"), tasso(d(2005, 3, 1), "5000", "1", "3", "10", "0")};
    m.saldi = {{d(2005, 1, 1), eur("5000")}, {d(2005, 2, 1), eur("5000,01")}, {d(2005, 2, 20), eur("-1000")}};
    const RiassuntoScalare r = CalcolaScalare(m, d(2005, 1, 1), d(2005, 3, 31));
    ASSERT_EQ(r.intervalli.size(), 3u);
    EXPECT_EQ(r.intervalli[0].tasso, eur("1")); // exactly the threshold: the lower rate
    EXPECT_EQ(r.intervalli[1].tasso, eur("2"));
    EXPECT_EQ(r.intervalli[2].dal, d(2005, 2, 20));
    EXPECT_EQ(r.intervalli[2].al, d(2005, 3, 31));
    EXPECT_EQ(r.intervalli[2].tasso, eur("10")); // the rate at 20 February holds until the next value date
    // -1 000 x 10 % x 39 / 365 = -10,6849...
    EXPECT_EQ(r.intervalli[2].interesse, eur("-10,68"));
    EXPECT_EQ(r.interessiDebitori, eur("10,6849"));
    EXPECT_EQ(r.numeriDebitori, eur("39000"));
    EXPECT_EQ(RigheScalare(r)[3], "INTERVALLO;20/02/2005;31/03/2005;39;-1.000,00 €;-39.000,00;10,00%;0,00%;-10,68 €");
}

TEST(Scalare, WithholdingReducesDebitInterestAndTotalsComeFromTheExactSum) {
    MovimentiPerScalare m;
    m.tassi = {tasso(d(2005, 1, 1), "0", "0", "1,46", "10", "27")};
    m.saldi = {{d(2005, 1, 1), eur("-1000")}, {d(2005, 1, 31), eur("100")}};
    RiassuntoScalare r = CalcolaScalare(m, d(2005, 1, 1), d(2005, 1, 31));
    ASSERT_EQ(r.intervalli.size(), 1u);
    EXPECT_EQ(r.intervalli[0].interesse, eur("-6")); // -1 000 x 10 % x 30 / 365 x 0,73

    // 100 at 1,46 % for one day is 0,004: nothing an interval, yet three days make 0,012.
    m.tassi = {tasso(d(2005, 1, 1), "0", "0", "1,46", "10", "0")};
    m.saldi = {{d(2005, 1, 1), eur("100")}, {d(2005, 1, 2), eur("100")}, {d(2005, 1, 3), eur("100")}};
    r = CalcolaScalare(m, d(2005, 1, 1), d(2005, 1, 4));
    ASSERT_EQ(r.intervalli.size(), 3u);
    for (const auto& i : r.intervalli)
        EXPECT_EQ(i.interesse, Money());
    EXPECT_EQ(r.interessiCreditori, eur("0,012"));
    EXPECT_EQ(RigheScalare(r)[6], "INTERESSI CREDITORI;0,01 €");
}

TEST(Scalare, TheRangeEdges) {
    MovimentiPerScalare m;
    m.tassi = {tasso(d(2005, 1, 1), "0", "0", "2", "10", "0")};
    m.saldi = {{d(2005, 1, 10), eur("1000")}, {d(2005, 3, 1), eur("3000")}, {d(2005, 3, 20), eur("0")}};
    // A value date on the first day is already in the first balance; one on the last day cuts nothing.
    RiassuntoScalare r = CalcolaScalare(m, d(2005, 3, 1), d(2005, 3, 20));
    ASSERT_EQ(r.intervalli.size(), 1u);
    EXPECT_EQ(r.intervalli[0].saldo, eur("3000"));
    EXPECT_EQ(r.intervalli[0].giorni, 19);
    // But the last day's balance counts for the average: (3 000 x 19 + 0) / 20.
    EXPECT_EQ(r.giacenzaMedia, eur("2850"));

    // A range that starts between value dates takes the balance before it.
    r = CalcolaScalare(m, d(2005, 2, 1), d(2005, 2, 28));
    ASSERT_EQ(r.intervalli.size(), 1u);
    EXPECT_EQ(r.intervalli[0].saldo, eur("1000"));

    // One day: no interval of zero days, the average is that day's balance.
    r = CalcolaScalare(m, d(2005, 3, 1), d(2005, 3, 1));
    EXPECT_TRUE(r.intervalli.empty());
    EXPECT_EQ(r.giacenzaMedia, eur("3000"));
    EXPECT_EQ(RigheScalare(r).size(), 7u);

    // No movements at all: one interval of zero balance.
    r = CalcolaScalare(MovimentiPerScalare{}, d(2005, 1, 1), d(2005, 12, 31));
    ASSERT_EQ(r.intervalli.size(), 1u);
    EXPECT_EQ(r.intervalli[0].giorni, 364);
    EXPECT_EQ(r.intervalli[0].saldo, Money());
    EXPECT_EQ(r.intervalli[0].tasso, Money());
    EXPECT_EQ(r.giacenzaMedia, Money());
}

TEST(Scalare, AverageBalanceAndStampDuty) {
    MovimentiPerScalare m;
    m.saldi = {{d(2005, 1, 1), eur("10000")}, {d(2005, 4, 2), Money()}};
    m.bolli = {{d(2004, 12, 31), eur("8,55")}, {d(2005, 3, 31), eur("8,55")}, {d(2005, 4, 3), eur("1")}};
    RiassuntoScalare r = CalcolaScalare(m, d(2005, 1, 1), d(2005, 4, 2));
    // 91 days at 10 000 and the last one at zero, over 92 days.
    EXPECT_EQ(r.giacenzaMedia, eur("9891,30"));
    EXPECT_EQ(r.bolloDovuto, eur("8,62")); // not whole months: 34,20 x 92 / 365 = 8,6202
    EXPECT_EQ(r.bolloAddebitato, eur("8,55"));
    EXPECT_EQ(RigheScalare(r).back(), "BOLLO;8,62 €;8,55 €");

    // Whole months: a quarter is a fourth of the year.
    EXPECT_EQ(BolloDovuto(eur("5000,01"), d(2005, 1, 1), d(2005, 3, 31)), eur("8,55"));
    EXPECT_EQ(BolloDovuto(eur("5000,01"), d(2004, 2, 1), d(2004, 2, 29)), eur("2,85"));
    EXPECT_EQ(BolloDovuto(eur("5000,01"), d(2005, 1, 1), d(2005, 12, 31)), eur("34,20"));
    // Up to the threshold nothing is due.
    EXPECT_EQ(BolloDovuto(eur("5000"), d(2005, 1, 1), d(2005, 12, 31)), Money());
    // A month that ends on a day other than its last counts by days.
    EXPECT_EQ(BolloDovuto(eur("6000"), d(2005, 1, 1), d(2005, 1, 30)), eur("2,81")); // 34,20 x 30 / 365
}

TEST(Scalare, CsvCopyForItalianSpreadsheets) {
    MovimentiPerScalare m;
    m.tassi = {tasso(d(2005, 1, 1), "0", "0", "2", "10", "26")};
    m.saldi = {{d(2005, 1, 1), eur("12345,67")}, {d(2005, 2, 1), eur("-1500")}};
    const std::string csv = CsvScalare(CalcolaScalare(m, d(2005, 1, 1), d(2005, 2, 28)));
    EXPECT_EQ(csv, "Riassunto scalare;01/01/2005;28/02/2005\r\n"
                   "Valuta;Al;Giorni;Saldo;Numeri creditori;Numeri debitori;Tasso;Ritenuta;Interesse\r\n"
                   "01/01/2005;01/02/2005;31;12345,67;382715,77;;2,00;26,00;15,52\r\n"
                   "01/02/2005;28/02/2005;27;-1500,00;;40500,00;10,00;26,00;-8,21\r\n"
                   "Numeri creditori;382715,77\r\n"
                   "Numeri debitori;40500,00\r\n"
                   "Interessi creditori;15,52\r\n"
                   "Interessi debitori;8,21\r\n"
                   "Giacenza media;5774,84\r\n"
                   "Imposta di bollo dovuta;5,70\r\n"
                   "Imposta di bollo addebitata;0,00\r\n");
}

} // namespace
} // namespace valmora::testing
