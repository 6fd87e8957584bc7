#include "bank/RiscontroInteressi.h"

#include "ledger/InterestMath.h"
#include "ledger/RateLookup.h"
#include "model/OperationCatalogue.h"

#include <algorithm>

namespace valmora {

namespace {

// A movement's share of the balance: the bank's own movements, and the balance carried from the year before.
std::optional<Money> partDelSaldo(const Movement& m) {
    if (std::optional<Money> importo = ImportoBancario(m))
        return importo;
    if (m.operazione == operazione::Notifica && m.tipo == tipo::SaldoAnnoPrecedente)
        return m.importo;
    return std::nullopt;
}

} // namespace

SaldoPerValuta::SaldoPerValuta(const std::vector<Movement>& ledger) {
    std::vector<std::pair<Date, Money>> parti;
    parti.reserve(ledger.size());
    for (const Movement& m : ledger)
        if (const std::optional<Money> parte = partDelSaldo(m))
            parti.emplace_back(m.valuta, *parte);
    std::stable_sort(parti.begin(), parti.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    Money saldo;
    for (const auto& [valuta, parte] : parti) {
        saldo += parte;
        if (!progressivo_.empty() && progressivo_.back().first == valuta)
            progressivo_.back().second = saldo;
        else
            progressivo_.emplace_back(valuta, saldo);
    }
}

Money SaldoPerValuta::alGiorno(Date giorno) const {
    auto dopo = std::upper_bound(progressivo_.begin(), progressivo_.end(), giorno,
                                 [](Date d, const std::pair<Date, Money>& p) { return d < p.first; });
    return dopo == progressivo_.begin() ? Money() : (dopo - 1)->second;
}

Money InteresseValuta(const MovimentoRiscontrato& movimento, const BankLine& banca, const SaldoPerValuta& saldo,
                      const std::vector<RatePeriod>& tassi) {
    const Date conto = movimento.movimento.valuta;
    const int giorni = conto.daysUntil(banca.valuta);
    if (giorni == 0)
        return Money();
    const Date inizio = std::min(conto, banca.valuta);
    const TassoInVigore tasso = TassoPerSaldo(tassi, inizio, saldo.alGiorno(inizio).units());
    // A later value date keeps a credit out of the balance (and a debit in it) for those days: the balance
    // the bank counts is the ledger's minus the amount over the interval, which is what the holder loses.
    const Money importo = giorni > 0 ? -movimento.importo : movimento.importo;
    const std::int64_t durata = static_cast<std::int64_t>(giorni > 0 ? giorni : -giorni) * 10000;
    const std::int64_t numero = CalcolaNumero(importo.units(), durata, tasso.tasso, tasso.ritenuta);
    return Money::fromUnits(DividiArrotondando(numero, kDivisoreNumeri));
}

} // namespace valmora
