// The programmed-operations tab: an operation added through the operation dialog in its programmed
// mode, changed with a double-click, deleted, and "&Rielabora" with its warning.

#include "DialogTestSupport.h"

#include "gui/TFormImpostazioni.h"
#include "model/TDM.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

TEST(DialogAutomatiche, ProgrammedOperationAddedChangedAndDeletedThroughTheOperationDialog) {
    ContoConDialoghi c;
    c.nuovoConto();
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(2);
        QTableWidget* g = d.GrigliaAcc;
        const QStringList titoli{"Descrizione", "Importo", "Operaz.", "Tipo", "Frequenza", "Inizio", "Gior."};
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(g->horizontalHeaderItem(i)->text(), titoli[i]);
        EXPECT_GT(g->columnWidth(0), g->columnWidth(1)); // 20 characters against 10
        const int righe0 = g->rowCount();

        // "&Nuovo": Accredito, Bonifico, Mensile from this month, without value date or second button.
        allaComparsa(c.operazione(), [](TFormOperazione& o) {
            EXPECT_EQ(o.LabelPanel->text(), QStringLiteral("Operazione Automatica"));
            EXPECT_EQ(o.ComboOp->currentText(), QStringLiteral("Accredito"));
            EXPECT_EQ(o.ComboBoxTipo->currentText(), QStringLiteral("Bonifico"));
            EXPECT_EQ(o.CBFrequenza->currentText(), QStringLiteral("Mensile"));
            EXPECT_EQ(o.CBMeseInizio->currentText(), QStringLiteral("Marzo"));
            EXPECT_TRUE(o.EditValuta->isHidden());
            EXPECT_TRUE(o.BitBtnNuovaOp->isHidden());
            EXPECT_TRUE(o.CBInsAuto->isChecked());
            ContoConDialoghi::scriviIn(o.EditImporto, QStringLiteral("1500"));
            ContoConDialoghi::scriviIn(o.EditDescrizione, QStringLiteral("Stipendio di prova"));
            o.CBGiorno->setCurrentText(QStringLiteral("27"));
            QTest::mouseClick(o.BitBtnConferma, Qt::LeftButton);
        });
        QTest::mouseClick(d.BTNuovoAcc, Qt::LeftButton);
        ContoConDialoghi::attiva(&d);
        ASSERT_EQ(g->rowCount(), righe0 + 1);
        int riga = -1;
        for (int r = 0; r < g->rowCount(); ++r)
            if (g->item(r, 0)->text() == QStringLiteral("Stipendio di prova"))
                riga = r;
        ASSERT_GE(riga, 0);
        EXPECT_EQ(g->item(riga, 2)->text(), QStringLiteral("Accredito"));
        EXPECT_EQ(g->item(riga, 6)->text(), QStringLiteral("27"));
        EXPECT_TRUE(c.master().Stato().ModificheDaSalvare);

        // A double-click is "&Modifica", on the row's values.
        allaComparsa(c.operazione(), [](TFormOperazione& o) {
            EXPECT_EQ(o.LabelPanel->text(), QStringLiteral("Modifica Operazione Automatica"));
            EXPECT_EQ(o.EditImporto->text(), QStringLiteral("1500"));
            EXPECT_EQ(o.CBGiorno->currentText(), QStringLiteral("27"));
            ContoConDialoghi::scriviIn(o.EditImporto, QStringLiteral("1620,5"));
            QTest::mouseClick(o.BitBtnConferma, Qt::LeftButton);
        });
        g->selectRow(riga);
        ContoConDialoghi::doppioClic(g, g->visualItemRect(g->item(riga, 0)));
        ContoConDialoghi::attiva(&d);
        ASSERT_EQ(g->rowCount(), righe0 + 1);
        EXPECT_TRUE(g->item(riga, 1)->text().startsWith(QStringLiteral("1.620,50")))
            << g->item(riga, 1)->text().toStdString();

        // "&Elimina" asks first; Yes deletes the row.
        g->selectRow(riga);
        c.ui().queueAnswer(Answer::Yes);
        QTest::mouseClick(d.BTEliminaAcc, Qt::LeftButton);
        EXPECT_EQ(c.ui().shownBoxes().back().text, "Cancellare i valori correnti");
        EXPECT_EQ(g->rowCount(), righe0);
        d.OKBtn->click();
    });
}

TEST(DialogAutomatiche, RielaboraWarnsFirstAndNoEndsThere) {
    ContoConDialoghi c;
    c.nuovoConto();
    const auto prima = c.movimenti();
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(2);
        EXPECT_EQ(d.BtnRielabora->text(), QStringLiteral("&Rielabora"));
        c.ui().queueAnswer(Answer::No);
        QTest::mouseClick(d.BtnRielabora, Qt::LeftButton);
        const auto& box = c.ui().shownBoxes().back();
        EXPECT_EQ(box.text, "Attenzione!\nContinuando verranno riproposte tutte le operazioni in automatico senza "
                            "cancellare quelle già inserite!");
        EXPECT_EQ(box.buttons, Buttons::NoOk);
        d.CancelBtn->click();
    });
    EXPECT_EQ(c.movimenti(), prima);
}

} // namespace
} // namespace valmora::gui::test
