// The movements entered, modified, deleted and printed through the main window and the operation
// dialog, as a user does it: toolbar buttons, keys, clicks on the grid, menu items, with the message
// boxes answered through the seam.

#include "GuiTestSupport.h"
#include "print/RecordingCanvas.h"

#include "entry/OperationEntry.h"
#include "entry/SchedaOperazione.h"
#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

namespace valmora::gui::test {
namespace {

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

TEST(MainWindow, CtrlDelDeletesTheSelectedMovementAfterTheDeleteDialog) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TAddebiti, QStringLiteral("20"), QStringLiteral("Luce"));
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
    p.registra(m.TAddebiti, QStringLiteral("40"), QStringLiteral("Gas"));
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

TEST(MainWindow, OpeningProposesDueProgrammedOperationsInTheDialog) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    ASSERT_TRUE(m.contoAperto());
    p.registra(m.TPrelievi, QStringLiteral("10"), QStringLiteral("Caffe"));
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

TEST(OperationDialog, ModifyModeChecksOperationAndValueDateAndRefillsTypes) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TPrelievi, QStringLiteral("15"), QStringLiteral("Libri"));
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
    p.registra(m.TPrelievi, QStringLiteral("75"), QStringLiteral("Farmacia"));
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

TEST(MainWindow, MovementsWithAChargeTextCannotBeModifiedOrDeleted) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TDepositi, QStringLiteral("5"), QStringLiteral("Commissione su Scopertura"));
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
