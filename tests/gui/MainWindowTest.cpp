// The main window and the operation dialog driven as a user drives them: keys, clicks, menu items,
// with the message boxes answered through the seam.

#include "GuiTestSupport.h"
#include "print/RecordingCanvas.h"

#include "entry/OperationEntry.h"
#include "entry/SchedaOperazione.h"
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
#include <QLineSeries>
#include <QMenu>
#include <QPieSeries>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTableView>
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

TEST(MainWindow, WithdrawalFromTheToolbarReachesGridTotalsAndStatusBar) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    ASSERT_TRUE(m.contoAperto());

    QString heading, secondButton;
    bool operationHidden = false, valueDateHidden = false, amountHasFocus = false;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        heading = d.LabelPanel->text();
        secondButton = d.BitBtnNuovaOp->text();
        operationHidden = d.ComboOp->isHidden();
        valueDateHidden = d.EditValuta->isHidden();
        amountHasFocus = QApplication::focusWidget() == d.EditImporto;
        EXPECT_EQ(d.ComboBoxTipo->currentText(), QStringLiteral("S. Bancomat"));
        EXPECT_EQ(d.ComboBoxTipo->x(), d.ComboOp->x()); // the type box takes the operation box's place
        ProgrammaDiProva::digita(d, QStringLiteral("50"), QStringLiteral("Benzina"));
    });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);

    EXPECT_EQ(p.comparseDelDialogo(), 1);
    EXPECT_EQ(heading, QStringLiteral("Prelievo"));
    EXPECT_EQ(secondButton, QStringLiteral("&Nuovo Prelievo"));
    EXPECT_TRUE(operationHidden);
    EXPECT_TRUE(valueDateHidden);
    EXPECT_TRUE(amountHasFocus);

    const int row = p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("50,00 €"));
    ASSERT_GE(row, 0);
    LedgerTableModel* model = m.modello;
    EXPECT_EQ(model->index(row, LedgerTableModel::TIPO).data().toString(), QStringLiteral("S. Bancomat"));
    EXPECT_EQ(model->index(row, LedgerTableModel::COMMENTO).data().toString(), QStringLiteral("Benzina"));
    EXPECT_EQ(model->index(row, LedgerTableModel::DATA).data().toString(), QStringLiteral("18/03/2026"));
    EXPECT_TRUE(model->index(row, LedgerTableModel::IMPORTO).data(Qt::FontRole).value<QFont>().bold());
    EXPECT_TRUE(model->index(row, LedgerTableModel::IMPORTO).data(Qt::TextAlignmentRole).value<int>() & Qt::AlignRight);

    EXPECT_EQ(m.Griglia->testo(1, 12), QStringLiteral("50,00 €"));
    EXPECT_EQ(m.Griglia->testo(2, 12), QStringLiteral("1"));
    EXPECT_EQ(m.Griglia->testo(1, 13), QStringLiteral("50,00 €"));
    EXPECT_EQ(m.Griglia->testo(1, 3), QStringLiteral("1.450,00 €"));
    EXPECT_EQ(m.StatusPanel[1]->text(), QStringLiteral("Modifiche da Salvare!"));
    EXPECT_EQ(m.StatusPanel[2]->text(), QString());
    EXPECT_TRUE(m.TSalva->isEnabled());
    EXPECT_GE(m.Chart1->serie()->count(), 1);
    // The tooltip of a row is its description.
    EXPECT_EQ(model->index(row, LedgerTableModel::IMPORTO).data(Qt::ToolTipRole).toString(), QStringLiteral("Benzina"));
}

TEST(MainWindow, RefusedWithdrawalShowsTheMessageAndReopensTheDialogWithTheDefaults) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    QString amountOnReopening;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int n) {
        if (n == 1) {
            // Beyond the 5.000,00 overdraft ceiling of a new account.
            ProgrammaDiProva::digita(d, QStringLiteral("6000"), QStringLiteral("Troppo"));
        } else {
            amountOnReopening = d.EditImporto->text();
            QTest::mouseClick(d.BitBtnAnnulla, Qt::LeftButton);
        }
    });
    QTest::keyClick(&m, Qt::Key_P, Qt::ControlModifier | Qt::AltModifier);

    EXPECT_EQ(p.comparseDelDialogo(), 2);
    EXPECT_EQ(amountOnReopening, QStringLiteral("0"));
    EXPECT_TRUE(mostrato(p.ui(), kMsgSogliaScopertura));
    EXPECT_EQ(m.modello->rowCount(), 0);
    EXPECT_EQ(m.Griglia->testo(2, 12), QStringLiteral("0"));
}

TEST(OperationDialog, FieldChecksKeepTheFocusWithTheirMessages) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    bool focusKept = false, emptiedTypeKept = false, goodAmountLeft = false;
    std::size_t boxesAfterGoodAmount = 0;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        // A dot is not the decimal separator here.
        d.EditImporto->selectAll();
        QTest::keyClicks(d.EditImporto, QStringLiteral("12.50"));
        QTest::keyClick(d.EditImporto, Qt::Key_Tab);
        QApplication::processEvents();
        focusKept = QApplication::focusWidget() == d.EditImporto;

        d.EditImporto->selectAll();
        QTest::keyClicks(d.EditImporto, QStringLiteral("12,50"));
        const std::size_t before = p.ui().shownBoxes().size();
        QTest::keyClick(d.EditImporto, Qt::Key_Tab);
        QApplication::processEvents();
        goodAmountLeft = QApplication::focusWidget() != d.EditImporto;
        boxesAfterGoodAmount = p.ui().shownBoxes().size() - before;

        // A type not in the list: the box is emptied and keeps the focus.
        d.ComboBoxTipo->setFocus();
        d.ComboBoxTipo->lineEdit()->selectAll();
        QTest::keyClicks(d.ComboBoxTipo->lineEdit(), QStringLiteral("s. bancomat"));
        QTest::keyClick(d.ComboBoxTipo->lineEdit(), Qt::Key_Tab);
        QApplication::processEvents();
        emptiedTypeKept =
            d.ComboBoxTipo->isAncestorOf(QApplication::focusWidget()) || QApplication::focusWidget() == d.ComboBoxTipo;
        emptiedTypeKept = emptiedTypeKept && d.ComboBoxTipo->currentText().isEmpty();
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);

    EXPECT_TRUE(mostrato(p.ui(), kMsgImportoNonValido));
    EXPECT_TRUE(focusKept);
    EXPECT_TRUE(goodAmountLeft);
    EXPECT_EQ(boxesAfterGoodAmount, 0u);
    EXPECT_TRUE(mostrato(p.ui(), kMsgTipoNonInElenco));
    EXPECT_TRUE(emptiedTypeKept);
    // Esc cancelled: nothing written.
    EXPECT_EQ(m.modello->rowCount(), 0);
    EXPECT_EQ(m.StatusPanel[1]->text(), QString());
}

TEST(MainWindow, FilterOnWithdrawalsShowsOnlyTheirBlockOfTheTotals) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo([](TFormOperazione& d, int) {
        ProgrammaDiProva::digita(d, QStringLiteral("100"), QStringLiteral("Stipendio"));
    });
    QTest::mouseClick(m.TDepositi, Qt::LeftButton);
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("30"), QStringLiteral("Spesa")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
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

TEST(MainWindow, CtrlDelDeletesTheSelectedMovementAfterTheDeleteDialog) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("20"), QStringLiteral("Luce")); });
    QTest::mouseClick(m.TAddebiti, Qt::LeftButton);
    const int row = p.rigaDelMovimento(QStringLiteral("Addebito"), QStringLiteral("20,00 €"));
    ASSERT_GE(row, 0);
    p.attivaFinestra();
    m.DBGrid1->setFocus();
    m.DBGrid1->selectRow(row);

    // Shift or Alt with Del: nothing opens.
    p.allaComparsaDelDialogo([](TFormOperazione& d, int) { d.reject(); });
    QTest::keyClick(m.DBGrid1, Qt::Key_Delete, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(m.DBGrid1, Qt::Key_Delete, Qt::AltModifier);
    EXPECT_EQ(p.comparseDelDialogo(), 0);

    bool fieldsDisabled = false;
    QString heading, valueDate;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        heading = d.LabelPanel->text();
        fieldsDisabled = !d.EditImporto->isEnabled() && !d.ComboOp->isEnabled();
        valueDate = d.EditValuta->text();
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
    });
    QTest::keyClick(m.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    EXPECT_EQ(heading, QStringLiteral("Elimina"));
    EXPECT_TRUE(fieldsDisabled);
    EXPECT_EQ(valueDate, QStringLiteral("18/03/2026"));
    EXPECT_EQ(p.rigaDelMovimento(QStringLiteral("Addebito"), QStringLiteral("20,00 €")), -1);
    // After the dialog the fields are editable again for the next use.
    EXPECT_TRUE(p.dialogo().EditImporto->isEnabled());
}


TEST(MainWindow, DoubleClickModifiesTheMovementInPlace) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("40"), QStringLiteral("Gas")); });
    QTest::mouseClick(m.TAddebiti, Qt::LeftButton);
    const int row = p.rigaDelMovimento(QStringLiteral("Addebito"), QStringLiteral("40,00 €"));
    ASSERT_GE(row, 0);
    p.attivaFinestra();

    QString heading, valueDate;
    int operations = 0;
    bool operationShown = false, secondHidden = false;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        heading = d.LabelPanel->text();
        operationShown = !d.ComboOp->isHidden();
        operations = d.ComboOp->count();
        valueDate = d.EditValuta->text();
        secondHidden = d.BitBtnNuovaOp->isHidden();
        // The type box stands 10 pixels right of the operation box.
        EXPECT_EQ(d.ComboBoxTipo->x(), d.ComboOp->x() + d.ComboOp->width() + 10);
        ProgrammaDiProva::digita(d, QStringLiteral("45,5"), QString());
    });
    const QRect cell = m.DBGrid1->visualRect(m.modello->index(row, LedgerTableModel::OPERAZIONE));
    QTest::mouseClick(m.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(m.DBGrid1->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    EXPECT_EQ(heading, QStringLiteral("Modifica"));
    EXPECT_TRUE(operationShown);
    EXPECT_EQ(operations, 7);
    EXPECT_EQ(valueDate, QStringLiteral("18/03/2026"));
    EXPECT_TRUE(secondHidden);
    EXPECT_EQ(p.rigaDelMovimento(QStringLiteral("Addebito"), QStringLiteral("40,00 €")), -1);
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Addebito"), QStringLiteral("45,50 €")), 0);
    EXPECT_EQ(m.Griglia->testo(1, 19), QStringLiteral("45,50 €")); // "Telefono", the default type of a debit
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


TEST(MainWindow, OpeningProposesDueProgrammedOperationsInTheDialog) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    ASSERT_TRUE(m.contoAperto());
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("10"), QStringLiteral("Caffe")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    p.ui().queueAnswer(Answer::Yes); // "Salvare le modifiche effettuate?"
    m.Chiudi1->trigger();
    ASSERT_FALSE(m.contoAperto());
    EXPECT_EQ(p.ui().pendingAnswers(), 0u);

    // A month later the salary of the 27th and the monthly stamp duty are due.
    p.orologio().set(*Date::fromYmd(2026, 4, 20));
    QStringList headings;
    bool typeInOperationPlace = true, secondButtonHidden = true;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        headings << d.LabelPanel->text();
        typeInOperationPlace = typeInOperationPlace && d.ComboOp->isHidden();
        secondButtonHidden = secondButtonHidden && d.BitBtnNuovaOp->isHidden();
        if (d.LabelPanel->text() == QStringLiteral("Accredito"))
            ProgrammaDiProva::digita(d, QStringLiteral("1500"), QStringLiteral("Stipendio marzo"));
        else
            QTest::mouseClick(d.BitBtnAnnulla, Qt::LeftButton);
    });
    p.apriConto();
    ASSERT_TRUE(m.contoAperto());
    EXPECT_TRUE(headings.contains(QStringLiteral("Accredito")));
    EXPECT_TRUE(headings.contains(QStringLiteral("Imposta")));
    EXPECT_TRUE(typeInOperationPlace);
    EXPECT_TRUE(secondButtonHidden);
    const int row = p.rigaDelMovimento(QStringLiteral("Accredito"), QStringLiteral("1.500,00 €"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::COMMENTO).data().toString(), QStringLiteral("Stipendio marzo"));
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::DATA).data().toString(), QStringLiteral("27/03/2026"));
    EXPECT_EQ(m.Griglia->testo(1, 9), QStringLiteral("1.500,00 €"));
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

TEST(OperationDialog, ModifyModeChecksOperationAndValueDateAndRefillsTypes) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("15"), QStringLiteral("Libri")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    const int row = p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("15,00 €"));
    ASSERT_GE(row, 0);
    p.attivaFinestra();
    m.DBGrid1->selectRow(row);

    bool operationEmptiedAndKept = false, dateKept = false;
    QString firstType;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        // An operation typed that is not in the list.
        d.ComboOp->setFocus();
        d.ComboOp->lineEdit()->selectAll();
        QTest::keyClicks(d.ComboOp->lineEdit(), QStringLiteral("Prelievi"));
        QTest::keyClick(d.ComboOp->lineEdit(), Qt::Key_Tab);
        QApplication::processEvents();
        operationEmptiedAndKept =
            d.ComboOp->currentText().isEmpty() &&
            (QApplication::focusWidget() == d.ComboOp || d.ComboOp->isAncestorOf(QApplication::focusWidget()));
        // Choosing an operation from the list refills the types and shows the first.
        const int addebito = d.ComboOp->findText(QStringLiteral("Addebito"));
        d.ComboOp->setCurrentIndex(addebito);
        emit d.ComboOp->activated(addebito);
        firstType = d.ComboBoxTipo->currentText();
        // A value date that is no date.
        d.EditValuta->setFocus();
        d.EditValuta->selectAll();
        QTest::keyClicks(d.EditValuta, QStringLiteral("31/02/2026"));
        QTest::keyClick(d.EditValuta, Qt::Key_Tab);
        QApplication::processEvents();
        dateKept = QApplication::focusWidget() == d.EditValuta;
        QTest::mouseClick(d.BitBtnAnnulla, Qt::LeftButton);
    });
    m.Modifica1->trigger();
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    EXPECT_TRUE(operationEmptiedAndKept);
    EXPECT_EQ(firstType, QStringLiteral("Acqua"));
    EXPECT_TRUE(dateKept);
    const auto& boxes = p.ui().shownBoxes();
    const auto shown = [&](std::string_view t) {
        return std::any_of(boxes.begin(), boxes.end(), [&](const auto& b) { return b.text == t; });
    };
    EXPECT_TRUE(shown(kMsgOperazioneNonInElenco));
    EXPECT_TRUE(shown(kMsgValutaNonValida));
    // Cancelled: the movement is as it was.
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("15,00 €")), 0);
}


TEST(MainWindow, PopupPrintRunsTheMonthlySummaryOnTheChosenPrinter) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("75"), QStringLiteral("Farmacia")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    auto canvas = std::make_shared<valmora::test::RecordingCanvas>(4800, 6800); // an A4 page at 600 dpi
    p.ui().queuePrintCanvas(canvas);
    m.PopStampa->trigger();
    bool found = false;
    for (const std::string& line : canvas->transcript())
        found = found || line.find("Farmacia") != std::string::npos;
    EXPECT_TRUE(found);
    // Nothing changed in the ledger, and the grid still shows the movement.
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("75,00 €")), 0);
}


TEST(MainWindow, PeriodAndSearchControlsOfTheFilterBar) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("12"), QStringLiteral("Spesa")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    p.allaComparsaDelDialogo(
        [](TFormOperazione& d, int) { ProgrammaDiProva::digita(d, QStringLiteral("8"), QStringLiteral("Cinema")); });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
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


TEST(MainWindow, MovementsWithAChargeTextCannotBeModifiedOrDeleted) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.allaComparsaDelDialogo([](TFormOperazione& d, int) {
        ProgrammaDiProva::digita(d, QStringLiteral("5"), QStringLiteral("Commissione su Scopertura"));
    });
    QTest::mouseClick(m.TDepositi, Qt::LeftButton);
    const int row = p.rigaDelMovimento(QStringLiteral("Accredito"), QStringLiteral("5,00 €"));
    ASSERT_GE(row, 0);
    p.attivaFinestra();
    m.DBGrid1->setFocus();
    m.DBGrid1->selectRow(row);
    p.allaComparsaDelDialogo([](TFormOperazione& d, int) { d.reject(); });
    p.ui().clearShownBoxes();

    QTest::keyClick(m.DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    m.Modifica1->trigger();
    EXPECT_EQ(p.comparseDelDialogo(), 0);
    const auto& boxes = p.ui().shownBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, kMsgEliminaAutomatica);
    EXPECT_EQ(boxes[0].buttons, Buttons::Yes);
    EXPECT_EQ(boxes[1].text, kMsgModificaAutomatica);
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Accredito"), QStringLiteral("5,00 €")), 0);
}

} // namespace
} // namespace valmora::gui::test
