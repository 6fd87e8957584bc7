#pragma once
// A real account on disk in a temporary folder, with the ledger of the main window over it.

#include "dbase/FaultyFileSystem.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/Movement.h"
#include "model/ScriptedUserInterface.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace valmora::testing {

inline Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

// "12,50" as a user types it.
inline Money eur(const char* typed) {
    const auto m = Money::parseTyped(typed);
    EXPECT_TRUE(m.has_value()) << typed;
    return m.value_or(Money());
}

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

class LedgerTest : public ::testing::Test {
protected:
    LedgerTest() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("valmora-ledger-" + std::to_string(rd()) + "-" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
        state.CartellaConto = dir_.string() + "/";
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = 2005;
        state.MeseCorrente = 12;

        dm.NuovaTabella(dm.MainTable, state.CartellaConto + state.NomeFileConto, "Valuta");
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");
        // Conditions without any charge, so each test turns on exactly what it checks.
        AccountSettings s = dm.ImpostazioniDefault();
        s.commScope = Money();
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        // No interest unless a test sets rates.
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {d(2005, 1, 1), Money(), Money(), Money(), Money(), Money()});
    }

    ~LedgerTest() override {
        dm.MainTable.close();
        dm.TableTassi.close();
        dm.TableImp.close();
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

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
    std::vector<Movement> righe(const char* op) {
        std::vector<Movement> out;
        for (auto& m : righe())
            if (m.operazione == op)
                out.push_back(m);
        return out;
    }

    const LedgerTotals& totali() const { return ledger.Totali(); }
    const ShownView& vista() const { return ui.view(); }

    std::filesystem::path dir_;
    RegistroInterfaccia ui;
    FixedClock clock{d(2005, 12, 31)};
    // The real disk, unless a test makes it fail.
    std::shared_ptr<dbase::FaultyFileSystem> disco = std::make_shared<dbase::FaultyFileSystem>();
    TDM dm{ui, clock, disco};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};
};

} // namespace valmora::testing
