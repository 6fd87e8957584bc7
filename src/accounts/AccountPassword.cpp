#include "accounts/AccountPassword.h"

#include "ledger/MasterState.h"
#include "model/TDM.h"
#include "model/UserInterface.h"

namespace valmora {

namespace {

constexpr const char* kCampoPassword = "PASSWORD";

void scriviPassword(dbase::Table& impostazioni, const std::string& password) {
    impostazioni.edit();
    impostazioni.fieldByName(kCampoPassword).setString(password);
    impostazioni.post();
}

} // namespace

bool SenzaPassword(std::string_view password) {
    return password.empty() || password == "0";
}

std::string TroncaPassword(std::string_view testo) {
    std::size_t characters = 0;
    std::size_t i = 0;
    while (i < testo.size()) {
        // A UTF-8 character starts at every byte that is not a continuation byte (10xxxxxx).
        if ((static_cast<unsigned char>(testo[i]) & 0xC0U) != 0x80U) {
            if (characters == kLunghezzaPassword) {
                break;
            }
            ++characters;
        }
        ++i;
    }
    return std::string(testo.substr(0, i));
}

bool ControllaPasswordApertura(TDM& dm, UserInterface& ui, MasterState& state) {
    dbase::Table& impostazioni = dm.TableImp;
    impostazioni.first();
    const std::string memorizzata = impostazioni.fieldByName(kCampoPassword).asString();
    if (SenzaPassword(memorizzata)) {
        state.PasswordAccettata = true;
        return true;
    }
    // What was typed is compared in memory and never posted: a crash between posting it and writing the stored
    // password back would otherwise leave the account protected by whatever a stranger typed.
    state.PasswordAccettata = false;
    std::optional<std::string> digitata;
    try {
        digitata = ui.askPassword(PasswordPrompt{std::string(kPasswordSegnaposto), false});
    } catch (...) {
        scriviPassword(impostazioni, memorizzata);
        throw;
    }
    if (digitata && TroncaPassword(*digitata) == memorizzata) {
        state.PasswordAccettata = true;
    }
    scriviPassword(impostazioni, memorizzata);
    return state.PasswordAccettata;
}

void Password1Click(TDM& dm, UserInterface& ui, const std::optional<std::string>& digitata) {
    dbase::Table& impostazioni = dm.TableImp;
    impostazioni.first();
    const std::string attuale = impostazioni.fieldByName(kCampoPassword).asString();
    const std::optional<std::string> nuova = digitata ? digitata : ui.askPassword(PasswordPrompt{attuale, true});
    if (nuova) {
        scriviPassword(impostazioni, TroncaPassword(*nuova));
    }
}

} // namespace valmora
