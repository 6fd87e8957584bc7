// The operation dialog as a careful user finds it: amounts that add up, a value date that can be corrected, and
// a refused confirmation that keeps what was typed.

#include "GuiTestSupport.h"

#include "entry/OperationEntry.h"
#include "entry/SchedaOperazione.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

bool haIlFocus(const QWidget* w) {
    const QWidget* f = QApplication::focusWidget();
    return f == w || (f && w->isAncestorOf(f));
}

void scrivi(QLineEdit* box, const QString& testo) {
    box->setFocus();
    box->selectAll();
    // QTest types ASCII keys only; other characters arrive as a keyboard layout would insert them.
    for (const QChar c : testo) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            box->insert(QString(c));
    }
}

// What the dialog held after a refused confirmation.
struct DopoIlRifiuto {
    bool aperto = false;
    bool focusSulCampo = false;
    QString importo;
    QString descrizione;
};

// The movement entered, then the grid row of the one movement of `operazione` selected for "&Modifica".
void selezionaUnico(ProgrammaDiProva& p, const QString& operazione, const QString& importo) {
    const int row = p.rigaDelMovimento(operazione, importo);
    ASSERT_GE(row, 0);
    p.attivaFinestra();
    p.master().DBGrid1->selectRow(row);
}

TEST(OperationDialogAmounts, MoreThanTwoDecimalsOrASignAreRefusedAndTheRowsAddUpToTheBalance) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TDepositi, QStringLiteral("1263,05"), QStringLiteral("Stipendio"));

    bool focusAfterTab = false;
    DopoIlRifiuto decimali, segno;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        // Leaving the box with three decimals.
        scrivi(d.EditImporto, QStringLiteral("12,345"));
        QTest::keyClick(d.EditImporto, Qt::Key_Tab);
        QApplication::processEvents();
        focusAfterTab = haIlFocus(d.EditImporto);
        // Enter with them still in the box.
        QTest::keyClick(d.EditImporto, Qt::Key_Return);
        QApplication::processEvents();
        decimali = {d.isVisible(), haIlFocus(d.EditImporto), d.EditImporto->text(), {}};
        // A withdrawal typed with a minus would raise the balance.
        scrivi(d.EditImporto, QStringLiteral("-50"));
        QTest::keyClick(d.EditImporto, Qt::Key_Return);
        QApplication::processEvents();
        segno = {d.isVisible(), haIlFocus(d.EditImporto), d.EditImporto->text(), {}};
        scrivi(d.EditImporto, QStringLiteral("12,35"));
        QTest::keyClick(d.EditImporto, Qt::Key_Return);
    });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);

    EXPECT_TRUE(mostrato(p.ui(), kMsgImportoDecimali));
    EXPECT_TRUE(focusAfterTab);
    EXPECT_TRUE(decimali.aperto);
    EXPECT_TRUE(decimali.focusSulCampo);
    EXPECT_EQ(decimali.importo, QStringLiteral("12,345"));
    EXPECT_TRUE(mostrato(p.ui(), kMsgImportoNegativo));
    EXPECT_TRUE(segno.aperto);
    EXPECT_EQ(segno.importo, QStringLiteral("-50"));
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    // One withdrawal, of the amount finally typed: 1.263,05 - 12,35.
    EXPECT_EQ(m.modello->rowCount(), 2);
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("12,35 €")), 0);
    EXPECT_EQ(m.Griglia->testo(1, 1), QStringLiteral("1.250,70 €"));
}

TEST(OperationDialogAmounts, TheProgrammedOperationAmountStopsAtTheCentToo) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    const int programmate = p.master().dm().TableAcc.recordCount();
    DopoIlRifiuto rifiuto;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        QTest::mouseClick(d.CBInsAuto, Qt::LeftButton);
        scrivi(d.EditImporto, QStringLiteral("9,999"));
        scrivi(d.EditDescrizione, QStringLiteral("Canone"));
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
        rifiuto = {d.isVisible(), haIlFocus(d.EditImporto), d.EditImporto->text(), d.EditDescrizione->text()};
        QTest::mouseClick(d.BitBtnAnnulla, Qt::LeftButton);
    });
    QTest::mouseClick(m.TAddebiti, Qt::LeftButton);
    EXPECT_TRUE(mostrato(p.ui(), kMsgImportoDecimali));
    EXPECT_TRUE(rifiuto.aperto);
    EXPECT_TRUE(rifiuto.focusSulCampo);
    EXPECT_EQ(rifiuto.descrizione, QStringLiteral("Canone"));
    EXPECT_EQ(m.modello->rowCount(), 0);
    EXPECT_EQ(p.master().dm().TableAcc.recordCount(), programmate);
}

TEST(OperationDialogAmounts, AValueDateCorrectedInTheModifyModeIsStored) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    p.registra(m.TPrelievi, QStringLiteral("15"), QStringLiteral("Libri"));
    selezionaUnico(p, QStringLiteral("Prelievo"), QStringLiteral("15,00 €"));

    // The bank valued it two days after the booking date.
    p.allaComparsaDelDialogo([](TFormOperazione& d, int) {
        scrivi(d.EditValuta, QStringLiteral("20/03/2026"));
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
    });
    m.Modifica1->trigger();
    int row = p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("15,00 €"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::DATA).data().toString(), QStringLiteral("18/03/2026"));
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::VALUTA).data().toString(), QStringLiteral("20/03/2026"));

    // Left as shown, the box does not hold the date: a new booking date brings its own value date.
    p.attivaFinestra();
    m.DBGrid1->selectRow(row);
    QString shown;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        shown = d.EditValuta->text();
        d.Calendario->setSelectedDate(QDate(2026, 3, 16));
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
    });
    m.Modifica1->trigger();
    EXPECT_EQ(shown, QStringLiteral("20/03/2026"));
    row = p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("15,00 €"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::VALUTA).data().toString(), QStringLiteral("16/03/2026"));
}

TEST(OperationDialogAmounts, ARefusedConfirmationKeepsTheDialogWithTheUsersValues) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();

    // Enter with an amount that is no number: the confirmation's own message, the dialog stays.
    DopoIlRifiuto numero;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        scrivi(d.EditDescrizione, QStringLiteral("Spesa"));
        scrivi(d.EditImporto, QStringLiteral("12.5"));
        QTest::keyClick(d.EditImporto, Qt::Key_Return);
        numero = {d.isVisible(), haIlFocus(d.EditImporto), d.EditImporto->text(), d.EditDescrizione->text()};
        QTest::keyClick(d.EditImporto, Qt::Key_Escape);
    });
    QTest::mouseClick(m.TImposte, Qt::LeftButton);
    EXPECT_TRUE(mostrato(p.ui(), "'12.5' is not a valid floating point value"));
    EXPECT_TRUE(numero.aperto);
    EXPECT_TRUE(numero.focusSulCampo);
    EXPECT_EQ(numero.importo, QStringLiteral("12.5"));
    EXPECT_EQ(numero.descrizione, QStringLiteral("Spesa"));
    EXPECT_EQ(p.comparseDelDialogo(), 1);

    // A character the file cannot hold: the table's own message, the focus on the description.
    DopoIlRifiuto carattere;
    p.ui().clearShownBoxes();
    p.attivaFinestra();
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        scrivi(d.EditImporto, QStringLiteral("30"));
        scrivi(d.EditDescrizione, QStringLiteral("Viaggio a Łódź"));
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
        carattere = {d.isVisible(), haIlFocus(d.EditDescrizione), d.EditImporto->text(), d.EditDescrizione->text()};
        scrivi(d.EditDescrizione, QStringLiteral("Viaggio a Lodz"));
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
    });
    QTest::mouseClick(m.TPrelievi, Qt::LeftButton);
    ASSERT_EQ(p.ui().shownBoxes().size(), 1u);
    EXPECT_NE(p.ui().shownBoxes()[0].text.find("'Ł'"), std::string::npos);
    EXPECT_TRUE(carattere.aperto);
    EXPECT_TRUE(carattere.focusSulCampo);
    EXPECT_EQ(carattere.importo, QStringLiteral("30"));
    EXPECT_EQ(carattere.descrizione, QStringLiteral("Viaggio a Łódź"));
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    const int row = p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("30,00 €"));
    ASSERT_GE(row, 0);
    EXPECT_EQ(m.modello->index(row, LedgerTableModel::COMMENTO).data().toString(), QStringLiteral("Viaggio a Lodz"));

    // In the modify mode the movement is not touched while the dialog waits for a storable text.
    p.attivaFinestra();
    m.DBGrid1->selectRow(row);
    const int righe = m.modello->rowCount();
    bool modificaAperta = false;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        scrivi(d.EditImporto, QStringLiteral("31"));
        scrivi(d.EditDescrizione, QStringLiteral("Łuk"));
        QTest::keyClick(d.EditDescrizione, Qt::Key_Return);
        modificaAperta = d.isVisible() && haIlFocus(d.EditDescrizione);
        QTest::keyClick(d.EditDescrizione, Qt::Key_Escape);
    });
    m.Modifica1->trigger();
    EXPECT_TRUE(modificaAperta);
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Prelievo"), QStringLiteral("30,00 €")), 0);
    EXPECT_EQ(m.modello->rowCount(), righe);
}

} // namespace
} // namespace valmora::gui::test
