#pragma once
// A real account on disk in a temporary folder, with the ledger, the filter bar and the operation dialog's
// engine over it, and a scripted screen that records every message.

#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/Movement.h"
#include "model/OperationCatalogue.h"
#include "model/ProgrammedOperation.h"
#include "model/ScriptedUserInterface.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace valmora::testing {

inline Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

inline Money eur(const char* typed) {
    const auto m = Money::parseTyped(typed);
    EXPECT_TRUE(m.has_value()) << typed;
    return m.value_or(Money());
}

// The scripted screen, with an operation dialog a test can fill in (cancelled when it does not).
class TestUserInterface : public ScriptedUserInterface {
public:
    std::function<DialogResult(OperationEntry&)> dialogo;
    DialogResult showOperationDialog(OperationEntry& entry) override {
        return dialogo ? dialogo(entry) : ScriptedUserInterface::showOperationDialog(entry);
    }
};

class EntryTest : public ::testing::Test {
protected:
    EntryTest() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("valmora-entry-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        state.CartellaConto = dir_.string() + "/";
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = 2005;
        state.MeseCorrente = 6;

        dm.NuovaTabella(dm.MainTable, state.CartellaConto + state.NomeFileConto, "Valuta");
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");
        // Conditions without charges or limits that get in the way; each test sets what it checks.
        AccountSettings s = dm.ImpostazioniDefault();
        s.commScope = Money();
        // No interest periods: period-end placeholders would move the last value date to the end of the
        // current month and turn every insert into a regeneration.
        s.capitaCre = "NESSUNA";
        s.capitaDeb = "NESSUNA";
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {d(2005, 1, 1), Money(), Money(), Money(), Money(), Money()});
        dm.NuovaTabAcc(dm.TableAcc, state.CartellaConto, state.NomeFileConto, kSottocartellaAccrediti);
    }

    ~EntryTest() override {
        dm.MainTable.close();
        dm.TableTassi.close();
        dm.TableImp.close();
        dm.TableAcc.close();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    // A movement written straight into the table, as an earlier session left it.
    void movimento(Date valuta, const char* op, const char* tipo, const char* importo, const char* commento = "") {
        dm.MainTable.appendRecord(
            {valuta, valuta, std::string(op), std::string(tipo), eur(importo), std::string(commento)});
    }
    // Brings the ledger up to date as opening an account does.
    void scansione() { ledger.ScansioneRecord(true, true); }

    void impostazione(const char* campo, dbase::Value valore) {
        dm.TableImp.first();
        dm.TableImp.edit();
        dm.TableImp.fieldByName(campo).setValue(valore);
        dm.TableImp.post();
    }
    AccountSettings impostazioni() {
        dm.TableImp.first();
        return AccountSettings::read(dm.TableImp);
    }

    // Every movement in value-date order, whatever the filter.
    std::vector<Movement> righe() {
        auto& t = dm.MainTable;
        const bool filtrato = t.filtered();
        t.setFiltered(false);
        std::vector<Movement> out;
        for (t.first(); !t.eof(); t.next()) {
            out.push_back(Movement::read(t));
        }
        t.setFiltered(filtrato);
        return out;
    }
    std::vector<Movement> addebiti(const char* commento) {
        std::vector<Movement> out;
        for (auto& m : righe()) {
            if (m.commento == commento) {
                out.push_back(m);
            }
        }
        return out;
    }
    std::vector<ProgrammedOperation> programmate() {
        std::vector<ProgrammedOperation> out;
        auto& t = dm.TableAcc;
        for (t.first(); !t.eof(); t.next()) {
            out.push_back(ProgrammedOperation::read(t));
        }
        return out;
    }
    std::vector<std::string> messaggi() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages()) {
            out.push_back(m.text);
        }
        return out;
    }

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

    std::filesystem::path dir_;
    TestUserInterface ui;
    FixedClock clock{d(2005, 6, 30)};
    TDM dm{ui, clock};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};
    FiltroMovimenti filtro{dm, ledger};
    OperationEntry entry{dm, ledger, filtro, ui, clock};
};

} // namespace valmora::testing
