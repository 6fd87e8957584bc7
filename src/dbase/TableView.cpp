// The rows a table shows and their order: by a tag or a field, then by record order, through the filter.

#include "dbase/TableImpl.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace valmora::dbase {

std::optional<std::size_t> Table::Impl::resolveTag(std::string_view tag) const {
    // The tag given at create (or found in the .mdx) says its field; otherwise a tag is
    // named after its field, or is the field's name cut short ("Ist" for ISTITUTO).
    if (!createdIndex.tag.empty() && equalsIgnoringCase(createdIndex.tag, tag))
        if (auto f = findField(createdIndex.field))
            return f;
    if (auto f = findField(tag))
        return f;
    if (!tag.empty())
        for (std::size_t i = 0; i < layout.fields.size(); ++i)
            if (layout.fields[i].name.size() > tag.size() &&
                equalsIgnoringCase(std::string_view(layout.fields[i].name).substr(0, tag.size()), tag))
                return i;
    return std::nullopt;
}

void Table::Impl::resolveOrder() {
    // Nothing changes when the name is unknown: the view stays sorted by the order it was built in,
    // which every search in it relies on.
    std::optional<std::size_t> resolved;
    if (!indexName.empty()) {
        resolved = resolveTag(indexName);
        if (!resolved)
            throw TableError("L'indice " + indexName + " non esiste per la tabella " + path() + ".");
    } else if (!indexFieldName.empty()) {
        resolved = findField(indexFieldName);
        if (!resolved)
            throw TableError("Il campo " + indexFieldName + " non esiste nella tabella " + path() + ".");
    }
    orderField = resolved;
}

namespace {

// A row's order key, decoded once: a number for a numeric or a date field (its day; no date before
// every day), else the stored bytes, which sort as the values do (text in the file's code page,
// level-7 binary types).
struct Key {
    std::string_view bytes;
    double number = 0;
};

int compare(const Key& a, const Key& b, bool numeric) {
    if (numeric)
        return a.number < b.number ? -1 : (b.number < a.number ? 1 : 0);
    return a.bytes.compare(b.bytes);
}

Key keyOf(const Table::Impl& d, const TableRow* row) {
    const std::size_t f = *d.orderField;
    const auto width = static_cast<std::size_t>(d.layout.fields[f].width);
    Key k{d.bytesOf(row).substr(d.layout.offsets[f], width)};
    if (d.layout.fields[f].type == FieldType::Numeric) {
        k.number = readFloat(k.bytes, d.fieldContext(f));
    } else if (d.layout.fields[f].type == FieldType::Date) {
        const Date day = readDate(k.bytes, d.fieldContext(f));
        k.number = day.isNull() ? -1e300 : static_cast<double>(day.dayNumber());
    }
    return k;
}

bool numericOrder(const Table::Impl& d) {
    if (!d.orderField)
        return false;
    const FieldType type = d.layout.fields[*d.orderField].type;
    return type == FieldType::Numeric || type == FieldType::Date;
}

} // namespace

int Table::Impl::compareKeys(const TableRow* a, const TableRow* b) const {
    return compare(keyOf(*this, a), keyOf(*this, b), numericOrder(*this));
}

bool Table::Impl::orderedBefore(const TableRow* a, const TableRow* b) const {
    if (orderField)
        if (const int c = compareKeys(a, b); c != 0)
            return c < 0;
    return a->recordIndex < b->recordIndex;
}

bool Table::Impl::visible(std::string_view bytes) const {
    return !filtered || filter.matches(bytes, layout, fullPath, caseInsensitive);
}

void Table::Impl::rebuildView() {
    view.clear();
    std::vector<std::pair<Key, TableRow*>> keyed;
    keyed.reserve(rows.size() - deletedRows);
    for (const auto& r : rows)
        if (!r->deleted && visible(bytesOf(r.get())))
            keyed.emplace_back(orderField ? keyOf(*this, r.get()) : Key{}, r.get());
    // The rows come in record order, so a stable sort by key keeps record order among equal keys.
    if (orderField) {
        const bool numeric = numericOrder(*this);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [numeric](const auto& a, const auto& b) { return compare(a.first, b.first, numeric) < 0; });
    }
    view.reserve(keyed.size());
    for (const auto& [key, row] : keyed)
        view.push_back({row, row->data});
}

std::optional<std::size_t> Table::Impl::positionInView(const TableRow* row) const {
    // Key then record order is a total order on the rows and the view is sorted by it, so the row
    // can only stand at the first place not before it.
    const auto it = std::partition_point(view.begin(), view.end(),
                                         [&](const ViewRow& e) { return orderedBefore(e.row, row); });
    if (it != view.end() && it->row == row)
        return static_cast<std::size_t>(it - view.begin());
    return std::nullopt;
}

void Table::Impl::placeInView(TableRow* row, std::optional<std::size_t> from) {
    // Only the posted row can have changed place: take it out and put it back by key, then
    // record order, which is where a full stable sort would have put it.
    if (from)
        view.erase(view.begin() + static_cast<std::ptrdiff_t>(*from));
    const auto at = std::partition_point(view.begin(), view.end(),
                                         [&](const ViewRow& e) { return orderedBefore(e.row, row); });
    const auto index = static_cast<std::size_t>(at - view.begin());
    if (visible(bytesOf(row))) {
        view.insert(at, {row, row->data});
        pos = index;
    } else {
        pos = view.empty() ? 0 : std::min(index, view.size() - 1); // where it would have stood
    }
    eof = bof = view.empty();
}

void Table::Impl::placeAppended(const std::vector<TableRow*>& added) {
    // One at a time costs a search and a shift of the rows after it; for many rows one merge costs less.
    if (added.size() < 64) {
        for (TableRow* row : added)
            placeInView(row, std::nullopt);
        return;
    }
    std::vector<ViewRow> fresh;
    fresh.reserve(added.size());
    for (TableRow* row : added)
        if (visible(bytesOf(row)))
            fresh.push_back({row, row->data});
    auto before = [this](const ViewRow& a, const ViewRow& b) { return orderedBefore(a.row, b.row); };
    // Rows a scan adds come in order already, and are then left as they are.
    if (!std::is_sorted(fresh.begin(), fresh.end(), before))
        std::stable_sort(fresh.begin(), fresh.end(), before);
    std::vector<ViewRow> merged;
    merged.reserve(view.size() + fresh.size());
    std::merge(view.begin(), view.end(), fresh.begin(), fresh.end(), std::back_inserter(merged), before);
    view = std::move(merged);
    // The cursor as the last of the same appends made one by one would leave it.
    const TableRow* last = added.back();
    const auto at = static_cast<std::size_t>(
        std::partition_point(view.begin(), view.end(), [&](const ViewRow& e) { return orderedBefore(e.row, last); }) -
        view.begin());
    pos = view.empty() ? 0 : std::min(at, view.size() - 1);
    eof = bof = view.empty();
}

void Table::Impl::placeCursorOn(const TableRow* row) {
    eof = bof = view.empty();
    if (view.empty()) {
        pos = 0;
        return;
    }
    if (row && !row->deleted)
        if (auto at = positionInView(row)) {
            pos = *at;
            return;
        }
    pos = std::min(pos, view.size() - 1); // the row is gone from sight: stay as near as the view allows
}

namespace {

// Orders the view by a tag or by a field (one of the two names is empty). A name that resolves to nothing throws
// and leaves the order, and both names, as they were.
void applyOrder(Table::Impl& d, std::string indexName, std::string indexFieldName) {
    std::string previousName = std::exchange(d.indexName, std::move(indexName));
    std::string previousField = std::exchange(d.indexFieldName, std::move(indexFieldName));
    if (!d.isOpen)
        return;
    d.checkBrowseMode();
    const TableRow* current = d.view.empty() ? nullptr : d.view[d.pos].row;
    try {
        d.resolveOrder();
    } catch (...) {
        d.indexName = std::move(previousName);
        d.indexFieldName = std::move(previousField);
        throw;
    }
    d.rebuildView();
    d.placeCursorOn(current);
    d.notify();
}

// After the filter changed: the new view from its first row.
void refilter(Table::Impl& d) {
    d.rebuildView();
    d.pos = 0;
    d.bof = true;
    d.eof = d.view.empty();
    d.notify();
}

} // namespace

void Table::setIndexName(std::string_view tag) {
    applyOrder(*d_, std::string(tag), std::string());
}

void Table::setIndexFieldNames(std::string_view field) {
    applyOrder(*d_, std::string(), std::string(field));
}

void Table::setFilter(std::string text) {
    Impl& d = *d_;
    if (d.isOpen) {
        RecordFilter parsed = RecordFilter::parse(text, d.layout, d.fullPath); // throws; nothing changed
        d.checkBrowseMode();
        d.filter = std::move(parsed);
    }
    d.filterText = std::move(text);
    if (d.isOpen && d.filtered)
        refilter(d);
}

const std::string& Table::filter() const {
    return d_->filterText;
}

void Table::setFiltered(bool on) {
    Impl& d = *d_;
    if (d.filtered == on)
        return;
    if (d.isOpen) {
        if (on)
            d.filter = RecordFilter::parse(d.filterText, d.layout, d.fullPath);
        d.checkBrowseMode();
    }
    d.filtered = on;
    if (d.isOpen)
        refilter(d);
}

bool Table::filtered() const {
    return d_->filtered;
}

void Table::setFilterCaseInsensitive(bool on) {
    Impl& d = *d_;
    if (d.caseInsensitive == on)
        return;
    d.caseInsensitive = on;
    if (d.isOpen && d.filtered) {
        d.checkBrowseMode();
        refilter(d);
    }
}

} // namespace valmora::dbase
