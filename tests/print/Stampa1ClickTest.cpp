// The print command on a real account made by the main window's own "&Nuovo", with the
// figures of a real ledger scan.

#include "print/Stampa.h"

#include "RecordingCanvas.h"
#include "ReportTables.h"
#include "dbase/Table.h"
#include "dbase/TempDir.h"
#include "mainwindow/FormMaster.h"
#include "model/ScriptedUserInterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace valmora {
namespace {

using test::RecordingCanvas;
using ::testing::Contains;
using ::testing::Not;

using test::euro;
using test::giorno;
using test::PrintDialog;

class Stampa1ClickTest : public ::testing::Test {
protected:
    void SetUp() override { master_.ImpostaCartellaConto(dir_.folder()); }

    void TearDown() override {
        if (master_.ContoAperto())
            master_.Chiudi1Click();
    }

    void nuovoConto() {
        ui_.chooseFileInNextDialog(dir_.file("famiglia.dbf"));
        master_.Nuovo1Click();
        ASSERT_TRUE(master_.ContoAperto());
    }

    void movimento(Date valuta, const char* operazione, const char* tipo, const char* importo, const char* commento) {
        master_.DM().MainTable.appendRecord(
            {valuta, valuta, std::string(operazione), std::string(tipo), euro(importo), std::string(commento)});
    }

    std::vector<std::string> stampa() {
        ui_.canvas = std::make_shared<RecordingCanvas>(2000, 100000);
        Stampa1Click(master_, ui_);
        return ui_.canvas->transcript();
    }

    valmora::testing::TempDir dir_;
    PrintDialog ui_;
    FixedClock clock_{giorno(15, 6, 2024)};
    FormMaster master_{ui_, clock_};
};

TEST_F(Stampa1ClickTest, PrintsTheOpenAccountWithTheLastScansFigures) {
    nuovoConto();
    movimento(giorno(27, 2, 2024), "Accredito", "Stipendio", "1000", "Stipendio febbraio");
    movimento(giorno(10, 3, 2024), "Prelievo", "Sportello", "100", "Contanti");
    movimento(giorno(5, 4, 2024), "FuoriConto", "Uscite", "50", "Regalo");
    movimento(giorno(30, 4, 2024), "Imposta", "Bolli", "2", "Imposta Statale");
    master_.ledger().ScansioneRecord(true, true);
    const LedgerTotals& totali = master_.ledger().Totali();
    ASSERT_EQ(totali.NumOperazioni, 2);
    ASSERT_NE(totali.Utile, totali.TotInteressi.Importo); // so the figures cannot be mistaken for each other

    const std::vector<std::string> righe = stampa();
    EXPECT_EQ(righe.at(0), "Conto Istituto - Anno 2024");
    EXPECT_EQ(righe.at(1), "Febbraio");
    EXPECT_THAT(righe, Contains("27/02/2024 | 27/02/2024 | Accredito | Stipendio | 1.000,00 € | Stipendio febbraio"));
    EXPECT_THAT(righe, Contains("Fuori Conto: | -50,00 €"));
    EXPECT_THAT(righe, Contains("Utile: | " + totali.Utile.format()));
    EXPECT_THAT(righe, Contains("N° Operazioni: | 2"));
    EXPECT_THAT(righe, Contains("Accrediti totali: | 1.000,00 €"));
    EXPECT_THAT(righe, Contains("Prelievi totali: | 100,00 €"));
    EXPECT_THAT(righe, Contains("Imposte totali: | 2,00 €"));
    EXPECT_THAT(righe, Contains("Interessi totali | " + totali.TotInteressi.Importo.format()));
    EXPECT_THAT(righe, Contains("Totale Fuori Conto: | -50,00 €"));
    EXPECT_THAT(righe, Contains("Saldo: | " + totali.Saldo.format()));
    EXPECT_THAT(righe, Not(Contains("Gennaio")));
}

TEST_F(Stampa1ClickTest, UnderAFilterListsEveryMovementWithTheFilteredFigures) {
    nuovoConto();
    movimento(giorno(27, 2, 2024), "Accredito", "Stipendio", "1000", "Stipendio febbraio");
    movimento(giorno(10, 3, 2024), "Prelievo", "Sportello", "100", "Contanti");
    master_.ledger().ScansioneRecord(true, true);

    // The filter bar narrows the ledger to withdrawals and totals them only.
    dbase::Table& movimenti = master_.DM().MainTable;
    movimenti.setFilter("Operazione ='Prelievo'");
    movimenti.setFiltered(true);
    master_.ledger().ScansioneRecord(false, false);

    const std::vector<std::string> righe = stampa();
    EXPECT_THAT(righe, Contains("27/02/2024 | 27/02/2024 | Accredito | Stipendio | 1.000,00 € | Stipendio febbraio"));
    EXPECT_THAT(righe, Contains("Accrediti: | 1.000,00 €"));
    EXPECT_THAT(righe, Contains("N° Operazioni: | 1"));
    EXPECT_THAT(righe, Not(Contains("Accrediti totali: | 1.000,00 €")));
    EXPECT_THAT(righe, Contains("Saldo: | -100,00 €"));
    EXPECT_TRUE(movimenti.filtered());
    EXPECT_EQ(movimenti.recordCount(), 1);
}

TEST_F(Stampa1ClickTest, DoesNothingWithoutAnAccountOrWhenTheDialogIsCancelled) {
    ui_.canvas = std::make_shared<RecordingCanvas>(2000, 100000);
    Stampa1Click(master_, ui_);
    EXPECT_EQ(ui_.asked, 0);
    EXPECT_TRUE(ui_.canvas->items.empty());

    nuovoConto();
    ui_.canvas.reset();
    Stampa1Click(master_, ui_);
    EXPECT_EQ(ui_.asked, 1);
}

} // namespace
} // namespace valmora
