#pragma once
// What the check against the bank reads of the open account: every movement in ledger order whatever the
// filter bar shows, and the rate rows. Reading changes nothing: the filter, the current row and the screen's
// grid are as they were afterwards.

#include "bank/Riscontro.h"
#include "model/Movement.h"
#include "model/RatePeriod.h"

#include <string>
#include <vector>

namespace valmora {

namespace dbase {
class FileSystem;
}

class TDM;

struct ContoRiscontro {
    std::vector<Movement> movimenti; // value-date order, as the ledger walks them
    std::vector<RatePeriod> tassi;   // date order
};

// The account's tables must be open.
ContoRiscontro LeggiContoRiscontro(TDM& dm);

// The whole check: the bank's list read from `percorso`, held against the open account, with the interest
// each value-date difference costs or earns.
struct RiscontroCompleto {
    Riscontro riscontro;
    std::vector<Money> interessi; // one per line of riscontro.righe; zero where the value dates agree
    Money totaleInteressi;
};

// Throws BankListError for a file that is not a movement list; the account is only read.
RiscontroCompleto RiscontraFile(TDM& dm, const std::string& percorso, dbase::FileSystem& fs,
                                int giorni = kGiorniRiscontro);
// The same on a list already read.
RiscontroCompleto RiscontraLista(const ContoRiscontro& conto, std::vector<BankLine> banca,
                                 int giorni = kGiorniRiscontro);

} // namespace valmora
