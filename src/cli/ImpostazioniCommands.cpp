// "Im&postazioni...": `impostazioni` opens the settings dialog and the lines up to `ok` or `annulla` act inside it
// (fields of the first tab, capitalisation, the rates list and the programmed-operations list). Without an open
// account the menu item is disabled: the block's lines are then read and do nothing.

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "cli/ScriptError.h"
#include "settings/FormImpostazioni.h"

#include <memory>
#include <string>

namespace valmora::cli {

namespace {

// The dialog of one `impostazioni` block. `attivo` is false without an account, and becomes false when a refused
// field cancelled the dialog: the remaining lines of the block then do nothing.
struct Blocco {
    FormImpostazioni* form = nullptr; // the main window's own dialog
    bool attivo = false;
};

using Azione = std::function<void(const CommandCall&, CliContext&, FormImpostazioni&)>;

// A block command: its word count is checked always, its action runs only while the dialog is there.
CommandHandler nelBlocco(const std::shared_ptr<Blocco>& blocco, std::size_t minimo, std::size_t massimo,
                         Azione azione) {
    return [blocco, minimo, massimo, azione](const CommandCall& call, CliContext& context) {
        call.requireArgs(minimo, massimo);
        if (blocco->attivo) {
            azione(call, context, *blocco->form);
        }
    };
}

// The list's row named by the line's first word becomes the current one, as a click on it does.
void vaiAllaRiga(const CommandCall& call, dbase::Table& table) {
    const std::string& word = call.args[0];
    int riga = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || riga > 100000000) {
            throw ScriptError("la riga \"" + word + "\" non è un numero");
        }
        riga = riga * 10 + (c - '0');
    }
    if (word.empty() || riga < 1 || riga > table.recordCount()) {
        throw ScriptError("la riga " + word + " non è nella griglia");
    }
    table.moveTo(riga);
}

// The operation dialog of the programmed-operations tab, filled from words OPERAZIONE TIPO IMPORTO DESCRIZIONE
// FREQUENZA INIZIO GIORNO starting at `primo`; each field's check runs as the focus leaves it, and a refused field
// cancels the dialog.
OperationEntry::MostraScheda schedaProgrammata(const CommandCall& call, std::size_t primo) {
    return [&call, primo](OperationEntry& entry) {
        SchedaOperazione& scheda = entry.Scheda();
        if (!entry.EditImportoExit()) {
            return DialogResult::Cancel;
        }
        if (scheda.ComboOp != call.args[primo]) {
            scheda.ComboOp = call.args[primo];
            entry.ComboOpChange();
        }
        if (!entry.ComboOpExit()) {
            return DialogResult::Cancel;
        }
        scheda.ComboBoxTipo = call.args[primo + 1];
        if (!entry.ComboBoxTipoExit()) {
            return DialogResult::Cancel;
        }
        scheda.EditImporto = call.args[primo + 2];
        if (!entry.EditImportoExit()) {
            return DialogResult::Cancel;
        }
        scheda.EditDescrizione = call.args[primo + 3];
        scheda.CBFrequenza = call.args[primo + 4];
        scheda.CBMeseInizio = call.args[primo + 5];
        scheda.CBGiorno = call.args[primo + 6];
        return DialogResult::Ok;
    };
}

// The rate dialog filled from words DATA CREDITORE DEBITORE RITENUTA TASSO_SOGLIA IMPORTO_SOGLIA from `primo`.
FormImpostazioni::MostraTassi schedaTasso(const CommandCall& call, std::size_t primo) {
    return [&call, primo](FormTassi& tassi) {
        tassi.EData = call.args[primo];
        tassi.ECreditore = call.args[primo + 1];
        tassi.EDebitore = call.args[primo + 2];
        tassi.ERitenuta = call.args[primo + 3];
        tassi.ETassoSoglia = call.args[primo + 4];
        tassi.EImportoSoglia = call.args[primo + 5];
        return DialogResult::Ok;
    };
}

void campo(const CommandCall& call, CliContext&, FormImpostazioni& form, Blocco& blocco) {
    const std::string& nome = call.args[0];
    if (FormImpostazioni::Campo(nome) == nullptr) {
        throw ScriptError("il campo \"" + nome + "\" non è tra le Condizioni Generali");
    }
    form.DBEdit1Change();
    if (!form.DigitaCampo(nome, call.args[1])) {
        form.CancelBtnClick();
        blocco.attivo = false;
        return;
    }
    form.CampoLasciato(nome);
}

void capitalizzazione(const CommandCall& call, CliContext&, FormImpostazioni& form) {
    const std::string& quale = call.args[0];
    const std::string& voce = call.args[1];
    bool accettata = false;
    if (quale == "CREDITORE") {
        accettata = form.DBComboBox1Change(voce);
    } else if (quale == "DEBITORE") {
        accettata = form.DBComboBox2Change(voce);
    } else {
        throw ScriptError("capitalizzazione \"" + quale + "\": CREDITORE o DEBITORE");
    }
    if (!accettata) {
        throw ScriptError("\"" + voce +
                          "\" non è una voce dell'elenco: MENSILE, TRIMESTRALE, SEMESTRALE, ANNUALE, "
                          "NESSUNA");
    }
}

void tassi(const CommandCall&, CliContext& context, FormImpostazioni& form) {
    for (const RigaTassoMostrata& r : form.RigheTassi()) {
        context.print(r.data + ";" + r.creditore + ";" + r.debitore + ";" + r.ritenuta + ";" + r.importoSoglia + ";" +
                      r.tassoSoglia);
    }
}

void programmate(const CommandCall&, CliContext& context, FormImpostazioni& form) {
    for (const RigaProgrammataMostrata& r : form.RigheProgrammate()) {
        context.print(r.descrizione + ";" + r.importo + ";" + r.operazione + ";" + r.tipo + ";" + r.frequenza + ";" +
                      r.inizio + ";" + r.giorno);
    }
}

void impostazioni(const CommandCall& call, CliContext& context) {
    call.requireArgs(0);
    FormMaster& master = context.master;
    auto blocco = std::make_shared<Blocco>();
    blocco->form = &master.Impostazioni();
    blocco->attivo = master.ContoAperto();
    if (blocco->attivo) {
        blocco->form->Prepara(master.Stato().NomeFileConto);
        blocco->form->FormShow();
    }

    CommandRegistry comandi;
    Blocco& b = *blocco;
    comandi.add("campo", nelBlocco(blocco, 2, 2, [&b](const CommandCall& c, CliContext& ctx, FormImpostazioni& f) {
                    campo(c, ctx, f, b);
                }));
    comandi.add("capitalizzazione", nelBlocco(blocco, 2, 2, capitalizzazione));
    comandi.add("tasso-nuovo", nelBlocco(blocco, 6, 6, [](const CommandCall& c, CliContext&, FormImpostazioni& f) {
                    f.BtnNuovoTassoClick(schedaTasso(c, 0));
                }));
    comandi.add("tasso-modifica",
                nelBlocco(blocco, 7, 7, [](const CommandCall& c, CliContext& ctx, FormImpostazioni& f) {
                    vaiAllaRiga(c, ctx.master.DM().TableTassi);
                    f.BtnModificaTassoClick(schedaTasso(c, 1));
                }));
    comandi.add("tasso-elimina",
                nelBlocco(blocco, 1, 1, [](const CommandCall& c, CliContext& ctx, FormImpostazioni& f) {
                    vaiAllaRiga(c, ctx.master.DM().TableTassi);
                    f.BtnEliminaTassoClick();
                }));
    comandi.add("programmata-nuova",
                nelBlocco(blocco, 7, 7, [](const CommandCall& c, CliContext&, FormImpostazioni& f) {
                    f.BTNuovoAccClick(schedaProgrammata(c, 0));
                }));
    comandi.add("programmata-modifica",
                nelBlocco(blocco, 8, 8, [](const CommandCall& c, CliContext& ctx, FormImpostazioni& f) {
                    vaiAllaRiga(c, ctx.master.DM().TableAcc);
                    f.BTModificaAccClick(schedaProgrammata(c, 1));
                }));
    comandi.add("programmata-elimina",
                nelBlocco(blocco, 1, 1, [](const CommandCall& c, CliContext& ctx, FormImpostazioni& f) {
                    vaiAllaRiga(c, ctx.master.DM().TableAcc);
                    f.BTEliminaAccClick();
                }));
    comandi.add("rielabora", nelBlocco(blocco, 0, 0, [](const CommandCall&, CliContext&, FormImpostazioni& f) {
                    f.BtnRielaboraClick();
                }));
    comandi.add("tassi", nelBlocco(blocco, 0, 0, tassi));
    comandi.add("programmate", nelBlocco(blocco, 0, 0, programmate));
    comandi.add("ok", [blocco](const CommandCall& c, CliContext& ctx) {
        c.requireArgs(0);
        // Closed first: an engine failure in the confirmation still ends the dialog, as the window's does.
        std::shared_ptr<Blocco> tenuto = blocco;
        ctx.closeDialog();
        if (tenuto->attivo) {
            tenuto->form->OKBtnClick();
        }
    });
    comandi.add("annulla", [blocco](const CommandCall& c, CliContext& ctx) {
        c.requireArgs(0);
        std::shared_ptr<Blocco> tenuto = blocco;
        ctx.closeDialog();
        if (tenuto->attivo) {
            tenuto->form->CancelBtnClick();
        }
    });
    // The questions asked inside the dialog (a deletion, "&Rielabora", its proposals) take queued answers.
    CommandRegistry sessione;
    registerSessionCommands(sessione);
    comandi.add("rispondi", *sessione.find("rispondi"));
    context.openDialog("impostazioni", std::move(comandi));
}

} // namespace

void registerImpostazioniCommands(CommandRegistry& registry) {
    registry.add("impostazioni", impostazioni);
}

} // namespace valmora::cli
