// The statement of a real account on disk, held against the interest movements its ledger wrote.

#include "bank/ScalareConto.h"
#include "ledger/LedgerFixture.h"

#include <map>

namespace valmora::testing {
namespace {

class ScalareDelConto : public LedgerTest {
protected:
    // A year whose balance goes below zero, crosses both thresholds inside periods, and lives through a
    // rate change in May.
    void annoMovimentato() {
        tassi({tasso(d(2005, 1, 1), "5000", "1", "2,5", "12", "26"),
               tasso(d(2005, 5, 17), "8000", "0,75", "3,1", "9,5", "27")});
        movimento(d(2005, 5, 17), "Notifica", "Variazione", "0", "Variazione Tassi d'interesse");
        movimento(d(2005, 1, 2), "Accredito", "Stipendio", "4000");
        Date valuta = d(2005, 1, 3);
        for (int i = 0; i < 52; ++i) {
            std::int64_t euro = ((i * 37) % 11 - 5) * 650 + 100;
            if (i % 13 == 5)
                euro -= 4000;
            if (i % 13 == 9)
                euro += 5000;
            const std::string importo = std::to_string(euro < 0 ? -euro : euro) + ",37";
            if (euro >= 0)
                movimento(valuta, "Accredito", "Bonifico", importo.c_str());
            else
                movimento(valuta.addDays(-1), valuta, "Prelievo", "Sportello", importo.c_str());
            valuta = valuta.addDays(6 + i % 3);
        }
        // Two weeks in the red in the autumn as well.
        movimento(d(2005, 10, 10), "Prelievo", "Assegno", "15000");
        movimento(d(2005, 10, 24), "Accredito", "Bonifico", "15000");
    }

    // Each interest movement of `tipo` with the statement of its period: from the previous one of its kind (or
    // the first value date) to its own value date.
    void confrontaInteressi(const char* tipo, int& confrontati) {
        const MovimentiPerScalare conto = MovimentiDelConto(dm, clock);
        Date dal = state.DataPrimaValuta;
        for (const Movement& m : righe("Interessi")) {
            if (m.tipo != tipo)
                continue;
            const RiassuntoScalare r = CalcolaScalare(conto, dal, m.valuta);
            const Money calcolato = m.tipo == "Creditore" ? r.interessiCreditori : r.interessiDebitori;
            EXPECT_EQ(calcolato, m.importo) << tipo << " " << dal.toString() << " - " << m.valuta.toString();
            ++confrontati;
            dal = m.valuta;
        }
    }
};

TEST_F(ScalareDelConto, EachPeriodsInterestEqualsTheLedgersMovementForEveryCapitalisation) {
    annoMovimentato();
    // Every period the settings row can hold ("QUADRIMESTRALE" is longer than its 12 characters), and two
    // accounts whose credit and debit interest run on periods of their own.
    const std::vector<std::pair<std::string, std::string>> periodi = {
        {"MENSILE", "MENSILE"},       {"BIMESTRALE", "BIMESTRALE"}, {"TRIMESTRALE", "TRIMESTRALE"},
        {"SEMESTRALE", "SEMESTRALE"}, {"ANNUALE", "ANNUALE"},       {"TRIMESTRALE", "ANNUALE"},
        {"MENSILE", "SEMESTRALE"},    {"BIMESTRALE", "MENSILE"}};
    for (const auto& [creditore, debitore] : periodi) {
        SCOPED_TRACE(creditore + "/" + debitore);
        impostazione("CAPITA_CRE", creditore);
        impostazione("CAPITA_DEB", debitore);
        ledger.ScansioneRecord(true, true);
        int crediti = 0;
        int debiti = 0;
        confrontaInteressi("Creditore", crediti);
        confrontaInteressi("Debitore", debiti);
        EXPECT_GT(crediti, 0);
        EXPECT_GT(debiti, 0);
    }
}

TEST_F(ScalareDelConto, APeriodWithTheThresholdCrossedAndTheRateChangedInside) {
    annoMovimentato();
    impostazione("CAPITA_CRE", std::string("ANNUALE"));
    impostazione("CAPITA_DEB", std::string("ANNUALE"));
    ledger.ScansioneRecord(true, true);
    const RiassuntoScalare r = CalcolaScalare(MovimentiDelConto(dm, clock), state.DataPrimaValuta, d(2005, 12, 31));
    std::map<std::int64_t, int> tassiUsati;
    for (const auto& i : r.intervalli)
        ++tassiUsati[i.tasso.units()];
    // Both bands of both rows, and the debit rate: the period really covers every case it must.
    for (const char* t : {"1", "2,5", "12", "0,75", "3,1", "9,5"})
        EXPECT_GT(tassiUsati[eur(t).units()], 0) << t;
    int confrontati = 0;
    confrontaInteressi("Creditore", confrontati);
    confrontaInteressi("Debitore", confrontati);
    EXPECT_EQ(confrontati, 2);
}

TEST_F(ScalareDelConto, ReadsEveryMovementWhateverTheFilterAndCountsTheBalanceAsTheLedger) {
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "0")});
    movimento(d(2005, 1, 10), "Accredito", "Bonifico", "1000");
    movimento(d(2005, 2, 1), "FuoriConto", "Entrate", "500"); // never in the balance
    movimento(d(2005, 3, 1), "Imposta", "Bolli", "8,55");
    movimento(d(2005, 3, 1), "Notifica", "Saldo Anno P.", "200"); // carried from last year
    movimento(d(2005, 8, 1), "Prelievo", "Sportello", "300");     // after today: not counted yet
    clock.set(d(2005, 6, 30));
    dm.MainTable.setFilter("Operazione ='Prelievo'");
    dm.MainTable.setFiltered(true);
    ContaAggiornamenti aggiornamenti;
    dm.MainTable.addObserver(&aggiornamenti);

    const MovimentiPerScalare m = MovimentiDelConto(dm, clock);

    dm.MainTable.removeObserver(&aggiornamenti);
    ASSERT_EQ(m.saldi.size(), 4u);
    EXPECT_EQ(m.saldi[0].saldo, eur("1000"));
    EXPECT_EQ(m.saldi[1].saldo, eur("1000"));
    EXPECT_EQ(m.saldi[2].valuta, d(2005, 3, 1));
    EXPECT_EQ(m.saldi[2].saldo, eur("1191,45"));
    EXPECT_EQ(m.saldi[3].saldo, eur("1191,45"));
    ASSERT_EQ(m.bolli.size(), 1u);
    EXPECT_EQ(m.bolli[0].importo, eur("8,55"));
    // The filter is back on, the grid refreshed once, and nothing the window shows was touched.
    EXPECT_TRUE(dm.MainTable.filtered());
    EXPECT_LE(aggiornamenti.volte, 1);
    EXPECT_EQ(righe().size(), 5u);
    EXPECT_TRUE(vista().saldo.empty());
}

TEST_F(ScalareDelConto, ARangeItCannotStateHasItsMessage) {
    EXPECT_EQ(PeriodoNonValido(d(2005, 3, 1), d(2005, 2, 28), 2005), "La data finale precede la data iniziale!");
    EXPECT_EQ(PeriodoNonValido(d(2004, 12, 31), d(2005, 2, 28), 2005),
              "Il periodo deve essere compreso nell'anno del conto (2005)!");
    EXPECT_EQ(PeriodoNonValido(d(2005, 1, 1), d(2006, 1, 1), 2005),
              "Il periodo deve essere compreso nell'anno del conto (2005)!");
    EXPECT_EQ(PeriodoNonValido(d(2005, 1, 1), d(2005, 1, 1), 2005), std::nullopt);
}

} // namespace
} // namespace valmora::testing
