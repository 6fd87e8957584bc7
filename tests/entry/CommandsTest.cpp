// The entry commands: how each opens the dialog, and what the modify and delete commands refuse.

#include "EntryFixture.h"

namespace valmora::testing {
namespace {

using Commands = EntryTest;

TEST_F(Commands, EveryInsertCommandOpensOnTodayWithItsDefaults) {
    struct Atteso {
        TipoInserimento comando;
        const char* operazione;
        const char* tipo;
        const char* secondo;
    };
    const Atteso attesi[] = {
        {TipoInserimento::Accredito, "Accredito", "Bonifico", "&Nuovo Accredito"},
        {TipoInserimento::Prelievo, "Prelievo", "S. Bancomat", "&Nuovo Prelievo"},
        {TipoInserimento::Addebito, "Addebito", "Telefono", "&Nuovo Addebito"},
        {TipoInserimento::Imposta, "Imposta", "Generica", "&Nuova Imposta"},
        {TipoInserimento::FuoriConto, "FuoriConto", "Entrate", "&Nuove Entrate"},
    };
    for (const auto& a : attesi) {
        SchedaOperazione vista;
        auto esito = entry.ComandoInserimento(a.comando, [&](OperationEntry& e) {
            vista = e.Scheda();
            return DialogResult::Cancel;
        });
        EXPECT_EQ(esito, DialogResult::Cancel);
        EXPECT_EQ(vista.LabelPanel, a.operazione);
        EXPECT_EQ(vista.ComboOp, a.operazione);
        EXPECT_EQ(vista.ComboBoxTipo, a.tipo);
        EXPECT_EQ(vista.BitBtnNuovaOpCaption, a.secondo);
        EXPECT_TRUE(vista.BitBtnNuovaOpVisibile);
        EXPECT_EQ(vista.Calendario, d(2005, 6, 30));
        EXPECT_EQ(vista.EditImporto, "0");
        EXPECT_EQ(vista.CBGiorno, "0");
        EXPECT_EQ(vista.CBFrequenza, "Mensile");
        EXPECT_EQ(vista.CBMeseInizio, "Giugno");
        EXPECT_EQ(vista.EditDescrizione, "");
        EXPECT_FALSE(vista.ComboOpVisibile);
        EXPECT_FALSE(vista.EditValutaVisibile);
        EXPECT_EQ(vista.posizioneTipo, PostoTipo::AlPostoOperazione);
        EXPECT_EQ(vista.focus, CampoScheda::EditImporto);
        EXPECT_FALSE(vista.CBInsAuto);
        EXPECT_FALSE(vista.programmazioneAbilitata);
    }
    EXPECT_TRUE(righe().empty());
    EXPECT_FALSE(state.ModificheDaSalvare);
}

TEST_F(Commands, SystemWrittenMovementsAreRefusedWithTheirOwnMessages) {
    movimento(d(2005, 3, 31), "Interessi", "Creditore", "1");
    movimento(d(2005, 4, 1), "Imposta", "Operazioni", "5", "Commissione su Scopertura");
    movimento(d(2005, 4, 2), "Accredito", "Bonifico", "5", "Commissione pagamenti P.O.S."); // a look-alike
    int aperture = 0;
    auto conta = [&](OperationEntry&) {
        ++aperture;
        return DialogResult::Cancel;
    };
    for (int riga = 1; riga <= 3; ++riga) {
        dm.MainTable.moveTo(riga);
        EXPECT_EQ(entry.SpeedModificaClick(conta), DialogResult::Cancel);
        dm.MainTable.moveTo(riga);
        EXPECT_TRUE(entry.DBGrid1KeyDown(true, {false, true, false, false}, conta));
    }
    EXPECT_EQ(aperture, 0);
    ASSERT_EQ(ui.messages().size(), 6u);
    EXPECT_EQ(ui.messages()[0].text,
              "Questa operazione è stata inserita in automatico e non è consentito modificarne i valori!\r\r"
              "Cambiare opportunamente i parametri della scheda Impostazioni (CTRL+I)");
    EXPECT_EQ(ui.messages()[0].buttons, Buttons::Yes);
    EXPECT_EQ(ui.messages()[1].text,
              "Questa operazione è stata inserita in automatico e non è consentito cancellarla!\r\r"
              "Cambiare opportunamente i parametri della scheda Impostazioni (CTRL+I)");
    EXPECT_EQ(ui.messages()[1].buttons, Buttons::Yes);
    EXPECT_EQ(righe().size(), 3u);
}

TEST_F(Commands, StampDutyAndNotificationsCanBeChangedAndTheModifyDialogShowsTheMovement) {
    dm.MainTable.appendRecord({d(2005, 3, 30), d(2005, 3, 31), std::string("Imposta"), std::string("Bolli"),
                               eur("34,2"), std::string("bollo")});
    movimento(d(2005, 4, 1), "Notifica", "Variazione", "0", "Commissione su scopertura"); // case differs
    SchedaOperazione vista;
    auto guarda = [&](OperationEntry& e) {
        vista = e.Scheda();
        return DialogResult::Cancel;
    };
    dm.MainTable.moveTo(1);
    entry.SpeedModificaClick(guarda);
    EXPECT_EQ(vista.LabelPanel, "Modifica");
    EXPECT_EQ(vista.Calendario, d(2005, 3, 30));
    EXPECT_EQ(vista.EditImporto, "34,2");
    EXPECT_EQ(vista.ComboOp, "Imposta");
    EXPECT_EQ(vista.ComboBoxTipo, "Bolli");
    EXPECT_EQ(vista.EditDescrizione, "bollo");
    EXPECT_EQ(vista.EditValuta, "31/03/2005");
    EXPECT_TRUE(vista.EditValutaVisibile);
    EXPECT_TRUE(vista.ComboOpVisibile);
    EXPECT_EQ(vista.ComboOpVoci.size(), 7u);
    EXPECT_EQ(vista.ComboBoxTipoVoci.size(), 6u);
    EXPECT_EQ(vista.posizioneTipo, PostoTipo::AccantoOperazione);
    EXPECT_FALSE(vista.BitBtnNuovaOpVisibile);
    EXPECT_TRUE(vista.campiAbilitati);

    dm.MainTable.moveTo(2);
    entry.SpeedEliminaClick(guarda);
    EXPECT_EQ(vista.LabelPanel, "Elimina");
    EXPECT_EQ(vista.ComboOp, "Notifica");
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Commands, OnlyExactlyCtrlDeleteRunsTheDeleteCommand) {
    movimento(d(2005, 3, 1), "Accredito", "Bonifico", "10");
    int aperture = 0;
    auto conta = [&](OperationEntry&) {
        ++aperture;
        return DialogResult::Cancel;
    };
    dm.MainTable.first();
    EXPECT_FALSE(entry.DBGrid1KeyDown(true, {true, true, false, false}, conta));   // Ctrl+Shift+Del
    EXPECT_FALSE(entry.DBGrid1KeyDown(true, {false, false, true, false}, conta));  // Alt+Del
    EXPECT_FALSE(entry.DBGrid1KeyDown(true, {false, true, false, true}, conta));   // with a mouse button
    EXPECT_FALSE(entry.DBGrid1KeyDown(true, {}, conta));                           // Del alone
    EXPECT_FALSE(entry.DBGrid1KeyDown(false, {false, true, false, false}, conta)); // another key
    EXPECT_EQ(aperture, 0);
    EXPECT_TRUE(entry.DBGrid1KeyDown(true, {false, true, false, false}, conta));
    EXPECT_EQ(aperture, 1);
}

TEST_F(Commands, NothingOpensOnAnEmptyView) {
    int aperture = 0;
    auto conta = [&](OperationEntry&) {
        ++aperture;
        return DialogResult::Ok;
    };
    EXPECT_EQ(entry.SpeedModificaClick(conta), DialogResult::Cancel);
    EXPECT_EQ(entry.SpeedEliminaClick(conta), DialogResult::Cancel);
    EXPECT_EQ(aperture, 0);
    EXPECT_TRUE(ui.messages().empty());
}

TEST_F(Commands, WithoutAnOpenerTheScreensDialogIsShownAndConfirmed) {
    // Nobody to fill the dialog in: it is cancelled.
    EXPECT_EQ(entry.TDepositiClick(), DialogResult::Cancel);
    EXPECT_TRUE(righe().empty());

    int mostrate = 0;
    ui.dialogo = [&](OperationEntry& e) {
        ++mostrate;
        e.Scheda().EditImporto = "7";
        return mostrate == 1 ? DialogResult::Retry : DialogResult::Ok;
    };
    EXPECT_EQ(entry.TContanteClick(), DialogResult::Ok);
    EXPECT_EQ(mostrate, 2);
    auto tutte = righe();
    ASSERT_EQ(tutte.size(), 2u);
    EXPECT_EQ(tutte[0].operazione, "FuoriConto");
    EXPECT_EQ(tutte[0].tipo, "Entrate");
    EXPECT_EQ(ledger.Totali().EntrateFC.Importo, eur("14"));
    EXPECT_FALSE(ui.view().ledgerGridSuspended);
}

} // namespace
} // namespace valmora::testing
