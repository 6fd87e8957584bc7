// The check read against a real account on disk: every movement whatever the filter shows, the rate rows, and
// the account exactly as it was afterwards, also when the bank's file is refused.

#include "bank/BankLine.h"
#include "bank/RiscontroConto.h"
#include "bank/RiscontroRighe.h"
#include "dbase/TempDir.h"
#include "mainwindow/MasterFixture.h"

namespace valmora::testing {
namespace {

class RiscontroContoTest : public MasterTest {
protected:
    void prelievo(Date data, const std::string& importo) {
        master.Entry().ComandoInserimento(TipoInserimento::Prelievo, [&](OperationEntry& e) {
            e.Scheda().Calendario = data;
            e.Scheda().EditImporto = importo;
            return DialogResult::Ok;
        });
    }
    std::string lista(const std::string& nome, const std::string& testo) {
        const std::string percorso = dir.folder() + nome;
        dbase::testing::writeAll(percorso, testo);
        return percorso;
    }
};

TEST_F(RiscontroContoTest, EveryMovementIsHeldWhateverTheFilterShowsAndTheFilterStays) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 2), "100");
    prelievo(d(2026, 3, 3), "40");
    accredito(d(2026, 3, 4), "5");
    master.Filtro().Barra().ComboOperazioni = "Prelievo";
    master.Filtro().ComboOperazioniChange();
    ASSERT_EQ(master.DM().MainTable.recordCount(), 1);
    const bool modifiche = master.Stato().ModificheDaSalvare;

    const std::string percorso = lista("banca.csv", "Data;Valuta;Importo\n02/03/2026;02/03/2026;100\n"
                                                    "03/03/2026;03/03/2026;-40\n");
    const RiscontroCompleto esito = RiscontraFile(master.DM(), percorso, *dbase::diskFileSystem());
    EXPECT_EQ(RigheRiscontro(esito.riscontro),
              (std::vector<std::string>{"RISCONTRO;2;3", "UGUALE;02/03/2026;02/03/2026;100,00 €;;Accredito;Bonifico;",
                                        "UGUALE;03/03/2026;03/03/2026;-40,00 €;;Prelievo;S. Bancomat;",
                                        "SOLO CONTO;04/03/2026;04/03/2026;5,00 €;Accredito;Bonifico;",
                                        "TOTALE BANCA;60,00 €", "TOTALE CONTO;65,00 €", "DIFFERENZA;-5,00 €"}));
    EXPECT_TRUE(master.DM().MainTable.filtered());
    EXPECT_EQ(master.DM().MainTable.recordCount(), 1);
    EXPECT_EQ(master.DM().MainTable.fieldByName("OPERAZIONE").asString(), "Prelievo");
    EXPECT_FALSE(master.DM().MainTable.controlsDisabled());
    EXPECT_EQ(master.Stato().ModificheDaSalvare, modifiche);

    const ContoRiscontro conto = LeggiContoRiscontro(master.DM());
    EXPECT_EQ(conto.movimenti.size(), 3u);
    EXPECT_EQ(conto.tassi.size(), 1u); // the new account's own rate row
}

TEST_F(RiscontroContoTest, ARefusedFileLeavesTheAccountUntouched) {
    nuovo("C.dbf");
    accredito(d(2026, 3, 2), "100");
    master.Salva1Click();
    const auto prima = movimentiSuDisco("C.dbf");
    const std::string percorso = lista("rotto.csv", "Data;Valuta;Importo\n02/03/2026;02/03/2026;cento\n");
    try {
        RiscontraFile(master.DM(), percorso, *dbase::diskFileSystem());
        ADD_FAILURE() << "a list with a wrong amount was read";
    } catch (const BankListError& e) {
        EXPECT_EQ(std::string(e.what()), "Il file \"" + percorso + "\", riga 2: l'importo \"cento\" non è un numero.");
    }
    EXPECT_EQ(movimentiSuDisco("C.dbf"), prima);
    EXPECT_FALSE(master.Stato().ModificheDaSalvare);
}

} // namespace
} // namespace valmora::testing
