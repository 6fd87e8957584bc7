// Order by an index tag: a stable order by key, ties in the order rows were added,
// the same after closing, reopening and compacting.

#include "MovementsFixture.h"

#include <filesystem>

namespace valmora::dbase::testing {
namespace {

class TableOrder : public ::testing::Test {
protected:
    void SetUp() override {
        Table t;
        t.bind(dir.str(), "conto.dbf");
        t.create(movementFields(), {"Valuta", "VALUTA"});
        t.open();
        // Value dates out of order, with three rows sharing 05/03 added at different times.
        add(t, ymd(2005, 3, 5), "5 marzo primo");
        add(t, ymd(2005, 3, 1), "1 marzo");
        add(t, ymd(2005, 3, 5), "5 marzo secondo");
        add(t, ymd(2005, 2, 1), "1 febbraio");
        add(t, Date(), "senza valuta");
        add(t, ymd(2005, 3, 5), "5 marzo terzo");
    }

    static void add(Table& t, Date valuta, const std::string& comment) {
        t.appendRecord(movement(valuta, valuta, "Accredito", "Stipendio", Money::fromWhole(1), comment));
    }

    void openOn(Table& t, const std::string& tag) {
        t.bind(dir.str(), "conto.dbf");
        t.setIndexName(tag);
        t.open();
    }

    const std::vector<std::string> byValuta = {"senza valuta",  "1 febbraio",      "1 marzo",
                                               "5 marzo primo", "5 marzo secondo", "5 marzo terzo"};
    TempDir dir;
};

TEST_F(TableOrder, EqualKeysKeepTheOrderTheyWereAddedInAcrossReopenAndCompaction) {
    Table t;
    openOn(t, "valuta"); // tag names ignore case
    EXPECT_EQ(walkComments(t), byValuta);

    // An empty date reads as the zero date and comes before every real date.
    t.first();
    EXPECT_TRUE(t.fieldByName("VALUTA").isNull());
    EXPECT_EQ(t.fieldByName("VALUTA").asDate(), Date());

    // Delete a row in the middle of the tie, then close (which compacts) and reopen.
    ASSERT_TRUE(t.locate("COMMENTO", {std::string("5 marzo secondo")}));
    t.deleteRecord();
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "5 marzo terzo") << "the following row becomes current";
    t.close();

    Table u;
    openOn(u, "Valuta");
    EXPECT_EQ(walkComments(u),
              (std::vector<std::string>{"senza valuta", "1 febbraio", "1 marzo", "5 marzo primo", "5 marzo terzo"}));
    // A row added now with the same key goes after the older ones.
    add(u, ymd(2005, 3, 5), "5 marzo quarto");
    EXPECT_EQ(u.fieldByName("COMMENTO").asString(), "5 marzo quarto") << "the posted row is current";
    EXPECT_EQ(u.recNo(), 6);
    EXPECT_EQ(walkComments(u).back(), "5 marzo quarto");
}

TEST_F(TableOrder, AnEditedKeyMovesTheRowAndTiesStillFollowFileOrder) {
    Table t;
    openOn(t, "Valuta");
    ASSERT_TRUE(t.locate("COMMENTO", {std::string("1 febbraio")}));
    t.edit();
    t.fieldByName("VALUTA").setDate(ymd(2005, 3, 5));
    t.post();
    EXPECT_EQ(t.fieldByName("COMMENTO").asString(), "1 febbraio");
    // It was added fourth: among the 05/03 rows it sits between the second and the third added.
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"senza valuta", "1 marzo", "5 marzo primo", "5 marzo secondo",
                                                         "1 febbraio", "5 marzo terzo"}));
}

TEST_F(TableOrder, TagsResolveThroughCreateTheMdxOrTheFieldNames) {
    Table t;
    openOn(t, "");
    EXPECT_EQ(walkComments(t).front(), "5 marzo primo") << "no tag: file order";
    t.setIndexFieldNames("valuta");
    EXPECT_EQ(walkComments(t), byValuta);
    EXPECT_THROW(t.setIndexName("Nessuno"), TableError);
    t.close();

    // Without the .mdx a tag named as its field, or a cut-short field name, still orders.
    std::filesystem::remove(dir.file("conto.mdx"));
    Table u;
    openOn(u, "VALUTA");
    EXPECT_EQ(walkComments(u), byValuta);
    u.setIndexName("Oper"); // OPERAZIONE: all equal, so file order
    EXPECT_EQ(walkComments(u).front(), "5 marzo primo");
}

TEST_F(TableOrder, NumericAndTextKeysSortByValue) {
    TempDir other;
    Table t;
    t.bind(other.str(), "acc.dbf");
    t.create({FieldDef::text("Operazione", 10), FieldDef::money("Importo")}, {"Operazione", "OPERAZIONE"});
    t.open();
    t.appendRecord({std::string("Imposta"), Money::fromWhole(100)});
    t.appendRecord({std::string("Accredito"), Money::fromWhole(-5)});
    t.appendRecord({std::string("Imposta"), Money::fromUnits(-2)});
    t.appendRecord({std::string("Accredito"), Money::fromWhole(20)});
    t.setIndexName("Operazione");
    std::vector<std::string> seen;
    for (t.first(); !t.eof(); t.next())
        seen.push_back(t.fieldByName("OPERAZIONE").asString() + " " + t.fieldByName("IMPORTO").asMoney().plain());
    EXPECT_EQ(seen, (std::vector<std::string>{"Accredito -5", "Accredito 20", "Imposta 100", "Imposta -0,0002"}));
    t.setIndexFieldNames("IMPORTO");
    seen.clear();
    for (t.first(); !t.eof(); t.next())
        seen.push_back(t.fieldByName("IMPORTO").asMoney().plain());
    EXPECT_EQ(seen, (std::vector<std::string>{"-5", "-0,0002", "20", "100"}));
}

TEST(IndexFile, TheMdxIsWrittenBesideTheTableAndNamesItsTagForLaterOpens) {
    TempDir dir;
    {
        Table t;
        t.bind(dir.str(), "acc.dbf");
        t.create({FieldDef::text("Descrizion", 40), FieldDef::text("Operazione", 10)}, {"Operazione", "OPERAZIONE"});
        EXPECT_FALSE(t.isOpen()) << "create leaves the table closed";
        EXPECT_EQ(t.indexTags(), (std::vector<std::string>{"OPERAZIONE"}));
        t.open();
        t.appendRecord({std::string("b"), std::string("Imposta")});
        t.appendRecord({std::string("a"), std::string("Accredito")});
    }
    // A new table object knows nothing of the create; the .mdx tells it the tag.
    Table u;
    u.bind(dir.str(), "acc.dbf");
    u.setIndexName("Operazione");
    u.open();
    EXPECT_EQ(u.fieldByName("DESCRIZION").asString(), "a");
    EXPECT_EQ(u.indexTags(), (std::vector<std::string>{"OPERAZIONE"}));
}

TEST(IndexFile, ACutShortTagNameFindsItsFieldWithoutTheMdxAndTheMdxIsWrittenAgain) {
    TempDir dir;
    {
        Table t;
        t.bind(dir.str(), "imp.dbf");
        t.create({FieldDef::text("ISTITUTO", 50), FieldDef::text("COORDINATE", 25)}, {"Ist", "ISTITUTO"});
        t.open();
        t.appendRecord({std::string("Banca Zeta")});
        t.appendRecord({std::string("Banca Alfa")});
    }
    std::filesystem::remove(dir.file("imp.mdx"));
    Table u;
    u.bind(dir.str(), "imp.dbf");
    u.setIndexName("Ist");
    u.open();
    EXPECT_EQ(u.fieldByName("ISTITUTO").asString(), "Banca Alfa");
    // The header promises a production index, so it is rewritten, named after the flagged field.
    EXPECT_EQ(u.indexTags(), (std::vector<std::string>{"ISTITUTO"}));
    ASSERT_EQ(u.openNotices().size(), 1u);
    EXPECT_NE(u.openNotices()[0].find("imp.mdx"), std::string::npos) << u.openNotices()[0];
}

} // namespace
} // namespace valmora::dbase::testing
