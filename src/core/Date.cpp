#include "core/Date.h"

#include <ctime>
#include <stdexcept>

namespace valmora {

namespace {

// Civil calendar <-> day count since 1970-01-01, proleptic Gregorian, in eras of 400 years
// (146097 days) so that every step is plain integer arithmetic without tables or loops.
std::int32_t daysFromCivil(int y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int mp = (m + 9) % 12;
    const int doy = (153 * mp + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

using Civil = Date::Parts;

Civil civilFromDays(std::int32_t days) {
    const std::int32_t z = days + 719468;
    const std::int32_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int32_t doe = z - era * 146097;
    const std::int32_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int32_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int32_t mp = (5 * doy + 2) / 153;
    const int day = doy - (153 * mp + 2) / 5 + 1;
    const int month = mp < 10 ? mp + 3 : mp - 9;
    const int year = yoe + era * 400 + (month <= 2 ? 1 : 0);
    return {year, month, day};
}

// Four-digit years only: the stored and shown forms have room for no more.
constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

bool readDigits(std::string_view text, std::size_t from, std::size_t count, int& value) {
    value = 0;
    for (std::size_t i = from; i < from + count; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

void appendPadded(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (digits.size() < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

} // namespace

std::optional<Date> Date::fromYmd(int year, int month, int day) {
    if (year < kFirstYear || year > kLastYear || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return std::nullopt;
    return Date(daysFromCivil(year, month, day));
}

std::optional<Date> Date::parse(std::string_view text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return std::nullopt;
    int day = 0;
    int month = 0;
    int year = 0;
    if (!readDigits(text, 0, 2, day) || !readDigits(text, 3, 2, month) || !readDigits(text, 6, 4, year))
        return std::nullopt;
    return fromYmd(year, month, day);
}

std::optional<Date> Date::parseCompact(std::string_view text) {
    // An empty date column holds blanks: that is the zero date, not a broken value.
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return Date();
    if (text.size() != 8)
        return std::nullopt;
    int year = 0;
    int month = 0;
    int day = 0;
    if (!readDigits(text, 0, 4, year) || !readDigits(text, 4, 2, month) || !readDigits(text, 6, 2, day))
        return std::nullopt;
    return fromYmd(year, month, day);
}

Date Date::addDays(int n) const {
    if (isNull())
        return *this;
    const std::int64_t target = static_cast<std::int64_t>(days_) + n;
    if (target < daysFromCivil(kFirstYear, 1, 1) || target > daysFromCivil(kLastYear, 12, 31))
        throw std::out_of_range("Data fuori dall'intervallo consentito");
    return Date(static_cast<std::int32_t>(target));
}

Date::Parts Date::parts() const {
    return isNull() ? Parts{0, 0, 0} : civilFromDays(days_);
}
int Date::year() const {
    return isNull() ? 0 : civilFromDays(days_).year;
}
int Date::month() const {
    return isNull() ? 0 : civilFromDays(days_).month;
}
int Date::day() const {
    return isNull() ? 0 : civilFromDays(days_).day;
}

std::string Date::toString() const {
    if (isNull())
        return {};
    const Civil c = civilFromDays(days_);
    std::string out;
    out.reserve(10);
    appendPadded(out, c.day, 2);
    out += '/';
    appendPadded(out, c.month, 2);
    out += '/';
    appendPadded(out, c.year, 4);
    return out;
}

std::string Date::toCompact() const {
    if (isNull())
        return std::string(8, ' ');
    const Civil c = civilFromDays(days_);
    std::string out;
    out.reserve(8);
    appendPadded(out, c.year, 4);
    appendPadded(out, c.month, 2);
    appendPadded(out, c.day, 2);
    return out;
}

bool Date::isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int Date::daysInMonth(int year, int month) {
    switch (month) {
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        return 31;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    case 2:
        return isLeapYear(year) ? 29 : 28;
    default:
        return 0;
    }
}

Date SystemClock::today() const {
    // The one place in the program that reads the machine's calendar; everything else is handed a Clock.
    const std::time_t now = std::time(nullptr);
    if (static_cast<std::int64_t>(now) == second_)
        return date_;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now); // the Microsoft C library's thread-safe form, arguments the other way round
#else
    localtime_r(&now, &local);
#endif
    const Date today = *Date::fromYmd(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
    // Remembered only when the second did not tick while the calendar was read: just after midnight
    // the day before is never given out for a whole second.
    if (std::time(nullptr) == now) {
        second_ = static_cast<std::int64_t>(now);
        date_ = today;
    }
    return today;
}

} // namespace valmora
