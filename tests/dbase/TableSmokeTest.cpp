#include "MovementsFixture.h"

namespace valmora::dbase::testing {
namespace {

TEST(TableSmoke, CreateAppendReopenWalk) {
    TempDir dir;
    Table t;
    t.bind(dir.str(), "conto.dbf");
    t.create(movementFields(), {"Valuta", "VALUTA"});
    t.open();
    EXPECT_TRUE(t.isEmpty());
    t.appendRecord(movement(ymd(2005, 3, 2), ymd(2005, 3, 5), "Prelievo", "S. Bancomat", Money::fromWhole(-50), "b"));
    t.appendRecord(movement(ymd(2005, 3, 1), ymd(2005, 3, 1), "Accredito", "Stipendio", Money::fromUnits(12345), "a"));
    t.close();
    Table u;
    u.bind(dir.str(), "conto.dbf");
    u.setIndexName("Valuta");
    u.open();
    EXPECT_EQ(walkComments(u), (std::vector<std::string>{"a", "b"}));
    u.first();
    EXPECT_EQ(u.fieldByName("importo").asMoney(), Money::fromUnits(12345));
}

} // namespace
} // namespace valmora::dbase::testing
