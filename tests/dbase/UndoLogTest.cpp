// A command taken back through its undo log: the table's file byte for byte as it was when the log
// began, whatever the command wrote (rewrites, deletions, appends, a regeneration's many rewrites)
// and wherever a kill stopped it.

#include "MovementsFixture.h"
#include "TempDir.h"
#include "dbase/FaultyFileSystem.h"
#include "dbase/UndoLog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace valmora::dbase::testing {
namespace {

// The command: every row's amount rewritten (more rows than the log keeps one by one), one deleted,
// two appended.
void changeEverything(Table& t) {
    for (t.first(); !t.eof(); t.next()) {
        t.edit();
        t.fieldByName("IMPORTO").setMoney(t.fieldByName("IMPORTO").asMoney() + Money::fromWhole(1000));
        t.post();
    }
    t.first();
    t.deleteRecord();
    t.appendRecord(movement(ymd(2005, 3, 1), ymd(2005, 3, 1), "Prelievo", "Sportello", Money::fromWhole(5), "nuova"));
    t.appendRecord(movement(ymd(2005, 3, 2), ymd(2005, 3, 2), "Prelievo", "Sportello", Money::fromWhole(6), "altra"));
}

TEST(UndoLog, RestoringPutsBackTheFileAsItWasBeforeRewritesDeletionsAndAppends) {
    TempDir dir;
    createMovements(dir.str(), 40);
    const std::string table = dir.file("conto.dbf");
    const std::string log = table + ".annulla";
    const std::string before = readAll(table);
    {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.setIndexName("Valuta");
        t.beginUndo(log);
        changeEverything(t);
        t.close(); // still logging: the close compacts nothing
        t.endUndo();
    }
    ASSERT_NE(readAll(table), before);
    auto disk = diskFileSystem();
    EXPECT_TRUE(UndoLog::restore(*disk, table, log, dir.str()));
    EXPECT_EQ(readAll(table), before);
    EXPECT_FALSE(disk->exists(log));
}

TEST(UndoLog, AKillAtEveryWriteOfTheCommandLeavesALogThatPutsTheFileBack) {
    int points = 0;
    for (int k = 0;; ++k) {
        TempDir dir;
        createMovements(dir.str(), 30);
        const std::string table = dir.file("conto.dbf");
        const std::string log = table + ".annulla";
        const std::string before = readAll(table);
        auto faulty = std::make_shared<FaultyFileSystem>();
        bool finished = false;
        {
            Table t(faulty);
            t.bind(dir.str(), "conto.dbf");
            t.open();
            faulty->crashAfterChanges(k, 7);
            try {
                t.beginUndo(log);
                changeEverything(t);
                finished = true;
            } catch (const SimulatedCrash&) {
            } catch (const TableError&) {
                ASSERT_TRUE(faulty->crashed()); // only the kill stops it
            }
        }
        auto disk = diskFileSystem();
        UndoLog::restore(*disk, table, log, dir.str());
        EXPECT_EQ(readAll(table), before) << "killed after " << k << " changes";
        ++points;
        if (finished)
            break;
    }
    EXPECT_GT(points, 20);
}

TEST(UndoLog, AWholeCopyLeftByAnEarlierVersionIsStillPutBack) {
    TempDir dir;
    createMovements(dir.str(), 3);
    const std::string table = dir.file("conto.dbf");
    const std::string before = readAll(table);
    writeAll(table + ".annulla", before);
    {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.appendRecord(movement(ymd(2005, 3, 1), ymd(2005, 3, 1), "Prelievo", "Sportello", Money::fromWhole(5), "x"));
    }
    auto disk = diskFileSystem();
    EXPECT_TRUE(UndoLog::restore(*disk, table, table + ".annulla", dir.str()));
    EXPECT_EQ(readAll(table), before);
}

// A kill between the log's creation and its first synced bytes leaves it empty, or holding part of its mark: the
// command had not written yet, so the table stays as it is, and such a file is never taken for a whole copy.
TEST(UndoLog, ALogCutBeforeItsStartWasWrittenLeavesTheTableAsItIs) {
    TempDir dir;
    createMovements(dir.str(), 3);
    const std::string table = dir.file("conto.dbf");
    const std::string before = readAll(table);
    auto disk = diskFileSystem();
    for (const std::string& cut : std::vector<std::string>{"", "V", "VUN", "VUND", std::string("VUND\x10\0", 6)}) {
        writeAll(table + ".annulla", cut);
        EXPECT_TRUE(UndoLog::restore(*disk, table, table + ".annulla", dir.str()));
        EXPECT_EQ(readAll(table), before) << '"' << cut << '"';
        EXPECT_FALSE(disk->exists(table + ".annulla"));
    }
}

} // namespace
} // namespace valmora::dbase::testing
