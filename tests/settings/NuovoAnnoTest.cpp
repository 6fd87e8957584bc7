// The new-year carry-over on real account files: what goes into the new file set (settings with NEW_ANNO, OLDDATA
// and NUM_REC reset, the last rates dated 1 January, the programmed operations field by field, the old balance as
// the first movement), what stays untouched in the old one, and the offer made at open.

#include "ContoFixture.h"

#include "model/ProgrammedOperation.h"
#include "model/RatePeriod.h"
#include "settings/TabelleNuovoAnno.h"

#include <fstream>

namespace valmora::testing {
namespace {

class NuovoAnnoTest : public ContoTest {
protected:
    // Conto2004.dbf, made on 2 January 2004 with conditions far from the defaults, rates from 1 January and
    // 1 July, a programmed operation of its own, and one withdrawal of 120,5 on 10 December.
    void SetUp() override {
        ContoTest::SetUp();
        clock.set(d(2004, 1, 2));
        nuovo("Conto2004.dbf");
        form.Prepara(state.NomeFileConto);
        form.DigitaCampo("ISTITUTO", "Banca è Valmora");
        form.DigitaCampo("CommScope", "0");
        form.DigitaCampo("BPOS", "1,2345");
        form.DigitaCampo("VISTITUTO", "3");
        form.DBComboBox1Change("NESSUNA");
        form.DBComboBox2Change("NESSUNA");
        form.OKBtnClick();
        dm.TableImp.first();
        dm.TableImp.edit();
        dm.TableImp.fieldByName("PASSWORD").setString("segreta");
        dm.TableImp.post();

        tasso("01/01/2004", "1", "9", "27", "0,5", "1000", true);
        tasso("01/07/2004", "1,25", "11", "26", "0,75", "2000", false);
        dm.TableAcc.appendRecord(ProgrammedOperation{"Bolletta luce", Money::fromUnits(125000), "Addebito", "Luce",
                                                     "Bimestrale", "Gennaio", Money::fromWhole(27)}
                                     .values());

        clock.set(d(2004, 12, 10));
        inserisci(TipoInserimento::Prelievo, d(2004, 12, 10), "120,5", "Sportello");
        chiudi("si");
        clock.set(d(2005, 2, 5));
        apri(dir.folder(), "Conto2004.dbf", {"password", "segreta"});
        ui.clearAnswers();
        ui.clearTranscript();
        ui.proposte.clear();
    }

    // The rate dialog confirmed with these texts; `modifica` rewrites the first row instead of adding one.
    void tasso(const std::string& data, const std::string& cre, const std::string& deb, const std::string& rit,
               const std::string& soglia, const std::string& importo, bool modifica) {
        auto compila = [&](FormTassi& t) {
            t.EData = data;
            t.ECreditore = cre;
            t.EDebitore = deb;
            t.ERitenuta = rit;
            t.ETassoSoglia = soglia;
            t.EImportoSoglia = importo;
            return DialogResult::Ok;
        };
        if (modifica) {
            dm.TableTassi.first();
            form.BtnModificaTassoClick(compila);
        } else {
            form.BtnNuovoTassoClick(compila);
        }
    }

    void carryOver(const std::string& percorso, const std::string& rispostaChiusura = "si") {
        ui.queueAnswers({rispostaChiusura});
        ui.chooseFileInNextDialog(percorso);
        nuovoAnno.NuovoAnno1Click(false);
        ui.forgetCommandChoices();
        ui.clearAnswers();
    }

    static AccountSettings impostazioni(const std::string& cartella, const std::string& nome) {
        dbase::Table t;
        t.bind(AccountFileSet::folderOf(cartella, kSottocartellaImpostazioni), nome);
        t.open();
        t.first();
        return AccountSettings::read(t);
    }
    // An associated table's rows in the order it is walked (rates by date, programmed operations by operation).
    std::vector<std::string> associata(const std::string& cartella, const char* sotto, const std::string& nome) {
        return righe(AccountFileSet::folderOf(cartella, sotto), nome,
                     std::string(sotto) == kSottocartellaTassi ? "Data" : "Operazione");
    }
};

TEST_F(NuovoAnnoTest, CarriesSettingsLastRatesProgrammedOperationsAndTheBalance) {
    ASSERT_TRUE(finestra.nuovoAnnoVisibile);
    ASSERT_EQ(ledger.Totali().Saldo, Money::fromUnits(-1205000));
    const AccountSettings vecchie = impostazioni(dir.folder(), "Conto2004.dbf");
    const auto vecchiTassi = associata(dir.folder(), kSottocartellaTassi, "Conto2004.dbf");
    const auto vecchieProgrammate = associata(dir.folder(), kSottocartellaAccrediti, "Conto2004.dbf");

    ui.salvataggi.clear();
    carryOver(dir.folder() + "Conto2005.dbf");
    ASSERT_EQ(ui.salvataggi.size(), 1u);
    EXPECT_EQ(ui.salvataggi[0].title, "Crea Nuovo Conto");
    EXPECT_EQ(ui.salvataggi[0].fileName, "Conto2004.dbf");
    EXPECT_EQ(ui.salvataggi[0].folder, dir.folder());

    // The settings row: every field as it was, except the three the new year resets (OLDDATA then moved on to
    // today by the programmed-operations run, which the carried movement makes walk January).
    AccountSettings attese = ImpostazioniRiportate(vecchie, d(2005, 1, 1));
    attese.oldData = d(2005, 2, 5);
    EXPECT_EQ(impostazioni(dir.folder(), "Conto2005.dbf"), attese);
    EXPECT_EQ(attese.password, "segreta");
    EXPECT_EQ(attese.istituto, "Banca è Valmora");
    EXPECT_EQ(attese.bPos, Money::fromUnits(12345));

    // One rate row: the July rates, dated 1 January.
    dbase::Table tassi;
    tassi.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaTassi), "Conto2005.dbf");
    tassi.open();
    ASSERT_EQ(tassi.recordCount(), 1);
    tassi.first();
    EXPECT_EQ(RatePeriod::read(tassi),
              (RatePeriod{d(2005, 1, 1), Money::fromWhole(2000), Money::fromUnits(7500), Money::fromUnits(12500),
                          Money::fromWhole(11), Money::fromWhole(26)}));

    // The programmed operations, row by row and field by field, in the old table's order.
    EXPECT_EQ(associata(dir.folder(), kSottocartellaAccrediti, "Conto2005.dbf"), vecchieProgrammate);
    EXPECT_EQ(vecchieProgrammate.size(), 5u);

    // The carried balance first, then the proposals dated from 2 January to 5 February.
    const auto nuovi = movimenti(dir.folder(), "Conto2005.dbf");
    ASSERT_FALSE(nuovi.empty());
    EXPECT_EQ(nuovi[0], "DATA=01/01/2005;VALUTA=01/01/2005;OPERAZIONE=Notifica;TIPO=Saldo Anno P.;IMPORTO=-120.5000;"
                        "COMMENTO=Saldo Anno Precedente");
    ASSERT_FALSE(ui.proposte.empty());
    for (const OperationProposal& p : ui.proposte) {
        EXPECT_GT(p.data, d(2005, 1, 1));
        EXPECT_LE(p.data, d(2005, 2, 5));
    }
    EXPECT_EQ(ui.proposte.front().data, d(2005, 1, 27)); // "Accredito" comes first in the table's order
    EXPECT_EQ(state.NomeFileConto, "Conto2005.dbf");
    EXPECT_EQ(finestra.titolo, state.TitoloProgramma + " - Conto2005.dbf");
    EXPECT_EQ(ledger.Totali().Saldo, Money::fromUnits(-1205000));

    // The old account: read only (its close stored NUM_REC; nothing else changed).
    EXPECT_EQ(associata(dir.folder(), kSottocartellaTassi, "Conto2004.dbf"), vecchiTassi);
    EXPECT_EQ(associata(dir.folder(), kSottocartellaAccrediti, "Conto2004.dbf"), vecchieProgrammate);
    EXPECT_TRUE(impostazioni(dir.folder(), "Conto2004.dbf").newAnno);
    // No snapshot of the new account until its first save or open.
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "Backup/Conto2005.dbf"));
}

TEST_F(NuovoAnnoTest, ANewFolderTakesAllFourTablesAndANameInUseIsRefused) {
    const std::string altra = dir.folder() + "altra/";
    std::filesystem::create_directories(altra + "Impostazioni");
    // Only the settings table of the name exists there: still a name in use, and the account stays open.
    { std::ofstream(altra + "Impostazioni/Conto2005.dbf") << "x"; }
    carryOver(altra + "Conto2005.dbf");
    EXPECT_EQ(messaggi().back(), "Conto già esistente! Cambiare nome.");
    EXPECT_TRUE(finestra.aperto);
    EXPECT_EQ(state.NomeFileConto, "Conto2004.dbf");

    carryOver(altra + "ContoCorrente2005.dbf");
    EXPECT_EQ(state.CartellaConto, altra);
    // The next year's dialog proposes the first fifteen characters of the name.
    ui.salvataggi.clear();
    nuovoAnno.NuovoAnno1Click(false);
    EXPECT_EQ(ui.salvataggi.at(0).fileName, "ContoCorrente20");
    EXPECT_EQ(ui.salvataggi.at(0).folder, altra);
    for (const std::string f : {"ContoCorrente2005.dbf", "Tassi/ContoCorrente2005.dbf",
                                "Accrediti/ContoCorrente2005.dbf", "Impostazioni/ContoCorrente2005.dbf"}) {
        EXPECT_TRUE(std::filesystem::exists(altra + f)) << f;
        EXPECT_FALSE(std::filesystem::exists(dir.folder() + f)) << f;
    }
}

TEST_F(NuovoAnnoTest, ACloseAnsweredNoRestoresTheOldFilesButCarriesTheBalanceShown) {
    inserisci(TipoInserimento::Accredito, d(2004, 12, 20), "100", "Contante");
    ASSERT_EQ(ledger.Totali().Saldo, Money::fromUnits(-205000));
    carryOver(dir.folder() + "Conto2005.dbf", "no");
    // The snapshot of the open came back: the rate's notification and the withdrawal, not the credit.
    const auto vecchi = movimenti(dir.folder(), "Conto2004.dbf");
    ASSERT_EQ(vecchi.size(), 2u);
    EXPECT_NE(vecchi[1].find("OPERAZIONE=Prelievo"), std::string::npos);
    EXPECT_EQ(movimenti(dir.folder(), "Conto2005.dbf")[0],
              "DATA=01/01/2005;VALUTA=01/01/2005;OPERAZIONE=Notifica;TIPO=Saldo Anno P.;IMPORTO=-20.5000;"
              "COMMENTO=Saldo Anno Precedente");
}

TEST_F(NuovoAnnoTest, AnEmptyOldRatesTableCarriesARowOfZeros) {
    while (!dm.TableTassi.isEmpty()) {
        dm.TableTassi.first();
        dm.TableTassi.deleteRecord();
    }
    carryOver(dir.folder() + "Conto2005.dbf");
    dbase::Table tassi;
    tassi.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaTassi), "Conto2005.dbf");
    tassi.open();
    ASSERT_EQ(tassi.recordCount(), 1);
    tassi.first();
    EXPECT_EQ(RatePeriod::read(tassi), (RatePeriod{d(2005, 1, 1), Money(), Money(), Money(), Money(), Money()}));
}

TEST_F(NuovoAnnoTest, TheOfferIsMadeUntilAcceptedOnceAndOnlyForAPastYear) {
    // Help opens the help and asks again; No changes nothing.
    ui.queueAnswers({"aiuto", "no"});
    nuovoAnno.ProponiNuovoAnno();
    EXPECT_EQ(ui.helpOpenings(), 1);
    EXPECT_EQ(messaggi(), std::vector<std::string>{kDomandaNuovoAnno});
    EXPECT_TRUE(impostazioni(dir.folder(), "Conto2004.dbf").newAnno);
    EXPECT_TRUE(finestra.aperto);

    // OK closes the offer in the old account before the dialog; cancelling the dialog does not reopen it.
    ui.queueAnswers({"ok"});
    nuovoAnno.ProponiNuovoAnno();
    EXPECT_TRUE(finestra.aperto);
    EXPECT_FALSE(impostazioni(dir.folder(), "Conto2004.dbf").newAnno);
    EXPECT_FALSE(std::filesystem::exists(dir.folder() + "Conto2005.dbf"));
    nuovoAnno.ProponiNuovoAnno();
    EXPECT_EQ(messaggi().size(), 2u);

    // The menu item still works.
    carryOver(dir.folder() + "Conto2005.dbf");
    EXPECT_TRUE(std::filesystem::exists(dir.folder() + "Conto2005.dbf"));
    // The new account's own year is the current one: no offer.
    nuovoAnno.ProponiNuovoAnno();
    EXPECT_EQ(messaggi().size(), 3u); // the close question of the carry-over only
}

} // namespace
} // namespace valmora::testing
