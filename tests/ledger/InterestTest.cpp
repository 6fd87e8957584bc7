// Interest accrued by value date over the rate table and written at the ends of the periods.

#include "LedgerFixture.h"

namespace valmora::testing {
namespace {

using Interest = LedgerTest;

// The amount the scan wrote into the interest movements of this type.
std::vector<Money> importiInteressi(const std::vector<Movement>& righe, const char* tipo) {
    std::vector<Money> out;
    for (const auto& m : righe)
        if (m.operazione == "Interessi" && m.tipo == tipo)
            out.push_back(m.importo);
    return out;
}

TEST_F(Interest, TheThreeBandsOfARateRow) {
    struct Caso {
        const char* limite;
        const char* tassoCre;
        const char* tassoH;
        const char* saldo;
        const char* atteso;
    };
    // 10 000,00 for the 91 days from 1 January to 2 April 2005, withholding 27 %.
    const Caso casi[] = {
        {"20000", "1", "0", "10000", "18,20"}, // below the threshold: TASSOCRE
        {"5000", "0", "2", "10000", "36,40"},  // above it: TASSOH on the whole balance
        {"10000", "1", "5", "10000", "18,20"}, // exactly at it: TASSOCRE
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(c.limite);
        tassi({tasso(d(2005, 1, 1), c.limite, c.tassoCre, c.tassoH, "10", "27")});
        dm.MainTable.first();
        while (!dm.MainTable.isEmpty())
            dm.MainTable.deleteRecord();
        movimento(d(2005, 1, 1), "Accredito", "Bonifico", c.saldo);
        movimento(d(2005, 4, 2), "Interessi", "Creditore", "0", "a mano");
        ledger.ScansioneRecord(true, false);
        EXPECT_EQ(importiInteressi(righe(), "Creditore"), std::vector<Money>{eur(c.atteso)});
        EXPECT_EQ(totali().InteressiCreditori.Numero, 1);
        EXPECT_EQ(totali().Saldo, eur(c.saldo) + eur(c.atteso));
    }
}

TEST_F(Interest, WithholdingReducesDebitInterestToo) {
    for (const auto& [ritenuta, atteso] : {std::pair{"27", "6"}, std::pair{"0", "8,2192"}}) {
        SCOPED_TRACE(ritenuta);
        tassi({tasso(d(2005, 1, 1), "0", "0", "0", "10", ritenuta)});
        dm.MainTable.first();
        while (!dm.MainTable.isEmpty())
            dm.MainTable.deleteRecord();
        movimento(d(2005, 1, 1), "Prelievo", "Sportello", "1000");
        movimento(d(2005, 1, 31), "Interessi", "Debitore", "0");
        ledger.ScansioneRecord(true, false);
        EXPECT_EQ(importiInteressi(righe(), "Debitore"), std::vector<Money>{eur(atteso)}); // written positive
        EXPECT_EQ(totali().InteressiDebitori.Importo, eur(atteso));
        EXPECT_EQ(totali().Saldo, eur("-1000") - eur(atteso));
        EXPECT_EQ(vista().totals->cell(1, 33), eur(atteso).format());
        EXPECT_EQ(vista().totals->cell(1, 31), (-eur(atteso)).format());
    }
}

TEST_F(Interest, TheRateInForceAtTheStartOfEachIntervalApplies) {
    tassi({tasso(d(2005, 2, 1), "20000", "1", "0", "10", "27"), tasso(d(2005, 3, 1), "20000", "3", "0", "10", "27")});
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "10000");
    movimento(d(2005, 4, 2), "Interessi", "Creditore", "0");
    // One interval from before the first rate row: the first row serves it whole.
    ledger.ScansioneRecord(true, false);
    EXPECT_EQ(importiInteressi(righe(), "Creditore"), std::vector<Money>{eur("18,20")});

    // A rate change closes the running interval on its date: 59 days at 1 %, 32 at 3 %.
    movimento(d(2005, 3, 1), "Notifica", "Variazione", "0", "Variazione Tassi d'interesse");
    ledger.ScansioneRecord(true, false);
    EXPECT_EQ(importiInteressi(righe(), "Creditore"), std::vector<Money>{eur("31")});
}

TEST_F(Interest, AnIntervalBetweenRateRowsTakesTheLastRowOnOrBeforeItsStart) {
    tassi({tasso(d(2005, 1, 1), "20000", "1", "0", "10", "27"), tasso(d(2005, 2, 1), "20000", "2", "0", "10", "27"),
           tasso(d(2005, 3, 1), "20000", "3", "0", "10", "27")});
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "10000");
    movimento(d(2005, 2, 15), "Notifica", "Variazione", "0");
    movimento(d(2005, 4, 2), "Interessi", "Creditore", "0");
    ledger.ScansioneRecord(true, false);
    // 45 days at 1 %, then 46 days at the 2 % of the February row.
    EXPECT_EQ(importiInteressi(righe(), "Creditore"), std::vector<Money>{eur("27,40")});
    // The rates table is left on its last row.
    EXPECT_EQ(RatePeriod::read(dm.TableTassi).data, d(2005, 3, 1));
}

TEST_F(Interest, SameValueDateEarnsNothing) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "5", "10", "0")});
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "10000");
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "0");
    ledger.ScansioneRecord(true, false);
    EXPECT_EQ(importiInteressi(righe(), "Creditore"), std::vector<Money>{Money()});
    EXPECT_EQ(totali().InteressiCreditori.Numero, 0);
}

TEST_F(Interest, ConversionRoundsHalvesToEven) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "1", "10", "0")});
    // 5,4750 for one day at 1 %: 1,5 ten-thousandths, rounded to 2; 1,8250: 0,5, rounded to 0.
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "5,475");
    movimento(d(2005, 1, 2), "Interessi", "Creditore", "0");
    movimento(d(2005, 1, 2), "Prelievo", "Sportello", "3,6502"); // balance 1,8250 from here
    movimento(d(2005, 1, 3), "Interessi", "Creditore", "0");
    ledger.ScansioneRecord(true, false);
    EXPECT_EQ(importiInteressi(righe(), "Creditore"), (std::vector<Money>{Money::fromUnits(2), Money()}));
}

TEST_F(Interest, LeapYearsStillDivideByThreeHundredSixtyFive) {
    state.AnnoConto = 2004;
    tassi({tasso(d(2004, 1, 1), "0", "0", "2", "10", "27")});
    movimento(d(2004, 1, 1), "Accredito", "Bonifico", "10000");
    movimento(d(2004, 2, 1), "Notifica", "Variazione", "0");
    movimento(d(2004, 3, 1), "Interessi", "Creditore", "0"); // 29 days of February
    movimento(d(2004, 12, 31), "Interessi", "Creditore", "0");
    movimento(d(2005, 1, 1), "Interessi", "Creditore", "0");
    ledger.ScansioneRecord(true, false);
    const auto importi = importiInteressi(righe(), "Creditore");
    ASSERT_EQ(importi.size(), 3u);
    // 1 Jan - 1 Mar: 60 days; 1 Mar - 31 Dec: 305 days on the grown balance; then one more day.
    EXPECT_EQ(importi[0], eur("24"));       // 10 000 x 2 % x 60 / 365 x 0,73
    EXPECT_EQ(importi[1], eur("122,2928")); // 10 024 x 2 % x 305 / 365 x 0,73
    EXPECT_EQ(importi[2], eur("0,4059"));   // 10 146,2928 x 2 % x 1 / 365 x 0,73 = 0,405852
}

} // namespace
} // namespace valmora::testing
