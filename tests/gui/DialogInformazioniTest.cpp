// The information window, the terms-of-use viewer, the help window with its topics and the calendar.

#include "DialogTestSupport.h"

#include "gui/CartellaDati.h"
#include "gui/HelpViewer.h"
#include "gui/TFormCalendario.h"
#include "gui/TFormImpostazioni.h"
#include "gui/TInformazioni.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

QString licenzaSorgente() {
    return QStringLiteral(VALMORA_TESTS_DIR "/../src/gui/data/Licenza.txt");
}

QString leggiUtf8(const QString& percorso) {
    QFile f(percorso);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << percorso.toStdString();
    return QString::fromUtf8(f.readAll());
}

TEST(DialogInformazioni, InformationWindowShowsTitleAndFileVersion) {
    ContoConDialoghi c;
    TInformazioni* info = c.master().Informazioni;
    bool visto = false;
    QTimer::singleShot(0, info, [&] {
        visto = true;
        EXPECT_TRUE(info->isModal());
        EXPECT_EQ(info->windowTitle(), QStringLiteral("Informazioni"));
        EXPECT_EQ(info->size(), QSize(330, 165));
        EXPECT_EQ(info->LabelTitolo->text(), QStringLiteral("Valmora 4.1.0"));
        EXPECT_EQ(info->LabelVersione->text(), QStringLiteral("Versione File: 040106"));
        EXPECT_FALSE(info->RichEdit1->isVisible());
        info->accept();
    });
    c.master().Informazionisu1->trigger();
    EXPECT_TRUE(visto);
}

TEST(DialogInformazioni, TermsAreShownUnchangedAndAMissingFileIsReportedWithItsError) {
    ContoConDialoghi c;
    TInformazioni* info = c.master().Informazioni;
    const QString testo = leggiUtf8(licenzaSorgente());
    ASSERT_TRUE(testo.contains(QStringLiteral("Licenza MIT (traduzione italiana non ufficiale)")));

    EXPECT_TRUE(info->mostraCondizioni(licenzaSorgente()).isEmpty());
    EXPECT_TRUE(info->isVisible());
    EXPECT_FALSE(info->isModal());
    EXPECT_EQ(info->windowTitle(), QStringLiteral("Condizioni di Utilizzo"));
    EXPECT_EQ(info->size(), QSize(544, 444));
    EXPECT_EQ(info->RichEdit1->toPlainText(), testo);
    EXPECT_TRUE(info->RichEdit1->isReadOnly());
    info->close();

    const QString mancante = c.cartella() + QStringLiteral("/Licenza.txt");
    EXPECT_FALSE(info->mostraCondizioni(mancante).isEmpty());
    EXPECT_FALSE(info->isVisible());

    // From the menu the file is taken from the program's folder: shown when it is there, else its error.
    c.ui().clearShownBoxes();
    c.master().CondizionidiUtilizzo1->trigger();
    const QString accanto = valmora::gui::fileLicenza();
    if (QFile::exists(accanto)) {
        EXPECT_TRUE(info->isVisible());
        EXPECT_EQ(info->RichEdit1->toPlainText(), leggiUtf8(accanto));
    } else {
        ASSERT_EQ(c.ui().shownBoxes().size(), 1u);
        EXPECT_NE(c.ui().shownBoxes().front().text.find("Licenza.txt"), std::string::npos);
        EXPECT_FALSE(info->isVisible());
    }
    info->close();
}

TEST(DialogInformazioni, HelpTopicsOpenTheirPagesAndF1TheContents) {
    ContoConDialoghi c;
    HelpViewer* guida = c.dialoghi().guida();

    // Every page is there, has a title, and every link in it leads to a page of the help.
    for (const QUrl& pagina : HelpViewer::tuttePagine()) {
        const QString percorso = pagina.toLocalFile();
        ASSERT_TRUE(QFile::exists(percorso)) << percorso.toStdString();
        const QString html = leggiUtf8(percorso);
        EXPECT_TRUE(html.contains(QStringLiteral("<h1>"))) << percorso.toStdString();
        static const QRegularExpression link(QStringLiteral("href=\"([^\"]+)\""));
        for (auto it = link.globalMatch(html); it.hasNext();) {
            const QString destinazione = it.next().captured(1);
            EXPECT_TRUE(QFile::exists(fileGuida(destinazione)))
                << percorso.toStdString() << " -> " << destinazione.toStdString();
        }
    }

    // The main window's F1 opens the contents.
    c.master().Contenuti1->trigger();
    EXPECT_TRUE(guida->isVisible());
    EXPECT_EQ(guida->Browser->source(), HelpViewer::paginaDiContesto(0));
    EXPECT_EQ(guida->Browser->documentTitle(), QStringLiteral("Guida di Valmora"));

    // Context numbers open their topics.
    const std::pair<int, const char*> argomenti[] = {
        {1, "L'elenco dei movimenti"},          {2, "La scheda di un tasso"},
        {4, "Impostazioni: tassi d'interesse"}, {5, "Impostazioni: operazioni automatiche"},
        {6, "La scheda di un movimento"},       {13, "Filtrare i movimenti"},
        {14, "Il riepilogo dei totali"},        {16, "La barra di stato"}};
    for (const auto& [contesto, titolo] : argomenti) {
        c.ui().openHelp(contesto);
        EXPECT_EQ(guida->Browser->documentTitle(), QString::fromUtf8(titolo)) << contesto;
    }
    // A number no topic carries falls back to the contents.
    c.ui().openHelp(77);
    EXPECT_EQ(guida->Browser->source(), HelpViewer::paginaDiContesto(0));
    guida->close();

    // From the settings dialog, which is modal, the window comes up usable over it.
    c.nuovoConto();
    c.impostazioni([&](TFormImpostazioni& d) {
        d.PageControl1->setCurrentIndex(0);
        QTest::mouseClick(d.BitBtn1, Qt::LeftButton);
        EXPECT_TRUE(guida->isVisible());
        EXPECT_EQ(guida->Browser->documentTitle(), QStringLiteral("Impostazioni: condizioni generali"));
        EXPECT_EQ(guida->parentWidget(), &d); // a window of the modal dialog is not blocked by it
        guida->close();
        ContoConDialoghi::attiva(&d);
        d.CancelBtn->click();
    });
}

TEST(DialogInformazioni, CalendarTogglesStaysOnTopShowsTodayAndReleasesItsButtonWhenClosed) {
    ContoConDialoghi c;
    c.nuovoConto();
    TFormCalendario* cal = c.master().Calendario;
    QToolButton* pulsante = c.master().TCalendario;
    pulsante->click();
    ASSERT_TRUE(cal->isVisible());
    EXPECT_EQ(cal->windowTitle(), QStringLiteral("Calendario"));
    EXPECT_TRUE(cal->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(cal->MonthCalendar1->selectedDate(), QDate(2026, 3, 18));
    cal->MonthCalendar1->setSelectedDate(QDate(2026, 7, 1));
    pulsante->click();
    EXPECT_FALSE(cal->isVisible());
    // Shown again, it is on today again; its own close box releases the button.
    pulsante->click();
    EXPECT_EQ(cal->MonthCalendar1->selectedDate(), QDate(2026, 3, 18));
    cal->close();
    EXPECT_FALSE(pulsante->isChecked());
}

} // namespace
} // namespace valmora::gui::test
