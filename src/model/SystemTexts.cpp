#include "model/SystemTexts.h"

namespace valmora {

bool IsChargeText(std::string_view commento) {
    for (const ChargeText& charge : kChargeTexts)
        if (charge.commento == commento)
            return true;
    return false;
}

bool IsRegeneratedCharge(std::string_view operazione, std::string_view commento) {
    return operazione == operazione::Imposta && IsChargeText(commento);
}

bool IsRemovedBeforeRegeneration(std::string_view operazione, std::string_view commento) {
    return operazione == operazione::Interessi || IsRegeneratedCharge(operazione, commento);
}

bool IsSystemWrittenForEdit(std::string_view operazione, std::string_view commento) {
    return operazione == operazione::Interessi || IsChargeText(commento);
}

} // namespace valmora
