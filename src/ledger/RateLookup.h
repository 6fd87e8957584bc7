#pragma once
// The rate in force for a balance on a date, from the rate rows in date order. The ledger's scan and the
// interest statement by value date both ask here, so they cannot disagree on a threshold or a rate change.

#include "core/Date.h"
#include "model/RatePeriod.h"

#include <cstdint>
#include <vector>

namespace valmora {

// The rate and withholding in force, percent x 10000.
struct TassoInVigore {
    std::int64_t tasso = 0;
    std::int64_t ritenuta = 0;
};

// The row in force on `data` is the last one dated on or before it, or the first row for a date before every
// row; no rows mean every rate is zero. Of that row: TASSODEB for a negative `saldo` (ten-thousandths), TASSOCRE
// up to and including LIMITE, TASSOH above it (on the whole balance); the withholding is RITENUTA in all three.
TassoInVigore TassoPerSaldo(const std::vector<RatePeriod>& tassi, Date data, std::int64_t saldo);

} // namespace valmora
