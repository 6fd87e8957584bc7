#include "ledger/ChargeRules.h"

#include "ledger/InterestMath.h"
#include "model/OperationCatalogue.h"
#include "model/SystemTexts.h"

namespace valmora {

ChargeSettings ChargeSettings::from(const AccountSettings& s) {
    return {s.bAltro, s.bStesso, s.commCCred, s.bPos, s.costoOpe, s.commScope, s.numOpe};
}

bool ChargeSettings::qualcunaPositiva() const {
    const Money zero;
    return costoOpe > zero || commScope > zero || bAltro > zero || bStesso > zero || commCCred > zero || bPos > zero;
}

std::int64_t ChargeSettings::quotaGratuita() const {
    return DividiArrotondando(numOpe.units(), Money::kScale);
}

std::optional<Charge> CommissioneTipo(const ChargeSettings& s, std::string_view op, std::string_view t) {
    if (op != operazione::Prelievo)
        return std::nullopt;
    const Money zero;
    if (t == tipo::BancomatAltroIstituto && s.bAltro > zero)
        return Charge{tipo::Bancomat, kCommissioneBancomatAltroIstituto, s.bAltro};
    if (t == tipo::BancomatStessoIstituto && s.bStesso > zero)
        return Charge{tipo::Bancomat, kCommissioneBancomatStessoIstituto, s.bStesso};
    if (t == tipo::CartaDiCredito && s.commCCred > zero)
        return Charge{tipo::CartaDiCredito, kCommissioneCartaDiCredito, s.commCCred};
    if (t == tipo::POS && s.bPos > zero)
        return Charge{tipo::POS, kCommissionePOS, s.bPos};
    return std::nullopt;
}

bool SoggettaAdAddebitiOperazione(std::string_view op) {
    return op != operazione::Imposta && op != operazione::Notifica && op != operazione::Interessi &&
           op != operazione::FuoriConto;
}

bool OperazioneEccedente(const ChargeSettings& s, std::int32_t numOperazioni) {
    const std::int64_t n = s.quotaGratuita();
    if (s.numOpe >= Money())
        return n < numOperazioni;
    return n + numOperazioni <= 0;
}

} // namespace valmora
