#include "bank/Scalare.h"

#include "ledger/InterestMath.h"
#include "ledger/RateLookup.h"

#include <algorithm>

namespace valmora {

namespace {

constexpr std::int64_t kUnitaPerCentesimo = Money::kScale / 100;

Money alCentesimo(std::int64_t numeratore, std::int64_t denominatore) {
    // The ledger's rounding (halves to the even neighbour), taken straight to the cent.
    return Money::fromUnits(DividiArrotondando(numeratore, denominatore * kUnitaPerCentesimo) * kUnitaPerCentesimo);
}

// The balances in force across the range, walked forward once: the statement asks in date order.
class SaldiInVigore {
public:
    explicit SaldiInVigore(const std::vector<SaldoAllaValuta>& saldi) : saldi_(saldi) {}

    // The balance at the end of `giorno`: every movement valued on or before it.
    Money a(Date giorno) {
        while (prossimo_ < saldi_.size() && !(giorno < saldi_[prossimo_].valuta))
            corrente_ = saldi_[prossimo_++].saldo;
        return corrente_;
    }
    // The first value date after every one already passed, if any.
    const SaldoAllaValuta* prossimo() const { return prossimo_ < saldi_.size() ? &saldi_[prossimo_] : nullptr; }

private:
    const std::vector<SaldoAllaValuta>& saldi_;
    std::size_t prossimo_ = 0;
    Money corrente_;
};

IntervalloScalare intervallo(const std::vector<RatePeriod>& tassi, Date dal, Date al, Money saldo) {
    IntervalloScalare i;
    i.dal = dal;
    i.al = al;
    i.giorni = dal.daysUntil(al);
    i.saldo = saldo;
    i.numeri = Money::fromUnits(saldo.units() * i.giorni);
    // The rate in force at the start of the interval applies to the whole interval, as in the ledger's scan.
    const TassoInVigore t = TassoPerSaldo(tassi, dal, saldo.units());
    i.tasso = Money::fromUnits(t.tasso);
    i.ritenuta = Money::fromUnits(t.ritenuta);
    i.numero = CalcolaNumero(saldo.units(), std::int64_t{i.giorni} * 10000, t.tasso, t.ritenuta);
    i.interesse = alCentesimo(i.numero, kDivisoreNumeri);
    return i;
}

} // namespace

RiassuntoScalare CalcolaScalare(const MovimentiPerScalare& movimenti, Date dal, Date al) {
    RiassuntoScalare r;
    r.dal = dal;
    r.al = al;
    SaldiInVigore saldi(movimenti.saldi);
    std::int64_t numeriCredito = 0;
    std::int64_t numeriDebito = 0;
    std::int64_t sommaSaldiGiornalieri = 0;

    // Cut at every value date inside the range; a value date on `dal` is already in the first balance.
    Date inizio = dal;
    while (inizio < al) {
        const Money saldo = saldi.a(inizio);
        const SaldoAllaValuta* prossimo = saldi.prossimo();
        const Date fine = prossimo && prossimo->valuta < al ? prossimo->valuta : al;
        IntervalloScalare i = intervallo(movimenti.tassi, inizio, fine, saldo);
        (i.numero >= 0 ? numeriCredito : numeriDebito) += i.numero >= 0 ? i.numero : -i.numero;
        (i.numeri >= Money() ? r.numeriCreditori : r.numeriDebitori) += i.numeri.abs();
        sommaSaldiGiornalieri += i.numeri.units();
        r.intervalli.push_back(i);
        inizio = fine;
    }
    // The day `al` itself counts for the average balance, with the movements valued on it.
    sommaSaldiGiornalieri += saldi.a(al).units();

    r.interessiCreditori = Money::fromUnits(DividiArrotondando(numeriCredito, kDivisoreNumeri));
    r.interessiDebitori = Money::fromUnits(DividiArrotondando(numeriDebito, kDivisoreNumeri));
    r.giacenzaMedia = alCentesimo(sommaSaldiGiornalieri, dal.daysUntil(al) + 1);
    r.bolloDovuto = BolloDovuto(r.giacenzaMedia, dal, al);
    for (const BolloAddebitato& b : movimenti.bolli)
        if (!(b.valuta < dal) && !(al < b.valuta))
            r.bolloAddebitato += b.importo;
    return r;
}

Money BolloDovuto(Money giacenzaMedia, Date dal, Date al) {
    if (giacenzaMedia <= kSogliaBollo)
        return Money();
    const bool mesiInteri = dal.day() == 1 && al.day() == Date::daysInMonth(al.year(), al.month());
    if (mesiInteri) {
        const std::int64_t mesi = (al.year() - dal.year()) * 12 + al.month() - dal.month() + 1;
        return alCentesimo(kBolloAnnuo.units() * mesi, 12);
    }
    const std::int64_t giorni = dal.daysUntil(al) + 1;
    return alCentesimo(kBolloAnnuo.units() * giorni, 365);
}

} // namespace valmora
