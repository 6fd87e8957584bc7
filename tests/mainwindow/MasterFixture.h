#pragma once
// A main-window engine on real account files in a temporary folder, driven as a user would drive the window:
// the dialogs the commands open are filled in, the questions take queued answers, today is set by hand.

#include "core/TestValues.h"
#include "dbase/FileSystem.h"
#include "dbase/TempDir.h"
#include "mainwindow/FormMaster.h"
#include "model/AccountFileSet.h"
#include "model/ScriptedUserInterface.h"
#include "model/ShownTexts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace valmora::testing {

// Records what the window was told beyond what the scripted screen keeps.
class RecordingUserInterface : public ScriptedUserInterface {
public:
    std::vector<FileDialogRequest> saveDialogs;
    std::vector<OperationProposal> proposals;
    std::string caption;
    bool failOnProposal = false;                              // an engine failure in the middle of a run
    std::function<void(const OperationProposal&)> onProposal; // looks at the files while the dialog is up
    std::optional<ProposalValues> changedTo;                  // the user's own values, confirmed

    std::optional<std::string> askSaveFile(const FileDialogRequest& request) override {
        saveDialogs.push_back(request);
        return ScriptedUserInterface::askSaveFile(request);
    }
    std::optional<ProposalValues> askProposal(const OperationProposal& proposal) override {
        proposals.push_back(proposal);
        if (onProposal) {
            onProposal(proposal);
        }
        if (failOnProposal) {
            throw std::runtime_error("guasto simulato");
        }
        if (changedTo) {
            return std::exchange(changedTo, std::nullopt);
        }
        return ScriptedUserInterface::askProposal(proposal);
    }
    void captionChanged(const std::string& text) override { caption = text; }

    // "dd/mm/yyyy Operazione Tipo" of each proposal, in order.
    std::vector<std::string> proposalLines() const {
        std::vector<std::string> lines;
        for (const auto& p : proposals) {
            lines.push_back(p.data.toString() + " " + p.operazione + " " + p.tipo);
        }
        return lines;
    }
};

class MasterTest : public ::testing::Test {
protected:
    TempDir dir;
    RecordingUserInterface ui;
    FixedClock clock{d(2026, 3, 15)};
    FormMaster master{ui, clock};

    void SetUp() override { master.Avvio(PreferenzeFinestra::Predefinite(dir.folder())); }

    void nuovo(const std::string& nome) {
        ui.chooseFileInNextDialog(dir.folder() + nome);
        master.Nuovo1Click(false);
        ui.forgetCommandChoices();
    }
    void apri(const std::string& nome, std::vector<std::string> risposte = {}) {
        if (!risposte.empty()) {
            ui.queueAnswers(risposte);
        }
        ui.chooseFileInNextDialog(dir.folder() + nome);
        master.Apri1Click();
        ui.forgetCommandChoices();
    }
    void chiudi(const std::string& risposta) {
        ui.queueAnswers({risposta});
        master.Chiudi1Click(true);
    }
    // The credit command with the dialog filled in and confirmed.
    void accredito(Date data, const std::string& importo) {
        master.Entry().ComandoInserimento(TipoInserimento::Accredito, [&](OperationEntry& e) {
            e.Scheda().Calendario = data;
            e.Scheda().EditImporto = importo;
            return DialogResult::Ok;
        });
    }

    // The movements as "dd/mm/yyyy OPERAZIONE TIPO IMPORTO", read by a fresh table from the file.
    std::vector<std::string> movimentiSuDisco(const std::string& nome) {
        dbase::Table t;
        t.bind(dir.folder(), nome);
        t.open();
        t.setIndexName("Valuta");
        std::vector<std::string> rows;
        for (t.first(); !t.eof(); t.next()) {
            rows.push_back(t.fieldByName("DATA").asDate().toString() + " " + t.fieldByName("OPERAZIONE").asString() +
                           " " + t.fieldByName("TIPO").asString() + " " + t.fieldByName("IMPORTO").asMoney().plain());
        }
        return rows;
    }
    // A field of the settings row as a fresh reader finds it in the file.
    std::string impostazione(const std::string& nome, const std::string& campo) {
        dbase::Table t;
        t.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaImpostazioni), nome);
        t.open();
        t.first();
        return t.fieldByName(campo).asString();
    }
    Date oldData(const std::string& nome) {
        dbase::Table t;
        t.bind(AccountFileSet::folderOf(dir.folder(), kSottocartellaImpostazioni), nome);
        t.open();
        t.first();
        return t.fieldByName("OLDDATA").asDate();
    }

    std::vector<std::string> messaggi() const { return testiMostrati(ui); }
};

} // namespace valmora::testing
