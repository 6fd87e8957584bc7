#pragma once
// A real account on disk in a temporary folder, with the ledger, the filter bar and the operation dialog's
// engine over it, and a scripted screen that records every message.

#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "ledger/LedgerFixture.h"
#include "model/OperationCatalogue.h"
#include "model/ProgrammedOperation.h"
#include "model/ShownTexts.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace valmora::testing {

// The scripted screen, with an operation dialog a test can fill in (cancelled when it does not).
class TestUserInterface : public ScriptedUserInterface {
public:
    std::function<DialogResult(OperationEntry&)> dialogo;
    DialogResult showOperationDialog(OperationEntry& entry) override {
        return dialogo ? dialogo(entry) : ScriptedUserInterface::showOperationDialog(entry);
    }
};

class EntryTest : public AccountOnDisk<TestUserInterface> {
protected:
    // No interest periods: period-end placeholders would move the last value date to the end of the current month
    // and turn every insert into a regeneration.
    EntryTest()
        : AccountOnDisk(d(2005, 6, 30), 6, [](AccountSettings& s) {
              s.capitaCre = "NESSUNA";
              s.capitaDeb = "NESSUNA";
          }) {
        dm.NuovaTabAcc(dm.TableAcc, state.CartellaConto, state.NomeFileConto, kSottocartellaAccrediti);
    }

    ~EntryTest() override { dm.TableAcc.close(); }

    // Brings the ledger up to date as opening an account does.
    void scansione() { ledger.ScansioneRecord(true, true); }

    std::vector<ProgrammedOperation> programmate() {
        std::vector<ProgrammedOperation> out;
        auto& t = dm.TableAcc;
        for (t.first(); !t.eof(); t.next()) {
            out.push_back(ProgrammedOperation::read(t));
        }
        return out;
    }
    std::vector<std::string> messaggi() const { return testiMostrati(ui); }

    // A dialog that the user fills in: `compila` types into the fields, then the button is pressed.
    static OperationEntry::MostraScheda utente(std::function<void(SchedaOperazione&)> compila,
                                               DialogResult pulsante = DialogResult::Ok) {
        return [compila, pulsante](OperationEntry& e) {
            compila(e.Scheda());
            return pulsante;
        };
    }
    // Inserts through the insert command, typing the booking date, amount and type, then "&Conferma".
    DialogResult inserisci(TipoInserimento comando, Date data, const char* importo, const char* tipo,
                           const char* descrizione = "") {
        int mostrato = 0;
        return entry.ComandoInserimento(comando, [&](OperationEntry& e) {
            // A refused insert comes back: the test's user gives up then.
            if (mostrato++ > 0) {
                return DialogResult::Cancel;
            }
            e.Scheda().Calendario = data;
            e.Scheda().EditImporto = importo;
            e.Scheda().ComboBoxTipo = tipo;
            e.Scheda().EditDescrizione = descrizione;
            return DialogResult::Ok;
        });
    }

    FiltroMovimenti filtro{dm, ledger};
    OperationEntry entry{dm, ledger, filtro, ui, clock};
};

} // namespace valmora::testing
