#include "model/TDM.h"

#include "core/Paths.h"
#include "core/TestValues.h"
#include "dbase/TempDir.h"
#include "model/AccountFileSet.h"
#include "model/ProgrammedOperation.h"
#include "model/ScriptedUserInterface.h"
#include "model/TableSchemas.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#endif

namespace valmora {
namespace {

namespace fs = std::filesystem;

using testing::d;
using testing::TempDir;

// What Python's dbfread (the Debian package, run by the system interpreter) prints of a table,
// through the dump tool of the engine's own reader tests; empty when it cannot run here.
std::string dbfread(const std::string& dbf) {
#ifdef _WIN32
    (void)dbf; // a Linux program: the Linux build runs this check
    return "";
#else
    const std::string python = "/usr/bin/python3";
    const std::string tool = std::string(VALMORA_TESTS_DIR) + "/tools/dbfread_dump.py";
    if (!fs::exists(python) || !fs::exists(tool))
        return "";
    FILE* pipe = ::popen((python + " '" + tool + "' '" + dbf + "' 2>&1").c_str(), "r");
    if (!pipe)
        return "";
    std::string out;
    char buf[4096];
    for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, pipe)) > 0;)
        out.append(buf, n);
    const int status = ::pclose(pipe);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? out : "";
#endif
}

class TDMTest : public ::testing::Test {
protected:
    TempDir dir;
    ScriptedUserInterface ui;
    FixedClock clock{d(2005, 3, 20)};
    TDM dm{ui, clock};

    // A new account as the new-account command builds it.
    void creaConto(const std::string& nome) {
        dm.NuovaTabella(dm.MainTable, dir.folder() + nome, "Valuta");
        dm.NuovaTabImpostazioni(dm.TableImp, dir.folder(), nome, kSottocartellaImpostazioni, dm.ImpostazioniDefault());
        dm.NuovaTabTassi(dm.TableTassi, dir.folder(), nome, kSottocartellaTassi, dm.TassoDefault());
        dm.NuovaTabAcc(dm.TableAcc, dir.folder(), nome, kSottocartellaAccrediti);
        dm.DefaultAccrediti(dm.TableAcc);
    }
};

TEST_F(TDMTest, NewAccountLaysOutTheFileSetBesideTheMovementsFile) {
    creaConto("Conto2005.dbf");
    const AccountFileSet set{dir.folder(), "Conto2005.dbf"};
    for (const std::string& p : {set.movimenti(), set.tassi(), set.accrediti(), set.impostazioni()}) {
        EXPECT_TRUE(fs::exists(p)) << p;
        EXPECT_TRUE(fs::exists(fs::path(p).replace_extension(".mdx"))) << p;
    }
    EXPECT_EQ(set.tassi(), fromPath(dir.path() / "Tassi" / "Conto2005.dbf"));
    // The movements table stays closed after creation; the others are open.
    EXPECT_FALSE(dm.MainTable.isOpen());
    EXPECT_TRUE(dm.TableTassi.isOpen());
    EXPECT_TRUE(dm.TableAcc.isOpen());
    EXPECT_TRUE(dm.TableImp.isOpen());
}

TEST_F(TDMTest, EveryFileOfTheAccountIsStampedWithTheProgramsClock) {
    creaConto("Conto2005.dbf");
    dm.MainTable.open();
    dm.MainTable.appendRecord({d(2005, 3, 1), d(2005, 3, 1), std::string("Accredito")});
    const AccountFileSet set{dir.folder(), "Conto2005.dbf"};
    for (const std::string& p : {set.movimenti(), set.tassi(), set.accrediti(), set.impostazioni()}) {
        std::ifstream in(p, std::ios::binary);
        char header[4] = {};
        in.read(header, 4);
        // Bytes 1-3: the last update as years since 1900, month, day.
        EXPECT_EQ(header[1], 105) << p;
        EXPECT_EQ(header[2], 3) << p;
        EXPECT_EQ(header[3], 20) << p;
    }
}

TEST_F(TDMTest, TablesHaveTheirFieldsWidthsAndIndexTags) {
    creaConto("A.dbf");
    dm.MainTable.open();
    const auto& mov = dm.MainTable.fieldDefs();
    ASSERT_EQ(mov.size(), 6u);
    EXPECT_EQ(mov[2].width, 10); // OPERAZIONE: "FuoriConto" fills it exactly
    EXPECT_EQ(mov[3].width, 25);
    EXPECT_EQ(mov[4].type, dbase::FieldType::Numeric);
    EXPECT_EQ(mov[4].width, 20);
    EXPECT_EQ(mov[4].decimals, 4);
    EXPECT_EQ(mov[5].width, 250);
    auto tagOf = [](const dbase::Table& t) {
        const auto tags = t.indexTags();
        return tags.empty() ? std::string() : tags.front();
    };
    EXPECT_EQ(tagOf(dm.MainTable), "VALUTA");
    EXPECT_EQ(tagOf(dm.TableTassi), "DATA");
    EXPECT_EQ(tagOf(dm.TableAcc), "OPERAZIONE");
    EXPECT_EQ(tagOf(dm.TableImp), "IST");

    // The rates file keeps TASSODEB before TASSOH.
    const auto& tassi = dm.TableTassi.fieldDefs();
    ASSERT_EQ(tassi.size(), 6u);
    EXPECT_EQ(tassi[3].name, "TASSODEB");
    EXPECT_EQ(tassi[4].name, "TASSOH");
    EXPECT_EQ(dm.TableImp.fieldDefs().size(), 24u);
    EXPECT_EQ(dm.TableAcc.fieldDefs().size(), 7u);
}

TEST_F(TDMTest, DefaultRowsOfANewAccount) {
    creaConto("A.dbf");
    // Rates 2 %, 10 %, 27 % dated today, each in its own column despite the file's order.
    ASSERT_EQ(dm.TableTassi.recordCount(), 1);
    dm.TableTassi.first();
    const RatePeriod r = RatePeriod::read(dm.TableTassi);
    EXPECT_EQ(r.data, d(2005, 3, 20));
    EXPECT_EQ(r.limite, Money());
    EXPECT_EQ(r.tassoCre, Money());
    EXPECT_EQ(r.tassoH, Money::fromWhole(2));
    EXPECT_EQ(r.tassoDeb, Money::fromWhole(10));
    EXPECT_EQ(r.ritenuta, Money::fromWhole(27));

    ASSERT_EQ(dm.TableImp.recordCount(), 1);
    dm.TableImp.first();
    const AccountSettings s = AccountSettings::read(dm.TableImp);
    EXPECT_EQ(s.password, "0");
    EXPECT_TRUE(s.newAnno);
    EXPECT_EQ(s.numRec, Money());
    EXPECT_FALSE(s.scoperto);
    EXPECT_EQ(s.oldData, d(2005, 3, 20));
    EXPECT_EQ(s.istituto, "Istituto");
    EXPECT_EQ(s.capitaCre, "MENSILE");
    EXPECT_EQ(s.bMensile, Money::fromWhole(1500));
    EXPECT_EQ(s.maxScope, Money::fromWhole(5000));
    EXPECT_EQ(s.commScope, Money::fromWhole(10));
    EXPECT_EQ(s.maxCCred, Money::fromWhole(2000));
    EXPECT_EQ(s, AccountSettings::defaults(d(2005, 3, 20)));

    // The four programmed operations, walked in operation order (ties in the order added).
    std::vector<ProgrammedOperation> righe;
    for (dm.TableAcc.first(); !dm.TableAcc.eof(); dm.TableAcc.next())
        righe.push_back(ProgrammedOperation::read(dm.TableAcc));
    const auto attese = ProgrammedOperation::defaults();
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe[0], attese[3]); // "Accredito" sorts before "Imposta"
    EXPECT_EQ(righe[1], attese[0]);
    EXPECT_EQ(righe[2], attese[1]);
    EXPECT_EQ(righe[3], attese[2]);
    EXPECT_EQ(righe[0].giorno, Money::fromWhole(27));
}

TEST_F(TDMTest, AnotherDBaseReaderSeesTheNewAccountAsWritten) {
    creaConto("Conto.dbf");
    dm.TableTassi.close();
    dm.TableImp.close();
    dm.TableAcc.close();
    const AccountFileSet set{dir.folder(), "Conto.dbf"};
    const std::string tassi = dbfread(set.tassi());
    if (tassi.empty())
        GTEST_SKIP() << "Python's dbfread is not available";
    EXPECT_NE(tassi.find("fields: DATA:D:8:0 LIMITE:N:20:4 TASSOCRE:N:20:4 TASSODEB:N:20:4 TASSOH:N:20:4 "
                         "RITENUTA:N:20:4"),
              std::string::npos)
        << tassi;
    EXPECT_NE(tassi.find("DATA=20050320\tLIMITE=0.0000\tTASSOCRE=0.0000\tTASSODEB=10.0000\tTASSOH=2.0000\t"
                         "RITENUTA=27.0000"),
              std::string::npos)
        << tassi;

    const std::string movimenti = dbfread(set.movimenti());
    EXPECT_NE(movimenti.find("fields: DATA:D:8:0 VALUTA:D:8:0 OPERAZIONE:C:10:0 TIPO:C:25:0 IMPORTO:N:20:4 "
                             "COMMENTO:C:250:0"),
              std::string::npos)
        << movimenti;

    const std::string impostazioni = dbfread(set.impostazioni());
    EXPECT_NE(impostazioni.find("encoding: cp1252"), std::string::npos) << impostazioni;
    for (const char* campo : {"ISTITUTO=Istituto", "CAPITA_CRE=MENSILE", "BMENSILE=1500.0000", "PASSWORD=0",
                              "NEW_ANNO=T", "OLDDATA=20050320", "NUM_REC=0.0000", "SCOPERTO=F"})
        EXPECT_NE(impostazioni.find(campo), std::string::npos) << campo << "\n" << impostazioni;

    const std::string accrediti = dbfread(set.accrediti());
    // The programmed operations keep the mixed-case names the file has always had.
    EXPECT_NE(accrediti.find("Descrizion=Stipendio\tImporto=0.0000\tOperazione=Accredito\tTipo=Stipendio\t"
                             "Frequenza=Mensile\tInizio=Gennaio\tGiorno=27.0000"),
              std::string::npos)
        << accrediti;
}

TEST_F(TDMTest, TwoAccountsInOneFolderKeepSeparateAssociatedTables) {
    creaConto("A.dbf");
    dm.TableImp.edit();
    dm.TableImp.fieldByName("ISTITUTO").setString("Banca A");
    dm.TableImp.post();
    creaConto("B.dbf");

    ASSERT_TRUE(dm.TabellaAssociata(dm.TableImp, dir.folder(), "A.dbf", kSottocartellaImpostazioni));
    dm.TableImp.first();
    EXPECT_EQ(AccountSettings::read(dm.TableImp).istituto, "Banca A");
    ASSERT_TRUE(dm.TabellaAssociata(dm.TableImp, dir.folder(), "/elsewhere/B.dbf", kSottocartellaImpostazioni));
    dm.TableImp.first();
    EXPECT_EQ(AccountSettings::read(dm.TableImp).istituto, "Istituto");
    EXPECT_TRUE(ui.transcript().empty());
}

TEST_F(TDMTest, MissingAssociatedTableIsReportedAndLeftClosed) {
    creaConto("A.dbf");
    dm.TableTassi.close();
    const std::string tassi = fromPath(dir.path() / "Tassi" / "A.dbf");
    fs::remove(tassi);

    EXPECT_FALSE(dm.TabellaAssociata(dm.TableTassi, dir.folder(), "A.dbf", kSottocartellaTassi));
    EXPECT_FALSE(dm.TableTassi.isOpen());
    ASSERT_EQ(ui.messages().size(), 1u);
    EXPECT_EQ(ui.messages()[0].text, "Errore! il file: " + tassi + " non esiste o è danneggiato!");
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Yes);

    // The caller recreates it with a default row dated today.
    clock.set(d(2005, 6, 1));
    dm.NuovaTabTassi(dm.TableTassi, dir.folder(), "A.dbf", kSottocartellaTassi, dm.TassoDefault());
    ASSERT_TRUE(dm.TabellaAssociata(dm.TableTassi, dir.folder(), "A.dbf", kSottocartellaTassi));
    dm.TableTassi.first();
    EXPECT_EQ(RatePeriod::read(dm.TableTassi).data, d(2005, 6, 1));
}

TEST_F(TDMTest, TabEsisteLeavesTheSubfolderBehind) {
    EXPECT_FALSE(fs::exists(dir.path() / "Accrediti"));
    EXPECT_FALSE(dm.TabEsiste(dir.folder(), "X.dbf", kSottocartellaAccrediti));
    EXPECT_TRUE(fs::is_directory(dir.path() / "Accrediti"));
    creaConto("X.dbf");
    EXPECT_TRUE(dm.TabEsiste(dir.folder(), "other/folder/X.dbf", kSottocartellaAccrediti));
    EXPECT_FALSE(dm.TabEsiste(dir.folder(), "Y.dbf", kSottocartellaAccrediti));
}

TEST_F(TDMTest, RatesTableIsWalkedByDate) {
    creaConto("A.dbf");
    dm.TableTassi.appendRecord(
        {d(2005, 1, 1), Money(), Money(), Money::fromWhole(1), Money::fromWhole(5), Money::fromWhole(27)});
    dm.TableTassi.first();
    EXPECT_EQ(RatePeriod::read(dm.TableTassi).data, d(2005, 1, 1));
    dm.TableTassi.last();
    EXPECT_EQ(RatePeriod::read(dm.TableTassi).data, d(2005, 3, 20));
}

} // namespace
} // namespace valmora
