#pragma once
// The movements table as the account keeps it, for tests of the table engine.

#include "TempDir.h"
#include "dbase/Table.h"

#include <gtest/gtest.h>

namespace valmora::dbase::testing {

inline std::vector<FieldDef> movementFields() {
    return {FieldDef::date("DATA"),     FieldDef::date("VALUTA"),   FieldDef::text("OPERAZIONE", 10),
            FieldDef::text("TIPO", 25), FieldDef::money("IMPORTO"), FieldDef::text("COMMENTO", 250)};
}

inline Date ymd(int y, int m, int d) {
    return *Date::fromYmd(y, m, d);
}

inline std::vector<Value> movement(Date data, Date valuta, std::string op, std::string tipo, Money importo,
                                   std::string commento) {
    return {data, valuta, std::move(op), std::move(tipo), importo, std::move(commento)};
}

// Opens the table and reads every visible row's COMMENTO in walk order.
inline std::vector<std::string> walkComments(Table& t) {
    std::vector<std::string> out;
    for (t.first(); !t.eof(); t.next())
        out.push_back(t.fieldByName("COMMENTO").asString());
    return out;
}

} // namespace valmora::dbase::testing
