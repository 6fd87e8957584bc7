// The account's lock, its snapshot under Backup/ and the copy back, and the finishing of what a stopped program
// left half done.

#include "accounts/AccountCommands.h"

#include "accounts/AccountWindow.h"
#include "accounts/CopiaInsieme.h"
#include "dbase/FileSystem.h"
#include "entry/MovementsTransaction.h"
#include "ledger/Ledger.h"
#include "model/AccountFileSet.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

#include <stdexcept>

namespace valmora {

namespace {

std::string cartellaBackup(const std::string& cartella) {
    return AccountFileSet::folderOf(cartella, kSottocartellaBackup) + "/";
}

std::string registroCopia(const std::string& cartella, const std::string& nome) {
    return cartellaBackup(cartella) + nome + ".copia-in-corso";
}

std::string registroRipristino(const std::string& cartella, const std::string& nome) {
    return cartella + nome + ".ripristino-in-corso";
}

} // namespace

std::unique_ptr<dbase::FileLock> AccountCommands::PrendiBlocco(const std::string& cartella, const std::string& nome) {
    auto blocco = dm_.fileSystem().tryLock(cartella + nome + ".lock");
    if (!blocco) {
        ui_.message("Il conto " + cartella + nome +
                        " è già aperto in un'altra copia di Valmora: chiuderlo là prima di aprirlo qui.",
                    Buttons::Ok);
    }
    return blocco;
}

bool AccountCommands::BloccaConto(const std::string& cartella, const std::string& nome) {
    if (contoBloccato_ == cartella + nome) {
        return true;
    }
    auto blocco = PrendiBlocco(cartella, nome);
    if (!blocco) {
        return false;
    }
    blocco_ = std::move(blocco);
    contoBloccato_ = cartella + nome;
    copiaDellaSessione_ = false;
    copiaFallita_ = false;
    return true;
}

void AccountCommands::SbloccaConto() {
    blocco_.reset();
    contoBloccato_.clear();
    copiaDellaSessione_ = false;
    copiaFallita_ = false;
}

void AccountCommands::CompletaOperazioniInterrotte(const std::string& cartella, const std::string& nome) {
    CompletaCopiaInterrotta(dm_.fileSystem(), registroRipristino(cartella, nome));
    CompletaCopiaInterrotta(dm_.fileSystem(), registroCopia(cartella, nome));
    RipristinaMovimentiInterrotti(dm_.fileSystem(), cartella + nome);
}

void AccountCommands::AggiornaCopiaDiSicurezza() {
    const MasterState& state = ledger_.Stato();
    const std::string& cartella = state.CartellaConto;
    const std::string& nome = state.NomeFileConto;
    try {
        CopiaInsieme(dm_.fileSystem(), FileDelConto(cartella, cartellaBackup(cartella), nome),
                     registroCopia(cartella, nome));
        copiaDellaSessione_ = true;
        copiaFallita_ = false;
    } catch (const std::runtime_error& e) {
        // The previous snapshot is whole but is not this session's: a close answered No must not bring it back.
        copiaDellaSessione_ = false;
        copiaFallita_ = true;
        ui_.message(std::string("Copia di sicurezza non riuscita! ") + e.what() +
                        ": la copia di sicurezza precedente resta com'era.",
                    Buttons::Ok);
    }
}

void AccountCommands::RipristinaCopiaDiSicurezza() {
    const MasterState& state = ledger_.Stato();
    if (!copiaDellaSessione_) {
        // A new account never saved has no snapshot: its files simply stay. One whose snapshot failed says so.
        if (!copiaFallita_) {
            return;
        }
        ui_.message("La copia di sicurezza di questa sessione non è stata presa: le modifiche non si possono "
                    "annullare e restano nel conto.",
                    Buttons::Ok);
        return;
    }
    try {
        CopiaInsieme(dm_.fileSystem(), FileDelConto(cartellaBackup(state.CartellaConto), state.CartellaConto,
                                                    state.NomeFileConto),
                     registroRipristino(state.CartellaConto, state.NomeFileConto));
    } catch (const std::runtime_error& e) {
        ui_.message(std::string("Ripristino non riuscito! ") + e.what() + ": le modifiche restano nel conto.",
                    Buttons::Ok);
    }
}

} // namespace valmora
