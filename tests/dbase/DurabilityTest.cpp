// A post that returned is on disk, whatever happens after it: crashes at every
// write point, torn writes, a full disk, and files cut short by a crash.

#include "MovementsFixture.h"
#include "dbase/FaultyFileSystem.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

namespace valmora::dbase::testing {
namespace {

using Rows = std::vector<std::pair<std::string, Money>>; // COMMENTO, IMPORTO in file order

Rows readBack(const std::string& folder) {
    Table t;
    t.bind(folder, "conto.dbf");
    t.open();
    Rows rows;
    for (t.first(); !t.eof(); t.next())
        rows.emplace_back(t.fieldByName("COMMENTO").asString(), t.fieldByName("IMPORTO").asMoney());
    return rows;
}

// The steps of a working session, each applied to the model of what is on disk once it returns.
// A step made of several independent writes may also be cut between them: `partly` models that.
struct Step {
    std::function<void(Table&)> apply;
    std::function<void(Rows&)> model;
    std::function<void(Rows&)> partly = nullptr;
};

std::vector<Step> sessionSteps() {
    std::vector<Step> steps;
    for (int i = 0; i < 3; ++i) {
        const std::string comment = "nuova " + std::to_string(i);
        steps.push_back({[=](Table& t) {
                             t.appendRecord(movement(ymd(2005, 2, 1), ymd(2005, 2, 1), "Prelievo", "Sportello",
                                                     Money::fromUnits(-12345 - i), comment));
                         },
                         [=](Rows& r) { r.emplace_back(comment, Money::fromUnits(-12345 - i)); }});
    }
    steps.push_back({[](Table& t) {
                             t.first();
                             t.next();
                             t.edit();
                             t.fieldByName("IMPORTO").setMoney(Money::fromWhole(99));
                             t.fieldByName("COMMENTO").setString("modificata");
                             t.post();
                         },
                         [](Rows& r) { r[1] = {"modificata", Money::fromWhole(99)}; }});
    steps.push_back({[](Table& t) {
                         t.first();
                         t.deleteRecord();
                     },
                     [](Rows& r) { r.erase(r.begin()); }});
    steps.push_back({[](Table& t) {
                         t.appendRecord(movement(ymd(2005, 3, 1), ymd(2005, 3, 1), "Addebito", "Utenze",
                                                 Money::fromWhole(-7), "dopo la cancellazione"));
                     },
                     [](Rows& r) { r.emplace_back("dopo la cancellazione", Money::fromWhole(-7)); }});
    steps.push_back({[](Table& t) { // all of them or none
                         t.appendRecords({movement(ymd(2005, 3, 2), ymd(2005, 3, 2), "Imposta", "Bolli",
                                                   Money::fromWhole(-2), "in blocco 1"),
                                          movement(ymd(2005, 3, 3), ymd(2005, 3, 3), "Imposta", "Bolli",
                                                   Money::fromWhole(-3), "in blocco 2")});
                     },
                     [](Rows& r) {
                         r.emplace_back("in blocco 1", Money::fromWhole(-2));
                         r.emplace_back("in blocco 2", Money::fromWhole(-3));
                     }});
    steps.push_back({[](Table& t) { // neighbours in the file: one write
                         t.deleteWhere([&] { return t.fieldByName("COMMENTO").asString().starts_with("in blocco"); });
                     },
                     [](Rows& r) {
                         std::erase_if(r, [](const auto& row) { return row.first.starts_with("in blocco"); });
                     },
                     // a torn write marks the first record and not the second
                     [](Rows& r) { std::erase_if(r, [](const auto& row) { return row.first == "in blocco 1"; }); }});
    steps.push_back({[](Table& t) { t.close(); }, [](Rows&) {}}); // compacts: a deleted row exists
    return steps;
}

// Runs the session with a crash after `crashAt` changes; returns what the file may hold: the rows before
// and after the step that was running when the process died (or the rows after the last step), and
// the step done in part where it can be.
// Whether the byte right after the counted records is the end mark, where a reader that stops at it
// looks. To be asked before any open of ours, which would mend it.
bool endMarkAfterCountedRecords(const std::string& folder) {
    std::ifstream in(folder + "/conto.dbf", std::ios::binary);
    const std::string file((std::istreambuf_iterator<char>(in)), {});
    const auto u16 = [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(file[at])) |
               static_cast<std::size_t>(static_cast<unsigned char>(file[at + 1])) << 8;
    };
    const std::size_t end = u16(8) + (u16(4) | u16(6) << 16) * u16(10);
    return file.size() > end && file[end] == '\x1A';
}

std::vector<Rows> runUntilCrash(const std::string& folder, int crashAt, std::optional<std::size_t> torn,
                                    bool& crashed) {
    Rows committed = readBack(folder);
    auto fs = std::make_shared<FaultyFileSystem>();
    {
        Table t(fs);
        t.bind(folder, "conto.dbf");
        t.setIndexName("Valuta");
        t.open();
        t.setIndexName(""); // file order, so the steps' "first" and "next" are simple to model
        fs->crashAfterChanges(crashAt, torn);
        for (const Step& step : sessionSteps()) {
            Rows after = committed;
            step.model(after);
            try {
                step.apply(t);
            } catch (const SimulatedCrash&) {
                crashed = true;
                std::vector<Rows> possible = {committed, after};
                if (step.partly) {
                    possible.push_back(committed);
                    step.partly(possible.back());
                }
                return possible;
            }
            committed = after;
        }
    }
    crashed = fs->crashed();
    return {committed};
}

TEST(Durability, ACrashAtAnyWritePointNeverLosesAPostedRow) {
    // A write torn after 7 bytes stops inside the first date; one torn after 100 bytes lands an edit's
    // new amount (bytes 52-71) but not its new comment, the half old, half new row a journal prevents.
    for (const std::optional<std::size_t> torn : {std::optional<std::size_t>(), std::optional<std::size_t>(7),
                                                  std::optional<std::size_t>(100)}) {
        int crashAt = 0;
        for (bool crashed = true; crashed; ++crashAt) {
            SCOPED_TRACE("crash after " + std::to_string(crashAt) + " changes" +
                         (torn ? ", torn after " + std::to_string(*torn) + " bytes" : ""));
            TempDir dir;
            createMovements(dir.str(), 2);
            crashed = false;
            const std::vector<Rows> possible = runUntilCrash(dir.str(), crashAt, torn, crashed);
            Rows found;
            ASSERT_NO_THROW(found = readBack(dir.str()));
            EXPECT_TRUE(std::find(possible.begin(), possible.end(), found) != possible.end())
                << "rows found: " << found.size() << (found.size() > 1 ? ", the second: " + found[1].first : "");

            // The file goes on working: one more row is kept, and nothing else moves.
            Rows expected = found;
            {
                Table t;
                t.bind(dir.str(), "conto.dbf");
                t.open();
                t.appendRecord(
                    movement(ymd(2005, 4, 1), ymd(2005, 4, 1), "Accredito", "Bonifico", Money::fromWhole(1), "ultima"));
                expected.emplace_back("ultima", Money::fromWhole(1));
            }
            EXPECT_EQ(readBack(dir.str()), expected);
        }
        EXPECT_GT(crashAt, 8) << "the session should have many write points";
    }
}

TEST(Durability, AFullDiskFailsThePostWithAMessageAndKeepsTheFileReadable) {
    TempDir dir;
    createMovements(dir.str(), 2);
    const Rows original = readBack(dir.str());
    for (std::uint64_t budget : {0, 1, 100, 320, 321}) {
        SCOPED_TRACE("bytes allowed: " + std::to_string(budget));
        auto fs = std::make_shared<FaultyFileSystem>();
        Table t(fs);
        t.bind(dir.str(), "conto.dbf");
        t.open();
        fs->failWritesAfterBytes(budget);
        t.append();
        t.fieldByName("COMMENTO").setString("non entra");
        try {
            t.post();
            FAIL() << "the post should have failed";
        } catch (const TableError& e) {
            EXPECT_NE(std::string(e.what()).find("il disco è pieno"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find("conto.dbf"), std::string::npos) << e.what();
        }
        EXPECT_TRUE(t.isEditing()) << "the typed row stays in the buffer for another try";
        EXPECT_EQ(t.recordCount(), 2);
        EXPECT_TRUE(endMarkAfterCountedRecords(dir.str()));
        EXPECT_EQ(readBack(dir.str()), original);
        t.cancel();
    }

    // Once there is room again, the same table object saves.
    auto fs = std::make_shared<FaultyFileSystem>();
    Table t(fs);
    t.bind(dir.str(), "conto.dbf");
    t.open();
    fs->failWritesAfterBytes(10);
    t.append();
    EXPECT_EQ(t.recordCount(), 2);
    t.fieldByName("COMMENTO").setString("al secondo tentativo");
    EXPECT_THROW(t.post(), TableError);
    fs->heal();
    t.post();
    t.close();
    EXPECT_EQ(readBack(dir.str()).back().first, "al secondo tentativo");
}

TEST(Durability, AFailedEditOrDeleteLeavesTheRowAsItWas) {
    TempDir dir;
    createMovements(dir.str(), 3);
    auto fs = std::make_shared<FaultyFileSystem>();
    Table t(fs);
    t.bind(dir.str(), "conto.dbf");
    t.open();
    fs->failWritesAfterBytes(0, FileError::Kind::Other);
    t.edit();
    t.fieldByName("COMMENTO").setString("cambiato");
    EXPECT_THROW(t.post(), TableError);
    t.cancel();
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "riga 0");
    EXPECT_THROW(t.deleteRecord(), TableError);
    EXPECT_EQ(t.recordCount(), 3);
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "riga 0");
}

std::uintmax_t fileSize(const std::string& path) {
    return std::filesystem::file_size(path);
}

TEST(Durability, ARecordTornByACrashIsDroppedAndNothingElse) {
    TempDir dir;
    createMovements(dir.str(), 3);
    const std::string path = dir.file("conto.dbf");
    const std::uintmax_t full = fileSize(path);

    // The count says three, but the third record was cut in the middle (and has no end mark).
    std::filesystem::resize_file(path, full - 1 - 100);
    Rows rows = readBack(dir.str());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].first, "riga 1");

    // The file was trimmed to a clean end: an append lands right after the second record.
    {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.appendRecord(movement(ymd(2005, 5, 1), ymd(2005, 5, 1), "Accredito", "Bonifico", Money(), "dopo"));
    }
    rows = readBack(dir.str());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2].first, "dopo");
    EXPECT_EQ(fileSize(path), full);
}

TEST(Durability, BytesPastTheRecordCountAreIgnored) {
    TempDir dir;
    createMovements(dir.str(), 2);
    const std::string path = dir.file("conto.dbf");
    {
        // A record written but not yet counted when the process died, plus a stray half record.
        std::ofstream out(path, std::ios::binary | std::ios::app);
        out << std::string(400, 'x');
    }
    EXPECT_EQ(readBack(dir.str()).size(), 2u);
    createMovements(dir.str(), 0); // recreating replaces the file whole
    EXPECT_EQ(readBack(dir.str()).size(), 0u);
}

TEST(Durability, DeletedRowsAreCompactedAtCloseAndOpenKeepingRecordOrder) {
    TempDir dir;
    createMovements(dir.str(), 5);
    const std::string path = dir.file("conto.dbf");
    const std::uintmax_t full = fileSize(path);
    {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.moveTo(2);
        t.deleteRecord();
        t.moveTo(3);
        t.deleteRecord();
        EXPECT_EQ(fileSize(path), full) << "a delete only flags the record";
    }
    const Rows rows = readBack(dir.str());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].first, "riga 0");
    EXPECT_EQ(rows[1].first, "riga 2");
    EXPECT_EQ(rows[2].first, "riga 4");
    EXPECT_LT(fileSize(path), full);
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    // A file with a flagged record (written by another program, or a session that died before
    // closing) is compacted when opened.
    {
        std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
        char header[12];
        f.read(header, 12);
        const auto headerLength = static_cast<unsigned char>(header[8]) | static_cast<unsigned char>(header[9]) << 8;
        f.seekp(headerLength);
        f.put('*');
    }
    const std::uintmax_t flagged = fileSize(path);
    const Rows after = readBack(dir.str());
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0].first, "riga 2");
    EXPECT_LT(fileSize(path), flagged);
}

TEST(Durability, ALeftOverTemporaryFileIsNeverTakenForTheTable) {
    TempDir dir;
    createMovements(dir.str(), 2);
    {
        std::ofstream out(dir.file("conto.dbf.tmp"), std::ios::binary);
        out << "half a compaction";
    }
    EXPECT_EQ(readBack(dir.str()).size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(dir.file("conto.dbf.tmp")));
}

TEST(Durability, EveryPostReachesTheFileAtOnceAndBulkChangesFlushOnceAtTheEnd) {
    TempDir dir;
    createMovements(dir.str(), 1);
    auto fs = std::make_shared<FaultyFileSystem>();
    Table t(fs);
    t.bind(dir.str(), "conto.dbf");
    t.open();
    const int syncsAtStart = fs->syncs();
    t.appendRecord(movement(ymd(2005, 6, 1), ymd(2005, 6, 1), "Accredito", "Bonifico", Money(), "subito"));
    EXPECT_EQ(fs->syncs(), syncsAtStart + 1) << "a single post is flushed to the disk";

    t.disableControls();
    for (int i = 0; i < 3; ++i)
        t.appendRecord(movement(ymd(2005, 6, 2), ymd(2005, 6, 2), "Accredito", "Bonifico", Money(), "in blocco"));
    t.first();
    t.edit();
    t.fieldByName("COMMENTO").setString("modificato in blocco");
    t.post();
    // The edit's journal entry is synced before its record is overwritten; the table's flush waits.
    EXPECT_EQ(fs->syncs(), syncsAtStart + 2) << "inside a bulk change the flush waits";
    EXPECT_EQ(readBack(dir.str()).size(), 5u) << "but every row is already in the file";
    EXPECT_EQ(readBack(dir.str()).front().first, "modificato in blocco");
    t.enableControls();
    EXPECT_EQ(fs->syncs(), syncsAtStart + 3);
    EXPECT_FALSE(std::filesystem::exists(dir.file("conto.dbf.jnl"))) << "the journal goes with the flush";
}

TEST(Durability, AFileOpenTwiceIsNotCompactedUnderTheOtherTable) {
    TempDir dir;
    createMovements(dir.str(), 3);
    Table first;
    first.bind(dir.str(), "conto.dbf");
    first.open();
    first.deleteRecord();
    {
        Table second;
        second.bind(dir.str(), "conto.dbf");
        second.open(); // must not replace the file the first table writes to
        EXPECT_EQ(second.recordCount(), 2);
        EXPECT_THROW(second.pack(), TableError);
    }
    first.appendRecord(movement(ymd(2005, 7, 1), ymd(2005, 7, 1), "Accredito", "Bonifico", Money(), "dopo"));
    first.close(); // now alone: compacts
    const Rows rows = readBack(dir.str());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.back().first, "dopo");
}


TEST(Durability, RowsAppendedTogetherFailTogether) {
    TempDir dir;
    createMovements(dir.str(), 2);
    const Rows original = readBack(dir.str());
    const std::vector<std::vector<Value>> rows = {
        movement(ymd(2005, 1, 5), ymd(2005, 1, 5), "Imposta", "Bolli", Money::fromWhole(-1), "prima"),
        movement(ymd(2005, 1, 6), ymd(2005, 1, 6), "Imposta", "Bolli", Money::fromWhole(-2), "seconda")};

    auto fs = std::make_shared<FaultyFileSystem>();
    Table t(fs);
    t.bind(dir.str(), "conto.dbf");
    t.open();
    fs->failWritesAfterBytes(400); // room for one record and a bit: not for both
    EXPECT_THROW(t.appendRecords(rows), TableError);
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_TRUE(endMarkAfterCountedRecords(dir.str()));
    EXPECT_EQ(readBack(dir.str()), original);

    // A value a field refuses stops the whole lot before anything is written.
    fs->heal();
    auto refused = rows;
    refused.back()[5] = std::string("non in cp1252: \u2713");
    EXPECT_THROW(t.appendRecords(refused), TableError);
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(readBack(dir.str()), original);

    t.appendRecords(rows);
    EXPECT_EQ(t.recordCount(), 4);
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "seconda") << "the cursor is on the last row appended";
    t.close();
    Rows expected = original;
    expected.emplace_back("prima", Money::fromWhole(-1));
    expected.emplace_back("seconda", Money::fromWhole(-2));
    EXPECT_EQ(readBack(dir.str()), expected);
}

// The same rows appended one by one and all at once make the same file, byte for byte, the same
// order among equal keys and the same current row, with a filter on or off, few rows or many.
TEST(Durability, AppendingTogetherOrOneByOneMakesTheSameFile) {
    auto rowsOf = [](int n, int salt) {
        std::vector<std::vector<Value>> rows;
        for (int i = 0; i < n; ++i) {
            const Date d = ymd(2005, 1, 1 + (i * 7 + salt) % 28);
            rows.push_back(movement(d, d, i % 2 ? "Imposta" : "Prelievo", "Bolli", Money::fromUnits(-i),
                                    "caffè " + std::to_string(salt) + "/" + std::to_string(i)));
        }
        return rows;
    };
    auto bytes = [](const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    for (const int existing : {0, 40, 3000})
        for (const int appended : {5, 200})
            for (const bool filtered : {false, true}) {
                SCOPED_TRACE(std::to_string(existing) + " rows, " + std::to_string(appended) + " appended" +
                             (filtered ? ", filtered" : ""));
                TempDir one;
                TempDir all;
                std::vector<std::string> seen;
                for (const std::string& folder : {one.str(), all.str()}) {
                    Table t;
                    t.bind(folder, "conto.dbf");
                    t.create(movementFields(), {"Valuta", "VALUTA"});
                    t.setIndexName("Valuta");
                    t.open();
                    t.appendRecords(rowsOf(existing, 0));
                    t.setFilter("Operazione ='Imposta'");
                    t.setFiltered(filtered);
                    const auto rows = rowsOf(appended, 1);
                    if (folder == one.str())
                        for (const auto& r : rows)
                            t.appendRecord(r);
                    else
                        t.appendRecords(rows);
                    std::string s = "current " + t.fieldByName("COMMENTO").asString() + ";";
                    for (const std::string& c : walkComments(t))
                        s += c + ";";
                    t.setFiltered(false);
                    for (const std::string& c : walkComments(t))
                        s += c + ";";
                    seen.push_back(s);
                }
                EXPECT_EQ(seen[0], seen[1]);
                EXPECT_EQ(bytes(one.str() + "/conto.dbf"), bytes(all.str() + "/conto.dbf"));
            }
}


std::size_t recordLengthOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char header[12] = {};
    in.read(reinterpret_cast<char*>(header), sizeof header);
    return header[10] | (header[11] << 8);
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A rewrite that lands in part and then fails must not show in the row the table holds.
TEST(Durability, ARewriteThatLandsInPartLeavesTheOpenRowAsItWas) {
    TempDir dir;
    createMovements(dir.str(), 3);
    const std::string path = dir.file("conto.dbf");
    auto fs = std::make_shared<FaultyFileSystem>();
    Table t(fs);
    t.bind(dir.str(), "conto.dbf");
    t.open();
    // The journal entry (magic, offset, length, the record less its flag, checksum) goes whole,
    // the record itself all but its last byte.
    const std::size_t journalEntry = 4 + 12 + (recordLengthOf(path) - 1) + 4;
    fs->failWritesAfterBytes(journalEntry + recordLengthOf(path) - 1, FileError::Kind::Other);
    t.edit();
    t.fieldByName("COMMENTO").setString("cambiato");
    EXPECT_THROW(t.post(), TableError);
    ASSERT_NE(fileBytes(path).find("cambiato"), std::string::npos) << "the write did land in part";
    t.cancel();
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 0", "riga 1", "riga 2"}));
    // Once the disk works again, the next sync puts the old bytes back before the journal goes.
    fs->heal();
    t.close();
    EXPECT_EQ(fileBytes(path).find("cambiato"), std::string::npos);
    EXPECT_EQ(readBack(dir.str()).front().first, "riga 0");
}

TEST(Durability, ARowWhoseFailedDeletionMarkedTheFileIsSavedWholeByItsNextPost) {
    TempDir dir;
    createMovements(dir.str(), 4);
    const std::string path = dir.file("conto.dbf");
    auto fs = std::make_shared<FaultyFileSystem>();
    {
        Table t(fs);
        t.bind(dir.str(), "conto.dbf");
        t.open();
        // Rows 1 and 2 are one run: its write marks both records and then fails, and so does the
        // write that would unmark them. The table keeps both rows.
        fs->failWritesAfterBytes(recordLengthOf(path) + 1, FileError::Kind::Other);
        EXPECT_THROW(t.deleteWhere([&] {
            const std::string c = t.fieldByName("COMMENTO").asString();
            return c == "riga 1" || c == "riga 2";
        }),
                     TableError);
        EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 0", "riga 1", "riga 2", "riga 3"}));
        fs->heal();
        t.first();
        t.next();
        t.edit();
        t.fieldByName("IMPORTO").setMoney(Money::fromWhole(50));
        t.post(); // writes the whole record from the table's copy, live mark included
    }
    const Rows found = readBack(dir.str());
    ASSERT_GE(found.size(), 3u);
    EXPECT_EQ(found[1], (std::pair<std::string, Money>{"riga 1", Money::fromWhole(50)}));
}

TEST(Durability, ADeletionOfManyRowsThatFailsKeepsTheRowsNotYetMarked) {
    TempDir dir;
    createMovements(dir.str(), 6);
    auto fs = std::make_shared<FaultyFileSystem>();
    {
        Table t(fs);
        t.bind(dir.str(), "conto.dbf");
        t.open();
        // Rows 0, 2, 3 and 5: three runs in the file. Room for the first run's one byte only.
        fs->failWritesAfterBytes(1, FileError::Kind::Other);
        const std::set<std::string> picked = {"riga 0", "riga 2", "riga 3", "riga 5"};
        EXPECT_THROW(t.deleteWhere([&] { return picked.count(t.fieldByName("COMMENTO").asString()) > 0; }),
                     TableError);
        EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 1", "riga 2", "riga 3", "riga 4", "riga 5"}))
            << "the table shows what the file holds";
        fs->heal();
    }
    const Rows found = readBack(dir.str());
    ASSERT_EQ(found.size(), 5u);
    EXPECT_EQ(found.front().first, "riga 1");
}

} // namespace
} // namespace valmora::dbase::testing
