// Key encodings of the .mdx and the order dBase gives them.

#include "dbase/Mdx.h"

#include "dbase/ByteFields.h"
#include "dbase/Table.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace valmora::dbase {
namespace {

constexpr int kBcdFirstExponent = 0x34; // byte 0 of a numeric key for a number with no digits before the point
constexpr std::size_t kBcdMaxDigits = 2 * (kMdxNumericKeyLength - 2);

// Digits of a number without sign, split at the decimal point.
std::string bcdKey(bool negative, std::string_view integerDigits, std::string_view fractionDigits) {
    std::string digits;
    digits.reserve(integerDigits.size() + fractionDigits.size());
    digits.append(integerDigits);
    digits.append(fractionDigits);
    // The exponent counts the digits before the point once leading zeros are gone;
    // a number below 1 has a negative one (0.05 -> -1).
    int exponent = static_cast<int>(integerDigits.size());
    std::size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0') {
        ++lead;
        --exponent;
    }
    digits.erase(0, lead);
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();

    std::string key(kMdxNumericKeyLength, '\0');
    if (digits.empty()) { // zero has no sign and no digits
        key[0] = static_cast<char>(kBcdFirstExponent);
        key[1] = 0x01;
        return key;
    }
    if (digits.size() > kBcdMaxDigits)
        digits.resize(kBcdMaxDigits); // beyond what a key holds; dBase drops them too
    const std::size_t bytes = (digits.size() + 1) / 2;
    key[0] = static_cast<char>(kBcdFirstExponent + exponent);
    key[1] = static_cast<char>((negative ? 0x80 : 0x00) | (bytes << 3) | 0x01);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        const int digit = digits[i] - '0';
        auto& byte = key[2 + i / 2];
        byte = static_cast<char>(static_cast<unsigned char>(byte) | (i % 2 == 0 ? digit << 4 : digit));
    }
    return key;
}

// -1, 0 or 1 for the sign of a numeric key.
int bcdSign(std::string_view key) {
    const auto flags = static_cast<unsigned char>(key[1]);
    if ((flags & 0x7C) == 0) // no digit bytes: zero, whatever the sign bit says
        return 0;
    return (flags & 0x80) != 0 ? -1 : 1;
}

int compareBcd(std::string_view a, std::string_view b) {
    const int signA = bcdSign(a);
    const int signB = bcdSign(b);
    if (signA != signB)
        return signA < signB ? -1 : 1;
    if (signA == 0)
        return 0;
    int magnitude = 0;
    const auto expA = static_cast<unsigned char>(a[0]);
    const auto expB = static_cast<unsigned char>(b[0]);
    if (expA != expB)
        magnitude = expA < expB ? -1 : 1;
    else
        magnitude = std::memcmp(a.data() + 2, b.data() + 2, kMdxNumericKeyLength - 2);
    magnitude = (magnitude > 0) - (magnitude < 0);
    return signA < 0 ? -magnitude : magnitude;
}

double dateKeyValue(std::string_view key) {
    return std::bit_cast<double>(getLittleEndian(key, 0, kMdxDateKeyLength));
}

} // namespace

std::string encodeCharKey(std::string_view storedBytes, int width) {
    if (width < 1 || static_cast<std::size_t>(width) < storedBytes.size())
        throw TableError("Chiave di indice più lunga del campo (" + std::to_string(storedBytes.size()) +
                         " caratteri su " + std::to_string(width) + ")");
    std::string key(storedBytes);
    key.resize(static_cast<std::size_t>(width), ' ');
    return key;
}

std::string encodeDateKey(Date date) {
    const double julian = date.isNull() ? 0.0 : static_cast<double>(date.julianDay());
    std::string key(kMdxDateKeyLength, '\0');
    putLittleEndian(key, 0, std::bit_cast<std::uint64_t>(julian), kMdxDateKeyLength);
    return key;
}

std::string encodeNumericKey(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    bool negative = false;
    bool hasSign = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        hasSign = true;
        text.remove_prefix(1);
    }
    const auto point = text.find('.');
    const std::string_view integerDigits = text.substr(0, point);
    const std::string_view fractionDigits =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    const auto allDigits = [](std::string_view s) {
        return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    // Blank is zero; a lone sign or point is not a number.
    const bool noDigits = integerDigits.empty() && fractionDigits.empty();
    if (!allDigits(integerDigits) || !allDigits(fractionDigits) ||
        (noDigits && (hasSign || point != std::string_view::npos)))
        throw TableError("Valore numerico non valido per una chiave di indice: \"" + std::string(text) + "\"");
    return bcdKey(negative, integerDigits, fractionDigits);
}

int compareMdxKeys(char keyType, std::string_view a, std::string_view b) {
    switch (keyType) {
    case 'D': {
        const double x = dateKeyValue(a);
        const double y = dateKeyValue(b);
        return (x > y) - (x < y);
    }
    case 'N':
        return compareBcd(a, b);
    default: {
        const int c = a.compare(b); // char_traits<char>::compare is unsigned (memcmp)
        return (c > 0) - (c < 0);
    }
    }
}

} // namespace valmora::dbase
