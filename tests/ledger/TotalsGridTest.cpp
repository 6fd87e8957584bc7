// The totals grid, the pie and the status notices as the screen receives them.

#include "LedgerFixture.h"

namespace valmora::testing {
namespace {

using TotalsView = LedgerTest;

TEST_F(TotalsView, LayoutHasTheCaptionsWidthsAndHeights) {
    ledger.StrutturaValori();
    ASSERT_TRUE(vista().totals.has_value());
    const TotalsGrid& g = *vista().totals;
    EXPECT_EQ(g.columnWidths, (std::array<int, 3>{85, 85, 30}));
    EXPECT_EQ(g.rows[0].height, 15);
    EXPECT_EQ(g.rows[1].height, 14);
    EXPECT_EQ(g.rows[36].height, 14);
    EXPECT_EQ(g.cell(0, 0), "");
    EXPECT_EQ(g.cell(0, 1), "SALDO");
    EXPECT_EQ(g.cell(0, 5), "Tot. Operazioni");
    EXPECT_EQ(g.cell(0, 10), "Assegni");
    EXPECT_EQ(g.cell(0, 16), "Assegni");
    EXPECT_EQ(g.cell(0, 15), "C. di Credito");
    EXPECT_EQ(g.cell(0, 30), "Generiche");
    EXPECT_EQ(g.cell(0, 34), "FUORI CONTO");
    EXPECT_EQ(g.cell(0, 36), "Uscite");
}

TEST_F(TotalsView, EmptyAccountShowsTheAllowancesAndZeros) {
    ledger.StrutturaValori();
    ledger.ScansioneRecord(true, true);
    const TotalsGrid& g = *vista().totals;
    EXPECT_EQ(g.cell(1, 3), "1.500,00 €");
    EXPECT_EQ(g.cell(1, 4), "2.000,00 €");
    EXPECT_EQ(g.cell(1, 5), "0");
    for (int r = 1; r < TotalsGrid::kRows; ++r) {
        if (r == 3 || r == 4 || r == 5)
            continue;
        EXPECT_EQ(g.cell(1, r), "0,00 €") << r;
        EXPECT_EQ(g.cell(2, r), r >= 7 ? "0" : "") << r;
    }
    ASSERT_EQ(vista().pie.size(), 7u);
    for (const auto& f : vista().pie)
        EXPECT_EQ(f.value, 0);
}

TEST_F(TotalsView, RowsShowTheirCategoriesAndTheGroupsCombine) {
    ledger.StrutturaValori();
    movimento(d(2005, 3, 1), "FuoriConto", "Entrate", "30");
    movimento(d(2005, 3, 2), "FuoriConto", "Entrate", "20");
    movimento(d(2005, 3, 3), "FuoriConto", "Uscite", "20");
    movimento(d(2005, 3, 4), "Interessi", "Creditore", "5");
    movimento(d(2005, 3, 5), "Interessi", "Debitore", "7,25");
    movimento(d(2005, 3, 6), "Accredito", "Stipendio", "1234,56");
    movimento(d(2005, 3, 7), "Prelievo", "Assegno", "2000");
    ledger.ScansioneRecord(false, false);
    const TotalsGrid& g = *vista().totals;
    EXPECT_EQ(g.cell(1, 34), "30,00 €");
    EXPECT_EQ(g.cell(2, 34), "3");
    EXPECT_EQ(g.cell(1, 35), "50,00 €");
    EXPECT_EQ(g.cell(1, 33), "7,25 €");
    EXPECT_EQ(g.cell(1, 31), "-2,25 €");
    EXPECT_EQ(g.cell(2, 31), "2");
    EXPECT_EQ(g.cell(1, 9), "1.234,56 €");
    EXPECT_EQ(g.cell(1, 16), "2.000,00 €");
    EXPECT_EQ(g.cell(1, 1), "-767,69 €");
    EXPECT_EQ(g.cell(1, 5), "2");
    EXPECT_EQ(g.cell(2, 5), "");
    EXPECT_EQ(g.cell(1, 6), "-2,25 €");

    // The pie: counts, in the fixed order, with their colours.
    const auto& pie = vista().pie;
    ASSERT_EQ(pie.size(), 7u);
    EXPECT_EQ(pie[0].label, "Prelievi");
    EXPECT_EQ(pie[0].value, 1);
    EXPECT_EQ(pie[0].colour, (Rgb{255, 72, 72}));
    EXPECT_EQ(pie[4].label, "Interessi");
    EXPECT_EQ(pie[4].value, 2);
    EXPECT_EQ(pie[5].label, "Entrate Fuori Conto");
    EXPECT_EQ(pie[5].value, 2);
    EXPECT_EQ(pie[6].colour, (Rgb{179, 109, 98}));

    // A second scan still leaves seven slices.
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(vista().pie.size(), 7u);
    EXPECT_EQ(ledger.FettePercentuali().size(), 7u);
}

TEST_F(TotalsView, StatusNoticesFollowTheUnsavedFlagAndTheFilter) {
    state.ModificheDaSalvare = true;
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(vista().notices, (StatusNotices{"Modifiche da Salvare!", "", true}));

    state.ModificheDaSalvare = false;
    dm.MainTable.setFilter("Operazione ='Prelievo'");
    dm.MainTable.setFiltered(true);
    ledger.ScansioneRecord(false, false);
    EXPECT_EQ(vista().notices, (StatusNotices{"", "Filtro Attivo!", false}));
}

} // namespace
} // namespace valmora::testing
