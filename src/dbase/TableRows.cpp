// The rows of an open table: their making, their lifetime and their finding by id.

#include "dbase/TableImpl.h"

#include <algorithm>
#include <cstring>

namespace valmora::dbase {

RowPtr Table::Impl::newRow(std::string_view bytes) const {
    RowPtr row(new TableRow);
    row->own = std::make_unique<char[]>(layout.recordLength);
    row->data = row->own.get();
    std::memcpy(row->data, bytes.data(), layout.recordLength);
    return row;
}

TableRow* Table::Impl::adopt(RowPtr row, std::uint64_t recordIndex) {
    row->id = nextRowId++;
    row->recordIndex = recordIndex;
    rows.push_back(std::move(row));
    return rows.back().get();
}

TableRow* Table::Impl::liveRow(std::uint64_t id) const {
    auto it = std::lower_bound(rows.begin(), rows.end(), id,
                               [](const RowPtr& r, std::uint64_t wanted) { return r->id < wanted; });
    if (it == rows.end() || (*it)->id != id || (*it)->deleted)
        return nullptr;
    return it->get();
}

void Table::Impl::forgetRows(const std::vector<TableRow*>& gone) {
    if (gone.empty())
        return;
    for (TableRow* row : gone) {
        row->deleted = true;
        row->own.reset(); // bytes read at open stay with the rest until the table closes
        row->data = nullptr;
    }
    std::erase_if(view, [](const ViewRow& e) { return e.row->deleted; });
    deletedRows += gone.size();
    // Sweeping once deleted rows are half of `rows` keeps each deletion O(1) on average.
    if (deletedRows >= 64 && deletedRows * 2 >= rows.size())
        sweepDeletedRows();
}

void Table::Impl::sweepDeletedRows() {
    if (deletedRows == 0)
        return;
    std::erase_if(rows, [](const RowPtr& r) { return r->deleted; });
    deletedRows = 0;
}

void Table::Impl::clearRows() {
    rows.clear(); // before the blocks its rows may sit in
    deletedRows = 0;
    loadedRows.reset();
    loaded.reset();
}

const std::string& Table::Impl::blankRow() {
    if (blankRecord.size() != layout.recordLength) {
        blankRecord.assign(layout.recordLength, ' ');
        blankRecord[0] = static_cast<char>(kLiveRecord);
        for (std::size_t f = 0; f < layout.fields.size(); ++f) {
            std::string blank(static_cast<std::size_t>(layout.fields[f].width), ' ');
            writeBlank(blank, layout.fields[f].type);
            blankRecord.replace(layout.offsets[f], blank.size(), blank);
        }
    }
    return blankRecord;
}

} // namespace valmora::dbase
