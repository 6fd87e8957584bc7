// "&Importa" on previous-version tables written by Free Pascal's TDbf (level 7 and dBase IV, Windows-1252 and the
// Italian OEM page 850): the movements are copied in the order of the old tag "Data", the new account gets the
// default settings and rates and no programmed operations, and tables that are not previous-version accounts are
// refused without leaving anything behind.

#include "ContoFixture.h"

#include "accounts/AccountCopy.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace valmora::testing {
namespace {

namespace fs = std::filesystem;

// The old tables, written once per run by the TDbf program in tests/tools.
class VecchiConti {
public:
    static const std::string& cartella() {
        static VecchiConti istanza;
        return istanza.cartella_.empty() ? vuota() : istanza.cartella_;
    }
    static const std::string& errore() {
        cartella();
        return errore_();
    }

private:
    VecchiConti() {
#ifdef _WIN32
        // fpc and its TDbf program are Linux programs: scripts/test-windows runs them before the tests and names
        // the folder they wrote. A copy of it, so that no test can change what the next one reads.
        const char* scritti = std::getenv("VALMORA_VECCHI_CONTI");
        if (scritti == nullptr) {
            errore_() = "VALMORA_VECCHI_CONTI non dice dove sono le tabelle scritte dal TDbf di fpc";
            return;
        }
        cartella_ = base_.folder() + "vecchi/";
        fs::copy(toPath(scritti), toPath(cartella_), fs::copy_options::recursive);
        return;
#endif
        if (std::system("command -v fpc > /dev/null 2>&1") != 0) {
            errore_() = "fpc non trovato";
            return;
        }
        cartella_ = base_.folder() + "vecchi/";
        fs::create_directories(cartella_);
        const std::string programma = base_.folder() + "tdbf_vecchi_conti";
        const std::string compila = "fpc -v0 -FU" + base_.folder() + " " + VALMORA_TESTS_DIR +
                                    "/tools/tdbf_vecchi_conti.pas -o" + programma + " > " + base_.folder() +
                                    "fpc.log 2>&1";
        if (std::system(compila.c_str()) != 0 || std::system((programma + " " + cartella_).c_str()) != 0) {
            errore_() = "il programma TDbf non è stato compilato o eseguito";
            cartella_.clear();
        }
    }
    static const std::string& vuota() {
        static const std::string nessuna;
        return nessuna;
    }
    static std::string& errore_() {
        static std::string testo;
        return testo;
    }
    TempDir base_;
    std::string cartella_;
};

class ImportaOldTest : public ContoTest {
protected:
    void SetUp() override {
        ContoTest::SetUp();
        if (VecchiConti::cartella().empty()) {
            GTEST_SKIP() << VecchiConti::errore();
        }
        conti = dir.folder() + "conti/";
        fs::create_directories(conti);
        state.CartellaConto = conti;
    }

    // "&Importa" answered Yes, with `file` chosen in the dialog.
    void importa(const std::string& file) {
        ui.queueAnswers({"si"});
        ui.chooseFileInNextDialog(file);
        importazione.ImportaOld();
        ui.forgetCommandChoices();
    }
    std::string vecchio(const std::string& nome) const { return VecchiConti::cartella() + nome; }

    std::vector<std::string> fileIn(const std::string& cartella) const {
        std::vector<std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(cartella)) {
            if (e.is_regular_file()) {
                files.push_back(fs::relative(e.path(), cartella).string());
            }
        }
        std::sort(files.begin(), files.end());
        return files;
    }

    std::string conti;
};

// The five live rows in the order of the tag "Data": 10/01 twice (file order kept), 05/02, 15/03, 31/12.
std::vector<std::string> movimentiAttesi(const std::string& caffe, const std::string& perche) {
    return {
        "DATA=10/01/2003;VALUTA=12/01/2003;OPERAZIONE=Prelievo;TIPO=S. Bancomat;IMPORTO=250.0000;COMMENTO=" + caffe,
        "DATA=10/01/2003;VALUTA=12/01/2003;OPERAZIONE=Accredito;TIPO=Contante;IMPORTO=0.0001;COMMENTO=città",
        "DATA=05/02/2003;VALUTA=07/02/2003;OPERAZIONE=Notifica;TIPO=Variazione;IMPORTO=0.0000;COMMENTO=Variazione "
        "Tassi "
        "d'interesse",
        "DATA=15/03/2003;VALUTA=17/03/2003;OPERAZIONE=Accredito;TIPO=Stipendio;IMPORTO=1500.2500;COMMENTO=Stipendio "
        "marzo",
        "DATA=31/12/2003;VALUTA=02/01/2004;OPERAZIONE=Imposta;TIPO=Bolli;IMPORTO=2.3400;COMMENTO=" + perche,
    };
}

TEST_F(ImportaOldTest, Level7TableBecomesANewAccountWithDefaultsAndItsSnapshot) {
    importa(vecchio("conto7.dbf"));

    // Appended in the order of the tag "Data", so the file order of the new table is that order.
    EXPECT_EQ(righe(conti, "conto7.dbf"), movimentiAttesi("caffè €", "perché – tassa"));
    const std::string impostazioni = AccountFileSet::folderOf(conti, kSottocartellaImpostazioni);
    dbase::Table imp;
    imp.bind(impostazioni, "conto7.dbf");
    imp.open();
    imp.first();
    EXPECT_EQ(AccountSettings::read(imp), AccountSettings::defaults(clock.today()));
    dbase::Table tassi;
    tassi.bind(AccountFileSet::folderOf(conti, kSottocartellaTassi), "conto7.dbf");
    tassi.open();
    tassi.first();
    EXPECT_EQ(tassi.recordCount(), 1);
    EXPECT_EQ(RatePeriod::read(tassi), RatePeriod::defaults(clock.today()));
    EXPECT_TRUE(righe(AccountFileSet::folderOf(conti, kSottocartellaAccrediti), "conto7.dbf").empty());
    EXPECT_TRUE(form.RigheProgrammate().empty());

    // Open, captioned, snapshot taken; NUM_REC 0, so nothing proposed; the old file is only read.
    EXPECT_TRUE(finestra.aperto);
    EXPECT_EQ(finestra.titolo, state.TitoloProgramma + " - conto7.dbf");
    EXPECT_EQ(state.NomeFileConto, "conto7.dbf");
    EXPECT_TRUE(ui.proposte.empty());
    EXPECT_EQ(righe(conti + "Backup/", "conto7.dbf"), righe(conti, "conto7.dbf"));
    EXPECT_TRUE(fs::exists(conti + "Backup/Tassi/conto7.mdx"));
    EXPECT_EQ(ledger.Totali().Saldo, Money::fromUnits(15002500 - 2500000 + 1 - 23400));
    EXPECT_EQ(righe(VecchiConti::cartella(), "conto7.dbf").size(), 5u);
}

TEST_F(ImportaOldTest, TimestampsGiveTheirDayAndTheTagDataOrdersByTheDate) {
    importa(vecchio("contoora.dbf"));
    EXPECT_EQ(righe(conti, "contoora.dbf"), movimentiAttesi("caffè €", "perché – tassa"));
}

TEST_F(ImportaOldTest, OemAndWindowsDbaseTablesKeepTheirAccentsAndASecondImportIsRefused) {
    importa(vecchio("conto4.dbf"));
    EXPECT_EQ(righe(conti, "conto4.dbf"), movimentiAttesi("caffè euro", "perché - tassa"));

    // A dBase III header names no code page: the text is taken as Windows-1252.
    const std::string terzo = dir.folder() + "terzo/";
    fs::create_directories(terzo);
    fs::copy_file(vecchio("conto4w.dbf"), terzo + "conto3.dbf");
    fs::copy_file(vecchio("conto4w.mdx"), terzo + "conto3.mdx");
    {
        std::fstream f(terzo + "conto3.dbf", std::ios::in | std::ios::out | std::ios::binary);
        f.seekp(29);
        f.put('\0');
    }
    importa(terzo + "conto3.dbf");
    EXPECT_EQ(righe(conti, "conto3.dbf"), movimentiAttesi("caffè €", "perché – tassa"));
    EXPECT_EQ(state.NomeFileConto, "conto3.dbf");

    // The same file again: refused, nothing created or changed, the window without an account.
    const auto prima = fileIn(conti);
    const auto movimentiPrima = righe(conti, "conto3.dbf");
    ui.clearTranscript();
    importa(terzo + "conto3.dbf");
    EXPECT_EQ(messaggi().back(), "Il Conto conto3.dbf è già stato importato!");
    EXPECT_FALSE(finestra.aperto);
    EXPECT_EQ(fileIn(conti), prima);
    EXPECT_EQ(righe(conti, "conto3.dbf"), movimentiPrima);
}

TEST_F(ImportaOldTest, DecliningTheQuestionOrTheDialogDoesNothing) {
    ui.queueAnswers({"no"});
    importazione.ImportaOld();
    EXPECT_EQ(messaggi(), (std::vector<std::string>{kDomandaImporta, kImportazioneAnnullata}));

    ui.queueAnswers({"si"});
    importazione.ImportaOld(); // the dialog is cancelled
    EXPECT_EQ(messaggi().size(), 3u);
    ASSERT_EQ(ui.salvataggi.size(), 1u);
    EXPECT_EQ(ui.salvataggi[0].title, "Importa Versione Precedente");
    EXPECT_EQ(ui.salvataggi[0].fileName, "");
    EXPECT_EQ(ui.salvataggi[0].folder, conti);
    EXPECT_TRUE(fileIn(conti).empty());
}

TEST_F(ImportaOldTest, TablesThatAreNotPreviousVersionAccountsLeaveNothingBehind) {
    nuovo("Aperto.dbf");
    state.CartellaConto = conti;
    struct Caso {
        std::string file;
        std::string inizioMessaggio;
    };
    for (const Caso& caso : {Caso{"senzatag.dbf", "Il file " + vecchio("senzatag.dbf") + " non ha l'indice \"Data\""},
                             Caso{"settecampi.dbf", "I campi del file " + vecchio("settecampi.dbf")},
                             Caso{"oemrotto.dbf", "Il carattere '─' del campo COMMENTO"}}) {
        SCOPED_TRACE(caso.file);
        try {
            importa(vecchio(caso.file));
            ADD_FAILURE() << "importato";
        } catch (const std::exception& errore) {
            EXPECT_EQ(std::string(errore.what()).rfind(caso.inizioMessaggio, 0), 0u) << errore.what();
        }
        EXPECT_FALSE(finestra.aperto);
        EXPECT_FALSE(dm.MainTable.isOpen());
        EXPECT_EQ(finestra.titolo, state.TitoloProgramma);
        // No file of the refused account, not even its empty subfolder tables.
        for (const std::string& f : fileIn(conti)) {
            EXPECT_EQ(f.find(caso.file.substr(0, caso.file.size() - 4)), std::string::npos) << f;
        }
    }
    // The open account was closed first, as the command does before it converts.
    EXPECT_TRUE(fs::exists(dir.folder() + "Aperto.dbf"));
}

} // namespace
} // namespace valmora::testing
