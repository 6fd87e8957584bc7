// The filter texts the ledger builds, and what they let through.

#include "dbase/Filter.h"

#include <functional>
#include <random>
#include "MovementsFixture.h"

namespace valmora::dbase::testing {
namespace {

class Filtering : public MovementsTable {
protected:
    void SetUp() override {
        MovementsTable::SetUp();
        auto add = [&](Date valuta, const char* op, const char* tipo, const char* comment) {
            t.appendRecord(movement(valuta, valuta, op, tipo, Money::fromWhole(-10), comment));
        };
        add(ymd(2005, 2, 28), "Prelievo", "S. Bancomat", "affitto febbraio"); // before the period
        add(ymd(2005, 3, 1), "Prelievo", "S. Bancomat", "Affitto marzo");     // first day: in
        add(ymd(2005, 4, 15), "Prelievo", "S. Bancomat", "AFFITTO aprile");   // in
        add(ymd(2005, 4, 16), "Prelievo", "A. Bancomat", "affitto aprile");   // other type
        add(ymd(2005, 5, 2), "Addebito", "S. Bancomat", "affitto maggio");    // other operation
        add(ymd(2005, 5, 3), "Prelievo", "S. Bancomat", "spesa affitto");     // does not begin with aff
        add(ymd(2005, 6, 30), "Prelievo", "S. Bancomat", "aff");              // last day: in
        add(ymd(2005, 7, 1), "Prelievo", "S. Bancomat", "affitto luglio");    // after the period
        add(ymd(2005, 6, 10), "Prelievo", "S. Bancomat", "l'affitto");        // a quote inside
    }
};

TEST_F(Filtering, TheLedgerExampleSelectsExactlyTheRightRows) {
    t.setFilter("Valuta >='01/03/2005' And Valuta <='30/06/2005' And Operazione ='Prelievo' And Tipo ='S. Bancomat' "
                "And Commento = 'aff*'");
    t.setFilterCaseInsensitive(true);
    t.setFiltered(true);
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"Affitto marzo", "AFFITTO aprile", "aff"}));
    EXPECT_EQ(t.recordCount(), 3);

    // Without the case option the prefix must match letter for letter.
    t.setFilterCaseInsensitive(false);
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"aff"}));

    // Filtering off shows everything again; the text stays.
    t.setFiltered(false);
    EXPECT_EQ(t.recordCount(), 9);
    EXPECT_EQ(t.filter().substr(0, 6), "Valuta");
}

TEST_F(Filtering, QuotesDatesWildcardsAndFieldNamesInAnyCase) {
    t.setFiltered(true);
    t.setFilter("Commento = 'l''aff*'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"l'affitto"}));
    t.setFilter("COMMENTO = 'aff'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"aff"})) << "without '*' the text must be equal";
    t.setFilter("commento = 'aff*lu*'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto luglio"})) << "a typed '*' is a wildcard too";
    // Dates compare as dates, not as the dd/mm/yyyy text ("01/07" sorts before "30/06" as text).
    t.setFilter("Valuta >='30/06/2005'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"aff", "affitto luglio"}));
    t.setFilter("valuta <='28/02/2005'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto febbraio"}));
    t.setFilter("Importo <='-10' And Importo >='-10,00'");
    EXPECT_EQ(t.recordCount(), 9);
    t.setFilter("");
    EXPECT_EQ(t.recordCount(), 9) << "an empty filter lets every row through";
}

TEST_F(Filtering, AMalformedFilterIsRefusedInItalianAndTheOldOneStays) {
    t.setFilter("Operazione ='Addebito'");
    t.setFiltered(true);
    const char* bad[] = {
        "Valuta >= 01/03/2005",                // no quotes
        "Valuta >='31/02/2005'",               // not a date
        "Valuta >='2005-03-01'",               // not dd/mm/yyyy
        "Nessuno ='x'",                        // no such field
        "Operazione 'Prelievo'",               // no operator
        "Operazione ='Prelievo",               // unterminated
        "Operazione ='Prelievo' Tipo ='x'",    // no And
        "Operazione ='Prelievo' And",          // nothing after And
        "Operazione ='Prelievo'And Tipo ='x'", // And glued to the quote
        "Importo >='dieci'",                   // not a number
    };
    for (const char* text : bad) {
        SCOPED_TRACE(text);
        try {
            t.setFilter(text);
            ADD_FAILURE() << "accepted";
        } catch (const TableError& e) {
            EXPECT_NE(std::string(e.what()).find("non è valido"), std::string::npos) << e.what();
        }
    }
    EXPECT_EQ(t.filter(), "Operazione ='Addebito'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto maggio"}));
}

TEST_F(Filtering, RowsChangedUnderAFilterComeAndGo) {
    t.setFilter("Operazione ='Addebito'");
    t.setFiltered(true);
    t.appendRecord(movement(ymd(2005, 8, 1), ymd(2005, 8, 1), "Prelievo", "x", Money(), "non passa"));
    EXPECT_EQ(t.recordCount(), 1) << "a new row that fails the filter is not shown";
    t.appendRecord(movement(ymd(2005, 8, 1), ymd(2005, 8, 1), "Addebito", "x", Money(), "passa"));
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto maggio", "passa"}));
    t.first();
    t.edit();
    t.fieldByName("OPERAZIONE").setString("Prelievo");
    t.post();
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"passa"}));
    // Reopening keeps the filter switched on.
    t.close();
    t.open();
    EXPECT_TRUE(t.filtered());
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"passa"}));
}

TEST_F(Filtering, AnyTextEitherParsesOrIsRefusedNeverWorse) {
    std::mt19937 random(7);
    const std::string alphabet = "ValutaCommento ='<>And*/0123";
    t.setFiltered(true); // every text that parses is also run over the rows
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const std::size_t length = random() % 40;
        for (std::size_t i = 0; i < length; ++i)
            text.push_back(alphabet[random() % alphabet.size()]);
        try {
            t.setFilter(text);
        } catch (const TableError&) {
        }
    }
    SUCCEED() << "no crash, no other exception";
}

TEST(Wildcard, StarStandsForAnyRun) {
    EXPECT_TRUE(wildcardMatch("affitto", "aff*"));
    EXPECT_TRUE(wildcardMatch("aff", "aff*"));
    EXPECT_FALSE(wildcardMatch("af", "aff*"));
    EXPECT_TRUE(wildcardMatch("a-b-c", "a*c*"));
    EXPECT_TRUE(wildcardMatch("abcbd", "a*bd"));
    EXPECT_FALSE(wildcardMatch("abcbe", "a*bd"));
    EXPECT_TRUE(wildcardMatch("", "*"));
}


// Switching a filter off gives back the whole ledger in order, also when rows were added, changed,
// deleted or reordered while it was on: what the view looked like before is not trusted blindly.
TEST_F(Filtering, SwitchingTheFilterOffShowsEveryChangeMadeWhileItWasOn) {
    const std::vector<std::string> all = walkComments(t);
    t.setFilter("Valuta <='15/04/2005'");
    t.setFiltered(true);
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto febbraio", "Affitto marzo", "AFFITTO aprile"}));
    t.setFiltered(false);
    EXPECT_EQ(walkComments(t), all) << "nothing changed: the same rows in the same order";

    t.setFiltered(true);
    t.appendRecord(movement(ymd(2005, 3, 2), ymd(2005, 3, 2), "Accredito", "Stipendio", Money::fromWhole(5), "nuova"));
    t.setFiltered(false);
    std::vector<std::string> expected = all;
    expected.insert(expected.begin() + 2, "nuova");
    EXPECT_EQ(walkComments(t), expected);

    t.setFiltered(true);
    t.first();
    t.deleteRecord(); // "affitto febbraio"
    t.setFiltered(false);
    expected.erase(expected.begin());
    EXPECT_EQ(walkComments(t), expected);

    t.setFiltered(true);
    t.first();
    t.edit();
    t.fieldByName("VALUTA").setDate(ymd(2005, 12, 31)); // leaves the filter and moves to the end
    t.post();
    t.setFiltered(false);
    std::rotate(expected.begin(), expected.begin() + 1, expected.end());
    EXPECT_EQ(walkComments(t), expected);

    t.setFiltered(true);
    t.setIndexName(""); // record order while filtered
    t.setFiltered(false);
    EXPECT_EQ(walkComments(t).front(), "Affitto marzo") << "record order, not the value dates'";

    // A new text applied while filtered starts from every row, not from the rows the old text let through.
    t.setIndexName("Valuta");
    t.setFilter("Valuta <='01/03/2005'");
    t.setFiltered(true);
    t.setFilter("Valuta >='30/06/2005'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"aff", "affitto luglio", "Affitto marzo"}));
}

TEST_F(Filtering, AnEmptyDateIsEarlierThanEveryDateInAFilter) {
    t.appendRecord(movement(Date(), Date(), "Notifica", "Variazione", Money(), "senza data"));
    t.setFiltered(true);
    t.setFilter("Valuta <='28/02/2005'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"senza data", "affitto febbraio"}));
    t.setFilter("Valuta >='28/02/2005'");
    EXPECT_EQ(t.recordCount(), 9);
    t.setFilter("Valuta ='28/02/2005'");
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"affitto febbraio"}));
}


// Date conditions on the order field select a run of the view by searching for its ends; any
// other filter looks at every row. Both must let the same rows through, empty dates included.
TEST(FilterOnTheOrderField, DateRangesSelectTheSameRowsAsEveryOtherFilter) {
    TempDir dir;
    Table t;
    t.bind(dir.str(), "conto.dbf");
    t.create(movementFields(), {"Valuta", "VALUTA"});
    t.setIndexName("Valuta");
    t.open();
    std::mt19937 rng(99);
    std::vector<std::pair<Date, std::string>> rows;
    for (int i = 0; i < 300; ++i) {
        const Date d = rng() % 8 == 0 ? Date() : ymd(2005, 1, 1).addDays(static_cast<int>(rng() % 60));
        rows.emplace_back(d, "r" + std::to_string(i));
        t.appendRecord(movement(d, d, "Prelievo", "Sportello", Money(), rows.back().second));
    }
    const std::vector<std::pair<std::string, std::function<bool(Date, Date)>>> ops = {
        {"=", [](Date a, Date b) { return a == b; }},  {"<", [](Date a, Date b) { return a < b; }},
        {"<=", [](Date a, Date b) { return a <= b; }}, {">", [](Date a, Date b) { return a > b; }},
        {">=", [](Date a, Date b) { return a >= b; }}, {"<>", [](Date a, Date b) { return a != b; }}};
    for (int k = 0; k < 200; ++k) {
        const auto& [op1, test1] = ops[rng() % ops.size()];
        const auto& [op2, test2] = ops[rng() % ops.size()];
        const Date d1 = ymd(2005, 1, 1).addDays(static_cast<int>(rng() % 64) - 2);
        const Date d2 = ymd(2005, 1, 1).addDays(static_cast<int>(rng() % 64) - 2);
        const bool two = rng() % 2 == 0;
        std::string text = "Valuta " + op1 + "'" + d1.toString() + "'";
        if (two)
            text += " And VALUTA " + op2 + "'" + d2.toString() + "'";
        SCOPED_TRACE(text);
        std::vector<std::pair<Date, std::string>> expected;
        for (const auto& r : rows)
            if (test1(r.first, d1) && (!two || test2(r.first, d2)))
                expected.push_back(r);
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::string> names;
        for (const auto& r : expected)
            names.push_back(r.second);
        t.setFilter(text);
        t.setFiltered(true); // from the unfiltered view
        ASSERT_EQ(walkComments(t), names);
        t.setFiltered(false);
    }
}

} // namespace
} // namespace valmora::dbase::testing
