#pragma once
// "&Importa": an account of the program's previous major version (a dBase movements table with the index tag
// "Data") becomes a new account file set of this version in the account folder, under the same file name. The
// movements are copied by position; the settings and rates start from their defaults and the programmed
// operations start empty. The previous-version file is only read.
//
//   ImportaOld              the command
//   VerificaVecchioConto    whether TableOld can be read as a previous-version movements table (throws if not)
//   RiportaVecchioConto     copies every row of TableOld into MainTable, in the order of the tag "Data"
//
// A previous-version table that has no tag "Data", or whose fields are not the six movement fields (two dates,
// two texts, a number, a text), is refused with a message before anything is created; a copy that fails half way
// removes the tables it had created, so no half-made account is left behind. Errors reach the command runner.

#include "core/Date.h"

#include <string>

namespace valmora {

class AccountCommands;
class AccountWindow;
class Automatismi;
class Ledger;
class TDM;
class UserInterface;

inline constexpr const char* kDomandaImporta =
    "Selezionare un Conto creato con una versione precedente di Valmora\rda importare convertendolo per la versione "
    "4 ?\r\r(Dovranno essere riconfigurate manualmente le impostazioni generali!)";
inline constexpr const char* kImportazioneAnnullata = "Importazione annullata";
// "Il Conto " + N.dbf + " è già stato importato!"
std::string MsgGiaImportato(const std::string& nomeFile);

// TableOld must be open. Throws dbase::TableError with an Italian message naming the file when the table lacks the
// tag "Data" in its production index or its fields cannot be taken as DATA, VALUTA, OPERAZIONE, TIPO, IMPORTO and
// COMMENTO in this order.
void VerificaVecchioConto(TDM& dm);

// Opens TableOld (ordered by its tag "Data") and MainTable, and appends to MainTable one row per old row, each
// field taking the value of the old field at the same position, converted by the table engine.
void RiportaVecchioConto(TDM& dm);

class ImportazioneConto {
public:
    ImportazioneConto(TDM& dm, Ledger& ledger, UserInterface& ui, AccountWindow& window, AccountCommands& comandi,
                      Automatismi& automatismi);
    ImportazioneConto(const ImportazioneConto&) = delete;
    ImportazioneConto& operator=(const ImportazioneConto&) = delete;

    void ImportaOld();

private:
    void creaConto(const std::string& cartella, const std::string& nome);
    void rimuoviConto(const std::string& cartella, const std::string& nome);

    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    AccountWindow& window_;
    AccountCommands& comandi_;
    Automatismi& automatismi_;
};

} // namespace valmora
