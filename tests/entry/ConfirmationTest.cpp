// The operation dialog's confirmation in each of its modes.

#include "EntryFixture.h"

#include <fstream>

namespace valmora::testing {
namespace {

class Confirmation : public EntryTest {
protected:
    void SetUp() override {
        impostazione(schema::kMaxScope, eur("0"));
        movimento(d(2005, 1, 3), "Accredito", "Bonifico", "1000");
        movimento(d(2005, 1, 4), "Notifica", "Variazione", "0");
        scansione();
        state.ModificheDaSalvare = false; // as after opening and saving
    }
    // Moves the movements table onto the movement valued on `valuta`.
    void seleziona(Date valuta) {
        auto& t = dm.MainTable;
        for (t.first(); !t.eof(); t.next()) {
            if (t.fieldByName(schema::kValuta).asDate() == valuta) {
                return;
            }
        }
        FAIL() << "no movement valued " << valuta.toString();
    }
};

TEST_F(Confirmation, InsertWritesTheTypedMovementAndMarksTheAccountChanged) {
    ASSERT_FALSE(state.ModificheDaSalvare);
    EXPECT_EQ(inserisci(TipoInserimento::Addebito, d(2005, 2, 10), "12,5", "Gas", "bolletta"), DialogResult::Ok);
    EXPECT_EQ(righe().back(), (Movement{d(2005, 2, 10), d(2005, 2, 10), "Addebito", "Gas", eur("12,5"), "bolletta"}));
    EXPECT_TRUE(state.ModificheDaSalvare);
    EXPECT_EQ(ui.view().notices.modifiche, "Modifiche da Salvare!");
    EXPECT_EQ(ledger.Totali().Saldo, eur("987,5"));
    EXPECT_EQ(state.DataUltimaValuta, d(2005, 2, 10));
    EXPECT_FALSE(ui.view().ledgerGridSuspended);
}

TEST_F(Confirmation, SecondButtonInsertsAndReopensWithTheDefaults) {
    std::vector<SchedaOperazione> mostrate;
    auto esito = entry.ComandoInserimento(TipoInserimento::Accredito, [&](OperationEntry& e) {
        mostrate.push_back(e.Scheda());
        if (mostrate.size() == 1) {
            e.Scheda().EditImporto = "50";
            e.Scheda().ComboBoxTipo = "Contante";
            e.Scheda().Calendario = d(2005, 2, 1);
            return DialogResult::Retry;
        }
        e.Scheda().EditImporto = "70";
        return DialogResult::Ok;
    });
    EXPECT_EQ(esito, DialogResult::Ok);
    ASSERT_EQ(mostrate.size(), 2u);
    EXPECT_EQ(mostrate[1].EditImporto, "0");
    EXPECT_EQ(mostrate[1].ComboBoxTipo, "Bonifico");
    EXPECT_EQ(mostrate[1].Calendario, clock.today());
    auto tutte = righe();
    ASSERT_EQ(tutte.size(), 4u);
    EXPECT_EQ(tutte[2].importo, eur("50"));
    EXPECT_EQ(tutte[3].importo, eur("70"));
    EXPECT_EQ(tutte[3].tipo, "Bonifico");
}

TEST_F(Confirmation, ScheduleTickedStoresTheEnteredAmountNotTheCharge) {
    impostazione(schema::kBStesso, eur("1,5"));
    entry.ComandoInserimento(TipoInserimento::Prelievo, utente([](SchedaOperazione& s) {
                                 s.EditImporto = "20";
                                 s.EditDescrizione = "spesa";
                                 s.Calendario = d(2005, 2, 1);
                                 s.CBInsAuto = true;
                                 s.CBFrequenza = "Bimestrale";
                                 s.CBMeseInizio = "Marzo";
                                 s.CBGiorno = "40"; // any number may be typed
                             }));
    ASSERT_EQ(programmate().size(), 1u);
    EXPECT_EQ(programmate()[0],
              (ProgrammedOperation{"spesa", eur("20"), "Prelievo", "S. Bancomat", "Bimestrale", "Marzo", eur("40")}));
}

TEST_F(Confirmation, NumberThatDoesNotConvertStopsBeforeAnythingIsWritten) {
    auto esito = entry.ComandoInserimento(TipoInserimento::Accredito, utente([](SchedaOperazione& s) {
                                              s.EditImporto = "10";
                                              s.CBInsAuto = true;
                                              s.CBGiorno = "primo";
                                          }));
    EXPECT_EQ(esito, DialogResult::Ok);
    EXPECT_EQ(messaggi(), std::vector<std::string>{"'primo' is not a valid floating point value"});
    EXPECT_EQ(righe().size(), 2u);
    EXPECT_TRUE(programmate().empty());
    EXPECT_FALSE(state.ModificheDaSalvare);

    // Enter pressed with an amount that was never checked.
    entry.ComandoInserimento(TipoInserimento::Accredito, utente([](SchedaOperazione& s) { s.EditImporto = "1.200"; }));
    EXPECT_EQ(messaggi().back(), "'1.200' is not a valid floating point value");
    EXPECT_EQ(righe().size(), 2u);
}

TEST_F(Confirmation, TextIsCutToTheFieldOnACharacterBoundary) {
    const int larghezza = dm.MainTable.fieldByName(schema::kCommento).width();
    std::string lunga(static_cast<std::size_t>(larghezza - 1), 'x');
    lunga += "èèèè";
    inserisci(TipoInserimento::Accredito, d(2005, 2, 1), "1", "Bonifico", lunga.c_str());
    EXPECT_EQ(righe().back().commento, std::string(static_cast<std::size_t>(larghezza - 1), 'x') + "è");
}

TEST_F(Confirmation, ModifyReplacesTheMovementAndRegeneratesItsCharges) {
    impostazione(schema::kBAltro, eur("2"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "100", "A. Bancomat");
    ASSERT_EQ(conCommento("Commissione prelievi bancomat altro istituto").size(), 1u);
    seleziona(d(2005, 2, 1));
    ASSERT_EQ(dm.MainTable.fieldByName(schema::kOperazione).asString(), "Prelievo");

    auto esito = entry.SpeedModificaClick(utente([](SchedaOperazione& s) {
        s.ComboBoxTipo = "Sportello";
        s.EditImporto = "80"; // the value date left as shown: derived again from the type and the date
    }));
    EXPECT_EQ(esito, DialogResult::Ok);
    EXPECT_TRUE(conCommento("Commissione prelievi bancomat altro istituto").empty());
    auto tutte = righe();
    ASSERT_EQ(tutte.size(), 3u);
    EXPECT_EQ(tutte[2], (Movement{d(2005, 2, 1), d(2005, 2, 1), "Prelievo", "Sportello", eur("80"), ""}));
    EXPECT_EQ(ledger.Totali().Saldo, eur("920"));
}

TEST_F(Confirmation, RefusedChangeKeepsTheFormerMovementButStillStoresTheSchedule) {
    impostazione(schema::kBAltro, eur("2"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "100", "A. Bancomat");
    const auto prima = righe();
    seleziona(d(2005, 2, 1));
    auto esito = entry.SpeedModificaClick(utente([](SchedaOperazione& s) {
        s.EditImporto = "5000"; // beyond the ceiling
        s.CBInsAuto = true;
        s.CBFrequenza = "Mensile";
        s.CBMeseInizio = "Gennaio";
    }));
    EXPECT_EQ(esito, DialogResult::Ok); // closes; no second showing
    EXPECT_EQ(messaggi(), std::vector<std::string>{
                              "Operazione non consentita:\rIl prelievo supera la soglia di scopertura massima!"});
    EXPECT_EQ(righe(), prima);
    EXPECT_EQ(ledger.Totali().Saldo, eur("898"));
    ASSERT_EQ(programmate().size(), 1u);
    EXPECT_EQ(programmate()[0].importo, eur("5000"));
}

TEST_F(Confirmation, DeleteRemovesTheMovementAndItsCharges) {
    impostazione(schema::kBAltro, eur("2"));
    inserisci(TipoInserimento::Prelievo, d(2005, 2, 1), "100", "A. Bancomat");
    seleziona(d(2005, 2, 1));
    ASSERT_EQ(dm.MainTable.fieldByName(schema::kCommento).asString(), "");
    std::vector<SchedaOperazione> mostrate;
    auto esito = entry.SpeedEliminaClick([&](OperationEntry& e) {
        mostrate.push_back(e.Scheda());
        return DialogResult::Ok;
    });
    EXPECT_EQ(esito, DialogResult::Ok);
    ASSERT_EQ(mostrate.size(), 1u);
    EXPECT_FALSE(mostrate[0].campiAbilitati);
    EXPECT_EQ(mostrate[0].EditImporto, "100");
    EXPECT_EQ(mostrate[0].EditValuta, "01/02/2005");
    EXPECT_EQ(mostrate[0].ComboOp, "Prelievo");
    EXPECT_EQ(mostrate[0].ComboBoxTipo, "A. Bancomat");
    EXPECT_TRUE(entry.Scheda().campiAbilitati);
    EXPECT_EQ(righe().size(), 2u);
    EXPECT_EQ(ledger.Totali().Saldo, eur("1000"));

    // "&Annulla" deletes nothing.
    seleziona(d(2005, 1, 3));
    entry.SpeedEliminaClick(utente([](SchedaOperazione&) {}, DialogResult::Cancel));
    EXPECT_EQ(righe().size(), 2u);
}

TEST_F(Confirmation, ProgrammedOperationModesWriteTheProgrammedTableOnly) {
    entry.ValoriSchedaOpe({"Operazione Automatica", "Addebito", "Luce", "enel", "Bimestrale", "Febbraio", "", eur("45"),
                           eur("0"), clock.today(), false});
    entry.FormActivate();
    EXPECT_TRUE(entry.Scheda().CBInsAuto);
    EXPECT_EQ(entry.BitBtnConfermaClick(DialogResult::Ok), DialogResult::Ok);
    ASSERT_EQ(programmate().size(), 1u);
    EXPECT_EQ(righe().size(), 2u);

    dm.TableAcc.first();
    entry.ValoriSchedaOpe({"Modifica Operazione Automatica", "Addebito", "Gas", "gas", "Mensile", "Marzo", "",
                           eur("30"), eur("15"), clock.today(), false});
    entry.BitBtnConfermaClick(DialogResult::Ok);
    ASSERT_EQ(programmate().size(), 1u);
    EXPECT_EQ(programmate()[0],
              (ProgrammedOperation{"gas", eur("30"), "Addebito", "Gas", "Mensile", "Marzo", eur("15")}));
}

TEST_F(Confirmation, AnyOtherHeadingChangesNoTableButMarksTheAccount) {
    // A due programmed operation of "Interessi" or "Notifica" opens under that heading.
    entry.InserisciMovimento({"Notifica", "Notifica", "Variazione", "x", "Mensile", "Giugno", "&Nuova Operazione",
                              eur("10"), eur("0"), clock.today(), false},
                             utente([](SchedaOperazione& s) { s.CBInsAuto = true; }));
    EXPECT_EQ(righe().size(), 2u);
    EXPECT_TRUE(programmate().empty());
    EXPECT_TRUE(state.ModificheDaSalvare);
}

TEST_F(Confirmation, ChangingTheOperationToInterestMakesItSystemWritten) {
    // Valued after the last period end, so the change is added without a regeneration.
    inserisci(TipoInserimento::Accredito, d(2005, 6, 20), "10", "Contante");
    seleziona(d(2005, 6, 20));
    entry.SpeedModificaClick(utente([](SchedaOperazione& s) {
        s.ComboOp = "Interessi";
        s.ComboBoxTipo = "Creditore";
    }));
    seleziona(d(2005, 6, 20));
    EXPECT_EQ(entry.SpeedModificaClick(utente([](SchedaOperazione&) {})), DialogResult::Cancel);
    EXPECT_EQ(ui.messages().back().text.substr(0, 40), "Questa operazione è stata inserita in a");
    // The next regeneration deletes it.
    scansione();
    EXPECT_EQ(righe().size(), 2u);
}

TEST_F(Confirmation, TableErrorStopsTheConfirmationAndTheGridFollowsTheTableAgain) {
    // The programmed-operations table is gone: appending the schedule fails after the movement was written, and
    // the failed command takes the movement back with it.
    dm.TableAcc.close();
    EXPECT_THROW(entry.ComandoInserimento(TipoInserimento::Accredito, utente([](SchedaOperazione& s) {
                                              s.EditImporto = "10";
                                              s.Calendario = d(2005, 2, 1);
                                              s.CBInsAuto = true;
                                          })),
                 dbase::TableError);
    EXPECT_FALSE(ui.view().ledgerGridSuspended);
    EXPECT_FALSE(dm.MainTable.controlsDisabled());
    EXPECT_EQ(righe().size(), 2u);
}

} // namespace
} // namespace valmora::testing
