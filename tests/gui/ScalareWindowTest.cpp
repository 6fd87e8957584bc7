// The "Riassunto scalare" window on a real account: reached from the menu and the toolbar, and the same figures
// in its grids, in the PDF it saves, in the CSV it copies and in what `valmora-cli scalare` prints.

#include "GuiTestSupport.h"

#include "cli/Commands.h"
#include "cli/ScriptRunner.h"
#include "gui/TFormScalare.h"
#include "ledger/Ledger.h"
#include "model/TDM.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sstream>

namespace valmora::gui::test {
namespace {

Date d(int y, int m, int day) {
    return *Date::fromYmd(y, m, day);
}

Money eur(const char* typed) {
    return Money::parseTyped(typed).value_or(Money());
}

// Quarterly interest on both sides, a rate change in May, the balance above the threshold and below zero, a
// stamp duty charged: written into the account's tables and regenerated, then saved.
void contoDiProva(FormMaster& m) {
    TDM& dm = m.DM();
    dm.TableImp.first();
    dm.TableImp.edit();
    dm.TableImp.fieldByName("CAPITA_CRE").setString("TRIMESTRALE");
    dm.TableImp.fieldByName("CAPITA_DEB").setString("TRIMESTRALE");
    dm.TableImp.post();
    auto& tassi = dm.TableTassi;
    tassi.first();
    while (!tassi.isEmpty())
        tassi.deleteRecord();
    // DATA, LIMITE, TASSOCRE, TASSODEB, TASSOH, RITENUTA
    tassi.appendRecord({d(2026, 1, 1), eur("5000"), eur("0,5"), eur("12"), eur("1,25"), eur("26")});
    tassi.appendRecord({d(2026, 5, 1), eur("8000"), eur("0,25"), eur("11"), eur("1,5"), eur("26")});
    const auto movimento = [&](Date v, const char* op, const char* tipo, const char* importo) {
        dm.MainTable.appendRecord({v, v, std::string(op), std::string(tipo), eur(importo), std::string()});
    };
    movimento(d(2026, 1, 2), "Accredito", "Stipendio", "6000");
    movimento(d(2026, 1, 20), "Prelievo", "Sportello", "2500");
    movimento(d(2026, 2, 2), "Accredito", "Stipendio", "1800");
    movimento(d(2026, 3, 31), "Imposta", "Bolli", "8,55");
    movimento(d(2026, 4, 14), "Accredito", "Bonifico", "4000");
    movimento(d(2026, 5, 1), "Notifica", "Variazione", "0");
    movimento(d(2026, 5, 5), "Prelievo", "Sportello", "4000");
    movimento(d(2026, 5, 12), "Prelievo", "Sportello", "6500");
    movimento(d(2026, 6, 3), "Accredito", "Stipendio", "3000");
    m.ledger().ScansioneRecord(true, true);
    m.Salva1Click();
}

// A text with its blanks, currency sign, percent sign and thousands separators taken out: what a figure reads
// as wherever it is written.
std::string cifre(std::string testo) {
    std::string out;
    for (std::size_t i = 0; i < testo.size(); ++i) {
        const char c = testo[i];
        if (c == ' ' || c == '.' || c == '%' || c == '\t')
            continue;
        if (testo.compare(i, 3, "\u20ac") == 0) {
            i += 2;
            continue;
        }
        if (testo.compare(i, 3, "\ufb00") == 0) { // the "ff" ligature a PDF reader may give back
            out += "ff";
            i += 2;
            continue;
        }
        out += c;
    }
    return out;
}

std::vector<std::string> campi(const std::string& riga) {
    std::vector<std::string> out;
    std::stringstream in(riga);
    for (std::string campo; std::getline(in, campo, ';');)
        out.push_back(campo);
    if (!riga.empty() && riga.back() == ';')
        out.emplace_back();
    return out;
}

std::vector<std::string> righe(const std::string& testo) {
    std::vector<std::string> out;
    std::stringstream in(testo);
    for (std::string riga; std::getline(in, riga);) {
        if (!riga.empty() && riga.back() == '\r')
            riga.pop_back();
        out.push_back(riga);
    }
    return out;
}

std::string unite(const std::vector<std::string>& righe) {
    std::string out;
    for (const std::string& r : righe)
        out += r + "\n";
    return out;
}

std::string testo(QTableWidget* g, int r, int c) {
    return g->item(r, c) ? g->item(r, c)->text().toStdString() : std::string();
}

TEST(RiassuntoScalare, WindowPdfCsvAndCliGiveTheSameFigures) {
    ProgrammaDiProva p;
    p.orologio().set(d(2026, 7, 10));
    p.nuovoConto();
    contoDiProva(p.master().motore());

    // From the toolbar, then again from the menu: one window.
    QTest::mouseClick(p.master().TScalare, Qt::LeftButton);
    TFormScalare* w = p.master().Scalare;
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    p.master().RiassuntoScalare1->trigger();
    EXPECT_EQ(p.master().Scalare, w);

    const int indice = w->ComboPeriodo->findText(QStringLiteral("Interessi Creditore secondo trimestre"));
    ASSERT_GE(indice, 0);
    w->ComboPeriodo->setCurrentIndex(indice);
    w->ComboPeriodoChange(indice);
    EXPECT_EQ(w->EDal->date(), QDate(2026, 3, 31));
    EXPECT_EQ(w->EAl->date(), QDate(2026, 6, 30));

    // The window: every interval, then the totals with the duty's difference in red.
    QTableWidget* g = w->GrigliaScalare;
    ASSERT_EQ(g->rowCount(), 6);
    std::vector<std::vector<std::string>> finestra;
    for (int r = 0; r < g->rowCount(); ++r) {
        std::vector<std::string> riga;
        for (int c = 0; c < g->columnCount(); ++c)
            riga.push_back(testo(g, r, c));
        finestra.push_back(riga);
    }
    EXPECT_EQ(finestra[4], (std::vector<std::string>{"12/05/2026", "03/06/2026", "22", "-1.207,70 €", "", "26.569,31",
                                                     "11,00%", "-5,93 €"}));
    QTableWidget* t = w->GrigliaTotali;
    std::vector<std::pair<std::string, std::string>> totali;
    for (int r = 0; r < t->rowCount(); ++r)
        totali.emplace_back(testo(t, r, 0), testo(t, r, 1));
    ASSERT_EQ(totali.size(), 8u);
    EXPECT_EQ(totali[3], (std::pair<std::string, std::string>{"Interessi debitori", "5,93 €"}));
    EXPECT_EQ(totali[7], (std::pair<std::string, std::string>{"Differenza", "8,55 €"}));
    EXPECT_EQ(t->item(7, 1)->foreground().color(), QColor(Qt::red));
    EXPECT_NE(t->item(6, 1)->foreground().color(), QColor(Qt::red));

    // The CSV copy: the same rows and totals, as plain figures.
    QTest::mouseClick(w->BCopia, Qt::LeftButton);
    const std::vector<std::string> csv = righe(QGuiApplication::clipboard()->text().toStdString());
    ASSERT_EQ(csv.size(), 2 + finestra.size() + 7);
    for (std::size_t r = 0; r < finestra.size(); ++r) {
        const std::vector<std::string> c = campi(csv[2 + r]);
        ASSERT_EQ(c.size(), 9u) << csv[2 + r];
        const std::vector<std::string> senzaRitenuta{c[0], c[1], c[2], c[3], c[4], c[5], c[6], c[8]};
        for (std::size_t k = 0; k < 8; ++k)
            EXPECT_EQ(senzaRitenuta[k], cifre(finestra[r][k])) << r << " " << k;
    }
    for (std::size_t k = 0; k < 7; ++k)
        EXPECT_EQ(csv[2 + finestra.size() + k], totali[k].first + ";" + cifre(totali[k].second));

    // The PDF, read back by an independent reader: each row and total on a line of its own.
    const QString pdf = p.cartella() + QStringLiteral("/scalare.pdf");
    p.ui().queueFile(pdf.toStdString());
    QTest::mouseClick(w->BPdf, Qt::LeftButton);
    QProcess lettore;
    lettore.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(lettore.waitForFinished(30000));
    std::vector<std::string> pagina;
    for (const std::string& riga : righe(lettore.readAllStandardOutput().toStdString()))
        if (!cifre(riga).empty())
            pagina.push_back(cifre(riga));
    const auto suUnaRiga = [&](const std::string& atteso) {
        return std::find(pagina.begin(), pagina.end(), atteso) != pagina.end();
    };
    for (const auto& riga : finestra) {
        std::string atteso;
        for (const auto& cella : riga)
            atteso += cifre(cella);
        EXPECT_TRUE(suUnaRiga(atteso)) << atteso;
    }
    for (const auto& [etichetta, valore] : totali)
        EXPECT_TRUE(suUnaRiga(cifre(etichetta + valore))) << etichetta << " in:\n" << unite(pagina);

    // The command-line tool on the same account, once the window's program has let it go.
    w->close();
    p.master().motore().Chiudi1Click(true);
    std::ostringstream uscita;
    std::ostringstream errori;
    {
        cli::CliContext contesto(d(2026, 7, 10), uscita);
        std::istringstream script("cartella \"" + p.cartella().toStdString() +
                                  "/\"\napri conto.dbf\nscalare 31/03/2026 30/06/2026\n");
        EXPECT_EQ(cli::runScript(script, contesto, cli::standardCommands(), errori), cli::kExitAllRan) << errori.str();
    }
    std::vector<std::string> stampato = righe(uscita.str());
    const auto inizio = std::find(stampato.begin(), stampato.end(), "SCALARE;31/03/2026;30/06/2026");
    ASSERT_NE(inizio, stampato.end()) << uscita.str();
    const std::vector<std::string> cliRighe(inizio + 1, inizio + 1 + static_cast<long>(finestra.size()) + 6);
    for (std::size_t r = 0; r < finestra.size(); ++r) {
        const std::vector<std::string> c = campi(cliRighe[r]);
        ASSERT_EQ(c.size(), 9u) << cliRighe[r];
        const std::string numeri = finestra[r][4].empty() ? "-" + finestra[r][5] : finestra[r][4];
        EXPECT_EQ(c, (std::vector<std::string>{"INTERVALLO", finestra[r][0], finestra[r][1], finestra[r][2],
                                               finestra[r][3], numeri, finestra[r][6], "26,00%", finestra[r][7]}));
    }
    const std::size_t n = finestra.size();
    EXPECT_EQ(cliRighe[n + 0], "NUMERI CREDITORI;" + totali[0].second);
    EXPECT_EQ(cliRighe[n + 1], "NUMERI DEBITORI;" + totali[1].second);
    EXPECT_EQ(cliRighe[n + 2], "INTERESSI CREDITORI;" + totali[2].second);
    EXPECT_EQ(cliRighe[n + 3], "INTERESSI DEBITORI;" + totali[3].second);
    EXPECT_EQ(cliRighe[n + 4], "GIACENZA MEDIA;" + totali[4].second);
    EXPECT_EQ(cliRighe[n + 5], "BOLLO;" + totali[5].second + ";" + totali[6].second);
}

TEST(RiassuntoScalare, TwoDatesTypedAndARangeRefused) {
    ProgrammaDiProva p;
    p.orologio().set(d(2026, 7, 10));
    p.nuovoConto();
    p.master().RiassuntoScalare1->trigger();
    TFormScalare* w = p.master().Scalare;
    ASSERT_NE(w, nullptr);
    // Without movements: one interval of zero balance.
    w->EDal->setDate(QDate(2026, 2, 1));
    w->EAl->setDate(QDate(2026, 2, 28));
    QTest::mouseClick(w->BCalcola, Qt::LeftButton);
    ASSERT_EQ(w->GrigliaScalare->rowCount(), 1);
    EXPECT_EQ(testo(w->GrigliaScalare, 0, 3), "0,00 €");
    EXPECT_TRUE(w->BCopia->isEnabled());

    p.ui().clearShownBoxes();
    w->EDal->setDate(QDate(2026, 3, 1));
    QTest::mouseClick(w->BCalcola, Qt::LeftButton);
    ASSERT_EQ(p.ui().shownBoxes().size(), 1u);
    EXPECT_EQ(p.ui().shownBoxes()[0].text, "La data finale precede la data iniziale!");
    EXPECT_EQ(w->GrigliaScalare->rowCount(), 0);
    EXPECT_FALSE(w->BCopia->isEnabled());

    // Closing the account closes the window.
    p.master().motore().Chiudi1Click(true);
    EXPECT_FALSE(w->isVisible());
}

} // namespace
} // namespace valmora::gui::test
