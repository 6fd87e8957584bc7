// Writing a value into a field's bytes, for every field type.

#include "dbase/FieldBytes.h"

#include "dbase/DbfFormat.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

namespace valmora::dbase {

using namespace codec;

void writeText(std::string& out, std::string_view utf8, const FieldContext& c) {
    // Any other type reads its value from the text without the blanks around it; none at all is a blank field.
    const std::string_view text = trimmed(utf8);
    if (text.empty() && c.def.type != FieldType::Character)
        return writeBlank(out, c.def.type);
    switch (c.def.type) {
    case FieldType::Character: {
        // ASCII, the commonest text, is the same bytes in every code page: nothing to encode.
        Encoded e = isAscii(utf8) ? Encoded{std::string(utf8), "", false} : encodeText(utf8, c.codePage);
        if (e.invalidUtf8)
            throw TableError("Il testo del campo " + c.def.name + " non è valido e non può essere salvato nel file " +
                             c.path + ".");
        if (!e.ok())
            throw TableError("Il carattere '" + e.refusedCharacter + "' del campo " + c.def.name +
                             " non può essere salvato nel file " + c.path + ": la tabella usa la codifica " +
                             codePageName(c.codePage) + ".");
        // One byte is one character in these code pages, so the cut falls between characters.
        if (e.bytes.size() > out.size())
            e.bytes.resize(out.size());
        e.bytes.append(out.size() - e.bytes.size(), ' ');
        out = std::move(e.bytes);
        return;
    }
    case FieldType::Numeric: {
        std::string number(text);
        std::replace(number.begin(), number.end(), ',', '.');
        if (c.def.decimals <= 4)
            if (auto m = Money::fromDecimalText(number))
                return writeMoney(out, *m, c);
        if (auto d = parseDouble(number))
            return writeFloat(out, *d, c);
        break;
    }
    case FieldType::Date:
    case FieldType::Timestamp:
        if (auto d = Date::parse(text))
            return writeDate(out, *d, c);
        if (auto d = Date::parseCompact(text))
            return writeDate(out, *d, c);
        break;
    case FieldType::Logical:
        if (meansTrue(text.front()))
            return writeBoolean(out, true, c);
        if (meansFalse(text.front()))
            return writeBoolean(out, false, c);
        break;
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double:
        if (auto d = parseDouble(utf8))
            return writeFloat(out, *d, c);
        break;
    }
    throw cannotStore(c, "'" + std::string(utf8) + "'");
}

void writeMoney(std::string& out, Money m, const FieldContext& c) {
    switch (c.def.type) {
    case FieldType::Numeric:
        return putRightAligned(out, m.decimalText(c.def.decimals), c);
    case FieldType::Character:
        return writeText(out, m.decimalText(4), c);
    case FieldType::Integer:
    case FieldType::AutoInc:
        return writeInteger(out, roundHalfEven(m.units(), Money::kScale), c);
    case FieldType::Double:
        return writeFloat(out, m.toDouble(), c);
    default:
        throw cannotStore(c, m.decimalText(2));
    }
}

void writeFloat(std::string& out, double d, const FieldContext& c) {
    if (!std::isfinite(d))
        throw cannotStore(c, "non numerico");
    switch (c.def.type) {
    case FieldType::Numeric:
        if (c.def.decimals <= 4 && std::fabs(d) < 9e14)
            return writeMoney(out, Money::fromDouble(d), c);
        return putRightAligned(out, numberText(d, c.def.decimals), c);
    case FieldType::Character:
        return writeText(out, numberText(d, 4), c);
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (std::fabs(d) > 2147483647.0)
            throw cannotStore(c, numberText(d, 0));
        return writeInteger(out, roundDoubleHalfEven(d), c);
    case FieldType::Double:
        return putBigEndian(out, encodeDouble(d));
    default:
        throw cannotStore(c, numberText(d, 4));
    }
}

void writeInteger(std::string& out, std::int64_t i, const FieldContext& c) {
    switch (c.def.type) {
    case FieldType::Numeric: {
        std::string text = std::to_string(i);
        if (c.def.decimals > 0)
            text += "." + std::string(static_cast<std::size_t>(c.def.decimals), '0');
        return putRightAligned(out, text, c);
    }
    case FieldType::Integer:
    case FieldType::AutoInc:
        if (i < std::numeric_limits<std::int32_t>::min() + 1 || i > std::numeric_limits<std::int32_t>::max())
            throw cannotStore(c, std::to_string(i));
        return putBigEndian(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(i)) ^ 0x80000000u);
    case FieldType::Double:
        return writeFloat(out, static_cast<double>(i), c);
    case FieldType::Character:
        return writeText(out, std::to_string(i), c);
    case FieldType::Logical:
        return writeBoolean(out, i != 0, c);
    default:
        throw cannotStore(c, std::to_string(i));
    }
}

void writeDate(std::string& out, Date d, const FieldContext& c) {
    if (d.isNull())
        return writeBlank(out, c.def.type);
    switch (c.def.type) {
    case FieldType::Date:
        if (const int year = d.year(); year < 1 || year > 9999)
            throw cannotStore(c, d.toCompact());
        out = d.toCompact();
        return;
    case FieldType::Timestamp:
        return putBigEndian(out, std::bit_cast<std::uint64_t>(timestampFromDate(d)));
    case FieldType::Character:
        return writeText(out, d.toString(), c);
    default:
        throw cannotStore(c, d.toString());
    }
}

void writeBoolean(std::string& out, bool b, const FieldContext& c) {
    switch (c.def.type) {
    case FieldType::Logical:
        out = b ? "T" : "F";
        return;
    case FieldType::Character:
        return writeText(out, b ? "True" : "False", c);
    case FieldType::Numeric:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double:
        return writeInteger(out, b ? 1 : 0, c);
    default:
        throw cannotStore(c, b ? "True" : "False");
    }
}

void writeValue(std::string& out, const Value& v, const FieldContext& c) {
    struct Visitor {
        std::string& out;
        const FieldContext& c;
        void operator()(std::monostate) const { writeBlank(out, c.def.type); }
        void operator()(const std::string& s) const { writeText(out, s, c); }
        void operator()(Money m) const { writeMoney(out, m, c); }
        void operator()(Date d) const { writeDate(out, d, c); }
        void operator()(bool b) const { writeBoolean(out, b, c); }
        void operator()(std::int64_t i) const { writeInteger(out, i, c); }
        void operator()(double d) const { writeFloat(out, d, c); }
    };
    std::visit(Visitor{out, c}, v);
}

void writeBlank(std::string& out, FieldType type) {
    out.assign(out.size(), blankByte(type));
}

} // namespace valmora::dbase
