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

// conto.dbf in `folder` with `rows` credits on consecutive days from 1 January 2005, amounts 1, 2, ...
// and comments "riga 0", "riga 1", ...; left closed.
inline void createMovements(const std::string& folder, int rows) {
    Table t;
    t.bind(folder, "conto.dbf");
    t.create(movementFields(), {"Valuta", "VALUTA"});
    t.open();
    for (int i = 0; i < rows; ++i) {
        const Date day = ymd(2005, 1, 1).addDays(i);
        t.appendRecord(
            movement(day, day, "Accredito", "Stipendio", Money::fromWhole(i + 1), "riga " + std::to_string(i)));
    }
}

// Opens the table and reads every visible row's COMMENTO in walk order.
inline std::vector<std::string> walkComments(Table& t) {
    std::vector<std::string> out;
    for (t.first(); !t.eof(); t.next())
        out.push_back(t.fieldByName("COMMENTO").asString());
    return out;
}

// An empty conto.dbf in a fresh folder, open and ordered by value date.
class MovementsTable : public ::testing::Test {
protected:
    void SetUp() override {
        t.bind(dir.str(), "conto.dbf");
        t.create(movementFields(), {"Valuta", "VALUTA"});
        t.setIndexName("Valuta");
        t.open();
    }

    TempDir dir;
    Table t;
};

} // namespace valmora::dbase::testing
