#include "MasterFixture.h"

#include "model/TableSchemas.h"

#include <algorithm>
#include <fstream>

namespace valmora::testing {
namespace {

namespace stdfs = std::filesystem;

const std::vector<std::string> kOtto = {"Accrediti/C.dbf",    "Accrediti/C.mdx",    "Tassi/C.dbf", "Tassi/C.mdx",
                                        "Impostazioni/C.dbf", "Impostazioni/C.mdx", "C.dbf",       "C.mdx"};

TEST_F(MasterTest, NewAccountIsCreatedOpenAndUnsavedWithoutSnapshot) {
    nuovo("C.dbf");
    EXPECT_TRUE(master.ContoAperto());
    EXPECT_EQ(master.Titolo(), "Valmora 4.1.0 - C.dbf");
    EXPECT_EQ(ui.caption, "Valmora 4.1.0 - C.dbf");
    EXPECT_EQ(master.Stato().CartellaConto, dir.folder());
    EXPECT_EQ(master.Logo(), "Istituto");
    EXPECT_FALSE(master.Stato().ModificheDaSalvare);
    for (const std::string& f : kOtto) {
        EXPECT_TRUE(stdfs::exists(dir.path() / f)) << f;
    }
    EXPECT_FALSE(stdfs::exists(dir.path() / "Backup" / "C.dbf"));
    EXPECT_EQ(oldData("C.dbf"), d(2026, 3, 15));
    ASSERT_EQ(ui.saveDialogs.size(), 1U);
    EXPECT_EQ(ui.saveDialogs[0].title, "Crea Nuovo Conto");
    EXPECT_EQ(ui.saveDialogs[0].fileName, "NuovoConto.dbf");

    master.Chiudi1Click(true);
    EXPECT_FALSE(master.ContoAperto());
    EXPECT_EQ(master.Titolo(), "Valmora 4.1.0");
    EXPECT_EQ(ui.caption, "Valmora 4.1.0");
}

TEST_F(MasterTest, ANameInUseIsRefusedAndTheDialogComesBackInThatFolder) {
    stdfs::create_directories(dir.path() / "altra" / "Tassi");
    std::ofstream(dir.path() / "altra" / "Tassi" / "NuovoConto.dbf") << "x";
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "10");

    ui.chooseFileInNextDialog(dir.folder() + "altra/NuovoConto.dbf");
    ui.queueAnswers({"annulla"});
    master.Nuovo1Click(true);
    EXPECT_EQ(messaggi(), std::vector<std::string>{"Conto già esistente! Cambiare nome."});
    ASSERT_EQ(ui.saveDialogs.size(), 3U);
    EXPECT_EQ(ui.saveDialogs[2].folder, dir.folder() + "altra/");
    // Cancelling the dialog that came back leaves the open account open and unchanged.
    EXPECT_TRUE(master.ContoAperto());
    EXPECT_EQ(master.Stato().NomeFileConto, "C.dbf");
    EXPECT_TRUE(master.Stato().ModificheDaSalvare);
    EXPECT_FALSE(stdfs::exists(dir.path() / "altra" / "NuovoConto.dbf"));
    // The first hit stops the checks: the later subfolders were never looked at, so never created.
    EXPECT_FALSE(stdfs::exists(dir.path() / "altra" / "Accrediti"));
}

TEST_F(MasterTest, CloseAnsweredNoPutsTheSnapshotBackAndYesKeepsTheChanges) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "100");
    chiudi("si"); // nothing to restore yet: the working files keep the movement
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 1U);
    EXPECT_EQ(impostazione("C.dbf", "NUM_REC"), "1.0000");

    apri("C.dbf");
    EXPECT_TRUE(stdfs::exists(dir.path() / "Backup" / "Impostazioni" / "C.dbf"));
    accredito(d(2026, 3, 15), "200");
    EXPECT_TRUE(master.Stato().ModificheDaSalvare);
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 2U); // every change is on disk at once
    chiudi("no");
    EXPECT_EQ(movimentiSuDisco("C.dbf"), std::vector<std::string>{"15/03/2026 Accredito Bonifico 100"});
    EXPECT_FALSE(master.Stato().ModificheDaSalvare);

    // Save, then change, then close with No: the state of the save comes back.
    apri("C.dbf");
    accredito(d(2026, 3, 15), "300");
    master.Salva1Click();
    EXPECT_FALSE(master.Stato().ModificheDaSalvare);
    EXPECT_EQ(ui.view().notices.modifiche, "");
    accredito(d(2026, 3, 15), "400");
    EXPECT_EQ(ui.view().notices.modifiche, "Modifiche da Salvare!");
    chiudi("no");
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 2U);
    EXPECT_EQ(movimentiSuDisco("C.dbf").back(), "15/03/2026 Accredito Bonifico 300");
}

TEST_F(MasterTest, SaveKeepsTheFilterAndTheAccountUsable) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "100");
    master.Filtro().Barra().ComboOperazioni = "Prelievo";
    master.Filtro().ComboOperazioniChange();
    ASSERT_TRUE(master.DM().MainTable.filtered());
    master.Salva1Click();
    EXPECT_TRUE(master.DM().MainTable.filtered());
    EXPECT_EQ(ui.view().notices.filtro, "Filtro Attivo!");
    EXPECT_EQ(master.DM().MainTable.recordCount(), 0);
    EXPECT_TRUE(master.DM().TableAcc.isOpen());
    EXPECT_TRUE(master.DM().TableTassi.isOpen());
    EXPECT_EQ(movimentiSuDisco((stdfs::path("Backup") / "C.dbf").string()).size(), 1U);
}

TEST_F(MasterTest, AMissingRatesTableIsReportedAndRecreatedWithItsDefaultRow) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "100");
    chiudi("si");
    stdfs::remove(dir.path() / "Tassi" / "C.dbf");
    stdfs::remove(dir.path() / "Tassi" / "C.mdx");
    clock.set(d(2026, 3, 20));
    const std::size_t before = ui.messages().size();
    apri("C.dbf");
    ASSERT_GT(ui.messages().size(), before);
    EXPECT_EQ(ui.messages()[before].text,
              "Errore! il file: " + dir.folder() + "Tassi/C.dbf non esiste o è danneggiato!");
    EXPECT_TRUE(master.ContoAperto());
    dbase::Table& tassi = master.DM().TableTassi;
    ASSERT_EQ(tassi.recordCount(), 1);
    tassi.first();
    EXPECT_EQ(tassi.fieldByName("DATA").asDate(), d(2026, 3, 20));
    EXPECT_EQ(tassi.fieldByName("TASSODEB").asMoney(), Money::fromWhole(10));
}

TEST_F(MasterTest, OpeningAFileThatIsNotThereCreatesNothingAndKeepsTheOpenAccount) {
    EXPECT_THROW(apri("Manca.dbf"), std::runtime_error);
    EXPECT_FALSE(master.ContoAperto());
    EXPECT_FALSE(stdfs::exists(dir.path() / "Tassi" / "Manca.dbf"));
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "1");
    EXPECT_THROW(apri("Manca.dbf"), std::runtime_error);
    EXPECT_TRUE(master.ContoAperto());
    EXPECT_TRUE(master.Stato().ModificheDaSalvare);
    EXPECT_EQ(ui.pendingAnswers(), 0U);
    EXPECT_TRUE(ui.messages().empty()) << "the save question comes only with a real close";
}

TEST_F(MasterTest, ARefusedPasswordLeavesTheWindowWithoutAccount) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "100");
    master.Salva1Click();
    ui.queueAnswers({"password", "Segreta"});
    master.Password1Click();
    EXPECT_FALSE(master.Stato().ModificheDaSalvare) << "a password change is not an unsaved change";
    master.Chiudi1Click(true);

    apri("C.dbf", {"password", "segreta"});
    EXPECT_FALSE(master.ContoAperto());
    EXPECT_EQ(master.Titolo(), "Valmora 4.1.0");
    EXPECT_FALSE(master.DM().TableImp.isOpen());
    EXPECT_EQ(impostazione("C.dbf", "PASSWORD"), "Segreta");
    EXPECT_EQ(ui.pendingAnswers(), 0U);

    apri("C.dbf", {"password", "Segreta"});
    EXPECT_TRUE(master.ContoAperto());
    EXPECT_TRUE(master.Stato().PasswordAccettata);
    master.Chiudi1Click(true);
    EXPECT_FALSE(master.Stato().PasswordAccettata);
}

TEST_F(MasterTest, ExportCopiesTheEightFilesElsewhereAndRefusesTheAccountsOwnFolder) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 15), "100");
    stdfs::create_directories(dir.path() / "chiavetta");

    ui.chooseFileInNextDialog(dir.folder() + "chiavetta/Qualsiasi.dbf");
    master.Esporta1Click();
    EXPECT_EQ(messaggi(), std::vector<std::string>{"Copia creata!"});
    for (const std::string& f : kOtto) {
        EXPECT_TRUE(stdfs::exists(dir.path() / "chiavetta" / f)) << f;
    }
    EXPECT_TRUE(master.Stato().ModificheDaSalvare) << "export leaves the unsaved-changes flag alone";

    const auto sizeBefore = stdfs::file_size(dir.path() / "C.dbf");
    ui.chooseFileInNextDialog(dir.folder() + "C.dbf");
    master.Esporta1Click();
    EXPECT_EQ(messaggi().back(), "Copia non riuscita!");
    EXPECT_EQ(stdfs::file_size(dir.path() / "C.dbf"), sizeBefore);
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 1U);
    // The account goes on working after the export.
    accredito(d(2026, 3, 15), "5");
    EXPECT_EQ(movimentiSuDisco("C.dbf").size(), 2U);
}

} // namespace
} // namespace valmora::testing
