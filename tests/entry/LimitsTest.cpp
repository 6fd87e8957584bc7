// The overdraft ceiling and the monthly cash-machine allowance, measured at the booking date.

#include "EntryFixture.h"

namespace valmora::testing {
namespace {

class Limits : public EntryTest {
protected:
    void SetUp() override {
        impostazione(schema::kMaxScope, eur("0"));
        movimento(d(2005, 3, 1), "Accredito", "Bonifico", "100");
        scansione();
    }
    bool prelievo(const char* tipo, const char* importo, Date data = d(2005, 6, 10)) {
        return entry.PrimaDiInserire("Prelievo", tipo, eur(importo), data);
    }
};

TEST_F(Limits, CeilingZeroAllowsExactlyTheBalance) {
    EXPECT_TRUE(prelievo("Sportello", "100"));
    EXPECT_TRUE(ui.messages().empty());
    EXPECT_FALSE(prelievo("Sportello", "100,0001"));
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "Operazione non consentita:\rIl prelievo supera la soglia di scopertura massima!");
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Ok);
}

TEST_F(Limits, CeilingFiveHundredAllowsBalancePlusCeiling) {
    impostazione(schema::kMaxScope, eur("500"));
    EXPECT_TRUE(prelievo("Assegno", "600"));
    EXPECT_FALSE(prelievo("Assegno", "600,0001"));
    EXPECT_EQ(ui.messages().size(), 1u);
}

TEST_F(Limits, OnlyWithdrawalsAreEverRefused) {
    for (const char* op : {"Addebito", "Imposta", "Accredito", "FuoriConto"}) {
        EXPECT_TRUE(entry.PrimaDiInserire(op, "Generico", eur("1000000"), d(2005, 6, 10))) << op;
    }
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Limits, MonthlyAllowanceZeroRefusesEveryCashMachineWithdrawalButNotOtherTypes) {
    impostazione(schema::kBMensile, eur("0"));
    impostazione(schema::kMaxScope, eur("5000"));
    scansione(); // the allowance starts from BMENSILE at each scan
    EXPECT_FALSE(prelievo("S. Bancomat", "0,01"));
    EXPECT_FALSE(prelievo("A. Bancomat", "10"));
    EXPECT_EQ(messaggi(), (std::vector<std::string>(
                              2, "Operazione non consentita:\rIl prelievo supera la disponibilità mensile residua!")));
    for (const char* tipo : {"Sportello", "Assegno", "P.O.S.", "Carta di Credito"}) {
        EXPECT_TRUE(prelievo(tipo, "10")) << tipo;
    }
    EXPECT_TRUE(prelievo("S. Bancomat", "0")); // nothing withdrawn, nothing exceeded
}

TEST_F(Limits, AllowanceLeftThisMonthCanBeWithdrawnToTheLastCent) {
    impostazione(schema::kBMensile, eur("300"));
    impostazione(schema::kMaxScope, eur("5000"));
    movimento(d(2005, 6, 5), "Prelievo", "S. Bancomat", "100");
    movimento(d(2005, 5, 5), "Prelievo", "S. Bancomat", "100"); // another month: not counted
    scansione();
    EXPECT_TRUE(prelievo("S. Bancomat", "200", d(2005, 6, 29)));
    EXPECT_FALSE(prelievo("A. Bancomat", "200,01", d(2005, 6, 29)));
    // The ceiling is tested first: one message only.
    impostazione(schema::kMaxScope, eur("0"));
    EXPECT_FALSE(prelievo("S. Bancomat", "5000", d(2005, 6, 29)));
    EXPECT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[1].text, "Operazione non consentita:\rIl prelievo supera la soglia di scopertura massima!");
}

TEST_F(Limits, BackDatedWithdrawalIsMeasuredAtItsBookingDateAndTheLedgerIsPutBack) {
    movimento(d(2005, 6, 1), "Accredito", "Stipendio", "1000");
    scansione();
    ASSERT_EQ(state.DataUltimaValuta, d(2005, 6, 1));
    const LedgerTotals prima = ledger.Totali();
    ASSERT_EQ(prima.Saldo, eur("1100"));

    // On 2 March only the first 100 were there.
    EXPECT_FALSE(prelievo("Sportello", "500", d(2005, 3, 2)));
    EXPECT_TRUE(prelievo("Sportello", "100", d(2005, 3, 2)));
    // Booked after the last value date: the whole ledger counts.
    EXPECT_TRUE(prelievo("Sportello", "1100", d(2005, 6, 2)));

    EXPECT_FALSE(dm.MainTable.filtered());
    EXPECT_EQ(ledger.Totali().Saldo, prima.Saldo);
    EXPECT_EQ(ledger.Totali().NumOperazioni, prima.NumOperazioni);
}

TEST_F(Limits, UnderAUserFilterTheWholeAccountCountsAndTheFilteredViewComesBack) {
    impostazione(schema::kMaxScope, eur("0"));
    movimento(d(2005, 4, 1), "Accredito", "Stipendio", "1000");
    movimento(d(2005, 4, 10), "Prelievo", "Sportello", "200");
    scansione();
    filtro.Barra().ComboOperazioni = "Prelievo";
    filtro.ComboOperazioniChange();
    ASSERT_TRUE(dm.MainTable.filtered());
    const std::string testo = dm.MainTable.filter();
    const LedgerTotals filtrati = ledger.Totali();
    ASSERT_EQ(filtrati.Saldo, eur("-200")); // only the withdrawal passes
    const TotalsGrid griglia = *ui.view().totals;

    // 100 + 1000 - 200 = 900 on the booking date, whatever the view shows.
    EXPECT_TRUE(prelievo("Sportello", "900", d(2005, 6, 30)));
    EXPECT_FALSE(prelievo("Sportello", "900,01", d(2005, 6, 30)));

    EXPECT_TRUE(dm.MainTable.filtered());
    EXPECT_EQ(dm.MainTable.filter(), testo);
    EXPECT_EQ(ledger.Totali().Saldo, filtrati.Saldo);
    EXPECT_EQ(ledger.Totali().NumOperazioni, filtrati.NumOperazioni);
    EXPECT_EQ(filtro.Barra().ComboOperazioni, "Prelievo");
    EXPECT_EQ(filtro.Barra().ComboTipo, "Tutto");
    for (int riga = 0; riga < TotalsGrid::kRows; ++riga) {
        EXPECT_EQ(ui.view().totals->rows[static_cast<std::size_t>(riga)].height,
                  griglia.rows[static_cast<std::size_t>(riga)].height)
            << riga;
    }
    EXPECT_EQ(ui.view().notices.filtro, "Filtro Attivo!");
}

TEST_F(Limits, RefusedInsertWritesNothingAndComesBackWithTheCommandsDefaults) {
    std::vector<SchedaOperazione> mostrate;
    auto esito = entry.ComandoInserimento(TipoInserimento::Prelievo, [&](OperationEntry& e) {
        mostrate.push_back(e.Scheda());
        if (mostrate.size() > 1) {
            return DialogResult::Cancel;
        }
        e.Scheda().EditImporto = "150";
        e.Scheda().ComboBoxTipo = "Sportello";
        e.Scheda().Calendario = d(2005, 6, 20);
        e.Scheda().CBInsAuto = true; // not even the schedule is written
        return DialogResult::Ok;
    });
    EXPECT_EQ(esito, DialogResult::Cancel);
    ASSERT_EQ(mostrate.size(), 2u);
    EXPECT_EQ(mostrate[1].EditImporto, "0");
    EXPECT_EQ(mostrate[1].ComboBoxTipo, "S. Bancomat");
    EXPECT_EQ(mostrate[1].Calendario, clock.today());
    EXPECT_EQ(righe().size(), 1u);
    EXPECT_TRUE(programmate().empty());
}

} // namespace
} // namespace valmora::testing
