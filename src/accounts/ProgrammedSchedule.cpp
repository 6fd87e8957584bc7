#include "accounts/ProgrammedSchedule.h"

#include "model/PeriodWording.h"

#include <cstdint>

namespace valmora {

namespace {

// Giorno as a whole number, rounded half to even like the table engine's integer reading.
std::int64_t giornoIntero(Money giorno) {
    const std::int64_t units = giorno.units();
    std::int64_t whole = units / Money::kScale;
    std::int64_t rest = units % Money::kScale;
    if (rest < 0) {
        rest += Money::kScale;
        --whole;
    }
    if (rest * 2 > Money::kScale || (rest * 2 == Money::kScale && (whole % 2 != 0))) {
        ++whole;
    }
    return whole;
}

} // namespace

std::optional<Date> ScadenzaNelMese(const ProgrammedOperation& operazione, int mese, int anno) {
    const int inizio = NumeroMese(operazione.inizio);
    const int passo = MesiPeriodo(operazione.frequenza);
    if (inizio == 0 || passo <= 0 || passo > 12 || mese < inizio || (mese - inizio) % passo != 0) {
        return std::nullopt;
    }
    const int ultimo = Date::daysInMonth(anno, mese);
    const std::int64_t giorno = giornoIntero(operazione.giorno);
    if (giorno < 0 || ultimo == 0) {
        return std::nullopt;
    }
    const int day = (giorno == 0 || giorno > ultimo) ? ultimo : static_cast<int>(giorno);
    return Date::fromYmd(anno, mese, day);
}

} // namespace valmora
