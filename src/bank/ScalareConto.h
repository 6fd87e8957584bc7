#pragma once
// The interest statement of the open account: its balances by value date read as the ledger counts them, and
// the checks a typed range must pass before it can be stated.

#include "bank/Scalare.h"

#include <optional>
#include <string>

namespace valmora {

class Clock;
class FormMaster;
class TDM;
class UserInterface;

// Every movement of the account, whatever the filter shows, replayed through the ledger's own classification
// (a movement valued after today counts as the ledger counts it); the rate rows; the stamp duties charged.
// The tables are left as they were: filter, current row and the grid's view.
MovimentiPerScalare MovimentiDelConto(TDM& dm, const Clock& clock);

// Why a range cannot be stated (its end before its start, or a day outside the account's year), or nothing.
std::optional<std::string> PeriodoNonValido(Date dal, Date al, int annoConto);

// The statement of the open account from `dal` to `al`. A range that cannot be stated shows its message and
// gives nothing; so does a main window without an account.
std::optional<RiassuntoScalare> RiassuntoDelConto(FormMaster& master, UserInterface& ui, Date dal, Date al);

} // namespace valmora
