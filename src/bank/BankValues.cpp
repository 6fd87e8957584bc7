#include "bank/BankValues.h"

#include <array>
#include <cstdint>
#include <limits>
#include <string>

namespace valmora::bank {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trim(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

// Up to three runs of digits split by one separator character, as "02/03/2026" or "2026-03-02" are.
struct DateParts {
    std::array<std::string_view, 3> runs;
    char separator = 0;
};

std::optional<DateParts> splitDate(std::string_view s) {
    DateParts parts;
    std::size_t run = 0;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= s.size(); ++i) {
        if (i < s.size() && isDigit(s[i]))
            continue;
        if (i == start || run == 3)
            return std::nullopt;
        parts.runs[run++] = s.substr(start, i - start);
        if (i == s.size())
            break;
        const char c = s[i];
        if (c != '/' && c != '.' && c != '-')
            return std::nullopt;
        if (parts.separator != 0 && c != parts.separator)
            return std::nullopt;
        parts.separator = c;
        start = i + 1;
    }
    if (run != 3)
        return std::nullopt;
    return parts;
}

int number(std::string_view digits) {
    int n = 0;
    for (const char c : digits)
        n = n * 10 + (c - '0');
    return n;
}

// The date part of a cell: everything before a time of day.
std::string_view withoutTime(std::string_view s) {
    const std::size_t t = s.find_first_of("T ");
    return t == std::string_view::npos ? s : s.substr(0, t);
}

// Strips a currency mark ("€", "EUR") at either end.
std::string_view withoutCurrency(std::string_view s) {
    constexpr std::string_view kEuro = "\xE2\x82\xAC";
    for (const std::string_view mark : {kEuro, std::string_view("EUR"), std::string_view("eur")}) {
        if (s.starts_with(mark))
            return trim(s.substr(mark.size()));
        if (s.ends_with(mark))
            return trim(s.substr(0, s.size() - mark.size()));
    }
    return s;
}

} // namespace

DateCell readBankDate(std::string_view text) {
    const std::string_view s = trim(text);
    if (s.empty())
        return {DateCell::Kind::Empty, {}};
    const std::optional<DateParts> parts = splitDate(withoutTime(s));
    if (!parts)
        return {DateCell::Kind::NotADate, {}};
    const auto& r = parts->runs;
    int year = 0;
    int month = 0;
    int day = 0;
    if (r[0].size() == 4 && parts->separator == '-' && r[1].size() <= 2 && r[2].size() <= 2) {
        year = number(r[0]);
        month = number(r[1]);
        day = number(r[2]);
    } else if (r[0].size() <= 2 && r[1].size() <= 2 && (r[2].size() == 4 || r[2].size() == 2)) {
        day = number(r[0]);
        month = number(r[1]);
        year = number(r[2]);
        if (r[2].size() == 2)
            year += year < 70 ? 2000 : 1900;
    } else {
        return {DateCell::Kind::Invalid, {}};
    }
    const std::optional<Date> date = Date::fromYmd(year, month, day);
    if (!date)
        return {DateCell::Kind::Invalid, {}};
    return {DateCell::Kind::Valid, *date};
}

std::optional<Money> readBankAmount(std::string_view text) {
    std::string_view s = withoutCurrency(trim(text));
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s = withoutCurrency(trim(s.substr(1)));
    }
    // The digits with every blank (a non-breaking space included) taken out.
    std::string digits;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == ' ')
            continue;
        if (s.substr(i).starts_with("\xC2\xA0")) {
            ++i;
            continue;
        }
        digits += s[i];
    }
    if (digits.empty())
        return std::nullopt;
    const std::size_t lastComma = digits.rfind(',');
    const std::size_t lastDot = digits.rfind('.');
    std::size_t decimalMark = std::string::npos;
    if (lastComma != std::string::npos && lastDot != std::string::npos)
        decimalMark = std::max(lastComma, lastDot);
    else if (lastComma != std::string::npos)
        decimalMark = digits.find(',') == lastComma ? lastComma : std::string::npos;
    else if (lastDot != std::string::npos)
        decimalMark = (digits.find('.') == lastDot && digits.size() - lastDot - 1 != 3) ? lastDot : std::string::npos;
    const char thousands = decimalMark == std::string::npos ? (lastComma != std::string::npos ? ',' : '.')
                                                            : (digits[decimalMark] == ',' ? '.' : ',');

    std::int64_t whole = 0;
    std::int64_t fraction = 0;
    int fractionDigits = 0;
    bool anyDigit = false;
    std::size_t groupLength = 0;
    bool grouped = false;
    const std::size_t end = decimalMark == std::string::npos ? digits.size() : decimalMark;
    for (std::size_t i = 0; i < end; ++i) {
        const char c = digits[i];
        if (c == thousands) {
            if (!anyDigit || (grouped && groupLength != 3) || (!grouped && groupLength > 3))
                return std::nullopt;
            grouped = true;
            groupLength = 0;
            continue;
        }
        if (!isDigit(c))
            return std::nullopt;
        if (whole > (std::numeric_limits<std::int64_t>::max() / Money::kScale - 9) / 10)
            return std::nullopt; // no account holds that much
        whole = whole * 10 + (c - '0');
        anyDigit = true;
        ++groupLength;
    }
    if (grouped && groupLength != 3)
        return std::nullopt;
    if (decimalMark != std::string::npos) {
        for (std::size_t i = decimalMark + 1; i < digits.size(); ++i) {
            if (!isDigit(digits[i]) || fractionDigits == 4)
                return std::nullopt;
            fraction = fraction * 10 + (digits[i] - '0');
            ++fractionDigits;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    for (int i = fractionDigits; i < 4; ++i)
        fraction *= 10;
    const Money value = Money::fromUnits(whole * Money::kScale + fraction);
    return negative ? -value : value;
}

} // namespace valmora::bank
