// Walking, editing and deleting rows, bookmarks, locate and the controls switch.

#include "MovementsFixture.h"

namespace valmora::dbase::testing {
namespace {

class TableEditing : public MovementsTable {
protected:
    void add(int day, const std::string& comment) {
        t.appendRecord(
            movement(ymd(2005, 3, day), ymd(2005, 3, day), "Prelievo", "Sportello", Money::fromWhole(-day), comment));
    }

    std::string current() { return t.fieldByName("COMMENTO").asString(); }
};

TEST_F(TableEditing, AnEmptyTableReadsBlankFieldsAndIsBothAtStartAndEnd) {
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof());
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(t.recNo(), 0);
    EXPECT_EQ(t.fieldByName("commento").asString(), "");
    EXPECT_EQ(t.fieldByName("IMPORTO").asMoney(), Money());
    EXPECT_EQ(t.fieldByName("DATA").asDate(), Date());
    EXPECT_THROW(t.deleteRecord(), TableError);
    EXPECT_THROW(t.post(), TableError);
    EXPECT_THROW(t.fieldByName("COMMENTO").setString("x"), TableError) << "not in edit state";
    EXPECT_THROW(t.fieldByName("NONCE"), TableError);

    // Editing an empty table starts a new row.
    t.edit();
    EXPECT_TRUE(t.isEditing());
    t.fieldByName("COMMENTO").setString("primo");
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    EXPECT_EQ(current(), "primo");
}

TEST_F(TableEditing, WalkingSetsStartAndEndFlagsAsTheDataSetIdiomDoes) {
    add(1, "a");
    add(2, "b");
    add(3, "c");
    t.first();
    EXPECT_TRUE(t.bof());
    EXPECT_FALSE(t.eof());
    t.prior();
    EXPECT_TRUE(t.bof());
    EXPECT_EQ(current(), "a");
    t.next();
    EXPECT_FALSE(t.bof());
    EXPECT_EQ(current(), "b");
    t.last();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(current(), "c");
    t.next();
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(current(), "c");
    t.prior();
    EXPECT_FALSE(t.eof());
    EXPECT_EQ(current(), "b");
    t.moveTo(1);
    EXPECT_EQ(t.recNo(), 1);
    EXPECT_EQ(current(), "a");
}

TEST_F(TableEditing, DeleteLeavesTheFollowingRowCurrentOrTheNewLast) {
    for (int day = 1; day <= 4; ++day)
        add(day, std::string(1, static_cast<char>('a' + day - 1)));
    t.moveTo(2);
    t.deleteRecord();
    EXPECT_EQ(current(), "c");
    EXPECT_EQ(t.recNo(), 2);
    t.last();
    t.deleteRecord();
    EXPECT_EQ(current(), "c") << "the new last row";
    EXPECT_FALSE(t.eof());
    t.deleteRecord();
    t.deleteRecord();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof() && t.bof());

    // The walk-and-delete loop the program uses visits every row once.
    for (int day = 1; day <= 5; ++day)
        add(day, day % 2 ? "via" : "resta");
    for (t.first(); !t.eof();) {
        if (current() == "via")
            t.deleteRecord();
        else
            t.next();
    }
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"resta", "resta"}));
}

TEST_F(TableEditing, CancelAndDeleteWhileEditingDiscardWhatWasTyped) {
    add(1, "a");
    add(2, "b");
    t.first();
    t.edit();
    t.fieldByName("COMMENTO").setString("cambiato");
    EXPECT_EQ(current(), "cambiato") << "reads see the edit buffer";
    t.cancel();
    EXPECT_EQ(current(), "a");

    t.insert();
    EXPECT_EQ(current(), "") << "a new row starts blank";
    t.fieldByName("COMMENTO").setString("mai salvato");
    t.deleteRecord(); // deleting a row being inserted only drops it
    EXPECT_EQ(t.recordCount(), 2);
    EXPECT_EQ(current(), "a");

    // Moving away from a changed row posts it.
    t.edit();
    t.fieldByName("COMMENTO").setString("salvato muovendosi");
    t.next();
    EXPECT_FALSE(t.isEditing());
    t.close();
    t.open();
    EXPECT_EQ(walkComments(t).front(), "salvato muovendosi");
}

TEST_F(TableEditing, AppendRecordRejectsBadValuesWithoutLeavingARowBehind) {
    EXPECT_THROW(t.appendRecord({Date(), Date(), std::string("x"), std::string("y"), Money(), std::string("z"),
                                 std::string("troppi")}),
                 TableError);
    EXPECT_THROW(t.appendRecord({std::string("non una data")}), TableError);
    EXPECT_FALSE(t.isEditing());
    EXPECT_TRUE(t.isEmpty());
    // Fewer values than fields leave the rest blank.
    t.appendRecord({ymd(2005, 1, 1)});
    EXPECT_EQ(t.fieldByName("DATA").asDate(), ymd(2005, 1, 1));
    EXPECT_TRUE(t.fieldByName("IMPORTO").isNull());
}

TEST_F(TableEditing, BookmarksKnowWhenTheirRowWasDeleted) {
    add(1, "a");
    add(2, "b");
    add(3, "c");
    t.moveTo(2);
    Table::Bookmark b = t.getBookmark();
    EXPECT_TRUE(t.bookmarkValid(b));
    t.first();
    t.gotoBookmark(b);
    EXPECT_EQ(current(), "b");

    // Still valid after another row goes and the order changes around it.
    t.first();
    t.deleteRecord();
    t.appendRecord(
        movement(ymd(2005, 2, 28), ymd(2005, 2, 28), "Prelievo", "Sportello", Money::fromWhole(-1), "prima di tutte"));
    EXPECT_TRUE(t.bookmarkValid(b));
    t.gotoBookmark(b);
    EXPECT_EQ(current(), "b");

    t.deleteRecord();
    EXPECT_FALSE(t.bookmarkValid(b));
    EXPECT_THROW(t.gotoBookmark(b), TableError);
    EXPECT_EQ(current(), "c") << "a failed goto leaves the cursor alone";
    t.freeBookmark(b);
    EXPECT_FALSE(t.bookmarkValid(b));
}

TEST_F(TableEditing, DeleteWhereTakesEveryPickedRowAndKeepsTheRestInOrder) {
    // File order differs from the value-date order, so runs in the file are not runs in the view.
    for (int day : {9, 1, 2, 3, 8, 4, 5, 6, 7})
        add(day, "riga " + std::to_string(day));
    t.first();
    t.next();
    const Table::Bookmark kept = t.getBookmark(); // riga 2
    t.next();
    const Table::Bookmark gone = t.getBookmark(); // riga 3
    std::vector<std::string> asked;
    const std::size_t n = t.deleteWhere([&] {
        const std::string c = current();
        asked.push_back(c);
        return c == "riga 3" || c == "riga 4" || c == "riga 5" || c == "riga 9" || c == "riga 1";
    });
    EXPECT_EQ(n, 5u);
    EXPECT_EQ(asked.size(), 9u) << "every row asked once, in order";
    EXPECT_EQ(asked.front(), "riga 1");
    EXPECT_EQ(asked.back(), "riga 9");
    EXPECT_TRUE(t.eof());
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 2", "riga 6", "riga 7", "riga 8"}));
    EXPECT_TRUE(t.bookmarkValid(kept));
    EXPECT_FALSE(t.bookmarkValid(gone));
    EXPECT_EQ(t.deleteWhere([] { return false; }), 0u);
    t.close();
    t.open();
    EXPECT_EQ(walkComments(t), (std::vector<std::string>{"riga 2", "riga 6", "riga 7", "riga 8"}));
    EXPECT_EQ(t.deleteWhere([] { return true; }), 4u);
    EXPECT_TRUE(t.isEmpty());
}

TEST_F(TableEditing, LocateFindsDateAndTextIgnoringCase) {
    add(1, "Affitto marzo");
    add(2, "Spesa");
    add(2, "AFFITTO MARZO");
    t.last();
    EXPECT_TRUE(t.locate("DATA;COMMENTO", {ymd(2005, 3, 2), std::string("affitto marzo")}));
    EXPECT_EQ(current(), "AFFITTO MARZO");
    EXPECT_TRUE(t.locate("data;commento", {ymd(2005, 3, 1), std::string("affitto MARZO")}));
    EXPECT_EQ(current(), "Affitto marzo");
    EXPECT_FALSE(t.locate("DATA;COMMENTO", {ymd(2005, 3, 3), std::string("Spesa")}));
    EXPECT_EQ(current(), "Affitto marzo") << "no match leaves the cursor alone";
    EXPECT_FALSE(t.locate("DATA;COMMENTO", {ymd(2005, 3, 2), std::string("affitto marzo")}, false));
    EXPECT_TRUE(t.locate("IMPORTO", {Money::fromWhole(-2)}));
    EXPECT_EQ(current(), "Spesa");
    EXPECT_THROW(t.locate("DATA;NESSUNO", {Date(), std::string()}), TableError);
}

struct CountingObserver : TableObserver {
    int calls = 0;
    void tableChanged(const Table&) override { ++calls; }
};

TEST_F(TableEditing, ObserversHearOfChangesOnceControlsAreEnabledAgain) {
    CountingObserver o;
    t.addObserver(&o);
    add(1, "a");
    EXPECT_GT(o.calls, 0);
    o.calls = 0;
    t.disableControls();
    t.disableControls();
    EXPECT_TRUE(t.controlsDisabled());
    add(2, "b");
    t.first();
    t.next();
    t.enableControls();
    EXPECT_EQ(o.calls, 0) << "still disabled once";
    t.enableControls();
    EXPECT_EQ(o.calls, 1);
    t.removeObserver(&o);
    t.first();
    EXPECT_EQ(o.calls, 1);
}

TEST_F(TableEditing, FieldsByPositionAndCopiesBetweenTables) {
    add(7, "copiami");
    t.first();
    TempDir other;
    Table copy;
    copy.bind(other.str(), "copia.dbf");
    copy.create(movementFields(), {"Valuta", "VALUTA"});
    copy.open();
    copy.append();
    ASSERT_EQ(copy.fieldCount(), 6);
    for (int i = 0; i < t.fieldCount(); ++i)
        copy.field(i).assign(t.field(i));
    copy.post();
    EXPECT_EQ(copy.fieldByName("COMMENTO").asString(), "copiami");
    EXPECT_EQ(copy.fieldByName("IMPORTO").asMoney(), Money::fromWhole(-7));
    EXPECT_EQ(copy.fieldByName("VALUTA").asDate(), ymd(2005, 3, 7));
    EXPECT_EQ(copy.field(3).name(), "TIPO");
    EXPECT_THROW(copy.field(6), TableError);

    // A handle kept past the close fails cleanly instead of reading stale memory.
    Field kept = copy.fieldByName("COMMENTO");
    copy.close();
    EXPECT_THROW(kept.asString(), TableError);
    EXPECT_THROW(kept.name(), TableError);
}

} // namespace
} // namespace valmora::dbase::testing
