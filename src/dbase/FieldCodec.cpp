// Reading a field's stored bytes as each type, and the check every stored field passes at open.

#include "dbase/FieldBytes.h"

#include "dbase/DbfFormat.h"

#include <algorithm>
#include <stdexcept>

namespace valmora::dbase {

using namespace codec;

bool meansTrue(char first) {
    return std::string_view("TtYySs").find(first) != std::string_view::npos;
}

bool meansFalse(char first) {
    return std::string_view("FfNn").find(first) != std::string_view::npos;
}

bool fieldIsBlank(std::string_view bytes, FieldType type) {
    if (blankByte(type) == '\0')
        return bytes.find_first_not_of('\0') == std::string_view::npos;
    return trimmedRight(bytes).empty();
}

std::string readText(std::string_view bytes, const FieldContext& c) {
    if (c.def.type == FieldType::Character)
        return decodeText(trimmedRight(bytes), c.codePage); // trimmed once: a blank field is the empty text
    if (fieldIsBlank(bytes, c.def.type))
        return "";
    switch (c.def.type) {
    case FieldType::Character:
        break; // read above
    case FieldType::Numeric:
        return std::string(trimmed(bytes));
    case FieldType::Date:
    case FieldType::Timestamp:
        return readDate(bytes, c).toString();
    case FieldType::Logical:
        return readBoolean(bytes, c) ? "True" : "False";
    case FieldType::Integer:
    case FieldType::AutoInc:
        return std::to_string(decodeInteger(bytes));
    case FieldType::Double:
        return doubleText(decodeDouble(bytes));
    }
    return "";
}

std::string_view readTextView(std::string_view bytes, const FieldContext& c, std::string& spare) {
    if (c.def.type == FieldType::Character) {
        const std::string_view text = trimmedRight(bytes);
        if (isAscii(text))
            return text; // the same bytes in every code page and in UTF-8
    }
    spare = readText(bytes, c);
    return spare;
}

Money readMoney(std::string_view bytes, const FieldContext& c) {
    if (fieldIsBlank(bytes, c.def.type))
        return Money();
    switch (c.def.type) {
    case FieldType::Numeric:
        if (auto m = Money::fromDecimalText(trimmed(bytes)))
            return *m;
        throw cannotRead(c, bytes, "un importo");
    case FieldType::Integer:
    case FieldType::AutoInc:
        return Money::fromWhole(decodeInteger(bytes));
    case FieldType::Double:
        // Any double may stand in a level-7 file; one beyond the range of an amount is not an amount.
        try {
            return Money::fromDouble(decodeDouble(bytes));
        } catch (const std::overflow_error&) {
            throw cannotRead(c, bytes, "un importo");
        }
    case FieldType::Character: {
        std::string text(trimmed(bytes));
        std::replace(text.begin(), text.end(), ',', '.');
        if (auto m = Money::fromDecimalText(text))
            return *m;
        throw cannotRead(c, bytes, "un importo");
    }
    default:
        throw cannotRead(c, bytes, "un importo");
    }
}

double readFloat(std::string_view bytes, const FieldContext& c) {
    if (fieldIsBlank(bytes, c.def.type))
        return 0.0;
    switch (c.def.type) {
    case FieldType::Numeric:
    case FieldType::Character:
        if (auto d = parseDouble(bytes))
            return *d;
        throw cannotRead(c, bytes, "un numero");
    case FieldType::Integer:
    case FieldType::AutoInc:
        return decodeInteger(bytes);
    case FieldType::Double:
        return decodeDouble(bytes);
    default:
        throw cannotRead(c, bytes, "un numero");
    }
}

std::int64_t readInteger(std::string_view bytes, const FieldContext& c) {
    if (fieldIsBlank(bytes, c.def.type))
        return 0;
    switch (c.def.type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
        return decodeInteger(bytes);
    case FieldType::Numeric:
        if (auto m = Money::fromDecimalText(trimmed(bytes)))
            return roundHalfEven(m->units(), Money::kScale);
        [[fallthrough]];
    default:
        try {
            return roundDoubleHalfEven(readFloat(bytes, c));
        } catch (const std::out_of_range&) {
            throw cannotRead(c, bytes, "un numero intero");
        }
    }
}

Date readDate(std::string_view bytes, const FieldContext& c) {
    // A D field's digits first: the commonest read of a walk. parseCompact reads blanks as the zero date.
    if (c.def.type == FieldType::Date)
        if (auto d = Date::parseCompact(bytes))
            return *d;
    if (fieldIsBlank(bytes, c.def.type))
        return Date();
    switch (c.def.type) {
    case FieldType::Date:
        if (bytes == "00000000")
            return Date();
        throw cannotRead(c, bytes, "una data");
    case FieldType::Timestamp:
        return dateFromTimestamp(decodeTimestamp(bytes));
    case FieldType::Character:
        if (auto d = Date::parse(trimmed(bytes)))
            return *d;
        throw cannotRead(c, bytes, "una data");
    default:
        throw cannotRead(c, bytes, "una data");
    }
}

bool readBoolean(std::string_view bytes, const FieldContext& c) {
    if (fieldIsBlank(bytes, c.def.type))
        return false;
    switch (c.def.type) {
    case FieldType::Logical:
    case FieldType::Character:
        return meansTrue(trimmed(bytes).front());
    case FieldType::Date:
    case FieldType::Timestamp:
        throw cannotRead(c, bytes, "un valore logico");
    default:
        return readFloat(bytes, c) != 0.0;
    }
}

Value readValue(std::string_view bytes, const FieldContext& c) {
    if (fieldIsBlank(bytes, c.def.type))
        return std::monostate{};
    switch (c.def.type) {
    case FieldType::Character:
        return readText(bytes, c);
    case FieldType::Numeric:
        if (auto m = Money::fromDecimalText(trimmed(bytes)))
            return *m;
        return readFloat(bytes, c); // beyond the range of an amount
    case FieldType::Date:
    case FieldType::Timestamp:
        return readDate(bytes, c);
    case FieldType::Logical:
        return readBoolean(bytes, c);
    case FieldType::Integer:
    case FieldType::AutoInc:
        return static_cast<std::int64_t>(decodeInteger(bytes));
    case FieldType::Double:
        return decodeDouble(bytes);
    }
    return std::monostate{};
}

void checkStoredField(std::string_view bytes, const FieldContext& c, std::uint64_t recordNumber) {
    const auto refused = [&](const std::string& what) {
        return damagedFile(c.path, "nel record " + std::to_string(recordNumber) + " il campo " + c.def.name +
                                       " contiene '" + decodeText(trimmed(bytes), c.codePage) + "', che non è " + what);
    };
    // A number must be one that reads as an amount, by the very parser every read of it uses: a
    // text the open let through and the reads then refused would make every command fail.
    if (c.def.type == FieldType::Numeric && !Money::fromDecimalText(bytes) && !fieldIsBlank(bytes, c.def.type))
        throw refused("un numero");
    if (c.def.type == FieldType::Date && bytes != "00000000" && !Date::parseCompact(bytes) &&
        !fieldIsBlank(bytes, c.def.type))
        throw refused("una data");
}

} // namespace valmora::dbase
