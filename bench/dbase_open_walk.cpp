// Opening a large movements table and walking it in value-date order, reading every
// field, against pgdbf converting the same file; and the memory the open table takes.
//
// The table (1,000,000 movements in the account layout, written by our own engine) is
// made once and kept in /tmp/valmora-bench/. A guard, not a target (an account holds a year):
// our open + walk in no more than pgdbf's time; peak memory at most 1.5 times the file size.
//
// Beside them, the least any program can do that holds the file in memory and walks it in
// value-date order, written without the engine: one read, the VALUTA keys decoded and stable-sorted,
// then every field of every record read in that order (texts trimmed and made strings, dates and
// amounts decoded, nothing checked). The same walk in file order shows how much of it is the wait
// on memory of records visited out of file order.

#include "dbase/Table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace valmora;
using namespace valmora::dbase;

namespace {

constexpr int kRows = 1'000'000;
const std::string kFolder = "/tmp/valmora-bench";
const std::string kFile = "movimenti1m.dbf";
const std::string kPath = kFolder + "/" + kFile;
const std::string kDoneMarker = kPath + ".complete"; // a table cut short by an interrupted run is made again

std::vector<double> ourSeconds;
std::vector<double> ourOpenSeconds; // the part of ourSeconds up to the first row in order
std::vector<double> pgdbfSeconds;
std::vector<double> leastSeconds;
std::vector<double> leastFileOrderSeconds;

void generateTable() {
    std::filesystem::create_directories(kFolder);
    std::filesystem::remove(kDoneMarker);
    const std::vector<std::string> operations = {"Accredito",  "Prelievo", "Pagamento", "Imposta",
                                                 "FuoriConto", "Bonifico", "Notifica",  "Assegno"};
    const std::vector<std::string> types = {"Stipendio", "S. Bancomat",      "A. Bancomat", "P.O.S.",
                                            "Bolli",     "Carta di Credito", "Variazione",  "Interessi"};
    const std::vector<std::string> words = {"caffè",  "spesa", "città",   "affitto", "€",    "bolletta",
                                            "perché", "rata",  "benzina", "libri",   "cena", "regalo"};
    std::mt19937 rng(20240101);
    const Date start = *Date::fromYmd(2015, 1, 1);

    Table t;
    t.bind(kFolder, kFile);
    t.create({FieldDef::date("DATA"), FieldDef::date("VALUTA"), FieldDef::text("OPERAZIONE", 10),
              FieldDef::text("TIPO", 25), FieldDef::money("IMPORTO"), FieldDef::text("COMMENTO", 250)},
             {"Valuta", "VALUTA"});
    t.open();
    t.setIndexName(""); // appending in file order; the value-date order is what the walk measures
    t.disableControls();
    for (int i = 0; i < kRows; ++i) {
        const Date data = start.addDays(static_cast<int>(rng() % 3650));
        const Date valuta = data.addDays(static_cast<int>(rng() % 7) - 2);
        std::string comment;
        const auto count = rng() % 12;
        for (unsigned w = 0; w < count; ++w)
            comment += (w ? " " : "") + words[rng() % words.size()];
        const auto cents = static_cast<std::int64_t>(rng() % 20'000'000) - 10'000'000;
        t.appendRecord({data, valuta, operations[rng() % operations.size()], types[rng() % types.size()],
                        Money::fromUnits(cents * 100), comment});
    }
    t.enableControls();
    t.close();
    std::ofstream(kDoneMarker) << kRows << "\n";
}

// Made in a child process, so its memory does not count in our peak.
void ensureTable() {
    if (std::filesystem::exists(kDoneMarker) && std::filesystem::exists(kPath))
        return;
    std::fprintf(stderr, "Writing %d movements to %s (once)...\n", kRows, kPath.c_str());
    const pid_t child = ::fork();
    if (child == 0) {
        try {
            generateTable();
            std::_Exit(0);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "%s\n", e.what());
            std::_Exit(1);
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "could not write the table\n");
        std::exit(1);
    }
}

void OpenAndWalkByValuta(benchmark::State& state) {
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        Table t;
        t.bind(kFolder, kFile);
        t.open();
        t.setIndexName("Valuta");
        t.first();
        ourOpenSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        Field data = t.fieldByName("DATA");
        Field valuta = t.fieldByName("VALUTA");
        Field operazione = t.fieldByName("OPERAZIONE");
        Field tipo = t.fieldByName("TIPO");
        Field importo = t.fieldByName("IMPORTO");
        Field commento = t.fieldByName("COMMENTO");
        std::int64_t sum = 0;
        std::size_t textBytes = 0;
        int rows = 0;
        for (t.first(); !t.eof(); t.next()) {
            sum += data.asDate().dayNumber() + valuta.asDate().dayNumber();
            textBytes += operazione.asString().size() + tipo.asString().size() + commento.asString().size();
            sum += importo.asMoney().units();
            ++rows;
        }
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(textBytes);
        t.close();
        ourSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (rows != kRows)
            state.SkipWithError("the walk did not see every row");
    }
}

void PgdbfConvert(benchmark::State& state) {
    const std::string command = "pgdbf -s cp1252 " + kPath + " > /dev/null";
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const int status = std::system(command.c_str());
        pgdbfSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
        if (status != 0)
            state.SkipWithError("pgdbf failed (is the pgdbf package installed?)");
    }
}

// --- The least possible, without the engine ---------------------------------------------------

struct WholeFile {
    std::unique_ptr<char[]> records;
    std::uint32_t count = 0;
    std::size_t recordLength = 0;
};

WholeFile readWholeFile() {
    std::ifstream in(kPath, std::ios::binary);
    unsigned char head[12] = {};
    in.read(reinterpret_cast<char*>(head), sizeof head);
    WholeFile f;
    f.count = head[4] | head[5] << 8 | head[6] << 16 | static_cast<std::uint32_t>(head[7]) << 24;
    const std::size_t headerLength = head[8] | head[9] << 8;
    f.recordLength = head[10] | head[11] << 8;
    f.records = std::make_unique_for_overwrite<char[]>(f.count * f.recordLength);
    in.seekg(static_cast<std::streamoff>(headerLength));
    in.read(f.records.get(), static_cast<std::streamsize>(f.count * f.recordLength));
    return f;
}

int digits(const char* p, int n) {
    int v = 0;
    for (int i = 0; i < n; ++i)
        v = v * 10 + (p[i] - '0');
    return v;
}

int dayOf(const char* p) { // an order-preserving number, not a day count: enough to sort by
    return digits(p, 4) * 372 + digits(p + 4, 2) * 31 + digits(p + 6, 2);
}

std::int64_t amountOf(const char* p, int width) {
    std::int64_t v = 0;
    bool negative = false;
    for (int i = 0; i < width; ++i)
        if (p[i] == '-')
            negative = true;
        else if (p[i] >= '0' && p[i] <= '9')
            v = v * 10 + (p[i] - '0');
    return negative ? -v : v;
}

// Trimmed eight blanks at a time; a byte over 0x7F is made two UTF-8 bytes as if it were Latin-1, a little
// less work than Windows-1252 asks (its euro sign is three), which suits a lower bound.
std::string textOf(const char* p, int width) {
    constexpr std::uint64_t kBlanks = 0x2020202020202020ULL;
    for (std::uint64_t word = 0; width >= 8; width -= 8) {
        std::memcpy(&word, p + width - 8, 8);
        if (word != kBlanks)
            break;
    }
    while (width > 0 && p[width - 1] == ' ')
        --width;
    std::string s;
    s.reserve(static_cast<std::size_t>(width) * 2);
    for (int i = 0; i < width; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        if (c < 0x80) {
            s.push_back(static_cast<char>(c));
        } else {
            s.push_back(static_cast<char>(0xC0 | (c >> 6)));
            s.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return s;
}

// The account layout: DATA at 1, VALUTA at 9, OPERAZIONE (10) at 17, TIPO (25) at 27, IMPORTO (20) at 52,
// COMMENTO (250) at 72.
std::int64_t readEveryField(const char* r, std::size_t& textBytes) {
    textBytes += textOf(r + 17, 10).size() + textOf(r + 27, 25).size() + textOf(r + 72, 250).size();
    return dayOf(r + 1) + dayOf(r + 9) + amountOf(r + 52, 20);
}

void LeastPossible(benchmark::State& state, bool valueDateOrder) {
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        const WholeFile f = readWholeFile();
        std::vector<std::pair<int, std::uint32_t>> order(f.count);
        for (std::uint32_t i = 0; i < f.count; ++i)
            order[i] = {valueDateOrder ? dayOf(f.records.get() + i * f.recordLength + 9) : 0, i};
        if (valueDateOrder)
            std::stable_sort(order.begin(), order.end(),
                             [](const auto& a, const auto& b) { return a.first < b.first; });
        std::int64_t sum = 0;
        std::size_t textBytes = 0;
        for (const auto& [key, i] : order)
            sum += readEveryField(f.records.get() + i * f.recordLength, textBytes);
        benchmark::DoNotOptimize(sum);
        benchmark::DoNotOptimize(textBytes);
        (valueDateOrder ? leastSeconds : leastFileOrderSeconds)
            .push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
}

double median(std::vector<double> v) {
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    ensureTable();
    benchmark::RegisterBenchmark("OpenAndWalkByValuta/1M", OpenAndWalkByValuta)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("PgdbfConvert/1M", PgdbfConvert)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("LeastPossible/ValueDateOrder/1M", LeastPossible, true)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("LeastPossible/FileOrder/1M", LeastPossible, false)
        ->Iterations(3)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage); // children (pgdbf) are not counted
    const double peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
    const double fileMiB = static_cast<double>(std::filesystem::file_size(kPath)) / (1024.0 * 1024.0);
    const double ours = median(ourSeconds);
    const double theirs = median(pgdbfSeconds);
    std::printf("\nopen + walk by VALUTA, all fields: %.3f s (median of %zu)\n", ours, ourSeconds.size());
    std::printf("  of which open and order:         %.3f s\n", median(ourOpenSeconds));
    std::printf("pgdbf -s cp1252:                   %.3f s (median of %zu)\n", theirs, pgdbfSeconds.size());
    if (ours > 0 && theirs > 0)
        std::printf("ours / pgdbf:                      %.2f (guard <= 1.00)\n", ours / theirs);
    if (!leastSeconds.empty() && theirs > 0) {
        std::printf("least possible, by VALUTA:         %.3f s (%.2f x pgdbf)\n", median(leastSeconds),
                    median(leastSeconds) / theirs);
        std::printf("least possible, in file order:     %.3f s\n", median(leastFileOrderSeconds));
    }
    std::printf("peak memory %.1f MiB for a %.1f MiB file: %.2fx (guard <= 1.50)\n", peakMiB, fileMiB,
                peakMiB / fileMiB);
    return 0;
}
