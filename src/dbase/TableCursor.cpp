// The cursor on a table's visible rows and its edit state: moving, reading fields, and
// changing one row with Edit/Insert/Append, Post, Cancel and Delete.

#include "dbase/TableImpl.h"

#include <algorithm>

namespace valmora::dbase {

void Table::Impl::checkBrowseMode() {
    // Moving away from a row being edited keeps what was typed, as the data-set idiom does.
    if (state == State::Browse)
        return;
    if (modified)
        self->post();
    else
        self->cancel();
}

// ---------------------------------------------------------------- navigation

void Table::first() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    d.pos = 0;
    d.bof = true;
    d.eof = d.view.empty();
    d.notify();
}

void Table::last() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    d.pos = d.view.empty() ? 0 : d.view.size() - 1;
    d.eof = true;
    d.bof = d.view.empty();
    d.notify();
}

void Table::next() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    if (d.view.empty()) {
        d.eof = d.bof = true;
    } else if (d.pos + 1 < d.view.size()) {
        ++d.pos;
        d.bof = d.eof = false;
    } else {
        d.eof = true;
    }
    d.notify();
}

void Table::prior() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    if (d.view.empty()) {
        d.eof = d.bof = true;
    } else if (d.pos > 0) {
        --d.pos;
        d.bof = d.eof = false;
    } else {
        d.bof = true;
    }
    d.notify();
}

bool Table::eof() const {
    return d_->eof;
}
bool Table::bof() const {
    return d_->bof;
}
bool Table::isEmpty() const {
    return d_->view.empty();
}
int Table::recordCount() const {
    return static_cast<int>(d_->view.size());
}

int Table::recNo() const {
    const Impl& d = *d_;
    if (d.view.empty() || d.state == Impl::State::Insert)
        return 0;
    return static_cast<int>(d.pos) + 1;
}

void Table::moveTo(int recNo) {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    if (d.view.empty())
        return;
    const auto wanted = static_cast<std::size_t>(std::clamp(recNo, 1, static_cast<int>(d.view.size())));
    d.pos = wanted - 1;
    d.bof = d.eof = false;
    d.notify();
}

// ---------------------------------------------------------------- fields

int Table::fieldCount() const {
    return d_->isOpen ? static_cast<int>(d_->layout.fields.size()) : 0;
}
const std::vector<FieldDef>& Table::fieldDefs() const {
    return d_->layout.fields;
}

Field Table::fieldByName(std::string_view name) {
    d_->requireOpen();
    auto f = d_->findField(name);
    if (!f)
        throw TableError("Il campo " + std::string(name) + " non esiste nella tabella " + d_->path() + ".");
    return Field(this, static_cast<int>(*f));
}

Field Table::field(int index) {
    d_->requireOpen();
    if (index < 0 || index >= fieldCount())
        throw TableError("La tabella " + d_->path() + " non ha un campo numero " + std::to_string(index + 1) + ".");
    return Field(this, index);
}

// ---------------------------------------------------------------- editing

void Table::edit() {
    Impl& d = *d_;
    d.requireOpen();
    if (d.state != Impl::State::Browse)
        return;
    if (d.view.empty())
        return insert(); // editing an empty table starts a new row, as the data-set idiom does
    d.requireWritable();
    d.state = Impl::State::Edit;
    d.editing = d.view[d.pos].row;
    d.buffer = d.bytesOf(d.editing);
    d.modified = false;
    d.notify();
}

void Table::insert() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    d.requireWritable();
    d.beforeInsert = d.view.empty() ? nullptr : d.view[d.pos].row;
    d.buffer = d.blankRow();
    d.state = Impl::State::Insert;
    d.editing = nullptr;
    d.modified = false;
    d.notify();
}

void Table::append() {
    insert();
}

namespace {

// An edited row goes back in the file; it moves in the view only when its key or its passing
// the filter changed. Returns whether it must be placed again, and from where.
bool rewriteEdited(Table::Impl& d, TableRow* row, std::optional<std::size_t>& from) {
    d.rewriteInFile(*row, d.buffer);
    bool sameKey = true;
    if (d.orderField) {
        const std::size_t at = d.layout.offsets[*d.orderField];
        const auto width = static_cast<std::size_t>(d.layout.fields[*d.orderField].width);
        sameKey = d.bytesOf(row).compare(at, width, d.buffer, at, width) == 0;
    }
    const bool moved = !sameKey || !d.visible(d.buffer);
    if (moved) {
        // Found by its old key, before the new bytes replace it; the cursor is normally on it.
        if (d.pos < d.view.size() && d.view[d.pos].row == row)
            from = d.pos;
        else
            from = d.positionInView(row);
    }
    std::copy(d.buffer.begin(), d.buffer.end(), row->data);
    return moved;
}

} // namespace

void Table::post() {
    Impl& d = *d_;
    d.requireOpen();
    if (d.state == Impl::State::Browse)
        throw TableError("Nessun record in modifica nella tabella " + d.path() + ".");
    TableRow* row = nullptr;
    bool moved = true;
    std::optional<std::size_t> from; // where the edited row stood before it moves
    if (d.state == Impl::State::Insert) {
        auto fresh = d.newRow(d.buffer);
        d.appendToFile(d.buffer); // throws before anything in memory changes
        row = d.adopt(std::move(fresh), d.recordsInFile - 1);
    } else {
        row = d.editing;
        moved = rewriteEdited(d, row, from);
    }
    d.indexDirty = true;
    d.state = Impl::State::Browse;
    d.editing = nullptr;
    d.beforeInsert = nullptr;
    d.modified = false;
    if (moved)
        d.placeInView(row, from);
    if (!d.view.empty())
        d.eof = d.bof = false;
    d.notify();
}

void Table::cancel() {
    Impl& d = *d_;
    if (d.state == Impl::State::Browse)
        return;
    const TableRow* back = d.state == Impl::State::Insert ? d.beforeInsert : d.editing;
    d.state = Impl::State::Browse;
    d.editing = nullptr;
    d.beforeInsert = nullptr;
    d.modified = false;
    d.buffer.clear();
    d.placeCursorOn(back);
    if (!d.view.empty())
        d.eof = d.bof = false;
    d.notify();
}

void Table::deleteRecord() {
    Impl& d = *d_;
    d.requireOpen();
    if (d.state == Impl::State::Insert)
        return cancel(); // the new row never existed
    if (d.state == Impl::State::Edit)
        cancel();
    if (d.view.empty())
        throw TableError("Non ci sono record da cancellare nella tabella " + d.path() + ".");
    d.requireWritable();
    TableRow* row = d.view[d.pos].row;
    d.markDeletedInFile(&row, 1);
    d.indexDirty = true;
    d.forgetRows({row});
    // The following row takes its place; when the last row went, the new last.
    if (d.pos >= d.view.size() && !d.view.empty())
        d.pos = d.view.size() - 1;
    if (d.view.empty())
        d.pos = 0;
    d.eof = d.bof = d.view.empty();
    d.notify();
}

bool Table::isEditing() const {
    return d_->state != Impl::State::Browse;
}

void Table::appendRecord(const std::vector<Value>& values) {
    Impl& d = *d_;
    d.requireOpen();
    if (values.size() > d.layout.fields.size())
        throw TableError("Troppi valori per un record della tabella " + d.path() + ": " +
                         std::to_string(values.size()) + " valori, " + std::to_string(d.layout.fields.size()) +
                         " campi.");
    append();
    try {
        for (std::size_t i = 0; i < values.size(); ++i)
            field(static_cast<int>(i)).setValue(values[i]);
        post();
    } catch (...) {
        cancel();
        throw;
    }
}

} // namespace valmora::dbase
