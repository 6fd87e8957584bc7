// The main window as a careful user finds it: Italian everywhere, a status bar that follows the account, the
// search on Enter, the tooltip of the row under the mouse, the running balance and the last accounts opened.

#include "GuiTestSupport.h"

#include "gui/ContiRecenti.h"
#include "gui/GrigliaValori.h"
#include "gui/Italiano.h"
#include "gui/LedgerTableModel.h"
#include "gui/TFormCalendario.h"
#include "mainwindow/SaldoProgressivo.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFileDialog>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

void movimento(ProgrammaDiProva& p, QToolButton* comando, const QString& importo, const QString& descrizione,
               QDate data = {}) {
    p.attivaFinestra();
    p.allaComparsaDelDialogo([=](TFormOperazione& d, int) {
        if (data.isValid())
            d.Calendario->setSelectedDate(data);
        ProgrammaDiProva::digita(d, importo, descrizione);
    });
    QTest::mouseClick(comando, Qt::LeftButton);
}

QString cella(TFormMaster& m, int row, int column) {
    return m.modello->index(row, column).data().toString();
}

// What a modal file dialog shows: its "look in" caption and whether it asks before replacing a file.
struct DialogoFile {
    bool mostrato = false;
    bool chiedeSeSostituire = true;
    QString cercaIn;
};

// Answers the next file dialog with Cancel after looking at it.
void guardaIlDialogoFile(DialogoFile& visto) {
    QTimer::singleShot(0, [&visto] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        visto.mostrato = true;
        visto.chiedeSeSostituire = !dialog->testOption(QFileDialog::DontConfirmOverwrite);
        if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("lookInLabel")))
            visto.cercaIn = label->text();
        dialog->reject();
    });
}

TEST(Italiano, QtDialogsAndCalendarsSpeakItalian) {
    ProgrammaDiProva p;
    // Qt's own texts come from its Italian translations, found in Qt's translations folder.
    ASSERT_TRUE(ImpostaItaliano()) << CartellaTraduzioniQt().toStdString();
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Save"), QStringLiteral("Save"));

    // The export copies over what it finds: there Qt's question whether to replace a file stays.
    p.nuovoConto();
    p.ui().setAnswerUnqueuedByDefault(false);
    DialogoFile esporta;
    guardaIlDialogoFile(esporta);
    p.master().Esporta1->trigger();
    ASSERT_TRUE(esporta.mostrato);
    EXPECT_TRUE(esporta.chiedeSeSostituire);

    // "&Nuovo" answers a name in use itself ("Conto già esistente!"): its file dialog does not ask.
    DialogoFile nuovo;
    guardaIlDialogoFile(nuovo);
    p.master().Nuovo1->trigger();
    ASSERT_TRUE(nuovo.mostrato);
    EXPECT_FALSE(nuovo.chiedeSeSostituire);
    EXPECT_FALSE(nuovo.cercaIn.isEmpty());
    EXPECT_NE(nuovo.cercaIn, QStringLiteral("Look in:"));
    p.ui().setAnswerUnqueuedByDefault(true);

    // Every calendar names months and days in Italian, the week starting on Monday.
    TFormCalendario& calendario = *p.master().Calendario;
    calendario.mostra(QDate(2026, 12, 9));
    for (QCalendarWidget* c : {p.dialogo().Calendario, calendario.MonthCalendar1}) {
        EXPECT_EQ(c->locale().language(), QLocale::Italian);
        EXPECT_EQ(c->firstDayOfWeek(), Qt::Monday);
    }
    const auto* mese = calendario.MonthCalendar1->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(mese, nullptr);
    EXPECT_EQ(mese->text().toLower(), QStringLiteral("dicembre"));
    calendario.close();
}

TEST(MainWindowUsability, StatusBarSearchOnEnterAndTheTooltipOfTheRowUnderTheMouse) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    movimento(p, m.TDepositi, QStringLiteral("100"), QStringLiteral("Stipendio"));
    movimento(p, m.TPrelievi, QStringLiteral("30"), QStringLiteral("Affitto"));
    ASSERT_EQ(m.modello->rowCount(), 2);

    // The tooltip is the description of the row under the mouse, not of the selected one.
    p.attivaFinestra();
    m.DBGrid1->selectRow(0);
    const QRect riga1 = m.DBGrid1->visualRect(m.modello->index(1, LedgerTableModel::TIPO));
    QHelpEvent suggerimento(QEvent::ToolTip, riga1.center(), m.DBGrid1->viewport()->mapToGlobal(riga1.center()));
    QApplication::sendEvent(m.DBGrid1->viewport(), &suggerimento);
    EXPECT_EQ(QToolTip::text(), cella(m, 1, LedgerTableModel::COMMENTO));
    EXPECT_NE(cella(m, 0, LedgerTableModel::COMMENTO), cella(m, 1, LedgerTableModel::COMMENTO));
    QToolTip::hideText();

    // Enter in the search box searches, as "&Vai" does.
    m.EditCerca->setFocus();
    QTest::keyClicks(m.EditCerca, QStringLiteral("Aff"));
    QTest::keyClick(m.EditCerca, Qt::Key_Return);
    ASSERT_EQ(m.modello->rowCount(), 1);
    EXPECT_EQ(cella(m, 0, LedgerTableModel::COMMENTO), QStringLiteral("Affitto"));
    EXPECT_EQ(m.StatusPanel[2]->text(), QStringLiteral("Filtro Attivo!"));
    EXPECT_EQ(m.StatusPanel[1]->text(), QStringLiteral("Modifiche da Salvare!"));

    // Closed (the changes not kept), the account takes its notices with it.
    p.ui().queueAnswer(Answer::No);
    m.Chiudi1->trigger();
    ASSERT_FALSE(m.contoAperto());
    EXPECT_EQ(m.StatusPanel[1]->text(), QString());
    EXPECT_EQ(m.StatusPanel[2]->text(), QString());
    EXPECT_FALSE(m.TSalva->isEnabled());
}

TEST(MainWindowUsability, TheSaldoColumnIsTheBalanceByValueDateAfterEachRow) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    EXPECT_EQ(m.modello->headerData(LedgerTableModel::SALDO, Qt::Horizontal, Qt::DisplayRole).toString(),
              QStringLiteral("Saldo"));
    EXPECT_FALSE(m.DBGrid1->isColumnHidden(LedgerTableModel::SALDO));
    movimento(p, m.TDepositi, QStringLiteral("1000"), QStringLiteral("Stipendio"), QDate(2026, 3, 2));
    movimento(p, m.TPrelievi, QStringLiteral("200,5"), QStringLiteral("Spesa"), QDate(2026, 3, 5));
    // Off-account: outside the balance.
    movimento(p, m.TContante, QStringLiteral("50"), QStringLiteral("Regalo"), QDate(2026, 3, 6));
    // Valued after today: it does not count yet.
    movimento(p, m.TAddebiti, QStringLiteral("70"), QStringLiteral("Luce"), QDate(2026, 3, 25));
    ASSERT_EQ(m.modello->rowCount(), 4);
    const QStringList attesi = {QStringLiteral("1.000,00 €"), QStringLiteral("799,50 €"), QStringLiteral("799,50 €"),
                                QStringLiteral("799,50 €")};
    for (int r = 0; r < 4; ++r)
        EXPECT_EQ(cella(m, r, LedgerTableModel::SALDO), attesi[r]) << "riga " << r;
    // The last row holds what the totals grid calls SALDO.
    EXPECT_EQ(cella(m, 3, LedgerTableModel::SALDO), m.Griglia->testo(1, 1));
    EXPECT_EQ(m.modello->index(0, LedgerTableModel::SALDO).data(Qt::TextAlignmentRole).value<int>() & Qt::AlignRight,
              Qt::AlignRight);

    // Hidden from the "&Visualizza" menu, and still hidden at the next run.
    m.ColonnaSaldo1->trigger();
    EXPECT_TRUE(m.DBGrid1->isColumnHidden(LedgerTableModel::SALDO));
    ProgrammaDiProva seconda(p.fileImpostazioni());
    EXPECT_FALSE(seconda.master().ColonnaSaldo1->isChecked());
    EXPECT_TRUE(seconda.master().DBGrid1->isColumnHidden(LedgerTableModel::SALDO));
}

TEST(MainWindowUsability, TheMonthlySummaryIsPreviewedBeforeItIsPrinted) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    movimento(p, m.TDepositi, QStringLiteral("100"), QStringLiteral("Stipendio"));
    p.ui().setAnswerUnqueuedByDefault(false);
    const std::size_t messaggi = p.ui().shownBoxes().size();
    int pagine = -1;
    QString titolo;
    QTimer::singleShot(0, [&] {
        auto* anteprima = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (!anteprima)
            return;
        titolo = anteprima->windowTitle();
        if (auto* pagineMostrate = anteprima->findChild<QPrintPreviewWidget*>()) {
            pagineMostrate->updatePreview();
            pagine = pagineMostrate->pageCount();
        }
        anteprima->reject(); // closed without printing
    });
    m.StampaRiepilogo1->trigger();
    p.ui().setAnswerUnqueuedByDefault(true);
    EXPECT_EQ(titolo, QStringLiteral("Anteprima di Stampa - Riepilogo Mensile"));
    // One month and the year's figures: one page, with no page of the heading alone after it.
    EXPECT_EQ(pagine, 1);
    EXPECT_EQ(p.ui().shownBoxes().size(), messaggi); // drawn without an error
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Accredito"), QStringLiteral("100,00 €")), 0);
}

TEST(SaldoProgressivo, EachMovementCountsAsTheScanCountsIt) {
    const Date oggi = OggiDiProva();
    const Date ieri = oggi.addDays(-1);
    const Money cento = Money::fromWhole(100);
    EXPECT_EQ(EffettoSulSaldo("Accredito", "Bonifico", cento, ieri, oggi), cento);
    EXPECT_EQ(EffettoSulSaldo("Prelievo", "Sportello", cento, oggi, oggi), -cento);
    EXPECT_EQ(EffettoSulSaldo("Imposta", "Bolli", cento, ieri, oggi), -cento);
    EXPECT_EQ(EffettoSulSaldo("Addebito", "Gas", cento, oggi.addDays(1), oggi), Money());
    EXPECT_EQ(EffettoSulSaldo("Accredito", "Regalo", cento, ieri, oggi), Money()); // not a type of credits
    EXPECT_EQ(EffettoSulSaldo("FuoriConto", "Entrate", cento, ieri, oggi), Money());
    EXPECT_EQ(EffettoSulSaldo("Interessi", "Creditore", cento, ieri, oggi), cento);
    EXPECT_EQ(EffettoSulSaldo("Interessi", "Debitore", -cento, ieri, oggi), -cento);
    EXPECT_EQ(EffettoSulSaldo("Notifica", "Saldo Anno P.", cento, ieri, oggi), cento);
    EXPECT_EQ(EffettoSulSaldo("Notifica", "Variazione", cento, ieri, oggi), Money());
}

TEST(MainWindowUsability, TheLastAccountsOpenedAreInTheContoMenu) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    EXPECT_TRUE(m.recenti_->voci().isEmpty());
    p.nuovoConto("primo.dbf");
    p.nuovoConto("secondo.dbf");
    ASSERT_EQ(m.recenti_->voci().size(), 2);
    EXPECT_EQ(m.recenti_->voci()[0]->text(), QStringLiteral("&1 secondo.dbf"));
    EXPECT_EQ(m.recenti_->voci()[1]->text(), QStringLiteral("&2 primo.dbf"));
    EXPECT_TRUE(m.MenuConto->actions().contains(m.recenti_->voci()[0]));

    // Each opens its account as "&Apri" does, and goes to the top.
    m.recenti_->voci()[1]->trigger();
    ASSERT_TRUE(m.contoAperto());
    EXPECT_EQ(m.windowTitle(), QStringLiteral("Valmora 4.1.0 - primo.dbf"));
    EXPECT_EQ(m.recenti_->voci()[0]->text(), QStringLiteral("&1 primo.dbf"));

    // Kept for the next run, each account once.
    p.nuovoConto("terzo.dbf");
    ProgrammaDiProva seconda(p.fileImpostazioni());
    const QStringList elenco = seconda.master().recenti_->elenco();
    ASSERT_EQ(elenco.size(), 3);
    EXPECT_TRUE(elenco[0].endsWith(QStringLiteral("/terzo.dbf")));
    EXPECT_TRUE(elenco[1].endsWith(QStringLiteral("/primo.dbf")));
    EXPECT_TRUE(elenco[2].endsWith(QStringLiteral("/secondo.dbf")));
}

} // namespace
} // namespace valmora::gui::test
