// What an open finds wrong in a file and how it answers: records past the header's count are
// set aside, never destroyed; a missing production index is written again; a number the amount
// parser refuses, or a language driver this program does not know, is refused at once.

#include "DbfBytes.h"
#include "MovementsFixture.h"

#include <filesystem>

namespace valmora::dbase::testing {
namespace {

void setHeaderCount(const std::string& path, std::uint32_t count) {
    std::string bytes = readAll(path);
    RawTable::put32(bytes, 4, count);
    writeAll(path, bytes);
}

TEST(OpenRepairs, RecordsPastTheCountAreSetAsideBesideTheTableAndTheUserIsTold) {
    TempDir dir;
    createMovements(dir.str(), 4);
    setHeaderCount(dir.file("conto.dbf"), 1); // another program wrote a wrong count
    Table t;
    t.bind(dir.str(), "conto.dbf");
    t.open();
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 0"}));
    const std::string aside = dir.file("conto_recuperati.dbf");
    ASSERT_TRUE(std::filesystem::exists(aside));
    ASSERT_EQ(t.openNotices().size(), 1u);
    EXPECT_NE(t.openNotices()[0].find("3 record"), std::string::npos) << t.openNotices()[0];
    EXPECT_NE(t.openNotices()[0].find(aside), std::string::npos) << t.openNotices()[0];
    t.close();

    // The set-aside file is a table of the same layout holding them, in order.
    Table recovered;
    recovered.bind(dir.str(), "conto_recuperati.dbf");
    recovered.open();
    EXPECT_EQ(walkComments(recovered), (std::vector<std::string>{"riga 1", "riga 2", "riga 3"}));
    EXPECT_EQ(recovered.fieldByName("IMPORTO").asMoney(), Money::fromWhole(4));
}

TEST(OpenRepairs, WhatAFailedAppendLeftIsNotSetAside) {
    TempDir dir;
    createMovements(dir.str(), 2);
    {
        // The end mark right after the counted records, then the remains of an append the user was
        // told had failed: no record of ours starts with the mark.
        std::string bytes = readAll(dir.file("conto.dbf"));
        bytes += std::string(322, ' ');
        writeAll(dir.file("conto.dbf"), bytes);
    }
    Table t;
    t.bind(dir.str(), "conto.dbf");
    t.open();
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_TRUE(t.openNotices().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.file("conto_recuperati.dbf")));
}

RawTable oneAmount(const std::string& stored) {
    RawTable raw;
    raw.fields = {{"IMPORTO", 'N', 20, 4}};
    raw.records = {" " + std::string(20 - std::min<std::size_t>(20, stored.size()), ' ') + stored};
    return raw;
}

TEST(OpenRepairs, TheOpenCheckRefusesExactlyTheNumbersTheAmountParserRefuses) {
    for (const std::string& bad : {std::string("1e5"), std::string(20, '9'), std::string("0x10"), std::string("inf")}) {
        SCOPED_TRACE(bad);
        TempDir dir;
        writeAll(dir.file("n.dbf"), oneAmount(bad).bytes());
        Table t;
        t.bind(dir.str(), "n.dbf");
        try {
            t.open();
            FAIL() << "opened, and every read of the amount would fail";
        } catch (const TableError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("nel record 1 il campo IMPORTO"), std::string::npos) << message;
            EXPECT_NE(message.find(dir.file("n.dbf")), std::string::npos) << message;
        }
    }
    for (const std::string& good : {std::string("-12.5000"), std::string("7"), std::string("0.12345")}) {
        SCOPED_TRACE(good);
        TempDir dir;
        writeAll(dir.file("n.dbf"), oneAmount(good).bytes());
        Table t;
        t.bind(dir.str(), "n.dbf");
        ASSERT_NO_THROW(t.open());
        EXPECT_NO_THROW(t.fieldByName("IMPORTO").asMoney());
    }
}

TEST(OpenRepairs, AnUnknownLanguageDriverIsRefusedNamingTheFileAndTheByte) {
    TempDir dir;
    RawTable raw;
    raw.driver = 0xC9; // Russian, Windows-1251: read as Windows-1252 its text would be nonsense
    raw.fields = {{"NOME", 'C', 8}};
    raw.records = {" \xCC\xEE\xF1\xEA\xE2\xE0  "};
    writeAll(dir.file("ru.dbf"), raw.bytes());
    Table t;
    t.bind(dir.str(), "ru.dbf");
    try {
        t.open();
        FAIL() << "opened as if it were Windows-1252";
    } catch (const TableError& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find(dir.file("ru.dbf")), std::string::npos) << message;
        EXPECT_NE(message.find("0xC9"), std::string::npos) << message;
        EXPECT_NE(message.find("driver di lingua"), std::string::npos) << message;
    }
}

TEST(OpenRepairs, AnEditCutShortByAPowerCutIsPutBackFromItsJournal) {
    TempDir dir;
    createMovements(dir.str(), 2);
    const std::string path = dir.file("conto.dbf");
    const std::string before = readAll(path);
    {
        // The journal an edit of the second record left, its old bytes synced, and the record half
        // rewritten when the power went.
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.open();
        t.next();
        t.edit();
        t.fieldByName("COMMENTO").setString("nuovo commento");
        t.fieldByName("IMPORTO").setMoney(Money::fromWhole(500));
        t.disableControls(); // the journal stays until the flush
        t.post();
        std::filesystem::copy_file(path + ".jnl", dir.file("journal.copy"));
        t.enableControls();
    }
    ASSERT_FALSE(std::filesystem::exists(path + ".jnl"));
    std::string torn = readAll(path);
    const std::size_t header = before.size() - 1 - 2 * 322;
    torn.replace(header + 322 + 100, 222, before, header + 322 + 100, 222); // the new amount, the old comment
    writeAll(path, torn);
    std::filesystem::copy_file(dir.file("journal.copy"), path + ".jnl");

    Table t;
    t.bind(dir.str(), "conto.dbf");
    t.open();
    t.next();
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "riga 1");
    EXPECT_EQ(t.fieldByName("IMPORTO").asMoney(), Money::fromWhole(2));
    EXPECT_FALSE(std::filesystem::exists(path + ".jnl")) << "replayed once, then removed";
}

} // namespace
} // namespace valmora::dbase::testing
