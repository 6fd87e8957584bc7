#pragma once
// The inside of a Table, shared by the files that implement it. Not for use
// outside the dBase engine.

#include "dbase/DbfFormat.h"
#include "dbase/FieldCodec.h"
#include "dbase/FileSystem.h"
#include "dbase/Filter.h"
#include "dbase/Table.h"

#include <optional>

namespace valmora::dbase {

// One live row: its record bytes (flag byte first) and where it sits in the file.
struct TableRow {
    std::string bytes;
    std::uint64_t id = 0;          // never reused while the table object lives: bookmarks hold it
    std::uint64_t recordIndex = 0; // 0-based position in the file
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

    // Open table.
    bool isOpen = false;
    bool readOnly = false;
    std::unique_ptr<File> file;
    DbfLayout layout;
    std::uint64_t recordsInFile = 0; // the header's count, deleted records included
    std::uint64_t deletedInFile = 0;
    std::vector<std::unique_ptr<TableRow>> rows; // live rows in record order
    std::uint64_t nextRowId = 1;
    bool indexDirty = false; // the .mdx no longer matches the rows
    std::string openFileKey; // this file in the program's count of open files

    // Order and filter.
    std::string indexName;      // as set; resolved at open
    std::string indexFieldName; // as set; resolved at open
    std::optional<std::size_t> orderField;
    std::string filterText;
    RecordFilter filter;
    bool filtered = false;
    bool caseInsensitive = false;

    // The visible rows, in order, and the cursor on them.
    std::vector<TableRow*> view;
    std::size_t pos = 0;
    bool eof = true;
    bool bof = true;

    // Editing.
    State state = State::Browse;
    std::string buffer;
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
    void requireOpen() const;
    bool aloneOnFile() const; // no other table object of the program has this file open
    void requireWritable() const;
    void checkBrowseMode();
    void notify();
    std::optional<std::size_t> resolveTag(std::string_view tag) const;
    std::optional<std::size_t> findField(std::string_view name) const;
    void resolveOrder();
    bool keyLess(const TableRow* a, const TableRow* b) const;
    bool visible(const TableRow& r) const;
    void rebuildView();
    bool orderedBefore(const TableRow* a, const TableRow* b) const; // by key, then record order
    void placeInView(TableRow* row);                                // after a post of that row
    void placeCursorOn(const TableRow* row);
    const std::string* currentBytes() const;
    FieldContext fieldContext(std::size_t index) const;

    // TableStorage.cpp: everything that touches the file.
    void createFile(const std::vector<FieldDef>& fields, const IndexDef& index);
    void loadFile();
    void appendToFile(const std::string& record);
    void rewriteInFile(const TableRow& row, const std::string& record);
    void markDeletedInFile(const TableRow& row);
    void syncAfterPost();
    void flushPendingSync();
    void compact();
    bool compactQuietly();
    void writeIndex();
    TableError writeFailure(const FileError& e) const;
};

} // namespace valmora::dbase
