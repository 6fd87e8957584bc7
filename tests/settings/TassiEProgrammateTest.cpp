// The rates tab (the rate dialog and each rate's notification in the ledger) and the programmed-operations tab
// (the operation dialog's two programmed modes, deletion and "&Rielabora") over a real account.

#include "ContoFixture.h"

#include "model/ProgrammedOperation.h"

namespace valmora::testing {
namespace {

class TassiTest : public ContoTest {
protected:
    void SetUp() override {
        ContoTest::SetUp();
        nuovo("Conto.dbf");
        form.Prepara(state.NomeFileConto);
        form.FormShow();
        ui.clearTranscript();
    }
    void TearDown() override { form.CancelBtnClick(); }

    FormImpostazioni::MostraTassi compila(std::vector<std::string> testi, DialogResult esito = DialogResult::Ok) {
        return [testi, esito](FormTassi& t) {
            t.EData = testi[0];
            t.ECreditore = testi[1];
            t.EDebitore = testi[2];
            t.ERitenuta = testi[3];
            t.ETassoSoglia = testi[4];
            t.EImportoSoglia = testi[5];
            return esito;
        };
    }
    // The rate rows in date order as "data cre deb rit soglia importo".
    std::vector<std::string> tassi() {
        std::vector<std::string> out;
        for (const RigaTassoMostrata& r : form.RigheTassi()) {
            out.push_back(r.data + " " + r.creditore + " " + r.debitore + " " + r.ritenuta + " " + r.tassoSoglia + " " +
                          r.importoSoglia);
        }
        return out;
    }
    // The notifications in the ledger as "data valuta commento".
    std::vector<std::string> notifiche() {
        std::vector<std::string> out;
        dbase::Table t;
        t.bind(dir.folder(), "Conto.dbf");
        t.open();
        t.setIndexName("Valuta");
        for (t.first(); !t.eof(); t.next()) {
            if (t.fieldByName("OPERAZIONE").asString() == "Notifica") {
                out.push_back(t.fieldByName("DATA").asDate().toString() + " " +
                              t.fieldByName("VALUTA").asDate().toString() + " " + t.fieldByName("TIPO").asString() +
                              " " + t.fieldByName("IMPORTO").asMoney().plain() + " " +
                              t.fieldByName("COMMENTO").asString());
            }
        }
        return out;
    }
    void vaiAlTasso(int riga) { dm.TableTassi.moveTo(riga); }
};

TEST_F(TassiTest, NewRateStartsFromTheDefaultsAndAddsItsNotification) {
    std::vector<std::string> mostrati;
    form.BtnNuovoTassoClick([&](FormTassi& t) {
        mostrati = {t.Caption, t.EData, t.ECreditore, t.EDebitore, t.ERitenuta, t.ETassoSoglia, t.EImportoSoglia};
        EXPECT_EQ(t.focus, CampoTassi::EData);
        t.EData = "01/04/2026";
        return DialogResult::Ok;
    });
    EXPECT_EQ(mostrati, (std::vector<std::string>{"Nuovo Tasso", "20/03/2026", "1,5", "13", "27", "0", "0"}));
    EXPECT_EQ(tassi(), (std::vector<std::string>{"20/03/2026 2,00% 10,00% 27,00% 0,00% 0,00 €",
                                                 "01/04/2026 1,50% 13,00% 27,00% 0,00% 0,00 €"}));
    EXPECT_EQ(notifiche(), std::vector<std::string>{"01/04/2026 01/04/2026 Variazione 0 Variazione Tassi d'interesse"});
    EXPECT_TRUE(form.TassiModificati);
    EXPECT_FALSE(state.ModificheDaSalvare);

    // Cancelled: nothing more.
    form.BtnNuovoTassoClick(compila({"01/05/2026", "1", "1", "1", "0", "0"}, DialogResult::Cancel));
    EXPECT_EQ(tassi().size(), 2u);
    EXPECT_EQ(notifiche().size(), 1u);
}

TEST_F(TassiTest, ChangingTheDateMovesTheNotificationFoundIgnoringCaseEvenBehindTheFilter) {
    form.BtnNuovoTassoClick(compila({"01/04/2026", "1,5", "13", "27", "0", "0"}));
    // The user retyped the description in capitals, and the filter hides the notification.
    dm.MainTable.first();
    dm.MainTable.edit();
    dm.MainTable.fieldByName("COMMENTO").setString("VARIAZIONE TASSI D'INTERESSE");
    dm.MainTable.post();
    dm.MainTable.setFilter("Operazione ='Accredito'");
    dm.MainTable.setFiltered(true);

    form.TassiModificati = false;
    vaiAlTasso(2);
    std::vector<std::string> mostrati;
    form.BtnModificaTassoClick([&](FormTassi& t) {
        mostrati = {t.Caption, t.EData, t.ECreditore, t.EDebitore, t.ERitenuta, t.ETassoSoglia, t.EImportoSoglia};
        t.EData = "15/04/2026";
        t.EImportoSoglia = "1000,5";
        return DialogResult::Ok;
    });
    EXPECT_EQ(mostrati, (std::vector<std::string>{"Modifica Tasso", "01/04/2026", "1,5", "13", "27", "0", "0"}));
    EXPECT_EQ(notifiche(), std::vector<std::string>{"15/04/2026 15/04/2026 Variazione 0 VARIAZIONE TASSI D'INTERESSE"});
    EXPECT_EQ(tassi()[1], "15/04/2026 1,50% 13,00% 27,00% 0,00% 1.000,50 €");
    EXPECT_TRUE(form.TassiModificati);
    EXPECT_TRUE(dm.MainTable.filtered());

    // Only a rate changed: the notification stays; a description changed to another text is not found.
    dm.MainTable.setFiltered(false);
    vaiAlTasso(2);
    form.BtnModificaTassoClick(compila({"15/04/2026", "2", "13", "27", "0", "0"}));
    EXPECT_EQ(notifiche(), std::vector<std::string>{"15/04/2026 15/04/2026 Variazione 0 VARIAZIONE TASSI D'INTERESSE"});
    dm.MainTable.first();
    dm.MainTable.edit();
    dm.MainTable.fieldByName("COMMENTO").setString("Variazione tassi");
    dm.MainTable.post();
    vaiAlTasso(2);
    form.BtnModificaTassoClick(compila({"16/04/2026", "2", "13", "27", "0", "0"}));
    EXPECT_EQ(notifiche(), std::vector<std::string>{"15/04/2026 15/04/2026 Variazione 0 Variazione tassi"});
    EXPECT_EQ(tassi()[1].substr(0, 10), "16/04/2026");
}

TEST_F(TassiTest, TwoRatesOnOneDateShareTheFirstNotificationInLedgerOrder) {
    form.BtnNuovoTassoClick(compila({"01/04/2026", "1", "13", "27", "0", "0"}));
    form.BtnNuovoTassoClick(compila({"01/04/2026", "2", "13", "27", "0", "0"}));
    dm.MainTable.last();
    dm.MainTable.edit();
    dm.MainTable.fieldByName("COMMENTO").setString("variazione tassi d'interesse"); // the second one
    dm.MainTable.post();
    vaiAlTasso(3);
    form.BtnModificaTassoClick(compila({"02/04/2026", "2", "13", "27", "0", "0"}));
    EXPECT_EQ(notifiche(), (std::vector<std::string>{
                               "01/04/2026 01/04/2026 Variazione 0 variazione tassi d'interesse",
                               "02/04/2026 02/04/2026 Variazione 0 Variazione Tassi d'interesse",
                           }));
}

TEST_F(TassiTest, ConversionFailuresWriteNothing) {
    form.BtnNuovoTassoClick(compila({"31/02/2026", "1", "1", "1", "0", "0"}));
    form.BtnNuovoTassoClick(compila({"01/05/2026", "1.5", "1", "1", "0", "0"}));
    form.BtnNuovoTassoClick(compila({"01/05/2026", "1", "1", "1", "0", "10 €"}));
    EXPECT_EQ(messaggi(),
              (std::vector<std::string>{"'31/02/2026' is not a valid date", "'1.5' is not a valid floating point value",
                                        "'10 €' is not a valid floating point value"}));
    EXPECT_EQ(tassi().size(), 1u);
    EXPECT_TRUE(notifiche().empty());
    EXPECT_FALSE(form.TassiModificati);
}

TEST_F(TassiTest, DeletingTakesTheNotificationAlongAndMarksTheAccount) {
    form.BtnNuovoTassoClick(compila({"01/04/2026", "1", "13", "27", "0", "0"}));
    form.TassiModificati = false;
    vaiAlTasso(2);
    ui.queueAnswers({"no"});
    form.BtnEliminaTassoClick();
    EXPECT_EQ(tassi().size(), 2u);
    EXPECT_EQ(notifiche().size(), 1u);
    EXPECT_FALSE(form.TassiModificati);
    EXPECT_FALSE(state.ModificheDaSalvare);

    vaiAlTasso(2);
    ui.queueAnswers({"si"});
    form.BtnEliminaTassoClick();
    EXPECT_EQ(tassi(), std::vector<std::string>{"20/03/2026 2,00% 10,00% 27,00% 0,00% 0,00 €"});
    EXPECT_TRUE(notifiche().empty());
    EXPECT_TRUE(form.TassiModificati);
    EXPECT_TRUE(state.ModificheDaSalvare);
    // Written at once: the settings dialog's Annulla does not bring it back.
    form.CancelBtnClick();
    EXPECT_EQ(tassi().size(), 1u);
}

class ProgrammateTest : public ContoTest {
protected:
    void SetUp() override {
        ContoTest::SetUp();
        nuovo("Conto.dbf");
        ui.clearTranscript();
    }
    std::vector<std::string> programmate() {
        std::vector<std::string> out;
        for (const RigaProgrammataMostrata& r : form.RigheProgrammate()) {
            out.push_back(r.descrizione + ";" + r.importo + ";" + r.operazione + ";" + r.tipo + ";" + r.frequenza +
                          ";" + r.inizio + ";" + r.giorno);
        }
        return out;
    }
};

TEST_F(ProgrammateTest, NewAndChangeGoThroughTheOperationDialogsProgrammedModes) {
    SchedaOperazione vista;
    form.BTNuovoAccClick([&](OperationEntry& e) {
        vista = e.Scheda();
        e.Scheda().ComboOp = "Addebito";
        e.ComboOpChange();
        e.Scheda().ComboBoxTipo = "Luce";
        e.Scheda().EditImporto = "12,5";
        e.Scheda().EditDescrizione = "Bolletta";
        e.Scheda().CBFrequenza = "Bimestrale";
        e.Scheda().CBMeseInizio = "Febbraio";
        e.Scheda().CBGiorno = "27";
        return DialogResult::Ok;
    });
    EXPECT_EQ(vista.LabelPanel, "Operazione Automatica");
    EXPECT_EQ(vista.ComboOp, "Accredito");
    EXPECT_EQ(vista.ComboBoxTipo, "Bonifico");
    EXPECT_EQ(vista.CBFrequenza, "Mensile");
    EXPECT_EQ(vista.CBMeseInizio, "Marzo");
    EXPECT_EQ(vista.EditImporto, "0");
    EXPECT_EQ(vista.CBGiorno, "0");
    EXPECT_EQ(vista.EditDescrizione, "");
    EXPECT_EQ(vista.ComboOpVoci.size(), 7u);
    EXPECT_TRUE(vista.ComboOpVisibile);
    EXPECT_FALSE(vista.EditValutaVisibile);
    EXPECT_FALSE(vista.BitBtnNuovaOpVisibile);
    EXPECT_EQ(vista.BitBtnNuovaOpCaption, "&Nuovo Accredito");
    EXPECT_EQ(vista.posizioneTipo, PostoTipo::AccantoOperazione);
    EXPECT_TRUE(vista.CBInsAuto);
    EXPECT_TRUE(state.ModificheDaSalvare);
    ASSERT_EQ(programmate().size(), 5u);
    EXPECT_EQ(programmate()[1], "Bolletta;12,50 €;Addebito;Luce;Bimestrale;Febbraio;27");

    // "&Modifica" on that row shows 12,5 and 27 and rewrites the same row.
    dm.TableAcc.moveTo(2);
    form.BTModificaAccClick([&](OperationEntry& e) {
        vista = e.Scheda();
        e.Scheda().EditImporto = "14";
        return DialogResult::Ok;
    });
    EXPECT_EQ(vista.LabelPanel, "Modifica Operazione Automatica");
    EXPECT_EQ(vista.EditImporto, "12,5");
    EXPECT_EQ(vista.CBGiorno, "27");
    EXPECT_EQ(vista.ComboBoxTipo, "Luce");
    ASSERT_EQ(programmate().size(), 5u);
    EXPECT_EQ(programmate()[1], "Bolletta;14,00 €;Addebito;Luce;Bimestrale;Febbraio;27");

    // Cancelled: nothing written.
    form.BTNuovoAccClick([](OperationEntry&) { return DialogResult::Cancel; });
    EXPECT_EQ(programmate().size(), 5u);
}

TEST_F(ProgrammateTest, DeletingAsksAndLeavesTheAccountUnmarked) {
    dm.TableAcc.moveTo(1);
    ui.queueAnswers({"no"});
    form.BTEliminaAccClick();
    EXPECT_EQ(programmate().size(), 4u);
    dm.TableAcc.moveTo(1);
    ui.queueAnswers({"si"});
    form.BTEliminaAccClick();
    EXPECT_EQ(programmate().size(), 3u);
    EXPECT_EQ(programmate()[0].substr(0, 15), "Imposta Statale");
    EXPECT_FALSE(state.ModificheDaSalvare);
    EXPECT_EQ(messaggi(), std::vector<std::string>(2, "Cancellare i valori correnti"));
}

TEST_F(ProgrammateTest, RielaboraProposesMonthByMonthAndTwiceDoublesTheMovements) {
    inserisci(TipoInserimento::Accredito, d(2026, 1, 5), "100", "Contante");
    ASSERT_EQ(state.MesePrimaValuta, 1);
    ASSERT_EQ(state.MeseCorrente, 3);

    ui.queueAnswers({"no"});
    form.BtnRielaboraClick();
    EXPECT_TRUE(ui.proposte.empty());

    ui.queueAnswers({"ok", "conferma", "conferma", "conferma", "conferma"});
    form.BtnRielaboraClick();
    std::vector<std::string> date;
    for (const OperationProposal& p : ui.proposte) {
        date.push_back(p.data.toString() + " " + p.descrizione);
    }
    // January, February and March in order; within a month "Accredito" before "Imposta".
    EXPECT_EQ(date, (std::vector<std::string>{"27/01/2026 Stipendio", "31/01/2026 Imposta Statale",
                                              "27/02/2026 Stipendio", "28/02/2026 Imposta Statale"}));
    const std::size_t dopoPrima = movimenti(dir.folder(), "Conto.dbf").size();

    ui.queueAnswers({"ok", "conferma", "conferma", "conferma", "conferma"});
    form.BtnRielaboraClick();
    const auto tutti = movimenti(dir.folder(), "Conto.dbf");
    EXPECT_EQ(tutti.size(), dopoPrima + 4);
    EXPECT_EQ(std::count_if(tutti.begin(), tutti.end(),
                            [](const std::string& r) { return r.find("COMMENTO=Stipendio") != std::string::npos; }),
              4);
    EXPECT_EQ(ui.pendingAnswers(), 0u);
}

} // namespace
} // namespace valmora::testing
