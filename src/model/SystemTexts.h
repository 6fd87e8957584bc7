#pragma once
// The fixed texts of the movements the program writes by itself, and the rules that recognise
// those movements again later. Recognition is by exact, case-sensitive text: a COMMENTO that
// differs by one character is the user's own movement.

#include <array>
#include <string_view>

#include "model/OperationCatalogue.h"

namespace valmora {

// COMMENTO of the six charges ("Imposta" movements) derived from the account's conditions.
inline constexpr std::string_view kCommissioneBancomatAltroIstituto = "Commissione prelievi bancomat altro istituto";
inline constexpr std::string_view kCommissioneBancomatStessoIstituto = "Commissione prelievi bancomat stesso istituto";
inline constexpr std::string_view kCommissioneCartaDiCredito = "Commissione pagamenti con Carta di Credito";
inline constexpr std::string_view kCommissionePOS = "Commissione pagamenti P.O.S.";
inline constexpr std::string_view kImpostaOperazioniEccedenti = "Imposta operazioni eccedenti";
inline constexpr std::string_view kCommissioneScopertura = "Commissione su Scopertura";

// COMMENTO of the two notifications the program writes.
inline constexpr std::string_view kVariazioneTassi = "Variazione Tassi d'interesse";
inline constexpr std::string_view kSaldoAnnoPrecedente = "Saldo Anno Precedente";

// One kind of automatic charge: the TIPO it is written with and its COMMENTO (OPERAZIONE is "Imposta").
struct ChargeText {
    std::string_view tipo;
    std::string_view commento;
};

inline constexpr std::array<ChargeText, 6> kChargeTexts = {{
    {tipo::Bancomat, kCommissioneBancomatAltroIstituto},
    {tipo::Bancomat, kCommissioneBancomatStessoIstituto},
    {tipo::CartaDiCredito, kCommissioneCartaDiCredito},
    {tipo::POS, kCommissionePOS},
    {tipo::Operazioni, kImpostaOperazioniEccedenti},
    {tipo::Operazioni, kCommissioneScopertura},
}};

// True when `commento` is exactly one of the six charge texts.
bool IsChargeText(std::string_view commento);

// A charge the regeneration wrote and will write again: OPERAZIONE "Imposta" and a charge COMMENTO.
// The same text on another operation is the user's and is kept.
bool IsRegeneratedCharge(std::string_view operazione, std::string_view commento);

// Everything the removal before a regeneration deletes: the regenerated charges and every
// "Interessi" movement, whatever its text (interest is always recomputed from the rates).
bool IsRemovedBeforeRegeneration(std::string_view operazione, std::string_view commento);

// Movements the modify and delete commands refuse, because the next regeneration would undo the
// change: any movement whose COMMENTO is a charge text, whatever its operation (wider than the
// removal rule on purpose, so that a look-alike cannot be mistaken for the user's), and every
// "Interessi" movement.
bool IsSystemWrittenForEdit(std::string_view operazione, std::string_view commento);

} // namespace valmora
