// A scan that the disk stops half-way leaves the ledger usable: the user's filter back on, the
// grid refreshing again, no charge left queued, and the next scan puts everything right.

#include "LedgerFixture.h"

namespace valmora::testing {
namespace {

using ScanFailure = LedgerTest;

TEST_F(ScanFailure, DiskFullDuringRegenerationRestoresTheViewAndTheNextScanRecovers) {
    impostazione("BALTRO", eur("2"));
    impostazione("CAPITA_CRE", std::string("MENSILE"));
    tassi({tasso(d(2005, 1, 1), "0", "0", "2", "10", "27")});
    movimento(d(2005, 1, 1), "Accredito", "Contante", "1000");
    movimento(d(2005, 2, 1), "Prelievo", "A. Bancomat", "10");
    movimento(d(2005, 3, 1), "Prelievo", "A. Bancomat", "10");
    ledger.ScansioneRecord(true, true);
    const auto atteso = righe();
    const LedgerTotals totaliAttesi = totali();

    dm.MainTable.setFilter("Operazione ='Prelievo'");
    dm.MainTable.setFiltered(true);
    ui.sospensioni.clear();
    disco->failWritesAfterBytes(0); // nothing more can grow a file
    EXPECT_THROW(ledger.ScansioneRecord(true, true), dbase::TableError);

    EXPECT_TRUE(dm.MainTable.filtered());
    EXPECT_FALSE(dm.MainTable.controlsDisabled());
    EXPECT_FALSE(dm.TableImp.controlsDisabled());
    EXPECT_EQ(ui.sospensioni, (std::vector<bool>{true, false}));
    EXPECT_TRUE(ledger.MovimentiAccodati().empty());

    disco->heal();
    dm.MainTable.setFiltered(false);
    ledger.ScansioneRecord(true, true);
    EXPECT_EQ(righe(), atteso);
    EXPECT_EQ(totali(), totaliAttesi);
}

} // namespace
} // namespace valmora::testing
