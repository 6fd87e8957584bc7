// Ledger scans over large accounts, next to pgdbf reading the same movements file.
//
//   ledger_scan [--benchmark_...]            sizes from VALMORA_BENCH_SIZES (default 10000,100000,1000000)
//
// For each size N: an account of N movements over one year (withdrawals of every kind, credits,
// debits), every charge setting positive, rates with a threshold, monthly capitalisation. It is
// regenerated once (outside the timing) so its charges and interest are in place, as in an account
// in use. Then:
//   Open/N              the movements table closed and opened again, in value-date order
//   PlainScan/N         ScansioneRecord(true, false): what follows an insertion or an opening
//   RegeneratingScan/N  ScansioneRecord(true, true): what follows a change or a deletion
// Each reports pgdbf_s, the time of `pgdbf -s cp1252 FILE > /dev/null` on the same .dbf (best of
// three, taken once on the file as the timed scans find it), and x_pgdbf, the scan's time over it;
// the _cpu counters are the same in processor time (user + system), steadier on a shared machine.
// Above VALMORA_BENCH_REGEN_MAX movements (default 100000) the regenerating scan is skipped and the
// account in use is written directly into the file (each movement followed by its charges, the
// month ends by their interest rows) instead of by a regeneration.

#include "BenchAccount.h"
#include "ledger/Ledger.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace valmora;
using bench::day;

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
// With `inUse`, each movement is followed by the charges a regeneration gives it and the month
// ends get their interest rows, so the file looks like an account in use (amounts approximate:
// a plain scan reads them, it does not recompute them).
void fillMovements(const std::string& path, int n, bool inUse) {
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
    std::uint64_t written = 0;
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
        ++written;
        if (inUse) {
            auto charge = [&](const char* chargeType, const char* amount, const char* text) {
                std::string c(recordLength, ' ');
                put(c, 1, 8, v.toCompact());
                put(c, 9, 8, v.toCompact());
                put(c, 17, 10, "Imposta");
                put(c, 27, 25, chargeType);
                put(c, 52, 20, amount, true);
                put(c, 72, 250, text);
                buffer += c;
                ++written;
            };
            if (tipo == "A. Bancomat")
                charge("Bancomat", "2.0000", "Commissione prelievi bancomat altro istituto");
            else if (tipo == "S. Bancomat")
                charge("Bancomat", "0.7500", "Commissione prelievi bancomat stesso istituto");
            else if (tipo == "Carta di Credito")
                charge("Carta di Credito", "1.0000", "Commissione pagamenti con Carta di Credito");
            else if (tipo == "P.O.S.")
                charge("P.O.S.", "0.5000", "Commissione pagamenti P.O.S.");
            if (i >= 100)
                charge("Operazioni", "0.3000", "Imposta operazioni eccedenti");
        }
        if (buffer.size() >= static_cast<std::size_t>(recordLength) * 4096) {
            f.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            buffer.clear();
        }
    }
    if (inUse) {
        for (int month = 1; month <= 12; ++month) {
            for (const char* side : {"Creditore", "Debitore"}) {
                const Date end = day(2005, month, Date::daysInMonth(2005, month));
                std::string c(recordLength, ' ');
                put(c, 1, 8, end.toCompact());
                put(c, 9, 8, end.toCompact());
                put(c, 17, 10, "Interessi");
                put(c, 27, 25, side);
                put(c, 52, 20, "0.0000", true);
                put(c, 72, 250, std::string("Interessi ") + side);
                buffer += c;
                ++written;
            }
        }
    }
    buffer.push_back('\x1A');
    f.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    const std::uint32_t count = static_cast<std::uint32_t>(written);
    const char countBytes[4] = {static_cast<char>(count & 0xFF), static_cast<char>((count >> 8) & 0xFF),
                                static_cast<char>((count >> 16) & 0xFF), static_cast<char>((count >> 24) & 0xFF)};
    f.seekp(4);
    f.write(countBytes, 4);
}

struct Timing {
    double wall = 0;
    double cpu = 0;
};

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double childrenCpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    auto seconds = [](const timeval& tv) {
        return static_cast<double>(tv.tv_sec) + static_cast<double>(tv.tv_usec) / 1e6;
    };
    return seconds(u.ru_utime) + seconds(u.ru_stime);
}

// pgdbf converting the table to SQL text, best of three; the machine may be shared, so its CPU time
// (user + system, from the children's usage) is kept beside the wall time.
Timing pgdbfTiming(const std::string& path) {
    const std::string command = "pgdbf -s cp1252 '" + path + "' > /dev/null 2>&1";
    Timing best{1e300, 1e300};
    for (int i = 0; i < 3; ++i) {
        const double cpu0 = childrenCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return {-1, -1};
        best.wall = std::min(best.wall, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        best.cpu = std::min(best.cpu, childrenCpuSeconds() - cpu0);
    }
    return best;
}

// One account of N movements, open, with its ledger.
struct Account : bench::BenchAccount {
    Ledger ledger{dm, ui, clock, state};

    Timing pgdbf{-1, -1}; // on the file as the timed scans find it

    Account(int n, bool regenerate) : BenchAccount("valmora-bench-" + std::to_string(n), day(2005, 12, 31)) {
        fillMovements(movementsFile(), n, !regenerate);
        openMovements();

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
        createRatesChangingInJuly();
        // In use: its charges and interest already written (by a regeneration when it is affordable).
        if (regenerate)
            ledger.ScansioneRecord(true, true);
        else
            ledger.ScansioneRecord(true, false);
        pgdbf = pgdbfTiming(movementsFile());
    }
};

std::map<int, std::unique_ptr<Account>>& accounts() {
    static std::map<int, std::unique_ptr<Account>> all;
    return all;
}

int regenMax() {
    const char* env = std::getenv("VALMORA_BENCH_REGEN_MAX");
    return env ? std::atoi(env) : 100000;
}

Account& accountOf(int n) {
    auto& slot = accounts()[n];
    if (!slot)
        slot = std::make_unique<Account>(n, n <= regenMax());
    return *slot;
}

void report(benchmark::State& state, Account& a, const Timing& scan) {
    const Timing& pg = a.pgdbf;
    state.counters["rows"] = a.dm.MainTable.recordCount();
    state.counters["pgdbf_s"] = pg.wall;
    state.counters["scan_s"] = scan.wall;
    state.counters["x_pgdbf"] = pg.wall > 0 ? scan.wall / pg.wall : 0;
    state.counters["pgdbf_cpu"] = pg.cpu;
    state.counters["scan_cpu"] = scan.cpu;
    state.counters["x_pgdbf_cpu"] = pg.cpu > 0 ? scan.cpu / pg.cpu : 0;
}

template <typename Scan> void timeScans(benchmark::State& state, Account& a, Scan scan) {
    Timing total;
    for (auto _ : state) {
        const double cpu0 = processCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        scan();
        total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        total.cpu += processCpuSeconds() - cpu0;
    }
    const auto n = static_cast<double>(state.iterations());
    report(state, a, {total.wall / n, total.cpu / n});
}

void BM_PlainScan(benchmark::State& state) {
    Account& a = accountOf(static_cast<int>(state.range(0)));
    timeScans(state, a, [&] { a.ledger.ScansioneRecord(true, false); });
}

// Opening the movements table, ordered by value date, on its first row: what opening the account
// costs the engine (the close before each opening is not timed).
void BM_Open(benchmark::State& state) {
    Account& a = accountOf(static_cast<int>(state.range(0)));
    Timing total;
    for (auto _ : state) {
        state.PauseTiming();
        a.dm.MainTable.close();
        state.ResumeTiming();
        const double cpu0 = processCpuSeconds();
        const auto t0 = std::chrono::steady_clock::now();
        a.dm.MainTable.open();
        a.dm.MainTable.setIndexName("Valuta");
        a.dm.MainTable.first();
        total.wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        total.cpu += processCpuSeconds() - cpu0;
    }
    const auto n = static_cast<double>(state.iterations());
    report(state, a, {total.wall / n, total.cpu / n});
}

void BM_RegeneratingScan(benchmark::State& state) {
    Account& a = accountOf(static_cast<int>(state.range(0)));
    timeScans(state, a, [&] { a.ledger.ScansioneRecord(true, true); });
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

} // namespace

int main(int argc, char** argv) {
    const char* plainIterations = std::getenv("VALMORA_BENCH_PLAIN_ITERATIONS");
    for (const int n : sizes()) {
        benchmark::RegisterBenchmark("Open", BM_Open)->Arg(n)->Unit(benchmark::kMillisecond)->Iterations(5);
        benchmark::RegisterBenchmark("PlainScan", BM_PlainScan)
            ->Arg(n)
            ->Unit(benchmark::kMillisecond)
            ->Iterations(plainIterations ? std::atoi(plainIterations) : 3);
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
