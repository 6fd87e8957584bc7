// The line charts after a zoom: round ticks, and a double-click or Esc back to the fixed axes.

#include "gui/GraficiLedger.h"

#include <QCategoryAxis>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>

#include <gtest/gtest.h>

namespace valmora::gui::test {
namespace {

// 1, 2,5 or 5 times a power of ten.
bool passoTondo(double passo) {
    const double potenza = std::pow(10.0, std::floor(std::log10(passo)));
    const double normale = passo / potenza;
    return std::abs(normale - 1) < 1e-9 || std::abs(normale - 2.5) < 1e-9 || std::abs(normale - 5) < 1e-9;
}

void zoom(GraficoLinea& chart, QPoint da, QPoint a) {
    QWidget* vp = chart.viewport();
    QTest::mousePress(vp, Qt::LeftButton, {}, da);
    QTest::mouseMove(vp, a);
    QTest::mouseRelease(vp, Qt::LeftButton, {}, a);
}

void sugliAssiFissi(const GraficoLinea& chart) {
    EXPECT_DOUBLE_EQ(chart.asseMesi()->min(), 0);
    EXPECT_DOUBLE_EQ(chart.asseMesi()->max(), 100);
    EXPECT_DOUBLE_EQ(chart.asseValori()->min(), 0);
    EXPECT_DOUBLE_EQ(chart.asseValori()->max(), 100);
    EXPECT_DOUBLE_EQ(chart.asseValori()->tickInterval(), 25);
}

TEST(ChartZoom, TicksStayRoundAndADoubleClickOrEscResetsTheZoom) {
    GraficoLinea chart(QStringLiteral("Saldo (Migliaia di €)"), QColor(255, 255, 128));
    chart.resize(190, 150);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    for (int i = 1; i <= 30; ++i)
        chart.aggiungi({static_cast<double>(i), 40.0 + i, i == 1 ? "Gennaio" : "", Rgb{255, 0, 0}});
    sugliAssiFissi(chart);
    EXPECT_EQ(chart.asseValori()->tickType(), QValueAxis::TicksDynamic);
    EXPECT_DOUBLE_EQ(chart.asseValori()->tickAnchor(), 0);

    // A rectangle of odd bounds: the ticks are still multiples of a round step from zero.
    zoom(chart, QPoint(53, 37), QPoint(131, 91));
    const double span = chart.asseValori()->max() - chart.asseValori()->min();
    ASSERT_LT(span, 100);
    EXPECT_TRUE(passoTondo(chart.asseValori()->tickInterval())) << chart.asseValori()->tickInterval();
    EXPECT_LE(chart.asseValori()->tickInterval(), span / 2);

    QTest::mouseDClick(chart.viewport(), Qt::LeftButton, {}, QPoint(90, 70));
    sugliAssiFissi(chart);

    zoom(chart, QPoint(60, 40), QPoint(120, 90));
    ASSERT_LT(chart.asseValori()->max() - chart.asseValori()->min(), 100);
    chart.setFocus();
    QTest::keyClick(&chart, Qt::Key_Escape);
    sugliAssiFissi(chart);
    EXPECT_EQ(chart.serie()->count(), 30);
}

TEST(ChartZoom, TheTickStepIsRoundForAnyRange) {
    EXPECT_DOUBLE_EQ(GraficoLinea::passoTacche(0, 100), 25);
    EXPECT_DOUBLE_EQ(GraficoLinea::passoTacche(12.3, 47.9), 10);
    EXPECT_DOUBLE_EQ(GraficoLinea::passoTacche(40.1, 41.3), 0.25);
    EXPECT_DOUBLE_EQ(GraficoLinea::passoTacche(-3, 17), 5);
    EXPECT_DOUBLE_EQ(GraficoLinea::passoTacche(5, 5), 25); // no range: the fixed axes' step
}

} // namespace
} // namespace valmora::gui::test
