// Reading a field's stored bytes as each type, and the check every stored field passes at open.

#include "dbase/FieldBytes.h"

#include "dbase/DbfFormat.h"

#include <algorithm>
#include <stdexcept>

namespace valmora::dbase {

using namespace codec;

namespace {

// A D field read straight from its eight bytes, the commonest read of a walk: nullopt unless they
// are all digits (then the caller tells blanks from garbage). "00000000" is the zero date.
std::optional<std::optional<Date>> compactDate(std::string_view bytes) {
    if (bytes.size() != 8 || !isEightDigits(bytes.data()))
        return std::nullopt;
    auto digit = [&](int i) { return static_cast<int>(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]) - '0'); };
    const int year = digit(0) * 1000 + digit(1) * 100 + digit(2) * 10 + digit(3);
    const int month = digit(4) * 10 + digit(5);
    const int day = digit(6) * 10 + digit(7);
    if (year == 0 && month == 0 && day == 0)
        return std::optional<Date>(Date());
    // Checked and counted here rather than through Date::fromYmd: two dates a row, a million rows.
    static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > kMonthDays[month - 1] + (month == 2 && leap ? 1 : 0))
        return std::optional<Date>();
    // Days since 1970-01-01 by the era arithmetic of Date, run backwards (years from March on).
    const int y = year - (month <= 2 ? 1 : 0);
    const int era = y / 400; // y >= 0 here
    const int yoe = y - era * 400;
    const int doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return std::optional<Date>(Date::fromDayNumber(era * 146097 + doe - 719468));
}

// Right-aligned decimal text as this engine and dBase write it (blanks, an optional minus, digits,

} // namespace

bool isEightDigits(const char* bytes) {
    return std::all_of(bytes, bytes + 8, [](char ch) { return ch >= '0' && ch <= '9'; });
}

bool fieldIsBlank(std::string_view bytes, FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double:
    case FieldType::Timestamp:
        return bytes.find_first_not_of('\0') == std::string_view::npos;
    default:
        return trimmedRight(bytes).empty();
    }
}

std::string readText(std::string_view bytes, const FieldContext& c) {
    if (c.def.type == FieldType::Character) {
        const std::string_view text = trimmedRight(bytes); // empty when the field is blank
        return text.empty() ? std::string() : decodeText(text, c.codePage);
    }
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
    // The commonest read of a scan: a number straight away, the blank field told only when it is not one.
    if (c.def.type == FieldType::Numeric)
        if (auto m = Money::fromDecimalText(bytes))
            return *m;
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
        for (char& ch : text)
            if (ch == ',')
                ch = '.';
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
    if (c.def.type == FieldType::Date)
        if (const auto digits = compactDate(bytes)) {
            if (*digits)
                return **digits;
            throw cannotRead(c, bytes, "una data"); // digits, but no day of the calendar
        }
    if (fieldIsBlank(bytes, c.def.type))
        return Date();
    switch (c.def.type) {
    case FieldType::Date:
        if (bytes == "00000000")
            return Date();
        if (auto d = Date::parseCompact(bytes))
            return *d;
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
    case FieldType::Character: {
        const char first = trimmed(bytes).front();
        return first == 'T' || first == 't' || first == 'Y' || first == 'y' || first == 'S' || first == 's';
    }
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
    // A number must be one that reads as an amount, by the very parser every read of it uses: a
    // text the open let through and the reads then refused would make every command fail.
    if (c.def.type == FieldType::Numeric) {
        if (Money::fromDecimalText(bytes) || fieldIsBlank(bytes, c.def.type))
            return;
        throw damagedFile(c.path, "nel record " + std::to_string(recordNumber) + " il campo " + c.def.name +
                                      " contiene '" + decodeText(trimmed(bytes), c.codePage) +
                                      "', che non è un numero");
    }
    if (c.def.type != FieldType::Date)
        return;
    if (const auto digits = compactDate(bytes); (digits && *digits) || fieldIsBlank(bytes, c.def.type))
        return;
    if (bytes != "00000000" && !Date::parseCompact(bytes))
        throw damagedFile(c.path, "nel record " + std::to_string(recordNumber) + " il campo " + c.def.name +
                                      " contiene '" + decodeText(trimmed(bytes), c.codePage) +
                                      "', che non è una data");
}

} // namespace valmora::dbase
