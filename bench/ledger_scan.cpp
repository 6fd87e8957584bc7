// Ledger scans over large accounts, next to pgdbf reading the same movements file.
//
//   ledger_scan [--benchmark_...]            sizes from VALMORA_BENCH_SIZES (default 10000,100000,1000000)
//
// For each size N: an account of N movements over one year (withdrawals of every kind, credits,
// debits), every charge setting positive, rates with a threshold, monthly capitalisation. It is
// regenerated once (outside the timing) so its charges and interest are in place, as in an account
// in use. Then:
//   PlainScan/N         ScansioneRecord(true, false): what follows an insertion or an opening
//   RegeneratingScan/N  ScansioneRecord(true, true): what follows a change or a deletion
// Each reports pgdbf_s, the time of `pgdbf -s cp1252 FILE > /dev/null` on the same .dbf (best of
// three), and x_pgdbf, the scan's time over it. Regenerating scans above VALMORA_BENCH_REGEN_MAX
// movements (default 1000000) are skipped.

#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace valmora;
namespace fs = std::filesystem;

// Shows nothing: the bench measures the engine, not a screen.
class SilentInterface : public UserInterface {
public:
    Answer message(const std::string&, Buttons) override { return Answer::Yes; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return std::nullopt; }
};

Date day(int y, int m, int d) { return *Date::fromYmd(y, m, d); }

void put(std::string& record, std::size_t offset, std::size_t width, const std::string& text, bool right = false) {
    std::string field(width, ' ');
    const std::size_t n = std::min(width, text.size());
    if (right)
        field.replace(width - n, n, text.substr(0, n));
    else
        field.replace(0, n, text.substr(0, n));
    record.replace(offset, width, field);
}

// Writes the movements straight into the empty table file the engine created (header and
// layout are the engine's; the rows are plain dBase records), far faster than posting them
// one by one. The engine rebuilds its order from the .dbf when it opens it.
void fillMovements(const std::string& path, int n) {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char header[32];
    f.read(reinterpret_cast<char*>(header), 32);
    const std::uint32_t headerLength = header[8] | (header[9] << 8);
    const std::uint32_t recordLength = header[10] | (header[11] << 8);
    // DATA 8, VALUTA 8, OPERAZIONE 10, TIPO 25, IMPORTO 20, COMMENTO 250.
    if (recordLength != 1 + 8 + 8 + 10 + 25 + 20 + 250)
        throw std::runtime_error("unexpected movements layout");

    const char* prelievi[] = {"A. Bancomat", "S. Bancomat", "P.O.S.", "Carta di Credito", "Sportello"};
    const char* addebiti[] = {"Luce", "Gas", "Telefono"};
    std::string buffer;
    buffer.reserve(static_cast<std::size_t>(recordLength) * 4096);
    f.seekp(headerLength);
    const Date start = day(2005, 1, 1);
    for (int i = 0; i < n; ++i) {
        std::string r(recordLength, ' ');
        const Date v = start.addDays(static_cast<int>(static_cast<std::int64_t>(i) * 365 / n));
        put(r, 1, 8, v.toCompact());
        put(r, 9, 8, v.toCompact());
        std::string op, tipo, importo;
        if (i % 10 == 0) {
            op = "Accredito";
            tipo = "Stipendio";
            importo = "480.0000"; // enough to keep the balance near zero, crossing it now and then
        } else if (i % 10 == 9) {
            op = "Addebito";
            tipo = addebiti[(i / 10) % 3];
            importo = "12.3400";
        } else {
            op = "Prelievo";
            tipo = prelievi[i % 5];
            importo = (i % 7 == 0) ? "95.5000" : "41.2500";
        }
        put(r, 17, 10, op);
        put(r, 27, 25, tipo);
        put(r, 52, 20, importo, true);
        put(r, 72, 250, "movimento " + std::to_string(i));
        buffer += r;
        if (buffer.size() >= static_cast<std::size_t>(recordLength) * 4096) {
            f.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    buffer.push_back('\x1A');
    f.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::uint32_t count = static_cast<std::uint32_t>(n);
    const char countBytes[4] = {static_cast<char>(count & 0xFF), static_cast<char>((count >> 8) & 0xFF),
                                static_cast<char>((count >> 16) & 0xFF), static_cast<char>((count >> 24) & 0xFF)};
    f.seekp(4);
    f.write(countBytes, 4);
}

double pgdbfSeconds(const std::string& path) {
    const std::string command = "pgdbf -s cp1252 '" + path + "' > /dev/null 2>&1";
    double best = 1e300;
    for (int i = 0; i < 3; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return -1;
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    return best;
}

// One account of N movements, open, with its ledger.
struct Account {
    fs::path folder;
    SilentInterface ui;
    FixedClock clock{day(2005, 12, 31)};
    TDM dm{ui, clock};
    MasterState state;
    Ledger ledger{dm, ui, clock, state};

    explicit Account(int n) {
        folder = fs::temp_directory_path() / ("valmora-bench-" + std::to_string(n));
        fs::remove_all(folder);
        fs::create_directories(folder);
        state.CartellaConto = folder.string() + "/";
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = 2005;
        state.MeseCorrente = 12;
        const std::string file = state.CartellaConto + state.NomeFileConto;
        dm.NuovaTabella(dm.MainTable, file, "Valuta");
        fillMovements(file, n);
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");

        AccountSettings s = dm.ImpostazioniDefault();
        s.capitaCre = "MENSILE";
        s.capitaDeb = "MENSILE";
        s.bAltro = Money::fromWhole(2);
        s.bStesso = Money::fromUnits(7500);
        s.commCCred = Money::fromWhole(1);
        s.bPos = Money::fromUnits(5000);
        s.numOpe = Money::fromWhole(100);
        s.costoOpe = Money::fromUnits(3000);
        s.commScope = Money::fromWhole(10);
        dm.NuovaTabImpostazioni(dm.TableImp, state.CartellaConto, state.NomeFileConto, kSottocartellaImpostazioni, s);
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {day(2005, 1, 1), Money::fromWhole(5000), Money::fromUnits(5000), Money::fromUnits(15000),
                          Money::fromWhole(10), Money::fromWhole(27)});
        dm.TableTassi.appendRecord({day(2005, 7, 1), Money::fromWhole(3000), Money::fromUnits(2500),
                                    Money::fromUnits(12000), Money::fromWhole(9), Money::fromWhole(27)});
        // In use: its charges and interest already written.
        ledger.ScansioneRecord(true, true);
    }
    ~Account() {
        dm.MainTable.close();
        dm.TableTassi.close();
        dm.TableImp.close();
        std::error_code ec;
        fs::remove_all(folder, ec);
    }
    std::string movementsFile() const { return state.CartellaConto + state.NomeFileConto; }
};

std::map<int, std::unique_ptr<Account>>& accounts() {
    static std::map<int, std::unique_ptr<Account>> all;
    return all;
}

Account& accountOf(int n) {
    auto& slot = accounts()[n];
    if (!slot)
        slot = std::make_unique<Account>(n);
    return *slot;
}

void report(benchmark::State& state, Account& a, double seconds) {
    const double pg = pgdbfSeconds(a.movementsFile());
    state.counters["rows"] = a.dm.MainTable.recordCount();
    state.counters["pgdbf_s"] = pg;
    state.counters["scan_s"] = seconds;
    state.counters["x_pgdbf"] = pg > 0 ? seconds / pg : 0;
}

void BM_PlainScan(benchmark::State& state) {
    Account& a = accountOf(static_cast<int>(state.range(0)));
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        a.ledger.ScansioneRecord(true, false);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    report(state, a, total / static_cast<double>(state.iterations()));
}

void BM_RegeneratingScan(benchmark::State& state) {
    Account& a = accountOf(static_cast<int>(state.range(0)));
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        a.ledger.ScansioneRecord(true, true);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    report(state, a, total / static_cast<double>(state.iterations()));
}

std::vector<int> sizes() {
    const char* env = std::getenv("VALMORA_BENCH_SIZES");
    std::stringstream in(env ? env : "10000,100000,1000000");
    std::vector<int> out;
    for (std::string item; std::getline(in, item, ',');)
        if (!item.empty())
            out.push_back(std::stoi(item));
    return out;
}

int regenMax() {
    const char* env = std::getenv("VALMORA_BENCH_REGEN_MAX");
    return env ? std::atoi(env) : 1000000;
}

} // namespace

int main(int argc, char** argv) {
    for (const int n : sizes()) {
        benchmark::RegisterBenchmark("PlainScan", BM_PlainScan)->Arg(n)->Unit(benchmark::kMillisecond)->Iterations(3);
        if (n <= regenMax())
            benchmark::RegisterBenchmark("RegeneratingScan", BM_RegeneratingScan)
                ->Arg(n)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(n >= 1000000 ? 1 : 3);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    accounts().clear();
    return 0;
}
