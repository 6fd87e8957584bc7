// The desktop program on a heavy year, the real main window driven offscreen.
//
//   desktop_window [--benchmark_...]
//
// The account holds 10,000 movements of one year (credits, withdrawals, debits), made once with "&Nuovo" and
// filled in one go; the preferences live in a file of the bench's own. Then:
//   OpenHeavyAccount   "&Apri" with the file dialog answered, until the window has drawn itself: the ledger
//                      grid, the totals grid and the three charts (the whole window rendered once)
//   InsertOneMovement  a withdrawal typed in the dialog: from "&Conferma" to the window drawn again
// Times are manual (only the spans above); read the median of the repetitions.

#include "gui/Applicazione.h"
#include "gui/ApplicazioneQt.h"
#include "gui/QtUserInterface.h"
#include "gui/TFormMaster.h"
#include "gui/TFormOperazione.h"
#include "model/TDM.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <random>
#include <string>

namespace {

using namespace valmora;
using Orologio = std::chrono::steady_clock;

constexpr int kMovimenti = 10000;

Date giorno(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

struct Programma {
    QTemporaryDir dir;
    FixedClock clock{giorno(2026, 12, 31)};
    std::unique_ptr<gui::Applicazione> app;
    std::string conto;

    Programma() {
        app = std::make_unique<gui::Applicazione>(clock, dir.filePath(QStringLiteral("preferenze.ini")));
        app->ui().setAnswerUnqueuedByDefault(true);
        app->master().motore().mostraImpostazioni = {};
        // A due programmed operation would open the dialog: it is let go.
        app->operazione().setAllaComparsa([this] { app->operazione().reject(); });
        app->master().resize(1366, 768);
        app->master().show();
        conto = (dir.path() + QStringLiteral("/Pesante.dbf")).toStdString();
        app->ui().queueFile(conto);
        app->master().Nuovo1->trigger();
        riempi();
        app->master().Chiudi1->trigger();
    }

    void riempi() {
        dbase::Table& t = app->master().dm().MainTable;
        std::mt19937 caso(7);
        std::vector<std::vector<dbase::Value>> righe;
        righe.reserve(kMovimenti);
        for (int i = 0; i < kMovimenti; ++i) {
            const Date valuta = giorno(2026, 1, 1).addDays(static_cast<int>(caso() % 360));
            const Money importo = Money::fromUnits(static_cast<std::int64_t>(caso() % 500000) * 100 + 10000);
            const char* op = i % 4 == 0 ? "Accredito" : i % 4 == 3 ? "Addebito" : "Prelievo";
            const char* tipo = i % 4 == 0 ? "Stipendio" : i % 4 == 3 ? "Luce" : "Sportello";
            // Credits four times the size of the outgoings: the balance stays well above the overdraft threshold, so
            // the withdrawal typed below is never refused (a refusal would show the dialog again, and again).
            const Money somma = i % 4 == 0 ? importo + importo + importo + importo : importo;
            righe.push_back({valuta, valuta, std::string(op), std::string(tipo), somma, "movimento " + std::to_string(i)});
        }
        t.appendRecords(righe);
    }

    void apri() {
        app->ui().queueFile(conto);
        app->master().Apri1->trigger();
        disegna();
    }

    // Everything on screen drawn once, as the first paint after a change draws it.
    void disegna() {
        QApplication::processEvents();
        const QPixmap finestra = app->master().grab();
        benchmark::DoNotOptimize(finestra.cacheKey());
    }
};

// Made on first use; it goes before the application object does (windows outliving it crash at exit).
std::unique_ptr<Programma>& programmaAttivo() {
    static std::unique_ptr<Programma> p;
    return p;
}

Programma& programma() {
    if (!programmaAttivo())
        programmaAttivo() = std::make_unique<Programma>();
    return *programmaAttivo();
}

void OpenHeavyAccount(benchmark::State& state) {
    Programma& p = programma();
    for (auto _ : state) {
        const auto inizio = Orologio::now();
        p.apri();
        state.SetIterationTime(std::chrono::duration<double>(Orologio::now() - inizio).count());
        p.app->master().Chiudi1->trigger();
    }
}
BENCHMARK(OpenHeavyAccount)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(3);

void InsertOneMovement(benchmark::State& state) {
    Programma& p = programma();
    p.apri();
    gui::TFormOperazione& dialogo = p.app->operazione();
    Orologio::time_point inizio;
    int comparse = 0;
    for (auto _ : state) {
        comparse = 0;
        dialogo.setAllaComparsa([&] {
            // Shown again: the withdrawal was refused (its message answered offscreen); stop, do not loop.
            if (++comparse > 1) {
                dialogo.reject();
                return;
            }
            dialogo.EditImporto->setText(QStringLiteral("25,5"));
            // At the counter: no monthly cash-card allowance to run out of over the repetitions.
            dialogo.ComboBoxTipo->setEditText(QStringLiteral("Sportello"));
            inizio = Orologio::now();
            QTest::mouseClick(dialogo.BitBtnConferma, Qt::LeftButton);
        });
        p.app->master().Prelievo1->trigger();
        p.disegna();
        state.SetIterationTime(std::chrono::duration<double>(Orologio::now() - inizio).count());
        if (comparse > 1) {
            const auto& messaggi = p.app->ui().shownBoxes();
            state.SkipWithError(("prelievo rifiutato: " + (messaggi.empty() ? std::string() : messaggi.back().text)).c_str());
            break;
        }
    }
    dialogo.setAllaComparsa([&] { dialogo.reject(); });
    p.app->master().Chiudi1->trigger();
}
BENCHMARK(InsertOneMovement)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    gui::ApplicazioneQt app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    programmaAttivo().reset();
    benchmark::Shutdown();
    return 0;
}
