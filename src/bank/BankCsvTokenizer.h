#pragma once
// A CSV tokenizer in the manner of RFC 4180: fields split by one separator character, a field in double quotes
// may hold separators, line breaks and doubled quotes (""), records end at CRLF, LF or CR. Blanks around a
// quoted field are dropped, as spreadsheets write them.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace valmora::bank {

struct CsvRecord {
    std::vector<std::string> fields;
    int line = 0; // the file's line the record starts on, 1-based
};

class CsvTokenizer {
public:
    CsvTokenizer(std::string_view text, char separator) : text_(text), separator_(separator) {}

    // The next record; nothing at the end of the text. A quote left open runs to the end of the text: the
    // caller sees `unterminatedQuote()` and the line it opened on.
    std::optional<CsvRecord> next();
    bool unterminatedQuote() const { return unterminated_; }
    int unterminatedLine() const { return unterminatedLine_; }

private:
    void breakLine(std::size_t& pos);
    std::string_view text_;
    char separator_;
    std::size_t pos_ = 0;
    int line_ = 1;
    bool unterminated_ = false;
    int unterminatedLine_ = 0;
};

// The separator a bank used: of ';', tab and ',', the one found most often outside quotes on the first lines
// that hold one of them, ';' when none is.
char detectSeparator(std::string_view text);

} // namespace valmora::bank
