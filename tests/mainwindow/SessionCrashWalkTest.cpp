// A whole session (open, modify the amount, the date and the type of movements, delete, save, insert, close
// answered No, open, export, the new year's account, close) stopped at every change it makes to the disk, once as a kill and once as a
// disk that fills up. Reopened afterwards, the account holds every acknowledged movement exactly once, the
// movement being changed is old or new, and the snapshot under Backup/ opens.

#include "SafetyFixture.h"

#include "dbase/Table.h"

#include <functional>

namespace valmora::testing {
namespace {

using Passo = std::function<void(Finestra&)>;

class SessionCrashWalk : public SafetyTest {
protected:
    std::shared_ptr<dbase::FileSystem> disco = std::make_shared<DiscoSenzaSync>();

    void SetUp() override {
        SafetyTest::SetUp();
        contoDiProva();
        std::filesystem::create_directories(dir.path() / "esportato");
        salvaModello();
    }

    std::vector<Passo> passi() {
        const std::string percorso = conto();
        const std::string esportato = dir.folder() + "esportato/C.dbf";
        const std::string anno2027 = dir.folder() + "C2027.dbf";
        return {
            [=](Finestra& f) { f.apri(percorso); },
            [](Finestra& f) { f.modifica(f.riga("Accredito", "200"), [](SchedaOperazione& s) { s.EditImporto = "250"; }); },
            [](Finestra& f) {
                f.modifica(f.riga("Accredito", "30"), [](SchedaOperazione& s) { s.Calendario = d(2026, 1, 20); });
            },
            [](Finestra& f) {
                f.modifica(f.riga("Prelievo", "50"), [](SchedaOperazione& s) { s.ComboBoxTipo = "A. Bancomat"; });
            },
            [](Finestra& f) { f.elimina(f.riga("Accredito", "1000")); },
            [](Finestra& f) { f.master.Salva1Click(); },
            [](Finestra& f) { f.movimento(TipoInserimento::Accredito, d(2026, 3, 5), "7"); },
            [](Finestra& f) {
                f.ui.queueAnswers({"no"});
                f.master.Chiudi1Click(true);
            },
            [=](Finestra& f) { f.apri(percorso); },
            [=](Finestra& f) {
                f.ui.chooseFileInNextDialog(esportato);
                f.ui.queueAnswers({"ok"});
                f.master.Esporta1Click();
                f.ui.forgetCommandChoices();
            },
            [=](Finestra& f) {
                // The new year's account from this one: the old one closes and stays as it is.
                f.master.MostraNuovoAnno();
                f.ui.clearAnswers(); // the new account's due operations take the default answer
                f.ui.chooseFileInNextDialog(anno2027);
                f.master.NuovoAnno1Click(false);
                f.ui.forgetCommandChoices();
                f.ui.clearAnswers();
            },
            [](Finestra& f) {
                f.ui.queueAnswers({"si"});
                f.master.Chiudi1Click(true);
            },
        };
    }

    // The user's movements before the session and after each step, from a run on the plain disk.
    std::vector<std::vector<std::string>> statiDiRiferimento() {
        std::vector<std::vector<std::string>> stati{movimentiUtente()};
        Finestra f(clock, disco, dir.folder());
        for (const Passo& p : passi()) {
            p(f);
            stati.push_back(movimentiUtente());
        }
        for (const auto& m : f.ui.messages())
            EXPECT_EQ(m.text.find("non riuscit"), std::string::npos) << "a step of the plain run failed: " << m.text;
        return stati;
    }

    // Reopens the account on the plain disk as the next start of the program would.
    std::vector<std::string> riaperto() {
        Finestra f(clock, disco, dir.folder());
        f.ui.queueAnswers({"no", "no", "no"});
        f.apri(conto());
        EXPECT_TRUE(f.master.ContoAperto());
        auto righe = movimentiUtente();
        f.ui.queueAnswers({"si"});
        f.master.Chiudi1Click(true);
        return righe;
    }

    void snapshotSiApre() {
        for (const char* sub : {"", "Accrediti/", "Tassi/", "Impostazioni/"}) {
            dbase::Table t;
            t.bind(dir.folder() + "Backup/" + sub, "C.dbf");
            EXPECT_NO_THROW(t.open()) << sub;
        }
    }
};

TEST_F(SessionCrashWalk, KilledAtEveryWriteTheAccountHoldsTheMovementsOfTheStepBeforeOrAfter) {
    const auto stati = statiDiRiferimento();
    int punti = 0;
    for (int k = 0;; ++k) {
        ripristinaModello();
        std::size_t passo = 0;
        bool ucciso = false;
        {
            auto faulty = std::make_shared<dbase::FaultyFileSystem>(disco);
            faulty->crashAfterChanges(k, 5);
            Finestra f(clock, faulty, dir.folder());
            const auto lista = passi();
            try {
                for (; passo < lista.size(); ++passo)
                    lista[passo](f);
            } catch (const dbase::SimulatedCrash&) {
                ucciso = true;
            }
        }
        if (!ucciso)
            break;
        ++punti;
        SCOPED_TRACE("killed at change " + std::to_string(k) + ", in step " + std::to_string(passo));
        const auto righe = riaperto();
        EXPECT_TRUE(righe == stati[passo] || righe == stati[passo + 1]) << ::testing::PrintToString(righe);
        snapshotSiApre();
        if (HasFailure())
            break;
    }
    EXPECT_GT(punti, 50);
    std::printf("session crash walk: %d kill points\n", punti);
}

TEST_F(SessionCrashWalk, ADiskThatFillsUpAtEveryWriteLeavesTheMovementsOfTheStepBefore) {
    const auto stati = statiDiRiferimento();
    int riempimenti = 0;
    for (int k = 0;; ++k) {
        ripristinaModello();
        std::size_t passo = 0;
        bool fallito = false;
        {
            auto faulty = std::make_shared<dbase::FaultyFileSystem>(disco);
            faulty->fillDiskAfterChanges(k);
            Finestra f(clock, faulty, dir.folder());
            const auto lista = passi();
            for (; passo < lista.size(); ++passo) {
                const std::size_t avvisi = f.ui.messages().size();
                try {
                    lista[passo](f);
                } catch (const std::exception&) {
                    fallito = true;
                }
                for (std::size_t m = avvisi; m < f.ui.messages().size(); ++m)
                    fallito = fallito || f.ui.messages()[m].text.find("non riuscit") != std::string::npos;
                if (fallito)
                    break;
            }
            faulty->heal();
        }
        if (!fallito)
            break; // the disk filled up after the session's last write
        ++riempimenti;
        SCOPED_TRACE("disk full from change " + std::to_string(k) + ", in step " + std::to_string(passo));
        // The failed step wrote nothing (a close answered No whose copy back failed keeps the session's work,
        // as its message says).
        EXPECT_EQ(riaperto(), stati[passo]);
        snapshotSiApre();
        if (HasFailure())
            break;
    }
    EXPECT_GT(riempimenti, 50);
    std::printf("session full-disk walk: %d points\n", riempimenti);
}

} // namespace
} // namespace valmora::testing
