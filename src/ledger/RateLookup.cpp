#include "ledger/RateLookup.h"

#include <algorithm>

namespace valmora {

TassoInVigore TassoPerSaldo(const std::vector<RatePeriod>& tassi, Date data, std::int64_t saldo) {
    if (tassi.empty())
        return {};
    // The last row dated on or before the date; the first row serves a date before every row.
    auto dopo =
        std::upper_bound(tassi.begin(), tassi.end(), data, [](Date d, const RatePeriod& r) { return d < r.data; });
    const RatePeriod& r = dopo == tassi.begin() ? tassi.front() : *(dopo - 1);
    const std::int64_t ritenuta = r.ritenuta.units();
    // The withholding reduces debit interest exactly like credit interest.
    if (saldo < 0)
        return {r.tassoDeb.units(), ritenuta};
    if (saldo <= r.limite.units())
        return {r.tassoCre.units(), ritenuta};
    return {r.tassoH.units(), ritenuta};
}

} // namespace valmora
