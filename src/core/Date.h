#pragma once
// A calendar date without time of day, stepped and compared as whole days.

#include <climits>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace valmora {

class Date {
public:
    // The zero date: what an empty date field reads as; earlier than any real date.
    constexpr Date() = default;
    // Returns nothing for an impossible date (31/04, 29/02 of a common year, month 13...).
    static std::optional<Date> fromYmd(int year, int month, int day);
    // Strict "dd/mm/yyyy": two digits, two digits, four digits, a real date.
    static std::optional<Date> parse(std::string_view text);
    // "yyyymmdd" as dBase stores it; blanks (an empty date column) give the zero date.
    static std::optional<Date> parseCompact(std::string_view text);
    static constexpr Date fromDayNumber(std::int32_t days) { return Date(days); }

    bool isNull() const { return days_ == kNull; }
    // Parts of the date; 0 for the zero date.
    struct Parts {
        int year;
        int month;
        int day;
    };
    Parts parts() const; // all three in one step, where each accessor works its part out alone
    int year() const;
    int month() const;
    int day() const;
    // Days since 1970-01-01 (a real date; the zero date gives a very negative number).
    constexpr std::int32_t dayNumber() const { return days_; }
    // Julian day number, as dBase index keys use it (2000-01-01 is 2451545).
    std::int64_t julianDay() const { return static_cast<std::int64_t>(days_) + 2440588; }

    std::string toString() const;  // "dd/mm/yyyy"; empty for the zero date
    std::string toCompact() const; // "yyyymmdd"; eight blanks for the zero date

    // The zero date stays the zero date; a step beyond year 9999 or before year 1 throws
    // std::out_of_range rather than producing a date no form can show.
    Date addDays(int n) const;
    int daysUntil(Date later) const { return later.days_ - days_; }
    constexpr auto operator<=>(const Date&) const = default;

    static bool isLeapYear(int year);
    static int daysInMonth(int year, int month); // 0 for a month outside 1..12

private:
    static constexpr std::int32_t kNull = INT32_MIN / 2;
    constexpr explicit Date(std::int32_t d) : days_(d) {}
    std::int32_t days_ = kNull;
};

// The source of today's date. The engine asks this, never the system clock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
};

// The real calendar of the machine the program runs on. A scan asks for today once a row, and the
// calendar (time zone rules included) costs more than the rest of the row: it is read once a second.
// One object is not for several threads at once.
class SystemClock : public Clock {
public:
    Date today() const override;

private:
    mutable std::int64_t second_ = -1; // the second `date_` was read in
    mutable Date date_;
};

// A date set by hand: tests and `valmora-cli --oggi`.
class FixedClock : public Clock {
public:
    explicit FixedClock(Date d) : date_(d) {}
    Date today() const override { return date_; }
    void set(Date d) { date_ = d; }

private:
    Date date_;
};

} // namespace valmora
