// Broken or foreign files are refused with a message naming the file: never a
// crash, a hang or an allocation beyond the file's size.

#include "MovementsFixture.h"

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace valmora::dbase::testing {
namespace {

// Opens a copy (opening may tidy a file) and returns the error message, or "" when it opened.
std::string openMessage(const TempDir& dir, const std::string& bytes) {
    writeAll(dir.file("t.dbf"), bytes);
    Table t;
    t.bind(dir.str(), "t.dbf");
    try {
        t.open();
        for (t.first(); !t.eof(); t.next())
            for (int i = 0; i < t.fieldCount(); ++i)
                (void)t.field(i).value();
        return "";
    } catch (const TableError& e) {
        return e.what();
    }
}

TEST(BadFiles, EachFixtureGivesItsMessage) {
    const std::string data = std::string(VALMORA_TEST_DATA) + "/dbase/";
    std::ifstream listing(data + "expected-messages.txt");
    ASSERT_TRUE(listing) << "missing " << data << "expected-messages.txt";
    int cases = 0;
    for (std::string line; std::getline(listing, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const std::size_t tab = line.find('\t');
        const std::string name = line.substr(0, tab);
        const std::string expected = line.substr(tab + 1);
        SCOPED_TRACE(name);
        TempDir dir;
        const std::string message = openMessage(dir, readAll(data + "bad/" + name));
        EXPECT_NE(message.find(expected), std::string::npos) << message;
        EXPECT_NE(message.find(dir.file("t.dbf")), std::string::npos) << "the message names the file: " << message;
        ++cases;
    }
    EXPECT_GE(cases, 15);
}

TEST(BadFiles, AMissingFileSaysSo) {
    TempDir dir;
    Table t;
    t.bind(dir.str(), "manca.dbf");
    try {
        t.open();
        FAIL();
    } catch (const TableError& e) {
        EXPECT_EQ(std::string(e.what()), "Il file " + dir.file("manca.dbf") + " non esiste.");
    }
    EXPECT_FALSE(t.isOpen());
}

std::string validTable(const TempDir& dir) {
    Table t;
    t.bind(dir.str(), "modello.dbf");
    t.create(movementFields(), {"Valuta", "VALUTA"});
    t.open();
    for (int i = 1; i <= 3; ++i)
        t.appendRecord(movement(ymd(2005, 3, i), ymd(2005, 3, i), "Prelievo", "Sportello", Money::fromUnits(-1234 * i),
                                "riga àèì €"));
    t.close();
    return readAll(dir.file("modello.dbf"));
}

TEST(BadFiles, AFileCutAnywhereOpensWithTheWholeRowsOrIsRefused) {
    TempDir dir;
    const std::string good = validTable(dir);
    // Every cut inside the header and around record boundaries, and a sample of the others.
    const std::size_t headerLength = 32 * 6 + 1, recordLength = 322;
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::size_t intoRecord = length < headerLength ? 0 : (length - headerLength) % recordLength;
        if (length > headerLength + 2 && intoRecord > 2 && intoRecord < recordLength - 2 && length % 17 != 0)
            continue;
        SCOPED_TRACE("cut at " + std::to_string(length));
        const std::string message = openMessage(dir, good.substr(0, length));
        if (!message.empty())
            continue;
        // It opened: only whole rows may be there, and at most the last one lost.
        Table t;
        t.bind(dir.str(), "t.dbf");
        t.open();
        EXPECT_GE(t.recordCount(), 2);
        for (t.first(); !t.eof(); t.next())
            EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "riga àèì €");
    }
}

TEST(BadFiles, RandomDamageNeverCrashes) {
    TempDir dir;
    const std::string good = validTable(dir);
    std::mt19937 random(20050301);
    for (int round = 0; round < 400; ++round) {
        std::string damaged = good;
        const int hits = 1 + static_cast<int>(random() % 4);
        for (int h = 0; h < hits; ++h) {
            // Mostly the header, where a wrong byte does the most harm.
            const std::size_t at = random() % 3 ? random() % 260 : random() % damaged.size();
            damaged[at % damaged.size()] = static_cast<char>(random() & 0xFF);
        }
        openMessage(dir, damaged); // a TableError or a table: anything else fails the test
    }
}

} // namespace
} // namespace valmora::dbase::testing
