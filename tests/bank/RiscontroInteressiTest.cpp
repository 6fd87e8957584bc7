// What a moved value date costs or earns: the amount over the days between the two value dates at the rate the
// ledger applies to that day's balance, net of withholding. The expected figures are worked out by hand:
// amount x days x rate% x (100 - withholding%) / (365 x 100 x 100).

#include "bank/RiscontroInteressi.h"

#include <gtest/gtest.h>

namespace valmora {
namespace {

Date d(int day, int month = 3) {
    return *Date::fromYmd(2026, month, day);
}

Money euro(std::int64_t whole) {
    return Money::fromWhole(whole);
}

Money percento(std::int64_t whole) {
    return Money::fromWhole(whole);
}

std::vector<RatePeriod> tassi() {
    RatePeriod gennaio{d(1, 1), euro(10000), percento(1), percento(2), percento(10), percento(26)};
    RatePeriod aprile{d(1, 4), euro(10000), percento(3), percento(3), percento(10), percento(26)};
    return {gennaio, aprile};
}

MovimentoRiscontrato tenuto(const Movement& m) {
    return {m, *ImportoBancario(m), 0};
}

BankLine banca(Date data, Date valuta, Money importo) {
    return {data, valuta, importo, "", 0};
}

TEST(RiscontroInteressi, ACreditValuedLaterCostsADebitValuedLaterEarns) {
    const Movement credito{d(5), d(5), "Accredito", "Bonifico", euro(1000), ""};
    const Movement debito{d(6), d(6), "Addebito", "Luce", euro(1000), ""};
    const std::vector<Movement> ledger = {credito, debito, {d(1), d(1), "Accredito", "Bonifico", euro(1000), ""}};
    const SaldoPerValuta saldo(ledger);
    // 1000 x 10 x 1% x 74% / 365 = 0,20274 (the balance of 05/03 is 2000, under the threshold).
    EXPECT_EQ(InteresseValuta(tenuto(credito), banca(d(5), d(15), euro(1000)), saldo, tassi()),
              -Money::fromUnits(2027));
    // The same credit valued earlier by the bank earns what the later value date would cost.
    EXPECT_EQ(InteresseValuta(tenuto(credito), banca(d(5), d(1), euro(1000)), saldo, tassi()),
              Money::fromUnits(811)); // 1000 x 4 x 1% x 74% / 365 = 0,08110
    EXPECT_EQ(InteresseValuta(tenuto(debito), banca(d(6), d(16), -euro(1000)), saldo, tassi()),
              Money::fromUnits(2027));
    EXPECT_EQ(InteresseValuta(tenuto(debito), banca(d(6), d(6), -euro(1000)), saldo, tassi()), Money());
}

TEST(RiscontroInteressi, TheRateIsThatOfTheBalanceAndTheDateTheIntervalStartsOn) {
    const Movement grande{d(2), d(2), "Accredito", "Stipendio", euro(20000), ""};
    const Movement spesa{d(10), d(10), "Prelievo", "Sportello", euro(500), ""};
    const Movement fine{d(30), d(30), "Accredito", "Bonifico", euro(1000), ""};
    const Movement fuori{d(1), d(1), "FuoriConto", "Uscite", euro(50000), ""};
    const Movement riporto{d(1, 1), d(1, 1), "Notifica", "Saldo Anno P.", -euro(30000), ""};
    const std::vector<Movement> ledger = {riporto, fuori, grande, spesa, fine};
    const SaldoPerValuta saldo(ledger);
    EXPECT_EQ(saldo.alGiorno(d(31, 12).addDays(-365)), Money());
    EXPECT_EQ(saldo.alGiorno(d(1)), -euro(30000)); // the year's opening balance counts, the off-account does not
    EXPECT_EQ(saldo.alGiorno(d(9)), -euro(10000));

    // The balance of 10/03 is -10.500: the debit rate, 10%. 500 x 3 x 10% x 74% / 365 = 0,30411.
    EXPECT_EQ(InteresseValuta(tenuto(spesa), banca(d(10), d(13), -euro(500)), saldo, tassi()),
              Money::fromUnits(3041));
    // The bank values the last credit five days earlier, on 25/03, when the balance is -10.500: it earns at
    // the debit rate. 1000 x 5 x 10% x 74% / 365 = 1,01370.
    EXPECT_EQ(InteresseValuta(tenuto(fine), banca(d(25), d(25), euro(1000)), saldo, tassi()),
              Money::fromUnits(10137));

    const SaldoPerValuta ricco({grande});
    // 20.000 is above the threshold of 10.000: the higher rate, 2%. 20000 x 1 x 2% x 74% / 365 = 0,81096.
    EXPECT_EQ(InteresseValuta(tenuto(grande), banca(d(2), d(3), euro(20000)), ricco, tassi()),
              -Money::fromUnits(8110));
    // Across 01/04, when the rates change, the row of the interval's first day holds for all of it, as in the
    // ledger: 2% from 31/03 whichever side is later. 1000 x 2 x 2% x 74% / 365 = 0,08110.
    const Movement marzo{d(31), d(31), "Accredito", "Bonifico", euro(1000), ""};
    EXPECT_EQ(InteresseValuta(tenuto(marzo), banca(d(31), d(2, 4), euro(1000)), ricco, tassi()),
              -Money::fromUnits(811));
    const Movement aprile{d(31), d(2, 4), "Accredito", "Bonifico", euro(1000), ""};
    EXPECT_EQ(InteresseValuta(tenuto(aprile), banca(d(31), d(31), euro(1000)), ricco, tassi()),
              Money::fromUnits(811));
    // No rate rows: nothing is owed either way.
    EXPECT_EQ(InteresseValuta(tenuto(grande), banca(d(2), d(3), euro(20000)), ricco, {}), Money());
}

} // namespace
} // namespace valmora
