#pragma once
// The three charts of the right-hand panel: two line charts (balance, off-account) with fixed
// 0-100 axes, month labels on the bottom axis and per-point colours, which the user pans with the
// right mouse button and zooms with the left; and the pie of movement counts with its legend.

#include "model/LedgerView.h"

#include <QChartView>
#include <QPoint>

class QCategoryAxis;
class QLineSeries;
class QPieSeries;
class QValueAxis;

namespace valmora::gui {

QColor colore(const Rgb& rgb);

class GraficoLinea : public QChartView {
    Q_OBJECT
public:
    GraficoLinea(const QString& titolo, const QColor& fondo, QWidget* parent = nullptr);

    void svuota();
    void aggiungi(const ChartPoint& point);

    QLineSeries* serie() const { return series_; }
    QCategoryAxis* asseMesi() const { return axisX_; }
    QValueAxis* asseValori() const { return axisY_; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLineSeries* series_;
    QCategoryAxis* axisX_;
    QValueAxis* axisY_;
    bool panning_ = false;
    QPoint lastPan_;
};

class GraficoTorta : public QChartView {
    Q_OBJECT
public:
    explicit GraficoTorta(QWidget* parent = nullptr);

    void svuota();
    // Appends a slice, kept in descending order of value; every legend text then shows its percentage.
    void aggiungi(const PieSlice& slice);

    QPieSeries* serie() const { return series_; }

private:
    void aggiornaLegenda();
    QPieSeries* series_;
    QStringList labels_; // the slices' own labels, without percentage, in slice order
};

} // namespace valmora::gui
