// Changes of many rows at once: appended in one write and counted once, deleted a run of
// neighbouring records at a time.

#include "dbase/TableImpl.h"

#include <algorithm>

namespace valmora::dbase {
namespace {

void refuseTooManyValues(const Table::Impl& d, std::size_t values) {
    if (values > d.layout.fields.size())
        throw TableError("Troppi valori per un record della tabella " + d.path() + ": " + std::to_string(values) +
                         " valori, " + std::to_string(d.layout.fields.size()) + " campi.");
}

// The record bytes of one row of values, added at the end of `lot`.
void encodeRow(Table::Impl& d, const std::vector<Value>& values, std::string& lot, std::string& scratch) {
    refuseTooManyValues(d, values.size());
    const std::size_t start = lot.size();
    lot += d.blankRow();
    for (std::size_t i = 0; i < values.size(); ++i) {
        const FieldContext c = d.fieldContext(i);
        scratch.assign(lot, start + d.layout.offsets[i], static_cast<std::size_t>(c.def.width));
        writeValue(scratch, values[i], c);
        lot.replace(start + d.layout.offsets[i], scratch.size(), scratch);
    }
}

} // namespace

void Table::appendRecords(const std::vector<std::vector<Value>>& rows) {
    appendRecords(rows.size(), [&](std::size_t k, std::vector<Value>& values) { values = rows[k]; });
}

void Table::appendRecords(std::size_t count, const std::function<void(std::size_t, std::vector<Value>&)>& rowAt) {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    d.requireWritable();
    if (count == 0)
        return;
    // Made and written a lot at a time past the counted records, where no reader looks; counted all
    // together at the end. Until then nothing in the table has changed, and a failure (a value a field
    // refuses, a write) leaves it as it was: the new rows are dropped and the bytes past the count
    // are written over by the next append.
    constexpr std::size_t kLot = 4096;
    const std::size_t length = d.layout.recordLength;
    std::vector<RowPtr> added;
    added.reserve(count);
    std::string lot;
    std::string scratch;
    std::vector<Value> values;
    try {
        for (std::size_t k = 0; k < count; ++k) {
            values.clear();
            rowAt(k, values);
            encodeRow(d, values, lot, scratch);
            if (lot.size() == kLot * length || k + 1 == count) {
                d.writePastCount(added.size(), lot);
                for (std::size_t j = 0; j < lot.size() / length; ++j)
                    added.push_back(d.newRow(std::string_view(lot).substr(j * length, length)));
                lot.clear();
            }
        }
        d.countAppended(count);
    } catch (...) {
        d.markEndOfCountedData();
        throw;
    }
    const std::uint64_t first = d.recordsInFile - count;
    std::vector<TableRow*> placed;
    placed.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        placed.push_back(d.adopt(std::move(added[k]), first + k));
    d.placeAppended(placed);
    d.indexDirty = true;
    if (!d.view.empty())
        d.eof = d.bof = false;
    d.notify();
}

std::size_t Table::deleteWhere(const std::function<bool()>& pick) {
    Impl& d = *d_;
    d.requireOpen();
    if (d.state != Impl::State::Browse)
        cancel();
    d.requireWritable();
    std::vector<TableRow*> picked;
    try {
        for (d.pos = 0; d.pos < d.view.size(); ++d.pos) {
            d.eof = d.bof = false;
            if (pick())
                picked.push_back(d.view[d.pos].row);
        }
    } catch (...) {
        d.pos = 0;
        d.eof = d.bof = d.view.empty();
        throw;
    }
    // In file order, cut into runs of records that follow one another.
    std::sort(picked.begin(), picked.end(),
              [](const TableRow* a, const TableRow* b) { return a->recordIndex < b->recordIndex; });
    std::size_t marked = 0;
    auto finish = [&] {
        picked.resize(marked);
        d.forgetRows(picked);
        if (marked > 0)
            d.indexDirty = true;
        d.pos = d.view.empty() ? 0 : d.view.size() - 1;
        d.eof = true;
        d.bof = d.view.empty();
        d.notify();
    };
    try {
        while (marked < picked.size()) {
            // A few thousand records a write at most: the run is copied to be written.
            constexpr std::size_t kMostPerWrite = 4096;
            std::size_t end = marked + 1;
            while (end < picked.size() && end - marked < kMostPerWrite &&
                   picked[end]->recordIndex == picked[end - 1]->recordIndex + 1)
                ++end;
            d.markDeletedInFile(picked.data() + marked, end - marked);
            marked = end;
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
    return marked;
}

} // namespace valmora::dbase
