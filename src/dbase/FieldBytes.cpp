#include "dbase/FieldBytes.h"

#include "dbase/DbfFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace valmora::dbase::codec {
namespace {

// Days from 0001-01-01 to 1970-01-01 in the proleptic Gregorian calendar.
constexpr std::int64_t kDaysFromYearOneToEpoch = 719162;
constexpr double kMillisecondsPerDay = 86400000.0;

} // namespace

char blankByte(FieldType type) {
    switch (type) {
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Double:
    case FieldType::Timestamp:
        return '\0';
    default:
        return ' ';
    }
}

std::string_view trimmedRight(std::string_view s) {
    // A text field is mostly padding (a 250-byte comment holds a few words): blanks go eight at a
    // time while they last.
    while (s.size() >= 8 && std::memcmp(s.data() + s.size() - 8, "        ", 8) == 0)
        s.remove_suffix(8);
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

TableError cannotStore(const FieldContext& c, const std::string& what) {
    return TableError("Il valore " + what + " non può essere scritto nel campo " + c.def.name + " del file " + c.path +
                      ".");
}

TableError cannotRead(const FieldContext& c, std::string_view bytes, const std::string& as) {
    // A binary double is shown as the number it holds, not as its eight raw bytes.
    const std::string shown =
        c.def.type == FieldType::Double ? doubleText(decodeDouble(bytes)) : decodeText(trimmed(bytes), c.codePage);
    return TableError("Il valore '" + shown + "' del campo " + c.def.name + " del file " + c.path + " non è " + as +
                      ".");
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
        throw TableError("Il valore " + text + " non entra nel campo " + c.def.name + " del file " + c.path +
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

} // namespace valmora::dbase::codec
