// The rates tab and the rate dialog: a rate added, changed and deleted as a user does it, with its
// notification following in the ledger, and the refusal of a date that is no date.

#include "DialogTestSupport.h"

#include "gui/LedgerTableModel.h"
#include "gui/TFormImpostazioni.h"
#include "gui/TFormTassi.h"
#include "model/TDM.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <algorithm>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

const std::string kNotifica = "|Notifica|Variazione|0|Variazione Tassi d'interesse";

long notifiche(ContoConDialoghi& c, const std::string& data) {
    const auto righe = c.movimenti();
    return std::count(righe.begin(), righe.end(), data + "|" + data + kNotifica);
}

int rigaDellaData(QTableWidget* g, const QString& data) {
    for (int r = 0; r < g->rowCount(); ++r)
        if (g->item(r, 0)->text() == data)
            return r;
    return -1;
}

TEST(DialogTassi, RateAddedChangedAndDeletedWithItsNotificationInTheLedger) {
    ContoConDialoghi c;
    c.nuovoConto();
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(1);
        QTableWidget* g = d.GrigliaTassi;
        const QStringList titoli{"Data Inizio", "T. Creditore",   "T. Debitore",
                                 "Ritenuta",    "Importo Soglia", "T. Soglia"};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(g->horizontalHeaderItem(i)->text(), titoli[i]);
        EXPECT_GE(g->columnWidth(0), 62);
        EXPECT_GE(g->columnWidth(3), 55);
        EXPECT_EQ(g->editTriggers(), QAbstractItemView::NoEditTriggers);
        const int righe0 = g->rowCount();

        // "&Nuovo": today's date and the usual rates, the focus on the date.
        allaComparsa(*c.dialoghi().tassi(), [](TFormTassi& t) {
            EXPECT_EQ(t.windowTitle(), QStringLiteral("Nuovo Tasso"));
            EXPECT_EQ(QApplication::focusWidget(), t.EData);
            EXPECT_EQ(t.EData->text(), QStringLiteral("18/03/2026"));
            EXPECT_EQ(t.ECreditore->text(), QStringLiteral("1,5"));
            EXPECT_EQ(t.EDebitore->text(), QStringLiteral("13"));
            EXPECT_EQ(t.ERitenuta->text(), QStringLiteral("27"));
            QTest::keyClicks(t.EData, QStringLiteral("01/04/2026"));
            QTest::keyClick(t.EData, Qt::Key_Tab);
            QTest::keyClicks(t.ECreditore, QStringLiteral("2,25"));
            QTest::mouseClick(t.BNInserisci, Qt::LeftButton);
        });
        QTest::mouseClick(d.BtnNuovoTasso, Qt::LeftButton);
        ASSERT_EQ(g->rowCount(), righe0 + 1);
        int riga = rigaDellaData(g, QStringLiteral("01/04/2026"));
        ASSERT_GE(riga, 0);
        EXPECT_EQ(g->item(riga, 1)->text(), QStringLiteral("2,25%"));
        EXPECT_EQ(g->item(riga, 4)->background().color(), QColor(192, 192, 192));
        EXPECT_EQ(notifiche(c, "01/04/2026"), 1);

        // A double-click is "&Modifica": the date moves, and the notification with it.
        allaComparsa(*c.dialoghi().tassi(), [](TFormTassi& t) {
            EXPECT_EQ(t.windowTitle(), QStringLiteral("Modifica Tasso"));
            EXPECT_EQ(t.EData->text(), QStringLiteral("01/04/2026"));
            EXPECT_EQ(t.ECreditore->text(), QStringLiteral("2,25"));
            QTest::keyClicks(t.EData, QStringLiteral("15/04/2026"));
            QTest::keyClick(t.EData, Qt::Key_Return);
        });
        g->selectRow(riga);
        ContoConDialoghi::doppioClic(g, g->visualItemRect(g->item(riga, 1)));
        EXPECT_EQ(notifiche(c, "01/04/2026"), 0);
        EXPECT_EQ(notifiche(c, "15/04/2026"), 1);
        riga = rigaDellaData(g, QStringLiteral("15/04/2026"));
        ASSERT_GE(riga, 0);

        // "&Elimina" answered No deletes nothing; Yes deletes the rate and its notification.
        c.master().Stato().ModificheDaSalvare = false;
        g->selectRow(riga);
        c.ui().queueAnswer(Answer::No);
        QTest::mouseClick(d.BtnEliminaTasso, Qt::LeftButton);
        EXPECT_EQ(g->rowCount(), righe0 + 1);
        EXPECT_FALSE(c.master().Stato().ModificheDaSalvare);
        c.ui().queueAnswer(Answer::Yes);
        QTest::mouseClick(d.BtnEliminaTasso, Qt::LeftButton);
        EXPECT_EQ(c.ui().shownBoxes().back().text, "Cancellare i valori correnti");
        EXPECT_EQ(g->rowCount(), righe0);
        EXPECT_EQ(rigaDellaData(g, QStringLiteral("15/04/2026")), -1);
        EXPECT_EQ(notifiche(c, "15/04/2026"), 0);
        EXPECT_TRUE(c.master().Stato().ModificheDaSalvare);
        EXPECT_EQ(c.ui().scansioni, 0); // rates are written at once; the interest waits for OK
        d.OKBtn->click();
    });
    EXPECT_EQ(c.ui().scansioni, 1);
}

TEST(DialogTassi, RateKeptAfterAnnullaAndShownInTheLedgerGrid) {
    ContoConDialoghi c;
    c.nuovoConto();
    c.ui().scansioni = 0;
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(1);
        allaComparsa(*c.dialoghi().tassi(), [](TFormTassi& t) {
            QTest::keyClicks(t.EData, QStringLiteral("01/03/2026"));
            t.BNInserisci->click();
        });
        d.BtnNuovoTasso->click();
        d.CancelBtn->click();
    });
    EXPECT_EQ(c.ui().scansioni, 0);
    EXPECT_EQ(notifiche(c, "01/03/2026"), 1);
    LedgerTableModel* m = c.master().modello;
    bool inGriglia = false;
    for (int r = 0; r < m->rowCount(); ++r)
        inGriglia |= m->index(r, LedgerTableModel::COMMENTO).data().toString() ==
                         QStringLiteral("Variazione Tassi d'interesse") &&
                     m->index(r, LedgerTableModel::VALUTA).data().toString() == QStringLiteral("01/03/2026");
    EXPECT_TRUE(inGriglia);
}

TEST(DialogTassi, ADateOrRateThatDoesNotConvertIsRefusedInItalianAndNothingIsWritten) {
    ContoConDialoghi c;
    c.nuovoConto();
    const auto prima = c.movimenti();
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(1);
        const int righe0 = d.GrigliaTassi->rowCount();
        allaComparsa(*c.dialoghi().tassi(), [](TFormTassi& t) {
            QTest::keyClicks(t.EData, QStringLiteral("31/02/2026"));
            t.BNInserisci->click();
        });
        d.BtnNuovoTasso->click();
        EXPECT_EQ(c.ui().shownBoxes().back().text,
                  "\"31/02/2026\" non è una data valida.\rScrivere la data nella forma gg/mm/aaaa.");
        allaComparsa(*c.dialoghi().tassi(), [](TFormTassi& t) {
            t.ERitenuta->setText(QStringLiteral("27%"));
            t.BNInserisci->click();
        });
        d.BtnNuovoTasso->click();
        EXPECT_NE(c.ui().shownBoxes().back().text.find("\"27%\" non è un numero valido"), std::string::npos);
        EXPECT_EQ(d.GrigliaTassi->rowCount(), righe0);
        d.OKBtn->click();
    });
    EXPECT_EQ(c.movimenti(), prima);
}

} // namespace
} // namespace valmora::gui::test
