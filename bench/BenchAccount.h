// What the engine's benchmarks share: a screen that shows nothing, and an account of their own in a
// temporary folder that goes when the benchmark ends. Each benchmark fills the account in the shape
// it measures.

#pragma once

#include "core/Date.h"
#include "ledger/MasterState.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

#include <filesystem>
#include <random>
#include <string>

namespace valmora::bench {

// Gives every message the same answer: a benchmark measures the engine, not a screen.
class SilentInterface : public UserInterface {
public:
    explicit SilentInterface(Answer answer) : answer_(answer) {}
    Answer message(const std::string&, Buttons) override { return answer_; }
    std::optional<std::string> askSaveFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<std::string> askOpenFile(const FileDialogRequest&) override { return std::nullopt; }

private:
    Answer answer_;
};

inline Date day(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

// The account "Conto.dbf" of the year of `today`, its movements table made (empty, closed) in a folder of
// its own; every table is closed and the folder removed at the end.
struct BenchAccount {
    std::filesystem::path folder;
    SilentInterface ui;
    FixedClock clock;
    TDM dm{ui, clock};
    MasterState state;

    BenchAccount(const std::string& name, Date today, Answer answer = Answer::Yes)
        : folder(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(std::random_device{}()))),
          ui(answer), clock(today) {
        std::filesystem::create_directories(folder);
        state.CartellaConto = folder.string() + "/";
        state.NomeFileConto = "Conto.dbf";
        state.AnnoConto = today.year();
        state.MeseCorrente = today.month();
        dm.NuovaTabella(dm.MainTable, movementsFile(), "Valuta");
    }
    BenchAccount(const BenchAccount&) = delete;
    BenchAccount& operator=(const BenchAccount&) = delete;
    ~BenchAccount() {
        dm.MainTable.close();
        dm.TableImp.close();
        dm.TableTassi.close();
        dm.TableAcc.close();
        std::error_code ec;
        std::filesystem::remove_all(folder, ec);
    }

    std::string movementsFile() const { return state.CartellaConto + state.NomeFileConto; }

    // Open, in value-date order, as the program keeps it.
    void openMovements() {
        dm.MainTable.open();
        dm.MainTable.setIndexName("Valuta");
    }

    // Rates with a threshold, changed on the first of July: the interest meets both bands and a new rate.
    void createRatesChangingInJuly() {
        const int year = state.AnnoConto;
        dm.NuovaTabTassi(dm.TableTassi, state.CartellaConto, state.NomeFileConto, kSottocartellaTassi,
                         {day(year, 1, 1), Money::fromWhole(5000), Money::fromUnits(5000), Money::fromUnits(15000),
                          Money::fromWhole(10), Money::fromWhole(27)});
        dm.TableTassi.appendRecord({day(year, 7, 1), Money::fromWhole(3000), Money::fromUnits(2500),
                                    Money::fromUnits(12000), Money::fromWhole(9), Money::fromWhole(27)});
    }
};

} // namespace valmora::bench
