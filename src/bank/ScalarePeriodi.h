#pragma once
// The ranges the "Riassunto scalare" window offers for an account's year: each capitalisation period of the
// credit and of the debit interest (named as the interest movement written at its end), each month, each
// quarter and the whole year.

#include "core/Date.h"

#include <string>
#include <vector>

namespace valmora {

struct PeriodoScalare {
    std::string nome;
    Date dal;
    Date al;
};

// A capitalisation period runs from the end of the one before it (where the ledger's previous interest movement
// of its kind stands) to its own end; the first one from the account's first value date when that falls inside
// it, else from 1 January. A side whose periods are the same as the credit side's is not offered twice, and
// "NESSUNA" offers none.
std::vector<PeriodoScalare> PeriodiOfferti(int anno, const std::string& capitaCre, const std::string& capitaDeb,
                                           Date primaValuta);

} // namespace valmora
