// A field of the current row: reads go to the row (or the edit buffer), writes
// to the edit buffer, which reaches the file at post.

#include "dbase/TableImpl.h"

namespace valmora::dbase {
namespace {

// A Field handle may outlive the open table it came from; it must then fail cleanly.
const FieldDef& definitionOf(const Table::Impl& d, int index) {
    d.requireOpen();
    if (index < 0 || static_cast<std::size_t>(index) >= d.layout.fields.size())
        throw TableError("La tabella " + d.fullPath + " non ha più il campo numero " + std::to_string(index + 1) + ".");
    return d.layout.fields[static_cast<std::size_t>(index)];
}

// Runs `reader` on this field's bytes in the current row (or the edit buffer); with no row
// it reads a blank field, so an empty table reads as "", 0, false and the zero date.
template <typename Reader> auto readField(const Table::Impl& d, int index, Reader reader) {
    definitionOf(d, index);
    const auto i = static_cast<std::size_t>(index);
    const FieldContext c = d.fieldContext(i);
    const std::size_t width = static_cast<std::size_t>(c.def.width);
    if (const std::string_view record = d.currentBytes(); !record.empty())
        return reader(record.substr(d.layout.offsets[i], width), c);
    std::string blank(width, ' ');
    writeBlank(blank, c.def.type);
    return reader(std::string_view(blank), c);
}

} // namespace

const std::string& Field::name() const {
    return definitionOf(*table_->d_, index_).name;
}
FieldType Field::type() const {
    return definitionOf(*table_->d_, index_).type;
}
int Field::width() const {
    return definitionOf(*table_->d_, index_).width;
}
int Field::decimals() const {
    return definitionOf(*table_->d_, index_).decimals;
}

bool Field::isNull() const {
    return readField(*table_->d_, index_,
                     [](std::string_view b, const FieldContext& c) { return fieldIsBlank(b, c.def.type); });
}
std::string Field::asString() const {
    return readField(*table_->d_, index_, readText);
}
std::string_view Field::asStringView(std::string& spare) const {
    return readField(*table_->d_, index_,
                     [&](std::string_view b, const FieldContext& c) { return readTextView(b, c, spare); });
}
Money Field::asMoney() const {
    return readField(*table_->d_, index_, readMoney);
}
double Field::asFloat() const {
    return readField(*table_->d_, index_, readFloat);
}
std::int64_t Field::asInteger() const {
    return readField(*table_->d_, index_, readInteger);
}
Date Field::asDate() const {
    return readField(*table_->d_, index_, readDate);
}
bool Field::asBoolean() const {
    return readField(*table_->d_, index_, readBoolean);
}
Value Field::value() const {
    return readField(*table_->d_, index_, readValue);
}

namespace {

// Runs `writer` on a copy of the field's bytes in the edit buffer and puts them back only when it succeeds.
template <typename Writer> void writeField(Table::Impl& d, int index, Writer writer) {
    const FieldDef& def = definitionOf(d, index);
    if (d.state == Table::Impl::State::Browse)
        throw TableError("La tabella " + d.fullPath + " non è in modifica: il campo " + def.name +
                         " non può essere scritto.");
    const auto i = static_cast<std::size_t>(index);
    const FieldContext c = d.fieldContext(i);
    std::string bytes(d.buffer, d.layout.offsets[i], static_cast<std::size_t>(c.def.width));
    writer(bytes, c);
    d.buffer.replace(d.layout.offsets[i], bytes.size(), bytes);
    d.modified = true;
}

} // namespace

void Field::setString(std::string_view text) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeText(b, text, c); });
}
void Field::setMoney(Money m) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeMoney(b, m, c); });
}
void Field::setFloat(double v) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeFloat(b, v, c); });
}
void Field::setInteger(std::int64_t v) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeInteger(b, v, c); });
}
void Field::setDate(Date v) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeDate(b, v, c); });
}
void Field::setBoolean(bool v) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeBoolean(b, v, c); });
}
void Field::setValue(const Value& v) {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeValue(b, v, c); });
}
void Field::clear() {
    writeField(*table_->d_, index_, [&](std::string& b, const FieldContext& c) { writeBlank(b, c.def.type); });
}
void Field::assign(const Field& other) {
    setValue(other.value());
}

} // namespace valmora::dbase
