// Entering one movement into a large account, from the dialog's confirmation to the final scan.
//
//   entry_insert [--benchmark_...]
//
// The account holds 10,000 movements (VALMORA_BENCH_MOVEMENTS) over one year (credits, withdrawals of every kind, debits), every charge
// setting positive, a monthly capitalisation with a rate row; it is regenerated once before timing, so its
// charges and interest movements are in place as in an account in use. Then:
//   InsertAfterLast        a withdrawal valued on the ledger's last value date, confirmed with "&Conferma":
//                          limits on the current totals, append, its charges at once, the refreshing scan
//   BackDatedLimitCheck    PrimaDiInserire for a withdrawal booked in the middle of the year: the totals at the
//                          booking date (as-of filter and scan) and the user's view restored (second scan)
//   BackDatedInsert        the whole confirmation of that back-dated withdrawal: the as-of check, the append
//                          and the regenerating scan that placing it among earlier movements needs
// Each runs several repetitions; the median is the figure to read.

#include "BenchAccount.h"
#include "entry/FilterBar.h"
#include "entry/OperationEntry.h"
#include "ledger/Ledger.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace valmora;
using bench::day;

// A heavy year; VALMORA_BENCH_MOVEMENTS sets another size.
int movimenti() {
    const char* env = std::getenv("VALMORA_BENCH_MOVEMENTS");
    return env ? std::atoi(env) : 10000;
}

struct Account : bench::BenchAccount {
    Ledger ledger{dm, ui, clock, state};
    FiltroMovimenti filtro{dm, ledger};
    OperationEntry entry{dm, ledger, filtro, ui, clock};

    Account() : BenchAccount("valmora-entry-bench", day(2005, 12, 31), Answer::Ok) {
        openMovements();
        AccountSettings s = dm.ImpostazioniDefault();
        s.bAltro = Money::fromUnits(20000);
        s.bStesso = Money::fromUnits(5000);
        s.bPos = Money::fromUnits(5000);
        s.commCCred = Money::fromUnits(10000);
        s.numOpe = Money::fromWhole(100);
        s.costoOpe = Money::fromUnits(10000);
        s.maxScope = Money::fromWhole(1000000000);
        s.bMensile = Money::fromWhole(1000000000);
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {day(2005, 1, 1), Money::fromWhole(20000), Money::fromWhole(1), Money::fromWhole(2),
                          Money::fromWhole(10), Money::fromWhole(27)});
        dm.NuovaTabAcc(dm.TableAcc, state.CartellaConto, state.NomeFileConto, kSottocartellaAccrediti);

        const char* tipiPrelievo[] = {"S. Bancomat", "A. Bancomat", "Sportello",
                                      "Assegno",     "P.O.S.",      "Carta di Credito"};
        std::mt19937 caso(42);
        dm.MainTable.disableControls();
        for (int i = 0, n = movimenti(); i < n; ++i) {
            const Date valuta = day(2005, 1, 1).addDays(static_cast<int>(caso() % 363));
            std::string op, tipo;
            Money importo = Money::fromUnits(static_cast<std::int64_t>(caso() % 2000000) + 10000);
            switch (i % 4) {
            case 0:
                op = "Accredito";
                tipo = "Stipendio";
                importo = importo + importo;
                break;
            case 1:
            case 2:
                op = "Prelievo";
                tipo = tipiPrelievo[caso() % 6];
                break;
            default:
                op = "Addebito";
                tipo = "Luce";
            }
            dm.MainTable.appendRecord({valuta, valuta, op, tipo, importo, std::string("movimento")});
        }
        dm.MainTable.enableControls();
        ledger.ScansioneRecord(true, true);
    }
    // The withdrawal dialog, filled in and confirmed as the user would.
    void conferma(Date data) {
        entry.ValoriSchedaOpe(OperationEntry::ValoriInserimento(TipoInserimento::Prelievo, clock.today()));
        SchedaOperazione& scheda = entry.Scheda();
        scheda.Calendario = data;
        scheda.EditImporto = "25,5";
        scheda.ComboBoxTipo = "Sportello";
        entry.BitBtnConfermaClick(DialogResult::Ok);
    }
};

Account& account() {
    static Account a; // built once: ten thousand posts and a regeneration are the set-up, not the figure
    return a;
}

void InsertAfterLast(benchmark::State& state) {
    Account& a = account();
    for (auto _ : state) {
        a.conferma(a.state.DataUltimaValuta);
    }
    state.counters["movimenti"] = a.dm.MainTable.recordCount();
}

void BackDatedLimitCheck(benchmark::State& state) {
    Account& a = account();
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            a.entry.PrimaDiInserire("Prelievo", "Sportello", Money::fromWhole(25), day(2005, 6, 15)));
    }
}

void BackDatedInsert(benchmark::State& state) {
    Account& a = account();
    for (auto _ : state) {
        a.conferma(day(2005, 6, 15));
    }
    state.counters["movimenti"] = a.dm.MainTable.recordCount();
}

BENCHMARK(InsertAfterLast)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(20);
BENCHMARK(BackDatedLimitCheck)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(20);
BENCHMARK(BackDatedInsert)->Unit(benchmark::kMillisecond)->Repetitions(5)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
