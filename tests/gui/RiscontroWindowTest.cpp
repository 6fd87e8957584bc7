// "Riscontro con la banca..." driven as a user drives it: the menu item, the file chosen, the four groups and
// the totals, a bank-only line entered through the operation dialog filled with its values, the check printed
// and saved as PDF, a broken file refused with its message.

#include "GuiTestSupport.h"
#include "print/RecordingCanvas.h"

#include "gui/TFormRiscontro.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <fstream>

namespace valmora::gui::test {
namespace {

std::string scriviFile(const ProgrammaDiProva& p, const std::string& nome, const std::string& testo) {
    const std::string percorso = p.cartella().toStdString() + "/" + nome;
    std::ofstream(percorso, std::ios::binary) << testo;
    return percorso;
}

QString cella(const QTableWidget* t, int riga, int colonna) {
    const QTableWidgetItem* item = t->item(riga, colonna);
    return item ? item->text() : QString();
}

TEST(RiscontroWindow, GroupsTotalsAndABankLineEnteredThroughTheOperationDialog) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    EXPECT_FALSE(m.RiscontroBanca1->isEnabled()); // no account open
    p.nuovoConto();
    ASSERT_TRUE(m.RiscontroBanca1->isEnabled());
    p.registra(m.TPrelievi, QStringLiteral("50"), QStringLiteral("Benzina"));

    const std::string lista = scriviFile(p, "banca.csv",
                                         "Data contabile;Data valuta;Importo;Descrizione\n"
                                         "18/03/2026;18/03/2026;-50,00;PRELIEVO BANCOMAT\n"
                                         "17/03/2026;17/03/2026;-2,50;COMMISSIONE TRIMESTRALE\n");
    p.ui().queueFile(lista);
    m.RiscontroBanca1->trigger();
    ASSERT_NE(m.Riscontro, nullptr);
    TFormRiscontro& w = *m.Riscontro;
    ASSERT_TRUE(w.isVisible());
    EXPECT_EQ(w.Gruppi[0]->rowCount(), 1);
    EXPECT_EQ(cella(w.Gruppi[0], 0, 2), QStringLiteral("-50,00 €"));
    EXPECT_EQ(cella(w.Gruppi[0], 0, 3), QStringLiteral("PRELIEVO BANCOMAT"));
    EXPECT_EQ(cella(w.Gruppi[0], 0, 6), QStringLiteral("Benzina"));
    EXPECT_EQ(w.Gruppi[1]->rowCount(), 0);
    ASSERT_EQ(w.Gruppi[2]->rowCount(), 1);
    // The charge the account's conditions put on the withdrawal, which this bank never took.
    ASSERT_EQ(w.Gruppi[3]->rowCount(), 1);
    EXPECT_EQ(cella(w.Gruppi[3], 0, 2), QStringLiteral("-10,00 €"));
    EXPECT_EQ(cella(w.Gruppi[3], 0, 3), QStringLiteral("Imposta"));
    EXPECT_EQ(w.TitoliGruppi[2]->text(), QStringLiteral("Solo in banca (1)"));
    EXPECT_TRUE(w.LabelTotali->text().contains(QStringLiteral("Differenza: 7,50 €")));
    EXPECT_FALSE(w.BInserisci->isEnabled()); // nothing chosen yet

    w.Gruppi[2]->selectRow(0);
    ASSERT_TRUE(w.BInserisci->isEnabled());
    ASSERT_EQ(w.ComboInserimento->count(), 3); // money out: withdrawal, debit or tax
    w.ComboInserimento->setCurrentText(QStringLiteral("Imposta"));

    QString intestazione, importo, descrizione;
    QDate data;
    p.allaComparsaDelDialogo([&](TFormOperazione& d, int) {
        intestazione = d.LabelPanel->text();
        importo = d.EditImporto->text();
        descrizione = d.EditDescrizione->text();
        data = d.Calendario->selectedDate();
        d.ComboBoxTipo->setCurrentText(QStringLiteral("Generica")); // the user picks the type
        QTest::mouseClick(d.BitBtnConferma, Qt::LeftButton);
    });
    QTest::mouseClick(w.BInserisci, Qt::LeftButton);
    EXPECT_EQ(p.comparseDelDialogo(), 1);
    EXPECT_EQ(intestazione, QStringLiteral("Imposta"));
    EXPECT_EQ(importo, QStringLiteral("2,5"));
    EXPECT_EQ(descrizione, QStringLiteral("COMMISSIONE TRIMESTRALE"));
    EXPECT_EQ(data, QDate(2026, 3, 17));
    EXPECT_GE(p.rigaDelMovimento(QStringLiteral("Imposta"), QStringLiteral("2,50 €")), 0);

    // The check is made again: the new movement pairs with the bank's line.
    EXPECT_EQ(w.Gruppi[0]->rowCount(), 2);
    EXPECT_EQ(w.Gruppi[2]->rowCount(), 0);
    EXPECT_TRUE(w.LabelTotali->text().contains(QStringLiteral("Differenza: 10,00 €")));
    EXPECT_FALSE(w.BInserisci->isEnabled());

    auto canvas = std::make_shared<valmora::test::RecordingCanvas>(2400, 3400);
    p.ui().queuePrintCanvas(canvas);
    QTest::mouseClick(w.BStampa, Qt::LeftButton);
    const std::vector<std::string> stampa = canvas->transcript();
    ASSERT_FALSE(stampa.empty());
    EXPECT_EQ(stampa.front(), "Riscontro con la banca");
    EXPECT_NE(std::find(stampa.begin(), stampa.end(), "Movimenti concordanti (2)"), stampa.end());
    EXPECT_EQ(canvas->ended, 1);

    const std::string pdf = p.cartella().toStdString() + "/riscontro.pdf";
    p.ui().queueFile(pdf);
    QTest::mouseClick(w.BSalvaPdf, Qt::LeftButton);
    QFile file(QString::fromStdString(pdf));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    // A real PDF reader finds the check's text in it.
    QProcess lettore;
    lettore.start(QStringLiteral("pdftotext"), {QString::fromStdString(pdf), QStringLiteral("-")});
    ASSERT_TRUE(lettore.waitForFinished(30000));
    const QString testoPdf = QString::fromUtf8(lettore.readAllStandardOutput());
    EXPECT_TRUE(testoPdf.contains(QStringLiteral("Riscontro con la banca"))) << testoPdf.toStdString();
    EXPECT_TRUE(testoPdf.contains(QStringLiteral("COMMISSIONE TRIMESTRALE"))) << testoPdf.toStdString();

    // Closing the account closes the check of it.
    p.ui().queueAnswer(Answer::No);
    m.Chiudi1->trigger();
    EXPECT_FALSE(w.isVisible());
}

TEST(RiscontroWindow, ABrokenFileShowsItsMessageAndNoWindow) {
    ProgrammaDiProva p;
    TFormMaster& m = p.master();
    p.nuovoConto();
    const std::string lista = scriviFile(p, "rotto.csv", "Data;Importo\n18/03/2026;1,00\n");
    p.ui().queueFile(lista);
    m.RiscontroBanca1->trigger();
    EXPECT_EQ(m.Riscontro, nullptr);
    ASSERT_FALSE(p.ui().shownBoxes().empty());
    EXPECT_EQ(p.ui().shownBoxes().back().text,
              "Il file \"" + lista +
                  "\" non è un elenco di movimenti: manca la colonna della data valuta (\"Valuta\" o \"Data valuta\").");
    // Cancelling the file dialog does nothing at all.
    const std::size_t messaggi = p.ui().shownBoxes().size();
    p.ui().queueFile(std::nullopt);
    m.RiscontroBanca1->trigger();
    EXPECT_EQ(m.Riscontro, nullptr);
    EXPECT_EQ(p.ui().shownBoxes().size(), messaggi);
}

} // namespace
} // namespace valmora::gui::test
