// The window parts on their own: the totals grid's drawing, the charts, the ledger grid's model over
// a real movements table, and the message boxes of the seam.

#include "GuiTestSupport.h"

#include "gui/ApplicazioneQt.h"
#include "gui/GraficiLedger.h"
#include "gui/GrigliaValori.h"
#include "gui/LedgerTableModel.h"
#include "gui/QtUserInterface.h"
#include "model/TDM.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QMessageBox>
#include <QPieSeries>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

#include <gtest/gtest.h>

#include <stdexcept>

namespace valmora::gui::test {
namespace {

TEST(GrigliaValori, CellColoursFollowRowGroupSelectionAndColumn) {
    const QColor window(255, 255, 255);
    const QColor light = GrigliaValori::kLuce3D;
    // A selected detail row takes the window colour; a selected group row keeps its grey, bold.
    EXPECT_EQ(ColoriGrigliaValori(1, 9, true, false, window, light).sfondo, window);
    const ColoriCella gruppo = ColoriGrigliaValori(0, 7, true, false, window, light);
    EXPECT_EQ(gruppo.sfondo, QColor(160, 160, 164));
    EXPECT_TRUE(gruppo.grassetto);
    // Header row: yellow on dark grey; summary rows 3-6 in light grey whatever the state.
    const ColoriCella header = ColoriGrigliaValori(0, 0, false, true, window, light);
    EXPECT_EQ(header.testo, QColor(255, 255, 0));
    EXPECT_EQ(header.sfondo, QColor(143, 143, 143));
    EXPECT_EQ(ColoriGrigliaValori(1, 4, true, false, window, light).sfondo, QColor(200, 200, 200));
    EXPECT_EQ(ColoriGrigliaValori(2, 20, false, false, window, light).testo, QColor(105, 80, 95));
    EXPECT_EQ(ColoriGrigliaValori(1, 20, false, false, window, light).testo, QColor(0, 0, 0));
    EXPECT_EQ(ColoriGrigliaValori(1, 20, false, false, window, light).sfondo, light);
    EXPECT_FALSE(ColoriGrigliaValori(1, 20, false, false, window, light).grassetto);

    // The same, as the grid paints it: row 9 selected shows white behind its amount cell.
    GrigliaValori grid;
    TotalsGrid totals;
    totals.cell(0, 9) = "Stipendi";
    grid.mostra(totals);
    grid.resize(200, 600);
    grid.selectRow(9);
    const QImage image = grid.grab().toImage();
    const int y9 = 15 + 8 * 14 + 7;
    EXPECT_EQ(QColor(image.pixel(100, y9)), window);
    EXPECT_EQ(QColor(image.pixel(100, 15 + 6 * 14 + 7)), QColor(160, 160, 164)); // row 7
    // Hidden rows take no room: with rows 2-11 hidden, row 12 sits right under row 1.
    for (int r = 2; r <= 11; ++r)
        totals.rows[static_cast<std::size_t>(r)].height = -1;
    totals.horizontalScrollBarOnly = true;
    grid.mostra(totals);
    EXPECT_TRUE(grid.isRowHidden(5));
    EXPECT_EQ(grid.rowViewportPosition(12), 15 + 14);
    EXPECT_EQ(grid.verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST(Grafici, PieKeepsSevenSlicesInDescendingOrderWithPercentages) {
    GraficoTorta pie;
    const auto riempi = [&](std::array<std::int32_t, 7> values) {
        pie.svuota();
        const char* labels[] = {"Prelievi",  "Accrediti",           "Addebiti",          "Imposte",
                                "Interessi", "Entrate Fuori Conto", "Uscite Fuori Conto"};
        for (std::size_t i = 0; i < 7; ++i)
            pie.aggiungi({labels[i], values[i], Rgb{static_cast<std::uint8_t>(10 * i), 0, 0}});
    };
    riempi({1, 1, 1, 1, 1, 1, 1});
    riempi({2, 6, 0, 0, 2, 0, 0});
    ASSERT_EQ(pie.serie()->count(), 7);
    const auto legend = pie.legenda();
    ASSERT_EQ(legend.size(), 7);
    EXPECT_EQ(legend[0].etichetta, QStringLiteral("Accrediti"));
    EXPECT_EQ(legend[0].percentuale, QStringLiteral("60%"));
    // Equal values keep their order of arrival.
    EXPECT_EQ(legend[1].etichetta, QStringLiteral("Prelievi"));
    EXPECT_EQ(legend[2].etichetta, QStringLiteral("Interessi"));
    EXPECT_EQ(legend[2].percentuale, QStringLiteral("20%"));
    EXPECT_EQ(legend[6].percentuale, QStringLiteral("0%"));
    EXPECT_EQ(legend[0].colore, QColor(10, 0, 0));
    // An empty account: seven slices of nothing, no division by zero.
    riempi({0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(pie.legenda()[3].percentuale, QStringLiteral("0%"));
}

TEST(Grafici, LineChartKeepsFixedAxesMonthLabelsAndPansWithTheRightButton) {
    GraficoLinea chart(QStringLiteral("Saldo (Migliaia di €)"), QColor(255, 255, 128));
    chart.resize(190, 150);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    chart.aggiungi({1, 2.5, "Gennaio", Rgb{255, 0, 0}});
    chart.aggiungi({2, 3.0, "", Rgb{255, 0, 0}});
    chart.aggiungi({3, 1.0, "Febbraio", Rgb{0, 0, 255}});
    EXPECT_EQ(chart.serie()->count(), 3);
    EXPECT_EQ(chart.asseMesi()->categoriesLabels(),
              (QStringList{QStringLiteral("Gennaio"), QStringLiteral("Febbraio")}));
    EXPECT_EQ(chart.asseMesi()->min(), 0);
    EXPECT_EQ(chart.asseMesi()->max(), 100);
    EXPECT_EQ(chart.asseValori()->max(), 100);
    EXPECT_EQ(chart.serie()->pointConfiguration(2).value(QXYSeries::PointConfiguration::Color).value<QColor>(),
              QColor(0, 0, 255));

    // Right button held: the chart scrolls with the mouse and does not zoom.
    QWidget* vp = chart.viewport();
    QTest::mousePress(vp, Qt::RightButton, {}, QPoint(120, 70));
    QTest::mouseMove(vp, QPoint(80, 70));
    QTest::mouseRelease(vp, Qt::RightButton, {}, QPoint(80, 70));
    const double span = chart.asseValori()->max() - chart.asseValori()->min();
    EXPECT_GT(chart.asseMesi()->min(), 0.0);
    EXPECT_NEAR(chart.asseMesi()->max() - chart.asseMesi()->min(), 100.0, 0.001);
    EXPECT_NEAR(span, 100.0, 0.001);

    // Left button: a rectangle zooms in.
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(60, 40));
    QTest::mouseMove(vp, QPoint(110, 80));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(110, 80));
    EXPECT_LT(chart.asseMesi()->max() - chart.asseMesi()->min(), 100.0);

    // A new scan starts from an empty chart on the fixed axes again.
    chart.svuota();
    EXPECT_EQ(chart.serie()->count(), 0);
    EXPECT_TRUE(chart.asseMesi()->categoriesLabels().isEmpty());
    EXPECT_EQ(chart.asseMesi()->min(), 0);
    EXPECT_EQ(chart.asseMesi()->max(), 100);
}

TEST(LedgerTableModel, ReadsRowsByPositionWithoutMovingTheCurrentMovement) {
    QTemporaryDir dir;
    QtUserInterface ui;
    FixedClock clock(OggiDiProva());
    TDM dm(ui, clock);
    dm.NuovaTabella(dm.MainTable, dir.filePath(QStringLiteral("conto.dbf")).toStdString(), "Valuta");
    dm.MainTable.open();
    dm.MainTable.setIndexName("Valuta");
    const Date start = *Date::fromYmd(2026, 1, 1);
    constexpr int kRows = 1500;
    // Written in reverse value order: the grid shows them by value date.
    for (int i = kRows - 1; i >= 0; --i)
        dm.MainTable.appendRecord({start, start.addDays(i / 5), std::string("Prelievo"), std::string("Sportello"),
                                   Money::fromWhole(i + 1), "Movimento " + std::to_string(i)});

    LedgerTableModel model(dm.MainTable);
    model.ricarica();
    ASSERT_EQ(model.rowCount(), kRows);
    dm.MainTable.moveTo(7);
    const std::string current = dm.MainTable.fieldByName("COMMENTO").asString();
    EXPECT_EQ(model.index(1234, LedgerTableModel::VALUTA).data().toString(),
              QString::fromStdString(start.addDays(1234 / 5).toString()));
    EXPECT_EQ(model.index(kRows - 1, LedgerTableModel::OPERAZIONE).data().toString(), QStringLiteral("Prelievo"));
    EXPECT_EQ(model.index(3, LedgerTableModel::IMPORTO).data().toString().right(2), QStringLiteral(" €"));
    EXPECT_EQ(model.flags(model.index(3, 0)) & Qt::ItemIsEditable, Qt::NoItemFlags);
    // Reading blocks of rows leaves the engine's current movement where it was.
    EXPECT_EQ(dm.MainTable.recNo(), 7);
    EXPECT_EQ(dm.MainTable.fieldByName("COMMENTO").asString(), current);
    EXPECT_EQ(model.commentoCorrente(), QString::fromStdString(current));
    model.rendiCorrente(99);
    EXPECT_EQ(dm.MainTable.recNo(), 100);
    EXPECT_EQ(model.rigaCorrente(), 99);

    // While suspended the grid does not follow the table; it catches up once when resumed.
    int resets = 0;
    QObject::connect(&model, &QAbstractItemModel::modelReset, [&] { ++resets; });
    model.sospendi(true);
    dm.MainTable.appendRecord(
        {start, start, std::string("Accredito"), std::string("Bonifico"), Money::fromWhole(5), std::string("Ultimo")});
    dm.MainTable.first();
    EXPECT_EQ(model.rowCount(), kRows);
    EXPECT_EQ(resets, 0);
    model.sospendi(false);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(model.rowCount(), kRows + 1);
    EXPECT_EQ(model.index(0, LedgerTableModel::COMMENTO).data().toString(),
              QString::fromStdString(dm.MainTable.fieldByName("COMMENTO").asString()));
}

TEST(QtUserInterface, QueuedAnswersHelpAndEngineErrors) {
    QtUserInterface ui;
    ui.queueAnswer(Answer::No);
    ui.queueAnswer(Answer::Yes);
    // A one-button notice takes no queued answer.
    EXPECT_EQ(ui.message("Avviso", Buttons::Ok), Answer::Ok);
    EXPECT_EQ(ui.pendingAnswers(), 2u);
    EXPECT_EQ(ui.message("Salvare le modifiche effettuate?", Buttons::YesNo), Answer::No);
    // Help opens the help and asks the same question again.
    ui.queueAnswer(Answer::Help);
    ui.queueAnswer(Answer::Ok);
    ui.clearShownBoxes();
    EXPECT_EQ(ui.message("Nuovo anno?", Buttons::NoOkHelp), Answer::Yes); // the Yes queued above comes first
    ui.setAnswerUnqueuedByDefault(true);
    EXPECT_EQ(ui.message("Nuovo anno?", Buttons::NoOkHelp), Answer::Ok);
    EXPECT_EQ(ui.helpTopicsOpened().size(), 1u);
    EXPECT_EQ(ui.message("Salvare?", Buttons::NoOk), Answer::No); // the default of an unanswered box

    // An engine error stops the command, is shown with OK, and the program goes on.
    bool after = false;
    EXPECT_FALSE(ui.esegui([&] {
        throw std::runtime_error("Impossibile scrivere il file conto.dbf");
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_FALSE(ui.shownBoxes().empty());
    EXPECT_EQ(ui.shownBoxes().back().text, "Impossibile scrivere il file conto.dbf");
    EXPECT_EQ(ui.shownBoxes().back().buttons, Buttons::Ok);
    EXPECT_TRUE(ui.esegui([] {}));
}

TEST(QtUserInterface, RealBoxIsPlainWithTheTitleAndItalianButtons) {
    QtUserInterface ui;
    ui.setTitle("Valmora 4.1.0");
    QString title, text, buttons;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QAbstractButton* no = nullptr;
        for (QAbstractButton* b : box->buttons()) {
            buttons += b->text() + QLatin1Char(' ');
            if (b->text() == QStringLiteral("&No"))
                no = b;
        }
        ASSERT_NE(no, nullptr);
        no->click();
    });
    EXPECT_EQ(ui.message("Prima riga\rseconda riga", Buttons::YesNo), Answer::No);
    EXPECT_EQ(title, QStringLiteral("Valmora 4.1.0"));
    EXPECT_EQ(text, QStringLiteral("Prima riga\nseconda riga"));
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_TRUE(buttons.contains(QStringLiteral("&Sì")));
    EXPECT_TRUE(buttons.contains(QStringLiteral("&No")));
    EXPECT_FALSE(buttons.contains(QStringLiteral("OK")));
}


// An event handler that fails the way an engine call does.
class Guasto : public QObject {
public:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::User)
            throw std::runtime_error("Errore di lettura del file conto.dbf");
        return QObject::event(e);
    }
};

TEST(ApplicazioneQt, AnErrorEscapingAnEventHandlerIsShownAndTheProgramGoesOn) {
    auto* app = dynamic_cast<ApplicazioneQt*>(QCoreApplication::instance());
    ASSERT_NE(app, nullptr);
    QtUserInterface ui;
    ui.setAnswerUnqueuedByDefault(true);
    app->setUserInterface(&ui);
    Guasto guasto;
    QEvent event(QEvent::User);
    EXPECT_FALSE(QCoreApplication::sendEvent(&guasto, &event));
    app->setUserInterface(nullptr);
    ASSERT_EQ(ui.shownBoxes().size(), 1u);
    EXPECT_EQ(ui.shownBoxes()[0].text, "Errore di lettura del file conto.dbf");
    EXPECT_EQ(ui.shownBoxes()[0].buttons, Buttons::Ok);
}

} // namespace
} // namespace valmora::gui::test
