#pragma once
// The single-byte code pages dBase tables are written in, and the conversion
// between them and the UTF-8 text the program holds in memory.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace valmora::dbase {

enum class CodePage { Windows1252, Dos437, Dos850 };

// "Windows-1252", "DOS 437", "DOS 850": for messages.
const char* codePageName(CodePage cp);

// The code page a header declares: the language-driver byte, or for level-7
// tables (byte 0) the driver name. No driver at all: Windows-1252, the code
// page of every table this program has ever written. Nullopt for a driver
// byte this program does not know.
std::optional<CodePage> codePageFromDriver(std::uint8_t driverId, std::string_view driverName);

// Every byte has a character, so decoding cannot fail.
std::string decodeText(std::string_view bytes, CodePage cp);
// No byte with the high bit set: text that reads the same in every code page and in UTF-8.
bool isAscii(std::string_view bytes);
// ASCII letters compared without regard to case (field and tag names, driver names).
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The result of encoding: the bytes, or the first character that the code page
// cannot hold (as UTF-8), or that the input was not valid UTF-8.
struct Encoded {
    std::string bytes;
    std::string refusedCharacter; // empty when everything was encoded
    bool invalidUtf8 = false;
    bool ok() const { return refusedCharacter.empty() && !invalidUtf8; }
};
Encoded encodeText(std::string_view utf8, CodePage cp);

// Decodes one UTF-8 sequence at `pos`, advancing it; nothing when the bytes are not valid UTF-8.
std::optional<char32_t> nextCodePoint(std::string_view utf8, std::size_t& pos);
void appendUtf8(std::string& out, char32_t cp);

// Lower case for the letters the code pages above hold (ASCII, Latin-1, the
// few extra Latin letters of Windows-1252, Greek of DOS 437); other text is unchanged.
std::string foldCase(std::string_view utf8);

} // namespace valmora::dbase
