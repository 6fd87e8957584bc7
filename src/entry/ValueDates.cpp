#include "entry/ValueDates.h"

#include "model/OperationCatalogue.h"

#include <limits>

namespace valmora {

namespace {

// Whole days of a setting, cut toward zero. A setting beyond any calendar (it would step past year
// 9999 anyway) is held at the int range so the conversion itself stays defined.
int giorniInteri(Money giorni) {
    std::int64_t whole = giorni.units() / Money::kScale;
    if (whole > std::numeric_limits<int>::max()) {
        return std::numeric_limits<int>::max();
    }
    if (whole < std::numeric_limits<int>::min()) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(whole);
}

} // namespace

int GiorniValuta(const AccountSettings& impostazioni, std::string_view tipo) {
    if (tipo == tipo::AssegnoStessoIstituto) {
        return giorniInteri(impostazioni.vIstituto);
    }
    if (tipo == tipo::AssegnoAltroIstituto) {
        return giorniInteri(impostazioni.vAltroIst);
    }
    if (tipo == tipo::AssegnoCircolare) {
        return giorniInteri(impostazioni.vCircolare);
    }
    if (tipo == tipo::AssegnoPostale) {
        return giorniInteri(impostazioni.vPostale);
    }
    return 0;
}

Date AssegnaValuta(const AccountSettings& impostazioni, std::string_view tipo, Date dataOperazione) {
    int giorni = GiorniValuta(impostazioni, tipo);
    return giorni == 0 ? dataOperazione : dataOperazione.addDays(giorni);
}

} // namespace valmora
