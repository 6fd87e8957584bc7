#include "model/RatePeriod.h"

#include "model/TableSchemas.h"

namespace valmora {

RatePeriod RatePeriod::read(dbase::Table& table) {
    RatePeriod r;
    r.data = table.fieldByName(schema::kData).asDate();
    r.limite = table.fieldByName(schema::kLimite).asMoney();
    r.tassoCre = table.fieldByName(schema::kTassoCre).asMoney();
    r.tassoH = table.fieldByName(schema::kTassoH).asMoney();
    r.tassoDeb = table.fieldByName(schema::kTassoDeb).asMoney();
    r.ritenuta = table.fieldByName(schema::kRitenuta).asMoney();
    return r;
}

RatePeriod RatePeriod::defaults(Date today) {
    return {today, Money(), Money(), Money::fromWhole(2), Money::fromWhole(10), Money::fromWhole(27)};
}

} // namespace valmora
