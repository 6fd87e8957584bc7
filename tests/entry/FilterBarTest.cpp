// The filter bar: the expression its controls give, the totals grid it rearranges, and what it totals.

#include "EntryFixture.h"

namespace valmora::testing {
namespace {

TEST(TestoFiltro, ExampleIsWrittenCharacterForCharacter) {
    BarraQuery b;
    b.ComboData = "Marzo";
    b.ComboData2 = "Giugno";
    b.ComboOperazioni = "Prelievo";
    b.ComboTipo = "S. Bancomat";
    b.ComboTipoAbilitato = true;
    b.EditCerca = "aff";
    EXPECT_EQ(TestoFiltro(b, 2005), "Valuta >='01/03/2005' And Valuta <='30/06/2005' And Operazione ='Prelievo' And "
                                    "Tipo ='S. Bancomat' And Commento = 'aff*'");
}

TEST(TestoFiltro, PeriodEndsAndQuotes) {
    BarraQuery b;
    EXPECT_EQ(TestoFiltro(b, 2005), "");
    b.ComboData = "Marzo";
    b.ComboData2 = "Marzo";
    EXPECT_EQ(TestoFiltro(b, 2005), "Valuta >='01/03/2005' And Valuta <='31/03/2005'");
    b.ComboData2 = "Febbraio"; // before the start: open at the end
    EXPECT_EQ(TestoFiltro(b, 2005), "Valuta >='01/03/2005'");
    b.ComboData2 = "marzo"; // not a month name
    EXPECT_EQ(TestoFiltro(b, 2005), "Valuta >='01/03/2005'");
    b.ComboData = "Febbraio";
    b.ComboData2 = "Febbraio";
    EXPECT_EQ(TestoFiltro(b, 2004), "Valuta >='01/02/2004' And Valuta <='29/02/2004'");

    BarraQuery c;
    c.EditCerca = "l'aff";
    EXPECT_EQ(TestoFiltro(c, 2005), "Commento = 'l''aff*'");
    c.ComboOperazioni = "Accredito";
    c.ComboTipo = "Tutto";
    c.ComboTipoAbilitato = true;
    EXPECT_EQ(TestoFiltro(c, 2005), "Operazione ='Accredito' And Commento = 'l''aff*'");
    // A type counts only while its box is enabled.
    c.ComboTipo = "Contante";
    c.ComboTipoAbilitato = false;
    EXPECT_EQ(TestoFiltro(c, 2005), "Operazione ='Accredito' And Commento = 'l''aff*'");
    EXPECT_EQ(TestoFiltroAllaData(d(2005, 3, 2)), "Valuta <='02/03/2005'");
}

class FilterBar : public EntryTest {
protected:
    void SetUp() override {
        movimento(d(2005, 1, 10), "Accredito", "Stipendio", "1000");
        movimento(d(2005, 3, 5), "Prelievo", "S. Bancomat", "100", "affitto");
        movimento(d(2005, 3, 20), "Prelievo", "Sportello", "50", "Affitto garage");
        movimento(d(2005, 6, 1), "Prelievo", "S. Bancomat", "30", "cena");
        scansione();
    }
    const TotalsGrid& griglia() { return *ui.view().totals; }
    int altezza(int riga) { return griglia().rows[static_cast<std::size_t>(riga)].height; }
};

TEST_F(FilterBar, ChoosingAnOperationOffersItsTypesAndShowsOnlyItsBlock) {
    filtro.Barra().ComboOperazioni = "Prelievo";
    filtro.ComboOperazioniChange();
    EXPECT_EQ(filtro.Barra().ComboTipo, "Tutto");
    EXPECT_TRUE(filtro.Barra().ComboTipoAbilitato);
    EXPECT_EQ(filtro.Barra().ComboTipoVoci.size(), 7u);
    EXPECT_EQ(filtro.Barra().ComboTipoVoci[0], "A. Bancomat"); // the list sorts itself
    EXPECT_EQ(filtro.Barra().ComboTipoVoci[6], "Tutto");
    EXPECT_EQ(dm.MainTable.filter(), "Operazione ='Prelievo'");
    EXPECT_EQ(dm.MainTable.recordCount(), 3);
    EXPECT_EQ(ledger.Totali().Saldo, eur("-180"));
    EXPECT_EQ(ui.view().notices.filtro, "Filtro Attivo!");
    EXPECT_EQ(altezza(1), 0);
    EXPECT_TRUE(griglia().horizontalScrollBarOnly);
    for (int riga = 2; riga < TotalsGrid::kRows; ++riga) {
        EXPECT_EQ(altezza(riga), riga >= 12 && riga <= 17 ? 14 : -1) << riga;
    }
    EXPECT_EQ(griglia().cell(0, 1), "");
    EXPECT_EQ(griglia().cell(1, 1), "");

    // Changing only the type keeps the block layout.
    filtro.Barra().ComboTipo = "S. Bancomat";
    filtro.ComboTipoChange();
    EXPECT_EQ(dm.MainTable.filter(), "Operazione ='Prelievo' And Tipo ='S. Bancomat'");
    EXPECT_EQ(ledger.Totali().PrelieviBancomat.Importo, eur("130"));
    EXPECT_EQ(altezza(12), 14);
    EXPECT_EQ(altezza(7), -1);

    filtro.Barra().ComboOperazioni = "Notifica";
    filtro.ComboOperazioniChange();
    for (int riga = 2; riga < TotalsGrid::kRows; ++riga) {
        EXPECT_EQ(altezza(riga), -1) << riga;
    }

    filtro.Barra().ComboOperazioni = "Tutto";
    filtro.ComboOperazioniChange();
    EXPECT_FALSE(filtro.Barra().ComboTipoAbilitato);
    EXPECT_EQ(filtro.Barra().ComboTipo, "");
    EXPECT_FALSE(dm.MainTable.filtered());
    for (int riga = 1; riga < TotalsGrid::kRows; ++riga) {
        EXPECT_EQ(altezza(riga), 14) << riga;
    }
    EXPECT_FALSE(griglia().horizontalScrollBarOnly);
    EXPECT_EQ(griglia().cell(0, 1), "SALDO");
    EXPECT_EQ(griglia().cell(1, 1), "820,00 €");
}

TEST_F(FilterBar, PeriodCaptionAndBalanceOfThePeriod) {
    filtro.Barra().ComboData = "Marzo";
    filtro.ComboDataChange();
    EXPECT_TRUE(filtro.Barra().ComboData2Abilitato);
    EXPECT_EQ(griglia().cell(0, 0), "PERIODO:");
    EXPECT_EQ(griglia().cell(1, 0), "da Marzo");
    EXPECT_EQ(dm.MainTable.recordCount(), 3);

    filtro.Barra().ComboData2 = "Marzo";
    filtro.ComboDataChange(MittenteFiltro::ComboData2);
    EXPECT_EQ(griglia().cell(1, 0), "Mar - Mar");
    EXPECT_EQ(dm.MainTable.recordCount(), 2);
    EXPECT_EQ(griglia().cell(0, 1), "SALDO");
    EXPECT_EQ(griglia().cell(1, 1), "-150,00 €");

    filtro.Barra().ComboData = "Giugno";
    filtro.ComboDataChange();
    EXPECT_EQ(griglia().cell(1, 0), "da Giugno");

    filtro.Barra().ComboData = "Tutto";
    filtro.ComboDataChange();
    EXPECT_FALSE(filtro.Barra().ComboData2Abilitato);
    EXPECT_EQ(filtro.Barra().ComboData2, "");
    EXPECT_EQ(griglia().cell(0, 0), "");
    EXPECT_EQ(griglia().cell(1, 0), "");
    EXPECT_FALSE(dm.MainTable.filtered());
}

TEST_F(FilterBar, SearchIgnoresCaseAndTakesEffectAtVai) {
    filtro.Barra().EditCerca = "aff";
    EXPECT_FALSE(dm.MainTable.filtered()); // typing alone does not filter
    filtro.TBCercaClick();
    EXPECT_EQ(dm.MainTable.recordCount(), 2); // "affitto" and "Affitto garage"
    EXPECT_EQ(ledger.Totali().Saldo, eur("-150"));

    filtro.Barra().EditCerca.clear();
    filtro.TBCercaClick();
    EXPECT_FALSE(dm.MainTable.filtered());
    EXPECT_EQ(ui.view().notices.filtro, "");
    EXPECT_EQ(dm.MainTable.recordCount(), 4);
}

TEST_F(FilterBar, FilterStaysOnAcrossAnInsertAndChargesFollowTheWholeAccount) {
    impostazione(schema::kCommScope, eur("5"));
    impostazione(schema::kMaxScope, eur("5000"));
    filtro.Barra().ComboOperazioni = "Prelievo";
    filtro.ComboOperazioniChange();
    ASSERT_EQ(ledger.Totali().Saldo, eur("-180"));
    // The account holds 820: this credit leaves it positive, so no overdraft commission, although the
    // filtered totals alone are negative.
    inserisci(TipoInserimento::Accredito, d(2005, 6, 10), "10", "Contante");
    EXPECT_TRUE(conCommento("Commissione su Scopertura").empty());
    EXPECT_TRUE(dm.MainTable.filtered());
    EXPECT_EQ(dm.MainTable.filter(), "Operazione ='Prelievo'");
    EXPECT_EQ(ledger.Totali().Saldo, eur("-180"));
    EXPECT_EQ(righe().size(), 5u);
}

} // namespace
} // namespace valmora::testing
