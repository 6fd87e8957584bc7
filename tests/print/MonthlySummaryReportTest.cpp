// The monthly summary drawn on a recording canvas, over real movements and settings
// tables written to a temporary folder.

#include "print/MonthlySummaryReport.h"

#include "RecordingCanvas.h"
#include "ReportTables.h"
#include "dbase/Table.h"
#include "model/ScriptedUserInterface.h"
#include "model/TableSchemas.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace valmora {
namespace {

using test::DrawnItem;
using test::RecordingCanvas;
using test::ReportTables;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

using test::euro;
using test::giorno;
using test::PrintDialog;

// With 10-point characters of 10 pixels: "Pr" is 20 wide, so a line is 20 + 20 / 5 = 24 high;
// the first line of a page is at 4 * 24 - 1; the columns start at 120, 240, 360 and 680, and
// amounts end at 680 - width("IM") = 660.
constexpr int kRiga = 24;
constexpr int kPrimaRiga = 4 * kRiga - 1;

class MonthlySummaryReportTest : public ReportTables {
protected:
    MonthlySummaryReport report(int primoMese, Date ultimaValuta, SummaryFigures figures = {}) {
        return MonthlySummaryReport({movimenti_, impostazioni_, figures, 2024, primoMese, ultimaValuta});
    }
};

// Four months: a busy January, an empty February, one off-account exit in March, and an April
// whose off-account entries and exits cancel out.
class SampleAccountTest : public MonthlySummaryReportTest {
protected:
    void SetUp() override {
        MonthlySummaryReportTest::SetUp();
        // Appended out of value-date order: the report follows the index, not the file.
        movimento(giorno(11, 1, 2024), giorno(11, 1, 2024), "Prelievo", "Sportello", "0,2", "contanti");
        movimento(giorno(3, 1, 2024), giorno(5, 1, 2024), "Accredito", "Stipendio", "1500", "Stipendio gennaio");
        movimento(giorno(10, 1, 2024), giorno(10, 1, 2024), "Prelievo", "S. Bancomat", "0,1", "bancomat");
        movimento(giorno(15, 1, 2024), giorno(15, 1, 2024), "Notifica", "Variazione", "0",
                  "Variazione Tassi d'interesse");
        movimento(giorno(3, 3, 2024), giorno(3, 3, 2024), "FuoriConto", "Uscite", "50", "spesa");
        movimento(giorno(2, 4, 2024), giorno(2, 4, 2024), "FuoriConto", "Entrate", "20", "rimborso");
        movimento(giorno(4, 4, 2024), giorno(4, 4, 2024), "FuoriConto", "Uscite", "20", "regalo");
        movimento(giorno(8, 4, 2024), giorno(8, 4, 2024), "Addebito", "Luce", "40", "bolletta");
        movimento(giorno(30, 4, 2024), giorno(30, 4, 2024), "Imposta", "Bolli", "2", "Imposta Statale");
        movimento(giorno(30, 4, 2024), giorno(30, 4, 2024), "Interessi", "Creditore", "1,25", "Interessi");
        movimento(giorno(30, 4, 2024), giorno(30, 4, 2024), "Interessi", "Debitore", "0,75", "Interessi");

        figures_.totAccrediti = euro("1500");
        figures_.totPrelievi = euro("0,3");
        figures_.totAddebiti = euro("40");
        figures_.totImposte = euro("2");
        figures_.totInteressi = euro("0,5");
        figures_.entrateFC = euro("20");
        figures_.usciteFC = euro("70");
        figures_.utile = euro("-1,5");
        figures_.numOperazioni = 4;
        figures_.saldo = euro("1458,2");
    }

    SummaryFigures figures_;
};

TEST_F(SampleAccountTest, ListsEveryMonthWithItsMovementsTotalsAndTheYearsFigures) {
    RecordingCanvas canvas(2000, 5000);
    report(1, giorno(30, 4, 2024), figures_).StampaRiepilogo(canvas);

    EXPECT_THAT(canvas.transcript(),
                ElementsAre("Conto Banca Prova - Anno 2024", //
                            "Gennaio", "----",
                            "03/01/2024 | 05/01/2024 | Accredito | Stipendio | 1.500,00 € | Stipendio gennaio",
                            "10/01/2024 | 10/01/2024 | Prelievo | S. Bancomat | 0,10 € | bancomat",
                            "11/01/2024 | 11/01/2024 | Prelievo | Sportello | 0,20 € | contanti",
                            // a notification is listed but adds to no total
                            "15/01/2024 | 15/01/2024 | Notifica | Variazione | 0,00 € | Variazione Tassi d'interesse",
                            "Accrediti: | 1.500,00 €", //
                            "Prelievi: | 0,30 €",      // summed exactly, not in floating point
                            // a month without movements: its name and rule, no totals
                            "Febbraio", "----", //
                            "Marzo", "----",    //
                            "03/03/2024 | 03/03/2024 | FuoriConto | Uscite | 50,00 € | spesa",
                            "Fuori Conto: | -50,00 €", //
                            "Aprile", "----",          //
                            "02/04/2024 | 02/04/2024 | FuoriConto | Entrate | 20,00 € | rimborso",
                            "04/04/2024 | 04/04/2024 | FuoriConto | Uscite | 20,00 € | regalo",
                            "08/04/2024 | 08/04/2024 | Addebito | Luce | 40,00 € | bolletta",
                            "30/04/2024 | 30/04/2024 | Imposta | Bolli | 2,00 € | Imposta Statale",
                            "30/04/2024 | 30/04/2024 | Interessi | Creditore | 1,25 € | Interessi",
                            "30/04/2024 | 30/04/2024 | Interessi | Debitore | 0,75 € | Interessi",
                            // entries and exits that cancel give no off-account line
                            "Addebiti: | 40,00 €", "Imposte: | 2,00 €", "Interessi Creditore: | 1,25 €",
                            "Interessi Debitore: | 0,75 €", //
                            "----",                         //
                            "Utile: | -1,50 €", "N° Operazioni: | 4", "Accrediti totali: | 1.500,00 €",
                            "Prelievi totali: | 0,30 €", "Addebiti totali: | 40,00 €", "Imposte totali: | 2,00 €",
                            // the year's balance closes the report: no page with only the heading follows
                            "Interessi totali | 0,50 €", "Totale Fuori Conto: | -50,00 €", "Saldo: | 1.458,20 €"));
    EXPECT_EQ(canvas.begun, 1);
    EXPECT_EQ(canvas.ended, 1);
    EXPECT_EQ(canvas.aborted, 0);
}

TEST_F(SampleAccountTest, PlacesColumnsAndStylesAsMeasuredInTheReportFont) {
    RecordingCanvas canvas(2000, 5000);
    report(1, giorno(31, 1, 2024), figures_).StampaRiepilogo(canvas);
    const std::vector<DrawnItem>& items = canvas.items;

    const DrawnItem& heading = items.at(0);
    EXPECT_EQ(heading.text, "Conto Banca Prova - Anno 2024");
    EXPECT_EQ(heading.x, 0);
    EXPECT_EQ(heading.y, kRiga);
    EXPECT_EQ(heading.size, 18);
    EXPECT_TRUE(heading.bold);
    EXPECT_EQ(heading.font, "MS Sans Serif");

    const DrawnItem& month = items.at(1);
    EXPECT_EQ(month.text, "Gennaio");
    EXPECT_EQ(month.y, kPrimaRiga);
    EXPECT_EQ(month.size, 10);
    EXPECT_TRUE(month.bold);

    const DrawnItem& rule = items.at(2);
    ASSERT_EQ(rule.kind, DrawnItem::Kind::Rule);
    EXPECT_EQ(rule.x, 0);
    EXPECT_EQ(rule.x2, 2000);
    EXPECT_EQ(rule.y, kPrimaRiga + kRiga);

    // The first movement, half a line below the rule: each text at its column's x.
    const int y = kPrimaRiga + kRiga + kRiga / 2;
    std::vector<std::pair<std::string, int>> placed;
    for (const DrawnItem& item : items)
        if (item.kind == DrawnItem::Kind::Text && item.y == y) {
            placed.emplace_back(item.text, item.x);
            EXPECT_FALSE(item.bold);
            EXPECT_EQ(item.colour, Colour::black());
        }
    EXPECT_THAT(placed, ElementsAre(std::pair<std::string, int>{"03/01/2024", 0}, // booking date
                                    std::pair<std::string, int>{"05/01/2024", 120},
                                    std::pair<std::string, int>{"Accredito", 240},
                                    std::pair<std::string, int>{"Stipendio", 360},
                                    std::pair<std::string, int>{"1.500,00 €", 660 - 10 * 10},
                                    std::pair<std::string, int>{"Stipendio gennaio", 680}));

    // Totals are bold: red in the month, blue in the year's figures, "Saldo:" black. Every amount,
    // bold or not, ends at the same edge.
    auto find = [&](const std::string& label) -> const DrawnItem& {
        for (const DrawnItem& item : items)
            if (item.text == label)
                return item;
        throw std::logic_error("not drawn: " + label);
    };
    auto amountBeside = [&](const DrawnItem& label) -> const DrawnItem& {
        for (const DrawnItem& item : items)
            if (item.page == label.page && item.y == label.y && &item != &label)
                return item;
        throw std::logic_error("no amount beside " + label.text);
    };
    const DrawnItem& accrediti = find("Accrediti:");
    EXPECT_TRUE(accrediti.bold);
    EXPECT_EQ(accrediti.colour, Colour::red());
    EXPECT_EQ(amountBeside(accrediti).x, 660 - 10 * 11); // 10 bold characters
    const DrawnItem& utile = find("Utile:");
    EXPECT_TRUE(utile.bold);
    EXPECT_EQ(utile.colour, Colour::blue());
    const DrawnItem& operazioni = find("N° Operazioni:");
    EXPECT_EQ(amountBeside(operazioni).text, "4");
    EXPECT_EQ(amountBeside(operazioni).x, 660 - 11);
    EXPECT_EQ(operazioni.colour, Colour::blue());
    const DrawnItem& saldo = find("Saldo:");
    EXPECT_TRUE(saldo.bold);
    EXPECT_EQ(saldo.colour, Colour::black());
    EXPECT_EQ(amountBeside(saldo).x, 660 - 10 * 11);

    // The balance's amount is the last thing drawn, on the only page.
    EXPECT_EQ(&items.back(), &amountBeside(saldo));
    EXPECT_EQ(items.back().page, 1);
}

TEST_F(MonthlySummaryReportTest, ADescriptionLongerThanThePageEndsWithDotsInsideIt) {
    movimento(giorno(3, 1, 2024), giorno(3, 1, 2024), "Accredito", "Bonifico", "10",
              "Bonifico dall'estero per il rimborso delle spese di viaggio è arrivato");
    movimento(giorno(4, 1, 2024), giorno(4, 1, 2024), "Accredito", "Bonifico", "10", "breve");
    // Descriptions start at 680: a 1000-pixel page leaves 32 characters of 10 pixels.
    RecordingCanvas canvas(1000, 5000);
    report(1, giorno(4, 1, 2024)).StampaRiepilogo(canvas);
    bool lunga = false, breve = false;
    for (const DrawnItem& item : canvas.items) {
        if (item.kind != DrawnItem::Kind::Text)
            continue;
        EXPECT_LE(item.x + canvas.textWidth(item.text), 1000) << item.text;
        lunga = lunga || item.text == "Bonifico dall'estero per il rim…";
        breve = breve || item.text == "breve";
    }
    EXPECT_TRUE(lunga);
    EXPECT_TRUE(breve);
}

TEST_F(MonthlySummaryReportTest, YearsFiguresOfAnEmptyLedgerStillShowProfitOperationsAndBalance) {
    RecordingCanvas canvas(1000, 3000);
    // An empty ledger: no first value date, a zero last one. No month is named.
    report(0, Date(), {}).StampaRiepilogo(canvas);
    EXPECT_THAT(canvas.transcript(),
                ElementsAre("Conto Banca Prova - Anno 2024", "----", "Utile: | 0,00 €", "N° Operazioni: | 0",
                            "Saldo: | 0,00 €"));
}

TEST_F(MonthlySummaryReportTest, MonthsRunFromTheFirstValueDateToTheLastComparingTheMonthOnly) {
    movimento(giorno(9, 2, 2023), giorno(9, 2, 2023), "Accredito", "Bonifico", "10", "anno scorso");
    movimento(giorno(9, 3, 2024), giorno(9, 3, 2024), "Accredito", "Bonifico", "5", "marzo");
    movimento(giorno(9, 5, 2024), giorno(9, 5, 2024), "Accredito", "Bonifico", "7", "maggio");

    RecordingCanvas canvas(1000, 5000);
    report(2, giorno(9, 3, 2024)).StampaRiepilogo(canvas);
    std::vector<std::string> lines = canvas.transcript();
    lines.resize(8);
    EXPECT_THAT(lines, ElementsAre("Conto Banca Prova - Anno 2024", "Febbraio", "----",
                                   "09/02/2023 | 09/02/2023 | Accredito | Bonifico | 10,00 € | anno scorso",
                                   "Accrediti: | 10,00 €", "Marzo", "----",
                                   "09/03/2024 | 09/03/2024 | Accredito | Bonifico | 5,00 € | marzo"));

    // A last month before the first prints no month at all.
    RecordingCanvas none(1000, 5000);
    report(5, giorno(9, 3, 2024)).StampaRiepilogo(none);
    EXPECT_EQ(none.transcript().at(1), "----");
}

TEST_F(MonthlySummaryReportTest, APageBreakRepeatsTheHeadingAndGoesOnWithTheNextLine) {
    movimento(giorno(1, 6, 2024), giorno(1, 6, 2024), "Prelievo", "Sportello", "1", "uno");
    movimento(giorno(2, 6, 2024), giorno(2, 6, 2024), "Prelievo", "Sportello", "2", "due");
    movimento(giorno(3, 6, 2024), giorno(3, 6, 2024), "Prelievo", "Sportello", "3", "tre");

    // Room below the heading for exactly three lines: 95 + 3 * 24 = 167.
    RecordingCanvas canvas(1000, kPrimaRiga + 3 * kRiga);
    report(6, giorno(3, 6, 2024)).StampaRiepilogo(canvas);

    EXPECT_THAT(canvas.transcript(),
                ElementsAreArray(std::vector<std::string>{
                    "Conto Banca Prova - Anno 2024", "Giugno", "----",
                    "01/06/2024 | 01/06/2024 | Prelievo | Sportello | 1,00 € | uno",
                    // 131 + 24 = 155, and 155 + 24 does not fit: a new page, the heading, no month name
                    "== pagina 2 ==", "Conto Banca Prova - Anno 2024",
                    "02/06/2024 | 02/06/2024 | Prelievo | Sportello | 2,00 € | due",
                    "03/06/2024 | 03/06/2024 | Prelievo | Sportello | 3,00 € | tre", "Prelievi: | 6,00 €",
                    // the rule is drawn where the line is, even at the bottom: rules do not break pages
                    "----", "== pagina 3 ==", "Conto Banca Prova - Anno 2024", "Utile: | 0,00 €", "N° Operazioni: | 0",
                    "Saldo: | 0,00 €"}));

    for (const DrawnItem& item : canvas.items) {
        if (item.text == "02/06/2024" && item.x == 0) {
            EXPECT_EQ(item.page, 2);
            EXPECT_EQ(item.y, kPrimaRiga);
        }
    }
    // The rule after the months stays on page 2 below the last total, past the usable height.
    const DrawnItem* rule = nullptr;
    for (const DrawnItem& item : canvas.items)
        if (item.kind == DrawnItem::Kind::Rule && item.page == 2)
            rule = &item;
    ASSERT_NE(rule, nullptr);
    EXPECT_EQ(rule->y, kPrimaRiga + 3 * kRiga + kRiga / 2);
}

TEST_F(MonthlySummaryReportTest, ListsEveryMovementUnderAFilterAndSwitchesTheFilterBackOn) {
    movimento(giorno(1, 6, 2024), giorno(1, 6, 2024), "Prelievo", "Sportello", "1", "uno");
    movimento(giorno(2, 6, 2024), giorno(2, 6, 2024), "Accredito", "Bonifico", "2", "due");
    const std::string filtro = "Operazione ='Prelievo'";
    movimenti_.setFilter(filtro);
    movimenti_.setFiltered(true);
    ASSERT_EQ(movimenti_.recordCount(), 1);

    RecordingCanvas canvas(1000, 5000);
    report(6, giorno(2, 6, 2024)).StampaRiepilogo(canvas);

    const std::vector<std::string> lines = canvas.transcript();
    EXPECT_THAT(lines, ::testing::Contains("02/06/2024 | 02/06/2024 | Accredito | Bonifico | 2,00 € | due"));
    EXPECT_THAT(lines, ::testing::Contains("Prelievi: | 1,00 €"));
    EXPECT_TRUE(movimenti_.filtered());
    EXPECT_EQ(movimenti_.filter(), filtro);
    EXPECT_EQ(movimenti_.recordCount(), 1);
    EXPECT_FALSE(movimenti_.controlsDisabled());

    // Unfiltered before, unfiltered after.
    movimenti_.setFiltered(false);
    RecordingCanvas again(1000, 5000);
    report(6, giorno(2, 6, 2024)).StampaRiepilogo(again);
    EXPECT_FALSE(movimenti_.filtered());
}

TEST_F(MonthlySummaryReportTest, TheCommandPrintsOnTheDialogsCanvasAndNothingWhenCancelled) {
    movimento(giorno(1, 6, 2024), giorno(1, 6, 2024), "Prelievo", "Sportello", "1", "uno");
    movimenti_.setFilter("Operazione ='Accredito'");
    movimenti_.setFiltered(true);

    PrintDialog cancelled;
    report(6, giorno(1, 6, 2024)).StampaRiepilogo(cancelled);
    EXPECT_EQ(cancelled.asked, 1);
    EXPECT_TRUE(movimenti_.filtered());
    EXPECT_FALSE(movimenti_.controlsDisabled());

    PrintDialog confirmed;
    confirmed.canvas = std::make_shared<RecordingCanvas>(1000, 5000);
    report(6, giorno(1, 6, 2024)).StampaRiepilogo(confirmed);
    EXPECT_EQ(confirmed.canvas->ended, 1);
    EXPECT_THAT(confirmed.canvas->transcript(),
                ::testing::Contains("01/06/2024 | 01/06/2024 | Prelievo | Sportello | 1,00 € | uno"));
}

TEST_F(MonthlySummaryReportTest, APrinterFailureDropsTheJobAndLeavesTheLedgerAsItWas) {
    movimento(giorno(1, 6, 2024), giorno(1, 6, 2024), "Prelievo", "Sportello", "1", "uno");
    movimenti_.setFilter("Operazione ='Accredito'");
    movimenti_.setFiltered(true);

    RecordingCanvas canvas(1000, 5000);
    canvas.failOnText = 3; // the heading, the month's name, then the printer gives up
    EXPECT_THROW(report(6, giorno(1, 6, 2024)).StampaRiepilogo(canvas), std::runtime_error);
    EXPECT_EQ(canvas.aborted, 1);
    EXPECT_EQ(canvas.ended, 0);
    EXPECT_TRUE(movimenti_.filtered());
    EXPECT_EQ(movimenti_.recordCount(), 0);
    EXPECT_FALSE(movimenti_.controlsDisabled());
}

} // namespace
} // namespace valmora
