#pragma once
// The inside of a Table, shared by the files that implement it. Not for use
// outside the dBase engine. Each group of members below says which file works on it.

#include "dbase/DbfFormat.h"
#include "dbase/EditJournal.h"
#include "dbase/FieldCodec.h"
#include "dbase/FileSystem.h"
#include "dbase/Filter.h"
#include "dbase/Table.h"
#include "dbase/UndoLog.h"

#include <memory>
#include <optional>

namespace valmora::dbase {

// One row: its record bytes (flag byte first) and where it sits in the file.
struct TableRow {
    // The rows read at open point into Impl::loaded; a row added later owns its bytes.
    char* data = nullptr;
    std::unique_ptr<char[]> own;
    std::uint64_t id = 0;          // never reused while the table object lives: bookmarks hold it
    std::uint64_t recordIndex = 0; // 0-based position in the file
    // A deleted row keeps its place in Impl::rows until enough deleted rows gather there to sweep
    // them out in one pass (a vector erase per deletion would make deleting n rows cost n squared).
    bool deleted = false;
    bool inBlock = false; // one of Impl::loadedRows, freed with them
};

// The rows read at open are made in one block, not one allocation each; a row added later is its
// own allocation. This frees the latter only.
struct RowRelease {
    void operator()(TableRow* row) const noexcept {
        if (!row->inBlock)
            delete row;
    }
};
using RowPtr = std::unique_ptr<TableRow, RowRelease>;

// A row as the view holds it: with its bytes at hand, so a walk in the view's order reads each
// record straight away instead of first fetching its row from elsewhere in memory.
struct ViewRow {
    TableRow* row;
    const char* bytes; // row->data, which stays put for the row's life
};

struct Table::Impl {
    enum class State { Browse, Edit, Insert };

    Table* self = nullptr;
    std::shared_ptr<FileSystem> fs;
    SystemClock systemClock;
    const Clock* clock = &systemClock;
    std::string folder;
    std::string fileName;
    std::string fullPath;  // folder + file name, kept for messages
    IndexDef createdIndex; // the tag given at create, known without reading the .mdx

    // The open file (TableFile.cpp, TableLoad.cpp, TableStorage.cpp).
    bool isOpen = false;
    bool readOnly = false;
    std::unique_ptr<UndoLog> undo; // while a command may still be taken back (TableUndo.cpp)
    std::unique_ptr<File> file;    // seen through `undo` while there is one
    DbfLayout layout;
    std::uint64_t recordsInFile = 0; // the header's count, deleted records included
    std::uint64_t deletedInFile = 0;
    bool indexDirty = false; // the .mdx no longer matches the rows
    std::string openFileKey; // this file in the program's count of open files
    EditJournal journal;     // the old bytes of edits not yet synced to the table
    std::vector<std::string> openNotices; // what the last open set right, for the user
    std::function<void(const std::string&)> tellNotice;

    // The rows (TableRows.cpp), in record order, which is also the order of their ids; deleted
    // ones among them until swept.
    std::unique_ptr<char[]> loaded; // the records as read at open, in one block
    std::unique_ptr<TableRow[]> loadedRows; // their rows, in one block too
    std::vector<RowPtr> rows;
    std::size_t deletedRows = 0;
    std::uint64_t nextRowId = 1;

    // Order and filter (TableView.cpp).
    std::string indexName;      // as set; resolved at open
    std::string indexFieldName; // as set; resolved at open
    std::optional<std::size_t> orderField;
    std::string filterText;
    RecordFilter filter;
    bool filtered = false;
    bool caseInsensitive = false;

    // The visible rows, in order (by key, then record order), and the cursor on them (TableCursor.cpp).
    std::vector<ViewRow> view;
    std::size_t pos = 0;
    bool eof = true;
    bool bof = true;

    // Editing (TableCursor.cpp).
    State state = State::Browse;
    std::string buffer;
    std::string blankRecord; // a new row's bytes before any field is set, made once per layout
    TableRow* editing = nullptr;
    TableRow* beforeInsert = nullptr;
    bool modified = false;

    // Observers and batches (TableBatch.cpp).
    std::vector<TableObserver*> observers;
    int quietDepth = 0;       // notifications held back
    int deferDepth = 0;       // syncs put off
    bool changedWhileQuiet = false;
    bool syncPending = false; // changes written while syncs were put off, not yet flushed

    // TableFile.cpp
    std::string path() const;
    std::string mdxPath() const;
    void requireOpen() const {
        if (!isOpen)
            throwNotOpen();
    }
    [[noreturn]] void throwNotOpen() const;
    bool aloneOnFile() const; // no other table object of the program has this file open
    void requireWritable() const;
    std::optional<std::size_t> findField(std::string_view name) const;
    FieldContext fieldContext(std::size_t index) const {
        return FieldContext{layout.fields[index], layout.codePage, fullPath};
    }

    // TableBatch.cpp
    void notify();

    // TableRows.cpp
    std::string_view bytesOf(const TableRow* row) const { return {row->data, layout.recordLength}; }
    RowPtr newRow(std::string_view bytes) const; // a copy of `bytes`, not yet in `rows`
    TableRow* adopt(RowPtr row, std::uint64_t recordIndex); // into `rows`, with the next id
    TableRow* liveRow(std::uint64_t id) const; // nullptr when deleted or never there
    void forgetRows(const std::vector<TableRow*>& gone); // deleted from the file; the view loses them here
    void sweepDeletedRows();
    void clearRows();
    const std::string& blankRow();

    // TableView.cpp
    std::optional<std::size_t> resolveTag(std::string_view tag) const;
    void resolveOrder();
    int compareKeys(const TableRow* a, const TableRow* b) const; // <0, 0, >0
    bool orderedBefore(const TableRow* a, const TableRow* b) const; // by key, then record order
    bool visible(std::string_view bytes) const;
    void rebuildView();
    std::optional<std::size_t> positionInView(const TableRow* row) const; // nullopt: not in view
    // Puts a posted row where its key and record order place it, after taking it out of the view at
    // `from` (its place before the post) when it was there.
    void placeInView(TableRow* row, std::optional<std::size_t> from);
    // Rows added at the end of the file (in record order) into the view: one at a time when they
    // are few, else merged in one pass. The cursor goes to the last, or to where it would stand.
    void placeAppended(const std::vector<TableRow*>& added);
    void placeCursorOn(const TableRow* row);

    // TableCursor.cpp
    void checkBrowseMode();
    // Empty: no current row.
    std::string_view currentBytes() const {
        if (state != State::Browse)
            return buffer;
        if (!isOpen || view.empty())
            return {};
        return {view[pos].bytes, layout.recordLength};
    }

    // TableLoad.cpp: reading the file at open, and setting right what a crash left.
    void loadFile();
    void openForReadingAndWriting();
    void readRecords(std::uint64_t fileSize);
    void setAsideUncounted(std::uint64_t fileSize);
    void trimToCountedRecords(std::uint64_t fileSize);

    // TableStorage.cpp: every write to the open file.
    void createFile(const std::vector<FieldDef>& fields, const IndexDef& index);
    Date updateDate() const { return clock->today(); } // the day a change stamps in the header
    // Records back to back, written after the last one in one write, then counted: all or none.
    void appendToFile(std::string_view records);
    // The two halves of it: records written past the counted ones (`after` records past the count),
    // which no reader sees until countAppended counts them, all in one header write.
    void writePastCount(std::uint64_t after, std::string_view records);
    void countAppended(std::uint64_t added);
    // After records written past the count were given up: the end mark back right after the counted
    // ones, if the file lets us (a reader that stops at the mark then stops there; ours trusts the count).
    void markEndOfCountedData() noexcept;
    void rewriteInFile(const TableRow& row, const std::string& record);
    // Rows whose records follow one another in the file, marked with one write.
    void markDeletedInFile(const TableRow* const* run, std::size_t count);
    void syncAfterChange();
    void flushPendingSync();
    TableError writeFailure(const FileError& e) const;

    // TableUndo.cpp
    void logThroughUndo(); // `file` wrapped so that its writes are logged first

    // TableCompact.cpp
    void compact();
    bool compactQuietly();
    void writeIndex();
    void repairMissingIndex();
};

std::string reasonOf(const FileError& e); // "il disco è pieno", ...

} // namespace valmora::dbase
