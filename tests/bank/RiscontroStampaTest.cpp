// The printed check on a canvas whose metrics are worked out by hand (tests/print/RecordingCanvas.h): the
// heading, every group under its title, long descriptions cut to the page, the rows running onto new pages.

#include "bank/RiscontroStampa.h"
#include "print/RecordingCanvas.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace valmora {
namespace {

TabelleRiscontro tabelle(int righeSoloBanca, const std::string& descrizione) {
    TabelleRiscontro t;
    t.uguali = {"Movimenti concordanti", {"Data", "Importo", "Descrizione banca"}, {{"02/03/2026", "1,00 €", "x"}}, {}};
    t.valuteDiverse = {"Valute diverse", {"Data", "Giorni"}, {}, {}};
    t.soloBanca = {"Solo in banca", {"Data", "Importo", "Descrizione banca"}, {}, {}};
    for (int i = 0; i < righeSoloBanca; ++i)
        t.soloBanca.righe.push_back({"03/03/2026", "-2,00 €", descrizione});
    t.soloConto = {"Solo nel conto", {"Data"}, {}, {}};
    t.totali = {{"Totale banca", "1,00 €"}, {"Differenza", "-3,00 €"}};
    return t;
}

TEST(RiscontroStampa, HeadingGroupsAndTotalsInOrder) {
    test::RecordingCanvas canvas(2000, 3000);
    StampaRiscontro(tabelle(1, "COMMISSIONE"), "banca.csv", canvas);
    EXPECT_EQ(canvas.begun, 1);
    EXPECT_EQ(canvas.ended, 1);
    const std::vector<std::string> righe = canvas.transcript();
    const std::vector<std::string> attese = {"Riscontro con la banca",
                                             "banca.csv",
                                             "Movimenti concordanti (1)",
                                             "Data | Importo | Descrizione banca",
                                             "----",
                                             "02/03/2026 | 1,00 € | x",
                                             "Valute diverse (0)",
                                             "Data | Giorni",
                                             "----",
                                             "Solo in banca (1)",
                                             "Data | Importo | Descrizione banca",
                                             "----",
                                             "03/03/2026 | -2,00 € | COMMISSIONE",
                                             "Solo nel conto (0)",
                                             "Data",
                                             "----",
                                             "----",
                                             "Totale banca | 1,00 €",
                                             "Differenza | -3,00 €"};
    EXPECT_EQ(righe, attese);
}

TEST(RiscontroStampa, LongDescriptionsAreCutAndRowsRunOntoNewPages) {
    // 8 points a character: a 400-pixel page holds 50 characters; each line is 16 pixels high.
    test::RecordingCanvas canvas(400, 800);
    const std::string lunga(200, 'A');
    StampaRiscontro(tabelle(100, lunga), "banca.csv", canvas);
    EXPECT_GT(canvas.pages(), 2);
    int tagliate = 0;
    for (const test::DrawnItem& item : canvas.items) {
        EXPECT_LE(item.y + 16, 800) << item.text;
        if (item.kind == test::DrawnItem::Kind::Text && item.text.starts_with("AAA")) {
            EXPECT_TRUE(item.text.ends_with("\xE2\x80\xA6"));
            EXPECT_LE(item.x + canvas.textWidth(item.text), 400 + 8);
            ++tagliate;
        }
    }
    EXPECT_EQ(tagliate, 100);
}

TEST(RiscontroStampa, APrinterThatFailsDropsTheJob) {
    test::RecordingCanvas canvas(2000, 3000);
    canvas.failOnText = 4;
    EXPECT_THROW(StampaRiscontro(tabelle(1, "x"), "banca.csv", canvas), std::runtime_error);
    EXPECT_EQ(canvas.aborted, 1);
    EXPECT_EQ(canvas.ended, 0);
}

} // namespace
} // namespace valmora
