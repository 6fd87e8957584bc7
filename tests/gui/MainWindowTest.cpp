// The main window driven as a user drives it: its two states (no account, an account open), the view
// items, the filter bar, the preferences it writes at exit and reads back, its hints, help and calendar.
// The movements entered, modified and deleted through it are in MainWindowMovementsTest.cpp.

#include "GuiTestSupport.h"

#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPieSeries>
#include <QSettings>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

TEST(MainWindow, StartsWithoutAccountAndNewAccountBringsTheLedgerIntoView) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Valmora 4.1.0"));
    EXPECT_FALSE(m.contoAperto());
    EXPECT_TRUE(m.DBGrid1->isHidden());
    EXPECT_TRUE(m.CoolBar->isHidden());
    EXPECT_TRUE(m.PannelloValori->isHidden());
    EXPECT_FALSE(m.MenuModifica->menuAction()->isVisible());
    EXPECT_FALSE(m.MenuVisualizza->menuAction()->isVisible());
    EXPECT_FALSE(m.Chiudi1->isEnabled());
    EXPECT_TRUE(m.Nuovo1->isEnabled());
    EXPECT_TRUE(m.StatusPanel[3]->text().startsWith(QStringLiteral("mercoledì, 18 marzo 2026")));
    // Without an account the entry shortcuts do nothing.
    QTest::keyClick(&m, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(p.comparseDelDialogo(), 0);

    p.nuovoConto();
    ASSERT_TRUE(m.contoAperto());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Valmora 4.1.0 - conto.dbf"));
    EXPECT_FALSE(m.DBGrid1->isHidden());
    EXPECT_FALSE(m.CoolBar->isHidden());
    EXPECT_FALSE(m.PannelloValori->isHidden());
    EXPECT_TRUE(m.MenuModifica->menuAction()->isVisible());
    EXPECT_TRUE(m.Chiudi1->isEnabled());
    EXPECT_FALSE(m.TSalva->isEnabled());
    EXPECT_EQ(m.LLogo->text(), QStringLiteral("Istituto"));
    // First run: a 500-pixel grid with DATA collapsed and the default widths of the other columns.
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::DATA), 0);
    EXPECT_GE(m.DBGrid1->columnWidth(LedgerTableModel::VALUTA), 65); // or what its dates need
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::COMMENTO), 1500);
    EXPECT_EQ(m.Splitter1->sizes().front(), 500);
    EXPECT_EQ(m.modello->headerData(LedgerTableModel::COMMENTO, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("DESCRIZIONE"));
    // An empty account shows its allowances and zero everywhere else; seven empty slices.
    EXPECT_EQ(m.Griglia->testo(0, 1), QStringLiteral("SALDO"));
    EXPECT_EQ(m.Griglia->testo(1, 3), QStringLiteral("1.500,00 €"));
    EXPECT_EQ(m.Griglia->testo(1, 12), QStringLiteral("0,00 €"));
    EXPECT_EQ(m.ChartMovimenti->serie()->count(), 7);

    // "&Chiudi" goes back to the no-account state.
    m.Chiudi1->trigger();
    EXPECT_FALSE(m.contoAperto());
    EXPECT_TRUE(m.DBGrid1->isHidden());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Valmora 4.1.0"));
}

TEST(MainWindow, FilterOnWithdrawalsShowsOnlyTheirBlockOfTheTotals) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TDepositi, QStringLiteral("100"), QStringLiteral("Stipendio"));
    p.registra(m.TPrelievi, QStringLiteral("30"), QStringLiteral("Spesa"));
    ASSERT_GE(p.rigaDelMovimento(QStringLiteral("Accredito"), QStringLiteral("100,00 €")), 0);

    m.ComboOperazioni->setCurrentIndex(m.ComboOperazioni->findText(QStringLiteral("Prelievo")));
    for (int r = 1; r < TotalsGrid::kRows; ++r)
        EXPECT_EQ(m.Griglia->isRowHidden(r), r < 12 || r > 17) << "riga " << r;
    EXPECT_EQ(m.StatusPanel[2]->text(), QStringLiteral("Filtro Attivo!"));
    EXPECT_TRUE(m.ComboTipo->isEnabled());
    EXPECT_EQ(m.ComboTipo->currentText(), QStringLiteral("Tutto"));
    EXPECT_EQ(m.modello->rowCount(), 1);
    EXPECT_EQ(m.Griglia->testo(1, 12), QStringLiteral("30,00 €"));

    m.ComboOperazioni->setCurrentIndex(m.ComboOperazioni->findText(QStringLiteral("Tutto")));
    for (int r = 1; r < TotalsGrid::kRows; ++r)
        EXPECT_FALSE(m.Griglia->isRowHidden(r)) << "riga " << r;
    EXPECT_EQ(m.Griglia->testo(0, 1), QStringLiteral("SALDO"));
    EXPECT_EQ(m.Griglia->testo(1, 1), QStringLiteral("70,00 €"));
    EXPECT_EQ(m.StatusPanel[2]->text(), QString());
    EXPECT_FALSE(m.ComboTipo->isEnabled());
    EXPECT_EQ(m.modello->rowCount(), 2);
}

TEST(MainWindow, ViewItemsMoveTheChartsAndFullScreenWidensTheGrid) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    EXPECT_EQ(m.ChartFC->y(), m.Chart1->height());
    EXPECT_EQ(m.ChartMovimenti->y(), m.Chart1->height() + m.ChartFC->height());
    EXPECT_GE(m.Chart1->height(), 150);

    m.GraficoSaldo1->trigger();
    EXPECT_FALSE(m.GraficoSaldo1->isChecked());
    EXPECT_TRUE(m.Chart1->isHidden());
    EXPECT_EQ(m.ChartFC->y(), 0);
    EXPECT_EQ(m.ChartMovimenti->y(), m.ChartFC->height());

    m.Dettagli1->trigger();
    EXPECT_TRUE(m.Griglia->isHidden());
    m.BarraFiltri1->trigger();
    EXPECT_TRUE(m.BarraQuery->isHidden());
    EXPECT_FALSE(m.BarraSpeed->isHidden());

    QTest::keyClick(&m, Qt::Key_H, Qt::ControlModifier); // "Schermo &Intero"
    EXPECT_TRUE(m.SchermoIntero1->isChecked());
    EXPECT_TRUE(m.PannelloValori->isHidden());
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::DATA), m.DBGrid1->columnWidth(LedgerTableModel::VALUTA));
    QTest::keyClick(&m, Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(m.PannelloValori->isHidden());
    EXPECT_EQ(m.DBGrid1->columnWidth(LedgerTableModel::DATA), 0);
    EXPECT_EQ(m.Splitter1->sizes().front(), 500);
}

TEST(Preferences, WrittenAtExitAndReadBackAtTheNextStart) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("valmora.ini"));
    {
        // A stored hidden chart and a grid of width 0, but no account opened: the initial view is written.
        QSettings s(ini, QSettings::IniFormat);
        s.setValue(QStringLiteral("GraficoSaldo"), 0);
        s.setValue(QStringLiteral("SchermoI"), 1);
        s.setValue(QStringLiteral("DirIniziale"), QStringLiteral("/conti/"));
    }
    {
        ProgrammaDiProva p(ini);
        p.master().close();
    }
    {
        QSettings s(ini, QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("GraficoSaldo")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("SchermoI")).toInt(), 0);
        EXPECT_EQ(s.value(QStringLiteral("Dettagli")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("BarraQue")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("LarghezzaGriglia")).toInt(), 500);
        EXPECT_EQ(s.value(QStringLiteral("DirIniziale")).toString(), QStringLiteral("/conti/"));
        s.setValue(QStringLiteral("GraficoSaldo"), 0);
        s.setValue(QStringLiteral("LarghezzaGriglia"), 0);
    }
    {
        // The stored view applies when an account is opened; exiting writes the window as it stands.
        ProgrammaDiProva p(ini);
        TFormMaster& m = p.master();
        p.nuovoConto();
        EXPECT_FALSE(m.GraficoSaldo1->isChecked());
        EXPECT_TRUE(m.Chart1->isHidden());
        EXPECT_EQ(m.Splitter1->sizes().front(), 1);
        m.BarraOperazioni1->trigger();
        m.close();
        QSettings s(ini, QSettings::IniFormat);
        EXPECT_EQ(s.value(QStringLiteral("GraficoSaldo")).toInt(), 0);
        EXPECT_EQ(s.value(QStringLiteral("BarraOpe")).toInt(), 0);
        EXPECT_EQ(s.value(QStringLiteral("LarghezzaGriglia")).toInt(), 1);
        EXPECT_EQ(s.value(QStringLiteral("DirIniziale")).toString(), p.cartella() + QLatin1Char('/'));
    }
}

TEST(MainWindow, HintsHelpCalendarAndCreditLabel) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    // The short part of a hint is the tooltip, the long part goes to status panel 0.
    EXPECT_EQ(m.TPrelievi->toolTip(), QStringLiteral("Prelievo"));
    QStatusTipEvent tip(m.TPrelievi->statusTip());
    QApplication::sendEvent(m.TPrelievi, &tip);
    EXPECT_EQ(m.StatusPanel[0]->text(), QStringLiteral("Inserisce un Prelievo"));
    EXPECT_EQ(TFormMaster::parteLunga(QStringLiteral("Salva|Salva le modifiche effettuate")),
              QStringLiteral("Salva le modifiche effettuate"));
    EXPECT_EQ(TFormMaster::parteLunga(QStringLiteral("Visualizza il calendario")),
              QStringLiteral("Visualizza il calendario"));

    // F1 is the contents of the help.
    QTest::keyClick(&m, Qt::Key_F1);
    EXPECT_EQ(p.ui().helpTopicsOpened().back(), 0);

    // The calendar button is a toggle; closing the calendar releases it.
    QTest::mouseClick(m.TCalendario, Qt::LeftButton);
    EXPECT_TRUE(m.Calendario->isVisible());
    EXPECT_EQ(m.Calendario->MonthCalendar1->selectedDate(), QDate(2026, 3, 18));
    m.Calendario->close();
    EXPECT_FALSE(m.TCalendario->isChecked());

    // Shift + right click on the operations toolbar shows the hidden credit label.
    QAction* credits = nullptr;
    for (QAction* a : m.BarraSpeed->actions())
        if (m.BarraSpeed->widgetForAction(a) == m.LabelCrediti)
            credits = a;
    ASSERT_NE(credits, nullptr);
    EXPECT_FALSE(credits->isVisible());
    QTest::mouseClick(m.BarraSpeed, Qt::RightButton, Qt::NoModifier, QPoint(300, 10));
    EXPECT_FALSE(credits->isVisible());
    QTest::mouseClick(m.BarraSpeed, Qt::RightButton, Qt::ShiftModifier, QPoint(300, 10));
    EXPECT_TRUE(credits->isVisible());

    // A missing terms file is reported and nothing is shown.
    const QByteArray cartellaDati = qgetenv("VALMORA_DATA_DIR");
    qputenv("VALMORA_DATA_DIR", p.cartella().toUtf8() + "/senza-file");
    m.CondizionidiUtilizzo1->trigger();
    qputenv("VALMORA_DATA_DIR", cartellaDati);
    ASSERT_FALSE(p.ui().shownBoxes().empty());
    EXPECT_NE(p.ui().shownBoxes().back().text.find("Licenza.txt"), std::string::npos);
}

TEST(MainWindow, ResolutionNoticeOnlyOnA640PixelScreen) {
    QtUserInterface ui;
    ui.setAnswerUnqueuedByDefault(true);
    for (int width : {639, 641, 800, 1920})
        TFormMaster::AvvisoRisoluzione(ui, width);
    EXPECT_TRUE(ui.shownBoxes().empty());
    TFormMaster::AvvisoRisoluzione(ui, 640);
    ASSERT_EQ(ui.shownBoxes().size(), 1u);
    EXPECT_EQ(ui.shownBoxes()[0].text,
              "Per una visione ottimale si raccomanda \runa risoluzione video di almeno 800 x 600");
    EXPECT_EQ(ui.shownBoxes()[0].buttons, Buttons::Yes);
}

TEST(MainWindow, PeriodAndSearchControlsOfTheFilterBar) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TPrelievi, QStringLiteral("12"), QStringLiteral("Spesa"));
    p.registra(m.TPrelievi, QStringLiteral("8"), QStringLiteral("Cinema"));
    // The two withdrawals and whatever charges they brought with them.
    const int all = m.modello->rowCount();
    ASSERT_GE(all, 2);
    EXPECT_FALSE(m.ComboData2->isEnabled());

    // A start month enables the end box; the caption shows the open period.
    m.ComboData->setCurrentIndex(m.ComboData->findText(QStringLiteral("Marzo")));
    EXPECT_TRUE(m.ComboData2->isEnabled());
    EXPECT_TRUE(m.Label1->isEnabled());
    EXPECT_EQ(m.Griglia->testo(0, 0), QStringLiteral("PERIODO:"));
    EXPECT_EQ(m.Griglia->testo(1, 0), QStringLiteral("da Marzo"));
    EXPECT_EQ(m.StatusPanel[2]->text(), QStringLiteral("Filtro Attivo!"));
    EXPECT_EQ(m.modello->rowCount(), all);
    m.ComboData2->setCurrentIndex(m.ComboData2->findText(QStringLiteral("Aprile")));
    EXPECT_EQ(m.Griglia->testo(1, 0), QStringLiteral("Mar - Apr"));

    // Typing a search text filters nothing until "&Vai".
    m.ComboData->setCurrentIndex(m.ComboData->findText(QStringLiteral("Tutto")));
    EXPECT_FALSE(m.ComboData2->isEnabled());
    EXPECT_TRUE(m.ComboData2->currentText().isEmpty());
    EXPECT_TRUE(m.Griglia->testo(0, 0).isEmpty());
    QTest::keyClicks(m.EditCerca, QStringLiteral("spe"));
    EXPECT_EQ(m.modello->rowCount(), all);
    QTest::mouseClick(m.TBCerca, Qt::LeftButton);
    ASSERT_EQ(m.modello->rowCount(), 1);
    EXPECT_EQ(m.modello->index(0, LedgerTableModel::COMMENTO).data().toString(), QStringLiteral("Spesa"));
    EXPECT_EQ(m.Griglia->testo(1, 12), QStringLiteral("12,00 €"));

    // Clearing everything and pressing "&Vai" turns the filter off.
    m.EditCerca->clear();
    QTest::mouseClick(m.TBCerca, Qt::LeftButton);
    EXPECT_EQ(m.modello->rowCount(), all);
    EXPECT_EQ(m.StatusPanel[2]->text(), QString());
}

} // namespace
} // namespace valmora::gui::test
