#pragma once
// The settings engine over real account files in a temporary folder, with the real data module, ledger, operation
// dialog engine, programmed-operations run and account commands. The main window is the small stand-in below: it
// does what the account commands rely on (Attiva opens the tables and reads NUM_REC; a due programmed operation
// goes through the operation dialog's engine as the window's would), and records what the window was told.

#include "accounts/AccountCommands.h"
#include "accounts/AccountWindow.h"
#include "accounts/Automatismi.h"
#include "core/TestValues.h"
#include "dbase/TempDir.h"
#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/ScriptedUserInterface.h"
#include "model/ShownTexts.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"
#include "settings/FormImpostazioni.h"
#include "settings/ImportaOld.h"
#include "settings/NuovoAnno.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace valmora::testing {

// Counts the scans (each starts by clearing the balance chart) and the institute label's texts.
class SchermoDiProva : public ScriptedUserInterface {
public:
    int scansioni = 0;
    std::vector<std::string> logo;
    std::vector<OperationProposal> proposte;
    std::vector<FileDialogRequest> salvataggi;

    void chartCleared(LedgerChart chart) override {
        if (chart == LedgerChart::Saldo) {
            ++scansioni;
        }
        ScriptedUserInterface::chartCleared(chart);
    }
    void institutoLabelChanged(const std::string& testo) override { logo.push_back(testo); }
    std::optional<std::string> askSaveFile(const FileDialogRequest& richiesta) override {
        salvataggi.push_back(richiesta);
        return ScriptedUserInterface::askSaveFile(richiesta);
    }
    std::optional<ProposalValues> askProposal(const OperationProposal& proposta) override {
        proposte.push_back(proposta);
        return ScriptedUserInterface::askProposal(proposta);
    }
};

class FinestraDiProva : public AccountWindow {
public:
    FinestraDiProva(TDM& dm, MasterState& state, OperationEntry& entry, UserInterface& ui)
        : dm_(dm), state_(state), entry_(entry), ui_(ui) {}

    bool aperto = false;
    bool nuovoAnnoVisibile = false;
    std::string titolo;
    std::function<void()> offertaNuovoAnno;

    bool ContoAperto() const override { return aperto; }
    void Attiva() override {
        if (!dm_.TableImp.isOpen()) {
            dm_.TableImp.open();
        }
        dm_.TableImp.first();
        if (!dm_.MainTable.isOpen()) {
            dm_.MainTable.open();
        }
        dm_.MainTable.setIndexName(schema::kIndiceValuta);
        dm_.MainTable.setFiltered(false);
        state_.NumMovimenti =
            dm_.TableImp.eof() ? 0 : static_cast<std::int32_t>(dm_.TableImp.fieldByName("NUM_REC").asInteger());
        state_.ModificheDaSalvare = false;
        aperto = true;
    }
    void StatoSenzaConto(bool) override {
        state_.PasswordAccettata = false;
        aperto = false;
        nuovoAnnoVisibile = false;
        titolo = state_.TitoloProgramma;
    }
    void AggiornaTitolo() override { titolo = state_.TitoloProgramma + " - " + state_.NomeFileConto; }
    void ImpostazioniNuovoConto() override {}
    void ProponiNuovoAnno() override {
        if (offertaNuovoAnno) {
            offertaNuovoAnno();
        }
    }
    void MostraNuovoAnno() override { nuovoAnnoVisibile = true; }
    void InserisciProposta(const OperationProposal& proposta) override {
        entry_.InserisciMovimento(OperationEntry::ValoriProposta(proposta), [this, &proposta](OperationEntry& entry) {
            const std::optional<ProposalValues> confermati = ui_.askProposal(proposta);
            if (!confermati) {
                return DialogResult::Cancel;
            }
            entry.Scheda().Calendario = confermati->data;
            return DialogResult::Ok;
        });
    }

private:
    TDM& dm_;
    MasterState& state_;
    OperationEntry& entry_;
    UserInterface& ui_;
};

class ContoTest : public ::testing::Test {
protected:
    TempDir dir;
    SchermoDiProva ui;
    FixedClock clock{d(2026, 3, 20)};
    TDM dm{ui, clock};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};
    FiltroMovimenti filtro{dm, ledger};
    OperationEntry entry{dm, ledger, filtro, ui, clock};
    FinestraDiProva finestra{dm, state, entry, ui};
    Automatismi automatismi{dm, ledger, ui, clock, finestra};
    AccountCommands comandi{dm, ledger, ui, clock, finestra, automatismi};
    NuovoAnno nuovoAnno{dm, ledger, ui, clock, finestra, comandi, automatismi};
    ImportazioneConto importazione{dm, ledger, ui, finestra, comandi, automatismi};
    FormImpostazioni form{dm, ledger, ui, clock, entry, automatismi};

    void SetUp() override { state.CartellaConto = dir.folder(); }

    void nuovo(const std::string& nome) {
        ui.chooseFileInNextDialog(dir.folder() + nome);
        comandi.Nuovo1Click(false);
        ui.forgetCommandChoices();
    }
    void apri(const std::string& cartella, const std::string& nome, std::vector<std::string> risposte = {}) {
        if (!risposte.empty()) {
            ui.queueAnswers(risposte);
        }
        ui.chooseFileInNextDialog(cartella + nome);
        comandi.Apri1Click();
        ui.forgetCommandChoices();
    }
    void chiudi(const std::string& risposta = "si") {
        ui.queueAnswers({risposta});
        comandi.Chiudi1Click(true);
        ui.clearAnswers();
    }
    // The insert command of `tipo` with the dialog filled in and confirmed.
    void inserisci(TipoInserimento tipo, Date data, const std::string& importo, const std::string& tipologia) {
        entry.ComandoInserimento(tipo, [&](OperationEntry& e) {
            e.Scheda().Calendario = data;
            e.Scheda().EditImporto = importo;
            e.Scheda().ComboBoxTipo = tipologia;
            return DialogResult::Ok;
        });
    }

    // The rows of a table file as "FIELD=value;..." read by a fresh table, in the order of `tag` ("" file order).
    static std::vector<std::string> righe(const std::string& cartella, const std::string& nome,
                                          const std::string& tag = "") {
        dbase::Table t;
        t.bind(cartella, nome);
        t.open();
        t.setIndexName(tag);
        std::vector<std::string> rows;
        for (t.first(); !t.eof(); t.next()) {
            std::string row;
            for (int i = 0; i < t.fieldCount(); ++i) {
                row += (i ? ";" : "") + t.field(i).name() + "=" + t.field(i).asString();
            }
            rows.push_back(row);
        }
        return rows;
    }
    std::vector<std::string> movimenti(const std::string& cartella, const std::string& nome) {
        return righe(cartella, nome, "Valuta");
    }
    std::vector<std::string> messaggi() const { return testiMostrati(ui); }
};

} // namespace valmora::testing
