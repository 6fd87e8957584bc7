// Dates and numbers as they lie in a record, in every shape a file may hold them: the open
// tells the usual shapes by their bytes alone, so each shape must still land on the right side
// of "a value" and "damage", and read back as the same value.

#include "DbfBytes.h"
#include "MovementsFixture.h"

#include <fstream>

namespace valmora::dbase::testing {
namespace {

// One record of a date and an amount, opened from a fresh file: the message when refused, else "".
struct Opened {
    std::string message;
    Date date;
    Money amount;
    std::string path;
};

Opened openRecord(const std::string& dateBytes, const std::string& amountBytes) {
    TempDir dir;
    RawTable raw;
    raw.fields = {{"GIORNO", 'D', 8}, {"IMPORTO", 'N', 10, 2}};
    raw.records = {" " + dateBytes + amountBytes};
    Opened result;
    result.path = dir.file("forme.dbf");
    std::ofstream(result.path, std::ios::binary) << raw.bytes();
    Table t;
    t.bind(dir.str(), "forme.dbf");
    try {
        t.open();
        result.date = t.fieldByName("GIORNO").asDate();
        result.amount = t.fieldByName("IMPORTO").asMoney();
    } catch (const TableError& e) {
        result.message = e.what();
    }
    return result;
}

TEST(StoredShapes, DatesOfTheCalendarReadAndOthersAreDamage) {
    EXPECT_EQ(openRecord("20240229", "      1.00").date, *Date::fromYmd(2024, 2, 29));
    EXPECT_EQ(openRecord("00010101", "      1.00").date, *Date::fromYmd(1, 1, 1));
    EXPECT_EQ(openRecord("99991231", "      1.00").date, *Date::fromYmd(9999, 12, 31));
    EXPECT_EQ(openRecord("00000000", "      1.00").date, Date()) << "zeros are the empty date";
    EXPECT_EQ(openRecord("        ", "      1.00").date, Date()) << "blanks are the empty date";

    for (const std::string bad : {"20230229", "20241301", "20240400", "20240431", "2024 1 1", "2024-1-1", "x0240101"}) {
        SCOPED_TRACE(bad);
        const Opened o = openRecord(bad, "      1.00");
        EXPECT_NE(o.message.find("che non è una data"), std::string::npos) << o.message;
        EXPECT_NE(o.message.find(o.path), std::string::npos) << "the message names the file: " << o.message;
    }
}

TEST(StoredShapes, EveryDayOfTwoCenturiesReadsAsItself) {
    // Leap days of 1900 (none), 2000 (one) and 2100 (none) included; each record holds the day's
    // YYYYMMDD as Date writes it, read back against the same Date.
    TempDir dir;
    RawTable raw;
    raw.fields = {{"GIORNO", 'D', 8}};
    const Date first = *Date::fromYmd(1899, 12, 1);
    const Date last = *Date::fromYmd(2101, 3, 31);
    for (Date d = first; d <= last; d = d.addDays(1))
        raw.records.push_back(" " + d.toCompact());
    std::ofstream(dir.file("giorni.dbf"), std::ios::binary) << raw.bytes();
    Table t;
    t.bind(dir.str(), "giorni.dbf");
    t.open();
    Field giorno = t.fieldByName("GIORNO");
    Date expected = first;
    int rows = 0;
    for (t.first(); !t.eof(); t.next(), expected = expected.addDays(1), ++rows)
        ASSERT_EQ(giorno.asDate(), expected) << expected.toCompact();
    EXPECT_EQ(rows, last.dayNumber() - first.dayNumber() + 1);
    for (const std::string bad : {"19000229", "21000229"})
        EXPECT_NE(openRecord(bad, "      1.00").message.find("che non è una data"), std::string::npos) << bad;
    EXPECT_EQ(openRecord("20000229", "      1.00").date, *Date::fromYmd(2000, 2, 29));
}

TEST(StoredShapes, NumbersInEveryWrittenFormReadAndOthersAreDamage) {
    const Date day = *Date::fromYmd(2024, 1, 2);
    const std::pair<std::string, std::int64_t> good[] = {
        {"    -12.50", -125000}, {"         7", 70000}, {"7         ", 70000}, {"  0.000001", 0},
        {"     +3.25", 32500}, {"          ", 0}, {"-999999.99", -9999999900}};
    for (const auto& [bytes, units] : good) {
        SCOPED_TRACE(bytes);
        const Opened o = openRecord("20240102", bytes);
        EXPECT_EQ(o.message, "");
        EXPECT_EQ(o.amount, Money::fromUnits(units));
        EXPECT_EQ(o.date, day);
    }
    for (const std::string bad : {"    12a.50", "     - 5.0", "    1.2.3 ", "         -", "  12 34   ", "    --1.00"}) {
        SCOPED_TRACE(bad);
        const Opened o = openRecord("20240102", bad);
        EXPECT_NE(o.message.find("che non è un numero"), std::string::npos) << o.message;
        EXPECT_NE(o.message.find(o.path), std::string::npos) << "the message names the file: " << o.message;
    }
}

} // namespace
} // namespace valmora::dbase::testing
