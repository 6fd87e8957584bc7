// The charges an inserted movement brings at once, and when the whole ledger is regenerated instead.

#include "EntryFixture.h"

namespace valmora::testing {
namespace {

class LinkedCharges : public EntryTest {
protected:
    void SetUp() override {
        impostazione(schema::kMaxScope, eur("100000"));
        impostazione(schema::kBMensile, eur("100000"));
        // An opening balance well before everything the tests insert, so the ledger is not empty.
        movimento(d(2005, 1, 3), "Accredito", "Bonifico", "1000");
        // A second value date: a ledger whose first and last value dates agree is regenerated at every insert.
        movimento(d(2005, 1, 4), "Notifica", "Variazione", "0");
        scansione();
    }
};

TEST_F(LinkedCharges, CashMachineFeeOfAnotherBankIsWrittenOnTheWithdrawalsValueDate) {
    impostazione(schema::kBAltro, eur("2"));
    ASSERT_EQ(inserisci(TipoInserimento::Prelievo, d(2005, 3, 5), "100", "A. Bancomat"), DialogResult::Ok);
    auto fee = conCommento("Commissione prelievi bancomat altro istituto");
    ASSERT_EQ(fee.size(), 1u);
    EXPECT_EQ(fee[0], (Movement{d(2005, 3, 5), d(2005, 3, 5), "Imposta", "Bancomat", eur("2"),
                                "Commissione prelievi bancomat altro istituto"}));
    EXPECT_EQ(ledger.Totali().Saldo, eur("898"));
    EXPECT_EQ(ledger.Totali().ImposteBancomat.Numero, 1);

    // BSTESSO 0: the own bank's machine costs nothing.
    inserisci(TipoInserimento::Prelievo, d(2005, 3, 6), "10", "S. Bancomat");
    EXPECT_TRUE(conCommento("Commissione prelievi bancomat stesso istituto").empty());
    EXPECT_EQ(righe().size(), 5u);
}

TEST_F(LinkedCharges, PosAndCardPaymentsBringTheirOwnFees) {
    impostazione(schema::kBPos, eur("1"));
    impostazione(schema::kCommCCred, eur("0,5"));
    inserisci(TipoInserimento::Prelievo, d(2005, 3, 7), "30", "P.O.S.");
    inserisci(TipoInserimento::Prelievo, d(2005, 3, 8), "40", "Carta di Credito");
    ASSERT_EQ(conCommento("Commissione pagamenti P.O.S.").size(), 1u);
    EXPECT_EQ(conCommento("Commissione pagamenti P.O.S.")[0].tipo, "P.O.S.");
    ASSERT_EQ(conCommento("Commissione pagamenti con Carta di Credito").size(), 1u);
    EXPECT_EQ(ledger.Totali().Saldo, eur("928,5"));
}

TEST_F(LinkedCharges, FeeBeyondTheFreeQuotaSparesTaxesAndOffAccountMovements) {
    impostazione(schema::kNumOpe, eur("3"));
    impostazione(schema::kCostoOpe, eur("1"));
    // The opening credit is the first operation; two more stay free.
    inserisci(TipoInserimento::Accredito, d(2005, 2, 1), "10", "Bonifico");
    inserisci(TipoInserimento::Addebito, d(2005, 2, 2), "10", "Luce");
    EXPECT_TRUE(conCommento("Imposta operazioni eccedenti").empty());
    inserisci(TipoInserimento::Imposta, d(2005, 2, 3), "1", "Bolli");
    inserisci(TipoInserimento::FuoriConto, d(2005, 2, 4), "5", "Entrate");
    EXPECT_TRUE(conCommento("Imposta operazioni eccedenti").empty());
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 5), "10", "Sportello"); // the fourth
    inserisci(TipoInserimento::Accredito, d(2005, 2, 6), "10", "Contante"); // the fifth
    auto fee = conCommento("Imposta operazioni eccedenti");
    ASSERT_EQ(fee.size(), 2u);
    EXPECT_EQ(fee[0].valuta, d(2005, 2, 5));
    EXPECT_EQ(fee[0].tipo, "Operazioni");
    EXPECT_EQ(fee[1].valuta, d(2005, 2, 6));
}

TEST_F(LinkedCharges, NegativeQuotaChargesOnlyWhileTheSumIsBelowZero) {
    // NUM_OPE -3 with the opening credit counted: the second operation (-3 + 2 < 0) pays, the third does not,
    // where the regeneration would still charge it (-3 + 3 <= 0).
    impostazione(schema::kNumOpe, eur("-3"));
    impostazione(schema::kCostoOpe, eur("0,5"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "10", "Sportello");
    EXPECT_EQ(conCommento("Imposta operazioni eccedenti").size(), 1u);
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 2), "10", "Sportello");
    EXPECT_EQ(conCommento("Imposta operazioni eccedenti").size(), 1u);
    // A regeneration applies its own rule: the opening credit, the first and the second withdrawal pay.
    scansione();
    EXPECT_EQ(conCommento("Imposta operazioni eccedenti").size(), 3u);
}

TEST_F(LinkedCharges, OverdraftCommissionOncePerPassageBelowZeroWithScopertoInTheSettingsRow) {
    impostazione(schema::kCommScope, eur("5"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "1200", "Sportello");
    EXPECT_EQ(conCommento("Commissione su Scopertura").size(), 1u);
    EXPECT_TRUE(impostazioni().scoperto);
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 2), "10", "Sportello");
    EXPECT_EQ(conCommento("Commissione su Scopertura").size(), 1u);
    // A credit that leaves the balance negative while SCOPERTO is already true: nothing.
    inserisci(TipoInserimento::Accredito, d(2005, 2, 3), "10", "Contante");
    EXPECT_EQ(conCommento("Commissione su Scopertura").size(), 1u);
    // Back to zero or above clears the flag; the next overdraft is charged again.
    inserisci(TipoInserimento::Accredito, d(2005, 2, 4), "1000", "Contante");
    EXPECT_FALSE(impostazioni().scoperto);
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 5), "2000", "Sportello");
    auto commissioni = conCommento("Commissione su Scopertura");
    ASSERT_EQ(commissioni.size(), 2u);
    EXPECT_EQ(commissioni[1].valuta, d(2005, 2, 5));
    EXPECT_TRUE(impostazioni().scoperto);
}

TEST_F(LinkedCharges, CreditStillNegativeWithScopertoFalseIsCharged) {
    impostazione(schema::kCommScope, eur("5"));
    movimento(d(2005, 1, 10), "Prelievo", "Sportello", "1500");
    scansione(); // the regeneration's own commission, then SCOPERTO true
    impostazione(schema::kScoperto, false);
    inserisci(TipoInserimento::Accredito, d(2005, 2, 1), "10", "Contante");
    auto commissioni = conCommento("Commissione su Scopertura");
    ASSERT_EQ(commissioni.size(), 2u);
    EXPECT_EQ(commissioni[1].valuta, d(2005, 2, 1));
}

TEST_F(LinkedCharges, HandEnteredInterestIsNotExemptHere) {
    impostazione(schema::kCommScope, eur("5"));
    movimento(d(2005, 2, 1), "Interessi", "Debitore", "1500");
    entry.DopoInserimento("Interessi", "Debitore", eur("1500"), d(2005, 2, 1), d(2005, 2, 1));
    EXPECT_EQ(conCommento("Commissione su Scopertura").size(), 1u);
}

TEST_F(LinkedCharges, UpToThreeChargesInOrderFromOneWithdrawal) {
    impostazione(schema::kBStesso, eur("1"));
    impostazione(schema::kNumOpe, eur("0"));
    impostazione(schema::kCostoOpe, eur("2"));
    impostazione(schema::kCommScope, eur("3"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "1000", "S. Bancomat");
    auto tutte = righe();
    ASSERT_EQ(tutte.size(), 6u);
    EXPECT_EQ(tutte[3].commento, "Commissione prelievi bancomat stesso istituto");
    EXPECT_EQ(tutte[4].commento, "Imposta operazioni eccedenti");
    EXPECT_EQ(tutte[5].commento, "Commissione su Scopertura");
    EXPECT_EQ(ledger.Totali().Saldo, eur("-6"));
}

TEST_F(LinkedCharges, BackDatedMovementRegeneratesEverythingWithoutTheFutureNotice) {
    impostazione(schema::kBAltro, eur("2"));
    inserisci(TipoInserimento::Prelievo, d(2005, 3, 1), "10", "A. Bancomat");
    inserisci(TipoInserimento::Accredito, d(2005, 8, 1), "10", "Bonifico"); // after today: notice
    ASSERT_EQ(ui.messages().size(), 1u);
    // Before the last value date: a regeneration makes this charge and keeps the earlier one single.
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "10", "A. Bancomat");
    EXPECT_EQ(ui.messages().size(), 1u);
    auto fee = conCommento("Commissione prelievi bancomat altro istituto");
    ASSERT_EQ(fee.size(), 2u);
    EXPECT_EQ(fee[0].valuta, d(2005, 2, 1));
    EXPECT_EQ(fee[1].valuta, d(2005, 3, 1));
}

TEST_F(LinkedCharges, FutureValueDateIsAnnouncedAndStillCharged) {
    impostazione(schema::kVCircolare, eur("3"));
    impostazione(schema::kBAltro, eur("2"));
    inserisci(TipoInserimento::Accredito, d(2005, 6, 29), "1234,5", "Assegno Circolare");
    EXPECT_EQ(messaggi(), std::vector<std::string>{
                              "L'operazione di Accredito di 1.234,50 € verrà effettuata con valuta 02/07/2005 !"});
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Ok);
    EXPECT_EQ(righe().back().valuta, d(2005, 7, 2));
    EXPECT_EQ(righe().back().data, d(2005, 6, 29));

    inserisci(TipoInserimento::Prelievo, d(2005, 7, 4), "10", "A. Bancomat");
    auto fee = conCommento("Commissione prelievi bancomat altro istituto");
    ASSERT_EQ(fee.size(), 1u);
    EXPECT_EQ(fee[0].valuta, d(2005, 7, 4));
}

using EmptyLedger = EntryTest;

TEST_F(EmptyLedger, FirstMovementTriggersARegeneration) {
    impostazione(schema::kBAltro, eur("2"));
    ledger.ScansioneRecord(true, false);
    ASSERT_EQ(state.DataPrimaValuta, state.DataUltimaValuta);
    inserisci(TipoInserimento::Prelievo, d(2005, 6, 1), "10", "A. Bancomat");
    // The regeneration wrote the charge and recorded the first value date.
    EXPECT_EQ(conCommento("Commissione prelievi bancomat altro istituto").size(), 1u);
    EXPECT_EQ(state.DataPrimaValuta, d(2005, 6, 1));
    EXPECT_EQ(ledger.Totali().Saldo, eur("-12"));
}

} // namespace
} // namespace valmora::testing
