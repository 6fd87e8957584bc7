// A save killed at random moments (SIGKILL, as a power cut or kill -9 would stop the program) must leave both the
// working files and the snapshot in a state that opens, with every row the working files held.

#include "MasterFixture.h"

#include "model/Movement.h"

#include <algorithm>

#include <chrono>
#include <csignal>
#include <random>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace valmora::testing {
namespace {

constexpr int kMovimenti = 1500;

int rowsIn(const std::string& folder, const std::string& name) {
    dbase::Table t;
    t.bind(folder, name);
    t.open();
    return t.recordCount();
}

TEST_F(MasterTest, ASaveKilledAtAnyMomentLeavesWorkingFilesAndSnapshotOpenable) {
    nuovo("C.dbf");
    {
        dbase::Table& t = master.DM().MainTable;
        for (int i = 0; i < kMovimenti; ++i) {
            Movement m{d(2026, 3, 15), d(2026, 3, 15),      "Accredito",
                       "Bonifico",     Money::fromWhole(i), "movimento " + std::to_string(i)};
            t.appendRecord(m.values());
        }
    }
    master.Stato().NumMovimenti = kMovimenti;
    // How long one save takes here: the kills are spread over a few of them.
    const auto start = std::chrono::steady_clock::now();
    master.Salva1Click();
    const auto saveMicros =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
    chiudi("si");
    const std::string backup = dir.folder() + "Backup/";

    std::mt19937 random(12345);
    std::uniform_int_distribution<long> delayMicros(0, 3 * std::max<long>(static_cast<long>(saveMicros), 1000));
    int killedMidCopy = 0;
    for (int round = 0; round < 16; ++round) {
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(ready[0]);
            // The child opens the account and saves over and over until it is killed.
            RecordingUserInterface childUi;
            FormMaster childMaster(childUi, clock);
            childMaster.Avvio(PreferenzeFinestra::Predefinite(dir.folder()));
            childUi.chooseFileInNextDialog(dir.folder() + "C.dbf");
            childMaster.Apri1Click();
            // Open: tell the parent, whose clock for the kill starts now.
            const char go = 'g';
            if (write(ready[1], &go, 1) != 1) {
                _exit(2);
            }
            for (;;) {
                childMaster.Salva1Click();
            }
        }
        close(ready[1]);
        char go = 0;
        ASSERT_EQ(read(ready[0], &go, 1), 1);
        close(ready[0]);
        usleep(static_cast<useconds_t>(delayMicros(random)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status));
        // A copy cut short leaves its temporary file beside the target it was about to replace.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(backup)) {
            // A file of the new snapshot written beside its target, or the register that commits them.
            const std::string name = entry.path().filename().string();
            if (entry.path().extension() == ".nuovo" || name.ends_with(".copia-in-corso")) {
                ++killedMidCopy;
                break;
            }
        }

        // Every table of both sets opens, and the movements keep every row.
        EXPECT_EQ(rowsIn(dir.folder(), "C.dbf"), kMovimenti) << "round " << round;
        EXPECT_EQ(rowsIn(backup, "C.dbf"), kMovimenti) << "round " << round;
        for (const char* sub : {kSottocartellaTassi, kSottocartellaAccrediti, kSottocartellaImpostazioni}) {
            EXPECT_EQ(rowsIn(AccountFileSet::folderOf(dir.folder(), sub), "C.dbf"),
                      std::string(sub) == kSottocartellaAccrediti ? 4 : 1)
                << sub << " round " << round;
            EXPECT_EQ(rowsIn(AccountFileSet::folderOf(backup, sub), "C.dbf"),
                      std::string(sub) == kSottocartellaAccrediti ? 4 : 1)
                << "Backup/" << sub << " round " << round;
        }
        if (HasFailure()) {
            break;
        }
    }
    EXPECT_GT(killedMidCopy, 0) << "no kill landed in the middle of a copy";

    // And the account opens in the program again, from the working files and from the restored snapshot.
    apri("C.dbf");
    ASSERT_TRUE(master.ContoAperto());
    EXPECT_EQ(master.DM().MainTable.recordCount(), kMovimenti);
    master.Stato().ModificheDaSalvare = true;
    chiudi("no");
    apri("C.dbf");
    EXPECT_EQ(master.DM().MainTable.recordCount(), kMovimenti);
}

} // namespace
} // namespace valmora::testing
