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

    // The series with every point added so far (the points of a scan reach it in one go).
    QLineSeries* serie() const {
        scarica();
        return series_;
    }
    QCategoryAxis* asseMesi() const { return axisX_; }
    QValueAxis* asseValori() const { return axisY_; }

    // Back to the fixed 0-100 axes, as after a new scan: a double-click or Esc on the chart.
    void ripristinaZoom();
    // The step between the value ticks for a range: 1, 2,5 or 5 times a power of ten, about four a range, so
    // a zoomed chart keeps round numbers.
    static double passoTacche(double minimo, double massimo);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A chart redraws its whole line for every point it is given: the points of a scan wait here and are
    // handed over together when the program is idle again (or when the series is asked for).
    void scarica() const;

    QLineSeries* series_;
    mutable QList<QPointF> inAttesa_;
    mutable QList<QColor> coloriInAttesa_;
    mutable QList<QColor> colori_; // the colour of every point of the series, in order
    mutable bool scaricoPrevisto_ = false;
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

    // The legend as drawn: each slice's label, its percentage of the total, its colour, in slice order.
    struct VoceLegenda {
        QString etichetta;
        QString percentuale;
        QColor colore;
    };
    QList<VoceLegenda> legenda() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    static constexpr int kRigaLegenda = 13;
    class LegendaTorta : public QWidget {
    public:
        explicit LegendaTorta(GraficoTorta* o) : QWidget(o), owner(o) {
            setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        void paintEvent(QPaintEvent* event) override;
        GraficoTorta* owner;
    };
    QPieSeries* series_;
    QStringList labels_; // the slices' labels, in slice order
    LegendaTorta* legenda_;
};

} // namespace valmora::gui
