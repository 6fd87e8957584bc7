// The main window's layout follows the window: charts that fill the panel, a ledger whose amounts stay in view at
// the smallest size, columns that fit their dates and keep the widths the user gave them.

#include "GuiTestSupport.h"

#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"

#include <QApplication>
#include <QHeaderView>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

void dimensione(TFormMaster& m, int larghezza, int altezza) {
    m.resize(larghezza, altezza);
    QApplication::processEvents();
}

// A text shows whole in a cell when the view's own eliding leaves it as it is.
bool siLeggeIntero(const QTableView& grid, int column, const QString& text) {
    const int margine = grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1;
    return grid.fontMetrics().elidedText(text, Qt::ElideRight, grid.columnWidth(column) - 2 * margine) == text;
}

TEST(MainWindowLayout, AtTheUsualWidthThePanelIsFilledAndTheChartsGrow) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    dimensione(m, 1366, 768);
    p.nuovoConto();
    QApplication::processEvents();
    // Nothing grey on the right: the panel ends at the window's edge and the charts fill its width.
    const QPoint finePannello = m.PannelloValori->mapTo(&m, QPoint(m.PannelloValori->width(), 0));
    EXPECT_GE(finePannello.x(), m.width() - 2);
    EXPECT_EQ(m.Chart1->width(), m.ScrollGrafici->viewport()->width());
    EXPECT_GT(m.Chart1->width(), 190);
    // Taller than their stacked 510 pixels, the charts share the height in their proportions.
    EXPECT_GT(m.Chart1->height(), 150);
    EXPECT_EQ(m.ChartFC->y(), m.Chart1->y() + m.Chart1->height());
    EXPECT_EQ(m.ChartMovimenti->y(), m.ChartFC->y() + m.ChartFC->height());
    EXPECT_NEAR(static_cast<double>(m.ChartMovimenti->height()) / m.Chart1->height(), 210.0 / 150.0, 0.02);
    EXPECT_LE(m.ChartMovimenti->y() + m.ChartMovimenti->height(), m.ScrollGrafici->viewport()->height());

    // A narrower window narrows the ledger; the totals keep their width.
    const int pannello = m.PannelloValori->width();
    const int registro = m.DBGrid1->width();
    dimensione(m, 1200, 768);
    EXPECT_EQ(m.PannelloValori->width(), pannello);
    EXPECT_LT(m.DBGrid1->width(), registro);
}

TEST(MainWindowLayout, AtTheSmallestSizeTheAmountsStayInViewAndEverythingFits) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TDepositi, QStringLiteral("1234,56"), QStringLiteral("Assegno"));
    dimensione(m, m.minimumWidth(), m.minimumHeight());
    ASSERT_EQ(m.width(), 686);
    // The IMPORTO column whole inside the grid's visible part.
    const int fineImporto = m.DBGrid1->columnViewportPosition(LedgerTableModel::IMPORTO) +
                            m.DBGrid1->columnWidth(LedgerTableModel::IMPORTO);
    EXPECT_LE(fineImporto, m.DBGrid1->viewport()->width());

    // The dates read whole: "dd/mm/yyyy" in the grid's font.
    EXPECT_TRUE(siLeggeIntero(*m.DBGrid1, LedgerTableModel::VALUTA, QStringLiteral("28/08/2026")));
    p.attivaFinestra();
    QTest::keyClick(&m, Qt::Key_H, Qt::ControlModifier); // "Schermo &Intero" shows DATA
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::DATA), m.DBGrid1->columnWidth(LedgerTableModel::VALUTA));
    QTest::keyClick(&m, Qt::Key_H, Qt::ControlModifier);

    // The totals grid: every caption and count within its column.
    const GrigliaValori& g = *m.Griglia;
    QFont grassetto = g.font();
    grassetto.setBold(true);
    const QFontMetrics fm(grassetto);
    for (int r = 0; r < TotalsGrid::kRows; ++r)
        for (int c = 0; c < TotalsGrid::kColumns; ++c)
            EXPECT_LE(fm.horizontalAdvance(g.testo(c, r)), g.columnWidth(c)) << "riga " << r << " colonna " << c;
    EXPECT_LE(fm.horizontalAdvance(QStringLiteral("1000")), g.columnWidth(2));
    EXPECT_LE(fm.horizontalAdvance(QStringLiteral("-100.000,00 €")), g.columnWidth(1));
}

// A notice (it counts in no total, so the scan asks nothing) with a type as long as the TIPO field holds, written
// into the account's file, then the account opened again: the ledger scan widens TIPO to the longest type met.
void contoConTipoLungo(ProgrammaDiProva& p, const std::string& tipo) {
    p.nuovoConto();
    const Date giorno = OggiDiProva();
    p.master().dm().MainTable.appendRecords({{giorno, giorno, std::string("Notifica"), tipo,
                                              Money::fromUnits(1234567800), std::string("movimento dal tipo lungo")}});
    p.master().Chiudi1->trigger();
    p.apriConto();
}

TEST(MainWindowLayout, AtTheSmallestSizeALongTypeGivesWayToTheAmount) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    const std::string tipo = "Rimborso spese condominio"; // the 25 characters TIPO holds
    contoConTipoLungo(p, tipo);
    ASSERT_TRUE(m.contoAperto());
    const int riga = p.rigaDelMovimento(QStringLiteral("Notifica"), QStringLiteral("123.456,78 €"));
    ASSERT_GE(riga, 0);
    ASSERT_EQ(m.modello->index(riga, LedgerTableModel::TIPO).data().toString(), QString::fromStdString(tipo));

    dimensione(m, m.minimumWidth(), m.minimumHeight());
    ASSERT_EQ(m.width(), m.minimumWidth());
    // The amount's cell wholly inside the ledger's visible part, its text not cut short.
    const QModelIndex importo = m.modello->index(riga, LedgerTableModel::IMPORTO);
    const QRect cella = m.DBGrid1->visualRect(importo);
    EXPECT_FALSE(cella.isEmpty());
    EXPECT_GE(cella.left(), 0);
    EXPECT_LE(cella.right(), m.DBGrid1->viewport()->rect().right());
    EXPECT_TRUE(m.DBGrid1->viewport()->rect().contains(cella));
    EXPECT_TRUE(siLeggeIntero(*m.DBGrid1, LedgerTableModel::IMPORTO, importo.data().toString()));

    // With room again the type reads whole once more.
    dimensione(m, 1366, 768);
    EXPECT_TRUE(siLeggeIntero(*m.DBGrid1, LedgerTableModel::TIPO, QString::fromStdString(tipo)));
}

// The next run of the program, with the first run's settings, opening the account the first run made.
void riapriConto(ProgrammaDiProva& seconda, const ProgrammaDiProva& prima) {
    seconda.ui().queueFile((prima.cartella() + QStringLiteral("/conto.dbf")).toStdString());
    seconda.attivaFinestra();
    seconda.master().Apri1->trigger();
}

TEST(MainWindowLayout, ColumnWidthsTheUserSetsAreThereAtTheNextRun) {
    ProgrammaDiProva p;
    {
        TFormMaster& m = p.master();
        p.nuovoConto();
        m.DBGrid1->horizontalHeader()->resizeSection(LedgerTableModel::OPERAZIONE, 140);
        m.DBGrid1->horizontalHeader()->resizeSection(LedgerTableModel::COMMENTO, 333);
        m.close();
    }
    ProgrammaDiProva seconda(p.fileImpostazioni());
    TFormMaster& m = seconda.master();
    riapriConto(seconda, p);
    ASSERT_TRUE(m.contoAperto());
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::OPERAZIONE), 140);
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::COMMENTO), 333);
    // DATA keeps its own preference: collapsed outside full-screen mode.
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::DATA), 0);
}

// The width the user gave TIPO is the one remembered, even when the window was closed so narrow that TIPO had
// given way to the amounts.
TEST(MainWindowLayout, ATypeNarrowedForTheAmountsIsRememberedAtTheWidthTheUserGaveIt) {
    ProgrammaDiProva p;
    constexpr int kVoluta = 300;
    {
        TFormMaster& m = p.master();
        p.nuovoConto();
        dimensione(m, 1366, 768);
        m.DBGrid1->horizontalHeader()->resizeSection(LedgerTableModel::TIPO, kVoluta);
        dimensione(m, m.minimumWidth(), m.minimumHeight());
        ASSERT_LT(m.DBGrid1->columnWidth(LedgerTableModel::TIPO), kVoluta); // it gave way to the amounts
        m.close();
    }
    ProgrammaDiProva seconda(p.fileImpostazioni());
    TFormMaster& m = seconda.master();
    riapriConto(seconda, p);
    ASSERT_TRUE(m.contoAperto());
    dimensione(m, 1366, 768);
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::TIPO), kVoluta);
}

} // namespace
} // namespace valmora::gui::test
