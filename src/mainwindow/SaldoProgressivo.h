#pragma once
// The ledger grid's running balance ("Saldo"): the balance by value date after each row, the figure a user holds
// against the bank's statement line by line.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/Table.h"

#include <string_view>
#include <vector>

namespace valmora {

// What one movement does to the balance, as the scan classifies it: a credit, withdrawal, debit or tax counts
// once valued (value date not after `oggi`) and only with a type its operation has; interest counts as credit or
// debit whatever its sign; a "Saldo Anno P." notice adds its amount; off-account movements and everything else
// leave the balance as it was.
Money EffettoSulSaldo(std::string_view operazione, std::string_view tipo, Money importo, Date valuta, Date oggi);

// The balance after each visible row of `movimenti`, in the table's current order (the grid's), starting from
// zero: within a filter, the rows the filter shows, as the totals then count them. The cursor is put back.
std::vector<Money> SaldiProgressivi(dbase::Table& movimenti, Date oggi);

} // namespace valmora
