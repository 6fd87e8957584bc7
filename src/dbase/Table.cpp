// Binding, opening, order, filter, navigation and editing of a Table.

#include "dbase/Mdx.h"
#include "dbase/OpenFiles.h"
#include "dbase/TableImpl.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>
#include <unordered_map>
#include <utility>

namespace valmora::dbase {

// ---------------------------------------------------------------- Impl helpers

std::string Table::Impl::path() const {
    if (folder.empty())
        return fileName;
    const char last = folder.back();
    if (last == '/' || last == '\\')
        return folder + fileName;
    return folder + static_cast<char>(std::filesystem::path::preferred_separator) + fileName;
}

std::string Table::Impl::mdxPath() const {
    std::string p = path();
    const std::size_t dot = p.find_last_of('.');
    const std::size_t slash = p.find_last_of("/\\");
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return p + ".mdx";
    const bool upper = p.size() > dot + 1 && std::isupper(static_cast<unsigned char>(p[dot + 1]));
    return p.substr(0, dot) + (upper ? ".MDX" : ".mdx");
}

bool Table::Impl::aloneOnFile() const {
    return OpenFiles::count(openFileKey) <= 1;
}

void Table::Impl::throwNotOpen() const {
    throw TableError("La tabella " + path() + " non è aperta.");
}

void Table::Impl::requireWritable() const {
    if (readOnly)
        throw TableError("Il file " + path() + " è di sola lettura: le modifiche non possono essere salvate.");
}

void Table::Impl::checkBrowseMode() {
    // Moving away from a row being edited keeps what was typed, as the data-set idiom does.
    if (state == State::Browse)
        return;
    if (modified)
        self->post();
    else
        self->cancel();
}

void Table::Impl::notify() {
    if (disableDepth > 0) {
        changedWhileDisabled = true;
        return;
    }
    const std::vector<TableObserver*> copy = observers; // an observer may remove itself
    for (TableObserver* o : copy)
        o->tableChanged(*self);
}

std::optional<std::size_t> Table::Impl::findField(std::string_view name) const {
    for (std::size_t i = 0; i < layout.fields.size(); ++i)
        if (equalsIgnoringCase(layout.fields[i].name, name))
            return i;
    return std::nullopt;
}

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
    ++viewGeneration;
    if (orderField) {
        keyOffset = layout.offsets[*orderField];
        keyWidth = static_cast<std::size_t>(layout.fields[*orderField].width);
        keyNumeric = layout.fields[*orderField].type == FieldType::Numeric;
    }
}

int Table::Impl::compareKeys(const TableRow* a, const TableRow* b) const {
    const std::string_view ka(a->data + keyOffset, keyWidth);
    const std::string_view kb(b->data + keyOffset, keyWidth);
    if (keyNumeric) {
        const FieldContext c = fieldContext(*orderField);
        const double x = readFloat(ka, c);
        const double y = readFloat(kb, c);
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    // Text (in the file's code page), YYYYMMDD dates and the level-7 binary types all sort as bytes.
    if (keyWidth == 8) {
        // A date (or an 8-byte binary key): as big-endian words the bytes compare in one step.
        std::uint64_t x = 0;
        std::uint64_t y = 0;
        std::memcpy(&x, ka.data(), 8);
        std::memcpy(&y, kb.data(), 8);
        if constexpr (std::endian::native == std::endian::little) {
            x = __builtin_bswap64(x);
            y = __builtin_bswap64(y);
        }
        return x < y ? -1 : (y < x ? 1 : 0);
    }
    return ka.compare(kb);
}

bool Table::Impl::visible(std::string_view bytes) const {
    return !filtered || filter.matches(bytes, layout, fullPath, caseInsensitive);
}

void Table::Impl::keepUnfilteredView() {
    std::swap(unfilteredView, view);
    unfilteredKept = true;
    unfilteredGeneration = viewGeneration;
}

bool Table::Impl::viewFromKept() {
    if (!unfilteredKept)
        return false;
    if (unfilteredGeneration != viewGeneration) {
        unfilteredKept = false;
        unfilteredView.clear();
        return false;
    }
    if (!filtered) {
        std::swap(view, unfilteredView);
        unfilteredKept = false;
        unfilteredView.clear();
        return true;
    }
    // A date range on the (date) order field: the rows that pass are one run, found by two searches.
    if (orderField && keyWidth == 8 && layout.fields[*orderField].type == FieldType::Date &&
        filter.onlyDateRangeOn(*orderField)) {
        auto keyOf = [&](const TableRow* r) { return std::string_view(r->data + keyOffset, keyWidth); };
        const std::size_t first = unfilteredView.partitionPoint([&](const TableRow* r) { return filter.keyTooEarly(keyOf(r)); });
        const std::size_t end = unfilteredView.partitionPoint([&](const TableRow* r) { return !filter.keyTooLate(keyOf(r)); });
        std::vector<TableRow*> run;
        run.reserve(end > first ? end - first : 0);
        for (std::size_t i = first; i < end; ++i)
            run.push_back(unfilteredView[i]);
        view.assign(run);
        return true;
    }
    // Already in order: the rows the filter lets through keep it.
    std::vector<TableRow*> kept;
    for (std::size_t i = 0; i < unfilteredView.size(); ++i)
        if (TableRow* r = unfilteredView[i]; visible(bytesOf(r)))
            kept.push_back(r);
    view.assign(kept);
    return true;
}

void Table::Impl::rebuildView() {
    if (viewFromKept())
        return;
    view.clear(); // before the new one is built: a large table is opened near its memory budget
    if (orderField && !keyNumeric && viewByCounting())
        return;
    std::vector<TableRow*> sorted;
    sorted.reserve(rows.size() - deletedRows);
    for (TableRow* r : rows)
        if (!r->deleted() && visible(bytesOf(r)))
            sorted.push_back(r);
    // Key then record order is total, so a plain sort gives what a stable sort by key would, without
    // the stable sort's buffer of one pointer per row (a large table is opened near its memory budget).
    if (orderField)
        std::sort(sorted.begin(), sorted.end(),
                  [this](const TableRow* a, const TableRow* b) { return orderedBefore(a, b); });
    view.assign(sorted);
}

namespace {

// Counting sort of the visible rows by a key: `Key` is what the rows are counted under, `keyOf`
// gives it for a row; keys sort by Key's `<`, which must agree with compareKeys.
template <typename Key, typename KeyOf, typename Visible>
bool dealByKey(const std::vector<TableRow*>& rows, std::size_t keyOffset, std::size_t mostKeys, KeyOf keyOf,
               Visible visible, RowSequence& view) {
    // Each row's bytes are a block of their own, and the wait for each key's cache line would
    // dominate both passes: the key some rows ahead is asked for early.
    constexpr std::size_t kAhead = 16;
    auto fetchKeyAhead = [&](std::size_t i) {
#if defined(__GNUC__)
        if (i + kAhead < rows.size())
            __builtin_prefetch(rows[i + kAhead]->data + keyOffset);
#else
        (void)i;
#endif
    };
    std::unordered_map<Key, std::size_t> start;
    std::size_t n = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        fetchKeyAhead(i);
        const TableRow* r = rows[i];
        if (r->deleted() || !visible(r))
            continue;
        ++n;
        ++start[keyOf(r)];
        if (start.size() > mostKeys)
            return false;
    }
    std::vector<Key> keys;
    keys.reserve(start.size());
    for (const auto& [key, count] : start)
        keys.push_back(key);
    std::sort(keys.begin(), keys.end());
    std::size_t at = 0;
    for (const Key& key : keys)
        at += std::exchange(start[key], at);
    std::vector<TableRow*> out(n);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        fetchKeyAhead(i);
        TableRow* r = rows[i];
        if (!r->deleted() && visible(r))
            out[start[keyOf(r)]++] = r;
    }
    view.assign(out);
    return true;
}

} // namespace

bool Table::Impl::viewByCounting() {
    // Keys compared as bytes (dates, texts) often take few values: a ledger's value dates span a few
    // thousand days for a million movements. Then counting each key's rows and dealing the rows out in
    // record order sorts in two sequential passes over the rows, where a comparison sort chases every
    // row's bytes twenty times. Too many distinct keys and the comparison sort is left to do it.
    const std::size_t mostKeys = (rows.size() - deletedRows) / 16 + 64;
    auto isVisible = [this](const TableRow* r) { return visible(bytesOf(r)); };
    if (layout.fields[*orderField].type == FieldType::Date && keyWidth == 8 && viewByDays())
        return true;
    if (keyWidth <= 8) {
        // Up to eight bytes (a date) read as one big-endian number: it orders as the bytes do, and
        // hashes and compares without touching the bytes again.
        auto keyOf = [&](const TableRow* r) {
            std::uint64_t key = 0;
            for (std::size_t i = 0; i < keyWidth; ++i)
                key = (key << 8) | static_cast<unsigned char>(r->data[keyOffset + i]);
            return key;
        };
        return dealByKey<std::uint64_t>(rows, keyOffset, mostKeys, keyOf, isVisible, view);
    }
    auto keyOf = [&](const TableRow* r) { return std::string_view(r->data + keyOffset, keyWidth); };
    return dealByKey<std::string_view>(rows, keyOffset, mostKeys, keyOf, isVisible, view);
}

namespace {

// A stored date's place among all stored dates as a small number, in the order of its bytes: blanks
// first, then "00000000", then the days (a month counted as 31 days keeps the order and the numbers
// close). Nullopt for bytes that are none of these.
std::optional<std::uint32_t> daySlot(const char* k) {
    std::uint64_t word = 0;
    std::memcpy(&word, k, 8);
    if (word == 0x2020202020202020ULL)
        return 0;
    if (!isEightDigits(k))
        return std::nullopt;
    auto d = [&](int i) { return static_cast<std::uint32_t>(k[i] - '0'); };
    const std::uint32_t year = d(0) * 1000 + d(1) * 100 + d(2) * 10 + d(3);
    const std::uint32_t month = d(4) * 10 + d(5);
    const std::uint32_t day = d(6) * 10 + d(7);
    if (year == 0 && month == 0 && day == 0)
        return 1;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    return 2 + (year * 12 + month - 1) * 31 + day - 1;
}

} // namespace

bool Table::Impl::viewByDays() {
    // The counting of viewByCounting with each date's slot as an index into an array instead of a key
    // into a hash table: no hashing, and the counts of a few thousand days stay in the cache.
    std::vector<std::uint32_t> slotOf(rows.size());
    std::uint32_t low = UINT32_MAX;
    std::uint32_t high = 0;
    std::size_t n = 0;
    constexpr std::uint32_t kHidden = UINT32_MAX;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TableRow* r = rows[i];
        if (r->deleted() || !visible(bytesOf(r))) {
            slotOf[i] = kHidden;
            continue;
        }
        const auto slot = daySlot(r->data + keyOffset);
        if (!slot)
            return false;
        slotOf[i] = *slot;
        low = std::min(low, *slot);
        high = std::max(high, *slot);
        ++n;
    }
    if (n == 0) {
        view.clear();
        return true;
    }
    if (high - low > n * 4 + 100000) // dates spread over more days than the rows justify
        return false;
    std::vector<std::size_t> start(static_cast<std::size_t>(high - low) + 1, 0);
    for (const std::uint32_t s : slotOf)
        if (s != kHidden)
            ++start[s - low];
    std::size_t at = 0;
    for (std::size_t& count : start)
        at += std::exchange(count, at);
    std::vector<TableRow*> out(n);
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (slotOf[i] != kHidden)
            out[start[slotOf[i] - low]++] = rows[i];
    view.assign(out);
    return true;
}

bool Table::Impl::orderedBefore(const TableRow* a, const TableRow* b) const {
    if (orderField)
        if (const int c = compareKeys(a, b); c != 0)
            return c < 0;
    return a->recordIndex < b->recordIndex;
}

std::optional<std::size_t> Table::Impl::positionInView(const TableRow* row) const {
    // Key then record order is a total order on the rows and the view is sorted by it, so the row
    // can only stand at the first place not before it.
    const std::size_t at = view.partitionPoint([&](const TableRow* e) { return orderedBefore(e, row); });
    if (at < view.size() && view[at] == row)
        return at;
    return std::nullopt;
}

void Table::Impl::placeInView(TableRow* row, std::optional<std::size_t> from) {
    // Only the posted row can have changed place: take it out and put it back by key, then
    // record order, which is where a full stable sort would have put it.
    ++viewGeneration;
    if (from)
        view.erase(*from);
    std::size_t index = view.size();
    // A row that sorts after the last (every new row with the greatest key so far) needs no search.
    // Otherwise the search starts where the last posted row went: a bulk of rows posted in key
    // order (the charges a scan adds) each lands right after the one before.
    if (!view.empty() && orderedBefore(row, view.back()))
        index = view.partitionPointNear(lastPlaced, [&](const TableRow* e) { return !orderedBefore(row, e); });
    lastPlaced = index;
    if (visible(bytesOf(row))) {
        view.insert(index, row);
        pos = index;
    } else {
        pos = view.empty() ? 0 : std::min(index, view.size() - 1); // where it would have stood
    }
    eof = bof = view.empty();
}

void Table::Impl::placeCursorOn(const TableRow* row) {
    eof = bof = view.empty();
    if (view.empty()) {
        pos = 0;
        return;
    }
    if (row && !row->deleted())
        if (auto at = positionInView(row)) {
            pos = *at;
            return;
        }
    pos = std::min(pos, view.size() - 1); // the row is gone from sight: stay as near as the view allows
}

TableRow* Table::Impl::liveRow(std::uint64_t id) const {
    auto it = std::lower_bound(rows.begin(), rows.end(), id,
                               [](const TableRow* r, std::uint64_t wanted) { return r->id < wanted; });
    if (it == rows.end() || (*it)->id != id || (*it)->deleted())
        return nullptr;
    return *it;
}

void Table::Impl::forgetRow(TableRow* row) {
    store.giveBack(row->data);
    row->data = nullptr;
    ++viewGeneration;
    ++deletedRows;
    sweepWhenWorthIt();
}

void Table::Impl::sweepWhenWorthIt() {
    // Sweeping once deleted rows are half of `rows` keeps each deletion O(1) on average.
    if (deletedRows >= 64 && deletedRows * 2 >= rows.size())
        sweepDeletedRows();
}

void Table::Impl::forgetRows(const std::vector<TableRow*>& gone) {
    if (gone.empty())
        return;
    // Given back last to first: the store serves the last given first, so rows added next (a scan's
    // new charges, in the order of the ones deleted) take the slots in the order they lie in memory.
    for (auto it = gone.rbegin(); it != gone.rend(); ++it) {
        store.giveBack((*it)->data);
        (*it)->data = nullptr;
    }
    std::vector<TableRow*> kept;
    kept.reserve(view.size() - std::min(view.size(), gone.size()));
    for (std::size_t i = 0; i < view.size(); ++i)
        if (TableRow* r = view[i]; !r->deleted())
            kept.push_back(r);
    view.assign(kept);
    ++viewGeneration;
    deletedRows += gone.size();
    sweepWhenWorthIt();
}

void Table::Impl::sweepDeletedRows() {
    if (deletedRows == 0)
        return;
    // Swept rows go back to the arena for the next new rows (a scan that deletes its charges adds as
    // many back), last to first as in forgetRows; their bytes went back to the store when they were deleted.
    std::vector<TableRow*> swept;
    swept.reserve(deletedRows);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        TableRow* row = rows[i];
        if (row->deleted()) {
            swept.push_back(row);
            continue;
        }
        rows[kept++] = row;
    }
    rows.resize(kept);
    for (auto it = swept.rbegin(); it != swept.rend(); ++it)
        arena.giveBack(*it);
    deletedRows = 0;
}

TableRow* Table::Impl::newRow(std::string_view bytes) {
    TableRow* row = arena.make();
    row->data = store.make();
    fillRow(row, bytes);
    return row;
}

void Table::Impl::dropNewRow(TableRow* row) {
    store.giveBack(row->data);
    row->data = nullptr;
    arena.giveBack(row);
}

void Table::Impl::placeAppended(const std::vector<TableRow*>& added) {
    // One at a time costs a search and a shift within a chunk each, and a chunk split now and then;
    // for many rows, one merge of two sorted runs costs less.
    if (added.size() < 64 || added.size() * 16 < view.size()) {
        for (TableRow* row : added)
            placeInView(row, std::nullopt);
        return;
    }
    std::vector<TableRow*> fresh;
    fresh.reserve(added.size());
    for (TableRow* row : added)
        if (visible(bytesOf(row)))
            fresh.push_back(row);
    // Record order already; by key first (a total order with record order) when there is one. Rows
    // a scan adds come in key order, and are then left as they are.
    auto byKey = [this](const TableRow* a, const TableRow* b) { return compareKeys(a, b) < 0; };
    if (orderField && !std::is_sorted(fresh.begin(), fresh.end(), byKey))
        std::stable_sort(fresh.begin(), fresh.end(), byKey);
    std::vector<TableRow*> merged;
    merged.reserve(view.size() + fresh.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < view.size(); ++i) {
        TableRow* old = view[i];
        while (next < fresh.size() && orderedBefore(fresh[next], old))
            merged.push_back(fresh[next++]);
        merged.push_back(old);
    }
    merged.insert(merged.end(), fresh.begin() + static_cast<std::ptrdiff_t>(next), fresh.end());
    view.assign(merged);
    ++viewGeneration;
    // The cursor as the last of the same appends made one by one would leave it.
    const TableRow* last = added.back();
    const std::size_t at = view.partitionPoint([&](const TableRow* e) { return orderedBefore(e, last); });
    lastPlaced = at;
    pos = view.empty() ? 0 : std::min(at, view.size() - 1);
    eof = bof = view.empty();
}

void Table::Impl::clearRows() {
    rows.clear();
    deletedRows = 0;
    arena.clear();
    store.reset(layout.recordLength);
    ++viewGeneration;
}

void Table::Impl::fetchAhead() const {
#if defined(__GNUC__)
    // A walk in key order visits rows scattered over memory, each a cache miss for its row and
    // another for its bytes; asking for them a few rows early overlaps those waits. Two stages:
    // the row far ahead, then the bytes of the nearer one, whose row arrived meanwhile.
    constexpr std::size_t kRowDistance = 32;
    constexpr std::size_t kBytesDistance = 16;
    if (pos + kRowDistance < view.size())
        __builtin_prefetch(view[pos + kRowDistance]);
    if (pos + kBytesDistance < view.size()) {
        // Every cache line up to the padding: the reads of text fields stop there.
        const TableRow* row = view[pos + kBytesDistance];
        const auto start = reinterpret_cast<std::uintptr_t>(row->data);
        const std::uintptr_t last = start + std::max<std::uint32_t>(row->paddingFrom, 1) - 1;
        for (std::uintptr_t line = start & ~std::uintptr_t{63}; line <= last; line += 64)
            __builtin_prefetch(reinterpret_cast<const char*>(line));
    }
#endif
}

// ---------------------------------------------------------------- Table

Table::Table(std::shared_ptr<FileSystem> fs) : d_(std::make_unique<Impl>()) {
    d_->self = this;
    d_->fs = fs ? std::move(fs) : diskFileSystem();
}

Table::~Table() {
    d_->observers.clear(); // they may be gone already; a table being destroyed has nothing to tell
    try {
        close();
    } catch (...) {
        // A destructor cannot report; every post has already reached the file.
    }
}

void Table::bind(std::string folder, std::string fileName) {
    if (d_->isOpen)
        close();
    d_->folder = std::move(folder);
    d_->fileName = std::move(fileName);
    d_->createdIndex = {};
    d_->fullPath = d_->path();
}

const std::string& Table::folder() const {
    return d_->folder;
}
const std::string& Table::fileName() const {
    return d_->fileName;
}
std::string Table::path() const {
    return d_->path();
}

void Table::setClock(const Clock* clock) {
    d_->clock = clock ? clock : &d_->systemClock;
}

void Table::create(const std::vector<FieldDef>& fields, const IndexDef& index) {
    if (d_->isOpen)
        throw TableError("La tabella " + d_->path() + " è aperta e non può essere ricreata.");
    d_->createFile(fields, index);
}

void Table::open() {
    Impl& d = *d_;
    if (d.isOpen)
        return;
    d.loadFile();
    d.isOpen = true;
    d.state = Impl::State::Browse;
    d.openFileKey = OpenFiles::keyFor(d.fullPath);
    OpenFiles::opened(d.openFileKey);
    try {
        if (d.createdIndex.tag.empty()) {
            const std::vector<std::string> tags = readMdxTagNames(*d.fs, d.mdxPath());
            if (!tags.empty())
                if (auto f = d.resolveTag(tags.front()))
                    d.createdIndex = {tags.front(), d.layout.fields[*f].name};
        }
        if (d.deletedInFile > 0 && !d.readOnly && d.aloneOnFile())
            d.compactQuietly();
        d.resolveOrder();
        if (d.filtered && !d.filterText.empty())
            d.filter = RecordFilter::parse(d.filterText, d.layout, d.fullPath);
        else
            d.filter = RecordFilter();
    } catch (...) {
        OpenFiles::closed(d.openFileKey);
        d.isOpen = false;
        d.file.reset();
        d.view.clear();
        d.clearRows();
        throw;
    }
    d.rebuildView();
    d.pos = 0;
    d.eof = d.bof = d.view.empty();
    d.bof = true;
    d.notify();
}

void Table::close() {
    Impl& d = *d_;
    if (!d.isOpen)
        return;
    if (d.state != Impl::State::Browse)
        cancel();
    d.flushPendingSync();
    if (d.deletedInFile > 0 && !d.readOnly && d.aloneOnFile())
        d.compactQuietly();
    if (d.indexDirty)
        d.writeIndex();
    d.file.reset();
    OpenFiles::closed(d.openFileKey);
    d.view.clear();
    d.clearRows();
    d.isOpen = false;
    d.pos = 0;
    d.eof = d.bof = true;
    d.notify();
}

bool Table::isOpen() const {
    return d_->isOpen;
}

std::vector<std::string> Table::indexTags() const {
    return readMdxTagNames(*d_->fs, d_->mdxPath());
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
    const TableRow* current = d.view.empty() ? nullptr : d.view[d.pos];
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

} // namespace

void Table::setIndexName(std::string_view tag) {
    applyOrder(*d_, std::string(tag), std::string());
}

void Table::setIndexFieldNames(std::string_view field) {
    applyOrder(*d_, std::string(), std::string(field));
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
        d.fetchAhead();
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

bool Table::hasField(std::string_view name) const {
    return d_->isOpen && d_->findField(name).has_value();
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
    d.editing = d.view[d.pos];
    d.buffer = d.bytesOf(d.editing);
    d.modified = false;
    d.notify();
}

void Table::insert() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    d.requireWritable();
    d.beforeInsert = d.view.empty() ? nullptr : d.view[d.pos];
    d.buffer = d.blankRow();
    d.state = Impl::State::Insert;
    d.editing = nullptr;
    d.modified = false;
    d.notify();
}

void Table::append() {
    insert();
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

void Table::post() {
    Impl& d = *d_;
    d.requireOpen();
    if (d.state == Impl::State::Browse)
        throw TableError("Nessun record in modifica nella tabella " + d.path() + ".");
    TableRow* row = nullptr;
    bool moved = true;
    std::optional<std::size_t> from; // where the edited row stood before it moves
    if (d.state == Impl::State::Insert) {
        d.appendToFile(d.buffer); // throws before anything in memory changes
        TableRow* fresh = d.newRow(d.buffer);
        fresh->id = d.nextRowId++;
        fresh->recordIndex = d.recordsInFile - 1;
        row = fresh;
        d.rows.push_back(fresh);
    } else {
        row = d.editing;
        d.rewriteInFile(*row, d.buffer);
        bool sameKey = true;
        if (d.orderField) {
            const std::size_t at = d.layout.offsets[*d.orderField];
            const auto width = static_cast<std::size_t>(d.layout.fields[*d.orderField].width);
            sameKey = d.bytesOf(row).compare(at, width, d.buffer, at, width) == 0;
        }
        moved = !sameKey || !d.visible(d.buffer);
        if (moved) {
            // Found by its old key, before the new bytes replace it; the cursor is normally on it.
            if (d.pos < d.view.size() && d.view[d.pos] == row)
                from = d.pos;
            else
                from = d.positionInView(row);
        }
        d.fillRow(row, d.buffer);
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
    TableRow* row = d.view[d.pos];
    d.markDeletedInFile(*row);
    d.indexDirty = true;
    d.view.erase(d.pos);
    d.forgetRow(row);
    // The following row takes its place; when the last row went, the new last.
    if (d.pos >= d.view.size() && !d.view.empty())
        d.pos = d.view.size() - 1;
    if (d.view.empty())
        d.pos = 0;
    d.eof = d.bof = d.view.empty();
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
                picked.push_back(d.view[d.pos]);
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
        d.forgetRows(std::vector<TableRow*>(picked.begin(), picked.begin() + static_cast<std::ptrdiff_t>(marked)));
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
    // refuses, a write) leaves it as it was: the new rows are given back and the bytes past the count
    // are written over by the next append.
    constexpr std::size_t kLot = 4096;
    const std::size_t length = d.layout.recordLength;
    std::vector<TableRow*> added;
    added.reserve(count);
    std::string lot;
    std::vector<Value> values;
    std::string& bytes = d.fieldScratch;
    try {
        for (std::size_t k = 0; k < count; ++k) {
            values.clear();
            rowAt(k, values);
            if (values.size() > d.layout.fields.size())
                throw TableError("Troppi valori per un record della tabella " + d.path() + ": " +
                                 std::to_string(values.size()) + " valori, " +
                                 std::to_string(d.layout.fields.size()) + " campi.");
            const std::size_t start = lot.size();
            lot += d.blankRow();
            for (std::size_t i = 0; i < values.size(); ++i) {
                const FieldContext c = d.fieldContext(i);
                bytes.assign(lot, start + d.layout.offsets[i], static_cast<std::size_t>(c.def.width));
                writeValue(bytes, values[i], c);
                lot.replace(start + d.layout.offsets[i], bytes.size(), bytes);
            }
            if (lot.size() == kLot * length || k + 1 == count) {
                const std::size_t inLot = lot.size() / length;
                d.writePastCount(added.size(), lot);
                for (std::size_t j = 0; j < inLot; ++j)
                    added.push_back(d.newRow(std::string_view(lot).substr(j * length, length)));
                lot.clear();
            }
        }
        d.countAppended(count);
    } catch (...) {
        for (TableRow* row : added)
            d.dropNewRow(row);
        d.markEndOfCountedData();
        throw;
    }
    const std::uint64_t first = d.recordsInFile - count;
    for (std::size_t k = 0; k < count; ++k) {
        added[k]->id = d.nextRowId++;
        added[k]->recordIndex = first + k;
        d.rows.push_back(added[k]);
    }
    d.placeAppended(added);
    d.indexDirty = true;
    if (!d.view.empty())
        d.eof = d.bof = false;
    d.notify();
}

// ---------------------------------------------------------------- filter

void Table::setFilter(std::string text) {
    Impl& d = *d_;
    if (d.isOpen) {
        RecordFilter parsed = RecordFilter::parse(text, d.layout, d.fullPath); // throws; nothing changed
        d.checkBrowseMode();
        d.filter = std::move(parsed);
    }
    d.filterText = std::move(text);
    if (d.isOpen && d.filtered) {
        d.rebuildView();
        d.pos = 0;
        d.bof = true;
        d.eof = d.view.empty();
        d.notify();
    }
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
    if (d.isOpen) {
        if (on)
            d.keepUnfilteredView();
        d.rebuildView();
        d.pos = 0;
        d.bof = true;
        d.eof = d.view.empty();
        d.notify();
    }
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
        d.rebuildView();
        d.pos = 0;
        d.bof = true;
        d.eof = d.view.empty();
        d.notify();
    }
}

// ---------------------------------------------------------------- bookmarks

Table::Bookmark Table::getBookmark() const {
    const Impl& d = *d_;
    if (!d.isOpen || d.view.empty() || d.state == Impl::State::Insert)
        return {};
    return {d.view[d.pos]->id};
}

bool Table::bookmarkValid(const Bookmark& b) const {
    const Impl& d = *d_;
    if (b.rowId == 0 || !d.isOpen)
        return false;
    const TableRow* row = d.liveRow(b.rowId);
    return row && d.positionInView(row).has_value();
}

void Table::gotoBookmark(const Bookmark& b) {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    const TableRow* row = b.rowId == 0 ? nullptr : d.liveRow(b.rowId);
    const std::optional<std::size_t> at = row ? d.positionInView(row) : std::nullopt;
    if (!at)
        throw TableError("Il record cercato non esiste più nella tabella " + d.path() + ".");
    d.pos = *at;
    d.bof = d.eof = false;
    d.notify();
}

void Table::freeBookmark(Bookmark& b) {
    b.rowId = 0;
}

// ---------------------------------------------------------------- locate

bool Table::locate(std::string_view fieldNames, const std::vector<Value>& values, bool caseInsensitive) {
    Impl& d = *d_;
    d.requireOpen();
    std::vector<std::size_t> fields;
    std::size_t start = 0;
    while (start <= fieldNames.size()) {
        std::size_t end = fieldNames.find(';', start);
        if (end == std::string_view::npos)
            end = fieldNames.size();
        std::string_view name = fieldNames.substr(start, end - start);
        while (!name.empty() && name.front() == ' ')
            name.remove_prefix(1);
        while (!name.empty() && name.back() == ' ')
            name.remove_suffix(1);
        auto f = d.findField(name);
        if (!f)
            throw TableError("Il campo " + std::string(name) + " non esiste nella tabella " + d.path() + ".");
        fields.push_back(*f);
        start = end + 1;
    }
    if (fields.size() != values.size())
        throw TableError("La ricerca nella tabella " + d.path() + " ha " + std::to_string(fields.size()) + " campi e " +
                         std::to_string(values.size()) + " valori.");
    d.checkBrowseMode();

    // Each wanted value is stored the way the field would store it, then compared as read back,
    // so "05/03/2005" finds a date and 12.5 finds " 12.5000". Text compares without trailing blanks.
    std::vector<std::optional<Value>> wanted;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const std::size_t f = fields[i];
        const FieldContext c = d.fieldContext(f);
        std::string scratch(static_cast<std::size_t>(c.def.width), ' ');
        try {
            if (c.def.type == FieldType::Character) {
                const std::string* s = std::get_if<std::string>(&values[i]);
                std::string text = s ? *s : "";
                if (!s) {
                    writeValue(scratch, values[i], c);
                    text = readText(scratch, c);
                }
                while (!text.empty() && text.back() == ' ')
                    text.pop_back();
                wanted.emplace_back(caseInsensitive ? foldCase(text) : text);
            } else {
                writeValue(scratch, values[i], c);
                wanted.emplace_back(readValue(scratch, c));
            }
        } catch (const TableError&) {
            wanted.emplace_back(std::nullopt); // a value the field cannot hold matches nothing
        }
    }
    for (std::size_t r = 0; r < d.view.size(); ++r) {
        const std::string_view bytes = d.bytesOf(d.view[r]);
        bool all = true;
        for (std::size_t i = 0; i < fields.size() && all; ++i) {
            if (!wanted[i]) {
                all = false;
                break;
            }
            const std::size_t f = fields[i];
            const FieldContext c = d.fieldContext(f);
            const std::string_view fb = bytes.substr(d.layout.offsets[f], static_cast<std::size_t>(c.def.width));
            if (c.def.type == FieldType::Character) {
                std::string text = readText(fb, c);
                all = (caseInsensitive ? foldCase(text) : text) == std::get<std::string>(*wanted[i]);
            } else {
                all = readValue(fb, c) == *wanted[i];
            }
        }
        if (all) {
            d.pos = r;
            d.bof = d.eof = false;
            d.notify();
            return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------- controls and observers

void Table::disableControls() {
    ++d_->disableDepth;
}

void Table::enableControls() {
    Impl& d = *d_;
    if (d.disableDepth == 0)
        return;
    if (d.disableDepth == 1)
        d.flushPendingSync(); // may throw: the count stays, so the caller can try again
    if (--d.disableDepth == 0 && d.changedWhileDisabled) {
        d.changedWhileDisabled = false;
        d.notify();
    }
}

bool Table::controlsDisabled() const {
    return d_->disableDepth > 0;
}

void Table::addObserver(TableObserver* o) {
    if (o && std::find(d_->observers.begin(), d_->observers.end(), o) == d_->observers.end())
        d_->observers.push_back(o);
}

void Table::removeObserver(TableObserver* o) {
    d_->observers.erase(std::remove(d_->observers.begin(), d_->observers.end(), o), d_->observers.end());
}

void Table::pack() {
    Impl& d = *d_;
    d.requireOpen();
    d.checkBrowseMode();
    if (d.deletedInFile == 0)
        return;
    if (!d.aloneOnFile())
        throw TableError("Impossibile compattare il file " + d.fullPath + ": è aperto anche da un'altra tabella.");
    const TableRow* current = d.view.empty() ? nullptr : d.view[d.pos];
    d.compact();
    d.writeIndex();
    d.placeCursorOn(current);
}

} // namespace valmora::dbase
