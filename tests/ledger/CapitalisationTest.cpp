// Period-end interest movements: created for the periods that ended, filled, and dropped when zero.

#include "LedgerFixture.h"

#include <algorithm>

namespace valmora::testing {
namespace {

using Capitalisation = LedgerTest;

std::vector<Date> dateInteressi(const std::vector<Movement>& righe, const char* tipo) {
    std::vector<Date> out;
    for (const auto& m : righe)
        if (m.operazione == "Interessi" && m.tipo == tipo)
            out.push_back(m.valuta);
    return out;
}

TEST_F(Capitalisation, QuarterlyCreditInterestOnlyForQuartersEndedByToday) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    impostazione("CAPITA_CRE", std::string("TRIMESTRALE"));
    impostazione("CAPITA_DEB", std::string("NESSUNA"));
    movimento(d(2005, 1, 10), "Accredito", "Bonifico", "10000");
    clock.set(d(2005, 7, 15));
    state.MeseCorrente = 7;
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(dateInteressi(righe(), "Creditore"), (std::vector<Date>{d(2005, 3, 31), d(2005, 6, 30)}));
    EXPECT_TRUE(state.ModificheDaSalvare);

    const auto tutte = righe();
    const auto it =
        std::find_if(tutte.begin(), tutte.end(), [](const Movement& m) { return m.operazione == "Interessi"; });
    ASSERT_NE(it, tutte.end());
    EXPECT_EQ(it->commento, "Interessi Creditore primo trimestre");
    EXPECT_EQ(it->data, d(2005, 3, 31));

    clock.set(d(2005, 9, 29));
    state.MeseCorrente = 9;
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(dateInteressi(righe(), "Creditore").size(), 2u);

    clock.set(d(2005, 9, 30));
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(dateInteressi(righe(), "Creditore"), (std::vector<Date>{d(2005, 3, 31), d(2005, 6, 30), d(2005, 9, 30)}));
    EXPECT_EQ(righe().back().commento, "Interessi Creditore terzo trimestre");
}

TEST_F(Capitalisation, PeriodsWithoutInterestLeaveNoMovement) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    impostazione("CAPITA_DEB", std::string("MENSILE"));
    clock.set(d(2005, 4, 10));
    state.MeseCorrente = 4;
    movimento(d(2005, 1, 5), "Notifica", "Variazione", "0"); // January's balance is zero
    movimento(d(2005, 2, 1), "Accredito", "Bonifico", "1000");
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(dateInteressi(righe(), "Creditore"), (std::vector<Date>{d(2005, 2, 28), d(2005, 3, 31)}));
    EXPECT_TRUE(dateInteressi(righe(), "Debitore").empty());
}

TEST_F(Capitalisation, NoDebitInterestWhenItsPeriodIsNone) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    impostazione("CAPITA_DEB", std::string("NESSUNA"));
    movimento(d(2005, 1, 1), "Prelievo", "Sportello", "1000");
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(righe().size(), 1u);
    EXPECT_EQ(totali().Saldo, eur("-1000"));
}

TEST_F(Capitalisation, UnknownCapitalisationTextWritesNoInterest) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    impostazione("CAPITA_CRE", std::string("mensile")); // not a period name: no length to divide the year by
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "1000");
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(righe().size(), 1u);
}

TEST_F(Capitalisation, CreditAndDebitKeepTheirOwnPeriodsWithinMixedBalances) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    impostazione("CAPITA_DEB", std::string("TRIMESTRALE"));
    clock.set(d(2005, 4, 30));
    state.MeseCorrente = 4;
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "1000");
    movimento(d(2005, 1, 16), "Prelievo", "Sportello", "3000"); // -2000 from 16 January
    // Back to exactly 0 from 15 February, January's credit interest included.
    movimento(d(2005, 2, 15), "Accredito", "Bonifico", "1999,40");
    ledger.ScansioneRecord(true, true);

    const auto tutte = righe();
    std::vector<std::pair<Date, Money>> creditore, debitore;
    for (const auto& m : tutte) {
        if (m.operazione == "Interessi")
            (m.tipo == "Creditore" ? creditore : debitore).emplace_back(m.valuta, m.importo);
    }
    // Credit: 1 000 for 15 days in January (0,60); nothing after.
    EXPECT_EQ(creditore, (std::vector<std::pair<Date, Money>>{{d(2005, 1, 31), eur("0,60")}}));
    // Debit accrues from 16 January to 15 February (30 days on 2 000) and is written at the quarter's end;
    // the January credit interest shifts the balance to -1 999,40 from 31 January.
    // 2 000 x 10 % x 15 / 365 x 0,73 = 6,00 ; 1 999,40 x 10 % x 15 / 365 x 0,73 = 5,9982
    ASSERT_EQ(debitore.size(), 1u);
    EXPECT_EQ(debitore[0].first, d(2005, 3, 31));
    EXPECT_EQ(debitore[0].second, eur("11,9982"));
    EXPECT_EQ(tutte.back().commento, "Interessi Debitore primo trimestre");
}

TEST_F(Capitalisation, ThresholdBandsChangeWithTheBalance) {
    tassi({tasso(d(2005, 1, 1), "5000", "1", "3", "10", "27")});
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    clock.set(d(2005, 3, 5));
    state.MeseCorrente = 3;
    movimento(d(2005, 1, 1), "Accredito", "Bonifico", "4000");
    movimento(d(2005, 2, 1), "Accredito", "Bonifico", "2000");
    ledger.ScansioneRecord(true, true);
    std::vector<Money> importi;
    for (const auto& m : righe("Interessi"))
        importi.push_back(m.importo);
    // January at 1 % on 4 000 for 30 days; then 1 day to 1 February at 1 % on 4 002,40; then 27 days at 3 %
    // on the whole 6 002,40, above the threshold (0,002 = 0,73 / 365):
    // 4 000 x 1 % x 30 x 0,002 = 2,40 ; 4 002,40 x 1 % x 1 x 0,002 = 0,080048 ; 6 002,40 x 3 % x 27 x 0,002 = 9,723888
    EXPECT_EQ(importi, (std::vector<Money>{eur("2,40"), eur("9,8039")}));
}

} // namespace
} // namespace valmora::testing
