// The all-or-nothing copy of an account's eight files (the snapshot and its copy back): stopped at every change to
// the disk, or failed by a full disk at every byte, the targets are afterwards all old or all new, never mixed.

#include "accounts/CopiaInsieme.h"
#include "dbase/FaultyFileSystem.h"
#include "dbase/TempDir.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace valmora::testing {
namespace {

constexpr const char* kConto = "Conto.dbf";

// Eight files of distinct contents in `folder`, tagged so a mix of two generations shows.
void scriviConto(const std::string& folder, const std::string& tag) {
    for (const auto& [from, to] : FileDelConto(folder, folder, kConto)) {
        writeAll(to, tag + " " + std::filesystem::path(to).filename().string() + std::string(3000, 'x'));
    }
}

// "old", "new" or "mixed"/"missing" for the eight targets in `folder`.
std::string generazione(const std::string& folder) {
    std::string found;
    for (const auto& [from, to] : FileDelConto(folder, folder, kConto)) {
        if (!std::filesystem::exists(to))
            return "missing";
        const std::string tag = readAll(to).substr(0, 3);
        if (found.empty())
            found = tag;
        else if (found != tag)
            return "mixed";
    }
    return found;
}

class CopiaInsiemeTest : public ::testing::Test {
protected:
    TempDir dir;
    std::string sorgente = dir.folder() + "conto/";
    std::string backup = dir.folder() + "conto/Backup/";
    std::string registro = backup + "Conto.dbf.copia-in-corso";

    void SetUp() override {
        scriviConto(sorgente, "new");
        scriviConto(backup, "old");
    }
    CoppieFile coppie() const { return FileDelConto(sorgente, backup, kConto); }
};

TEST_F(CopiaInsiemeTest, CopiesEveryFileAndLeavesNothingBehind) {
    auto disk = dbase::diskFileSystem();
    CopiaInsieme(*disk, coppie(), registro);
    EXPECT_EQ(generazione(backup), "new");
    EXPECT_FALSE(std::filesystem::exists(registro));
    for (const auto& [from, to] : coppie())
        EXPECT_FALSE(std::filesystem::exists(to + ".nuovo")) << to;
}

TEST_F(CopiaInsiemeTest, StoppedAtAnyChangeTheNextOpenFindsAllOldOrAllNew) {
    int total = 0;
    {
        auto counting = std::make_shared<dbase::FaultyFileSystem>();
        CopiaInsieme(*counting, coppie(), registro);
        total = counting->changes();
    }
    ASSERT_GT(total, 16);
    int vecchie = 0;
    int nuove = 0;
    for (int k = 0; k < total; ++k) {
        SCOPED_TRACE("stopped after change " + std::to_string(k));
        scriviConto(backup, "old");
        auto faulty = std::make_shared<dbase::FaultyFileSystem>();
        faulty->crashAfterChanges(k, 7);
        EXPECT_THROW(CopiaInsieme(*faulty, coppie(), registro), dbase::SimulatedCrash);
        CompletaCopiaInterrotta(*dbase::diskFileSystem(), registro);
        const std::string g = generazione(backup);
        ASSERT_TRUE(g == "old" || g == "new") << g;
        (g == "old" ? vecchie : nuove)++;
        EXPECT_FALSE(std::filesystem::exists(registro));
    }
    EXPECT_GT(vecchie, 0);
    EXPECT_GT(nuove, 0);
}

TEST_F(CopiaInsiemeTest, AFullDiskLeavesThePreviousCopyWholeAndNamesTheFile) {
    for (std::uint64_t budget : {0ULL, 100ULL, 3100ULL, 12000ULL, 24000ULL, 24500ULL}) {
        SCOPED_TRACE("disk full after " + std::to_string(budget) + " bytes");
        scriviConto(backup, "old");
        auto faulty = std::make_shared<dbase::FaultyFileSystem>();
        faulty->failWritesAfterBytes(budget);
        try {
            CopiaInsieme(*faulty, coppie(), registro);
            ADD_FAILURE() << "the copy did not fail";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find("il file: " + backup), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("(disco pieno)"), std::string::npos) << e.what();
        }
        EXPECT_EQ(generazione(backup), "old");
        EXPECT_FALSE(std::filesystem::exists(registro));
        for (const auto& [from, to] : coppie())
            EXPECT_FALSE(std::filesystem::exists(to + ".nuovo")) << to;
    }
}

} // namespace
} // namespace valmora::testing
