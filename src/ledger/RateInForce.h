#pragma once
// Which rate of the account's rate rows applies to a balance on a date: the ledger's own rule, shared with
// the checks against the bank that price a value date.

#include "core/Date.h"
#include "model/RatePeriod.h"

#include <cstdint>
#include <vector>

namespace valmora {

// The rate in force and the withholding, percent x 10000.
struct TassoInVigore {
    std::int64_t tasso = 0;
    std::int64_t ritenuta = 0;
};

// `tassi` in date order. The last row dated on or before `data` applies (the first row serves a date before
// every row); of it, the debit rate for a negative balance, the credit rate up to and including the threshold,
// the higher rate above it. No rows: every rate is zero.
TassoInVigore TassoPerSaldo(const std::vector<RatePeriod>& tassi, Date data, std::int64_t saldo);

} // namespace valmora
