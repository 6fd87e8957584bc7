// The regenerating scan: system-written movements removed and created again, charge rules 1-6.

#include "LedgerFixture.h"

#include "model/SystemTexts.h"

namespace valmora::testing {
namespace {

using ScanCharges = LedgerTest;

TEST_F(ScanCharges, AnotherBanksCashMachineFeeIsWrittenOnceAndCounted) {
    clock.set(d(2005, 3, 20));
    impostazione("BALTRO", eur("2"));
    movimento(d(2005, 3, 4), d(2005, 3, 5), "Prelievo", "A. Bancomat", "100");
    ledger.ScansioneRecord(true, true);

    auto tutte = righe();
    ASSERT_EQ(tutte.size(), 2u);
    const Movement attesa{d(2005, 3, 5), d(2005, 3, 5), "Imposta",
                          "Bancomat",    eur("2"),      std::string(kCommissioneBancomatAltroIstituto)};
    EXPECT_EQ(tutte[1], attesa);
    EXPECT_EQ(totali().Saldo, eur("-102"));
    EXPECT_EQ(totali().ImposteBancomat.Numero, 1);

    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(righe(), tutte);
    EXPECT_EQ(totali().Saldo, eur("-102"));
}

TEST_F(ScanCharges, EachWithdrawalTypeBringsItsOwnFee) {
    impostazione("BSTESSO", eur("1,10"));
    impostazione("CommCCred", eur("1,20"));
    impostazione("BPOS", eur("1"));
    movimento(d(2005, 3, 1), "Prelievo", "S. Bancomat", "10");
    movimento(d(2005, 3, 2), "Prelievo", "Carta di Credito", "10");
    movimento(d(2005, 3, 3), "Prelievo", "P.O.S.", "30");
    movimento(d(2005, 3, 4), "Prelievo", "A. Bancomat", "10"); // BALTRO is 0: no fee
    movimento(d(2005, 3, 5), "Prelievo", "Sportello", "10");
    ledger.ScansioneRecord(true, true);

    const auto imposte = righe("Imposta");
    ASSERT_EQ(imposte.size(), 3u);
    EXPECT_EQ(imposte[0].commento, kCommissioneBancomatStessoIstituto);
    EXPECT_EQ(imposte[0].importo, eur("1,10"));
    EXPECT_EQ(imposte[1].tipo, "Carta di Credito");
    EXPECT_EQ(imposte[1].commento, kCommissioneCartaDiCredito);
    EXPECT_EQ(imposte[2].tipo, "P.O.S.");
    EXPECT_EQ(imposte[2].valuta, d(2005, 3, 3));
    EXPECT_EQ(totali().ImpostePOS.Importo, eur("1"));
    EXPECT_EQ(totali().ImposteCarta.Numero, 1);
    EXPECT_EQ(totali().Saldo, -(eur("70") + eur("3,30")));
}

TEST_F(ScanCharges, PointOfSaleFeeEntersTheTotalsOfTheScanThatCreatesIt) {
    impostazione("BPOS", eur("1"));
    movimento(d(2005, 2, 1), "Prelievo", "P.O.S.", "30");
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(totali().ImpostePOS.Numero, 1);
    EXPECT_EQ(totali().Saldo, eur("-31"));
    EXPECT_EQ(vista().totals->cell(1, 28), "1,00 €");
}

TEST_F(ScanCharges, OperationsBeyondThePositiveQuotaArePaid) {
    impostazione("NUM_OPE", eur("2"));
    impostazione("COSTO_OPE", eur("0,50"));
    for (int i = 1; i <= 4; ++i)
        movimento(d(2005, 3, i), "Prelievo", "Sportello", "10");
    movimento(d(2005, 3, 5), "Imposta", "Bolli", "1"); // taxes are never counted nor charged
    ledger.ScansioneRecord(true, true);

    const auto fee = conCommento(kImpostaOperazioniEccedenti);
    ASSERT_EQ(fee.size(), 2u);
    EXPECT_EQ(fee[0].valuta, d(2005, 3, 3));
    EXPECT_EQ(fee[1].valuta, d(2005, 3, 4));
    EXPECT_EQ(fee[0].importo, eur("0,50"));
    EXPECT_EQ(fee[0].tipo, "Operazioni");
}

TEST_F(ScanCharges, NegativeQuotaChargesTheFirstOperationsOnly) {
    impostazione("NUM_OPE", eur("-2"));
    impostazione("COSTO_OPE", eur("0,50"));
    for (int i = 1; i <= 4; ++i)
        movimento(d(2005, 3, i), "Prelievo", "Sportello", "10");
    ledger.ScansioneRecord(true, true);

    const auto fee = conCommento(kImpostaOperazioniEccedenti);
    ASSERT_EQ(fee.size(), 2u);
    EXPECT_EQ(fee[0].valuta, d(2005, 3, 1));
    EXPECT_EQ(fee[1].valuta, d(2005, 3, 2));
}

TEST_F(ScanCharges, FutureMovementsAreChargedOnceTheQuotaIsExceeded) {
    clock.set(d(2005, 3, 10));
    impostazione("NUM_OPE", eur("1"));
    impostazione("COSTO_OPE", eur("1"));
    movimento(d(2005, 3, 1), "Accredito", "Contante", "100");
    movimento(d(2005, 3, 2), "Prelievo", "Sportello", "10");
    movimento(d(2005, 3, 20), "Prelievo", "Sportello", "10"); // not counted, yet NumOperazioni is already 2
    ledger.ScansioneRecord(true, true);
    const auto fee = conCommento(kImpostaOperazioniEccedenti);
    ASSERT_EQ(fee.size(), 2u);
    EXPECT_EQ(fee[1].valuta, d(2005, 3, 20));
}

TEST_F(ScanCharges, OverdraftCommissionOncePerPassageBelowZero) {
    impostazione("CommScope", eur("5"));
    movimento(d(2005, 3, 1), "Accredito", "Contante", "10");
    movimento(d(2005, 3, 2), "Prelievo", "Sportello", "20");
    movimento(d(2005, 3, 3), "Prelievo", "Sportello", "5");
    movimento(d(2005, 3, 4), "Accredito", "Contante", "50");
    movimento(d(2005, 3, 5), "Prelievo", "Sportello", "60");
    ledger.ScansioneRecord(true, true);

    const auto commissioni = conCommento(kCommissioneScopertura);
    ASSERT_EQ(commissioni.size(), 2u);
    EXPECT_EQ(commissioni[0].valuta, d(2005, 3, 2));
    EXPECT_EQ(commissioni[1].valuta, d(2005, 3, 5));
    EXPECT_EQ(commissioni[0].importo, eur("5"));
    EXPECT_EQ(totali().Saldo, eur("10") - eur("20") - eur("5") + eur("50") - eur("60") - eur("10"));
    // The flag left in the settings row says the running overdraft has been charged.
    EXPECT_TRUE(impostazioni().scoperto);
}

TEST_F(ScanCharges, TaxThatOverdrawsIsChargedAtTheNextOperation) {
    impostazione("CommScope", eur("5"));
    impostazione("SCOPERTO", true); // left over from an earlier overdraft: the scan starts afresh
    movimento(d(2005, 3, 1), "Accredito", "Contante", "10");
    movimento(d(2005, 3, 2), "Imposta", "Generica", "20");
    movimento(d(2005, 3, 3), "FuoriConto", "Uscite", "1");
    movimento(d(2005, 3, 4), "Addebito", "Gas", "1");
    ledger.ScansioneRecord(true, true);
    const auto commissioni = conCommento(kCommissioneScopertura);
    ASSERT_EQ(commissioni.size(), 1u);
    EXPECT_EQ(commissioni[0].valuta, d(2005, 3, 4));
}

TEST_F(ScanCharges, OneWithdrawalCanBringThreeChargesInOrder) {
    impostazione("BALTRO", eur("2"));
    impostazione("NUM_OPE", eur("0"));
    impostazione("COSTO_OPE", eur("1"));
    impostazione("CommScope", eur("5"));
    movimento(d(2005, 3, 1), "Prelievo", "A. Bancomat", "100");
    ledger.ScansioneRecord(true, true);
    const auto imposte = righe("Imposta");
    ASSERT_EQ(imposte.size(), 3u);
    EXPECT_EQ(imposte[0].commento, kCommissioneBancomatAltroIstituto);
    EXPECT_EQ(imposte[1].commento, kImpostaOperazioniEccedenti);
    EXPECT_EQ(imposte[2].commento, kCommissioneScopertura);
    EXPECT_EQ(totali().Saldo, eur("-108"));
}

TEST_F(ScanCharges, UsersOwnTaxesAndLookAlikesSurviveRegeneration) {
    impostazione("BSTESSO", eur("1"));
    movimento(d(2005, 3, 1), "Imposta", "Bancomat", "3", "Commissione prelievi bancomat stesso istitutO");
    movimento(d(2005, 3, 2), "Accredito", "Contante", "50", "Commissione su Scopertura");
    movimento(d(2005, 3, 3), "Imposta", "Operazioni", "2", "commissione su scopertura");
    movimento(d(2005, 3, 4), "Imposta", "Bancomat", "9", "Commissione prelievi bancomat stesso istituto");
    ledger.ScansioneRecord(true, true);
    ledger.ScansioneRecord(true, true);

    const auto tutte = righe();
    ASSERT_EQ(tutte.size(), 3u);
    EXPECT_EQ(totali().ImposteBancomat.Importo, eur("3"));
    EXPECT_EQ(totali().ImposteBancomat.Numero, 1);
    EXPECT_EQ(totali().Saldo, eur("45"));
}

TEST_F(ScanCharges, PlainScanNeitherAddsNorRemovesAndWritesOnlyInterestAmounts) {
    impostazione("BALTRO", eur("2"));
    tassi({tasso(d(2005, 1, 1), "0", "0", "0", "10", "0")});
    movimento(d(2005, 1, 1), "Prelievo", "A. Bancomat", "1000");
    movimento(d(2005, 1, 31), "Interessi", "Debitore", "0", "a mano");
    movimento(d(2005, 2, 28), "Interessi", "Creditore", "0", "zero");
    auto prima = righe();
    ledger.ScansioneRecord(true, false);
    auto dopo = righe();
    ASSERT_EQ(dopo.size(), prima.size());
    EXPECT_EQ(dopo[0], prima[0]);
    EXPECT_EQ(dopo[1].importo, eur("8,2192")); // 1 000 x 10 % x 30 / 365
    dopo[1].importo = prima[1].importo;
    EXPECT_EQ(dopo, prima);
    EXPECT_EQ(state.DataUltimaValuta, d(2005, 2, 28));
}

TEST_F(ScanCharges, RegeneratingOnAFilteredLedgerWorksOnAllMovementsAndRestoresTheFilter) {
    impostazione("BALTRO", eur("2"));
    movimento(d(2005, 3, 1), "Prelievo", "A. Bancomat", "100");
    movimento(d(2005, 4, 1), "Prelievo", "A. Bancomat", "100");
    dm.MainTable.setFilter("Valuta >='01/04/2005'");
    dm.MainTable.setFiltered(true);

    ledger.ScansioneRecord(true, true);
    EXPECT_TRUE(dm.MainTable.filtered());
    EXPECT_EQ(righe("Imposta").size(), 2u);
    EXPECT_EQ(totali().Saldo, eur("-204"));
    EXPECT_EQ(state.NumMovimenti, 4);
    EXPECT_EQ(vista().notices.filtro, ""); // shown while the scan had the filter off

    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(totali().Saldo, eur("-102"));
    EXPECT_EQ(state.NumMovimenti, 4);
    EXPECT_EQ(vista().notices.filtro, "Filtro Attivo!");
}

TEST_F(ScanCharges, EmptyLedgerEndsEmptyWithTheFullAllowances) {
    impostazione("BALTRO", eur("2"));
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    ledger.ScansioneRecord(true, true);
    EXPECT_TRUE(righe().empty());
    EXPECT_TRUE(dm.MainTable.eof());
    LedgerTotals attesi;
    attesi.ResiduoBancomatMese = eur("1500");
    attesi.ResiduoCartaMese = eur("2000");
    attesi.ricalcola();
    EXPECT_EQ(totali(), attesi);
}

TEST_F(ScanCharges, ScanReturnsToTheRowThatWasCurrentOrToTheEnd) {
    impostazione("BALTRO", eur("2"));
    movimento(d(2005, 3, 1), "Accredito", "Contante", "100", "primo");
    movimento(d(2005, 3, 2), "Prelievo", "A. Bancomat", "10", "secondo");
    movimento(d(2005, 3, 3), "Accredito", "Contante", "100", "terzo");
    dm.MainTable.first();
    dm.MainTable.next();
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(Movement::read(dm.MainTable).commento, "secondo");

    // A current row that the regeneration deletes: back to the last row.
    dm.MainTable.first();
    dm.MainTable.next();
    dm.MainTable.next();
    ASSERT_EQ(Movement::read(dm.MainTable).commento, kCommissioneBancomatAltroIstituto);
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(Movement::read(dm.MainTable).commento, "terzo");
}

TEST_F(ScanCharges, ScansRecordTheFirstAndLastValueDates) {
    movimento(d(2005, 2, 14), "Accredito", "Contante", "10");
    movimento(d(2005, 11, 3), "Prelievo", "Sportello", "5");
    movimento(d(2005, 4, 1), "Prelievo", "Sportello", "5");

    ledger.ScansioneRecord(false, false); // neither date is a concern of a totals-only scan
    EXPECT_TRUE(state.DataPrimaValuta.isNull());
    EXPECT_TRUE(state.DataUltimaValuta.isNull());

    ledger.ScansioneRecord(true, false);
    EXPECT_TRUE(state.DataPrimaValuta.isNull());
    EXPECT_EQ(state.DataUltimaValuta, d(2005, 11, 3));

    ledger.ScansioneRecord(false, true);
    EXPECT_EQ(state.DataPrimaValuta, d(2005, 2, 14));
    EXPECT_EQ(state.AnnoPrimaValuta, 2005);
    EXPECT_EQ(state.MesePrimaValuta, 2);
}

TEST_F(ScanCharges, GridIsSuspendedOnceForTheWholeScanAndRefreshedOnceAtItsEnd) {
    impostazione("BALTRO", eur("2"));
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    movimento(d(2005, 1, 1), "Accredito", "Contante", "1000");
    movimento(d(2005, 2, 1), "Prelievo", "A. Bancomat", "10");
    ledger.ScansioneRecord(true, true);

    ContaAggiornamenti griglia;
    dm.MainTable.addObserver(&griglia);
    ui.sospensioni.clear();
    ledger.ScansioneRecord(true, true); // deletes, inserts, writes interest, deletes zero interest
    dm.MainTable.removeObserver(&griglia);
    EXPECT_EQ(ui.sospensioni, (std::vector<bool>{true, false}));
    EXPECT_EQ(griglia.volte, 1);
    EXPECT_FALSE(dm.MainTable.controlsDisabled());
    EXPECT_FALSE(dm.TableImp.controlsDisabled());
}

TEST_F(ScanCharges, RegeneratingTwiceLeavesExactlyTheSameLedger) {
    clock.set(d(2005, 9, 15));
    state.MeseCorrente = 9;
    tassi({tasso(d(2005, 1, 1), "1000", "0,5", "1,5", "12", "27"), tasso(d(2005, 5, 1), "2000", "1", "2", "9", "27")});
    impostazione("CAPITA_CRE", std::string("TRIMESTRALE"));
    impostazione("CAPITA_DEB", std::string("MENSILE"));
    impostazione("BALTRO", eur("2"));
    impostazione("BSTESSO", eur("0,75"));
    impostazione("BPOS", eur("0,30"));
    impostazione("CommCCred", eur("1"));
    impostazione("NUM_OPE", eur("5"));
    impostazione("COSTO_OPE", eur("0,80"));
    impostazione("CommScope", eur("15"));
    const char* tipi[] = {"A. Bancomat", "S. Bancomat", "P.O.S.", "Carta di Credito", "Sportello"};
    for (int i = 0; i < 60; ++i) {
        const Date v = d(2005, 1, 2).addDays(i * 4);
        if (i % 7 == 0)
            movimento(v, "Accredito", "Stipendio", "900");
        else
            movimento(v, "Prelievo", tipi[i % 5], i % 3 == 0 ? "180" : "45,35");
    }
    movimento(d(2005, 5, 1), "Notifica", "Variazione", "0", "Variazione Tassi d'interesse");

    ledger.ScansioneRecord(true, true);
    const auto prima = righe();
    const LedgerTotals totaliPrima = totali();
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(righe(), prima);
    EXPECT_EQ(totali(), totaliPrima);

    // Both sides of interest were written, each in its own periods.
    const auto interessi = righe("Interessi");
    ASSERT_FALSE(interessi.empty());
    for (const auto& m : interessi) {
        EXPECT_FALSE(m.importo.isZero());
        if (m.tipo == "Creditore") {
            EXPECT_TRUE(m.valuta == d(2005, 3, 31) || m.valuta == d(2005, 6, 30)) << m.valuta.toString();
        }
    }
}

} // namespace
} // namespace valmora::testing
