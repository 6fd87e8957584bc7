#pragma once
// The run that brings an account up to date when it is opened (and after an import or a new-year carry-over):
// month by month since the settings' OLDDATA it inserts the period-end interest placeholders and proposes every
// programmed operation that fell due, then sets OLDDATA to today and recomputes the ledger.
//
//   Automatismi()                 the whole run, right after Attiva
//   InserisciImposte(m, y, L)     the proposals of one month (also used by the editor's "&Rielabora")
//
// The tables of the data module must be open: MainTable ordered by "Valuta", TableAcc by "Operazione", TableImp
// on its row. Table-engine errors stop the run where they occur and reach the caller; the controls of the
// movements and settings tables, the ledger grid and the cursor are restored on every path.

#include "core/Date.h"
#include "model/UserInterface.h"

namespace valmora {

class AccountWindow;
class Ledger;
class TDM;

class Automatismi {
public:
    Automatismi(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window);
    Automatismi(const Automatismi&) = delete;
    Automatismi& operator=(const Automatismi&) = delete;

    // The run (see the file comment).
    void Esegui();

    // Proposes, in the programmed-operations table's order, every operation due in month `mese` of `anno` whose
    // due date is after `dopo` and not after today. Each proposal sets ModificheDaSalvare, confirmed or not.
    void InserisciImposte(int mese, int anno, Date dopo);

private:
    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    const Clock& clock_;
    AccountWindow& window_;
};

} // namespace valmora
