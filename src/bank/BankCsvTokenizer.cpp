#include "bank/BankCsvTokenizer.h"

#include <array>

namespace valmora::bank {

namespace {

bool isLineBreak(char c) {
    return c == '\n' || c == '\r';
}

} // namespace

void CsvTokenizer::breakLine(std::size_t& pos) {
    // CRLF, LF or CR: one line break.
    if (text_[pos] == '\r' && pos + 1 < text_.size() && text_[pos + 1] == '\n')
        ++pos;
    ++pos;
    ++line_;
}

std::optional<CsvRecord> CsvTokenizer::next() {
    if (pos_ >= text_.size())
        return std::nullopt;
    CsvRecord record;
    record.line = line_;
    std::string field;
    bool quotedField = false;
    std::size_t pos = pos_;
    while (true) {
        if (pos >= text_.size()) {
            record.fields.push_back(std::move(field));
            break;
        }
        const char c = text_[pos];
        if (c == separator_) {
            record.fields.push_back(std::move(field));
            field.clear();
            quotedField = false;
            ++pos;
            continue;
        }
        if (isLineBreak(c)) {
            record.fields.push_back(std::move(field));
            breakLine(pos);
            break;
        }
        const bool onlyBlanksSoFar = field.find_first_not_of(" \t") == std::string::npos;
        if (c == '"' && onlyBlanksSoFar && !quotedField) {
            // A quoted field: everything to the closing quote is its text.
            field.clear();
            quotedField = true;
            const int openedOn = line_;
            ++pos;
            bool closed = false;
            while (pos < text_.size()) {
                const char q = text_[pos];
                if (q == '"') {
                    if (pos + 1 < text_.size() && text_[pos + 1] == '"') {
                        field += '"';
                        pos += 2;
                        continue;
                    }
                    ++pos;
                    closed = true;
                    break;
                }
                if (isLineBreak(q)) {
                    field += '\n';
                    breakLine(pos);
                    continue;
                }
                field += q;
                ++pos;
            }
            if (!closed) {
                unterminated_ = true;
                unterminatedLine_ = openedOn;
            }
            // Blanks after the closing quote are dropped up to the separator or the line's end.
            while (pos < text_.size() && (text_[pos] == ' ' || text_[pos] == '\t') && text_[pos] != separator_)
                ++pos;
            continue;
        }
        // A quote inside an unquoted field, or text after a closing quote, is kept as written.
        field += c;
        ++pos;
    }
    pos_ = pos;
    return record;
}

char detectSeparator(std::string_view text) {
    constexpr std::array<char, 3> kCandidates = {';', '\t', ','};
    std::array<int, 3> counts = {0, 0, 0};
    int linesSeen = 0;
    bool inQuotes = false;
    bool lineHadOne = false;
    for (std::size_t i = 0; i < text.size() && linesSeen < 20; ++i) {
        const char c = text[i];
        if (c == '"') {
            inQuotes = !inQuotes;
            continue;
        }
        if (inQuotes)
            continue;
        if (isLineBreak(c)) {
            linesSeen += lineHadOne ? 1 : 0;
            lineHadOne = false;
            continue;
        }
        for (std::size_t k = 0; k < kCandidates.size(); ++k) {
            if (c == kCandidates[k]) {
                ++counts[k];
                lineHadOne = true;
            }
        }
    }
    // A comma is also the decimal mark of unquoted Italian amounts: it wins only when the others are absent.
    if (counts[0] > 0 || counts[1] > 0)
        return counts[1] > counts[0] ? '\t' : ';';
    return counts[2] > 0 ? ',' : ';';
}

} // namespace valmora::bank
