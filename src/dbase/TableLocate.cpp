// Finding rows: by bookmark, and by the values of some of their fields.

#include "dbase/TableImpl.h"

namespace valmora::dbase {

// ---------------------------------------------------------------- bookmarks

Table::Bookmark Table::getBookmark() const {
    const Impl& d = *d_;
    if (!d.isOpen || d.view.empty() || d.state == Impl::State::Insert)
        return {};
    return {d.view[d.pos].row->id};
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

namespace {

// "DATA;COMMENTO": the fields named, in order.
std::vector<std::size_t> fieldsNamed(const Table::Impl& d, std::string_view fieldNames) {
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
    return fields;
}

// A wanted value stored the way the field would store it, then read back, so "05/03/2005" finds a
// date and 12.5 finds " 12.5000". Text without trailing blanks. Nullopt: the field cannot hold it.
std::optional<Value> asStored(const FieldContext& c, const Value& value, bool caseInsensitive) {
    std::string scratch(static_cast<std::size_t>(c.def.width), ' ');
    try {
        if (c.def.type != FieldType::Character) {
            writeValue(scratch, value, c);
            return readValue(scratch, c);
        }
        const std::string* s = std::get_if<std::string>(&value);
        std::string text = s ? *s : "";
        if (!s) {
            writeValue(scratch, value, c);
            text = readText(scratch, c);
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return caseInsensitive ? foldCase(text) : text;
    } catch (const TableError&) {
        return std::nullopt;
    }
}

bool fieldMatches(const Table::Impl& d, std::string_view record, std::size_t f, const std::optional<Value>& wanted,
                  bool caseInsensitive) {
    if (!wanted)
        return false;
    const FieldContext c = d.fieldContext(f);
    const std::string_view bytes = record.substr(d.layout.offsets[f], static_cast<std::size_t>(c.def.width));
    if (c.def.type != FieldType::Character)
        return readValue(bytes, c) == *wanted;
    const std::string text = readText(bytes, c);
    return (caseInsensitive ? foldCase(text) : text) == std::get<std::string>(*wanted);
}

} // namespace

bool Table::locate(std::string_view fieldNames, const std::vector<Value>& values, bool caseInsensitive) {
    Impl& d = *d_;
    d.requireOpen();
    const std::vector<std::size_t> fields = fieldsNamed(d, fieldNames);
    if (fields.size() != values.size())
        throw TableError("La ricerca nella tabella " + d.path() + " ha " + std::to_string(fields.size()) + " campi e " +
                         std::to_string(values.size()) + " valori.");
    d.checkBrowseMode();
    std::vector<std::optional<Value>> wanted;
    for (std::size_t i = 0; i < fields.size(); ++i)
        wanted.push_back(asStored(d.fieldContext(fields[i]), values[i], caseInsensitive));
    for (std::size_t r = 0; r < d.view.size(); ++r) {
        const std::string_view record(d.view[r].bytes, d.layout.recordLength);
        bool all = true;
        for (std::size_t i = 0; i < fields.size() && all; ++i)
            all = fieldMatches(d, record, fields[i], wanted[i], caseInsensitive);
        if (all) {
            d.pos = r;
            d.bof = d.eof = false;
            d.notify();
            return true;
        }
    }
    return false;
}

} // namespace valmora::dbase
