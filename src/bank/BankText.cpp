#include "bank/BankText.h"

#include "dbase/CodePage.h"

#include <cstdint>
#include <optional>

namespace valmora::bank {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool validUtf8(std::string_view bytes) {
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (!dbase::nextCodePoint(bytes, pos))
            return false;
    }
    return true;
}

// The unaccented letter of a Latin-1 accented one, lower case; the letter itself otherwise.
char32_t baseLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        return c - U'A' + U'a';
    if (c < 0xC0 || c > 0xFF)
        return c;
    // 0xC0..0xFF with case folded: 0xE0..0xFF.
    const char32_t lower = (c <= 0xDE && c != 0xD7) ? c + 0x20 : c;
    if (lower >= 0xE0 && lower <= 0xE5)
        return U'a';
    if (lower == 0xE7)
        return U'c';
    if (lower >= 0xE8 && lower <= 0xEB)
        return U'e';
    if (lower >= 0xEC && lower <= 0xEF)
        return U'i';
    if (lower == 0xF1)
        return U'n';
    if ((lower >= 0xF2 && lower <= 0xF6) || lower == 0xF8)
        return U'o';
    if (lower >= 0xF9 && lower <= 0xFC)
        return U'u';
    if (lower == 0xFD || lower == 0xFF)
        return U'y';
    return lower;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n' || c == 0xA0;
}

} // namespace

std::string decodeBankText(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom))
        return std::string(bytes.substr(kUtf8Bom.size()));
    if (validUtf8(bytes))
        return std::string(bytes);
    return dbase::decodeText(bytes, dbase::CodePage::Windows1252);
}

bool looksBinary(std::string_view bytes) {
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f')
            return true;
    }
    return false;
}

std::string foldName(std::string_view utf8) {
    std::string out;
    std::size_t pos = 0;
    bool pendingBlank = false;
    while (pos < utf8.size()) {
        const std::optional<char32_t> decoded = dbase::nextCodePoint(utf8, pos);
        const char32_t c = decoded ? *decoded : U'?';
        if (!decoded)
            ++pos;
        if (isBlank(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank)
            out += ' ';
        pendingBlank = false;
        dbase::appendUtf8(out, baseLetter(c));
    }
    return out;
}

std::string collapseBlanks(std::string_view text) {
    std::string out;
    bool pendingBlank = false;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t start = pos;
        const std::optional<char32_t> decoded = dbase::nextCodePoint(text, pos);
        if (!decoded) {
            pos = start + 1;
            continue; // never reached with decoded text; a stray byte is dropped rather than kept broken
        }
        if (isBlank(*decoded)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank)
            out += ' ';
        pendingBlank = false;
        out.append(text.substr(start, pos - start));
    }
    return out;
}

} // namespace valmora::bank
