#pragma once
// One row of the programmed-operations table (TableAcc): a movement proposed on a schedule.

#include "core/Money.h"
#include "dbase/Table.h"

#include <string>
#include <vector>

namespace valmora {

struct ProgrammedOperation {
    std::string descrizione; // Descrizion
    Money importo;           // Importo
    std::string operazione;  // Operazione
    std::string tipo;        // Tipo
    std::string frequenza;   // Frequenza: "Mensile" ... "Annuale"
    std::string inizio;      // Inizio: month name of the first month due in each year
    Money giorno;            // Giorno: a whole day 1-28, or 0 for the last day of the month

    static ProgrammedOperation read(dbase::Table& table);
    std::vector<dbase::Value> values() const; // in the table's field order

    // The four rows a new account starts with, in the order they are added.
    static std::vector<ProgrammedOperation> defaults();

    bool operator==(const ProgrammedOperation&) const = default;
};

} // namespace valmora
