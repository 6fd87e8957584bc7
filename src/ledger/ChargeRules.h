#pragma once
// The bank charges an account's conditions imply for one movement. Shared by the regenerating
// scan and by the entry commands that add a movement's charges at once.

#include "core/Money.h"
#include "model/AccountSettings.h"

#include <cstdint>
#include <optional>
#include <string_view>

namespace valmora {

// One charge to write: OPERAZIONE "Imposta", this TIPO, COMMENTO and amount.
struct Charge {
    std::string_view tipo;
    std::string_view commento;
    Money importo;
};

// The charge settings of the settings row. A charge applies only when its setting is above zero.
struct ChargeSettings {
    Money bAltro;    // BALTRO: per "A. Bancomat" withdrawal
    Money bStesso;   // BSTESSO: per "S. Bancomat" withdrawal
    Money commCCred; // CommCCred: per "Carta di Credito" payment
    Money bPos;      // BPOS: per "P.O.S." payment
    Money costoOpe;  // COSTO_OPE: per operation beyond the free quota
    Money commScope; // CommScope: once per passage below zero
    Money numOpe;    // NUM_OPE: the free quota; may be negative

    static ChargeSettings from(const AccountSettings& s);
    // Whether any of the six charges can apply at all.
    bool qualcunaPositiva() const;
    // NUM_OPE rounded to the nearest whole number, halves to even.
    std::int64_t quotaGratuita() const;
};

// Rules 1-4: the fee a withdrawal of this type brings ("A. Bancomat", "S. Bancomat",
// "Carta di Credito", "P.O.S."), when its setting is above zero.
std::optional<Charge> CommissioneTipo(const ChargeSettings& s, std::string_view operazione, std::string_view tipo);

// Whether the operation fee and the overdraft commission are tested after a movement of this
// operation in the scan: not after taxes, notifications, interest and off-account movements.
bool SoggettaAdAddebitiOperazione(std::string_view operazione);

// Rule 5 as the scan applies it, with the operations counted so far (this movement included):
// with a quota N >= 0 the first N operations are free; with a negative quota the fee is due
// while N + operations <= 0.
bool OperazioneEccedente(const ChargeSettings& s, std::int32_t numOperazioni);

} // namespace valmora
