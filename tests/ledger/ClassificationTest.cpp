// Classifying movements into the ledger totals, as a plain scan does it over a real table.

#include "LedgerFixture.h"

namespace valmora::testing {
namespace {

using Classification = LedgerTest;

const std::string kCoda = "\rPer il corretto funzionamento cambiare in modo opportuno!";

TEST_F(Classification, CountsByOperationAndTypeIntoCategoriesAndGroups) {
    clock.set(d(2005, 6, 30));
    movimento(d(2005, 1, 3), "Accredito", "Stipendio", "1500");
    movimento(d(2005, 1, 4), "Accredito", "Assegno Circolare", "200");
    movimento(d(2005, 1, 5), "Accredito", "Assegno C/C Post.", "100");
    movimento(d(2005, 1, 6), "Prelievo", "S. Bancomat", "50");
    movimento(d(2005, 1, 7), "Prelievo", "A. Bancomat", "25,50");
    movimento(d(2005, 1, 8), "Addebito", "Luce", "40");
    movimento(d(2005, 1, 9), "Imposta", "Bolli", "1,81");
    movimento(d(2005, 1, 10), "Interessi", "Creditore", "3");
    movimento(d(2005, 1, 11), "Notifica", "Variazione", "0");
    ledger.ScansioneRecord(false, false);

    const auto& t = totali();
    EXPECT_EQ(t.Stipendi.Importo, eur("1500"));
    EXPECT_EQ(t.AssegniVersati.Importo, eur("300"));
    EXPECT_EQ(t.AssegniVersati.Numero, 2);
    EXPECT_EQ(t.TotAccrediti.Importo, eur("1800"));
    EXPECT_EQ(t.TotAccrediti.Numero, 3);
    EXPECT_EQ(t.PrelieviBancomat.Importo, eur("75,50"));
    EXPECT_EQ(t.PrelieviBancomat.Numero, 2);
    EXPECT_EQ(t.Luce.Numero, 1);
    EXPECT_EQ(t.Bolli.Importo, eur("1,81"));
    EXPECT_EQ(t.NumNotifiche, 1);
    EXPECT_EQ(t.NumOperazioni, 6);
    EXPECT_EQ(t.Saldo, eur("1800") - eur("75,50") - eur("40") - eur("1,81") + eur("3"));
    EXPECT_EQ(t.Utile, eur("3") - eur("1,81"));
    EXPECT_EQ(state.NumMovimenti, 8);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Classification, FutureMovementCountsNothingButStillAddsAPoint) {
    clock.set(d(2005, 3, 20));
    movimento(d(2005, 3, 1), "Accredito", "Contante", "500");
    movimento(d(2005, 3, 21), "Prelievo", "Sportello", "100");
    ledger.ScansioneRecord(false, false);

    EXPECT_EQ(totali().Saldo, eur("500"));
    EXPECT_EQ(totali().PrelieviSportello.Numero, 0);
    EXPECT_TRUE(ui.messages().empty());
    ASSERT_EQ(vista().saldo.size(), 2u);
    EXPECT_EQ(vista().saldo[1].x, vista().saldo[0].x);
    EXPECT_EQ(vista().saldo[1].y, vista().saldo[0].y);
    EXPECT_DOUBLE_EQ(vista().saldo[0].y, 0.5); // thousands
}

TEST_F(Classification, TypeOfAnotherOperationShowsMessageAAtEveryScan) {
    clock.set(d(2005, 3, 20));
    movimento(d(2005, 3, 1), "Accredito", "Assegno", "80");
    ledger.ScansioneRecord(false, false);
    ledger.ScansioneRecord(false, false);

    ASSERT_EQ(ui.messages().size(), 2u);
    EXPECT_EQ(ui.messages()[0].text, "L'operazione Accredito di tipo Assegno è di una versione precedente!" + kCoda);
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Yes);
    EXPECT_EQ(totali().TotAccrediti.Numero, 0);
    EXPECT_EQ(totali().Saldo, Money());
    EXPECT_EQ(vista().saldo.size(), 1u);
}

TEST_F(Classification, UnknownOperationShowsMessageBOnlyOnceItsDateIsReached) {
    clock.set(d(2005, 3, 20));
    movimento(d(2005, 3, 1), "Bonifico", "Contante", "80");
    movimento(d(2005, 3, 25), "Bonifico", "Contante", "80");
    movimento(d(2005, 3, 26), "Notifica", "Saldo", "80");     // not a type of Notifica: ignored silently
    movimento(d(2005, 3, 27), "accredito", "Contante", "80"); // names compare case-sensitively
    ledger.ScansioneRecord(false, false);

    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "L'operazione Bonifico è sconosciuta!" + kCoda);
    EXPECT_EQ(totali().Saldo, Money());
    EXPECT_EQ(totali().NumNotifiche, 0);
}

TEST_F(Classification, PreviousYearBalanceIsSignedAndNotAnOperation) {
    movimento(d(2005, 1, 1), "Notifica", "Saldo Anno P.", "-250");
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().Saldo, eur("-250"));
    EXPECT_EQ(totali().SaldoAnnoPrecedente, eur("-250"));
    EXPECT_EQ(totali().NumNotifiche, 1);
    EXPECT_EQ(totali().NumOperazioni, 0);
}

TEST_F(Classification, DebitInterestLowersTheBalanceWhicheverSignItIsStoredWith) {
    movimento(d(2005, 1, 31), "Interessi", "Debitore", "-12,50");
    movimento(d(2005, 2, 28), "Interessi", "Debitore", "12,50");
    movimento(d(2005, 3, 31), "Interessi", "Creditore", "0");
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().Saldo, eur("-25"));
    EXPECT_EQ(totali().InteressiDebitori.Importo, eur("25"));
    EXPECT_EQ(totali().InteressiDebitori.Numero, 2);
    EXPECT_EQ(totali().InteressiCreditori.Numero, 0); // a zero amount is not counted
    EXPECT_EQ(totali().TotInteressi.Importo, eur("-25"));
}

TEST_F(Classification, InterestAndOffAccountCountWhateverTheirDate) {
    clock.set(d(2005, 3, 20));
    movimento(d(2005, 11, 30), "Interessi", "Creditore", "4");
    movimento(d(2005, 11, 30), "FuoriConto", "Entrate", "50");
    movimento(d(2005, 12, 1), "FuoriConto", "Uscite", "20");
    ledger.ScansioneRecord(false, false);

    EXPECT_EQ(totali().InteressiCreditori.Importo, eur("4"));
    EXPECT_EQ(totali().EntrateFC.Numero, 1);
    EXPECT_EQ(totali().UsciteFC.Importo, eur("20"));
    EXPECT_EQ(totali().Saldo, eur("4")); // off-account money stays out of the balance
    ASSERT_EQ(vista().saldo.size(), 1u);
    ASSERT_EQ(vista().fuoriConto.size(), 2u);
    EXPECT_EQ(vista().fuoriConto[1].x, 2);
    EXPECT_DOUBLE_EQ(vista().fuoriConto[1].y, 0.03);
    EXPECT_EQ(vista().fuoriConto[0].label, "Novembre");
    EXPECT_EQ(vista().fuoriConto[1].label, "Dicembre");
}

TEST_F(Classification, MonthlyAllowancesFollowTheCurrentMonthOnly) {
    clock.set(d(2005, 3, 20));
    state.MeseCorrente = 3;
    movimento(d(2005, 3, 10), "Prelievo", "S. Bancomat", "250");
    movimento(d(2005, 2, 10), "Prelievo", "A. Bancomat", "100");
    movimento(d(2005, 3, 11), "Prelievo", "Carta di Credito", "300");
    movimento(d(2005, 3, 12), "Imposta", "Carta di Credito", "7");
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().ResiduoBancomatMese, eur("1250"));
    EXPECT_EQ(totali().ResiduoCartaMese, eur("1700"));
}

TEST_F(Classification, BalanceChartPointsAreLabelledWhereTheMonthChanges) {
    movimento(d(2005, 3, 1), "Accredito", "Contante", "10");
    movimento(d(2005, 3, 2), "Accredito", "Contante", "10");
    movimento(d(2005, 4, 1), "Prelievo", "Sportello", "5");
    ledger.ScansioneRecord(false, false);
    ASSERT_EQ(vista().saldo.size(), 3u);
    EXPECT_EQ(vista().saldo[0].label, "Marzo");
    EXPECT_EQ(vista().saldo[1].label, "");
    EXPECT_EQ(vista().saldo[2].label, "Aprile");
    EXPECT_EQ(vista().saldo[2].x, 3);
    EXPECT_EQ(vista().saldo[2].colour, (Rgb{255, 0, 0}));
}

TEST_F(Classification, TipoColumnWidensToTheLongestTypeOfEachScan) {
    movimento(d(2005, 3, 1), "Prelievo", "P.O.S.", "1");   // 6 characters
    movimento(d(2005, 3, 2), "Addebito", "Telefono", "1"); // 8
    movimento(d(2005, 3, 3), "Addebito", "Gas", "1");
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().LunghezzaTipoMax, 8);
    EXPECT_EQ(vista().tipoColumnWidth, 56);

    Date prima = d(2005, 3, 3);
    std::int64_t scratch = 0;
    ledger.LeggiRecord(prima, d(2005, 3, 3), eur("1"), scratch, scratch, "Accredito", "Assegno Stesso I.", false);
    EXPECT_EQ(vista().tipoColumnWidth, 7 * 17);
}

TEST_F(Classification, FilteredLedgerLeavesTheMovementCounterAlone) {
    movimento(d(2005, 3, 1), "Accredito", "Contante", "10");
    movimento(d(2005, 4, 1), "Accredito", "Contante", "10");
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(state.NumMovimenti, 2);

    dm.MainTable.setFilter("Valuta >='01/04/2005'");
    dm.MainTable.setFiltered(true);
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().Saldo, eur("10"));
    EXPECT_EQ(state.NumMovimenti, 2);
}

} // namespace
} // namespace valmora::testing
