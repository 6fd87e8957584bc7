#pragma once
// The interest statement by value date ("riassunto scalare") of a range of days, with the two checks that come
// with a bank's statement: the average balance ("giacenza media") and the stamp duty ("imposta di bollo").
//
// The statement is worked out from the account's balances by value date and its rate rows, with the ledger's own
// arithmetic (rate lookup, threshold band, interest numbers, withholding and rounding): for a range that is one
// capitalisation period it gives, to the ten-thousandth, the interest the ledger wrote at the period's end.

#include "core/Date.h"
#include "core/Money.h"
#include "model/RatePeriod.h"

#include <cstdint>
#include <vector>

namespace valmora {

// The balance in force from a value date on: every movement valued on or before it, as the ledger counts it.
struct SaldoAllaValuta {
    Date valuta;
    Money saldo;
};

// A stamp-duty movement ("Imposta" "Bolli") as it was charged.
struct BolloAddebitato {
    Date valuta;
    Money importo;
};

// What a statement is worked out from.
struct MovimentiPerScalare {
    std::vector<SaldoAllaValuta> saldi; // one a value date, dates strictly increasing; before the first: zero
    std::vector<RatePeriod> tassi;      // the rate rows in date order
    std::vector<BolloAddebitato> bolli;
};

// One interval of constant balance, from `dal` (included) to `al` (excluded).
struct IntervalloScalare {
    Date dal;
    Date al;
    int giorni = 0;
    Money saldo;
    Money numeri;            // saldo x giorni
    Money tasso;             // the annual rate in force at `dal` for this balance (2 is 2 %)
    Money ritenuta;          // the withholding percentage in force at `dal`
    std::int64_t numero = 0; // the interest number, exact: see CalcolaNumero
    Money interesse;         // the interval's net interest to the cent, negative for debit interest
};

struct RiassuntoScalare {
    Date dal;
    Date al;
    std::vector<IntervalloScalare> intervalli;
    Money numeriCreditori;    // sum of the positive numeri
    Money numeriDebitori;     // sum of the negative numeri, without the sign
    Money interessiCreditori; // from the exact sum of the interval numbers, in ten-thousandths as the ledger rounds
    Money interessiDebitori;  // the same for debit interest, without the sign
    Money giacenzaMedia;      // average of the end-of-day balances from dal to al, both included, to the cent
    Money bolloDovuto;        // the stamp duty of a personal account for the range, to the cent
    Money bolloAddebitato;    // the "Imposta" "Bolli" charged with a value date from dal to al
};

// The yearly stamp duty of a personal account, and the average balance up to which none is due.
inline constexpr Money kBolloAnnuo = Money::fromUnits(342000);
inline constexpr Money kSogliaBollo = Money::fromUnits(50000000);

// The statement from `dal` to `al` (dal <= al, which the caller checks).
RiassuntoScalare CalcolaScalare(const MovimentiPerScalare& movimenti, Date dal, Date al);

// The duty due for the range at a given average balance: nothing up to kSogliaBollo; otherwise kBolloAnnuo in
// proportion to the months when the range is whole months, else to its days (both ends counted) over 365.
Money BolloDovuto(Money giacenzaMedia, Date dal, Date al);

} // namespace valmora
