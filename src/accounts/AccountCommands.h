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
//
// While an account is open this program holds its lock (NAME.dbf.lock beside it, an operating-system lock that
// ends with the process): a second copy of the program is refused it, so two never write into the same records.
// The snapshot and its copy back are all or nothing (CopiaInsieme); a failed one is reported, and a snapshot that
// does not hold this session's state is never copied back.

#include "core/Date.h"

#include <initializer_list>
#include <memory>
#include <optional>
#include <string>

namespace valmora {

namespace dbase {
class FileLock;
}

class AccountWindow;
class Automatismi;
class Ledger;
class TDM;
class UserInterface;

class AccountCommands {
public:
    AccountCommands(TDM& dm, Ledger& ledger, UserInterface& ui, const Clock& clock, AccountWindow& window,
                    Automatismi& automatismi);
    ~AccountCommands();
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

    struct NomeNuovoConto {
        std::string cartella; // with its trailing separator, as CartellaDi gives it
        std::string nome;     // with its ".dbf"
    };
    // The "Crea Nuovo Conto" dialog (opening in `cartella`, proposing `nomeProposto`), asked again until the name
    // is free: no movements table of that name and no table of the set in any of `sottocartelle`. These are
    // looked at in the order given, up to the first that holds one, and each one looked at is created.
    // Empty when the dialog is cancelled, or when the name is in use and `dialogoRipetuto` is false.
    static std::optional<NomeNuovoConto> ChiediNomeNuovoConto(TDM& dm, UserInterface& ui, std::string cartella,
                                                              const std::string& nomeProposto,
                                                              std::initializer_list<const char*> sottocartelle,
                                                              bool dialogoRipetuto);

    // Closes the movements, programmed-operations, settings and rates tables, in this order.
    void ChiudiTabelle();
    // Opens the four tables again in the same order, each in its own order; the movements filter is kept.
    void RiapriTabelle();

    // Takes the lock of the account `nome` in `cartella` (kept when this window holds it already). When another
    // copy of the program holds it, says so and returns false.
    bool BloccaConto(const std::string& cartella, const std::string& nome);
    void SbloccaConto();

private:
    std::unique_ptr<dbase::FileLock> PrendiBlocco(const std::string& cartella, const std::string& nome);
    // Finishes a snapshot or a copy back that a stopped program had committed, and puts back the movements
    // table of a change it did not finish; before anything of the account is read.
    void CompletaOperazioniInterrotte(const std::string& cartella, const std::string& nome);
    // The snapshot of the open account under Backup/; a failure is reported and leaves the previous one whole.
    void AggiornaCopiaDiSicurezza();
    // The snapshot copied back over the working files (a close answered No).
    void RipristinaCopiaDiSicurezza();
    void ApriConto(const std::string& cartella, const std::string& nome);

    TDM& dm_;
    Ledger& ledger_;
    UserInterface& ui_;
    const Clock& clock_;
    AccountWindow& window_;
    Automatismi& automatismi_;
    std::unique_ptr<dbase::FileLock> blocco_;
    std::string contoBloccato_;       // the path of the account whose lock is held
    bool copiaDellaSessione_ = false; // Backup/ holds this session's state, as opened or last saved
    bool copiaFallita_ = false;       // the last snapshot of this session could not be taken
};

} // namespace valmora
