// Interest: the rates in force, the accrual of each interval and the period-end placeholders.

#include "ledger/InterestMath.h"
#include "ledger/Ledger.h"
#include "model/OperationCatalogue.h"
#include "model/PeriodWording.h"
#include "model/RatePeriod.h"
#include "model/TDM.h"
#include "model/TableSchemas.h"

#include <algorithm>

namespace valmora {

void Ledger::LeggiUltimoTasso() {
    auto& t = dm_.TableTassi;
    ultimoTasso_ = UltimoTasso{};
    tassi_.clear();
    if (!t.isOpen() || t.isEmpty())
        return; // no rates: every rate is zero from the beginning of time
    // The rows are read once per scan: an interval dated before the last row looks its row up here
    // instead of walking the table back for every movement.
    for (t.first(); !t.eof(); t.next())
        tassi_.push_back(RatePeriod::read(t));
    t.last();
    const RatePeriod& r = tassi_.back();
    ultimoTasso_ = {r.data,           r.limite.units(),   r.tassoCre.units(),
                    r.tassoH.units(), r.tassoDeb.units(), r.ritenuta.units()};
}

TassoInVigore Ledger::TassiAllaData(Date data) {
    return TassoPerSaldo(tassi_, data, totali_.Saldo.units());
}

void Ledger::ComputoInteressi(Date& valutaPrecedente, Date valuta, std::int64_t& interessiCredito,
                              std::int64_t& interessiDebito) {
    // The rate in force at the start of the interval applies to the whole interval.
    const TassoInVigore tasso = TassiAllaData(valutaPrecedente);
    const std::int64_t giorni = static_cast<std::int64_t>(valutaPrecedente.daysUntil(valuta)) * 10000;
    const std::int64_t numero = CalcolaNumero(totali_.Saldo.units(), giorni, tasso.tasso, tasso.ritenuta);
    if (numero >= 0)
        interessiCredito += numero;
    else
        interessiDebito += -numero;
    valutaPrecedente = valuta;
}

void Ledger::ScriviInteressi(int mese, int anno, Date dallaData) {
    const auto fine = Date::fromYmd(anno, mese, GiorniMese(anno, mese));
    if (!fine)
        return; // not a month of the calendar: no period ends there
    const Date oggi = clock_.today();
    const AccountSettings s = Impostazioni();
    const std::pair<const std::string*, std::string_view> lati[] = {{&s.capitaCre, tipo::Creditore},
                                                                    {&s.capitaDeb, tipo::Debitore}};
    for (const auto& [capitalizzazione, t] : lati) {
        const int mesiPeriodo = MesiPeriodo(*capitalizzazione);
        // A capitalisation text that names no period has no length to divide the year by: no
        // interest movement is written for that side, as for "NESSUNA".
        if (mesiPeriodo == 0)
            continue;
        if (mese % mesiPeriodo != 0 || !(*fine > dallaData) || oggi < *fine)
            continue;
        dm_.MainTable.appendRecord({*fine, *fine, std::string(operazione::Interessi), std::string(t), Money(),
                                    ComponiDescrizione(operazione::Interessi, t, mese, mesiPeriodo)});
        state_.ModificheDaSalvare = true;
    }
}

} // namespace valmora
