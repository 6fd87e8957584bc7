// What a full disk, a damaged table, an oddly built file or a second copy of the program must not do to movements
// the user has saved: each case a way movements were lost before.

#include "SafetyFixture.h"

#include "dbase/Table.h"

namespace valmora::testing {
namespace {

// Three credits and a withdrawal, saved and closed.
class SafetyAccount : public SafetyTest {
protected:
    void SetUp() override {
        SafetyTest::SetUp();
        contoDiProva();
        prima = movimentiUtente();
        ASSERT_EQ(prima.size(), 4u);
    }
    std::vector<std::string> prima;
};

TEST_F(SafetyAccount, AModifyFailedByAFullDiskKeepsTheOldMovement) {
    std::vector<std::string> nuovi = prima;
    std::replace(nuovi.begin(), nuovi.end(), std::string("10/02/2026 Accredito Bonifico 200"),
                 std::string("10/02/2026 Accredito Bonifico 250"));
    int falliti = 0;
    for (std::uint64_t budget : {0ULL, 200ULL, 2000ULL, 6000ULL}) {
        SCOPED_TRACE("disk full after " + std::to_string(budget) + " bytes");
        auto faulty = std::make_shared<dbase::FaultyFileSystem>();
        Finestra f(clock, faulty, dir.folder());
        f.apri(conto());
        faulty->failWritesAfterBytes(budget);
        bool fallito = false;
        try {
            f.modifica(f.riga("Accredito", "200"), [](SchedaOperazione& s) { s.EditImporto = "250"; });
        } catch (const std::exception&) {
            fallito = true;
        }
        faulty->heal();
        // The window goes on with the file as it was, or as the modify left it: never without the movement.
        EXPECT_EQ(movimentiUtente(), fallito ? prima : nuovi);
        falliti += fallito;
        f.ui.queueAnswers({"si"});
        f.master.Chiudi1Click(true);
        EXPECT_EQ(movimentiUtente(), fallito ? prima : nuovi);
        if (!fallito)
            break;
    }
    EXPECT_GE(falliti, 2);
}

TEST_F(SafetyAccount, AnInsertReportedAsFailedWroteNothingSoARetryDoesNotDuplicateIt) {
    auto faulty = std::make_shared<dbase::FaultyFileSystem>();
    Finestra f(clock, faulty, dir.folder());
    f.apri(conto());
    // Enough room for the movement itself, not for the regeneration of the charges and interest after it.
    faulty->failWritesAfterBytes(3000);
    EXPECT_ANY_THROW(f.movimento(TipoInserimento::Accredito, d(2026, 1, 5), "70"));
    EXPECT_EQ(movimentiUtente(), prima);
    faulty->heal();
    f.movimento(TipoInserimento::Accredito, d(2026, 1, 5), "70");
    const auto dopo = movimentiUtente();
    EXPECT_EQ(dopo.size(), prima.size() + 1);
    EXPECT_EQ(std::count(dopo.begin(), dopo.end(), "05/01/2026 Accredito Bonifico 70"), 1);
}

TEST_F(SafetyAccount, AModifyOnATableWithItsFieldsInAnotherOrderLosesNothing) {
    // The same six fields, the amount first: a table another program wrote.
    {
        dbase::Table vecchia;
        vecchia.bind(dir.folder(), "C.dbf");
        vecchia.open();
        std::vector<dbase::FieldDef> campi = vecchia.fieldDefs();
        std::rotate(campi.begin(), campi.begin() + 4, campi.end());
        std::vector<std::vector<std::pair<std::string, dbase::Value>>> righe;
        for (vecchia.first(); !vecchia.eof(); vecchia.next()) {
            auto& riga = righe.emplace_back();
            for (const auto& c : campi)
                riga.emplace_back(c.name, vecchia.fieldByName(c.name).value());
        }
        vecchia.close();
        dbase::Table nuova;
        nuova.bind(dir.folder(), "C.dbf");
        nuova.create(campi, {"Valuta", "VALUTA"});
        nuova.open();
        for (const auto& riga : righe) {
            nuova.append();
            for (const auto& [nome, valore] : riga)
                nuova.fieldByName(nome).setValue(valore);
            nuova.post();
        }
    }
    ASSERT_EQ(movimentiUtente(), prima);
    apri("C.dbf");
    try {
        master.DM().MainTable.moveTo(2);
        master.Entry().SpeedModificaClick([](OperationEntry& e) {
            e.Scheda().EditImporto = "250";
            return DialogResult::Ok;
        });
    } catch (const std::exception&) {
        // Refused or done: either way nothing may be lost.
    }
    const auto dopo = movimentiUtente();
    ASSERT_EQ(dopo.size(), prima.size());
    chiudi("si");
}

TEST_F(SafetyAccount, ASnapshotThatFailsAtOpenIsReportedAndNeverCopiedBackOverSavedWork) {
    auto disco = std::make_shared<CartellaPiena>("Backup");
    Finestra f(clock, disco, dir.folder());
    // The open works, the snapshot cannot be taken.
    f.apri(conto());
    ASSERT_TRUE(f.master.ContoAperto());
    ASSERT_FALSE(f.ui.messages().empty());
    const std::string avviso = f.ui.messages().back().text;
    EXPECT_NE(avviso.find("Copia di sicurezza non riuscita!"), std::string::npos) << avviso;
    EXPECT_NE(avviso.find("Backup"), std::string::npos) << avviso;
    EXPECT_NE(avviso.find("(disco pieno)"), std::string::npos) << avviso;
    disco->libera();
    f.movimento(TipoInserimento::Accredito, d(2026, 3, 10), "5");
    const auto salvati = movimentiUtente();
    ASSERT_EQ(salvati.size(), prima.size() + 1);
    // "No": the snapshot under Backup/ is the previous session's; copying it back would lose the credit.
    f.ui.queueAnswers({"no"});
    f.master.Chiudi1Click(true);
    EXPECT_EQ(movimentiUtente(), salvati);
    EXPECT_NE(f.ui.messages().back().text.find("non è stata presa"), std::string::npos);
}

TEST_F(SafetyAccount, AFailedOpenLeavesNoAccountSoASaveCannotOverwriteTheGoodSnapshot) {
    const auto backup = dir.path() / "Backup" / "C.dbf";
    const std::string buona = readBytes(backup);
    // The movements table damaged: a header that claims more records than the file holds.
    {
        std::fstream f(dir.path() / "C.dbf", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(4);
        const char conteggio[4] = {'\x40', '\x42', '\x0f', '\x00'};
        f.write(conteggio, 4);
    }
    EXPECT_ANY_THROW(apri("C.dbf"));
    EXPECT_FALSE(master.ContoAperto());
    try {
        master.Salva1Click();
    } catch (const std::exception&) {
        // Nothing to save: what matters is the snapshot below.
    }
    EXPECT_EQ(readBytes(backup), buona);
}

TEST_F(SafetyAccount, ASecondProgramIsRefusedTheAccountUntilTheFirstClosesIt) {
    apri("C.dbf");
    ASSERT_TRUE(master.ContoAperto());
    Finestra seconda(clock, dbase::diskFileSystem(), dir.folder());
    seconda.apri(conto());
    EXPECT_FALSE(seconda.master.ContoAperto());
    ASSERT_EQ(seconda.ui.messages().size(), 1u);
    EXPECT_EQ(seconda.ui.messages()[0].text,
              "Il conto " + conto() + " è già aperto in un'altra copia di Valmora: chiuderlo là prima di aprirlo qui.");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Backup" / "C.dbf.copia-in-corso"));

    // Reopening its own account in the first window is no conflict.
    apri("C.dbf");
    EXPECT_TRUE(master.ContoAperto());
    chiudi("si");
    seconda.apri(conto());
    EXPECT_TRUE(seconda.master.ContoAperto());
}

TEST_F(SafetyAccount, AmountsBeyondTheRangeAreRefusedInItalianAndWriteNothing) {
    apri("C.dbf");
    // The first one may or may not fit with its interest; the second cannot: the balance leaves the range.
    try {
        accredito(d(2026, 3, 3), "500000000000000");
    } catch (const std::overflow_error&) {
    }
    const auto uno = movimentiUtente();
    try {
        accredito(d(2026, 3, 4), "500000000000000");
        ADD_FAILURE() << "the second credit was written";
    } catch (const std::overflow_error& e) {
        EXPECT_NE(std::string(e.what()).find("fuori dall'intervallo"), std::string::npos) << e.what();
    }
    EXPECT_EQ(movimentiUtente(), uno);
}

} // namespace
} // namespace valmora::testing
