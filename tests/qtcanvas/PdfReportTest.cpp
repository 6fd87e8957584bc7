// The monthly summary printed into a real PDF file through QPainter, read back with an
// independent reader (poppler's pdftotext).

#include "gui/canvas/PdfReport.h"
#include "gui/canvas/PainterCanvas.h"

#include "dbase/Table.h"
#include "mainwindow/FormMaster.h"
#include "model/ScriptedUserInterface.h"
#include "model/TableSchemas.h"
#include "print/ReportTables.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace valmora {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::Not;

using test::euro;
using test::giorno;

// Runs a command and returns what it wrote on standard output; fails the test on a non-zero exit.
std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return output;
    }
    std::array<char, 4096> buffer{};
    size_t n = 0;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        output.append(buffer.data(), n);
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << command;
    return output;
}

std::string pdfText(const fs::path& pdf, int page = 0) {
    std::string command = "pdftotext -layout -enc UTF-8";
    if (page > 0)
        command += " -f " + std::to_string(page) + " -l " + std::to_string(page);
    return run(command + " '" + pdf.string() + "' -");
}

int pdfPages(const fs::path& pdf) {
    const std::string info = run("pdfinfo '" + pdf.string() + "'");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? 0 : std::atoi(info.c_str() + at + 6);
}

int occurrences(const std::string& text, const std::string& what) {
    int count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

// A year's account of a small household: salary, cash, bills, an off-account exit, and enough
// card payments in March to run the first page over.
class SampleAccount : public test::ReportTables {
protected:
    void SetUp() override {
        ReportTables::SetUp();
        movimento(giorno(27, 1, 2024), "Accredito", "Stipendio", "1850", "Stipendio gennaio");
        movimento(giorno(5, 1, 2024), "Prelievo", "S. Bancomat", "100", "Prelievo bancomat");
        movimento(giorno(12, 1, 2024), "Addebito", "Luce", "62,4", "Bolletta luce");
        movimento(giorno(20, 1, 2024), "FuoriConto", "Uscite", "50", "Regalo compleanno");
        movimento(giorno(27, 2, 2024), "Accredito", "Stipendio", "1850", "Stipendio febbraio");
        movimento(giorno(15, 2, 2024), "Notifica", "Variazione", "0", "Variazione Tassi d'interesse");
        for (int i = 1; i <= 60; ++i)
            movimento(giorno(1 + i % 28, 3, 2024), "Prelievo", "P.O.S.", "12,5",
                      ("Spesa " + std::to_string(i)).c_str());
        movimento(giorno(31, 3, 2024), "Imposta", "Bolli", "2", "Imposta Statale");
        movimento(giorno(31, 3, 2024), "Interessi", "Creditore", "1,37", "Interessi Creditore primo trimestre");

        source_.figures.totAccrediti = euro("3700");
        source_.figures.totPrelievi = euro("850");
        source_.figures.totAddebiti = euro("62,4");
        source_.figures.totImposte = euro("2");
        source_.figures.totInteressi = euro("1,37");
        source_.figures.usciteFC = euro("50");
        source_.figures.utile = euro("-0,63");
        source_.figures.numOperazioni = 64;
        source_.figures.saldo = euro("2786,97");
    }

    MonthlySummarySource source_{movimenti_, impostazioni_, {}, 2024, 1, giorno(31, 3, 2024)};
};

TEST_F(SampleAccount, PdfHoldsEveryMonthItsMovementsTotalsAndTheYearsFigures) {
    const fs::path pdf = dir.path() / "riepilogo.pdf";
    renderReportToPdf(source_, pdf.string());

    const std::string text = pdfText(pdf);
    for (const char* month : {"Gennaio", "Febbraio", "Marzo"})
        EXPECT_THAT(text, HasSubstr(month));
    EXPECT_THAT(text, Not(HasSubstr("Aprile")));
    EXPECT_THAT(text, HasSubstr("Bolletta luce"));
    EXPECT_THAT(text, HasSubstr("1.850,00 €"));
    EXPECT_THAT(text, HasSubstr("Variazione Tassi d'interesse"));
    EXPECT_THAT(text, HasSubstr("Spesa 60"));
    EXPECT_THAT(text, HasSubstr("Fuori Conto:"));
    EXPECT_THAT(text, HasSubstr("-50,00 €"));
    EXPECT_THAT(text, HasSubstr("Prelievi:"));
    EXPECT_THAT(text, HasSubstr("750,00 €")); // the sixty card payments of March
    EXPECT_THAT(text, HasSubstr("Utile:"));
    EXPECT_THAT(text, HasSubstr("N° Operazioni:"));
    EXPECT_THAT(text, HasSubstr("Totale Fuori Conto:"));
    EXPECT_THAT(text, HasSubstr("Saldo:"));
    EXPECT_THAT(text, HasSubstr("2.786,97 €"));

    // The columns line up as laid out: date, value date, operation, type, amount, description.
    EXPECT_THAT(text, ::testing::ContainsRegex("12/01/2024 +12/01/2024 +Addebito +Luce +62,40 € +Bolletta luce"));
}

TEST_F(SampleAccount, EveryPageStartsWithTheHeadingAndTheLastClosesWithTheBalance) {
    const fs::path pdf = dir.path() / "riepilogo.pdf";
    renderReportToPdf(source_, pdf.string());

    const int pages = pdfPages(pdf);
    ASSERT_GE(pages, 2); // March runs over the first page
    const std::string heading = "Conto Banca Prova - Anno 2024";
    for (int page = 1; page <= pages; ++page)
        EXPECT_EQ(occurrences(pdfText(pdf, page), heading), 1) << "page " << page;

    // After the break, March goes on without its name repeated.
    const std::string second = pdfText(pdf, 2);
    EXPECT_THAT(second, Not(HasSubstr("Marzo")));
    EXPECT_THAT(second, HasSubstr("P.O.S."));

    // No page holds the heading alone: the last one ends with the year's balance.
    EXPECT_THAT(pdfText(pdf, pages), HasSubstr("Saldo:"));
}

TEST_F(SampleAccount, AFileThatCannotBeWrittenIsReportedAndTheLedgerIsUntouched) {
    const fs::path pdf = dir.path() / "manca" / "riepilogo.pdf";
    movimenti_.setFilter("Operazione ='Accredito'");
    movimenti_.setFiltered(true);
    try {
        renderReportToPdf(source_, pdf.string());
        FAIL() << "a missing folder was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Impossibile scrivere il file: " + pdf.string());
    }
    EXPECT_FALSE(fs::exists(pdf));
    EXPECT_TRUE(movimenti_.filtered());
    EXPECT_EQ(movimenti_.recordCount(), 2);
}

TEST(RenderReportToPdf, PrintsTheMainWindowsOpenAccountAndNothingWithoutOne) {
    const fs::path dir = fs::temp_directory_path() / "valmora-qtcanvas-master";
    fs::remove_all(dir);
    fs::create_directories(dir);
    ScriptedUserInterface ui;
    FixedClock clock(giorno(15, 6, 2024));
    FormMaster master(ui, clock);
    master.ImpostaCartellaConto(dir.string() + "/");

    const fs::path pdf = dir / "stampa.pdf";
    EXPECT_FALSE(renderReportToPdf(master, pdf.string()));
    EXPECT_FALSE(fs::exists(pdf));

    ui.chooseFileInNextDialog((dir / "casa.dbf").string());
    master.Nuovo1Click();
    ASSERT_TRUE(master.ContoAperto());
    master.DM().MainTable.appendRecord({giorno(3, 5, 2024), giorno(3, 5, 2024), std::string("Prelievo"),
                                        std::string("Sportello"), euro("40"), std::string("Contanti")});
    master.ledger().ScansioneRecord(true, true);
    EXPECT_TRUE(renderReportToPdf(master, pdf.string()));

    const std::string text = pdfText(pdf);
    EXPECT_THAT(text, HasSubstr("Conto Istituto - Anno 2024"));
    EXPECT_THAT(text, HasSubstr("Maggio"));
    EXPECT_THAT(text, HasSubstr("Commissione su Scopertura")); // the scan's own charge, listed too
    EXPECT_THAT(text, ::testing::ContainsRegex("Saldo: +" + master.ledger().Totali().Saldo.format()));
    master.Chiudi1Click();
    fs::remove_all(dir);
}

TEST(PainterCanvas, MeasuresTextInTheDevicesOwnPixels) {
    ensureGuiApplication();
    const fs::path dir = fs::temp_directory_path();
    QPdfWriter low(QString::fromStdString((dir / "valmora-canvas-150.pdf").string()));
    low.setResolution(150);
    QPdfWriter high(QString::fromStdString((dir / "valmora-canvas-600.pdf").string()));
    high.setResolution(600);
    PainterCanvas lowCanvas(low);
    PainterCanvas highCanvas(high);
    for (PainterCanvas* canvas : {&lowCanvas, &highCanvas}) {
        canvas->setFontName("MS Sans Serif");
        canvas->setFontSize(10);
    }
    const int lowWidth = lowCanvas.textWidth("22/12/1963--");
    const int highWidth = highCanvas.textWidth("22/12/1963--");
    EXPECT_GT(lowWidth, 0);
    // Four times the resolution, about four times the pixels (hinting moves it a little).
    EXPECT_NEAR(static_cast<double>(highWidth) / lowWidth, 4.0, 0.4);
    EXPECT_NEAR(static_cast<double>(highCanvas.pageWidth()) / lowCanvas.pageWidth(), 4.0, 0.05);

    // Bold is wider, and an 18-point heading wider still.
    const int regular = highCanvas.textWidth("Conto Banca Prova");
    highCanvas.setBold(true);
    const int bold = highCanvas.textWidth("Conto Banca Prova");
    highCanvas.setFontSize(18);
    EXPECT_GT(bold, regular);
    EXPECT_GT(highCanvas.textWidth("Conto Banca Prova"), bold);
    EXPECT_EQ(highCanvas.fontSize(), 18);
    fs::remove(dir / "valmora-canvas-150.pdf");
    fs::remove(dir / "valmora-canvas-600.pdf");
}

// With VALMORA_SCREENSHOT_DIR set (the docs/screenshots folder), the first two pages of the sample
// report are also kept as pictures for the documentation.
TEST_F(SampleAccount, WritesPicturesOfTheFirstPagesWhenAsked) {
    const char* target = std::getenv("VALMORA_SCREENSHOT_DIR");
    if (!target)
        GTEST_SKIP() << "VALMORA_SCREENSHOT_DIR not set";
    const fs::path pdf = dir.path() / "riepilogo.pdf";
    renderReportToPdf(source_, pdf.string());
    // The first page, and the second, which goes on with March under the repeated heading.
    for (int page : {1, 2}) {
        const std::string stem = (fs::path(target) / ("report-page" + std::to_string(page))).string();
        run("pdftoppm -png -r 60 -f " + std::to_string(page) + " -l " + std::to_string(page) + " -singlefile '" +
            pdf.string() + "' '" + stem + "'");
        EXPECT_TRUE(fs::exists(stem + ".png"));
    }
}

} // namespace
} // namespace valmora
