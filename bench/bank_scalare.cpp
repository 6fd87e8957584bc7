// The interest statement by value date of a whole heavy year: 10,000 movements (credits, withdrawals, debits,
// their charges, monthly interest), two rate rows with a threshold. Target: at most 20 ms for the statement.
//
//   bank_scalare [--benchmark_...]
//
//   ScalareAnno         the whole statement as `scalare 01/01/2005 31/12/2005` makes it: every movement read
//                       from the table and replayed through the ledger's classification, then the intervals
//   CalcoloScalareAnno  the intervals, numeri, interest, average balance and duty alone, from balances read once

#include "BenchAccount.h"
#include "bank/ScalareConto.h"
#include "ledger/Ledger.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace valmora;
using bench::day;

constexpr int kMovimenti = 10000;

// A year in use: the movements posted in one go, then a regenerating scan writes the charges and interest.
struct HeavyYear : bench::BenchAccount {
    Ledger ledger{dm, ui, clock, state};

    HeavyYear() : BenchAccount("valmora-bench-scalare", day(2005, 12, 31)) {
        openMovements();
        const Date inizio = day(2005, 1, 1);
        dm.MainTable.appendRecords(kMovimenti, [&](std::size_t i, std::vector<dbase::Value>& valori) {
            const Date v = inizio.addDays(static_cast<int>(i * 365 / kMovimenti));
            if (i % 10 == 0)
                valori = {v,
                          v,
                          std::string("Accredito"),
                          std::string("Stipendio"),
                          Money::fromWhole(480),
                          std::string("stipendio")};
            else if (i % 10 == 9)
                valori = {v,
                          v,
                          std::string("Addebito"),
                          std::string("Luce"),
                          Money::fromUnits(123400),
                          std::string("bolletta")};
            else
                valori = {v,
                          v,
                          std::string("Prelievo"),
                          std::string(i % 2 ? "P.O.S." : "S. Bancomat"),
                          Money::fromUnits(i % 7 ? 412500 : 955000),
                          std::string("spesa")};
        });
        AccountSettings s = dm.ImpostazioniDefault();
        s.capitaCre = "MENSILE";
        s.capitaDeb = "MENSILE";
        s.bPos = Money::fromUnits(5000);
        s.bStesso = Money::fromUnits(7500);
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        createRatesChangingInJuly();
        ledger.ScansioneRecord(true, true);
    }
};

HeavyYear& year() {
    static HeavyYear y;
    return y;
}

void BM_ScalareAnno(benchmark::State& state) {
    HeavyYear& y = year();
    for (auto _ : state) {
        const RiassuntoScalare r = CalcolaScalare(MovimentiDelConto(y.dm, y.clock), day(2005, 1, 1), day(2005, 12, 31));
        benchmark::DoNotOptimize(r.interessiDebitori);
    }
    state.counters["rows"] = y.dm.MainTable.recordCount();
}

void BM_CalcoloScalareAnno(benchmark::State& state) {
    HeavyYear& y = year();
    const MovimentiPerScalare movimenti = MovimentiDelConto(y.dm, y.clock);
    for (auto _ : state) {
        const RiassuntoScalare r = CalcolaScalare(movimenti, day(2005, 1, 1), day(2005, 12, 31));
        benchmark::DoNotOptimize(r.interessiDebitori);
    }
    state.counters["intervals"] = static_cast<double>(movimenti.saldi.size());
}

} // namespace

BENCHMARK(BM_ScalareAnno)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalcoloScalareAnno)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
