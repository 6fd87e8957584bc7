#pragma once
// A real account on disk in a temporary folder, with the ledger of the main window over it.

#include "core/TestValues.h"
#include "dbase/FaultyFileSystem.h"
#include "dbase/TempDir.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/Movement.h"
#include "model/ScriptedUserInterface.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace valmora::testing {

// The scripted interface, also keeping the order in which the ledger grid was suspended and resumed.
class RegistroInterfaccia : public ScriptedUserInterface {
public:
    std::vector<bool> sospensioni;
    void ledgerGridSuspended(bool sospesa) override {
        sospensioni.push_back(sospesa);
        ScriptedUserInterface::ledgerGridSuspended(sospesa);
    }
};

// Counts the refreshes a table announces to its controls.
class ContaAggiornamenti : public dbase::TableObserver {
public:
    int volte = 0;
    void tableChanged(const dbase::Table&) override { ++volte; }
};

// Conto.dbf of 2005 in a fresh folder, with its settings and rates files, opened on the movements by value date,
// and the ledger over it. The tests of the layers built on the ledger start from here; `Screen` is the scripted
// screen each of them records with.
template <class Screen> class AccountOnDisk : public ::testing::Test {
protected:
    // `condizioni` adjusts the conditions before the settings file is written.
    AccountOnDisk(Date oggi, int mese, const std::function<void(AccountSettings&)>& condizioni = {}) : clock{oggi} {
        state.CartellaConto = dir.folder();
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = 2005;
        state.MeseCorrente = mese;

        dm.NuovaTabella(dm.MainTable, state.CartellaConto + state.NomeFileConto, "Valuta");
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");
        // Conditions without any charge, so each test turns on exactly what it checks.
        AccountSettings s = dm.ImpostazioniDefault();
        s.commScope = Money();
        if (condizioni) {
            condizioni(s);
        }
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        // No interest unless a test sets rates.
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {d(2005, 1, 1), Money(), Money(), Money(), Money(), Money()});
    }

    ~AccountOnDisk() override {
        dm.MainTable.close();
        dm.TableTassi.close();
        dm.TableImp.close();
    }

    // A movement written straight into the table, as an earlier session left it.
    void movimento(Date valuta, const char* op, const char* tipo, const char* importo, const char* commento = "") {
        movimento(valuta, valuta, op, tipo, importo, commento);
    }
    void movimento(Date data, Date valuta, const char* op, const char* tipo, const char* importo,
                   const char* commento = "") {
        dm.MainTable.appendRecord(
            {data, valuta, std::string(op), std::string(tipo), eur(importo), std::string(commento)});
    }

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
        for (t.first(); !t.eof(); t.next())
            out.push_back(Movement::read(t));
        t.setFiltered(filtrato);
        return out;
    }
    // The movements of righe() that carry this comment, as the charges the program writes do.
    std::vector<Movement> conCommento(std::string_view commento) {
        std::vector<Movement> out;
        for (auto& m : righe())
            if (m.commento == commento)
                out.push_back(m);
        return out;
    }

    TempDir dir;
    Screen ui;
    FixedClock clock;
    // The real disk, unless a test makes it fail.
    std::shared_ptr<dbase::FaultyFileSystem> disco = std::make_shared<dbase::FaultyFileSystem>();
    TDM dm{ui, clock, disco};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};
};

class LedgerTest : public AccountOnDisk<RegistroInterfaccia> {
protected:
    LedgerTest() : AccountOnDisk(d(2005, 12, 31), 12) {}

    // Replaces the rate rows.
    void tassi(const std::vector<RatePeriod>& righe) {
        auto& t = dm.TableTassi;
        t.first();
        while (!t.isEmpty())
            t.deleteRecord();
        for (const auto& r : righe) // the file's order: DATA, LIMITE, TASSOCRE, TASSODEB, TASSOH, RITENUTA
            t.appendRecord({r.data, r.limite, r.tassoCre, r.tassoDeb, r.tassoH, r.ritenuta});
    }
    static RatePeriod tasso(Date data, const char* limite, const char* tassoCre, const char* tassoH,
                            const char* tassoDeb, const char* ritenuta) {
        return {data, eur(limite), eur(tassoCre), eur(tassoH), eur(tassoDeb), eur(ritenuta)};
    }

    using AccountOnDisk::righe;
    std::vector<Movement> righe(const char* op) {
        std::vector<Movement> out;
        for (auto& m : righe())
            if (m.operazione == op)
                out.push_back(m);
        return out;
    }

    const LedgerTotals& totali() const { return ledger.Totali(); }
    const ShownView& vista() const { return ui.view(); }
};

} // namespace valmora::testing
