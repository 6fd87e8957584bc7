// The order a table is opened or re-ordered in, for keys of few distinct values (sorted by counting)
// and of many (sorted by comparison), against a stable sort of the rows as they were added.

#include "MovementsFixture.h"

#include <algorithm>
#include <random>

namespace valmora::dbase::testing {
namespace {

struct Added {
    int day;
    std::string tipo;
    std::string commento; // unique: names the row in a walk
};

class TableSort : public ::testing::Test {
protected:
    void SetUp() override {
        t.bind(dir.str(), "conto.dbf");
        t.create(movementFields(), {"Valuta", "VALUTA"});
        t.open();
        std::mt19937 rng(424242);
        const std::string letters = "abcdefghij";
        t.disableControls();
        for (int i = 0; i < 1500; ++i) {
            Added a;
            a.day = static_cast<int>(rng() % 30);
            // 200 types: more than the counting sort takes on for 1500 rows.
            a.tipo = "tipo " + std::to_string(rng() % 200);
            for (int k = static_cast<int>(rng() % 6); k >= 0; --k)
                a.commento += letters[rng() % letters.size()];
            a.commento += " " + std::to_string(i);
            const Date d = ymd(2005, 1, 1).addDays(a.day);
            t.appendRecord(movement(d, d, "Prelievo", a.tipo, Money::fromWhole(-1), a.commento));
            added.push_back(a);
        }
        t.enableControls();
    }

    template <typename Key> std::vector<std::string> expectedBy(Key key) const {
        std::vector<Added> sorted = added;
        std::stable_sort(sorted.begin(), sorted.end(), [&](const Added& a, const Added& b) { return key(a) < key(b); });
        std::vector<std::string> out;
        for (const Added& a : sorted)
            out.push_back(a.commento);
        return out;
    }

    TempDir dir;
    Table t;
    std::vector<Added> added;
};

TEST_F(TableSort, FewAndManyDistinctKeysGiveTheStableOrder) {
    const auto byDay = expectedBy([](const Added& a) { return a.day; });
    const auto byTipo = expectedBy([](const Added& a) { return a.tipo; });
    const auto byCommento = expectedBy([](const Added& a) { return a.commento; });

    t.setIndexName("Valuta"); // 30 distinct dates
    EXPECT_EQ(walkComments(t), byDay);
    t.setIndexFieldNames("TIPO"); // 200 distinct texts
    EXPECT_EQ(walkComments(t), byTipo);
    t.setIndexFieldNames("COMMENTO"); // every key distinct
    EXPECT_EQ(walkComments(t), byCommento);

    // Reopened (rows renumbered by the compaction of nothing) and filtered, the same orders hold.
    t.close();
    t.setIndexName("Valuta");
    t.open();
    EXPECT_EQ(walkComments(t), byDay);
    t.setFilter("Tipo = 'tipo 1*'");
    t.setFiltered(true);
    std::vector<std::string> filtered;
    for (const std::string& c : byDay)
        if (std::find_if(added.begin(), added.end(), [&](const Added& a) {
                return a.commento == c && a.tipo.rfind("tipo 1", 0) == 0;
            }) != added.end())
            filtered.push_back(c);
    EXPECT_EQ(walkComments(t), filtered);
}

// Dates over month and year ends, leap days and empty dates, near each other (counted by day) and
// centuries apart (counted by key): blanks first, then the days, equal days in the order added.
TEST(TableSortByDate, EmptyDatesFirstThenTheDaysWhereverTheyFall) {
    for (const bool farApart : {false, true}) {
        SCOPED_TRACE(farApart ? "dates centuries apart" : "dates near each other");
        TempDir dir;
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.create(movementFields(), {"Valuta", "VALUTA"});
        t.open();
        std::mt19937 rng(7);
        std::vector<std::pair<Date, std::string>> added;
        const Date base = ymd(2003, 12, 20);
        for (int i = 0; i < 600; ++i) {
            Date d;
            if (rng() % 10 != 0) // one row in ten has no date
                d = base.addDays(static_cast<int>(rng() % 500));
            if (farApart && i % 100 == 0)
                d = i % 200 == 0 ? ymd(1, 1, 1) : ymd(9999, 12, 31);
            const std::string name = "riga " + std::to_string(i);
            t.appendRecord(movement(d, d, "Prelievo", "Sportello", Money(), name));
            added.emplace_back(d, name);
        }
        std::stable_sort(added.begin(), added.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> expected;
        for (const auto& a : added)
            expected.push_back(a.second);
        t.setIndexName("Valuta");
        EXPECT_EQ(walkComments(t), expected);
        t.close();
        t.open(); // ordered again from the file
        EXPECT_EQ(walkComments(t), expected);
    }
}

} // namespace
} // namespace valmora::dbase::testing
