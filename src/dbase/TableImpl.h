#pragma once
// The inside of a Table, shared by the files that implement it. Not for use
// outside the dBase engine.

#include "dbase/DbfFormat.h"
#include "dbase/FieldCodec.h"
#include "dbase/FileSystem.h"
#include "dbase/Filter.h"
#include "dbase/RecordStore.h"
#include "dbase/RowSequence.h"
#include "dbase/Table.h"

#include <cstring>
#include <ctime>
#include <new>
#include <optional>

namespace valmora::dbase {

// One row: where its record bytes (flag byte first) are and where it sits in the file.
struct TableRow {
    char* data = nullptr;          // a slot of Impl::store, the layout's record length; null once deleted
    std::uint64_t id = 0;          // never reused while the table object lives: bookmarks hold it
    std::uint64_t recordIndex = 0; // 0-based position in the file
    // Where the record's trailing padding (blanks and NULs) begins, set whenever `data` is filled.
    // A text read stops there, so a long comment's blank tail is never brought into the cache.
    std::uint32_t paddingFrom = 0;

    // A deleted row gives its bytes back at once but keeps its place in Impl::rows until enough
    // deleted rows gather there to sweep them out in one pass (a vector erase per deletion would
    // make deleting n rows cost n squared).
    bool deleted() const { return data == nullptr; }
};

// Where a table's rows live: slots of a RecordStore, so a large table costs no allocation, and
// none of the allocator's bookkeeping, per row; rows given back serve again as new ones. The rows
// of a file being read come from one run, in huge pages when it is large: a walk in key order
// visits them in no order, and they are then few pages for the TLB to hold.
class RowArena {
public:
    RowArena() { slots_.reset(sizeof(TableRow)); }
    void reserveRun(std::size_t count) {
        run_ = slots_.makeRun(count);
        runLeft_ = count;
    }
    TableRow* make() {
        char* slot = nullptr;
        if (runLeft_ > 0) {
            slot = run_;
            run_ += sizeof(TableRow);
            --runLeft_;
        } else {
            slot = slots_.make();
        }
        return new (slot) TableRow();
    }
    void giveBack(TableRow* row) { slots_.giveBack(reinterpret_cast<char*>(row)); }
    void clear() {
        slots_.reset(sizeof(TableRow));
        run_ = nullptr;
        runLeft_ = 0;
    }

private:
    RecordStore slots_;
    char* run_ = nullptr;
    std::size_t runLeft_ = 0;
};

struct Table::Impl {
    enum class State { Browse, Edit, Insert };

    Table* self = nullptr;
    std::shared_ptr<FileSystem> fs;
    SystemClock systemClock;
    const Clock* clock = &systemClock;
    std::time_t stampSecond = -1; // the second the system clock last gave `stampDate` in
    Date stampDate;
    std::string folder;
    std::string fileName;
    std::string fullPath;  // folder + file name, kept for messages
    IndexDef createdIndex; // the tag given at create, known without reading the .mdx

    // Open table.
    bool isOpen = false;
    bool readOnly = false;
    std::unique_ptr<File> file;
    DbfLayout layout;
    std::uint64_t recordsInFile = 0; // the header's count, deleted records included
    std::uint64_t deletedInFile = 0;
    // Rows in record order, which is also the order of their ids; deleted ones among them until swept.
    std::vector<TableRow*> rows;
    std::size_t deletedRows = 0; // deleted rows still in `rows`
    RowArena arena;              // owns every row of `rows`, and the swept ones waiting to serve again
    RecordStore store;           // owns the bytes of every live row
    std::uint64_t nextRowId = 1;
    bool indexDirty = false; // the .mdx no longer matches the rows
    std::string openFileKey; // this file in the program's count of open files

    // Order and filter.
    std::string indexName;      // as set; resolved at open
    std::string indexFieldName; // as set; resolved at open
    std::optional<std::size_t> orderField;
    // The order field's place in a record, kept beside it so comparing two rows looks nothing up.
    std::size_t keyOffset = 0;
    std::size_t keyWidth = 0;
    bool keyNumeric = false;
    std::string filterText;
    RecordFilter filter;
    bool filtered = false;
    bool caseInsensitive = false;

    // The visible rows, in order (by key, then record order), and the cursor on them.
    RowSequence view;
    // While a filter is on, the unfiltered view is kept aside as it was: switching the filter off puts
    // it back without a sort, and a filter text is applied to it in one ordered pass. It stands only
    // while `viewGeneration`, which counts every change to the rows or to their order, has not moved.
    RowSequence unfilteredView;
    bool unfilteredKept = false;
    std::uint64_t unfilteredGeneration = 0;
    std::uint64_t viewGeneration = 0;
    std::size_t pos = 0;
    std::size_t lastPlaced = 0; // where the last posted row went: where the next search starts
    bool eof = true;
    bool bof = true;

    // Editing.
    State state = State::Browse;
    std::string buffer;
    std::string blankRecord;  // a new row's bytes before any field is set, made once per layout
    std::string fieldScratch; // a field's bytes while a setter writes them
    std::string writeScratch; // a record and its end-of-data mark on their way to the file
    TableRow* editing = nullptr;
    TableRow* beforeInsert = nullptr;
    bool modified = false;

    // Observers.
    std::vector<TableObserver*> observers;
    int disableDepth = 0;
    bool changedWhileDisabled = false;
    bool syncPending = false; // posts written while controls were disabled, not yet flushed

    // Table.cpp
    std::string path() const;
    std::string mdxPath() const;
    // Asked before every field read: the test inline, the message out of line.
    void requireOpen() const {
        if (!isOpen)
            throwNotOpen();
    }
    [[noreturn]] void throwNotOpen() const;
    bool aloneOnFile() const; // no other table object of the program has this file open
    void requireWritable() const;
    void checkBrowseMode();
    const std::string& blankRow(); // a new row's bytes before any field is set
    void notify();
    std::optional<std::size_t> resolveTag(std::string_view tag) const;
    std::optional<std::size_t> findField(std::string_view name) const;
    void resolveOrder();
    int compareKeys(const TableRow* a, const TableRow* b) const; // <0, 0, >0
    bool keyLess(const TableRow* a, const TableRow* b) const { return compareKeys(a, b) < 0; }
    std::string_view bytesOf(const TableRow* row) const { return {row->data, layout.recordLength}; }
    bool visible(std::string_view bytes) const;
    void rebuildView();
    void keepUnfilteredView(); // before a filter goes on over the unfiltered view
    bool viewFromKept();       // rebuildView from the kept unfiltered view; false: none that still stands
    bool viewByCounting(); // rebuildView for keys of few distinct values; false: too many
    bool viewByDays();     // viewByCounting for a date key; false: a key that is not a stored date
    bool orderedBefore(const TableRow* a, const TableRow* b) const;       // by key, then record order
    std::optional<std::size_t> positionInView(const TableRow* row) const; // O(log n); nullopt: not in view
    // Puts a posted row where its key and record order place it, after taking it out of the view at
    // `from` (its place before the post) when it was there.
    void placeInView(TableRow* row, std::optional<std::size_t> from);
    void placeCursorOn(const TableRow* row);
    TableRow* liveRow(std::uint64_t id) const; // nullptr when deleted or never there
    void forgetRow(TableRow* row);             // after it was deleted from the file and the view
    void forgetRows(const std::vector<TableRow*>& gone); // deleted from the file; the view loses them here
    void sweepDeletedRows();
    void sweepWhenWorthIt(); // sweepDeletedRows once enough deleted rows have gathered
    TableRow* newRow(std::string_view bytes); // a swept row when there is one, holding a copy of `bytes`
    void dropNewRow(TableRow* row);           // a newRow never put into `rows`
    void clearRows();   // forgets every row: none may stay in the view
    // Empty: no current row. Inline, as every field read of a walk starts here.
    std::string_view currentBytes() const {
        if (state != State::Browse)
            return buffer;
        if (!isOpen || view.empty())
            return {};
        return bytesOf(view[pos]);
    }
    // currentBytes up to where only padding follows (the edit buffer whole: it changes with every set).
    std::string_view currentBytesBeforePadding() const {
        if (state != State::Browse)
            return buffer;
        if (!isOpen || view.empty())
            return {};
        const TableRow* row = view[pos];
        return {row->data, row->paddingFrom};
    }
    // Fills a row's bytes, and notes where their padding begins.
    void fillRow(TableRow* row, std::string_view bytes) const {
        std::memcpy(row->data, bytes.data(), layout.recordLength);
        row->paddingFrom = static_cast<std::uint32_t>(paddingStart(bytes.substr(0, layout.recordLength)));
    }
    void fetchAhead() const; // readies the rows a walk forward reaches next
    FieldContext fieldContext(std::size_t index) const { return FieldContext{layout.fields[index], layout.codePage, fullPath}; }

    // TableStorage.cpp: everything that touches the file.
    void createFile(const std::vector<FieldDef>& fields, const IndexDef& index);
    void loadFile();
    Date updateDate(); // the day a post stamps in the header
    // Records back to back, written after the last one in one write, then counted: all or none.
    void appendToFile(std::string_view records);
    // The two halves of it: records written past the counted ones (`after` records past the count),
    // which no reader sees until countAppended counts them, all in one header write.
    void writePastCount(std::uint64_t after, std::string_view records);
    void countAppended(std::uint64_t added);
    // After records written past the count were given up: the end mark back right after the counted
    // ones, if the file lets us (a reader that stops at the mark then stops there; ours trusts the count).
    void markEndOfCountedData() noexcept;
    // Puts rows added at the end of the file (in record order) into the view: one at a time when they
    // are few, else merged in one pass. The cursor goes to the last, or to where it would stand.
    void placeAppended(const std::vector<TableRow*>& added);
    void rewriteInFile(const TableRow& row, const std::string& record);
    void markDeletedInFile(const TableRow& row);
    // Rows whose records follow one another in the file, marked with one write.
    void markDeletedInFile(const TableRow* const* run, std::size_t count);
    void syncAfterPost();
    void flushPendingSync();
    void compact();
    bool compactQuietly();
    void writeIndex();
    TableError writeFailure(const FileError& e) const;
};

} // namespace valmora::dbase
