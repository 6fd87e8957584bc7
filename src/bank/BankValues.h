#pragma once
// Dates and amounts as banks write them in their exports.

#include "core/Date.h"
#include "core/Money.h"

#include <optional>
#include <string_view>

namespace valmora::bank {

// What a cell holds where a date is expected.
struct DateCell {
    enum class Kind {
        Empty,    // nothing but blanks
        NotADate, // words ("Saldo finale"): a summary line, not a movement
        Invalid,  // written as a date but no day of the calendar (31/04/2026, 12/13/26)
        Valid,
    };
    Kind kind = Kind::Empty;
    Date date;
};

// dd/mm/yyyy, dd/mm/yy, dd.mm.yyyy, dd-mm-yyyy or yyyy-mm-dd; day and month may have one digit. A time of day
// after the date ("2026-03-02T10:15:00", "02/03/2026 10:15") is ignored. Two-digit years are 2000-2069 below 70,
// else 1970-1999.
DateCell readBankDate(std::string_view text);

// "1.234,56", "-1.234,56", "1234,56", "1234.56", "1,234.56", "+12", "€ 12,50", "12,50 EUR", "-€12,50"; blanks
// anywhere. A single dot before exactly three digits is a thousands mark ("1.234" is 1234,00), as Italian
// banks write it. Nothing when the text is not an amount; an empty text is not one either.
std::optional<Money> readBankAmount(std::string_view text);

} // namespace valmora::bank
