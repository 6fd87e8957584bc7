#pragma once
// The check against the bank written out line by line, as valmora-cli prints it and the window's lists show it:
// fields separated by ';', amounts as the grids write them, signed, dates dd/mm/yyyy.

#include "bank/Riscontro.h"

#include <string>
#include <vector>

namespace valmora {

// RISCONTRO, then UGUALE / VALUTA DIVERSA / SOLO BANCA in the bank's order, then SOLO CONTO in ledger order,
// then TOTALE BANCA, TOTALE CONTO and DIFFERENZA.
std::vector<std::string> RigheRiscontro(const Riscontro& r);

} // namespace valmora
