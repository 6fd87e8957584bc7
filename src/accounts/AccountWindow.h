#pragma once
// What the account commands need of the main window that runs them. The main window's engine object
// (mainwindow/FormMaster) implements it; the account commands never see a screen, only this and the seam.

#include "model/UserInterface.h"

namespace valmora {

class AccountWindow {
public:
    virtual ~AccountWindow() = default;

    // Whether an account is open (the window is in the account-open state).
    virtual bool ContoAperto() const = 0;
    // Brings the window into the account-open state once the account's tables are bound (opens the movements
    // and settings tables, reads NUM_REC, clears ModificheDaSalvare).
    virtual void Attiva() = 0;
    // The window changes that begin the close command: the no-account state, PasswordAccettata cleared.
    // `daMenuChiudi`: the command came from the "&Chiudi" item (which also closes the calendar).
    virtual void StatoSenzaConto(bool daMenuChiudi) = 0;
    // The caption for the open account: the title, " - " and the file name (or the title alone).
    virtual void AggiornaTitolo() = 0;
    // The settings dialog a new account opens so that the user fills in its conditions.
    virtual void ImpostazioniNuovoConto() = 0;
    // The offer to carry a past year's account into a new year, made at the end of an open.
    virtual void ProponiNuovoAnno() = 0;
    // Makes the menu item "N&uovo Anno" visible (the account belongs to a past year).
    virtual void MostraNuovoAnno() = 0;
    // Shows a due programmed operation in the operation dialog until the user cancels it or its insert is
    // accepted (a limit refusal brings the dialog back with the proposal's own values); a confirmation inserts
    // the movement with its value date and linked charges, as the insert command would.
    virtual void InserisciProposta(const OperationProposal& proposta) = 0;
};

} // namespace valmora
