#pragma once
// One row of the interest-rate table (TableTassi): the rates in force from a date on.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/Table.h"

namespace valmora {

// Rates and the withholding are percentages held as fixed point (2 is 2 %), like every N(20,4) column.
struct RatePeriod {
    Date data;      // DATA: first day the rates apply
    Money limite;   // LIMITE: threshold amount
    Money tassoCre; // TASSOCRE: rate of a balance from 0 up to and including LIMITE
    Money tassoH;   // TASSOH: rate of a balance above LIMITE, on the whole balance
    Money tassoDeb; // TASSODEB: rate of a negative balance
    Money ritenuta; // RITENUTA: percentage withheld from the interest

    static RatePeriod read(dbase::Table& table);
    // The rate row of a new account, dated the day of its creation.
    static RatePeriod defaults(Date today);

    bool operator==(const RatePeriod&) const = default;
};

} // namespace valmora
