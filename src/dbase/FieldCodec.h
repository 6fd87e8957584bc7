#pragma once
// Reading and writing one field's bytes inside a record, for every field type
// the engine knows. Text goes through the table's code page; numbers go
// through decimal text, never through a double when money is wanted.

#include "dbase/CodePage.h"
#include "dbase/Table.h"

#include <string>
#include <string_view>

namespace valmora::dbase {

// What a codec call needs to know to do its work and to word its errors.
struct FieldContext {
    const FieldDef& def;
    CodePage codePage;
    const std::string& path; // the table file, for messages
};

bool fieldIsBlank(std::string_view bytes, FieldType type);
// The first letters of a logical value's text: T(rue), Y(es), S(ì); F(alse), N(o).
bool meansTrue(char first);
bool meansFalse(char first);

std::string readText(std::string_view bytes, const FieldContext& c);
// readText as a view of `bytes` when they need no decoding, else of `spare`, filled with the text.
std::string_view readTextView(std::string_view bytes, const FieldContext& c, std::string& spare);
Money readMoney(std::string_view bytes, const FieldContext& c);
double readFloat(std::string_view bytes, const FieldContext& c);
std::int64_t readInteger(std::string_view bytes, const FieldContext& c);
Date readDate(std::string_view bytes, const FieldContext& c);
bool readBoolean(std::string_view bytes, const FieldContext& c);
Value readValue(std::string_view bytes, const FieldContext& c);

// Throws a TableError naming the file, the record and the field when the bytes
// cannot be read as their type (a number or a date that is not one).
void checkStoredField(std::string_view bytes, const FieldContext& c, std::uint64_t recordNumber);

// Each writer fills exactly the field's bytes of `out` (whose size is the field width) or
// throws a TableError and leaves `out` unchanged.
void writeText(std::string& out, std::string_view utf8, const FieldContext& c);
void writeMoney(std::string& out, Money m, const FieldContext& c);
void writeFloat(std::string& out, double d, const FieldContext& c);
void writeInteger(std::string& out, std::int64_t i, const FieldContext& c);
void writeDate(std::string& out, Date d, const FieldContext& c);
void writeBoolean(std::string& out, bool b, const FieldContext& c);
void writeValue(std::string& out, const Value& v, const FieldContext& c);
void writeBlank(std::string& out, FieldType type);

} // namespace valmora::dbase
