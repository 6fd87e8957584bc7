#pragma once
// A dBase table held in memory and written through to its file at every post.
//
// The shape follows the classic data-set idiom the rest of the program is
// written against: bind a table to a folder and a file, open it, walk it with
// First/Next/Prior/Last and Eof/Bof, read and write the fields of the current
// row, and change rows with Edit/Insert/Append, Post, Cancel and Delete.
//
// Every error throws valmora::dbase::TableError carrying an Italian message
// that names the file.

#include "core/Date.h"
#include "core/Money.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace valmora::dbase {

class FileSystem;   // the file I/O the codec goes through (FileSystem.h)

class TableError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class FieldType {
    Character, // C
    Numeric,   // N (also F on reading)
    Date,      // D
    Logical,   // L
    Integer,   // I, level 7
    AutoInc,   // +, level 7
    Double,    // O, level 7
    Timestamp, // @, level 7
};

struct FieldDef {
    std::string name;
    FieldType type = FieldType::Character;
    int width = 0;
    int decimals = 0;

    static FieldDef text(std::string name, int width) { return {std::move(name), FieldType::Character, width, 0}; }
    // Numbers and money are both N(20,4), the mapping dBase uses for a money column.
    static FieldDef number(std::string name) { return {std::move(name), FieldType::Numeric, 20, 4}; }
    static FieldDef money(std::string name) { return {std::move(name), FieldType::Numeric, 20, 4}; }
    static FieldDef date(std::string name) { return {std::move(name), FieldType::Date, 8, 0}; }
    static FieldDef boolean(std::string name) { return {std::move(name), FieldType::Logical, 1, 0}; }
};

struct IndexDef {
    std::string tag;   // e.g. "Valuta"
    std::string field; // e.g. "VALUTA"
};

// An untyped field value, as handed to AppendRecord or read with value().
using Value = std::variant<std::monostate, std::string, Money, Date, bool, std::int64_t, double>;

class Table;

// A handle on one field of a table's current row (cheap to copy).
class Field {
public:
    const std::string& name() const;
    FieldType type() const;
    int width() const;
    int decimals() const;
    int index() const { return index_; }

    bool isNull() const;             // the stored bytes are blank
    std::string asString() const;    // text as stored (trailing blanks removed); other types as text
    // The same text without a copy when it can be had: a view of the row's own bytes when they are
    // plain ASCII, else of `spare`, which it fills. Valid until the row or `spare` changes; for a pass
    // over many rows that only looks at each text once.
    std::string_view asStringView(std::string& spare) const;
    Money asMoney() const;           // numbers as fixed point; empty reads 0
    double asFloat() const;
    std::int64_t asInteger() const;  // numbers rounded half to even
    Date asDate() const;             // empty reads as the zero date
    bool asBoolean() const;          // empty reads false
    Value value() const;

    // Writing needs the table in edit or insert state.
    void setString(std::string_view text);
    void setMoney(Money m);
    void setFloat(double d);
    void setInteger(std::int64_t i);
    void setDate(Date d);
    void setBoolean(bool b);
    void setValue(const Value& v);
    void clear();
    void assign(const Field& other); // copy another table's field value

private:
    friend class Table;
    Field(Table* table, int index) : table_(table), index_(index) {}
    Table* table_;
    int index_;
};

// Told when a table's rows, order, filter or current row change, unless the
// table's notifications are held (then once, when the hold ends).
class TableObserver {
public:
    virtual ~TableObserver() = default;
    virtual void tableChanged(const Table& table) = 0;
};

class Table {
public:
    struct Bookmark {
        std::uint64_t rowId = 0; // 0: no bookmark
    };

    explicit Table(std::shared_ptr<FileSystem> fs = nullptr); // nullptr: the real disk
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Binding. The path is folder + file name; the .mdx sits beside the .dbf.
    void bind(std::string folder, std::string fileName);
    const std::string& folder() const;
    const std::string& fileName() const;
    std::string path() const;
    // The clock of every date the engine stamps (the header's last update, the .mdx); the system
    // clock unless set.
    void setClock(const Clock* clock);

    // Writes an empty .dbf and its .mdx with one tag. The table stays closed.
    void create(const std::vector<FieldDef>& fields, const IndexDef& index);

    void open();
    // An edit in progress is cancelled; posted rows are already in the file. Deleted rows are
    // dropped from the file here (and at open) when no other table object has it open.
    void close();
    bool isOpen() const;

    // Tag names found in the .mdx beside the table (empty when there is none or it is unreadable).
    std::vector<std::string> indexTags() const;
    // Order by a tag of the index (matched ignoring case) or by a field; "" is file order.
    // Ties keep the order in which rows were added.
    void setIndexName(std::string_view tag);
    void setIndexFieldNames(std::string_view field);

    void first();
    void next();
    void prior();
    void last();
    bool eof() const;
    bool bof() const;
    bool isEmpty() const;
    int recordCount() const; // rows visible through the filter
    int recNo() const;       // 1-based position of the current row in the visible order, 0 when none
    void moveTo(int recNo);  // 1-based

    int fieldCount() const;
    const std::vector<FieldDef>& fieldDefs() const;
    Field fieldByName(std::string_view name); // ignoring case; throws when absent
    Field field(int index);

    void edit();
    void insert(); // a new row (stored at the end of the file, like append)
    void append();
    void post();
    void cancel();
    void deleteRecord(); // the following row becomes current (the new last when the last went)
    // Deletes every visible row `pick` chooses; it is asked once per row, in order, with that row
    // current, and may read fields but not change the table. Neighbouring records are marked in the file with one write, so a pass that deletes
    // most rows costs a few writes, not one a row. If a write fails, the rows already marked are gone
    // and the error is thrown. Returns how many went; the cursor is then past the last row (eof).
    std::size_t deleteWhere(const std::function<bool()>& pick);
    bool isEditing() const; // in edit or insert state
    void appendRecord(const std::vector<Value>& values); // fields in declared order, then post
    // appendRecord for many rows, written in one go and counted once: after a failure none of them is
    // in the file or the table. The cursor ends on the last one, as after the same appendRecord calls.
    void appendRecords(const std::vector<std::vector<Value>>& rows);
    // The same, with row k's values asked of `rowAt` only when it is written: a large number of rows
    // then never sit in memory as values all at once.
    void appendRecords(std::size_t count, const std::function<void(std::size_t, std::vector<Value>&)>& rowAt);

    // Filter: "Valuta >='01/03/2005' And Operazione ='Prelievo' And Commento = 'aff*'".
    void setFilter(std::string text); // throws on a text that cannot be parsed
    const std::string& filter() const;
    void setFiltered(bool on);
    bool filtered() const;
    void setFilterCaseInsensitive(bool on);

    Bookmark getBookmark() const;
    bool bookmarkValid(const Bookmark& b) const;
    void gotoBookmark(const Bookmark& b);
    void freeBookmark(Bookmark& b);

    // Locate("DATA;COMMENTO", {date, text}) ignoring case: moves to the first match.
    bool locate(std::string_view fieldNames, const std::vector<Value>& values, bool caseInsensitive = true);

    // A batch of changes (TableBatch below is the way to use these). While notifications are held,
    // observers hear of the changes once, when the outermost hold ends. While the sync is deferred,
    // every change still reaches the file at once, but the flush to the disk (fsync) waits for the
    // outermost end, which throws if that flush fails (the next sync, at the next change or the
    // close, tries again).
    void holdNotifications();
    void releaseNotifications();
    void deferSync();
    void endDeferredSync();
    // Both at once, as the data-set idiom has it.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const; // notifications are held
    void addObserver(TableObserver* o);
    void removeObserver(TableObserver* o);

    // What the last open set right in the file, each a sentence in Italian for the user (records
    // set aside, an index rewritten); empty when the file was found in order.
    const std::vector<std::string>& openNotices() const;
    // Told each of them as the open that found it ends (the program shows them to the user).
    void setNoticeHandler(std::function<void(const std::string&)> tell);

    // A command that must be all or nothing: from beginUndo until endUndo, whatever this table
    // overwrites in its file is first kept in the log at `logPath` (UndoLog.h), so UndoLog::restore
    // can take the file back to this moment, after a failure or at the next start after a kill.
    // Meanwhile no compaction rewrites the file. beginUndo throws TableError, having written
    // nothing, when the log cannot be made; endUndo leaves the log on disk for the caller to remove
    // (the change is kept) or to restore (it is taken back, with the table closed).
    void beginUndo(const std::string& logPath);
    void endUndo();

    // Drops deleted rows from the file, keeping record order.
    void pack();

    // The engine's inside (TableImpl.h); named here so the engine's own files can reach it.
    struct Impl;

private:
    friend class Field;
    std::unique_ptr<Impl> d_;
};

// Holds a table's notifications, its syncs or both for the life of the guard. A table closed when
// the guard starts is left alone. finish() ends the batch and lets a failed flush reach the caller;
// a guard left without finish() (an error is already on its way) ends quietly.
class TableBatch {
public:
    enum Hold { Notifications = 1, Sync = 2, Everything = 3 };
    explicit TableBatch(Table& table, Hold hold = Everything);
    ~TableBatch();
    void finish();
    TableBatch(const TableBatch&) = delete;
    TableBatch& operator=(const TableBatch&) = delete;

private:
    Table* table_;
    Hold hold_;
};

} // namespace valmora::dbase
