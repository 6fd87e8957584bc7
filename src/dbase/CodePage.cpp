#include "dbase/CodePage.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace valmora::dbase {
namespace {

using HighHalf = std::array<char16_t, 128>;

// Bytes 0x80-0xFF. Windows-1252's five undefined bytes map to the C1 controls of
// the same value, as Windows itself does, so every byte survives a round trip.
constexpr HighHalf kWindows1252 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152,
    0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122,
    0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x00B4, 0x00B5, 0x00B6, 0x00B7, 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF, 0x00C0,
    0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7, 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD,
    0x00CE, 0x00CF, 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7, 0x00D8, 0x00D9, 0x00DA,
    0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF, 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF, 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4,
    0x00F5, 0x00F6, 0x00F7, 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

constexpr HighHalf kDos437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C,
    0x2588, 0x2584, 0x258C, 0x2590, 0x2580, 0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320,
    0x2321, 0x00F7, 0x2248, 0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,
};

constexpr HighHalf kDos850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,
};

// One entry a code page, in the order of the enumerators.
struct CodePageInfo {
    const char* name; // for messages
    const HighHalf& highHalf;
};
constexpr CodePageInfo kCodePages[] = {{"Windows-1252", kWindows1252}, {"DOS 437", kDos437}, {"DOS 850", kDos850}};

const HighHalf& highHalf(CodePage cp) {
    return kCodePages[static_cast<std::size_t>(cp)].highHalf;
}

std::optional<std::uint8_t> encodeChar(char32_t c, CodePage cp) {
    if (c < 0x80)
        return static_cast<std::uint8_t>(c);
    const HighHalf& table = highHalf(cp);
    for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i] == c)
            return static_cast<std::uint8_t>(0x80 + i);
    return std::nullopt;
}

} // namespace

const char* codePageName(CodePage cp) {
    return kCodePages[static_cast<std::size_t>(cp)].name;
}

std::optional<CodePage> codePageFromDriver(std::uint8_t driverId, std::string_view driverName) {
    switch (driverId) {
    case 0x03: // Windows ANSI
    case 0x57: // DBWINUS0
    case 0x58: // DBWINWE0
    case 0x59: // DBWINES0
        return CodePage::Windows1252;
    case 0x01: // DOS USA
    case 0x1B: // DB437US0
    case 0x11: // DB437IT0
        return CodePage::Dos437;
    case 0x02: // DOS multilingual
    case 0x37: // DB850US0
    case 0x12: // DB850IT1
    case 0x10: // DB850UK0 and the other western DOS drivers of the 850 family
    case 0x0A:
    case 0x0B:
    case 0x0D:
    case 0x0E:
    case 0x0F:
    case 0x14:
    case 0x15:
    case 0x16:
    case 0x17:
    case 0x18:
    case 0x19:
        return CodePage::Dos850;
    default:
        break;
    }
    if (driverId != 0)
        return std::nullopt; // read as Windows-1252, a Cyrillic or Greek table would turn to nonsense
    if (equalsIgnoringCase(driverName.substr(0, 5), "DB437"))
        return CodePage::Dos437;
    if (equalsIgnoringCase(driverName.substr(0, 5), "DB850"))
        return CodePage::Dos850;
    return CodePage::Windows1252;
}

bool isAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    const auto upper = [](char ch) { return std::toupper(static_cast<unsigned char>(ch)); };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return upper(x) == upper(y); });
}

std::string decodeText(std::string_view bytes, CodePage cp) {
    // Most stored text is plain ASCII, the same bytes in every code page and in UTF-8: copied whole
    // up to the first byte that is not.
    const auto high = std::find_if(bytes.begin(), bytes.end(), [](char ch) { return (ch & 0x80) != 0; });
    std::string out;
    out.reserve(bytes.size() + 2 * static_cast<std::size_t>(bytes.end() - high)); // at most three bytes a character
    out.append(bytes.begin(), high);
    for (auto it = high; it != bytes.end(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        if (byte < 0x80)
            out.push_back(*it);
        else
            appendUtf8(out, highHalf(cp)[byte - 0x80]);
    }
    return out;
}

Encoded encodeText(std::string_view utf8, CodePage cp) {
    Encoded result;
    result.bytes.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t start = pos;
        std::optional<char32_t> c = nextCodePoint(utf8, pos);
        if (!c) {
            result.invalidUtf8 = true;
            return result;
        }
        std::optional<std::uint8_t> b = encodeChar(*c, cp);
        if (!b) {
            result.refusedCharacter = std::string(utf8.substr(start, pos - start));
            return result;
        }
        result.bytes.push_back(static_cast<char>(*b));
    }
    return result;
}

std::optional<char32_t> nextCodePoint(std::string_view s, std::size_t& pos) {
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char lead = byteAt(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        c = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        c = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        c = lead & 0x07;
    } else {
        return std::nullopt;
    }
    if (pos + static_cast<std::size_t>(length) > s.size())
        return std::nullopt;
    for (int i = 1; i < length; ++i) {
        unsigned char b = byteAt(pos + static_cast<std::size_t>(i));
        if ((b & 0xC0) != 0x80)
            return std::nullopt;
        c = (c << 6) | (b & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return std::nullopt; // overlong forms and surrogates are not text
    pos += static_cast<std::size_t>(length);
    return c;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

std::string foldCase(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        std::size_t start = pos;
        std::optional<char32_t> c = nextCodePoint(utf8, pos);
        if (!c) {
            // Not text we wrote; keep the byte as it is.
            out.push_back(utf8[start]);
            pos = start + 1;
            continue;
        }
        char32_t lower = *c;
        if ((lower >= 'A' && lower <= 'Z') || (lower >= 0xC0 && lower <= 0xDE && lower != 0xD7))
            lower += 0x20;
        else if (lower == 0x0152 || lower == 0x0160 || lower == 0x017D) // Œ Š Ž
            lower += 1;
        else if (lower == 0x0178) // Ÿ
            lower = 0xFF;
        else if (lower >= 0x0391 && lower <= 0x03A9 && lower != 0x03A2) // Greek capitals
            lower += 0x20;
        appendUtf8(out, lower);
    }
    return out;
}

} // namespace valmora::dbase
