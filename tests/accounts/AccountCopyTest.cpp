#include "accounts/AccountCopy.h"

#include "core/Paths.h"
#include "dbase/FaultyFileSystem.h"
#include "dbase/FileSystem.h"
#include "dbase/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace valmora {
namespace {

namespace stdfs = std::filesystem;
using testing::readAll;
using testing::TempDir;
using testing::writeAll;

// The eight files of account N in folder D, relative to D.
const std::array<std::string, 8> kFiles = {"Accrediti/N.dbf",    "Accrediti/N.mdx",    "Tassi/N.dbf", "Tassi/N.mdx",
                                           "Impostazioni/N.dbf", "Impostazioni/N.mdx", "N.dbf",       "N.mdx"};

void makeAccount(const stdfs::path& folder, const std::string& tag) {
    for (const std::string& f : kFiles) {
        writeAll(folder / f, tag + " " + f);
    }
}

TEST(CreaCopia, CopiesTheEightFilesAndReplacesOlderCopies) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    makeAccount(dir.path() / "conto", "nuovo");
    makeAccount(dir.path() / "copia", "vecchio");
    writeAll(dir.path() / "conto" / "Altro.dbf", "un altro conto");

    EXPECT_TRUE(CreaCopia(*disk, dir.folder() + "copia/", dir.folder() + "conto/", "N.dbf"));
    for (const std::string& f : kFiles) {
        EXPECT_EQ(readAll(dir.path() / "copia" / f), "nuovo " + f) << f;
    }
    EXPECT_FALSE(stdfs::exists(dir.path() / "copia" / "Altro.dbf"));
    // No temporary file is left beside any target.
    for (const auto& entry : stdfs::recursive_directory_iterator(dir.path() / "copia")) {
        EXPECT_NE(entry.path().filename(), kFileTemporaneo) << entry.path();
    }
}

// Names are UTF-8 in the program; on Windows the system takes UTF-16, and a name read in the wrong code page would
// come out as "PiÃ¹" beside the right one.
TEST(CreaCopia, AnAccentedNameKeepsItsAccentsOnDisk) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    const std::string name = "Più Caffè";
    for (const char* f : {"Accrediti/", "Tassi/", "Impostazioni/", ""}) {
        for (const char* ext : {".dbf", ".mdx"}) {
            writeAll(toPath(dir.folder() + "conto/" + f + name + ext), "x");
        }
    }
    ASSERT_TRUE(CreaCopia(*disk, dir.folder() + "copia/", dir.folder() + "conto/", name + ".dbf"));
    std::vector<std::string> written;
    for (const auto& entry : stdfs::recursive_directory_iterator(dir.path() / "copia")) {
        if (entry.is_regular_file())
            written.push_back(fromPath(entry.path().lexically_relative(dir.path() / "copia")));
    }
    std::sort(written.begin(), written.end());
    EXPECT_EQ(written, (std::vector<std::string>{"Accrediti/" + name + ".dbf", "Accrediti/" + name + ".mdx",
                                                 "Impostazioni/" + name + ".dbf", "Impostazioni/" + name + ".mdx",
                                                 name + ".dbf", name + ".mdx", "Tassi/" + name + ".dbf",
                                                 "Tassi/" + name + ".mdx"}));
}

TEST(CreaCopia, StopsAtTheFirstMissingFileKeepingTheCopiesMadeBefore) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    makeAccount(dir.path() / "conto", "x");
    stdfs::remove(dir.path() / "conto" / "Impostazioni" / "N.mdx");
    stdfs::create_directories(dir.path() / "dest");

    EXPECT_FALSE(CreaCopia(*disk, dir.folder() + "dest/", dir.folder() + "conto/", "N.dbf"));
    EXPECT_TRUE(stdfs::exists(dir.path() / "dest" / "Accrediti" / "N.dbf"));
    EXPECT_TRUE(stdfs::exists(dir.path() / "dest" / "Tassi" / "N.mdx"));
    EXPECT_TRUE(stdfs::exists(dir.path() / "dest" / "Impostazioni" / "N.dbf"));
    EXPECT_FALSE(stdfs::exists(dir.path() / "dest" / "N.dbf"));
}

TEST(CreaCopia, AFolderCopiedOntoItselfIsRefusedAndLeftIntact) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    makeAccount(dir.path(), "originale");
    // The same folder spelt three ways: as given, without the separator, and through "..".
    EXPECT_FALSE(CreaCopia(*disk, dir.folder(), dir.folder(), "N.dbf"));
    EXPECT_FALSE(CreaCopia(*disk, dir.path().string(), dir.folder(), "N.dbf"));
    EXPECT_FALSE(CreaCopia(*disk, dir.folder() + "Tassi/../", dir.folder(), "N.dbf"));
#ifndef _WIN32
    // And through a symbolic link (Windows lets only administrators make one, Wine not at all).
    stdfs::create_directory_symlink(dir.path(), dir.path().parent_path() / (dir.path().filename().string() + "-l"));
    const stdfs::path link = dir.path().parent_path() / (dir.path().filename().string() + "-l");
    EXPECT_FALSE(CreaCopia(*disk, link.string() + "/", dir.folder(), "N.dbf"));
    stdfs::remove(link);
#endif
    for (const std::string& f : kFiles) {
        EXPECT_EQ(readAll(dir.path() / f), "originale " + f) << f;
    }
}

TEST(CreaCopia, ACopyIntoTheAccountsOwnSubfoldersOrAboveThemIsRefusedBeforeWritingAnything) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    makeAccount(dir.path(), "originale");
    // Into its own rates folder the movements would overwrite the rates; into the parent of an account kept in a
    // Tassi folder, its rates would overwrite its movements.
    EXPECT_FALSE(CreaCopia(*disk, dir.folder() + "Tassi/", dir.folder(), "N.dbf"));
    EXPECT_FALSE(CreaCopia(*disk, dir.folder() + "Impostazioni/", dir.folder(), "N.dbf"));
    EXPECT_FALSE(stdfs::exists(dir.path() / "Tassi" / "Accrediti"));
    makeAccount(dir.path() / "Tassi", "annidato");
    EXPECT_FALSE(CreaCopia(*disk, dir.folder(), dir.folder() + "Tassi/", "N.dbf"));
    for (const std::string& f : kFiles) {
        EXPECT_EQ(readAll(dir.path() / f).substr(0, 9), f.rfind("Tassi/", 0) == 0 ? "annidato " : "originale") << f;
    }
    EXPECT_EQ(readAll(dir.path() / "Tassi" / "N.dbf"), "annidato N.dbf");
}

TEST(CreaCopia, WorksWithPathsFarLongerThanTheOldLimit) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    stdfs::path deep = dir.path();
    for (int i = 0; i < 6; ++i) {
        deep /= std::string(60, static_cast<char>('a' + i));
    }
    makeAccount(deep / "conto", "lungo");
    const std::string name = std::string(100, 'N') + ".dbf";
    for (std::string sub : {"Accrediti/", "Tassi/", "Impostazioni/", ""}) {
        stdfs::rename(deep / "conto" / (sub + "N.dbf"), deep / "conto" / (sub + std::string(100, 'N') + ".dbf"));
        stdfs::rename(deep / "conto" / (sub + "N.mdx"), deep / "conto" / (sub + std::string(100, 'N') + ".mdx"));
    }
    ASSERT_GT((deep / "copia" / "Impostazioni" / name).string().size(), 500U);
    stdfs::create_directories(deep / "copia");
    EXPECT_TRUE(CreaCopia(*disk, (deep / "copia").string() + "/", (deep / "conto").string() + "/", name));
    EXPECT_EQ(readAll(deep / "copia" / "Impostazioni" / name), "lungo Impostazioni/N.dbf");

    // A file name at the file system's own limit (255 bytes) still leaves room for the temporary copy.
    const std::string longest = std::string(251, 'L') + ".dbf";
    writeAll(dir.path() / "a" / longest, "al limite");
    EXPECT_TRUE(CopiaFile(*disk, (dir.path() / "a" / longest).string(), dir.folder(), ".dbf"));
    EXPECT_EQ(readAll(dir.path() / longest), "al limite");
}

TEST(CopiaFile, AWriteFailingHalfwayLeavesTheOldTargetWhole) {
    TempDir dir;
    const std::string big(300000, 'n');
    writeAll(dir.path() / "src" / "N.dbf", big);
    writeAll(dir.path() / "dst" / "N.dbf", "la copia buona di prima");

    auto faulty = std::make_shared<dbase::FaultyFileSystem>();
    faulty->failWritesAfterBytes(1000);
    EXPECT_FALSE(CopiaFile(*faulty, dir.folder() + "src/N.dbf", dir.folder() + "dst/", ".dbf"));
    EXPECT_EQ(readAll(dir.path() / "dst" / "N.dbf"), "la copia buona di prima");
    EXPECT_FALSE(stdfs::exists(dir.path() / "dst" / kFileTemporaneo));

    faulty->heal();
    EXPECT_TRUE(CopiaFile(*faulty, dir.folder() + "src/N.dbf", dir.folder() + "dst/", ".dbf"));
    EXPECT_EQ(readAll(dir.path() / "dst" / "N.dbf"), big);
}

TEST(CopiaFile, UsesTheSourceNameWithTheGivenExtensionAndHonoursFailIfExists) {
    TempDir dir;
    auto disk = dbase::diskFileSystem();
    writeAll(dir.path() / "Conto.mdx", "indice");
    writeAll(dir.path() / "out" / "Conto.mdx", "vecchio");
    // The extension replaces the last four characters of the name given.
    EXPECT_FALSE(CopiaFile(*disk, dir.folder() + "Conto.dbf", dir.folder() + "out/", ".mdx", true));
    EXPECT_EQ(readAll(dir.path() / "out" / "Conto.mdx"), "vecchio");
    EXPECT_TRUE(CopiaFile(*disk, dir.folder() + "Conto.dbf", dir.folder() + "out/", ".mdx"));
    EXPECT_EQ(readAll(dir.path() / "out" / "Conto.mdx"), "indice");
    // A file onto itself is refused, not truncated.
    EXPECT_FALSE(CopiaFile(*disk, dir.folder() + "Conto.dbf", dir.folder(), ".mdx"));
    EXPECT_EQ(readAll(dir.path() / "Conto.mdx"), "indice");
}

} // namespace
} // namespace valmora
