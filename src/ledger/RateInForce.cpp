#include "ledger/RateInForce.h"

#include <algorithm>

namespace valmora {

TassoInVigore TassoPerSaldo(const std::vector<RatePeriod>& tassi, Date data, std::int64_t saldo) {
    if (tassi.empty())
        return {};
    const RatePeriod* r = &tassi.back();
    if (data < r->data) {
        // A scan asks in value-date order and nearly always after the last row; only earlier dates search.
        auto dopo = std::upper_bound(tassi.begin(), tassi.end(), data,
                                     [](Date d, const RatePeriod& p) { return d < p.data; });
        r = dopo == tassi.begin() ? &tassi.front() : &*(dopo - 1);
    }
    // The withholding reduces debit interest exactly like credit interest.
    if (saldo < 0)
        return {r->tassoDeb.units(), r->ritenuta.units()};
    if (saldo <= r->limite.units())
        return {r->tassoCre.units(), r->ritenuta.units()};
    return {r->tassoH.units(), r->ritenuta.units()};
}

} // namespace valmora
