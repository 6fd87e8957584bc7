#pragma once
// One row of the movements table (MainTable): a booking, its value date and amount.

#include "core/Date.h"
#include "core/Money.h"
#include "dbase/Table.h"

#include <string>
#include <vector>

namespace valmora {

struct Movement {
    Date data;              // DATA: booking date
    Date valuta;            // VALUTA: value date; the ledger walks in this order
    std::string operazione; // OPERAZIONE
    std::string tipo;       // TIPO
    Money importo;          // IMPORTO: the operation gives it its sign in the balance
    std::string commento;   // COMMENTO

    // The current row of an open movements table.
    static Movement read(dbase::Table& table);
    // The values in the table's field order, as appendRecord takes them.
    std::vector<dbase::Value> values() const;

    bool operator==(const Movement&) const = default;
};

} // namespace valmora
