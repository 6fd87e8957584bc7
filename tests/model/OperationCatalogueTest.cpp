#include "model/OperationCatalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace valmora {
namespace {

using Items = std::vector<std::string>;

Items filled(std::string_view selector, bool sorted = false) {
    StringList list(sorted);
    FillCombo(list, selector);
    return list.items();
}

TEST(OperationCatalogue, BindingOrderOfTheSlices) {
    EXPECT_EQ(OperationCatalogue.size(), 49u);
    EXPECT_EQ(OperationCatalogue[0], "Gennaio");
    EXPECT_EQ(OperationCatalogue[11], "Dicembre");
    EXPECT_EQ(OperationCatalogue[12], "Prelievo");
    EXPECT_EQ(OperationCatalogue[19], "Contante");
    EXPECT_EQ(OperationCatalogue[26], "S. Bancomat");
    EXPECT_EQ(OperationCatalogue[32], "Acqua");
    EXPECT_EQ(OperationCatalogue[37], "Bolli");
    EXPECT_EQ(OperationCatalogue[43], "Creditore");
    EXPECT_EQ(OperationCatalogue[45], "Entrate");
    EXPECT_EQ(OperationCatalogue[48], "Saldo Anno P.");
    // The longest operation name fills the 10-character OPERAZIONE column exactly.
    EXPECT_EQ(operazione::FuoriConto.size(), 10u);
    EXPECT_EQ(NomeMese(1), "Gennaio");
    EXPECT_EQ(NomeMese(12), "Dicembre");
    EXPECT_EQ(NomeMese(0), "");
    EXPECT_EQ(NomeMese(13), "");
}

TEST(FillCombo, EachSelectorGivesItsSliceInCatalogueOrder) {
    EXPECT_EQ(filled("Operazioni"),
              (Items{"Prelievo", "Accredito", "Addebito", "Imposta", "Interessi", "FuoriConto", "Notifica"}));
    const Items months = filled("Mesi");
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months.front(), "Gennaio");
    EXPECT_EQ(months.back(), "Dicembre");
    const Items credits = filled("Accredito");
    ASSERT_EQ(credits.size(), 7u);
    EXPECT_EQ(credits.front(), "Contante");
    EXPECT_EQ(credits.back(), "Assegno C/C Post.");
    EXPECT_EQ(filled("Prelievo"),
              (Items{"S. Bancomat", "A. Bancomat", "Sportello", "Assegno", "P.O.S.", "Carta di Credito"}));
    EXPECT_EQ(filled("Addebito"), (Items{"Acqua", "Gas", "Luce", "Telefono", "Generico"}));
    EXPECT_EQ(filled("Imposta"), (Items{"Bolli", "Operazioni", "P.O.S.", "Bancomat", "Carta di Credito", "Generica"}));
    EXPECT_EQ(filled("Interessi"), (Items{"Creditore", "Debitore"}));
    EXPECT_EQ(filled("FuoriConto"), (Items{"Entrate", "Uscite"}));
    EXPECT_EQ(filled("Notifica"), (Items{"Variazione", "Saldo Anno P."}));
}

TEST(FillCombo, UnknownSelectorsLeaveTheListEmpty) {
    for (const char* selector : {"accredito", "", "Accredito ", " Mesi", "Tutto", "OPERAZIONI", "Contante"}) {
        StringList list;
        list.append("stale");
        FillCombo(list, selector);
        EXPECT_TRUE(list.empty()) << "selector '" << selector << "'";
    }
}

TEST(FillCombo, RefillReplacesTheSliceAndSortedListsSortThemselves) {
    StringList list;
    FillCombo(list, "Accredito");
    FillCombo(list, "Interessi");
    EXPECT_EQ(list.items(), (Items{"Creditore", "Debitore"}));

    // The filter's operation list sorts itself, and "Tutto" added afterwards finds its place.
    StringList sorted(true);
    FillCombo(sorted, "Operazioni");
    sorted.append("Tutto");
    EXPECT_EQ(sorted.items(),
              (Items{"Accredito", "Addebito", "FuoriConto", "Imposta", "Interessi", "Notifica", "Prelievo", "Tutto"}));
    EXPECT_EQ(filled("Prelievo", true),
              (Items{"A. Bancomat", "Assegno", "Carta di Credito", "P.O.S.", "S. Bancomat", "Sportello"}));
}

TEST(AggiungiVoci, AppendsConsecutiveEntriesWithinTheCatalogue) {
    StringList list;
    list.append("prima");
    AggiungiVoci(list, 45, 2);
    EXPECT_EQ(list.items(), (Items{"prima", "Entrate", "Uscite"}));
    AggiungiVoci(list, 47, 10); // runs off the end of the catalogue: stops at its last entry
    EXPECT_EQ(list.items(), (Items{"prima", "Entrate", "Uscite", "Variazione", "Saldo Anno P."}));
    AggiungiVoci(list, 49, 1);
    AggiungiVoci(list, 3, 0);
    EXPECT_EQ(list.size(), 5u);
}

TEST(StringList, SortedInsertIgnoresCaseAndKeepsArrivalOrderOfEquals) {
    StringList list(true);
    EXPECT_EQ(list.append("beta"), 0u);
    EXPECT_EQ(list.append("Alfa"), 0u);
    EXPECT_EQ(list.append("alfa"), 1u); // equal ignoring case: after the one already there
    EXPECT_EQ(list.append("Gamma"), 3u);
    EXPECT_EQ(list.append("ALFABETO"), 2u); // a longer text after its prefix
    EXPECT_EQ(list.items(), (Items{"Alfa", "alfa", "ALFABETO", "beta", "Gamma"}));
    // Look-up stays exact and case-sensitive.
    EXPECT_EQ(list.indexOf("alfa"), 1u);
    EXPECT_FALSE(list.indexOf("GAMMA").has_value());
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(list.sorted());

    StringList plain;
    plain.append("b");
    plain.append("a");
    EXPECT_EQ(plain.items(), (Items{"b", "a"}));
}

} // namespace
} // namespace valmora
