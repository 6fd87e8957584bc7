#pragma once
// What a value date the bank moved costs or earns: the interest of the amount over the days between the two
// value dates, at the account's rates.

#include "bank/Riscontro.h"
#include "model/RatePeriod.h"

#include <vector>

namespace valmora {

// The balance by value date of the whole ledger, as the ledger counts it, asked for on any date.
class SaldoPerValuta {
public:
    // `ledger`: every movement, in any order.
    explicit SaldoPerValuta(const std::vector<Movement>& ledger);
    // The balance after every movement valued on or before `giorno`.
    Money alGiorno(Date giorno) const;

private:
    std::vector<std::pair<Date, Money>> progressivo_; // value date, balance after that day's movements
};

// The interest a pair's value-date difference means to the account holder: negative when the bank's value date
// costs interest (a credit valued later, a debit valued earlier), positive when it earns. The amount is held at
// the rate in force at the earlier of the two value dates for the balance of that day, net of withholding, over
// the days between them; to the ten-thousandth, as the ledger rounds interest.
Money InteresseValuta(const MovimentoRiscontrato& movimento, const BankLine& banca, const SaldoPerValuta& saldo,
                      const std::vector<RatePeriod>& tassi);

} // namespace valmora
