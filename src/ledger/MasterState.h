#pragma once
// The main window's working state that the ledger reads and writes. The main-window layer owns
// one of these for as long as the program runs; the ledger and the commands built on it share it.

#include "core/Date.h"

#include <cstdint>
#include <string>

namespace valmora {

struct MasterState {
    std::string TitoloProgramma = "Valmora 4.1.0"; // caption with no account open; the application title
    std::string CartellaConto;                     // the open account's folder D
    std::string NomeFileConto;                     // its movements file name N.dbf
    bool ModificheDaSalvare = false;               // changes made since the last save
    bool PasswordAccettata = false;                // the open account's password was accepted (or it has none)

    int AnnoConto = 0;    // the account's year
    int MeseCorrente = 0; // the last month of that year reached so far: today's month, or 12 once the year is over

    // Scan dates. A regenerating scan records the first value date; a scan that writes interest
    // amounts records the last one (the value-date rules and the monthly summary read it).
    Date DataPrimaValuta;
    int AnnoPrimaValuta = 0;
    int MesePrimaValuta = 0;
    Date DataUltimaValuta;

    // Movements counted by the last classification made on the unfiltered ledger. It survives from
    // scan to scan (a scan does not reset it) and is kept in the settings row's NUM_REC between runs.
    std::int32_t NumMovimenti = 0;
};

} // namespace valmora
