#include "dbase/FieldCodec.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "dbase/DbfFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>

namespace valmora::dbase {
namespace {

// Days from 0001-01-01 to 1970-01-01 in the proleptic Gregorian calendar.
constexpr std::int64_t kDaysFromYearOneToEpoch = 719162;
constexpr double kMillisecondsPerDay = 86400000.0;

std::string_view trimmedRight(std::string_view s) {
    // A text field is mostly padding (a 250-byte comment holds a few words): skip it 32 bytes at a
    // time where the processor compares 16 at once, else eight at a time.
#if defined(__SSE2__)
    const __m128i blanks = _mm_set1_epi8(' ');
    auto blankMask = [&](std::size_t at) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s.data() + at));
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, blanks)));
    };
    while (s.size() >= 32) {
        const unsigned high = blankMask(s.size() - 16);
        const unsigned low = blankMask(s.size() - 32);
        if ((high & low) != 0xFFFF) {
            // The last byte that is not a blank ends the run of padding; what follows it goes.
            const unsigned mask = high != 0xFFFF ? high : low;
            const std::size_t windowEnd = high != 0xFFFF ? s.size() : s.size() - 16;
            const auto lastKept = static_cast<std::size_t>(std::bit_width(~mask & 0xFFFFu) - 1);
            s.remove_suffix(s.size() - (windowEnd - 16 + lastKept + 1));
            break;
        }
        s.remove_suffix(32);
    }
#endif
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    while (s.size() >= 8) {
        std::uint64_t tail = 0;
        std::memcpy(&tail, s.data() + s.size() - 8, 8);
        if (tail != kEightBlanks)
            break;
        s.remove_suffix(8);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

std::string_view trimmed(std::string_view s) {
    s = trimmedRight(s);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0'))
        s.remove_prefix(1);
    return s;
}

std::uint64_t readBigEndian(std::string_view b) {
    std::uint64_t v = 0;
    for (char c : b)
        v = (v << 8) | static_cast<unsigned char>(c);
    return v;
}

void putBigEndian(std::string& out, std::uint64_t v) {
    for (std::size_t i = out.size(); i-- > 0;) {
        out[i] = static_cast<char>(v & 0xFF);
        v >>= 8;
    }
}

// Level-7 integers: big-endian with the sign bit flipped, so the bytes sort as the numbers do.
std::int32_t decodeInteger(std::string_view b) {
    auto raw = static_cast<std::uint32_t>(readBigEndian(b)) ^ 0x80000000u;
    return static_cast<std::int32_t>(raw);
}

// Level-7 doubles: positive numbers with the sign bit set, negative ones with every bit inverted.
double decodeDouble(std::string_view b) {
    std::uint64_t raw = readBigEndian(b);
    if (raw & (1ull << 63))
        raw &= ~(1ull << 63);
    else
        raw = ~raw;
    return std::bit_cast<double>(raw);
}

// Level-7 timestamps: a big-endian double of milliseconds, as Free Pascal's TDbf writes it (no
// sign trick). A timestamp is always positive, so a value written with the sign bit set, as
// the O type does, reads the same.
double decodeTimestamp(std::string_view b) {
    return std::bit_cast<double>(readBigEndian(b) & ~(1ull << 63));
}

std::uint64_t encodeDouble(double d) {
    auto raw = std::bit_cast<std::uint64_t>(d);
    return (raw & (1ull << 63)) ? ~raw : (raw | (1ull << 63));
}

std::optional<double> parseDouble(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    double d = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(d))
        return std::nullopt;
    return d;
}

std::int64_t roundHalfEven(std::int64_t units, std::int64_t scale) {
    std::int64_t q = units / scale;
    std::int64_t r = units % scale;
    const std::int64_t twice = 2 * (r < 0 ? -r : r);
    if (twice > scale || (twice == scale && q % 2 != 0))
        q += units < 0 ? -1 : 1;
    return q;
}

std::int64_t roundDoubleHalfEven(double d) {
    double r = std::nearbyint(d); // the default rounding mode is to nearest, ties to even
    if (!(r > -9.2e18 && r < 9.2e18))
        throw std::out_of_range("integer out of range");
    return static_cast<std::int64_t>(r);
}

std::string doubleText(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", d);
    return buf;
}

std::string fieldLabel(const FieldContext& c) {
    return c.def.name;
}

TableError cannotStore(const FieldContext& c, const std::string& what) {
    return TableError("Il valore " + what + " non può essere scritto nel campo " + fieldLabel(c) + " del file " +
                      c.path + ".");
}

TableError cannotRead(const FieldContext& c, std::string_view bytes, const std::string& as) {
    // A binary double is shown as the number it holds, not as its eight raw bytes.
    const std::string shown = c.def.type == FieldType::Double ? doubleText(decodeDouble(bytes))
                                                              : decodeText(trimmed(bytes), c.codePage);
    return TableError("Il valore '" + shown + "' del campo " + fieldLabel(c) + " del file " + c.path + " non è " +
                      as + ".");
}

Date dateFromTimestamp(double ms) {
    const double days = std::floor(ms / kMillisecondsPerDay) - 1.0;
    if (!(days > -1e7 && days < 1e7))
        return Date();
    return Date::fromDayNumber(static_cast<std::int32_t>(static_cast<std::int64_t>(days) - kDaysFromYearOneToEpoch));
}

double timestampFromDate(Date d) {
    return (static_cast<double>(d.dayNumber()) + static_cast<double>(kDaysFromYearOneToEpoch) + 1.0) *
           kMillisecondsPerDay;
}

void putRightAligned(std::string& out, const std::string& text, const FieldContext& c) {
    if (text.size() > out.size())
        throw TableError("Il valore " + text + " non entra nel campo " + fieldLabel(c) + " del file " + c.path +
                         " (largo " + std::to_string(out.size()) + " caratteri).");
    out.assign(out.size() - text.size(), ' ');
    out += text;
}

std::string numberText(double d, int decimals) {
    char buf[400];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, d);
    std::string s = buf;
    if (s.rfind("-0", 0) == 0 && s.find_first_not_of("-0.") == std::string::npos)
        s.erase(0, 1); // no "-0.0000"
    return s;
}

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
// optionally a point and more digits, blanks): a number for sure, told without converting it.
bool plainDecimal(std::string_view bytes) {
    std::size_t i = 0;
    const std::size_t n = bytes.size();
    while (i < n && bytes[i] == ' ')
        ++i;
    if (i < n && bytes[i] == '-')
        ++i;
    auto digitsFrom = [&](std::size_t& at) {
        const std::size_t begin = at;
        while (at < n && bytes[at] >= '0' && bytes[at] <= '9')
            ++at;
        return at > begin;
    };
    if (!digitsFrom(i))
        return false;
    if (i < n && bytes[i] == '.') {
        ++i;
        if (!digitsFrom(i))
            return false;
    }
    while (i < n && bytes[i] == ' ')
        ++i;
    return i == n;
}

} // namespace

std::size_t paddingStart(std::string_view bytes) {
    return trimmedRight(bytes).size();
}

bool isEightDigits(const char* bytes) {
    // Every byte must be 0x30-0x3F, and its low half plus 6 must not reach 16.
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, 8);
    const std::uint64_t low = word - 0x3030303030303030ULL;
    return (word & 0xF0F0F0F0F0F0F0F0ULL) == 0x3030303030303030ULL &&
           ((low + 0x0606060606060606ULL) & 0xF0F0F0F0F0F0F0F0ULL) == 0;
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
    // Every field of every record passes here at open: the usual shapes are told by their bytes
    // alone, and only what they do not settle is parsed in full.
    if (c.def.type == FieldType::Numeric && plainDecimal(bytes))
        return;
    if (c.def.type == FieldType::Date) {
        if (const auto digits = compactDate(bytes); digits && *digits)
            return;
    } else if (c.def.type != FieldType::Numeric) {
        return;
    }
    if (fieldIsBlank(bytes, c.def.type))
        return;
    const std::string where = "nel record " + std::to_string(recordNumber) + " il campo " + c.def.name;
    if (c.def.type == FieldType::Numeric && !parseDouble(bytes))
        throw damagedFile(c.path,
                          where + " contiene '" + decodeText(trimmed(bytes), c.codePage) + "', che non è un numero");
    if (c.def.type == FieldType::Date && bytes != "00000000" && !Date::parseCompact(bytes))
        throw damagedFile(c.path,
                          where + " contiene '" + decodeText(trimmed(bytes), c.codePage) + "', che non è una data");
}

void writeText(std::string& out, std::string_view utf8, const FieldContext& c) {
    switch (c.def.type) {
    case FieldType::Character: {
        if (std::all_of(utf8.begin(), utf8.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
            // ASCII is stored as it is: written in place, cut or padded to the width.
            const std::size_t n = std::min(utf8.size(), out.size());
            out.replace(0, n, utf8.data(), n);
            std::fill(out.begin() + static_cast<std::ptrdiff_t>(n), out.end(), ' ');
            return;
        }
        Encoded e = encodeText(utf8, c.codePage);
        if (e.invalidUtf8)
            throw TableError("Il testo del campo " + fieldLabel(c) +
                             " non è valido e non può essere salvato nel file " + c.path + ".");
        if (!e.ok())
            throw TableError("Il carattere '" + e.refusedCharacter + "' del campo " + fieldLabel(c) +
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
        std::string text(trimmed(utf8));
        if (text.empty())
            return writeBlank(out, c.def.type);
        for (char& ch : text)
            if (ch == ',')
                ch = '.';
        if (c.def.decimals <= 4)
            if (auto m = Money::fromDecimalText(text))
                return writeMoney(out, *m, c);
        if (auto d = parseDouble(text))
            return writeFloat(out, *d, c);
        throw cannotStore(c, "'" + std::string(utf8) + "'");
    }
    case FieldType::Date:
    case FieldType::Timestamp: {
        std::string_view text = trimmed(utf8);
        if (text.empty())
            return writeBlank(out, c.def.type);
        if (auto d = Date::parse(text))
            return writeDate(out, *d, c);
        if (auto d = Date::parseCompact(text))
            return writeDate(out, *d, c);
        throw cannotStore(c, "'" + std::string(utf8) + "'");
    }
    case FieldType::Logical: {
        std::string_view text = trimmed(utf8);
        if (text.empty())
            return writeBlank(out, c.def.type);
        const char first = text.front();
        if (first == 'T' || first == 't' || first == 'Y' || first == 'y' || first == 'S' || first == 's')
            return writeBoolean(out, true, c);
        if (first == 'F' || first == 'f' || first == 'N' || first == 'n')
            return writeBoolean(out, false, c);
        throw cannotStore(c, "'" + std::string(utf8) + "'");
    }
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double: {
        if (trimmed(utf8).empty())
            return writeBlank(out, c.def.type);
        if (auto d = parseDouble(utf8))
            return writeFloat(out, *d, c);
        throw cannotStore(c, "'" + std::string(utf8) + "'");
    }
    }
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
    case FieldType::Date: {
        const auto [year, month, day] = d.parts();
        if (year < 1 || year > 9999)
            throw cannotStore(c, d.toCompact());
        // YYYYMMDD written digit by digit: a post writes two dates, and a scan posts many rows.
        out.assign(8, '0');
        for (int i = 3, y = year; i >= 0; --i, y /= 10)
            out[static_cast<std::size_t>(i)] = static_cast<char>('0' + y % 10);
        out[4] = static_cast<char>('0' + month / 10);
        out[5] = static_cast<char>('0' + month % 10);
        out[6] = static_cast<char>('0' + day / 10);
        out[7] = static_cast<char>('0' + day % 10);
        return;
    }
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
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double:
    case FieldType::Timestamp:
        out.assign(out.size(), '\0');
        return;
    default:
        out.assign(out.size(), ' ');
    }
}

} // namespace valmora::dbase
