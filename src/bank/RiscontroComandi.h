#pragma once
// "Riscontro con la banca..." in the "&Conto" menu, without a screen: the bank's file chosen and read, the check
// made again after the ledger changed, a bank line without a movement entered through the operation dialog.
// The window shows what these return; valmora-cli prints the same check line by line.

#include "bank/RiscontroConto.h"
#include "bank/RiscontroTabelle.h"
#include "entry/OperationEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace valmora {

class FormMaster;
class UserInterface;

struct RiscontroAperto {
    std::string file;            // the bank's file as chosen
    std::vector<BankLine> banca; // its lines, kept to check again after an entry
    RiscontroCompleto esito;
};

// The open dialog, then the file read and held against the open account. A file that is not a movement list
// shows its message; nothing is returned then, nor when the dialog is cancelled or no account is open.
std::optional<RiscontroAperto> RiscontroConBanca1Click(FormMaster& master, UserInterface& ui);

// The same bank lines held against the ledger as it is now.
void RiscontraDiNuovo(FormMaster& master, RiscontroAperto& aperto, int giorni = kGiorniRiscontro);

// The insert commands a bank line can be entered with: a credit for money in; a withdrawal, a debit or a tax
// for money out.
std::vector<TipoInserimento> InserimentiPer(const BankLine& riga);

// The insert command's operation dialog, filled with the bank line's booking date, amount (without its sign: the
// operation gives it) and description; the user picks the type and confirms or cancels, and the normal checks and
// charges apply. `mostra` shows the dialog (the screen's, or a script's).
DialogResult InserisciDaBanca(OperationEntry& entry, TipoInserimento tipo, const BankLine& riga,
                              const OperationEntry::MostraScheda& mostra);
DialogResult InserisciDaBanca(OperationEntry& entry, TipoInserimento tipo, const BankLine& riga, UserInterface& ui);

} // namespace valmora
