#pragma once
// The new-year carry-over: a past year's account is continued in a new file set whose settings and programmed
// operations are copied from the old one, whose rates start from the old account's latest rates, and whose first
// movement carries the old balance forward.
//
//   ProponiNuovoAnno   the offer the open command makes as its last step (once per account: NEW_ANNO)
//   NuovoAnno1Click    the menu item "N&uovo Anno": the carry-over straight away, NEW_ANNO untouched
//   Tab_NuovoAnno      the carry-over itself
//
// The old account is only read, apart from its close and, when the offer is accepted, NEW_ANNO. Table-engine
// errors are not caught: they stop the command where it is and reach the command runner.

#include "core/Date.h"

namespace valmora {

class AccountCommands;
class AccountWindow;
class Automatismi;
class Ledger;
class TDM;
class UserInterface;

inline constexpr const char* kDomandaNuovoAnno = "Riportare saldo ed impostazioni in un nuovo Conto?";
inline constexpr int kAiutoNuovoAnno = 9; // the help topic the offer's Help button opens

class NuovoAnno {
public:
    NuovoAnno(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window,
              AccountCommands& comandi, Automatismi& automatismi);
    NuovoAnno(const NuovoAnno&) = delete;
    NuovoAnno& operator=(const NuovoAnno&) = delete;

    // Asks "Riportare saldo ed impostazioni in un nuovo Conto?" (No, OK, Help) when the account's first movement
    // lies in a past year and the offer is still open; OK closes the offer in the old account, then carries over.
    void ProponiNuovoAnno();
    // "N&uovo Anno": the carry-over without the question.
    void NuovoAnno1Click(bool dialogoRipetuto = true) { Tab_NuovoAnno(dialogoRipetuto); }
    // The carry-over. `dialogoRipetuto` false: when the chosen name is in use the save dialog that would come
    // back is cancelled (a script names its file once).
    void Tab_NuovoAnno(bool dialogoRipetuto = true);

private:
    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    const Clock& clock_;
    AccountWindow& window_;
    AccountCommands& comandi_;
    Automatismi& automatismi_;
};

} // namespace valmora
