// The check against the bank at the size of a heavy year: the bank's CSV list of 5,000 lines held against an
// account of 10,000 movements.
//
//   riscontro [--benchmark_...]
//
// The account is a real movements table on disk (withdrawals, credits and debits on every day of the year,
// value dates a few days after some bookings), with a rate row. The bank's list holds 4,000 of those movements
// (some with the value date moved, some booked a day apart), 1,000 lines of its own, in a semicolon CSV with
// quoted descriptions and Italian amounts. Timed, as the command does it:
//   CsvRead        the list read from its file (tokenizer, header, dates, amounts)
//   Riscontro      the whole command: the file read, every movement read from the table, the pairing and the
//                  interest of each moved value date

#include "BenchAccount.h"
#include "bank/BankListFile.h"
#include "bank/RiscontroConto.h"
#include "dbase/FileSystem.h"
#include "model/Movement.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using namespace valmora;

constexpr int kMovimenti = 10000;
constexpr int kRigheBanca = 5000;
constexpr int kRigheSoloBanca = 1000;

std::string importoCsv(Money m) {
    std::string t = m.format(); // "-1.234,56 €"
    return t.substr(0, t.size() - 4);
}

struct Conto : bench::BenchAccount {
    std::string lista;

    Conto() : BenchAccount("valmora-bench-riscontro", *Date::fromYmd(2026, 12, 31)) {
        openMovements();
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         dm.TassoDefault());

        std::mt19937 caso(2026);
        const Date inizio = *Date::fromYmd(2026, 1, 1);
        const char* operazioni[][2] = {{"Prelievo", "S. Bancomat"}, {"Accredito", "Bonifico"}, {"Addebito", "Luce"},
                                       {"Prelievo", "P.O.S."}, {"Imposta", "Bolli"}};
        std::vector<Movement> movimenti;
        for (int i = 0; i < kMovimenti; ++i) {
            const Date data = inizio.addDays(static_cast<int>(caso() % 365));
            const auto* op = operazioni[caso() % 5];
            const Money importo = Money::fromUnits(static_cast<std::int64_t>(100 + caso() % 500000) * 100);
            movimenti.push_back({data, data.addDays(i % 7 == 0 ? 2 : 0), op[0], op[1], importo, "mov " + std::to_string(i)});
        }
        std::vector<std::vector<dbase::Value>> righe;
        for (const Movement& m : movimenti)
            righe.push_back(m.values());
        dm.MainTable.appendRecords(righe);

        std::string csv = "Estratto conto\n\nData contabile;Data valuta;Importo;Descrizione\n";
        for (int i = 0; i < kRigheBanca - kRigheSoloBanca; ++i) {
            const Movement& m = movimenti[static_cast<std::size_t>(i) * 2];
            const bool entrata = m.operazione == "Accredito";
            const Money importo = entrata ? m.importo : -m.importo;
            const Date data = m.data.addDays(i % 11 == 0 ? 1 : 0);
            const Date valuta = m.valuta.addDays(i % 13 == 0 ? 3 : 0);
            csv += data.toString() + ";" + valuta.toString() + ";" + importoCsv(importo) + ";\"OPERAZIONE " +
                   std::to_string(i) + "; \"\"BANCA\"\"\"\n";
        }
        for (int i = 0; i < kRigheSoloBanca; ++i) {
            const Date data = inizio.addDays(i % 365);
            csv += data.toString() + ";" + data.toString() + ";-1,5" + std::to_string(i % 10) + ";COMMISSIONE\n";
        }
        csv += "\nSaldo finale;;0,00;\n";
        lista = (folder / "banca.csv").string();
        std::ofstream(lista, std::ios::binary) << csv;
    }
};

Conto& conto() {
    static Conto c;
    return c;
}

void CsvRead(benchmark::State& state) {
    Conto& c = conto();
    const auto disco = dbase::diskFileSystem();
    for (auto _ : state) {
        auto righe = bank::readBankList(c.lista, *disco);
        benchmark::DoNotOptimize(righe.data());
    }
}
BENCHMARK(CsvRead)->Unit(benchmark::kMillisecond);

void Riscontro(benchmark::State& state) {
    Conto& c = conto();
    const auto disco = dbase::diskFileSystem();
    std::size_t soloBanca = 0;
    for (auto _ : state) {
        const RiscontroCompleto esito = RiscontraFile(c.dm, c.lista, *disco);
        soloBanca = 0;
        for (const auto& r : esito.riscontro.righe)
            soloBanca += r.movimento ? 0 : 1;
        benchmark::DoNotOptimize(esito.totaleInteressi);
    }
    state.counters["solo_banca"] = static_cast<double>(soloBanca);
}
BENCHMARK(Riscontro)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
