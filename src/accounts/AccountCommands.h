#pragma once
// The commands of the "&Conto" menu that create, open, save, close and export an account file set.
//
// The program works on the account's files directly: every change is on disk at once. The snapshot under the
// folder "Backup" beside the account (taken at open and at save) is the only undo: a close answered No to
// "Salvare le modifiche effettuate?" copies it back over the working files.
//
//   Nuovo1Click      "&Nuovo": name check, close, the four tables with their defaults, Attiva, settings dialog
//   Apri1Click       "&Apri": close, bind, recreate a missing associated table, password, Attiva, snapshot,
//                    Automatismi, new-year offer
//   Salva1Click      "&Salva": the snapshot
//   Chiudi1Click     "&Chiudi" (also exit and every command that opens another account): NUM_REC, the save question
//   Esporta1Click    "Es&porta": the file set copied into another folder
//
// Errors of the table engine are not caught: they stop the command where it is and reach the command runner.

#include "core/Date.h"

#include <string>

namespace valmora {

class AccountWindow;
class Automatismi;
class Ledger;
class TDM;
class UserInterface;

class AccountCommands {
public:
    AccountCommands(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window,
                    Automatismi& automatismi);
    AccountCommands(const AccountCommands&) = delete;
    AccountCommands& operator=(const AccountCommands&) = delete;

    // `dialogoRipetuto` false: when the name is in use, the dialog that would come back is cancelled (a script
    // names its file once; a second dialog would have nobody to fill it).
    void Nuovo1Click(bool dialogoRipetuto = true);
    void Apri1Click();
    void Salva1Click();
    void Chiudi1Click(bool daMenuChiudi = false);
    void Esporta1Click();

    // The folder of a chosen path, with a trailing separator ("" for a bare file name: the working directory).
    static std::string CartellaDi(const std::string& percorso);
    // A name typed without the ".dbf" extension gets it: every file of the set is named from it.
    static std::string ConEstensione(const std::string& nomeFile);

    // Closes the movements, programmed-operations, settings and rates tables, in this order.
    void ChiudiTabelle();
    // Opens the four tables again in the same order, each in its own order; the movements filter is kept.
    void RiapriTabelle();

private:
    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    const Clock& clock_;
    AccountWindow& window_;
    Automatismi& automatismi_;
};

} // namespace valmora
