#pragma once
// The text of a bank's export as the readers need it: the bytes turned into UTF-8 whatever the bank wrote,
// names folded for comparison, blanks tidied.

#include <string>
#include <string_view>

namespace valmora::bank {

// UTF-8 with its byte-order mark removed, UTF-8 as it is, anything else read as Windows-1252 (the code page
// Italian banks' Windows exports use).
std::string decodeBankText(std::string_view bytes);

// Bytes no text file holds (NUL, most control characters): an image, an archive, a spreadsheet.
bool looksBinary(std::string_view bytes);

// A column name as compared: lower case, accents taken off the Latin letters, blanks collapsed and trimmed
// ("Data Valuta", "DATA  VALUTA" and "data valutà" all give "data valuta").
std::string foldName(std::string_view utf8);

// Leading and trailing blanks removed, every run of blanks or line breaks inside made one space.
std::string collapseBlanks(std::string_view text);

} // namespace valmora::bank
