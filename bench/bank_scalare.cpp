// The interest statement by value date of a whole heavy year: 10,000 movements (credits, withdrawals, debits,
// their charges, monthly interest), two rate rows with a threshold. Target: at most 20 ms for the statement.
//
//   bank_scalare [--benchmark_...]
//
//   ScalareAnno         the whole statement as `scalare 01/01/2005 31/12/2005` makes it: every movement read
//                       from the table and replayed through the ledger's classification, then the intervals
//   CalcoloScalareAnno  the intervals, numeri, interest, average balance and duty alone, from balances read once

#include "bank/ScalareConto.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

namespace {

using namespace valmora;
namespace fs = std::filesystem;

class SilentInterface : public UserInterface {
public:
    Answer message(const std::string&, Buttons) override { return Answer::Yes; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return std::nullopt; }
};

Date day(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

constexpr int kMovimenti = 10000;

// A year in use: the movements posted in one go, then a regenerating scan writes the charges and interest.
struct HeavyYear {
    fs::path folder = fs::temp_directory_path() / "valmora-bench-scalare";
    SilentInterface ui;
    FixedClock clock{day(2005, 12, 31)};
    TDM dm{ui, clock};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};

    HeavyYear() {
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.CartellaConto = folder.string() + "/";
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = 2005;
        state.MeseCorrente = 12;
        dm.NuovaTabella(dm.MainTable, state.CartellaConto + state.NomeFileConto, "Valuta");
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");
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
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {day(2005, 1, 1), Money::fromWhole(5000), Money::fromUnits(5000), Money::fromUnits(15000),
                          Money::fromWhole(10), Money::fromWhole(27)});
        dm.TableTassi.appendRecord({day(2005, 7, 1), Money::fromWhole(3000), Money::fromUnits(2500),
                                    Money::fromUnits(12000), Money::fromWhole(9), Money::fromWhole(27)});
        ledger.ScansioneRecord(true, true);
    }
    ~HeavyYear() {
        dm.MainTable.close();
        dm.TableTassi.close();
        dm.TableImp.close();
        std::error_code ec;
        fs::remove_all(folder, ec);
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
