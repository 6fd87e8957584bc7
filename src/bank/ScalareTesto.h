#pragma once
// The interest statement in words: the lines valmora-cli prints, the CSV copy and the texts of the window's grid
// and of the printed page all come from here, so every one of them shows the same figures.

#include "bank/Scalare.h"

#include <string>
#include <vector>

namespace valmora {

// The texts of one interval as the window's grid and the printed page show them.
struct RigaScalareMostrata {
    std::string dal, al, giorni, saldo, numeriCreditori, numeriDebitori, tasso, ritenuta, interesse;
};
RigaScalareMostrata RigaMostrata(const IntervalloScalare& i);

// The statement's closing figures, label and text, in the order they are shown.
struct VoceScalare {
    std::string etichetta;
    std::string valore;
};
std::vector<VoceScalare> VociTotali(const RiassuntoScalare& r);

// Numeri as the grids write them: two decimals, thousands separated, no currency sign.
std::string TestoNumeri(Money numeri);

// `scalare DAL AL`: the heading, one line per interval, the totals, the average balance and the stamp duty.
std::vector<std::string> RigheScalare(const RiassuntoScalare& r);

// The statement for a spreadsheet: semicolons between fields, decimal comma, no thousands separator and no
// currency sign, one line per interval under a line of column names, then the totals; lines end with CR LF.
std::string CsvScalare(const RiassuntoScalare& r);

} // namespace valmora
